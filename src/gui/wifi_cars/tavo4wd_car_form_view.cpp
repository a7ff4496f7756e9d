#include "gui/wifi_cars/tavo4wd_car_form_view.h"

#include "core/products/catalogue.h"
#include "gui/panels/slider_release.h"
#include "gui/widgets/lamp.h"
#include "gui/wifi_cars/dlg_manipulator.h"
#include "ui_tavo4wd_car_form_view.h"

#include <QKeyEvent>
#include <QPushButton>
#include <QSignalBlocker>

namespace Korvane {

CTavo4WDCarFormView::CTavo4WDCarFormView(CPanelHost* host, QWidget* parent)
    : CWifiCarPanel(WifiCar::FourWd, Panel4WD, host, parent), m_ui(new Ui::CTavo4WDCarFormView) {
    m_ui->setupUi(this);
    WifiCarControls c = WifiCarControls::FromForm(m_ui.get());
    c.angleSlider = m_ui->servoSlider;
    c.cameraButtons = {m_ui->cameraUpButton, m_ui->cameraDownButton, m_ui->cameraLeftButton,
                       m_ui->cameraRightButton};
    BindCommon(c);

    // The arm's joints are the model's: the sliders write them and follow them.
    QSlider* const joints[6] = {m_ui->j1Slider, m_ui->j2Slider, m_ui->j3Slider,
                                m_ui->j4Slider, m_ui->j5Slider, m_ui->j6Slider};
    for (int j = 0; j < 6; ++j) {
        QSlider* joint = joints[j];
        const int field = WifiField::Joint0 + j;
        connect(joint, &QSlider::valueChanged, this,
                [this, field](int value) { Model().Set(field, value); });
        OnField(field, [this, joint, field] {
            const QSignalBlocker quiet(joint);
            joint->setValue(Model().Number(field));
        });
        new CSliderRelease(joint, [this] { OnArmReleased(); });
    }
    connect(m_ui->armButton, &QPushButton::clicked, this, &CTavo4WDCarFormView::OpenArmDialog);

    BindLamp(m_ui->obstacleL1, WifiField::Obstacle0);
    BindLamp(m_ui->obstacleR1, WifiField::Obstacle0 + 1);
    BindLamp(m_ui->lightL1, WifiField::Light0);
    BindLamp(m_ui->lightR1, WifiField::Light0 + 1);
    BindOutput(m_ui->distanceLabel, WifiField::Distance);
    BindOutput(m_ui->colourValueEdit, WifiField::ColourSensor);
    BindOutput(m_ui->colourNameLabel, WifiField::ColourName);
    ShowOwnTexts();
}

void CTavo4WDCarFormView::RetranslateUi() {
    m_ui->retranslateUi(this);
    ShowOwnTexts();
    RetranslateCommon();
}

void CTavo4WDCarFormView::ShowOwnTexts() {
    m_ui->obstacleL1->setAccessibleName(tr("Obstacle sensor %1").arg(QLatin1String("L1")));
    m_ui->obstacleR1->setAccessibleName(tr("Obstacle sensor %1").arg(QLatin1String("R1")));
    m_ui->lightL1->setAccessibleName(tr("Light seeking sensor %1").arg(QLatin1String("L1")));
    m_ui->lightR1->setAccessibleName(tr("Light seeking sensor %1").arg(QLatin1String("R1")));
    m_ui->distanceLabel->setAccessibleDescription(tr("Ultrasonic distance"));
    m_ui->batteryText->setAccessibleDescription(tr("Battery"));
    m_ui->colourNameLabel->setAccessibleDescription(tr("Colour sensor"));
    m_ui->colourSensorSwatch->setAccessibleName(tr("Colour sensor colour"));
    // Two buttons read "Right" (and two "Left"): the camera cross says which way it moves.
    m_ui->cameraUpButton->setAccessibleDescription(tr("Camera up"));
    m_ui->cameraDownButton->setAccessibleDescription(tr("Camera down"));
    m_ui->cameraLeftButton->setAccessibleDescription(tr("Camera left"));
    m_ui->cameraRightButton->setAccessibleDescription(tr("Camera right"));
    m_ui->leftButton->setAccessibleDescription(tr("Drive: turn left"));
    m_ui->rightButton->setAccessibleDescription(tr("Drive: turn right"));
    m_ui->servoLeftButton->setAccessibleDescription(tr("Servo to the left end"));
    m_ui->servoRightButton->setAccessibleDescription(tr("Servo to the right end"));
}

CTavo4WDCarFormView::~CTavo4WDCarFormView() = default;

void CTavo4WDCarFormView::OnInitialUpdate() {
    CWifiCarPanel::OnInitialUpdate();
    for (QSlider* joint : {m_ui->j1Slider, m_ui->j2Slider, m_ui->j3Slider, m_ui->j4Slider,
                           m_ui->j5Slider, m_ui->j6Slider})
        joint->setRange(0, 180);
}

void CTavo4WDCarFormView::OnButton(int controlId) {
    // The servo buttons also move the servo slider (without a PTZ frame of its own).
    static const struct {
        int control, angle;
    } kServo[] = {{WifiControl::SpinRight, 0},
                  {WifiControl::ServoLeft, 0},
                  {WifiControl::ServoMiddle, 90},
                  {WifiControl::ServoRight, 180}};
    for (const auto& s : kServo) {
        if (s.control != controlId)
            continue;
        Send(WifiButtonFrame(Car(), controlId));
        Model().Set(WifiField::Angle, s.angle);
        return;
    }
    CWifiCarPanel::OnButton(controlId);
}

void CTavo4WDCarFormView::OpenArmDialog() {
    if (m_arm) {
        m_arm->raise();
        return;
    }
    // Modal to the window, opened without a nested event loop: the click returns at once.
    m_arm = new CDlgManipulator(
        Model().Pose(),
        [this](const QByteArray& frame) { return Send(frame, CommandOrigin::ArmDialog); },
        m_armStorePath.isEmpty() ? CDlgManipulator::DefaultStorePath() : m_armStorePath, this);
    m_arm->setAttribute(Qt::WA_DeleteOnClose);
    // The arm's pose follows whatever the dialog sends (and the panel's sliders with it).
    connect(m_arm, &CDlgManipulator::poseSent, this,
            [this](const ArmPose& pose) { Model().SetPose(pose); });
    m_arm->open();
}

void CTavo4WDCarFormView::OnArmReleased() {
    Send(ArmFrame(Model().Pose()));
}

} // namespace Korvane
