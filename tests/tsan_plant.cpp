// A deliberate data race, built only for ThreadSanitizer runs: a plain thread writes a value
// that a timer callback on the event loop reads without synchronisation (the shape of the
// router and the UI thread). The suppression file must let ThreadSanitizer report it; the
// CTest entry passes only when the report appears.
#include <QCoreApplication>
#include <QTimer>

#include <atomic>
#include <thread>

namespace {
int g_unprotected = 0; // the race: written by the thread, read by the timer, no lock
std::atomic<bool> g_stop{false};
} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    std::thread writer([] {
        while (!g_stop)
            ++g_unprotected;
    });
    int reads = 0;
    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        reads += g_unprotected % 2;
        if (++ticks > 50)
            QCoreApplication::quit();
    });
    timer.start(1);
    QTimer::singleShot(500, &app, &QCoreApplication::quit);
    const int rc = app.exec();
    g_stop = true;
    writer.join();
    return rc + (reads < 0 ? 1 : 0);
}
