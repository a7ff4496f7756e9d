#pragma once

#include "frame_receive.h"
#include "serial_port.h"

#include <QObject>
#include <QTimer>

#include <functional>

namespace Korvane {

enum class LinkState { Closed, Failed, Open };

// The program's serial link: the port driver, the port and baud rate in use, the open flag,
// the frame assembler, the frame queue and the router thread. Lives on the UI thread.
class CLinkManager : public QObject {
    Q_OBJECT
  public:
    explicit CLinkManager(QObject* parent = nullptr);
    ~CLinkManager() override;

    bool OpenLink(const QString& portName, int baud);
    void CloseLink();
    // Open/close command: close when open, else reopen the stored port and baud rate.
    // Returns false when no port has been opened yet (nothing stored to reopen).
    bool ToggleLink();

    // Hands one frame to the serial link; false when it is not open or the frame is too long.
    bool Send(const QByteArray& frame);

    bool IsOpen() const { return m_linkOpen == 1; }
    LinkState State() const { return m_state; }
    QString PortName() const { return m_portName; }
    int Baud() const { return m_baud; }
    bool HasStoredPort() const { return !m_portName.isEmpty(); }
    bool IsRetrying() const { return m_retry.isActive(); }

    // Who receives routed frames on this thread (the main window's panel dispatch).
    void SetDeliver(std::function<void(const RoutedFrame&)> deliver);

    // Feeds received bytes to the assembler (normally called with what the port read).
    void OnSerialBytes(const QByteArray& chunk);

    // Stops the router thread and the serial worker; used at exit.
    void Shutdown();

    CFrameQueue& Queue() { return m_queue; }
    CFrameRouter& Router() { return m_router; }

    static constexpr int kRetryIntervalMs = 1000;

  signals:
    void stateChanged(Korvane::LinkState state);
    void frameSent(const QByteArray& frame);
    void frameAssembled(const QByteArray& frame);

  private:
    void SetState(LinkState state);
    void OnPortLost();
    void Retry();

    CSerialPort m_serialPort;
    CFrameAssembler m_assembler;
    CFrameQueue m_queue;
    CFrameRouter m_router;
    std::function<void(const RoutedFrame&)> m_deliver;
    QString m_portName; // port of the last successful open
    int m_baud = 0;     // baud rate of the last successful open
    int m_linkOpen = 0;
    LinkState m_state = LinkState::Closed;
    QTimer m_retry;
};

} // namespace Korvane
