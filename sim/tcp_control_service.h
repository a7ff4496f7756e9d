#pragma once

#include "pty_transport.h"

#include <QHostAddress>
#include <QTimer>

class QTcpServer;
class QTcpSocket;

namespace KorvaneSim {

// The Raspberry Pi cars' control service on loopback: one client at a time, the same frames
// both ways as over the serial line. Fault modes for tests, switchable while running:
//   none            behave
//   refuse          stop listening: connects are refused
//   close           close every connection at once
//   close-after N   close after N frames received
//   reset           reset the connection (RST) at the next frame received
//   split N         write every frame in pieces of N bytes
//   bunch           hold frames back and write several in one write
//   junk            write junk between frames
//   flood           write telemetry as fast as the connection takes it
//   deaf            never read what the station sends
//   hang            accept nothing and let connects hang (a full backlog)
class TcpControlService : public Transport {
    Q_OBJECT
  public:
    explicit TcpControlService(QObject* parent = nullptr);
    ~TcpControlService() override;

    bool Listen(const QHostAddress& address, quint16 port, QString* error);
    quint16 Port() const { return m_port; }
    void Send(const QByteArray& bytes) override;
    // "mode" or "mode N"; false for an unknown mode.
    bool SetFault(const QString& mode);
    bool HasClient() const { return m_client != nullptr; }

  signals:
    void clientChanged(bool connected);

  private:
    void OnNewConnection();
    void ReadClient();
    void DropClient();
    void WriteOut(const QByteArray& bytes);
    void StartHang();
    void StopHang();

    QTcpServer* m_server = nullptr;
    QTcpSocket* m_client = nullptr;
    QHostAddress m_address;
    quint16 m_port = 0;
    QString m_fault = QStringLiteral("none");
    int m_faultN = 0;
    int m_framesIn = 0;
    QByteArray m_held; // bunch mode
    QTimer m_flood;
    QByteArray m_lastFrame;
    int m_hangListener = -1;
    QList<int> m_hangFillers;
};

} // namespace KorvaneSim
