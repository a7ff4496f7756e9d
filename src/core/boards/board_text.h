#pragma once

#include <QByteArray>
#include <QString>

namespace Korvane {

// Text on the boards' wire is code page 936 (GBK): what the user types goes out in it and what
// a board sends is read with it. Lengths that the boards care about count these bytes.

// Whether the GBK codec is there at all (the station refuses to start without it).
bool GbkAvailable();

// The GBK bytes of text; *ok is false when a character has no GBK code (it then reads "?").
QByteArray ToGbk(const QString& text, bool* ok = nullptr);
QString FromGbk(const QByteArray& bytes);

// GBK bytes of text, or -1 when a character cannot be encoded.
int GbkLength(const QString& text);

// The longest leading part of text whose GBK bytes fit in maxBytes, cut between characters
// (a two-byte character is never split, a surrogate pair never broken).
QString CutToGbkBytes(const QString& text, int maxBytes);

// Left-justified and padded with blanks to 16 bytes, like C's "%-16s" on bytes; a longer text
// is passed on whole.
QByteArray PadTo16(const QByteArray& bytes);

} // namespace Korvane
