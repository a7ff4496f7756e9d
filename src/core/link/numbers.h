#pragma once

#include <QByteArray>

namespace Korvane {

// Numbers in text from a device. Whatever the text holds, the result is a sane number: no
// NaN or infinity ever leaves here, and no integer wraps around.

// The leading decimal number of a text (blanks and a sign allowed). A text without a number,
// and one whose number is not finite ("inf", "nan", "1e999"), give 0.
double LeadingDouble(const QByteArray& text);

// The same in single precision, as C's strtof reads it (a value beyond float's range gives 0).
float LeadingFloat(const QByteArray& text);

// The leading integer of a text, like C's atoi, but saturating at the int range instead of
// wrapping ("4294967299" gives 2147483647, not 3). No digits give 0.
int SaturatingInt(const QByteArray& text);

} // namespace Korvane
