#pragma once

#include "gui/wifi_cars/wifi_car_panel.h"

#include <memory>

namespace Ui {
class CPendrixFormView;
}

namespace Korvane {

// The tricycle car panel (the Pendrix cars): driving with drift, heading calibration with
// three stored positions, searchlight, camera pan, battery, tracking lamps and the distance on
// a segment display; the Raspberry Pi car (15) also over its TCP control service.
class CPendrixFormView : public CWifiCarPanel {
    Q_OBJECT
  public:
    explicit CPendrixFormView(CPanelHost* host, QWidget* parent = nullptr);
    ~CPendrixFormView() override;
    void OnInitialUpdate() override;

  protected:
    void OnButton(int controlId) override;
    void RetranslateUi() override;

  private:
    // The captions and names the panel sets itself (the form's come from the form).
    void ShowOwnTexts();
    std::unique_ptr<Ui::CPendrixFormView> m_ui;
};

} // namespace Korvane
