#include "gui/shell/about_dlg.h"

#include "gui/panels/panel_base.h"
#include "ui_about_dlg.h"

namespace Korvane {

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent), m_ui(new Ui::CAboutDlg) {
    m_ui->setupUi(this);
    ShowLogo(m_ui->logoPicture);
    connect(m_ui->okButton, &QPushButton::clicked, this, &QDialog::accept);
}

CAboutDlg::~CAboutDlg() = default;

} // namespace Korvane
