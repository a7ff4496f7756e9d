// The station shared over MQTT, against a real Mosquitto broker on loopback:
//  1. a balance car sending 1000 telemetry frames a second on the station's serial link (a
//     pseudo-terminal), bridged: frames received by a subscriber, the time from a frame's
//     writing to the subscriber getting it, and the UI thread's busy share with and without
//     the bridge;
//  2. the classroom view with 30 stations sharing 50 frames a second each (rx and telemetry): the
//     UI thread's busy share;
//  3. stopping the sharing of a window that shares on the broker: how long the window's thread
//     is held (the goodbye on the broker goes on without it).
// Usage: bench_mqtt [SECONDS]
#include "../tests/link_wait.h"
#include "../tests/mqtt_broker.h"
#include "../tests/pty_pair.h"
#include "bench_util.h"
#include "core/mqtt/broker_url.h"
#include "core/wifi_cars/picture_memory.h"
#include "gui/common/message_seam.h"
#include "gui/shell/classroom_view.h"
#include "gui/shell/main_frame.h"
#include "gui/shell/mqtt_share.h"

#include <QApplication>
#include <QJsonDocument>
#include <QJsonObject>

#include <mosquitto.h>

#include <mutex>
#include <thread>

using namespace Korvane;
using namespace Bench;

namespace {

// Until the bridge is connected (at most 5 s).
void WaitOn(const CMqttBridge& bridge) {
    QElapsedTimer t;
    t.start();
    while (bridge.CurrentState() != CMqttBridge::State::On && t.elapsed() < 5000)
        QTest::qWait(5);
}

// A subscriber on its own libmosquitto thread, noting when each numbered frame arrived.
struct Subscriber {
    std::mutex mutex;
    std::vector<Clock::time_point> arrived; // by sequence number
    std::atomic<int> received{0};
    mosquitto* mosq = nullptr;

    bool Start(quint16 port, const char* topic, int expected) {
        arrived.assign(size_t(expected), Clock::time_point());
        mosq = mosquitto_new(nullptr, true, this);
        mosquitto_message_callback_set(mosq, [](mosquitto*, void* obj, const mosquitto_message* m) {
            auto* self = static_cast<Subscriber*>(obj);
            const auto now = Clock::now();
            const QJsonObject o =
                QJsonDocument::fromJson(
                    QByteArray(static_cast<const char*>(m->payload), m->payloadlen))
                    .object();
            const QString frame = o.value(QStringLiteral("frame")).toString();
            const int seq = frame.mid(3, frame.indexOf(QLatin1Char(',')) - 3).toInt();
            std::lock_guard lock(self->mutex);
            if (seq >= 0 && size_t(seq) < self->arrived.size())
                self->arrived[size_t(seq)] = now;
            ++self->received;
        });
        if (mosquitto_connect(mosq, "127.0.0.1", port, 30) != MOSQ_ERR_SUCCESS)
            return false;
        mosquitto_subscribe(mosq, nullptr, topic, 0);
        return mosquitto_loop_start(mosq) == MOSQ_ERR_SUCCESS;
    }
    ~Subscriber() {
        if (mosq) {
            mosquitto_disconnect(mosq);
            mosquitto_loop_stop(mosq, false);
            mosquitto_destroy(mosq);
        }
    }
};

// One run of the balance car at 1000 frames a second for `seconds`; shared or not.
void BalanceRun(MqttBroker& broker, int seconds, bool shared) {
    PtyPair pty;
    CMainFrame frame;
    frame.SelectProduct(8);
    frame.resize(1200, 800);
    frame.show();
    if (!OpenNow(frame.Link(), pty.SlavePath(), 115200)) {
        std::printf("the link did not open\n");
        return;
    }
    const int total = 1000 * seconds;
    Subscriber subscriber;
    if (shared) {
        MqttOptions o;
        o.broker = *ParseBrokerUrl(broker.Url());
        o.stationName = QStringLiteral("bench");
        o.prefix = QStringLiteral("korvane/bench");
        frame.ShareOverMqtt(o);
        WaitOn(frame.MqttShare()->Bridge());
        if (!subscriber.Start(broker.port, "korvane/bench/rx", total)) {
            std::printf("the subscriber did not start\n");
            return;
        }
        QTest::qWait(300);
    }
    std::vector<Clock::time_point> written(static_cast<size_t>(total));
    // When each frame reached the station's window (its trace), to tell the station's part
    // of the time from the bridge's and the broker's.
    std::vector<Clock::time_point> tapped(static_cast<size_t>(total));
    const QMetaObject::Connection tap =
        QObject::connect(&frame.Station(), &CStation::frameTraced, [&tapped](const TracedFrame& f) {
            if (f.direction != TraceDirection::Received || !f.bytes.startsWith("$LV"))
                return;
            const int seq = f.bytes.mid(3, f.bytes.indexOf(',') - 3).toInt();
            if (seq >= 0 && size_t(seq) < tapped.size())
                tapped[size_t(seq)] = Clock::now();
        });
    std::atomic<bool> done{false};
    QTest::qWait(200);
    const double busy0 = ThreadCpuSeconds();
    QElapsedTimer wall;
    wall.start();
    std::thread car([&] {
        const auto start = Clock::now();
        for (int i = 0; i < total; ++i) {
            std::this_thread::sleep_until(start + std::chrono::microseconds(1000 * i));
            written[size_t(i)] = Clock::now();
            pty.WriteBlocking("$LV" + QByteArray::number(i) + ",RV0,AC0.50,GY1.00,CSB40,VT7.40#");
        }
        done = true;
    });
    while (!done)
        QTest::qWait(20);
    QTest::qWait(300); // the last frames through the station
    const double busy = (ThreadCpuSeconds() - busy0) / (wall.elapsed() / 1000.0);
    car.join();
    QObject::disconnect(tap);
    std::vector<double> toWindow;
    for (int i = 0; i < total; ++i)
        if (tapped[size_t(i)] != Clock::time_point())
            toWindow.push_back(Micros(tapped[size_t(i)] - written[size_t(i)]));
    if (!toWindow.empty())
        Report(shared ? "frame written -> window (shared)" : "frame written -> window", toWindow);
    if (!shared) {
        std::printf("%-34s UI busy %.3f\n", "1000 frames/s, not shared", busy);
        return;
    }
    QElapsedTimer t;
    t.start();
    while (subscriber.received < total && t.elapsed() < 5000)
        QTest::qWait(20);
    std::vector<double> latency, fromWindow;
    int lost = 0;
    {
        std::lock_guard lock(subscriber.mutex);
        for (int i = 0; i < total; ++i) {
            if (subscriber.arrived[size_t(i)] == Clock::time_point())
                ++lost;
            else {
                latency.push_back(Micros(subscriber.arrived[size_t(i)] - written[size_t(i)]));
                if (tapped[size_t(i)] != Clock::time_point())
                    fromWindow.push_back(Micros(subscriber.arrived[size_t(i)] - tapped[size_t(i)]));
            }
        }
    }
    std::printf(
        "%-34s UI busy %.3f  frames %d  received %d  lost %d  dropped by the station %llu\n",
        "1000 frames/s, shared", busy, total, int(subscriber.received), lost,
        static_cast<unsigned long long>(frame.MqttShare()->Bridge().Dropped()));
    if (!latency.empty())
        Report("frame written -> subscriber", latency);
    if (!fromWindow.empty())
        Report("window -> subscriber", fromWindow);
}

// 30 stations at 50 frames a second each (rx and telemetry), from one publisher thread.
void ClassroomRun(MqttBroker& broker, int seconds) {
    MqttOptions o;
    o.broker = *ParseBrokerUrl(broker.Url());
    o.stationName = QStringLiteral("teacher");
    CClassroomView view(o, QStringLiteral("korvane"));
    view.resize(900, 700);
    view.show();
    WaitOn(view.Bridge());
    std::atomic<bool> stop{false};
    std::thread stations([&] {
        mosquitto* mosq = mosquitto_new(nullptr, true, nullptr);
        mosquitto_connect(mosq, "127.0.0.1", broker.port, 30);
        mosquitto_loop_start(mosq);
        for (int s = 0; s < 30; ++s) {
            const QByteArray topic = "korvane/station" + QByteArray::number(s) + "/status";
            const QByteArray status = R"({"online":true,"product_name":"Birch Balance Car",)"
                                      R"("link":{"state":"open"}})";
            mosquitto_publish(mosq, nullptr, topic.constData(), int(status.size()),
                              status.constData(), 1, true);
        }
        const auto start = Clock::now();
        for (int tick = 0; !stop; ++tick) {
            std::this_thread::sleep_until(start + std::chrono::milliseconds(20 * tick));
            for (int s = 0; s < 30; ++s) {
                // As a station shares each frame: the frame on rx, then what it carried.
                const QByteArray rx = "korvane/station" + QByteArray::number(s) + "/rx";
                const QByteArray frame = R"({"time_ms":0,"since_open_ms":0,"frame":"$LV12,RV-3,)"
                                         R"(AC0.25,GY1.5,CSB40,VT7.40#"})";
                mosquitto_publish(mosq, nullptr, rx.constData(), int(frame.size()),
                                  frame.constData(), 0, false);
                const QByteArray topic = "korvane/station" + QByteArray::number(s) + "/telemetry";
                const QByteArray payload = R"({"time_ms":0,"product":8,"gyroscope_deg":1.5,)"
                                           R"("distance_cm":)" +
                                           QByteArray::number(20 + (tick + s) % 100) +
                                           R"(,"battery_v":7.4})";
                mosquitto_publish(mosq, nullptr, topic.constData(), int(payload.size()),
                                  payload.constData(), 0, false);
            }
        }
        mosquitto_disconnect(mosq);
        mosquitto_loop_stop(mosq, false);
        mosquitto_destroy(mosq);
    });
    QTest::qWait(1000);
    StallProbe stalls;
    const double busy0 = ThreadCpuSeconds();
    QElapsedTimer wall;
    wall.start();
    QTest::qWait(seconds * 1000);
    const double busy = (ThreadCpuSeconds() - busy0) / (wall.elapsed() / 1000.0);
    stop = true;
    stations.join();
    std::printf("%-34s UI busy %.3f  stations %d  longest stall %.1f ms\n",
                "classroom, 30 x 50 frames/s", busy, view.Model().rowCount(), stalls.WorstMs());
}

} // namespace

// Shares a window, stops it from the window's thread, 20 times: the time Stop holds it.
void StopRun(MqttBroker& broker) {
    CMainFrame frame;
    frame.SelectProduct(8);
    MqttOptions o;
    o.broker = *ParseBrokerUrl(broker.Url());
    o.stationName = QStringLiteral("stopping");
    o.prefix = QStringLiteral("korvane/stopping");
    std::vector<double> held;
    for (int i = 0; i < 20; ++i) {
        frame.ShareOverMqtt(o);
        WaitOn(frame.MqttShare()->Bridge());
        QTest::qWait(50);
        const Clock::time_point t0 = Clock::now();
        frame.ShareOverMqtt({});
        held.push_back(Micros(Clock::now() - t0));
        QTest::qWait(100);
    }
    Report("stop sharing: window held", held);
}

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    KeepPictureMemory();
    QApplication app(argc, argv);
    const CMessageSeam seam;
    SetMessageObserver([](const QString&) {});
    const int seconds = argc > 1 ? std::max(1, atoi(argv[1])) : 5;
    const CMqttLibrary library;
    MqttBroker broker;
    if (!broker.Start()) {
        std::printf("mosquitto did not start\n");
        return 1;
    }
    BalanceRun(broker, seconds, false);
    BalanceRun(broker, seconds, true);
    ClassroomRun(broker, seconds);
    StopRun(broker);
    return 0;
}
