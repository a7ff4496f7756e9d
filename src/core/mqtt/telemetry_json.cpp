#include "core/mqtt/telemetry_json.h"

#include "core/link/frames.h"
#include "core/products/catalogue.h"
#include "core/serial_cars/balance_model.h"
#include "core/wifi_cars/wifi_car_model.h"

#include <QJsonArray>

#include <cmath>

namespace Korvane {

namespace {

// A device's number text as a JSON number ("57", "12.5", "57cm" reads 57), or the text itself.
QJsonValue Number(const QByteArray& text) {
    QByteArray digits = text.trimmed();
    while (!digits.isEmpty() && !(QChar::fromLatin1(digits.back()).isDigit()))
        digits.chop(1);
    bool ok = false;
    const double v = digits.toDouble(&ok);
    if (ok && std::isfinite(v))
        return v;
    return QString::fromLatin1(text);
}

template <size_t N> QJsonArray Flags(const std::array<bool, N>& flags) {
    QJsonArray a;
    for (bool f : flags)
        a.append(f);
    return a;
}

} // namespace

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
            {"left_speed", &r.leftSpeed},     {"right_speed", &r.rightSpeed},
            {"acceleration_g", &r.acceleration}, {"gyroscope_deg", &r.gyroscope},
            {"distance_cm", &r.distance},     {"battery_v", &r.voltage}};
        for (const auto& [name, value] : fields)
            if (*value)
                o.insert(QLatin1String(name), Number(**value));
        break;
    }
    case Panel4WD:
    case PanelPendrix: {
        const WifiCar car = Product(product).panelId == Panel4WD ? WifiCar::FourWd : WifiCar::Pendrix;
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
