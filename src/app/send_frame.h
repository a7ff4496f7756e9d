#pragma once

#include <QByteArray>

namespace Korvane {

// Puts one complete frame on the serial link of the station's main window (panels send through
// the window that shows them instead). When the link is not open, tells the user so and
// returns false. A frame longer than the write buffer is refused (false, nothing written).
bool SendFrame(const QByteArray& frame);

} // namespace Korvane
