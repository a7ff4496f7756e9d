#include "core/startup/start_options.h"

#include "core/mqtt/broker_url.h"
#include "core/products/catalogue.h"
#include "core/settings/station_settings.h"

#include <QCommandLineParser>
#include <QFile>

#include <functional>

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

// One option: its name, the name of its value (none for a switch), its help, and what it sets.
// apply returns the reason a value is refused, or an empty text.
struct OptionRow {
    const char* name;
    const char* valueName; // nullptr: a switch
    QString help;
    std::function<QString(StartOptions&, const QString& value)> apply;
};

// A switch that sets a flag.
OptionRow Switch(const char* name, QString help, bool StartOptions::*flag) {
    return {name, nullptr, std::move(help), [flag](StartOptions& o, const QString&) {
                o.*flag = true;
                return QString();
            }};
}

// An option whose value is kept as it is.
OptionRow Text(const char* name, const char* valueName, QString help,
               QString StartOptions::*field) {
    return {name, valueName, std::move(help), [field](StartOptions& o, const QString& value) {
                o.*field = value;
                return QString();
            }};
}

std::vector<OptionRow> Options() {
    const int last = ProductCount() - 1;
    return {
        {"product", "N", QStringLiteral("Start with product N (0 to %1).").arg(last),
         [last](StartOptions& o, const QString& v) {
             return ParseInt(v, 0, last, &o.product)
                        ? QString()
                        : QStringLiteral("--product needs a number from 0 to %1, not \"%2\"")
                              .arg(last)
                              .arg(v);
         }},
        {"port", "NAME", QStringLiteral("Open this serial port at start."),
         [](StartOptions& o, const QString& v) {
             o.port = v;
             return v.trimmed().isEmpty() ? QStringLiteral("--port needs a port name") : QString();
         }},
        {"baud", "B", QStringLiteral("Baud rate for --port (default 9600)."),
         [](StartOptions& o, const QString& v) {
             return ParseInt(v, 1, 100000000, &o.baud)
                        ? QString()
                        : QStringLiteral("--baud needs a positive number, not \"%1\"").arg(v);
         }},
        Switch("demo", QStringLiteral("Drive the car with a short key sequence."),
               &StartOptions::demo),
        Switch("gallery", QStringLiteral("Show the display widgets in every state."),
               &StartOptions::gallery),
        Switch("trace", QStringLiteral("Print every frame sent and received."),
               &StartOptions::trace),
        Switch("monitor", QStringLiteral("Open the frame monitor at start."),
               &StartOptions::monitor),
        {"screenshot", "FILE", QStringLiteral("Save the main window to FILE on quit."),
         [](StartOptions& o, const QString& v) {
             o.screenshot = v;
             return v.isEmpty() || CanWrite(v)
                        ? QString()
                        : QStringLiteral("cannot write the screenshot to \"%1\"").arg(v);
         }},
        {"quit-after", "MS", QStringLiteral("Quit after MS milliseconds."),
         [](StartOptions& o, const QString& v) {
             return ParseInt(v, 1, 86400000, &o.quitAfterMs)
                        ? QString()
                        : QStringLiteral("--quit-after needs a positive number of milliseconds");
         }},
        Text("control-address", "ADDRESS",
             QStringLiteral("Raspberry Pi cars: the control service's address, typed into the "
                            "panel."),
             &StartOptions::controlAddress),
        Text("control-port", "PORT",
             QStringLiteral("Raspberry Pi cars: the control service's port, typed into the panel."),
             &StartOptions::controlPort),
        Text("video-address", "URL",
             QStringLiteral("Raspberry Pi cars: the camera's snapshot address, typed into the "
                            "panel."),
             &StartOptions::videoAddress),
        {"mqtt", "URL",
         QStringLiteral("Share the station on the MQTT broker at URL (mqtt://host:port or "
                        "mqtts://host:port); the password, if any, from KORVANE_MQTT_PASSWORD."),
         [](StartOptions& o, const QString& v) {
             o.mqtt = v;
             QString why;
             return ParseBrokerUrl(v, &why) ? QString() : QStringLiteral("--mqtt: %1").arg(why);
         }},
        Text("station-name", "NAME",
             QStringLiteral("The name the station is shared under (default: the host name)."),
             &StartOptions::stationName),
        Switch("classroom",
               QStringLiteral("Show only the classroom view: every station on the broker of "
                              "--mqtt (or the one remembered); no device is needed."),
               &StartOptions::classroom),
        {"classroom-root", "ROOT",
         QStringLiteral("The topic level the classroom lists stations under (default: the one "
                        "above the remembered topic prefix, \"korvane\" unless changed)."),
         [](StartOptions& o, QString root) {
             while (root.endsWith(QLatin1Char('/')))
                 root.chop(1);
             if (root.contains(QLatin1Char('+')) || root.contains(QLatin1Char('#')))
                 return QStringLiteral("--classroom-root is a topic level, without + or #");
             o.classroomRoot = root;
             return QString();
         }},
        {"language", "LANG",
         QStringLiteral("Captions and messages in LANG: original (as the products' manuals give "
                        "them), en or zh_CN. Default: the language chosen last."),
         [](StartOptions& o, const QString& v) {
             o.language = v;
             return IsLanguageCode(v)
                        ? QString()
                        : QStringLiteral("--language needs original, en or zh_CN, not \"%1\"")
                              .arg(v);
         }},
    };
}

} // namespace

bool ParseStartOptions(const QStringList& args, StartOptions* options, QString* error) {
    const std::vector<OptionRow> rows = Options();
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Korvane PC: control station for Korvane boards, kits and robot cars."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    for (const OptionRow& row : rows)
        parser.addOption(row.valueName
                             ? QCommandLineOption(QString::fromLatin1(row.name), row.help,
                                                  QString::fromLatin1(row.valueName))
                             : QCommandLineOption(QString::fromLatin1(row.name), row.help));
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
    for (const OptionRow& row : rows) {
        const QString name = QString::fromLatin1(row.name);
        if (!parser.isSet(name))
            continue;
        if (QString why = row.apply(*options, parser.value(name)); !why.isEmpty()) {
            *error = why;
            return false;
        }
    }
    return true;
}

} // namespace Korvane
