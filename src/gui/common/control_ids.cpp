#include "gui/common/control_ids.h"

#include <QAction>
#include <QWidget>

namespace Korvane {

void SetControlId(QObject* control, int id) {
    control->setProperty("ctrlId", id);
}

QWidget* FindControl(const QObject* root, int id) {
    const auto widgets = root->findChildren<QWidget*>();
    for (QWidget* w : widgets)
        if (w->property("ctrlId").toInt() == id)
            return w;
    return nullptr;
}

void SetCommandId(QAction* action, int id) {
    action->setProperty("cmdId", id);
}

QAction* FindCommand(const QObject* root, int id) {
    const auto actions = root->findChildren<QAction*>();
    for (QAction* a : actions)
        if (a->property("cmdId").toInt() == id)
            return a;
    return nullptr;
}

} // namespace Korvane
