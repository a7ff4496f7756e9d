#include "core/link/frame_log.h"

#include <QStringDecoder>

#include <algorithm>

namespace Korvane {

QString FrameDisplayText(const QByteArray& bytes) {
    QStringDecoder gbk("GBK");
    const QString decoded = gbk.isValid() ? gbk(bytes) : QString::fromLatin1(bytes);
    QString out;
    out.reserve(decoded.size() + 8);
    for (const QChar c : decoded) {
        const ushort u = c.unicode();
        if (u == '\\')
            out += QStringLiteral("\\\\");
        else if (u == '\r')
            out += QStringLiteral("\\r");
        else if (u == '\n')
            out += QStringLiteral("\\n");
        else if (u == '\t')
            out += QStringLiteral("\\t");
        else if (u < 0x20 || u == 0x7F)
            out += QStringLiteral("\\x") +
                   QString::number(u, 16).rightJustified(2, QLatin1Char('0')).toUpper();
        else
            out += c;
    }
    return out;
}

size_t CFrameLog::Append(const TracedFrame& frame) {
    size_t dropped = 0;
    if (m_capacity == 0)
        return 0;
    if (m_rows.size() >= m_capacity) {
        m_rows.pop_front();
        ++m_dropped;
        dropped = 1;
    }
    m_rows.push_back({(frame.arrivalNs - m_zeroNs) / 1000000, frame.direction, frame.link,
                      FrameDisplayText(frame.bytes), frame.Remote()});
    return dropped;
}

void CFrameLog::DropOldest(size_t n) {
    n = std::min(n, m_rows.size());
    m_rows.erase(m_rows.begin(), m_rows.begin() + qsizetype(n));
    m_dropped += n;
}

QString CFrameLog::DirectionText(const Row& row) {
    // A frame sent for a remote command (over MQTT) says so.
    if (row.direction == TraceDirection::Received)
        return QStringLiteral("RX");
    return row.remote ? QStringLiteral("TX remote") : QStringLiteral("TX");
}

QString CFrameLog::RowText(const Row& row) {
    return QStringLiteral("%1\t%2\t%3\t%4")
        .arg(row.timeMs)
        .arg(DirectionText(row), row.link, row.text);
}

} // namespace Korvane
