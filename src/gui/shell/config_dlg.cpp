#include "gui/shell/config_dlg.h"

#include "core/link/port_text.h"
#include "gui/common/message_seam.h"
#include "ui_config_dlg.h"

#include <QLineEdit>
#include <QSerialPortInfo>

namespace Korvane {

QString PortFailureMessage(const QString& advice) {
    const QString first = QStringLiteral("The serial port does not exist or is occupied！");
    return advice.isEmpty() ? first : first + QStringLiteral("\n\n") + advice;
}

bool CPortCombo::RefillFromSystem() {
    clear();
    const auto ports = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo& info : ports)
        addItem(info.portName());
    return count() > 0;
}

void CPortCombo::showPopup() {
    const QString typed = currentText();
    if (!RefillFromSystem()) {
#ifdef Q_OS_WIN
        ShowMessage(QStringLiteral(
            "In HKEY_LOCAL_MACHINE:Hardware\\DeviceMap\\SerialComm don't find Com!!!"));
#else
        ShowMessage(QStringLiteral("No serial port found!"));
#endif
    }
    setEditText(typed); // what the user typed stays until a list entry is picked
    QComboBox::showPopup();
}

CConfigDlg::CConfigDlg(QWidget* parent) : QDialog(parent), m_ui(new Ui::CConfigDlg) {
    m_ui->setupUi(this);
#ifdef Q_OS_WIN
    for (int i = 1; i <= 10; ++i)
        m_ui->portCombo->addItem(QStringLiteral("COM%1").arg(i));
#else
    m_ui->portCombo->RefillFromSystem();
#endif
    m_ui->baudCombo->addItems({QStringLiteral("2400"), QStringLiteral("9600"),
                               QStringLiteral("19200"), QStringLiteral("115200")});
    // Both fields start empty; nothing is preselected.
    m_ui->portCombo->setCurrentIndex(-1);
    m_ui->baudCombo->setCurrentIndex(-1);
    m_ui->portCombo->lineEdit()->setAccessibleName(QStringLiteral("Serial port"));
    m_ui->baudCombo->lineEdit()->setAccessibleName(QStringLiteral("Baud rate"));
    connect(m_ui->openButton, &QPushButton::clicked, this, &CConfigDlg::OnOpen);
    connect(m_ui->cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_ui->closeButton, &QPushButton::clicked, this, &CConfigDlg::OnClosePort);
}

CConfigDlg::~CConfigDlg() = default;

void CConfigDlg::OnOpen() {
    const QString portText = m_ui->portCombo->currentText();
    if (portText.isEmpty()) {
        ShowMessage(QStringLiteral("Please select a valid serial number first!"), this);
        return;
    }
    const QString baudText = m_ui->baudCombo->currentText();
    if (baudText.isEmpty()) {
        ShowMessage(QStringLiteral("Please select the effective baud rate first!"), this);
        return;
    }
    m_settings = {PortNameFromText(portText), LeadingNumber(baudText)};
    m_opening = true;
    m_ui->openButton->setEnabled(false);
    emit openRequested(m_settings);
}

void CConfigDlg::OnOpenFinished(bool ok, const QString& advice) {
    if (!m_opening)
        return; // an open this dialog did not start (a retry after a loss)
    m_opening = false;
    m_ui->openButton->setEnabled(true);
    if (ok) {
        ShowMessage(QStringLiteral("Open serial port successfully！"), this);
        accept();
    } else {
        ShowMessage(PortFailureMessage(advice), this);
    }
}

void CConfigDlg::OnClosePort() {
    m_opening = false;
    emit closeRequested();
    reject();
}

} // namespace Korvane
