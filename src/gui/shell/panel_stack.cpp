#include "gui/shell/panel_stack.h"

#include "gui/panels/panel_base.h"

namespace Korvane {

CPanelStack::CPanelStack(CPanelHost* host, QWidget* parent)
    : QStackedWidget(parent), m_host(host) {}

CPanelBase* CPanelStack::Show(int dialogId) {
    CPanelBase* panel = PanelFor(dialogId);
    if (CPanelBase* leaving = Current(); leaving && leaving != panel)
        leaving->OnLeave();
    const bool created = !panel;
    if (created) {
        panel = CreatePanel(dialogId, m_host, this);
        m_panels.insert(dialogId, panel);
        addWidget(panel);
    }
    setCurrentWidget(panel);
    if (created)
        panel->OnInitialUpdate();
    panel->setFocus();
    return panel;
}

CPanelBase* CPanelStack::Current() const {
    return qobject_cast<CPanelBase*>(currentWidget());
}

} // namespace Korvane
