#include "gui/serial_cars/balance_waveform_pane.h"

#include "core/settings/station_settings.h"
#include "gui/common/control_ids.h"
#include "gui/common/message_seam.h"
#include "gui/panels/panel_base.h"
#include "gui/serial_cars/chart_wave.h"

#include <QComboBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>

#include <cmath>

namespace Korvane {

CBalanceWaveformPane::CBalanceWaveformPane(CBalanceCarModel& model, CPanelHost* host,
                                           QWidget* parent)
    : QWidget(parent), m_model(model), m_host(host) {
    setObjectName(QStringLiteral("waveformPane"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_chart = new CTchart_wave(this);
    m_chart->setObjectName(QStringLiteral("waveChart"));
    SetControlId(m_chart, 1045);

    // Tools the waveform adds to the car's own controls; off until the user turns them on.
    auto* tools = new QHBoxLayout;
    auto tool = [this, tools](const QString& name) {
        auto* b = new QToolButton(this);
        b->setObjectName(name);
        tools->addWidget(b);
        return b;
    };
    m_pauseButton = tool(QStringLiteral("pauseButton"));
    m_pauseButton->setCheckable(true);
    m_fitButton = tool(QStringLiteral("fitButton"));
    m_historyCaption = new QLabel(this);
    m_historyBox = new QComboBox(this);
    m_historyBox->setObjectName(QStringLiteral("historyBox"));
    for (int n : {500, 1000, 5000, 10000, 50000, CBalanceTelemetry::kMaxSamples})
        m_historyBox->addItem(QString(), n);
    m_historyCaption->setBuddy(m_historyBox);
    tools->addWidget(m_historyCaption);
    tools->addWidget(m_historyBox);
    m_savePictureButton = tool(QStringLiteral("savePictureButton"));
    m_recordButton = tool(QStringLiteral("recordButton"));
    m_recordButton->setCheckable(true);
    m_readout = new QLabel(this);
    m_readout->setTextFormat(Qt::PlainText);
    tools->addWidget(m_readout, 1);
    layout->addLayout(tools);
    layout->addWidget(m_chart);

    connect(m_pauseButton, &QToolButton::toggled, this, &CBalanceWaveformPane::OnPause);
    connect(m_fitButton, &QToolButton::clicked, m_chart, &CTchart_wave::Fit);
    connect(m_historyBox, &QComboBox::currentIndexChanged, this, [this](int index) {
        OnHistoryLength(m_historyBox->itemData(index).toInt());
        m_host->Settings().SetHistoryLength(m_historyBox->itemData(index).toInt());
    });
    // The length chosen last time, when it is one of the choices.
    if (const int remembered = m_historyBox->findData(m_host->Settings().HistoryLength());
        remembered >= 0)
        m_historyBox->setCurrentIndex(remembered);
    connect(m_savePictureButton, &QToolButton::clicked, this, &CBalanceWaveformPane::SavePicture);
    connect(m_chart, &CTchart_wave::viewChanged, this, &CBalanceWaveformPane::ScheduleChartRefresh);
    connect(m_chart, &CTchart_wave::pointerAt, this, &CBalanceWaveformPane::ShowReadout);

    connect(m_recordButton, &QToolButton::toggled, this, &CBalanceWaveformPane::OnRecord);
    connect(&m_model.Recorder(), &CTelemetryRecorder::rowsWritten, this,
            &CBalanceWaveformPane::UpdateRecordingStatus);
    connect(&m_model.Recorder(), &CTelemetryRecorder::failed, this, [this](const QString& reason) {
        StopRecording();
        ShowMessage(tr("The recording stopped: %1").arg(reason), this, MessageIcon::Warning);
    });

    m_chartTimer.setSingleShot(true);
    connect(&m_chartTimer, &QTimer::timeout, this, &CBalanceWaveformPane::RefreshChart);
    ShowOwnTexts();
}

void CBalanceWaveformPane::ShowOwnTexts() {
    const struct {
        QAbstractButton* button;
        QString text;
        QString description;
    } tools[] = {
        {m_pauseButton, tr("Pause"), tr("Hold the picture; frames are still read and recorded")},
        {m_fitButton, tr("Fit"), tr("Show the whole history again after zooming with the wheel")},
        {m_savePictureButton, tr("Save picture..."), tr("Save the waveform as a PNG picture")},
        {m_recordButton, tr("Record..."), tr("Record every telemetry frame to a CSV file")},
    };
    for (const auto& t : tools) {
        t.button->setText(t.text);
        t.button->setAccessibleDescription(t.description);
    }
    m_historyCaption->setText(tr("History:"));
    for (int i = 0; i < m_historyBox->count(); ++i)
        m_historyBox->setItemText(i, tr("%1 samples").arg(m_historyBox->itemData(i).toInt()));
    m_readout->setAccessibleDescription(tr("Values under the pointer"));
    UpdateRecordingStatus();
}

void CBalanceWaveformPane::BatchDone() {
    // A batch of frames has been read in order: the controls have shown the newest values.
    if (std::exchange(m_telemetryPending, false) && !m_paused)
        ScheduleChartRefresh();
}

void CBalanceWaveformPane::OnPause(bool paused) {
    m_paused = paused;
    if (paused)
        m_frozen = m_model.Telemetry(); // the picture stands; the telemetry goes on underneath
    else
        ScheduleChartRefresh();
}

void CBalanceWaveformPane::OnHistoryLength(int length) {
    m_model.Telemetry().SetHistoryLength(size_t(length));
    m_frozen.SetHistoryLength(size_t(length));
    m_chart->SetDataLength(int(m_model.Telemetry().HistoryLength()));
}

void CBalanceWaveformPane::ShowReadout(int sample) {
    const CBalanceTelemetry& shown = m_paused ? m_frozen : m_model.Telemetry();
    if (sample < 0 || size_t(sample) >= shown.HistoryLength()) {
        m_readout->clear();
        return;
    }
    const size_t i = size_t(sample);
    // A gap (the frame did not carry the value) reads as a dash.
    const auto value = [](double v) {
        return std::isnan(v) ? QStringLiteral("\u2014") : QString::number(v, 'g', 6);
    };
    m_readout->setText(tr("#%1  gyroscope %2  acceleration %3  voltage %4")
                           .arg(sample)
                           .arg(value(shown.gyroscopeHistory[i]),
                                value(shown.accelerationHistory[i]),
                                value(shown.voltageHistory[i])));
}

void CBalanceWaveformPane::SavePicture() {
    AskSaveFile(this, tr("Save picture"), tr("PNG pictures (*.png);;All files (*)"),
                m_host->Settings().RecordingFolder(), [this](const QString& path) {
                    if (path.isEmpty())
                        return;
                    FlushChart();
                    if (!m_chart->grab().save(path, "PNG"))
                        ShowMessage(tr("The picture could not be saved to %1").arg(path), this,
                                    MessageIcon::Warning);
                    else
                        m_host->Settings().SetRecordingFolder(QFileInfo(path).absolutePath());
                });
}

void CBalanceWaveformPane::OnRecord(bool on) {
    if (!on) {
        StopRecording();
        return;
    }
    // The button stays down while the user picks the file; a cancel lets it up again.
    AskSaveFile(this, tr("Record telemetry"), tr("CSV files (*.csv);;All files (*)"),
                m_host->Settings().RecordingFolder(),
                [this](const QString& path) { StartRecording(path); });
}

void CBalanceWaveformPane::StartRecording(const QString& path) {
    if (!m_recordButton->isChecked() || m_model.Recorder().IsRecording())
        return; // let up meanwhile
    QString error;
    if (path.isEmpty() || !m_model.StartRecording(path, &error)) {
        const QSignalBlocker quiet(m_recordButton);
        m_recordButton->setChecked(false);
        if (!path.isEmpty())
            ShowMessage(tr("The recording could not be written to %1: %2").arg(path, error), this,
                        MessageIcon::Warning);
        return;
    }
    m_host->Settings().SetRecordingFolder(QFileInfo(path).absolutePath());
    UpdateRecordingStatus();
}

void CBalanceWaveformPane::StopRecording() {
    m_model.Recorder().Stop();
    const QSignalBlocker quiet(m_recordButton);
    m_recordButton->setChecked(false);
    m_host->ShowStatusText(QString());
}

void CBalanceWaveformPane::UpdateRecordingStatus() {
    if (m_model.Recorder().IsRecording())
        m_host->ShowStatusText(tr("Recording %1: %2 rows")
                                   .arg(m_model.Recorder().Path())
                                   .arg(m_model.Recorder().Rows()));
}

void CBalanceWaveformPane::ScheduleChartRefresh() {
    if (m_chartTimer.isActive())
        return; // a redraw is already due; it will show the newest histories
    const qint64 since = m_sinceRefresh.isValid() ? m_sinceRefresh.elapsed() : kChartIntervalMs;
    m_chartTimer.start(int(std::max<qint64>(0, kChartIntervalMs - since)));
}

void CBalanceWaveformPane::FlushChart() {
    if (!m_chartTimer.isActive())
        return;
    m_chartTimer.stop();
    RefreshChart();
}

void CBalanceWaveformPane::RefreshChart() {
    m_sinceRefresh.start();
    QElapsedTimer took;
    took.start();
    m_chart->CountRefresh();
    // Series 0 gyroscope, 1 acceleration, 2 battery voltage; an unplotted series stays empty.
    // Each is reduced to the plot's pixel columns first: a long history draws as fast as a
    // short one, and a spike in any column is still drawn.
    const CBalanceTelemetry& shown = m_paused ? m_frozen : m_model.Telemetry();
    using namespace BalanceField;
    const struct {
        bool plotted;
        const CBalanceTelemetry::History& history;
    } series[3] = {{m_model.Flag(PlotGyroscope), shown.gyroscopeHistory},
                   {m_model.Flag(PlotAcceleration), shown.accelerationHistory},
                   {m_model.Flag(PlotVoltage), shown.voltageHistory}};
    for (int i = 0; i < 3; ++i) {
        if (!series[i].plotted) {
            if (m_chart->Series(i)->count() != 0)
                m_chart->ClearPoints(i);
            continue;
        }
        ReduceMinMax(series[i].history, size_t(m_chart->ViewFirst()), size_t(m_chart->ViewLast()),
                     m_chart->PlotColumns(), &m_points[i]);
        m_chart->SetPoints(i, m_points[i]);
    }
    m_chart->RescaleAxes();
    emit chartRefreshed(took.nsecsElapsed());
}

} // namespace Korvane
