#include "core/display/colour_words.h"

#include <algorithm>
#include <cmath>

namespace Korvane {

QString ColourInWords(int red, int green, int blue) {
    const double r = std::clamp(red, 0, 255) / 255.0;
    const double g = std::clamp(green, 0, 255) / 255.0;
    const double b = std::clamp(blue, 0, 255) / 255.0;
    const double hi = std::max({r, g, b});
    const double lo = std::min({r, g, b});
    const double chroma = hi - lo;
    if (chroma < 0.12) { // no hue to speak of: a grey level
        if (hi < 0.15)
            return QStringLiteral("black");
        if (hi > 0.92)
            return QStringLiteral("white");
        if (hi < 0.4)
            return QStringLiteral("dark grey");
        if (hi > 0.75)
            return QStringLiteral("light grey");
        return QStringLiteral("grey");
    }
    double hue = 0;
    if (hi == r)
        hue = 60 * std::fmod((g - b) / chroma + 6, 6.0);
    else if (hi == g)
        hue = 60 * ((b - r) / chroma + 2);
    else
        hue = 60 * ((r - g) / chroma + 4);
    const char* name = "red";
    if (hue >= 15 && hue < 40)
        name = "orange";
    else if (hue >= 40 && hue < 70)
        name = "yellow";
    else if (hue >= 70 && hue < 165)
        name = "green";
    else if (hue >= 165 && hue < 195)
        name = "cyan";
    else if (hue >= 195 && hue < 255)
        name = "blue";
    else if (hue >= 255 && hue < 285)
        name = "purple";
    else if (hue >= 285 && hue < 340)
        name = "magenta";
    const double saturation = chroma / hi;
    QString words = QString::fromLatin1(name);
    if (hi < 0.55)
        words.prepend(QStringLiteral("dark "));
    else if (saturation < 0.45)
        words.prepend(QStringLiteral("light "));
    return words;
}

} // namespace Korvane
