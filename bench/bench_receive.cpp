// Receive path in-process: bytes -> assembler -> FrameQueue -> router (next turn) ->
// the window's station's read of each frame and the Birch Robot Car panel's label update. Prints
// frames/s and bytes/s.
#include "../tests/feed_transport.h"
#include "../tests/link_wait.h"
#include "core/link/link_manager.h"
#include "core/products/catalogue.h"
#include "gui/serial_cars/basic_car_panel.h"
#include "gui/shell/main_frame.h"

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

    auto* feed = new CFeedTransport;
    CMainFrame frame{std::unique_ptr<CTransport>(feed)};
    frame.SelectProduct(5);
    frame.show();
    auto& panel = *static_cast<CBasicCarPanel*>(frame.CurrentPanel());
    CLinkManager& link = frame.Link();
    qint64 delivered = 0;
    QObject::connect(&frame.Station(), &CStation::frameRead, [&] { ++delivered; });
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
