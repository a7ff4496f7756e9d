#include "core/mqtt/mqtt_session.h"

#include <algorithm>

namespace Korvane {

CMqttSession::CMqttSession(Timing timing, Now now)
    : m_timing(timing), m_now(std::move(now)), m_nextAttempt(m_now()),
      m_backoff(timing.firstBackoff) {}

bool CMqttSession::AttemptDue() const {
    return m_phase == Phase::Waiting && m_now() >= m_nextAttempt;
}

CMqttSession::ms CMqttSession::UntilAttempt() const {
    if (m_phase != Phase::Waiting)
        return ms(0);
    return std::max(ms(0), std::chrono::ceil<ms>(m_nextAttempt - m_now()));
}

void CMqttSession::Connecting() {
    m_phase = Phase::Connecting;
    m_connectStart = m_now();
}

bool CMqttSession::AnswerOverdue() const {
    return m_phase == Phase::Connecting && m_now() - m_connectStart > m_timing.answerTimeout;
}

void CMqttSession::Connected() {
    m_phase = Phase::Connected;
    m_backoff = m_timing.firstBackoff;
    m_failures = 0;
}

void CMqttSession::Failed() {
    m_phase = Phase::Waiting;
    m_nextAttempt = m_now() + m_backoff;
    m_backoff = std::min(m_backoff * 2, m_timing.longestBackoff);
    ++m_failures;
}

std::size_t CMqttSession::AddressIndex(std::size_t count) const {
    return count == 0 ? 0 : m_failures % count;
}

} // namespace Korvane
