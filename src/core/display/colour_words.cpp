#include "core/display/colour_words.h"

#include <QCoreApplication>

#include <algorithm>
#include <cmath>

namespace Korvane {

namespace {

// A colour word in the language in use.
QString Words(const char* text) {
    return QCoreApplication::translate("Korvane::ColourWords", text);
}

} // namespace

QString ColourInWords(int red, int green, int blue) {
    const double r = std::clamp(red, 0, 255) / 255.0;
    const double g = std::clamp(green, 0, 255) / 255.0;
    const double b = std::clamp(blue, 0, 255) / 255.0;
    const double hi = std::max({r, g, b});
    const double lo = std::min({r, g, b});
    const double chroma = hi - lo;
    if (chroma < 0.12) { // no hue to speak of: a grey level
        if (hi < 0.15)
            return Words(QT_TRANSLATE_NOOP("Korvane::ColourWords", "black"));
        if (hi > 0.92)
            return Words(QT_TRANSLATE_NOOP("Korvane::ColourWords", "white"));
        if (hi < 0.4)
            return Words(QT_TRANSLATE_NOOP("Korvane::ColourWords", "dark grey"));
        if (hi > 0.75)
            return Words(QT_TRANSLATE_NOOP("Korvane::ColourWords", "light grey"));
        return Words(QT_TRANSLATE_NOOP("Korvane::ColourWords", "grey"));
    }
    double hue = 0;
    if (hi == r)
        hue = 60 * std::fmod((g - b) / chroma + 6, 6.0);
    else if (hi == g)
        hue = 60 * ((b - r) / chroma + 2);
    else
        hue = 60 * ((r - g) / chroma + 4);
    const char* name = QT_TRANSLATE_NOOP("Korvane::ColourWords", "red");
    if (hue >= 15 && hue < 40)
        name = QT_TRANSLATE_NOOP("Korvane::ColourWords", "orange");
    else if (hue >= 40 && hue < 70)
        name = QT_TRANSLATE_NOOP("Korvane::ColourWords", "yellow");
    else if (hue >= 70 && hue < 165)
        name = QT_TRANSLATE_NOOP("Korvane::ColourWords", "green");
    else if (hue >= 165 && hue < 195)
        name = QT_TRANSLATE_NOOP("Korvane::ColourWords", "cyan");
    else if (hue >= 195 && hue < 255)
        name = QT_TRANSLATE_NOOP("Korvane::ColourWords", "blue");
    else if (hue >= 255 && hue < 285)
        name = QT_TRANSLATE_NOOP("Korvane::ColourWords", "purple");
    else if (hue >= 285 && hue < 340)
        name = QT_TRANSLATE_NOOP("Korvane::ColourWords", "magenta");
    const double saturation = chroma / hi;
    const QString words = Words(name);
    if (hi < 0.55)
        return QCoreApplication::translate("Korvane::ColourWords", "dark %1").arg(words);
    if (saturation < 0.45)
        return QCoreApplication::translate("Korvane::ColourWords", "light %1").arg(words);
    return words;
}

} // namespace Korvane
