#include "gui/boards/dlg_grid_ctrl.h"

#include "gui/boards/dot_grid.h"
#include "gui/panels/panel_base.h"
#include "ui_dlg_grid_ctrl.h"

#include <QEvent>

namespace Korvane {

CDlgGridCtrl::CDlgGridCtrl(CPanelHost* host, std::function<int()> product, QWidget* parent)
    : QDialog(parent), m_ui(new Ui::CDlgGridCtrl), m_host(host), m_product(std::move(product)) {
    m_ui->setupUi(this);
    // Enter lights everything and keeps the editor open, whichever button has the focus.
    m_ui->allOnButton->setDefault(true);
    m_ui->clearButton->setAutoDefault(false);
    m_ui->closeButton->setAutoDefault(false);
    ShowOwnTexts();
    connect(m_ui->dotGrid, &CDotGrid::cellClickedAt, this, &CDlgGridCtrl::OnCellClicked);
    connect(m_ui->allOnButton, &QPushButton::clicked, this, &CDlgGridCtrl::OnAllOn);
    connect(m_ui->clearButton, &QPushButton::clicked, this, &CDlgGridCtrl::OnClear);
    connect(m_ui->closeButton, &QPushButton::clicked, this, &QDialog::reject);
}

CDlgGridCtrl::~CDlgGridCtrl() = default;

void CDlgGridCtrl::ShowOwnTexts() {
    m_ui->allOnButton->setAccessibleDescription(tr("Switch every dot on"));
    m_ui->clearButton->setAccessibleDescription(tr("Switch every dot off"));
}

void CDlgGridCtrl::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange) {
        m_ui->retranslateUi(this);
        ShowOwnTexts();
    }
    QDialog::changeEvent(event);
}

CDotGrid* CDlgGridCtrl::Grid() const {
    return m_ui->dotGrid;
}

void CDlgGridCtrl::OnCellClicked(int row, int column) {
    const QByteArray frame = m_pattern.Toggle(row, column, m_product());
    if (frame.isEmpty())
        return; // not a cell of the matrix
    m_ui->dotGrid->SetLit(row, column, m_pattern.IsLit(row, column));
    m_host->SendFrame(frame); // the screen changes whether or not it went out
}

void CDlgGridCtrl::OnAllOn() {
    const QByteArray frame = m_pattern.AllOn(m_product());
    m_host->SendFrame(frame);
    m_ui->dotGrid->SetAll(true);
}

void CDlgGridCtrl::OnClear() {
    const QByteArray frame = m_pattern.AllOff(m_product());
    m_host->SendFrame(frame);
    m_ui->dotGrid->SetAll(false);
}

} // namespace Korvane
