#include "gui/boards/develop_ar_form_view.h"

#include "core/boards/board_text.h"
#include "core/products/catalogue.h"
#include "gui/boards/dot_grid.h"
#include "gui/widgets/lamp.h"
#include "ui_develop_ar_form_view.h"

#include <QButtonGroup>
#include <QLineEdit>

namespace Korvane {

CDevelopARFormView::CDevelopARFormView(CPanelHost* host, QWidget* parent)
    : CBoardPanel(PanelKitAR, {"AR", {1, 4}, false, 0}, host, parent),
      m_ui(new Ui::CDevelopARFormView) {
    m_ui->setupUi(this);
    Controls c = SharedControls(m_ui.get());
    c.ledBoxes = {m_ui->led0Check, m_ui->led1Check, m_ui->led2Check, m_ui->led3Check};
    c.ledLamps = {m_ui->led0Lamp, m_ui->led1Lamp, m_ui->led2Lamp, m_ui->led3Lamp};
    c.ledNames = {QStringLiteral("P3 red"), QStringLiteral("P4 green"), QStringLiteral("P5 blue"),
                  QStringLiteral("P6")};
    c.digitRadios[0] = m_ui->oneDigitRadio;
    c.digitRadios[1] = m_ui->fourDigitRadio;
    BindShared(c);
    BindOwn();
    WriteControls();
}

CDevelopARFormView::~CDevelopARFormView() = default;

void CDevelopARFormView::BindOwn() {
    // The sensor group's form order is 1094, 1095, 1098, 1096, 1097: DHT11 is choice 2.
    m_sensorGroup = MakeButtonGroup(this, {m_ui->ultrasonicRadio, m_ui->ds18b20Radio,
                                           m_ui->dht11Radio, m_ui->motionRadio, m_ui->soundRadio});
    m_adGroup = MakeButtonGroup(
        this, {m_ui->lightRadio, m_ui->thermistorRadio, m_ui->voltageRadio, m_ui->smokeRadio});
    m_buttonLamps[0] = m_ui->button1Lamp;
    m_buttonLamps[1] = m_ui->button2Lamp;
    m_buttonLamps[2] = m_ui->button3Lamp;
    m_buttonLamps[3] = m_ui->button4Lamp;
    for (int i = 0; i < 4; ++i)
        m_buttonLamps[i]->setAccessibleName(tr("Button %1").arg(i + 1));
    m_ui->touchLamp->setAccessibleName(tr("Touch switch"));
    m_ui->tiltLamp->setAccessibleName(tr("Tilt switch"));
    m_ui->motionLamp->setAccessibleName(tr("Motion sensor"));
    m_ui->soundLamp->setAccessibleName(tr("Sound sensor"));
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
    static const char* const kJoyNames[10] = {"",
                                              "Joystick up",
                                              "Joystick down",
                                              "Joystick left",
                                              "Joystick right",
                                              "Joystick upper left",
                                              "Joystick upper right",
                                              "Joystick lower left",
                                              "Joystick lower right",
                                              "Joystick centre"};
    for (int d = 1; d <= 9; ++d) {
        m_joyLamps[d] = joy[d];
        joy[d]->setAccessibleName(QString::fromLatin1(kJoyNames[d]));
    }
    m_ui->distanceLabel->setAccessibleDescription(tr("Ultrasonic distance"));
    m_ui->temperatureLabel->setAccessibleDescription(tr("DS18B20 temperature"));
    m_ui->airTemperatureLabel->setAccessibleDescription(tr("DHT11 air temperature"));
    m_ui->humidityLabel->setAccessibleDescription(tr("DHT11 humidity"));
    m_ui->servoAngleLabel->setAccessibleDescription(tr("Servo angle"));
    m_ui->segmentDisplay->setAccessibleName(QString::fromUtf8("数码管显示:"));

    ConnectClick(m_ui->servoLeftButton, [this] { OnServo(m_servo.SwingLeft()); });
    ConnectClick(m_ui->servoRightButton, [this] { OnServo(m_servo.SwingRight()); });
    ConnectClick(m_ui->servoResetButton, [this] { OnServo(m_servo.Reset()); });
}

void CDevelopARFormView::OnInitialUpdate() {
    StartUpShared();
    WriteControls();
}

void CDevelopARFormView::ReadOwnControls() {
    m_v.sensorChoice = m_sensorGroup->checkedId();
    m_v.adSource = m_adGroup->checkedId();
}

void CDevelopARFormView::WriteOwnControls() {
    Put(m_ui->touchValueEdit, m_v.touchValue);
    Put(m_ui->servoAngleLabel, m_v.servoAngle);
    Put(m_ui->distanceLabel, m_v.distance);
    Put(m_ui->temperatureLabel, m_v.temperature);
    Put(m_ui->airTemperatureLabel, m_v.airTemperature);
    Put(m_ui->humidityLabel, m_v.humidity);
    Put(m_ui->adRawEdit, m_v.adRaw);
    Put(m_ui->adConvertedEdit, m_v.adConverted);
    Put(m_ui->joyXEdit, m_v.joyX);
    Put(m_ui->joyYEdit, m_v.joyY);
    Put(m_ui->joyZEdit, m_v.joyZ);
    if (m_sensorGroup->checkedId() != m_v.sensorChoice)
        m_sensorGroup->button(m_v.sensorChoice)->setChecked(true);
    if (m_adGroup->checkedId() != m_v.adSource)
        m_adGroup->button(m_v.adSource)->setChecked(true);
}

void CDevelopARFormView::OnServo(QByteArray frame) {
    // The step changes whether or not the frame went out; each click sends, even at an end.
    ReadControls();
    SendFrame(frame);
    m_v.servoAngle = m_servo.AngleText();
    WriteControls();
}

void CDevelopARFormView::ShowLcd1602() {
    // Both lines in one hand-over, back to back: with both empty the empty text still goes
    // to the link (and so tells the user when the link is closed).
    ReadControls();
    const QByteArray text =
        BoardFrames::Lcd1602Joined("AR", ToGbk(m_shared.lcd[0]), ToGbk(m_shared.lcd[1]));
    SendFrame(text);
}

void CDevelopARFormView::OnRoutedFrame(const RoutedFrame& routed) {
    const QByteArray& frame = routed.frame;
    if (routed.message != MsgKitAR)
        return;
    BeginRoutedFrame(frame);
    const KitUpdate u = ParseKitFrame(frame, m_v.sensorChoice, m_v.adSource, m_shared.infrared);
    for (int i = 0; i < 4; ++i)
        if (u.buttons[i])
            m_buttonLamps[i]->SetOn(*u.buttons[i]);
    if (u.tilt)
        m_ui->tiltLamp->SetOn(*u.tilt);
    if (u.touch)
        m_ui->touchLamp->SetOn(*u.touch);
    if (u.touchValue)
        m_v.touchValue = *u.touchValue;
    if (u.infrared)
        m_shared.infrared = *u.infrared;
    if (u.distance)
        m_v.distance = *u.distance;
    if (u.temperature)
        m_v.temperature = *u.temperature;
    if (u.airTemperature)
        m_v.airTemperature = *u.airTemperature;
    if (u.humidity)
        m_v.humidity = *u.humidity;
    if (u.motion)
        m_ui->motionLamp->SetOn(*u.motion);
    if (u.sound)
        m_ui->soundLamp->SetOn(*u.sound);
    if (u.adRaw)
        m_v.adRaw = *u.adRaw;
    if (u.adConverted)
        m_v.adConverted = *u.adConverted;
    if (u.joyX)
        m_v.joyX = *u.joyX;
    if (u.joyY)
        m_v.joyY = *u.joyY;
    if (u.joyZ)
        m_v.joyZ = *u.joyZ;
    if (u.joyDirection)
        for (int d = 1; d <= 9; ++d)
            m_joyLamps[d]->SetOn(d == *u.joyDirection);
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
