#include "core/link/frames.h"

#include <Qt>

namespace Korvane {

int FieldCount(const QByteArray& frame) {
    if (frame.size() < 2 || !frame.startsWith('$') || !frame.endsWith('#'))
        return 0;
    return int(frame.count(',')) + 1;
}

QByteArray CarButtonFrame(CarAction action) {
    // Field 1 is the drive direction, field 2 the spin, fields 3 to 11 one button each.
    static const char* const kFrames[kCarActionCount] = {
        "$1,0,0,0,0,0,0,0,0,0,0,0,0#", // forward
        "$2,0,0,0,0,0,0,0,0,0,0,0,0#", // back
        "$3,0,0,0,0,0,0,0,0,0,0,0,0#", // left
        "$4,0,0,0,0,0,0,0,0,0,0,0,0#", // right
        "$0,0,0,0,0,0,0,0,0,0,0,0,0#", // stop
        "$0,1,0,0,0,0,0,0,0,0,0,0,0#", // spin left
        "$0,2,0,0,0,0,0,0,0,0,0,0,0#", // spin right
        "$0,0,1,0,0,0,0,0,0,0,0,0,0#", // horn
        "$0,0,0,1,0,0,0,0,0,0,0,0,0#", // speed up
        "$0,0,0,0,1,0,0,0,0,0,0,0,0#", // slow down
        "$0,0,0,0,0,1,0,0,0,0,0,0,0#", // second-row left
        "$0,0,0,0,0,0,1,0,0,0,0,0,0#", // second-row right
        "$0,0,0,0,0,0,0,1,0,0,0,0,0#", // sing
        "$0,0,0,0,0,0,0,0,1,0,0,0,0#", // LED
        "$0,0,0,0,0,0,0,0,0,1,0,0,0#", // fire out
        "$0,0,0,0,0,0,0,0,0,0,1,0,0#", // second-row centre
    };
    return QByteArray(kFrames[int(action)]);
}

DrivingKeyTable SerialCarKeys() {
    static const DrivingKey kKeys[] = {
        {Qt::Key_Space, "$0,0,0,0,0,0,0,0,0,0#", 1}, {Qt::Key_W, "$1,0,0,0,0,0,0,0,0,0#", 2},
        {Qt::Key_S, "$2,0,0,0,0,0,0,0,0,0#", 3},     {Qt::Key_A, "$3,0,0,0,0,0,0,0,0,0#", 4},
        {Qt::Key_D, "$4,0,0,0,0,0,0,0,0,0#", 5},     {Qt::Key_Left, "$0,1,0,0,0,0,0,0,0,0#", 6},
        {Qt::Key_Right, "$0,2,0,0,0,0,0,0,0,0#", 7},
    };
    return kKeys;
}

const DrivingKey* FindDrivingKey(int qtKey, DrivingKeyTable table) {
    for (const DrivingKey& k : table)
        if (k.key == qtKey)
            return &k;
    return nullptr;
}

std::optional<QByteArray> CDrivingKeys::OnKeyDown(int qtKey) {
    const DrivingKey* key = FindDrivingKey(qtKey, m_table);
    if (!key || key->state == m_lastKeyState)
        return std::nullopt;
    m_lastKeyState = key->state;
    return QByteArray(key->frame);
}

std::optional<QByteArray> DistanceFromFrame(const QByteArray& frame) {
    constexpr int kStart = 23;
    if (frame.size() < kStart)
        return std::nullopt;
    const qsizetype comma = frame.indexOf(',', kStart);
    if (comma <= kStart)
        return std::nullopt;
    return frame.mid(kStart, comma - kStart);
}

} // namespace Korvane
