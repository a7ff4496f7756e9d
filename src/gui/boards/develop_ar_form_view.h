#pragma once

#include "gui/boards/board_panel.h"

#include <memory>

namespace Ui {
class CDevelopARFormView;
}

namespace Korvane {

// The Arduino kit panel (the Birch kits): next to what every board panel has, the servo, the
// kit's four buttons, touch and tilt switches, the DHT11 and smoke sensors and the joystick.
class CDevelopARFormView : public CBoardPanel {
    Q_OBJECT
  public:
    explicit CDevelopARFormView(CPanelHost* host, QWidget* parent = nullptr);
    ~CDevelopARFormView() override;

    void OnRoutedFrame(const RoutedFrame& routed) override;
    void OnInitialUpdate() override;
    void StartDemo() override;

  protected:
    void ShowLcd1602() override;
    void ReadOwnControls() override;
    void WriteOwnControls() override;

  private:
    struct Values {
        int sensorChoice = 0;
        int adSource = 0;
        QString touchValue;
        QString servoAngle = QString::fromUtf8("0°");
        QString distance = QStringLiteral("0cm");
        QString temperature = QString::fromUtf8("0℃");
        QString airTemperature = QString::fromUtf8("0℃");
        QString humidity = QStringLiteral("0%");
        QString adRaw, adConverted;
        QString joyX, joyY, joyZ;
    };

    void BindOwn();
    void OnServo(QByteArray frame);

    std::unique_ptr<Ui::CDevelopARFormView> m_ui;
    Values m_v;
    CServo m_servo;
    CLamp* m_buttonLamps[4] = {};
    CLamp* m_joyLamps[10] = {}; // by direction; 0 has none
    QButtonGroup* m_sensorGroup = nullptr;
    QButtonGroup* m_adGroup = nullptr;
};

} // namespace Korvane
