// The simulated products. Adding a device family: its files in this folder with a
// registration function, the files in sim/CMakeLists.txt, and one line in this list.
#include "device.h"

#include <QByteArray>

#include <map>

#define KORVANE_SIM_DEVICES(X)                                                                     \
    X(RegisterBasicCars) X(RegisterBalanceCars) X(RegisterWifiCars) X(RegisterTrainingBoards)

namespace KorvaneSim {

#define KORVANE_DECLARE(fn) void fn();
KORVANE_SIM_DEVICES(KORVANE_DECLARE)
#undef KORVANE_DECLARE

namespace {
std::map<QByteArray, DeviceFactory>& Factories() {
    static std::map<QByteArray, DeviceFactory> factories;
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

void RegisterDevice(const char* device, DeviceFactory create) {
    Factories()[QByteArray(device)] = std::move(create);
}

std::unique_ptr<Device> CreateDevice(int product) {
    RegisterAll();
    if (!Korvane::IsValidProduct(product) || !Korvane::Product(product).simDevice)
        return nullptr;
    const Korvane::ProductInfo& row = Korvane::Product(product);
    const auto it = Factories().find(QByteArray(row.simDevice));
    return it == Factories().end() ? nullptr : it->second(row);
}

} // namespace KorvaneSim
