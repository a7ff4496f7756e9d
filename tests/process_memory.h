#pragma once
// The resident memory of the test process, for tests that check memory stays bounded.

#include <QByteArray>
#include <QFile>

// Resident memory of this process in MB (Linux), 0 where it cannot be read.
inline double ResidentMb() {
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    return 0;
}
