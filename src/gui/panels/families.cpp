// The panel families of the station. Adding a family: its folder under src/panels with a
// registration function and a CMakeLists.txt, and one line in this list.
#include "gui/panels/panel_base.h"

#define KORVANE_PANEL_FAMILIES(X)                                                                  \
    X(RegisterSerialCarPanels) X(RegisterWifiCarPanels) X(RegisterBoardPanels)

namespace Korvane {

#define KORVANE_DECLARE(fn) void fn();
KORVANE_PANEL_FAMILIES(KORVANE_DECLARE)
#undef KORVANE_DECLARE

void RegisterPanelFamilies() {
    static const bool done = [] {
#define KORVANE_CALL(fn) fn();
        KORVANE_PANEL_FAMILIES(KORVANE_CALL)
#undef KORVANE_CALL
        return true;
    }();
    Q_UNUSED(done);
}

} // namespace Korvane
