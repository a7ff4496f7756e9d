#include "gui/shell/product_select_dlg.h"

#include "core/products/catalogue.h"
#include "ui_product_select_dlg.h"

#include <QButtonGroup>
#include <QEvent>
#include <QGroupBox>
#include <QLayout>
#include <QRadioButton>

#include "gui/common/control_ids.h"

namespace Korvane {

CProductSelectDlg::CProductSelectDlg(QWidget* parent)
    : QDialog(parent), m_ui(new Ui::CProductSelectDlg) {
    m_ui->setupUi(this);
    // One radio per product of the table, in the group box of its menu group, in product
    // order; one exclusive group across the six group boxes.
    auto* group = new QButtonGroup(this);
    int groupCount = 0;
    const char* const* groups = MenuGroups(&groupCount);
    for (int i = 0; i < ProductCount(); ++i) {
        const ProductInfo& p = Product(i);
        QGroupBox* box = nullptr;
        for (int g = 0; g < groupCount; ++g)
            if (qstrcmp(groups[g], p.menuGroup) == 0)
                box = findChild<QGroupBox*>(QStringLiteral("group%1").arg(g));
        Q_ASSERT(box); // every menu group has its box in the form, named by its place
        auto* radio = new QRadioButton(ProductLabel(i), box);
        radio->setObjectName(QStringLiteral("productRadio%1").arg(i));
        SetControlId(radio, p.radioId);
        box->layout()->addWidget(radio);
        group->addButton(radio);
        m_radios.append(radio);
    }
    connect(m_ui->okButton, &QPushButton::clicked, this, &CProductSelectDlg::accept);
    connect(m_ui->cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    SetSelectedIndex(0);
}

CProductSelectDlg::~CProductSelectDlg() = default;

void CProductSelectDlg::SetSelectedIndex(int index) {
    m_selectedIndex = index;
    if (index >= 0 && index < m_radios.size())
        m_radios[index]->setChecked(true);
}

void CProductSelectDlg::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange) {
        m_ui->retranslateUi(this);
        for (int i = 0; i < m_radios.size(); ++i)
            m_radios[i]->setText(ProductLabel(i));
    }
    QDialog::changeEvent(event);
}

void CProductSelectDlg::accept() {
    for (int i = 0; i < m_radios.size(); ++i)
        if (m_radios[i]->isChecked())
            m_selectedIndex = i;
    QDialog::accept();
}

} // namespace Korvane
