#pragma once

#include "device.h"

#include <QDateTime>
#include <QMap>
#include <QTimer>

#include <array>
#include <deque>

namespace KorvaneSim {

// A training board's firmware as the station sees it: it takes the board frames ("$51,..."
// for the 8051 boards, "$AR,..." for the Arduino kits), keeps the state they set (LEDs, stepper,
// fan, buzzer, clock, segment text, LCD screens, dot matrix) and logs it, logs every malformed
// frame as "bad <frame> <why>", sends its readings in turn, loops an infrared send back as a
// received code, and sees the serial assistant's raw bytes outside frames.
//
// Commands (standard input or script lines):
//   keys TEXT        press keypad keys, one "CALC" frame each ("keys 12+3="; 8051 boards)
//   irkey NAME       press a remote-control key ("irkey 1", "irkey POWERON"); the kits send
//                    the code in their own bit order
//   button N 0|1     release or press one of the kit's four buttons
//   tilt 0|1, touch 0|1 [RAW]   the kit's tilt and touch switches
//   joy X Y [Z]      move the kit's joystick (0 to 1023 each way, Z 1 while pressed)
//   ir CODE          receive an infrared code as it stands ("ir 00FFF30C")
//   reading TAG RAW  fix a reading's raw value ("reading GMS 128"; "reading GMS auto")
//   send FRAME       send a frame as it stands
//   dump             log the whole state
class TrainingBoard : public Device {
    Q_OBJECT
  public:
    explicit TrainingBoard(QByteArray family);

    void OnFrame(const QByteArray& frame) override;
    void OnRawBytes(const QByteArray& bytes) override;
    bool Command(const QString& line) override;
    void Tick(double dt) override;
    double DefaultRate() const override { return 5.0; }

    // State, for tests that run the board in-process.
    int LedBits() const { return m_leds; }
    QString LcdLine(int screen, int line) const; // screen 0: LCD1602 (2 lines), 1: LCD12864 (4)
    QByteArray SegmentText() const { return m_segment; }
    bool Dot(int row, int column) const { return m_dots[size_t(row * 8 + column)]; }
    QDateTime ClockSet() const { return m_clock; }
    int BadFrames() const { return m_bad; }

    bool IsKit() const { return m_family == "AR"; }
    int ServoAngle() const { return m_servo * 20; }

  private:
    void Bad(const QByteArray& frame, const QString& why);
    void Log(const QString& line) { emit log(line); }
    void OnLed(const QByteArray& frame, const QByteArray& body);
    void OnTime(const QByteArray& frame, const QByteArray& body);
    void OnSegment(const QByteArray& frame, const QByteArray& body);
    void OnLcd(const QByteArray& frame, const QByteArray& body);
    void OnDots(const QByteArray& frame, const QByteArray& body);
    void OnInfraredSend(const QByteArray& frame, const QByteArray& body);
    void Send(const QByteArray& body) { emit send("$" + m_family + "," + body + "#"); }
    void LogDots();
    void LogLcd(int screen);
    void TypeNextKey();
    QByteArray Reading(int which);
    QByteArray Joystick() const;

    QByteArray m_family;
    int m_leds = 0;         // bit n: P1.n
    QString m_ledMode;      // "", "flowing", "breathing"
    int m_stepper = 0;      // 0 stopped, 1 forward, 2 backward
    int m_stepperSpeed = 5; // 1 to 10
    int m_fan = 0;          // 0 stopped, 1 to 3 speed
    int m_beeps = 0;
    QDateTime m_clock;
    QByteArray m_segment;
    QString m_lcd[2][4];
    std::array<bool, 64> m_dots{};
    int m_bad = 0;

    bool m_inFrame = false; // the serial line, byte by byte: are we between "$" and "#"?
    QByteArray m_assistant; // raw bytes outside frames

    int m_servo = 0; // kits: the servo's step, 0 to 9 (20 degrees each)
    int m_joyX = 512, m_joyY = 512, m_joyZ = 0;
    bool m_touch = false;
    int m_touchRaw = 300;
    int m_next = 0;                // the reading sent on the next tick
    QMap<QByteArray, int> m_fixed; // readings fixed by command: tag -> raw value
    double m_time = 0;
    std::deque<char> m_keys; // keypad keys still to press
    QTimer m_keyTimer;
};

} // namespace KorvaneSim
