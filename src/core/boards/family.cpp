// The development boards' descriptors: the 8051 boards and the Arduino kits.
#include "core/boards/board_family.h"

#include "core/boards/board_frames.h"
#include "core/boards/board_model.h"
#include "core/boards/board_text.h"
#include "core/panels/family.h"
#include "core/products/catalogue.h"

#include <QJsonArray>

namespace Korvane {

namespace {

void PutReadings(QJsonObject& o, const BoardReadings& r) {
    const std::pair<const char*, const std::optional<QString>*> texts[] = {
        {"ad_raw", &r.adRaw},
        {"ad_converted", &r.adConverted},
        {"distance_cm", &r.distance},
        {"temperature_c", &r.temperature}};
    for (const auto& [name, value] : texts)
        if (*value)
            o.insert(QLatin1String(name), TelemetryNumber(**value));
    if (r.motion)
        o.insert(QStringLiteral("motion"), *r.motion);
    if (r.sound)
        o.insert(QStringLiteral("sound"), *r.sound);
    if (r.infrared) {
        o.insert(QStringLiteral("ir_code"), QString::fromLatin1(r.infrared->internalCode));
        o.insert(QStringLiteral("ir_key"), QString::fromLatin1(r.infrared->translatedCode));
    }
}

QJsonObject KitJson(const KitUpdate& u) {
    QJsonObject o;
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
        o.insert(QStringLiteral("touch_value"), TelemetryNumber(*u.touchValue));
    if (u.airTemperature)
        o.insert(QStringLiteral("air_temperature_c"), TelemetryNumber(*u.airTemperature));
    if (u.humidity)
        o.insert(QStringLiteral("humidity_percent"), TelemetryNumber(*u.humidity));
    if (u.joyX || u.joyY || u.joyZ || u.joyDirection) {
        QJsonObject joystick;
        if (u.joyX)
            joystick.insert(QStringLiteral("x"), TelemetryNumber(*u.joyX));
        if (u.joyY)
            joystick.insert(QStringLiteral("y"), TelemetryNumber(*u.joyY));
        if (u.joyZ)
            joystick.insert(QStringLiteral("z"), TelemetryNumber(*u.joyZ));
        if (u.joyDirection)
            joystick.insert(QStringLiteral("direction"), *u.joyDirection);
        o.insert(QStringLiteral("joystick"), joystick);
    }
    return o;
}

} // namespace

void RegisterBoardFamilies() {
    FamilyDescriptor board51;
    board51.panelId = PanelBoard51;
    board51.name = "board51";
    board51.makeModel = [](int) { return std::make_unique<CBoardModel>(); };
    board51.read = [](CPanelModel& model, FrameRecord& r) {
        // Read with the panel's choices of AD source and sensor, which live in the model.
        Board51Update u;
        r.notice = static_cast<CBoardModel&>(model).ApplyBoard51Frame(r.bytes, &u);
        PutReadings(r.fields, u);
    };
    RegisterFamily(std::move(board51));

    FamilyDescriptor kit;
    kit.panelId = PanelKitAR;
    kit.name = "kitAR";
    kit.makeModel = [](int) { return std::make_unique<CBoardModel>(); };
    kit.read = [](CPanelModel& model, FrameRecord& r) {
        KitUpdate u;
        static_cast<CBoardModel&>(model).ApplyKitFrame(r.bytes, &u);
        r.fields = KitJson(u);
    };
    RegisterFamily(std::move(kit));
}

} // namespace Korvane
