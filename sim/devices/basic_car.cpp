#include "basic_car.h"

#include <QList>

#include <algorithm>
#include <cmath>

namespace KorvaneSim {

BasicCar::BasicCar() = default;

void BasicCar::NewWall() {
    // A turn points the sensor at another wall: a pseudo-random but repeatable distance.
    m_seed = m_seed * 1103515245u + 12345u;
    m_distance = 20.0 + double((m_seed >> 8) % 280);
}

void BasicCar::OnFrame(const QByteArray& frame) {
    if (!frame.startsWith('$') || !frame.endsWith('#'))
        return;
    const QList<QByteArray> f = frame.mid(1, frame.size() - 2).split(',');
    if (f.size() != 13 && f.size() != 10) {
        emit log(QStringLiteral("ignored %1 (not a car frame)").arg(QString::fromLatin1(frame)));
        return;
    }
    auto field = [&f](int pos) { return f.value(pos - 1).toInt(); };
    QString what;
    if (field(1) != 0) {
        m_drive = field(1);
        m_spin = 0;
        static const char* const kDrive[] = {"", "forward", "back", "left", "right"};
        what = QString::fromLatin1(kDrive[std::clamp(m_drive, 0, 4)]);
    } else if (field(2) != 0) {
        m_spin = field(2);
        m_drive = 0;
        what = m_spin == 1 ? QStringLiteral("spin left") : QStringLiteral("spin right");
    } else if (f.size() == 13) {
        static const char* const kButtons[] = {
            "horn", "speed up", "slow down", "second-row left",  "second-row right",
            "sing", "LED",      "fire out",  "second-row centre"};
        for (int pos = 3; pos <= 11; ++pos)
            if (field(pos) != 0)
                what = QString::fromLatin1(kButtons[pos - 3]);
        if (field(4) != 0)
            m_speed = std::min(5, m_speed + 1);
        if (field(5) != 0)
            m_speed = std::max(1, m_speed - 1);
        if (what.isEmpty()) {
            m_drive = m_spin = 0;
            what = QStringLiteral("stop");
        }
    } else {
        m_drive = m_spin = 0;
        what = QStringLiteral("stop");
    }
    emit log(QStringLiteral("ack %1 %2").arg(QString::fromLatin1(frame), what));
}

void BasicCar::Tick(double dt) {
    const double v = 10.0 * m_speed; // cm per second
    if (m_drive == 1)
        m_distance -= v * dt;
    else if (m_drive == 2)
        m_distance += v * dt;
    if (m_drive == 3 || m_drive == 4 || m_spin != 0) {
        m_turned += dt;
        if (m_turned >= 0.5) { // a quarter turn every half second
            m_turned = 0;
            NewWall();
        }
    }
    if (m_distance <= 3.0) {
        m_distance = 3.0;
        m_drive = 0; // the car stops in front of the wall
    }
    m_distance = std::min(m_distance, 400.0);
    const int cm = int(std::lround(m_distance));
    emit send(QStringLiteral("$%1,%2,0,0,0,0,0,0,0,0,0,%3,0#")
                  .arg(m_drive)
                  .arg(m_spin)
                  .arg(cm)
                  .toLatin1());
}

void RegisterBasicCars() {
    RegisterDevice("basicCar",
                   [](const Korvane::ProductInfo&) { return std::make_unique<BasicCar>(); });
}

} // namespace KorvaneSim
