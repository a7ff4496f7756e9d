// Every panel family's descriptor, registered once. A new family adds its line here.
#include "core/boards/board_family.h"
#include "core/panels/family.h"
#include "core/serial_cars/serial_car_frames.h"
#include "core/wifi_cars/wifi_car_family.h"

namespace Korvane {

void RegisterFamilies() {
    static const bool once = [] {
        RegisterBoardFamilies();
        RegisterSerialCarFamilies();
        RegisterWifiCarFamilies();
        return true;
    }();
    Q_UNUSED(once);
}

} // namespace Korvane
