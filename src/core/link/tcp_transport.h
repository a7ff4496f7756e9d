#pragma once

#include "core/link/transport.h"

#include <QHostAddress>
#include <QTimer>

class QTcpSocket;

namespace Korvane {

// A TCP connection to a car's control service, on the owner's thread and never waiting: the
// connect runs in the background with a time-out of our own, no proxy is used (a configured
// proxy cannot reach the car's own access point) and small frames go out at once (no Nagle
// delay). Reads are handed over one chunk at a time, like the serial port's.
class CTcpTransport : public CTransport {
    Q_OBJECT
  public:
    // Why an attempt failed: the service could not be reached (refused, unreachable, host not
    // found, time-out), or something else went wrong during it.
    enum class Failure { None, NotReachable, OtherError };

    explicit CTcpTransport(QObject* parent = nullptr);
    ~CTcpTransport() override;

    void SetTarget(const LinkTarget& target) override;
    void SetConnectTimeout(int ms) { m_connectTimeout.setInterval(ms); }

    void Open() override;
    void Close() override;
    bool Write(const QByteArray& frame) override;
    void Consumed() override;
    QString Description() const override;
    QString TraceTag() const override { return QStringLiteral("tcp"); }

    Failure LastFailure() const { return m_failure; }
    bool IsConnected() const { return m_connected; }

    static constexpr int kDefaultConnectTimeoutMs = 10000;
    static constexpr int kReadChunk = 16 * 1024;

  private:
    void OnConnected();
    void OnError();
    void OnDisconnected();
    void ReadAvailable();
    void Fail(Failure failure, const QString& reason);
    void Lose(const QString& reason);

    QTcpSocket* m_socket = nullptr; // at most one, reused for every attempt
    QHostAddress m_address;
    quint16 m_port = 0;
    QTimer m_connectTimeout;
    bool m_connecting = false;
    bool m_connected = false;
    bool m_handedOver = false;
    Failure m_failure = Failure::None;
};

} // namespace Korvane
