#include "telemetry_recorder.h"

#include "balance_model.h"

namespace Korvane {

CTelemetryRecorder::CTelemetryRecorder(QObject* parent) : QObject(parent) {
    m_flush.setInterval(kFlushMs);
    connect(&m_flush, &QTimer::timeout, this, &CTelemetryRecorder::Flush);
}

CTelemetryRecorder::~CTelemetryRecorder() {
    Stop(); // at exit too: nothing that reached the panel is lost
}

bool CTelemetryRecorder::Start(const QString& path, QString* error) {
    Stop();
    m_file.setFileName(path);
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text)) {
        *error = m_file.errorString();
        return false;
    }
    m_path = path;
    m_rows = 0;
    m_gainsWritten.clear();
    m_buffer = QByteArray(kHeader) + '\n';
    m_clock.start();
    Flush();
    if (!m_file.isOpen()) {
        *error = tr("the file cannot be written");
        return false;
    }
    m_flush.start();
    return true;
}

void CTelemetryRecorder::Stop() {
    if (!m_file.isOpen())
        return;
    m_flush.stop();
    Flush();
    if (m_file.isOpen())
        m_file.close();
}

void CTelemetryRecorder::SetGains(const QString& gains) {
    m_gains = gains;
}

void CTelemetryRecorder::WriteGainsIfChanged() {
    if (m_gains.isEmpty() || m_gains == m_gainsWritten)
        return;
    m_gainsWritten = m_gains;
    m_buffer += "# gains " + m_gains.toUtf8() + '\n';
}

QByteArray CTelemetryRecorder::CsvField(const QByteArray& value) {
    if (!value.contains(',') && !value.contains('"') && !value.contains('\n') &&
        !value.contains('\r'))
        return value;
    QByteArray quoted = value;
    quoted.replace('"', "\"\"");
    return '"' + quoted + '"';
}

void CTelemetryRecorder::AddRow(const CBalanceTelemetry& t) {
    if (!m_file.isOpen())
        return;
    WriteGainsIfChanged();
    m_buffer += QByteArray::number(m_clock.elapsed()) + ',' + CsvField(t.leftSpeed) + ',' +
                CsvField(t.rightSpeed) + ',' + CsvField(t.acceleration) + ',' +
                CsvField(t.gyroscope) + ',' + CsvField(t.distance) + ',' + CsvField(t.voltage) +
                '\n';
    ++m_rows;
}

void CTelemetryRecorder::Flush() {
    if (!m_file.isOpen() || m_buffer.isEmpty())
        return;
    const qint64 written = m_file.write(m_buffer);
    const bool ok = written == m_buffer.size() && m_file.flush();
    m_buffer.clear();
    if (!ok) {
        const QString reason = m_file.errorString();
        m_flush.stop();
        m_file.close();
        emit failed(reason);
        return;
    }
    emit rowsWritten(m_rows);
}

} // namespace Korvane
