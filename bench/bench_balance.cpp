// Balance car telemetry streamed by the simulator (a separate process) over a pseudo-terminal
// at several rates, with all three waveforms plotted. For each rate: the station's CPU use,
// how busy its UI thread was, chart refresh times, chart redraws per second, and whether every
// frame's sample reached the histories.
#include "../tests/link_wait.h"
#include "bench_util.h"
#include "core/products/catalogue.h"
#include "gui/common/control_ids.h"
#include "gui/serial_cars/balance_waveform_pane.h"
#include "gui/serial_cars/balence_form_view.h"
#include "gui/serial_cars/chart_wave.h"
#include "gui/shell/main_frame.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace Korvane;
using namespace Bench;

namespace {

void Click(QWidget* panel, int id) {
    auto* b = qobject_cast<QAbstractButton*>(FindControl(panel, id));
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(8, b->height() / 2));
}

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString sim = argc > 1 ? QString::fromLocal8Bit(argv[1])
                                 : QCoreApplication::applicationDirPath() + "/../sim/korvane-sim";
    const int seconds = argc > 2 ? atoi(argv[2]) : 5;
    QTemporaryDir dir;

    std::printf("%-6s %-8s %-8s %-6s %-9s %-10s %-10s %-9s\n", "rate", "frames", "lost", "cpu",
                "ui busy", "refresh50", "refresh99", "redraws/s");
    for (int rate : {50, 200, 1000}) {
        const QString tty = dir.filePath(QStringLiteral("tty%1").arg(rate));
        QProcess simProcess;
        if (!StartSim(simProcess, sim, 8, rate, tty))
            return 1;

        CMainFrame frame;
        frame.resize(1100, 720);
        frame.SelectProduct(8);
        frame.show();
        if (!QTest::qWaitForWindowExposed(&frame))
            return 1;
        auto* panel = qobject_cast<CBalenceFormView*>(frame.CurrentPanel());
        if (!OpenNow(frame.Link(), tty, 115200))
            return 1;
        qint64 telemetry = 0;
        QObject::connect(&frame.Link(), &CLinkManager::frameAssembled, &frame,
                         [&](const QByteArray& f) { telemetry += f.contains("LV"); });
        std::vector<qint64> refreshNs;
        QObject::connect(panel->Waveform(), &CBalanceWaveformPane::chartRefreshed, &frame,
                         [&](qint64 ns) { refreshNs.push_back(ns); });
        PaintCounter paints;
        panel->Chart()->viewport()->installEventFilter(&paints);

        for (int id : {1029, 1030, 1031, 1032})
            Click(panel, id);
        QTest::qWait(300); // let the stream settle
        const double cpu0 = CpuSeconds();
        const double busy0 = ThreadCpuSeconds();
        const int paints0 = paints.paints;
        refreshNs.clear();
        QElapsedTimer wall;
        wall.start();
        QTest::qWait(seconds * 1000);
        const double wallS = wall.nsecsElapsed() * 1e-9;
        const double cpu = (CpuSeconds() - cpu0) / wallS;
        const double busyShare = (ThreadCpuSeconds() - busy0) / wallS;
        const double redraws = (paints.paints - paints0) / wallS;

        Click(panel, 1032); // waveform off, then count what the car sent
        QTest::qWait(500);
        simProcess.terminate();
        simProcess.waitForFinished(3000);
        qint64 sent = SimSent(simProcess);
        std::sort(refreshNs.begin(), refreshNs.end());
        auto pct = [&](double p) {
            return refreshNs.empty()
                       ? 0.0
                       : refreshNs[std::min(refreshNs.size() - 1, size_t(p * refreshNs.size()))] *
                             1e-6;
        };
        std::printf("%-6d %-8lld %-8lld %-6.2f %-9.2f %-10.3f %-10.3f %-9.1f\n", rate,
                    static_cast<long long>(telemetry), static_cast<long long>(sent - telemetry),
                    cpu, busyShare, pct(0.5), pct(0.99), redraws);
        frame.Link().Shutdown();
    }
    std::printf("cpu: the station's user+sys seconds per wall second; ui busy: the UI thread's "
                "CPU seconds per wall second; refresh: ms to replace the points of the plotted "
                "series and fit the axes\n");
    return 0;
}
