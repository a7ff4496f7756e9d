#pragma once

#include "core/boards/infrared_keys.h"

#include <QByteArray>
#include <QDate>
#include <QString>

#include <algorithm>
#include <optional>
#include <vector>

namespace Korvane {

// Frames of the training boards. family is "51" for the 8051 boards and "AR" for the Arduino
// kits; text payloads are GBK bytes.
namespace BoardFrames {

// "$<family>,LED<n><0|1>#": LED n on or off ("$51,LED00#" also stops the flowing and the
// breathing light; "LED02" and "LED03" start them).
QByteArray Led(const QByteArray& family, int n, bool on);

// The clock frame "$51,TIME<n>,<yyyyMMdd><HH><mm><ss>#" for button n (1 segment display,
// 2 LCD1602, 3 LCD12864).
QByteArray Time(int n, const QDate& date, int hour, int minute, int second);

// Which clock field is out of range, for the message the user sees.
enum class ClockError { None, Hour, Minute, Second };
ClockError CheckClock(int hour, int minute, int second);
const char* ClockErrorText(ClockError error);

// "$51,HS" + the four codes, without separators, + "#".
QByteArray IrSend(const QByteArray& user1, const QByteArray& user2, const QByteArray& op1,
                  const QByteArray& op2);

// The segment output: "$<family>,SMG4,<text>#" or "SMG8"; nullopt when text does not have
// exactly the digit count (4 or 8) of bytes.
std::optional<QByteArray> Segment(const QByteArray& family, int digits, const QByteArray& text);
const char* SegmentLengthText(int digits);
// A message of the above in the language in use.
QString BoardText(const char* text);

// One LCD line: prefix + line number + "," + the text padded to 16 bytes + "#";
// prefix is "$51,LCD1602," or "$51,LCD12864,".
QByteArray LcdLine(const QByteArray& prefix, int line, const QByteArray& text);

// One step of a paced sequence: a frame (empty: nothing goes out at this step) and the pause
// before the next step.
struct PacedStep {
    QByteArray frame;
    int pauseAfterMs = 0;
};
// "LCD1602 show": line 1, a 100 ms pause (always), line 2; empty lines send nothing.
std::vector<PacedStep> Lcd1602Show(const QByteArray& line1, const QByteArray& line2);
// "LCD12864 show": lines 1 to 4 with 100 ms after each of the first three.
std::vector<PacedStep> Lcd12864Show(const QByteArray (&lines)[4]);
constexpr int kLcdGapMs = 100;

// "LCD1602 show" of the Arduino kits: both line frames in one text, back to back (empty
// lines contribute nothing).
QByteArray Lcd1602Joined(const QByteArray& family, const QByteArray& line1,
                         const QByteArray& line2);

} // namespace BoardFrames

// The flowing light's lamp chase: each tick lights the next lamp (eight on the 8051 boards,
// four on the Arduino kits).
struct CLampChase {
    int count = 8;
    int step = 0;
    // The lamp lit by this tick (0 is the first); the step moves on and wraps.
    int Tick() {
        const int lit = step;
        step = (step + 1) % count;
        return lit;
    }
};

// The Arduino kit's servo: ten steps of 20 degrees; swings stop at the ends, reset is step 5.
struct CServo {
    int step = 0;
    QByteArray SwingLeft() { return Frame(step = std::min(step + 1, 9)); }
    QByteArray SwingRight() { return Frame(step = std::max(step - 1, 0)); }
    QByteArray Reset() { return Frame(step = 5); }
    // "%d °" of step times 20 (the text before the first swing is "0°").
    QString AngleText() const;
    static QByteArray Frame(int step) { return "$AR,SER" + QByteArray::number(step) + "#"; }
};

// Readings both kinds of board report, as one frame changes them. Texts from a board are
// read as GBK.
struct BoardReadings {
    std::optional<QString> adRaw, adConverted;
    std::optional<QString> distance, temperature; // with their units
    std::optional<bool> motion, sound;            // lamps 1178 and 1179
    std::optional<IrValues> infrared;
};

// What one frame routed to the 8051 board panel changes. Tags are searched anywhere in the
// frame and looked at in a fixed order (AD, other sensor, infrared, calculator); a frame can
// end early, and stoppedAt says where.
struct Board51Update : BoardReadings {
    enum Stop { Completed, StoppedAtAd, StoppedAtInfrared };
    bool calculator = false; // the frame carries a keypad key ("CALC")
    Stop stoppedAt = Completed;
};

// AD sources 0 to 4 (light, thermistor, voltage, SW1, SW2) and sensor choices 0 to 3
// (ultrasonic, DS18B20, motion, sound) decide which readings count.
Board51Update ParseBoard51Frame(const QByteArray& frame, int adSource, int sensorChoice,
                                const IrValues& infraredNow);

// What one frame routed to the Arduino kit panel changes, looked at in the kit's order:
// buttons, tilt, touch, infrared, the chosen sensor, the chosen AD reading, the joystick.
struct KitUpdate : BoardReadings {
    enum Stop {
        Completed,
        StoppedAtButton,
        StoppedAtTouch,
        StoppedAtInfrared,
        StoppedAtSensor,
        StoppedAtAd,
        StoppedAtJoystick
    };
    std::optional<bool> buttons[4]; // lamps 1219, 1220, 1222, 1223
    std::optional<bool> tilt, touch;
    std::optional<QString> touchValue;
    std::optional<QString> airTemperature, humidity;
    std::optional<QString> joyX, joyY, joyZ;
    // The joystick direction 0 to 9 (0: no lamp); another direction leaves the lamps.
    std::optional<int> joyDirection;
    Stop stoppedAt = Completed;
};

// Sensor choices 0 to 4 (ultrasonic, DS18B20, DHT11, motion, sound) and AD sources 0 to 3
// (light, thermistor, voltage, smoke) decide which readings count.
KitUpdate ParseKitFrame(const QByteArray& frame, int sensorChoice, int adSource,
                        const IrValues& infraredNow);

} // namespace Korvane
