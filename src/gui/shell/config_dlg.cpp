#include "gui/shell/config_dlg.h"

#include "core/link/port_text.h"
#include "core/settings/station_settings.h"
#include "gui/common/message_seam.h"
#include "ui_config_dlg.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLineEdit>
#include <QShowEvent>
#include <QStyledItemDelegate>

namespace Korvane {

QString PortFailureMessage(const QString& advice) {
    const QString first = QCoreApplication::translate(
        "Korvane::CConfigDlg", "The serial port does not exist or is occupied！");
    return advice.isEmpty() ? first : first + QStringLiteral("\n\n") + advice;
}

namespace {

// Shows each port's summary beside its name in the drop-down list; the edit field keeps the
// name alone.
class CPortItemDelegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;

  protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        const QString summary = index.data(CPortCombo::kSummaryRole).toString();
        if (!summary.isEmpty())
            option->text += QStringLiteral("  —  ") + summary;
    }
};

} // namespace

CPortCombo::CPortCombo(QWidget* parent) : QComboBox(parent), m_source(&SystemPorts) {
    setItemDelegate(new CPortItemDelegate(this));
}

void CPortCombo::SetPortSource(std::function<QList<PortEntry>()> source) {
    m_source = std::move(source);
}

bool CPortCombo::Refresh() {
    QList<PortEntry> ports = m_source();
    if (m_filled && ports == m_ports)
        return !m_ports.isEmpty();
    m_filled = true;
    m_ports = std::move(ports);
    // What the user typed or picked stays: the entries change under it.
    const QString typed = currentText();
    const QSignalBlocker quiet(this);
    clear();
    for (const PortEntry& port : m_ports) {
        addItem(port.name);
        const int row = count() - 1;
        const QString summary = port.Summary();
        setItemData(row, summary, kSummaryRole);
        setItemData(row, summary, Qt::ToolTipRole);
        setItemData(row, summary, Qt::AccessibleDescriptionRole);
    }
    setCurrentIndex(findText(typed));
    setEditText(typed);
    return !m_ports.isEmpty();
}

void CPortCombo::showPopup() {
    if (!Refresh()) {
#ifdef Q_OS_WIN
        ShowMessage(tr("In HKEY_LOCAL_MACHINE:Hardware\\DeviceMap\\SerialComm don't find Com!!!"));
#else
        ShowMessage(tr("No serial port found!"));
#endif
    }
    QComboBox::showPopup();
}

CConfigDlg::CConfigDlg(QWidget* parent, std::function<QList<PortEntry>()> ports,
                       const CStationSettings::PortChoice& last)
    : QDialog(parent), m_ui(new Ui::CConfigDlg) {
    m_ui->setupUi(this);
    m_ui->portCombo->SetPortSource(std::move(ports));
    m_ui->portCombo->Refresh();
    m_ui->baudCombo->addItems({QStringLiteral("2400"), QStringLiteral("9600"),
                               QStringLiteral("19200"), QStringLiteral("115200")});
    // The port and baud rate that opened last are offered when that port is present (found by
    // its serial number where it has one); otherwise both fields start empty.
    m_ui->portCombo->setCurrentIndex(-1);
    m_ui->baudCombo->setCurrentIndex(-1);
    if (const int row = FindRememberedPort(m_ui->portCombo->Ports(), last.name, last.serialNumber);
        row >= 0) {
        m_ui->portCombo->setCurrentIndex(row);
        if (last.baud > 0)
            m_ui->baudCombo->setEditText(QString::number(last.baud));
    }
    // Ports plugged in or out while the dialog is open appear or go within a second or two.
    m_hotplug.setInterval(kHotplugMs);
    connect(&m_hotplug, &QTimer::timeout, m_ui->portCombo, &CPortCombo::Refresh);
    RetranslateUi();
    connect(m_ui->openButton, &QPushButton::clicked, this, &CConfigDlg::OnOpen);
    connect(m_ui->cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_ui->closeButton, &QPushButton::clicked, this, &CConfigDlg::OnClosePort);
}

CConfigDlg::~CConfigDlg() = default;

void CConfigDlg::RetranslateUi() {
    m_ui->retranslateUi(this);
    m_ui->portCombo->lineEdit()->setAccessibleName(tr("Serial port"));
    m_ui->baudCombo->lineEdit()->setAccessibleName(tr("Baud rate"));
}

void CConfigDlg::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange)
        RetranslateUi();
    QDialog::changeEvent(event);
}

void CConfigDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    m_hotplug.start();
}

void CConfigDlg::hideEvent(QHideEvent* event) {
    m_hotplug.stop();
    QDialog::hideEvent(event);
}

void CConfigDlg::OnOpen() {
    const QString portText = m_ui->portCombo->currentText();
    if (portText.isEmpty()) {
        ShowMessage(tr("Please select a valid serial number first!"), this);
        return;
    }
    const QString baudText = m_ui->baudCombo->currentText();
    if (baudText.isEmpty()) {
        ShowMessage(tr("Please select the effective baud rate first!"), this);
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
        ShowMessage(tr("Open serial port successfully！"), this);
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
