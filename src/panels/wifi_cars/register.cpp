// The Wi-Fi car panels: the 4WD cars and the tricycle cars.
#include "../../app/catalogue.h"
#include "../panel_base.h"
#include "pendrix_form_view.h"
#include "tavo4wd_car_form_view.h"

namespace Korvane {

void RegisterWifiCarPanels() {
    RegisterPanelFamily({Panel4WD, "CTavo4WDCarFormView",
                         [](CPanelHost* h, QWidget* p) { return new CTavo4WDCarFormView(h, p); }});
    RegisterPanelFamily({PanelPendrix, "CPendrixFormView",
                         [](CPanelHost* h, QWidget* p) { return new CPendrixFormView(h, p); }});
}

} // namespace Korvane
