// Receive path in-process: bytes -> assembler -> FrameQueue -> router thread -> UI thread ->
// the Birch Robot Car panel's parse and label update. Prints frames/s and bytes/s.
#include "../tests/feed_transport.h"
#include "../tests/link_wait.h"
#include "core/link/link_manager.h"
#include "core/products/catalogue.h"
#include "gui/serial_cars/basic_car_panel.h"

#include <QApplication>
#include <QElapsedTimer>

#include <cstdio>

using namespace Korvane;

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    const int frames = argc > 1 ? atoi(argv[1]) : 1000000;
    const int chunkSize = 4096; // what one read of a busy port returns at most

    CArduinoCarFormView panel(nullptr);
    panel.show();
    auto* feed = new CFeedTransport;
    CLinkManager link{std::unique_ptr<CTransport>(feed)};
    link.SetProduct(5);
    qint64 delivered = 0;
    link.SetDeliver(
        [&](const RoutedFrame& rf) {
            if (PanelForMessage(rf.message) == panel.DialogId())
                panel.OnRoutedFrame(rf);
            ++delivered;
        },
        [&] { panel.OnRoutedBatchDone(); });
    if (!OpenNow(link, QStringLiteral("feed"), 0))
        return 1;

    QByteArray stream;
    stream.reserve(qsizetype(frames) * 32);
    for (int i = 0; i < frames; ++i)
        stream += "$1,0,0,0,0,0,0,0,0,0,0," + QByteArray::number(i % 400) + ",0#";

    QElapsedTimer t;
    t.start();
    for (qsizetype at = 0; at < stream.size(); at += chunkSize) {
        feed->Feed(stream.mid(at, chunkSize));
        // The UI thread also runs the deliveries, as it does between port reads.
        QCoreApplication::processEvents();
    }
    while (delivered < frames)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    const double s = t.nsecsElapsed() * 1e-9;
    link.Shutdown();

    std::printf("frames            %d\n", frames);
    std::printf("bytes             %lld\n", static_cast<long long>(stream.size()));
    std::printf("seconds           %.3f\n", s);
    std::printf("frames/s          %.0f\n", frames / s);
    std::printf("MB/s              %.1f\n", stream.size() / s / 1e6);
    std::printf("dropped by queue  %llu\n",
                static_cast<unsigned long long>(link.Queue().Dropped()));
    std::printf("last distance     %s\n", qPrintable(panel.DistanceText()));
    return delivered == frames ? 0 : 1;
}
