// Text from a device is shown as text, never read as markup; values reach assistive
// technology, changes are announced, and its actions act like clicks.
#include "core/products/catalogue.h"
#include "gui/common/control_ids.h"
#include "gui/common/message_seam.h"
#include "gui/shell/main_frame.h"
#include "process_memory.h"
#include "station_fixture.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

using namespace Korvane;

namespace {

const QByteArray kHostile[] = {"<b>1</b>", "<img src=/dev/zero>",
                               "<img width=20000 height=20000 src=x>", "<font size=7>88"};

} // namespace

class TestDeviceText : public QObject {
    Q_OBJECT
    const Korvane::CMessageSeam m_seam; // the messages and answers of this test program
    QStringList m_messages;

  private slots:
    void initTestCase() {
        SetMessageObserver([this](const QString& t) { m_messages << t; });
    }

    void markupFromTheCarStaysText_data() {
        QTest::addColumn<int>("product");
        QTest::addColumn<int>("label");
        QTest::newRow(Product(5).label) << 5 << 1194;
        QTest::newRow(Product(6).label) << 6 << 1210;
        QTest::newRow(Product(7).label) << 7 << 1192;
    }
    void markupFromTheCarStaysText() {
        QFETCH(int, product);
        QFETCH(int, label);
        StationOnPty station;
        QVERIFY(station.Start(product));
        auto* distance = qobject_cast<QLabel*>(FindControl(station.frame->CurrentPanel(), label));
        QVERIFY(distance);
        const double before = ResidentMb();
        const QSize windowBefore = station.frame->size();
        for (const QByteArray& text : kHostile) {
            station.pty->Write("$0,0,0,0,0,0,0,0,0,0,0," + text + ",0#");
            QTRY_COMPARE(distance->text(), QString::fromLatin1(text));
            distance->repaint(); // laid out and painted as what it is: text
        }
        QCOMPARE(distance->textFormat(), Qt::PlainText);
        QVERIFY2(ResidentMb() - before < 40, qPrintable(QString::number(ResidentMb() - before)));
        QCOMPARE(station.frame->size(), windowBefore);
    }

    void markupInTelemetryStaysText() {
        StationOnPty station;
        QVERIFY(station.Start(8));
        QWidget* panel = station.frame->CurrentPanel();
        const double before = ResidentMb();
        for (const QByteArray& text : kHostile) {
            // One field per frame: a frame holds at most 81 characters.
            station.pty->Write("$LV" + text + ",RV0,AC0,GY0,CSB0,VT0#");
            QTRY_COMPARE(qobject_cast<QLabel*>(FindControl(panel, 1046))->text(),
                         QString::fromLatin1(text));
            station.pty->Write("$LV0,RV" + text + ",AC0,GY0,CSB0,VT0#");
            QTRY_COMPARE(qobject_cast<QLabel*>(FindControl(panel, 1047))->text(),
                         QString::fromLatin1(text));
            station.pty->Write("$LV0,RV0,AC0,GY0,CSB" + text + ",VT0#");
            QTRY_COMPARE(qobject_cast<QLineEdit*>(FindControl(panel, 1009))->text(),
                         QString::fromLatin1(text));
            panel->repaint();
        }
        for (int id : {1046, 1047, 1040, 1041, 1042, 1043})
            QCOMPARE(qobject_cast<QLabel*>(FindControl(panel, id))->textFormat(), Qt::PlainText);
        QVERIFY2(ResidentMb() - before < 40, qPrintable(QString::number(ResidentMb() - before)));
    }

    void valuesAreReadAndChangesAnnounced() {
        StationOnPty station;
        QVERIFY(station.Start(5));
        QWidget* label = FindControl(station.frame->CurrentPanel(), 1194);
        station.pty->Write("$0,0,0,0,0,0,0,0,0,0,0,114,0#");
        QTRY_COMPARE(qobject_cast<QLabel*>(label)->text(), QStringLiteral("114"));
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(label);
        QCOMPARE(iface->text(QAccessible::Name), QStringLiteral("114"));
        QCOMPARE(iface->text(QAccessible::Description), QStringLiteral("Ultrasonic distance"));
        // Qt announces a label's new text as a name change exactly when no fixed name hides
        // it (the offscreen platform has no accessibility back end to watch the event on).
        QVERIFY(label->accessibleName().isEmpty());
        station.pty->Write("$0,0,0,0,0,0,0,0,0,0,0,99,0#");
        QTRY_COMPARE(iface->text(QAccessible::Name), QStringLiteral("99"));

        // Balance car: the speed labels read their values; the gain labels say their loop;
        // the telemetry edits are named by their caption labels.
        station.frame->SelectProduct(8);
        QWidget* panel = station.frame->CurrentPanel();
        station.pty->Write("$LV12,RV-4,AC0,GY1.5,CSB30,VT7.9#");
        QTRY_COMPARE(qobject_cast<QLabel*>(FindControl(panel, 1046))->text(), QStringLiteral("12"));
        auto text = [](QWidget* w, QAccessible::Text t) {
            return QAccessible::queryAccessibleInterface(w)->text(t);
        };
        QCOMPARE(text(FindControl(panel, 1046), QAccessible::Name), QStringLiteral("12"));
        QCOMPARE(text(FindControl(panel, 1047), QAccessible::Name), QStringLiteral("-4"));
        QCOMPARE(text(FindControl(panel, 1040), QAccessible::Description),
                 QStringLiteral("Angle loop, proportional gain"));
        QCOMPARE(text(FindControl(panel, 1043), QAccessible::Description),
                 QStringLiteral("Speed loop, integral gain"));
        QCOMPARE(text(FindControl(panel, 1011), QAccessible::Name),
                 QStringLiteral("Gyroscope（°）"));
        QCOMPARE(text(FindControl(panel, 1011), QAccessible::Value), QStringLiteral("1.5"));
    }

    void assistiveActionsActLikeClicks() {
        StationOnPty station;
        QVERIFY(station.Start(8));
        auto* display = qobject_cast<QCheckBox*>(FindControl(station.frame->CurrentPanel(), 1032));
        QAccessibleActionInterface* actions =
            QAccessible::queryAccessibleInterface(display)->actionInterface();
        QVERIFY(actions);
        QVERIFY(actions->actionNames().contains(QAccessibleActionInterface::toggleAction()));
        actions->doAction(QAccessibleActionInterface::toggleAction());
        QVERIFY(display->isChecked());
        QCOMPARE(station.pty->ReadAtLeast(21), QByteArray("$0,0,0,1,0,0,0,0,0,0#"));
        actions->doAction(QAccessibleActionInterface::toggleAction());
        QCOMPARE(station.pty->ReadAtLeast(21), QByteArray("$0,0,0,2,0,0,0,0,0,0#"));

        // Drag mode through assistive technology tells its mode like a click does.
        auto* drag = FindControl(station.frame->CurrentPanel(), 1038);
        m_messages.clear();
        QAccessible::queryAccessibleInterface(drag)->actionInterface()->doAction(
            QAccessibleActionInterface::toggleAction());
        QCOMPARE(m_messages,
                 QStringList{QStringLiteral("Current mode updates PID for drag slider!")});
        // The panel's own writes of its check boxes (File, New) send nothing.
        station.frame->RefreshPanels();
        QCOMPARE(station.pty->ReadFor(50), QByteArray());
    }
};

QTEST_MAIN(TestDeviceText)
#include "test_device_text.moc"
