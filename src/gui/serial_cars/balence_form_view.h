#pragma once

#include "core/link/frames.h"
#include "core/serial_cars/balance_model.h"
#include "gui/panels/panel_base.h"

#include <memory>

class QAbstractButton;
class QLabel;
class QSlider;

namespace Ui {
class CBalenceFormView;
}

namespace Korvane {

class CBalanceWaveformPane;
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

    // The waveform, its tools and the recording.
    CBalanceWaveformPane* Waveform() const { return m_waveform; }
    CTchart_wave* Chart() const;
    const CBalanceTelemetry& Telemetry() const { return m_model.Telemetry(); }
    CBalanceCarModel& Model() { return m_model; }

    static constexpr int kRecoveryGapMs = 200;

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

    std::unique_ptr<Ui::CBalenceFormView> m_ui;
    CBalanceWaveformPane* m_waveform = nullptr;
    QSlider* m_sliders[GainCount] = {};
    QLabel* m_gainLabels[GainCount] = {};
    QAbstractButton* m_plus[GainCount] = {};
    QAbstractButton* m_minus[GainCount] = {};

    CBalanceCarModel& m_model; // the station's
};

} // namespace Korvane
