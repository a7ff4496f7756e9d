#pragma once

#include <QByteArray>
#include <QJsonObject>

namespace Korvane {

// The fields one received frame carried, named in English with their units, for the family of
// product (distance_cm, battery_v, gyroscope_deg, tracking...). Empty when the product's panel
// reads nothing from such a frame. Numbers are numbers where the text is one; otherwise the
// text as the device sent it.
QJsonObject TelemetryFields(int product, const QByteArray& frame);

} // namespace Korvane
