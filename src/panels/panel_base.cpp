#include "panel_base.h"

#include <QHash>

namespace Korvane {

namespace {
QHash<int, CPanelBase*>& PanelSlots() {
    static QHash<int, CPanelBase*> panelSlots;
    return panelSlots;
}
} // namespace

CPanelBase::CPanelBase(int dialogId, QWidget* parent) : QWidget(parent), m_dialogId(dialogId) {
    PanelSlots().insert(dialogId, this);
}

CPanelBase::~CPanelBase() {
    auto it = PanelSlots().find(m_dialogId);
    if (it != PanelSlots().end() && it.value() == this)
        PanelSlots().erase(it);
}

void CPanelBase::OnRoutedFrame(int, const QByteArray&) {}

CPanelBase* CPanelBase::ForDialog(int dialogId) {
    return PanelSlots().value(dialogId, nullptr);
}

} // namespace Korvane
