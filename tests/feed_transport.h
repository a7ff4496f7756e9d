#pragma once
// A transport without a device, for what a real port cannot show on demand: bytes fed in
// process at full speed (the receive benchmark), and an open that takes its time (the UI
// thread must keep running meanwhile). Everything else uses the real serial port on a
// pseudo-terminal.

#include "core/link/transport.h"

#include <QTimer>

class CFeedTransport : public Korvane::CTransport {
    Q_OBJECT
  public:
    explicit CFeedTransport(int openDelayMs = 0) : m_openDelayMs(openDelayMs) {}

    void Open() override {
        m_open = false;
        // Answers later, like a port that takes its time to connect.
        QTimer::singleShot(m_openDelayMs, this, [this] {
            m_open = true;
            emit opened();
        });
    }
    void Close() override { m_open = false; }
    bool Write(const QByteArray& frame) override {
        if (!m_open)
            return false;
        written += frame;
        emit frameWritten(frame);
        return true;
    }
    void Consumed() override {
        ++consumed;
        m_outstanding = false;
        // Like the port: the next chunk is read only now, and arrives later.
        QTimer::singleShot(0, this, [this] { HandOverNext(); });
    }
    QString Description() const override { return QStringLiteral("feed"); }

    // Hands bytes over as if the device had sent them.
    // arrivalNs: when the bytes arrived (now unless the test says).
    void Feed(const QByteArray& chunk, qint64 arrivalNs = -1) {
        if (m_open)
            emit bytesReceived(chunk, arrivalNs < 0 ? Korvane::ArrivalClockNs() : arrivalNs);
    }

    // Queues bytes that are handed over like a port does: one chunk, then the next only
    // after the owner has taken it.
    void Queue(const QByteArray& chunk) {
        m_pending << chunk;
        QTimer::singleShot(0, this, [this] { HandOverNext(); });
    }
    bool HasPending() const { return !m_pending.isEmpty() || m_outstanding; }

    QByteArray written;
    int consumed = 0;

  private:
    void HandOverNext() {
        if (!m_open || m_outstanding || m_pending.isEmpty())
            return;
        m_outstanding = true;
        emit bytesReceived(m_pending.takeFirst(), Korvane::ArrivalClockNs());
    }

    int m_openDelayMs;
    bool m_open = false;
    bool m_outstanding = false;
    QList<QByteArray> m_pending;
};
