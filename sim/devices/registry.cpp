// The simulated products. Adding a device family: its files in this folder with a
// registration function, the files in sim/CMakeLists.txt, and one line in this list.
#include "device.h"

#include <map>

#define KORVANE_SIM_DEVICES(X)                                                                     \
    X(RegisterBasicCars) X(RegisterBalanceCars) X(RegisterWifiCars) X(RegisterTrainingBoards)

namespace KorvaneSim {

#define KORVANE_DECLARE(fn) void fn();
KORVANE_SIM_DEVICES(KORVANE_DECLARE)
#undef KORVANE_DECLARE

namespace {
std::map<int, DeviceFactory>& Factories() {
    static std::map<int, DeviceFactory> factories;
    return factories;
}

void RegisterAll() {
    static const bool done = [] {
#define KORVANE_CALL(fn) fn();
        KORVANE_SIM_DEVICES(KORVANE_CALL)
#undef KORVANE_CALL
        return true;
    }();
    (void)done;
}
} // namespace

void RegisterDevice(std::initializer_list<int> products, DeviceFactory create) {
    for (int product : products)
        Factories()[product] = create;
}

std::unique_ptr<Device> CreateDevice(int product) {
    RegisterAll();
    const auto it = Factories().find(product);
    return it == Factories().end() ? nullptr : it->second();
}

} // namespace KorvaneSim
