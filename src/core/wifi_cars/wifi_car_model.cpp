#include "core/wifi_cars/wifi_car_model.h"

#include "core/products/catalogue.h"

#include "core/link/numbers.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>

namespace Korvane {

namespace {

using namespace WifiControl;

const ButtonFrame kFourWdButtons[] = {
    {Forward, "$1,0,0,0,0,0,0,0,0#"},     {Back, "$2,0,0,0,0,0,0,0,0#"},
    {Left, "$3,0,0,0,0,0,0,0,0#"},        {Right, "$4,0,0,0,0,0,0,0,0#"},
    {Stop, "$0,0,0,0,0,0,0,0,0#"},        {SpinLeft, "$0,1,0,0,0,0,0,0,0#"},
    {SpinRight, "$0,2,0,0,0,0,0,0,0#"},   {ServoLeft, "$0,0,0,0,1,0,0,0,0#"},
    {ServoMiddle, "$0,0,0,0,0,0,0,0,1#"}, {ServoRight, "$0,0,0,0,2,0,0,0,0#"},
    {Fan, "$0,0,0,0,0,0,0,1,0#"},         {Horn, "$0,0,1,0,0,0,0,0,0#"},
    {Faster, "$0,0,0,1,0,0,0,0,0#"},      {Slower, "$0,0,0,2,0,0,0,0,0#"},
    {White, "$0,0,0,0,0,0,1,0,0#"},       {Red, "$0,0,0,0,0,0,2,0,0#"},
    {Green, "$0,0,0,0,0,0,3,0,0#"},       {Blue, "$0,0,0,0,0,0,4,0,0#"},
};

const ButtonFrame kPendrixButtons[] = {
    {Forward, "$1,0,0,0,0,0#"},   {Back, "$2,0,0,0,0,0#"},   {Left, "$3,0,0,0,0,0#"},
    {Right, "$4,0,0,0,0,0#"},     {Stop, "$8,0,0,0,0,0#"},   {SpinLeft, "$0,1,0,0,0,0#"},
    {SpinRight, "$0,2,0,0,0,0#"}, {Fan, "$0,8,0,0,0,0#"},    {Horn, "$0,0,1,0,0,0#"},
    {Faster, "$0,0,0,1,0,0#"},    {Slower, "$0,0,0,2,0,0#"}, {White, "$0,0,0,0,0,1#"},
    {Red, "$0,0,0,0,0,2#"},       {Green, "$0,0,0,0,0,3#"},  {Blue, "$0,0,0,0,0,4#"},
};

const ButtonFrame kFourWdCamera[] = {{CameraUp, "$0,0,0,0,3,0,0,0,0#"},
                                     {CameraDown, "$0,0,0,0,4,0,0,0,0#"},
                                     {CameraLeft, "$0,0,0,0,6,0,0,0,0#"},
                                     {CameraRight, "$0,0,0,0,7,0,0,0,0#"}};
const ButtonFrame kPendrixCamera[] = {{CameraLeft, "$0,0,0,0,6,0#"},
                                      {CameraRight, "$0,0,0,0,7,0#"}};

const DrivingKey kFourWdKeys[] = {
    {Qt::Key_Space, "$0,0,0,0,0,0,0,0,0#", 1}, {Qt::Key_W, "$1,0,0,0,0,0,0,0,0#", 2},
    {Qt::Key_S, "$2,0,0,0,0,0,0,0,0#", 3},     {Qt::Key_A, "$3,0,0,0,0,0,0,0,0#", 4},
    {Qt::Key_D, "$4,0,0,0,0,0,0,0,0#", 5},     {Qt::Key_Left, "$0,1,0,0,0,0,0,0,0#", 6},
    {Qt::Key_Right, "$0,2,0,0,0,0,0,0,0#", 7},
};
const DrivingKey kPendrixKeys[] = {
    {Qt::Key_Space, "$8,0,0,0,0,0#", 1}, {Qt::Key_W, "$1,0,0,0,0,0#", 2},
    {Qt::Key_S, "$2,0,0,0,0,0#", 3},     {Qt::Key_A, "$3,0,0,0,0,0#", 4},
    {Qt::Key_D, "$4,0,0,0,0,0#", 5},     {Qt::Key_Left, "$0,1,0,0,0,0#", 6},
    {Qt::Key_Right, "$0,2,0,0,0,0#", 7},
};

const SensorTag kFourWdSensors[] = {{"CSB", ','}, {"PV", ','}, {"GS", ','},
                                    {"LF", ','},  {"HW", ','}, {"GM", '#'}};
const SensorTag kPendrixSensors[] = {{"CSB", ','}, {"PV", ','}, {"LF", ','}};

// 4WD: 6.4 V is 0 %, 8.4 V is 100 %; tricycle: 9.0 V and 12.6 V.
const WifiCarTraits kFourWd = {WifiCar::FourWd,       "4WD",       kFourWdButtons, kFourWdCamera,
                               "$0,0,0,0,8,0,0,0,0#", kFourWdKeys, 6400,           20,
                               kFourWdSensors,        false};
const WifiCarTraits kPendrix = {WifiCar::Pendrix,
                                "PDRX",
                                kPendrixButtons,
                                kPendrixCamera,
                                "$0,0,0,0,8,0#",
                                kPendrixKeys,
                                9000,
                                36,
                                kPendrixSensors,
                                true};

QByteArray Find(std::span<const ButtonFrame> table, int control) {
    for (const ButtonFrame& b : table)
        if (b.control == control)
            return QByteArray(b.frame);
    return {};
}

QByteArray Prefix(WifiCar car) {
    return "$" + QByteArray(Traits(car).tag) + ",";
}

QByteArray Number(int n) {
    return QByteArray::number(n);
}

// A sensor value's characters 1 to N as lamps: "1" is on; a position past the end is off.
template <std::size_t N> std::array<bool, N> Lamps(const QByteArray& value) {
    std::array<bool, N> on{};
    for (std::size_t i = 0; i < N; ++i)
        on[i] = qsizetype(i) < value.size() && value[qsizetype(i)] == '1';
    return on;
}

} // namespace

std::optional<WifiCar> WifiCarOfPanel(int panelId) {
    if (panelId == Panel4WD)
        return WifiCar::FourWd;
    if (panelId == PanelPendrix)
        return WifiCar::Pendrix;
    return std::nullopt;
}

const WifiCarTraits& Traits(WifiCar car) {
    return car == WifiCar::FourWd ? kFourWd : kPendrix;
}

QByteArray WifiButtonFrame(WifiCar car, int controlId) {
    return Find(Traits(car).buttons, controlId);
}

bool IsWifiButtonFrame(WifiCar car, const QByteArray& frame) {
    for (const ButtonFrame& b : Traits(car).buttons)
        if (frame == b.frame)
            return true;
    return false;
}

QByteArray CameraPressFrame(WifiCar car, int controlId) {
    return Find(Traits(car).camera, controlId);
}

QByteArray CameraStopFrame(WifiCar car) {
    return QByteArray(Traits(car).cameraStop);
}

DrivingKeyTable WifiCarKeys(WifiCar car) {
    return Traits(car).keys;
}

QByteArray PtzFrame(WifiCar car, int angle) {
    return Prefix(car) + "PTZ" + Number(angle) + "#";
}

QByteArray PositionFrame(int angle, int position) {
    return "$PDRX,PTZ" + Number(angle) + ",POS" + Number(position) + "#";
}

QByteArray ColourFrame(WifiCar car, int red, int green, int blue) {
    return Prefix(car) + "CLR" + Number(red) + ",CLG" + Number(green) + ",CLB" + Number(blue) + "#";
}

QByteArray ArmFrame(const std::array<int, 6>& j) {
    return "$4WD,ServoJ1" + Number(j[0]) + ",J2" + Number(j[1]) + ",J3" + Number(j[2]) + ",J4" +
           Number(j[3]) + ",J5" + Number(j[4]) + ",J6" + Number(j[5]) + "#";
}

QString ColourLabel(int red, int green, int blue) {
    char text[40];
    std::snprintf(text, sizeof text, "R:%03d,G:%03d,B:%03d", red, green, blue);
    return QString::fromLatin1(text);
}

BatteryReading ReadBattery(WifiCar car, const QByteArray& value) {
    BatteryReading r;
    r.volts = LeadingFloat(value);
    // The product in single precision, as the cars' firmware and the original station do:
    // 6.60 V gives 6600 (double precision would give 6599.99...).
    const float product = r.volts * 1000.0f;
    qint64 millivolts = 0;
    if (product >= float(std::numeric_limits<int>::max()))
        millivolts = std::numeric_limits<int>::max();
    else if (product <= float(std::numeric_limits<int>::min()))
        millivolts = std::numeric_limits<int>::min();
    else
        millivolts = qint64(product); // truncation toward zero
    r.percent = int((millivolts - Traits(car).batteryZeroMv) / Traits(car).batteryStepMv);
    r.text = BatteryLabel(double(r.volts), r.percent);
    return r;
}

QString BatteryLabel(double volts, int percent) {
    char text[96];
    std::snprintf(text, sizeof text, "%1.2f/%d%%", volts, percent);
    return QString::fromLatin1(text);
}

SensorUpdate ParseSensors(WifiCar car, const QByteArray& text) {
    SensorUpdate u;
    u.tagged = text.contains(Traits(car).tag);
    if (!u.tagged)
        return u;
    for (const SensorTag& tag : Traits(car).sensors) {
        const qsizetype at = text.indexOf(tag.name);
        if (at < 0)
            continue;
        const qsizetype end = text.indexOf(tag.terminator, at);
        if (end < 0)
            return u; // no terminator: the parse ends here
        const qsizetype from = at + qsizetype(std::strlen(tag.name));
        const QByteArray value = end >= from ? text.mid(from, end - from) : QByteArray();
        const QByteArray name(tag.name);
        if (name == "CSB")
            u.distance = value;
        else if (name == "PV")
            u.battery = ReadBattery(car, value);
        else if (name == "GS")
            u.colour = value;
        else if (name == "LF")
            u.tracking = Lamps<4>(value);
        else if (name == "HW")
            u.obstacle = Lamps<2>(value);
        else if (name == "GM")
            u.light = Lamps<2>(value);
    }
    u.complete = true;
    return u;
}

std::optional<QHostAddress> ParseControlAddress(const QString& text) {
    QHostAddress address;
    if (!address.setAddress(text.trimmed()) || address.protocol() != QAbstractSocket::IPv4Protocol)
        return std::nullopt;
    return address;
}

qint64 ParseControlPort(const QString& text) {
    qint64 value = 0;
    qsizetype i = 0;
    while (i < text.size() && text[i].isSpace())
        ++i;
    for (; i < text.size() && text[i] >= QLatin1Char('0') && text[i] <= QLatin1Char('9'); ++i)
        value = std::min<qint64>(value * 10 + (text[i].unicode() - '0'), 1'000'000'000'000LL);
    return value;
}

bool IsUsablePort(qint64 port) {
    return port >= 1 && port <= 65535;
}

} // namespace Korvane
