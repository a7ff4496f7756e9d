#pragma once
// Small GIF files built byte by byte for the walker and picture tests.

#include <QByteArray>

namespace GifFixtures {

// Header of a GIF89a logical screen with a two-colour global table (black, white).
inline QByteArray Header(int width, int height) {
    QByteArray h("GIF89a");
    h += char(width & 0xFF);
    h += char(width >> 8);
    h += char(height & 0xFF);
    h += char(height >> 8);
    h += char(0x80); // global table of 2 entries
    h += char(0);
    h += char(0);
    h += QByteArray::fromHex("000000ffffff");
    return h;
}

// A graphic control extension with the given disposal method and delay (hundredths).
inline QByteArray Control(int disposal, int delay) {
    QByteArray c = QByteArray::fromHex("21f904");
    c += char(disposal << 2);
    c += char(delay & 0xFF);
    c += char(delay >> 8);
    c += QByteArray::fromHex("0000");
    return c;
}

// A 1x1 image at (left, top) of colour index `white` (0 black, 1 white).
inline QByteArray Pixel(int left, int top, bool white) {
    QByteArray i(",");
    i += char(left);
    i += char(0);
    i += char(top);
    i += char(0);
    i += QByteArray::fromHex("0100010000");
    // LZW, minimum code size 2: clear, the index, end.
    i += white ? QByteArray::fromHex("02024c0100") : QByteArray::fromHex("0202440100");
    return i;
}

inline QByteArray Comment() {
    return QByteArray::fromHex("21fe0568656c6c6f00");
}
inline QByteArray Loop() {
    return QByteArray::fromHex("21ff0b4e45545343415045322e300301000000");
}

// Two frames side by side on a 2x1 screen: a black pixel at (0,0) without a graphic control
// extension, then a white one at (1,0) shown for 3 hundredths with disposal 1.
inline QByteArray TwoFrames() {
    return Header(2, 1) + Loop() + Comment() + Pixel(0, 0, false) + Control(1, 3) +
           Pixel(1, 0, true) + ";";
}

} // namespace GifFixtures
