#pragma once

#include "../panel_base.h"
#include "board_frames.h"
#include "dlg_grid_ctrl.h"
#include "keypad_calculator.h"
#include "paced_sender.h"

#include <QDate>
#include <QPointer>
#include <QStringList>
#include <QTimer>

#include <memory>

class QAbstractButton;
class QButtonGroup;
class QLineEdit;

namespace Ui {
class CDevelop51FormView;
}

namespace Korvane {

class CButtonEx;
class CLamp;

// The 8051 board panel (products 0 to 2): LEDs with flowing and breathing light, stepper,
// AD and sensor readings, buzzer, real time clock, infrared, segment display, two LCDs, the
// keypad calculator, the serial assistant, the fan and the dot-matrix editor.
class CDevelop51FormView : public CPanelBase {
    Q_OBJECT
  public:
    explicit CDevelop51FormView(CPanelHost* host, QWidget* parent = nullptr);
    ~CDevelop51FormView() override;

    void OnRoutedFrame(int message, const QByteArray& frame) override;
    void OnRoutedBatchDone() override;
    void OnInitialUpdate() override;
    void StartDemo() override;

    static constexpr int kLampTickMs = 200;
    static constexpr int kClockTickMs = 1000;
    static constexpr int kSerialTextBytes = 1024;
    static constexpr int kLcdLineBytes = 16;

    // The flowing light's period; tests shorten it.
    void SetLampTickMs(int ms) { m_lampTimer.setInterval(ms); }
    bool LampTimerActive() const { return m_lampTimer.isActive(); }
    bool ClockTimerActive() const { return m_clockTimer.isActive(); }
    const CKeypadCalculator& Calculator() const { return m_calculator; }
    // The dot-matrix editor while it is open.
    CDlgGridCtrl* DotMatrixEditor() const { return m_editor; }
    CPacedSender& Sender() { return m_sender; }

  private:
    // The panel's values, bound to its controls.
    struct Values {
        int adSource = 0;
        int sensorChoice = 0;
        int digitChoice = 0;
        QString adRaw, adConverted;
        QString distance = QStringLiteral("0cm");
        QString temperature = QString::fromUtf8("0℃");
        QDate clockDate;
        int hour = 0, minute = 0, second = 0;
        bool clockValid = true; // the three edits each hold a number
        QString timeText;
        IrValues infrared;
        QString irUser1 = QStringLiteral("00"), irUser2 = QStringLiteral("FF"), irOp1, irOp2;
        QString segmentText;
        QString lcd[6];
        QString serialSend, serialReceive;
    };

    void BindControls();
    void ReadControls();
    void WriteControls();
    // Runs a click's work through the paced sender (after any LCD frames still pacing).
    void OnClick(std::function<void()> work);

    void OnLedToggled(int led, bool on);
    void OnFlowingLight();
    void OnBreathingLight();
    void OnLampTick();
    void OnClockTick();
    void SetClock(int n);
    void SendInfrared();
    void SendSegment();
    void OnDigitChoice(int choice);
    void ShowLcd1602();
    void ClearLcd1602();
    void ShowLcd12864();
    void SendSerialText();
    void OnFan(const char* frame, int picture);
    void OpenDotMatrix();
    void HighlightKey(int index);
    void ShowPendingMessages();

    std::unique_ptr<Ui::CDevelop51FormView> m_ui;
    Values m_v;
    CKeypadCalculator m_calculator;
    CPacedSender m_sender;
    CLampChase m_chase;
    QTimer m_lampTimer;
    QTimer m_clockTimer;
    bool m_flowing = false;
    bool m_breathing = false;
    bool m_started = false;
    bool m_inBatch = false;        // controls read for the frames of this batch
    QStringList m_pendingMessages; // shown after the controls are written
    CLamp* m_ledLamps[8] = {};
    QAbstractButton* m_ledBoxes[8] = {};
    CButtonEx* m_keys[CKeypadCalculator::kKeyCount] = {};
    QLineEdit* m_lcdEdits[6] = {};
    QButtonGroup* m_adGroup = nullptr;
    QButtonGroup* m_sensorGroup = nullptr;
    QButtonGroup* m_digitGroup = nullptr;
    QPointer<CDlgGridCtrl> m_editor;
};

} // namespace Korvane
