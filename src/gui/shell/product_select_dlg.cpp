#include "gui/shell/product_select_dlg.h"

#include "core/products/catalogue.h"
#include "ui_product_select_dlg.h"

#include <QButtonGroup>

namespace Korvane {

CProductSelectDlg::CProductSelectDlg(QWidget* parent)
    : QDialog(parent), m_ui(new Ui::CProductSelectDlg) {
    m_ui->setupUi(this);
    m_radios = {
        m_ui->productRadio0,  m_ui->productRadio1,  m_ui->productRadio2,  m_ui->productRadio3,
        m_ui->productRadio4,  m_ui->productRadio5,  m_ui->productRadio6,  m_ui->productRadio7,
        m_ui->productRadio8,  m_ui->productRadio9,  m_ui->productRadio10, m_ui->productRadio11,
        m_ui->productRadio12, m_ui->productRadio13, m_ui->productRadio14, m_ui->productRadio15};
    // One exclusive group across the six group boxes.
    auto* group = new QButtonGroup(this);
    for (QRadioButton* r : m_radios)
        group->addButton(r);
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
