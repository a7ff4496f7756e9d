// The station in its three languages: switching at once from the View menu while a link is
// open, keeping what every panel shows; every caption translated; the choice remembered.
#include "core/mqtt/broker_url.h"
#include "core/products/catalogue.h"
#include "core/settings/station_settings.h"
#include "gui/common/control_ids.h"
#include "gui/common/language.h"
#include "gui/common/message_seam.h"
#include "gui/shell/about_dlg.h"
#include "gui/shell/classroom_view.h"
#include "gui/shell/color_status.h"
#include "gui/shell/config_dlg.h"
#include "gui/shell/main_frame.h"
#include "gui/shell/mqtt_dlg.h"
#include "gui/shell/product_select_dlg.h"
#include "station_fixture.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QRegularExpression>
#include <QSlider>
#include <QTest>

using namespace Korvane;

namespace {

// Every text a user or a screen reader meets in a window: captions, titles, names and
// descriptions of the widgets, and the menu's entries, keyed by where they are.
QMap<QString, QString> TextsOf(QWidget* window) {
    QMap<QString, QString> texts;
    auto put = [&](QObject* o, const QString& what, const QString& text) {
        if (text.isEmpty())
            return;
        QString path;
        for (QObject* p = o; p && p != window; p = p->parent())
            path.prepend(p->objectName() + QLatin1Char('/'));
        texts.insert(path + what, text);
    };
    put(window, QStringLiteral("title"), window->windowTitle());
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (auto* b = qobject_cast<QAbstractButton*>(w))
            put(w, QStringLiteral("text"), b->text());
        else if (auto* l = qobject_cast<QLabel*>(w))
            put(w, QStringLiteral("text"), l->text());
        else if (auto* g = qobject_cast<QGroupBox*>(w))
            put(w, QStringLiteral("title"), g->title());
        put(w, QStringLiteral("name"), w->accessibleName());
        put(w, QStringLiteral("description"), w->accessibleDescription());
    }
    for (QAction* a : window->findChildren<QAction*>()) {
        put(a, QStringLiteral("action ") + QString::number(quintptr(a)), a->text());
    }
    return texts;
}

void Switch(CMainFrame& frame, const char* code) {
    QAction* choice = frame.findChild<QAction*>(QStringLiteral("language_") + QLatin1String(code));
    QVERIFY(choice);
    choice->trigger();
    // The windows are told by a posted event.
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
}

QString Caption(QWidget* panel, int id) {
    auto* b = qobject_cast<QAbstractButton*>(FindControl(panel, id));
    return b ? b->text() : QStringLiteral("<no button %1>").arg(id);
}

const QRegularExpression kChinese(QStringLiteral("[\\x{4e00}-\\x{9fff}]"));
// An English word in a Chinese caption: three letters or more, other than the names that stay
// as they are in Chinese (products, pins, chips, protocols, the default topic root).
const QRegularExpression kEnglishWord(QStringLiteral(
    "\\b(?!(?:Korvane|Birch|Alder|Cedar|Tavo|Pendrix|Vantrel|Arduino|Echo|Trig|Data|LED|SCL|"
    "SDA|PID|DHT|CSV|PNG|MQTT|mqtt|mqtts|korvane|COMXXX|XXXX|STM)\\b)[A-Za-z]{3,}\\b"));

} // namespace

class TestLanguage : public QObject {
    Q_OBJECT
    const Korvane::CMessageSeam m_seam;          // the messages and answers of this test program
    const Korvane::CTranslations m_translations; // the languages this test program shows
    const CMqttLibrary m_library;

  private slots:
    void initTestCase() {
        SetMessageObserver([](const QString&) {});
        QVERIFY(ApplyLanguage(Language::Original));
    }
    void cleanup() { ApplyLanguage(Language::Original); }

    void switchingKeepsTheLinkAndEveryPanelsState() {
        StationOnPty station;
        QVERIFY(station.Start(5, QSize(1300, 900)));
        CMainFrame& frame = *station.frame;
        station.pty->Write("$0,0,0,0,0,0,0,0,0,0,0,57,0#");
        auto* distance = qobject_cast<QLabel*>(FindControl(frame.CurrentPanel(), 1194));
        QTRY_COMPARE(distance->text(), QStringLiteral("57"));
        // The balance car's panel with a gain moved, and the 4WD panel with an address typed.
        frame.SelectProduct(8);
        auto* gain = qobject_cast<QSlider*>(FindControl(frame.CurrentPanel(), 1013));
        gain->setValue(1234);
        frame.SelectProduct(13);
        auto* address = qobject_cast<QLineEdit*>(FindControl(frame.CurrentPanel(), 1307));
        address->setText(QStringLiteral("10.1.2.3"));
        frame.SelectProduct(5);
        const QMap<QString, QString> original = TextsOf(&frame);

        Switch(frame, "en");
        QCOMPARE(CurrentLanguage(), Language::English);
        QWidget* panel = frame.CurrentPanel();
        QCOMPARE(Caption(panel, 1193), QStringLiteral("Forward"));
        QCOMPARE(frame.menuBar()->actions().first()->text(), QStringLiteral("File(&F)"));
        QCOMPARE(frame.StatusBar()->PaneText(3), QStringLiteral("Normal"));
        // Assistive technology hears the new caption.
        QAccessibleInterface* forward =
            QAccessible::queryAccessibleInterface(FindControl(panel, 1193));
        QCOMPARE(forward->text(QAccessible::Name), QStringLiteral("Forward"));
        QCOMPARE(distance->text(), QStringLiteral("57"));
        QVERIFY(frame.Link().IsOpen());
        QCOMPARE(CStationSettings().Language(), QStringLiteral("en"));

        Switch(frame, "zh_CN");
        QCOMPARE(Caption(panel, 1193), QString::fromUtf8("前"));
        QCOMPARE(frame.menuBar()->actions().first()->text(), QString::fromUtf8("文件(&F)"));
        QCOMPARE(frame.StatusBar()->PaneText(3), QString::fromUtf8("正常"));
        QVERIFY(frame.windowTitle().endsWith(QString::fromUtf8("Birch 机器人小车")));
        frame.SelectProduct(8);
        QCOMPARE(Caption(frame.CurrentPanel(), 1033), QString::fromUtf8("前"));
        QCOMPARE(gain->value(), 1234);
        QCOMPARE(qobject_cast<QLabel*>(FindControl(frame.CurrentPanel(), 1040))->text(),
                 QStringLiteral("P:12.34"));
        frame.SelectProduct(13);
        QCOMPARE(Caption(frame.CurrentPanel(), 1310), QString::fromUtf8("连接控制"));
        QCOMPARE(address->text(), QStringLiteral("10.1.2.3"));
        frame.SelectProduct(5);
        // Frames go on arriving in another language, and the link carries clicks as before.
        station.pty->Write("$0,0,0,0,0,0,0,0,0,0,0,61,0#");
        QTRY_COMPARE(distance->text(), QStringLiteral("61"));
        qobject_cast<QAbstractButton*>(FindControl(panel, 1193))->click();
        QCOMPARE(station.pty->ReadAtLeast(27), QByteArray("$1,0,0,0,0,0,0,0,0,0,0,0,0#"));

        // Back to the original captions: every text of every panel shown so far is as it was
        // (the distance aside, which the car changed meanwhile).
        Switch(frame, "original");
        QMap<QString, QString> back = TextsOf(&frame);
        QStringList differ;
        for (auto it = original.cbegin(); it != original.cend(); ++it)
            if (back.value(it.key()) != it.value() && it.value() != QLatin1String("57"))
                differ << QStringLiteral("%1: \"%2\" became \"%3\"")
                              .arg(it.key(), it.value(), back.value(it.key()));
        QVERIFY2(differ.isEmpty(), qPrintable(differ.join(QLatin1Char('\n'))));
        QCOMPARE(CStationSettings().Language(), QStringLiteral("original"));
    }

    void everyCaptionIsInTheLanguageChosen_data() {
        QTest::addColumn<QString>("code");
        QTest::newRow("en") << QStringLiteral("en");
        QTest::newRow("zh_CN") << QStringLiteral("zh_CN");
    }
    void everyCaptionIsInTheLanguageChosen() {
        QFETCH(QString, code);
        const bool english = code == QLatin1String("en");
        QStringList wrong;
        auto check = [&](const QString& where, const QMap<QString, QString>& texts) {
            for (auto it = texts.cbegin(); it != texts.cend(); ++it) {
                // The language menu offers each language in its own words; a link's address
                // is no caption.
                if (it.key().contains(QLatin1String("/language_")))
                    continue;
                // Qt's own dock buttons take their descriptions when made (Qt's translation).
                if (it.key().contains(QLatin1String("/qt_dockwidget_")))
                    continue;
                QString text = it.value();
                text.remove(QRegularExpression(QStringLiteral("<[^>]*>")));
                if (english ? text.contains(kChinese) : text.contains(kEnglishWord))
                    wrong << QStringLiteral("%1 %2: %3").arg(where, it.key(), it.value());
            }
        };
        auto visitAll = [](CMainFrame& frame) {
            for (int product = 0; product < ProductCount(); ++product) {
                frame.SelectProduct(product);
                QCoreApplication::processEvents();
            }
        };
        // Every panel made in the original language, then switched while shown...
        CMainFrame switched;
        switched.resize(1300, 900);
        switched.show();
        visitAll(switched);
        QVERIFY(ApplyLanguage(*LanguageFromCode(code)));
        QCoreApplication::processEvents();
        check(QStringLiteral("switched window"), TextsOf(&switched));
        // ...and made in the language from the start, with the dialogs.
        CMainFrame frame;
        frame.resize(1300, 900);
        frame.show();
        visitAll(frame);
        check(QStringLiteral("main window"), TextsOf(&frame));
        CConfigDlg config(&frame);
        check(QStringLiteral("port dialog"), TextsOf(&config));
        CProductSelectDlg select;
        check(QStringLiteral("product dialog"), TextsOf(&select));
        CAboutDlg about;
        check(QStringLiteral("about dialog"), TextsOf(&about));
        CMqttDlg mqtt(CStationSettings::MqttChoice{});
        check(QStringLiteral("MQTT dialog"), TextsOf(&mqtt));
        MqttOptions nowhere;
        nowhere.broker = *ParseBrokerUrl(QStringLiteral("mqtt://127.0.0.1:9"));
        CClassroomView classroom(nowhere, QStringLiteral("korvane"));
        check(QStringLiteral("classroom"), TextsOf(&classroom));
        wrong.removeDuplicates();
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(QLatin1Char('\n'))));
    }

    void languageCodesAndTheirMenuEntries() {
        // The codes are what the command line and the settings take.
        QCOMPARE(LanguageFromCode(QStringLiteral("zh_CN")), Language::Chinese);
        QCOMPARE(LanguageFromCode(QStringLiteral("en")), Language::English);
        QCOMPARE(LanguageFromCode(QStringLiteral("original")), Language::Original);
        QVERIFY(!LanguageFromCode(QStringLiteral("fr")));
        QVERIFY(!LanguageFromCode(QString()));
        // Each language is offered in its own words, whatever is shown now.
        QVERIFY(ApplyLanguage(Language::Chinese));
        QCOMPARE(LanguageMenuText(Language::English), QStringLiteral("English"));
        QCOMPARE(LanguageMenuText(Language::Original), QString::fromUtf8("原始"));
    }
};

QTEST_MAIN(TestLanguage)
#include "test_language.moc"
