#include "lamp.h"

namespace Korvane {

CLamp::CLamp(QWidget* parent) : QLabel(parent) {
    setFixedSize(12, 12);
    if (accessibleName().isEmpty())
        setAccessibleName(QStringLiteral("Lamp"));
    SetOn(false);
}

void CLamp::SetOn(bool on) {
    m_on = on;
    setPixmap(QPixmap(on ? QStringLiteral(":/icons/328") : QStringLiteral(":/icons/327")));
    setAccessibleDescription(on ? QStringLiteral("on") : QStringLiteral("off"));
}

} // namespace Korvane
