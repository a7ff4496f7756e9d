#pragma once

#include <chrono>
#include <cstddef>
#include <functional>

namespace Korvane {

// When the bridge tries to reach its broker, and what it makes of the answers: attempts
// spaced by a back-off that doubles from its first step to its longest after each failure
// and starts again after a connection; a broker that takes the connection but does not
// answer in time counts as a failure; each attempt in a row of failures tries the next
// address the name gave. Pure bookkeeping on a clock it is given, so it is tested by the
// step and never by sleeping.
class CMqttSession {
  public:
    using Clock = std::chrono::steady_clock;
    using Now = std::function<Clock::time_point()>;
    using ms = std::chrono::milliseconds;
    enum class Phase { Waiting, LookingUp, Connecting, Connected };
    struct Timing {
        ms firstBackoff{500};
        ms longestBackoff{30000};
        ms answerTimeout{5000};
    };

    explicit CMqttSession(Timing timing, Now now = &Clock::now);

    Phase CurrentPhase() const { return m_phase; }
    // Waiting, and its time has come.
    bool AttemptDue() const;
    // How long until the next attempt (zero when due, or when not waiting).
    ms UntilAttempt() const;
    void LookingUp() { m_phase = Phase::LookingUp; }
    // A connection was asked for now.
    void Connecting();
    // Connecting longer than the broker may take to answer.
    bool AnswerOverdue() const;
    void Connected();
    // The attempt or the connection failed: wait the back-off, then try again.
    void Failed();
    // Which of count addresses the next attempt tries.
    std::size_t AddressIndex(std::size_t count) const;
    ms Backoff() const { return m_backoff; }

  private:
    Timing m_timing;
    Now m_now;
    Phase m_phase = Phase::Waiting;
    Clock::time_point m_nextAttempt;
    Clock::time_point m_connectStart;
    ms m_backoff;
    std::size_t m_failures = 0; // in a row
};

} // namespace Korvane
