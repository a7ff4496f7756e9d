#include "core/serial_cars/balance_model.h"

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
    // The newest reply only: a "$" inside means an earlier frame lost its tail, and its values
    // would be read as this one's.
    const qsizetype start = frame.lastIndexOf('$');
    const QByteArray text = start > 0 ? frame.mid(start) : frame;
    for (const auto& t : kTags) {
        QByteArray value;
        if (!TagValue(text, t.tag, t.terminator, &value))
            break;
        reply.text[reply.count] = value;
        reply.position[reply.count] = GainPosition(value);
        ++reply.count;
    }
    return reply;
}

void CSampleHistory::Fill(double v) {
    std::fill(m_data.begin(), m_data.end(), v);
    m_oldest = 0;
}

void CSampleHistory::SetLength(size_t length) {
    std::vector<double> data(length, 0.0);
    const size_t keep = std::min(length, m_data.size());
    for (size_t i = 0; i < keep; ++i)
        data[length - keep + i] = (*this)[m_data.size() - keep + i];
    m_data.swap(data);
    m_oldest = 0;
}

void ReduceMinMax(const CSampleHistory& history, size_t first, size_t last, int columns,
                  QList<QPointF>* out) {
    out->clear();
    if (history.size() == 0 || first > last || first >= history.size())
        return;
    last = std::min(last, history.size() - 1);
    const size_t count = last - first + 1;
    if (columns < 1 || count <= size_t(columns) * 2) {
        out->reserve(qsizetype(count));
        for (size_t i = first; i <= last; ++i)
            if (!std::isnan(history[i]))
                out->append(QPointF(double(i), history[i]));
        return;
    }
    out->reserve(qsizetype(columns) * 2);
    for (int c = 0; c < columns; ++c) {
        const size_t from = first + count * size_t(c) / size_t(columns);
        const size_t to = first + count * size_t(c + 1) / size_t(columns); // exclusive
        size_t lo = to, hi = to; // none yet: the column may hold only gaps
        for (size_t i = from; i < to; ++i) {
            if (std::isnan(history[i]))
                continue;
            if (lo == to || history[i] < history[lo])
                lo = i;
            if (hi == to || history[i] > history[hi])
                hi = i;
        }
        if (lo == to)
            continue;
        const size_t a = std::min(lo, hi), b = std::max(lo, hi);
        out->append(QPointF(double(a), history[a]));
        if (b != a)
            out->append(QPointF(double(b), history[b]));
    }
}

BalanceTelemetryRecord ParseBalanceTelemetry(const QByteArray& frame, qint64 arrivalNs) {
    BalanceTelemetryRecord r;
    r.arrivalNs = arrivalNs;
    // The newest frame only: a "$" inside means an earlier frame lost its tail.
    const qsizetype start = frame.lastIndexOf('$');
    const QByteArray text = start > 0 ? frame.mid(start) : frame;
    const struct {
        const char* tag;
        char terminator;
        std::optional<QByteArray>* field;
    } steps[] = {{"LV", ',', &r.leftSpeed},    {"RV", ',', &r.rightSpeed},
                 {"AC", ',', &r.acceleration}, {"GY", ',', &r.gyroscope},
                 {"CSB", ',', &r.distance},    {"VT", '#', &r.voltage}};
    for (const auto& step : steps) {
        QByteArray value;
        if (!TagValue(text, step.tag, step.terminator, &value))
            break; // a missing tag ends the reading; the fields before it were carried
        *step.field = value;
    }
    return r;
}

void CBalanceTelemetry::Apply(const BalanceTelemetryRecord& r) {
    const struct {
        const std::optional<QByteArray>& field;
        QByteArray* text;
        History* history; // null: text only
    } fields[] = {{r.leftSpeed, &leftSpeed, nullptr},
                  {r.rightSpeed, &rightSpeed, nullptr},
                  {r.acceleration, &acceleration, &accelerationHistory},
                  {r.gyroscope, &gyroscope, &gyroscopeHistory},
                  {r.distance, &distance, nullptr},
                  {r.voltage, &voltage, &voltageHistory}};
    for (const auto& f : fields) {
        if (f.field)
            *f.text = *f.field;
        if (f.history)
            f.history->Push(f.field ? LeadingDouble(*f.field) : std::nan(""));
    }
}

BalanceTelemetryRecord CBalanceTelemetry::Parse(const QByteArray& frame, qint64 arrivalNs) {
    BalanceTelemetryRecord r = ParseBalanceTelemetry(frame, arrivalNs);
    Apply(r);
    return r;
}

std::pair<double, double> FitAxisRange(double lo, double hi) {
    // A pair like -1e308 and 1e308 would make the span overflow: keep the range where every
    // step of the fit stays finite.
    constexpr double kLimit = 1e300;
    lo = std::clamp(lo, -kLimit, kLimit);
    hi = std::clamp(hi, -kLimit, kLimit);
    // A flat or nearly flat line gets room around it, relative to its magnitude: the same
    // widening in absolute terms would vanish in the rounding of large values.
    const double magnitude = std::max(std::abs(lo), std::abs(hi));
    if (hi - lo <= std::max(1e-9, magnitude * 1e-9)) {
        const double room = std::max(1.0, magnitude * 1e-6);
        lo -= room;
        hi += room;
    }
    // Round the range out to whole steps so that it changes rarely: a new range lays the
    // whole chart out again, which costs more than the points themselves.
    const double step = std::pow(10.0, std::floor(std::log10(hi - lo))) / 2;
    const double niceLo = std::floor(lo / step) * step;
    const double niceHi = std::ceil(hi / step) * step;
    if (!std::isfinite(niceLo) || !std::isfinite(niceHi) || !(niceLo < niceHi))
        return {lo, hi}; // the rounding lost what the room gave: the plain range
    return {niceLo, niceHi};
}

void CBalanceTelemetry::Clear() {
    gyroscopeHistory.Fill(0.0);
    accelerationHistory.Fill(0.0);
    voltageHistory.Fill(0.0);
}

void CBalanceTelemetry::SetHistoryLength(size_t length) {
    length = std::clamp<size_t>(length, 1, kMaxSamples);
    for (History* h : {&gyroscopeHistory, &accelerationHistory, &voltageHistory})
        h->SetLength(length);
}

CBalanceCarModel::CBalanceCarModel(QObject* parent) : CPanelModel(parent) {
    using namespace BalanceField;
    for (int f : {AngleP, AngleD, SpeedP, SpeedI})
        Initialise(f, 0);
    for (int f : {DragUpdates, PlotAcceleration, PlotGyroscope, PlotVoltage, DisplayOpen})
        Initialise(f, false);
    for (int f : {LeftSpeed, RightSpeed, Distance, Voltage, Gyroscope, Acceleration})
        Initialise(f, QString());
    m_replyTimer.setInterval(kReplyTickMs);
    connect(&m_replyTimer, &QTimer::timeout, this, &CBalanceCarModel::OnReplyTick);
}

void CBalanceCarModel::ExpectPidReply() {
    m_replyWatch.Start();
    m_replyTimer.start();
}

void CBalanceCarModel::OnReplyTick() {
    switch (m_replyWatch.OnTick()) {
    case CReplyWatch::Tick::KeepRunning:
        break;
    case CReplyWatch::Tick::Stop:
        m_replyTimer.stop();
        break;
    case CReplyWatch::Tick::Timeout:
        m_replyTimer.stop();
        emit pidReplyMissing();
        break;
    }
}

BalanceTelemetryRecord CBalanceCarModel::ApplyTelemetry(const QByteArray& frame, qint64 arrivalNs) {
    using namespace BalanceField;
    const BalanceTelemetryRecord r = m_telemetry.Parse(frame, arrivalNs);
    const struct {
        const std::optional<QByteArray>& value;
        int field;
    } texts[] = {{r.leftSpeed, LeftSpeed}, {r.rightSpeed, RightSpeed},
                 {r.distance, Distance},   {r.voltage, Voltage},
                 {r.gyroscope, Gyroscope}, {r.acceleration, Acceleration}};
    for (const auto& t : texts)
        if (t.value)
            Set(t.field, QString::fromLatin1(*t.value));
    // Every telemetry frame read is a row, with what that frame carried.
    if (m_recorder.IsRecording())
        m_recorder.AddRow(r);
    return r;
}

int CBalanceCarModel::ApplyPidReply(const QByteArray& frame) {
    m_replyTimer.stop();
    m_replyWatch.OnReply();
    const PidReply reply = ParsePidReply(frame);
    for (int g = 0; g < reply.count; ++g)
        Set(BalanceField::AngleP + g, reply.position[g]);
    if (reply.count > 0)
        NoteGainsInForce(); // what the car says it runs with
    return reply.count;
}

QString CBalanceCarModel::GainsNow() const {
    using namespace BalanceField;
    return QStringLiteral("AP=%1 AD=%2 VP=%3 VI=%4")
        .arg(GainText(Number(AngleP)), GainText(Number(AngleD)), GainText(Number(SpeedP)),
             GainText(Number(SpeedI)));
}

QString CBalanceCarModel::GainsInForce() const {
    return m_gainsKnown ? GainsNow() : QString();
}

void CBalanceCarModel::NoteGainsInForce() {
    m_gainsKnown = true;
    m_recorder.SetGains(GainsNow());
}

void CBalanceCarModel::OnCommandSent(const QByteArray& frame) {
    using namespace BalanceField;
    if (frame == AngleUpdateFrame(GainText(Number(AngleP)), GainText(Number(AngleD))) ||
        frame == SpeedUpdateFrame(GainText(Number(SpeedP)), GainText(Number(SpeedI))))
        NoteGainsInForce();
}

bool CBalanceCarModel::StartRecording(const QString& path, QString* error) {
    if (!m_recorder.Start(path, error))
        return false;
    if (m_gainsKnown) // until a query or an update, they are unknown
        m_recorder.SetGains(GainsNow());
    return true;
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
