#include "gui/boards/develop51_form_view.h"

#include "core/boards/board_text.h"
#include "core/products/catalogue.h"
#include "gui/boards/board_edits.h"
#include "gui/boards/dot_grid.h"
#include "gui/common/control_ids.h"
#include "gui/common/message_seam.h"
#include "gui/widgets/button_ex.h"
#include "gui/widgets/digi_static.h"
#include "gui/widgets/lamp.h"
#include "ui_develop51_form_view.h"

#include <QButtonGroup>
#include <QDateEdit>
#include <QDateTime>
#include <QIntValidator>
#include <QLineEdit>

#include <algorithm>
#include <iterator>

namespace Korvane {

namespace {

const QColor kKeyIdle(200, 200, 200);
const QColor kKeyLit(255, 0, 0);

} // namespace

CDevelop51FormView::CDevelop51FormView(CPanelHost* host, QWidget* parent)
    : CBoardPanel(PanelBoard51, {{4, 8}, true, 8}, host, parent), m_ui(new Ui::CDevelop51FormView) {
    m_ui->setupUi(this);
    Controls c = SharedControls(m_ui.get());
    c.ledBoxes = {m_ui->led0Check, m_ui->led1Check, m_ui->led2Check, m_ui->led3Check,
                  m_ui->led4Check, m_ui->led5Check, m_ui->led6Check, m_ui->led7Check};
    c.ledLamps = {m_ui->led0Lamp, m_ui->led1Lamp, m_ui->led2Lamp, m_ui->led3Lamp,
                  m_ui->led4Lamp, m_ui->led5Lamp, m_ui->led6Lamp, m_ui->led7Lamp};
    for (int i = 0; i < 8; ++i)
        c.ledNames << QStringLiteral("P1.%1").arg(i);
    c.digitRadios[0] = m_ui->fourDigitRadio;
    c.digitRadios[1] = m_ui->eightDigitRadio;
    BindShared(c);
    BindOwn();
    m_clockTimer.setInterval(kClockTickMs);
    connect(&m_clockTimer, &QTimer::timeout, this, &CDevelop51FormView::OnClockTick);
}

CDevelop51FormView::~CDevelop51FormView() = default;

void CDevelop51FormView::BindOwn() {
    using namespace BoardField;
    m_adGroup = MakeButtonGroup(this, {m_ui->lightRadio, m_ui->thermistorRadio, m_ui->voltageRadio,
                                       m_ui->sw1Radio, m_ui->sw2Radio});
    m_sensorGroup = MakeButtonGroup(
        this, {m_ui->ultrasonicRadio, m_ui->ds18b20Radio, m_ui->motionRadio, m_ui->soundRadio});
    BindChoice(m_adGroup, AdSource);
    BindChoice(m_sensorGroup, SensorChoice);
    BindOutput(m_ui->adRawEdit, AdRaw);
    BindOutput(m_ui->adConvertedEdit, AdConverted);
    BindOutput(m_ui->distanceLabel, Distance);
    BindOutput(m_ui->temperatureLabel, Temperature);
    BindLamp(m_ui->motionLamp, Motion);
    BindLamp(m_ui->soundLamp, Sound);
    BindOutput(m_ui->timeLabel, TimeText);
    BindInput(m_ui->clockHourEdit, ClockHour);
    BindInput(m_ui->clockMinuteEdit, ClockMinute);
    BindInput(m_ui->clockSecondEdit, ClockSecond);
    connect(m_ui->clockDateEdit, &QDateEdit::dateChanged, this,
            [this](QDate date) { m_model.Set(ClockDate, date); });
    OnField(ClockDate, [this] {
        if (m_ui->clockDateEdit->date() != m_model.Value(ClockDate).toDate())
            m_ui->clockDateEdit->setDate(m_model.Value(ClockDate).toDate());
    });
    const struct {
        QLineEdit* edit;
        int field;
    } inputs[] = {{m_ui->irUser1Edit, IrUser1},
                  {m_ui->irUser2Edit, IrUser2},
                  {m_ui->irOp1Edit, IrOp1},
                  {m_ui->irOp2Edit, IrOp2},
                  {m_ui->lcd12864Line1Edit, Lcd12864Line1},
                  {m_ui->lcd12864Line2Edit, Lcd12864Line2},
                  {m_ui->lcd12864Line3Edit, Lcd12864Line3},
                  {m_ui->lcd12864Line4Edit, Lcd12864Line4},
                  // The calculator's texts: the board's keys write them, and so may the user.
                  {m_ui->formulaEdit, Formula},
                  {m_ui->resultEdit, Result}};
    for (const auto& in : inputs)
        BindInput(in.edit, in.field);

    const QByteArray clear12864 = FrameOf("LCD12864,0");
    ConnectClick(m_ui->lcd12864ClearButton, [this, clear12864] { SendFrame(clear12864); });
    ConnectClick(m_ui->irSendButton, [this] { SendInfrared(); });
    ConnectClick(m_ui->lcd12864ShowButton, [this] { ShowLcd12864(); });
    ConnectClick(m_ui->clockSegmentButton, [this] { SetClock(1); });
    ConnectClick(m_ui->clock1602Button, [this] { SetClock(2); });
    ConnectClick(m_ui->clock12864Button, [this] { SetClock(3); });

    // What may be typed: LCD lines in GBK bytes without "#" or "$", infrared codes as
    // hexadecimal digits, the clock as numbers 0 to 255, the result as a whole number.
    QLineEdit* lcd[4] = {m_ui->lcd12864Line1Edit, m_ui->lcd12864Line2Edit, m_ui->lcd12864Line3Edit,
                         m_ui->lcd12864Line4Edit};
    for (int i = 0; i < 4; ++i)
        LimitFrameText(lcd[i], kLcdLineBytes);
    for (QLineEdit* code : {m_ui->irUser1Edit, m_ui->irUser2Edit, m_ui->irOp1Edit, m_ui->irOp2Edit})
        LimitIrCode(code);
    LimitRawText(m_ui->formulaEdit, CKeypadCalculator::kMaxFormula);
    for (QLineEdit* e : {m_ui->clockHourEdit, m_ui->clockMinuteEdit, m_ui->clockSecondEdit})
        e->setValidator(new CByteNumberValidator(e));
    m_ui->resultEdit->setValidator(new QIntValidator(m_ui->resultEdit));

    // The keypad's keys in the calculator's order.
    CButtonEx* const keys[] = {
        m_ui->key1071Button, m_ui->key1072Button, m_ui->key1073Button, m_ui->key1074Button,
        m_ui->key1075Button, m_ui->key1076Button, m_ui->key1077Button, m_ui->key1078Button,
        m_ui->key1079Button, m_ui->key1080Button, m_ui->key1081Button, m_ui->key1082Button,
        m_ui->key1083Button, m_ui->key1084Button, m_ui->key1085Button, m_ui->key1086Button};
    static_assert(std::size(keys) == CKeypadCalculator::kKeyCount);
    std::copy(std::begin(keys), std::end(keys), m_keys);
    OnField(KeyLit, [this] { HighlightKey(m_model.Number(KeyLit)); });
    ShowOwnTexts();
}

void CDevelop51FormView::RetranslateUi() {
    m_ui->retranslateUi(this);
    ShowSharedTexts();
    ShowOwnTexts();
    if (m_clockTimer.isActive())
        OnClockTick(); // the time line in the new language now, not at the next tick
}

void CDevelop51FormView::ShowOwnTexts() {
    m_ui->motionLamp->setAccessibleName(tr("Motion sensor"));
    m_ui->soundLamp->setAccessibleName(tr("Sound sensor"));
    m_ui->distanceLabel->setAccessibleDescription(tr("Ultrasonic distance"));
    m_ui->temperatureLabel->setAccessibleDescription(tr("DS18B20 temperature"));
    m_ui->timeLabel->setAccessibleDescription(tr("Current time"));
    QLineEdit* lcd[4] = {m_ui->lcd12864Line1Edit, m_ui->lcd12864Line2Edit, m_ui->lcd12864Line3Edit,
                         m_ui->lcd12864Line4Edit};
    for (int i = 0; i < 4; ++i) {
        lcd[i]->setAccessibleDescription(tr("LCD12864 line %1").arg(i + 1));
        if (i > 0) // the first line is named by its caption label
            lcd[i]->setAccessibleName(tr("12864: line %1").arg(i + 1));
    }
    m_ui->clockHourEdit->setAccessibleName(tr("Hour"));
    m_ui->clockMinuteEdit->setAccessibleName(tr("Minute"));
    m_ui->clockSecondEdit->setAccessibleName(tr("Second"));
    m_ui->clockDateEdit->setAccessibleName(tr("Date"));
    // Display only: the board's keypad drives them.
    for (CButtonEx* key : m_keys)
        key->setAccessibleDescription(tr("Keypad key (shows the key pressed on the board)"));
}

void CDevelop51FormView::OnInitialUpdate() {
    m_clockTimer.start(); // restarts, never doubles
    StartUpShared();
    HighlightKey(m_model.Number(BoardField::KeyLit));
    OnClockTick();
}

void CDevelop51FormView::HighlightKey(int index) {
    // -1: no key yet, every key idle.
    for (int i = 0; i < CKeypadCalculator::kKeyCount; ++i)
        m_keys[i]->SetFaceColor(i == index ? kKeyLit : kKeyIdle);
}

void CDevelop51FormView::OnClockTick() {
    // Only the time text: the edits the user is typing in are left alone.
    const QDateTime now = QDateTime::currentDateTime();
    const QDate d = now.date();
    const QTime t = now.time();
    auto two = [](int v) { return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0')); };
    m_model.Set(BoardField::TimeText,
                tr("现在时间是%1年%2月%3日 %4:%5:%6")
                    .arg(QStringLiteral("%1").arg(d.year(), 4, 10, QLatin1Char('0')),
                         two(d.month()), two(d.day()), two(t.hour()), two(t.minute()),
                         two(t.second())));
}

void CDevelop51FormView::SetClock(int n) {
    using namespace BoardField;
    // The hour, minute and second edits take digits 0 to 255 only; an empty one is the only
    // way to hold no number, which only this click complains about.
    bool okH = false, okM = false, okS = false;
    const int hour = m_model.Text(ClockHour).toInt(&okH);
    const int minute = m_model.Text(ClockMinute).toInt(&okM);
    const int second = m_model.Text(ClockSecond).toInt(&okS);
    if (!okH || !okM || !okS) {
        ShowMessage(tr("Please enter an integer."), this, MessageIcon::Warning);
        return;
    }
    const auto error = BoardFrames::CheckClock(hour, minute, second);
    if (error != BoardFrames::ClockError::None) {
        ShowMessage(BoardFrames::BoardText(BoardFrames::ClockErrorText(error)), this,
                    MessageIcon::Warning);
        return;
    }
    SendFrame(BoardFrames::Time(n, m_model.Value(ClockDate).toDate(), hour, minute, second));
}

void CDevelop51FormView::SendInfrared() {
    using namespace BoardField;
    SendFrame(BoardFrames::IrSend(m_model.Text(IrUser1).toLatin1(),
                                  m_model.Text(IrUser2).toLatin1(), m_model.Text(IrOp1).toLatin1(),
                                  m_model.Text(IrOp2).toLatin1()));
}

void CDevelop51FormView::ShowLcd1602() {
    PlaySteps(BoardFrames::Lcd1602Show(ToGbk(m_model.Text(BoardField::Lcd1602Line1)),
                                       ToGbk(m_model.Text(BoardField::Lcd1602Line2))));
}

void CDevelop51FormView::ShowLcd12864() {
    using namespace BoardField;
    const QByteArray lines[4] = {
        ToGbk(m_model.Text(Lcd12864Line1)), ToGbk(m_model.Text(Lcd12864Line2)),
        ToGbk(m_model.Text(Lcd12864Line3)), ToGbk(m_model.Text(Lcd12864Line4))};
    PlaySteps(BoardFrames::Lcd12864Show(lines));
}

void CDevelop51FormView::PlaySteps(const std::vector<BoardFrames::PacedStep>& steps) {
    // Each frame, then its pause: what comes after waits on the sender's timer.
    for (const BoardFrames::PacedStep& step : steps) {
        const QByteArray frame = step.frame;
        if (!frame.isEmpty())
            m_sender.Run([this, frame] { SendFrame(frame); });
        if (step.pauseAfterMs > 0)
            m_sender.Pause(step.pauseAfterMs);
    }
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
        if (CDlgGridCtrl* editor = DotMatrixEditor()) {
            for (int i = 0; i < 8; ++i) // a diagonal cross
                editor->Grid()->cellClickedAt(i, i);
            for (int i = 0; i < 8; ++i)
                if (i != 7 - i)
                    editor->Grid()->cellClickedAt(i, 7 - i);
        }
    });
    at(3200, [this] {
        if (CDlgGridCtrl* editor = DotMatrixEditor())
            editor->close();
    });
}

} // namespace Korvane
