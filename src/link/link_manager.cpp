#include "link_manager.h"

#include "frames.h"

namespace Korvane {

CLinkManager::CLinkManager(QObject* parent)
    : QObject(parent), m_router(m_queue, [this](const RoutedFrame& rf) {
          if (m_deliver)
              m_deliver(rf);
      }) {
    connect(&m_serialPort, &CSerialPort::bytesReceived, this, &CLinkManager::OnSerialBytes);
    connect(&m_serialPort, &CSerialPort::portLost, this, &CLinkManager::OnPortLost);
    connect(&m_serialPort, &CSerialPort::frameWritten, this, &CLinkManager::frameSent);
    m_retry.setInterval(kRetryIntervalMs);
    connect(&m_retry, &QTimer::timeout, this, &CLinkManager::Retry);
}

CLinkManager::~CLinkManager() {
    Shutdown();
}

void CLinkManager::SetDeliver(std::function<void(const RoutedFrame&)> deliver) {
    m_deliver = std::move(deliver);
}

bool CLinkManager::OpenLink(const QString& portName, int baud) {
    m_retry.stop();
    if (portName.isEmpty() || !m_serialPort.Open(portName, baud)) {
        m_linkOpen = 0;
        SetState(LinkState::Failed);
        return false;
    }
    m_portName = portName;
    m_baud = baud;
    m_linkOpen = 1;
    SetState(LinkState::Open);
    m_router.Start(); // first successful open only; later opens find it running
    return true;
}

void CLinkManager::CloseLink() {
    m_retry.stop();
    m_linkOpen = 0;
    SetState(LinkState::Closed);
    m_serialPort.Shutdown();
}

bool CLinkManager::ToggleLink() {
    if (m_linkOpen == 1) {
        CloseLink();
        return true;
    }
    if (!HasStoredPort())
        return false;
    OpenLink(m_portName, m_baud);
    return true;
}

bool CLinkManager::Send(const QByteArray& frame) {
    if (m_linkOpen != 1 || frame.size() > kMaxOutgoingFrame)
        return false;
    return m_serialPort.Write(frame);
}

void CLinkManager::OnSerialBytes(const QByteArray& chunk) {
    m_assembler.FeedChunk(chunk, [this](const QByteArray& frame) {
        m_queue.Append(frame);
        emit frameAssembled(frame);
    });
}

void CLinkManager::Shutdown() {
    m_retry.stop();
    m_router.Stop();
    m_serialPort.Shutdown();
    m_linkOpen = 0;
}

void CLinkManager::SetState(LinkState state) {
    m_state = state;
    emit stateChanged(state);
}

void CLinkManager::OnPortLost() {
    if (m_linkOpen != 1)
        return;
    m_serialPort.Shutdown();
    m_linkOpen = 0;
    SetState(LinkState::Failed);
    m_retry.start(); // Bluetooth links drop often: keep trying the same port
}

void CLinkManager::Retry() {
    if (!m_serialPort.Open(m_portName, m_baud))
        return; // stays "Fail"; try again on the next tick
    m_retry.stop();
    m_linkOpen = 1;
    SetState(LinkState::Open);
}

} // namespace Korvane
