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

struct ButtonFrame {
    int id;
    const char* frame;
};

const ButtonFrame kFourWdButtons[] = {
    {1272, "$1,0,0,0,0,0,0,0,0#"}, {1273, "$2,0,0,0,0,0,0,0,0#"}, {1274, "$3,0,0,0,0,0,0,0,0#"},
    {1275, "$4,0,0,0,0,0,0,0,0#"}, {1276, "$0,0,0,0,0,0,0,0,0#"}, {1257, "$0,1,0,0,0,0,0,0,0#"},
    {1258, "$0,2,0,0,0,0,0,0,0#"}, {1259, "$0,0,0,0,1,0,0,0,0#"}, {1260, "$0,0,0,0,0,0,0,0,1#"},
    {1261, "$0,0,0,0,2,0,0,0,0#"}, {1262, "$0,0,0,0,0,0,0,1,0#"}, {1263, "$0,0,1,0,0,0,0,0,0#"},
    {1264, "$0,0,0,1,0,0,0,0,0#"}, {1265, "$0,0,0,2,0,0,0,0,0#"}, {1266, "$0,0,0,0,0,0,1,0,0#"},
    {1267, "$0,0,0,0,0,0,2,0,0#"}, {1268, "$0,0,0,0,0,0,3,0,0#"}, {1269, "$0,0,0,0,0,0,4,0,0#"},
};

const ButtonFrame kPendrixButtons[] = {
    {1272, "$1,0,0,0,0,0#"}, {1273, "$2,0,0,0,0,0#"}, {1274, "$3,0,0,0,0,0#"},
    {1275, "$4,0,0,0,0,0#"}, {1276, "$8,0,0,0,0,0#"}, {1257, "$0,1,0,0,0,0#"},
    {1258, "$0,2,0,0,0,0#"}, {1262, "$0,8,0,0,0,0#"}, {1263, "$0,0,1,0,0,0#"},
    {1264, "$0,0,0,1,0,0#"}, {1265, "$0,0,0,2,0,0#"}, {1266, "$0,0,0,0,0,1#"},
    {1267, "$0,0,0,0,0,2#"}, {1268, "$0,0,0,0,0,3#"}, {1269, "$0,0,0,0,0,4#"},
};

const ButtonFrame kFourWdCamera[] = {{1314, "$0,0,0,0,3,0,0,0,0#"},
                                     {1315, "$0,0,0,0,4,0,0,0,0#"},
                                     {1316, "$0,0,0,0,6,0,0,0,0#"},
                                     {1317, "$0,0,0,0,7,0,0,0,0#"}};
const ButtonFrame kPendrixCamera[] = {{1316, "$0,0,0,0,6,0#"}, {1317, "$0,0,0,0,7,0#"}};

template <std::size_t N> QByteArray Find(const ButtonFrame (&table)[N], int id) {
    for (const ButtonFrame& b : table)
        if (b.id == id)
            return QByteArray(b.frame);
    return {};
}

const char* Prefix(WifiCar car) {
    return car == WifiCar::FourWd ? "$4WD," : "$PDRX,";
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

QByteArray WifiButtonFrame(WifiCar car, int controlId) {
    return car == WifiCar::FourWd ? Find(kFourWdButtons, controlId)
                                  : Find(kPendrixButtons, controlId);
}

bool IsWifiButtonFrame(WifiCar car, const QByteArray& frame) {
    auto in = [&frame](const auto& table) {
        for (const ButtonFrame& b : table)
            if (frame == b.frame)
                return true;
        return false;
    };
    return car == WifiCar::FourWd ? in(kFourWdButtons) : in(kPendrixButtons);
}

QByteArray CameraPressFrame(WifiCar car, int controlId) {
    return car == WifiCar::FourWd ? Find(kFourWdCamera, controlId)
                                  : Find(kPendrixCamera, controlId);
}

QByteArray CameraStopFrame(WifiCar car) {
    return car == WifiCar::FourWd ? QByteArray("$0,0,0,0,8,0,0,0,0#") : QByteArray("$0,0,0,0,8,0#");
}

DrivingKeyTable WifiCarKeys(WifiCar car) {
    static const DrivingKey kFourWd[] = {
        {Qt::Key_Space, "$0,0,0,0,0,0,0,0,0#", 1}, {Qt::Key_W, "$1,0,0,0,0,0,0,0,0#", 2},
        {Qt::Key_S, "$2,0,0,0,0,0,0,0,0#", 3},     {Qt::Key_A, "$3,0,0,0,0,0,0,0,0#", 4},
        {Qt::Key_D, "$4,0,0,0,0,0,0,0,0#", 5},     {Qt::Key_Left, "$0,1,0,0,0,0,0,0,0#", 6},
        {Qt::Key_Right, "$0,2,0,0,0,0,0,0,0#", 7},
    };
    static const DrivingKey kPendrix[] = {
        {Qt::Key_Space, "$8,0,0,0,0,0#", 1}, {Qt::Key_W, "$1,0,0,0,0,0#", 2},
        {Qt::Key_S, "$2,0,0,0,0,0#", 3},     {Qt::Key_A, "$3,0,0,0,0,0#", 4},
        {Qt::Key_D, "$4,0,0,0,0,0#", 5},     {Qt::Key_Left, "$0,1,0,0,0,0#", 6},
        {Qt::Key_Right, "$0,2,0,0,0,0#", 7},
    };
    if (car == WifiCar::FourWd)
        return kFourWd;
    return kPendrix;
}

QByteArray PtzFrame(WifiCar car, int angle) {
    return Prefix(car) + QByteArray("PTZ") + Number(angle) + "#";
}

QByteArray PositionFrame(int angle, int position) {
    return "$PDRX,PTZ" + Number(angle) + ",POS" + Number(position) + "#";
}

QByteArray ColourFrame(WifiCar car, int red, int green, int blue) {
    return Prefix(car) + QByteArray("CLR") + Number(red) + ",CLG" + Number(green) + ",CLB" +
           Number(blue) + "#";
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
    const qint64 zero = car == WifiCar::FourWd ? 6400 : 9000;
    const qint64 span = car == WifiCar::FourWd ? 20 : 36;
    r.percent = int((millivolts - zero) / span);
    char text[96];
    std::snprintf(text, sizeof text, "%1.2f/%d%%", double(r.volts), r.percent);
    r.text = QString::fromLatin1(text);
    return r;
}

SensorUpdate ParseSensors(WifiCar car, const QByteArray& text) {
    SensorUpdate u;
    u.tagged = text.contains(car == WifiCar::FourWd ? "4WD" : "PDRX");
    if (!u.tagged)
        return u;
    struct Tag {
        const char* name;
        char terminator;
    };
    static const Tag kFourWd[] = {{"CSB", ','}, {"PV", ','}, {"GS", ','},
                                  {"LF", ','},  {"HW", ','}, {"GM", '#'}};
    static const Tag kPendrix[] = {{"CSB", ','}, {"PV", ','}, {"LF", ','}};
    const Tag* tags = car == WifiCar::FourWd ? kFourWd : kPendrix;
    const int count = car == WifiCar::FourWd ? 6 : 3;
    for (int i = 0; i < count; ++i) {
        const qsizetype at = text.indexOf(tags[i].name);
        if (at < 0)
            continue;
        const qsizetype end = text.indexOf(tags[i].terminator, at);
        if (end < 0)
            return u; // no terminator: the parse ends here
        const qsizetype from = at + qsizetype(std::strlen(tags[i].name));
        const QByteArray value = end >= from ? text.mid(from, end - from) : QByteArray();
        const QByteArray name(tags[i].name);
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
