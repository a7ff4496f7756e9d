#include "panel_base.h"

#include <QHash>
#include <QLabel>

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

void ShowLogo(QLabel* picture) {
    picture->setPixmap(QPixmap(QStringLiteral(":/bitmaps/logo_357.bmp")));
    picture->setFixedSize(200, 30);
}

CPanelBase* CPanelBase::ForDialog(int dialogId) {
    return PanelSlots().value(dialogId, nullptr);
}

} // namespace Korvane
