// The development board panels: the 8051 boards and the Arduino kits.
#include "core/products/catalogue.h"
#include "gui/boards/develop51_form_view.h"
#include "gui/boards/develop_ar_form_view.h"
#include "gui/panels/panel_base.h"

namespace Korvane {

void RegisterBoardPanels() {
    RegisterPanelFamily(
        {PanelBoard51, [](CPanelHost* h, QWidget* p) { return new CDevelop51FormView(h, p); }});
    RegisterPanelFamily(
        {PanelKitAR, [](CPanelHost* h, QWidget* p) { return new CDevelopARFormView(h, p); }});
}

} // namespace Korvane
