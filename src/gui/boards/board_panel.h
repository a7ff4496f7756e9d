#pragma once

#include "core/boards/board_frames.h"
#include "core/boards/board_model.h"
#include "core/boards/paced_sender.h"
#include "gui/boards/dlg_grid_ctrl.h"
#include "gui/panels/panel_base.h"

#include <QHash>
#include <QList>
#include <QPointer>
#include <QStringList>
#include <QTimer>

#include <functional>

class QAbstractButton;
class QButtonGroup;
class QLabel;
class QLineEdit;

namespace Korvane {

class CDigiStatic;
class CLamp;
class CPictureEx;

// A radio group numbered in the order of the form (not by control id), first one checked.
QButtonGroup* MakeButtonGroup(QObject* owner, std::initializer_list<QAbstractButton*> buttons);

// What the training boards' panels share: LEDs with the flowing and the breathing light, the
// stepper, buzzer and fan, the segment output, the LCD1602, the serial assistant, the
// infrared receiver's two texts and the dot-matrix editor; and the way they work: every value
// lives in the panel's CBoardModel (core), each control is bound to its field (what the user
// types or chooses is written to the model; a field that changes is shown by its control),
// frames change the model in batches and the controls show a batch once, clicks run through a
// paced sender, and messages raised by frames are shown after the controls.
class CBoardPanel : public CPanelBase {
    Q_OBJECT
  public:
    static constexpr int kLampTickMs = 200;
    static constexpr int kSerialTextBytes = 1024;
    static constexpr int kLcdLineBytes = 16;

    void OnRoutedBatchDone() override;
    // A message the board's frame raised (the keypad's zero divisor) is shown after the batch.
    void OnFrameRead(const FrameRecord& record) override;
    // Lines still waiting for their pause (the LCD's) are meant for this board only.
    void OnLeave() override { m_sender.Clear(); }

    // The flowing light's period; tests shorten it.
    void SetLampTickMs(int ms) { m_lampTimer.setInterval(ms); }
    bool LampTimerActive() const { return m_lampTimer.isActive(); }
    // The dot-matrix editor while it is open.
    CDlgGridCtrl* DotMatrixEditor() const { return m_editor; }
    CPacedSender& Sender() { return m_sender; }
    CBoardModel& Model() { return m_model; }

  protected:
    // The shared controls, from the panel's form.
    struct Controls {
        QAbstractButton* flowing = nullptr;
        QAbstractButton* breathing = nullptr;
        QList<QAbstractButton*> ledBoxes;
        QList<CLamp*> ledLamps;
        QList<QString> ledNames;
        CLamp* coil2 = nullptr;
        // forward, stop, backward, faster, slower
        QAbstractButton* stepper[5] = {};
        QAbstractButton* buzzer = nullptr;
        CPictureEx* fan = nullptr;
        QAbstractButton* fanFaster = nullptr;
        QAbstractButton* fanSlower = nullptr;
        QAbstractButton* fanStart = nullptr;
        QAbstractButton* fanStop = nullptr;
        QAbstractButton* digitRadios[2] = {};
        CDigiStatic* segmentDisplay = nullptr;
        QLineEdit* segmentEdit = nullptr;
        QAbstractButton* segmentSend = nullptr;
        QLineEdit* lcdLines[2] = {};
        QAbstractButton* lcdShow = nullptr;
        QAbstractButton* lcdClear = nullptr;
        QLineEdit* serialSend = nullptr;
        QAbstractButton* serialSendButton = nullptr;
        QLineEdit* serialReceive = nullptr;
        QLineEdit* irInternal = nullptr;
        QLineEdit* irTranslated = nullptr;
        QAbstractButton* dotMatrix = nullptr;
        QLabel* logo = nullptr;
    };
    struct Family {
        int digits[2];      // the segment display's digit counts by choice
        bool chaseRestarts; // the flowing light starts again at the first lamp
        int segmentLimit;   // bytes the segment edit takes (0: no limit)
    };

    // The shared controls of a board form; both forms give them the same names. The LED
    // boxes, lamps and names and the digit radios differ by board and are set by the panel.
    template <class Form> static Controls SharedControls(Form* ui) {
        Controls c;
        c.flowing = ui->flowingButton;
        c.breathing = ui->breathingButton;
        c.coil2 = ui->coil2Lamp;
        c.stepper[0] = ui->stepperForwardButton;
        c.stepper[1] = ui->stepperStopButton;
        c.stepper[2] = ui->stepperBackwardButton;
        c.stepper[3] = ui->stepperFasterButton;
        c.stepper[4] = ui->stepperSlowerButton;
        c.buzzer = ui->buzzerButton;
        c.fan = ui->fanPicture;
        c.fanFaster = ui->fanFasterButton;
        c.fanSlower = ui->fanSlowerButton;
        c.fanStart = ui->fanStartButton;
        c.fanStop = ui->fanStopButton;
        c.segmentDisplay = ui->segmentDisplay;
        c.segmentEdit = ui->segmentEdit;
        c.segmentSend = ui->segmentSendButton;
        c.lcdLines[0] = ui->lcd1602Line1Edit;
        c.lcdLines[1] = ui->lcd1602Line2Edit;
        c.lcdShow = ui->lcd1602ShowButton;
        c.lcdClear = ui->lcd1602ClearButton;
        c.serialSend = ui->serialSendEdit;
        c.serialSendButton = ui->serialSendButton;
        c.serialReceive = ui->serialReceiveEdit;
        c.irInternal = ui->irInternalEdit;
        c.irTranslated = ui->irTranslatedEdit;
        c.dotMatrix = ui->dotMatrixButton;
        c.logo = ui->logoPicture;
        return c;
    }

    CBoardPanel(int dialogId, Family family, CPanelHost* host, QWidget* parent);
    ~CBoardPanel() override;

    void BindShared(const Controls& controls);
    // The names and descriptions of the shared controls, in the language in use.
    void ShowSharedTexts();
    // The start-up the panels share: the fan's still picture, the segment display, the logo.
    void StartUpShared();
    // The LCD1602's "show": the 8051 boards pace two frames, the kits join them.
    virtual void ShowLcd1602() = 0;

    void QueueMessage(const QString& text) { m_pendingMessages << text; }
    // A click's work, run through the paced sender (after any frames still pacing).
    void OnClick(std::function<void()> work);
    void ConnectClick(QAbstractButton* button, std::function<void()> work);
    // The board's frame tag ("51", "AR"), from the product table's rows of this panel.
    QByteArray Tag() const;
    QByteArray FrameOf(const char* body) const { return "$" + Tag() + "," + body + "#"; }

    CBoardModel& m_model; // the station's
    CPacedSender m_sender;

  private:
    void OnLedToggled(int led, bool on);
    void OnFlowingLight();
    void OnBreathingLight();
    void OnLampTick();
    void OnFan(const QByteArray& frame, int picture);
    void OnDigitChoice(int choice);
    void SendSegment();
    void ClearLcd1602();
    void SendSerialText();
    void OpenDotMatrix();
    void ShowPendingMessages();

    Family m_family;
    Controls m_c;
    QButtonGroup* m_digitGroup = nullptr;
    CLampChase m_chase;
    QTimer m_lampTimer;
    bool m_flowing = false;
    bool m_breathing = false;
    QStringList m_pendingMessages; // shown after the controls are written
    QPointer<CDlgGridCtrl> m_editor;
};

} // namespace Korvane
