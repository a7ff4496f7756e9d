#pragma once

class QAction;
class QObject;
class QWidget;

namespace Korvane {

// Controls and commands carry their numeric ids as the dynamic property "ctrlId" / "cmdId";
// these find them under a root object (used by tests and by code that addresses ids).
void SetControlId(QObject* control, int id);
QWidget* FindControl(const QObject* root, int id);

void SetCommandId(QAction* action, int id);
QAction* FindCommand(const QObject* root, int id);

} // namespace Korvane
