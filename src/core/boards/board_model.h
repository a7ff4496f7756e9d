#pragma once

#include "core/boards/board_frames.h"
#include "core/boards/infrared_keys.h"
#include "core/boards/keypad_calculator.h"

#include "core/panels/panel_model.h"

namespace Korvane {

// The values of a board panel, by field: what the board reports (readings, lamps, the
// keypad's formula) and what the user sets (LCD lines, segment text, sensor choice, clock,
// infrared code...). Both boards share the fields they have in common.
namespace BoardField {
enum : int {
    // Every board.
    DigitChoice,   // int: the segment display's digit count, by radio
    SegmentText,   // text the user typed for the segment display
    SegmentShown,  // bytes the segment display shows (what was last sent)
    Lcd1602Line1,  // LCD1602 lines as typed
    Lcd1602Line2,  //
    SerialSend,    // the serial assistant's text to send
    SerialReceive, // the last frame from the board, decoded
    IrInternal,    // the infrared receiver's code and its key name
    IrTranslated,  //
    AdSource,      // int: which AD input counts
    SensorChoice,  // int: which sensor counts
    AdRaw,         // readings as text with their units
    AdConverted,
    Distance,
    Temperature,
    Motion, // bool lamps
    Sound,
    // The 8051 boards.
    ClockDate, // QDate
    ClockHour, // texts as typed (0 to 255)
    ClockMinute,
    ClockSecond,
    TimeText, // the PC's clock, once a second
    IrUser1,  // the infrared sender's code, as typed (hexadecimal)
    IrUser2,
    IrOp1,
    IrOp2,
    Lcd12864Line1, // four lines as typed
    Lcd12864Line2,
    Lcd12864Line3,
    Lcd12864Line4,
    Formula, // the keypad calculator's formula and result (the board's keys and the user)
    Result,  //
    KeyLit,  // int: the keypad key shown lit (-1: none yet)
    // The Arduino kits.
    TouchValue,
    ServoAngle,
    AirTemperature,
    Humidity,
    JoyX,
    JoyY,
    JoyZ,
    JoyDirection, // int: the lit joystick lamp, 1 to 9 (0: none)
    Tilt,         // bool lamps
    Touch,
    Button0,                // bool lamps of the kit's four buttons: Button0 + i
    LedLamp0 = Button0 + 4, // bool lamps of the LEDs: LedLamp0 + i (at most eight)
    Count = LedLamp0 + 8
};
} // namespace BoardField

// A board panel's state (see CPanelModel), with the parsers of both boards' frames.
class CBoardModel : public CPanelModel {
    Q_OBJECT
  public:
    explicit CBoardModel(QObject* parent = nullptr);

    // The infrared receiver's values (the parsers keep what a frame leaves out).
    const IrValues& Infrared() const { return m_infrared; }
    CKeypadCalculator& Calculator() { return m_calculator; }

    // One frame routed to an 8051 board: its readings and the calculator's key. Returns the
    // message the frame raises (a zero divisor), empty for none.
    // What the frame carried is given in update when asked.
    QString ApplyBoard51Frame(const QByteArray& frame, Board51Update* update = nullptr);
    // One frame routed to an Arduino kit.
    void ApplyKitFrame(const QByteArray& frame, KitUpdate* update = nullptr);

  private:
    void ApplyReadings(const BoardReadings& r);

    IrValues m_infrared;
    CKeypadCalculator m_calculator;
};

} // namespace Korvane
