// The Wi-Fi car panels: the 4WD cars and the tricycle cars.
#include "core/products/catalogue.h"
#include "gui/panels/panel_base.h"
#include "gui/wifi_cars/pendrix_form_view.h"
#include "gui/wifi_cars/tavo4wd_car_form_view.h"

namespace Korvane {

void RegisterWifiCarPanels() {
    RegisterPanelFamily(
        {Panel4WD, [](CPanelHost* h, QWidget* p) { return new CTavo4WDCarFormView(h, p); }});
    RegisterPanelFamily(
        {PanelPendrix, [](CPanelHost* h, QWidget* p) { return new CPendrixFormView(h, p); }});
}

} // namespace Korvane
