#include "gui/boards/develop_ar_form_view.h"

#include "core/boards/board_text.h"
#include "core/products/catalogue.h"
#include "gui/boards/dot_grid.h"
#include "gui/widgets/lamp.h"
#include "ui_develop_ar_form_view.h"

#include <QButtonGroup>
#include <QLabel>
#include <QLineEdit>

namespace Korvane {

CDevelopARFormView::CDevelopARFormView(CPanelHost* host, QWidget* parent)
    : CBoardPanel(PanelKitAR, {{1, 4}, false, 0}, host, parent), m_ui(new Ui::CDevelopARFormView) {
    m_ui->setupUi(this);
    Controls c = SharedControls(m_ui.get());
    c.ledBoxes = {m_ui->led0Check, m_ui->led1Check, m_ui->led2Check, m_ui->led3Check};
    c.ledLamps = {m_ui->led0Lamp, m_ui->led1Lamp, m_ui->led2Lamp, m_ui->led3Lamp};
    // Names of the lamps, translated where they are shown.
    c.ledNames = {QStringLiteral(QT_TRANSLATE_NOOP("Korvane::CBoardPanel", "P3 red")),
                  QStringLiteral(QT_TRANSLATE_NOOP("Korvane::CBoardPanel", "P4 green")),
                  QStringLiteral(QT_TRANSLATE_NOOP("Korvane::CBoardPanel", "P5 blue")),
                  QStringLiteral("P6")};
    c.digitRadios[0] = m_ui->oneDigitRadio;
    c.digitRadios[1] = m_ui->fourDigitRadio;
    BindShared(c);
    BindOwn();
}

CDevelopARFormView::~CDevelopARFormView() = default;

void CDevelopARFormView::BindOwn() {
    using namespace BoardField;
    // The sensor group's form order is 1094, 1095, 1098, 1096, 1097: DHT11 is choice 2.
    m_sensorGroup = MakeButtonGroup(this, {m_ui->ultrasonicRadio, m_ui->ds18b20Radio,
                                           m_ui->dht11Radio, m_ui->motionRadio, m_ui->soundRadio});
    m_adGroup = MakeButtonGroup(
        this, {m_ui->lightRadio, m_ui->thermistorRadio, m_ui->voltageRadio, m_ui->smokeRadio});
    BindChoice(m_sensorGroup, SensorChoice);
    BindChoice(m_adGroup, AdSource);
    CLamp* buttonLamps[4] = {m_ui->button1Lamp, m_ui->button2Lamp, m_ui->button3Lamp,
                             m_ui->button4Lamp};
    for (int i = 0; i < 4; ++i)
        BindLamp(buttonLamps[i], Button0 + i);
    BindLamp(m_ui->touchLamp, Touch);
    BindLamp(m_ui->tiltLamp, Tilt);
    BindLamp(m_ui->motionLamp, Motion);
    BindLamp(m_ui->soundLamp, Sound);
    const struct {
        QLabel* label;
        int field;
    } labels[] = {{m_ui->servoAngleLabel, ServoAngle},
                  {m_ui->distanceLabel, Distance},
                  {m_ui->temperatureLabel, Temperature},
                  {m_ui->airTemperatureLabel, AirTemperature},
                  {m_ui->humidityLabel, Humidity}};
    for (const auto& l : labels)
        BindOutput(l.label, l.field);
    const struct {
        QLineEdit* edit;
        int field;
    } edits[] = {{m_ui->touchValueEdit, TouchValue},
                 {m_ui->adRawEdit, AdRaw},
                 {m_ui->adConvertedEdit, AdConverted},
                 {m_ui->joyXEdit, JoyX},
                 {m_ui->joyYEdit, JoyY},
                 {m_ui->joyZEdit, JoyZ}};
    for (const auto& e : edits)
        BindOutput(e.edit, e.field);
    CLamp* joy[10] = {nullptr,
                      m_ui->joyUpLamp,
                      m_ui->joyDownLamp,
                      m_ui->joyLeftLamp,
                      m_ui->joyRightLamp,
                      m_ui->joyUpLeftLamp,
                      m_ui->joyUpRightLamp,
                      m_ui->joyDownLeftLamp,
                      m_ui->joyDownRightLamp,
                      m_ui->joyCentreLamp};
    std::copy(std::begin(joy), std::end(joy), m_joyLamps);
    // One lamp for the direction the joystick points, none for 0.
    OnField(JoyDirection, [this, joy] {
        for (int d = 1; d <= 9; ++d)
            joy[d]->SetOn(d == m_model.Number(JoyDirection));
    });
    ConnectClick(m_ui->servoLeftButton, [this] { OnServo(m_servo.SwingLeft()); });
    ConnectClick(m_ui->servoRightButton, [this] { OnServo(m_servo.SwingRight()); });
    ConnectClick(m_ui->servoResetButton, [this] { OnServo(m_servo.Reset()); });
    ShowOwnTexts();
}

void CDevelopARFormView::RetranslateUi() {
    m_ui->retranslateUi(this);
    ShowSharedTexts();
    ShowOwnTexts();
}

void CDevelopARFormView::ShowOwnTexts() {
    CLamp* buttonLamps[4] = {m_ui->button1Lamp, m_ui->button2Lamp, m_ui->button3Lamp,
                             m_ui->button4Lamp};
    for (int i = 0; i < 4; ++i)
        buttonLamps[i]->setAccessibleName(tr("Button %1").arg(i + 1));
    m_ui->touchLamp->setAccessibleName(tr("Touch switch"));
    m_ui->tiltLamp->setAccessibleName(tr("Tilt switch"));
    m_ui->motionLamp->setAccessibleName(tr("Motion sensor"));
    m_ui->soundLamp->setAccessibleName(tr("Sound sensor"));
    const QString joyNames[10] = {QString(),
                                  tr("Joystick up"),
                                  tr("Joystick down"),
                                  tr("Joystick left"),
                                  tr("Joystick right"),
                                  tr("Joystick upper left"),
                                  tr("Joystick upper right"),
                                  tr("Joystick lower left"),
                                  tr("Joystick lower right"),
                                  tr("Joystick centre")};
    for (int d = 1; d <= 9; ++d)
        m_joyLamps[d]->setAccessibleName(joyNames[d]);
    m_ui->distanceLabel->setAccessibleDescription(tr("Ultrasonic distance"));
    m_ui->temperatureLabel->setAccessibleDescription(tr("DS18B20 temperature"));
    m_ui->airTemperatureLabel->setAccessibleDescription(tr("DHT11 air temperature"));
    m_ui->humidityLabel->setAccessibleDescription(tr("DHT11 humidity"));
    m_ui->servoAngleLabel->setAccessibleDescription(tr("Servo angle"));
}

void CDevelopARFormView::OnInitialUpdate() {
    StartUpShared();
}

void CDevelopARFormView::OnServo(QByteArray frame) {
    // The step changes whether or not the frame went out; each click sends, even at an end.
    SendFrame(frame);
    m_model.Set(BoardField::ServoAngle, m_servo.AngleText());
}

void CDevelopARFormView::ShowLcd1602() {
    // Both lines in one hand-over, back to back: with both empty the empty text still goes
    // to the link (and so tells the user when the link is closed).
    SendFrame(BoardFrames::Lcd1602Joined(Tag(), ToGbk(m_model.Text(BoardField::Lcd1602Line1)),
                                         ToGbk(m_model.Text(BoardField::Lcd1602Line2))));
}

void CDevelopARFormView::StartDemo() {
    // As a user would: LEDs, the flowing light, the servo, the LCD and the segment display.
    auto at = [this](int ms, std::function<void()> step) { QTimer::singleShot(ms, this, step); };
    at(0, [this] {
        m_ui->led0Check->click();
        m_ui->led3Check->click();
    });
    at(300, [this] { m_ui->flowingButton->click(); });
    at(1200, [this] { m_ui->flowingButton->click(); });
    at(1300, [this] {
        for (int i = 0; i < 3; ++i)
            m_ui->servoLeftButton->click();
        m_ui->lcd1602Line1Edit->setText(QString::fromUtf8("你好，Arduino"));
        m_ui->lcd1602Line2Edit->setText(QStringLiteral("Korvane PC"));
        m_ui->lcd1602ShowButton->click();
        m_ui->fourDigitRadio->click();
        m_ui->segmentEdit->setText(QStringLiteral("1234"));
        m_ui->segmentSendButton->click();
        m_ui->dht11Radio->click();
        m_ui->fanStartButton->click();
    });
    at(1800, [this] {
        m_ui->dotMatrixButton->click();
        if (CDlgGridCtrl* editor = DotMatrixEditor()) {
            for (int i = 0; i < 8; ++i) // a frame around the matrix
                for (int j = 0; j < 8; ++j)
                    if (i == 0 || i == 7 || j == 0 || j == 7)
                        editor->Grid()->cellClickedAt(i, j);
        }
    });
    at(2600, [this] {
        if (CDlgGridCtrl* editor = DotMatrixEditor())
            editor->close();
    });
}

} // namespace Korvane
