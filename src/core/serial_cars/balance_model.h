#pragma once

#include "core/link/numbers.h"
#include "core/panels/panel_model.h"
#include "core/serial_cars/telemetry_recorder.h"

#include <QByteArray>
#include <QString>
#include <QTimer>

#include <QList>
#include <QPointF>

#include <array>
#include <optional>
#include <utility>
#include <vector>

namespace Korvane {

// Frames of the balance car panel.
namespace BalanceFrames {
inline constexpr char kQueryPid[] = "$0,0,1,0,0,0,0,0,0,0#";
inline constexpr char kDefaultPid[] = "$0,0,2,0,0,0,0,0,0,0#";
inline constexpr char kWaveOn[] = "$0,0,0,1,0,0,0,0,0,0#";
inline constexpr char kWaveOff[] = "$0,0,0,2,0,0,0,0,0,0#";
} // namespace BalanceFrames

// Gains live in sliders as positions 0 to 10000; the gain is position / 100.
constexpr int kGainPositionMax = 10000;

// "%3.2f" of position / 100: 1234 -> "12.34", 5 -> "0.05".
QString GainText(int position);
// A received gain text as a slider position: value x 100, truncated, limited to 0..10000.
int GainPosition(const QByteArray& valueText);

// "$0,0,0,0,1,0,AP<p>,AD<d>,VP0,VI0#" and its speed-loop mirror "…,AP0,AD0,VP<p>,VI<i>#".
QByteArray AngleUpdateFrame(const QString& pText, const QString& dText);
QByteArray SpeedUpdateFrame(const QString& pText, const QString& iText);

// The value text after the first occurrence of tag, up to the first terminator after it.
// Returns false when the tag or its terminator is missing.
bool TagValue(const QByteArray& frame, const char* tag, char terminator, QByteArray* value);

// A PID reply "…AP<v>,…AD<v>,…VP<v>,…VI<v>#": the tags are taken in this order and parsing
// stops at the first one that is missing. A frame that swallowed the start of an earlier one
// (its "#" lost) is read from its last "$".
struct PidReply {
    int count = 0;                    // how many gains were taken (0 to 4)
    std::array<QByteArray, 4> text;   // received value texts: angle P, angle D, speed P, speed I
    std::array<int, 4> position = {}; // slider positions
};
PidReply ParsePidReply(const QByteArray& frame);

// One telemetry frame "LV<l>,RV<r>,AC<a>,GY<g>,CSB<d>,VT<v>#" as the fields it carried, with
// its arrival time. The tags are read in that order and a missing one ends the reading, so a
// frame cut short carries only the fields before the cut. Where a frame lost its tail and the
// next one was glued to it ("$LV1,RV2$LV3,...#"), only the newest frame, after the last "$",
// is read: a record never mixes two frames.
struct BalanceTelemetryRecord {
    qint64 arrivalNs = 0;
    std::optional<QByteArray> leftSpeed, rightSpeed, acceleration, gyroscope, distance, voltage;
};
BalanceTelemetryRecord ParseBalanceTelemetry(const QByteArray& frame, qint64 arrivalNs = 0);

// The newest samples of one value, oldest first: a ring of a chosen length (500 unless the
// user picks a longer history), filled with zeros at the start. A NaN sample is a gap: the
// frame of that sample did not carry the value.
class CSampleHistory {
  public:
    explicit CSampleHistory(size_t length = 500) : m_data(length, 0.0) {}

    void Push(double v) {
        if (m_data.empty())
            return;
        m_data[m_oldest] = v;
        m_oldest = (m_oldest + 1) % m_data.size();
    }
    // Every sample to v.
    void Fill(double v);
    // A new length: the newest samples stay (as many as fit), zeros before them.
    void SetLength(size_t length);

    size_t size() const { return m_data.size(); }
    // Sample i, 0 the oldest and size() - 1 the newest.
    double operator[](size_t i) const { return m_data[(m_oldest + i) % m_data.size()]; }
    double back() const { return (*this)[m_data.size() - 1]; }

  private:
    std::vector<double> m_data;
    size_t m_oldest = 0;
};

// Reduces samples first..last (inclusive) of a history to at most two points per pixel
// column, the smallest and the largest of the samples that fall in it (in the order they
// came), so that a long history draws fast and a single spike is still drawn. With no more
// samples than two per column every sample is a point. x is the sample index. Gaps (NaN) are
// left out.
void ReduceMinMax(const CSampleHistory& history, size_t first, size_t last, int columns,
                  QList<QPointF>* out);

// The value axis's range for samples from lo to hi (finite, lo <= hi): rounded out to whole
// steps so that it changes rarely, always finite with the lower end below the upper, however
// large the values or however close together (a constant 1e17 is widened relative to its
// magnitude, where adding 1 would change nothing).
std::pair<double, double> FitAxisRange(double lo, double hi);

// The telemetry the panel keeps: the newest text of each field and three histories (500
// samples unless the user picks a longer one; oldest at 0). Every telemetry frame advances
// the three histories together; a value the frame did not carry is a gap.
class CBalanceTelemetry {
  public:
    static constexpr int kSamples = 500;
    static constexpr int kMaxSamples = 100000;
    using History = CSampleHistory;

    CBalanceTelemetry() { Clear(); }

    // Takes one frame's record: the fields it carried replace their texts; AC, GY and VT
    // push one sample each (a gap where the frame did not carry the value).
    void Apply(const BalanceTelemetryRecord& record);
    // ParseBalanceTelemetry, then Apply; returns the record.
    BalanceTelemetryRecord Parse(const QByteArray& frame, qint64 arrivalNs = 0);
    // Sets every sample of the three histories to 0.
    void Clear();
    // The histories' length, 1 to kMaxSamples; the newest samples stay.
    void SetHistoryLength(size_t length);
    size_t HistoryLength() const { return gyroscopeHistory.size(); }

    QByteArray leftSpeed, rightSpeed, acceleration, gyroscope, distance, voltage;
    History gyroscopeHistory{kSamples}, accelerationHistory{kSamples}, voltageHistory{kSamples};
};

namespace BalanceField {
enum : int {
    AngleP, // gain positions 0 to 10000 (gain x 100): the sliders, and what the car replies
    AngleD,
    SpeedP,
    SpeedI,
    DragUpdates, // bool choices of the user
    PlotAcceleration,
    PlotGyroscope,
    PlotVoltage,
    DisplayOpen,
    LeftSpeed, // the newest telemetry texts, as the car sent them
    RightSpeed,
    Distance,
    Voltage,
    Gyroscope,
    Acceleration,
};
} // namespace BalanceField

// The reply timer's logic: started by a query, ticked every 500 ms; after 10 ticks without a
// reply it reports a timeout once.
class CReplyWatch {
  public:
    enum class Tick { KeepRunning, Stop, Timeout };
    static constexpr int kTimeoutTicks = 10;

    void Start() {
        m_count = 0;
        m_replied = false;
    }
    void OnReply() { m_replied = true; }
    Tick OnTick();
    int Count() const { return m_count; }

  private:
    int m_count = 0;
    bool m_replied = false;
};

// The balance car panel's state (see CPanelModel): the gains, the user's choices, the newest
// telemetry texts and the waveform histories.
class CBalanceCarModel : public CPanelModel {
    Q_OBJECT
  public:
    explicit CBalanceCarModel(QObject* parent = nullptr);

    // One telemetry frame: its record (what it carried) goes to the texts and the histories.
    BalanceTelemetryRecord ApplyTelemetry(const QByteArray& frame, qint64 arrivalNs);
    // A PID reply: the gains it carried, in order; returns how many.
    int ApplyPidReply(const QByteArray& frame);

    const CBalanceTelemetry& Telemetry() const { return m_telemetry; }
    CBalanceTelemetry& Telemetry() { return m_telemetry; }

    // The gains the car runs with, as far as the station knows: those it replied with, or
    // those last sent to it ("AP=25.00 AD=3.30 VP=3.00 VI=0.10"); empty before either.
    QString GainsInForce() const;
    // An update of the gains that went out puts them in force.
    void OnCommandSent(const QByteArray& frame) override;

    // The telemetry recording: every telemetry frame read while it runs is a row, and the gains
    // in force are written whenever they change. Whoever starts it tells the user.
    CTelemetryRecorder& Recorder() { return m_recorder; }
    bool StartRecording(const QString& path, QString* error);

    // The wait for the car's PID reply after the user asked for it (whether or not the query
    // went out): a tick every 500 ms, and ten ticks without a reply are told once by
    // pidReplyMissing. A PID reply ends the wait.
    void ExpectPidReply();
    bool AwaitingPidReply() const { return m_replyTimer.isActive(); }
    // The tick; tests shorten it instead of waiting five seconds.
    void SetReplyTickMs(int ms) { m_replyTimer.setInterval(ms); }
    static constexpr int kReplyTickMs = 500;

  signals:
    void pidReplyMissing();

  private:
    void OnReplyTick();

    void NoteGainsInForce();
    QString GainsNow() const;

    CBalanceTelemetry m_telemetry;
    CTelemetryRecorder m_recorder;
    bool m_gainsKnown = false;
    CReplyWatch m_replyWatch;
    QTimer m_replyTimer;
};

} // namespace Korvane
