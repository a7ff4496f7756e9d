#include "gui/wifi_cars/pendrix_form_view.h"

#include "core/products/catalogue.h"
#include "gui/widgets/digi_static.h"
#include "gui/widgets/lamp.h"
#include "ui_pendrix_form_view.h"

namespace Korvane {

CPendrixFormView::CPendrixFormView(CPanelHost* host, QWidget* parent)
    : CWifiCarPanel(WifiCar::Pendrix, PanelPendrix, host, parent), m_ui(new Ui::CPendrixFormView) {
    m_ui->setupUi(this);
    WifiCarControls c = WifiCarControls::FromForm(m_ui.get());
    c.angleSlider = m_ui->headingSlider;
    c.cameraButtons = {m_ui->panLeftButton, m_ui->panRightButton};
    BindCommon(c);
    OnField(WifiField::Distance, [this] {
        m_ui->distanceDisplay->SetDisplayText(Model().Text(WifiField::Distance).toLatin1());
    });
    ShowOwnTexts();
}

void CPendrixFormView::RetranslateUi() {
    m_ui->retranslateUi(this);
    ShowOwnTexts();
    RetranslateCommon();
}

void CPendrixFormView::ShowOwnTexts() {
    m_ui->distanceDisplay->setAccessibleDescription(tr("Ultrasonic distance"));
    m_ui->batteryText->setAccessibleDescription(tr("Battery"));
    // "左" and "右" twice: driving and the stored heading positions.
    m_ui->leftButton->setAccessibleDescription(tr("Drive: turn left"));
    m_ui->rightButton->setAccessibleDescription(tr("Drive: turn right"));
    m_ui->positionLeftButton->setAccessibleDescription(tr("Store the heading as position 1"));
    m_ui->positionMiddleButton->setAccessibleDescription(tr("Store the heading as position 2"));
    m_ui->positionRightButton->setAccessibleDescription(tr("Store the heading as position 3"));
}

CPendrixFormView::~CPendrixFormView() = default;

void CPendrixFormView::OnInitialUpdate() {
    CWifiCarPanel::OnInitialUpdate();
    Model().Set(WifiField::Distance, QStringLiteral("0"));
    m_ui->distanceDisplay->SetSegmentColours(QColor(200, 200, 200), QColor(255, 0, 0));
    m_ui->distanceDisplay->EnableTransparentBackground();
}

void CPendrixFormView::OnButton(int controlId) {
    if (controlId >= WifiControl::ServoLeft && controlId <= WifiControl::ServoRight) {
        // The position buttons store the calibration angle (positions 1 to 3); the slider
        // stays where it is.
        Send(PositionFrame(Model().Number(WifiField::Angle),
                           controlId - WifiControl::ServoLeft + 1));
        return;
    }
    CWifiCarPanel::OnButton(controlId);
}

} // namespace Korvane
