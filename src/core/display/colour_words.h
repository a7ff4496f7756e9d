#pragma once

#include <QString>

namespace Korvane {

// A colour as a listener understands it: "red", "dark green", "light blue", "grey", "white".
// Assistive technology reads this where a screen shows a colour (never a hex code).
QString ColourInWords(int red, int green, int blue);

} // namespace Korvane
