// The 4WD car's arm dialog against the simulated car: live control and its rate, a taught list
// replayed with its delay as the car sees it, emergency stop, closing during a run, the list
// kept and read from files, and what assistive technology finds.
#include "core/wifi_cars/arm_steps.h"
#include "core/wifi_cars/wifi_control_client.h"
#include "gui/common/control_ids.h"
#include "gui/common/message_seam.h"
#include "gui/wifi_cars/dlg_manipulator.h"
#include "gui/wifi_cars/tavo4wd_car_form_view.h"
#include "station_fixture.h"

#include <QAccessible>
#include <QCheckBox>
#include <QListWidget>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>

using namespace Korvane;

namespace {

struct Pose {
    qint64 ms; // when the car received it, on the simulator's clock
    ArmPose joints;
};

// The poses the simulated car logged, read from what it printed.
QList<Pose> PosesIn(const QByteArray& printed) {
    QList<Pose> poses;
    for (const QByteArray& line : printed.split('\n')) {
        if (!line.startsWith("arm-pose "))
            continue;
        const QList<QByteArray> parts = line.split(' ');
        const QList<QByteArray> joints = parts.value(2).split(',');
        Pose p{parts.value(1).toLongLong(), {}};
        for (int j = 0; j < 6; ++j)
            p.joints[size_t(j)] = joints.value(j).toInt();
        poses << p;
    }
    return poses;
}

} // namespace

class TestArmDialog : public QObject {
    Q_OBJECT
    const Korvane::CMessageSeam m_seam; // the messages and answers of this test program
    QStringList m_messages;
    QTemporaryDir m_dir;
    std::unique_ptr<StationOnSim> m_station;
    CTavo4WDCarFormView* m_panel = nullptr;

    CDlgManipulator* Open(int product = 10, const QStringList& simOptions = {}) {
        if (!m_station) {
            m_station = std::make_unique<StationOnSim>();
            if (!m_station->Start(product, QStringList{"--rate", "0"} + simOptions))
                return nullptr;
            m_panel = qobject_cast<CTavo4WDCarFormView*>(m_station->panel);
            m_panel->SetArmStorePath(m_dir.filePath(QStringLiteral("kept.json")));
        }
        m_station->Button(1271)->click(); // returns at once: the dialog is open, not waited for
        return m_panel->ArmDialog();
    }
    template <class T = QWidget> static T* In(CDlgManipulator* dlg, int id) {
        return qobject_cast<T*>(FindControl(dlg, id));
    }
    static QSlider* Joint(CDlgManipulator* dlg, int j) {
        static const int ids[6] = {1013, 1014, 1015, 1016, 1017, 1018};
        return In<QSlider>(dlg, ids[j]);
    }
    static QLineEdit* Field(CDlgManipulator* dlg, int j) {
        static const int ids[6] = {1009, 1010, 1011, 1012, 1019, 1020};
        return In<QLineEdit>(dlg, ids[j]);
    }
    // Types a value into a joint's field and leaves it, as a user would.
    static void TypeAngle(CDlgManipulator* dlg, int j, const QString& text) {
        Field(dlg, j)->setText(text);
        emit Field(dlg, j)->editingFinished();
    }
    void Teach(CDlgManipulator* dlg, const QList<ArmPose>& poses) {
        for (const ArmPose& pose : poses) {
            for (int j = 0; j < 6; ++j)
                TypeAngle(dlg, j, QString::number(pose[size_t(j)]));
            In<QAbstractButton>(dlg, 1253)->click(); // Save
        }
    }
    // Reads what the car printed until it has logged n poses in all.
    QList<Pose> WaitPoses(int n, int timeoutMs = 5000) {
        QElapsedTimer t;
        t.start();
        while (PosesIn(m_station->sim.Printed()).size() < n && t.elapsed() < timeoutMs)
            m_station->sim.ReadLine(50);
        return PosesIn(m_station->sim.Printed());
    }
    // Everything the car printed within ms from now.
    QList<Pose> PosesAfter(int ms) {
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < ms)
            m_station->sim.ReadLine(int(std::max<qint64>(1, ms - t.elapsed())));
        return PosesIn(m_station->sim.Printed());
    }

  private slots:
    void initTestCase() {
        SetMessageObserver([this](const QString& t) { m_messages << t; });
    }
    void init() { m_messages.clear(); }
    void cleanup() {
        if (m_panel && m_panel->ArmDialog())
            m_panel->ArmDialog()->reject();
        m_panel = nullptr;
        m_station.reset();
        QFile::remove(m_dir.filePath(QStringLiteral("kept.json")));
        SetQuestionAnswer({});
        SetSaveFileAnswer({});
        SetOpenFileAnswer({});
    }

    void slidersStartAtThePanelsPoseAndFieldsFollow() {
        CDlgManipulator* dlg = Open();
        QVERIFY(dlg && dlg->isVisible());
        QCOMPARE(dlg->windowTitle(), QStringLiteral("Manipulator advanced control interface"));
        for (int j = 0; j < 6; ++j) {
            QCOMPARE(Joint(dlg, j)->maximum(), 180);
            QCOMPARE(Joint(dlg, j)->value(), 0); // the panel's arm sliders start at 0
            QCOMPARE(Field(dlg, j)->text(), QStringLiteral("0"));
        }
        // Without live control nothing is sent.
        Joint(dlg, 0)->setValue(33);
        QCOMPARE(Field(dlg, 0)->text(), QStringLiteral("33"));
        TypeAngle(dlg, 1, QStringLiteral("120"));
        QCOMPARE(Joint(dlg, 1)->value(), 120);
        // A value outside 0 to 180 is refused, with a message; nothing is sent.
        TypeAngle(dlg, 2, QStringLiteral("181"));
        TypeAngle(dlg, 3, QStringLiteral("abc"));
        QCOMPARE(m_messages.size(), 2);
        QCOMPARE(Field(dlg, 2)->text(), QStringLiteral("0"));
        QCOMPARE(Joint(dlg, 2)->value(), 0);
        QVERIFY(PosesAfter(150).isEmpty());
        // Every slider and field is named; the step list too.
        for (int j = 0; j < 6; ++j) {
            for (QWidget* w :
                 {static_cast<QWidget*>(Joint(dlg, j)), static_cast<QWidget*>(Field(dlg, j))})
                QVERIFY(
                    !QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name).isEmpty());
        }
        QVERIFY(!QAccessible::queryAccessibleInterface(In(dlg, 1271))
                     ->text(QAccessible::Name)
                     .isEmpty());
    }

    void liveControlIsRateLimitedAndEndsOnTheLastPose() {
        CDlgManipulator* dlg = Open();
        QVERIFY(dlg);
        In<QCheckBox>(dlg, 1029)->click();
        QElapsedTimer dragging;
        dragging.start();
        for (int v = 1; v <= 90; ++v) { // a drag: 90 moves, a few milliseconds apart
            Joint(dlg, 0)->setValue(v);
            QTest::qWait(3);
        }
        const qint64 dragMs = dragging.elapsed();
        const QList<Pose> poses = PosesAfter(300);
        QVERIFY2(poses.size() >= 2, qPrintable(QString::number(poses.size())));
        // At most 20 a second, and the last pose is where the slider stopped.
        QVERIFY2(poses.size() <= dragMs / 50 + 2,
                 qPrintable(QStringLiteral("%1 poses in %2 ms").arg(poses.size()).arg(dragMs)));
        for (int i = 1; i < poses.size(); ++i)
            QVERIFY2(poses[i].ms - poses[i - 1].ms >= 40, qPrintable(QString::number(i)));
        QCOMPARE(poses.last().joints[0], 90);
        // The panel's own arm slider follows what the dialog sent.
        QCOMPARE(qobject_cast<QSlider*>(FindControl(m_panel, 1294))->value(), 90);
    }

    void aTaughtListReplaysInOrderWithItsDelay() {
        CDlgManipulator* dlg = Open();
        QVERIFY(dlg);
        const QList<ArmPose> taught = {
            {150, 10, 20, 30, 40, 50}, {20, 60, 70, 80, 90, 100}, {90, 90, 90, 90, 90, 90}};
        Teach(dlg, taught);
        auto* list = In<QListWidget>(dlg, 1271);
        QCOMPARE(list->count(), 3);
        // In the order taught, not sorted.
        QCOMPARE(list->item(0)->text(),
                 QStringLiteral("J1 150, J2 10, J3 20, J4 30, J5 40, J6 50"));
        QCOMPARE(list->item(1)->text(),
                 QStringLiteral("J1 20, J2 60, J3 70, J4 80, J5 90, J6 100"));
        QCOMPARE(In<QLineEdit>(dlg, 1063)->text(), QStringLiteral("500")); // the default delay
        In<QLineEdit>(dlg, 1063)->setText(QStringLiteral("200"));
        In<QAbstractButton>(dlg, 1255)->click(); // Run
        QVERIFY(dlg->IsRunning());
        const QList<Pose> poses = WaitPoses(3);
        QCOMPARE(poses.size(), 3);
        for (int i = 0; i < 3; ++i)
            QCOMPARE(poses[i].joints, taught[i]);
        // The delay as the car sees it: within 20 % (40 ms).
        for (int i = 1; i < 3; ++i) {
            const qint64 gap = poses[i].ms - poses[i - 1].ms;
            QVERIFY2(gap >= 160 && gap <= 240, qPrintable(QString::number(gap)));
        }
        QTRY_VERIFY(!dlg->IsRunning());
        QCOMPARE(list->currentRow(), 2); // the step played last is highlighted
        QVERIFY(m_messages.isEmpty());
        // The car's dump shows where its arm is.
        m_station->sim.Say("dump");
        QCOMPARE(m_station->sim.WaitPrinted("arm 90,"), QByteArray("arm 90,90,90,90,90,90"));
    }

    void emergencyStopAndClosingEndARunAtOnce() {
        CDlgManipulator* dlg = Open();
        QVERIFY(dlg);
        Teach(dlg, {{10, 10, 10, 10, 10, 10}, {20, 20, 20, 20, 20, 20}, {30, 30, 30, 30, 30, 30}});
        In<QLineEdit>(dlg, 1063)->setText(QStringLiteral("300"));
        In<QAbstractButton>(dlg, 1255)->click();
        QCOMPARE(WaitPoses(1).size(), 1);
        In<QAbstractButton>(dlg, 1256)->click(); // Emergency stop
        QVERIFY(!dlg->IsRunning());
        QVERIFY(!m_station->sim.WaitPrinted("ack $0,0,0,0,0,0,0,0,0#").isEmpty());
        QCOMPARE(PosesAfter(700).size(), 1); // no further pose

        // Closing the dialog during a run stops it too.
        In<QAbstractButton>(dlg, 1255)->click();
        QCOMPARE(WaitPoses(2).size(), 2);
        QTest::keyClick(dlg, Qt::Key_Escape);
        QTRY_VERIFY(!m_panel->ArmDialog());
        QCOMPARE(PosesAfter(700).size(), 2);
    }

    void aClosedLinkEndsTheRunWithOneMessage() {
        CDlgManipulator* dlg = Open();
        QVERIFY(dlg);
        Teach(dlg, {{10, 10, 10, 10, 10, 10}, {20, 20, 20, 20, 20, 20}});
        m_station->frame.CloseLink();
        In<QAbstractButton>(dlg, 1255)->click();
        QVERIFY(!dlg->IsRunning());
        QCOMPARE(m_messages, QStringList{QStringLiteral("The serial port is not open or has been "
                                                        "disconnected. Please reconnect!")});
        // Enter in the dialog never starts a run.
        QTest::keyClick(In(dlg, 1271), Qt::Key_Return);
        QVERIFY(!dlg->IsRunning());
        QCOMPARE(m_messages.size(), 1);
    }

    void theRaspberryPiCarTakesItsPosesOverTheControlConnection() {
        m_station = std::make_unique<StationOnSim>();
        QVERIFY(m_station->Start(13, {"--rate", "0", "--control-port", "0"}));
        m_panel = qobject_cast<CTavo4WDCarFormView*>(m_station->panel);
        m_panel->SetArmStorePath(m_dir.filePath(QStringLiteral("kept.json")));
        m_station->Edit(1307)->setText(QStringLiteral("127.0.0.1"));
        m_station->Edit(1308)->setText(QString::number(m_station->sim.ControlPort()));
        m_station->Button(1310)->click();
        QTRY_VERIFY(m_panel->Client().IsConnected());
        // Over TCP only: with the serial link closed, nothing is refused.
        m_station->frame.CloseLink();
        CDlgManipulator* dlg = Open(13);
        Teach(dlg, {{5, 15, 25, 35, 45, 55}});
        In<QLineEdit>(dlg, 1063)->setText(QStringLiteral("0"));
        In<QAbstractButton>(dlg, 1255)->click();
        const QList<Pose> poses = WaitPoses(1);
        QCOMPARE(poses.size(), 1);
        QCOMPARE(poses[0].joints, (ArmPose{5, 15, 25, 35, 45, 55}));
        QVERIFY(m_messages.isEmpty());
    }

    void theListIsKeptAndReadFromFiles() {
        CDlgManipulator* dlg = Open();
        QVERIFY(dlg);
        const QList<ArmPose> taught = {{1, 2, 3, 4, 5, 6}, {180, 0, 180, 0, 180, 0}};
        Teach(dlg, taught);
        In<QLineEdit>(dlg, 1063)->setText(QStringLiteral("750"));
        emit In<QLineEdit>(dlg, 1063)->editingFinished();
        const QString file = m_dir.filePath(QStringLiteral("wave.json"));
        SetSaveFileAnswer([&](const QString&) { return file; });
        dlg->findChild<QAbstractButton*>(QStringLiteral("saveListButton"))->click();
        QTRY_VERIFY(QFile::exists(file)); // written once the file is chosen
        // Start a new list: saved to a file, so nothing to ask.
        SetQuestionAnswer([](const QString&) {
            qFatal("asked although the list was saved");
            return false;
        });
        In<QAbstractButton>(dlg, 1252)->click();
        QCOMPARE(In<QListWidget>(dlg, 1271)->count(), 0);
        // Unsaved steps: Start asks, and "no" keeps them.
        Teach(dlg, {{7, 7, 7, 7, 7, 7}});
        int asked = 0;
        SetQuestionAnswer([&](const QString&) { return ++asked, false; });
        In<QAbstractButton>(dlg, 1252)->click();
        QCOMPARE(asked, 0); // the click returns before the answer
        QTRY_COMPARE(asked, 1);
        QCOMPARE(In<QListWidget>(dlg, 1271)->count(), 1);
        // The saved file reads back identical.
        SetOpenFileAnswer([&](const QString&) { return file; });
        dlg->findChild<QAbstractButton*>(QStringLiteral("openListButton"))->click();
        QCOMPARE(dlg->List().steps.size(), 1); // the click has returned; the dialog comes next
        QCoreApplication::processEvents();
        QCOMPARE(dlg->List().steps, taught);
        QCOMPARE(dlg->List().delayMs, 750);
        QCOMPARE(In<QLineEdit>(dlg, 1063)->text(), QStringLiteral("750"));
        // Opening the dialog again brings the last list back.
        dlg->reject();
        QTRY_VERIFY(!m_panel->ArmDialog());
        dlg = Open();
        QCOMPARE(dlg->List().steps, taught);
        QCOMPARE(In<QListWidget>(dlg, 1271)->count(), 2);
        QVERIFY(m_messages.isEmpty());

        // A file that is no step list: a message, and the list stays as it was.
        QFile bad(m_dir.filePath(QStringLiteral("bad.json")));
        QVERIFY(bad.open(QIODevice::WriteOnly));
        bad.write("{\"delayMs\": 500, \"steps\": [[1,2,3,4,5,999]]}");
        bad.close();
        SetOpenFileAnswer([&](const QString&) { return bad.fileName(); });
        dlg->findChild<QAbstractButton*>(QStringLiteral("openListButton"))->click();
        QCoreApplication::processEvents();
        QCOMPARE(m_messages.size(), 1);
        QCOMPARE(dlg->List().steps, taught);
        // A corrupt kept list: a message when the dialog opens, and an empty list.
        dlg->reject();
        QTRY_VERIFY(!m_panel->ArmDialog());
        QFile kept(m_dir.filePath(QStringLiteral("kept.json")));
        QVERIFY(kept.open(QIODevice::WriteOnly | QIODevice::Truncate));
        kept.write("not json at all");
        kept.close();
        dlg = Open();
        QCOMPARE(m_messages.size(), 2);
        QVERIFY(dlg->List().steps.isEmpty());
    }
};

QTEST_MAIN(TestArmDialog)
#include "test_arm_dialog.moc"
