#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QString>
#include <QStringList>

#include <memory>

class QSettings;

namespace Korvane {

// What the station remembers from one start to the next, in the user's settings file (QSettings
// under the application's organisation and name). Every value is checked when read: one that is
// missing, of the wrong type or out of range gives its default. The application makes one and
// hands it down to its windows, which hand it to their panels and dialogs. A value written is
// on disk at once, for every other reader of the file (another window, the next start).
// "original", "en" or "zh_CN": the languages the station speaks, as settings and the command
// line name them.
bool IsLanguageCode(const QString& code);

class CStationSettings {
    Q_DECLARE_TR_FUNCTIONS(CStationSettings)
  public:
    // The user's settings file.
    CStationSettings();
    // Another file, in INI format (tests, a portable install).
    explicit CStationSettings(const QString& iniFile);
    ~CStationSettings();
    CStationSettings(const CStationSettings&) = delete;
    CStationSettings& operator=(const CStationSettings&) = delete;

    // Checks the settings file before anything reads it. A file that cannot be read or parsed is
    // moved aside (kept next to it for the curious) so that the station starts with its
    // defaults; the text says so, once. Empty when the file is fine or absent.
    static QString CheckFile();

    // The product picked last (-1: none yet).
    int LastProduct() const;
    void SetLastProduct(int product);

    // The serial port that opened last: its name, its USB serial number where it has one (so a
    // device moved to another socket is still found), the baud rate.
    struct PortChoice {
        QString name;
        QString serialNumber;
        int baud = 0;
    };
    PortChoice LastPort() const;
    void SetLastPort(const PortChoice& port);

    QByteArray WindowGeometry() const;
    QByteArray WindowState() const;
    void SetWindow(const QByteArray& geometry, const QByteArray& state);

    // A Raspberry Pi car's addresses as the user typed them, per product; empty when none.
    enum class CarField { ControlAddress, ControlPort, VideoAddress };
    QString CarText(int product, CarField field) const;
    void SetCarText(int product, CarField field, const QString& text);

    // The waveform history length (0: the panel's default).
    int HistoryLength() const;
    void SetHistoryLength(int samples);

    QString RecordingFolder() const;
    void SetRecordingFolder(const QString& folder);

    // "original", "en" or "zh_CN"; empty when never chosen.
    QString Language() const;
    void SetLanguage(const QString& language);

    // Sharing over MQTT, as the user set it last (the password is never kept here).
    struct MqttChoice {
        bool enabled = false;
        QString url;
        QString user;
        QString stationName;
        QString prefix;
        QString caFile;
        bool allowRemote = false;
    };
    MqttChoice Mqtt() const;
    void SetMqtt(const MqttChoice& choice);

    QStringList RecentFiles() const;
    void SetRecentFiles(const QStringList& files);

  private:
    QSettings& Store() const { return *m_store; }
    std::unique_ptr<QSettings> m_store;
};

} // namespace Korvane
