// Telemetry recording of the balance cars: the CSV file, the gains comment lines, flushing,
// and the panel's "Record" against the simulated car, unplugged in the middle.
#include "app/control_ids.h"
#include "app/main_frame.h"
#include "app/message_seam.h"
#include "link_wait.h"
#include "panels/serial_cars/balance_model.h"
#include "panels/serial_cars/balence_form_view.h"
#include "panels/serial_cars/telemetry_recorder.h"
#include "sim_process.h"
#include "station_fixture.h"

#include <QAbstractButton>
#include <QFile>
#include <QLabel>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

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
        recorder.SetGains(QStringLiteral("AP=25.00 AD=3.30 VP=3.00 VI=0.10"));
        CBalanceTelemetry t;
        t.Parse("$LV12,RV-4,AC0.5,GY1.5,CSB30,VT7.9#");
        recorder.AddRow(t);
        recorder.AddRow(t);
        recorder.SetGains(QStringLiteral("AP=20.00 AD=3.30 VP=3.00 VI=0.10"));
        t.Parse("$LV1,RV2,AC3,GY4,CSB5,VT6#");
        recorder.AddRow(t);
        recorder.SetGains(QStringLiteral("AP=20.00 AD=3.30 VP=3.00 VI=0.10")); // no change
        recorder.AddRow(t);
        // Written within the flush period, before the recording stops.
        QTRY_COMPARE_WITH_TIMEOUT(Lines(path).size(), 7, 2 * CTelemetryRecorder::kFlushMs);
        const QStringList lines = Lines(path);
        QCOMPARE(lines[0], QString::fromLatin1(CTelemetryRecorder::kHeader));
        QCOMPARE(lines[1], QStringLiteral("# gains AP=25.00 AD=3.30 VP=3.00 VI=0.10"));
        QVERIFY(lines[2].endsWith(QStringLiteral(",12,-4,0.5,1.5,30,7.9")));
        QCOMPARE(lines[4], QStringLiteral("# gains AP=20.00 AD=3.30 VP=3.00 VI=0.10"));
        QVERIFY(lines[5].endsWith(QStringLiteral(",1,2,3,4,5,6")));
        QCOMPARE(recorder.Rows(), 4);
        recorder.Stop();
        QVERIFY(!recorder.IsRecording());
        // A value with a comma or a quote stays one field.
        QCOMPARE(CTelemetryRecorder::CsvField("1,5"), QByteArray("\"1,5\""));
        QCOMPARE(CTelemetryRecorder::CsvField("a\"b"), QByteArray("\"a\"\"b\""));
        QCOMPARE(CTelemetryRecorder::CsvField("7.9"), QByteArray("7.9"));
        // A file that cannot be written: a reason, no recording.
        QVERIFY(!recorder.Start(dir.filePath(QStringLiteral("no/such/dir/x.csv")), &error));
        QVERIFY(!error.isEmpty());
        QVERIFY(!recorder.IsRecording());
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
        panel->RecordButton()->click();
        QVERIFY(panel->Recorder().IsRecording());
        auto* waveform = qobject_cast<QAbstractButton*>(FindControl(panel, 1032));
        waveform->click(); // on: the car streams
        QTRY_VERIFY(panel->Recorder().Rows() >= 100);
        QVERIFY(frame.statusBar()->currentMessage().contains(path));
        waveform->click(); // off: the car stops
        QTest::qWait(300);
        sim.Stop(); // and goes: the link is lost, the recording ends with it
        const QByteArray out = sim.Process().readAllStandardOutput();
        const qsizetype at = out.lastIndexOf("SENT ");
        QVERIFY(at >= 0);
        const qint64 sent = out.mid(at + 5).trimmed().toLongLong();
        QTRY_VERIFY(!panel->Recorder().IsRecording());
        QVERIFY(!panel->RecordButton()->isChecked());
        const QStringList lines = Lines(path);
        QCOMPARE(lines.first(), QString::fromLatin1(CTelemetryRecorder::kHeader));
        QCOMPARE(lines[1], QStringLiteral("# gains AP=25.00 AD=3.30 VP=3.00 VI=0.10"));
        QCOMPARE(qint64(lines.size() - 2), sent - 1); // all but the PID reply
        QCOMPARE(panel->Recorder().Rows(), sent - 1);
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
        panel->RecordButton()->click();
        qobject_cast<QAbstractButton*>(FindControl(panel, 1032))->click();
        QTRY_VERIFY(panel->Recorder().Rows() >= 200);
        sim.Stop(); // pulled out while the car streams
        QTRY_VERIFY(!panel->Recorder().IsRecording());
        const QStringList lines = Lines(path);
        // No gains line: nobody asked the car for them. Every row it took, each one whole.
        QCOMPARE(lines.first(), QString::fromLatin1(CTelemetryRecorder::kHeader));
        QCOMPARE(qint64(lines.size() - 1), panel->Recorder().Rows());
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
        panel->RecordButton()->click();
        QCOMPARE(m_messages.size(), 1);
        QVERIFY(
            m_messages.first().startsWith(QStringLiteral("The recording could not be written")));
        QVERIFY(!panel->RecordButton()->isChecked());
        QVERIFY(!panel->Recorder().IsRecording());
        // Cancelling the file dialog is no error either.
        SetSaveFileAnswer([](const QString&) { return QString(); });
        panel->RecordButton()->click();
        QCOMPARE(m_messages.size(), 1);
        QVERIFY(!panel->RecordButton()->isChecked());
        SetSaveFileAnswer({});
    }
};

QTEST_MAIN(TestRecording)
#include "test_recording.moc"
