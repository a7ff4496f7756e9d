#include "../app/catalogue.h"
#include "panel_base.h"
#include "placeholder_panel.h"
#include "serial_cars/balence_form_view.h"
#include "serial_cars/basic_car_panel.h"

namespace Korvane {

CPanelBase* CreatePanel(int dialogId, QWidget* parent) {
    switch (dialogId) {
    case PanelBirchCar:
        return new CArduinoCarFormView(parent);
    case PanelVantrelCar:
        return new CVantrelCarFormView(parent);
    case PanelAlderCar:
        return new CKorvaneView(parent);
    case PanelBalance:
        return new CBalenceFormView(parent);
    default:
        return new CPlaceholderPanel(dialogId, parent);
    }
}

} // namespace Korvane
