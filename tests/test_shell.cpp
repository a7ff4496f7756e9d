// The application shell: selection dialog, main window and panel switching, status bar,
// port configuration dialog, open/close command, start options.
#include "core/products/catalogue.h"
#include "gui/common/control_ids.h"
#include "gui/common/message_seam.h"
#include "gui/panels/panel_base.h"
#include "gui/serial_cars/basic_car_panel.h"
#include "gui/shell/about_dlg.h"
#include "gui/shell/color_status.h"
#include "gui/shell/config_dlg.h"
#include "gui/shell/korvane_doc.h"
#include "gui/shell/main_frame.h"
#include "gui/shell/product_select_dlg.h"
#include "gui/shell/startup.h"
#include "link_wait.h"
#include "pty_pair.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QProcess>
#include <QSerialPortInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>

#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Korvane;

namespace {
const QColor kRed(255, 0, 0);
const QColor kGreen(0, 255, 0);
const QColor kWhite(255, 255, 255);

void Click(QWidget* root, int id) {
    auto* b = qobject_cast<QAbstractButton*>(FindControl(root, id));
    QVERIFY2(b, qPrintable(QStringLiteral("no button %1").arg(id)));
    QTest::mouseClick(b, Qt::LeftButton);
}

void Type(QWidget* root, int id, const QString& text) {
    auto* c = qobject_cast<QComboBox*>(FindControl(root, id));
    QVERIFY(c);
    c->setEditText(text);
}
} // namespace

namespace {

// Starts a program (the station, or a wrapper around it) on the offscreen platform.
void StartOffscreen(QProcess& process, const QString& program, const QStringList& args) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process.setProcessEnvironment(env);
    process.start(program, args);
}

} // namespace

class TestShell : public QObject {
    Q_OBJECT
    const Korvane::CMessageSeam m_seam; // the messages and answers of this test program
    QStringList m_messages;

  private slots:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        SetMessageObserver([this](const QString& t) { m_messages << t; });
    }
    void init() { m_messages.clear(); }

    void selectionDialogAnswers() {
        {
            CProductSelectDlg dlg;
            dlg.show();
            Click(&dlg, 1); // OK without touching anything
            QCOMPARE(dlg.result(), int(QDialog::Accepted));
            QCOMPARE(dlg.SelectedIndex(), 0);
        }
        {
            CProductSelectDlg dlg;
            dlg.show();
            Click(&dlg, 1037); // placed before 1039, after 1038: product 9
            Click(&dlg, 1);
            QCOMPARE(dlg.SelectedIndex(), 9);
        }
        {
            CProductSelectDlg dlg;
            dlg.show();
            Click(&dlg, 1040);
            Click(&dlg, 2);
            QCOMPARE(dlg.result(), int(QDialog::Rejected));
        }
        CProductSelectDlg dlg;
        for (int i = 0; i < ProductCount(); ++i) {
            auto* radio = qobject_cast<QAbstractButton*>(FindControl(&dlg, Product(i).radioId));
            QVERIFY(radio);
            QCOMPARE(radio->text(), QString::fromLatin1(Product(i).label));
        }
        QCOMPARE(dlg.windowTitle(), QStringLiteral("Please select the product type first:"));
    }

    void panelsAreCreatedOnceAndKept() {
        CMainFrame frame;
        frame.SelectProduct(5);
        CPanelBase* birch = frame.CurrentPanel();
        QVERIFY(qobject_cast<CArduinoCarFormView*>(birch));
        // A frame read by the station while the panel is shown.
        frame.Station()
            .ModelOf<CBasicCarModel>(PanelBirchCar)
            .ApplyFrame("$0,0,0,0,0,0,0,0,0,0,0,42,0#");

        frame.SelectProduct(14);
        QCOMPARE(frame.CurrentPanel()->DialogId(), int(PanelPendrix));
        QVERIFY(!birch->isVisible() || !frame.isVisible());
        frame.SelectProduct(5);
        QCOMPARE(frame.CurrentPanel(), birch); // same instance, same state
        QCOMPARE(static_cast<CBasicCarPanel*>(birch)->DistanceText(), QStringLiteral("42"));

        frame.SelectProduct(8);
        CPanelBase* balance = frame.CurrentPanel();
        frame.SelectProduct(9);
        QCOMPARE(frame.CurrentPanel(), balance);
        QCOMPARE(frame.CurrentProduct(), 9);
        QCOMPARE(frame.windowTitle(), QStringLiteral("Korvane PC V4.0 \u2014 Cedar Balance Car"));
        QVERIFY(FindCommand(&frame, 32811)->isChecked());
        QVERIFY(!FindCommand(&frame, 32810)->isChecked());

        frame.SelectProduct(12);
        QCOMPARE(frame.windowTitle(), QStringLiteral("Korvane PC V4.0 \u2014 ") +
                                          QString::fromLatin1(Product(12).label));
        // The menu item drives the same operation.
        FindCommand(&frame, 32807)->trigger();
        QCOMPARE(frame.CurrentPanel(), birch);
        QCOMPARE(frame.CurrentProduct(), 5);
    }

    void statusPanesFollowTheLink() {
        CMainFrame frame;
        CColorStatu* bar = frame.StatusBar();
        QCOMPARE(bar->PaneText(1), QStringLiteral("COMXXX"));
        QCOMPARE(bar->PaneText(2), QStringLiteral("XXXX"));
        QCOMPARE(bar->PaneText(3), QStringLiteral("CLOSE"));
        QCOMPARE(bar->PaneBackground(3), kRed);

        QVERIFY(!OpenNow(frame.Link(), QStringLiteral("/dev/korvane-missing"), 9600));
        QCOMPARE(bar->PaneText(3), QStringLiteral("Fail"));
        QCOMPARE(bar->PaneText(1), QStringLiteral("COMXXX")); // unchanged by a failure

        PtyPair pty;
        QVERIFY(OpenNow(frame.Link(), pty.SlavePath(), 9600));
        QCOMPARE(bar->PaneText(1), pty.SlavePath());
        QCOMPARE(bar->PaneBackground(1), kWhite);
        QCOMPARE(bar->PaneText(2), QStringLiteral("9600"));
        QCOMPARE(bar->PaneText(3), QStringLiteral("Nomal"));
        QCOMPARE(bar->PaneBackground(3), kGreen);

        // Open/close command: close, then reopen the stored port.
        QAction* toggle = FindCommand(&frame, CmdOpenClose);
        QVERIFY(toggle);
        QCOMPARE(toggle->statusTip(), QStringLiteral("打开或者关闭串口!"));
        toggle->trigger();
        QCOMPARE(bar->PaneText(3), QStringLiteral("CLOSE"));
        QVERIFY(!frame.SendFrame("$0,0,0,0,0,0,0,0,0,0#"));
        toggle->trigger();
        QTRY_COMPARE(bar->PaneText(3), QStringLiteral("Nomal"));
        QVERIFY(frame.SendFrame("$0,0,0,0,0,0,0,0,0,0#"));
        QCOMPARE(pty.ReadAtLeast(21), QByteArray("$0,0,0,0,0,0,0,0,0,0#"));
    }

    void paneDrawsTextCellsOnly() {
        CColorStatu bar;
        bar.resize(400, 30);
        bar.show();
        bar.SetColorPane(3, QStringLiteral("Nomal"), kGreen);
        QImage img = bar.Pane(3)->grab().toImage();
        int green = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                green += img.pixelColor(x, y) == kGreen;
        QVERIFY(green > 20);
        QCOMPARE(img.pixelColor(0, 0) == kGreen, false); // 1 pixel left of the text cells
        bar.SetColorPane(3, QString(), kRed);
        img = bar.Pane(3)->grab().toImage();
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                QVERIFY(img.pixelColor(x, y) != kRed);
        QCOMPARE(bar.Pane(3)->accessibleName(), QStringLiteral("Link state"));
    }

    void sendWithoutLinkTellsTheUser() {
        CMainFrame frame;
        QVERIFY(!frame.SendFrame("$1,0,0,0,0,0,0,0,0,0#"));
        QCOMPARE(m_messages, QStringList{QStringLiteral(
                                 "The serial port is not open or has been disconnected. Please "
                                 "reconnect!")});
    }

    void configDialogMessagesAndOpen() {
        CMainFrame frame;
        PtyPair pty;
        auto dlgOwner = frame.MakeConfigDialog();
        CConfigDlg& dlg = *dlgOwner;
        dlg.show();
        QCOMPARE(dlg.windowTitle(), QStringLiteral("配置通信参数"));
        Click(&dlg, 1);
        QCOMPARE(m_messages.takeLast(),
                 QStringLiteral("Please select a valid serial number first!"));
        Type(&dlg, 1041, pty.SlavePath());
        Click(&dlg, 1);
        QCOMPARE(m_messages.takeLast(),
                 QStringLiteral("Please select the effective baud rate first!"));
        QVERIFY(dlg.isVisible());

        Type(&dlg, 1041, QStringLiteral("/dev/korvane-missing"));
        Type(&dlg, 1042, QStringLiteral("115200"));
        QVERIFY(m_messages.isEmpty());
        Click(&dlg, 1);
        // The port answers later; meanwhile the link is opening and Open cannot be pressed.
        QVERIFY(dlg.IsOpening());
        QVERIFY(!FindControl(&dlg, 1)->isEnabled());
        QCOMPARE(frame.StatusBar()->PaneText(3), QStringLiteral("Opening"));
        QTRY_COMPARE(m_messages.size(), 1);
        // The station's own first line, then what happened and what to do.
        const QStringList lines = m_messages.takeLast().split(QLatin1Char('\n'));
        QCOMPARE(lines.first(), QStringLiteral("The serial port does not exist or is occupied！"));
        QVERIFY2(lines.last().startsWith(QStringLiteral("/dev/korvane-missing is not there")),
                 qPrintable(lines.last()));
        QVERIFY(dlg.isVisible());
        QVERIFY(FindControl(&dlg, 1)->isEnabled());
        QCOMPARE(frame.StatusBar()->PaneText(3), QStringLiteral("Fail"));

        Type(&dlg, 1041, pty.SlavePath());
        Type(&dlg, 1042, QStringLiteral("19200"));
        Click(&dlg, 1);
        QTRY_COMPARE(m_messages.size(), 1);
        QCOMPARE(m_messages.takeLast(), QStringLiteral("Open serial port successfully！"));
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        QVERIFY(frame.Link().IsOpen());
        QCOMPARE(frame.StatusBar()->PaneText(2), QStringLiteral("19200"));
    }

    void configDialogCloseAndCancel() {
        CMainFrame frame;
        {
            auto dlgOwner = frame.MakeConfigDialog();
            CConfigDlg& dlg = *dlgOwner;
            dlg.show();
            Click(&dlg, 1039); // no link open: still "CLOSE", and the dialog closes
            QVERIFY(!dlg.isVisible());
            QCOMPARE(frame.StatusBar()->PaneText(3), QStringLiteral("CLOSE"));
        }
        PtyPair pty;
        QVERIFY(OpenNow(frame.Link(), pty.SlavePath(), 9600));
        {
            auto dlgOwner = frame.MakeConfigDialog();
            CConfigDlg& dlg = *dlgOwner;
            dlg.show();
            Click(&dlg, 2); // cancel leaves the link alone
            QVERIFY(!dlg.isVisible());
            QVERIFY(frame.Link().IsOpen());
        }
        auto dlgOwner = frame.MakeConfigDialog();
        CConfigDlg& dlg = *dlgOwner;
        dlg.show();
        Click(&dlg, 1039);
        QVERIFY(!frame.Link().IsOpen());
        QCOMPARE(frame.StatusBar()->PaneText(3), QStringLiteral("CLOSE"));
        QVERIFY(m_messages.isEmpty());
    }

    void portListIsReadOnEveryDropDown() {
        // The list shows the system's ports; pseudo-terminals are not among them. A machine
        // without any port says so each time the list opens. What was typed stays.
        QStringList system;
        for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
            system << info.portName();
        CPortCombo combo;
        combo.setEditable(true);
        combo.addItem(QStringLiteral("stale entry"));
        combo.setEditText(QStringLiteral("/dev/typed"));
        for (int round = 0; round < 2; ++round) {
            combo.showPopup();
            combo.hidePopup();
        }
        QStringList shown;
        for (int i = 0; i < combo.count(); ++i)
            shown << combo.itemText(i);
        QCOMPARE(shown, system);
        if (system.isEmpty())
            QCOMPARE(m_messages, (QStringList{QStringLiteral("No serial port found!"),
                                              QStringLiteral("No serial port found!")}));
        else
            QVERIFY(m_messages.isEmpty());
        QCOMPARE(combo.currentText(), QStringLiteral("/dev/typed"));
    }

    void openCloseBeforeAnyOpenAsksForAPort() {
        CMainFrame frame;
        frame.show();
        // The port dialog opens without a nested event loop: the command returns at once.
        FindCommand(&frame, CmdOpenClose)->trigger();
        auto* dlg = frame.findChild<CConfigDlg*>();
        QVERIFY(dlg && dlg->isVisible());
        QCOMPARE(frame.StatusBar()->PaneText(3), QStringLiteral("CLOSE"));
        QPointer<CConfigDlg> closing = dlg;
        dlg->reject();
        QTRY_VERIFY(!closing); // and goes when closed
    }

    void recentFilesKeepFour() {
        CMainFrame frame;
        auto* doc = frame.findChild<CKorvaneDoc*>();
        QVERIFY(doc);
        QTemporaryDir dir;
        for (int i = 0; i < 6; ++i)
            QVERIFY(doc->SaveTo(dir.filePath(QStringLiteral("doc%1.korvane").arg(i))));
        const QStringList recent = doc->RecentFiles();
        QCOMPARE(recent.size(), 4);
        QCOMPARE(recent.first(), dir.filePath(QStringLiteral("doc5.korvane")));
        QCOMPARE(QFileInfo(recent.first()).size(), 0); // the document has no content
    }

    void theMenusAndToolbarFollowTheCommandTable() {
        QSettings().clear(); // no recent files of earlier tests
        CMainFrame frame;
        auto* doc = frame.findChild<CKorvaneDoc*>();
        QTemporaryDir dir;
        QVERIFY(doc->SaveTo(dir.filePath(QStringLiteral("a.korvane"))));
        // Every command of the table is there once, with its caption and state.
        for (const CommandRow& row : MainCommands()) {
            if (row.id == 0)
                continue;
            QAction* a = FindCommand(&frame, row.id);
            QVERIFY2(a, qPrintable(QString::number(row.id)));
            QCOMPARE(a->text(), QString::fromUtf8(row.text));
            QCOMPARE(a->isEnabled(), row.enabled);
            QCOMPARE(a->isCheckable(), row.checkable);
        }
        // The toolbar, left to right.
        QStringList toolbar;
        for (QAction* a : frame.findChild<QToolBar*>(QStringLiteral("mainToolBar"))->actions())
            toolbar << (a->isSeparator() ? QStringLiteral("|") : a->text());
        QCOMPARE(toolbar,
                 (QStringList{"New(&N)", "Open(&O)...", "Save(&S)", "|", "Cut(&T)", "Copy(&C)",
                              "Paste(&P)", "|", "Print", "About Korvane(&A)...", "Open/Close"}));
        // File: the recent file between Save As and Exit, Exit last.
        QMenu* file = frame.menuBar()->actions().first()->menu();
        QStringList shown;
        for (QAction* a : file->actions())
            if (a->isVisible())
                shown << (a->isSeparator() ? QStringLiteral("|") : a->text());
        QCOMPARE(shown,
                 (QStringList{"New(&N)", "Open(&O)...", "Save(&S)", "Save As(&A)...", "|",
                              QStringLiteral("&1 ") + dir.filePath("a.korvane"), "|", "Exit(&X)"}));
        // What a command does: the toolbar's check item hides the toolbar.
        frame.show();
        FindCommand(&frame, CmdViewToolbar)->trigger();
        QVERIFY(!frame.findChild<QToolBar*>(QStringLiteral("mainToolBar"))->isVisible());
        QStringList menus;
        for (QAction* a : frame.menuBar()->actions())
            menus << a->text();
        QCOMPARE(menus, (QStringList{"File(&F)", "Edit(&E)", "View(&V)", "Product Select", "Config",
                                     "Help(&H)"}));
    }

    void everyControlIsNamedForAssistiveTechnology() {
        // What a screen reader reads, asked through QAccessible: buttons and edits have a name
        // (their caption, or the caption label that is their buddy); a label that shows a
        // value is read by its value (never hidden behind a fixed name) and says what it is
        // in its description.
        CMainFrame frame;
        QList<QWidget*> roots;
        for (int product : {5, 6, 7, 8, 10, 14}) {
            frame.SelectProduct(product);
            roots << frame.CurrentPanel();
        }
        auto configOwner = frame.MakeConfigDialog();
        CConfigDlg& config = *configOwner;
        CProductSelectDlg select;
        roots << &config << &select << frame.StatusBar();
        for (QWidget* root : roots) {
            QStringList buttonsHeard; // what a listener hears of each button: never twice
            for (QWidget* w : root->findChildren<QWidget*>()) {
                if (!w->isVisibleTo(root) && root != frame.StatusBar())
                    continue;
                QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(w);
                if (qobject_cast<QAbstractButton*>(w)) {
                    const QString heard = iface->text(QAccessible::Name) + " / " +
                                          iface->text(QAccessible::Description);
                    QVERIFY2(!buttonsHeard.contains(heard),
                             qPrintable(heard + " twice in " + root->objectName()));
                    buttonsHeard << heard;
                }
                QVERIFY(iface);
                const QString what = w->objectName() + " in " + root->objectName();
                const QString name = iface->text(QAccessible::Name);
                const QString description = iface->text(QAccessible::Description);
                if (auto* label = qobject_cast<QLabel*>(w); label && !label->pixmap().isNull()) {
                    QVERIFY2(!name.isEmpty(), qPrintable(what)); // a picture: named by role
                } else if (auto* label = qobject_cast<QLabel*>(w);
                           label && !w->property("ctrlId").isNull()) {
                    // A value label: its name is its text, whatever that is now.
                    if (!label->text().isEmpty())
                        QCOMPARE(name, label->text());
                    QVERIFY2(!description.isEmpty(), qPrintable(what));
                } else if (qobject_cast<QAbstractButton*>(w) || qobject_cast<QComboBox*>(w) ||
                           qobject_cast<QLineEdit*>(w) || qobject_cast<CColorPane*>(w)) {
                    QVERIFY2(!name.isEmpty(), qPrintable(what));
                }
            }
        }
    }

    void aboutBox() {
        CAboutDlg about;
        about.show();
        QCOMPARE(about.windowTitle(), QStringLiteral("About Korvane V4.0"));
        bool hasVersion = false;
        for (QLabel* l : about.findChildren<QLabel*>())
            hasVersion = hasVersion || l->text() == QStringLiteral("Korvane PC Ver: 4.0");
        QVERIFY(hasVersion);
        Click(&about, 1245);
        QCOMPARE(about.result(), int(QDialog::Accepted));
    }

    void cancellingTheSelectionEndsTheProgram() {
        QTimer::singleShot(0, [] {
            if (auto* dlg = qobject_cast<CProductSelectDlg*>(QApplication::activeModalWidget()))
                dlg->reject();
        });
        StartOptions o;
        QCOMPARE(RunStation(o), 0);
        // No main window was made.
        for (QWidget* w : QApplication::topLevelWidgets())
            QVERIFY(!qobject_cast<CMainFrame*>(w));
    }

    void badCommandLineExitsWithTwo() {
        for (const QStringList& args :
             {QStringList{"--product", "99"}, QStringList{"--baud", "fast"}}) {
            QProcess station;
            station.start(QStringLiteral(KORVANE_STATION_PATH), args);
            QVERIFY(station.waitForFinished(10000));
            QCOMPARE(station.exitCode(), 2);
            QVERIFY(station.readAllStandardError().startsWith("korvane: "));
        }
    }

    // A port that does not open says why and what to do, through the real open path of the
    // station's own executable: a port the user may not open, one another program holds, one
    // that is gone.
    void aPortThatDoesNotOpenSaysWhatToDo() {
        const QString kFirst = QStringLiteral("The serial port does not exist or is occupied！");
        auto run = [](const QString& program, const QStringList& args) {
            QProcess station;
            StartOffscreen(station, program, args);
            if (!station.waitForFinished(15000))
                station.kill();
            return QString::fromUtf8(station.readAllStandardError());
        };
        const QStringList common = {"--product", "5", "--baud", "9600", "--quit-after", "2500"};

        // Permission: the device node belongs to another user and a group this user is not in.
        // Run as root, the station is started without the capabilities that pass over a file's
        // mode, so it meets the mode as any user would.
        {
            PtyPair pty;
            const QByteArray node = QFile::encodeName(pty.SlavePath());
            QString program = QStringLiteral(KORVANE_STATION_PATH);
            QStringList args = common;
            if (geteuid() == 0) {
                const group* dialout = getgrnam("dialout");
                QVERIFY(dialout);
                QCOMPARE(::chown(node.constData(), 65534, dialout->gr_gid), 0);
                QCOMPARE(::chmod(node.constData(), 0660), 0);
                args =
                    QStringList{"--bounding-set", "-dac_override,-dac_read_search", "--", program} +
                    args;
                program = QStringLiteral("setpriv");
            } else {
                QCOMPARE(::chmod(node.constData(), 0060), 0);
            }
            struct stat st {};
            QCOMPARE(::stat(node.constData(), &st), 0);
            const QString groupName = QString::fromLocal8Bit(getgrgid(st.st_gid)->gr_name);
            const QString err = run(program, args + QStringList{"--port", pty.SlavePath()});
            QVERIFY2(err.contains(QStringLiteral("message: ") + kFirst + QStringLiteral("\n\n")),
                     qPrintable(err));
            QVERIFY2(
                err.contains(QStringLiteral("only members of the group \"%1\" may").arg(groupName)),
                qPrintable(err));
            QVERIFY2(err.contains(QStringLiteral("sudo usermod -aG %1 ").arg(groupName)),
                     qPrintable(err));
            QVERIFY(err.contains(QStringLiteral("log out and in again")));
        }
        // Busy: another station has the port open; the second one names it.
        {
            PtyPair pty;
            QProcess holder;
            StartOffscreen(holder, QStringLiteral(KORVANE_STATION_PATH),
                           {"--product", "5", "--port", pty.SlavePath(), "--baud", "9600", "--demo",
                            "--trace", "--quit-after", "4000"});
            QVERIFY(holder.waitForStarted());
            // Until the holder has the port open: its demo then sends its first frame. (A
            // descriptor alone says nothing: the child inherits the test's own.)
            QByteArray out;
            QTRY_VERIFY_WITH_TIMEOUT((out += holder.readAllStandardOutput()).contains("TX "),
                                     10000);
            const QString err = run(QStringLiteral(KORVANE_STATION_PATH),
                                    common + QStringList{"--port", pty.SlavePath()});
            QVERIFY2(err.contains(kFirst), qPrintable(err));
            QVERIFY2(
                err.contains(QStringLiteral("is in use by another program: korvane (process %1)")
                                 .arg(holder.processId())),
                qPrintable(err));
            // The holder ends by itself, so that it gives its lock back.
            QVERIFY(holder.waitForFinished(15000));
            QCOMPARE(holder.exitCode(), 0);
        }
        // Gone: a device node that was there and is not any more (a link standing for it, as
        // the simulator makes one; a closed pseudo-terminal's own number is soon used again).
        {
            QTemporaryDir dir;
            const QString vanished = dir.filePath(QStringLiteral("ttyUSB-car"));
            {
                PtyPair pty;
                QVERIFY(QFile::link(pty.SlavePath(), vanished));
                QVERIFY(QFile::exists(vanished));
                QVERIFY(QFile::remove(vanished));
            }
            const QString err =
                run(QStringLiteral(KORVANE_STATION_PATH), common + QStringList{"--port", vanished});
            QVERIFY2(
                err.contains(vanished + QStringLiteral(" is not there: the device is unplugged")),
                qPrintable(err));
            QVERIFY(err.contains(QStringLiteral("Ports present now")) ||
                    err.contains(QStringLiteral("No serial port is present now")));
        }
    }

    void theTraceNeverPrintsDeviceBytesRaw() {
        // A device's bytes reach the terminal decoded and escaped: no escape sequence of the
        // device's, no NUL cutting the line short.
        PtyPair pty;
        QProcess station;
        StartOffscreen(station, QStringLiteral(KORVANE_STATION_PATH),
                       {"--product", "0", "--port", pty.SlavePath(), "--baud", "115200", "--trace",
                        "--quit-after", "2500"});
        QVERIFY(station.waitForStarted());
        QTest::qWait(1200); // the port is open by now
        static const char kFrame[] = "$51,\x1b[2J\xD6\xD0\0tail#";
        pty.Write(QByteArray(kFrame, sizeof kFrame - 1));
        QVERIFY(station.waitForFinished(10000));
        const QByteArray out = station.readAllStandardOutput();
        QVERIFY2(out.contains(QString::fromUtf8("RX $51,\\x1B[2J中\\x00tail#").toUtf8()),
                 out.constData());
        QVERIFY(!out.contains('\x1b'));
    }

    void scriptsCanRelyOnTheExitCode() {
        auto run = [](const QStringList& args, QByteArray* out = nullptr,
                      QByteArray* err = nullptr) {
            QProcess station;
            StartOffscreen(station, QStringLiteral(KORVANE_STATION_PATH), args);
            if (!station.waitForFinished(15000)) {
                station.kill();
                return -1;
            }
            if (out)
                *out = station.readAllStandardOutput();
            if (err)
                *err = station.readAllStandardError();
            return station.exitCode();
        };
        QByteArray out, err;
        QCOMPARE(run({"--help"}, &out), 0);
        QVERIFY(out.contains("--product"));
        QCOMPARE(run({"--version"}, &out), 0);
        QVERIFY(out.contains("4.0"));
        // Nobody could answer the product dialog without a display.
        QCOMPARE(run({"--quit-after", "100"}, nullptr, &err), 2);
        QVERIFY(err.contains("--product"));
        // A port that does not open ends an unattended run with 1, and says why.
        QCOMPARE(run({"--product", "5", "--port", "/dev/korvane-missing", "--quit-after", "3000"},
                     nullptr, &err),
                 1);
        QVERIFY(err.contains("did not open"));
        // A screenshot that cannot be written is an error before anything runs.
        QCOMPARE(run({"--product", "5", "--screenshot", "/nonexistent-dir/shot.png", "--quit-after",
                      "100"},
                     nullptr, &err),
                 2);
        QVERIFY(err.contains("screenshot"));
        QTemporaryDir dir;
        const QString shot = dir.filePath(QStringLiteral("shot.png"));
        QCOMPARE(run({"--product", "5", "--screenshot", shot, "--quit-after", "300"}), 0);
        QVERIFY(QImage(shot).width() > 100);
    }

    void startOptions() {
        StartOptions o;
        QString error;
        QVERIFY(ParseStartOptions(
            {"korvane", "--product", "5", "--port", "/dev/ttyUSB0", "--baud", "115200"}, &o,
            &error));
        QCOMPARE(o.product, 5);
        QCOMPARE(o.port, QStringLiteral("/dev/ttyUSB0"));
        QCOMPARE(o.baud, 115200);
        QVERIFY(ParseStartOptions({"korvane", "--language", "zh_CN"}, &o, &error));
        QCOMPARE(o.language, QStringLiteral("zh_CN"));
        QVERIFY(!o.classroomRoot);
        QVERIFY(ParseStartOptions({"korvane", "--classroom", "--classroom-root", "school/room3/"},
                                  &o, &error));
        QCOMPARE(o.classroomRoot, std::optional<QString>(QStringLiteral("school/room3")));
        for (const QStringList& bad :
             {QStringList{"korvane", "--product", QString::number(ProductCount())},
              QStringList{"korvane", "--product", "x"}, QStringList{"korvane", "--baud", "0"},
              QStringList{"korvane", "--port", ""}, QStringList{"korvane", "--bogus"},
              QStringList{"korvane", "extra"}, QStringList{"korvane", "--language", "fr"},
              QStringList{"korvane", "--classroom-root", "korvane/#"}}) {
            StartOptions o2;
            QVERIFY2(!ParseStartOptions(bad, &o2, &error), qPrintable(bad.join(' ')));
            QVERIFY(!error.isEmpty());
        }
    }
};

QTEST_MAIN(TestShell)
#include "test_shell.moc"
