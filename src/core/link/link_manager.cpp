#include "core/link/link_manager.h"

#include <QAbstractEventDispatcher>

#include "core/link/frames.h"

namespace Korvane {

CLinkManager::CLinkManager(QObject* parent)
    : CLinkManager(std::make_unique<CSerialPort>(), parent) {}

CLinkManager::CLinkManager(std::unique_ptr<CTransport> transport, QObject* parent)
    : QObject(parent), m_channel(std::move(transport)), m_router(
                                                            m_queue,
                                                            [this](const RoutedFrame& rf) {
                                                                if (m_deliver)
                                                                    m_deliver(rf);
                                                            },
                                                            [this] {
                                                                if (m_batchDone)
                                                                    m_batchDone();
                                                                ResumeIfRoom();
                                                            }) {
    connect(&m_channel, &CLinkChannel::stateChanged, this, [this](LinkState state) {
        if (state == LinkState::Open) { // what the status panes show from now on
            m_opened = m_pending;
        }
        emit stateChanged(state);
    });
    connect(&m_channel, &CLinkChannel::openFinished, this, &CLinkManager::OnOpenFinished);
    connect(&m_channel, &CLinkChannel::lost, this, &CLinkManager::OnLost);
    connect(&m_channel, &CLinkChannel::frameSent, this, &CLinkManager::frameSent);
    connect(&m_channel, &CLinkChannel::frameReceived, this,
            [this](const QByteArray& frame, qint64 arrivalNs) {
                m_queue.AppendUntold({frame, arrivalNs}); // drained when the chunk is in
                emit frameAssembled(frame, arrivalNs);
            });
    // A chunk that woke the window goes to the panels at once, no turn of the event loop in
    // between; chunks that come while the window is busy wait for one batch in the next turn,
    // so that under a flood the controls are written once for many frames.
    if (auto* dispatcher = QAbstractEventDispatcher::instance(thread()))
        connect(
            dispatcher, &QAbstractEventDispatcher::aboutToBlock, this, [this] { m_woke = true; },
            Qt::DirectConnection);
    connect(&m_channel, &CLinkChannel::chunkAssembled, this, [this] {
        if (!m_router.IsRunning() || m_queue.Count() == 0)
            return;
        if (!std::exchange(m_woke, false) && QAbstractEventDispatcher::instance(thread())) {
            m_router.DrainNextTurn();
            return;
        }
        m_router.DrainOutbox();
    });
    m_retry.setInterval(kRetryIntervalMs);
    connect(&m_retry, &QTimer::timeout, this, &CLinkManager::Retry);
    m_dropCheck.setInterval(250);
    connect(&m_dropCheck, &QTimer::timeout, this, &CLinkManager::CheckDropped);
    // Back-pressure: when the frames between the assembler and the panels pile up, the port
    // stops reading (the device then waits, as on a real UART) instead of the queue dropping.
    m_channel.SetReceiveGate([this] {
        const bool room = m_queue.Count() < kReceiveHighWater;
        if (!room)
            m_resumeCheck.start();
        return room;
    });
    m_resumeCheck.setInterval(5); // also when nothing is delivered (frames no panel takes)
    connect(&m_resumeCheck, &QTimer::timeout, this, &CLinkManager::ResumeIfRoom);
}

void CLinkManager::ResumeIfRoom() {
    if (!m_channel.ReceiveHeld()) {
        m_resumeCheck.stop();
        return;
    }
    if (m_queue.Count() < kReceiveHighWater / 2) {
        m_resumeCheck.stop();
        m_channel.ResumeReceive();
    }
}

CLinkManager::~CLinkManager() {
    Shutdown();
}

void CLinkManager::SetDeliver(std::function<void(const RoutedFrame&)> deliver,
                              std::function<void()> batchDone) {
    m_deliver = std::move(deliver);
    m_batchDone = std::move(batchDone);
}

void CLinkManager::OpenLink(const LinkTarget& target) {
    m_retry.stop();
    m_pending = target;
    m_channel.SetTarget(target);
    m_channel.Open(); // an empty name fails like a missing port
}

void CLinkManager::OnOpenFinished(bool ok, const QString& advice) {
    if (!ok) {
        if (m_retry.isActive())
            return; // stays "Fail"; the next tick tries again
        emit openFinished(false, advice);
        return;
    }
    m_retry.stop();
    m_router.Start(); // first successful open only; later opens find it running
    m_dropCheck.start();
    emit openFinished(true, QString());
}

void CLinkManager::CloseLink() {
    m_retry.stop();
    m_channel.Close();
}

bool CLinkManager::ToggleLink() {
    if (m_channel.IsOpen()) {
        CloseLink();
        return true;
    }
    if (!HasStoredPort())
        return false;
    OpenLink(m_opened);
    return true;
}

bool CLinkManager::Send(const QByteArray& frame) {
    return m_channel.Send(frame);
}

void CLinkManager::Shutdown() {
    m_retry.stop();
    m_resumeCheck.stop();
    m_dropCheck.stop();
    m_router.Stop();
    m_channel.Transport().Shutdown();
}

void CLinkManager::OnLost() {
    // Bluetooth links drop often: keep trying the same port, without blocking the window.
    m_pending = m_opened;
    m_channel.SetTarget(m_opened);
    m_retry.start();
}

void CLinkManager::Retry() {
    if (m_channel.IsOpening())
        return; // the last attempt has not answered yet
    m_channel.Open(true);
}

void CLinkManager::CheckDropped() {
    const quint64 dropped = m_queue.Dropped();
    if (dropped != m_reportedDropped) {
        m_reportedDropped = dropped;
        emit framesDropped(dropped);
    }
}

} // namespace Korvane
