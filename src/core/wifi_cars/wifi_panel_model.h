#pragma once

#include "core/panels/panel_model.h"
#include "core/wifi_cars/arm_steps.h"
#include "core/wifi_cars/wifi_car_model.h"

namespace Korvane {

namespace WifiField {
enum : int {
    Red, // the searchlight's colour, 0 to 255 each
    Green,
    Blue,
    Angle,          // the servo angle (4WD) or heading calibration (tricycle), 0 to 180
    BatteryVolts,   // the car's voltage as it reads (single precision); none before a reading
    BatteryPercent, // the cars' own percentage of it (may lie outside 0 to 100)
    BatteryBar,     // the battery bar's position, 0 to 100
    Distance,       // the ultrasonic distance as the car sends it
    ColourSensor,   // the 4WD car's colour sensor reading
    ColourName,
    Tracking0,                   // bool lamps L1, L2, R1, R2: Tracking0 + i
    Obstacle0 = Tracking0 + 4,   // bool lamps L1, R1 (4WD): Obstacle0 + i
    Light0 = Obstacle0 + 2,      // bool lamps L1, R1 (4WD): Light0 + i
    Joint0 = Light0 + 2,         // the 4WD car's arm, J1 to J6, 0 to 180: Joint0 + j
    ControlAddress = Joint0 + 6, // the control service and the camera, as the user typed them
    ControlPort,
    VideoAddress,
    Count
};
} // namespace WifiField

// A Wi-Fi car panel's state (see CPanelModel), with the parser of the car's sensor texts:
// the same for frames from the serial link and from the control connection.
class CWifiCarModel : public CPanelModel {
    Q_OBJECT
  public:
    explicit CWifiCarModel(WifiCar car, QObject* parent = nullptr);

    // One sensor text; false when it does not carry the car's tag (nothing changes then).
    // What the text carried is given in update when asked.
    bool ApplySensors(const QByteArray& text, SensorUpdate* update = nullptr);
    // The searchlight's colour.
    void SetColour(int red, int green, int blue);
    // The arm's pose, as the panel's joints hold it.
    ArmPose Pose() const;
    void SetPose(const ArmPose& pose);

  private:
    WifiCar m_car;
};

} // namespace Korvane
