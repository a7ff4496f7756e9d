// Studying the balance car: telemetry from the simulator (a separate process) at 200 and 1000
// frames per second, in two set-ups: the frame monitor open alone, and the monitor open with
// recording on and a 100 000-sample history plotted. For each: the UI thread's busy share,
// chart redraws per second, chart refresh p50/p99, peak memory, frames the monitor listed,
// rows written against frames the car sent.
//   bench_study [korvane-sim] [seconds per run, default 10]
#include "../tests/link_wait.h"
#include "bench_util.h"
#include "core/products/catalogue.h"
#include "gui/common/control_ids.h"
#include "gui/common/message_seam.h"
#include "gui/serial_cars/balance_waveform_pane.h"
#include "gui/serial_cars/balence_form_view.h"
#include "gui/serial_cars/chart_wave.h"
#include "gui/shell/frame_monitor.h"
#include "gui/shell/main_frame.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace Korvane;
using namespace Bench;

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString sim = argc > 1 ? QString::fromLocal8Bit(argv[1])
                                 : QCoreApplication::applicationDirPath() + "/../sim/korvane-sim";
    const int seconds = argc > 2 ? std::max(1, atoi(argv[2])) : 10;
    QTemporaryDir dir;
    const CMessageSeam seam;
    SetMessageObserver(
        [](const QString& text) { std::fprintf(stderr, "message: %s\n", qPrintable(text)); });

    std::printf("%-6s %-22s %-8s %-8s %-8s %-9s %-10s %-10s %-9s %-8s\n", "rate", "set-up", "sent",
                "rows", "listed", "ui busy", "refresh50", "refresh99", "redraws/s", "peak MB");
    for (int rate : {200, 1000}) {
        for (bool full : {false, true}) {
            const QString tty = dir.filePath(QStringLiteral("tty%1%2").arg(rate).arg(full));
            QProcess simProcess;
            if (!StartSim(simProcess, sim, 8, rate, tty))
                return 1;
            ResetPeak();

            CMainFrame frame;
            frame.resize(1300, 900);
            frame.SelectProduct(8);
            frame.show();
            if (!QTest::qWaitForWindowExposed(&frame))
                return 1;
            auto* panel = qobject_cast<CBalenceFormView*>(frame.CurrentPanel());
            frame.FrameMonitor()->show();
            if (!OpenNow(frame.Link(), tty, 115200))
                return 1;
            const QString csv = dir.filePath(QStringLiteral("run%1%2.csv").arg(rate).arg(full));
            if (full) {
                // The gains first, as a student does, so that the file says what was tuned.
                qobject_cast<QAbstractButton*>(FindControl(panel, 1025))->click();
                RunFor(300);
                panel->Waveform()->HistoryBox()->setCurrentIndex(
                    panel->Waveform()->HistoryBox()->count() - 1);
                SetSaveFileAnswer([&](const QString&) { return csv; });
                panel->Waveform()->RecordButton()->click();
                SetSaveFileAnswer({});
            }
            std::vector<double> refreshUs;
            QObject::connect(panel->Waveform(), &CBalanceWaveformPane::chartRefreshed, &frame,
                             [&](qint64 ns) { refreshUs.push_back(ns / 1e3); });
            PaintCounter paints;
            panel->Chart()->viewport()->installEventFilter(&paints);
            for (int id : {1029, 1030, 1031, 1032}) // plot all three, then the waveform on
                qobject_cast<QAbstractButton*>(FindControl(panel, id))->click();
            RunFor(300);
            const double busy0 = ThreadCpuSeconds();
            const int paints0 = paints.paints;
            refreshUs.clear();
            QElapsedTimer wall;
            wall.start();
            RunFor(seconds * 1000);
            const double wallS = wall.nsecsElapsed() * 1e-9;
            const double busy = (ThreadCpuSeconds() - busy0) / wallS;
            const double redraws = (paints.paints - paints0) / wallS;

            qobject_cast<QAbstractButton*>(FindControl(panel, 1032))->click(); // waveform off
            RunFor(500);
            if (full)
                panel->Waveform()->RecordButton()->click(); // stop: the file is complete
            frame.FrameMonitor()->Flush();
            const qint64 rows = panel->Model().Recorder().Rows();
            const qint64 listed = qint64(frame.FrameMonitor()->Model().Log().Size() +
                                         frame.FrameMonitor()->Model().Log().Dropped());
            simProcess.terminate();
            simProcess.waitForFinished(3000);
            qint64 sent = SimSent(simProcess);
            if (full)
                --sent; // the reply to the gains query is no telemetry
            std::sort(refreshUs.begin(), refreshUs.end());
            auto pct = [&](double p) {
                return refreshUs.empty() ? 0.0
                                         : refreshUs[std::min(refreshUs.size() - 1,
                                                              size_t(p * refreshUs.size()))] /
                                               1e3;
            };
            std::printf(
                "%-6d %-22s %-8lld %-8s %-8lld %-9.2f %-10.2f %-10.2f %-9.1f %-8.0f\n", rate,
                full ? "monitor+record+100k" : "monitor", static_cast<long long>(sent),
                full ? qPrintable(QString::number(rows)) : "-", static_cast<long long>(listed),
                busy, pct(0.5), pct(0.99), redraws, StatusMb("VmHWM:"));
            if (full && rate == 1000) { // what a recording looks like
                QFile f(csv);
                if (f.open(QIODevice::ReadOnly | QIODevice::Text))
                    for (int i = 0; i < 4 && !f.atEnd(); ++i)
                        std::printf("    %s", f.readLine().constData());
            }
            std::fflush(stdout);
            frame.Link().Shutdown();
        }
    }
    std::printf("sent: telemetry frames the car sent; rows: rows recorded; listed: frames the "
                "monitor took (TX and RX); ui busy: UI thread CPU seconds per second; refresh: "
                "ms to reduce and replace the plotted points; peak: the process's peak resident "
                "memory\n");
    return 0;
}
