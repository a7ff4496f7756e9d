#include "gui/panels/panel_base.h"

#include "gui/common/message_seam.h"

#include <QHash>
#include <QLabel>

namespace Korvane {

CPanelBase::CPanelBase(int dialogId, CPanelHost* host, QWidget* parent)
    : QWidget(parent), m_dialogId(dialogId), m_host(host) {}

CPanelBase::~CPanelBase() = default;

void CPanelBase::OnRoutedFrame(const RoutedFrame&) {}

void CPanelBase::SetProduct(int index) {
    m_product = index;
    OnProductChanged(index);
}

bool CPanelBase::SendFrame(const QByteArray& frame) {
    if (m_host)
        return m_host->SendFrame(frame);
    ShowMessage(
        QStringLiteral("The serial port is not open or has been disconnected. Please reconnect!"));
    return false;
}

void ShowLogo(QLabel* picture) {
    picture->setPixmap(QPixmap(QStringLiteral(":/bitmaps/logo_357.bmp")));
    picture->setFixedSize(200, 30);
}

namespace {
// Filled once on the UI thread at start (RegisterPanelFamilies), read afterwards.
QHash<int, PanelFamily>& Families() {
    static QHash<int, PanelFamily> families;
    return families;
}
} // namespace

void RegisterPanelFamily(PanelFamily family) {
    Q_ASSERT(!Families().contains(family.dialogId));
    Families().insert(family.dialogId, std::move(family));
}

const PanelFamily* FindPanelFamily(int dialogId) {
    RegisterPanelFamilies();
    const auto it = Families().constFind(dialogId);
    return it == Families().constEnd() ? nullptr : &it.value();
}

CPanelBase* CreatePanel(int dialogId, CPanelHost* host, QWidget* parent) {
    const PanelFamily* family = FindPanelFamily(dialogId);
    // Every product of the table has its family (a test checks it).
    Q_ASSERT(family);
    return family ? family->create(host, parent) : nullptr;
}

} // namespace Korvane
