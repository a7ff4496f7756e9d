#include "gui/widgets/lamp.h"

#include <QEvent>

namespace Korvane {

CLamp::CLamp(QWidget* parent) : QLabel(parent) {
    setFixedSize(12, 12);
    m_defaultName = tr("Lamp");
    setAccessibleName(m_defaultName); // panels name their lamps; this is the fallback
    Show(false);
}

void CLamp::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange) {
        // The fallback name follows the language; a name the panel gave stays the panel's.
        const QString name = tr("Lamp");
        if (accessibleName() == m_defaultName)
            setAccessibleName(name);
        m_defaultName = name;
        Show(m_on);
    }
    QLabel::changeEvent(event);
}

void CLamp::SetOn(bool on) {
    if (on != m_on) // a lamp told its state again, frame after frame, does nothing
        Show(on);
}

void CLamp::Show(bool on) {
    m_on = on;
    setPixmap(QPixmap(on ? QStringLiteral(":/icons/328") : QStringLiteral(":/icons/327")));
    setAccessibleDescription(on ? tr("on") : tr("off"));
}

} // namespace Korvane
