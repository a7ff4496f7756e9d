#include "core/boards/board_model.h"

#include "core/boards/board_frames.h"
#include "core/boards/board_text.h"

#include <QDate>

namespace Korvane {

CBoardModel::CBoardModel(QObject* parent) : CPanelModel(parent) {
    using namespace BoardField;
    // What the panels show before the board says anything.
    for (int f : {DigitChoice, AdSource, SensorChoice, JoyDirection})
        Initialise(f, 0);
    Initialise(KeyLit, -1);
    Initialise(SegmentShown, QByteArray());
    for (int f :
         {SegmentText,   Lcd1602Line1,  Lcd1602Line2,  SerialSend, SerialReceive, IrInternal,
          IrTranslated,  AdRaw,         AdConverted,   IrOp1,      IrOp2,         Lcd12864Line1,
          Lcd12864Line2, Lcd12864Line3, Lcd12864Line4, Formula,    TouchValue,    JoyX,
          JoyY,          JoyZ,          TimeText})
        Initialise(f, QString());
    Initialise(Distance, QStringLiteral("0cm"));
    Initialise(Temperature, QString::fromUtf8("0℃"));
    Initialise(AirTemperature, QString::fromUtf8("0℃"));
    Initialise(Humidity, QStringLiteral("0%"));
    Initialise(ServoAngle, QString::fromUtf8("0°"));
    Initialise(IrUser1, QStringLiteral("00"));
    Initialise(IrUser2, QStringLiteral("FF"));
    for (int f : {ClockHour, ClockMinute, ClockSecond, Result})
        Initialise(f, QStringLiteral("0"));
    Initialise(ClockDate, QDate::currentDate()); // the clock starts with today's date
    for (int f = Motion; f <= Sound; ++f)
        Initialise(f, false);
    for (int f : {Tilt, Touch})
        Initialise(f, false);
    for (int i = 0; i < 4; ++i)
        Initialise(Button0 + i, false);
    for (int i = 0; i < 8; ++i)
        Initialise(LedLamp0 + i, false);
}

void CBoardModel::ApplyReadings(const BoardReadings& r) {
    using namespace BoardField;
    if (r.adRaw)
        Set(AdRaw, *r.adRaw);
    if (r.adConverted)
        Set(AdConverted, *r.adConverted);
    if (r.distance)
        Set(Distance, *r.distance);
    if (r.temperature)
        Set(Temperature, *r.temperature);
    if (r.motion)
        Set(Motion, *r.motion);
    if (r.sound)
        Set(Sound, *r.sound);
    if (r.infrared) {
        m_infrared = *r.infrared;
        Set(IrInternal, FromGbk(m_infrared.internalCode));
        Set(IrTranslated, FromGbk(m_infrared.translatedCode));
    }
}

QString CBoardModel::ApplyBoard51Frame(const QByteArray& frame, Board51Update* update) {
    using namespace BoardField;
    Set(SerialReceive, FromGbk(frame));
    const Board51Update u =
        ParseBoard51Frame(frame, Number(AdSource), Number(SensorChoice), m_infrared);
    ApplyReadings(u);
    if (update)
        *update = u;
    if (!u.calculator)
        return {};
    // The formula and the result may have been edited by the user since the last key.
    m_calculator.formula = ToGbk(Text(Formula));
    bool ok = false;
    const int result = Text(Result).toInt(&ok);
    if (ok)
        m_calculator.result = result;
    const CKeypadCalculator::Outcome out = m_calculator.HandleFrame(frame);
    Set(Formula, FromGbk(m_calculator.formula));
    Set(Result, QString::number(m_calculator.result));
    if (out.highlight >= 0)
        Set(KeyLit, out.highlight);
    return out.error == CalcError::None ? QString()
                                        : BoardFrames::BoardText(CalcErrorText(out.error));
}

void CBoardModel::ApplyKitFrame(const QByteArray& frame, KitUpdate* update) {
    using namespace BoardField;
    Set(SerialReceive, FromGbk(frame));
    const KitUpdate u = ParseKitFrame(frame, Number(SensorChoice), Number(AdSource), m_infrared);
    if (update)
        *update = u;
    for (int i = 0; i < 4; ++i)
        if (u.buttons[i])
            Set(Button0 + i, *u.buttons[i]);
    if (u.tilt)
        Set(Tilt, *u.tilt);
    if (u.touch)
        Set(Touch, *u.touch);
    if (u.touchValue)
        Set(TouchValue, *u.touchValue);
    ApplyReadings(u);
    if (u.airTemperature)
        Set(AirTemperature, *u.airTemperature);
    if (u.humidity)
        Set(Humidity, *u.humidity);
    if (u.joyX)
        Set(JoyX, *u.joyX);
    if (u.joyY)
        Set(JoyY, *u.joyY);
    if (u.joyZ)
        Set(JoyZ, *u.joyZ);
    if (u.joyDirection) // 0 darkens every lamp
        Set(JoyDirection, *u.joyDirection);
}

} // namespace Korvane
