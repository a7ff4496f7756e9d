// The Wi-Fi cars' descriptors: the 4WD cars and the tricycle cars.
#include "core/panels/family.h"
#include "core/products/catalogue.h"
#include "core/wifi_cars/wifi_car_family.h"
#include "core/wifi_cars/wifi_car_model.h"
#include "core/wifi_cars/wifi_panel_model.h"

#include <QJsonArray>

namespace Korvane {

namespace {

template <size_t N> QJsonArray Flags(const std::array<bool, N>& flags) {
    QJsonArray a;
    for (bool f : flags)
        a.append(f);
    return a;
}

QJsonObject SensorJson(const SensorUpdate& u) {
    QJsonObject o;
    if (!u.tagged)
        return o;
    if (u.distance)
        o.insert(QStringLiteral("distance_cm"), TelemetryNumber(*u.distance));
    if (u.battery) {
        o.insert(QStringLiteral("battery_v"), double(u.battery->volts));
        o.insert(QStringLiteral("battery_percent"), u.battery->BarValue());
    }
    if (u.colour)
        o.insert(QStringLiteral("colour"), TelemetryNumber(*u.colour));
    if (u.tracking)
        o.insert(QStringLiteral("tracking"), Flags(*u.tracking));
    if (u.obstacle)
        o.insert(QStringLiteral("obstacle"), Flags(*u.obstacle));
    if (u.light)
        o.insert(QStringLiteral("light"), Flags(*u.light));
    return o;
}

FamilyDescriptor WifiCarFamily(WifiCar car, int panelId, const char* name) {
    FamilyDescriptor f;
    f.panelId = panelId;
    f.name = name;
    f.makeModel = [car](int) { return std::make_unique<CWifiCarModel>(car); };
    f.read = [](CPanelModel& model, FrameRecord& r) {
        SensorUpdate u;
        static_cast<CWifiCarModel&>(model).ApplySensors(r.bytes, &u);
        r.fields = SensorJson(u);
    };
    f.keys = [car](int) { return WifiCarKeys(car); };
    f.sendsFrame = [car](int, const QByteArray& frame) {
        if (IsWifiButtonFrame(car, frame))
            return true;
        for (const DrivingKey& k : WifiCarKeys(car))
            if (frame == k.frame)
                return true;
        return false;
    };
    f.stopFrame = [car](int) {
        return QByteArray(FindDrivingKey(Qt::Key_Space, WifiCarKeys(car))->frame);
    };
    return f;
}

} // namespace

void RegisterWifiCarFamilies() {
    RegisterFamily(WifiCarFamily(WifiCar::FourWd, Panel4WD, "fourWdCar"));
    RegisterFamily(WifiCarFamily(WifiCar::Pendrix, PanelPendrix, "tricycleCar"));
}

} // namespace Korvane
