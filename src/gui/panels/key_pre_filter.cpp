#include "gui/panels/key_pre_filter.h"

#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QWidget>

namespace Korvane {

CKeyPreFilter::CKeyPreFilter(QWidget* panel, std::function<void(QKeyEvent*)> onKeyDown)
    : QObject(panel), m_panel(panel), m_onKeyDown(std::move(onKeyDown)) {
    // One filter on the application sees key events for every widget, including children
    // the panel gains later; it passes over everything that is not a key press at once.
    qApp->installEventFilter(this);
}

CKeyPreFilter::~CKeyPreFilter() {
    qApp->removeEventFilter(this);
}

bool CKeyPreFilter::IsTextEntry(const QWidget* widget) {
    if (qobject_cast<const QLineEdit*>(widget) || qobject_cast<const QTextEdit*>(widget) ||
        qobject_cast<const QPlainTextEdit*>(widget) ||
        qobject_cast<const QAbstractSpinBox*>(widget))
        return true;
    const auto* combo = qobject_cast<const QComboBox*>(widget);
    if (combo && combo->isEditable())
        return true;
    // The viewport of a text edit, the line edit inside a spin box or combo box.
    for (const QWidget* p = widget ? widget->parentWidget() : nullptr; p; p = p->parentWidget()) {
        if (qobject_cast<const QTextEdit*>(p) || qobject_cast<const QPlainTextEdit*>(p) ||
            qobject_cast<const QAbstractSpinBox*>(p))
            return true;
        if (const auto* c = qobject_cast<const QComboBox*>(p); c && c->isEditable())
            return true;
        if (!p->parentWidget() || p->isWindow())
            break;
    }
    return false;
}

bool CKeyPreFilter::IsSliderKey(int key) {
    switch (key) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End:
        return true;
    default:
        return false;
    }
}

bool CKeyPreFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyRelease || event->type() == QEvent::ShortcutOverride) {
        // A new key stroke begins (the override comes before every typed press) or one ends:
        // whatever is pressed next is a new press, wherever it is aimed.
        m_lastEvent = nullptr;
        return false;
    }
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
        return false;
    auto* widget = static_cast<QWidget*>(watched);
    if (widget != m_panel && !m_panel->isAncestorOf(widget))
        return false;
    const bool bubbling = event == m_lastEvent && m_lastWidget && m_lastWidget != widget &&
                          widget->isAncestorOf(m_lastWidget);
    m_lastEvent = event;
    m_lastWidget = widget;
    if (bubbling)
        return false; // the press was handed over (or kept as text) where it was aimed
    if (IsTextEntry(widget))
        return false; // typed text stays in the field
    auto* key = static_cast<QKeyEvent*>(event);
    if (qobject_cast<QAbstractSlider*>(widget) && IsSliderKey(key->key()))
        return false; // the slider's own keys move the slider
    m_onKeyDown(key);
    return false;
}

} // namespace Korvane
