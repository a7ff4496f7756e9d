#include "gui/widgets/lamp.h"

namespace Korvane {

CLamp::CLamp(QWidget* parent) : QLabel(parent) {
    setFixedSize(12, 12);
    if (accessibleName().isEmpty())
        setAccessibleName(QStringLiteral("Lamp"));
    Show(false);
}

void CLamp::SetOn(bool on) {
    if (on != m_on) // a lamp told its state again, frame after frame, does nothing
        Show(on);
}

void CLamp::Show(bool on) {
    m_on = on;
    setPixmap(QPixmap(on ? QStringLiteral(":/icons/328") : QStringLiteral(":/icons/327")));
    setAccessibleDescription(on ? QStringLiteral("on") : QStringLiteral("off"));
}

} // namespace Korvane
