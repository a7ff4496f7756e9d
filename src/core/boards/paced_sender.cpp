#include "core/boards/paced_sender.h"

namespace Korvane {

CPacedSender::CPacedSender(QObject* parent) : QObject(parent) {
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer); // the pauses are what the device needs: not shorter
    connect(&m_timer, &QTimer::timeout, this, &CPacedSender::Drain);
}

void CPacedSender::Run(std::function<void()> action) {
    Add({std::move(action), 0});
}

void CPacedSender::Pause(int ms) {
    Add({{}, ms});
}

void CPacedSender::Add(Item item) {
    if (m_inAction) {
        m_fromAction.push_back(std::move(item));
        return;
    }
    m_queue.push_back(std::move(item));
    Drain();
}

void CPacedSender::Clear() {
    m_queue.clear();
    m_fromAction.clear();
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
        if (item.action) {
            m_inAction = true;
            item.action();
            m_inAction = false;
            while (!m_fromAction.empty()) { // the action's own steps go first
                m_queue.push_front(std::move(m_fromAction.back()));
                m_fromAction.pop_back();
            }
        } else if (item.pauseMs > 0)
            m_timer.start(item.pauseMs);
    }
    m_draining = false;
}

} // namespace Korvane
