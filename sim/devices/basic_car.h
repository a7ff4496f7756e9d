#pragma once

#include "device.h"

namespace KorvaneSim {

// A small robot car with an ultrasonic sensor facing forward, in a room with walls.
// It follows the button frames (13 fields) and the key frames (10 fields) and reports
// "$d,s,0,0,0,0,0,0,0,0,0,<distance>,0#": drive and spin state, then the distance in cm.
class BasicCar : public Device {
    Q_OBJECT
  public:
    BasicCar();
    void OnFrame(const QByteArray& frame) override;
    void Tick(double dt) override;

    int Drive() const { return m_drive; }
    int Spin() const { return m_spin; }
    int Speed() const { return m_speed; }
    double Distance() const { return m_distance; }

  private:
    void NewWall();

    int m_drive = 0; // 0 stop, 1 forward, 2 back, 3 left, 4 right
    int m_spin = 0;  // 0 none, 1 left, 2 right
    int m_speed = 3; // 1 to 5
    double m_distance = 120.0;
    unsigned m_seed = 12345;
    double m_turned = 0.0;
};

} // namespace KorvaneSim
