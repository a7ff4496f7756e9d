// The window's station without any widget: frames read once into its families' models and
// records, every link's frames on one clock, and the one door for commands with their origin
// (the key tables and their repeat rule, the frames a remote caller may send, a link that is
// not open), against a fed serial link and a real TCP control service on loopback.
#include "core/boards/board_model.h"
#include "core/mqtt/broker_url.h"
#include "core/mqtt/mqtt_bridge.h"
#include "core/products/catalogue.h"
#include "core/serial_cars/balance_model.h"
#include "core/serial_cars/basic_car_model.h"
#include "core/station/station.h"
#include "core/wifi_cars/wifi_control_client.h"
#include "core/wifi_cars/wifi_panel_model.h"
#include "feed_transport.h"
#include "link_wait.h"

#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>

using namespace Korvane;

namespace {

// A station on a fed serial link that is open.
struct FedStation {
    CFeedTransport* feed = new CFeedTransport;
    CStation station{std::unique_ptr<CTransport>(feed)};
    QList<FrameRecord> records;
    QList<TracedFrame> traced;
    int batches = 0;

    bool Start(int product) {
        station.SetProduct(product);
        QObject::connect(&station, &CStation::frameRead,
                         [this](const FrameRecord& r) { records << r; });
        QObject::connect(&station, &CStation::frameTraced,
                         [this](const TracedFrame& f) { traced << f; });
        QObject::connect(&station, &CStation::batchRead, [this] { ++batches; });
        return OpenNow(station.SerialLink(), QStringLiteral("feed"), 0);
    }
};

} // namespace

class TestStation : public QObject {
    Q_OBJECT

  private slots:
    void everyRoutedFrameIsReadOnceIntoTheModelAndARecord() {
        FedStation s;
        QVERIFY(s.Start(8));
        // The model is there from the selection on, before any panel exists.
        auto& model = s.station.ModelOf<CBalanceCarModel>(PanelBalance);
        QList<int> changed;
        connect(&model, &CPanelModel::changed, this, [&changed](int f) { changed << f; });
        const qint64 arrived = ArrivalClockNs();
        s.feed->Feed("$LV12,RV-3,AC0.25,GY-1.5,CSB40,VT7.42#$LV13,RV-3,AC0.25,GY-1.5,CSB41,VT7.40#",
                     arrived);
        QTRY_COMPARE(s.records.size(), 2);
        QTRY_VERIFY(s.batches >= 1);
        const FrameRecord& first = s.records[0];
        QCOMPARE(first.product, 8);
        QCOMPARE(first.route, int(MsgBalanceTelemetry));
        QCOMPARE(first.link, QStringLiteral("feed"));
        QCOMPARE(first.arrivalNs, arrived);
        QCOMPARE(first.wallMs, WallClockMsAt(arrived));
        QCOMPARE(first.fields.value(QStringLiteral("left_speed")).toDouble(), 12.0);
        QCOMPARE(first.fields.value(QStringLiteral("battery_v")).toDouble(), 7.42);
        // The recorder's typed row comes with the record, from the same reading.
        const auto* row = std::any_cast<BalanceTelemetryRecord>(&first.detail);
        QVERIFY(row);
        QCOMPARE(row->distance, std::optional<QByteArray>("40"));
        // The model took both; its fields are told once, at the batch's end.
        QCOMPARE(model.Text(BalanceField::Distance), QStringLiteral("41"));
        QCOMPARE(changed.count(BalanceField::Distance), 1);
        QCOMPARE(model.Telemetry().gyroscopeHistory.back(), -1.5);

        // A PID reply is read into the gains, and says how many it carried.
        s.feed->Feed("$AP1.50,AD0.20,VP3.00,VI0.10#");
        QTRY_COMPARE(s.records.size(), 3);
        QCOMPARE(s.records[2].route, int(MsgBalancePid));
        QVERIFY(s.records[2].fields.isEmpty());
        QCOMPARE(std::any_cast<int>(s.records[2].detail), 4);
        QVERIFY(model.Number(BalanceField::AngleP) > 0);
    }

    void aBalanceCarIsRecordedWithoutAPanel() {
        // The recording is the model's: fed by the station's reading of each frame, with the
        // gains in force as the car replied them or as the door sent them.
        FedStation s;
        QVERIFY(s.Start(8));
        auto& model = s.station.ModelOf<CBalanceCarModel>(PanelBalance);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("run.csv"));
        QString error;
        QVERIFY2(model.StartRecording(path, &error), qPrintable(error));
        QVERIFY(model.GainsInForce().isEmpty()); // nothing known yet
        s.feed->Feed("$LV1,RV2,AC0.5,GY-1,CSB30,VT7.9#");
        s.feed->Feed("$AP1.50,AD0.20,VP3.00,VI0.10#");
        QTRY_COMPARE(s.records.size(), 2);
        QCOMPARE(model.GainsInForce(), QStringLiteral("AP=1.50 AD=0.20 VP=3.00 VI=0.10"));
        // The user moves the angle gains and they go out: they are in force from then on.
        model.Set(BalanceField::AngleP, 2500);
        QCOMPARE(s.station.Send(AngleUpdateFrame(QStringLiteral("25.00"), QStringLiteral("0.20")),
                                CommandOrigin::User),
                 CStation::SendResult::Sent);
        QCOMPARE(model.GainsInForce(), QStringLiteral("AP=25.00 AD=0.20 VP=3.00 VI=0.10"));
        // A frame that is not an update of the gains in the model changes nothing.
        s.station.Send(AngleUpdateFrame(QStringLiteral("9.00"), QStringLiteral("0.20")),
                       CommandOrigin::Remote);
        QCOMPARE(model.GainsInForce(), QStringLiteral("AP=25.00 AD=0.20 VP=3.00 VI=0.10"));
        s.feed->Feed("$LV2,RV3,AC0.4,GY-2,CSB29,VT7.8#");
        QTRY_COMPARE(s.records.size(), 3);
        model.Recorder().Stop();
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = file.readAll().trimmed().split('\n');
        // The gains in force before a row are written once, before it.
        QCOMPARE(lines.size(), 4);
        QCOMPARE(lines[0], QByteArray(CTelemetryRecorder::kHeader));
        QVERIFY(lines[1].endsWith(",1,2,0.5,-1,30,7.9"));
        QCOMPARE(lines[2], QByteArray("# gains AP=25.00 AD=0.20 VP=3.00 VI=0.10"));
        QVERIFY(lines[3].endsWith(",2,3,0.4,-2,29,7.8"));
    }

    void aBridgeStartsOnlyWhileTheLibraryIsSetUp() {
        MqttOptions o;
        o.broker = *ParseBrokerUrl(QStringLiteral("mqtt://127.0.0.1:1"));
        o.stationName = o.prefix = QStringLiteral("early");
        QVERIFY(!CMqttLibrary::IsSetUp());
        CMqttBridge bridge;
        bridge.Start(o);
        QVERIFY(!bridge.IsRunning());
        QCOMPARE(bridge.CurrentState(), CMqttBridge::State::Failed);
        QCOMPARE(bridge.Reason(), QStringLiteral("the MQTT library was not set up"));
        {
            const CMqttLibrary program;
            const CMqttLibrary another; // a second owner: the library ends with the last
            QVERIFY(CMqttLibrary::IsSetUp());
            bridge.Start(o);
            QVERIFY(bridge.IsRunning());
            bridge.Stop();
            bridge.JoinFinished();
        }
        QVERIFY(!CMqttLibrary::IsSetUp());
    }

    void aFamilySwitchedAwayFromKeepsItsModel() {
        FedStation s;
        QVERIFY(s.Start(5));
        s.feed->Feed("$0,0,0,0,0,0,0,0,0,0,0,57,0#");
        QTRY_COMPARE(s.records.size(), 1);
        QCOMPARE(s.records[0].fields.value(QStringLiteral("distance_cm")).toDouble(), 57.0);
        CBasicCarModel* birch = &s.station.ModelOf<CBasicCarModel>(PanelBirchCar);
        s.station.SetProduct(0);
        // A board's frames are read with the choices in its model (here the thermistor).
        s.station.ModelOf<CBoardModel>(PanelBoard51).Set(BoardField::AdSource, 1);
        s.feed->Feed("$51,RMS300,25.5#");
        QTRY_COMPARE(s.records.size(), 2);
        QCOMPARE(s.records[1].fields.value(QStringLiteral("ad_converted")).toDouble(), 25.5);
        s.station.SetProduct(5);
        QCOMPARE(&s.station.ModelOf<CBasicCarModel>(PanelBirchCar), birch);
        QCOMPARE(birch->Text(BasicCarField::Distance), QStringLiteral("57"));
    }

    void theDoorSendsWithItsOriginByTheProductsTables() {
        FedStation s;
        QVERIFY(s.Start(5));
        QCOMPARE(s.station.Send("$1,0,0,0,0,0,0,0,0,0#", CommandOrigin::User),
                 CStation::SendResult::Sent);
        QCOMPARE(s.station.Send("$2,0,0,0,0,0,0,0,0,0#", CommandOrigin::Remote),
                 CStation::SendResult::Sent);
        // Keys: the product's table and its repeat rule, whoever presses them.
        QCOMPARE(s.station.PressKey(Qt::Key_W, CommandOrigin::Remote), CStation::SendResult::Sent);
        QCOMPARE(s.station.PressKey(Qt::Key_W, CommandOrigin::User),
                 CStation::SendResult::NotTaken); // the same state again: nothing goes out
        QCOMPARE(s.station.PressKey(Qt::Key_Q, CommandOrigin::User),
                 CStation::SendResult::NotTaken);
        QCOMPARE(s.station.LastKeyState(PanelBirchCar), 2);
        QTRY_COMPARE(s.traced.size(), 3);
        QCOMPARE(s.traced[0].origin, CommandOrigin::User);
        QCOMPARE(s.traced[1].origin, CommandOrigin::Remote);
        QCOMPARE(s.traced[2].bytes, QByteArray("$1,0,0,0,0,0,0,0,0,0#"));
        QCOMPARE(s.traced[2].origin, CommandOrigin::Remote);
        // What a remote caller may send is what the product's panel sends by itself.
        QVERIFY(s.station.SendsFrame("$0,0,0,0,0,0,0,0,0,0#"));
        QVERIFY(!s.station.SendsFrame("$51,LED1#"));
        QVERIFY(!s.station.SendsFrame("$0,0,0,0,0,0,0,0,0#")); // a 4WD car's stop, not this car's
        QCOMPARE(s.station.Family()->stopFrame(5), QByteArray("$0,0,0,0,0,0,0,0,0,0#"));
        // Nothing goes out on a closed link, and the caller learns why.
        s.station.SerialLink().CloseLink();
        QCOMPARE(s.station.Send("$1,0,0,0,0,0,0,0,0,0#", CommandOrigin::Remote),
                 CStation::SendResult::NotOpen);
        QCOMPARE(s.station.Send(QByteArray(2000, 'x'), CommandOrigin::User),
                 CStation::SendResult::NotTaken);
    }

    void aCarsControlConnectionIsOneMoreLinkOnTheSameClock() {
        FedStation s;
        QVERIFY(s.Start(13));
        QTcpServer car;
        QVERIFY(car.listen(QHostAddress::LocalHost, 0));
        CWifiControlClient& control = s.station.ControlClient(WifiCar::FourWd);
        QCOMPARE(s.station.CurrentLink().kind, QStringLiteral("serial"));
        QSignalSpy linkChanged(&s.station, &CStation::linkChanged);
        control.Toggle(QStringLiteral("127.0.0.1"), QString::number(car.serverPort()));
        QVERIFY(car.waitForNewConnection(5000));
        QTcpSocket* peer = car.nextPendingConnection();
        QTRY_VERIFY(control.IsConnected());
        QVERIFY(!linkChanged.isEmpty());
        QCOMPARE(s.station.CurrentLink().kind, QStringLiteral("tcp"));
        QCOMPARE(s.station.CurrentLink().state, QStringLiteral("open"));

        // A serial frame, then a TCP frame: both read by the 4WD family, in arrival order.
        s.feed->Feed("$4WD,CSB25,PV8.10,GS1,LF1001,HW01,GM10#");
        QTRY_COMPARE(s.records.size(), 1);
        peer->write("$4WD,CSB26,PV8.10,GS1,LF1001,HW01,GM10#");
        QTRY_COMPARE(s.records.size(), 2);
        QCOMPARE(s.records[0].link, QStringLiteral("feed"));
        QVERIFY(s.records[1].link.contains(QString::number(car.serverPort())));
        QVERIFY(s.records[0].arrivalNs < s.records[1].arrivalNs);
        QVERIFY(s.records[0].wallMs <= s.records[1].wallMs);
        QTRY_COMPARE(s.station.ModelOf<CWifiCarModel>(Panel4WD).Text(WifiField::Distance),
                     QStringLiteral("26"));

        // Commands go over TCP while it is up, for the Raspberry Pi product only.
        QCOMPARE(s.station.PressKey(Qt::Key_W, CommandOrigin::Remote), CStation::SendResult::Sent);
        QTRY_VERIFY(peer->bytesAvailable() > 0 || peer->waitForReadyRead(100));
        QCOMPARE(peer->readAll(), QByteArray("$1,0,0,0,0,0,0,0,0#"));
        s.station.SetProduct(12); // the same car family over the serial link
        QCOMPARE(s.station.CurrentLink().kind, QStringLiteral("serial"));
        s.feed->written.clear();
        QCOMPARE(s.station.Send("$3,0,0,0,0,0,0,0,0#", CommandOrigin::User),
                 CStation::SendResult::Sent);
        QCOMPARE(s.feed->written, QByteArray("$3,0,0,0,0,0,0,0,0#"));
        // Switched back: the connection was kept.
        s.station.SetProduct(13);
        QVERIFY(control.IsConnected());
        const auto sent = std::find_if(s.traced.cbegin(), s.traced.cend(), [](const auto& f) {
            return f.direction == TraceDirection::Sent && f.link.startsWith(QLatin1String("tcp"));
        });
        QVERIFY(sent != s.traced.cend());
        QCOMPARE(sent->origin, CommandOrigin::Remote);
    }
};

QTEST_GUILESS_MAIN(TestStation)
#include "test_station.moc"
