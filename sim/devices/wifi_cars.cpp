#include "wifi_cars.h"

#include <QList>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace KorvaneSim {

WifiCarDevice::WifiCarDevice(bool fourWd) : m_fourWd(fourWd), m_volts(fourWd ? 8.3 : 12.4) {
    m_clock.start();
}

bool WifiCarDevice::Command(const QString& line) {
    if (line.trimmed() != QLatin1String("dump"))
        return false;
    emit log(QStringLiteral("arm %1,%2,%3,%4,%5,%6")
                 .arg(m_arm[0])
                 .arg(m_arm[1])
                 .arg(m_arm[2])
                 .arg(m_arm[3])
                 .arg(m_arm[4])
                 .arg(m_arm[5]));
    emit log(QStringLiteral("drive %1, servo %2, light %3,%4,%5")
                 .arg(m_drive)
                 .arg(m_servo)
                 .arg(m_light[0])
                 .arg(m_light[1])
                 .arg(m_light[2]));
    return true;
}

void WifiCarDevice::Ack(const QByteArray& frame, const QString& what) {
    emit log(QStringLiteral("ack %1 %2").arg(QString::fromLatin1(frame), what));
}

bool WifiCarDevice::OnTagged(const QByteArray& frame) {
    const QByteArray prefix = m_fourWd ? "$4WD," : "$PDRX,";
    if (!frame.startsWith(prefix))
        return false;
    const QByteArray body = frame.mid(prefix.size(), frame.size() - prefix.size() - 1);
    auto number = [&body](const char* tag) {
        const qsizetype at = body.indexOf(tag);
        if (at < 0)
            return -1;
        qsizetype i = at + qsizetype(qstrlen(tag));
        int v = 0;
        while (i < body.size() && body[i] >= '0' && body[i] <= '9')
            v = v * 10 + (body[i++] - '0');
        return v;
    };
    if (body.startsWith("PTZ")) {
        m_servo = number("PTZ");
        const int pos = number("POS");
        Ack(frame, pos > 0
                       ? QStringLiteral("heading %1 stored as position %2").arg(m_servo).arg(pos)
                       : QStringLiteral("servo %1").arg(m_servo));
    } else if (body.startsWith("CLR")) {
        m_light = {number("CLR"), number("CLG"), number("CLB")};
        Ack(frame,
            QStringLiteral("light %1,%2,%3").arg(m_light[0]).arg(m_light[1]).arg(m_light[2]));
    } else if (body.startsWith("ServoJ1")) {
        static const char* const kJoints[6] = {"J1", "J2", "J3", "J4", "J5", "J6"};
        for (int j = 0; j < 6; ++j)
            m_arm[j] = number(j == 0 ? "ServoJ1" : kJoints[j]);
        Ack(frame, QStringLiteral("arm"));
        emit log(QStringLiteral("arm-pose %1 %2,%3,%4,%5,%6,%7")
                     .arg(m_clock.elapsed())
                     .arg(m_arm[0])
                     .arg(m_arm[1])
                     .arg(m_arm[2])
                     .arg(m_arm[3])
                     .arg(m_arm[4])
                     .arg(m_arm[5]));
    } else {
        Ack(frame, QStringLiteral("unknown tag"));
    }
    return true;
}

void WifiCarDevice::OnFrame(const QByteArray& frame) {
    if (!frame.startsWith('$') || !frame.endsWith('#'))
        return;
    if (OnTagged(frame))
        return;
    const QList<QByteArray> f = frame.mid(1, frame.size() - 2).split(',');
    const int fields = m_fourWd ? 9 : 6;
    if (f.size() != fields) {
        emit log(
            QStringLiteral("ignored %1 (not a frame of this car)").arg(QString::fromLatin1(frame)));
        return;
    }
    auto field = [&f](int pos) { return f.value(pos - 1).toInt(); };
    const int stop = m_fourWd ? 0 : 8;
    QString what;
    if (field(1) != 0 || (m_fourWd && frame == "$0,0,0,0,0,0,0,0,0#")) {
        m_drive = field(1) == stop ? 0 : field(1);
        m_spin = 0;
        static const char* const kDrive[] = {"stop", "forward", "back", "left", "right"};
        what = QString::fromLatin1(kDrive[std::clamp(m_drive, 0, 4)]);
    } else if (field(2) != 0) {
        m_spin = field(2) == 8 ? 0 : field(2);
        m_drive = 0;
        const char* turn = m_spin == 0   ? "stop drifting"
                           : m_spin == 1 ? (m_fourWd ? "spin left" : "drift left")
                                         : (m_fourWd ? "spin right" : "drift right");
        what = QString::fromLatin1(turn);
    } else if (field(3) != 0) {
        what = QStringLiteral("horn");
    } else if (field(4) != 0) {
        m_speed = std::clamp(m_speed + (field(4) == 1 ? 1 : -1), 1, 5);
        what = QStringLiteral("speed %1").arg(m_speed);
    } else if (field(5) != 0) {
        const int c = field(5);
        if (c == 8) {
            m_camera = 0;
            what = QStringLiteral("camera stop");
        } else if (c >= 3) {
            m_camera = c;
            what = QStringLiteral("camera moving %1").arg(c);
        } else {
            m_servo = c == 1 ? 0 : 180;
            what = QStringLiteral("servo %1").arg(m_servo);
        }
    } else if (m_fourWd && field(7) != 0) {
        static const int kColours[4][3] = {{255, 255, 255}, {255, 0, 0}, {0, 255, 0}, {0, 0, 255}};
        const int c = std::clamp(field(7), 1, 4) - 1;
        m_light = {kColours[c][0], kColours[c][1], kColours[c][2]};
        what = QStringLiteral("light %1,%2,%3").arg(m_light[0]).arg(m_light[1]).arg(m_light[2]);
    } else if (!m_fourWd && field(6) != 0) {
        static const int kColours[4][3] = {{255, 255, 255}, {255, 0, 0}, {0, 255, 0}, {0, 0, 255}};
        const int c = std::clamp(field(6), 1, 4) - 1;
        m_light = {kColours[c][0], kColours[c][1], kColours[c][2]};
        what = QStringLiteral("light %1,%2,%3").arg(m_light[0]).arg(m_light[1]).arg(m_light[2]);
    } else if (m_fourWd && field(8) != 0) {
        what = QStringLiteral("fan");
    } else if (m_fourWd && field(9) != 0) {
        m_servo = 90;
        what = QStringLiteral("servo 90");
    } else {
        what = QStringLiteral("nothing");
    }
    Ack(frame, what);
}

void WifiCarDevice::Tick(double dt) {
    m_time += dt;
    const double v = 8.0 * m_speed; // cm per second
    if (m_drive == 1)
        m_distance -= v * dt;
    else if (m_drive == 2)
        m_distance += v * dt;
    if (m_drive == 3 || m_drive == 4 || m_spin != 0) {
        const double sign = (m_drive == 3 || m_spin == 1) ? -1 : 1;
        m_heading += sign * 90 * dt;
        m_lateral += sign * 2 * dt;
        m_turned += dt;
        if (m_turned >= 1.0) { // facing another wall now
            m_turned = 0;
            m_seed = m_seed * 1103515245u + 12345u;
            m_distance = 20.0 + double((m_seed >> 8) % 250);
        }
    }
    if (m_distance <= 5) {
        m_distance = 5;
        m_drive = 0; // stopped in front of the obstacle
    }
    m_distance = std::min(m_distance, 400.0);
    if (m_camera == 3 || m_camera == 6)
        m_cameraAngle = std::max(0.0, m_cameraAngle - 60 * dt);
    else if (m_camera == 4 || m_camera == 7)
        m_cameraAngle = std::min(180.0, m_cameraAngle + 60 * dt);
    // The battery drains faster while driving.
    const double load = (m_drive || m_spin) ? 0.004 : 0.0005;
    const double empty = m_fourWd ? 6.4 : 9.0;
    m_volts = std::max(empty, m_volts - load * dt);
    emit send(TelemetryFrame());
}

QByteArray WifiCarDevice::TelemetryFrame() const {
    // A floor line under the tracking sensors wanders as the car drives and turns.
    const double line = std::sin(m_time * 0.7 + m_lateral) * 1.6 + 1.5; // 0..3
    char lf[5] = "0000";
    lf[std::clamp(int(line), 0, 3)] = '1';
    const int cm = int(std::lround(m_distance));
    char frame[96];
    if (m_fourWd) {
        const bool obstacleLeft = cm < 25 && std::fmod(m_heading, 360.0) < 180;
        const bool obstacleRight = cm < 25 && !obstacleLeft;
        const double light = std::cos((m_heading - 45) * M_PI / 180);
        const int floorColour = int(m_time / 3) % 4;
        std::snprintf(frame, sizeof frame, "$4WD,CSB%d,PV%.2f,GS%d,LF%s,HW%d%d,GM%d%d#", cm,
                      m_volts, floorColour, lf, obstacleLeft, obstacleRight, light > 0.5,
                      light < -0.5);
    } else {
        std::snprintf(frame, sizeof frame, "$PDRX,CSB%d,PV%.2f,LF%s,#", cm, m_volts, lf);
    }
    return QByteArray(frame);
}

void RegisterWifiCars() {
    RegisterDevice("fourWdCar", [](const Korvane::ProductInfo&) {
        return std::make_unique<WifiCarDevice>(true);
    });
    RegisterDevice("tricycleCar", [](const Korvane::ProductInfo&) {
        return std::make_unique<WifiCarDevice>(false);
    });
}

} // namespace KorvaneSim
