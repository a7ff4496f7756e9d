// The Raspberry Pi 4WD car over loopback TCP, with the simulator's control service on its own
// thread:
//  1. key press on the panel -> last byte of its frame read by the service;
//  2. service writes a sensor frame -> the panel shows its distance;
//  3. the highest sustained telemetry rate without a lost frame (sequence numbers);
//  4. the UI thread's longest event-loop stall during a connect that never completes, and
//     during a 10 MB flood of frames and junk, with the station's peak memory.
//   bench_wifi [samples, default 2000]
#include "../tests/link_wait.h"
#include "../tests/pty_pair.h"
#include "bench_util.h"
#include "core/link/tcp_transport.h"
#include "core/products/catalogue.h"
#include "core/wifi_cars/wifi_control_client.h"
#include "gui/common/control_ids.h"
#include "gui/common/message_seam.h"
#include "gui/shell/main_frame.h"
#include "gui/wifi_cars/wifi_car_panel.h"
#include "tcp_control_service.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <vector>

using namespace Korvane;
using namespace Bench;

namespace {

QByteArray SensorFrame(int seq) {
    return "$4WD,CSB" + QByteArray::number(seq) + ",PV8.10,GS1,LF1001,HW01,GM10#";
}

// How late a 5 ms timer fires at worst while the event loop runs for ms.
double LongestStall(int ms) {
    Bench::StallProbe probe;
    Bench::RunFor(ms);
    return probe.WorstMs();
}

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int samples = argc > 1 ? atoi(argv[1]) : 2000;
    const CMessageSeam seam;
    SetMessageObserver([](const QString&) {});

    // The car's control service on its own thread.
    QThread serviceThread;
    KorvaneSim::TcpControlService service;
    QString error;
    if (!service.Listen(QHostAddress::LocalHost, 0, &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    service.moveToThread(&serviceThread);
    std::atomic<int> hashesSeen{0};
    std::atomic<Clock::rep> lastHashAt{0};
    QObject::connect(
        &service, &KorvaneSim::Transport::received, &service,
        [&](const QByteArray& b) {
            if (const int n = int(b.count('#'))) {
                lastHashAt = Clock::now().time_since_epoch().count();
                hashesSeen += n;
            }
        },
        Qt::DirectConnection);
    serviceThread.start();
    auto serviceDo = [&service](std::function<void()> f) {
        QMetaObject::invokeMethod(&service, std::move(f), Qt::BlockingQueuedConnection);
    };
    auto serviceSend = [&service](const QByteArray& bytes) {
        QMetaObject::invokeMethod(&service, [&service, bytes] { service.Send(bytes); });
    };

    PtyPair pty; // the serial link is open too, as on a car with both
    CMainFrame frame;
    frame.SelectProduct(13);
    frame.resize(1200, 860);
    frame.show();
    if (!OpenNow(frame.Link(), pty.SlavePath(), 115200))
        return 1;
    auto* panel = static_cast<CWifiCarPanel*>(frame.CurrentPanel());
    qobject_cast<QLineEdit*>(FindControl(panel, 1307))->setText(QStringLiteral("127.0.0.1"));
    qobject_cast<QLineEdit*>(FindControl(panel, 1308))->setText(QString::number(service.Port()));
    auto* toggle = qobject_cast<QAbstractButton*>(FindControl(panel, 1310));
    toggle->click();
    while (!panel->Client().IsConnected() && panel->Client().IsConnecting())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    if (!panel->Client().IsConnected()) {
        std::fprintf(stderr, "no connection\n");
        return 1;
    }
    while (!service.HasClient())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);

    // 1. Key press -> last byte at the service. W and S alternate so that each one sends.
    Report("key press -> last byte at the service",
           KeyRoundTrips(panel, samples, hashesSeen, lastHashAt));

    // 2. Service writes a sensor frame -> panel shows the distance.
    auto* distance = qobject_cast<QLabel*>(FindControl(panel, 1293));
    std::vector<double> rx;
    for (int i = 0; i < samples; ++i) {
        const QString want = QString::number(100000 + i);
        const Clock::time_point t0 = Clock::now();
        serviceSend(SensorFrame(100000 + i));
        while (distance->text() != want)
            QCoreApplication::processEvents(QEventLoop::AllEvents);
        rx.push_back(Micros(Clock::now() - t0));
    }
    Report("service writes a frame -> panel shows it", rx);

    // 3. Sustained telemetry with sequence numbers.
    std::printf("%-10s %-10s %-10s %s\n", "rate/s", "sent", "received", "lost");
    int received = 0, next = 0;
    bool inOrder = true;
    QObject::connect(&panel->Client(), &CWifiControlClient::frameReceived, panel,
                     [&](const QByteArray& f) {
                         const int seq = f.mid(8, f.indexOf(',', 8) - 8).toInt();
                         inOrder = inOrder && seq == next;
                         next = seq + 1;
                         ++received;
                     });
    int lossless = 0;
    for (int rate : {1000, 5000, 20000, 50000}) {
        received = 0;
        next = 0;
        inOrder = true;
        const int total = rate * 2;
        std::atomic<bool> done{false};
        std::thread pacer([&] {
            const Clock::time_point start = Clock::now();
            const int batch = std::max(1, rate / 1000);
            for (int i = 0; i < total; i += batch) {
                QByteArray bytes;
                for (int k = i; k < std::min(total, i + batch); ++k)
                    bytes += SensorFrame(k);
                serviceSend(bytes);
                std::this_thread::sleep_until(
                    start + std::chrono::microseconds(qint64(1e6 * (i + batch) / rate)));
            }
            done = true;
        });
        const Clock::time_point deadline = Clock::now() + std::chrono::seconds(6);
        while ((received < total || !done) && Clock::now() < deadline)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        pacer.join();
        const int lost = total - received + (inOrder ? 0 : 1);
        std::printf("%-10d %-10d %-10d %d\n", rate, total, received, lost);
        if (lost != 0)
            break;
        lossless = rate;
    }
    std::printf("highest lossless rate tried: %d frames/s\n", lossless);

    // 4a. A 10 MB flood of frames and junk.
    ResetPeak();
    const double idle = StatusMb("VmRSS:");
    QByteArray flood;
    while (flood.size() < 10 * 1024 * 1024)
        flood += SensorFrame(7) + "junk$$##,,\r\n";
    serviceSend(flood);
    const double floodStall = LongestStall(3000);
    std::printf("10 MB flood: longest stall %.1f ms, memory %.1f -> peak %.1f MB\n", floodStall,
                idle, StatusMb("VmHWM:"));

    // 4b. A connect that never completes.
    toggle->click(); // close
    serviceDo([&service] { service.SetFault(QStringLiteral("hang")); });
    toggle->click(); // connect: no answer
    const double hangStall = LongestStall(2000);
    std::printf("connect that never completes: longest stall %.1f ms (connecting: %s)\n", hangStall,
                panel->Client().IsConnecting() ? "yes" : "no");

    serviceDo([&service] { service.SetFault(QStringLiteral("none")); });
    frame.Link().Shutdown();
    serviceThread.quit();
    serviceThread.wait();
    return 0;
}
