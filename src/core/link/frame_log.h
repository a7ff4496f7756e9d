#pragma once

#include "core/link/link_channel.h"

#include <QString>

#include <deque>

namespace Korvane {

// How a frame's bytes read on screen: GBK text decoded, every control character and DEL
// escaped ("\r", "\n", "\t", "\x01", "\x7F"), a backslash doubled so that the escapes stay
// unambiguous.
QString FrameDisplayText(const QByteArray& bytes);

// The frames a monitor keeps: the newest `capacity`, older ones dropped and counted.
class CFrameLog {
  public:
    struct Row {
        qint64 timeMs; // since the clock's zero, from the frame's arrival
        TraceDirection direction;
        QString link;
        QString text; // FrameDisplayText of the bytes
        bool remote = false;
    };

    explicit CFrameLog(size_t capacity = 100000) : m_capacity(capacity) {}

    // The ArrivalClockNs that is time 0 (the station's start): every link's rows are on it.
    void SetClockZero(qint64 ns) { m_zeroNs = ns; }
    // Appends a frame; returns how many of the oldest rows went to make room (0 or 1).
    size_t Append(const TracedFrame& frame);
    void Clear() { m_rows.clear(); }
    // Frames that never entered the log (a batch larger than the whole log) count as dropped.
    void CountDropped(size_t n) { m_dropped += n; }
    // Drops the n oldest rows (counted), to make room for a batch.
    void DropOldest(size_t n);

    size_t Size() const { return m_rows.size(); }
    size_t Capacity() const { return m_capacity; }
    const Row& At(size_t i) const { return m_rows[i]; }
    // Rows dropped to keep within the capacity since the log began (Clear keeps the count).
    quint64 Dropped() const { return m_dropped; }

    // One row as a line of text: time, direction, link and frame separated by tabs.
    static QString RowText(const Row& row);
    // "TX", "TX remote" (sent for a remote command) or "RX".
    static QString DirectionText(const Row& row);

  private:
    size_t m_capacity;
    std::deque<Row> m_rows;
    quint64 m_dropped = 0;
    qint64 m_zeroNs = 0;
};

} // namespace Korvane
