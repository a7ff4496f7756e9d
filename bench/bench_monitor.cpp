// The frame monitor with a full list (100 000 rows): how long a keystroke in the filter takes
// to show in the list, and how long the window stalls at most when the monitor resumes after a
// pause with a full list waiting.
//   bench_monitor [runs, default 5]
#include "bench_util.h"
#include "gui/common/message_seam.h"
#include "gui/shell/frame_monitor.h"

#include <QApplication>
#include <QLineEdit>
#include <QTableView>
#include <QTest>

#include <cstdio>

using namespace Korvane;
using namespace Bench;

namespace {

TracedFrame Frame(int n) {
    // Frames as a balance car sends them, with the odd PID reply and command.
    const QByteArray text =
        n % 50 == 0
            ? "$4WD,PTZ" + QByteArray::number(n % 180) + "#"
            : "$LV" + QByteArray::number(n % 97) + ",RV" + QByteArray::number(n % 89) + ",AC" +
                  QByteArray::number(n % 1000) + ",GY-" + QByteArray::number(n % 777) + ",CSB" +
                  QByteArray::number(n % 300) + ",VT7.9#";
    return {n % 10 ? TraceDirection::Received : TraceDirection::Sent,
            QStringLiteral("/dev/ttyUSB0"), text, n};
}

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 5;
    const CMessageSeam seam;
    SetMessageObserver([](const QString&) {});

    std::vector<double> keys, resumes;
    for (int run = 0; run < runs; ++run) {
        CFrameMonitor monitor;
        monitor.resize(1000, 500);
        monitor.show();
        if (!QTest::qWaitForWindowExposed(&monitor))
            return 1;
        for (int i = 0; i < int(CFrameMonitor::kCapacity); ++i)
            monitor.Take(Frame(i));
        monitor.Flush();
        RunFor(200);
        auto* field = monitor.findChild<QLineEdit*>();
        // Each keystroke: from the key press until the list shows the new filter (the filter
        // is applied and the view painted).
        for (const QString& typed :
             {QStringLiteral("$4WD"), QStringLiteral("GY-7"), QStringLiteral("tty")}) {
            for (const QChar c : typed) {
                QElapsedTimer t;
                t.start();
                QTest::keyClick(field, c.toLatin1());
                const QString want = field->text();
                auto* proxy = qobject_cast<CFrameFilterProxy*>(monitor.View()->model());
                while (proxy->Text() != want)
                    QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
                monitor.View()->viewport()->repaint();
                keys.push_back(t.nsecsElapsed() / 1e3);
                if (qEnvironmentVariableIsSet("BENCH_VERBOSE"))
                    std::printf("  %-6s %8.1f ms\n", qPrintable(want), keys.back() / 1e3);
                RunFor(120); // the user's next key comes later
            }
            field->clear();
            RunFor(100);
        }
        // Resume after a pause with a full list waiting.
        monitor.SetPaused(true);
        for (int i = 0; i < int(CFrameMonitor::kCapacity); ++i)
            monitor.Take(Frame(i + 200000));
        StallProbe probe;
        monitor.SetPaused(false);
        while (monitor.Waiting() > 0)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        RunFor(100);
        resumes.push_back(probe.WorstMs() * 1000);
    }
    Report("keystroke to filtered list (100 000 rows)", keys);
    Report("longest stall, resuming 100 000 frames", resumes);
    return 0;
}
