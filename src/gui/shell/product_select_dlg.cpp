#include "gui/shell/product_select_dlg.h"

#include "core/products/catalogue.h"
#include "ui_product_select_dlg.h"

#include <QButtonGroup>
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
    const QList<QGroupBox*> boxes = findChildren<QGroupBox*>();
    for (int i = 0; i < kProductCount; ++i) {
        const ProductInfo& p = Product(i);
        QGroupBox* box = nullptr;
        for (QGroupBox* b : boxes)
            if (b->title() == QLatin1String(p.menuGroup))
                box = b;
        Q_ASSERT(box); // every menu group has its box in the form
        auto* radio = new QRadioButton(QString::fromLatin1(p.label), box);
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

void CProductSelectDlg::accept() {
    for (int i = 0; i < m_radios.size(); ++i)
        if (m_radios[i]->isChecked())
            m_selectedIndex = i;
    QDialog::accept();
}

} // namespace Korvane
