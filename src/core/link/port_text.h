#pragma once

#include <QString>

namespace Korvane {

// The decimal number at the start of a text: leading blanks skipped, digits up to the first
// non-digit; no digits give 0. Values too large for an int give 0 as well.
int LeadingNumber(const QString& text);

// The port to open for what the user picked or typed. On Windows this is "COM" followed by
// the number after the first three characters ("COM12" -> "COM12", "12" -> "COM0", which
// fails to open). Elsewhere ports are named by device name or path and used as typed.
QString PortNameFromText(const QString& text);

} // namespace Korvane
