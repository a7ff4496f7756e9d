#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>

#include <array>
#include <functional>
#include <optional>

namespace Korvane {

// The 4WD car's six arm joints, 0 to 180 degrees each.
using ArmPose = std::array<int, 6>;
constexpr int kArmJointMax = 180;
bool IsValidPose(const ArmPose& pose);
// "J1 90, J2 45, J3 30, J4 90, J5 90, J6 90": a step as the step list shows it.
QString ArmStepText(const ArmPose& pose);

// A taught sequence: the poses in the order taught and the delay between them.
struct ArmStepList {
    static constexpr int kDefaultDelayMs = 500;
    static constexpr int kMaxDelayMs = 60000;
    static constexpr int kMaxSteps = 10000;
    QList<ArmPose> steps;
    int delayMs = kDefaultDelayMs;
};
// A small JSON file: {"delayMs": 500, "steps": [[90,45,30,90,90,90], ...]}.
QByteArray ArmStepsToJson(const ArmStepList& list);
// Nothing (with the reason) for a file that is not such a list: not JSON, a joint outside 0 to
// 180 or not a whole number, a delay outside 0 to 60000, too many steps.
std::optional<ArmStepList> ArmStepsFromJson(const QByteArray& json, QString* error);

// Live control: hands on at most one pose per interval (20 a second by default); a pose offered
// sooner waits, and a newer one replaces it, so the last pose is always sent.
class CPoseLimiter : public QObject {
    Q_OBJECT
  public:
    static constexpr int kDefaultIntervalMs = 50;
    explicit CPoseLimiter(std::function<void(const ArmPose&)> send, QObject* parent = nullptr);
    void Offer(const ArmPose& pose);
    // Forgets a pose that waits.
    void Cancel() { m_wait.stop(); }
    bool Waiting() const { return m_wait.isActive(); }

  private:
    void SendNow(const ArmPose& pose);

    std::function<void(const ArmPose&)> m_send;
    QTimer m_wait;
    ArmPose m_pending{};
    qint64 m_lastNs = 0;
    bool m_sentOnce = false;
};

// Plays a step list on timers: each pose, then the delay before the next. The window never
// waits for it. A pose that cannot be sent (send returns false) ends the run.
class CArmPlayer : public QObject {
    Q_OBJECT
  public:
    explicit CArmPlayer(std::function<bool(const ArmPose&)> send, QObject* parent = nullptr);
    void Run(const QList<ArmPose>& steps, int delayMs);
    // Ends a run at once: no further pose is sent.
    void Stop();
    bool IsRunning() const { return m_running; }

  signals:
    // Step index is being played (its pose has just been sent).
    void stepStarted(int index);
    // The run ended: every step played (completed), stopped, or a pose that could not be sent.
    void ended(bool completed);

  private:
    void PlayNext();

    std::function<bool(const ArmPose&)> m_send;
    QTimer m_delay;
    QList<ArmPose> m_steps;
    int m_next = 0;
    bool m_running = false;
};

} // namespace Korvane
