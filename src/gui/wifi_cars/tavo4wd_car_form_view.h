#pragma once

#include "core/wifi_cars/arm_steps.h"
#include "gui/wifi_cars/dlg_manipulator.h"
#include "gui/wifi_cars/wifi_car_panel.h"

#include <QPointer>

#include <memory>

namespace Ui {
class CTavo4WDCarFormView;
} // namespace Ui

namespace Korvane {

// The 4WD car panel (the Tavo 4WD cars): driving, servo, searchlight, the six-joint arm and
// the car's sensors; the Raspberry Pi car (13) also over its TCP control service.
class CTavo4WDCarFormView : public CWifiCarPanel {
    Q_OBJECT
  public:
    explicit CTavo4WDCarFormView(CPanelHost* host, QWidget* parent = nullptr);
    ~CTavo4WDCarFormView() override;
    void OnInitialUpdate() override;

  protected:
    void OnButton(int controlId) override;
    void RetranslateUi() override;

  public:
    // The arm dialog while it is open.
    CDlgManipulator* ArmDialog() const { return m_arm; }
    // Where the arm dialog keeps its last list (tests use a folder of their own).
    void SetArmStorePath(const QString& path) { m_armStorePath = path; }

  private:
    // The captions and names the panel sets itself (the form's come from the form).
    void ShowOwnTexts();
    void OnArmReleased();
    void OpenArmDialog();

    std::unique_ptr<Ui::CTavo4WDCarFormView> m_ui;
    QPointer<CDlgManipulator> m_arm;
    QString m_armStorePath;
};

} // namespace Korvane
