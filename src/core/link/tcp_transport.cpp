#include "core/link/tcp_transport.h"

#include <QNetworkProxy>
#include <QTcpSocket>

namespace Korvane {

CTcpTransport::CTcpTransport(QObject* parent) : CTransport(parent) {
    m_connectTimeout.setSingleShot(true);
    m_connectTimeout.setInterval(kDefaultConnectTimeoutMs);
    connect(&m_connectTimeout, &QTimer::timeout, this, [this] {
        Fail(Failure::NotReachable,
             QStringLiteral("no answer within %1 ms").arg(m_connectTimeout.interval()));
    });
}

CTcpTransport::~CTcpTransport() {
    if (m_socket) {
        m_socket->disconnect(this);
        m_socket->abort();
    }
}

void CTcpTransport::SetTarget(const LinkTarget& target) {
    m_address = target.host;
    m_port = target.tcpPort;
}

QString CTcpTransport::Description() const {
    return QStringLiteral("%1:%2").arg(m_address.toString()).arg(m_port);
}

void CTcpTransport::Open() {
    Close();
    if (!m_socket) {
        m_socket = new QTcpSocket(this);
        m_socket->setProxy(QNetworkProxy::NoProxy);
        // The socket keeps at most one chunk; beyond it the peer's writes wait in the network.
        m_socket->setReadBufferSize(kReadChunk);
        connect(m_socket, &QTcpSocket::connected, this, &CTcpTransport::OnConnected);
        connect(m_socket, &QTcpSocket::errorOccurred, this, &CTcpTransport::OnError);
        connect(m_socket, &QTcpSocket::disconnected, this, &CTcpTransport::OnDisconnected);
        connect(m_socket, &QTcpSocket::readyRead, this, &CTcpTransport::ReadAvailable);
    }
    m_failure = Failure::None;
    m_connecting = true;
    m_handedOver = false;
    m_connectTimeout.start();
    m_socket->connectToHost(m_address, m_port);
}

void CTcpTransport::Close() {
    m_connectTimeout.stop();
    m_connecting = false;
    m_connected = false;
    if (m_socket && m_socket->state() != QAbstractSocket::UnconnectedState)
        m_socket->abort(); // at once, without waiting for unsent bytes or the peer
}

void CTcpTransport::OnConnected() {
    if (!m_connecting)
        return;
    m_connectTimeout.stop();
    m_connecting = false;
    m_connected = true;
    m_socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    emit opened();
    ReadAvailable(); // the service may have spoken already
}

void CTcpTransport::OnError() {
    if (m_connecting) {
        switch (m_socket->error()) {
        case QAbstractSocket::ConnectionRefusedError:
        case QAbstractSocket::HostNotFoundError:
        case QAbstractSocket::NetworkError:
        case QAbstractSocket::SocketTimeoutError:
            Fail(Failure::NotReachable, m_socket->errorString());
            break;
        default:
            Fail(Failure::OtherError, m_socket->errorString());
            break;
        }
        return;
    }
    if (m_connected)
        Lose(m_socket->errorString());
}

void CTcpTransport::OnDisconnected() {
    if (m_connected)
        Lose(QStringLiteral("closed by the peer"));
}

void CTcpTransport::Fail(Failure failure, const QString& reason) {
    if (!m_connecting)
        return;
    m_connectTimeout.stop();
    m_connecting = false;
    m_failure = failure;
    m_socket->abort();
    emit openFailed(reason);
}

void CTcpTransport::Lose(const QString& reason) {
    if (!m_connected)
        return;
    m_connected = false;
    m_socket->abort();
    emit lost(reason);
}

bool CTcpTransport::Write(const QByteArray& frame) {
    if (!m_connected)
        return false;
    // The whole frame goes into the socket's buffer in one write, in order; a write that is
    // refused means the connection is gone.
    if (m_socket->write(frame) != frame.size()) {
        Lose(m_socket->errorString());
        return false;
    }
    emit frameWritten(frame);
    return true;
}

void CTcpTransport::ReadAvailable() {
    if (!m_connected || m_handedOver)
        return;
    const QByteArray chunk = m_socket->read(kReadChunk);
    if (chunk.isEmpty())
        return;
    m_handedOver = true;
    emit bytesReceived(chunk, ArrivalClockNs());
}

void CTcpTransport::Consumed() {
    m_handedOver = false;
    // Read on later, not from inside the owner's handling of the last chunk.
    QMetaObject::invokeMethod(this, &CTcpTransport::ReadAvailable, Qt::QueuedConnection);
}

} // namespace Korvane
