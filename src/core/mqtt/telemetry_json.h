#pragma once

#include <QByteArray>
#include <QJsonObject>

#include "core/boards/infrared_keys.h"

namespace Korvane {

// The fields one received frame carried, named in English with their units, for the family of
// product (distance_cm, battery_v, gyroscope_deg, tracking...). Empty when the product's panel
// reads nothing from such a frame. Numbers are numbers where the text is one; otherwise the
// text as the device sent it.
QJsonObject TelemetryFields(int product, const QByteArray& frame);

// The training boards' readings depend on what their panel has chosen to read (the AD source,
// the sensor) and on the infrared code shown: with those, a board frame's fields too
// (ad_raw, ad_converted, distance_cm, temperature_c, motion, sound, ir_code, ir_key; the kit
// also buttons, tilt, touch, touch_value, air_temperature_c, humidity_percent, joystick).
struct BoardChoices {
    int adSource = 0;
    int sensorChoice = 0;
    IrValues infrared;
};
QJsonObject TelemetryFields(int product, const QByteArray& frame, const BoardChoices& choices);

} // namespace Korvane
