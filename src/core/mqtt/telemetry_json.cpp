#include "core/mqtt/telemetry_json.h"

#include "core/boards/board_frames.h"
#include "core/link/frames.h"
#include "core/products/catalogue.h"
#include "core/serial_cars/balance_model.h"
#include "core/wifi_cars/wifi_car_model.h"

#include <QJsonArray>

#include <cmath>

namespace Korvane {

namespace {

// A device's number text as a JSON number ("57", "12.5", "57cm" reads 57), or the text itself.
// (A board's texts are read as GBK already: "29.3℃", "45%".)
QJsonValue Number(const QString& text) {
    QString digits = text.trimmed();
    while (!digits.isEmpty() && !digits.back().isDigit())
        digits.chop(1);
    bool ok = false;
    const double v = digits.toDouble(&ok);
    if (ok && std::isfinite(v))
        return v;
    return text;
}

void PutReadings(QJsonObject& o, const BoardReadings& r) {
    const std::pair<const char*, const std::optional<QString>*> texts[] = {
        {"ad_raw", &r.adRaw},
        {"ad_converted", &r.adConverted},
        {"distance_cm", &r.distance},
        {"temperature_c", &r.temperature}};
    for (const auto& [name, value] : texts)
        if (*value)
            o.insert(QLatin1String(name), Number(**value));
    if (r.motion)
        o.insert(QStringLiteral("motion"), *r.motion);
    if (r.sound)
        o.insert(QStringLiteral("sound"), *r.sound);
    if (r.infrared) {
        o.insert(QStringLiteral("ir_code"), QString::fromLatin1(r.infrared->internalCode));
        o.insert(QStringLiteral("ir_key"), QString::fromLatin1(r.infrared->translatedCode));
    }
}

template <size_t N> QJsonArray Flags(const std::array<bool, N>& flags) {
    QJsonArray a;
    for (bool f : flags)
        a.append(f);
    return a;
}

QJsonValue Number(const QByteArray& text) {
    return Number(QString::fromLatin1(text));
}

} // namespace

QJsonObject TelemetryFields(int product, const QByteArray& frame, const BoardChoices& choices) {
    QJsonObject o;
    if (!IsValidProduct(product))
        return o;
    if (Product(product).panelId == PanelBoard51) {
        PutReadings(
            o, ParseBoard51Frame(frame, choices.adSource, choices.sensorChoice, choices.infrared));
    } else if (Product(product).panelId == PanelKitAR) {
        const KitUpdate u =
            ParseKitFrame(frame, choices.sensorChoice, choices.adSource, choices.infrared);
        PutReadings(o, u);
        if (u.buttons[0] || u.buttons[1] || u.buttons[2] || u.buttons[3]) {
            QJsonArray buttons;
            for (const auto& b : u.buttons)
                buttons.append(b ? QJsonValue(*b) : QJsonValue());
            o.insert(QStringLiteral("buttons"), buttons);
        }
        if (u.tilt)
            o.insert(QStringLiteral("tilt"), *u.tilt);
        if (u.touch)
            o.insert(QStringLiteral("touch"), *u.touch);
        if (u.touchValue)
            o.insert(QStringLiteral("touch_value"), Number(*u.touchValue));
        if (u.airTemperature)
            o.insert(QStringLiteral("air_temperature_c"), Number(*u.airTemperature));
        if (u.humidity)
            o.insert(QStringLiteral("humidity_percent"), Number(*u.humidity));
        if (u.joyX || u.joyY || u.joyZ || u.joyDirection) {
            QJsonObject joystick;
            if (u.joyX)
                joystick.insert(QStringLiteral("x"), Number(*u.joyX));
            if (u.joyY)
                joystick.insert(QStringLiteral("y"), Number(*u.joyY));
            if (u.joyZ)
                joystick.insert(QStringLiteral("z"), Number(*u.joyZ));
            if (u.joyDirection)
                joystick.insert(QStringLiteral("direction"), *u.joyDirection);
            o.insert(QStringLiteral("joystick"), joystick);
        }
    } else {
        return TelemetryFields(product, frame);
    }
    return o;
}

QJsonObject TelemetryFields(int product, const QByteArray& frame) {
    QJsonObject o;
    if (!IsValidProduct(product))
        return o;
    switch (Product(product).panelId) {
    case PanelBirchCar:
    case PanelVantrelCar:
    case PanelAlderCar:
        if (const auto distance = DistanceFromFrame(frame))
            o.insert(QStringLiteral("distance_cm"), Number(*distance));
        break;
    case PanelBalance: {
        if (!frame.contains("LV"))
            break;
        const BalanceTelemetryRecord r = ParseBalanceTelemetry(frame);
        const std::pair<const char*, const std::optional<QByteArray>*> fields[] = {
            {"left_speed", &r.leftSpeed},        {"right_speed", &r.rightSpeed},
            {"acceleration_g", &r.acceleration}, {"gyroscope_deg", &r.gyroscope},
            {"distance_cm", &r.distance},        {"battery_v", &r.voltage}};
        for (const auto& [name, value] : fields)
            if (*value)
                o.insert(QLatin1String(name), Number(**value));
        break;
    }
    case Panel4WD:
    case PanelPendrix: {
        const WifiCar car =
            Product(product).panelId == Panel4WD ? WifiCar::FourWd : WifiCar::Pendrix;
        const SensorUpdate u = ParseSensors(car, frame);
        if (!u.tagged)
            break;
        if (u.distance)
            o.insert(QStringLiteral("distance_cm"), Number(*u.distance));
        if (u.battery) {
            o.insert(QStringLiteral("battery_v"), double(u.battery->volts));
            o.insert(QStringLiteral("battery_percent"), u.battery->BarValue());
        }
        if (u.colour)
            o.insert(QStringLiteral("colour"), Number(*u.colour));
        if (u.tracking)
            o.insert(QStringLiteral("tracking"), Flags(*u.tracking));
        if (u.obstacle)
            o.insert(QStringLiteral("obstacle"), Flags(*u.obstacle));
        if (u.light)
            o.insert(QStringLiteral("light"), Flags(*u.light));
        break;
    }
    default:
        break;
    }
    return o;
}

} // namespace Korvane
