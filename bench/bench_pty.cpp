// End to end over a pseudo-terminal with the simulator's transport on its own thread:
//  0. the bare floor: the simulator's write of a distance frame to a plain read() of the
//     pseudo-terminal on this thread, nothing of the station in between;
//  1. latency from the simulator's write of a distance frame to the panel holding it, with the
//     station idle as the floor's reader is (its p50 is also given as a multiple of the
//     floor's), and back to back (the last frame's repaint still to come);
//  2. latency from a key press to the last byte of its frame read by the simulator;
//  3. the highest streaming rate at which no distance frame is lost.
#include "../tests/link_wait.h"
#include "bench_util.h"
#include "core/products/catalogue.h"
#include "gui/serial_cars/basic_car_panel.h"
#include "gui/shell/main_frame.h"
#include "pty_transport.h"

#include <QApplication>
#include <QKeyEvent>
#include <QThread>

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <thread>
#include <vector>

using namespace Korvane;
using namespace Bench;

namespace {

QByteArray DistanceFrame(int value) {
    return "$1,0,0,0,0,0,0,0,0,0,0," + QByteArray::number(value) + ",0#";
}

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int samples = argc > 1 ? atoi(argv[1]) : 2000;

    // The simulated device lives on its own thread with its own event loop.
    QThread simThread;
    KorvaneSim::PtyTransport port;
    QString error;
    if (!port.Open(115200, QString(), &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    port.moveToThread(&simThread);
    std::atomic<int> hashesSeen{0};
    std::atomic<Clock::rep> lastHashAt{0};
    QObject::connect(
        &port, &KorvaneSim::Transport::received, &port,
        [&](const QByteArray& b) {
            const int n = int(b.count('#'));
            if (n) {
                lastHashAt = Clock::now().time_since_epoch().count();
                hashesSeen += n;
            }
        },
        Qt::DirectConnection);
    simThread.start();
    auto simSend = [&](const QByteArray& bytes) {
        QMetaObject::invokeMethod(&port, [&port, bytes] { port.Send(bytes); });
    };

    // 0. The floor: the same write, read back by a bare read() of the port.
    double floorP50 = 0;
    {
        const int fd = ::open(port.SlavePath().toLocal8Bit().constData(), O_RDWR | O_NOCTTY);
        if (fd < 0) {
            std::perror("open");
            return 1;
        }
        termios raw{};
        tcgetattr(fd, &raw);
        cfmakeraw(&raw);
        tcsetattr(fd, TCSANOW, &raw);
        std::vector<double> bare;
        char buffer[256];
        for (int i = 0; i < samples; ++i) {
            const Clock::time_point t0 = Clock::now();
            simSend(DistanceFrame(1000 + i));
            for (bool whole = false; !whole;) {
                pollfd p{fd, POLLIN, 0};
                if (::poll(&p, 1, 1000) <= 0)
                    break;
                const ssize_t n = ::read(fd, buffer, sizeof buffer);
                whole = n > 0 && std::memchr(buffer, '#', size_t(n));
            }
            bare.push_back(Micros(Clock::now() - t0));
        }
        floorP50 = Report("device write -> bare read (floor)", bare);
        ::close(fd);
    }

    CMainFrame frame;
    frame.SelectProduct(5);
    frame.show();
    if (!OpenNow(frame.Link(), port.SlavePath(), 115200)) {
        std::fprintf(stderr, "cannot open %s\n", qPrintable(port.SlavePath()));
        return 1;
    }
    auto* panel = static_cast<CBasicCarPanel*>(frame.CurrentPanel());

    // 1. Device write -> label, with the station idle when the frame is written (what the
    //    last frame left to do, its repaint, done first), as the bare read's thread is idle;
    //    then back to back, each frame written as soon as the label shows the last one, while
    //    its repaint is still to come.
    auto panelLatency = [&](bool idleFirst, int first) {
        std::vector<double> rx;
        for (int i = 0; i < samples; ++i) {
            const QString want = QString::number(first + i);
            if (idleFirst)
                for (int k = 0; k < 3; ++k)
                    QCoreApplication::processEvents();
            const Clock::time_point t0 = Clock::now();
            simSend(DistanceFrame(first + i));
            while (panel->DistanceText() != want)
                QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
            rx.push_back(Micros(Clock::now() - t0));
        }
        return rx;
    };
    const double stationP50 =
        Report("device write -> panel label (idle)", panelLatency(true, 1000));
    std::printf("panel label p50 / floor p50: %.2f\n", stationP50 / std::max(floorP50, 1.0));
    Report("device write -> panel label (back to back)", panelLatency(false, 1000 + samples));

    // 2. Key press -> last byte at the device. W and S alternate so that each one sends.
    Report("key press -> last byte at device",
           KeyRoundTrips(panel, samples, hashesSeen, lastHashAt));

    // 3. Sustained streaming: every frame carries a sequence number; count what arrives.
    std::printf("%-10s %-10s %-10s %s\n", "rate/s", "sent", "received", "lost");
    int lossless = 0;
    for (int rate : {1000, 5000, 10000, 20000, 40000, 80000}) {
        const int seconds = 2;
        const int total = rate * seconds;
        int received = 0;
        int next = 0;
        bool inOrder = true;
        const QMetaObject::Connection counting =
            QObject::connect(&frame.Station(), &CStation::frameRead, [&](const FrameRecord& r) {
                const int seq = r.bytes.mid(23, r.bytes.indexOf(',', 23) - 23).toInt();
                inOrder = inOrder && seq == next;
                next = seq + 1;
                ++received;
            });
        std::thread pacer([&] {
            const Clock::time_point start = Clock::now();
            const int batch = std::max(1, rate / 1000); // frames per millisecond
            for (int i = 0; i < total; i += batch) {
                QByteArray bytes;
                for (int k = i; k < std::min(total, i + batch); ++k)
                    bytes += DistanceFrame(k);
                simSend(bytes);
                std::this_thread::sleep_until(
                    start + std::chrono::microseconds(qint64(1e6 * (i + batch) / rate)));
            }
        });
        const Clock::time_point deadline = Clock::now() + std::chrono::seconds(seconds + 3);
        while (received < total && Clock::now() < deadline)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        pacer.join();
        QCoreApplication::processEvents();
        QObject::disconnect(counting);
        const int lost = total - received + (inOrder ? 0 : 1);
        std::printf("%-10d %-10d %-10d %d\n", rate, total, received, lost);
        if (lost == 0)
            lossless = rate;
        else
            break;
    }
    std::printf("highest lossless rate tried: %d frames/s\n", lossless);

    frame.Link().Shutdown();
    simThread.quit();
    simThread.wait();
    return 0;
}
