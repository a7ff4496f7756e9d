#pragma once

#include "core/link/frames.h"
#include "core/serial_cars/balance_model.h"
#include "core/serial_cars/telemetry_recorder.h"
#include "gui/panels/panel_base.h"

#include <QElapsedTimer>
#include <QList>
#include <QPointF>
#include <QTimer>

#include <memory>

class QAbstractButton;
class QComboBox;
class QLabel;
class QSlider;
class QToolButton;

namespace Ui {
class CBalenceFormView;
}

namespace Korvane {

class CTchart_wave;

// The balance car panel (the Birch and Cedar balance cars): driving, PID tuning and live telemetry.
class CBalenceFormView : public CPanelBase {
    Q_OBJECT
  public:
    explicit CBalenceFormView(CPanelHost* host, QWidget* parent = nullptr);
    ~CBalenceFormView() override;

    void OnFrameRead(const FrameRecord& record) override;
    void OnRoutedBatchDone() override;
    void OnInitialUpdate() override;
    void StartDemo() override;
    void OnLinkLost() override;

    // Telemetry recording to a CSV file ("Record" above the chart).
    CTelemetryRecorder& Recorder() { return m_model.Recorder(); }
    QToolButton* RecordButton() const { return m_recordButton; }
    // The waveform's own tools: pause, fit, history length, picture, and the readout.
    QToolButton* PauseButton() const { return m_pauseButton; }
    QToolButton* FitButton() const { return m_fitButton; }
    QToolButton* SavePictureButton() const { return m_savePictureButton; }
    QComboBox* HistoryBox() const { return m_historyBox; }
    QLabel* Readout() const { return m_readout; }
    bool IsPaused() const { return m_paused; }

    // Draws a chart refresh that is waiting for the display rate now.
    void FlushChart();
    CTchart_wave* Chart() const { return m_chart; }
    const CBalanceTelemetry& Telemetry() const { return m_model.Telemetry(); }
    CBalanceCarModel& Model() { return m_model; }
    bool ReplyTimerActive() const { return m_replyTimer.isActive(); }
    // The reply timer's tick (500 ms); tests shorten it instead of waiting five seconds.
    void SetReplyTickMs(int ms) { m_replyTimer.setInterval(ms); }

    static constexpr int kReplyTickMs = 500;
    static constexpr int kRecoveryGapMs = 200;
    static constexpr int kChartIntervalMs = 16;

  signals:
    // One chart refresh took this long (the data replaced, not yet painted).
    void chartRefreshed(qint64 nanoseconds);

  protected:
    void RetranslateUi() override;

  private:
    // The captions, names and descriptions the panel sets itself.
    void ShowOwnTexts();
    enum Gain { AngleP, AngleD, SpeedP, SpeedI, GainCount };

    void BindCheck(QAbstractButton* box, int field, std::function<void()> then = {});
    void StepGain(int gain, int delta);
    void OnSliderReleased(int gain);
    void UpdateAngle();
    void UpdateSpeed();
    void QueryPid();
    void DefaultRecovery();
    void OnDisplayOpen();
    void OnDragUpdates();
    void OnReplyTick();
    void ScheduleChartRefresh();
    void RefreshChart();
    void OnRecord(bool on);
    void BuildWaveformTools();
    void OnPause(bool paused);
    void OnHistoryLength(int length);
    void ShowReadout(int sample);
    void SavePicture();
    void StartRecording(const QString& path);
    void StopRecording();
    void UpdateRecordingStatus();

    std::unique_ptr<Ui::CBalenceFormView> m_ui;
    CTchart_wave* m_chart = nullptr;
    QSlider* m_sliders[GainCount] = {};
    QLabel* m_gainLabels[GainCount] = {};
    QAbstractButton* m_plus[GainCount] = {};
    QAbstractButton* m_minus[GainCount] = {};

    CBalanceCarModel& m_model; // the station's
    CReplyWatch m_replyWatch;
    QTimer m_replyTimer;

    bool m_telemetryPending = false; // telemetry in this batch: the chart is due

    QToolButton* m_recordButton = nullptr;
    QToolButton* m_pauseButton = nullptr;
    QToolButton* m_fitButton = nullptr;
    QToolButton* m_savePictureButton = nullptr;
    QComboBox* m_historyBox = nullptr;
    QLabel* m_historyCaption = nullptr;
    QLabel* m_readout = nullptr;
    bool m_paused = false;
    CBalanceTelemetry m_frozen; // what the chart shows while paused
    QList<QPointF> m_points[3]; // reused point buffers of the three series
    QTimer m_chartTimer;        // coalesces chart redraws to the display rate
    QElapsedTimer m_sinceRefresh;
};

} // namespace Korvane
