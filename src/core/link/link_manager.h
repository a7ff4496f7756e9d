#pragma once

#include "core/link/frame_receive.h"
#include "core/link/link_channel.h"
#include "core/link/serial_port.h"

#include <QObject>
#include <QTimer>

#include <functional>

namespace Korvane {

// The program's serial link: a CLinkChannel on the serial port, the port and baud rate of the
// last successful open, the frame queue and the router. Lives on the UI thread.
// Opening is asynchronous: OpenLink() returns at once, the state is Opening, and
// openFinished() tells the outcome. A link that goes away is retried every second.
class CLinkManager : public QObject {
    Q_OBJECT
  public:
    explicit CLinkManager(QObject* parent = nullptr);
    // With another transport than the serial port (tests use a slow one).
    explicit CLinkManager(std::unique_ptr<CTransport> transport, QObject* parent = nullptr);
    ~CLinkManager() override;

    // Starts opening the port; an empty name fails at once.
    void OpenLink(const QString& portName, int baud) {
        OpenLink(LinkTarget::Serial(portName, baud));
    }
    void OpenLink(const LinkTarget& target);
    void CloseLink();
    // Open/close command: close when open, else reopen the stored port and baud rate.
    // Returns false when no port has been opened yet (nothing stored to reopen).
    bool ToggleLink();

    // Hands one frame to the serial link; false when it is not open or the frame is too long.
    bool Send(const QByteArray& frame);

    bool IsOpen() const { return m_channel.IsOpen(); }
    // The next write of this frame is traced with this origin.
    void MarkOrigin(const QByteArray& frame, CommandOrigin origin) {
        m_channel.MarkOrigin(frame, origin);
    }
    LinkState State() const { return m_channel.State(); }
    QString PortName() const { return m_opened.portName; }
    int Baud() const { return m_opened.baud; }
    bool HasStoredPort() const { return !m_opened.portName.isEmpty(); }
    bool IsRetrying() const { return m_retry.isActive(); }

    // The product of the window this link belongs to: its routes decide which panel message
    // each received frame becomes (-1: none).
    void SetProduct(int product) { m_router.SetProduct(product); }
    int CurrentProduct() const { return m_router.CurrentProduct(); }

    // Who receives routed frames on this thread, and who learns that a batch is done.
    void SetDeliver(std::function<void(const RoutedFrame&)> deliver,
                    std::function<void()> batchDone = {});

    // Frames received but never delivered because the station fell behind (queue overflow).
    quint64 DroppedFrames() const { return m_queue.Dropped(); }

    // Stops deliveries and the serial worker; used at exit.
    void Shutdown();

    CLinkChannel& Channel() { return m_channel; }
    CFrameQueue& Queue() { return m_queue; }
    CFrameRouter& Router() { return m_router; }

    static constexpr int kRetryIntervalMs = 1000;
    // Frames waiting for the router above which the port stops reading.
    static constexpr std::size_t kReceiveHighWater = 4000;

  signals:
    void stateChanged(Korvane::LinkState state);
    // advice: on failure, why it failed and what to do (empty when unknown).
    void openFinished(bool ok, const QString& advice);
    void frameSent(const QByteArray& frame);
    void frameAssembled(const QByteArray& frame, qint64 arrivalNs);
    // The count of dropped frames grew (reported at most a few times a second).
    void framesDropped(quint64 total);

  private:
    void OnOpenFinished(bool ok, const QString& advice);
    void OnLost();
    void Retry();
    void CheckDropped();
    void ResumeIfRoom();

    CLinkChannel m_channel;
    CFrameQueue m_queue;
    CFrameRouter m_router;
    std::function<void(const RoutedFrame&)> m_deliver;
    std::function<void()> m_batchDone;
    LinkTarget m_opened;  // target of the last successful open
    LinkTarget m_pending; // target of the attempt under way
    QTimer m_retry;
    QTimer m_dropCheck;
    QTimer m_resumeCheck; // while reading is held: looks for room again
    bool m_woke = false;  // the event loop has waited since a chunk was last delivered at once
    quint64 m_reportedDropped = 0;
};

} // namespace Korvane
