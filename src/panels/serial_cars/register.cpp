// The serial car panels: the three basic robot cars and the balance cars.
#include "../../app/catalogue.h"
#include "../panel_base.h"
#include "balence_form_view.h"
#include "basic_car_panel.h"

namespace Korvane {

void RegisterSerialCarPanels() {
    RegisterPanelFamily({PanelBirchCar, "CArduinoCarFormView",
                         [](CPanelHost* h, QWidget* p) { return new CArduinoCarFormView(h, p); }});
    RegisterPanelFamily({PanelVantrelCar, "CVantrelCarFormView",
                         [](CPanelHost* h, QWidget* p) { return new CVantrelCarFormView(h, p); }});
    RegisterPanelFamily({PanelAlderCar, "CKorvaneView",
                         [](CPanelHost* h, QWidget* p) { return new CKorvaneView(h, p); }});
    RegisterPanelFamily({PanelBalance, "CBalenceFormView",
                         [](CPanelHost* h, QWidget* p) { return new CBalenceFormView(h, p); }});
}

} // namespace Korvane
