// The training boards' core on byte fixtures: infrared keys, the keypad calculator, GBK on
// the wire, the board frames and the 8051 frame parser, the paced sender and the dot matrix.
#include "core/boards/board_frames.h"
#include "core/boards/board_model.h"
#include "core/boards/board_text.h"
#include "core/boards/dot_matrix.h"
#include "core/boards/infrared_keys.h"
#include "core/boards/keypad_calculator.h"
#include "core/boards/paced_sender.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>

using namespace Korvane;

namespace {

// Feeds keys to a calculator as the board's frames do.
CKeypadCalculator::Outcome Keys(CKeypadCalculator& calc, const QByteArray& keys) {
    CKeypadCalculator::Outcome last;
    for (char k : keys)
        last = calc.HandleFrame(QByteArray("$51,CALC") + k + "#");
    return last;
}

} // namespace

class TestBoardCore : public QObject {
    Q_OBJECT
  private slots:
    void infraredKeyNames() {
        QCOMPARE(KeyName("00FFF30C", IrVariant::Board51), QByteArray("1"));
        QCOMPARE(KeyName("00FF30CF", IrVariant::Arduino), QByteArray("1")); // 30 reversed: 0C
        QCOMPARE(KeyName("00FFA2XX", IrVariant::Arduino), QByteArray("POWERON"));
        QCOMPARE(KeyName("00FFF37", IrVariant::Board51), QByteArray("LAST")); // only the 7
        QCOMPARE(KeyName("00FFF3ZZ", IrVariant::Board51), QByteArray("UNKNOW"));
        QCOMPARE(KeyName("00FFF3FF", IrVariant::Board51), QByteArray("UNKNOW"));
        // Exactly the one or two key characters count: "00FFF30C12" reads 0C, not 0C12.
        QCOMPARE(KeyName("00FFF30C12", IrVariant::Board51), QByteArray("1"));
        // Too short to hold the key byte: a name, not a failure.
        QCOMPARE(KeyName("00FFF3", IrVariant::Board51), QByteArray("UNKNOW"));
        QCOMPARE(KeyName("00FF", IrVariant::Arduino), QByteArray("UNKNOW"));
        QCOMPARE(KeyName("", IrVariant::Board51), QByteArray("UNKNOW"));
        // Every table row in both bit orders.
        const struct {
            const char* hex;
            const char* name;
        } table[] = {{"07", "LAST"}, {"08", "4"}, {"09", "NEXT"}, {"0C", "1"},    {"0D", "C"},
                     {"15", "PLAY"}, {"16", "0"}, {"18", "2"},    {"19", "-"},    {"1C", "5"},
                     {"40", "+"},    {"42", "7"}, {"43", "BACK"}, {"44", "TEST"}, {"45", "POWERON"},
                     {"47", "MENU"}, {"4A", "9"}, {"52", "8"},    {"5A", "6"},    {"5E", "3"}};
        for (const auto& row : table) {
            QCOMPARE(KeyName(QByteArray("00FFF3") + row.hex, IrVariant::Board51),
                     QByteArray(row.name));
            const uint v = QByteArray(row.hex).toUInt(nullptr, 16);
            uint reversed = 0;
            for (int b = 0; b < 8; ++b)
                if (v & (1u << b))
                    reversed |= 1u << (7 - b);
            const QByteArray arduino =
                "00FF" + QByteArray::number(reversed, 16).toUpper().rightJustified(2, '0');
            QCOMPARE(KeyName(arduino, IrVariant::Arduino), QByteArray(row.name));
        }
        // The C rule of the hexadecimal conversion, in 32 bits.
        QCOMPARE(LeadingHex32(" 7"), 7u);
        QCOMPARE(LeadingHex32("+a"), 10u);
        QCOMPARE(LeadingHex32("-1"), 0xFFFFFFFFu);
        QCOMPARE(LeadingHex32("0x1F"), 0x1Fu);
        QCOMPARE(LeadingHex32("0x"), 0u);
        QCOMPARE(LeadingHex32("FFFFFFFFFF"), 0xFFFFFFFFu);
        QCOMPARE(LeadingHex32("G1"), 0u);
    }

    void infraredFrameRule() {
        IrValues ir{"old", "OLD"};
        QVERIFY(ApplyInfraredFrame("$51,HSX,00FFF30C#", IrVariant::Board51, &ir));
        QCOMPARE(ir.internalCode, QByteArray("00FFF30C"));
        QCOMPARE(ir.translatedCode, QByteArray("1"));
        QVERIFY(ApplyInfraredFrame("$51,HSPOWER,45#", IrVariant::Board51, &ir));
        QCOMPARE(ir.internalCode, QByteArray("45"));
        QCOMPARE(ir.translatedCode, QByteArray("POWER"));
        QVERIFY(ApplyInfraredFrame("$51,HS,45#", IrVariant::Board51, &ir));
        QCOMPARE(ir.translatedCode, QByteArray(""));
        // A short code translates to UNKNOW: the new code never stands beside an old name.
        QVERIFY(ApplyInfraredFrame("$51,HSX,12#", IrVariant::Board51, &ir));
        QCOMPARE(ir.internalCode, QByteArray("12"));
        QCOMPARE(ir.translatedCode, QByteArray("UNKNOW"));
        // No "," after HS: nothing changes and the frame's processing ends.
        const IrValues before = ir;
        QVERIFY(!ApplyInfraredFrame("$51,HS45#", IrVariant::Board51, &ir));
        QCOMPARE(ir.internalCode, before.internalCode);
        QCOMPARE(ir.translatedCode, before.translatedCode);
    }

    void calculatorKeepsTheSingleOperatorResults() {
        CKeypadCalculator calc;
        auto out = Keys(calc, "12+3=");
        QCOMPARE(calc.formula, QByteArray("12+3="));
        QCOMPARE(calc.result, 15);
        QCOMPARE(out.highlight, 12); // "=" is button 1083
        out = Keys(calc, "4");       // a key after a result starts afresh
        QCOMPARE(calc.formula, QByteArray("4"));
        QCOMPARE(calc.result, 0);
        QCOMPARE(out.highlight, 4);
        calc = {};
        out = Keys(calc, "7/0=");
        QCOMPARE(out.error, CalcError::DivideByZero);
        QCOMPARE(QString::fromUtf8(CalcErrorText(out.error)), QStringLiteral("除数不能为0"));
        QCOMPARE(calc.result, 0);
        QCOMPARE(calc.formula, QByteArray("7/0=")); // kept until the next key
        calc = {};
        Keys(calc, "7/2=");
        QCOMPARE(calc.result, 3);
        Keys(calc, "="); // "=" right after a result
        QCOMPARE(calc.formula, QByteArray("="));
        QCOMPARE(calc.result, 0);
        calc = {};
        out = Keys(calc, "5+C");
        QCOMPARE(calc.formula, QByteArray());
        QCOMPARE(calc.result, 0);
        QCOMPARE(out.highlight, 10); // "←"
        out = calc.HandleFrame("$51,CALCAB#");
        QCOMPARE(out.highlight, -1);
        QCOMPARE(calc.formula, QByteArray("AB"));
        out = calc.HandleFrame("$51,CALC#"); // an empty key
        QCOMPARE(out.highlight, -1);
        QCOMPARE(calc.formula, QByteArray("AB"));
    }

    void calculatorReadsWholeFormulas() {
        const struct {
            const char* formula;
            int value;
            CalcError error;
        } cases[] = {
            {"12-3+4=", 13, CalcError::None},
            {"2*3*4=", 24, CalcError::None},
            {"2+3*4=", 14, CalcError::None},
            {"5*-3=", -15, CalcError::None},
            {"12=", 12, CalcError::None},
            {"=", 0, CalcError::None},
            {"-7/2=", -3, CalcError::None},
            {"8/2/2=", 2, CalcError::None},
            {"10-2-3=", 5, CalcError::None},
            {"5--3=", 8, CalcError::None},
            {"5+=", 5, CalcError::None},
            {"1=2+3=", 1, CalcError::None},
            {"AB=", 0, CalcError::None},
            {"3AB+4=", 7, CalcError::None},
            {" 12 + 3=", 15, CalcError::None},
            {"1+2/0*3=", 0, CalcError::DivideByZero},
            {"2147483647=", 2147483647, CalcError::None},
            {"-2147483648=", -2147483647 - 1, CalcError::None},
            {"2147483648=", 0, CalcError::OutOfRange},
            {"4294967297=", 0, CalcError::OutOfRange}, // glibc's atoi would give 1
            {"2147483647+1=", 0, CalcError::OutOfRange},
            {"65536*65536=", 0, CalcError::OutOfRange},
            {"-2147483648/-1=", 0, CalcError::OutOfRange},
            {"99999999999999999999999999=", 0, CalcError::OutOfRange},
        };
        for (const auto& c : cases) {
            const CalcResult r = Evaluate(c.formula);
            QVERIFY2(r.value == c.value && r.error == c.error,
                     qPrintable(QStringLiteral("%1 gave %2").arg(c.formula).arg(r.value)));
        }
        QCOMPARE(QString::fromUtf8(CalcErrorText(CalcError::OutOfRange)),
                 QStringLiteral("结果超出范围！"));
        // The formula is capped; "=" still evaluates what is there.
        CKeypadCalculator calc;
        for (int i = 0; i < 1500; ++i)
            calc.HandleFrame("$51,CALC1#");
        QCOMPARE(calc.formula.size(), qsizetype(CKeypadCalculator::kMaxFormula));
        const auto out = calc.HandleFrame("$51,CALC=#");
        QCOMPARE(out.error, CalcError::OutOfRange);
        QVERIFY(calc.resultShown);
    }

    void gbkOnTheWire() {
        QVERIFY(GbkAvailable());
        bool ok = false;
        QCOMPARE(ToGbk(QStringLiteral("中文"), &ok), QByteArray("\xD6\xD0\xCE\xC4"));
        QVERIFY(ok);
        QCOMPARE(FromGbk("\xD6\xD0\xCE\xC4"), QStringLiteral("中文"));
        QCOMPARE(GbkLength(QStringLiteral("abc中")), 5);
        QCOMPARE(GbkLength(QStringLiteral("a😀")), -1); // no GBK code
        ToGbk(QStringLiteral("😀"), &ok);
        QVERIFY(!ok);
        // Cut between characters: 16 bytes hold 7 Chinese characters after "ab".
        QCOMPARE(CutToGbkBytes(QStringLiteral("ab中文中文中文中文"), 16),
                 QStringLiteral("ab中文中文中文中"));
        QCOMPARE(CutToGbkBytes(QStringLiteral("ab中文"), 3), QStringLiteral("ab"));
        QCOMPARE(PadTo16("abc"), QByteArray("abc             "));
        QCOMPARE(PadTo16(ToGbk(QStringLiteral("中文"))).size(), qsizetype(16));
        QCOMPARE(PadTo16("0123456789abcdefg"), QByteArray("0123456789abcdefg"));
    }

    void boardFrames() {
        using namespace BoardFrames;
        QCOMPARE(Led("51", 0, false), QByteArray("$51,LED00#"));
        QCOMPARE(Led("51", 7, true), QByteArray("$51,LED71#"));
        QCOMPARE(Led("AR", 2, true), QByteArray("$AR,LED21#"));
        QCOMPARE(Time(2, QDate(2017, 5, 16), 12, 29, 30), QByteArray("$51,TIME2,20170516122930#"));
        QCOMPARE(Time(1, QDate(2024, 2, 29), 23, 59, 59), QByteArray("$51,TIME1,20240229235959#"));
        QCOMPARE(Time(3, QDate(999, 1, 2), 0, 0, 0), QByteArray("$51,TIME3,09990102000000#"));
        QCOMPARE(CheckClock(23, 59, 59), ClockError::None);
        QCOMPARE(CheckClock(24, 0, 0), ClockError::Hour);
        QCOMPARE(CheckClock(0, 60, 0), ClockError::Minute);
        QCOMPARE(CheckClock(0, 0, 255), ClockError::Second);
        QCOMPARE(QString::fromUtf8(ClockErrorText(ClockError::Hour)),
                 QStringLiteral("请输入0-23之间正确的小时！"));
        QCOMPARE(QString::fromUtf8(ClockErrorText(ClockError::Minute)),
                 QStringLiteral("请输入0-59之间正确的分钟！"));
        QCOMPARE(QString::fromUtf8(ClockErrorText(ClockError::Second)),
                 QStringLiteral("请输入0-59之间正确的秒！"));
        QCOMPARE(IrSend("00", "FF", "", "0C"), QByteArray("$51,HS00FF0C#"));
        QCOMPARE(*Segment("51", 4, "1234"), QByteArray("$51,SMG4,1234#"));
        QCOMPARE(*Segment("51", 8, "12345678"), QByteArray("$51,SMG8,12345678#"));
        QVERIFY(!Segment("51", 8, "1234"));
        QVERIFY(!Segment("51", 4, "123"));
        QCOMPARE(QString::fromUtf8(SegmentLengthText(8)), QStringLiteral("输入必须为8位数值！"));
        QCOMPARE(QString::fromUtf8(SegmentLengthText(4)), QStringLiteral("输入必须为4位数值！"));
        auto steps = Lcd1602Show("", "abc");
        QCOMPARE(steps.size(), size_t(2));
        QVERIFY(steps[0].frame.isEmpty());
        QCOMPARE(steps[0].pauseAfterMs, 100);
        QCOMPARE(steps[1].frame, QByteArray("$51,LCD1602,2,abc             #"));
        const QByteArray chinese = ToGbk(QStringLiteral("你好世界"));
        steps = Lcd1602Show(chinese, "");
        QCOMPARE(steps[0].frame, "$51,LCD1602,1," + chinese + QByteArray(8, ' ') + "#");
        QVERIFY(steps[1].frame.isEmpty());
        const QByteArray lines[4] = {"a", "", "c", "d"};
        steps = Lcd12864Show(lines);
        QCOMPARE(steps.size(), size_t(4));
        QCOMPARE(steps[0].frame, QByteArray("$51,LCD12864,1,a               #"));
        QVERIFY(steps[1].frame.isEmpty());
        QCOMPARE(steps[3].frame, QByteArray("$51,LCD12864,4,d               #"));
        QCOMPARE(steps[2].pauseAfterMs, 100);
        QCOMPARE(steps[3].pauseAfterMs, 0);
        CLampChase chase;
        for (int i = 0; i < 9; ++i)
            QCOMPARE(chase.Tick(), i % 8);
    }

    void board51Parsing() {
        const IrValues none;
        auto u = ParseBoard51Frame("$51,GMS512,200#", 0, 0, none);
        QCOMPARE(*u.adRaw, QStringLiteral("512"));
        QCOMPARE(*u.adConverted, QStringLiteral("200Lux"));
        u = ParseBoard51Frame("$51,GMS512,200#", 1, 0, none);
        QVERIFY(!u.adRaw && !u.adConverted);
        u = ParseBoard51Frame("$51,SW11,3300#", 3, 0, none);
        QCOMPARE(*u.adRaw, QStringLiteral("1"));
        QCOMPARE(*u.adConverted, QStringLiteral("3300mV"));
        u = ParseBoard51Frame("$51,RMS300,25.5#", 1, 0, none);
        QCOMPARE(*u.adConverted, QStringLiteral("25.5℃"));
        // The AD tag without "," ends the frame: no later tag is looked at.
        u = ParseBoard51Frame("$51,CSB20HSX00GMS512#", 0, 0, none);
        QCOMPARE(u.stoppedAt, Board51Update::StoppedAtAd);
        QVERIFY(!u.adRaw && !u.distance && !u.infrared);
        u = ParseBoard51Frame("$51,PHW0#", 0, 2, none);
        QCOMPARE(*u.motion, false);
        u = ParseBoard51Frame("$51,PHW1#", 0, 2, none);
        QCOMPARE(*u.motion, true);
        u = ParseBoard51Frame("$51,VCS00#", 0, 3, none);
        QCOMPARE(*u.sound, true); // only exactly "0" is off
        u = ParseBoard51Frame("$51,CSB20.25#", 0, 0, none);
        QCOMPARE(*u.distance, QStringLiteral("20.25cm"));
        u = ParseBoard51Frame("$51,TMS29.3#", 0, 1, none);
        QCOMPARE(*u.temperature, QStringLiteral("29.3℃"));
        // Several tags in one frame, in their order.
        u = ParseBoard51Frame("$51,VMS3,3300,TMS21,HSX,00FFF30C,CALC5#", 2, 1, none);
        QCOMPARE(*u.adRaw, QStringLiteral("3"));
        QCOMPARE(*u.adConverted, QStringLiteral("3300,TMS21,HSX,00FFF30C,CALC5mV"));
        QCOMPARE(*u.temperature, QStringLiteral("21,HSX,00FFF30C,CALC5℃"));
        QCOMPARE(u.infrared->internalCode, QByteArray("00FFF30C,CALC5"));
        QVERIFY(u.calculator);
        // "HS" without "," ends the frame before the calculator.
        u = ParseBoard51Frame("$51,CALC1HS#", 0, 0, none);
        QCOMPARE(u.stoppedAt, Board51Update::StoppedAtInfrared);
        QVERIFY(!u.calculator);
        // A frame with no known tag changes nothing.
        u = ParseBoard51Frame("$51,XYZ#", 0, 0, none);
        QVERIFY(!u.adRaw && !u.distance && !u.motion && !u.infrared && !u.calculator);
        QCOMPARE(u.stoppedAt, Board51Update::Completed);
        // Text from the board is GBK.
        u = ParseBoard51Frame("$51,TMS\xD6\xD0#", 0, 1, none);
        QCOMPARE(*u.temperature, QStringLiteral("中℃"));
    }

    void kitParsing() {
        const IrValues none;
        auto u = ParseKitFrame("$AR,BTN2,1#", 0, 0, none);
        QCOMPARE(*u.buttons[1], true);
        u = ParseKitFrame("$AR,BTN2,0#", 0, 0, none);
        QCOMPARE(*u.buttons[1], false);
        u = ParseKitFrame("$AR,BTN5,1#", 0, 0, none);
        for (const auto& b : u.buttons)
            QVERIFY(!b);
        u = ParseKitFrame("$AR,BTN1,1,ICL1#", 0, 0, none); // button 1 reads "1,ICL1": grey
        QCOMPARE(*u.buttons[0], false);
        QCOMPARE(*u.tilt, true);
        u = ParseKitFrame("$AR,BTN1ICL1#", 0, 0, none); // no "," after BTN: nothing else
        QCOMPARE(u.stoppedAt, KitUpdate::StoppedAtButton);
        QVERIFY(!u.tilt);
        u = ParseKitFrame("$AR,BTN4294967297,1#", 0, 0, none); // saturates: no button 1
        QVERIFY(!u.buttons[0]);
        u = ParseKitFrame("$AR,TCH1,623#", 0, 0, none);
        QCOMPARE(*u.touch, true);
        QCOMPARE(*u.touchValue, QStringLiteral("623"));
        u = ParseKitFrame("$AR,TCH1#", 0, 0, none);
        QCOMPARE(u.stoppedAt, KitUpdate::StoppedAtTouch);
        u = ParseKitFrame("$AR,SHT25,60#", 2, 0, none);
        QCOMPARE(*u.airTemperature, QString::fromUtf8("25℃"));
        QCOMPARE(*u.humidity, QStringLiteral("60%"));
        u = ParseKitFrame("$AR,SHT25,60#", 0, 0, none);
        QVERIFY(!u.airTemperature && !u.humidity && !u.distance);
        u = ParseKitFrame("$AR,JOY1,X1,Y2,Z3,SHT25#", 2, 0, none);
        QCOMPARE(u.stoppedAt, KitUpdate::StoppedAtSensor);
        QVERIFY(!u.joyDirection);
        u = ParseKitFrame("$AR,YWS310,42#", 0, 3, none);
        QCOMPARE(*u.adRaw, QStringLiteral("310"));
        QCOMPARE(*u.adConverted, QStringLiteral("42"));
        u = ParseKitFrame("$AR,HSX,00FF30CF#", 0, 0, none);
        QCOMPARE(u.infrared->translatedCode, QByteArray("1"));
        // A short infrared code is "UNKNOW" and the rest of the frame still counts.
        u = ParseKitFrame("$AR,HSX,12#$AR,CSB5#", 0, 0, none);
        QCOMPARE(u.infrared->translatedCode, QByteArray("UNKNOW"));
        QCOMPARE(*u.distance, QStringLiteral("5cm"));
        u = ParseKitFrame("$AR,JOY3,X100,Y512,Z1#", 0, 0, none);
        QCOMPARE(*u.joyDirection, 3);
        QCOMPARE(*u.joyX, QStringLiteral("100"));
        QCOMPARE(*u.joyY, QStringLiteral("512"));
        QCOMPARE(*u.joyZ, QStringLiteral("1"));
        for (int d = 0; d <= 9; ++d)
            QCOMPARE(*ParseKitFrame("$AR,JOY" + QByteArray::number(d) + ",X1,Y2,Z3#", 0, 0, none)
                          .joyDirection,
                     d);
        u = ParseKitFrame("$AR,JOY12,X1,Y2,Z3#", 0, 0, none);
        QVERIFY(!u.joyDirection);
        QCOMPARE(*u.joyZ, QStringLiteral("3"));
        u = ParseKitFrame("$AR,JOY4294967299,X1,Y2,Z3#", 0, 0, none); // not 3
        QVERIFY(!u.joyDirection);
        u = ParseKitFrame("$AR,JOY3,X100,Y512#", 0, 0, none);
        QCOMPARE(u.stoppedAt, KitUpdate::StoppedAtJoystick);
        QVERIFY(!u.joyX && !u.joyDirection);
    }

    void kitFrames() {
        CServo servo;
        QCOMPARE(servo.AngleText(), QStringLiteral("0 °"));
        QByteArrayList sent;
        for (int i = 0; i < 10; ++i)
            sent << servo.SwingLeft();
        QCOMPARE(sent.first(), QByteArray("$AR,SER1#"));
        QCOMPARE(sent[8], QByteArray("$AR,SER9#"));
        QCOMPARE(sent[9], QByteArray("$AR,SER9#")); // sent again at the end
        QCOMPARE(servo.AngleText(), QString::fromUtf8("180 °"));
        QCOMPARE(servo.Reset(), QByteArray("$AR,SER5#"));
        QCOMPARE(servo.AngleText(), QString::fromUtf8("100 °"));
        for (int i = 0; i < 7; ++i)
            servo.SwingRight();
        QCOMPARE(servo.SwingRight(), QByteArray("$AR,SER0#"));
        const QByteArray joined = BoardFrames::Lcd1602Joined("AR", "ab", "cd");
        QCOMPARE(joined.size(), qsizetype(62));
        QCOMPARE(joined,
                 QByteArray("$AR,LCD1602,1,ab              #$AR,LCD1602,2,cd              #"));
        QVERIFY(BoardFrames::Lcd1602Joined("AR", "", "").isEmpty());
        QCOMPARE(*BoardFrames::Segment("AR", 1, "."), QByteArray("$AR,SMG1,.#"));
        QVERIFY(!BoardFrames::Segment("AR", 1, "12"));
        QCOMPARE(QString::fromUtf8(BoardFrames::SegmentLengthText(1)),
                 QString::fromUtf8("输入必须为1位数值或小数点！"));
        CLampChase chase{4};
        for (int i = 0; i < 6; ++i)
            QCOMPARE(chase.Tick(), i % 4);
    }

    void pacedSenderKeepsOrderAndGaps() {
        CPacedSender sender;
        QList<QPair<QByteArray, qint64>> sent;
        QElapsedTimer clock;
        clock.start();
        auto send = [&](const QByteArray& f) {
            return [&sent, &clock, f] { sent.append({f, clock.elapsed()}); };
        };
        sender.Run(send("a")); // nothing waits: at once
        QCOMPARE(sent.size(), 1);
        sender.Pause(100);
        sender.Run(send("b"));
        sender.Run(send("c")); // a click during the pause: after b
        QCOMPARE(sent.size(), 1);
        QVERIFY(sender.Busy());
        QTRY_COMPARE(sent.size(), 3);
        QCOMPARE(sent[1].first, QByteArray("b"));
        QCOMPARE(sent[2].first, QByteArray("c"));
        QVERIFY2(sent[1].second - sent[0].second >= 100,
                 qPrintable(QString::number(sent[1].second)));
        QVERIFY(!sender.Busy());
        // A click queued during a pause whose own handler paces frames: its frames go out
        // before the click queued after it.
        sender.Pause(30);
        sender.Run([&] {
            send("x1")();
            sender.Pause(30);
            sender.Run(send("x2"));
        });
        sender.Run(send("y"));
        QTRY_COMPARE(sent.size(), 6);
        QCOMPARE(sent[3].first, QByteArray("x1"));
        QCOMPARE(sent[4].first, QByteArray("x2"));
        QCOMPARE(sent[5].first, QByteArray("y"));
        QVERIFY(sent[4].second - sent[3].second >= 30);
        sent.remove(3, 3);
        sender.Run(send("d")); // idle again: at once
        QCOMPARE(sent.size(), 4);
        sender.Pause(50);
        sender.Run(send("e"));
        sender.Clear();
        QTest::qWait(100);
        QCOMPARE(sent.size(), 4);
    }

    void dotMatrixFrames() {
        CDotPattern dots;
        QCOMPARE(dots.Toggle(2, 5, 0), QByteArray("$51,DMX25,1#"));
        QVERIFY(dots.IsLit(2, 5));
        QCOMPARE(dots.Toggle(2, 5, 0), QByteArray("$51,DMX25,0#"));
        QVERIFY(!dots.IsLit(2, 5));
        QCOMPARE(dots.AllOn(4), QByteArray("$AR,DMX00,3#"));
        QCOMPARE(dots.LitCount(), 64);
        QCOMPARE(dots.Toggle(7, 7, 4), QByteArray("$AR,DMX77,0#"));
        QCOMPARE(dots.AllOff(1), QByteArray("$51,DMX00,2#"));
        QCOMPARE(dots.LitCount(), 0);
        // Outside the matrix: nothing changes, nothing to send.
        QVERIFY(dots.Toggle(-1, -1, 0).isEmpty());
        QVERIFY(dots.Toggle(8, 0, 0).isEmpty());
        QCOMPARE(dots.LitCount(), 0);
    }

    void boardModelTellsChangesAndBatches() {
        using namespace BoardField;
        CBoardModel model;
        QList<int> told;
        connect(&model, &CBoardModel::changed, &model, [&told](int f) { told << f; });
        // The user's changes: told at once, and only when the value changed.
        model.Set(Lcd1602Line1, QStringLiteral("hello"));
        model.Set(Lcd1602Line1, QStringLiteral("hello"));
        QCOMPARE(told, QList<int>{Lcd1602Line1});
        told.clear();

        // A batch of frames: nothing is told until it ends; then every field a frame set,
        // once, also when the board said what the model already held.
        model.BeginBatch();
        model.ApplyBoard51Frame("$51,CSB20.25#");
        model.ApplyBoard51Frame("$51,CSB20.25#");
        QVERIFY(told.isEmpty());
        QCOMPARE(model.Text(Distance), QStringLiteral("20.25cm"));
        model.EndBatch();
        QCOMPARE(told, (QList<int>{SerialReceive, Distance}));
        told.clear();
        model.BeginBatch();
        model.ApplyBoard51Frame("$51,CSB20.25#");
        model.EndBatch();
        QCOMPARE(told, (QList<int>{SerialReceive, Distance})); // the same value is told again

        // The calculator takes the formula as the user left it, and the board's next key.
        model.Set(Formula, QStringLiteral("12+3"));
        QCOMPARE(model.ApplyBoard51Frame("$51,CALC=#"), QString());
        QCOMPARE(model.Text(Result), QStringLiteral("15"));
        QCOMPARE(model.Number(KeyLit), CKeypadCalculator::KeyIndex("="));
        model.ApplyBoard51Frame("$51,CALCC#"); // a new formula
        QCOMPARE(model.Text(Formula), QString());
        model.Set(Formula, QStringLiteral("1/0"));
        QVERIFY(!model.ApplyBoard51Frame("$51,CALC=#").isEmpty()); // the zero divisor's message
        // The sensor choice decides which readings count.
        model.Set(SensorChoice, 1);
        model.ApplyBoard51Frame("$51,CSB99#");
        QCOMPARE(model.Text(Distance), QStringLiteral("20.25cm"));
    }
};

QTEST_GUILESS_MAIN(TestBoardCore)
#include "test_board_core.moc"
