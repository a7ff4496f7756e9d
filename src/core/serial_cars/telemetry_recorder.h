#pragma once

#include <QFile>
#include <QObject>
#include <QTimer>

namespace Korvane {

struct BalanceTelemetryRecord;

// Records the balance car's telemetry to a CSV file: a header line, then one row for every
// telemetry frame (when the frame arrived, in milliseconds since the recording began with
// microseconds as decimals; left and right speed, acceleration, gyroscope, distance, voltage:
// each as the frame carried it when it is a number, empty where the frame did not carry it or
// carried something else), and a comment line
// with the gains in force whenever they change. Rows are written to the file at least every
// kFlushMs and when the recording stops; a write that fails stops it and says why, once.
class CTelemetryRecorder : public QObject {
    Q_OBJECT
  public:
    static constexpr int kFlushMs = 500;
    static constexpr char kHeader[] =
        "time_ms,left_speed,right_speed,acceleration,gyroscope,distance,voltage";

    explicit CTelemetryRecorder(QObject* parent = nullptr);
    ~CTelemetryRecorder() override;

    // Starts a new file (replacing one of the same name); false with a reason when it cannot
    // be written (then failed() is not emitted: the caller tells the user).
    bool Start(const QString& path, QString* error);
    // Writes what waits and closes the file.
    void Stop();
    bool IsRecording() const { return m_file.isOpen(); }
    QString Path() const { return m_path; }
    qint64 Rows() const { return m_rows; }

    // One frame's row. A frame that arrived before the recording began is not part of it.
    void AddRow(const BalanceTelemetryRecord& record);
    // The gains in force as text ("AP=25.00 AD=3.30 VP=3.00 VI=0.10"); a change is written as
    // a comment line before the next row.
    void SetGains(const QString& gains);

    // A numeric column's cell: the device's text when it is a plain finite decimal number
    // ("-0.34", "7.90", "1e5"; a leading "+" dropped), else empty. Whatever else a device
    // sends (a formula such as "=1+1" or "@A1", control bytes, GBK text) never reaches the
    // file, so a spreadsheet opening it runs nothing.
    static QByteArray NumberCell(const QByteArray& value);

  signals:
    // A write failed: the recording has stopped.
    void failed(const QString& reason);
    void rowsWritten(qint64 rows);

  private:
    // Writes what waits; false (the file closed, the reason in *error) when it failed.
    bool WriteOut(QString* error);
    void Flush();
    void WriteGainsIfChanged();

    QFile m_file;
    QString m_path;
    QByteArray m_buffer;  // rows not yet handed to the file
    qint64 m_startNs = 0; // ArrivalClockNs when the recording began
    QTimer m_flush;
    qint64 m_rows = 0;
    QString m_gains, m_gainsWritten;
};

} // namespace Korvane
