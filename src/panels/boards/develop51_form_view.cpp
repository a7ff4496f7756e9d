#include "develop51_form_view.h"

#include "../../app/catalogue.h"
#include "../../app/control_ids.h"
#include "../../app/message_seam.h"
#include "../../widgets/button_ex.h"
#include "../../widgets/digi_static.h"
#include "../../widgets/lamp.h"
#include "../../widgets/picture_ex.h"
#include "board_edits.h"
#include "board_text.h"
#include "dlg_grid_ctrl.h"
#include "dot_grid.h"
#include "ui_develop51_form_view.h"

#include <QButtonGroup>
#include <QDateTime>
#include <QIntValidator>
#include <QLineEdit>

namespace Korvane {

namespace {

const QColor kKeyIdle(200, 200, 200);
const QColor kKeyLit(255, 0, 0);

// Writes a control only when its text changes: setText moves the caret and clears the
// selection and undo history even for the same text, and this panel writes its controls
// every time a frame arrives.
void Put(QLineEdit* edit, const QString& text) {
    if (edit->text() != text)
        edit->setText(text);
}

void Put(QLabel* label, const QString& text) {
    if (label->text() != text)
        label->setText(text);
}

} // namespace

CDevelop51FormView::CDevelop51FormView(CPanelHost* host, QWidget* parent)
    : CPanelBase(PanelBoard51, host, parent), m_ui(new Ui::CDevelop51FormView) {
    m_ui->setupUi(this);
    m_v.clockDate = QDate::currentDate(); // the clock starts at 0:0:0 with today's date
    BindControls();
    m_lampTimer.setInterval(kLampTickMs);
    connect(&m_lampTimer, &QTimer::timeout, this, &CDevelop51FormView::OnLampTick);
    m_clockTimer.setInterval(kClockTickMs);
    connect(&m_clockTimer, &QTimer::timeout, this, &CDevelop51FormView::OnClockTick);
    WriteControls();
    Put(m_ui->clockHourEdit, QStringLiteral("0"));
    Put(m_ui->clockMinuteEdit, QStringLiteral("0"));
    Put(m_ui->clockSecondEdit, QStringLiteral("0"));
}

CDevelop51FormView::~CDevelop51FormView() {
    m_sender.Clear();
    delete m_editor;
}

void CDevelop51FormView::BindControls() {
    // Radio groups number their buttons in the order of the form (not by control id).
    auto makeGroup = [this](std::initializer_list<QAbstractButton*> buttons) {
        auto* group = new QButtonGroup(this);
        int id = 0;
        for (QAbstractButton* b : buttons)
            group->addButton(b, id++);
        group->button(0)->setChecked(true);
        return group;
    };
    m_adGroup = makeGroup({m_ui->lightRadio, m_ui->thermistorRadio, m_ui->voltageRadio,
                           m_ui->sw1Radio, m_ui->sw2Radio});
    m_sensorGroup =
        makeGroup({m_ui->ultrasonicRadio, m_ui->ds18b20Radio, m_ui->motionRadio, m_ui->soundRadio});
    m_digitGroup = makeGroup({m_ui->fourDigitRadio, m_ui->eightDigitRadio});
    connect(m_digitGroup, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (checked)
            OnClick([this, id] { OnDigitChoice(id); });
    });

    QAbstractButton* boxes[8] = {m_ui->led0Check, m_ui->led1Check, m_ui->led2Check,
                                 m_ui->led3Check, m_ui->led4Check, m_ui->led5Check,
                                 m_ui->led6Check, m_ui->led7Check};
    CLamp* lamps[8] = {m_ui->led0Lamp, m_ui->led1Lamp, m_ui->led2Lamp, m_ui->led3Lamp,
                       m_ui->led4Lamp, m_ui->led5Lamp, m_ui->led6Lamp, m_ui->led7Lamp};
    for (int i = 0; i < 8; ++i) {
        m_ledBoxes[i] = boxes[i];
        m_ledLamps[i] = lamps[i];
        lamps[i]->setAccessibleName(QStringLiteral("LED P1.%1").arg(i));
        // Every user change counts (mouse, keyboard, assistive technology's toggle); the
        // panel's own changes are made with signals blocked.
        connect(boxes[i], &QAbstractButton::toggled, this,
                [this, i](bool on) { OnClick([this, i, on] { OnLedToggled(i, on); }); });
    }
    m_ui->coil2Lamp->SetOn(true); // the stepper's coil pictures are fixed: IN2 shows red
    m_ui->motionLamp->setAccessibleName(tr("Motion sensor"));
    m_ui->soundLamp->setAccessibleName(tr("Sound sensor"));
    m_ui->distanceLabel->setAccessibleDescription(tr("Ultrasonic distance"));
    m_ui->temperatureLabel->setAccessibleDescription(tr("DS18B20 temperature"));
    m_ui->timeLabel->setAccessibleDescription(tr("Current time"));

    const struct {
        QAbstractButton* button;
        const char* frame;
        const char* meaning;
    } fixed[] = {{m_ui->stepperForwardButton, "$51,SMT10#", "Stepper motor: turn forward"},
                 {m_ui->stepperStopButton, "$51,SMT00#", "Stepper motor: stop"},
                 {m_ui->stepperBackwardButton, "$51,SMT20#", "Stepper motor: turn backward"},
                 {m_ui->stepperFasterButton, "$51,SMT31#", "Stepper motor: faster"},
                 {m_ui->stepperSlowerButton, "$51,SMT32#", "Stepper motor: slower"},
                 {m_ui->buzzerButton, "$51,BEEP#", nullptr},
                 {m_ui->lcd12864ClearButton, "$51,LCD12864,0#", nullptr}};
    for (const auto& f : fixed) {
        const QByteArray frame(f.frame);
        connect(f.button, &QAbstractButton::clicked, this,
                [this, frame] { OnClick([this, frame] { SendFrame(frame); }); });
        if (f.meaning)
            f.button->setAccessibleDescription(QString::fromLatin1(f.meaning));
    }
    const struct {
        QAbstractButton* button;
        const char* frame;
        int picture;
        const char* meaning;
    } fan[] = {{m_ui->fanFasterButton, "$51,FAN2#", 337, "Fan: faster"},
               {m_ui->fanSlowerButton, "$51,FAN3#", 338, "Fan: slower"},
               {m_ui->fanStartButton, "$51,FAN1#", 336, "Fan: start"},
               {m_ui->fanStopButton, "$51,FAN0#", 339, "Fan: stop"}};
    for (const auto& f : fan) {
        const char* frame = f.frame;
        const int picture = f.picture;
        connect(f.button, &QAbstractButton::clicked, this, [this, frame, picture] {
            OnClick([this, frame, picture] { OnFan(frame, picture); });
        });
        f.button->setAccessibleDescription(QString::fromLatin1(f.meaning));
    }

    auto click = [this](QAbstractButton* button, void (CDevelop51FormView::*handler)()) {
        connect(button, &QAbstractButton::clicked, this,
                [this, handler] { OnClick([this, handler] { (this->*handler)(); }); });
    };
    click(m_ui->flowingButton, &CDevelop51FormView::OnFlowingLight);
    click(m_ui->breathingButton, &CDevelop51FormView::OnBreathingLight);
    click(m_ui->irSendButton, &CDevelop51FormView::SendInfrared);
    click(m_ui->segmentSendButton, &CDevelop51FormView::SendSegment);
    click(m_ui->lcd1602ShowButton, &CDevelop51FormView::ShowLcd1602);
    click(m_ui->lcd1602ClearButton, &CDevelop51FormView::ClearLcd1602);
    click(m_ui->lcd12864ShowButton, &CDevelop51FormView::ShowLcd12864);
    click(m_ui->serialSendButton, &CDevelop51FormView::SendSerialText);
    click(m_ui->dotMatrixButton, &CDevelop51FormView::OpenDotMatrix);
    QAbstractButton* clock[3] = {m_ui->clockSegmentButton, m_ui->clock1602Button,
                                 m_ui->clock12864Button};
    for (int n = 1; n <= 3; ++n)
        connect(clock[n - 1], &QAbstractButton::clicked, this,
                [this, n] { OnClick([this, n] { SetClock(n); }); });

    // What may be typed: frame texts in GBK bytes without "#" or "$", infrared codes as
    // hexadecimal digits, the clock as numbers 0 to 255, the result as a whole number.
    QLineEdit* lcd[6] = {m_ui->lcd1602Line1Edit,  m_ui->lcd1602Line2Edit,  m_ui->lcd12864Line1Edit,
                         m_ui->lcd12864Line2Edit, m_ui->lcd12864Line3Edit, m_ui->lcd12864Line4Edit};
    for (int i = 0; i < 6; ++i) {
        m_lcdEdits[i] = lcd[i];
        LimitFrameText(lcd[i], kLcdLineBytes);
        lcd[i]->setAccessibleDescription(i < 2 ? tr("LCD1602 line %1").arg(i + 1)
                                               : tr("LCD12864 line %1").arg(i - 1));
        if (i != 0 && i != 2) // the first line of each LCD is named by its caption label
            lcd[i]->setAccessibleName(i < 2 ? tr("1602: line %1").arg(i + 1)
                                            : tr("12864: line %1").arg(i - 1));
    }
    LimitFrameText(m_ui->segmentEdit, 8);
    for (QLineEdit* code : {m_ui->irUser1Edit, m_ui->irUser2Edit, m_ui->irOp1Edit, m_ui->irOp2Edit})
        LimitIrCode(code);
    LimitRawText(m_ui->serialSendEdit, kSerialTextBytes);
    LimitRawText(m_ui->formulaEdit, CKeypadCalculator::kMaxFormula);
    for (QLineEdit* e : {m_ui->clockHourEdit, m_ui->clockMinuteEdit, m_ui->clockSecondEdit})
        e->setValidator(new CByteNumberValidator(e));
    m_ui->clockHourEdit->setAccessibleName(tr("Hour"));
    m_ui->clockMinuteEdit->setAccessibleName(tr("Minute"));
    m_ui->clockSecondEdit->setAccessibleName(tr("Second"));
    m_ui->clockDateEdit->setAccessibleName(tr("Date"));
    m_ui->resultEdit->setValidator(new QIntValidator(m_ui->resultEdit));
    m_ui->segmentEdit->setAccessibleName(tr("Segment text"));
    m_ui->segmentDisplay->setAccessibleName(QString::fromUtf8("数码管显示:"));

    for (int i = 0; i < CKeypadCalculator::kKeyCount; ++i) {
        m_keys[i] = qobject_cast<CButtonEx*>(FindControl(this, 1071 + i));
        // Display only: the board's keypad drives them.
        m_keys[i]->setAccessibleDescription(tr("Keypad key (shows the key pressed on the board)"));
    }
}

void CDevelop51FormView::OnInitialUpdate() {
    m_clockTimer.start(); // restarts, never doubles
    if (m_ui->fanPicture->LoadResourcePicture(339))
        m_ui->fanPicture->StartPlayback();
    m_ui->segmentDisplay->SetDisplayText("0000");
    m_ui->segmentDisplay->SetSegmentColours(QColor(200, 200, 200), QColor(255, 0, 0));
    m_ui->segmentDisplay->EnableTransparentBackground();
    for (CButtonEx* key : m_keys)
        key->SetFaceColor(kKeyIdle);
    ShowLogo(m_ui->logoPicture);
    WriteControls();
    OnClockTick();
}

void CDevelop51FormView::OnClick(std::function<void()> work) {
    m_sender.Run(std::move(work));
}

void CDevelop51FormView::ReadControls() {
    m_v.adSource = m_adGroup->checkedId();
    m_v.sensorChoice = m_sensorGroup->checkedId();
    m_v.digitChoice = m_digitGroup->checkedId();
    m_v.clockDate = m_ui->clockDateEdit->date();
    // The hour, minute and second edits take digits 0 to 255 only; an empty one is the only
    // way to hold no number, which only the clock-setting click complains about.
    bool okH = false, okM = false, okS = false;
    const int h = m_ui->clockHourEdit->text().toInt(&okH);
    const int m = m_ui->clockMinuteEdit->text().toInt(&okM);
    const int s = m_ui->clockSecondEdit->text().toInt(&okS);
    m_v.clockValid = okH && okM && okS;
    if (m_v.clockValid) {
        m_v.hour = h;
        m_v.minute = m;
        m_v.second = s;
    }
    m_v.irUser1 = m_ui->irUser1Edit->text();
    m_v.irUser2 = m_ui->irUser2Edit->text();
    m_v.irOp1 = m_ui->irOp1Edit->text();
    m_v.irOp2 = m_ui->irOp2Edit->text();
    m_v.segmentText = m_ui->segmentEdit->text();
    for (int i = 0; i < 6; ++i)
        m_v.lcd[i] = m_lcdEdits[i]->text();
    m_v.serialSend = m_ui->serialSendEdit->text();
    m_calculator.formula = ToGbk(m_ui->formulaEdit->text());
    bool okResult = false;
    const int result = m_ui->resultEdit->text().toInt(&okResult);
    if (okResult)
        m_calculator.result = result;
}

void CDevelop51FormView::WriteControls() {
    Put(m_ui->adRawEdit, m_v.adRaw);
    Put(m_ui->adConvertedEdit, m_v.adConverted);
    Put(m_ui->distanceLabel, m_v.distance);
    Put(m_ui->temperatureLabel, m_v.temperature);
    if (m_ui->clockDateEdit->date() != m_v.clockDate)
        m_ui->clockDateEdit->setDate(m_v.clockDate);
    Put(m_ui->timeLabel, m_v.timeText);
    Put(m_ui->irInternalEdit, FromGbk(m_v.infrared.internalCode));
    Put(m_ui->irTranslatedEdit, FromGbk(m_v.infrared.translatedCode));
    Put(m_ui->irUser1Edit, m_v.irUser1);
    Put(m_ui->irUser2Edit, m_v.irUser2);
    Put(m_ui->irOp1Edit, m_v.irOp1);
    Put(m_ui->irOp2Edit, m_v.irOp2);
    Put(m_ui->segmentEdit, m_v.segmentText);
    for (int i = 0; i < 6; ++i)
        Put(m_lcdEdits[i], m_v.lcd[i]);
    Put(m_ui->formulaEdit, FromGbk(m_calculator.formula));
    Put(m_ui->resultEdit, QString::number(m_calculator.result));
    Put(m_ui->serialSendEdit, m_v.serialSend);
    Put(m_ui->serialReceiveEdit, m_v.serialReceive);
    if (m_adGroup->checkedId() != m_v.adSource)
        m_adGroup->button(m_v.adSource)->setChecked(true);
    if (m_sensorGroup->checkedId() != m_v.sensorChoice)
        m_sensorGroup->button(m_v.sensorChoice)->setChecked(true);
    if (m_digitGroup->checkedId() != m_v.digitChoice) {
        const QSignalBlocker quiet(m_digitGroup);
        m_digitGroup->button(m_v.digitChoice)->setChecked(true);
    }
}

void CDevelop51FormView::OnRoutedFrame(int message, const QByteArray& frame) {
    if (message != MsgBoard51)
        return;
    if (!m_inBatch) { // the radio choices and typed texts as they are now, once per batch
        ReadControls();
        m_inBatch = true;
    }
    m_v.serialReceive = FromGbk(frame);
    const Board51Update u = ParseBoard51Frame(frame, m_v.adSource, m_v.sensorChoice, m_v.infrared);
    if (u.adRaw)
        m_v.adRaw = *u.adRaw;
    if (u.adConverted)
        m_v.adConverted = *u.adConverted;
    if (u.distance)
        m_v.distance = *u.distance;
    if (u.temperature)
        m_v.temperature = *u.temperature;
    if (u.motion)
        m_ui->motionLamp->SetOn(*u.motion);
    if (u.sound)
        m_ui->soundLamp->SetOn(*u.sound);
    if (u.infrared)
        m_v.infrared = *u.infrared;
    if (u.calculator) {
        const CKeypadCalculator::Outcome out = m_calculator.HandleFrame(frame);
        if (out.highlight >= 0)
            HighlightKey(out.highlight);
        if (out.error != CalcError::None)
            m_pendingMessages << QString::fromUtf8(CalcErrorText(out.error));
    }
}

void CDevelop51FormView::OnRoutedBatchDone() {
    if (!m_inBatch)
        return;
    m_inBatch = false;
    WriteControls();
    ShowPendingMessages(); // after the controls show what the frames brought
}

void CDevelop51FormView::ShowPendingMessages() {
    const QStringList messages = std::exchange(m_pendingMessages, {});
    QString last;
    for (const QString& text : messages) {
        if (text == last)
            continue; // a burst of the same complaint is shown once
        last = text;
        ShowMessage(text, this, MessageIcon::Warning);
    }
}

void CDevelop51FormView::HighlightKey(int index) {
    for (int i = 0; i < CKeypadCalculator::kKeyCount; ++i)
        m_keys[i]->SetFaceColor(i == index ? kKeyLit : kKeyIdle);
}

void CDevelop51FormView::OnLedToggled(int led, bool on) {
    ReadControls();
    m_ledLamps[led]->SetOn(on);
    SendFrame(BoardFrames::Led("51", led, on));
}

void CDevelop51FormView::OnFlowingLight() {
    const bool start = !m_flowing;
    m_flowing = start;
    for (int i = 0; i < 8; ++i) {
        m_ledLamps[i]->SetOn(false);
        const QSignalBlocker quiet(m_ledBoxes[i]);
        m_ledBoxes[i]->setChecked(false);
    }
    m_ui->breathingButton->setEnabled(!start);
    if (start)
        m_chase.step = 0; // every start begins with P1.0
    // The lamps chase exactly while a start frame went out and no stop frame since.
    if (SendFrame(start ? "$51,LED02#" : "$51,LED00#")) {
        if (start)
            m_lampTimer.start();
        else
            m_lampTimer.stop();
    }
}

void CDevelop51FormView::OnBreathingLight() {
    m_breathing = !m_breathing;
    m_ui->flowingButton->setEnabled(!m_breathing);
    SendFrame(m_breathing ? "$51,LED03#" : "$51,LED00#");
}

void CDevelop51FormView::OnLampTick() {
    const int lit = m_chase.Tick();
    for (int i = 0; i < 8; ++i)
        m_ledLamps[i]->SetOn(i == lit);
}

void CDevelop51FormView::OnClockTick() {
    // Only the time text: the edits the user is typing in are left alone.
    const QDateTime now = QDateTime::currentDateTime();
    const QDate d = now.date();
    const QTime t = now.time();
    auto two = [](int v) { return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0')); };
    m_v.timeText =
        QString::fromUtf8("现在时间是%1年%2月%3日 %4:%5:%6")
            .arg(QStringLiteral("%1").arg(d.year(), 4, 10, QLatin1Char('0')), two(d.month()),
                 two(d.day()), two(t.hour()), two(t.minute()), two(t.second()));
    Put(m_ui->timeLabel, m_v.timeText);
}

void CDevelop51FormView::SetClock(int n) {
    ReadControls();
    if (!m_v.clockValid) {
        ShowMessage(tr("Please enter an integer."), this, MessageIcon::Warning);
        return;
    }
    const auto error = BoardFrames::CheckClock(m_v.hour, m_v.minute, m_v.second);
    if (error != BoardFrames::ClockError::None) {
        ShowMessage(QString::fromUtf8(BoardFrames::ClockErrorText(error)), this,
                    MessageIcon::Warning);
        return;
    }
    SendFrame(BoardFrames::Time(n, m_v.clockDate, m_v.hour, m_v.minute, m_v.second));
}

void CDevelop51FormView::SendInfrared() {
    ReadControls();
    SendFrame(BoardFrames::IrSend(m_v.irUser1.toLatin1(), m_v.irUser2.toLatin1(),
                                  m_v.irOp1.toLatin1(), m_v.irOp2.toLatin1()));
}

void CDevelop51FormView::SendSegment() {
    ReadControls();
    const int digits = m_v.digitChoice == 0 ? 4 : 8;
    const QByteArray text = ToGbk(m_v.segmentText);
    const auto frame = BoardFrames::Segment("51", digits, text);
    if (!frame) {
        ShowMessage(QString::fromUtf8(BoardFrames::SegmentLengthText(digits)), this,
                    MessageIcon::Warning);
        return;
    }
    SendFrame(*frame);
    m_ui->segmentDisplay->SetDisplayText(text); // whether or not it went out
}

void CDevelop51FormView::OnDigitChoice(int choice) {
    ReadControls(); // keeps what was typed elsewhere since the last read
    m_v.digitChoice = choice;
    const QByteArray zeros(choice == 0 ? 4 : 8, '0');
    m_ui->segmentDisplay->SetDisplayText(zeros);
    m_v.segmentText = QString::fromLatin1(zeros);
    WriteControls();
}

void CDevelop51FormView::ShowLcd1602() {
    ReadControls();
    for (const BoardFrames::PacedStep& step :
         BoardFrames::Lcd1602Show(ToGbk(m_v.lcd[0]), ToGbk(m_v.lcd[1]))) {
        const QByteArray frame = step.frame;
        if (!frame.isEmpty())
            m_sender.Run([this, frame] { SendFrame(frame); });
        if (step.pauseAfterMs > 0)
            m_sender.Pause(step.pauseAfterMs);
    }
}

void CDevelop51FormView::ClearLcd1602() {
    ReadControls();
    SendFrame("$51,LCD1602,0#");
    m_v.lcd[0].clear();
    m_v.lcd[1].clear();
    WriteControls();
}

void CDevelop51FormView::ShowLcd12864() {
    ReadControls();
    const QByteArray lines[4] = {ToGbk(m_v.lcd[2]), ToGbk(m_v.lcd[3]), ToGbk(m_v.lcd[4]),
                                 ToGbk(m_v.lcd[5])};
    for (const BoardFrames::PacedStep& step : BoardFrames::Lcd12864Show(lines)) {
        const QByteArray frame = step.frame;
        if (!frame.isEmpty())
            m_sender.Run([this, frame] { SendFrame(frame); });
        if (step.pauseAfterMs > 0)
            m_sender.Pause(step.pauseAfterMs);
    }
}

void CDevelop51FormView::SendSerialText() {
    ReadControls();
    if (!m_v.serialSend.isEmpty())
        SendFrame(ToGbk(m_v.serialSend)); // as typed: no "$", no "#"
}

void CDevelop51FormView::OnFan(const char* frame, int picture) {
    SendFrame(frame);
    if (m_ui->fanPicture->LoadResourcePicture(picture))
        m_ui->fanPicture->StartPlayback();
}

void CDevelop51FormView::OpenDotMatrix() {
    if (m_editor) {
        m_editor->raise();
        return;
    }
    // Modal to the window, without a nested event loop: frames keep reaching the panel.
    m_editor = new CDlgGridCtrl(Host(), window());
    m_editor->setAttribute(Qt::WA_DeleteOnClose);
    m_editor->setWindowModality(Qt::ApplicationModal);
    m_editor->show();
}

void CDevelop51FormView::StartDemo() {
    // As a user would: LEDs, the flowing light, a Chinese LCD line, a segment text, the
    // clock, an infrared code the board loops back, and the dot matrix.
    auto at = [this](int ms, std::function<void()> step) { QTimer::singleShot(ms, this, step); };
    at(0, [this] {
        m_ui->led0Check->click();
        m_ui->led2Check->click();
    });
    at(300, [this] { m_ui->flowingButton->click(); });
    at(1300, [this] { m_ui->flowingButton->click(); });
    at(1400, [this] {
        m_ui->lcd1602Line1Edit->setText(QString::fromUtf8("你好，世界"));
        m_ui->lcd1602Line2Edit->setText(QStringLiteral("Korvane PC"));
        m_ui->lcd1602ShowButton->click();
        m_ui->segmentEdit->setText(QStringLiteral("2024"));
        m_ui->segmentSendButton->click();
    });
    at(1800, [this] {
        m_ui->clockHourEdit->setText(QStringLiteral("12"));
        m_ui->clockMinuteEdit->setText(QStringLiteral("34"));
        m_ui->clockSecondEdit->setText(QStringLiteral("56"));
        m_ui->clock1602Button->click();
        m_ui->irOp1Edit->setText(QStringLiteral("F3"));
        m_ui->irOp2Edit->setText(QStringLiteral("0C"));
        m_ui->irSendButton->click();
        m_ui->fanStartButton->click();
    });
    at(2200, [this] {
        m_ui->dotMatrixButton->click();
        if (CDlgGridCtrl* editor = m_editor) {
            for (int i = 0; i < 8; ++i) // a diagonal cross
                editor->Grid()->cellClickedAt(i, i);
            for (int i = 0; i < 8; ++i)
                if (i != 7 - i)
                    editor->Grid()->cellClickedAt(i, 7 - i);
        }
    });
    at(3200, [this] {
        if (m_editor)
            m_editor->close();
    });
}

} // namespace Korvane
