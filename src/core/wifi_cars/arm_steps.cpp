#include "core/wifi_cars/arm_steps.h"

#include "core/link/transport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>

namespace Korvane {

bool IsValidPose(const ArmPose& pose) {
    for (int j : pose)
        if (j < 0 || j > kArmJointMax)
            return false;
    return true;
}

QString ArmStepText(const ArmPose& pose) {
    QStringList parts;
    for (int j = 0; j < 6; ++j)
        parts << QStringLiteral("J%1 %2").arg(j + 1).arg(pose[size_t(j)]);
    return parts.join(QStringLiteral(", "));
}

QByteArray ArmStepsToJson(const ArmStepList& list) {
    QJsonArray steps;
    for (const ArmPose& pose : list.steps) {
        QJsonArray joints;
        for (int j : pose)
            joints.append(j);
        steps.append(joints);
    }
    QJsonObject root;
    root.insert(QStringLiteral("delayMs"), list.delayMs);
    root.insert(QStringLiteral("steps"), steps);
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

namespace {
// A whole number within lo..hi, or nothing.
std::optional<int> WholeNumber(const QJsonValue& v, int lo, int hi) {
    if (!v.isDouble())
        return std::nullopt;
    const double d = v.toDouble();
    if (!(d >= lo && d <= hi) || std::floor(d) != d)
        return std::nullopt;
    return int(d);
}
} // namespace

std::optional<ArmStepList> ArmStepsFromJson(const QByteArray& json, QString* error) {
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(json, &parseError);
    if (parseError.error != QJsonParseError::NoError || !doc.isObject()) {
        *error = QObject::tr("the file is not a step list (%1)").arg(parseError.errorString());
        return std::nullopt;
    }
    const QJsonObject root = doc.object();
    ArmStepList list;
    const auto delay =
        WholeNumber(root.value(QStringLiteral("delayMs")), 0, ArmStepList::kMaxDelayMs);
    if (!delay) {
        *error = QObject::tr("the delay must be a whole number of milliseconds from 0 to %1")
                     .arg(ArmStepList::kMaxDelayMs);
        return std::nullopt;
    }
    list.delayMs = *delay;
    const QJsonValue steps = root.value(QStringLiteral("steps"));
    if (!steps.isArray() || steps.toArray().size() > ArmStepList::kMaxSteps) {
        *error =
            QObject::tr("the steps must be a list of at most %1 poses").arg(ArmStepList::kMaxSteps);
        return std::nullopt;
    }
    const QJsonArray all = steps.toArray();
    for (qsizetype i = 0; i < all.size(); ++i) {
        const QJsonArray joints = all.at(i).toArray();
        ArmPose pose{};
        bool ok = all.at(i).isArray() && joints.size() == 6;
        for (int j = 0; ok && j < 6; ++j) {
            const auto angle = WholeNumber(joints.at(j), 0, kArmJointMax);
            ok = angle.has_value();
            if (ok)
                pose[size_t(j)] = *angle;
        }
        if (!ok) {
            *error = QObject::tr("step %1 is not six angles from 0 to 180").arg(i + 1);
            return std::nullopt;
        }
        list.steps.append(pose);
    }
    return list;
}

CPoseLimiter::CPoseLimiter(std::function<void(const ArmPose&)> send, QObject* parent)
    : QObject(parent), m_send(std::move(send)) {
    m_wait.setSingleShot(true);
    m_wait.setTimerType(Qt::PreciseTimer);
    connect(&m_wait, &QTimer::timeout, this, [this] { SendNow(m_pending); });
}

void CPoseLimiter::Offer(const ArmPose& pose) {
    const qint64 sinceMs = (ArrivalClockNs() - m_lastNs) / 1000000;
    if (!m_sentOnce || (!m_wait.isActive() && sinceMs >= kDefaultIntervalMs)) {
        SendNow(pose);
        return;
    }
    m_pending = pose; // the newest pose goes when the interval is over
    if (!m_wait.isActive())
        m_wait.start(int(std::max<qint64>(0, kDefaultIntervalMs - sinceMs)));
}

void CPoseLimiter::SendNow(const ArmPose& pose) {
    m_sentOnce = true;
    m_lastNs = ArrivalClockNs();
    m_send(pose);
}

CArmPlayer::CArmPlayer(std::function<bool(const ArmPose&)> send, QObject* parent)
    : QObject(parent), m_send(std::move(send)) {
    m_delay.setSingleShot(true);
    m_delay.setTimerType(Qt::PreciseTimer); // the delay between steps is what the user set
    connect(&m_delay, &QTimer::timeout, this, &CArmPlayer::PlayNext);
}

void CArmPlayer::Run(const QList<ArmPose>& steps, int delayMs) {
    Stop();
    if (steps.isEmpty())
        return;
    m_steps = steps;
    m_next = 0;
    m_running = true;
    m_delay.setInterval(delayMs);
    PlayNext();
}

void CArmPlayer::Stop() {
    if (!m_running)
        return;
    m_delay.stop();
    m_running = false;
    emit ended(false);
}

void CArmPlayer::PlayNext() {
    if (!m_running)
        return;
    const int index = m_next++;
    if (!m_send(m_steps[index])) {
        Stop(); // the link is closed: the user has been told once, the run ends
        return;
    }
    emit stepStarted(index);
    if (m_next >= m_steps.size()) {
        m_running = false;
        emit ended(true);
        return;
    }
    m_delay.start();
}

} // namespace Korvane
