#include "core/wifi_cars/wifi_panel_model.h"

namespace Korvane {

CWifiCarModel::CWifiCarModel(WifiCar car, QObject* parent) : CPanelModel(parent), m_car(car) {
    using namespace WifiField;
    for (int f : {Red, Green, Blue, Angle, BatteryBar})
        Initialise(f, 0);
    for (int f : {Distance, ColourName, ControlAddress, ControlPort, VideoAddress})
        Initialise(f, QString());
    Initialise(ColourSensor, QStringLiteral("0"));
    for (int f = Tracking0; f < Joint0; ++f)
        Initialise(f, false);
    for (int j = 0; j < 6; ++j)
        Initialise(Joint0 + j, 0);
    Initialise(Tracking0 + 1, true); // the forms' lamp L2 shows "on" until the first reading
}

bool CWifiCarModel::ApplySensors(const QByteArray& text, SensorUpdate* update) {
    using namespace WifiField;
    const SensorUpdate u = ParseSensors(m_car, text);
    if (update)
        *update = u;
    if (!u.tagged)
        return false;
    if (u.battery) {
        Set(BatteryVolts, double(u.battery->volts));
        Set(BatteryPercent, u.battery->percent);
        Set(BatteryBar, u.battery->BarValue()); // held within the bar's range
    }
    if (u.tracking)
        for (int i = 0; i < 4; ++i)
            Set(Tracking0 + i, (*u.tracking)[i]);
    if (u.distance)
        Set(Distance, QString::fromLatin1(*u.distance));
    if (u.colour)
        Set(ColourSensor, QString::fromLatin1(*u.colour));
    if (u.obstacle)
        for (int i = 0; i < 2; ++i)
            Set(Obstacle0 + i, (*u.obstacle)[i]);
    if (u.light)
        for (int i = 0; i < 2; ++i)
            Set(Light0 + i, (*u.light)[i]);
    return true;
}

void CWifiCarModel::SetColour(int red, int green, int blue) {
    using namespace WifiField;
    Set(Red, red);
    Set(Green, green);
    Set(Blue, blue);
}

ArmPose CWifiCarModel::Pose() const {
    ArmPose pose{};
    for (int j = 0; j < 6; ++j)
        pose[size_t(j)] = Number(WifiField::Joint0 + j);
    return pose;
}

void CWifiCarModel::SetPose(const ArmPose& pose) {
    for (int j = 0; j < 6; ++j)
        Set(WifiField::Joint0 + j, pose[size_t(j)]);
}

} // namespace Korvane
