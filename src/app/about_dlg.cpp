#include "about_dlg.h"

#include "ui_about_dlg.h"

namespace Korvane {

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent), m_ui(new Ui::CAboutDlg) {
    m_ui->setupUi(this);
    m_ui->logoPicture->setPixmap(QPixmap(QStringLiteral(":/bitmaps/logo_357.bmp")));
    connect(m_ui->okButton, &QPushButton::clicked, this, &QDialog::accept);
}

CAboutDlg::~CAboutDlg() = default;

} // namespace Korvane
