#include "gui/shell/about_dlg.h"

#include "gui/panels/panel_base.h"
#include "ui_about_dlg.h"

#include <QEvent>

namespace Korvane {

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent), m_ui(new Ui::CAboutDlg) {
    m_ui->setupUi(this);
    ShowLogo(m_ui->logoPicture);
    connect(m_ui->okButton, &QPushButton::clicked, this, &QDialog::accept);
}

CAboutDlg::~CAboutDlg() = default;

void CAboutDlg::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange)
        m_ui->retranslateUi(this);
    QDialog::changeEvent(event);
}

} // namespace Korvane
