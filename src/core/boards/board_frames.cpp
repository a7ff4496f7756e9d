#include "core/boards/board_frames.h"

#include <QCoreApplication>

#include "core/boards/board_text.h"

#include "core/link/numbers.h"

#include <cstdio>

namespace Korvane {
namespace BoardFrames {

QByteArray Led(const QByteArray& family, int n, bool on) {
    return "$" + family + ",LED" + QByteArray::number(n) + (on ? "1" : "0") + "#";
}

QByteArray Time(int n, const QDate& date, int hour, int minute, int second) {
    char clock[16];
    std::snprintf(clock, sizeof clock, "%02d%02d%02d", hour, minute, second);
    return "$51,TIME" + QByteArray::number(n) + "," +
           date.toString(QStringLiteral("yyyyMMdd")).toLatin1() + clock + "#";
}

ClockError CheckClock(int hour, int minute, int second) {
    if (hour > 23)
        return ClockError::Hour;
    if (minute > 59)
        return ClockError::Minute;
    if (second > 59)
        return ClockError::Second;
    return ClockError::None;
}

const char* ClockErrorText(ClockError error) {
    switch (error) {
    case ClockError::Hour:
        return QT_TRANSLATE_NOOP("Korvane::BoardFrames", "请输入0-23之间正确的小时！");
    case ClockError::Minute:
        return QT_TRANSLATE_NOOP("Korvane::BoardFrames", "请输入0-59之间正确的分钟！");
    case ClockError::Second:
        return QT_TRANSLATE_NOOP("Korvane::BoardFrames", "请输入0-59之间正确的秒！");
    case ClockError::None:
        break;
    }
    return "";
}

QByteArray IrSend(const QByteArray& user1, const QByteArray& user2, const QByteArray& op1,
                  const QByteArray& op2) {
    return "$51,HS" + user1 + user2 + op1 + op2 + "#";
}

std::optional<QByteArray> Segment(const QByteArray& family, int digits, const QByteArray& text) {
    if (text.size() != digits)
        return std::nullopt;
    return "$" + family + ",SMG" + QByteArray::number(digits) + "," + text + "#";
}

QString BoardText(const char* text) {
    return QCoreApplication::translate("Korvane::BoardFrames", text);
}

const char* SegmentLengthText(int digits) {
    if (digits == 1)
        return QT_TRANSLATE_NOOP("Korvane::BoardFrames", "输入必须为1位数值或小数点！");
    return digits == 8 ? QT_TRANSLATE_NOOP("Korvane::BoardFrames", "输入必须为8位数值！")
                       : QT_TRANSLATE_NOOP("Korvane::BoardFrames", "输入必须为4位数值！");
}

QByteArray Lcd1602Joined(const QByteArray& family, const QByteArray& line1,
                         const QByteArray& line2) {
    const QByteArray prefix = "$" + family + ",LCD1602,";
    return (line1.isEmpty() ? QByteArray() : LcdLine(prefix, 1, line1)) +
           (line2.isEmpty() ? QByteArray() : LcdLine(prefix, 2, line2));
}

QByteArray LcdLine(const QByteArray& prefix, int line, const QByteArray& text) {
    return prefix + QByteArray::number(line) + "," + PadTo16(text) + "#";
}

std::vector<PacedStep> Lcd1602Show(const QByteArray& line1, const QByteArray& line2) {
    const QByteArray prefix("$51,LCD1602,");
    return {{line1.isEmpty() ? QByteArray() : LcdLine(prefix, 1, line1), kLcdGapMs},
            {line2.isEmpty() ? QByteArray() : LcdLine(prefix, 2, line2), 0}};
}

std::vector<PacedStep> Lcd12864Show(const QByteArray (&lines)[4]) {
    const QByteArray prefix("$51,LCD12864,");
    std::vector<PacedStep> steps;
    for (int k = 0; k < 4; ++k)
        steps.push_back({lines[k].isEmpty() ? QByteArray() : LcdLine(prefix, k + 1, lines[k]),
                         k < 3 ? kLcdGapMs : 0});
    return steps;
}

} // namespace BoardFrames

namespace {

// The characters from `from` up to the frame's "#" (or its end).
QByteArray UpToHash(const QByteArray& frame, qsizetype from) {
    qsizetype end = frame.indexOf('#', from);
    if (end < 0)
        end = frame.size();
    return end > from ? frame.mid(from, end - from) : QByteArray();
}

// An AD reading "<tag><raw>,<converted>#": false when no "," follows the tag (the frame's
// processing ends there).
bool ReadAd(const QByteArray& frame, const char* tag, const char* unit, BoardReadings* r) {
    const qsizetype t = frame.indexOf(tag);
    if (t < 0)
        return true;
    const qsizetype c = frame.indexOf(',', t);
    if (c < 0)
        return false;
    r->adRaw = FromGbk(frame.mid(t + 3, c - t - 3));
    r->adConverted = FromGbk(UpToHash(frame, c + 1)) + QString::fromUtf8(unit);
    return true;
}

// The sensors both boards have, by tag: the value runs from the tag to the "#".
void ReadSensor(const QByteArray& frame, const char* tag, BoardReadings* r) {
    const qsizetype t = frame.indexOf(tag);
    if (t < 0)
        return;
    const QByteArray value = UpToHash(frame, t + 3);
    const QByteArray which(tag);
    if (which == "CSB")
        r->distance = FromGbk(value) + QStringLiteral("cm");
    else if (which == "TMS")
        r->temperature = FromGbk(value) + QString::fromUtf8("℃");
    else if (which == "PHW")
        r->motion = value != "0";
    else if (which == "VCS")
        r->sound = value != "0";
}

// The infrared rule: false when no "," follows "HS" (the frame's processing ends there).
bool ReadInfrared(const QByteArray& frame, IrVariant variant, const IrValues& now,
                  BoardReadings* r) {
    if (!frame.contains("HS"))
        return true;
    IrValues ir = now;
    if (!ApplyInfraredFrame(frame, variant, &ir))
        return false;
    r->infrared = ir;
    return true;
}

} // namespace

Board51Update ParseBoard51Frame(const QByteArray& frame, int adSource, int sensorChoice,
                                const IrValues& infraredNow) {
    Board51Update u;
    static const char* const kAdTags[5] = {"GMS", "RMS", "VMS", "SW1", "SW2"};
    static const char* const kAdUnits[5] = {"Lux", "℃", "mV", "mV", "mV"};
    if (adSource >= 0 && adSource < 5 &&
        !ReadAd(frame, kAdTags[adSource], kAdUnits[adSource], &u)) {
        u.stoppedAt = Board51Update::StoppedAtAd;
        return u;
    }
    static const char* const kSensorTags[4] = {"CSB", "TMS", "PHW", "VCS"};
    if (sensorChoice >= 0 && sensorChoice < 4)
        ReadSensor(frame, kSensorTags[sensorChoice], &u);
    if (!ReadInfrared(frame, IrVariant::Board51, infraredNow, &u)) {
        u.stoppedAt = Board51Update::StoppedAtInfrared;
        return u;
    }
    u.calculator = frame.contains("CALC");
    return u;
}

QString CServo::AngleText() const {
    return QStringLiteral("%1 °").arg(step * 20);
}

KitUpdate ParseKitFrame(const QByteArray& frame, int sensorChoice, int adSource,
                        const IrValues& infraredNow) {
    KitUpdate u;
    auto text = [&frame](qsizetype from, qsizetype to) {
        return FromGbk(to > from ? frame.mid(from, to - from) : QByteArray());
    };
    if (const qsizetype b = frame.indexOf("BTN"); b >= 0) {
        const qsizetype c = frame.indexOf(',', b);
        if (c < 0) {
            u.stoppedAt = KitUpdate::StoppedAtButton;
            return u;
        }
        const int n = SaturatingInt(frame.mid(b + 3, c - b - 3));
        if (n >= 1 && n <= 4)
            u.buttons[n - 1] = UpToHash(frame, c + 1) == "1";
    }
    if (const qsizetype i = frame.indexOf("ICL"); i >= 0)
        u.tilt = UpToHash(frame, i + 3) == "1";
    if (const qsizetype t = frame.indexOf("TCH"); t >= 0) {
        const qsizetype c = frame.indexOf(',', t);
        if (c < 0) {
            u.stoppedAt = KitUpdate::StoppedAtTouch;
            return u;
        }
        u.touch = frame.mid(t + 3, c - t - 3) == "1";
        u.touchValue = FromGbk(UpToHash(frame, c + 1));
    }
    if (!ReadInfrared(frame, IrVariant::Arduino, infraredNow, &u)) {
        u.stoppedAt = KitUpdate::StoppedAtInfrared;
        return u;
    }
    static const char* const kSensorTags[5] = {"CSB", "TMS", "SHT", "PHW", "VCS"};
    if (sensorChoice == 2) {
        // The DHT11: "SHT<temperature>,<humidity>#".
        if (const qsizetype t = frame.indexOf("SHT"); t >= 0) {
            const qsizetype c = frame.indexOf(',', t);
            if (c < 0) {
                u.stoppedAt = KitUpdate::StoppedAtSensor;
                return u;
            }
            u.airTemperature = text(t + 3, c) + QString::fromUtf8("℃");
            u.humidity = FromGbk(UpToHash(frame, c + 1)) + QStringLiteral("%");
        }
    } else if (sensorChoice >= 0 && sensorChoice < 5) {
        ReadSensor(frame, kSensorTags[sensorChoice], &u);
    }
    static const char* const kAdTags[4] = {"GMS", "RMS", "VMS", "YWS"};
    static const char* const kAdUnits[4] = {"Lux", "℃", "mV", ""};
    if (adSource >= 0 && adSource < 4 &&
        !ReadAd(frame, kAdTags[adSource], kAdUnits[adSource], &u)) {
        u.stoppedAt = KitUpdate::StoppedAtAd;
        return u;
    }
    if (const qsizetype j = frame.indexOf("JOY"); j >= 0) {
        // Each tag is searched from the one before it; any missing ends the frame.
        const qsizetype c1 = frame.indexOf(',', j);
        const qsizetype x = c1 < 0 ? -1 : frame.indexOf('X', c1);
        const qsizetype c2 = x < 0 ? -1 : frame.indexOf(',', x);
        const qsizetype y = c2 < 0 ? -1 : frame.indexOf('Y', c2);
        const qsizetype c3 = y < 0 ? -1 : frame.indexOf(',', y);
        const qsizetype z = c3 < 0 ? -1 : frame.indexOf('Z', c3);
        const qsizetype h = z < 0 ? -1 : frame.indexOf('#', z);
        if (h < 0) {
            u.stoppedAt = KitUpdate::StoppedAtJoystick;
            return u;
        }
        u.joyX = text(x + 1, c2);
        u.joyY = text(y + 1, c3);
        u.joyZ = text(z + 1, h);
        const int direction = SaturatingInt(frame.mid(j + 3, c1 - j - 3));
        if (direction >= 0 && direction <= 9)
            u.joyDirection = direction;
    }
    return u;
}

} // namespace Korvane
