// The Arduino kit panel as a user drives it, with the kit played on a pseudo-terminal, and
// end to end against the simulated kit.
#include "board_fixture.h"
#include "gui/boards/develop_ar_form_view.h"
#include "gui/common/control_ids.h"
#include "gui/common/message_seam.h"
#include "gui/widgets/digi_static.h"
#include "gui/widgets/lamp.h"
#include "sim_process.h"

#include <QAbstractButton>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

using namespace Korvane;

namespace {

const int kLedLamps[4] = {1215, 1216, 1217, 1218};
// Joystick lamps by direction 1 to 9.
const int kJoyLamps[10] = {0, 1231, 1232, 1233, 1234, 1236, 1238, 1241, 1240, 1235};

// The kit's frame arrives whole: the serial receive text shows it as sent.
struct Kit : BoardOnPty<CDevelopARFormView> {
    bool Start() { return BoardOnPty::Start(3); }
    void KitSays(const QByteArray& frame) { Says(frame, QString::fromLatin1(frame)); }
    QList<int> LitJoyLamps() {
        QList<int> lit;
        for (int d = 1; d <= 9; ++d)
            if (Lit(kJoyLamps[d]))
                lit << d;
        return lit;
    }
};

} // namespace

class TestKitPanel : public QObject {
    Q_OBJECT
    const Korvane::CMessageSeam m_seam; // the messages and answers of this test program
    QStringList m_messages;

  private slots:
    void initTestCase() {
        SetMessageObserver([this](const QString& t) { m_messages << t; });
    }
    void init() { m_messages.clear(); }

    void servoLedsAndTheFlowingLight() {
        Kit k;
        QVERIFY(k.Start());
        QCOMPARE(k.Label(1230), QString::fromUtf8("0°"));
        QByteArray sent;
        for (int i = 0; i < 10; ++i) {
            k.Button(1224)->click();
            sent += k.Sent(9);
        }
        QCOMPARE(sent, QByteArray("$AR,SER1#$AR,SER2#$AR,SER3#$AR,SER4#$AR,SER5#$AR,SER6#"
                                  "$AR,SER7#$AR,SER8#$AR,SER9#$AR,SER9#"));
        QCOMPARE(k.Label(1230), QString::fromUtf8("180 °"));
        k.Button(1227)->click();
        QCOMPARE(k.Sent(9), QByteArray("$AR,SER5#"));
        QCOMPARE(k.Label(1230), QString::fromUtf8("100 °"));
        k.Button(1228)->click();
        QCOMPARE(k.Sent(9), QByteArray("$AR,SER4#"));

        k.Button(1211)->click();
        QCOMPARE(k.Sent(10), QByteArray("$AR,LED01#"));
        QVERIFY(k.Lit(1215));
        k.Button(1214)->click();
        QCOMPARE(k.Sent(10), QByteArray("$AR,LED31#"));
        QVERIFY(k.Lit(1218));

        // The flowing light goes on where it stopped: stopped on 1216, it restarts on 1217.
        k.panel->SetLampTickMs(60);
        k.Button(1176)->click();
        QCOMPARE(k.Sent(10), QByteArray("$AR,LED02#"));
        QVERIFY(!k.Button(1211)->isChecked() && !k.Lit(1218));
        QTRY_VERIFY(k.Lit(1216));
        k.Button(1176)->click();
        QCOMPARE(k.Sent(10), QByteArray("$AR,LED00#"));
        k.Button(1176)->click();
        k.Sent(10);
        int first = -1; // the first lamp lit after the restart
        QTRY_VERIFY([&] {
            for (int i = 0; i < 4; ++i)
                if (k.Lit(kLedLamps[i]))
                    first = i;
            return first >= 0;
        }());
        QCOMPARE(first, 2); // 1217
        k.Button(1176)->click();

        // With the link closed the servo still moves (and says so).
        k.station.frame->CloseLink();
        k.Button(1228)->click();
        QCOMPARE(k.Label(1230), QString::fromUtf8("60 °"));
        QCOMPARE(m_messages.size(), 1);
    }

    void segmentAndLcdOutput() {
        Kit k;
        QVERIFY(k.Start());
        QCOMPARE(k.Get<CDigiStatic>(1186)->DisplayText(), QByteArray("0"));
        k.Edit(1066)->setText(QStringLiteral("."));
        k.Button(1067)->click();
        QCOMPARE(k.Sent(11), QByteArray("$AR,SMG1,.#"));
        k.Edit(1066)->setText(QStringLiteral("12"));
        k.Button(1067)->click();
        QCOMPARE(m_messages, QStringList{QString::fromUtf8("输入必须为1位数值或小数点！")});
        QCOMPARE(k.Get<CDigiStatic>(1186)->DisplayText(), QByteArray("."));
        k.Button(1139)->click(); // four digits
        QCOMPARE(k.Edit(1066)->text(), QStringLiteral("0000"));
        k.Edit(1066)->setText(QStringLiteral("123"));
        m_messages.clear();
        k.Button(1067)->click();
        QCOMPARE(m_messages, QStringList{QString::fromUtf8("输入必须为4位数值！")});
        QTest::keyClicks(k.Edit(1066), QStringLiteral("#$4"));
        QCOMPARE(k.Edit(1066)->text(), QStringLiteral("1234"));
        k.Button(1067)->click();
        QCOMPARE(k.Sent(14), QByteArray("$AR,SMG4,1234#"));

        // Both LCD lines in one write, back to back.
        k.Edit(1011)->setText(QString::fromUtf8("中文"));
        k.Edit(1012)->setText(QStringLiteral("ab"));
        k.Button(1017)->click();
        const QByteArray both = k.Sent(62);
        QCOMPARE(both, QByteArray("$AR,LCD1602,1,\xD6\xD0\xCE\xC4            #"
                                  "$AR,LCD1602,2,ab              #"));
        // Both empty: nothing on the line and no message; with the link closed, the message.
        k.Button(1018)->click();
        QCOMPARE(k.Sent(14), QByteArray("$AR,LCD1602,0#"));
        QVERIFY(k.Edit(1011)->text().isEmpty());
        m_messages.clear();
        k.Button(1017)->click();
        QCOMPARE(k.station.pty->ReadFor(50), QByteArray());
        QVERIFY(m_messages.isEmpty());
        k.station.frame->CloseLink();
        k.Button(1017)->click();
        QCOMPARE(m_messages.size(), 1);
    }

    void framesFromTheKit() {
        Kit k;
        QVERIFY(k.Start());
        k.KitSays("$AR,BTN2,1#");
        QVERIFY(k.Lit(1220));
        k.KitSays("$AR,BTN2,0#");
        QVERIFY(!k.Lit(1220));
        k.KitSays("$AR,BTN1,1,ICL1#"); // button 1 reads "1,ICL1": grey; the tilt lamp red
        QVERIFY(!k.Lit(1219));
        QVERIFY(k.Lit(1226));
        k.KitSays("$AR,BTN3ICL0#"); // no "," after BTN: the frame ends there
        QVERIFY(k.Lit(1226));
        k.KitSays("$AR,TCH1,623#");
        QVERIFY(k.Lit(1225));
        QCOMPARE(k.Edit(1009)->text(), QStringLiteral("623")); // 1009 is the touch value here
        // Sensors: DHT11 is the third button of its group although its id is 1098.
        k.KitSays("$AR,SHT25,60#");
        QCOMPARE(k.Label(1182), QString::fromUtf8("0℃"));
        k.Button(1098)->click();
        k.KitSays("$AR,SHT25,61#");
        QCOMPARE(k.Label(1182), QString::fromUtf8("25℃"));
        QCOMPARE(k.Label(1183), QStringLiteral("61%"));
        // AD: the smoke reading has no unit; 1010 and 1013 are raw and converted here.
        k.Button(1061)->click();
        k.KitSays("$AR,YWS310,42#");
        QCOMPARE(k.Edit(1010)->text(), QStringLiteral("310"));
        QCOMPARE(k.Edit(1013)->text(), QStringLiteral("42"));
        // The joystick: every direction lights its lamp; others leave the lamps.
        for (int d = 0; d <= 9; ++d) {
            k.KitSays("$AR,JOY" + QByteArray::number(d) + ",X1" + QByteArray::number(d) +
                      ",Y2,Z3#");
            QCOMPARE(k.LitJoyLamps(), d == 0 ? QList<int>{} : QList<int>{d});
        }
        k.KitSays("$AR,JOY3,X100,Y512,Z1#");
        QCOMPARE(k.LitJoyLamps(), QList<int>{3});
        QCOMPARE(k.Edit(1014)->text(), QStringLiteral("100"));
        QCOMPARE(k.Edit(1015)->text(), QStringLiteral("512"));
        QCOMPARE(k.Edit(1016)->text(), QStringLiteral("1"));
        k.KitSays("$AR,JOY12,X1,Y2,Z3#");
        QCOMPARE(k.LitJoyLamps(), QList<int>{3});
        QCOMPARE(k.Edit(1014)->text(), QStringLiteral("1"));
        k.KitSays("$AR,JOY4294967299,X7,Y2,Z3#"); // saturates: not direction 3
        QCOMPARE(k.LitJoyLamps(), QList<int>{3});
        k.KitSays("$AR,JOY4,X9,Y9#"); // no Z: nothing of the joystick changes
        QCOMPARE(k.Edit(1014)->text(), QStringLiteral("7"));
        QCOMPARE(k.LitJoyLamps(), QList<int>{3});
        // 1237 is the logo here; 1238 a joystick lamp (tested above as direction 6).
        QVERIFY(!k.Get<QLabel>(1237)->pixmap().isNull());
        QVERIFY(k.Get<CLamp>(1238));
        // Infrared in the kit's bit order.
        k.KitSays("$AR,HSX,00FF30CF#");
        QCOMPARE(k.Edit(1088)->text(), QStringLiteral("1"));
        QVERIFY(m_messages.isEmpty());
    }

    void everyControlIsNamedAndTellsApart() {
        Kit k;
        QVERIFY(k.Start());
        QCOMPARE(UnnamedEdits(k.panel), QStringList());
        QCOMPARE(AlikeButtons(k.panel), QStringList()); // the stepper's and the fan's "加速"...
        QCOMPARE(Said(k.Edit(1009), QAccessible::Name), QString::fromUtf8("触摸AD值："));
        QCOMPARE(Said(k.Get<CLamp>(1238), QAccessible::Name),
                 QStringLiteral("Joystick upper right"));
        k.KitSays("$AR,SHT25,60#");
        k.Button(1224)->click();
        QCOMPARE(Said(k.Get<QLabel>(1230), QAccessible::Name), QString::fromUtf8("20 °"));
        QCOMPARE(Said(k.Get<QLabel>(1230), QAccessible::Description),
                 QStringLiteral("Servo angle"));
    }

    void endToEndWithTheSimulatedKit() {
        StationOnSim s;
        QVERIFY(s.Start(3, {"--rate", "40"}));
        SimProcess& sim = s.sim;
        auto* panel = s.panel;
        auto button = [&s](int id) { return s.Button(id); };
        auto edit = [&s](int id) { return s.Edit(id); };
        auto lamp = [&s](int id) { return s.Lit(id); };
        button(1224)->click();
        button(1224)->click();
        QVERIFY(!sim.WaitPrinted("servo 40 degrees").isEmpty());
        edit(1011)->setText(QString::fromUtf8("你好Arduino"));
        button(1017)->click();
        QVERIFY(
            !sim.WaitPrinted(QString::fromUtf8("lcd1602 |你好Arduino     |").toUtf8()).isEmpty());
        sim.Say("button 2 1");
        QTRY_VERIFY(lamp(1220));
        sim.Say("joy 900 512");
        QTRY_VERIFY(lamp(1234));
        QTRY_COMPARE(edit(1014)->text(), QStringLiteral("900"));
        button(1098)->click(); // DHT11
        QTRY_VERIFY(qobject_cast<QLabel*>(FindControl(panel, 1183))->text() !=
                    QStringLiteral("0%"));
        sim.Say("irkey POWERON");
        QTRY_COMPARE(edit(1088)->text(), QStringLiteral("POWERON"));
        sim.Say("dump");
        QVERIFY(!sim.WaitPrinted("bad frames 0").isEmpty());
        QVERIFY2(!sim.Printed().contains("\nbad "), sim.Printed().constData());
        QVERIFY(m_messages.isEmpty());
    }
};

QTEST_MAIN(TestKitPanel)
#include "test_kit_panel.moc"
