#pragma once
// What the benchmarks share: percentiles of latencies, the process's memory, and how late the
// event loop runs a timer.

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace Bench {

using Clock = std::chrono::steady_clock;

inline double Micros(Clock::duration d) {
    return std::chrono::duration<double, std::micro>(d).count();
}

// "what  n=..  p50=.. us  p99=.. us  max=.. us".
inline void Report(const char* what, std::vector<double> us) {
    std::sort(us.begin(), us.end());
    auto pct = [&](double p) { return us[std::min(us.size() - 1, size_t(p * us.size()))]; };
    std::printf("%-40s n=%zu  p50=%.0f us  p99=%.0f us  max=%.0f us\n", what, us.size(), pct(0.5),
                pct(0.99), us.back());
    std::fflush(stdout);
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

// Runs the event loop for ms without spinning.
inline void RunFor(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace Bench
