// Balance car frames, PID reply and telemetry parsing, the reply timer's logic, and the
// simulated car's physics.
#include "balance_car.h"
#include "core/serial_cars/balance_model.h"

#include <QSignalSpy>
#include <QTest>

#include <cmath>
#include <limits>

using namespace Korvane;

class TestBalanceModel : public QObject {
    Q_OBJECT
  private slots:
    void gainTextsAndPositions() {
        QCOMPARE(GainText(1234), QStringLiteral("12.34"));
        QCOMPARE(GainText(5), QStringLiteral("0.05"));
        QCOMPARE(GainText(10000), QStringLiteral("100.00"));
        QCOMPARE(GainPosition("0.29"), 28); // 0.29 * 100 is just below 29
        QCOMPARE(GainPosition("150"), 10000);
        QCOMPARE(GainPosition("12.345"), 1234);
        QCOMPARE(GainPosition("-3"), 0);
        QCOMPARE(GainPosition("abc"), 0);
        QCOMPARE(GainPosition(" 7.5x"), 750);
        QCOMPARE(GainPosition("1e300"), 10000);
        QCOMPARE(GainPosition("nan"), 0);
        QCOMPARE(GainPosition(""), 0);
    }

    void updateFrames() {
        const QByteArray angle = AngleUpdateFrame(GainText(1234), GainText(50));
        QCOMPARE(angle, QByteArray("$0,0,0,0,1,0,AP12.34,AD0.50,VP0,VI0#"));
        QCOMPARE(angle.size(), 36);
        QCOMPARE(SpeedUpdateFrame(GainText(300), GainText(10)),
                 QByteArray("$0,0,0,0,1,0,AP0,AD0,VP3.00,VI0.10#"));
    }

    void pidReplyStopsAtTheFirstMissingTag() {
        PidReply r = ParsePidReply("$AP25.00,AD3.30,VP3.00,VI0.10#");
        QCOMPARE(r.count, 4);
        QCOMPARE(r.position, (std::array<int, 4>{2500, 330, 300, 10}));
        QCOMPARE(r.text[3], QByteArray("0.10"));

        r = ParsePidReply("$AP1.00,AD2.00,VX3,VI4#");
        QCOMPARE(r.count, 2);
        r = ParsePidReply("$AD2.00,AP1.00,VP3,VI4"); // VI without "#" after it
        QCOMPARE(r.count, 3);
        QCOMPARE(r.position[0], 100);
        r = ParsePidReply("$AP0.29#");
        QCOMPARE(r.count, 0); // no "," after AP
        // An earlier reply lost its "#": only the newest is read, none of the old values.
        r = ParsePidReply("$AP25.00,AD3.30,VP3.$AP26.00,AD3.40,VP3.10,VI0.20#");
        QCOMPARE(r.count, 4);
        QCOMPARE(r.position, (std::array<int, 4>{2600, 340, 310, 20}));
        QCOMPARE(r.text[2], QByteArray("3.10"));
        r = ParsePidReply("$LV1,RV2,AC3,GY4,C$AP1.00,AD2.00,VP3.00,VI4.00#");
        QCOMPARE(r.count, 4);
        QCOMPARE(r.position[0], 100);
    }

    void telemetryParsing() {
        CBalanceTelemetry t;
        t.Parse("$LV12,RV-3,AC0.05,GY-1.50,CSB88,VT7.90#");
        QCOMPARE(t.leftSpeed, QByteArray("12"));
        QCOMPARE(t.rightSpeed, QByteArray("-3"));
        QCOMPARE(t.distance, QByteArray("88"));
        QCOMPARE(t.voltage, QByteArray("7.90"));
        QCOMPARE(t.gyroscopeHistory.back(), -1.5);
        QCOMPARE(t.accelerationHistory.back(), 0.05);
        QCOMPARE(t.voltageHistory.back(), 7.9);

        // Without CSB: speeds, acceleration and gyroscope, not distance or voltage.
        t.Parse("$LV1,RV2,AC0.10,GY2.00,VT5.00#");
        QCOMPARE(t.leftSpeed, QByteArray("1"));
        QCOMPARE(t.gyroscope, QByteArray("2.00"));
        QCOMPARE(t.distance, QByteArray("88"));
        QCOMPARE(t.voltage, QByteArray("7.90"));
        QCOMPARE(t.gyroscopeHistory[498], -1.5);
        QCOMPARE(t.gyroscopeHistory[499], 2.0);
        // The three waveforms move on together: a gap where the frame carried no voltage.
        QCOMPARE(t.voltageHistory[498], 7.9);
        QVERIFY(std::isnan(t.voltageHistory[499]));

        // Without GY: the acceleration's sample, gaps for the rest.
        const BalanceTelemetryRecord r = t.Parse("$LV5,RV6,AC0.20,CSB1,VT1#", 42);
        QCOMPARE(r.arrivalNs, 42);
        QVERIFY(r.leftSpeed && r.rightSpeed && r.acceleration);
        QVERIFY(!r.gyroscope && !r.distance && !r.voltage);
        QCOMPARE(t.accelerationHistory[499], 0.2);
        QVERIFY(std::isnan(t.gyroscopeHistory[499]));
        QCOMPARE(t.gyroscopeHistory[498], 2.0);
        QCOMPARE(t.distance, QByteArray("88"));

        // A gap is left out of the reduced waveform, in both of its ways.
        QList<QPointF> points;
        ReduceMinMax(t.gyroscopeHistory, 490, 499, 100, &points);
        QCOMPARE(points.size(), 9);
        QCOMPARE(points.last(), QPointF(498, 2.0));
        ReduceMinMax(t.gyroscopeHistory, 0, 499, 2, &points);
        for (const QPointF& p : points)
            QVERIFY(!std::isnan(p.y()));
    }

    void theAxisFitsEveryConstantAndPair() {
        // A constant line of any magnitude and sign, and pairs of any spread: a finite range,
        // the lower end below the upper, and the values inside it (as far as they are within
        // the axis's limit of 1e300).
        QList<double> values = {0.0};
        for (double m = 1e-300; m < 1e308; m *= 10)
            values << m << -m;
        values << 1e308 << -1e308 << 1e17 + 16 << std::numeric_limits<double>::max()
               << std::numeric_limits<double>::lowest();
        for (double v : values) {
            const auto [lo, hi] = FitAxisRange(v, v);
            QVERIFY2(std::isfinite(lo) && std::isfinite(hi) && lo < hi,
                     qPrintable(QString::number(v)));
            const double shown = std::clamp(v, -1e300, 1e300);
            QVERIFY2(lo <= shown && shown <= hi, qPrintable(QString::number(v)));
        }
        for (double a : {1e17, -1e17, 1e308, 0.0})
            for (double b : {1e17 + 16, 1e308, -1e308, 1e-300}) {
                const double lo = std::min(a, b), hi = std::max(a, b);
                const auto [fitLo, fitHi] = FitAxisRange(lo, hi);
                QVERIFY(std::isfinite(fitLo) && std::isfinite(fitHi) && fitLo < fitHi);
            }
        // Ordinary values are rounded out to whole steps.
        QCOMPARE(FitAxisRange(0.3, 7.9), (std::pair<double, double>{0.0, 8.0}));
        QCOMPARE(FitAxisRange(3, 3), (std::pair<double, double>{2.0, 4.0}));
    }

    void numbersFromDevicesAreAlwaysSane() {
        const struct {
            const char* text;
            double value;
        } doubles[] = {{"7.80", 7.8},    {" -1.5x", -1.5}, {"+2", 2.0},     {"", 0.0},
                       {"abc", 0.0},     {"inf", 0.0},     {"-inf", 0.0},   {"nan", 0.0},
                       {"NAN", 0.0},     {"1e999", 0.0},   {"-1e999", 0.0}, {"1e308", 1e308},
                       {"infinity", 0.0}};
        for (const auto& d : doubles)
            QCOMPARE(LeadingDouble(d.text), d.value);

        const struct {
            const char* text;
            int value;
        } ints[] = {{"42", 42},
                    {" -7,", -7},
                    {"x", 0},
                    {"", 0},
                    {"2147483647", 2147483647},
                    {"2147483648", 2147483647},
                    {"4294967299", 2147483647}, // glibc atoi would give 3
                    {"-2147483648", -2147483647 - 1},
                    {"-99999999999999999999999", -2147483647 - 1},
                    {"+12abc", 12}};
        for (const auto& i : ints)
            QCOMPARE(SaturatingInt(i.text), i.value);

        // A telemetry value that is not a finite number plots as 0; its text is kept.
        CBalanceTelemetry t;
        t.Parse("$LV0,RV0,ACnan,GYinf,CSB0,VT-1e999#");
        QCOMPARE(t.gyroscope, QByteArray("inf"));
        QCOMPARE(t.gyroscopeHistory.back(), 0.0);
        QCOMPARE(t.accelerationHistory.back(), 0.0);
        QCOMPARE(t.voltageHistory.back(), 0.0);
    }

    void historiesShiftOneSamplePerFrame() {
        CBalanceTelemetry t;
        for (int i = 1; i <= 501; ++i)
            t.Parse("$LV0,RV0,AC0,GY" + QByteArray::number(i) + ",CSB0,VT0#");
        QCOMPARE(t.gyroscopeHistory[0], 2.0); // sample 1 was pushed out
        QCOMPARE(t.gyroscopeHistory[499], 501.0);
        t.Clear();
        for (size_t i = 0; i < t.gyroscopeHistory.size(); ++i)
            QCOMPARE(t.gyroscopeHistory[i], 0.0);
    }

    void longerHistoriesKeepTheNewestSamples() {
        CBalanceTelemetry t;
        for (int i = 1; i <= 600; ++i)
            t.Parse("$LV0,RV0,AC0,GY" + QByteArray::number(i) + ",CSB0,VT0#");
        t.SetHistoryLength(100000);
        QCOMPARE(t.HistoryLength(), size_t(100000));
        QCOMPARE(t.gyroscopeHistory[99999], 600.0);
        QCOMPARE(t.gyroscopeHistory[99500], 101.0); // the 500 it had, zeros before them
        QCOMPARE(t.gyroscopeHistory[99499], 0.0);
        t.Parse("$LV0,RV0,AC0,GY7,CSB0,VT0#");
        QCOMPARE(t.gyroscopeHistory.back(), 7.0);
        QCOMPARE(t.gyroscopeHistory[99998], 600.0);
        t.SetHistoryLength(3);
        QCOMPARE(t.gyroscopeHistory[0], 599.0);
        QCOMPARE(t.gyroscopeHistory[2], 7.0);
        t.SetHistoryLength(0); // at least one sample
        QCOMPARE(t.HistoryLength(), size_t(1));
        t.SetHistoryLength(1'000'000);
        QCOMPARE(t.HistoryLength(), size_t(CBalanceTelemetry::kMaxSamples));
    }

    void theReductionKeepsEveryColumnsExtremes() {
        // 100 000 samples of a slow wave with one spike up and one down: reduced to 500
        // columns, both spikes are still drawn and no column loses its extremes.
        CSampleHistory h(100000);
        for (int i = 0; i < 100000; ++i)
            h.Push(std::sin(i / 1000.0));
        QList<QPointF> pts;
        ReduceMinMax(h, 0, 99999, 500, &pts);
        QVERIFY(pts.size() <= 1000);
        QVERIFY(pts.size() >= 500);
        CSampleHistory wave(100000);
        for (int i = 0; i < 100000; ++i)
            wave.Push(i == 54321 ? 1000.0 : i == 77777 ? -1000.0 : std::sin(i / 1000.0));
        ReduceMinMax(wave, 0, 99999, 500, &pts);
        double top = -1e9, bottom = 1e9;
        for (const QPointF& p : pts) {
            top = std::max(top, p.y());
            bottom = std::min(bottom, p.y());
        }
        QCOMPARE(top, 1000.0);
        QCOMPARE(bottom, -1000.0);
        bool at = false;
        for (const QPointF& p : pts)
            at = at || (p.x() == 54321.0 && p.y() == 1000.0);
        QVERIFY(at);
        // Points come in sample order.
        for (qsizetype i = 1; i < pts.size(); ++i)
            QVERIFY(pts[i - 1].x() < pts[i].x());
        // A zoomed view: only its samples; few samples: every one of them.
        ReduceMinMax(wave, 54300, 54340, 500, &pts);
        QCOMPARE(pts.size(), 41);
        QCOMPARE(pts.first().x(), 54300.0);
        QCOMPARE(pts[21].y(), 1000.0);
        ReduceMinMax(wave, 10, 5, 500, &pts);
        QVERIFY(pts.isEmpty());
    }

    void replyWatch() {
        CReplyWatch w;
        w.Start();
        for (int i = 1; i < CReplyWatch::kTimeoutTicks; ++i)
            QCOMPARE(w.OnTick(), CReplyWatch::Tick::KeepRunning);
        QCOMPARE(w.OnTick(), CReplyWatch::Tick::Timeout);
        // A second query times out again: the count starts over.
        w.Start();
        for (int i = 1; i < CReplyWatch::kTimeoutTicks; ++i)
            QCOMPARE(w.OnTick(), CReplyWatch::Tick::KeepRunning);
        QCOMPARE(w.OnTick(), CReplyWatch::Tick::Timeout);
        // A reply stops it at the next tick; the mark does not leak into the next query.
        w.Start();
        w.OnTick();
        w.OnReply();
        QCOMPARE(w.OnTick(), CReplyWatch::Tick::Stop);
        w.Start();
        QCOMPARE(w.OnTick(), CReplyWatch::Tick::KeepRunning);
    }

    void theModelWaitsForThePidReplyWithoutAPanel() {
        CBalanceCarModel model;
        model.SetReplyTickMs(1);
        QSignalSpy missing(&model, &CBalanceCarModel::pidReplyMissing);
        model.ExpectPidReply();
        QVERIFY(model.AwaitingPidReply());
        QVERIFY(missing.wait(5000));
        QCOMPARE(missing.size(), 1);
        QVERIFY(!model.AwaitingPidReply()); // told once, then the wait is over
        // A reply ends the wait: nothing is missing, and the gains it carried are the model's.
        model.ExpectPidReply();
        QCOMPARE(model.ApplyPidReply("$AP25.00,AD3.30,VP3.00,VI0.10#"), 4);
        QVERIFY(!model.AwaitingPidReply());
        QCOMPARE(model.Number(BalanceField::AngleP), 2500);
        QCOMPARE(model.GainsInForce(), QStringLiteral("AP=25.00 AD=3.30 VP=3.00 VI=0.10"));
        // Another wait, long enough for a timeout, confirms the reply left nothing running.
        model.ExpectPidReply();
        QVERIFY(missing.wait(5000));
        QCOMPARE(missing.size(), 2);
    }

    void simulatedCarBalancesWithGoodGainsOnly() {
        auto maxTilt = [](KorvaneSim::BalanceCar& car, double seconds) {
            double worst = 0;
            for (double t = 0; t < seconds; t += 0.01) {
                car.Simulate(0.01);
                worst = std::max(worst, std::abs(car.TiltDegrees()));
            }
            return worst;
        };
        KorvaneSim::BalanceCar good;
        good.Simulate(5);
        QVERIFY(!good.Fallen());
        QVERIFY(maxTilt(good, 3) < 2.0);

        KorvaneSim::BalanceCar weak; // angle P too small to hold it up
        weak.OnFrame("$0,0,0,0,1,0,AP8.00,AD0,VP0,VI0#");
        QCOMPARE(weak.CurrentGains().ap, 8.0);
        QCOMPARE(weak.CurrentGains().ad, 3.3); // 0 leaves a gain as it is
        bool fell = false;
        for (int i = 0; i < 300 && !fell; ++i) {
            weak.Simulate(0.01);
            fell = weak.Fallen();
        }
        QVERIFY(fell);

        KorvaneSim::BalanceCar undamped; // no angle D: it swings
        undamped.OnFrame("$0,0,0,0,1,0,AP25.00,AD0.01,VP0,VI0#");
        undamped.Simulate(5);
        QVERIFY(maxTilt(undamped, 3) > 5.0);

        good.OnFrame("$0,0,2,0,0,0,0,0,0,0#");
        QCOMPARE(good.CurrentGains().ap, 25.0);
    }
};

QTEST_GUILESS_MAIN(TestBalanceModel)
#include "test_balance_model.moc"
