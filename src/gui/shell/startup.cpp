#include "gui/shell/startup.h"

#include "core/boards/board_text.h"
#include "core/link/frame_log.h"
#include "core/link/port_text.h"
#include "core/mqtt/broker_url.h"
#include "core/mqtt/mqtt_bridge.h"
#include "core/products/catalogue.h"
#include "core/settings/station_settings.h"
#include "core/wifi_cars/wifi_panel_model.h"
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
#include <QPointer>
#include <QSysInfo>
#include <QTimer>

#include <cstdio>
#include <memory>

namespace Korvane {

namespace {

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
    // The car's addresses and port, as a user would type them: into the car's model, which
    // the panel's fields show.
    if (WifiCarOfPanel(Product(index).panelId)) {
        CPanelModel* car = frame.Station().Model(Product(index).panelId);
        for (auto [field, text] : {std::pair{WifiField::ControlAddress, options.controlAddress},
                                   std::pair{WifiField::ControlPort, options.controlPort},
                                   std::pair{WifiField::VideoAddress, options.videoAddress}})
            if (!text.isEmpty())
                car->Set(field, text);
    }

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
