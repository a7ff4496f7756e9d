#pragma once

#include <QByteArray>

#include <cstdint>

namespace Korvane {

// Where a board puts the key byte of an infrared code, and in which bit order.
enum class IrVariant {
    Board51, // characters 6 and 7 of the code, as they stand
    Arduino, // characters 4 and 5, bits reversed
};

// The leading hexadecimal number of text by C's strtoul rule (leading blanks, one sign, an
// optional 0x, stops at the first other character, no digits give 0), in 32 bits: a minus
// sign wraps as unsigned arithmetic does, a number too large saturates.
std::uint32_t LeadingHex32(const QByteArray& text);

// The remote-control key name of an infrared code, or "UNKNOW" for a key byte outside the
// table and for a code too short to hold its key byte.
QByteArray KeyName(const QByteArray& code, IrVariant variant);

// The two infrared values a board panel shows.
struct IrValues {
    QByteArray internalCode;
    QByteArray translatedCode;
};

// Reads a frame of the shape "... HS <kind> , <code> #" into values. The code is everything up
// to the "#"; the translated code is KeyName(code) when the kind is "X", else the kind itself.
// Returns false, changing nothing, when no "," follows "HS": the frame's processing ends.
bool ApplyInfraredFrame(const QByteArray& frame, IrVariant variant, IrValues* values);

} // namespace Korvane
