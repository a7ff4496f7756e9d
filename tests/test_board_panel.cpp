// The 8051 board panel as a user drives it, with the board played on a pseudo-terminal, and
// end to end against the simulated board.
#include "board_fixture.h"
#include "gui/boards/develop51_form_view.h"
#include "gui/boards/dlg_grid_ctrl.h"
#include "gui/boards/dot_grid.h"
#include "gui/common/control_ids.h"
#include "gui/common/message_seam.h"
#include "gui/widgets/button_ex.h"
#include "gui/widgets/digi_static.h"
#include "gui/widgets/lamp.h"
#include "sim_process.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QClipboard>
#include <QDateEdit>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSet>
#include <QTest>

using namespace Korvane;

namespace {

const int kLedLamps[8] = {1140, 1141, 1142, 1143, 1144, 1145, 1174, 1175};

using Board = BoardOnPty<CDevelop51FormView>;

} // namespace

class TestBoardPanel : public QObject {
    Q_OBJECT
    const Korvane::CMessageSeam m_seam; // the messages and answers of this test program
    QStringList m_messages;
    // What the panel showed when each message came (the controls are written first).
    QStringList m_resultAtMessage;

  private slots:
    void initTestCase() {
        SetMessageObserver([this](const QString& t) {
            m_messages << t;
            if (QWidget* w = QApplication::activeWindow())
                if (QWidget* result = FindControl(w, 1070))
                    m_resultAtMessage << qobject_cast<QLineEdit*>(result)->text();
        });
    }
    void init() {
        m_messages.clear();
        m_resultAtMessage.clear();
        CloseDeviceMessages(); // each test starts as a user who closed every box
    }

    void ledBoxesLampsAndTheFlowingLight() {
        Board b;
        QVERIFY(b.Start(0));
        b.Button(1029)->click();
        QCOMPARE(b.Sent(10), QByteArray("$51,LED01#"));
        QVERIFY(b.Lamp(1140)->IsOn());
        b.Button(1036)->click();
        QCOMPARE(b.Sent(10), QByteArray("$51,LED71#"));
        // Assistive technology's toggle acts like a click.
        QAccessible::queryAccessibleInterface(b.Button(1029))
            ->actionInterface()
            ->doAction(QAccessibleActionInterface::toggleAction());
        QCOMPARE(b.Sent(10), QByteArray("$51,LED00#"));
        QVERIFY(!b.Lamp(1140)->IsOn());

        // The flowing light: boxes cleared, lamps chase P1.0, P1.1, ... from every start.
        b.panel->SetLampTickMs(40);
        b.Button(1176)->click();
        QCOMPARE(b.Sent(10), QByteArray("$51,LED02#"));
        QVERIFY(!b.Button(1036)->isChecked());
        QVERIFY(!b.Button(1177)->isEnabled());
        QList<int> seen;
        QElapsedTimer t;
        t.start();
        while (seen.size() < 10 && t.elapsed() < 3000) {
            const int lit = b.LitLamp(kLedLamps);
            if (lit >= 0 && (seen.isEmpty() || seen.last() != lit))
                seen << lit;
            QTest::qWait(5);
        }
        QCOMPARE(seen, (QList<int>{0, 1, 2, 3, 4, 5, 6, 7, 0, 1}));
        b.Button(1176)->click();
        QCOMPARE(b.Sent(10), QByteArray("$51,LED00#"));
        QVERIFY(!b.panel->LampTimerActive());
        QCOMPARE(b.LitLamp(kLedLamps), -1);
        QVERIFY(b.Button(1177)->isEnabled());
        b.Button(1176)->click(); // starts at P1.0 again
        QCOMPARE(b.Sent(10), QByteArray("$51,LED02#"));
        QTRY_COMPARE(b.LitLamp(kLedLamps), 0);
        b.Button(1176)->click();
        b.Sent(10);

        // The breathing light locks the flowing light out while it runs.
        b.Button(1177)->click();
        QCOMPARE(b.Sent(10), QByteArray("$51,LED03#"));
        QVERIFY(!b.Button(1176)->isEnabled());
        b.Button(1177)->click();
        QCOMPARE(b.Sent(10), QByteArray("$51,LED00#"));

        // With the link closed: the message, no chase, but the other button still locks.
        b.station.frame->CloseLink();
        b.Button(1176)->click();
        QCOMPARE(m_messages.size(), 1);
        QVERIFY(!b.panel->LampTimerActive());
        QCOMPARE(b.LitLamp(kLedLamps), -1);
        QVERIFY(!b.Button(1177)->isEnabled());
        b.Button(1176)->click();
        QVERIFY(b.Button(1177)->isEnabled());
    }

    void lcdFramesArePacedWhileTheWindowWorks() {
        Board b;
        QVERIFY(b.Start(0));
        b.Edit(1011)->setText(QString::fromUtf8("你好"));
        b.Edit(1012)->setText(QStringLiteral("abc"));
        QElapsedTimer t;
        t.start();
        b.Button(1017)->click();
        b.Button(1024)->click(); // a click during the pause: after the LCD's frames
        // Frames from the board are handled during the pause.
        b.station.pty->Write("$51,CSB12.5#");
        QTRY_COMPARE(b.Get<QLabel>(1180)->text(), QStringLiteral("12.5cm"));
        QByteArray all;
        qint64 secondAt = -1;
        const QByteArray line2 = "$51,LCD1602,2,abc             #";
        while (t.elapsed() < 2000 && !all.contains("BEEP")) {
            all += b.station.pty->ReadFor(2);
            if (secondAt < 0 && all.contains(line2))
                secondAt = t.elapsed();
        }
        const QByteArray line1 = "$51,LCD1602,1,\xC4\xE3\xBA\xC3            #";
        QCOMPARE(all, line1 + line2 + "$51,BEEP#");
        QVERIFY2(secondAt >= 100, qPrintable(QString::number(secondAt))); // the 100 ms gap
        // LCD12864: lines 1 and 3; the empty line 2 still takes its pause.
        b.Edit(1013)->setText(QStringLiteral("one"));
        b.Edit(1015)->setText(QStringLiteral("three"));
        t.restart();
        b.Button(1019)->click();
        all.clear();
        while (t.elapsed() < 2000 && !all.contains("three"))
            all += b.station.pty->ReadFor(2);
        QVERIFY2(t.elapsed() >= 195, qPrintable(QString::number(t.elapsed())));
        QCOMPARE(all,
                 QByteArray("$51,LCD12864,1,one             #$51,LCD12864,3,three           #"));
        // Clearing the LCD1602 empties its lines; the LCD12864's clear keeps them.
        QTRY_VERIFY(!b.panel->Sender().Busy());
        b.Button(1018)->click();
        QCOMPARE(b.Sent(14), QByteArray("$51,LCD1602,0#"));
        QVERIFY(b.Edit(1011)->text().isEmpty() && b.Edit(1012)->text().isEmpty());
        b.Button(1020)->click();
        QCOMPARE(b.Sent(15), QByteArray("$51,LCD12864,0#"));
        QCOMPARE(b.Edit(1013)->text(), QStringLiteral("one"));
    }

    void pacedLinesStayWithTheBoardWhenAnotherProductIsSelected() {
        // "12864显示" sends four paced lines; the user switches to a car after the first. The
        // rest was meant for the board: none of it reaches the car's link.
        Board b;
        QVERIFY(b.Start(0));
        for (int id : {1013, 1014, 1015, 1016})
            b.Edit(id)->setText(QStringLiteral("line %1").arg(id));
        b.Button(1019)->click();
        QCOMPARE(b.Sent(32), QByteArray("$51,LCD12864,1,line 1013       #"));
        QVERIFY(b.panel->Sender().Busy());
        b.station.frame->SelectProduct(5);
        QVERIFY(!b.panel->Sender().Busy());
        // The car's own frame is the next thing on the line, after the board's pauses.
        QTest::qWait(3 * 100 + 50);
        QTest::keyClick(b.station.frame->CurrentPanel(), Qt::Key_W);
        QCOMPARE(b.Sent(21), QByteArray("$1,0,0,0,0,0,0,0,0,0#"));
        // Back on the board, the button works as before.
        b.station.frame->SelectProduct(0);
        b.Button(1019)->click();
        QCOMPARE(b.Sent(32), QByteArray("$51,LCD12864,1,line 1013       #"));
    }

    void editsTakeOnlyWhatTheBoardCanUse() {
        Board b;
        QVERIFY(b.Start(0));
        QLineEdit* lcd = b.Edit(1011);
        lcd->setFocus();
        QTest::keyClicks(lcd, QStringLiteral("a#b$c"));
        QCOMPARE(lcd->text(), QStringLiteral("abc"));
        // 16 GBK bytes: a paste of Chinese text is cut between characters.
        lcd->clear();
        QApplication::clipboard()->setText(QString::fromUtf8("一二三四五六七八九十"));
        lcd->paste();
        QCOMPARE(lcd->text(), QString::fromUtf8("一二三四五六七八"));
        lcd->clear();
        QTest::keyClicks(lcd, QStringLiteral("x"));
        QApplication::clipboard()->setText(QString::fromUtf8("一二三四五六七八"));
        lcd->paste();
        QCOMPARE(lcd->text(), QString::fromUtf8("x一二三四五六七"));
        // Characters without a GBK code are refused.
        lcd->clear();
        QApplication::clipboard()->setText(QStringLiteral("a😀b"));
        lcd->paste();
        QCOMPARE(lcd->text(), QStringLiteral("ab"));
        // Infrared codes: two hexadecimal digits.
        QLineEdit* op = b.Edit(1184);
        QTest::keyClicks(op, QStringLiteral("g1#Fz9"));
        QCOMPARE(op->text(), QStringLiteral("1F"));
        // The clock: digits up to 255.
        QLineEdit* hour = b.Edit(1063);
        hour->clear();
        QTest::keyClicks(hour, QStringLiteral("2x56"));
        QCOMPARE(hour->text(), QStringLiteral("25"));
        // The serial assistant: 1024 GBK bytes, raw characters allowed.
        QLineEdit* serial = b.Edit(1089);
        serial->setText(QString(2000, QLatin1Char('#')));
        QCOMPARE(serial->text().size(), 1024);
        serial->setText(QString::fromUtf8("中").repeated(600));
        QCOMPARE(serial->text().size(), 512);
        serial->setText(QStringLiteral("AT+X"));
        b.Button(1091)->click();
        QCOMPARE(b.station.pty->ReadFor(100), QByteArray("AT+X")); // no "$", no "#"
        QVERIFY(m_messages.isEmpty());
    }

    void clockAndSegmentOutput() {
        Board b;
        QVERIFY(b.Start(0));
        QCOMPARE(b.Edit(1063)->text(), QStringLiteral("0")); // 0:0:0 and today
        QCOMPARE(b.Get<QDateEdit>(1064)->date(), QDate::currentDate());
        b.Get<QDateEdit>(1064)->setDate(QDate(2024, 2, 29));
        b.Edit(1063)->setText(QStringLiteral("23"));
        b.Edit(1065)->setText(QStringLiteral("59"));
        b.Edit(1068)->setText(QStringLiteral("59"));
        b.Button(1021)->click();
        QCOMPARE(b.Sent(25), QByteArray("$51,TIME1,20240229235959#"));
        b.Edit(1063)->setText(QStringLiteral("0"));
        b.Edit(1065)->setText(QStringLiteral("0"));
        b.Edit(1068)->setText(QStringLiteral("0"));
        b.Button(1023)->click();
        QCOMPARE(b.Sent(25), QByteArray("$51,TIME3,20240229000000#"));
        const struct {
            int edit;
            const char* text;
        } bad[] = {{1063, "请输入0-23之间正确的小时！"},
                   {1065, "请输入0-59之间正确的分钟！"},
                   {1068, "请输入0-59之间正确的秒！"}};
        for (const auto& c : bad) {
            m_messages.clear();
            b.Edit(c.edit)->setText(QStringLiteral("255"));
            b.Button(1022)->click();
            QCOMPARE(m_messages, QStringList{QString::fromUtf8(c.text)});
            b.Edit(c.edit)->setText(QStringLiteral("0"));
        }
        QCOMPARE(b.station.pty->ReadFor(50), QByteArray()); // nothing sent
        // An empty hour edit: no complaint from ticks or frames, one from the clock click.
        m_messages.clear();
        b.Edit(1063)->clear();
        b.Says("$51,CSB1#", QStringLiteral("$51,CSB1#"));
        QTest::qWait(1100); // a clock tick
        QVERIFY(m_messages.isEmpty());
        b.Button(1022)->click();
        QCOMPARE(m_messages.size(), 1);
        QCOMPARE(b.station.pty->ReadFor(50), QByteArray());
        QVERIFY(b.Get<QLabel>(1182)->text().startsWith(QString::fromUtf8("现在时间是")));

        // Segment output: the length must match the digit count.
        m_messages.clear();
        b.Button(1173)->click(); // eight digits
        QCOMPARE(b.Edit(1066)->text(), QStringLiteral("00000000"));
        QCOMPARE(b.Get<CDigiStatic>(1186)->DisplayText(), QByteArray("00000000"));
        b.Edit(1066)->setText(QStringLiteral("1234"));
        b.Button(1067)->click();
        QCOMPARE(m_messages, QStringList{QString::fromUtf8("输入必须为8位数值！")});
        QCOMPARE(b.Get<CDigiStatic>(1186)->DisplayText(), QByteArray("00000000"));
        b.Edit(1066)->setText(QStringLiteral("12345678"));
        b.Button(1067)->click();
        QCOMPARE(b.Sent(18), QByteArray("$51,SMG8,12345678#"));
        QCOMPARE(b.Get<CDigiStatic>(1186)->DisplayText(), QByteArray("12345678"));
        b.Button(1139)->click();
        QCOMPARE(b.Edit(1066)->text(), QStringLiteral("0000"));
    }

    void framesFromTheBoard() {
        Board b;
        QVERIFY(b.Start(0));
        QLineEdit* lcd = b.Edit(1011);
        lcd->setText(QStringLiteral("typing here"));
        lcd->setFocus();
        lcd->setCursorPosition(3);
        b.Says("$51,GMS512,200#", QStringLiteral("$51,GMS512,200#"));
        QCOMPARE(b.Edit(1009)->text(), QStringLiteral("512"));
        QCOMPARE(b.Edit(1010)->text(), QStringLiteral("200Lux"));
        b.Button(1061)->click(); // SW1
        b.Says("$51,SW11,3300#", QStringLiteral("$51,SW11,3300#"));
        QCOMPARE(b.Edit(1009)->text(), QStringLiteral("1"));
        QCOMPARE(b.Edit(1010)->text(), QStringLiteral("3300mV"));
        b.Says("$51,GMS1,2#", QStringLiteral("$51,GMS1,2#")); // not the source now
        QCOMPARE(b.Edit(1009)->text(), QStringLiteral("1"));
        b.Button(1096)->click(); // motion
        b.Says("$51,PHW1#", QStringLiteral("$51,PHW1#"));
        QVERIFY(b.Lamp(1178)->IsOn());
        b.Says("$51,PHW0#", QStringLiteral("$51,PHW0#"));
        QVERIFY(!b.Lamp(1178)->IsOn());
        // Infrared: a key name, the board's own name, no change without ",", short codes.
        b.Says("$51,HSX,00FFF30C#", QStringLiteral("$51,HSX,00FFF30C#"));
        QCOMPARE(b.Edit(1087)->text(), QStringLiteral("00FFF30C"));
        QCOMPARE(b.Edit(1088)->text(), QStringLiteral("1"));
        b.Says("$51,HS45#", QStringLiteral("$51,HS45#"));
        QCOMPARE(b.Edit(1087)->text(), QStringLiteral("00FFF30C"));
        b.Says("$51,HSX,12#", QStringLiteral("$51,HSX,12#"));
        QCOMPARE(b.Edit(1087)->text(), QStringLiteral("12"));
        QCOMPARE(b.Edit(1088)->text(), QStringLiteral("UNKNOW"));
        QVERIFY(m_messages.isEmpty());
        // The keypad: formula, result, the key lit.
        b.Says("$51,CALC1#$51,CALC2#$51,CALC+#$51,CALC3#$51,CALC=#", QStringLiteral("$51,CALC=#"));
        QCOMPARE(b.Edit(1069)->text(), QStringLiteral("12+3="));
        QCOMPARE(b.Edit(1070)->text(), QStringLiteral("15"));
        for (int id = 1071; id <= 1086; ++id)
            QCOMPARE(b.Get<CButtonEx>(id)->FaceColor(),
                     id == 1083 ? QColor(255, 0, 0) : QColor(200, 200, 200));
        // A message raised by a frame comes after the controls show the frame's result.
        b.station.pty->Write("$51,CALC9#$51,CALC/#$51,CALC0#$51,CALC=#");
        QTRY_COMPARE(m_messages, QStringList{QString::fromUtf8("除数不能为0")});
        QCOMPARE(m_resultAtMessage, QStringList{QStringLiteral("0")});
        QCOMPARE(b.Edit(1069)->text(), QStringLiteral("9/0="));
        // Through all of it the caret stayed where the user left it.
        QCOMPARE(lcd->text(), QStringLiteral("typing here"));
        QCOMPARE(lcd->cursorPosition(), 3);
    }

    void aStormOfDeviceMessagesShowsOneBox() {
        // The keypad divides by zero again and again: one message while it is open, the
        // repeats counted in it, none queued; once the user closes it, the next one shows.
        Board b;
        QVERIFY(b.Start(0));
        for (int i = 0; i < 20; ++i)
            b.Says("$51,CALC9#$51,CALC/#$51,CALC0#$51,CALC=#$51,N" + QByteArray::number(i) + "#",
                   QStringLiteral("$51,N%1#").arg(i));
        QCOMPARE(m_messages, QStringList{QString::fromUtf8("除数不能为0")});
        QWidget* window = b.station.frame.get();
        QVERIFY2(DeviceMessageRepeats(window) >= 1,
                 qPrintable(QString::number(DeviceMessageRepeats(window))));
        CloseDeviceMessages(window);
        b.Says("$51,CALC9#$51,CALC/#$51,CALC0#$51,CALC=#$51,NEND#", QStringLiteral("$51,NEND#"));
        QCOMPARE(m_messages.size(), 2);
        QCOMPARE(DeviceMessageRepeats(window), 0);
    }

    void eachWindowHasItsOwnDeviceMessage() {
        // Two boards on two windows: one's message neither closes nor counts the other's.
        Board first;
        Board second;
        QVERIFY(first.Start(0));
        QVERIFY(second.Start(0));
        const QByteArray divide = "$51,CALC9#$51,CALC/#$51,CALC0#$51,CALC=#";
        first.Says(divide + "$51,N1#", QStringLiteral("$51,N1#"));
        second.Says(divide + "$51,N2#", QStringLiteral("$51,N2#"));
        QCOMPARE(m_messages.size(), 2);
        first.Says(divide + "$51,N3#", QStringLiteral("$51,N3#"));
        QCOMPARE(m_messages.size(), 2); // a repeat in the first window's open message
        QCOMPARE(DeviceMessageRepeats(first.station.frame.get()), 1);
        QCOMPARE(DeviceMessageRepeats(second.station.frame.get()), 0);
        CloseDeviceMessages(second.station.frame.get());
        QCOMPARE(DeviceMessageRepeats(first.station.frame.get()), 1);
        first.Says(divide + "$51,N4#", QStringLiteral("$51,N4#"));
        QCOMPARE(m_messages.size(), 2);
        QCOMPARE(DeviceMessageRepeats(first.station.frame.get()), 2);
    }

    void dotMatrixEditor() {
        Board b;
        QVERIFY(b.Start(0));
        b.Button(1190)->click();
        QTRY_VERIFY(b.panel->DotMatrixEditor());
        CDlgGridCtrl* editor = b.panel->DotMatrixEditor();
        QVERIFY(QTest::qWaitForWindowExposed(editor));
        CDotGrid* grid = editor->Grid();
        auto at = [grid](int r, int c) { return grid->visualItemRect(grid->item(r, c)).center(); };
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, at(2, 5));
        QCOMPARE(b.Sent(12), QByteArray("$51,DMX25,1#"));
        QCOMPARE(grid->CellColour(2, 5), QColor(253, 74, 42));
        // Released over another cell: the cell where the button went down counts.
        QTest::mousePress(grid->viewport(), Qt::LeftButton, {}, at(2, 5));
        QTest::mouseRelease(grid->viewport(), Qt::LeftButton, {}, at(4, 1));
        QCOMPARE(b.Sent(12), QByteArray("$51,DMX25,0#"));
        QCOMPARE(grid->CellColour(2, 5), QColor(0, 0, 0));
        QVERIFY(grid->selectedItems().isEmpty());
        // Each cell tells its position and state.
        QAccessibleInterface* cell =
            QAccessible::queryAccessibleInterface(grid)->tableInterface()->cellAt(2, 5);
        QVERIFY(cell);
        QCOMPARE(cell->text(QAccessible::Name), QStringLiteral("Row 3, column 6"));
        QCOMPARE(cell->text(QAccessible::Description), QStringLiteral("dark"));
        // All on; Enter is all on too and the editor stays open; then clear; Escape closes.
        QPushButton* allOn = qobject_cast<QPushButton*>(FindControl(editor, 1));
        allOn->click();
        QCOMPARE(b.Sent(12), QByteArray("$51,DMX00,3#"));
        for (int r = 0; r < 8; ++r)
            for (int c = 0; c < 8; ++c)
                QVERIFY(grid->IsLit(r, c));
        qobject_cast<QPushButton*>(FindControl(editor, 3))->setFocus();
        QTest::keyClick(editor, Qt::Key_Return);
        QCOMPARE(b.Sent(12), QByteArray("$51,DMX00,3#"));
        QVERIFY(editor->isVisible());
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, at(7, 7));
        QCOMPARE(b.Sent(12), QByteArray("$51,DMX77,0#"));
        qobject_cast<QPushButton*>(FindControl(editor, 3))->click();
        QCOMPARE(b.Sent(12), QByteArray("$51,DMX00,2#"));
        QVERIFY(!grid->IsLit(0, 0));
        // A press outside every cell (on the frame) sends nothing.
        QTest::mouseClick(grid, Qt::LeftButton, {}, QPoint(0, 0));
        QTest::keyClick(editor, Qt::Key_Escape);
        QTRY_VERIFY(!b.panel->DotMatrixEditor());
        QCOMPARE(b.station.pty->ReadFor(50), QByteArray());
        // Reopened after all on: dark again, nothing sent.
        b.Button(1190)->click();
        QTRY_VERIFY(b.panel->DotMatrixEditor());
        QVERIFY(!b.panel->DotMatrixEditor()->Grid()->IsLit(0, 0));
        QCOMPARE(b.station.pty->ReadFor(50), QByteArray());
        b.panel->DotMatrixEditor()->close();
    }

    void oneClassServesTheThreeBoards() {
        Board b;
        QVERIFY(b.Start(0));
        b.Says("$51,CSB7#", QStringLiteral("$51,CSB7#"));
        for (int product : {1, 2}) {
            b.station.frame->SelectProduct(product);
            QCOMPARE(b.station.frame->CurrentPanel(), b.panel);
            QCOMPARE(b.Get<QLabel>(1180)->text(), QStringLiteral("7cm")); // values kept
        }
        // File, New runs the start-up again: no timer doubled, no frame sent.
        for (int i = 0; i < 3; ++i)
            b.station.frame->RefreshPanels();
        QVERIFY(b.panel->ClockTimerActive());
        QVERIFY(!b.panel->LampTimerActive());
        QCOMPARE(b.station.pty->ReadFor(100), QByteArray());
        // The fan: frame and picture.
        b.Button(1171)->click();
        QCOMPARE(b.Sent(9), QByteArray("$51,FAN1#"));
        // Look-alike buttons say what they belong to.
        QCOMPARE(b.Button(1056)->accessibleDescription(), QStringLiteral("Stepper motor: faster"));
        QCOMPARE(b.Button(1138)->accessibleDescription(), QStringLiteral("Fan: faster"));
    }

    void everyControlIsNamedAndTellsApart() {
        Board b;
        QVERIFY(b.Start(0));
        // Edits are named (by their caption labels where they have one); no two buttons sound
        // the same.
        QCOMPARE(UnnamedEdits(b.panel), QStringList());
        QCOMPARE(Said(b.Edit(1011), QAccessible::Name), QStringLiteral("1602:"));
        QCOMPARE(Said(b.Edit(1069), QAccessible::Name), QString::fromUtf8("公式："));
        QCOMPARE(AlikeButtons(b.panel), QStringList());
        // Value displays read their values.
        b.Says("$51,CSB33#", QStringLiteral("$51,CSB33#"));
        QCOMPARE(Said(b.Get<QLabel>(1180), QAccessible::Name), QStringLiteral("33cm"));
        QCOMPARE(Said(b.Get<QLabel>(1180), QAccessible::Description),
                 QStringLiteral("Ultrasonic distance"));
    }

    void endToEndWithTheSimulatedBoard() {
        StationOnSim s;
        QVERIFY(s.Start(0, {"--rate", "20"}));
        SimProcess& sim = s.sim;
        auto* panel = s.panel;
        auto button = [&s](int id) { return s.Button(id); };
        auto edit = [&s](int id) { return s.Edit(id); };
        // Readings arrive by themselves.
        QTRY_VERIFY(!edit(1009)->text().isEmpty());
        button(1030)->click();
        QVERIFY(!sim.WaitPrinted("leds 00000010").isEmpty());
        edit(1011)->setText(QString::fromUtf8("中文显示"));
        button(1017)->click();
        QVERIFY(
            !sim.WaitPrinted(QString::fromUtf8("lcd1602 |中文显示        |").toUtf8()).isEmpty());
        edit(1063)->setText(QStringLiteral("8"));
        button(1022)->click();
        const QByteArray clock = sim.WaitPrinted("clock set");
        QVERIFY2(clock.contains(" 08:00:00 on LCD1602"), clock.constData());
        edit(1184)->setText(QStringLiteral("F3"));
        edit(1185)->setText(QStringLiteral("0C"));
        button(1093)->click();
        QTRY_COMPARE(edit(1088)->text(), QStringLiteral("1")); // looped back by the board
        button(1190)->click();
        auto* editor = static_cast<CDevelop51FormView*>(panel)->DotMatrixEditor();
        QVERIFY(editor);
        editor->Grid()->cellClickedAt(0, 7);
        editor->Grid()->cellClickedAt(7, 0);
        QVERIFY(
            !sim.WaitPrinted(
                    "dots .......#/......../......../......../......../......../......../#.......")
                 .isEmpty());
        editor->close();
        sim.Say("keys 12+3=");
        QTRY_COMPARE(edit(1070)->text(), QStringLiteral("15"));
        QCOMPARE(edit(1069)->text(), QStringLiteral("12+3="));
        QCOMPARE(qobject_cast<CButtonEx*>(FindControl(panel, 1083))->FaceColor(),
                 QColor(255, 0, 0));
        sim.Say("dump");
        QVERIFY(!sim.WaitPrinted("bad frames 0").isEmpty());
        QVERIFY2(!sim.Printed().contains("\nbad "), sim.Printed().constData());
        QVERIFY(m_messages.isEmpty());
    }
};

QTEST_MAIN(TestBoardPanel)
#include "test_board_panel.moc"
