#pragma once

#include "gui/wifi_cars/wifi_car_panel.h"

#include <QDialog>

#include <memory>

namespace Ui {
class CTavo4WDCarFormView;
class CDlgManipulator;
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

  private:
    void OnArmReleased();

    std::unique_ptr<Ui::CTavo4WDCarFormView> m_ui;
};

// The arm's advanced control surface: shown, does nothing, sends nothing, keeps nothing.
class CDlgManipulator : public QDialog {
    Q_OBJECT
  public:
    explicit CDlgManipulator(QWidget* parent = nullptr);
    ~CDlgManipulator() override;

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    std::unique_ptr<Ui::CDlgManipulator> m_ui;
};

} // namespace Korvane
