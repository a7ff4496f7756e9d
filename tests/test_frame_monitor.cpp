// The frame monitor: what it lists, in which order, with which time stamps, over a serial
// link and a TCP control connection; its bound, filter, pause, copy and save.
#include "core/link/frame_log.h"
#include "gui/common/control_ids.h"
#include "gui/common/message_seam.h"
#include "gui/shell/frame_monitor.h"
#include "gui/shell/main_frame.h"
#include "sim_process.h"
#include "station_fixture.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QFile>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

using namespace Korvane;

namespace {

TracedFrame Frame(int n, TraceDirection d = TraceDirection::Received) {
    return {d, QStringLiteral("/dev/pts/9"), "$" + QByteArray::number(n) + "#",
            n, CommandOrigin::User,          qint64(n) * 1000000};
}

} // namespace

class TestFrameMonitor : public QObject {
    Q_OBJECT
    const Korvane::CMessageSeam m_seam; // the messages and answers of this test program
    QStringList m_messages;

  private slots:
    void initTestCase() {
        SetMessageObserver([this](const QString& t) { m_messages << t; });
    }

    void framesReadAsText() {
        QCOMPARE(FrameDisplayText("$51,LED01#"), QStringLiteral("$51,LED01#"));
        QCOMPARE(FrameDisplayText("AT\r\n\t\x01\x7F\\"),
                 QStringLiteral("AT\\r\\n\\t\\x01\\x7F\\\\"));
        QCOMPARE(FrameDisplayText("$51,LCD1602,1,\xD6\xD0\xCE\xC4#"),
                 QString::fromUtf8("$51,LCD1602,1,中文#"));
        QCOMPARE(FrameDisplayText(QByteArray("a\0b", 3)), QStringLiteral("a\\x00b"));
    }

    void theListIsBounded() {
        CFrameMonitorModel model(100);
        std::deque<TracedFrame> batch;
        for (int i = 0; i < 250; ++i)
            batch.push_back(Frame(i));
        model.Append({batch.begin(), batch.begin() + 60});
        model.Append({batch.begin() + 60, batch.end()});
        QCOMPARE(model.rowCount(), 100);
        QCOMPARE(model.Log().Dropped(), quint64(150));
        QCOMPARE(model.index(0, CFrameMonitorModel::FrameColumn).data().toString(),
                 QStringLiteral("$150#"));
        QCOMPARE(model.index(99, CFrameMonitorModel::FrameColumn).data().toString(),
                 QStringLiteral("$249#"));
        // The monitor's own bound: 100 000 frames, the older ones counted.
        CFrameMonitorModel full(CFrameMonitor::kCapacity);
        std::deque<TracedFrame> many;
        for (int i = 0; i < 100500; ++i)
            many.push_back(Frame(i));
        full.Append(many);
        QCOMPARE(full.rowCount(), 100000);
        QCOMPARE(full.Log().Dropped(), quint64(500));
        QCOMPARE(full.index(0, CFrameMonitorModel::FrameColumn).data().toString(),
                 QStringLiteral("$500#"));
    }

    void aLongPauseComesBackInSlicesAndTypingFiltersOnce() {
        CFrameMonitor monitor;
        monitor.resize(900, 400);
        monitor.show();
        monitor.SetPaused(true);
        for (int i = 0; i < 20000; ++i)
            monitor.Take(Frame(i, i % 4 ? TraceDirection::Received : TraceDirection::Sent));
        QCOMPARE(monitor.Waiting(), size_t(20000));
        // Resumed: a slice at once, the rest on the next turns of the event loop.
        monitor.SetPaused(false);
        QCOMPARE(monitor.Model().rowCount(), int(CFrameMonitor::kSlice));
        QTRY_COMPARE(monitor.Model().rowCount(), 20000);
        QCOMPARE(monitor.Waiting(), size_t(0));
        // Keys typed into the filter: the list is filtered once they pause.
        auto* field = monitor.findChild<QLineEdit*>();
        QVERIFY(field);
        QTest::keyClicks(field, QStringLiteral("$1999"));
        QCOMPARE(monitor.View()->model()->rowCount(), 20000);  // not yet, the keys came fast
        QTRY_COMPARE(monitor.View()->model()->rowCount(), 11); // $1999# and $19990# to $19999#
        // The frame, the link and the direction are filtered, not the time.
        monitor.SetFilter(QStringLiteral("tx"));
        QCOMPARE(monitor.View()->model()->rowCount(), 5000);
        monitor.SetFilter(QStringLiteral("7"));
        for (const QString& row : monitor.ListedRows())
            QVERIFY2(row.section(QLatin1Char('\t'), 1).contains(QLatin1Char('7')), qPrintable(row));
    }

    void listsEveryFrameOfTheSerialLinkInOrder() {
        StationOnPty station;
        QVERIFY(station.Start(5));
        CFrameMonitor* monitor = station.frame->FrameMonitor();
        QVERIFY(!monitor->isVisible());
        FindCommand(station.frame.get(), CmdViewFrameMonitor)->trigger(); // View → Frame monitor
        QTRY_VERIFY(monitor->isVisible());
        QVERIFY(monitor->IsListening());
        QWidget* panel = station.frame->CurrentPanel();
        qobject_cast<QAbstractButton*>(FindControl(panel, 1193))->click();
        station.pty->ReadAtLeast(1);
        QTRY_COMPARE(monitor->Model().Log().Size(), size_t(1));
        station.pty->Write("$0,0,0,0,0,0,0,0,0,0,0,42,0#");
        QTRY_COMPARE(monitor->Model().Log().Size(), size_t(2));
        // The third frame is written at least 50 ms after the second was listed, so it
        // arrived at least 50 ms after the second.
        QElapsedTimer sinceSecond;
        sinceSecond.start();
        QTRY_VERIFY(sinceSecond.elapsed() >= 50);
        station.pty->Write("$junk\x01#");
        QTRY_COMPARE(monitor->Model().Log().Size(), size_t(3));
        const CFrameLog& log = monitor->Model().Log();
        QCOMPARE(log.At(0).direction, TraceDirection::Sent);
        QVERIFY(log.At(0).text.startsWith(QLatin1Char('$')));
        QCOMPARE(log.At(1).direction, TraceDirection::Received);
        QCOMPARE(log.At(1).text, QStringLiteral("$0,0,0,0,0,0,0,0,0,0,0,42,0#"));
        QCOMPARE(log.At(2).text, QStringLiteral("$junk\\x01#"));
        QCOMPARE(log.At(0).link, station.pty->SlavePath());
        QVERIFY(log.At(0).timeMs <= log.At(1).timeMs);
        // Milliseconds on the station's clock, from each frame's arrival.
        QVERIFY2(log.At(1).timeMs + 50 <= log.At(2).timeMs,
                 qPrintable(QStringLiteral("%1 %2").arg(log.At(1).timeMs).arg(log.At(2).timeMs)));

        // Filter, copy, pause.
        monitor->SetFilter(QStringLiteral("junk"));
        QCOMPARE(monitor->ListedRows().size(), 1);
        monitor->View()->selectAll();
        monitor->CopySelection();
        QVERIFY(QApplication::clipboard()->text().endsWith(
            QStringLiteral("\tRX\t") + station.pty->SlavePath() + QStringLiteral("\t$junk\\x01#")));
        monitor->SetFilter(QString());
        monitor->SetPaused(true);
        QVERIFY(monitor->IsPaused());
        station.pty->Write("$1,0,0,0,0,0,0,0,0,0,0,7,0#");
        QTest::qWait(CFrameMonitor::kBatchMs * 3);
        QCOMPARE(monitor->Model().rowCount(), 3); // the picture stands
        monitor->SetPaused(false);
        QCOMPARE(monitor->Model().rowCount(), 4); // nothing taken while paused was lost

        // Saving writes exactly the listed rows.
        QTemporaryDir dir;
        monitor->SetFilter(QStringLiteral("RX"));
        const QString path = dir.filePath(QStringLiteral("frames.txt"));
        SetSaveFileAnswer([&](const QString&) { return path; });
        monitor->SaveAs();
        SetSaveFileAnswer({});
        QTRY_VERIFY(QFile::exists(path)); // written once the file is chosen
        QFile saved(path);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        const QStringList lines =
            QString::fromUtf8(saved.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(lines, monitor->ListedRows());
        QCOMPARE(lines.size(), 3);
        QString error;
        QVERIFY(!monitor->SaveTo(dir.filePath(QStringLiteral("no/such/folder/f.txt")), &error));
        QVERIFY(!error.isEmpty());
        // Frames the station had to drop on the way are counted under the list.
        emit station.frame->Link().framesDropped(7);
        QLabel* status = monitor->widget()->findChildren<QLabel*>().last();
        QVERIFY2(status->text().contains(QStringLiteral("7 frames dropped by the station")),
                 qPrintable(status->text()));
        QVERIFY(m_messages.isEmpty());
    }

    void listsTheTcpControlConnection() {
        SimProcess sim;
        QVERIFY(sim.Start(13, {"--control-port", "0", "--video-port", "0", "--rate", "20"}));
        CMainFrame frame;
        frame.SelectProduct(13);
        frame.show();
        frame.FrameMonitor()->show();
        QWidget* panel = frame.CurrentPanel();
        qobject_cast<QLineEdit*>(FindControl(panel, 1307))->setText(QStringLiteral("127.0.0.1"));
        qobject_cast<QLineEdit*>(FindControl(panel, 1308))
            ->setText(QString::number(sim.ControlPort()));
        qobject_cast<QAbstractButton*>(FindControl(panel, 1310))->click();
        QTRY_VERIFY(frame.FrameMonitor()->Model().rowCount() >= 3);
        const CFrameLog::Row& row = frame.FrameMonitor()->Model().Log().At(0);
        QVERIFY2(row.link.contains(QString::number(sim.ControlPort())), qPrintable(row.link));
        QCOMPARE(row.direction, TraceDirection::Received);
        QVERIFY(row.text.contains(QStringLiteral("4WD")));
    }
};

QTEST_MAIN(TestFrameMonitor)
#include "test_frame_monitor.moc"
