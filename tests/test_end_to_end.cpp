// The station against the device simulator over a pseudo-terminal: keys reach the simulated
// car, and the car's distance reaches the panel.
#include "app/catalogue.h"
#include "app/control_ids.h"
#include "app/main_frame.h"
#include "app/message_seam.h"
#include "link_wait.h"
#include "panels/serial_cars/balence_form_view.h"
#include "panels/serial_cars/basic_car_panel.h"
#include "panels/serial_cars/chart_wave.h"

#include <QAbstractButton>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>

using namespace Korvane;

class TestEndToEnd : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QProcess m_sim;
    QString m_tty;
    QStringList m_messages;

    QString SimLog() {
        QFile f(m_dir.filePath(QStringLiteral("received.log")));
        return f.open(QIODevice::ReadOnly) ? QString::fromLatin1(f.readAll()) : QString();
    }

    void StartSim(int product, const QStringList& extra = {"--rate", "20"}) {
        m_tty = m_dir.filePath(QStringLiteral("tty%1").arg(product));
        m_sim.start(QStringLiteral(KORVANE_SIM_PATH),
                    QStringList{"--product", QString::number(product), "--link", m_tty, "--log",
                                m_dir.filePath(QStringLiteral("received.log"))} +
                        extra);
        QVERIFY(m_sim.waitForStarted());
        QVERIFY(QTest::qWaitFor([&] { return m_sim.canReadLine(); }, 5000));
        QCOMPARE(m_sim.readLine().trimmed(), ("PORT " + m_tty).toLocal8Bit());
    }

  private slots:
    void initTestCase() {
        SetMessageObserver([this](const QString& t) { m_messages << t; });
    }
    void cleanup() {
        m_sim.terminate();
        m_sim.waitForFinished(3000);
        QFile::remove(m_dir.filePath(QStringLiteral("received.log")));
    }

    void keysDriveTheSimulatedCar() {
        StartSim(5);
        CMainFrame frame;
        frame.SelectProduct(5);
        frame.show();
        QVERIFY(OpenNow(frame.Link(), m_tty, 115200));
        auto* label = qobject_cast<QLabel*>(FindControl(frame.CurrentPanel(), 1194));
        QVERIFY(label);
        QTRY_VERIFY_WITH_TIMEOUT(label->text() != QStringLiteral("0cm"), 3000);
        const int start = label->text().toInt();
        QVERIFY(start > 3);

        QTest::keyClick(frame.CurrentPanel(), Qt::Key_W);
        QTRY_VERIFY_WITH_TIMEOUT(SimLog().contains(QStringLiteral("$1,0,0,0,0,0,0,0,0,0#")), 3000);
        QVERIFY(QTest::qWaitFor([&] { return m_sim.canReadLine(); }, 3000));
        QCOMPARE(m_sim.readLine().trimmed(), QByteArray("ack $1,0,0,0,0,0,0,0,0,0# forward"));
        // Driving forward brings the wall closer, live on the panel.
        QTRY_VERIFY_WITH_TIMEOUT(label->text().toInt() < start, 3000);

        QTest::mouseClick(qobject_cast<QAbstractButton*>(FindControl(frame.CurrentPanel(), 1206)),
                          Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(SimLog().contains(QStringLiteral("$0,0,0,0,0,0,0,0,0,0,0,0,0#")),
                                 3000);
        QVERIFY(m_messages.isEmpty());
    }

    void scriptedFramesReachThePanel() {
        // No telemetry; a script sends two distances once the station listens (its open
        // clears what came before).
        const QString script = m_dir.filePath(QStringLiteral("script.txt"));
        QFile f(script);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("; distances\nsleep 1000\n$0,0,0,0,0,0,0,0,0,0,0,321,0#\nsleep 300\n"
                "$0,0,0,0,0,0,0,0,0,0,0,42,0#\n");
        f.close();
        StartSim(6, {"--rate", "0", "--script", script});
        CMainFrame frame;
        frame.SelectProduct(6);
        QVERIFY(OpenNow(frame.Link(), m_tty, 115200));
        auto* label = qobject_cast<QLabel*>(FindControl(frame.CurrentPanel(), 1210));
        QTRY_COMPARE_WITH_TIMEOUT(label->text(), QStringLiteral("321"), 3000);
        QTRY_COMPARE_WITH_TIMEOUT(label->text(), QStringLiteral("42"), 3000);
    }

    void alderCarOverTheSameLink() {
        StartSim(7);
        CMainFrame frame;
        frame.SelectProduct(7);
        QVERIFY(OpenNow(frame.Link(), m_tty, 9600));
        auto* label = qobject_cast<QLabel*>(FindControl(frame.CurrentPanel(), 1192));
        QTRY_VERIFY_WITH_TIMEOUT(label->text() != QStringLiteral("0cm"), 3000);
        QTest::mouseClick(qobject_cast<QAbstractButton*>(FindControl(frame.CurrentPanel(), 1005)),
                          Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(SimLog().contains(QStringLiteral("$0,1,0,0,0,0,0,0,0,0,0,0,0#")),
                                 3000);
    }

    void balanceCarTuningAndWaveforms() {
        StartSim(8);
        CMainFrame frame;
        frame.SelectProduct(8);
        frame.show();
        QVERIFY(OpenNow(frame.Link(), m_tty, 115200));
        auto* panel = qobject_cast<CBalenceFormView*>(frame.CurrentPanel());
        QVERIFY(panel);
        auto click = [&](int id) {
            auto* b = qobject_cast<QAbstractButton*>(FindControl(panel, id));
            QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(8, b->height() / 2));
        };
        auto* angleP = qobject_cast<QSlider*>(FindControl(panel, 1013));
        auto* speedI = qobject_cast<QSlider*>(FindControl(panel, 1016));

        // Query: the sliders show the car's gains.
        click(1025);
        QTRY_COMPARE_WITH_TIMEOUT(angleP->value(), 2500, 3000);
        QCOMPARE(speedI->value(), 10);

        // Drag update on: letting go of a slider gives the car the new gain.
        click(1038);
        angleP->setValue(3000);
        QTest::mouseClick(angleP, Qt::LeftButton, {},
                          QPoint(angleP->width() / 2, angleP->height() / 2));
        const int sent = angleP->value();
        QTRY_VERIFY_WITH_TIMEOUT(SimLog().contains(QStringLiteral(",AD3.30,VP0,VI0#")), 3000);
        angleP->setValue(0);
        click(1025);
        QTRY_COMPARE_WITH_TIMEOUT(angleP->value(), sent, 3000);
        QCOMPARE(speedI->value(), 10); // the angle update left the speed loop alone

        // Display on: telemetry streams in and fills the histories.
        click(1030);
        click(1032);
        QTRY_VERIFY_WITH_TIMEOUT(panel->Telemetry().voltageHistory[499] > 6.0, 3000);
        QTRY_VERIFY_WITH_TIMEOUT(panel->Telemetry().voltageHistory[480] > 6.0, 5000);
        QTRY_COMPARE_WITH_TIMEOUT(panel->Chart()->Series(0)->count(), 500, 3000);
        click(1032);
        QTRY_VERIFY_WITH_TIMEOUT(SimLog().contains(QStringLiteral("$0,0,0,2,0,0,0,0,0,0#")), 3000);
    }
};

QTEST_MAIN(TestEndToEnd)
#include "test_end_to_end.moc"
