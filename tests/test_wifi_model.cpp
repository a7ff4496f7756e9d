// The Wi-Fi cars' frames, sensor parsing, battery arithmetic and address rules, on fixtures;
// the control client's state and texts against a loopback server, without any widget.
#include "core/link/frame_receive.h"
#include "core/wifi_cars/arm_steps.h"
#include "core/wifi_cars/wifi_car_model.h"
#include "core/wifi_cars/wifi_control_client.h"

#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

using namespace Korvane;

class TestWifiModel : public QObject {
    Q_OBJECT
  private slots:
    void fixedFramesHaveTheirFields() {
        // Every 4WD frame has 9 fields (19 characters), every tricycle frame 6 (13).
        for (int id = 1250; id < 1320; ++id) {
            for (WifiCar car : {WifiCar::FourWd, WifiCar::Pendrix}) {
                const int fields = car == WifiCar::FourWd ? 9 : 6;
                for (const QByteArray& f : {WifiButtonFrame(car, id), CameraPressFrame(car, id)}) {
                    if (f.isEmpty())
                        continue;
                    QCOMPARE(FieldCount(f), fields);
                    QCOMPARE(f.size(), qsizetype(2 * fields + 1));
                }
            }
        }
        QCOMPARE(WifiButtonFrame(WifiCar::FourWd, 1276), QByteArray("$0,0,0,0,0,0,0,0,0#"));
        QCOMPARE(WifiButtonFrame(WifiCar::Pendrix, 1276), QByteArray("$8,0,0,0,0,0#"));
        QCOMPARE(WifiButtonFrame(WifiCar::FourWd, 1260), QByteArray("$0,0,0,0,0,0,0,0,1#"));
        QCOMPARE(WifiButtonFrame(WifiCar::Pendrix, 1262), QByteArray("$0,8,0,0,0,0#"));
        QVERIFY(WifiButtonFrame(WifiCar::Pendrix, 1259).isEmpty()); // position buttons: tagged
        QCOMPARE(CameraPressFrame(WifiCar::FourWd, 1315), QByteArray("$0,0,0,0,4,0,0,0,0#"));
        QCOMPARE(CameraPressFrame(WifiCar::Pendrix, 1316), QByteArray("$0,0,0,0,6,0#"));
        QVERIFY(CameraPressFrame(WifiCar::Pendrix, 1314).isEmpty());
        QCOMPARE(CameraStopFrame(WifiCar::FourWd), QByteArray("$0,0,0,0,8,0,0,0,0#"));
        QCOMPARE(CameraStopFrame(WifiCar::Pendrix), QByteArray("$0,0,0,0,8,0#"));
        // The tricycle never sends six zeros.
        for (int id = 1250; id < 1320; ++id)
            QVERIFY(WifiButtonFrame(WifiCar::Pendrix, id) != "$0,0,0,0,0,0#");
        CDrivingKeys keys(WifiCarKeys(WifiCar::Pendrix));
        QCOMPARE(*keys.OnKeyDown(Qt::Key_Space), QByteArray("$8,0,0,0,0,0#"));
        QVERIFY(!keys.OnKeyDown(Qt::Key_Space));
        QCOMPARE(*keys.OnKeyDown(Qt::Key_Left), QByteArray("$0,1,0,0,0,0#"));
        QVERIFY(!keys.OnKeyDown(Qt::Key_Up));
    }

    void taggedFrames() {
        QCOMPARE(PtzFrame(WifiCar::FourWd, 90), QByteArray("$4WD,PTZ90#"));
        QCOMPARE(PtzFrame(WifiCar::Pendrix, 30), QByteArray("$PDRX,PTZ30#"));
        QCOMPARE(PositionFrame(75, 2), QByteArray("$PDRX,PTZ75,POS2#"));
        QCOMPARE(ColourFrame(WifiCar::FourWd, 0, 128, 255), QByteArray("$4WD,CLR0,CLG128,CLB255#"));
        QCOMPARE(ColourFrame(WifiCar::Pendrix, 5, 6, 7), QByteArray("$PDRX,CLR5,CLG6,CLB7#"));
        QCOMPARE(ArmFrame({10, 20, 30, 40, 50, 180}),
                 QByteArray("$4WD,ServoJ110,J220,J330,J440,J550,J6180#"));
        QCOMPARE(ColourLabel(5, 0, 255), QStringLiteral("R:005,G:000,B:255"));
    }

    void batteryInSinglePrecision_data() {
        QTest::addColumn<int>("car");
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<int>("percent");
        QTest::addColumn<QString>("text");
        const int fw = int(WifiCar::FourWd), pd = int(WifiCar::Pendrix);
        // Where single and double precision differ: double would give 9, 5, 24 and 39.
        QTest::newRow("4WD 6.60") << fw << QByteArray("6.60") << 10 << "6.60/10%";
        QTest::newRow("4WD 6.52") << fw << QByteArray("6.52") << 6 << "6.52/6%";
        QTest::newRow("PDRX 9.90") << pd << QByteArray("9.90") << 25 << "9.90/25%";
        QTest::newRow("PDRX 10.44") << pd << QByteArray("10.44") << 40 << "10.44/40%";
        QTest::newRow("4WD 8.10") << fw << QByteArray("8.10") << 85 << "8.10/85%";
        QTest::newRow("4WD 6") << fw << QByteArray("6") << -20 << "6.00/-20%";
        QTest::newRow("4WD 8.5") << fw << QByteArray("8.5") << 105 << "8.50/105%";
        QTest::newRow("PDRX 11.10") << pd << QByteArray("11.10") << 58 << "11.10/58%";
        QTest::newRow("PDRX 8.1") << pd << QByteArray("8.1") << -25 << "8.10/-25%";
        QTest::newRow("PDRX 12.6") << pd << QByteArray("12.6") << 100 << "12.60/100%";
        QTest::newRow("nan") << fw << QByteArray("nan") << -320 << "0.00/-320%";
        QTest::newRow("inf") << fw << QByteArray("inf") << -320 << "0.00/-320%";
        QTest::newRow("1e39") << pd << QByteArray("1e39") << -250 << "0.00/-250%";
        QTest::newRow("empty") << fw << QByteArray("") << -320 << "0.00/-320%";
        QTest::newRow("1e30 saturates") << fw << QByteArray("1e30") << 107373862
                                        << "1000000015047466219876688855040.00/107373862%";
        QTest::newRow("-1e30 saturates") << fw << QByteArray("-1e30") << -107374502
                                         << "-1000000015047466219876688855040.00/-107374502%";
    }
    void batteryInSinglePrecision() {
        QFETCH(int, car);
        QFETCH(QByteArray, value);
        QFETCH(int, percent);
        QFETCH(QString, text);
        const BatteryReading r = ReadBattery(WifiCar(car), value);
        QCOMPARE(r.percent, percent);
        QCOMPARE(r.text, text);
        QCOMPARE(r.BarValue(), std::clamp(percent, 0, 100));
    }

    void fourWdSensors() {
        SensorUpdate u = ParseSensors(WifiCar::FourWd, "$4WD,CSB25,PV8.10,GS1,LF1001,HW01,GM10#");
        QVERIFY(u.tagged && u.complete);
        QCOMPARE(*u.distance, QByteArray("25"));
        QCOMPARE(u.battery->percent, 85);
        QCOMPARE(*u.colour, QByteArray("1"));
        QCOMPARE(*u.tracking, (std::array<bool, 4>{true, false, false, true}));
        QCOMPARE(*u.obstacle, (std::array<bool, 2>{false, true}));
        QCOMPARE(*u.light, (std::array<bool, 2>{true, false}));

        u = ParseSensors(WifiCar::FourWd, "$4WD,GM11#");
        QCOMPARE(*u.light, (std::array<bool, 2>{true, true}));
        QVERIFY(!u.distance && !u.battery && !u.tracking);

        // CSB without a terminator ends the parse: nothing is set.
        u = ParseSensors(WifiCar::FourWd, "$4WD,CSB25");
        QVERIFY(u.tagged && !u.complete && !u.distance);
        // A later tag without its terminator keeps what came before.
        u = ParseSensors(WifiCar::FourWd, "$4WD,CSB9,PV7.0,GS3,LF1111,HW10,GM01");
        QVERIFY(!u.complete);
        QCOMPARE(*u.distance, QByteArray("9"));
        QCOMPARE(*u.obstacle, (std::array<bool, 2>{true, false}));
        QVERIFY(!u.light);
        // Values shorter than their lamps: past the end is off.
        u = ParseSensors(WifiCar::FourWd, "$4WD,LF1,HW,GM1#");
        QCOMPARE(*u.tracking, (std::array<bool, 4>{true, false, false, false}));
        QCOMPARE(*u.obstacle, (std::array<bool, 2>{false, false}));
        QCOMPARE(*u.light, (std::array<bool, 2>{true, false}));
        // Without the family tag nothing is read.
        QVERIFY(!ParseSensors(WifiCar::FourWd, "$PDRX,CSB25,#").tagged);
        QVERIFY(!ParseSensors(WifiCar::Pendrix, "$4WD,CSB25,#").tagged);
    }

    void pendrixSensors() {
        SensorUpdate u = ParseSensors(WifiCar::Pendrix, "$PDRX,CSB37,PV11.10,LF0110,#");
        QVERIFY(u.complete);
        QCOMPARE(*u.distance, QByteArray("37"));
        QCOMPARE(u.battery->text, QStringLiteral("11.10/58%"));
        QCOMPARE(*u.tracking, (std::array<bool, 4>{false, true, true, false}));
        QVERIFY(!u.colour && !u.obstacle && !u.light); // the tricycle has none of these
        u = ParseSensors(WifiCar::Pendrix, "$PDRX,CSB37#");
        QVERIFY(!u.complete && !u.distance);
    }

    void sensorFrameSplitAnywhereReadsTheSameWhenReassembled() {
        // The client reassembles frames before parsing: whatever the cut, the frame parses
        // as the whole one does.
        const QByteArray frame = "$4WD,CSB25,PV8.10,GS1,LF1001,HW01,GM10#";
        const SensorUpdate whole = ParseSensors(WifiCar::FourWd, frame);
        for (int cut = 1; cut < frame.size(); ++cut) {
            CFrameAssembler a;
            QList<QByteArray> frames;
            a.FeedChunk(frame.left(cut), [&](const QByteArray& f) { frames << f; });
            a.FeedChunk(frame.mid(cut), [&](const QByteArray& f) { frames << f; });
            QCOMPARE(frames.size(), 1);
            const SensorUpdate u = ParseSensors(WifiCar::FourWd, frames[0]);
            QCOMPARE(*u.distance, *whole.distance);
            QCOMPARE(u.battery->text, whole.battery->text);
            QCOMPARE(*u.light, *whole.light);
        }
    }

    void addressesAndPorts() {
        QCOMPARE(ParseControlAddress(QStringLiteral("192.168.50.1"))->toString(),
                 QStringLiteral("192.168.50.1"));
        QCOMPARE(ParseControlAddress(QStringLiteral("127.1"))->toString(),
                 QStringLiteral("127.0.0.1"));
        for (const char* bad : {"", "car.local", "300.1.1.1", "::1", "1.2.3.4.5", "abc"})
            QVERIFY2(!ParseControlAddress(QString::fromLatin1(bad)), bad);
        QCOMPARE(ParseControlPort(QStringLiteral("8888")), 8888);
        QCOMPARE(ParseControlPort(QStringLiteral("8888x")), 8888);
        QCOMPARE(ParseControlPort(QStringLiteral("abc")), 0);
        QCOMPARE(ParseControlPort(QStringLiteral("70000")), 70000); // never wraps to 4464
        QVERIFY(ParseControlPort(QStringLiteral("999999999999999999999999")) > 65535);
        QVERIFY(!IsUsablePort(0));
        QVERIFY(!IsUsablePort(70000));
        QVERIFY(IsUsablePort(65535));
    }

    void armStepListsInAndOut() {
        ArmStepList list;
        list.steps = {{0, 45, 90, 135, 180, 7}, {90, 90, 90, 90, 90, 90}};
        list.delayMs = 1250;
        QString error;
        const auto back = ArmStepsFromJson(ArmStepsToJson(list), &error);
        QVERIFY2(back, qPrintable(error));
        QCOMPARE(back->steps, list.steps);
        QCOMPARE(back->delayMs, 1250);
        QCOMPARE(ArmStepText(list.steps[0]),
                 QStringLiteral("J1 0, J2 45, J3 90, J4 135, J5 180, J6 7"));
        // What no taught list holds is refused with a reason, never half read.
        for (const char* bad :
             {"", "[]", "{\"delayMs\": 500}", "{\"delayMs\": -1, \"steps\": []}",
              "{\"delayMs\": 60001, \"steps\": []}", "{\"delayMs\": 1.5, \"steps\": []}",
              "{\"delayMs\": 5, \"steps\": [[1,2,3,4,5]]}",
              "{\"delayMs\": 5, \"steps\": [[1,2,3,4,5,181]]}",
              "{\"delayMs\": 5, \"steps\": [[1,2,3,4,5,-1]]}",
              "{\"delayMs\": 5, \"steps\": [[1,2,3,4,5,2.5]]}",
              "{\"delayMs\": 5, \"steps\": [[1,2,3,4,5,\"6\"]]}",
              "{\"delayMs\": 5, \"steps\": [7]}"}) {
            error.clear();
            QVERIFY2(!ArmStepsFromJson(bad, &error), bad);
            QVERIFY2(!error.isEmpty(), bad);
        }
        QVERIFY(ArmStepsFromJson("{\"delayMs\": 0, \"steps\": []}", &error));
    }

    void armPlayerAndLimiterOnTimers() {
        // The player sends each pose and ends; a pose that cannot be sent ends the run.
        QList<ArmPose> sent;
        bool linkOpen = true;
        CArmPlayer player([&](const ArmPose& p) {
            if (linkOpen)
                sent << p;
            return linkOpen;
        });
        QSignalSpy ended(&player, &CArmPlayer::ended);
        player.Run({{1, 1, 1, 1, 1, 1}, {2, 2, 2, 2, 2, 2}, {3, 3, 3, 3, 3, 3}}, 0);
        QTRY_COMPARE(ended.count(), 1);
        QCOMPARE(ended[0][0].toBool(), true);
        QCOMPARE(sent.size(), 3);
        linkOpen = false;
        player.Run({{1, 1, 1, 1, 1, 1}, {2, 2, 2, 2, 2, 2}}, 0);
        QCOMPARE(ended.count(), 2);
        QCOMPARE(ended[1][0].toBool(), false);
        QVERIFY(!player.IsRunning());
        // The limiter: the first pose at once, later ones held and replaced by newer ones.
        QList<ArmPose> limited;
        CPoseLimiter limiter([&](const ArmPose& p) { limited << p; });
        for (int v = 0; v < 10; ++v)
            limiter.Offer({v, 0, 0, 0, 0, 0});
        QCOMPARE(limited.size(), 1);
        QVERIFY(limiter.Waiting());
        QTRY_COMPARE(limited.size(), 2);
        QCOMPARE(limited.last()[0], 9);
    }

    void controlClientStatesWithoutWidgets() {
        CWifiControlClient client(WifiCar::FourWd);
        QSignalSpy notices(&client, &CWifiControlClient::notice);
        QSignalSpy statuses(&client, &CWifiControlClient::statusChanged);
        QCOMPARE(client.ToggleCaption(), QStringLiteral("Connect control"));
        QVERIFY(client.ToggleEnabled() && client.FieldsEditable() && client.Status().isEmpty());

        // Empty fields: a plain message, nothing else moves.
        client.Toggle(QString(), QStringLiteral("8888"));
        QCOMPARE(notices.count(), 1);
        QCOMPARE(notices[0][0].toString(),
                 QStringLiteral("The server address or port cannot be NULL"));
        QCOMPARE(notices[0][1].value<CWifiControlClient::Notice>(),
                 CWifiControlClient::Notice::Plain);
        QCOMPARE(statuses.count(), 0);
        // Nothing that could be connected to: the connecting text, then the warning.
        client.Toggle(QStringLiteral("300.1.1.1"), QStringLiteral("8888"));
        QCOMPARE(client.Status(), QStringLiteral("Connecting to server....\r\n"));
        QCOMPARE(notices.count(), 2);
        QCOMPARE(notices[1][0].toString(), QStringLiteral("FD_ISSET do not write!"));
        QVERIFY(client.ToggleEnabled() && client.FieldsEditable());

        // A real service: the button waits while connecting, then offers to close.
        QTcpServer server;
        QVERIFY(server.listen(QHostAddress::LocalHost));
        client.Toggle(QStringLiteral("127.0.0.1"), QString::number(server.serverPort()));
        QVERIFY(!client.ToggleEnabled() && !client.FieldsEditable());
        QTRY_VERIFY(client.IsConnected());
        QCOMPARE(client.Status(), QStringLiteral("127.0.0.1Connection to server successful!\r\n"));
        QCOMPARE(client.ToggleCaption(), QStringLiteral("Close conection"));
        QVERIFY(client.ToggleEnabled() && !client.FieldsEditable());
        QTRY_VERIFY(server.hasPendingConnections());
        QTcpSocket* car = server.nextPendingConnection();

        // Frames go over TCP only while the panel serves its network product.
        QVERIFY(!client.TakesFrames());
        client.SetNetworkRoute(true);
        QVERIFY(client.TakesFrames());
        QVERIFY(client.Send("$1,0,0,0,0,0,0,0,0#"));
        QByteArray got;
        QTRY_VERIFY((got += car->readAll()) == "$1,0,0,0,0,0,0,0,0#");
        // What the car says comes out as frames with their arrival time; short ones do not.
        QSignalSpy frames(&client, &CWifiControlClient::frameReceived);
        const qint64 before = ArrivalClockNs();
        car->write("$4WD,CSB1#$4WD,CSB25,PV8#");
        QTRY_COMPARE(frames.count(), 1);
        QCOMPARE(frames[0][0].toByteArray(), QByteArray("$4WD,CSB25,PV8#"));
        QVERIFY(frames[0][1].toLongLong() >= before);

        // The car closes: the status line says so, the button offers to connect again.
        car->disconnectFromHost();
        QTRY_COMPARE(client.Status(), QStringLiteral("Connection closed by the server!\r\n"));
        QCOMPARE(client.ToggleCaption(), QStringLiteral("Connect control"));
        QVERIFY(client.FieldsEditable() && !client.TakesFrames());
        QCOMPARE(notices.count(), 2); // no box for that
    }
};

QTEST_GUILESS_MAIN(TestWifiModel)
#include "test_wifi_model.moc"
