#pragma once

#include "../../link/numbers.h"

#include <QByteArray>
#include <QString>

#include <array>

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
// stops at the first one that is missing.
struct PidReply {
    int count = 0;                    // how many gains were taken (0 to 4)
    std::array<QByteArray, 4> text;   // received value texts: angle P, angle D, speed P, speed I
    std::array<int, 4> position = {}; // slider positions
};
PidReply ParsePidReply(const QByteArray& frame);

// The telemetry the panel keeps: the texts of the last frame and three 500-sample histories
// (oldest at 0, newest at 499).
class CBalanceTelemetry {
  public:
    static constexpr int kSamples = 500;
    using History = std::array<double, kSamples>;

    CBalanceTelemetry() { Clear(); }

    // Parses "LV<l>,RV<r>,AC<a>,GY<g>,CSB<d>,VT<v>#" in that order; a missing tag ends it.
    // Each of AC, GY and VT pushes one sample into its history.
    void Parse(const QByteArray& frame);
    // Sets every sample of the three histories to 0.
    void Clear();

    QByteArray leftSpeed, rightSpeed, acceleration, gyroscope, distance, voltage;
    History gyroscopeHistory{}, accelerationHistory{}, voltageHistory{};
};

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

} // namespace Korvane
