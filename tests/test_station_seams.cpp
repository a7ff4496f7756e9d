// What every panel family relies on: registration, the product a panel serves, two main
// windows each with its own product and link, and keys that reach the panel exactly once and
// never from a text field.
#include "core/products/catalogue.h"
#include "gui/common/control_ids.h"
#include "gui/common/language.h"
#include "gui/common/message_seam.h"
#include "gui/panels/key_pre_filter.h"
#include "gui/panels/panel_base.h"
#include "gui/serial_cars/basic_car_panel.h"
#include "gui/shell/main_frame.h"
#include "station_fixture.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QSpinBox>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <QVBoxLayout>

using namespace Korvane;

namespace {

// A panel-like widget with children, and every key the pre-filter hands to it.
struct KeyBench {
    QWidget panel;
    QPushButton* button = new QPushButton(QStringLiteral("Forward"), &panel);
    QLineEdit* edit = new QLineEdit(&panel);
    QSpinBox* spin = new QSpinBox(&panel);
    QComboBox* combo = new QComboBox(&panel);
    QTextEdit* text = new QTextEdit(&panel);
    QList<int> handed;

    KeyBench() {
        auto* layout = new QVBoxLayout(&panel);
        for (QWidget* w : {static_cast<QWidget*>(button), static_cast<QWidget*>(edit),
                           static_cast<QWidget*>(spin), static_cast<QWidget*>(combo),
                           static_cast<QWidget*>(text)})
            layout->addWidget(w);
        combo->setEditable(true);
        new CKeyPreFilter(&panel, [this](QKeyEvent* e) { handed << e->key(); });
        panel.show();
    }
};

void Press(QWidget* target, int key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &press);
}

} // namespace

class TestStationSeams : public QObject {
    Q_OBJECT
    const Korvane::CMessageSeam m_seam;          // the messages and answers of this test program
    const Korvane::CTranslations m_translations; // the languages this test program shows
    QStringList m_messages;

  private slots:
    void initTestCase() {
        SetMessageObserver([this](const QString& t) { m_messages << t; });
    }
    void init() { m_messages.clear(); }

    void everyFamilyMatchesTheProductTable() {
        // Each product's panel id has a registered family of the table's class.
        CMainFrame frame;
        for (int i = 0; i < ProductCount(); ++i) {
            const ProductInfo& p = Product(i);
            const PanelFamily* family = FindPanelFamily(p.panelId);
            QVERIFY2(family, p.label);
            CPanelBase* panel = CreatePanel(p.panelId, &frame, nullptr);
            QCOMPARE(panel->DialogId(), p.panelId);
            QCOMPARE(QByteArray(panel->metaObject()->className()),
                     "Korvane::" + QByteArray(p.panelClass));
            delete panel;
        }
        // Routed messages find the panel of the product that routes them.
        for (int i = 0; i < ProductCount(); ++i)
            for (const RouteRule& rule : Product(i).routes)
                if (rule.message != 0)
                    QCOMPARE(PanelForMessage(rule.message), Product(i).panelId);
    }

    void panelKnowsTheProductItServes() {
        CMainFrame frame;
        frame.SelectProduct(8);
        CPanelBase* balance = frame.CurrentPanel();
        QCOMPARE(balance->CurrentProduct(), 8);
        frame.SelectProduct(9); // same panel serves on, and is told
        QCOMPARE(frame.CurrentPanel(), balance);
        QCOMPARE(balance->CurrentProduct(), 9);
        frame.SelectProduct(5);
        QCOMPARE(frame.CurrentPanel()->CurrentProduct(), 5);
        QCOMPARE(balance->CurrentProduct(), 9); // a hidden panel is not told about others
        frame.SelectProduct(8);
        QCOMPARE(balance->CurrentProduct(), 8);
    }

    void twoWindowsEachServeTheirOwnProduct() {
        // A drives a Birch Robot Car, B (selected afterwards) a balance car; each window has
        // its own terminal, product, routes and panels.
        StationOnPty a, b;
        QVERIFY(a.Start(5));
        QVERIFY(b.Start(8));
        QCOMPARE(a.frame->CurrentProduct(), 5);
        QCOMPARE(b.frame->CurrentProduct(), 8);
        auto* distanceA = qobject_cast<QLabel*>(FindControl(a.frame->CurrentPanel(), 1194));
        auto* distanceB = qobject_cast<QLineEdit*>(FindControl(b.frame->CurrentPanel(), 1009));
        QVERIFY(distanceA && distanceB);

        // Each receives what its own device says, by its own product's routes.
        a.pty->Write("$1,0,0,0,0,0,0,0,0,0,0,321,0#");
        b.pty->Write("$LV1,RV2,AC3,GY4,CSB55,VT7.5#");
        QTRY_COMPARE(distanceA->text(), QStringLiteral("321"));
        QTRY_COMPARE(distanceB->text(), QStringLiteral("55"));

        // Each sends down its own link only.
        QTest::keyClick(a.frame->CurrentPanel(), Qt::Key_W);
        QTest::keyClick(b.frame->CurrentPanel(), Qt::Key_S);
        QCOMPARE(a.pty->ReadAtLeast(21), QByteArray("$1,0,0,0,0,0,0,0,0,0#"));
        QCOMPARE(b.pty->ReadAtLeast(21), QByteArray("$2,0,0,0,0,0,0,0,0,0#"));
        QVERIFY(a.frame->SendFrame("$0,0,0,0,0,0,0,0,0,0#"));
        QCOMPARE(a.pty->ReadAtLeast(21), QByteArray("$0,0,0,0,0,0,0,0,0,0#"));

        // B changes product again: A's frames still go by A's product.
        b.frame->SelectProduct(14);
        a.pty->Write("$1,0,0,0,0,0,0,0,0,0,0,77,0#");
        QTRY_COMPARE(distanceA->text(), QStringLiteral("77"));
        QCOMPARE(b.pty->ReadFor(30), QByteArray());

        // A window whose link is closed tells its user and puts nothing on another's line.
        {
            CMainFrame closed;
            closed.SelectProduct(5);
            closed.show();
            auto* forward =
                qobject_cast<QAbstractButton*>(FindControl(closed.CurrentPanel(), 1193));
            QVERIFY(forward);
            forward->click();
            QCOMPARE(m_messages.size(), 1);
        }
        QCOMPARE(a.pty->ReadFor(30), QByteArray());
        QCOMPARE(b.pty->ReadFor(30), QByteArray());
    }

    void eachPressReachesThePanelOnce() {
        KeyBench bench;
        // Four identical synthetic presses (same address, same time stamp) are four presses.
        for (int i = 0; i < 4; ++i)
            Press(&bench.panel, Qt::Key_F5);
        QCOMPARE(bench.handed, QList<int>(4, Qt::Key_F5));
        bench.handed.clear();
        // Aimed at a button, which ignores it and lets it travel up: handed over once each.
        for (int i = 0; i < 4; ++i)
            Press(bench.button, Qt::Key_F5);
        QCOMPARE(bench.handed, QList<int>(4, Qt::Key_F5));
        bench.handed.clear();
        // A typed key stroke at the button, then one at the panel itself.
        QTest::keyClick(bench.button, Qt::Key_W);
        QTest::keyClick(&bench.panel, Qt::Key_W);
        QCOMPARE(bench.handed, (QList<int>{Qt::Key_W, Qt::Key_W}));
        bench.handed.clear();
        // A child added after the filter was made hands its keys over too.
        auto* later = new QPushButton(QStringLiteral("Later"), &bench.panel);
        later->show();
        Press(later, Qt::Key_A);
        QCOMPARE(bench.handed, QList<int>{Qt::Key_A});
    }

    void typingStaysInTextFields() {
        KeyBench bench;
        bench.edit->setFocus();
        QTest::keyClicks(bench.edit, QStringLiteral("wasd"));
        QCOMPARE(bench.edit->text(), QStringLiteral("wasd"));
        QTest::keyClick(bench.edit, Qt::Key_Space);
        QTest::keyClick(bench.edit, Qt::Key_Left);
        QTest::keyClick(bench.edit, Qt::Key_Up); // ignored by the edit, travels up: still text
        QTest::keyClicks(bench.spin, QStringLiteral("12"));
        QTest::keyClicks(bench.combo->lineEdit(), QStringLiteral("ws"));
        QTest::keyClicks(bench.text->viewport(), QStringLiteral("d"));
        QTest::keyClicks(bench.text, QStringLiteral("s"));
        QVERIFY2(bench.handed.isEmpty(), qPrintable(QString::number(bench.handed.size())));
        // A read-only combo box is a choice, not a text field.
        bench.combo->setEditable(false);
        QTest::keyClick(bench.combo, Qt::Key_W);
        QCOMPARE(bench.handed, QList<int>{Qt::Key_W});
    }

    void typingIntoTheBalanceCarsFieldsDrivesNothing() {
        StationOnPty station;
        QVERIFY(station.Start(8));
        auto* distance = qobject_cast<QLineEdit*>(FindControl(station.frame->CurrentPanel(), 1009));
        QVERIFY(distance);
        QTest::keyClicks(distance, QStringLiteral("wasd "));
        QCOMPARE(station.pty->ReadFor(50), QByteArray());
        // The same key on the panel drives.
        QTest::keyClick(station.frame->CurrentPanel(), Qt::Key_W);
        QCOMPARE(station.pty->ReadAtLeast(21), QByteArray("$1,0,0,0,0,0,0,0,0,0#"));
    }

    // An assistive technology's press on any button or check box of any panel returns before
    // anything else runs: no action waits in a nested event loop (a message box, a file or
    // colour dialog, a question), so a screen reader's call never times out. Real boxes and
    // dialogs are shown here (no observer), and closed after each press.
    void everyPanelActionReturnsAtOnce() {
        SetMessageObserver({});
        CMainFrame frame;
        frame.resize(1300, 900);
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        int pressed = 0;
        for (int product = 0; product < ProductCount(); ++product) {
            frame.SelectProduct(product);
            CPanelBase* panel = frame.CurrentPanel();
            const QList<QAbstractButton*> buttons = panel->findChildren<QAbstractButton*>();
            for (QAbstractButton* button : buttons) {
                if (!button->isVisible() || !button->isEnabled())
                    continue;
                QAccessibleInterface* face = QAccessible::queryAccessibleInterface(button);
                QVERIFY(face && face->actionInterface());
                const QString action = button->isCheckable()
                                           ? QAccessibleActionInterface::toggleAction()
                                           : QAccessibleActionInterface::pressAction();
                // A timer due at once fires only if an event loop runs inside the action.
                bool loopRan = false;
                QTimer::singleShot(0, &frame, [&loopRan] { loopRan = true; });
                face->actionInterface()->doAction(action);
                QVERIFY2(!loopRan, qPrintable(QStringLiteral("product %1: %2 (%3) waited")
                                                  .arg(product)
                                                  .arg(button->text(), button->objectName())));
                ++pressed;
                QCoreApplication::processEvents();
                if (button->isCheckable() && button->isChecked())
                    face->actionInterface()->doAction(action); // back as it was
                for (QWidget* w : QApplication::topLevelWidgets())
                    if (qobject_cast<QDialog*>(w) && w->isVisible())
                        w->close();
                QCoreApplication::processEvents();
            }
        }
        QVERIFY2(pressed > 300, qPrintable(QString::number(pressed)));
        SetMessageObserver([this](const QString& t) { m_messages << t; });
    }

    // No caption is cut off: on every panel each visible button and label with a caption is
    // at least as large as the caption needs.
    void noCaptionIsCutOff_data() {
        QTest::addColumn<QString>("language");
        QTest::newRow("original") << QStringLiteral("original");
        QTest::newRow("en") << QStringLiteral("en");
        QTest::newRow("zh_CN") << QStringLiteral("zh_CN");
    }
    void noCaptionIsCutOff() {
        QFETCH(QString, language);
        QVERIFY(ApplyLanguage(*LanguageFromCode(language)));
        const auto back = qScopeGuard([] { ApplyLanguage(Language::Original); });
        // The check itself: a caption far too long for its button is caught.
        QPushButton narrow(QStringLiteral("A caption far too long"));
        narrow.resize(40, 24);
        narrow.show();
        QVERIFY(!CaptionCut(&narrow).isEmpty());
        narrow.resize(narrow.sizeHint());
        QVERIFY(CaptionCut(&narrow).isEmpty());

        CMainFrame frame;
        frame.resize(1300, 900);
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        QStringList cut;
        for (int product = 0; product < ProductCount(); ++product) {
            frame.SelectProduct(product);
            QCoreApplication::processEvents();
            for (QWidget* w : frame.CurrentPanel()->findChildren<QWidget*>())
                if (const QString why = CaptionCut(w); !why.isEmpty())
                    cut << QStringLiteral("product %1: %2").arg(product).arg(why);
        }
        cut.removeDuplicates();
        QVERIFY2(cut.isEmpty(), qPrintable(cut.join(QLatin1Char('\n'))));
    }

  private:
    // Why a visible button's or label's caption does not fit the widget; empty when it does.
    static QString CaptionCut(QWidget* w) {
        if (!w->isVisible())
            return {};
        QString text;
        if (auto* b = qobject_cast<QAbstractButton*>(w))
            text = b->text();
        else if (auto* l = qobject_cast<QLabel*>(w); l && !l->wordWrap())
            text = l->text();
        if (text.isEmpty())
            return {};
        // A push button's size hint has the style's least button width in it; what the caption
        // needs is its text within the rectangle the style draws it in.
        QSize need = w->sizeHint();
        if (auto* push = qobject_cast<QPushButton*>(w); push && !text.contains(QLatin1Char('\n'))) {
            QStyleOptionButton option;
            option.initFrom(push);
            option.text = text;
            const QRect inside =
                push->style()->subElementRect(QStyle::SE_PushButtonContents, &option, push);
            need.setWidth(
                push->fontMetrics().horizontalAdvance(QString(text).remove(QLatin1Char('&'))) +
                (push->width() - inside.width()));
        }
        if (need.width() <= w->width() + 1 && need.height() <= w->height() + 1)
            return {};
        return QStringLiteral("%1 \"%2\" needs %3x%4, has %5x%6")
            .arg(QString::fromLatin1(w->metaObject()->className()), text)
            .arg(need.width())
            .arg(need.height())
            .arg(w->width())
            .arg(w->height());
    }
};

QTEST_MAIN(TestStationSeams)
#include "test_station_seams.moc"
