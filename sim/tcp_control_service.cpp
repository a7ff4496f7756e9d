#include "tcp_control_service.h"

#include <QTcpServer>
#include <QTcpSocket>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace KorvaneSim {

TcpControlService::TcpControlService(QObject* parent) : Transport(parent) {
    m_flood.setInterval(0);
    connect(&m_flood, &QTimer::timeout, this, [this] {
        if (m_client && m_client->bytesToWrite() < 256 * 1024 && !m_lastFrame.isEmpty())
            for (int i = 0; i < 200; ++i)
                m_client->write(m_lastFrame);
    });
}

TcpControlService::~TcpControlService() {
    StopHang();
}

bool TcpControlService::Listen(const QHostAddress& address, quint16 port, QString* error) {
    m_address = address;
    m_server = new QTcpServer(this);
    if (!m_server->listen(address, port)) {
        *error = m_server->errorString();
        return false;
    }
    m_port = m_server->serverPort();
    connect(m_server, &QTcpServer::newConnection, this, &TcpControlService::OnNewConnection);
    return true;
}

bool TcpControlService::SetFault(const QString& mode) {
    const QStringList parts = mode.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    static const QStringList kModes = {"none",  "refuse", "close", "close-after", "reset", "split",
                                       "bunch", "junk",   "flood", "deaf",        "hang"};
    if (parts.isEmpty() || !kModes.contains(parts[0]))
        return false;
    const QString before = m_fault;
    m_fault = parts[0];
    m_faultN = parts.size() > 1 ? parts[1].toInt() : 1;
    m_framesIn = 0;
    if (before == QLatin1String("hang"))
        StopHang();
    if (m_fault == QLatin1String("refuse") || m_fault == QLatin1String("hang")) {
        m_server->close();
        DropClient();
        if (m_fault == QLatin1String("hang"))
            StartHang();
    } else if (!m_server->isListening()) {
        m_server->listen(m_address, m_port);
    }
    if (m_fault == QLatin1String("flood"))
        m_flood.start();
    else
        m_flood.stop();
    if (m_fault != QLatin1String("bunch") && !m_held.isEmpty()) {
        WriteOut(m_held);
        m_held.clear();
    }
    return true;
}

void TcpControlService::OnNewConnection() {
    while (QTcpSocket* socket = m_server->nextPendingConnection()) {
        if (m_client || m_fault == QLatin1String("close")) {
            socket->abort(); // one client at a time
            socket->deleteLater();
            continue;
        }
        m_client = socket;
        m_client->setSocketOption(QAbstractSocket::LowDelayOption, 1);
        m_framesIn = 0;
        connect(m_client, &QTcpSocket::readyRead, this, &TcpControlService::ReadClient);
        connect(m_client, &QTcpSocket::disconnected, this, &TcpControlService::DropClient);
        emit clientChanged(true);
    }
}

void TcpControlService::DropClient() {
    if (!m_client)
        return;
    QTcpSocket* client = m_client;
    m_client = nullptr;
    client->disconnect(this);
    client->abort();
    client->deleteLater();
    emit clientChanged(false);
}

void TcpControlService::ReadClient() {
    if (!m_client || m_fault == QLatin1String("deaf"))
        return;
    const QByteArray bytes = m_client->readAll();
    emit received(bytes);
    m_framesIn += int(bytes.count('#'));
    if (m_fault == QLatin1String("close-after") && m_framesIn >= m_faultN) {
        m_client->disconnectFromHost(); // an orderly close by the car
        return;
    }
    if (m_fault == QLatin1String("reset") && m_framesIn > 0) {
        // SO_LINGER with a zero time-out makes the close a reset.
        const int fd = int(m_client->socketDescriptor());
        linger l{1, 0};
        ::setsockopt(fd, SOL_SOCKET, SO_LINGER, &l, sizeof l);
        DropClient();
    }
}

void TcpControlService::Send(const QByteArray& bytes) {
    m_lastFrame = bytes;
    if (!m_client || m_fault == QLatin1String("flood"))
        return;
    if (m_fault == QLatin1String("bunch")) {
        m_held += bytes;
        if (m_held.count('#') >= 4) {
            WriteOut(m_held);
            m_held.clear();
        }
        return;
    }
    if (m_fault == QLatin1String("junk")) {
        WriteOut("xx#junk,,$$" + bytes + "\r\n#");
        return;
    }
    WriteOut(bytes);
}

void TcpControlService::WriteOut(const QByteArray& bytes) {
    if (!m_client)
        return;
    if (m_fault == QLatin1String("split") && m_faultN > 0) {
        for (qsizetype at = 0; at < bytes.size(); at += m_faultN) {
            m_client->write(bytes.mid(at, m_faultN));
            m_client->flush(); // each piece its own segment
        }
        return;
    }
    m_client->write(bytes);
}

void TcpControlService::StartHang() {
    // A listening socket whose backlog is full: further connects are never answered.
    m_hangListener = ::socket(AF_INET, SOCK_STREAM, 0);
    const int one = 1;
    ::setsockopt(m_hangListener, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(m_port);
    a.sin_addr.s_addr = htonl(m_address.toIPv4Address());
    if (::bind(m_hangListener, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 ||
        ::listen(m_hangListener, 0) != 0)
        return;
    for (int i = 0; i < 3; ++i) { // fill the backlog
        const int c = ::socket(AF_INET, SOCK_STREAM, 0);
        ::fcntl(c, F_SETFL, O_NONBLOCK);
        ::connect(c, reinterpret_cast<sockaddr*>(&a), sizeof a);
        m_hangFillers << c;
    }
}

void TcpControlService::StopHang() {
    for (int c : m_hangFillers)
        ::close(c);
    m_hangFillers.clear();
    if (m_hangListener >= 0)
        ::close(m_hangListener);
    m_hangListener = -1;
}

} // namespace KorvaneSim
