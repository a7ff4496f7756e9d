// The 4WD and tricycle car panels as a user drives them: over a real serial link on a
// pseudo-terminal, and over TCP to the simulator's control service.
#include "core/link/tcp_transport.h"
#include "core/products/catalogue.h"
#include "core/wifi_cars/wifi_control_client.h"
#include "gui/common/control_ids.h"
#include "gui/common/message_seam.h"
#include "gui/shell/main_frame.h"
#include "gui/widgets/button_ex.h"
#include "gui/widgets/lamp.h"
#include "gui/wifi_cars/tavo4wd_car_form_view.h"
#include "sim_process.h"
#include "station_fixture.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QProgressBar>
#include <QSlider>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QTimer>

using namespace Korvane;

class TestWifiCars : public QObject {
    Q_OBJECT
    const Korvane::CMessageSeam m_seam; // the messages and answers of this test program
    QStringList m_messages;
    std::unique_ptr<StationOnPty> m_station;
    CWifiCarPanel* m_panel = nullptr;

    void Start(int product) {
        m_station = std::make_unique<StationOnPty>();
        QVERIFY(m_station->Start(product, QSize(1200, 860)));
        m_panel = qobject_cast<CWifiCarPanel*>(m_station->frame->CurrentPanel());
        QVERIFY(m_panel);
    }
    template <typename T = QWidget> T* Control(int id) {
        T* w = qobject_cast<T*>(FindControl(m_panel, id));
        if (!w)
            qFatal("no control %d", id);
        return w;
    }
    void Click(int id) { QTest::mouseClick(Control<QAbstractButton>(id), Qt::LeftButton); }
    // Drags a slider to a value and lets go, as a user would.
    void Release(int id, int value) {
        auto* s = Control<QSlider>(id);
        s->setValue(value);
        QTest::mouseRelease(s, Qt::LeftButton, {}, QPoint(2, s->height() / 2));
        QTest::qWait(5);
    }
    QByteArray Sent(qsizetype bytes) { return m_station->pty->ReadAtLeast(bytes); }
    QByteArray Nothing() { return m_station->pty->ReadFor(30); }

  private slots:
    void initTestCase() {
        SetMessageObserver([this](const QString& t) { m_messages << t; });
    }
    void init() { m_messages.clear(); }
    void cleanup() {
        m_panel = nullptr;
        m_station.reset();
    }

    void fourWdButtonsOnTheLine() {
        Start(10);
        const struct {
            int id;
            const char* frame;
        } buttons[] = {{1272, "$1,0,0,0,0,0,0,0,0#"}, {1273, "$2,0,0,0,0,0,0,0,0#"},
                       {1274, "$3,0,0,0,0,0,0,0,0#"}, {1275, "$4,0,0,0,0,0,0,0,0#"},
                       {1276, "$0,0,0,0,0,0,0,0,0#"}, {1257, "$0,1,0,0,0,0,0,0,0#"},
                       {1258, "$0,2,0,0,0,0,0,0,0#"}, {1259, "$0,0,0,0,1,0,0,0,0#"},
                       {1260, "$0,0,0,0,0,0,0,0,1#"}, {1261, "$0,0,0,0,2,0,0,0,0#"},
                       {1262, "$0,0,0,0,0,0,0,1,0#"}, {1263, "$0,0,1,0,0,0,0,0,0#"},
                       {1264, "$0,0,0,1,0,0,0,0,0#"}, {1265, "$0,0,0,2,0,0,0,0,0#"}};
        for (const auto& b : buttons) {
            Click(b.id);
            QCOMPARE(Sent(19), QByteArray(b.frame));
        }
        // "Middle" moves the servo slider to 90 without a PTZ frame of its own.
        QCOMPARE(Control<QSlider>(1280)->value(), 180); // after "Right"
        Click(1260);
        QCOMPARE(Sent(19), QByteArray("$0,0,0,0,0,0,0,0,1#"));
        QCOMPARE(Control<QSlider>(1280)->value(), 90);
        QCOMPARE(Nothing(), QByteArray());
        // The swatches have no click action.
        Click(1296);
        Click(1299);
        QCOMPARE(Nothing(), QByteArray());
    }

    void pendrixButtonsOnTheLine() {
        Start(14);
        const struct {
            int id;
            const char* frame;
        } buttons[] = {{1272, "$1,0,0,0,0,0#"}, {1273, "$2,0,0,0,0,0#"}, {1274, "$3,0,0,0,0,0#"},
                       {1275, "$4,0,0,0,0,0#"}, {1276, "$8,0,0,0,0,0#"}, {1257, "$0,1,0,0,0,0#"},
                       {1258, "$0,2,0,0,0,0#"}, {1262, "$0,8,0,0,0,0#"}, {1263, "$0,0,1,0,0,0#"},
                       {1264, "$0,0,0,1,0,0#"}, {1265, "$0,0,0,2,0,0#"}};
        for (const auto& b : buttons) {
            Click(b.id);
            QCOMPARE(Sent(13), QByteArray(b.frame));
        }
        // Position buttons store the slider's angle and leave the slider where it is.
        Release(1280, 120);
        QCOMPARE(Sent(13), QByteArray("$PDRX,PTZ120#"));
        Click(1261);
        QCOMPARE(Sent(18), QByteArray("$PDRX,PTZ120,POS3#"));
        Click(1259);
        QCOMPARE(Sent(18), QByteArray("$PDRX,PTZ120,POS1#"));
        QCOMPARE(Control<QSlider>(1280)->value(), 120);
    }

    void keysRepeatSuppressedAndTypingSendsNothing() {
        Start(14);
        QTest::keyClick(m_panel, Qt::Key_Space);
        QCOMPARE(Sent(13), QByteArray("$8,0,0,0,0,0#"));
        QTest::keyClick(m_panel, Qt::Key_W);
        QTest::keyClick(Control(1272), Qt::Key_W); // through a child: the same key again
        QCOMPARE(Sent(13), QByteArray("$1,0,0,0,0,0#"));
        Click(1276); // a button does not change the last key state
        QCOMPARE(Sent(13), QByteArray("$8,0,0,0,0,0#"));
        QTest::keyClick(m_panel, Qt::Key_W);
        QTest::keyClick(m_panel, Qt::Key_Left);
        QCOMPARE(Sent(13), QByteArray("$0,1,0,0,0,0#"));
        for (int id : {1306, 1307, 1308})
            QTest::keyClicks(Control(id), QStringLiteral("wasd "));
        QCOMPARE(Nothing(), QByteArray());
    }

    void colourButtonsAndSliders() {
        Start(10);
        Click(1268); // Green
        QCOMPARE(Sent(19), QByteArray("$0,0,0,0,0,0,3,0,0#"));
        QCOMPARE(Control<QLabel>(1297)->text(), QStringLiteral("R:000,G:255,B:000"));
        QCOMPARE(Control<QSlider>(1278)->value(), 255);
        QCOMPARE(Control<QSlider>(1277)->value(), 0);
        QCOMPARE(Control<CButtonEx>(1296)->FaceColor(), QColor(0, 255, 0));
        Release(1277, 7);
        QCOMPARE(Sent(22), QByteArray("$4WD,CLR7,CLG255,CLB0#"));
        QCOMPARE(Control<QLabel>(1297)->text(), QStringLiteral("R:007,G:255,B:000"));
        QCOMPARE(Control<CButtonEx>(1296)->FaceColor(), QColor(7, 255, 0));
        Release(1280, 45);
        QCOMPARE(Sent(11), QByteArray("$4WD,PTZ45#"));
        Release(1294, 10);
        Release(1022, 170);
        QCOMPARE(Sent(2 * 38), QByteArray("$4WD,ServoJ110,J20,J30,J40,J50,J60#"
                                          "$4WD,ServoJ110,J20,J30,J40,J50,J6170#"));
        // The keyboard moves a focused slider (its arrows do not spin the car) and, once the
        // value has settled, its frame goes once, as after a mouse release.
        Control(1277)->setFocus();
        QTest::keyClick(Control(1277), Qt::Key_PageUp);
        QTest::keyClick(Control(1277), Qt::Key_Right);
        QTest::keyClick(Control(1277), Qt::Key_Right);
        QCOMPARE(Control<QSlider>(1277)->value(), 7 + Control<QSlider>(1277)->pageStep() + 2);
        QCOMPARE(Nothing(), QByteArray()); // still settling
        const QByteArray moved =
            "$4WD,CLR" + QByteArray::number(Control<QSlider>(1277)->value()) + ",CLG255,CLB0#";
        QCOMPARE(Sent(moved.size()), moved);
        QCOMPARE(Nothing(), QByteArray());
        // Assistive technology sets the value: the same.
        QAccessibleInterface* slider = QAccessible::queryAccessibleInterface(Control(1277));
        QVERIFY(slider && slider->valueInterface());
        slider->valueInterface()->setCurrentValue(40);
        QCOMPARE(Sent(22), QByteArray("$4WD,CLR40,CLG255,CLB0#"));
        // Keys that are not the slider's still drive.
        QTest::keyClick(Control(1277), Qt::Key_W);
        QCOMPARE(Sent(19), QByteArray("$1,0,0,0,0,0,0,0,0#"));
    }

    void theArmAndTheTypedAddressesAreTheModels() {
        // The panel's controls show the station's model and write it; what goes out is read
        // from the model, never from a control.
        Start(10);
        auto& model = m_station->frame->Station().ModelOf<CWifiCarModel>(Panel4WD);
        model.SetPose({10, 20, 30, 40, 50, 60});
        QCOMPARE(Control<QSlider>(1294)->value(), 10);
        QCOMPARE(Control<QSlider>(1022)->value(), 60);
        Release(1295, 25); // the user moves J2 and lets go
        QCOMPARE(model.Pose(), (ArmPose{10, 25, 30, 40, 50, 60}));
        QCOMPARE(Sent(40), QByteArray("$4WD,ServoJ110,J225,J330,J440,J550,J660#"));
        // The typed addresses: the edits and the model are one.
        auto* address = Control<QLineEdit>(1307);
        QCOMPARE(model.Text(WifiField::ControlAddress), address->text());
        address->setText(QStringLiteral("127.0.0.1"));
        QCOMPARE(model.Text(WifiField::ControlAddress), QStringLiteral("127.0.0.1"));
        model.Set(WifiField::ControlPort, QStringLiteral("1"));
        QCOMPARE(Control<QLineEdit>(1308)->text(), QStringLiteral("1"));
        // The searchlight's sliders move its colour (the label shows it at once); the car is
        // told when one is let go.
        Control<QSlider>(1279)->setValue(9);
        QCOMPARE(model.Number(WifiField::Blue), 9);
        QCOMPARE(Control<QLabel>(1297)->text(), QStringLiteral("R:000,G:000,B:009"));
        QCOMPARE(Nothing(), QByteArray());
        Release(1279, 9);
        QCOMPARE(Sent(20), QByteArray("$4WD,CLR0,CLG0,CLB9#"));
        // The battery's text is the panel's reading of the model's values.
        m_station->pty->Write("$4WD,CSB20,PV7.40,GS0,LF0000,HW00,GM00#");
        QTRY_COMPARE(Control<QLabel>(1298)->text(), QStringLiteral("7.40/50%"));
        QCOMPARE(model.Value(WifiField::BatteryVolts).toDouble(), double(7.40f));
        QCOMPARE(model.Number(WifiField::BatteryPercent), 50);
    }

    void everyCameraPressHasOneStop() {
        Start(10);
        auto* up = Control<QAbstractButton>(1314);
        Release(1280, 100);
        QCOMPARE(Sent(12), QByteArray("$4WD,PTZ100#"));
        QTest::mousePress(up, Qt::LeftButton);
        QCOMPARE(Sent(19), QByteArray("$0,0,0,0,3,0,0,0,0#"));
        QCOMPARE(Control<QSlider>(1280)->value(), 0); // moved without a PTZ frame
        QCOMPARE(Nothing(), QByteArray());
        QTest::mouseRelease(up, Qt::LeftButton);
        QCOMPARE(Sent(19), QByteArray("$0,0,0,0,8,0,0,0,0#"));
        QCOMPARE(Nothing(), QByteArray());
        // A double click: two presses, two stops, whether the platform sends the second press
        // as a double-click event alone or as a press followed by one.
        auto* down = Control<QAbstractButton>(1315);
        auto doubleClick = [down](bool pressFirst) {
            QTest::mousePress(down, Qt::LeftButton);
            QTest::mouseRelease(down, Qt::LeftButton);
            if (pressFirst)
                QTest::mousePress(down, Qt::LeftButton);
            const QPointF at = down->rect().center();
            QMouseEvent dbl(QEvent::MouseButtonDblClick, at, down->mapToGlobal(at), Qt::LeftButton,
                            Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(down, &dbl);
            QTest::mouseRelease(down, Qt::LeftButton);
        };
        for (bool pressFirst : {false, true}) {
            doubleClick(pressFirst);
            QCOMPARE(Sent(4 * 19), QByteArray("$0,0,0,0,4,0,0,0,0#$0,0,0,0,8,0,0,0,0#"
                                              "$0,0,0,0,4,0,0,0,0#$0,0,0,0,8,0,0,0,0#"));
            QCOMPARE(Nothing(), QByteArray());
        }
        // A release that never comes: the panel hidden (another product) still stops it.
        QTest::mousePress(Control<QAbstractButton>(1317), Qt::LeftButton);
        QCOMPARE(Sent(19), QByteArray("$0,0,0,0,7,0,0,0,0#"));
        m_station->frame->SelectProduct(5);
        QCOMPARE(Sent(19), QByteArray("$0,0,0,0,8,0,0,0,0#"));
        // Space on a focused camera button is not a camera press.
        m_station->frame->SelectProduct(10);
        Control(1316)->setFocus();
        QTest::keyClick(Control(1316), Qt::Key_Space);
        QCOMPARE(Sent(19), QByteArray("$0,0,0,0,0,0,0,0,0#")); // the panel's Space: stop
        QCOMPARE(Nothing(), QByteArray());
    }

    void sensorsFromTheSerialLine() {
        Start(10);
        m_station->pty->Write("$4WD,CSB25,PV8.10,GS1,LF1001,HW01,GM10#");
        QTRY_COMPARE(Control<QLabel>(1293)->text(), QStringLiteral("25"));
        QCOMPARE(Control<QProgressBar>(1270)->value(), 85);
        QCOMPARE(Control<QLabel>(1298)->text(), QStringLiteral("8.10/85%"));
        QCOMPARE(Control<QLineEdit>(1290)->text(), QStringLiteral("1"));
        const bool lamps[] = {true, false, false, true, false, true, true, false};
        const int ids[] = {1281, 1282, 1283, 1284, 1285, 1286, 1287, 1288};
        for (int i = 0; i < 8; ++i)
            QCOMPARE(Control<CLamp>(ids[i])->IsOn(), lamps[i]);
        // The bar holds out-of-range values at its ends; the text says what was received.
        m_station->pty->Write("$4WD,PV6,#");
        QTRY_COMPARE(Control<QLabel>(1298)->text(), QStringLiteral("6.00/-20%"));
        QCOMPARE(Control<QProgressBar>(1270)->value(), 0);
        m_station->pty->Write("$4WD,PV8.5,#");
        QTRY_COMPARE(Control<QLabel>(1298)->text(), QStringLiteral("8.50/105%"));
        QCOMPARE(Control<QProgressBar>(1270)->value(), 100);
        // The tricycle shows its distance on the segment display.
        m_station->frame->SelectProduct(14);
        m_panel = qobject_cast<CWifiCarPanel*>(m_station->frame->CurrentPanel());
        m_station->pty->Write("$PDRX,CSB37,PV11.10,LF0110,#");
        QTRY_COMPARE(Control<QLabel>(1298)->text(), QStringLiteral("11.10/58%"));
        QCOMPARE(Control(1293)->accessibleDescription().isEmpty(), false);
        QCOMPARE(Control<CLamp>(1282)->IsOn(), true);
        QCOMPARE(Control<CLamp>(1281)->IsOn(), false);
    }

    void theCaretStaysPutWhileTelemetryArrives() {
        Start(10);
        auto* value = Control<QLineEdit>(1290);
        value->setFocus();
        value->setText(QStringLiteral("abcdef"));
        value->setCursorPosition(2);
        for (int i = 0; i < 20; ++i)
            m_station->pty->Write("$4WD,CSB" + QByteArray::number(i) + ",#");
        QTRY_COMPARE(Control<QLabel>(1293)->text(), QStringLiteral("19"));
        QCOMPARE(value->cursorPosition(), 2);
        QCOMPARE(value->text(), QStringLiteral("abcdef"));
        auto* address = Control<QLineEdit>(1307);
        address->setText(QStringLiteral("10.0.0.7"));
        address->setCursorPosition(3);
        Click(1267); // a button that writes the controls leaves the typed address alone
        m_station->pty->Write("$4WD,CSB5,#");
        QTRY_COMPARE(Control<QLabel>(1293)->text(), QStringLiteral("5"));
        QCOMPARE(address->text(), QStringLiteral("10.0.0.7"));
        QCOMPARE(address->cursorPosition(), 3);
    }

    void routeAndControlConnection() {
        SimProcess sim;
        QVERIFY(sim.Start(13, {"--rate", "20", "--control-port", "0"}));
        Start(12);
        auto* toggle = Control<QAbstractButton>(1310);
        QCOMPARE(Control<QLineEdit>(1308)->text(), QStringLiteral("8888"));
        Control<QLineEdit>(1307)->setText(QStringLiteral("127.0.0.1"));
        Control<QLineEdit>(1308)->setText(QString::number(sim.ControlPort()));
        Click(1310);
        QCOMPARE(Control<QLabel>(1311)->text(), QStringLiteral("Connecting to server....\r\n"));
        QVERIFY(!toggle->isEnabled() && !Control(1307)->isEnabled());
        QTRY_COMPARE(toggle->text(), QStringLiteral("Close conection"));
        QCOMPARE(Control<QLabel>(1311)->text(),
                 QStringLiteral("127.0.0.1Connection to server successful!\r\n"));
        QVERIFY(toggle->isEnabled() && !Control(1307)->isEnabled() && !Control(1308)->isEnabled());

        // Product 12: everything goes over the serial line even with the connection up.
        Click(1272);
        QCOMPARE(Sent(19), QByteArray("$1,0,0,0,0,0,0,0,0#"));
        // Product 13: over TCP only.
        m_station->frame->SelectProduct(13);
        QCOMPARE(m_station->frame->CurrentPanel(), m_panel);
        Click(1273);
        QTRY_VERIFY(sim.Log().contains(QStringLiteral("$2,0,0,0,0,0,0,0,0#")));
        QCOMPARE(Nothing(), QByteArray());
        // Telemetry over the same connection reaches the panel.
        QTRY_VERIFY(!Control<QLabel>(1293)->text().isEmpty());
        // File, New runs the initial update again: the connection stays, nothing doubles.
        m_station->frame->RefreshPanels();
        QVERIFY(m_panel->Client().IsConnected());
        Click(1274);
        QTRY_VERIFY(sim.Log().contains(QStringLiteral("$3,0,0,0,0,0,0,0,0#")));
        // A second frame after it on the same connection: once it is in, a double would be.
        Click(1273);
        QTRY_COMPARE(sim.Log().count(QStringLiteral("$2,0,0,0,0,0,0,0,0#")), 2);
        QCOMPARE(sim.Log().count(QStringLiteral("$3,0,0,0,0,0,0,0,0#")), 1);
        // Close.
        Click(1310);
        QCOMPARE(Control<QLabel>(1311)->text(), QStringLiteral("Successfully closed soket！"));
        QCOMPARE(toggle->text(), QStringLiteral("Connect control"));
        QVERIFY(Control(1307)->isEnabled() && Control(1308)->isEnabled());
        Click(1276); // closed: serial again
        QCOMPARE(Sent(19), QByteArray("$0,0,0,0,0,0,0,0,0#"));
        QVERIFY(m_messages.isEmpty());
    }

    void twoWindowsTwelveAndThirteen() {
        // Window A serves the Raspberry Pi car (13) over TCP; window B, selected afterwards,
        // the STM32 car (12) on its serial line. Neither's product changes the other's route.
        SimProcess sim;
        QVERIFY(sim.Start(13, {"--rate", "20", "--control-port", "0"}));
        Start(13);
        Control<QLineEdit>(1307)->setText(QStringLiteral("127.0.0.1"));
        Control<QLineEdit>(1308)->setText(QString::number(sim.ControlPort()));
        Click(1310);
        QTRY_VERIFY(m_panel->Client().IsConnected());
        StationOnPty other;
        QVERIFY(other.Start(12, QSize(1200, 860)));
        auto* otherPanel = qobject_cast<CWifiCarPanel*>(other.frame->CurrentPanel());
        QVERIFY(otherPanel);

        Click(1273); // A: over TCP
        QTRY_VERIFY(sim.Log().contains(QStringLiteral("$2,0,0,0,0,0,0,0,0#")));
        QTest::mouseClick(qobject_cast<QAbstractButton*>(FindControl(otherPanel, 1272)),
                          Qt::LeftButton); // B: on B's serial line
        QCOMPARE(other.pty->ReadAtLeast(19), QByteArray("$1,0,0,0,0,0,0,0,0#"));
        QCOMPARE(Nothing(), QByteArray());
        QVERIFY(!sim.Log().contains(QStringLiteral("$1,0,0,0,0,0,0,0,0#")));

        // Both receive: A its car's telemetry over TCP, B the frames of its serial line.
        QTRY_VERIFY(!Control<QLabel>(1293)->text().isEmpty());
        other.pty->Write("$4WD,CSB25,PV8.10,GS1,LF1001,HW01,GM10#");
        QTRY_COMPARE(qobject_cast<QLabel*>(FindControl(otherPanel, 1293))->text(),
                     QStringLiteral("25"));
        QVERIFY(m_messages.isEmpty());
    }

    void aCameraPressOnAClosedLinkSaysSoOnce() {
        Start(10);
        m_station->frame->CloseLink();
        auto* up = Control<QAbstractButton>(1314);
        QTest::mousePress(up, Qt::LeftButton);
        QTest::mouseRelease(up, Qt::LeftButton);
        QCOMPARE(m_messages, QStringList{QStringLiteral("The serial port is not open or has been "
                                                        "disconnected. Please reconnect!")});
        // Open again: a press and its release each go out once.
        QVERIFY(OpenNow(m_station->frame->Link(), m_station->pty->SlavePath(), 115200));
        QTest::mousePress(up, Qt::LeftButton);
        QTest::mouseRelease(up, Qt::LeftButton);
        QCOMPARE(Sent(38), QByteArray("$0,0,0,0,3,0,0,0,0#$0,0,0,0,8,0,0,0,0#"));
        QCOMPARE(m_messages.size(), 1);
    }

    void connectFailuresAndPeerClose() {
        SimProcess sim;
        QVERIFY(sim.Start(15, {"--rate", "20", "--control-port", "0"}));
        Start(15);
        const QString port = QString::number(sim.ControlPort());
        auto* toggle = Control<QAbstractButton>(1310);
        auto* status = Control<QLabel>(1311);
        Control<QLineEdit>(1307)->setText(QStringLiteral("127.0.0.1"));

        // Empty field: a box without icon, nothing attempted.
        Control<QLineEdit>(1308)->clear();
        Click(1310);
        QCOMPARE(m_messages.takeLast(), QStringLiteral("服务器地址或者端口不能为NULL"));
        QCOMPARE(LastMessageIcon(), MessageIcon::None);
        QVERIFY(status->text().isEmpty());
        // A port that cannot exist, a text that is not an address: no attempt.
        for (auto [address, p] : {std::pair{QStringLiteral("127.0.0.1"), QStringLiteral("70000")},
                                  std::pair{QStringLiteral("car.local"), port},
                                  std::pair{QStringLiteral("127.0.0.1"), QStringLiteral("abc")}}) {
            Control<QLineEdit>(1307)->setText(address);
            Control<QLineEdit>(1308)->setText(p);
            Click(1310);
            QCOMPARE(m_messages.takeLast(), QStringLiteral("FD_ISSET 不可写!"));
            QCOMPARE(LastMessageIcon(), MessageIcon::Warning);
            QVERIFY(!m_panel->Client().IsConnecting());
        }
        Control<QLineEdit>(1307)->setText(QStringLiteral("127.0.0.1"));
        Control<QLineEdit>(1308)->setText(port);

        // Refused: the car's own text, then the address and port tried and where the PC must be.
        QVERIFY(sim.Command("fault refuse"));
        Click(1310);
        QTRY_COMPARE(m_messages.size(), 1);
        const QStringList lines = m_messages.takeLast().split(QLatin1Char('\n'));
        QCOMPARE(lines.first(), QStringLiteral("FD_ISSET 不可写!"));
        QCOMPARE(lines.last(),
                 QStringLiteral("Nothing answered at 127.0.0.1, port %1. This PC must be on the "
                                "car's Wi-Fi (its access point) and the car switched on.")
                     .arg(port));
        QCOMPARE(status->text(), QStringLiteral("正在连接服务器....\r\n"));
        QVERIFY(toggle->isEnabled() && Control(1307)->isEnabled());

        // A connect that never completes ends with our own time-out; the UI runs meanwhile.
        QVERIFY(sim.Command("fault hang"));
        m_panel->Client().Transport().SetConnectTimeout(600);
        int ticks = 0;
        QTimer clock;
        clock.setInterval(10);
        connect(&clock, &QTimer::timeout, [&ticks] { ++ticks; });
        clock.start();
        Click(1310);
        QVERIFY(m_panel->Client().IsConnecting());
        QTRY_COMPARE_WITH_TIMEOUT(m_messages.size(), 1, 5000);
        QVERIFY(m_messages.takeLast().startsWith(
            QStringLiteral("FD_ISSET 不可写!\n\nNothing answered")));
        QVERIFY2(ticks >= 20, qPrintable(QString::number(ticks)));

        // Connected, then the car closes the connection: noticed, no box, serial again.
        QVERIFY(sim.Command("fault close-after 2"));
        Click(1310);
        QTRY_COMPARE(toggle->text(), QStringLiteral("关闭连接"));
        Click(1272);
        Click(1273);
        QTRY_COMPARE(status->text(), QStringLiteral("服务器已关闭连接！\r\n"));
        QCOMPARE(toggle->text(), QStringLiteral("连接控制"));
        QVERIFY(Control(1307)->isEnabled());
        QVERIFY(m_messages.isEmpty());
        Click(1274);
        QCOMPARE(Sent(13), QByteArray("$3,0,0,0,0,0#"));
    }

    void tcpFramesSplitBunchedOrAmongJunkAllArrive() {
        SimProcess sim;
        QVERIFY(
            sim.Start(13, {"--rate", "50", "--control-port", "0", "--control-fault", "split 1"}));
        Start(13);
        Control<QLineEdit>(1307)->setText(QStringLiteral("127.0.0.1"));
        Control<QLineEdit>(1308)->setText(QString::number(sim.ControlPort()));
        QList<QByteArray> frames;
        connect(&m_panel->Client(), &CWifiControlClient::frameReceived,
                [&frames](const QByteArray& f) { frames << f; });
        Click(1310);
        QTRY_VERIFY(m_panel->Client().IsConnected());
        for (const char* mode : {"fault split 1", "fault bunch", "fault junk"}) {
            QVERIFY(sim.Command(mode));
            frames.clear();
            QTRY_VERIFY(frames.size() >= 8);
            // Whole frames only, each one parsed (a "$" of the junk before a frame is an
            // ordinary character of it, as on the serial line).
            for (const QByteArray& f : frames)
                QVERIFY2(f.startsWith("$") && f.endsWith("#") &&
                             ParseSensors(WifiCar::FourWd, f).complete,
                         f.constData());
        }
        QTRY_VERIFY(!Control<QLabel>(1293)->text().isEmpty());
    }

    void aBurstOfReadingsIsShownOncePerBatch() {
        // 300 changing readings in one burst over TCP: the battery bar, its text and the
        // tracking lamps are written once for the burst (the newest values), not per frame.
        QTcpServer car;
        QVERIFY(car.listen(QHostAddress::LocalHost));
        Start(13);
        Control<QLineEdit>(1307)->setText(QStringLiteral("127.0.0.1"));
        Control<QLineEdit>(1308)->setText(QString::number(car.serverPort()));
        Click(1310);
        QTRY_VERIFY(car.hasPendingConnections());
        QTcpSocket* link = car.nextPendingConnection();
        QTRY_VERIFY(m_panel->Client().IsConnected());
        int barWrites = 0;
        connect(Control<QProgressBar>(1270), &QProgressBar::valueChanged, [&] { ++barWrites; });
        QByteArray burst;
        for (int i = 0; i < 300; ++i)
            burst += "$4WD,CSB" + QByteArray::number(i) + ",PV" +
                     QByteArray::number(6.0 + (i % 25) * 0.1, 'f', 2) + ",GS1,LF" +
                     (i % 2 ? "1010" : "0101") + ",HW01,GM10#";
        burst += "$4WD,CSB999,PV8.40,GS1,LF1111,HW01,GM10#";
        link->write(burst);
        QTRY_COMPARE(Control<QLabel>(1293)->text(), QStringLiteral("999"));
        QCOMPARE(Control<QProgressBar>(1270)->value(), 100);
        QCOMPARE(Control<QLabel>(1298)->text(), QStringLiteral("8.40/100%"));
        QCOMPARE(Control<QLabel>(1298)->text(), QStringLiteral("8.40/100%"));
        for (int id : {1281, 1282, 1283, 1284})
            QVERIFY(Control<CLamp>(id)->IsOn());
        // However the burst was cut into reads, a few batches, never one write per frame.
        QVERIFY2(barWrites <= 10, qPrintable(QString::number(barWrites)));
    }

    void simulatedCarsOverTheSerialLine() {
        // The 4WD car (10) and the tricycle car (14) of the simulator on a pseudo-terminal:
        // every command is acknowledged and the sensor values reach the panels.
        for (int product : {10, 14}) {
            SimProcess sim;
            QVERIFY(sim.Start(product, {"--rate", "20"}));
            CMainFrame frame;
            frame.SelectProduct(product);
            frame.show();
            QVERIFY(OpenNow(frame.Link(), sim.Port(), 115200));
            m_panel = qobject_cast<CWifiCarPanel*>(frame.CurrentPanel());
            QTRY_VERIFY(!Control<QLabel>(1298)->text().isEmpty()); // the battery
            Click(1272);
            Click(1267);
            QTest::keyClick(m_panel, Qt::Key_Space);
            QCOMPARE(sim.ReadLine(), product == 10 ? QByteArray("ack $1,0,0,0,0,0,0,0,0# forward")
                                                   : QByteArray("ack $1,0,0,0,0,0# forward"));
            QCOMPARE(sim.ReadLine(), product == 10
                                         ? QByteArray("ack $0,0,0,0,0,0,2,0,0# light 255,0,0")
                                         : QByteArray("ack $0,0,0,0,0,2# light 255,0,0"));
            QCOMPARE(sim.ReadLine(), product == 10 ? QByteArray("ack $0,0,0,0,0,0,0,0,0# stop")
                                                   : QByteArray("ack $8,0,0,0,0,0# stop"));
            // The camera mount turns while its button is held, and stops with the release.
            QAbstractButton* camera = Control<QAbstractButton>(1316);
            QTest::mousePress(camera, Qt::LeftButton);
            QCOMPARE(sim.ReadLine().endsWith("camera moving 6"), true);
            QTest::mouseRelease(camera, Qt::LeftButton);
            QCOMPARE(sim.ReadLine().endsWith("camera stop"), true);
            m_panel = nullptr;
        }
    }

    void aResetOrADeafCarIsHandled() {
        SimProcess sim;
        QVERIFY(sim.Start(13, {"--rate", "20", "--control-port", "0", "--control-fault", "deaf"}));
        Start(13);
        Control<QLineEdit>(1307)->setText(QStringLiteral("127.0.0.1"));
        Control<QLineEdit>(1308)->setText(QString::number(sim.ControlPort()));
        Click(1310);
        QTRY_VERIFY(m_panel->Client().IsConnected());
        // A car that never reads: frames are written (into the socket's buffer) and the
        // window goes on; nothing is lost on our side, nothing blocks.
        for (int i = 0; i < 200; ++i)
            QTest::keyClick(m_panel, i % 2 ? Qt::Key_W : Qt::Key_S);
        QVERIFY(m_panel->Client().IsConnected());
        QCOMPARE(Nothing(), QByteArray());
        // A reset from the car: noticed like a close.
        QVERIFY(sim.Command("fault reset"));
        QTest::keyClick(m_panel, Qt::Key_Space);
        QTRY_COMPARE(Control<QLabel>(1311)->text(),
                     QStringLiteral("Connection closed by the server!\r\n"));
        QVERIFY(m_messages.isEmpty());
    }
};

QTEST_MAIN(TestWifiCars)
#include "test_wifi_cars.moc"
