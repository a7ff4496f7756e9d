#pragma once
// A transport without a device, for what a real port cannot show on demand: bytes fed in
// process at full speed (the receive benchmark), and an open that takes its time (the UI
// thread must keep running meanwhile). Everything else uses the real serial port on a
// pseudo-terminal.

#include "link/transport.h"

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
    void Consumed() override { ++consumed; }
    QString Description() const override { return QStringLiteral("feed"); }

    // Hands bytes over as if the device had sent them.
    void Feed(const QByteArray& chunk) {
        if (m_open)
            emit bytesReceived(chunk);
    }

    QByteArray written;
    int consumed = 0;

  private:
    int m_openDelayMs;
    bool m_open = false;
};
