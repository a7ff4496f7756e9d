// The serial cars' descriptors: the basic robot cars and the balance cars.
#include "core/panels/family.h"
#include "core/products/catalogue.h"
#include "core/serial_cars/balance_model.h"
#include "core/serial_cars/basic_car_model.h"
#include "core/serial_cars/serial_car_frames.h"

namespace Korvane {

namespace {

bool IsKeyFrame(const QByteArray& frame) {
    for (const DrivingKey& k : SerialCarKeys())
        if (frame == k.frame)
            return true;
    return false;
}

QByteArray StopFrame(int) {
    return QByteArray(FindDrivingKey(Qt::Key_Space, SerialCarKeys())->frame);
}

FamilyDescriptor BasicCar(int panelId, const char* name) {
    FamilyDescriptor f;
    f.panelId = panelId;
    f.name = name;
    f.makeModel = [](int) { return std::make_unique<CBasicCarModel>(); };
    f.read = [](CPanelModel& model, FrameRecord& r) {
        if (const auto distance = static_cast<CBasicCarModel&>(model).ApplyFrame(r.bytes))
            r.fields.insert(QStringLiteral("distance_cm"), TelemetryNumber(*distance));
    };
    f.keys = [](int) { return SerialCarKeys(); };
    f.sendsFrame = [](int, const QByteArray& frame) {
        for (int a = 0; a < kCarActionCount; ++a)
            if (frame == CarButtonFrame(CarAction(a)))
                return true;
        return IsKeyFrame(frame);
    };
    f.stopFrame = StopFrame;
    return f;
}

} // namespace

QJsonObject BalanceTelemetryJson(const BalanceTelemetryRecord& r) {
    QJsonObject o;
    const std::pair<const char*, const std::optional<QByteArray>*> fields[] = {
        {"left_speed", &r.leftSpeed},        {"right_speed", &r.rightSpeed},
        {"acceleration_g", &r.acceleration}, {"gyroscope_deg", &r.gyroscope},
        {"distance_cm", &r.distance},        {"battery_v", &r.voltage}};
    for (const auto& [name, value] : fields)
        if (*value)
            o.insert(QLatin1String(name), TelemetryNumber(**value));
    return o;
}

void RegisterSerialCarFamilies() {
    RegisterFamily(BasicCar(PanelBirchCar, "birchCar"));
    RegisterFamily(BasicCar(PanelVantrelCar, "vantrelCar"));
    RegisterFamily(BasicCar(PanelAlderCar, "alderCar"));

    FamilyDescriptor balance;
    balance.panelId = PanelBalance;
    balance.name = "balanceCar";
    balance.makeModel = [](int) { return std::make_unique<CBalanceCarModel>(); };
    balance.read = [](CPanelModel& model, FrameRecord& r) {
        auto& car = static_cast<CBalanceCarModel&>(model);
        if (r.route == MsgBalancePid) {
            // The detail is how many gains the reply carried.
            r.detail = car.ApplyPidReply(r.bytes);
        } else if (r.route == MsgBalanceTelemetry) {
            const BalanceTelemetryRecord t = car.ApplyTelemetry(r.bytes, r.arrivalNs);
            r.fields = BalanceTelemetryJson(t);
            r.detail = t;
        }
    };
    balance.keys = [](int) { return SerialCarKeys(); };
    balance.sendsFrame = [](int, const QByteArray& frame) {
        for (const char* f : kBalanceDriveFrames)
            if (frame == f)
                return true;
        return false; // the keys send the same frames
    };
    balance.stopFrame = StopFrame;
    RegisterFamily(std::move(balance));
}

} // namespace Korvane
