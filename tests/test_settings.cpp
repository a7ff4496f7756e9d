// What the station remembers from one start to the next, and the port list that follows the
// hardware: two stations in turn on one settings file, a damaged or unreadable settings file
// through the station's own executable, and the port dialog with ports that come and go.
#include "core/settings/station_settings.h"
#include "gui/common/control_ids.h"
#include "gui/common/message_seam.h"
#include "gui/serial_cars/balence_form_view.h"
#include "gui/shell/config_dlg.h"
#include "gui/shell/frame_monitor.h"
#include "gui/shell/main_frame.h"
#include "link_wait.h"
#include "pty_pair.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

using namespace Korvane;

namespace {

PortEntry Usb(const QString& name, const QString& serial) {
    PortEntry e;
    e.name = name;
    e.description = QStringLiteral("USB2.0-Serial");
    e.manufacturer = QStringLiteral("QinHeng Electronics");
    e.serialNumber = serial;
    e.hasIds = true;
    e.vendorId = 0x1a86;
    e.productId = 0x7523;
    return e;
}

PortEntry Bluetooth(const QString& name) {
    PortEntry e;
    e.name = name;
    e.bluetooth = true;
    return e;
}

} // namespace

class TestSettings : public QObject {
    Q_OBJECT
    const Korvane::CMessageSeam m_seam; // the messages and answers of this test program
    QStringList m_messages;

  private slots:
    void initTestCase() {
        SetMessageObserver([this](const QString& t) { m_messages << t; });
    }
    void init() {
        QSettings().clear();
        m_messages.clear();
    }

    void aSecondStartFindsWhatTheFirstLeft() {
        PtyPair pty;
        {
            CMainFrame first;
            first.RestoreLayout();
            first.show();
            QVERIFY(QTest::qWaitForWindowExposed(&first));
            first.FrameMonitor()->show();
            first.resize(1010, 990);
            // The Raspberry Pi car's addresses, typed and used.
            first.SelectProduct(13);
            CPanelBase* wifi = first.CurrentPanel();
            qobject_cast<QLineEdit*>(FindControl(wifi, 1307))->setText(QStringLiteral("127.0.0.9"));
            qobject_cast<QLineEdit*>(FindControl(wifi, 1308))->setText(QStringLiteral("1"));
            qobject_cast<QLineEdit*>(FindControl(wifi, 1306))
                ->setText(QStringLiteral("http://127.0.0.9:1/?action=stream"));
            qobject_cast<QAbstractButton*>(FindControl(wifi, 1310))->click();
            QTRY_COMPARE(m_messages.size(), 1); // nothing answers there
            // The waveform history, and the port that opened.
            first.SelectProduct(8);
            first.CurrentPanel()
                ->findChild<QComboBox*>(QStringLiteral("historyBox"))
                ->setCurrentIndex(2);
            QVERIFY(OpenNow(first.Link(), pty.SlavePath(), 19200));
            QCOMPARE(first.size(), QSize(1010, 990));
            first.close();
        }
        CStationSettings settings;
        QCOMPARE(settings.LastProduct(), 8);
        QCOMPARE(settings.LastPort().name, pty.SlavePath());
        QCOMPARE(settings.LastPort().baud, 19200);

        CMainFrame second;
        second.RestoreLayout();
        second.show();
        QVERIFY(QTest::qWaitForWindowExposed(&second));
        QCOMPARE(second.size(), QSize(1010, 990));
        QVERIFY(second.FrameMonitor()->isVisible());
        second.SelectProduct(8);
        QCOMPARE(second.CurrentPanel()
                     ->findChild<QComboBox*>(QStringLiteral("historyBox"))
                     ->currentData()
                     .toInt(),
                 5000);
        second.SelectProduct(13);
        CPanelBase* wifi = second.CurrentPanel();
        QCOMPARE(qobject_cast<QLineEdit*>(FindControl(wifi, 1307))->text(),
                 QStringLiteral("127.0.0.9"));
        QCOMPARE(qobject_cast<QLineEdit*>(FindControl(wifi, 1308))->text(), QStringLiteral("1"));
        QCOMPARE(qobject_cast<QLineEdit*>(FindControl(wifi, 1306))->text(),
                 QStringLiteral("http://127.0.0.9:1/?action=stream"));
        // Another Raspberry Pi car keeps its own defaults.
        second.SelectProduct(15);
        QCOMPARE(qobject_cast<QLineEdit*>(FindControl(second.CurrentPanel(), 1308))->text(),
                 QStringLiteral("8888"));
    }

    void aWindowAndItsPanelsRememberInTheSettingsHandedToThem() {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("portable.ini"));
        {
            CStationSettings portable(file);
            CMainFrame frame(portable, std::make_unique<CSerialPort>());
            frame.SelectProduct(8);
            frame.CurrentPanel()
                ->findChild<QComboBox*>(QStringLiteral("historyBox"))
                ->setCurrentIndex(2);
            frame.SelectProduct(13);
            auto* address = qobject_cast<QLineEdit*>(FindControl(frame.CurrentPanel(), 1307));
            address->setText(QStringLiteral("127.0.0.7"));
            qobject_cast<QAbstractButton*>(FindControl(frame.CurrentPanel(), 1310))->click();
        }
        // On disk at once, in that file, and nothing in the user's own.
        const CStationSettings again(file);
        QCOMPARE(again.LastProduct(), 13);
        QCOMPARE(again.HistoryLength(), 5000);
        QCOMPARE(again.CarText(13, CStationSettings::CarField::ControlAddress),
                 QStringLiteral("127.0.0.7"));
        const CStationSettings user;
        QCOMPARE(user.LastProduct(), -1);
        QCOMPARE(user.HistoryLength(), 0);
        QVERIFY(user.CarText(13, CStationSettings::CarField::ControlAddress).isEmpty());
    }

    void valuesOfTheWrongKindGiveTheDefaults() {
        QSettings raw;
        raw.setValue(QStringLiteral("station/product"), QStringLiteral("banana"));
        raw.setValue(QStringLiteral("port/baud"), -5);
        raw.setValue(QStringLiteral("cars/13/controlAddress"), QString(5000, QLatin1Char('x')));
        raw.setValue(QStringLiteral("balance/historyLength"), 1 << 30);
        raw.setValue(QStringLiteral("view/language"), QStringLiteral("klingon"));
        raw.sync();
        const CStationSettings settings;
        QCOMPARE(settings.LastProduct(), -1);
        QCOMPARE(settings.LastPort().baud, 0);
        QVERIFY(settings.CarText(13, CStationSettings::CarField::ControlAddress).isEmpty());
        QCOMPARE(settings.HistoryLength(), 0);
        QVERIFY(settings.Language().isEmpty());
        raw.setValue(QStringLiteral("station/product"), 99);
        QCOMPARE(CStationSettings().LastProduct(), -1);
    }

    void aDamagedOrUnreadableSettingsFileNeverStopsTheStation() {
        QTemporaryDir home;
        const QString folder = home.filePath(QStringLiteral("应用程序向导生成的本地应用程序"));
        QVERIFY(QDir().mkpath(folder));
        const QString file = folder + QStringLiteral("/Korvane.conf");
        auto run = [&home](const QString& program, const QStringList& prefix = {}) {
            QProcess station;
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
            env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.path());
            station.setProcessEnvironment(env);
            station.start(program, prefix + QStringList{QStringLiteral(KORVANE_STATION_PATH),
                                                        "--product", "5", "--quit-after", "1200"});
            if (!station.waitForFinished(15000))
                station.kill();
            return std::pair{station.exitCode(), QString::fromUtf8(station.readAllStandardError())};
        };
        auto writeFile = [&file](const QByteArray& bytes) {
            QFile f(file);
            QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
            f.write(bytes);
        };
        writeFile(QByteArray("\x00\xff\xfe garbage [[[ \n=\n\x01\x02", 20));
        auto [rc, err] = run(QStringLiteral("env"));
        QCOMPARE(rc, 0);
        QVERIFY2(err.contains(QStringLiteral("message: The settings file %1 was not used: it is "
                                             "damaged. Korvane PC starts with its defaults")
                                  .arg(file)),
                 qPrintable(err));
        const QStringList kept =
            QDir(folder).entryList({QStringLiteral("Korvane.conf.unreadable-*")}, QDir::Files);
        QCOMPARE(kept.size(), 1);
        // The second start: said once, and the new file remembers.
        std::tie(rc, err) = run(QStringLiteral("env"));
        QCOMPARE(rc, 0);
        QVERIFY2(!err.contains(QStringLiteral("The settings file")), qPrintable(err));
        QCOMPARE(
            QSettings(file, QSettings::IniFormat).value(QStringLiteral("station/product")).toInt(),
            5);
        // A file the user may not read: as root, the station runs without the capabilities that
        // pass over a file's mode.
        QVERIFY(QFile::setPermissions(file, QFileDevice::Permissions()));
        const QStringList drop =
            geteuid() == 0 ? QStringList{"--bounding-set", "-dac_override,-dac_read_search", "--"}
                           : QStringList{};
        std::tie(rc, err) =
            run(geteuid() == 0 ? QStringLiteral("setpriv") : QStringLiteral("env"), drop);
        QCOMPARE(rc, 0);
        QVERIFY2(err.contains(QStringLiteral("was not used: it cannot be read")), qPrintable(err));
    }

    void thePortListSaysWhatEachPortIs() {
        QList<PortEntry> ports = {Usb(QStringLiteral("ttyUSB0"), QStringLiteral("A1")),
                                  Bluetooth(QStringLiteral("rfcomm0"))};
        CConfigDlg dlg(nullptr, [&ports] { return ports; });
        auto* combo = qobject_cast<QComboBox*>(FindControl(&dlg, 1041));
        QCOMPARE(combo->count(), 2);
        QCOMPARE(combo->itemText(0), QStringLiteral("ttyUSB0")); // the name is what is opened
        const QString usb =
            QStringLiteral("USB2.0-Serial, QinHeng Electronics, USB 1a86:7523, serial A1");
        QCOMPARE(combo->itemData(0, CPortCombo::kSummaryRole).toString(), usb);
        QCOMPARE(combo->itemData(0, Qt::ToolTipRole).toString(), usb);
        QCOMPARE(combo->itemData(0, Qt::AccessibleDescriptionRole).toString(), usb);
        QCOMPARE(combo->itemData(1, Qt::ToolTipRole).toString(), QStringLiteral("Bluetooth"));
        // Nothing remembered: nothing offered.
        QVERIFY(combo->currentText().isEmpty());
    }

    void thePortListFollowsTheHardware() {
        QList<PortEntry> ports = {Usb(QStringLiteral("ttyUSB0"), QStringLiteral("A1"))};
        CConfigDlg dlg(nullptr, [&ports] { return ports; });
        dlg.show();
        auto* combo = qobject_cast<QComboBox*>(FindControl(&dlg, 1041));
        combo->setEditText(QStringLiteral("/dev/ttyS7"));
        ports << Usb(QStringLiteral("ttyACM0"), QStringLiteral("K2"));
        QTRY_COMPARE_WITH_TIMEOUT(combo->count(), 2, 2000);           // plugged in
        QCOMPARE(combo->currentText(), QStringLiteral("/dev/ttyS7")); // what was typed stays
        ports.removeFirst();
        QTRY_COMPARE_WITH_TIMEOUT(combo->count(), 1, 2000); // pulled out
        QCOMPARE(combo->itemText(0), QStringLiteral("ttyACM0"));
        QCOMPARE(combo->currentText(), QStringLiteral("/dev/ttyS7"));
        dlg.hide();
    }

    void theLastPortIsOfferedWhereverItIsPlugged() {
        CStationSettings settings;
        settings.SetLastPort({QStringLiteral("ttyUSB0"), QStringLiteral("A1"), 115200});
        // The same device in another socket: found by its serial number.
        QList<PortEntry> ports = {Usb(QStringLiteral("ttyUSB0"), QStringLiteral("OTHER")),
                                  Usb(QStringLiteral("ttyUSB1"), QStringLiteral("A1"))};
        {
            CConfigDlg dlg(
                nullptr, [&ports] { return ports; }, settings.LastPort());
            QCOMPARE(qobject_cast<QComboBox*>(FindControl(&dlg, 1041))->currentText(),
                     QStringLiteral("ttyUSB1"));
            QCOMPARE(qobject_cast<QComboBox*>(FindControl(&dlg, 1042))->currentText(),
                     QStringLiteral("115200"));
        }
        // Not there: nothing offered.
        ports = {Usb(QStringLiteral("ttyUSB0"), QStringLiteral("OTHER"))};
        {
            CConfigDlg dlg(
                nullptr, [&ports] { return ports; }, settings.LastPort());
            QVERIFY(qobject_cast<QComboBox*>(FindControl(&dlg, 1041))->currentText().isEmpty());
            QVERIFY(qobject_cast<QComboBox*>(FindControl(&dlg, 1042))->currentText().isEmpty());
        }
        // A port without a serial number (a Bluetooth port): found by its name.
        settings.SetLastPort({QStringLiteral("rfcomm0"), QString(), 9600});
        ports = {Bluetooth(QStringLiteral("rfcomm1")), Bluetooth(QStringLiteral("rfcomm0"))};
        CConfigDlg dlg(
            nullptr, [&ports] { return ports; }, settings.LastPort());
        QCOMPARE(qobject_cast<QComboBox*>(FindControl(&dlg, 1041))->currentText(),
                 QStringLiteral("rfcomm0"));
    }
};

QTEST_MAIN(TestSettings)
#include "test_settings.moc"
