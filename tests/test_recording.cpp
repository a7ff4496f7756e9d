// Telemetry recording of the balance cars: the CSV file, the gains comment lines, flushing,
// and the panel's "Record" against the simulated car, unplugged in the middle.
#include "core/serial_cars/balance_model.h"
#include "core/serial_cars/telemetry_recorder.h"
#include "feed_transport.h"
#include "gui/common/control_ids.h"
#include "gui/common/message_seam.h"
#include "gui/serial_cars/balance_waveform_pane.h"
#include "gui/serial_cars/balence_form_view.h"
#include "gui/shell/main_frame.h"
#include "link_wait.h"
#include "sim_process.h"
#include "station_fixture.h"

#include <QAbstractButton>
#include <QFile>
#include <QLabel>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <cmath>

using namespace Korvane;

namespace {

QStringList Lines(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

} // namespace

class TestRecording : public QObject {
    Q_OBJECT
    const Korvane::CMessageSeam m_seam; // the messages and answers of this test program
    QStringList m_messages;

  private slots:
    void initTestCase() {
        SetMessageObserver([this](const QString& t) { m_messages << t; });
    }
    void init() { m_messages.clear(); }

    void theFileHoldsEveryRowAndTheGains() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("run.csv"));
        CTelemetryRecorder recorder;
        QString error;
        QVERIFY(recorder.Start(path, &error));
        const qint64 t0 = ArrivalClockNs();
        recorder.SetGains(QStringLiteral("AP=25.00 AD=3.30 VP=3.00 VI=0.10"));
        const auto full = ParseBalanceTelemetry("$LV12,RV-4,AC0.5,GY1.5,CSB30,VT7.9#", t0);
        recorder.AddRow(full);
        recorder.AddRow(ParseBalanceTelemetry("$LV12,RV-4,AC0.5,GY1.5,CSB30,VT7.9#",
                                              t0 + 1'500'000)); // 1.5 ms later
        recorder.SetGains(QStringLiteral("AP=20.00 AD=3.30 VP=3.00 VI=0.10"));
        const auto next = ParseBalanceTelemetry("$LV1,RV2,AC3,GY4,CSB5,VT6#", t0 + 2'000'000);
        recorder.AddRow(next);
        recorder.SetGains(QStringLiteral("AP=20.00 AD=3.30 VP=3.00 VI=0.10")); // no change
        recorder.AddRow(next);
        // A frame that arrived before the recording began is not part of it.
        recorder.AddRow(ParseBalanceTelemetry("$LV9,RV9,AC9,GY9,CSB9,VT9#", t0 - 1'000'000'000));
        // Written within the flush period, before the recording stops.
        QTRY_COMPARE_WITH_TIMEOUT(Lines(path).size(), 7, 2 * CTelemetryRecorder::kFlushMs);
        const QStringList lines = Lines(path);
        QCOMPARE(lines[0], QString::fromLatin1(CTelemetryRecorder::kHeader));
        QCOMPARE(lines[1], QStringLiteral("# gains AP=25.00 AD=3.30 VP=3.00 VI=0.10"));
        QVERIFY(lines[2].endsWith(QStringLiteral(",12,-4,0.5,1.5,30,7.9")));
        QCOMPARE(lines[4], QStringLiteral("# gains AP=20.00 AD=3.30 VP=3.00 VI=0.10"));
        QVERIFY(lines[5].endsWith(QStringLiteral(",1,2,3,4,5,6")));
        // The time column is each frame's arrival, in milliseconds with microseconds.
        auto timeOf = [](const QString& row) { return row.section(QLatin1Char(','), 0, 0); };
        QVERIFY(timeOf(lines[2]).contains(QLatin1Char('.')));
        const double first = timeOf(lines[2]).toDouble();
        QCOMPARE(timeOf(lines[3]).toDouble() - first, 1.5);
        QCOMPARE(timeOf(lines[5]).toDouble() - first, 2.0);
        QCOMPARE(recorder.Rows(), 4);
        recorder.Stop();
        QVERIFY(!recorder.IsRecording());
        // Cells are numbers as the car wrote them, or empty: never a comma or a quote.
        for (const char* number : {"7.9", "-0.34", "0", "12", ".5", "5.", "1e5", "-2.5E-3"})
            QCOMPARE(CTelemetryRecorder::NumberCell(number), QByteArray(number));
        QCOMPARE(CTelemetryRecorder::NumberCell("+5"), QByteArray("5"));
        for (const char* text : {"", "-", ".", "+", "1e", "1e+", "=1+1", "@A1", "-1+1", "1,5",
                                 "\t7", "7\r", "inf", "nan", "1e999", "0x10", "1 ", "\xC4\xE3"})
            QVERIFY2(CTelemetryRecorder::NumberCell(text).isEmpty(), text);
        // A file that cannot be written: a reason, no recording.
        QSignalSpy failed(&recorder, &CTelemetryRecorder::failed);
        QVERIFY(!recorder.Start(dir.filePath(QStringLiteral("no/such/dir/x.csv")), &error));
        QVERIFY(!error.isEmpty());
        QVERIFY(!recorder.IsRecording());
        // A full disk refuses the header: the reason once, as Start's answer.
        QVERIFY(!recorder.Start(QStringLiteral("/dev/full"), &error));
        QVERIFY2(error.contains(QStringLiteral("space"), Qt::CaseInsensitive), qPrintable(error));
        QCOMPARE(failed.count(), 0);
    }

    void rowsHoldWhatEachFrameCarried() {
        // A frame cut short, a lost tail glued to the next frame: each row has that frame's
        // fields, empty cells for the rest, never a value of another frame.
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("cut.csv"));
        CTelemetryRecorder recorder;
        QString error;
        QVERIFY(recorder.Start(path, &error));
        CBalanceTelemetry t;
        const qint64 now = ArrivalClockNs();
        for (const char* frame :
             {"$LV1,RV2,AC3,GY4,CSB5,VT6#", "$LV7,RV8,#", "$LV1,RV2,AC3$LV4,RV5,AC6,GY7,CSB8,VT9#",
              "$LVx,RV,AC,GY,CSB,VT#", "$LV=1+1,RV@A1,AC+5,GY-0.5e1,CSB=cmd|'/c calc'!A0,VT\t7#"})
            recorder.AddRow(t.Parse(frame, now));
        recorder.Stop();
        const QStringList lines = Lines(path);
        QCOMPARE(lines.size(), 6);
        // Numbers only: what is not a plain number (a formula for a spreadsheet, text) is an
        // empty cell.
        const QStringList cells = {QStringLiteral(",1,2,3,4,5,6"), QStringLiteral(",7,8,,,,"),
                                   QStringLiteral(",4,5,6,7,8,9"), QStringLiteral(",,,,,,"),
                                   QStringLiteral(",,,5,-0.5e1,,")};
        for (int i = 0; i < 5; ++i)
            QVERIFY2(lines[i + 1].endsWith(cells[i]), qPrintable(lines[i + 1]));
        // The panel's texts keep the newest value of each field; the three waveforms stay in
        // step, with a gap where a frame did not carry a value.
        // (The panel shows device text as it came, as plain text; only the file is numbers.)
        QCOMPARE(t.voltage, QByteArray("\t7"));
        QCOMPARE(t.distance, QByteArray("=cmd|'/c calc'!A0"));
        const size_t n = t.HistoryLength();
        QCOMPARE(t.voltageHistory[n - 5], 6.0);
        QVERIFY(std::isnan(t.voltageHistory[n - 4]));
        QVERIFY(std::isnan(t.gyroscopeHistory[n - 4]));
        QVERIFY(std::isnan(t.accelerationHistory[n - 4]));
        QCOMPARE(t.gyroscopeHistory[n - 3], 7.0);
        QCOMPARE(t.voltageHistory[n - 3], 9.0);
    }

    void typedTextIsNeverRecordedAsTheCarsValue() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("typed.csv"));
        SetSaveFileAnswer([&](const QString&) { return path; });
        StationOnPty station;
        QVERIFY(station.Start(8));
        auto* panel = qobject_cast<CBalenceFormView*>(station.frame->CurrentPanel());
        panel->Waveform()->RecordButton()->click();
        QTRY_VERIFY(panel->Model().Recorder().IsRecording()); // once the file is chosen
        auto* voltage = qobject_cast<QLineEdit*>(FindControl(panel, 1010));
        station.pty->Write("$LV1,RV2,AC3,GY4,CSB5,VT7.5#");
        QTRY_COMPARE(voltage->text(), QStringLiteral("7.5"));
        voltage->setText(QStringLiteral("999"));
        station.pty->Write("$LV1,RV2,AC3,GY4,CSB5,#"); // no voltage in this one
        QTRY_COMPARE(panel->Model().Recorder().Rows(), 2);
        panel->Waveform()->RecordButton()->click(); // stop
        const QStringList lines = Lines(path);
        QCOMPARE(lines.size(), 3);
        QVERIFY2(lines[2].endsWith(QStringLiteral(",1,2,3,4,5,")), qPrintable(lines[2]));
        SetSaveFileAnswer({});
    }

    void rowsCarryTheirFramesArrivalNotTheBatchs() {
        // Two frames read 3 ms apart and handed to the panel in one batch keep their own
        // times in the file.
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("times.csv"));
        SetSaveFileAnswer([&](const QString&) { return path; });
        auto* feed = new CFeedTransport;
        CMainFrame frame{std::unique_ptr<CTransport>(feed)};
        frame.SelectProduct(8);
        frame.show();
        QVERIFY(OpenNow(frame.Link(), QStringLiteral("feed"), 115200));
        auto* panel = qobject_cast<CBalenceFormView*>(frame.CurrentPanel());
        panel->Waveform()->RecordButton()->click();
        QTRY_VERIFY(panel->Model().Recorder().IsRecording());
        const qint64 t = ArrivalClockNs();
        feed->Feed("$LV1,RV1,AC1,GY1,CSB1,VT1#", t + 1'000'000);
        feed->Feed("$LV2,RV2,AC2,GY2,CSB2,VT2#", t + 4'000'000);
        QTRY_COMPARE(panel->Model().Recorder().Rows(), 2);
        panel->Waveform()->RecordButton()->click();
        const QStringList lines = Lines(path);
        QCOMPARE(lines.size(), 3);
        const double a = lines[1].section(QLatin1Char(','), 0, 0).toDouble();
        const double b = lines[2].section(QLatin1Char(','), 0, 0).toDouble();
        QCOMPARE(b - a, 3.0);
        SetSaveFileAnswer({});
    }

    void aFullDiskSaysSoOnce() {
        SetSaveFileAnswer([](const QString&) { return QStringLiteral("/dev/full"); });
        CMainFrame frame;
        frame.SelectProduct(8);
        auto* panel = qobject_cast<CBalenceFormView*>(frame.CurrentPanel());
        panel->Waveform()->RecordButton()->click();
        QTRY_COMPARE(m_messages.size(), 1);
        QVERIFY2(m_messages.first().contains(QStringLiteral("space"), Qt::CaseInsensitive),
                 qPrintable(m_messages.first()));
        QVERIFY(!panel->Waveform()->RecordButton()->isChecked());
        QVERIFY(!panel->Model().Recorder().IsRecording());
        SetSaveFileAnswer({});
    }

    void recordsEveryFrameTheCarSent() {
        // Every frame that reached the panel is a row: the car streams, stops, and then goes;
        // the rows are the frames it says it sent.
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("tuning.csv"));
        SetSaveFileAnswer([&](const QString&) { return path; });
        StationOnSim station;
        QVERIFY(station.Start(8, {"--rate", "200"}));
        SimProcess& sim = station.sim;
        CMainFrame& frame = station.frame;
        auto* panel = qobject_cast<CBalenceFormView*>(station.panel);
        // The gains in force are known once the car has told them.
        qobject_cast<QAbstractButton*>(FindControl(panel, 1025))->click(); // query
        QTRY_COMPARE(qobject_cast<QLabel*>(FindControl(panel, 1040))->text(),
                     QStringLiteral("P:25.00"));
        panel->Waveform()->RecordButton()->click();
        QTRY_VERIFY(panel->Model().Recorder().IsRecording()); // once the file is chosen
        auto* waveform = qobject_cast<QAbstractButton*>(FindControl(panel, 1032));
        waveform->click(); // on: the car streams
        QTRY_VERIFY(panel->Model().Recorder().Rows() >= 100);
        QVERIFY(frame.statusBar()->currentMessage().contains(path));
        waveform->click(); // off: the car stops
        QTest::qWait(300);
        sim.Stop(); // and goes: the link is lost, the recording ends with it
        const QByteArray out = sim.Process().readAllStandardOutput();
        const qsizetype at = out.lastIndexOf("SENT ");
        QVERIFY(at >= 0);
        const qint64 sent = out.mid(at + 5).trimmed().toLongLong();
        QTRY_VERIFY(!panel->Model().Recorder().IsRecording());
        QVERIFY(!panel->Waveform()->RecordButton()->isChecked());
        const QStringList lines = Lines(path);
        QCOMPARE(lines.first(), QString::fromLatin1(CTelemetryRecorder::kHeader));
        QCOMPARE(lines[1], QStringLiteral("# gains AP=25.00 AD=3.30 VP=3.00 VI=0.10"));
        QCOMPARE(qint64(lines.size() - 2), sent - 1); // all but the PID reply
        QCOMPARE(panel->Model().Recorder().Rows(), sent - 1);
        SetSaveFileAnswer({});
    }

    void anUnplugMidStreamLeavesACompleteFile() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("unplugged.csv"));
        SetSaveFileAnswer([&](const QString&) { return path; });
        StationOnSim station;
        QVERIFY(station.Start(8, {"--rate", "500"}));
        SimProcess& sim = station.sim;
        auto* panel = qobject_cast<CBalenceFormView*>(station.panel);
        panel->Waveform()->RecordButton()->click();
        QTRY_VERIFY(panel->Model().Recorder().IsRecording());
        qobject_cast<QAbstractButton*>(FindControl(panel, 1032))->click();
        QTRY_VERIFY(panel->Model().Recorder().Rows() >= 200);
        sim.Stop(); // pulled out while the car streams
        QTRY_VERIFY(!panel->Model().Recorder().IsRecording());
        const QStringList lines = Lines(path);
        // No gains line: nobody asked the car for them. Every row it took, each one whole.
        QCOMPARE(lines.first(), QString::fromLatin1(CTelemetryRecorder::kHeader));
        QCOMPARE(qint64(lines.size() - 1), panel->Model().Recorder().Rows());
        for (const QString& row : lines.mid(1))
            QCOMPARE(row.count(QLatin1Char(',')), 6);
        SetSaveFileAnswer({});
    }

    void aFileThatCannotBeWrittenSaysSoAndThePanelGoesOn() {
        SimProcess sim;
        QVERIFY(sim.Start(8, {"--rate", "0"}));
        QTemporaryDir dir;
        SetSaveFileAnswer(
            [&](const QString&) { return dir.filePath(QStringLiteral("missing/folder/x.csv")); });
        CMainFrame frame;
        frame.SelectProduct(8);
        frame.show();
        QVERIFY(OpenNow(frame.Link(), sim.Port(), 115200));
        auto* panel = qobject_cast<CBalenceFormView*>(frame.CurrentPanel());
        panel->Waveform()->RecordButton()->click();
        QVERIFY(
            panel->Waveform()->RecordButton()->isChecked()); // down while the user picks the file
        QTRY_COMPARE(m_messages.size(), 1);
        QVERIFY(
            m_messages.first().startsWith(QStringLiteral("The recording could not be written")));
        QVERIFY(!panel->Waveform()->RecordButton()->isChecked());
        QVERIFY(!panel->Model().Recorder().IsRecording());
        // Cancelling the file dialog is no error either.
        SetSaveFileAnswer([](const QString&) { return QString(); });
        panel->Waveform()->RecordButton()->click();
        QTRY_VERIFY(!panel->Waveform()->RecordButton()->isChecked());
        QCOMPARE(m_messages.size(), 1);
        SetSaveFileAnswer({});
    }
};

QTEST_MAIN(TestRecording)
#include "test_recording.moc"
