#pragma once

#include "core/serial_cars/balance_model.h"

#include <QElapsedTimer>
#include <QList>
#include <QPointF>
#include <QTimer>
#include <QWidget>

class QComboBox;
class QLabel;
class QToolButton;

namespace Korvane {

class CPanelHost;
class CTchart_wave;

// The balance car's waveform with its tools: the chart of the model's histories (redrawn at
// most at the display rate, the newest batch of telemetry at once), pause, fit, the history
// length (remembered), a picture of the chart, the recording of the telemetry to CSV (the
// model's recorder) and the readout of the values under the pointer.
class CBalanceWaveformPane : public QWidget {
    Q_OBJECT
  public:
    CBalanceWaveformPane(CBalanceCarModel& model, CPanelHost* host, QWidget* parent = nullptr);

    // Telemetry was read in this batch of frames; the batch is done.
    void TelemetryArrived() { m_telemetryPending = true; }
    void BatchDone();
    // The link went: a recording ends, its file complete.
    void StopRecording();
    // The captions, names and descriptions, in the language in use.
    void ShowOwnTexts();

    CTchart_wave* Chart() const { return m_chart; }
    QToolButton* RecordButton() const { return m_recordButton; }
    QToolButton* PauseButton() const { return m_pauseButton; }
    QToolButton* FitButton() const { return m_fitButton; }
    QToolButton* SavePictureButton() const { return m_savePictureButton; }
    QComboBox* HistoryBox() const { return m_historyBox; }
    QLabel* Readout() const { return m_readout; }
    bool IsPaused() const { return m_paused; }
    // Draws a chart refresh that is waiting for the display rate now.
    void FlushChart();

    static constexpr int kChartIntervalMs = 16;

  signals:
    // One chart refresh took this long (the data replaced, not yet painted).
    void chartRefreshed(qint64 nanoseconds);

  private:
    void OnPause(bool paused);
    void OnHistoryLength(int length);
    void ShowReadout(int sample);
    void SavePicture();
    void OnRecord(bool on);
    void StartRecording(const QString& path);
    void UpdateRecordingStatus();
    void ScheduleChartRefresh();
    void RefreshChart();

    CBalanceCarModel& m_model;
    CPanelHost* m_host;
    CTchart_wave* m_chart = nullptr;
    QToolButton* m_recordButton = nullptr;
    QToolButton* m_pauseButton = nullptr;
    QToolButton* m_fitButton = nullptr;
    QToolButton* m_savePictureButton = nullptr;
    QComboBox* m_historyBox = nullptr;
    QLabel* m_historyCaption = nullptr;
    QLabel* m_readout = nullptr;
    bool m_telemetryPending = false; // telemetry in this batch: the chart is due
    bool m_paused = false;
    CBalanceTelemetry m_frozen; // what the chart shows while paused
    QList<QPointF> m_points[3]; // reused point buffers of the three series
    QTimer m_chartTimer;        // coalesces chart redraws to the display rate
    QElapsedTimer m_sinceRefresh;
};

} // namespace Korvane
