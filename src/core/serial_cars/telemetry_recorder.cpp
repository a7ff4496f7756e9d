#include "core/serial_cars/telemetry_recorder.h"

#include "core/link/frame_receive.h"
#include "core/serial_cars/balance_model.h"

#include <cmath>
#include <cstdio>

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
    m_startNs = ArrivalClockNs();
    if (!WriteOut(error))
        return false;
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

QByteArray CTelemetryRecorder::NumberCell(const QByteArray& value) {
    qsizetype i = 0;
    const qsizetype n = value.size();
    QByteArray cell;
    if (i < n && (value[i] == '+' || value[i] == '-')) {
        if (value[i] == '-')
            cell += '-';
        ++i;
    }
    const auto digits = [&] {
        const qsizetype from = i;
        while (i < n && value[i] >= '0' && value[i] <= '9')
            ++i;
        return i - from;
    };
    const qsizetype whole = digits();
    qsizetype fraction = 0;
    if (i < n && value[i] == '.') {
        ++i;
        fraction = digits();
    }
    if (whole + fraction == 0)
        return {};
    if (i < n && (value[i] == 'e' || value[i] == 'E')) {
        ++i;
        if (i < n && (value[i] == '+' || value[i] == '-'))
            ++i;
        if (digits() == 0)
            return {};
    }
    if (i != n)
        return {}; // anything after the number: not a number
    const QByteArray number = value.mid(value.startsWith('+') ? 1 : 0);
    bool ok = false;
    const double v = number.toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return {};
    return number;
}

void CTelemetryRecorder::AddRow(const BalanceTelemetryRecord& r) {
    if (!m_file.isOpen() || r.arrivalNs < m_startNs)
        return;
    WriteGainsIfChanged();
    const auto cell = [](const std::optional<QByteArray>& field) {
        return field ? NumberCell(*field) : QByteArray();
    };
    // Whole microseconds as decimals of the millisecond.
    const qint64 us = (r.arrivalNs - m_startNs) / 1000;
    char time[32];
    std::snprintf(time, sizeof time, "%lld.%03lld", static_cast<long long>(us / 1000),
                  static_cast<long long>(us % 1000));
    m_buffer += QByteArray(time) + ',' + cell(r.leftSpeed) + ',' + cell(r.rightSpeed) + ',' +
                cell(r.acceleration) + ',' + cell(r.gyroscope) + ',' + cell(r.distance) + ',' +
                cell(r.voltage) + '\n';
    ++m_rows;
}

bool CTelemetryRecorder::WriteOut(QString* error) {
    if (!m_file.isOpen())
        return false;
    if (m_buffer.isEmpty())
        return true;
    const qint64 written = m_file.write(m_buffer);
    const bool ok = written == m_buffer.size() && m_file.flush();
    m_buffer.clear();
    if (!ok) {
        *error = m_file.errorString();
        m_flush.stop();
        m_file.close();
    }
    return ok;
}

void CTelemetryRecorder::Flush() {
    if (!m_file.isOpen() || m_buffer.isEmpty())
        return;
    QString reason;
    if (!WriteOut(&reason)) {
        emit failed(reason);
        return;
    }
    emit rowsWritten(m_rows);
}

} // namespace Korvane
