// Sharing the station over MQTT, against a real Mosquitto broker the test starts itself:
// the bridge's order, status and last will; frames and telemetry of a running station; remote
// keys and frames, and refused commands; a broker that goes away and comes back, one that
// never answers, and none at all, without the window ever waiting.
#include "core/boards/board_model.h"
#include "core/classroom/classroom_model.h"
#include "core/link/frames.h"
#include "core/mqtt/broker_url.h"
#include "core/mqtt/mqtt_bridge.h"
#include "core/mqtt/telemetry_json.h"
#include "core/products/catalogue.h"
#include "core/settings/station_settings.h"
#include "gui/common/keyring.h"
#include "gui/common/message_seam.h"
#include "gui/shell/classroom_view.h"
#include "gui/shell/color_status.h"
#include "gui/shell/frame_monitor.h"
#include "gui/shell/main_frame.h"
#include "gui/shell/mqtt_dlg.h"
#include "gui/shell/mqtt_share.h"
#include "mqtt_broker.h"
#include "sim_process.h"
#include "station_fixture.h"

#include <QCheckBox>
#include <QDateTime>
#include <QDialogButtonBox>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QSettings>
#include <QSignalSpy>
#include <QTableView>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <QUdpSocket>

#include <algorithm>

#include <unistd.h>

using namespace Korvane;

namespace {

// The longest time the event loop went without running a 5 ms timer.
MqttOptions OptionsFor(const MqttBroker& broker, const QString& name) {
    MqttOptions o;
    o.broker = *ParseBrokerUrl(broker.Url());
    o.stationName = name;
    o.prefix = DefaultTopicPrefix(name);
    return o;
}

QJsonObject Json(const QString& text) {
    return QJsonDocument::fromJson(text.toUtf8()).object();
}

// Starts a program (the station, or what runs it) with an offscreen display.
bool StartOffscreen(QProcess& process, const QString& program, const QStringList& arguments) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process.setProcessEnvironment(env);
    process.start(program, arguments);
    return process.waitForStarted();
}

// Starts the station's executable offscreen with these arguments.
bool StartStation(QProcess& station, const QStringList& arguments) {
    return StartOffscreen(station, QStringLiteral(KORVANE_STATION_PATH), arguments);
}

bool WaitState(CMqttBridge& bridge, CMqttBridge::State state, int ms = 10000) {
    return QTest::qWaitFor([&] { return bridge.CurrentState() == state; }, ms);
}

} // namespace

class TestMqtt : public QObject {
    Q_OBJECT
    const Korvane::CMessageSeam m_seam; // the messages and answers of this test program
    const CMqttLibrary m_library;

  private slots:
    void initTestCase() {
        SetMessageObserver([](const QString&) {});
        // The station's own settings file, so that the executable started later reads what
        // the dialog here remembered.
        QCoreApplication::setOrganizationName(QString::fromUtf8("应用程序向导生成的本地应用程序"));
        QCoreApplication::setApplicationName(QStringLiteral("Korvane"));
    }

    void brokerAddresses() {
        QCOMPARE(ParseBrokerUrl(QStringLiteral("mqtt://broker.school:1884"))->port, 1884);
        QCOMPARE(ParseBrokerUrl(QStringLiteral("mqtts://broker.school"))->port, 8883);
        QVERIFY(ParseBrokerUrl(QStringLiteral("mqtts://broker.school"))->tls);
        QCOMPARE(ParseBrokerUrl(QStringLiteral("10.0.0.2"))->Url(),
                 QStringLiteral("mqtt://10.0.0.2:1883"));
        for (const char* bad :
             {"", "http://x", "mqtt://", "mqtt://x:0", "mqtt://x:99999", "mqtt://x/path"}) {
            QString why;
            QVERIFY2(!ParseBrokerUrl(QString::fromLatin1(bad), &why), bad);
            QVERIFY(!why.isEmpty());
        }
        QCOMPARE(DefaultTopicPrefix(QStringLiteral("lab/pc#3+")),
                 QStringLiteral("korvane/lab_pc_3_"));
        // The class a prefix belongs to: the level above it.
        QCOMPARE(TopicRoot(QStringLiteral("korvane/alice")), QStringLiteral("korvane"));
        QCOMPARE(TopicRoot(QStringLiteral("school/room3/alice/")), QStringLiteral("school/room3"));
        QCOMPARE(TopicRoot(QStringLiteral("alice")), QString());
    }

    void telemetryNamesWhatAFrameCarried() {
        auto fields = [](int product, int route, const QByteArray& frame) {
            return ReadFrameFresh(product, route, frame).fields;
        };
        const QJsonObject balance =
            fields(8, MsgBalanceTelemetry, "$LV12,RV-3,AC0.25,GY-1.5,CSB40,VT7.42#");
        QCOMPARE(balance.value(QStringLiteral("left_speed")).toDouble(), 12.0);
        QCOMPARE(balance.value(QStringLiteral("gyroscope_deg")).toDouble(), -1.5);
        QCOMPARE(balance.value(QStringLiteral("battery_v")).toDouble(), 7.42);
        // Cut short: only the fields before the cut.
        const QJsonObject cut = fields(8, MsgBalanceTelemetry, "$LV12,RV-3,AC#");
        QVERIFY(cut.contains(QStringLiteral("right_speed")));
        QVERIFY(!cut.contains(QStringLiteral("battery_v")));
        // A PID reply sets gains; it carries no reading.
        QVERIFY(fields(8, MsgBalancePid, "$AP1.5,AD0.2,VP3,VI0.1#").isEmpty());
        QCOMPARE(fields(5, MsgBirchCar, "$0,0,0,0,0,0,0,0,0,0,0,57,0#")
                     .value(QStringLiteral("distance_cm"))
                     .toDouble(),
                 57.0);
        QVERIFY(fields(5, MsgBirchCar, "$0#").isEmpty());
        // A board's frame is read with the choices in its model: the light sensor is AD
        // source 0 (the default), the thermistor 1.
        const QJsonObject light = fields(0, MsgBoard51, "$51,GMS512,200#");
        QCOMPARE(light.value(QStringLiteral("ad_raw")).toDouble(), 512.0);
        QCOMPARE(light.value(QStringLiteral("ad_converted")).toDouble(), 200.0);
        const FamilyDescriptor* board = FamilyOfProduct(0);
        QVERIFY(board);
        const std::unique_ptr<CPanelModel> thermistor = board->makeModel(0);
        thermistor->Set(BoardField::AdSource, 1);
        FrameRecord r;
        r.route = MsgBoard51;
        r.bytes = "$51,GMS512,200#";
        board->read(*thermistor, r);
        QVERIFY(r.fields.isEmpty());
        QCOMPARE(
            fields(0, MsgBoard51, "$51,CSB12.5#").value(QStringLiteral("distance_cm")).toDouble(),
            12.5);
        QCOMPARE(fields(13, Msg4WDCar, "$4WD,CSB25,PV8.10,GS1,LF1001,HW01,GM10#")
                     .value(QStringLiteral("tracking"))
                     .toArray()
                     .size(),
                 4);
        QVERIFY(fields(99, MsgBirchCar, "$LV1#").isEmpty());
        // The telemetry message: those fields, the product and the frame's arrival.
        FrameRecord arrived = ReadFrameFresh(5, MsgBirchCar, "$0,0,0,0,0,0,0,0,0,0,0,57,0#");
        arrived.wallMs = 1234567;
        const QJsonObject message = QJsonDocument::fromJson(TelemetryJson(arrived)).object();
        QCOMPARE(message.value(QStringLiteral("time_ms")).toDouble(), 1234567.0);
        QCOMPARE(message.value(QStringLiteral("product")).toInt(), 5);
        QCOMPARE(message.value(QStringLiteral("distance_cm")).toDouble(), 57.0);
    }

    void theBridgeKeepsOrderAndStatus() {
        MqttBroker broker;
        QVERIFY(broker.Start());
        MqttWatch watch;
        QVERIFY(watch.Start(broker, QStringLiteral("korvane/order/#")));
        CMqttBridge bridge;
        bridge.SetStatus(R"({"station":"order","online":true})");
        bridge.Start(OptionsFor(broker, QStringLiteral("order")));
        QVERIFY(WaitState(bridge, CMqttBridge::State::On));
        // The subscriber is there once it hears the retained status.
        QVERIFY(watch.WaitFor(
            [&] { return !watch.On(QStringLiteral("korvane/order/status")).isEmpty(); }));
        for (int i = 0; i < 2000; ++i)
            bridge.Publish(QStringLiteral("korvane/order/rx"), QByteArray::number(i));
        QVERIFY(watch.WaitFor(
            [&] { return watch.On(QStringLiteral("korvane/order/rx")).size() >= 2000; }));
        const QStringList got = watch.On(QStringLiteral("korvane/order/rx"));
        for (int i = 0; i < 2000; ++i)
            QCOMPARE(got[i], QString::number(i));
        QCOMPARE(bridge.Dropped(), 0u);
        // A subscriber that comes later still learns the status; a clean stop turns it offline.
        MqttWatch late;
        QVERIFY(late.Start(broker, QStringLiteral("korvane/order/status")));
        QVERIFY(late.WaitFor([&] { return !late.lines.isEmpty(); }));
        QCOMPARE(Json(late.On(QStringLiteral("korvane/order/status")).first())
                     .value(QStringLiteral("online")),
                 QJsonValue(true));
        bridge.Stop();
        QVERIFY(late.WaitFor([&] {
            return Json(late.On(QStringLiteral("korvane/order/status")).last())
                       .value(QStringLiteral("online")) == QJsonValue(false);
        }));
    }

    void aStopSaysGoodbyeWithoutTheWindowWaiting() {
        MqttBroker broker;
        QVERIFY(broker.Start());
        MqttWatch watch;
        QVERIFY(watch.Start(broker, QStringLiteral("korvane/+/status")));
        auto online = [&](const char* name) {
            const QStringList s = watch.On(QStringLiteral("korvane/%1/status").arg(name));
            return s.isEmpty() ? QJsonValue() : Json(s.last()).value(QStringLiteral("online"));
        };
        // A bridge stopped and started again at once: the first run's goodbye still goes out,
        // and nothing of it is told as the state of the second.
        CMqttBridge bridge;
        bridge.SetStatus(R"({"station":"again","online":true})");
        bridge.Start(OptionsFor(broker, QStringLiteral("again")));
        QVERIFY(WaitState(bridge, CMqttBridge::State::On));
        bridge.Stop();
        QCOMPARE(bridge.CurrentState(), CMqttBridge::State::Off);
        QVERIFY(!bridge.IsRunning());
        bridge.Start(OptionsFor(broker, QStringLiteral("again2")));
        QVERIFY(WaitState(bridge, CMqttBridge::State::On));
        QVERIFY(watch.WaitFor([&] { return online("again") == QJsonValue(false); }));
        QTRY_VERIFY(!bridge.IsFinishing()); // the stopped thread is joined once it has ended
        QCOMPARE(bridge.CurrentState(), CMqttBridge::State::On);

        // A window that stops sharing and shares under another name: the old name says
        // goodbye after the window went on, and the bridge that said it goes away.
        CMainFrame frame;
        frame.SelectProduct(5);
        frame.ShareOverMqtt(OptionsFor(broker, QStringLiteral("first")));
        QVERIFY(WaitState(frame.MqttShare()->Bridge(), CMqttBridge::State::On));
        QVERIFY(watch.WaitFor([&] { return online("first") == QJsonValue(true); }));
        frame.ShareOverMqtt(OptionsFor(broker, QStringLiteral("second")));
        QCOMPARE(frame.findChildren<CMqttBridge*>().size(), 2); // one saying goodbye
        QVERIFY(watch.WaitFor([&] {
            return online("first") == QJsonValue(false) && online("second") == QJsonValue(true);
        }));
        QTRY_COMPARE(frame.findChildren<CMqttBridge*>().size(), 1);
        frame.ShareOverMqtt({});
        QVERIFY(!frame.MqttShare());
        QCOMPARE(frame.StatusBar()->PaneText(4), QStringLiteral("MQTT: off"));
        QVERIFY(watch.WaitFor([&] { return online("second") == QJsonValue(false); }));
    }

    void aStationThatVanishesIsReportedOffline() {
        MqttBroker broker;
        QVERIFY(broker.Start());
        MqttWatch watch;
        QVERIFY(watch.Start(broker, QStringLiteral("korvane/kid1/status")));
        QProcess station;
        QVERIFY(StartStation(station, {QStringLiteral("--product"), QStringLiteral("5"),
                                       QStringLiteral("--mqtt"), broker.Url(),
                                       QStringLiteral("--station-name"), QStringLiteral("kid1")}));
        QVERIFY(watch.WaitFor([&] {
            const QStringList s = watch.On(QStringLiteral("korvane/kid1/status"));
            return !s.isEmpty() &&
                   Json(s.last()).value(QStringLiteral("online")) == QJsonValue(true);
        }));
        const QJsonObject status = Json(watch.On(QStringLiteral("korvane/kid1/status")).last());
        QCOMPARE(status.value(QStringLiteral("product")).toInt(), 5);
        QCOMPARE(status.value(QStringLiteral("product_name")).toString(),
                 QStringLiteral("Birch Robot Car"));
        QCOMPARE(status.value(QStringLiteral("link")).toObject().value(QStringLiteral("state")),
                 QJsonValue(QStringLiteral("closed")));
        station.kill(); // no goodbye: the broker's last will speaks for it
        station.waitForFinished();
        QVERIFY(watch.WaitFor([&] {
            return Json(watch.On(QStringLiteral("korvane/kid1/status")).last())
                       .value(QStringLiteral("online")) == QJsonValue(false);
        }));
    }

    void everyFrameReachesRxAndTelemetryInOrder() {
        MqttBroker broker;
        QVERIFY(broker.Start());
        MqttWatch watch;
        QVERIFY(watch.Start(broker, QStringLiteral("korvane/bal/#")));
        StationOnPty station;
        QVERIFY(station.Start(8, QSize(1200, 800)));
        station.frame->ShareOverMqtt(OptionsFor(broker, QStringLiteral("bal")));
        CMqttBridge& bridge = station.frame->MqttShare()->Bridge();
        QVERIFY(WaitState(bridge, CMqttBridge::State::On));
        QVERIFY(watch.WaitFor([&] {
            const QStringList s = watch.On(QStringLiteral("korvane/bal/status"));
            return !s.isEmpty() &&
                   Json(s.last())
                           .value(QStringLiteral("link"))
                           .toObject()
                           .value(QStringLiteral("state")) == QJsonValue(QStringLiteral("open"));
        }));
        QCOMPARE(station.frame->StatusBar()->PaneText(4), QStringLiteral("MQTT: on"));
        constexpr int kFrames = 300;
        QByteArray burst;
        for (int i = 0; i < kFrames; ++i)
            burst += "$LV" + QByteArray::number(i) + ",RV0,AC0.5,GY1,CSB40,VT7.4#";
        station.pty->Write(burst);
        QVERIFY(watch.WaitFor(
            [&] { return watch.On(QStringLiteral("korvane/bal/telemetry")).size() >= kFrames; }));
        const QStringList rx = watch.On(QStringLiteral("korvane/bal/rx"));
        const QStringList telemetry = watch.On(QStringLiteral("korvane/bal/telemetry"));
        QCOMPARE(rx.size(), kFrames);
        for (int i = 0; i < kFrames; ++i) {
            QCOMPARE(Json(rx[i]).value(QStringLiteral("frame")).toString(),
                     QStringLiteral("$LV%1,RV0,AC0.5,GY1,CSB40,VT7.4#").arg(i));
            QCOMPARE(Json(telemetry[i]).value(QStringLiteral("left_speed")).toInt(), i);
            QCOMPARE(Json(telemetry[i]).value(QStringLiteral("distance_cm")).toInt(), 40);
        }
        // What the station sends is shared too.
        qobject_cast<QAbstractButton*>(FindControl(station.frame->CurrentPanel(), 1033))->click();
        QVERIFY(
            watch.WaitFor([&] { return !watch.On(QStringLiteral("korvane/bal/tx")).isEmpty(); }));
        QCOMPARE(Json(watch.On(QStringLiteral("korvane/bal/tx")).first())
                     .value(QStringLiteral("frame"))
                     .toString(),
                 QStringLiteral("$1,0,0,0,0,0,0,0,0,0#"));
    }

    void twoWindowsShareOnlyTheirOwnFrames() {
        MqttBroker broker;
        QVERIFY(broker.Start());
        MqttWatch watch;
        QVERIFY(watch.Start(broker, QStringLiteral("korvane/#")));
        StationOnPty alice;
        QVERIFY(alice.Start(5, QSize(1200, 800)));
        StationOnPty bob;
        QVERIFY(bob.Start(8, QSize(1200, 800)));
        alice.frame->ShareOverMqtt(OptionsFor(broker, QStringLiteral("alice")));
        bob.frame->ShareOverMqtt(OptionsFor(broker, QStringLiteral("bob")));
        QVERIFY(WaitState(alice.frame->MqttShare()->Bridge(), CMqttBridge::State::On));
        QVERIFY(WaitState(bob.frame->MqttShare()->Bridge(), CMqttBridge::State::On));
        QVERIFY(watch.WaitSubscribed(broker, QStringLiteral("korvane/probe")));
        alice.pty->Write("$0,0,0,0,0,0,0,0,0,0,0,57,0#");
        bob.pty->Write("$LV1,RV2,AC0.5,GY1,CSB33,VT7.4#");
        qobject_cast<QAbstractButton*>(FindControl(alice.frame->CurrentPanel(), 1193))->click();
        QVERIFY(watch.WaitFor([&] {
            return !watch.On(QStringLiteral("korvane/alice/rx")).isEmpty() &&
                   !watch.On(QStringLiteral("korvane/bob/rx")).isEmpty() &&
                   !watch.On(QStringLiteral("korvane/alice/tx")).isEmpty() &&
                   !watch.On(QStringLiteral("korvane/bob/telemetry")).isEmpty();
        }));
        // Anything published twice is in once a mark each bridge publishes after it is.
        for (StationOnPty* s : {&alice, &bob})
            s->frame->MqttShare()->Bridge().Publish(QStringLiteral("korvane/mark"), "after");
        QVERIFY(
            watch.WaitFor([&] { return watch.On(QStringLiteral("korvane/mark")).size() == 2; }));
        auto frames = [&](const QString& topic) {
            QStringList out;
            for (const QString& m : watch.On(topic))
                out << Json(m).value(QStringLiteral("frame")).toString();
            return out;
        };
        QCOMPARE(frames(QStringLiteral("korvane/alice/rx")),
                 QStringList{QStringLiteral("$0,0,0,0,0,0,0,0,0,0,0,57,0#")});
        QCOMPARE(frames(QStringLiteral("korvane/bob/rx")),
                 QStringList{QStringLiteral("$LV1,RV2,AC0.5,GY1,CSB33,VT7.4#")});
        QCOMPARE(frames(QStringLiteral("korvane/alice/tx")).size(), 1);
        QVERIFY(watch.On(QStringLiteral("korvane/bob/tx")).isEmpty());
        // Each window's readings are its own product's, read once.
        const QStringList aliceTelemetry = watch.On(QStringLiteral("korvane/alice/telemetry"));
        const QStringList bobTelemetry = watch.On(QStringLiteral("korvane/bob/telemetry"));
        QCOMPARE(aliceTelemetry.size(), 1);
        QCOMPARE(bobTelemetry.size(), 1);
        QCOMPARE(Json(aliceTelemetry[0]).value(QStringLiteral("product")).toInt(), 5);
        QCOMPARE(Json(bobTelemetry[0]).value(QStringLiteral("distance_cm")).toInt(), 33);
        // And each window's frame monitor lists its own links only.
        for (StationOnPty* s : {&alice, &bob}) {
            s->frame->FrameMonitor()->show();
            QVERIFY(s->frame->FrameMonitor()->IsListening());
        }
        alice.pty->Write("$0,0,0,0,0,0,0,0,0,0,0,58,0#");
        QTRY_COMPARE(alice.frame->FrameMonitor()->Model().Log().Size(), size_t(1));
        // Bob's own frame after it: once it is listed, Alice's would have been before it.
        bob.pty->Write("$LV3#");
        const CFrameLog& bobs = bob.frame->FrameMonitor()->Model().Log();
        QTRY_VERIFY(bobs.Size() > 0 && bobs.At(bobs.Size() - 1).text == QStringLiteral("$LV3#"));
        QCOMPARE(bobs.Size(), size_t(1));
    }

    void theTimeOfAFrameIsItsArrival() {
        MqttBroker broker;
        QVERIFY(broker.Start());
        MqttWatch watch;
        QVERIFY(watch.Start(broker, QStringLiteral("korvane/late/#")));
        StationOnPty station;
        QVERIFY(station.Start(8, QSize(1200, 800)));
        // The window is busy for 600 ms right after it read the frame (a handler before the
        // sharing's): the frame's time is when the port was read, not when the window got
        // round to publishing it.
        bool busy = true;
        connect(&station.frame->Station(), &CStation::frameRead, this, [&busy] {
            if (std::exchange(busy, false))
                QThread::msleep(600);
        });
        station.frame->ShareOverMqtt(OptionsFor(broker, QStringLiteral("late")));
        QVERIFY(WaitState(station.frame->MqttShare()->Bridge(), CMqttBridge::State::On));
        QVERIFY(watch.WaitSubscribed(broker, QStringLiteral("korvane/late/probe")));
        const qint64 written = QDateTime::currentMSecsSinceEpoch();
        station.pty->Write("$LV5,RV5,AC0.5,GY1,CSB40,VT7.4#");
        QVERIFY(watch.WaitFor([&] {
            return !watch.On(QStringLiteral("korvane/late/rx")).isEmpty() &&
                   !watch.On(QStringLiteral("korvane/late/telemetry")).isEmpty();
        }));
        const qint64 rxTime = qint64(Json(watch.On(QStringLiteral("korvane/late/rx")).first())
                                         .value(QStringLiteral("time_ms"))
                                         .toDouble());
        const qint64 telemetryTime =
            qint64(Json(watch.On(QStringLiteral("korvane/late/telemetry")).first())
                       .value(QStringLiteral("time_ms"))
                       .toDouble());
        QVERIFY2(rxTime >= written - 5 && rxTime < written + 400,
                 qPrintable(QStringLiteral("written %1, time_ms %2").arg(written).arg(rxTime)));
        QCOMPARE(telemetryTime, rxTime);
    }

    // Every product of the table, whatever their number: the simulator plays it (with its
    // control service where the row says so), the window shows it and shares it, and a car
    // takes its stop frame through the station's door.
    void everyProductIsSimulatedAndShared() {
        MqttBroker broker;
        QVERIFY(broker.Start());
        MqttWatch watch;
        QVERIFY(watch.Start(broker, QStringLiteral("korvane/every/#")));
        CMainFrame frame;
        frame.resize(1300, 900);
        frame.SelectProduct(0);
        frame.show();
        frame.ShareOverMqtt(OptionsFor(broker, QStringLiteral("every")));
        QVERIFY(WaitState(frame.MqttShare()->Bridge(), CMqttBridge::State::On));
        for (int product = 0; product < ProductCount(); ++product) {
            SimProcess sim;
            QVERIFY2(sim.Start(product), qPrintable(QString::number(product)));
            QCOMPARE(sim.ControlPort() != 0, Product(product).network);
            frame.SelectProduct(product);
            QVERIFY(OpenNow(frame.Link(), sim.Port(), 115200));
            QVERIFY(watch.WaitFor([&] {
                const QStringList s = watch.On(QStringLiteral("korvane/every/status"));
                return !s.isEmpty() &&
                       Json(s.last()).value(QStringLiteral("product")).toInt() == product &&
                       Json(s.last()).value(QStringLiteral("product_name")).toString() ==
                           QString::fromLatin1(Product(product).label);
            }));
            const QByteArray stop = frame.Station().Family()->stopFrame(product);
            if (!stop.isEmpty()) {
                QCOMPARE(frame.Station().Send(stop, CommandOrigin::Remote),
                         CStation::SendResult::Sent);
                QTRY_VERIFY2(sim.Log().contains(QString::fromLatin1(stop)),
                             qPrintable(QString::number(product)));
                QVERIFY(watch.WaitFor([&] {
                    const QStringList tx = watch.On(QStringLiteral("korvane/every/tx"));
                    return !tx.isEmpty() &&
                           Json(tx.last()).value(QStringLiteral("frame")).toString() ==
                               QString::fromLatin1(stop) &&
                           Json(tx.last()).value(QStringLiteral("remote")).toBool();
                }));
            }
            frame.CloseLink();
        }
    }

    void aBoardSharesWhatItsPanelReads() {
        MqttBroker broker;
        QVERIFY(broker.Start());
        MqttWatch watch;
        QVERIFY(watch.Start(broker, QStringLiteral("korvane/board/telemetry")));
        StationOnPty station;
        QVERIFY(station.Start(0, QSize(1200, 900)));
        station.frame->ShareOverMqtt(OptionsFor(broker, QStringLiteral("board")));
        QVERIFY(WaitState(station.frame->MqttShare()->Bridge(), CMqttBridge::State::On));
        QVERIFY(watch.WaitSubscribed(broker, QStringLiteral("korvane/board/telemetry")));
        station.pty->Write("$51,GMS512,200#");
        QVERIFY(watch.WaitFor(
            [&] { return !watch.On(QStringLiteral("korvane/board/telemetry")).isEmpty(); }));
        QCOMPARE(Json(watch.On(QStringLiteral("korvane/board/telemetry")).last())
                     .value(QStringLiteral("ad_raw"))
                     .toDouble(),
                 512.0);
        // The thermistor chosen on the panel: the board's temperature reading is what counts.
        qobject_cast<QAbstractButton*>(FindControl(station.frame->CurrentPanel(), 1059))->click();
        station.pty->Write("$51,RMS300,25.5#");
        QVERIFY(watch.WaitFor(
            [&] { return watch.On(QStringLiteral("korvane/board/telemetry")).size() >= 2; }));
        QCOMPARE(Json(watch.On(QStringLiteral("korvane/board/telemetry")).last())
                     .value(QStringLiteral("ad_converted"))
                     .toDouble(),
                 25.5);
    }

    void aCarsOwnConnectionIsTheStatusLink() {
        MqttBroker broker;
        QVERIFY(broker.Start());
        MqttWatch watch;
        QVERIFY(watch.Start(broker, QStringLiteral("korvane/pi/status")));
        QTcpServer controlService; // the car's control service: takes the connection
        QVERIFY(controlService.listen(QHostAddress::LocalHost, 0));
        CMainFrame frame;
        frame.SelectProduct(13);
        frame.resize(1300, 900);
        frame.show();
        frame.ShareOverMqtt(OptionsFor(broker, QStringLiteral("pi")));
        QVERIFY(WaitState(frame.MqttShare()->Bridge(), CMqttBridge::State::On));
        QWidget* panel = frame.CurrentPanel();
        qobject_cast<QLineEdit*>(FindControl(panel, 1307))->setText(QStringLiteral("127.0.0.1"));
        qobject_cast<QLineEdit*>(FindControl(panel, 1308))
            ->setText(QString::number(controlService.serverPort()));
        qobject_cast<QAbstractButton*>(FindControl(panel, 1310))->click();
        QVERIFY(watch.WaitFor([&] {
            const QStringList s = watch.On(QStringLiteral("korvane/pi/status"));
            if (s.isEmpty())
                return false;
            const QJsonObject link = Json(s.last()).value(QStringLiteral("link")).toObject();
            return link.value(QStringLiteral("kind")) == QJsonValue(QStringLiteral("tcp")) &&
                   link.value(QStringLiteral("state")) == QJsonValue(QStringLiteral("open")) &&
                   link.value(QStringLiteral("name"))
                       .toString()
                       .contains(QString::number(controlService.serverPort()));
        }));
    }

    void remoteCommandsGoTheWayOfAClickOrAreRefused() {
        MqttBroker broker;
        QVERIFY(broker.Start());
        MqttWatch watch;
        QVERIFY(watch.Start(broker, QStringLiteral("korvane/car/#")));
        StationOnPty station;
        QVERIFY(station.Start(5, QSize(900, 600)));
        MqttOptions options = OptionsFor(broker, QStringLiteral("car"));
        options.allowRemote = true;
        station.frame->ShareOverMqtt(options);
        CMqttShare* share = station.frame->MqttShare();
        QVERIFY(WaitState(share->Bridge(), CMqttBridge::State::On));
        // Subscribed once the station's first status is out (subscriptions come first).
        QVERIFY(watch.WaitFor(
            [&] { return !watch.On(QStringLiteral("korvane/car/status")).isEmpty(); }));

        station.frame->FrameMonitor()->show(); // it lists what it sees from now on
        QVERIFY(MqttPublish(broker, QStringLiteral("korvane/car/cmd/key"), "W"));
        QCOMPARE(station.pty->ReadAtLeast(21), QByteArray("$1,0,0,0,0,0,0,0,0,0#"));
        QVERIFY(MqttPublish(broker, QStringLiteral("korvane/car/cmd/frame"),
                            CarButtonFrame(CarAction::Horn)));
        QCOMPARE(station.pty->ReadAtLeast(27), CarButtonFrame(CarAction::Horn));
        QTRY_COMPARE(share->RemoteTaken(), 2);
        QVERIFY(station.frame->StatusBar()->PaneText(4).contains(QStringLiteral("remotely")));
        // The remote frame is marked as such where it is shared.
        QVERIFY(
            watch.WaitFor([&] { return watch.On(QStringLiteral("korvane/car/tx")).size() >= 2; }));
        for (const QString& tx : watch.On(QStringLiteral("korvane/car/tx")))
            QCOMPARE(Json(tx).value(QStringLiteral("remote")), QJsonValue(true));
        // The frame monitor marks them too; a click of the user's is not marked.
        qobject_cast<QAbstractButton*>(FindControl(station.frame->CurrentPanel(), 1206))->click();
        QCOMPARE(station.pty->ReadAtLeast(27), CarButtonFrame(CarAction::Stop));
        const CFrameLog& log = station.frame->FrameMonitor()->Model().Log();
        QTRY_COMPARE(int(log.Size()), 3);
        QCOMPARE(CFrameLog::DirectionText(log.At(0)), QStringLiteral("TX remote"));
        QCOMPARE(CFrameLog::DirectionText(log.At(1)), QStringLiteral("TX remote"));
        QCOMPARE(CFrameLog::DirectionText(log.At(2)), QStringLiteral("TX"));

        // Refused, answered, and nothing reaches the car.
        const QByteArray refusedOnes[] = {"$9,9,9#", "$1,0,0,0,0,0,0,0,0,0#\x01", "no frame",
                                          QByteArray(1100, '0').prepend('$').append('#')};
        for (const QByteArray& bad : refusedOnes)
            QVERIFY(MqttPublish(broker, QStringLiteral("korvane/car/cmd/frame"), bad));
        QVERIFY(MqttPublish(broker, QStringLiteral("korvane/car/cmd/key"), "F1"));
        QVERIFY(watch.WaitFor(
            [&] { return watch.On(QStringLiteral("korvane/car/cmd/refused")).size() >= 5; }));
        QCOMPARE(share->RemoteRefused(), 5);
        QVERIFY(!Json(watch.On(QStringLiteral("korvane/car/cmd/refused")).first())
                     .value(QStringLiteral("reason"))
                     .toString()
                     .isEmpty());
        QCOMPARE(station.pty->ReadFor(300), QByteArray());

        // At most 50 commands a second are taken.
        const int before = share->RemoteTaken() + share->RemoteRefused();
        QProcess flood;
        QStringList args = {QStringLiteral("-h"), QStringLiteral("127.0.0.1"),
                            QStringLiteral("-p"), QString::number(broker.port),
                            QStringLiteral("-t"), QStringLiteral("korvane/car/cmd/key"),
                            QStringLiteral("-l")};
        flood.start(QStringLiteral("mosquitto_pub"), args);
        QVERIFY(flood.waitForStarted());
        for (int i = 0; i < 200; ++i)
            flood.write(i % 2 ? "A\n" : "D\n");
        flood.closeWriteChannel();
        QVERIFY(flood.waitForFinished());
        QTRY_COMPARE_WITH_TIMEOUT(share->RemoteTaken() + share->RemoteRefused() - before, 200,
                                  10000);
        QVERIFY2(share->RemoteTaken() - 2 <= 60, qPrintable(QString::number(share->RemoteTaken())));
        QVERIFY(share->RemoteRefused() >= 5 + 140);
    }

    // A remote command that finds the car's link closed is refused with that reason; the
    // person at the station is not interrupted by a box for it, and a local click still is told.
    void aRemoteCommandToAClosedLinkIsRefusedNotAsked() {
        MqttBroker broker;
        QVERIFY(broker.Start());
        MqttWatch watch;
        QVERIFY(watch.Start(broker, QStringLiteral("korvane/shut/#")));
        QStringList messages;
        SetMessageObserver([&messages](const QString& t) { messages << t; });
        const auto back = qScopeGuard([] { SetMessageObserver([](const QString&) {}); });
        CMainFrame frame;
        frame.SelectProduct(5);
        frame.show();
        MqttOptions options = OptionsFor(broker, QStringLiteral("shut"));
        options.allowRemote = true;
        frame.ShareOverMqtt(options);
        QVERIFY(WaitState(frame.MqttShare()->Bridge(), CMqttBridge::State::On));
        QVERIFY(watch.WaitFor(
            [&] { return !watch.On(QStringLiteral("korvane/shut/status")).isEmpty(); }));
        QVERIFY(MqttPublish(broker, QStringLiteral("korvane/shut/cmd/key"), "W"));
        QVERIFY(MqttPublish(broker, QStringLiteral("korvane/shut/cmd/frame"),
                            CarButtonFrame(CarAction::Horn)));
        QVERIFY(watch.WaitFor(
            [&] { return watch.On(QStringLiteral("korvane/shut/cmd/refused")).size() >= 2; }));
        for (const QString& refused : watch.On(QStringLiteral("korvane/shut/cmd/refused")))
            QCOMPARE(Json(refused).value(QStringLiteral("reason")).toString(),
                     QStringLiteral("the car's link is not open"));
        QCOMPARE(frame.MqttShare()->RemoteTaken(), 0);
        QVERIFY2(messages.isEmpty(), qPrintable(messages.join(QLatin1Char('\n'))));
        qobject_cast<QAbstractButton*>(FindControl(frame.CurrentPanel(), 1206))->click();
        QCOMPARE(messages.size(), 1);
    }

    void aBrokerThatGoesAndComesBackIsRejoined() {
        MqttBroker broker;
        QVERIFY(broker.Start());
        CMqttBridge bridge;
        bridge.SetStatus(R"({"online":true})");
        bridge.Start(OptionsFor(broker, QStringLiteral("again")));
        QVERIFY(WaitState(bridge, CMqttBridge::State::On));
        broker.Stop();
        QVERIFY(WaitState(bridge, CMqttBridge::State::Failed));
        // Meanwhile what is published waits (bounded).
        for (int i = 0; i < 10; ++i)
            bridge.Publish(QStringLiteral("korvane/again/rx"), QByteArray::number(i));
        QVERIFY(broker.Start());
        QVERIFY(WaitState(bridge, CMqttBridge::State::On, 35000));
        MqttWatch watch;
        QVERIFY(watch.Start(broker, QStringLiteral("korvane/again/#")));
        QVERIFY(watch.WaitFor(
            [&] { return !watch.On(QStringLiteral("korvane/again/status")).isEmpty(); }));
        bridge.Publish(QStringLiteral("korvane/again/rx"), "after");
        QVERIFY(watch.WaitFor([&] {
            return watch.On(QStringLiteral("korvane/again/rx")).contains(QStringLiteral("after"));
        }));
    }

    void aBrokerThatNeverAnswersFailsWithoutStalling() {
        // Takes the connection and says nothing.
        QTcpServer silent;
        QVERIFY(silent.listen(QHostAddress::LocalHost, 0));
        QList<QTcpSocket*> held;
        connect(&silent, &QTcpServer::newConnection, this, [&] {
            while (QTcpSocket* s = silent.nextPendingConnection())
                held << s;
        });
        CMqttBridge bridge;
        MqttOptions o;
        o.broker = *ParseBrokerUrl(QStringLiteral("mqtt://127.0.0.1:%1").arg(silent.serverPort()));
        o.stationName = QStringLiteral("silent");
        o.prefix = QStringLiteral("korvane/silent");
        o.answerTimeoutMs = 1000;
        QSignalSpy states(&bridge, &CMqttBridge::stateChanged);
        bridge.Start(o);
        QVERIFY(WaitState(bridge, CMqttBridge::State::Failed, 5000));
        QCOMPARE(bridge.Reason(), QStringLiteral("the broker did not answer"));
        QVERIFY(!held.isEmpty());
        // The stop returns at once, and the thread ends by itself although nobody answers.
        bridge.Stop();
        QVERIFY(!bridge.IsRunning());
        QCOMPARE(bridge.CurrentState(), CMqttBridge::State::Off);
        QTRY_VERIFY(!bridge.IsFinishing());
        qDeleteAll(held);
    }

    void aBrokerIsFoundByItsName() {
        MqttBroker broker;
        QVERIFY(broker.Start());
        MqttOptions o = OptionsFor(broker, QStringLiteral("named"));
        o.broker.host = QStringLiteral("localhost");
        CMqttBridge named;
        named.Start(o);
        QVERIFY(WaitState(named, CMqttBridge::State::On));
        named.Stop();
        // A name nobody knows: failed, saying so (and tried again later).
        o.broker.host = QStringLiteral("no-such-broker.invalid");
        CMqttBridge unknown;
        unknown.Start(o);
        QVERIFY(WaitState(unknown, CMqttBridge::State::Failed));
        QVERIFY2(unknown.Reason().startsWith(QStringLiteral("the broker's name was not found: ")),
                 qPrintable(unknown.Reason()));
    }

    // The station on a machine whose name server takes questions and never answers: the
    // window closes at once all the same (the look-up's process is stopped, not waited for).
    // Needs a mount namespace of its own for the resolver's configuration (root).
    void aDeadNameServerNeverHoldsTheStationsExit() {
        if (::geteuid() != 0)
            QSKIP("needs root for a resolver configuration of its own");
        QUdpSocket deaf; // the name server: takes the questions, answers none
        if (!deaf.bind(QHostAddress::LocalHost, 53))
            QSKIP("port 53 is taken here");
        QTemporaryDir dir;
        const QString resolv = dir.filePath(QStringLiteral("resolv.conf"));
        {
            QFile f(resolv);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("nameserver 127.0.0.1\noptions timeout:30 attempts:1\n");
        }
        QProcess station;
        QVERIFY(StartOffscreen(
            station, QStringLiteral("unshare"),
            {QStringLiteral("--mount"), QStringLiteral("--propagation"), QStringLiteral("private"),
             QStringLiteral("sh"), QStringLiteral("-c"),
             QStringLiteral("mount --bind \"$0\" /etc/resolv.conf || exit 77; exec \"$1\" "
                            "--product 5 --mqtt mqtt://broker.school.test --quit-after 1500"),
             resolv, QStringLiteral(KORVANE_STATION_PATH)}));
        // Quit after 1.5 s; the lookup would hold it for 30 s.
        QVERIFY(station.waitForFinished(20000));
        if (station.exitCode() == 77 || station.exitCode() == 1)
            QSKIP(qPrintable(QStringLiteral("no mount namespace here: ") +
                             QString::fromLocal8Bit(station.readAllStandardError())));
        QCOMPARE(station.exitCode(), 0);
        QVERIFY(deaf.hasPendingDatagrams()); // the station did ask, and got no answer
    }

    void theDialogsChoiceIsAppliedAndRemembered() {
        MqttBroker broker;
        QVERIFY(broker.Start());
        MqttWatch watch;
        QVERIFY(watch.Start(broker, QStringLiteral("korvane/+/status")));
        QSettings().clear();
        {
            CMainFrame frame;
            frame.SelectProduct(5);
            frame.show();
            frame.ShowMqttDialog();
            auto* dlg = frame.findChild<CMqttDlg*>();
            QVERIFY(dlg && dlg->isVisible());
            auto edit = [dlg](const char* name) { return dlg->findChild<QLineEdit*>(name); };
            // No keyring runs here: the dialog says the password is not remembered.
            auto* note = dlg->findChild<QLabel*>("keyringNote");
            QTRY_VERIFY_WITH_TIMEOUT(note->text().startsWith(QStringLiteral("No keyring")), 10000);
            dlg->findChild<QCheckBox*>("enableCheck")->setChecked(true);
            edit("brokerEdit")->setText(QStringLiteral("not a broker://x"));
            edit("passwordEdit")->setText(QStringLiteral("s3cret-pw"));
            edit("stationEdit")->setText(QStringLiteral("bench 7"));
            QCOMPARE(edit("prefixEdit")->text(), QStringLiteral("korvane/bench 7"));
            // A wrong address is said and the dialog stays.
            QStringList said;
            SetMessageObserver([&](const QString& text) { said << text; });
            dlg->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
            QCOMPARE(said.size(), 1);
            QVERIFY(dlg->isVisible());
            edit("brokerEdit")->setText(broker.Url());
            dlg->findChild<QCheckBox*>("remoteCheck")->setChecked(true);
            dlg->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
            SetMessageObserver([](const QString&) {});
            QVERIFY(frame.MqttShare());
            QVERIFY(frame.MqttShare()->Bridge().Options().allowRemote);
            QVERIFY(watch.WaitFor(
                [&] { return !watch.On(QStringLiteral("korvane/bench 7/status")).isEmpty(); }));
        }
        // Remembered (without the password), and used by the next start.
        const CStationSettings::MqttChoice saved = CStationSettings().Mqtt();
        QVERIFY(saved.enabled);
        QCOMPARE(saved.url, broker.Url());
        QCOMPARE(saved.stationName, QStringLiteral("bench 7"));
        QFile file(QSettings().fileName());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(!file.readAll().contains("s3cret-pw"));
        watch.lines.clear();
        QProcess station;
        QVERIFY(StartStation(station, {QStringLiteral("--product"), QStringLiteral("8"),
                                       QStringLiteral("--quit-after"), QStringLiteral("8000")}));
        const bool shared = watch.WaitFor([&] {
            const QStringList s = watch.On(QStringLiteral("korvane/bench 7/status"));
            return !s.isEmpty() && Json(s.last()).value(QStringLiteral("product")).toInt() == 8;
        });
        QVERIFY2(shared, qPrintable(watch.lines.join(QLatin1Char('\n')) + QLatin1Char('\n') +
                                    QString::fromUtf8(station.readAllStandardError()) + [] {
                                        QFile f(QSettings().fileName());
                                        f.open(QIODevice::ReadOnly);
                                        return QString::fromUtf8(f.readAll());
                                    }()));
        station.kill();
        station.waitForFinished();
        QSettings().clear();
    }

    void theClassroomListsWhatStationsSay() {
        CClassroomModel model;
        qint64 now = 1000000;
        model.SetClock([&now] { return now; });
        model.OnMessage(
            QStringLiteral("korvane/a/status"),
            R"({"online":true,"product_name":"Birch Robot Car","link":{"state":"open"}})", now);
        model.OnMessage(QStringLiteral("korvane/a/telemetry"),
                        R"({"distance_cm":57,"battery_v":7.4})", now + 500);
        // Nothing that is not a station's status or telemetry counts.
        model.OnMessage(QStringLiteral("korvane/a/b/status"), R"({"online":true})", now);
        model.OnMessage(QStringLiteral("korvane/b/telemetry"), "not json", now);
        model.OnMessage(QStringLiteral("korvane//status"), R"({"online":true})", now);
        QCOMPARE(model.rowCount(), 1);
        now += 2500;
        auto cell = [&](int column) {
            return model.data(model.index(0, column), Qt::DisplayRole).toString();
        };
        QCOMPARE(cell(CClassroomModel::Name), QStringLiteral("a"));
        QCOMPARE(cell(CClassroomModel::ProductColumn), QStringLiteral("Birch Robot Car"));
        QCOMPARE(cell(CClassroomModel::LinkColumn), QStringLiteral("open"));
        QCOMPARE(cell(CClassroomModel::LastFrame), QStringLiteral("2.0 s"));
        QCOMPARE(cell(CClassroomModel::Battery), QStringLiteral("7.40 V"));
        QCOMPARE(cell(CClassroomModel::Distance), QStringLiteral("57 cm"));
        model.OnMessage(QStringLiteral("korvane/a/status"), R"({"online":false})", now);
        QVERIFY(!model.IsOnline(0));
        QVERIFY(cell(CClassroomModel::LinkColumn).startsWith(QStringLiteral("offline since ")));
        QCOMPARE(cell(CClassroomModel::Distance), QStringLiteral("57 cm")); // kept, greyed
        // Any frame received counts as the last frame, whether it carried a reading or not.
        model.OnMessage(QStringLiteral("korvane/a/rx"), "{\"time_ms\":1,\"frame\":\"$0#\"}", now);
        now += 300;
        QCOMPARE(cell(CClassroomModel::LastFrame), QStringLiteral("0.3 s"));
        QCOMPARE(model.rowCount(), 1);
    }

    void theClassroomListsTheStationsUnderItsRoot() {
        for (const QString& root : {QStringLiteral("school/room3"), QString()}) {
            CClassroomModel model;
            model.SetRoot(root);
            const QString under = root.isEmpty() ? QString() : root + QLatin1Char('/');
            model.OnMessage(under + QStringLiteral("a/status"), R"({"online":true})", 1);
            model.OnMessage(under + QStringLiteral("b/rx"), "{\"frame\":\"$1#\"}", 1);
            // Another class, a station's other topics, and topics one level too deep or short.
            for (const char* other :
                 {"korvane/c/status", "school/room4/c/status", "school/room3x/c/status",
                  "school/room3/c/cmd/key", "school/room3/c/tx", "school/c/status", "c/d/e/f"})
                model.OnMessage(QString::fromLatin1(other), R"({"online":true})", 1);
            QCOMPARE(model.rowCount(), 2);
            QCOMPARE(model.StationAt(0), QStringLiteral("a"));
            QCOMPARE(model.StationAt(1), QStringLiteral("b"));
        }
    }

    void theClassroomFollowsTheStationsPrefix() {
        MqttBroker broker;
        QVERIFY(broker.Start());
        CMainFrame frame;
        frame.SelectProduct(5);
        frame.show();
        MqttOptions mine = OptionsFor(broker, QStringLiteral("alice"));
        mine.prefix = QStringLiteral("school/room3/alice");
        frame.ShareOverMqtt(mine);
        QVERIFY(WaitState(frame.MqttShare()->Bridge(), CMqttBridge::State::On));
        frame.ShowClassroom();
        QVERIFY(frame.Classroom());
        CClassroomModel& model = frame.Classroom()->Model();
        QCOMPARE(model.Root(), QStringLiteral("school/room3"));
        QVERIFY(WaitState(frame.Classroom()->Bridge(), CMqttBridge::State::On));
        // A classmate, and a station of another class.
        CMqttBridge classmate, elsewhere;
        MqttOptions o = OptionsFor(broker, QStringLiteral("bob"));
        o.prefix = QStringLiteral("school/room3/bob");
        classmate.SetStatus(R"({"station":"bob","online":true})");
        classmate.Start(o);
        elsewhere.SetStatus(R"({"station":"carol","online":true})");
        elsewhere.Start(OptionsFor(broker, QStringLiteral("carol")));
        QVERIFY(WaitState(classmate, CMqttBridge::State::On));
        QVERIFY(WaitState(elsewhere, CMqttBridge::State::On));
        auto names = [&] {
            QStringList n;
            for (int r = 0; r < model.rowCount(); ++r)
                n << model.StationAt(r);
            n.sort();
            return n;
        };
        QTRY_COMPARE(names(), (QStringList{QStringLiteral("alice"), QStringLiteral("bob")}));
        // The classroom watches and leaves nothing behind: once it closed, what the broker
        // keeps under the class is the stations' own statuses.
        frame.Classroom()->close();
        QTRY_VERIFY(!frame.Classroom());
        MqttWatch kept;
        QVERIFY(kept.Start(broker, QStringLiteral("school/room3/#"),
                           {QStringLiteral("--retained-only")}));
        // The retained messages come first; the first message that is not retained (a probe)
        // ends the watch, so everything retained is in once it has ended.
        QVERIFY(kept.WaitFor([&] {
            QProcess::execute(QStringLiteral("mosquitto_pub"),
                              {QStringLiteral("-h"), QStringLiteral("127.0.0.1"),
                               QStringLiteral("-p"), QString::number(broker.port),
                               QStringLiteral("-t"), QStringLiteral("school/room3/probe"),
                               QStringLiteral("-m"), QStringLiteral("probe")});
            return kept.process.waitForFinished(200);
        }));
        QStringList topics = kept.Topics();
        topics.sort();
        QCOMPARE(topics, (QStringList{QStringLiteral("school/room3/alice/status"),
                                      QStringLiteral("school/room3/bob/status")}));
    }

    void theClassroomSeesEveryStationOnTheBroker() {
        MqttBroker broker;
        QVERIFY(broker.Start());
        CClassroomView view(OptionsFor(broker, QStringLiteral("teacher")),
                            QStringLiteral("korvane"));
        view.show();
        QVERIFY(WaitState(view.Bridge(), CMqttBridge::State::On));
        CClassroomModel& model = view.Model();
        auto rowOf = [&](const QString& name) {
            for (int r = 0; r < model.rowCount(); ++r)
                if (model.StationAt(r) == name)
                    return r;
            return -1;
        };
        // A real station, and a car that reports its distance.
        QProcess station;
        QVERIFY(StartStation(station, {QStringLiteral("--product"), QStringLiteral("5"),
                                       QStringLiteral("--mqtt"), broker.Url(),
                                       QStringLiteral("--station-name"), QStringLiteral("kid2")}));
        CMqttBridge car;
        car.SetStatus(R"({"station":"kid3","online":true,"product_name":"Cedar Balance Car"})");
        car.Start(OptionsFor(broker, QStringLiteral("kid3")));
        QVERIFY(WaitState(car, CMqttBridge::State::On));
        car.Publish(QStringLiteral("korvane/kid3/telemetry"),
                    R"({"distance_cm":12,"battery_v":7.9})");
        QVERIFY(MqttWatch().WaitFor([&] {
            return rowOf(QStringLiteral("kid2")) >= 0 && rowOf(QStringLiteral("kid3")) >= 0;
        }));
        QTRY_COMPARE(
            model
                .data(model.index(rowOf(QStringLiteral("kid3")), CClassroomModel::Distance),
                      Qt::DisplayRole)
                .toString(),
            QStringLiteral("12 cm"));
        QCOMPARE(
            model
                .data(model.index(rowOf(QStringLiteral("kid2")), CClassroomModel::ProductColumn),
                      Qt::DisplayRole)
                .toString(),
            QStringLiteral("Birch Robot Car"));
        // The filter narrows the table to what matches in any column.
        auto* table = view.findChild<QTableView*>(QStringLiteral("stationTable"));
        view.findChild<QLineEdit*>(QStringLiteral("filterEdit"))->setText(QStringLiteral("cedar"));
        QCOMPARE(table->model()->rowCount(), 1);
        view.findChild<QLineEdit*>(QStringLiteral("filterEdit"))->clear();
        // A station's frames, read-only.
        QPlainTextEdit* frames = view.OpenStationFrames(rowOf(QStringLiteral("kid3")));
        QVERIFY(frames && frames->isReadOnly());
        // (The subscription to its frames is made once the broker has it: publish until seen.)
        const auto listed = [frames] {
            return frames->toPlainText().contains(QStringLiteral("RX  $LV1#"));
        };
        QVERIFY(QTest::qWaitFor(
            [&] {
                car.Publish(QStringLiteral("korvane/kid3/rx"),
                            "{\"time_ms\":0,\"frame\":\"$LV1#\"}");
                return QTest::qWaitFor(listed, 100);
            },
            10000));
        // A station that vanishes stays listed, offline.
        station.kill();
        station.waitForFinished();
        QTRY_VERIFY_WITH_TIMEOUT(!model.IsOnline(rowOf(QStringLiteral("kid2"))), 10000);
        // Greyed in the table; the station still online is not.
        QAbstractItemModel* shown = table->model();
        for (int r = 0; r < shown->rowCount(); ++r) {
            const bool offline = shown->index(r, 0).data().toString() == QLatin1String("kid2");
            QCOMPARE(shown->index(r, 0).data(Qt::ForegroundRole).isValid(), offline);
        }
        // Columns are fitted to what they show: the time it left is shown whole.
        const QString left =
            model
                .data(model.index(rowOf(QStringLiteral("kid2")), CClassroomModel::LinkColumn),
                      Qt::DisplayRole)
                .toString();
        QVERIFY(left.startsWith(QStringLiteral("offline since")));
        QTRY_VERIFY(table->columnWidth(CClassroomModel::LinkColumn) >
                    table->fontMetrics().horizontalAdvance(left));
    }

    void theClassroomRunsWithoutADevice() {
        MqttBroker broker;
        QVERIFY(broker.Start());
        QProcess classroom;
        QVERIFY(StartStation(classroom,
                             {QStringLiteral("--classroom"), QStringLiteral("--mqtt"), broker.Url(),
                              QStringLiteral("--quit-after"), QStringLiteral("1500")}));
        QVERIFY(classroom.waitForFinished(15000));
        QCOMPARE(classroom.exitCode(), 0);
    }

    void theObstacleExampleStopsTheCar() {
        MqttBroker broker;
        QVERIFY(broker.Start());
        SimProcess car;
        QVERIFY(car.Start(5));
        // Shared with remote control allowed, as the dialog leaves it.
        {
            QSettings s;
            s.clear();
            s.setValue(QStringLiteral("mqtt/enabled"), QStringLiteral("true"));
            s.setValue(QStringLiteral("mqtt/url"), broker.Url());
            s.setValue(QStringLiteral("mqtt/stationName"), QStringLiteral("car1"));
            s.setValue(QStringLiteral("mqtt/prefix"), QStringLiteral("korvane/car1"));
            s.setValue(QStringLiteral("mqtt/allowRemote"), QStringLiteral("true"));
        }
        MqttWatch watch;
        QVERIFY(watch.Start(broker, QStringLiteral("korvane/car1/#")));
        QProcess station;
        QTemporaryDir traceDir;
        const QString tracePath = traceDir.filePath(QStringLiteral("trace.txt"));
        station.setStandardOutputFile(tracePath);
        QVERIFY(
            StartStation(station, {QStringLiteral("--product"), QStringLiteral("5"),
                                   QStringLiteral("--port"), car.Port(), QStringLiteral("--baud"),
                                   QStringLiteral("115200"), QStringLiteral("--trace")}));
        QVERIFY(watch.WaitFor([&] {
            const QStringList s = watch.On(QStringLiteral("korvane/car1/status"));
            return !s.isEmpty() &&
                   Json(s.last())
                           .value(QStringLiteral("link"))
                           .toObject()
                           .value(QStringLiteral("state")) == QJsonValue(QStringLiteral("open"));
        }));
        QProcess script;
        script.start(QStringLiteral("/usr/bin/python3"),
                     {QStringLiteral(KORVANE_SOURCE_DIR "/docs/examples/stop_at_wall.py"),
                      QStringLiteral("--port"), QString::number(broker.port),
                      QStringLiteral("--station"), QStringLiteral("car1"),
                      QStringLiteral("--stop-at"), QStringLiteral("20"),
                      QStringLiteral("--timeout"), QStringLiteral("30")});
        QVERIFY(script.waitForFinished(40000));
        const QString said = QString::fromUtf8(script.readAll());
        QVERIFY2(script.exitCode() == 0, qPrintable(said + script.readAllStandardError()));
        QVERIFY2(said.contains(QStringLiteral("stopped at")), qPrintable(said));
        // The car stands where it was stopped, short of the wall (it stops by itself only at
        // 3 cm).
        QTest::qWait(500);
        const int before = int(watch.On(QStringLiteral("korvane/car1/telemetry")).size());
        QTest::qWait(1000);
        const QStringList after = watch.On(QStringLiteral("korvane/car1/telemetry")).mid(before);
        QVERIFY(after.size() >= 5);
        for (const QString& t : after) {
            const double distance = Json(t).value(QStringLiteral("distance_cm")).toDouble();
            QVERIFY2(distance > 8 && distance < 20, qPrintable(t));
            QCOMPARE(distance, Json(after.first()).value(QStringLiteral("distance_cm")).toDouble());
        }
        station.kill();
        station.waitForFinished();
        // The terminal's trace tells the script's frames from the station's own.
        QFile trace(tracePath);
        QVERIFY(trace.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = trace.readAll().split('\n');
        QVERIFY(lines.size() > 10);
        QVERIFY(std::any_of(lines.begin(), lines.end(),
                            [](const QByteArray& l) { return l.startsWith("RX $"); }));
        QVERIFY(std::count_if(lines.begin(), lines.end(), [](const QByteArray& l) {
                    return l.startsWith("TX remote $");
                }) >= 2); // forward, then stop
        for (const QByteArray& l : lines)
            QVERIFY2(l.isEmpty() || l.startsWith("RX ") || l.startsWith("TX remote ") ||
                         l.startsWith("DROPPED "),
                     l.constData()); // nobody clicked
        QSettings().clear();
    }

    void tlsWithTheSchoolsCertificateAuthority() {
        MqttBroker broker;
        QVERIFY(broker.MakeTls());
        QVERIFY(broker.Start());
        QVERIFY(broker.Url().startsWith(QStringLiteral("mqtts://")));
        // Without the CA the broker's certificate is not trusted.
        CMqttBridge untrusted;
        untrusted.Start(OptionsFor(broker, QStringLiteral("tls0")));
        QVERIFY(WaitState(untrusted, CMqttBridge::State::Failed));
        untrusted.Stop();
        // With it, the station shares; a subscriber that trusts the same CA reads it.
        QProcess sub;
        sub.setProcessChannelMode(QProcess::MergedChannels);
        sub.start(QStringLiteral("mosquitto_sub"),
                  {QStringLiteral("-h"), QStringLiteral("127.0.0.1"), QStringLiteral("-p"),
                   QString::number(broker.port), QStringLiteral("--cafile"), broker.caFile,
                   QStringLiteral("-t"), QStringLiteral("korvane/tls1/status"),
                   QStringLiteral("-C"), QStringLiteral("1")});
        QVERIFY(sub.waitForStarted());
        MqttOptions o = OptionsFor(broker, QStringLiteral("tls1"));
        o.caFile = broker.caFile;
        CMqttBridge bridge;
        bridge.SetStatus(R"({"station":"tls1","online":true})");
        bridge.Start(o);
        QVERIFY(WaitState(bridge, CMqttBridge::State::On));
        QVERIFY(sub.waitForFinished(10000));
        QVERIFY2(sub.readAll().contains("\"tls1\""), "the subscriber did not get the status");
    }

    void aPasswordGoesToTheKeyringAndBack() {
        // Needs a Secret Service: CTest runs this case once more in a D-Bus session of its own
        // with a fresh GNOME keyring (keyring_roundtrip); elsewhere there is none to talk to.
        if (qEnvironmentVariableIsEmpty("KORVANE_KEYRING_TEST"))
            QSKIP("no keyring in this session (keyring_roundtrip runs it with one)");
        const QString key =
            MqttSecretKey(QStringLiteral("mqtt://127.0.0.1:1883"), QStringLiteral("kid"));
        bool written = false;
        QString error = QStringLiteral("no answer");
        WriteSecret(key, QStringLiteral("s3cret \u5bc6\u7801"), [&](bool ok, const QString& why) {
            written = ok;
            error = ok ? QString() : why;
        });
        QTRY_VERIFY2_WITH_TIMEOUT(written, qPrintable(error), 10000);
        QString read;
        bool answered = false;
        ReadSecret(key, [&](const QString& secret, bool ok) {
            answered = true;
            read = ok ? secret : QString();
        });
        QTRY_VERIFY_WITH_TIMEOUT(answered, 10000);
        QCOMPARE(read, QStringLiteral("s3cret \u5bc6\u7801"));
        // The dialog finds it and says where it is kept.
        CStationSettings::MqttChoice choice;
        choice.url = QStringLiteral("mqtt://127.0.0.1:1883");
        choice.user = QStringLiteral("kid");
        CStationSettings().SetMqtt(choice);
        CMainFrame frame;
        frame.ShowMqttDialog();
        auto* dlg = frame.findChild<CMqttDlg*>();
        QVERIFY(dlg);
        QTRY_COMPARE_WITH_TIMEOUT(dlg->Password(), QStringLiteral("s3cret \u5bc6\u7801"), 10000);
        QVERIFY(dlg->findChild<QLabel*>("keyringNote")->text().contains(QStringLiteral("keyring")));
        QSettings().clear();
    }

    void withoutABrokerTheQueueStaysBounded() {
        QTcpServer probe;
        QVERIFY(probe.listen(QHostAddress::LocalHost, 0));
        const quint16 closed = probe.serverPort();
        probe.close();
        CMqttBridge bridge;
        MqttOptions o;
        o.broker = *ParseBrokerUrl(QStringLiteral("mqtt://127.0.0.1:%1").arg(closed));
        o.prefix = QStringLiteral("korvane/none");
        o.queueLimit = 100;
        bridge.Start(o);
        QVERIFY(WaitState(bridge, CMqttBridge::State::Failed));
        QSignalSpy dropped(&bridge, &CMqttBridge::droppedChanged);
        for (int i = 0; i < 1000; ++i)
            bridge.Publish(QStringLiteral("korvane/none/rx"), QByteArray(512, 'x'));
        QCOMPARE(bridge.Dropped(), 900u);
        QVERIFY(dropped.wait(1000));
        QCOMPARE(dropped.last().first().toULongLong(), 900u);
    }
};

QTEST_MAIN(TestMqtt)
#include "test_mqtt.moc"
