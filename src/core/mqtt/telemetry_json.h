#pragma once

#include "core/panels/family.h"

#include <QByteArray>

namespace Korvane {

// A frame's readings as the station shares and files them: the fields its family read
// (distance_cm, battery_v, gyroscope_deg, tracking...), the product, and time_ms, the
// wall-clock time the frame arrived. Compact JSON.
QByteArray TelemetryJson(const FrameRecord& record);

} // namespace Korvane
