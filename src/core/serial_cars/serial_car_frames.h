#pragma once

#include "core/serial_cars/balance_model.h"

#include <QJsonObject>

namespace Korvane {

// The balance car panel's driving buttons' frames: forward, back, left, right, stop, spin
// left, spin right.
constexpr int kBalanceDriveCount = 7;
inline constexpr const char* kBalanceDriveFrames[kBalanceDriveCount] = {
    "$1,0,0,0,0,0,0,0,0,0#", "$2,0,0,0,0,0,0,0,0,0#", "$3,0,0,0,0,0,0,0,0,0#",
    "$4,0,0,0,0,0,0,0,0,0#", "$0,0,0,0,0,0,0,0,0,0#", "$0,1,0,0,0,0,0,0,0,0#",
    "$0,2,0,0,0,0,0,0,0,0#"};

// What a balance car's telemetry frame carried, named for sharing and files.
QJsonObject BalanceTelemetryJson(const BalanceTelemetryRecord& record);

// Registers the basic and balance cars' descriptors.
void RegisterSerialCarFamilies();

} // namespace Korvane
