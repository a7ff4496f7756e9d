#pragma once

#include "core/link/frames.h"

#include <QByteArray>
#include <QHostAddress>
#include <QString>

#include <array>
#include <optional>
#include <span>

namespace Korvane {

// The two Wi-Fi car families: the 4WD car (nine-field frames, tag "4WD")
// and the tricycle car (six-field frames, tag "PDRX").
enum class WifiCar { FourWd, Pendrix };
// The Wi-Fi car a panel id serves; none for the other panels.
std::optional<WifiCar> WifiCarOfPanel(int panelId);

// The buttons of the Wi-Fi car panels whose clicks send a fixed frame or move the camera,
// named by what they do on the 4WD car (the tricycle car uses the same controls for its
// drifting: SpinLeft/SpinRight drift, Fan stops drifting; the servo buttons store positions).
namespace WifiControl {
enum : int {
    SpinLeft = 1257,
    SpinRight = 1258,
    ServoLeft = 1259,
    ServoMiddle = 1260,
    ServoRight = 1261,
    Fan = 1262,
    Horn = 1263,
    Faster = 1264,
    Slower = 1265,
    White = 1266,
    Red = 1267,
    Green = 1268,
    Blue = 1269,
    Forward = 1272,
    Back = 1273,
    Left = 1274,
    Right = 1275,
    Stop = 1276,
    CameraUp = 1314,
    CameraDown = 1315,
    CameraLeft = 1316,
    CameraRight = 1317,
};
} // namespace WifiControl

// A button and the frame it sends.
struct ButtonFrame {
    int control; // WifiControl
    const char* frame;
};
// What one sensor tag of a car's frames is read up to.
struct SensorTag {
    const char* name;
    char terminator;
};

// Everything that tells the two Wi-Fi cars apart, in one place: the code of both families
// reads these and never asks which car it is.
struct WifiCarTraits {
    WifiCar car;
    const char* tag;                      // "4WD": in every frame, also their prefix "$4WD,"
    std::span<const ButtonFrame> buttons; // fixed frames of the panel's buttons
    std::span<const ButtonFrame> camera;  // frames a camera button sends while held
    const char* cameraStop;               // and the one its release sends
    std::span<const DrivingKey> keys;     // the driving keys
    qint64 batteryZeroMv, batteryStepMv;  // the battery's 0 % and one percent
    std::span<const SensorTag> sensors;   // the tags of a sensor frame, in the order read
    bool servoPositions;                  // the servo buttons store the angle as a position
};
const WifiCarTraits& Traits(WifiCar car);

// The fixed frame of a panel button (by control id), or empty when the button sends none.
QByteArray WifiButtonFrame(WifiCar car, int controlId);
// Whether a frame is one of the car's buttons with a fixed frame.
bool IsWifiButtonFrame(WifiCar car, const QByteArray& frame);
// The frame a camera button sends while it is pressed (empty for other ids), and the one
// that stops the camera.
QByteArray CameraPressFrame(WifiCar car, int controlId);
QByteArray CameraStopFrame(WifiCar car);
DrivingKeyTable WifiCarKeys(WifiCar car);

// Tagged frames: "$4WD,PTZ90#", "$PDRX,PTZ75,POS2#", "$4WD,CLR1,CLG2,CLB3#",
// "$4WD,ServoJ110,J220,J330,J440,J550,J660#".
QByteArray PtzFrame(WifiCar car, int angle);
QByteArray PositionFrame(int angle, int position);
QByteArray ColourFrame(WifiCar car, int red, int green, int blue);
QByteArray ArmFrame(const std::array<int, 6>& joints);
// "R:%03d,G:%03d,B:%03d".
QString ColourLabel(int red, int green, int blue);
// "%1.2f/%d%%": the battery as the panels show it.
QString BatteryLabel(double volts, int percent);

// The battery as the car reports it in "PV": volts read in single precision, the percentage
// by the cars' own formula (4WD: 6.4 V is 0 %, 8.4 V is 100 %; tricycle: 9.0 V and 12.6 V),
// and the text "%1.2f/%d%%". A value that is not a finite number counts as 0 V; a product too
// large for an int saturates.
struct BatteryReading {
    float volts = 0;
    int percent = 0;
    QString text;
    // The progress bar's position: the percentage held within 0 to 100.
    int BarValue() const { return std::clamp(percent, 0, 100); }
};
BatteryReading ReadBattery(WifiCar car, const QByteArray& value);

// What one sensor text sets. Each tag is looked for at its first occurrence, in the family's
// order; a tag without its terminator ends the parse (what came before stays).
struct SensorUpdate {
    bool tagged = false;                         // the text carries the family tag ("4WD" / "PDRX")
    bool complete = false;                       // the parse reached its end
    std::optional<QByteArray> distance;          // CSB
    std::optional<BatteryReading> battery;       // PV
    std::optional<QByteArray> colour;            // GS (4WD)
    std::optional<std::array<bool, 4>> tracking; // LF
    std::optional<std::array<bool, 2>> obstacle; // HW (4WD)
    std::optional<std::array<bool, 2>> light;    // GM (4WD)
};
SensorUpdate ParseSensors(WifiCar car, const QByteArray& text);

// The control service's address as typed: a dotted IPv4 address (also the short forms such
// as "127.1"); nothing for a host name, an IPv6 address or garbage.
std::optional<QHostAddress> ParseControlAddress(const QString& text);
// The port as typed: its leading digits, saturating ("8888x" is 8888, "abc" is 0,
// "99999999999" stays far above 65535). Only 1 to 65535 can be connected to.
qint64 ParseControlPort(const QString& text);
bool IsUsablePort(qint64 port);

} // namespace Korvane
