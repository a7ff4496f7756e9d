// The development board panels: the 8051 boards and the Arduino kits.
#include "../../app/catalogue.h"
#include "../panel_base.h"
#include "develop51_form_view.h"
#include "develop_ar_form_view.h"

namespace Korvane {

void RegisterBoardPanels() {
    RegisterPanelFamily({PanelBoard51, "CDevelop51FormView",
                         [](CPanelHost* h, QWidget* p) { return new CDevelop51FormView(h, p); }});
    RegisterPanelFamily({PanelKitAR, "CDevelopARFormView",
                         [](CPanelHost* h, QWidget* p) { return new CDevelopARFormView(h, p); }});
}

} // namespace Korvane
