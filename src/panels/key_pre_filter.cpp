#include "key_pre_filter.h"

#include <QKeyEvent>
#include <QWidget>

namespace Korvane {

CKeyPreFilter::CKeyPreFilter(QWidget* panel, std::function<void(QKeyEvent*)> onKeyDown)
    : QObject(panel), m_onKeyDown(std::move(onKeyDown)) {
    panel->installEventFilter(this);
    const auto children = panel->findChildren<QWidget*>();
    for (QWidget* child : children)
        child->installEventFilter(this);
}

bool CKeyPreFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        // The same event object travels up the parent chain when a child ignores it.
        const bool sameEvent =
            event == m_lastEvent && key->key() == m_lastKey && key->timestamp() == m_lastTimestamp;
        if (!sameEvent) {
            m_lastEvent = event;
            m_lastKey = key->key();
            m_lastTimestamp = key->timestamp();
            m_onKeyDown(key);
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace Korvane
