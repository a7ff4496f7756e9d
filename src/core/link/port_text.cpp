#include "core/link/port_text.h"

namespace Korvane {

int LeadingNumber(const QString& text) {
    qsizetype i = 0;
    while (i < text.size() && text[i] == QLatin1Char(' '))
        ++i;
    qint64 value = 0;
    for (; i < text.size() && text[i].isDigit() && text[i].unicode() < 128; ++i) {
        value = value * 10 + (text[i].unicode() - '0');
        if (value > std::numeric_limits<int>::max())
            return 0;
    }
    return int(value);
}

QString PortNameFromText(const QString& text) {
#ifdef Q_OS_WIN
    return QStringLiteral("COM%1").arg(LeadingNumber(text.mid(3)));
#else
    return text.trimmed();
#endif
}

} // namespace Korvane
