// The serial car panels: the three basic robot cars and the balance cars.
#include "core/products/catalogue.h"
#include "gui/panels/panel_base.h"
#include "gui/serial_cars/balence_form_view.h"
#include "gui/serial_cars/basic_car_panel.h"

namespace Korvane {

void RegisterSerialCarPanels() {
    RegisterPanelFamily(
        {PanelBirchCar, [](CPanelHost* h, QWidget* p) { return new CArduinoCarFormView(h, p); }});
    RegisterPanelFamily(
        {PanelVantrelCar, [](CPanelHost* h, QWidget* p) { return new CVantrelCarFormView(h, p); }});
    RegisterPanelFamily(
        {PanelAlderCar, [](CPanelHost* h, QWidget* p) { return new CKorvaneView(h, p); }});
    RegisterPanelFamily(
        {PanelBalance, [](CPanelHost* h, QWidget* p) { return new CBalenceFormView(h, p); }});
}

} // namespace Korvane
