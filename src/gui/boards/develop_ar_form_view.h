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

    void OnInitialUpdate() override;
    void StartDemo() override;

  protected:
    void ShowLcd1602() override;
    void RetranslateUi() override;

  private:
    void ShowOwnTexts();
    CLamp* m_joyLamps[10] = {}; // by joystick direction, none for 0
    void BindOwn();
    void OnServo(QByteArray frame);

    std::unique_ptr<Ui::CDevelopARFormView> m_ui;
    CServo m_servo;
    QButtonGroup* m_sensorGroup = nullptr;
    QButtonGroup* m_adGroup = nullptr;
};

} // namespace Korvane
