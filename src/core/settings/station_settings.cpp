#include "core/settings/station_settings.h"

#include "core/products/catalogue.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStringDecoder>

namespace Korvane {

namespace {

constexpr int kLongestText = 1024; // a typed address longer than this is no address

QString Text(const QSettings& s, const QString& key) {
    const QVariant v = s.value(key);
    if (!v.isValid() || v.typeId() != QMetaType::QString)
        return {};
    const QString text = v.toString();
    return text.size() <= kLongestText ? text : QString();
}

int Number(const QSettings& s, const QString& key, int min, int max, int fallback) {
    bool ok = false;
    const int v = s.value(key).toInt(&ok);
    return ok && v >= min && v <= max ? v : fallback;
}

QString CarKey(int product, CStationSettings::CarField field) {
    const char* name = field == CStationSettings::CarField::ControlAddress ? "controlAddress"
                       : field == CStationSettings::CarField::ControlPort  ? "controlPort"
                                                                           : "videoAddress";
    return QStringLiteral("cars/%1/%2").arg(product).arg(QLatin1String(name));
}

} // namespace

namespace {

// Why the settings file cannot be used; empty when it can. The settings reader is lenient (it
// takes most garbage for keys), so the file is looked at first: settings are UTF-8 text.
QString FileProblem(const QString& path, QSettings::Status status) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || status == QSettings::AccessError)
        return CStationSettings::tr("it cannot be read");
    constexpr qint64 kLargest = 4 * 1024 * 1024;
    if (file.size() > kLargest)
        return CStationSettings::tr("it is damaged");
    const QByteArray bytes = file.readAll();
    for (const char c : bytes)
        if (uchar(c) < 0x20 && c != '\n' && c != '\r' && c != '\t')
            return CStationSettings::tr("it is damaged");
    QStringDecoder utf8(QStringDecoder::Utf8);
    (void)QString(utf8(bytes));
    if (utf8.hasError() || status == QSettings::FormatError)
        return CStationSettings::tr("it is damaged");
    return {};
}

} // namespace

bool IsLanguageCode(const QString& code) {
    return code == QLatin1String("original") || code == QLatin1String("en") ||
           code == QLatin1String("zh_CN");
}

CStationSettings::CStationSettings() : m_store(std::make_unique<QSettings>()) {}

CStationSettings::CStationSettings(const QString& iniFile)
    : m_store(std::make_unique<QSettings>(iniFile, QSettings::IniFormat)) {}

CStationSettings::~CStationSettings() = default;

QString CStationSettings::CheckFile() {
    QString path;
    QSettings::Status status;
    {
        QSettings settings;
        path = settings.fileName();
        status = settings.status();
    }
    if (!QFileInfo::exists(path))
        return {};
    const QString reason = FileProblem(path, status);
    if (reason.isEmpty())
        return {};
    const QString kept = path + QStringLiteral(".unreadable-") +
                         QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-hhmmss"));
    if (QFile::rename(path, kept))
        return tr("The settings file %1 was not used: %2. Korvane PC starts with its defaults; "
                  "the old file is kept as %3.")
            .arg(path, reason, kept);
    return tr("The settings file %1 was not used: %2. Korvane PC starts with its defaults and "
              "cannot remember settings until the file is removed.")
        .arg(path, reason);
}

int CStationSettings::LastProduct() const {
    return Number(Store(), QStringLiteral("station/product"), 0, ProductCount() - 1, -1);
}

void CStationSettings::SetLastProduct(int product) {
    Store().setValue(QStringLiteral("station/product"), product);
    Store().sync();
}

CStationSettings::PortChoice CStationSettings::LastPort() const {
    const QSettings& s = Store();
    return {Text(s, QStringLiteral("port/name")), Text(s, QStringLiteral("port/serialNumber")),
            Number(s, QStringLiteral("port/baud"), 1, 100000000, 0)};
}

void CStationSettings::SetLastPort(const PortChoice& port) {
    QSettings& s = Store();
    s.setValue(QStringLiteral("port/name"), port.name);
    s.setValue(QStringLiteral("port/serialNumber"), port.serialNumber);
    s.setValue(QStringLiteral("port/baud"), port.baud);
    Store().sync();
}

QByteArray CStationSettings::WindowGeometry() const {
    return Store().value(QStringLiteral("window/geometry")).toByteArray();
}

QByteArray CStationSettings::WindowState() const {
    return Store().value(QStringLiteral("window/state")).toByteArray();
}

void CStationSettings::SetWindow(const QByteArray& geometry, const QByteArray& state) {
    QSettings& s = Store();
    s.setValue(QStringLiteral("window/geometry"), geometry);
    s.setValue(QStringLiteral("window/state"), state);
    Store().sync();
}

QString CStationSettings::CarText(int product, CarField field) const {
    return Text(Store(), CarKey(product, field));
}

void CStationSettings::SetCarText(int product, CarField field, const QString& text) {
    Store().setValue(CarKey(product, field), text);
    Store().sync();
}

int CStationSettings::HistoryLength() const {
    return Number(Store(), QStringLiteral("balance/historyLength"), 1, 100000, 0);
}

void CStationSettings::SetHistoryLength(int samples) {
    Store().setValue(QStringLiteral("balance/historyLength"), samples);
    Store().sync();
}

QString CStationSettings::RecordingFolder() const {
    return Text(Store(), QStringLiteral("recording/folder"));
}

void CStationSettings::SetRecordingFolder(const QString& folder) {
    Store().setValue(QStringLiteral("recording/folder"), folder);
    Store().sync();
}

QString CStationSettings::Language() const {
    const QString language = Text(Store(), QStringLiteral("view/language"));
    return IsLanguageCode(language) ? language : QString();
}

void CStationSettings::SetLanguage(const QString& language) {
    Store().setValue(QStringLiteral("view/language"), language);
    Store().sync();
}

CStationSettings::MqttChoice CStationSettings::Mqtt() const {
    const QSettings& s = Store();
    MqttChoice c;
    c.enabled = s.value(QStringLiteral("mqtt/enabled")).toString() == QLatin1String("true");
    c.url = Text(s, QStringLiteral("mqtt/url"));
    c.user = Text(s, QStringLiteral("mqtt/user"));
    c.stationName = Text(s, QStringLiteral("mqtt/stationName"));
    c.prefix = Text(s, QStringLiteral("mqtt/prefix"));
    c.caFile = Text(s, QStringLiteral("mqtt/caFile"));
    c.allowRemote = s.value(QStringLiteral("mqtt/allowRemote")).toString() == QLatin1String("true");
    return c;
}

void CStationSettings::SetMqtt(const MqttChoice& c) {
    QSettings& s = Store();
    s.setValue(QStringLiteral("mqtt/enabled"), c.enabled ? "true" : "false");
    s.setValue(QStringLiteral("mqtt/url"), c.url);
    s.setValue(QStringLiteral("mqtt/user"), c.user);
    s.setValue(QStringLiteral("mqtt/stationName"), c.stationName);
    s.setValue(QStringLiteral("mqtt/prefix"), c.prefix);
    s.setValue(QStringLiteral("mqtt/caFile"), c.caFile);
    s.setValue(QStringLiteral("mqtt/allowRemote"), c.allowRemote ? "true" : "false");
    Store().sync();
}

QStringList CStationSettings::RecentFiles() const {
    const QVariant v = Store().value(QStringLiteral("Recent File List"));
    QStringList files = v.toStringList();
    files.removeIf([](const QString& f) { return f.isEmpty() || f.size() > 4096; });
    return files.mid(0, 4);
}

void CStationSettings::SetRecentFiles(const QStringList& files) {
    Store().setValue(QStringLiteral("Recent File List"), files);
    Store().sync();
}

} // namespace Korvane
