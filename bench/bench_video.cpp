// The live camera picture against the simulator's camera server (640 by 480) on its own
// thread, side by side with a bare keep-alive fetch-and-decode loop on the same server:
//  1. distinct pictures per second at camera rates 15, 30, 60 and unpaced (and the stream);
//  2. the UI thread's longest event-loop stall during full-rate video;
//  3. the station's CPU with the car unreachable and the video on, and at 30 fps.
//   bench_video [seconds per measurement, default 3] [unpaced: that row only]
#include "../tests/link_wait.h"
#include "bench_util.h"
#include "core/wifi_cars/picture_memory.h"
#include "gui/common/control_ids.h"
#include "gui/common/message_seam.h"
#include "gui/shell/main_frame.h"
#include "gui/wifi_cars/snapshot_video.h"
#include "gui/wifi_cars/wifi_car_panel.h"
#include "video_server.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QHash>
#include <QLineEdit>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QProcess>
#include <QSet>
#include <QThread>
#include <QTimer>

#include <atomic>
#include <cstdio>
#include <mutex>

using namespace Korvane;
using namespace Bench;

namespace {

// New pictures: a picture counts when its sequence number differs from the one before it
// (the unpaced camera hands out a ring of pictures, so numbers come round again).
struct PictureCount {
    int last = -1;
    int changes = 0;
    void Add(int seq) {
        if (seq != last)
            ++changes;
        last = seq;
    }
};

// Distinct pictures per second a plain loop gets: fetch, wait, decode, fetch again.
double BareLoop(const QString& url, int seconds) {
    QNetworkAccessManager manager;
    manager.setProxy(QNetworkProxy::NoProxy);
    PictureCount count;
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < seconds * 1000) {
        QNetworkReply* reply = manager.get(QNetworkRequest(QUrl(url)));
        // Waits as any program does, asleep until the reply is in (not spinning a core).
        QEventLoop wait;
        QObject::connect(reply, &QNetworkReply::finished, &wait, &QEventLoop::quit);
        if (!reply->isFinished())
            wait.exec();
        const QImage picture = DecodeSnapshot(reply->readAll());
        reply->deleteLater();
        if (!picture.isNull())
            count.Add(KorvaneSim::ReadSequenceBlocks(picture));
    }
    return count.changes / double(seconds);
}

// Distinct pictures per second a plain stream reader gets: it reads the multipart stream with
// the same read buffer as the station and decodes each picture as it comes, on its own thread.
double BareStream(const QString& url, int seconds) {
    QNetworkAccessManager manager;
    manager.setProxy(QNetworkProxy::NoProxy);
    QNetworkReply* reply = manager.get(QNetworkRequest(QUrl(url)));
    reply->setReadBufferSize(64 * 1024);
    PictureCount count;
    QByteArray buffer;
    QObject::connect(reply, &QNetworkReply::readyRead, [&] {
        buffer += reply->readAll();
        for (;;) {
            const qsizetype headersEnd = buffer.indexOf("\r\n\r\n");
            const qsizetype at = buffer.indexOf("Content-Length: ");
            if (headersEnd < 0 || at < 0 || at > headersEnd)
                return;
            const qsizetype length =
                buffer.mid(at + 16, headersEnd - at - 16).trimmed().toLongLong();
            if (buffer.size() < headersEnd + 4 + length)
                return;
            const QImage picture = DecodeSnapshot(buffer.mid(headersEnd + 4, length));
            buffer.remove(0, headersEnd + 4 + length);
            if (!picture.isNull())
                count.Add(KorvaneSim::ReadSequenceBlocks(picture));
        }
    });
    QEventLoop wait;
    QTimer::singleShot(seconds * 1000, &wait, &QEventLoop::quit);
    wait.exec();
    reply->abort();
    reply->deleteLater();
    return count.changes / double(seconds);
}

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    KeepPictureMemory(); // as the station does
    QApplication app(argc, argv);
    const int seconds = argc > 1 ? std::max(1, atoi(argv[1])) : 3;
    const CMessageSeam seam;
    SetMessageObserver([](const QString&) {});

    // When the camera took each picture, for the latency to the painted picture.
    std::mutex takenMutex;
    QHash<int, Clock::time_point> taken;
    QThread serverThread;
    // Unpaced, the camera hands out pictures its encoder made beforehand, as a camera server
    // hands out what the camera's own encoder produced: the ceiling measured is then the
    // station's, not that of a JPEG encoder sharing the two cores with it.
    std::vector<QByteArray> ring;
    for (int seq = 0; seq < 256; ++seq)
        ring.push_back(KorvaneSim::DrawCameraPicture(seq, 640, 480, 90, 255, 0, 0));
    std::atomic<bool> fromRing = false;
    KorvaneSim::VideoServer server([&](int seq) {
        if (fromRing)
            return ring[size_t(seq) % ring.size()];
        {
            std::lock_guard lock(takenMutex);
            taken.insert(seq, Clock::now());
        }
        return KorvaneSim::DrawCameraPicture(seq, 640, 480, 90, 255, 0, 0);
    });
    QString error;
    if (!server.Listen(QHostAddress::LocalHost, 0, &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    server.moveToThread(&serverThread);
    serverThread.start();
    auto serverDo = [&server](std::function<void()> f) {
        QMetaObject::invokeMethod(&server, std::move(f), Qt::BlockingQueuedConnection);
    };
    const QString snapshot =
        QStringLiteral("http://127.0.0.1:%1/?action=snapshot").arg(server.Port());

    CMainFrame frame;
    frame.SelectProduct(13);
    frame.resize(1200, 860);
    frame.show();
    auto* panel = static_cast<CWifiCarPanel*>(frame.CurrentPanel());
    auto* area = qobject_cast<CVideoArea*>(FindControl(panel, 1313));
    auto* address = qobject_cast<QLineEdit*>(FindControl(panel, 1306));
    auto* toggle = qobject_cast<QAbstractButton*>(FindControl(panel, 1309));

    // Distinct pictures the station shows per second, and its longest stall meanwhile.
    std::vector<double> latency;
    bool measureLatency = false; // then each picture is painted at once and timed
    double lastPaintsPerSecond = 0;
    double lastUiBusy = 0; // share of the time the UI thread was busy
    auto station = [&](const QString& url, int seconds, double* stallMs, double* cpu) {
        address->setText(url);
        toggle->click();
        while (!panel->Video().IsRunning() && panel->Video().IsStarting())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        PictureCount count;
        auto shown = QObject::connect(area, &CVideoArea::pictureChanged, [&] {
            const int seq = KorvaneSim::ReadSequenceBlocks(area->Picture());
            count.Add(seq);
            if (!measureLatency)
                return;
            area->repaint(); // painted now, not at the next turn of the loop
            std::lock_guard lock(takenMutex);
            if (taken.contains(seq))
                latency.push_back(Micros(Clock::now() - taken.value(seq)));
        });
        StallProbe probe;
        PaintCounter painted;
        area->installEventFilter(&painted);
        const double cpu0 = CpuSeconds();
        const double uiCpu0 = ThreadCpuSeconds();
        RunFor(seconds * 1000);
        lastUiBusy = (ThreadCpuSeconds() - uiCpu0) / seconds;
        area->removeEventFilter(&painted);
        lastPaintsPerSecond = painted.paints / double(seconds);
        QObject::disconnect(shown);
        if (cpu)
            *cpu = (CpuSeconds() - cpu0) / seconds;
        toggle->click();
        if (stallMs)
            *stallMs = probe.WorstMs();
        return count.changes / double(seconds);
    };

    // A picture counts as shown when the video area takes it; the area paints the newest one
    // at most once per screen refresh (painted/s).
    // The station and the bare loop take turns, one second each, so that a machine whose speed
    // drifts during the run (other work on its cores) slows both alike.
    std::printf("%-15s %-16s %-16s %-8s %-10s %-8s %s\n", "camera", "station pics/s",
                "bare loop pics/s", "ratio", "painted/s", "UI busy", "longest stall");
    const bool unpacedOnly = argc > 2 && QByteArray(argv[2]) == "unpaced";
    const QString stream =
        QString(snapshot).replace(QStringLiteral("snapshot"), QStringLiteral("stream"));
    struct Row {
        double fps;
        const QString& url;
        const char* name;
    };
    // Every row twice: on an idle machine, and beside another program that keeps one core busy
    // (as on a desktop where other programs run).
    auto busyCore = [] {
        auto process = std::make_unique<QProcess>();
        process->start(QStringLiteral("/bin/sh"),
                       {QStringLiteral("-c"), QStringLiteral("while :; do :; done")});
        process->waitForStarted();
        return process;
    };
    for (const Row& row :
         {Row{15, snapshot, "15 fps"}, Row{30, snapshot, "30 fps"}, Row{60, snapshot, "60 fps"},
          Row{0, snapshot, "unpaced"}, Row{1000, stream, "stream 1000 fps"}})
        for (const bool busy : {false, true}) {
            const double fps = row.fps;
            // Unpaced and beyond any camera's rate, the camera hands out pictures it encoded
            // beforehand, so that the ceiling measured is the station's.
            const bool ceiling = fps <= 0 || fps > 100;
            if (unpacedOnly && !ceiling)
                continue;
            std::unique_ptr<QProcess> other = busy ? busyCore() : nullptr;
            serverDo([&server, fps] { server.SetFps(fps); });
            fromRing = ceiling;
            double shown = 0, bare = 0, painted = 0, uiBusy = 0, stall = 0;
            for (int turn = 0; turn < seconds; ++turn) {
                double turnStall = 0;
                shown += station(row.url, 1, &turnStall, nullptr) / seconds;
                painted += lastPaintsPerSecond / seconds;
                uiBusy += lastUiBusy / seconds;
                stall = std::max(stall, turnStall);
                bare +=
                    (row.url == stream ? BareStream(stream, 1) : BareLoop(snapshot, 1)) / seconds;
            }
            std::printf("%-15s %-16.1f %-16.1f %-8.2f %-10.1f %-8.2f %.1f ms\n",
                        qPrintable(QString::fromLatin1(row.name) +
                                   (busy ? QStringLiteral(", busy") : QString())),
                        shown, bare, bare > 0 ? shown / bare : 0, painted, uiBusy, stall);
            std::fflush(stdout);
            if (other) {
                other->kill();
                other->waitForFinished();
            }
        }
    // The server goes back to this thread before its own ends, so that its timers and sockets
    // are stopped and deleted where they live.
    auto stopServer = [&] {
        serverDo([&server] { server.moveToThread(QCoreApplication::instance()->thread()); });
        serverThread.quit();
        serverThread.wait();
    };
    if (unpacedOnly) {
        stopServer();
        return 0;
    }
    serverDo([&server] { server.SetFps(30); });
    fromRing = false;
    latency.clear();
    measureLatency = true;
    station(snapshot, seconds, nullptr, nullptr);
    Report("camera picture -> painted, 30 fps snapshots", latency);
    double stall = 0, cpu = 0;
    latency.clear();
    const double streamed = station(stream, seconds, &stall, &cpu);
    Report("camera picture -> painted, 30 fps stream", latency);
    measureLatency = false;
    std::printf("stream at 30 fps: %.1f pictures/s, longest stall %.1f ms, CPU %.2f s/s "
                "(station and camera server together)\n",
                streamed, stall, cpu);
    station(snapshot, seconds, nullptr, &cpu);
    std::printf("snapshots at 30 fps: CPU %.2f s/s (station and camera server together)\n", cpu);

    // The window while the camera misbehaves: a first fetch that never gets an answer (until
    // the time-out ends it), then, with the video running, an endless body (cut at the cap)
    // and a small picture declaring 30000 by 30000 pixels (refused by the decoder).
    address->setText(snapshot);
    for (const char* mode : {"stall", "endless", "huge-picture"}) {
        const bool first = QByteArray(mode) == "stall";
        if (first)
            serverDo([&server, mode] { server.SetFault(QString::fromLatin1(mode)); });
        toggle->click();
        StallProbe probe;
        if (!first) {
            while (!panel->Video().IsRunning() && panel->Video().IsStarting())
                QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            serverDo([&server, mode] { server.SetFault(QString::fromLatin1(mode)); });
        }
        const int before = panel->Video().Requests();
        RunFor(first ? CSnapshotFetcher::kInactivityMs + 500 : seconds * 1000);
        std::printf("%s: longest stall %.1f ms, %d requests, video %s\n",
                    first ? "stalled first fetch" : mode, probe.WorstMs(),
                    panel->Video().Requests() - before + (first ? 1 : 0),
                    panel->Video().IsRunning() ? "running" : "off");
        if (panel->Video().IsRunning() || panel->Video().IsStarting())
            toggle->click();
        serverDo([&server] { server.SetFault(QStringLiteral("none")); });
    }

    // Started while the car answered, then the car goes: the video keeps asking, slowly.
    toggle->click();
    while (!panel->Video().IsRunning() && panel->Video().IsStarting())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    serverDo([&server] { server.SetFault(QStringLiteral("refuse")); });
    const int before = panel->Video().Requests();
    const double cpu0 = CpuSeconds();
    RunFor(seconds * 1000);
    std::printf("car unreachable, video on: station CPU %.3f s/s, %d requests in %d s\n",
                (CpuSeconds() - cpu0) / seconds, panel->Video().Requests() - before, seconds);
    toggle->click();
    stopServer();
    return 0;
}
