// The station against the device simulator over a pseudo-terminal: keys reach the simulated
// car, and the car's distance reaches the panel.
#include "core/products/catalogue.h"
#include "gui/common/control_ids.h"
#include "gui/common/message_seam.h"
#include "gui/serial_cars/balence_form_view.h"
#include "gui/serial_cars/basic_car_panel.h"
#include "gui/serial_cars/chart_wave.h"
#include "gui/shell/main_frame.h"
#include "link_wait.h"

#include "sim_process.h"
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
    const Korvane::CMessageSeam m_seam; // the messages and answers of this test program
    SimProcess m_sim;
    QStringList m_messages;

    QString SimLog() { return m_sim.Log(); }
    void StartSim(int product, const QStringList& extra = {"--rate", "20"}) {
        QVERIFY(m_sim.Start(product, extra));
    }

  private slots:
    void initTestCase() {
        SetMessageObserver([this](const QString& t) { m_messages << t; });
    }
    void cleanup() { m_sim.Stop(); }

    void keysDriveTheSimulatedCar() {
        StartSim(5);
        CMainFrame frame;
        frame.SelectProduct(5);
        frame.show();
        QVERIFY(OpenNow(frame.Link(), m_sim.Port(), 115200));
        auto* label = qobject_cast<QLabel*>(FindControl(frame.CurrentPanel(), 1194));
        QVERIFY(label);
        QTRY_VERIFY_WITH_TIMEOUT(label->text() != QStringLiteral("0cm"), 3000);
        const int start = label->text().toInt();
        QVERIFY(start > 3);

        QTest::keyClick(frame.CurrentPanel(), Qt::Key_W);
        QTRY_VERIFY_WITH_TIMEOUT(SimLog().contains(QStringLiteral("$1,0,0,0,0,0,0,0,0,0#")), 3000);
        QCOMPARE(m_sim.ReadLine(), QByteArray("ack $1,0,0,0,0,0,0,0,0,0# forward"));
        // Driving forward brings the wall closer, live on the panel.
        QTRY_VERIFY_WITH_TIMEOUT(label->text().toInt() < start, 3000);

        QTest::mouseClick(qobject_cast<QAbstractButton*>(FindControl(frame.CurrentPanel(), 1206)),
                          Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(SimLog().contains(QStringLiteral("$0,0,0,0,0,0,0,0,0,0,0,0,0#")),
                                 3000);
        QVERIFY(m_messages.isEmpty());
    }

    void scriptedFramesReachThePanel() {
        // No telemetry; the script waits for the station's first frame (so the station is
        // listening) and then sends two distances.
        QTemporaryDir dir;
        const QString script = dir.filePath(QStringLiteral("script.txt"));
        QFile f(script);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("; distances\nwait-frame\n$0,0,0,0,0,0,0,0,0,0,0,321,0#\nsleep 300\n"
                "$0,0,0,0,0,0,0,0,0,0,0,42,0#\n");
        f.close();
        StartSim(6, {"--rate", "0", "--script", script});
        CMainFrame frame;
        frame.SelectProduct(6);
        QVERIFY(OpenNow(frame.Link(), m_sim.Port(), 115200));
        auto* label = qobject_cast<QLabel*>(FindControl(frame.CurrentPanel(), 1210));
        QTest::qWait(200);
        QCOMPARE(label->text(), QStringLiteral("0cm")); // nothing before the handshake
        QVERIFY(frame.SendFrame("$0,0,0,0,0,0,0,0,0,0#"));
        QTRY_COMPARE_WITH_TIMEOUT(label->text(), QStringLiteral("321"), 3000);
        QTRY_COMPARE_WITH_TIMEOUT(label->text(), QStringLiteral("42"), 3000);
    }

    void alderCarOverTheSameLink() {
        StartSim(7);
        CMainFrame frame;
        frame.SelectProduct(7);
        QVERIFY(OpenNow(frame.Link(), m_sim.Port(), 9600));
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
        QVERIFY(OpenNow(frame.Link(), m_sim.Port(), 115200));
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

    void theCommandLineTypesTheCarsAddressesAndTheDemoDrivesOverTcp() {
        // The Raspberry Pi car's control service, given on the command line: the panel's
        // fields take it, the demo connects and drives through the window's door.
        StartSim(13, {"--rate", "5", "--control-port", "0"});
        QVERIFY(m_sim.ControlPort() > 0);
        QProcess station;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        QTemporaryDir config;
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), config.path());
        station.setProcessEnvironment(env);
        station.start(QStringLiteral(KORVANE_STATION_PATH),
                      {QStringLiteral("--product"), QStringLiteral("13"),
                       QStringLiteral("--control-address"), QStringLiteral("127.0.0.1"),
                       QStringLiteral("--control-port"), QString::number(m_sim.ControlPort()),
                       QStringLiteral("--demo"), QStringLiteral("--trace"),
                       QStringLiteral("--quit-after"), QStringLiteral("3000")});
        QVERIFY(station.waitForFinished(20000));
        QCOMPARE(station.exitCode(), 0);
        const QByteArray out = station.readAllStandardOutput();
        const QByteArray tcp = "  [tcp 127.0.0.1:" + QByteArray::number(m_sim.ControlPort()) + "]";
        QVERIFY2(out.contains("TX $1,0,0,0,0,0,0,0,0#" + tcp), out.constData());
        QVERIFY2(out.contains("TX $0,0,0,0,0,0,2,0,0#" + tcp), out.constData()); // red light
        QVERIFY2(out.contains("RX $4WD,"), out.constData());
    }

    void simulatorEndsCleanlyOnTerminate() {
        // The signal is taken through a self-pipe; the simulator leaves its event loop in the
        // ordinary way, reports what it sent and removes its port link.
        StartSim(5, {"--rate", "50"});
        QTest::qWait(200);
        m_sim.Process().terminate();
        QVERIFY(m_sim.Process().waitForFinished(3000));
        QCOMPARE(m_sim.Process().exitStatus(), QProcess::NormalExit);
        QCOMPARE(m_sim.Process().exitCode(), 0);
        const QByteArray out = m_sim.Process().readAllStandardOutput();
        QVERIFY2(out.contains("SENT "), out.constData());
        QVERIFY(!QFile::exists(m_sim.Port()));
    }

    void simulatorRefusesProductsItDoesNotHave() {
        // Every product of the table has its simulated device; anything else is refused.
        for (const QString& product :
             {QString::number(ProductCount()), QStringLiteral("-1"), QStringLiteral("x")}) {
            QProcess sim;
            sim.start(QStringLiteral(KORVANE_SIM_PATH), {QStringLiteral("--product"), product});
            QVERIFY(sim.waitForFinished(5000));
            QCOMPARE(sim.exitCode(), 2);
            QVERIFY(sim.readAllStandardError().contains("no simulated device"));
        }
    }
};

QTEST_MAIN(TestEndToEnd)
#include "test_end_to_end.moc"
