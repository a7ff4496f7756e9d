#pragma once

#include "infrared_keys.h"

#include <QByteArray>
#include <QDate>
#include <QString>

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

} // namespace BoardFrames

// The flowing light's lamp chase: each tick lights the next of eight lamps.
struct CLampChase {
    int step = 0;
    // The lamp lit by this tick (0 is P1.0); the step moves on, 7 wraps to 0.
    int Tick() {
        const int lit = step;
        step = (step + 1) % 8;
        return lit;
    }
};

// What one frame routed to the 8051 board panel changes. Tags are searched anywhere in the
// frame and looked at in a fixed order (AD, other sensor, infrared, calculator); a frame can
// end early, and stoppedAt says where.
struct Board51Update {
    enum Stop { Completed, StoppedAtAd, StoppedAtInfrared };
    // Texts from the board are read as GBK.
    std::optional<QString> adRaw, adConverted;
    std::optional<QString> distance, temperature; // with their units
    std::optional<bool> motion, sound;            // lamps 1178 and 1179
    std::optional<IrValues> infrared;
    bool calculator = false; // the frame carries a keypad key ("CALC")
    Stop stoppedAt = Completed;
};

// AD sources 0 to 4 (light, thermistor, voltage, SW1, SW2) and sensor choices 0 to 3
// (ultrasonic, DS18B20, motion, sound) decide which readings count.
Board51Update ParseBoard51Frame(const QByteArray& frame, int adSource, int sensorChoice,
                                const IrValues& infraredNow);

} // namespace Korvane
