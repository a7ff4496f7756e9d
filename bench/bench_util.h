#pragma once
// What the benchmarks share: percentiles of latencies, the process's memory and CPU time, how
// late the event loop runs a timer, and how often a widget is painted.

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QKeyEvent>
#include <QProcess>
#include <QTimer>

#include <sys/resource.h>
#include <time.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <vector>

namespace Bench {

using Clock = std::chrono::steady_clock;

inline double Micros(Clock::duration d) {
    return std::chrono::duration<double, std::micro>(d).count();
}

// "what  n=..  p50=.. us  p99=.. us  max=.. us"; returns the p50.
inline double Report(const char* what, std::vector<double> us) {
    std::sort(us.begin(), us.end());
    auto pct = [&](double p) { return us[std::min(us.size() - 1, size_t(p * us.size()))]; };
    std::printf("%-40s n=%zu  p50=%.0f us  p99=%.0f us  max=%.0f us\n", what, us.size(), pct(0.5),
                pct(0.99), us.back());
    std::fflush(stdout);
    return pct(0.5);
}

// A field of /proc/self/status in MB ("VmRSS:", "VmHWM:").
inline double StatusMb(const char* field) {
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith(field))
            return line.mid(qstrlen(field)).trimmed().split(' ').first().toDouble() / 1024.0;
    return 0;
}

// Resets the peak resident memory (VmHWM) of this process (Linux).
inline void ResetPeak() {
    QFile f(QStringLiteral("/proc/self/clear_refs"));
    if (f.open(QIODevice::WriteOnly))
        f.write("5");
}

// Notes how late a 5 ms timer fires at worst while it lives.
class StallProbe {
  public:
    StallProbe() {
        m_since.start();
        m_probe.setInterval(5);
        QObject::connect(&m_probe, &QTimer::timeout, [this] {
            m_worst = std::max(m_worst, m_since.nsecsElapsed() / 1e6 - 5);
            m_since.restart();
        });
        m_probe.start();
    }
    double WorstMs() const { return m_worst; }

  private:
    QTimer m_probe;
    QElapsedTimer m_since;
    double m_worst = 0;
};

// User and system CPU seconds of the whole process.
inline double CpuSeconds() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_utime.tv_sec + u.ru_stime.tv_sec + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) * 1e-6;
}

// CPU seconds of the calling thread (the UI thread): how busy it was.
inline double ThreadCpuSeconds() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return ts.tv_sec + ts.tv_nsec * 1e-9;
}

// Counts the paint events of a widget it filters: real redraws on screen.
class PaintCounter : public QObject {
  public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

// Key press -> last byte at the device, `samples` times: W and S alternate so that each one
// sends. The device side counts the frames it has seen (their "#") and when the last came.
inline std::vector<double> KeyRoundTrips(QObject* panel, int samples,
                                         const std::atomic<int>& hashesSeen,
                                         const std::atomic<Clock::rep>& lastHashAt) {
    std::vector<double> tx;
    for (int i = 0; i < samples; ++i) {
        const int before = hashesSeen;
        const Clock::time_point t0 = Clock::now();
        QKeyEvent press(QEvent::KeyPress, i % 2 ? Qt::Key_S : Qt::Key_W, Qt::NoModifier);
        QCoreApplication::sendEvent(panel, &press);
        while (hashesSeen == before)
            QCoreApplication::processEvents(QEventLoop::AllEvents);
        tx.push_back(Micros(Clock::time_point(Clock::duration(lastHashAt.load())) - t0));
    }
    return tx;
}

// Starts the simulator (korvane-sim at simPath) for a product on a link path, quiet, at a
// rate; false, with a line on stderr, when it did not come up.
inline bool StartSim(QProcess& process, const QString& simPath, int product, int rate,
                     const QString& link) {
    process.start(simPath, {"--product", QString::number(product), "--rate", QString::number(rate),
                            "--link", link, "--quiet"});
    if (!process.waitForStarted() || !process.waitForReadyRead(5000)) {
        std::fprintf(stderr, "cannot start %s\n", qPrintable(simPath));
        return false;
    }
    process.readLine(); // "PORT <path>"
    return true;
}

// The number the simulator printed as "SENT n" when it ended (-1 without one).
inline qint64 SimSent(QProcess& process) {
    qint64 sent = -1;
    for (const QByteArray& line : process.readAll().split('\n'))
        if (line.startsWith("SENT "))
            sent = line.mid(5).toLongLong();
    return sent;
}

// Runs the event loop for ms without spinning.
inline void RunFor(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace Bench
