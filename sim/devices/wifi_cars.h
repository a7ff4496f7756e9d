#pragma once

#include "device.h"

#include <QElapsedTimer>

#include <array>

namespace KorvaneSim {

// The 4WD car (products 10 to 13) and the tricycle car (14, 15). Both follow the panels'
// fixed frames (nine or six fields) and tagged frames ("$4WD,..." / "$PDRX,..."), drive in a
// room with walls, drain their battery with load, follow a line on the floor under their
// tracking sensors, and report "$4WD,CSB..,PV..,GS..,LF....,HW..,GM..#" or
// "$PDRX,CSB..,PV..,LF....,#". The camera mount turns while a camera button is held and stops
// at the stop frame. Every arm pose it receives is logged with the milliseconds since the
// device began: "arm-pose <ms> <j1>,<j2>,<j3>,<j4>,<j5>,<j6>".
class WifiCarDevice : public Device {
    Q_OBJECT
  public:
    explicit WifiCarDevice(bool fourWd);
    void OnFrame(const QByteArray& frame) override;
    void Tick(double dt) override;
    // "dump": the car's state, the arm's pose among it.
    bool Command(const QString& line) override;

    int Drive() const { return m_drive; }
    int Camera() const { return m_camera; } // 0 still, else the moving direction's code
    double CameraAngle() const { return m_cameraAngle; }
    std::array<int, 3> Light() const { return m_light; }
    std::array<int, 6> Arm() const { return m_arm; }
    int Servo() const { return m_servo; }
    double Volts() const { return m_volts; }
    QByteArray TelemetryFrame() const;

  private:
    void Ack(const QByteArray& frame, const QString& what);
    bool OnTagged(const QByteArray& frame);

    bool m_fourWd;
    QElapsedTimer m_clock; // times of the arm poses in the log
    int m_drive = 0, m_spin = 0, m_speed = 3, m_camera = 0, m_servo = 90;
    double m_distance = 150, m_volts, m_heading = 0, m_lateral = 0, m_cameraAngle = 90;
    double m_time = 0, m_turned = 0;
    unsigned m_seed = 4242;
    std::array<int, 3> m_light{};
    std::array<int, 6> m_arm{90, 90, 90, 90, 90, 90};
};

} // namespace KorvaneSim
