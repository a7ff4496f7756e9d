#include "gui/boards/board_panel.h"

#include "core/mqtt/telemetry_json.h"

#include "core/boards/board_text.h"
#include "core/products/catalogue.h"
#include "gui/boards/board_edits.h"
#include "gui/common/message_seam.h"
#include "gui/widgets/digi_static.h"
#include "gui/widgets/lamp.h"
#include "gui/widgets/picture_ex.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>

namespace Korvane {

QButtonGroup* MakeButtonGroup(QObject* owner, std::initializer_list<QAbstractButton*> buttons) {
    auto* group = new QButtonGroup(owner);
    int id = 0;
    for (QAbstractButton* b : buttons)
        group->addButton(b, id++);
    group->button(0)->setChecked(true);
    return group;
}

CBoardPanel::CBoardPanel(int dialogId, Family family, CPanelHost* host, QWidget* parent)
    : CPanelBase(dialogId, host, parent), m_model(StationModel<CBoardModel>()),
      m_family(std::move(family)) {
    m_lampTimer.setInterval(kLampTickMs);
    connect(&m_lampTimer, &QTimer::timeout, this, &CBoardPanel::OnLampTick);
    SetModel(&m_model);
}

CBoardPanel::~CBoardPanel() {
    m_sender.Clear();
    delete m_editor;
}

QByteArray CBoardPanel::Tag() const {
    for (int i = 0; i < ProductCount(); ++i)
        if (Product(i).panelId == DialogId() && Product(i).boardTag)
            return QByteArray(Product(i).boardTag);
    return {};
}

void CBoardPanel::OnClick(std::function<void()> work) {
    m_sender.Run(std::move(work));
}

void CBoardPanel::ConnectClick(QAbstractButton* button, std::function<void()> work) {
    connect(button, &QAbstractButton::clicked, this, [this, work] { OnClick(work); });
}

void CBoardPanel::BindShared(const Controls& c) {
    using namespace BoardField;
    m_c = c;
    m_chase.count = int(c.ledLamps.size());
    for (int i = 0; i < int(c.ledBoxes.size()); ++i) {
        BindLamp(c.ledLamps[i], LedLamp0 + i);
        // Every user change counts (mouse, keyboard, assistive technology's toggle); the
        // panel's own changes are made with signals blocked.
        connect(c.ledBoxes[i], &QAbstractButton::toggled, this,
                [this, i](bool on) { OnClick([this, i, on] { OnLedToggled(i, on); }); });
    }
    c.coil2->SetOn(true); // the stepper's coil pictures are fixed: IN2 shows red

    static const char* const kStepper[5] = {"SMT10", "SMT00", "SMT20", "SMT31", "SMT32"};
    for (int i = 0; i < 5; ++i) {
        const QByteArray frame = FrameOf(kStepper[i]);
        ConnectClick(c.stepper[i], [this, frame] { SendFrame(frame); });
    }
    const QByteArray beep = FrameOf("BEEP");
    ConnectClick(c.buzzer, [this, beep] { SendFrame(beep); });
    const struct {
        QAbstractButton* button;
        const char* body;
        int picture;
    } fan[] = {{c.fanFaster, "FAN2", 337},
               {c.fanSlower, "FAN3", 338},
               {c.fanStart, "FAN1", 336},
               {c.fanStop, "FAN0", 339}};
    for (const auto& f : fan) {
        const QByteArray frame = FrameOf(f.body);
        const int picture = f.picture;
        ConnectClick(f.button, [this, frame, picture] { OnFan(frame, picture); });
    }

    ConnectClick(c.flowing, [this] { OnFlowingLight(); });
    ConnectClick(c.breathing, [this] { OnBreathingLight(); });
    ConnectClick(c.segmentSend, [this] { SendSegment(); });
    ConnectClick(c.lcdShow, [this] { ShowLcd1602(); });
    ConnectClick(c.lcdClear, [this] { ClearLcd1602(); });
    ConnectClick(c.serialSendButton, [this] { SendSerialText(); });
    ConnectClick(c.dotMatrix, [this] { OpenDotMatrix(); });

    // The digit count changes the segment display, in its turn with the other clicks.
    m_digitGroup = MakeButtonGroup(this, {c.digitRadios[0], c.digitRadios[1]});
    connect(m_digitGroup, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (checked)
            OnClick([this, id] { OnDigitChoice(id); });
    });
    OnField(DigitChoice, [this] {
        const int id = m_model.Number(DigitChoice);
        if (m_digitGroup->checkedId() != id) {
            const QSignalBlocker quiet(m_digitGroup);
            m_digitGroup->button(id)->setChecked(true);
        }
    });
    OnField(SegmentShown, [this] {
        m_c.segmentDisplay->SetDisplayText(m_model.Value(SegmentShown).toByteArray());
    });

    BindInput(c.segmentEdit, SegmentText);
    BindInput(c.lcdLines[0], Lcd1602Line1);
    BindInput(c.lcdLines[1], Lcd1602Line2);
    BindInput(c.serialSend, SerialSend);
    BindOutput(c.serialReceive, SerialReceive);
    BindOutput(c.irInternal, IrInternal);
    BindOutput(c.irTranslated, IrTranslated);

    // What may be typed: frame texts in GBK bytes without "#" or "$"; the serial assistant
    // raw, up to the 1024 bytes the link takes in one frame.
    for (int i = 0; i < 2; ++i)
        LimitFrameText(c.lcdLines[i], kLcdLineBytes);
    LimitFrameText(c.segmentEdit, m_family.segmentLimit > 0 ? m_family.segmentLimit : 1 << 20);
    LimitRawText(c.serialSend, kSerialTextBytes);
    ShowSharedTexts();
}

void CBoardPanel::OnFrameRead(const FrameRecord& record) {
    if (!record.notice.isEmpty())
        QueueMessage(record.notice);
}

void CBoardPanel::ShowSharedTexts() {
    const Controls& c = m_c;
    for (int i = 0; i < int(c.ledLamps.size()); ++i)
        c.ledLamps[i]->setAccessibleName(
            tr("LED %1").arg(tr(c.ledNames.value(i).toUtf8().constData())));
    const QString stepperMeaning[5] = {tr("Stepper motor: turn forward"), tr("Stepper motor: stop"),
                                       tr("Stepper motor: turn backward"),
                                       tr("Stepper motor: faster"), tr("Stepper motor: slower")};
    for (int i = 0; i < 5; ++i)
        c.stepper[i]->setAccessibleDescription(stepperMeaning[i]);
    c.fanFaster->setAccessibleDescription(tr("Fan: faster"));
    c.fanSlower->setAccessibleDescription(tr("Fan: slower"));
    c.fanStart->setAccessibleDescription(tr("Fan: start"));
    c.fanStop->setAccessibleDescription(tr("Fan: stop"));
    for (int i = 0; i < 2; ++i)
        c.lcdLines[i]->setAccessibleDescription(tr("LCD1602 line %1").arg(i + 1));
    c.lcdLines[1]->setAccessibleName(tr("1602: line 2")); // line 1 is named by its caption
    c.segmentEdit->setAccessibleName(tr("Segment text"));
    c.segmentDisplay->setAccessibleName(tr("数码管显示:"));
}

void CBoardPanel::StartUpShared() {
    if (m_c.fan->LoadResourcePicture(339))
        m_c.fan->StartPlayback();
    m_model.Set(BoardField::SegmentShown, QByteArray(m_family.digits[0], '0'));
    m_c.segmentDisplay->SetSegmentColours(QColor(200, 200, 200), QColor(255, 0, 0));
    m_c.segmentDisplay->EnableTransparentBackground();
    ShowLogo(m_c.logo);
}

void CBoardPanel::OnRoutedBatchDone() {
    ShowPendingMessages(); // after the controls showed what the frames brought
}

void CBoardPanel::ShowPendingMessages() {
    const QStringList messages = std::exchange(m_pendingMessages, {});
    QString last;
    for (const QString& text : messages) {
        if (text == last)
            continue; // a burst of the same complaint is shown once
        last = text;
        ShowDeviceMessage(text, this);
    }
}

void CBoardPanel::OnLedToggled(int led, bool on) {
    m_model.Set(BoardField::LedLamp0 + led, on);
    SendFrame(BoardFrames::Led(Tag(), led, on));
}

void CBoardPanel::OnFlowingLight() {
    const bool start = !m_flowing;
    m_flowing = start;
    for (int i = 0; i < int(m_c.ledLamps.size()); ++i) {
        m_model.Set(BoardField::LedLamp0 + i, false);
        const QSignalBlocker quiet(m_c.ledBoxes[i]);
        m_c.ledBoxes[i]->setChecked(false);
    }
    m_c.breathing->setEnabled(!start);
    if (start && m_family.chaseRestarts)
        m_chase.step = 0; // every start begins with the first lamp
    // The lamps chase exactly while a start frame went out and no stop frame since.
    if (SendFrame(FrameOf(start ? "LED02" : "LED00"))) {
        if (start)
            m_lampTimer.start();
        else
            m_lampTimer.stop();
    }
}

void CBoardPanel::OnBreathingLight() {
    m_breathing = !m_breathing;
    m_c.flowing->setEnabled(!m_breathing);
    SendFrame(FrameOf(m_breathing ? "LED03" : "LED00"));
}

void CBoardPanel::OnLampTick() {
    const int lit = m_chase.Tick();
    for (int i = 0; i < int(m_c.ledLamps.size()); ++i)
        m_model.Set(BoardField::LedLamp0 + i, i == lit);
}

void CBoardPanel::OnFan(const QByteArray& frame, int picture) {
    SendFrame(frame);
    if (m_c.fan->LoadResourcePicture(picture))
        m_c.fan->StartPlayback();
}

void CBoardPanel::OnDigitChoice(int choice) {
    const QByteArray zeros(m_family.digits[choice], '0');
    m_model.Set(BoardField::DigitChoice, choice);
    m_model.Set(BoardField::SegmentShown, zeros);
    m_model.Set(BoardField::SegmentText, QString::fromLatin1(zeros));
}

void CBoardPanel::SendSegment() {
    const int digits = m_family.digits[m_model.Number(BoardField::DigitChoice)];
    const QByteArray text = ToGbk(m_model.Text(BoardField::SegmentText));
    const auto frame = BoardFrames::Segment(Tag(), digits, text);
    if (!frame) {
        ShowMessage(BoardFrames::BoardText(BoardFrames::SegmentLengthText(digits)), this,
                    MessageIcon::Warning);
        return;
    }
    SendFrame(*frame);
    m_model.Set(BoardField::SegmentShown, text); // whether or not it went out
}

void CBoardPanel::ClearLcd1602() {
    SendFrame(FrameOf("LCD1602,0"));
    m_model.Set(BoardField::Lcd1602Line1, QString());
    m_model.Set(BoardField::Lcd1602Line2, QString());
}

void CBoardPanel::SendSerialText() {
    const QString text = m_model.Text(BoardField::SerialSend);
    if (!text.isEmpty())
        SendFrame(ToGbk(text)); // as typed: no "$", no "#"
}

void CBoardPanel::OpenDotMatrix() {
    if (m_editor) {
        m_editor->raise();
        return;
    }
    // Modal to the window, without a nested event loop: frames keep reaching the panel.
    m_editor = new CDlgGridCtrl(
        Host(), [this] { return CurrentProduct(); }, window());
    m_editor->setAttribute(Qt::WA_DeleteOnClose);
    m_editor->setWindowModality(Qt::ApplicationModal);
    m_editor->show();
}

} // namespace Korvane
