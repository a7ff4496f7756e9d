#pragma once

#include "device.h"

#include <random>

namespace KorvaneSim {

// A self-balancing car: an inverted pendulum on two wheels, held up by the firmware's angle
// loop (PD on the tilt) and speed loop (PI on the wheel speed) with the gains the station sets.
// Good gains make the tilt settle; a weak angle P lets it fall, no angle D lets it oscillate.
class BalanceCar : public Device {
    Q_OBJECT
  public:
    struct Gains {
        double ap = 25.0, ad = 3.3, vp = 3.0, vi = 0.1;
    };

    BalanceCar();
    void OnFrame(const QByteArray& frame) override;
    void Tick(double dt) override;
    double DefaultRate() const override { return 20.0; }

    const Gains& CurrentGains() const { return m_gains; }
    bool WaveformOn() const { return m_wave; }
    double TiltDegrees() const;
    bool Fallen() const { return m_fallen; }
    // Runs the physics without sending anything (tests, warm-up).
    void Simulate(double seconds);

  private:
    void Step(double dt);
    QByteArray TelemetryFrame() const;
    QByteArray PidReply() const;

    Gains m_gains;
    bool m_wave = false;
    // State: tilt (rad, positive forward), tilt rate, wheel speed (m/s), travelled (m).
    double m_theta = 0.05, m_omega = 0, m_v = 0, m_x = 0, m_speedIntegral = 0, m_accel = 0;
    double m_targetSpeed = 0, m_turn = 0, m_voltage = 8.2, m_wall = 1.5;
    bool m_fallen = false;
    double m_fallenFor = 0;
    std::mt19937 m_random{2024};
};

} // namespace KorvaneSim
