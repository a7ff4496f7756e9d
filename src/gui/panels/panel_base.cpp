#include "gui/panels/panel_base.h"

#include <QEvent>

#include "gui/common/message_seam.h"

#include "core/panels/panel_model.h"
#include "core/products/catalogue.h"
#include "gui/widgets/lamp.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>

namespace Korvane {

CPanelBase::CPanelBase(int dialogId, CPanelHost* host, QWidget* parent)
    : QWidget(parent), m_dialogId(dialogId), m_host(host) {
    CStation& station = host->Station();
    connect(&station, &CStation::frameRead, this, [this](const FrameRecord& record) {
        if (PanelForMessage(record.route) != m_dialogId)
            return;
        m_gotRecords = true;
        OnFrameRead(record);
    });
    connect(&station, &CStation::batchRead, this, [this] {
        if (std::exchange(m_gotRecords, false))
            OnRoutedBatchDone();
    });
}

CPanelBase::~CPanelBase() = default;

void CPanelBase::SetModel(CPanelModel* model) {
    m_model = model;
    connect(model, &CPanelModel::changed, this, [this](int field) {
        for (const auto& show : m_views.value(field))
            show();
    });
}

void CPanelBase::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange) {
        RetranslateUi();
        RefreshViews();
    }
    QWidget::changeEvent(event);
}

void CPanelBase::RefreshViews() {
    for (const auto& shows : std::as_const(m_views))
        for (const auto& show : shows)
            show();
}

void CPanelBase::Put(QLineEdit* edit, const QString& text) {
    if (edit->text() != text)
        edit->setText(text);
}

void CPanelBase::Put(QLabel* label, const QString& text) {
    if (label->text() != text)
        label->setText(text);
}

void CPanelBase::OnField(int field, std::function<void()> show) {
    show();
    m_views[field].append(std::move(show));
}

void CPanelBase::BindInput(QLineEdit* edit, int field) {
    // textChanged, not textEdited: a text set by a program (the demo, a test, assistive
    // technology) is the user's too.
    connect(edit, &QLineEdit::textChanged, this,
            [this, field](const QString& text) { m_model->Set(field, text); });
    BindOutput(edit, field);
}

void CPanelBase::BindOutput(QLineEdit* edit, int field) {
    OnField(field, [this, edit, field] { Put(edit, m_model->Text(field)); });
}

void CPanelBase::BindOutput(QLabel* label, int field) {
    OnField(field, [this, label, field] { Put(label, m_model->Text(field)); });
}

void CPanelBase::BindLamp(CLamp* lamp, int field) {
    OnField(field, [this, lamp, field] { lamp->SetOn(m_model->Flag(field)); });
}

void CPanelBase::BindChoice(QButtonGroup* group, int field) {
    connect(group, &QButtonGroup::idToggled, this, [this, field](int id, bool checked) {
        if (checked)
            m_model->Set(field, id);
    });
    OnField(field, [this, group, field] {
        const int id = m_model->Number(field);
        if (group->checkedId() != id && group->button(id)) {
            const QSignalBlocker quiet(group);
            group->button(id)->setChecked(true);
        }
    });
}

void CPanelBase::SetProduct(int index) {
    m_product = index;
    OnProductChanged(index);
}

bool CPanelBase::SendFrame(const QByteArray& frame) {
    if (m_host)
        return m_host->SendFrame(frame);
    ShowMessage(tr("The serial port is not open or has been disconnected. Please reconnect!"));
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
