#include "paced_sender.h"

namespace Korvane {

CPacedSender::CPacedSender(QObject* parent) : QObject(parent) {
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer); // the pauses are what the device needs: not shorter
    connect(&m_timer, &QTimer::timeout, this, &CPacedSender::Drain);
}

void CPacedSender::Run(std::function<void()> action) {
    m_queue.push_back({std::move(action), 0});
    Drain();
}

void CPacedSender::Pause(int ms) {
    m_queue.push_back({{}, ms});
    Drain();
}

void CPacedSender::Clear() {
    m_queue.clear();
    m_timer.stop();
}

void CPacedSender::Drain() {
    // An action may show a message whose event loop lets the timer fire: never drain twice.
    if (m_draining || m_timer.isActive())
        return;
    m_draining = true;
    while (!m_queue.empty() && !m_timer.isActive()) {
        Item item = std::move(m_queue.front());
        m_queue.pop_front();
        if (item.action)
            item.action();
        else if (item.pauseMs > 0)
            m_timer.start(item.pauseMs);
    }
    m_draining = false;
}

} // namespace Korvane
