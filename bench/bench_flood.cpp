// A device that floods the station over a pseudo-terminal, unpaced, with distance frames
// (Birch Robot Car) and then with balance telemetry (Birch Balance Car). Reports the station's
// idle and peak memory, the frames it assembled, showed and dropped, the longest time its event
// loop was held up, and how long it took to show the last frame after the flood ended.
//   bench_flood [seconds per flood, default 20]
#include "../tests/link_wait.h"
#include "../tests/pty_pair.h"
#include "bench_util.h"
#include "core/products/catalogue.h"
#include "gui/common/message_seam.h"
#include "gui/serial_cars/balence_form_view.h"
#include "gui/serial_cars/basic_car_panel.h"
#include "gui/shell/main_frame.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTimer>

#include <atomic>
#include <cstdio>
#include <thread>

using namespace Korvane;
using namespace Bench;

namespace {

struct Result {
    double idleMb = 0, peakMb = 0, maxStallMs = 0, catchUpMs = -1;
    qint64 written = 0, assembled = 0, dropped = 0;
};

// Floods for the given time with frames made by makeFrame(sequence); shown(seq) tells whether
// the panel shows that sequence number.
template <typename Make, typename Shown>
Result Flood(CMainFrame& frame, PtyPair& pty, int seconds, Make makeFrame, Shown shown) {
    Result r;
    QCoreApplication::processEvents();
    r.idleMb = StatusMb("VmRSS:");
    ResetPeak();
    qint64 assembledBefore = 0;
    auto conn = QObject::connect(&frame.Link(), &CLinkManager::frameAssembled, &frame,
                                 [&](const QByteArray&) { ++assembledBefore; });
    const quint64 droppedBefore = frame.Link().DroppedFrames();

    std::atomic<bool> stop{false};
    std::atomic<bool> finished{false};
    std::atomic<qint64> lastWritten{-1};
    std::thread writer([&] {
        QByteArray block;
        qint64 seq = 0;
        while (!stop) {
            block.clear();
            const qint64 first = seq;
            for (int i = 0; i < 200; ++i)
                block += makeFrame(seq++);
            pty.WriteBlocking(block);
            lastWritten = seq - 1;
            Q_UNUSED(first);
        }
        finished = true;
    });

    // The event loop's delay: a 5 ms timer that notes how late it fires.
    auto probe = std::make_unique<StallProbe>();

    QElapsedTimer t;
    t.start();
    while (t.elapsed() < seconds * 1000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    stop = true;
    // The writer's last block waits for the station to read it, which the window does.
    while (!finished)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    writer.join();
    const qint64 last = lastWritten;
    QElapsedTimer catchUp;
    catchUp.start();
    while (!shown(last) && catchUp.elapsed() < 30000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    r.catchUpMs = shown(last) ? catchUp.nsecsElapsed() / 1e6 : -1;
    r.maxStallMs = probe->WorstMs();
    probe.reset();
    r.peakMb = StatusMb("VmHWM:");
    r.written = last + 1;
    r.assembled = assembledBefore;
    r.dropped = qint64(frame.Link().DroppedFrames() - droppedBefore);
    QObject::disconnect(conn);
    return r;
}

void Print(const char* what, const Result& r, int seconds) {
    std::printf("%s, %d s unpaced:\n", what, seconds);
    std::printf("  frames written by the device   %lld (%.0f/s)\n",
                static_cast<long long>(r.written), r.written / double(seconds));
    std::printf("  frames assembled               %lld\n", static_cast<long long>(r.assembled));
    std::printf("  frames dropped                 %lld\n", static_cast<long long>(r.dropped));
    std::printf("  memory idle / peak             %.1f MB / %.1f MB (+%.1f MB)\n", r.idleMb,
                r.peakMb, r.peakMb - r.idleMb);
    std::printf("  longest event-loop stall       %.1f ms\n", r.maxStallMs);
    std::printf("  last frame shown after         %.1f ms\n", r.catchUpMs);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    const int seconds = argc > 1 ? std::max(1, atoi(argv[1])) : 20;
    const CMessageSeam seam;
    SetMessageObserver([](const QString&) {});

    {
        PtyPair pty;
        CMainFrame frame;
        frame.SelectProduct(5);
        frame.resize(900, 560);
        frame.show();
        if (!OpenNow(frame.Link(), pty.SlavePath(), 115200))
            return 1;
        auto* panel = static_cast<CBasicCarPanel*>(frame.CurrentPanel());
        const Result r = Flood(
            frame, pty, seconds,
            [](qint64 seq) { return "$1,0,0,0,0,0,0,0,0,0,0," + QByteArray::number(seq) + ",0#"; },
            [panel](qint64 seq) { return panel->DistanceText() == QString::number(seq); });
        Print("Distance frames (Birch Robot Car)", r, seconds);
    }
    {
        PtyPair pty;
        CMainFrame frame;
        frame.SelectProduct(8);
        frame.resize(1100, 720);
        frame.show();
        if (!OpenNow(frame.Link(), pty.SlavePath(), 115200))
            return 1;
        auto* panel = static_cast<CBalenceFormView*>(frame.CurrentPanel());
        const Result r = Flood(
            frame, pty, seconds,
            [](qint64 seq) {
                return "$LV" + QByteArray::number(seq) + ",RV-3,AC0.05,GY" +
                       QByteArray::number(seq % 90) + ".5,CSB88,VT7.90#";
            },
            [panel](qint64 seq) {
                return panel->Telemetry().leftSpeed == QByteArray::number(seq);
            });
        Print("Balance telemetry (Birch Balance Car)", r, seconds);
    }
    return 0;
}
