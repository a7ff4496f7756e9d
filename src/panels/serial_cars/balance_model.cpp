#include "balance_model.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>

namespace Korvane {

QString GainText(int position) {
    return QString::asprintf("%3.2f", position / 100.0);
}

int GainPosition(const QByteArray& valueText) {
    const double scaled = LeadingDouble(valueText) * 100.0;
    if (!(scaled > 0.0))
        return 0;
    if (scaled >= kGainPositionMax)
        return kGainPositionMax;
    return int(scaled); // truncation toward zero: 0.29 gives 28
}

QByteArray AngleUpdateFrame(const QString& pText, const QString& dText) {
    return "$0,0,0,0,1,0,AP" + pText.toLatin1() + ",AD" + dText.toLatin1() + ",VP0,VI0#";
}

QByteArray SpeedUpdateFrame(const QString& pText, const QString& iText) {
    return "$0,0,0,0,1,0,AP0,AD0,VP" + pText.toLatin1() + ",VI" + iText.toLatin1() + "#";
}

bool TagValue(const QByteArray& frame, const char* tag, char terminator, QByteArray* value) {
    const qsizetype at = frame.indexOf(tag);
    if (at < 0)
        return false;
    const qsizetype from = at + qsizetype(std::strlen(tag));
    const qsizetype end = frame.indexOf(terminator, from);
    if (end < 0)
        return false;
    *value = frame.mid(from, end - from);
    return true;
}

PidReply ParsePidReply(const QByteArray& frame) {
    static const struct {
        const char* tag;
        char terminator;
    } kTags[4] = {{"AP", ','}, {"AD", ','}, {"VP", ','}, {"VI", '#'}};
    PidReply reply;
    for (const auto& t : kTags) {
        QByteArray value;
        if (!TagValue(frame, t.tag, t.terminator, &value))
            break;
        reply.text[reply.count] = value;
        reply.position[reply.count] = GainPosition(value);
        ++reply.count;
    }
    return reply;
}

namespace {
void Push(CBalanceTelemetry::History& h, double v) {
    std::copy(h.begin() + 1, h.end(), h.begin());
    h.back() = v;
}
} // namespace

void CBalanceTelemetry::Parse(const QByteArray& frame) {
    const struct {
        const char* tag;
        char terminator;
        QByteArray* text;
        History* history; // null: text only
    } steps[] = {{"LV", ',', &leftSpeed, nullptr},
                 {"RV", ',', &rightSpeed, nullptr},
                 {"AC", ',', &acceleration, &accelerationHistory},
                 {"GY", ',', &gyroscope, &gyroscopeHistory},
                 {"CSB", ',', &distance, nullptr},
                 {"VT", '#', &voltage, &voltageHistory}};
    for (const auto& step : steps) {
        QByteArray value;
        if (!TagValue(frame, step.tag, step.terminator, &value))
            return; // a missing tag ends the parsing; what came before stays applied
        *step.text = value;
        if (step.history)
            Push(*step.history, LeadingDouble(value));
    }
}

void CBalanceTelemetry::Clear() {
    gyroscopeHistory.fill(0.0);
    accelerationHistory.fill(0.0);
    voltageHistory.fill(0.0);
}

CReplyWatch::Tick CReplyWatch::OnTick() {
    ++m_count;
    if (m_replied) {
        m_replied = false;
        return Tick::Stop;
    }
    if (m_count == kTimeoutTicks)
        return Tick::Timeout;
    return Tick::KeepRunning;
}

} // namespace Korvane
