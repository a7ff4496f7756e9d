#include "gui/shell/startup.h"

#include "core/boards/board_text.h"
#include "core/link/frame_log.h"
#include "core/link/port_text.h"
#include "core/mqtt/broker_url.h"
#include "core/mqtt/mqtt_bridge.h"
#include "core/products/catalogue.h"
#include "core/settings/station_settings.h"
#include "gui/common/control_ids.h"
#include "gui/common/keyring.h"
#include "gui/common/language.h"
#include "gui/common/message_seam.h"
#include "gui/panels/panel_base.h"
#include "gui/shell/classroom_view.h"
#include "gui/shell/config_dlg.h"
#include "gui/shell/frame_monitor.h"
#include "gui/shell/main_frame.h"
#include "gui/shell/product_select_dlg.h"
#include "gui/widgets/gallery.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFile>
#include <QLineEdit>
#include <QPointer>
#include <QSysInfo>
#include <QTimer>

#include <cstdio>
#include <memory>

namespace Korvane {

namespace {

bool ParseInt(const QString& text, int min, int max, int* out) {
    bool ok = false;
    const int v = text.toInt(&ok);
    if (!ok || v < min || v > max)
        return false;
    *out = v;
    return true;
}

// --trace: every frame written or assembled on any link of the window's station, and every growth
// of the count of frames dropped because the station fell behind.
void InstallTrace(CStation& station) {
    QObject::connect(&station, &CStation::frameTraced, &station, [](const TracedFrame& traced) {
        // The serial link's frames plain; a control connection's with the connection named;
        // a frame sent for a remote command (over MQTT) says so.
        // Device bytes never reach the terminal raw: GBK text is decoded and control bytes
        // (an escape sequence, a NUL) are shown escaped.
        const char* tag = traced.direction == TraceDirection::Received ? "RX"
                          : traced.Remote()                            ? "TX remote"
                                                                       : "TX";
        const QByteArray text = FrameDisplayText(traced.bytes).toUtf8();
        if (traced.link.startsWith(QLatin1String("tcp ")))
            std::printf("%s %s  [%s]\n", tag, text.constData(), traced.link.toUtf8().constData());
        else
            std::printf("%s %s\n", tag, text.constData());
        std::fflush(stdout);
    });
}

// Saves the window (when asked) and closes it after the given time; a screenshot that cannot
// be written makes the exit code 1.
void ScheduleQuit(QWidget* window, const StartOptions& options) {
    if (options.quitAfterMs <= 0)
        return;
    const QString file = options.screenshot;
    QTimer::singleShot(options.quitAfterMs, window, [window, file] {
        if (!file.isEmpty()) {
            if (window->grab().save(file)) {
                std::printf("screenshot: %s\n", file.toUtf8().constData());
            } else {
                std::fprintf(stderr, "korvane: could not write the screenshot %s\n",
                             file.toUtf8().constData());
                QCoreApplication::exit(1);
                return;
            }
        }
        window->close();
    });
}

// True when a file can be written there (an existing one is left as it is).
bool CanWrite(const QString& path) {
    QFile f(path);
    const bool existed = f.exists();
    if (!f.open(QIODevice::WriteOnly | QIODevice::Append))
        return false;
    f.close();
    if (!existed)
        f.remove();
    return true;
}

// The MQTT sharing --mqtt asks for (with --station-name); the password, if any, from the
// environment (never the command line).
std::optional<MqttOptions> MqttOptionsFor(const StartOptions& options) {
    const auto broker = ParseBrokerUrl(options.mqtt);
    if (options.mqtt.isEmpty() || !broker)
        return std::nullopt;
    MqttOptions o;
    o.broker = *broker;
    o.stationName =
        options.stationName.isEmpty() ? QSysInfo::machineHostName() : options.stationName;
    o.prefix = DefaultTopicPrefix(o.stationName);
    o.password = qEnvironmentVariable("KORVANE_MQTT_PASSWORD");
    return o;
}

// --classroom: the classroom view alone, on the broker of --mqtt or the remembered one.
int RunClassroom(const StartOptions& options, const CStationSettings& settings) {
    const std::optional<MqttOptions> remembered = RememberedClassroomBroker(settings);
    std::optional<MqttOptions> broker = MqttOptionsFor(options);
    if (!broker)
        broker = remembered;
    if (!broker) {
        std::fprintf(stderr, "korvane: --classroom needs a broker: give --mqtt URL\n");
        return 2;
    }
    broker->stationName = QStringLiteral("classroom");
    // The class: --classroom-root, else the level above the remembered topic prefix.
    const QString root = options.classroomRoot
                             ? *options.classroomRoot
                             : TopicRoot(remembered ? remembered->prefix : broker->prefix);
    CClassroomView view(*broker, root);
    view.show();
    ScheduleQuit(&view, options);
    return QApplication::exec();
}

int RunGallery(const StartOptions& options) {
    std::unique_ptr<QWidget> gallery(CreateWidgetGallery());
    gallery->show();
    ScheduleQuit(gallery.get(), options);
    return QApplication::exec();
}

void ScheduleDemo(CMainFrame* frame) {
    QTimer::singleShot(400, frame, [frame] {
        if (CPanelBase* panel = frame->CurrentPanel())
            panel->StartDemo();
    });
}

} // namespace

bool ParseStartOptions(const QStringList& args, StartOptions* options, QString* error) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Korvane PC: control station for Korvane boards, kits and robot cars."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    parser.addOptions({
        {QStringLiteral("product"),
         QStringLiteral("Start with product N (0 to %1).").arg(ProductCount() - 1),
         QStringLiteral("N")},
        {QStringLiteral("port"), QStringLiteral("Open this serial port at start."),
         QStringLiteral("NAME")},
        {QStringLiteral("baud"), QStringLiteral("Baud rate for --port (default 9600)."),
         QStringLiteral("B")},
        {QStringLiteral("demo"), QStringLiteral("Drive the car with a short key sequence.")},
        {QStringLiteral("gallery"), QStringLiteral("Show the display widgets in every state.")},
        {QStringLiteral("trace"), QStringLiteral("Print every frame sent and received.")},
        {QStringLiteral("monitor"), QStringLiteral("Open the frame monitor at start.")},
        {QStringLiteral("screenshot"), QStringLiteral("Save the main window to FILE on quit."),
         QStringLiteral("FILE")},
        {QStringLiteral("quit-after"), QStringLiteral("Quit after MS milliseconds."),
         QStringLiteral("MS")},
        {QStringLiteral("control-address"),
         QStringLiteral("Raspberry Pi cars: the control service's address, typed into the panel."),
         QStringLiteral("ADDRESS")},
        {QStringLiteral("control-port"),
         QStringLiteral("Raspberry Pi cars: the control service's port, typed into the panel."),
         QStringLiteral("PORT")},
        {QStringLiteral("video-address"),
         QStringLiteral("Raspberry Pi cars: the camera's snapshot address, typed into the panel."),
         QStringLiteral("URL")},
        {QStringLiteral("mqtt"),
         QStringLiteral("Share the station on the MQTT broker at URL (mqtt://host:port or "
                        "mqtts://host:port); the password, if any, from KORVANE_MQTT_PASSWORD."),
         QStringLiteral("URL")},
        {QStringLiteral("station-name"),
         QStringLiteral("The name the station is shared under (default: the host name)."),
         QStringLiteral("NAME")},
        {QStringLiteral("classroom"),
         QStringLiteral("Show only the classroom view: every station on the broker of --mqtt "
                        "(or the one remembered); no device is needed.")},
        {QStringLiteral("classroom-root"),
         QStringLiteral("The topic level the classroom lists stations under (default: the one "
                        "above the remembered topic prefix, \"korvane\" unless changed)."),
         QStringLiteral("ROOT")},
        {QStringLiteral("language"),
         QStringLiteral("Captions and messages in LANG: original (as the products' manuals give "
                        "them), en or zh_CN. Default: the language chosen last."),
         QStringLiteral("LANG")},
    });
    if (!parser.parse(args)) {
        *error = parser.errorText();
        return false;
    }
    if (parser.isSet(help)) {
        options->exitText = parser.helpText().replace(QStringLiteral("<executable_name>"),
                                                      QStringLiteral("korvane"));
        return true;
    }
    if (parser.isSet(version)) {
        options->exitText = QStringLiteral("Korvane PC %1\n").arg(QStringLiteral(KORVANE_VERSION));
        return true;
    }
    if (!parser.positionalArguments().isEmpty()) {
        *error = QStringLiteral("unexpected argument: %1").arg(parser.positionalArguments()[0]);
        return false;
    }
    if (parser.isSet(QStringLiteral("product")) &&
        !ParseInt(parser.value(QStringLiteral("product")), 0, ProductCount() - 1,
                  &options->product)) {
        *error = QStringLiteral("--product needs a number from 0 to %1, not \"%2\"")
                     .arg(ProductCount() - 1)
                     .arg(parser.value(QStringLiteral("product")));
        return false;
    }
    if (parser.isSet(QStringLiteral("port"))) {
        options->port = parser.value(QStringLiteral("port"));
        if (options->port.trimmed().isEmpty()) {
            *error = QStringLiteral("--port needs a port name");
            return false;
        }
    }
    if (parser.isSet(QStringLiteral("baud")) &&
        !ParseInt(parser.value(QStringLiteral("baud")), 1, 100000000, &options->baud)) {
        *error = QStringLiteral("--baud needs a positive number, not \"%1\"")
                     .arg(parser.value(QStringLiteral("baud")));
        return false;
    }
    if (parser.isSet(QStringLiteral("quit-after")) &&
        !ParseInt(parser.value(QStringLiteral("quit-after")), 1, 86400000, &options->quitAfterMs)) {
        *error = QStringLiteral("--quit-after needs a positive number of milliseconds");
        return false;
    }
    options->demo = parser.isSet(QStringLiteral("demo"));
    options->gallery = parser.isSet(QStringLiteral("gallery"));
    options->trace = parser.isSet(QStringLiteral("trace"));
    options->monitor = parser.isSet(QStringLiteral("monitor"));
    options->screenshot = parser.value(QStringLiteral("screenshot"));
    options->controlAddress = parser.value(QStringLiteral("control-address"));
    options->controlPort = parser.value(QStringLiteral("control-port"));
    options->videoAddress = parser.value(QStringLiteral("video-address"));
    options->language = parser.value(QStringLiteral("language"));
    options->mqtt = parser.value(QStringLiteral("mqtt"));
    options->classroom = parser.isSet(QStringLiteral("classroom"));
    options->stationName = parser.value(QStringLiteral("station-name"));
    if (parser.isSet(QStringLiteral("classroom-root"))) {
        QString root = parser.value(QStringLiteral("classroom-root"));
        while (root.endsWith(QLatin1Char('/')))
            root.chop(1);
        if (root.contains(QLatin1Char('+')) || root.contains(QLatin1Char('#'))) {
            *error = QStringLiteral("--classroom-root is a topic level, without + or #");
            return false;
        }
        options->classroomRoot = root;
    }
    if (parser.isSet(QStringLiteral("mqtt"))) {
        QString why;
        if (!ParseBrokerUrl(options->mqtt, &why)) {
            *error = QStringLiteral("--mqtt: %1").arg(why);
            return false;
        }
    }
    if (parser.isSet(QStringLiteral("language")) && !LanguageFromCode(options->language)) {
        *error = QStringLiteral("--language needs original, en or zh_CN, not \"%1\"")
                     .arg(options->language);
        return false;
    }
    if (!options->screenshot.isEmpty() && !CanWrite(options->screenshot)) {
        *error = QStringLiteral("cannot write the screenshot to \"%1\"").arg(options->screenshot);
        return false;
    }
    return true;
}

bool CannotAskForProduct(const StartOptions& options) {
    const QString platform = QGuiApplication::platformName();
    return options.product < 0 && !options.gallery && !options.classroom &&
           (platform == QLatin1String("offscreen") || platform == QLatin1String("minimal"));
}

int RunStation(const StartOptions& options) {
    if (QGuiApplication::platformName() == QLatin1String("offscreen")) {
        // Nobody can press OK on a box nobody sees: print the message instead.
        SetMessageObserver([](const QString& text) {
            std::fprintf(stderr, "message: %s\n", text.toUtf8().constData());
        });
    }

    // A settings file that cannot be used is set aside before anything reads it; the user is
    // told once the window is up.
    const QString settingsProblem = CStationSettings::CheckFile();
    // What the station remembers, read and written through this one object, handed down.
    CStationSettings settings;
    // The language comes before the first window: the command line's, else the one chosen last.
    const QString languageCode =
        options.language.isEmpty() ? settings.Language() : options.language;
    if (const auto language = LanguageFromCode(languageCode); language && !ApplyLanguage(*language))
        std::fprintf(stderr, "korvane: no translation for %s was found; captions stay original\n",
                     languageCode.toUtf8().constData());
    if (options.gallery)
        return RunGallery(options);
    if (options.classroom)
        return RunClassroom(options, settings);

    // Text to and from the training boards is GBK; without the codec their panels would put
    // wrong bytes on the wire. Say so and stop rather than run half broken.
    if (!GbkAvailable()) {
        const QString text = QCoreApplication::translate(
            "Korvane::Startup", "The GBK text codec is missing (Qt was built without "
                                "ICU): Korvane PC cannot talk to the boards.");
        std::fprintf(stderr, "korvane: %s\n", text.toUtf8().constData());
        ShowMessageAndWait(text, MessageIcon::Warning);
        return 1;
    }
    int index = options.product;
    if (index < 0) {
        CProductSelectDlg dlg;
        // The product picked last is offered; the dialog still asks.
        dlg.SetSelectedIndex(std::max(0, settings.LastProduct()));
        if (dlg.exec() != QDialog::Accepted)
            return 0;
        index = dlg.SelectedIndex();
        if (!IsValidProduct(index))
            index = 7;
    }
    CMainFrame frame(settings, std::make_unique<CSerialPort>());
    if (options.trace) {
        InstallTrace(frame.Station());
        QObject::connect(&frame.Link(), &CLinkManager::framesDropped, &frame, [](quint64 total) {
            std::printf("DROPPED %llu frames in all\n", static_cast<unsigned long long>(total));
            std::fflush(stdout);
        });
    }
    frame.SelectProduct(index);
    frame.RestoreLayout();
    // Shared on a broker: the command line's, else as the user set it last (the password
    // from the environment, else from the keyring once it answers).
    if (const auto mqtt = MqttOptionsFor(options)) {
        frame.ShareOverMqtt(*mqtt);
    } else if (const CStationSettings::MqttChoice saved = settings.Mqtt(); saved.enabled) {
        const QString password = qEnvironmentVariable("KORVANE_MQTT_PASSWORD");
        if (!password.isEmpty() || saved.user.isEmpty())
            frame.ApplyMqttChoice(saved, password);
        else
            ReadSecret(MqttSecretKey(saved.url, saved.user),
                       [frame = QPointer<CMainFrame>(&frame), saved](const QString& secret, bool) {
                           if (frame)
                               frame->ApplyMqttChoice(saved, secret);
                       });
    }
    frame.show();
    if (!settingsProblem.isEmpty())
        QTimer::singleShot(0, &frame, [&frame, settingsProblem] {
            ShowMessage(settingsProblem, &frame, MessageIcon::Warning);
        });
    if (options.monitor) {
        frame.resize(1100, 860);
        frame.FrameMonitor()->show();
    }
    // The car's addresses and port, as a user would type them into the panel (1306 to 1308).
    for (auto [id, text] :
         {std::pair{1307, options.controlAddress}, std::pair{1308, options.controlPort},
          std::pair{1306, options.videoAddress}})
        if (auto* edit = qobject_cast<QLineEdit*>(FindControl(frame.CurrentPanel(), id));
            edit && !text.isEmpty())
            edit->setText(text);

    if (!options.port.isEmpty()) {
        // The port opens in the background; the demo starts once it is open. An unattended
        // run (--quit-after) whose port does not open ends with exit code 1.
        auto connection = std::make_shared<QMetaObject::Connection>();
        *connection =
            QObject::connect(&frame.Link(), &CLinkManager::openFinished, &frame,
                             [&frame, options, connection](bool ok, const QString& advice) {
                                 QObject::disconnect(*connection);
                                 if (ok) {
                                     if (options.demo)
                                         ScheduleDemo(&frame);
                                     return;
                                 }
                                 ShowMessage(PortFailureMessage(advice), &frame);
                                 if (options.quitAfterMs > 0) {
                                     std::fprintf(stderr, "korvane: the port %s did not open\n",
                                                  options.port.toLocal8Bit().constData());
                                     QCoreApplication::exit(1);
                                 }
                             });
        frame.OpenLink(PortNameFromText(options.port), options.baud);
    } else if (options.demo) {
        ScheduleDemo(&frame);
    }
    ScheduleQuit(&frame, options);
    const int rc = QApplication::exec();
    return rc;
}

} // namespace Korvane
