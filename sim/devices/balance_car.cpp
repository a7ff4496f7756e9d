#include "balance_car.h"

#include <QList>

#include <algorithm>
#include <cmath>

namespace KorvaneSim {

namespace {
constexpr double kG = 9.81;
constexpr double kLength = 0.12;   // effective pendulum length, m
constexpr double kMaxAccel = 12.0; // what the motors can give, m/s^2
constexpr double kStep = 0.001;    // physics step, s
constexpr double kDegrees = 180.0 / M_PI;
} // namespace

BalanceCar::BalanceCar() = default;

double BalanceCar::TiltDegrees() const {
    return m_theta * kDegrees;
}

void BalanceCar::OnFrame(const QByteArray& frame) {
    if (!frame.startsWith('$') || !frame.endsWith('#'))
        return;
    const QList<QByteArray> f = frame.mid(1, frame.size() - 2).split(',');
    if (f.size() != 10) {
        emit log(QStringLiteral("ignored %1").arg(QString::fromLatin1(frame)));
        return;
    }
    auto num = [&f](int pos) { return f[pos - 1].toInt(); };
    QString what;
    if (num(5) == 1) {
        // Gain update: positions 7 to 10 carry AP, AD, VP, VI; 0 leaves a gain as it is.
        double* gains[4] = {&m_gains.ap, &m_gains.ad, &m_gains.vp, &m_gains.vi};
        const char* tags[4] = {"AP", "AD", "VP", "VI"};
        for (int i = 0; i < 4; ++i) {
            const QByteArray& field = f[6 + i];
            if (!field.startsWith(tags[i]))
                continue;
            bool ok = false;
            const double value = field.mid(2).toDouble(&ok);
            if (ok && value != 0.0)
                *gains[i] = value;
        }
        what = QStringLiteral("gains AP %1 AD %2 VP %3 VI %4")
                   .arg(m_gains.ap, 0, 'f', 2)
                   .arg(m_gains.ad, 0, 'f', 2)
                   .arg(m_gains.vp, 0, 'f', 2)
                   .arg(m_gains.vi, 0, 'f', 2);
    } else if (num(3) == 1) {
        emit send(PidReply());
        what = QStringLiteral("PID query");
    } else if (num(3) == 2) {
        m_gains = Gains();
        what = QStringLiteral("default gains");
    } else if (num(4) == 1 || num(4) == 2) {
        m_wave = num(4) == 1;
        what = m_wave ? QStringLiteral("waveform on") : QStringLiteral("waveform off");
    } else if (num(1) != 0) {
        static const double kTarget[] = {0, 0.3, -0.3, 0.15, 0.15};
        m_targetSpeed = kTarget[std::clamp(num(1), 0, 4)];
        m_turn = num(1) == 3 ? -1 : num(1) == 4 ? 1 : 0;
        what = QStringLiteral("drive %1").arg(num(1));
    } else if (num(2) != 0) {
        m_targetSpeed = 0;
        m_turn = num(2) == 1 ? -2 : 2;
        what = QStringLiteral("rotate %1").arg(num(2));
    } else {
        m_targetSpeed = 0;
        m_turn = 0;
        what = QStringLiteral("stop");
    }
    emit log(QStringLiteral("ack %1 %2").arg(QString::fromLatin1(frame), what));
}

void BalanceCar::Step(double dt) {
    std::normal_distribution<double> push(0.0, 3.0); // small bumps of the floor
    if (m_fallen) {
        m_fallenFor += dt;
        if (m_fallenFor >= 2.0) { // somebody stands it up again
            m_fallen = false;
            m_theta = 0.05;
            m_omega = m_v = m_speedIntegral = 0;
        }
        m_accel = 0;
        return;
    }
    const double error = m_v - m_targetSpeed;
    m_speedIntegral = std::clamp(m_speedIntegral + error * dt, -5.0, 5.0);
    const double u = m_gains.ap * 0.8 * m_theta + m_gains.ad * 0.4 * m_omega +
                     m_gains.vp * 0.05 * error + m_gains.vi * 0.05 * m_speedIntegral;
    m_accel = std::clamp(u, -kMaxAccel, kMaxAccel);
    const double alpha = (kG / kLength) * std::sin(m_theta) -
                         (m_accel / kLength) * std::cos(m_theta) + push(m_random);
    m_omega += alpha * dt;
    m_theta += m_omega * dt;
    m_v += m_accel * dt;
    m_x += m_v * dt;
    m_voltage = std::max(6.4, m_voltage - dt * (0.0005 + 0.0004 * std::abs(m_accel)));
    if (std::abs(m_theta) > 45.0 / kDegrees) {
        m_fallen = true;
        m_fallenFor = 0;
        m_theta = m_theta > 0 ? M_PI / 2 : -M_PI / 2;
        m_omega = m_v = 0;
    }
}

void BalanceCar::Simulate(double seconds) {
    for (double t = 0; t < seconds; t += kStep)
        Step(kStep);
}

void BalanceCar::Tick(double dt) {
    Simulate(dt);
    if (m_wave)
        emit send(TelemetryFrame());
}

QByteArray BalanceCar::TelemetryFrame() const {
    const int wheel = int(std::lround(m_v * 100));
    const int turn = int(std::lround(m_turn * 10));
    const int distance = std::clamp(int(std::lround((m_wall - m_x) * 100)), 2, 400);
    return QString::asprintf("$LV%d,RV%d,AC%.2f,GY%.2f,CSB%d,VT%.2f#", wheel + turn, wheel - turn,
                             m_accel / kG, m_theta * kDegrees, distance, m_voltage)
        .toLatin1();
}

QByteArray BalanceCar::PidReply() const {
    return QString::asprintf("$AP%.2f,AD%.2f,VP%.2f,VI%.2f#", m_gains.ap, m_gains.ad, m_gains.vp,
                             m_gains.vi)
        .toLatin1();
}

void RegisterBalanceCars() {
    RegisterDevice("balanceCar",
                   [](const Korvane::ProductInfo&) { return std::make_unique<BalanceCar>(); });
}

} // namespace KorvaneSim
