#include "gui/shell/mqtt_dlg.h"

#include "core/mqtt/broker_url.h"
#include "gui/common/message_seam.h"
#include "ui_mqtt_dlg.h"

#include <QEvent>
#include <QSysInfo>

namespace Korvane {

CMqttDlg::CMqttDlg(const CStationSettings::MqttChoice& choice, QWidget* parent)
    : QDialog(parent), m_ui(new Ui::CMqttDlg) {
    m_ui->setupUi(this);
    m_ui->enableCheck->setChecked(choice.enabled);
    m_ui->brokerEdit->setText(choice.url);
    m_ui->userEdit->setText(choice.user);
    m_ui->caFileEdit->setText(choice.caFile);
    const QString name =
        choice.stationName.isEmpty() ? QSysInfo::machineHostName() : choice.stationName;
    m_ui->stationEdit->setText(name);
    m_defaultPrefix = DefaultTopicPrefix(name);
    m_ui->prefixEdit->setText(choice.prefix.isEmpty() ? m_defaultPrefix : choice.prefix);
    m_ui->remoteCheck->setChecked(choice.allowRemote);
    // The prefix follows the name until the user makes it their own.
    connect(m_ui->stationEdit, &QLineEdit::textChanged, this, [this](const QString& text) {
        const QString next = DefaultTopicPrefix(text);
        if (m_ui->prefixEdit->text() == m_defaultPrefix)
            m_ui->prefixEdit->setText(next);
        m_defaultPrefix = next;
    });
    connect(m_ui->caFileButton, &QPushButton::clicked, this, [this] {
        AskOpenFile(this, tr("Certificate authority"),
                    tr("Certificates (*.crt *.pem);;All files (*)"), QString(),
                    [this](const QString& path) {
                        if (!path.isEmpty())
                            m_ui->caFileEdit->setText(path);
                    });
    });
    connect(m_ui->buttons, &QDialogButtonBox::accepted, this, &CMqttDlg::accept);
    connect(m_ui->buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    m_ui->remoteCheck->setAccessibleDescription(
        tr("Other programs on the broker may drive the device through this station"));
}

CMqttDlg::~CMqttDlg() = default;

CStationSettings::MqttChoice CMqttDlg::Choice() const {
    CStationSettings::MqttChoice c;
    c.enabled = m_ui->enableCheck->isChecked();
    c.url = m_ui->brokerEdit->text().trimmed();
    c.user = m_ui->userEdit->text();
    c.caFile = m_ui->caFileEdit->text();
    c.stationName = m_ui->stationEdit->text().trimmed();
    c.prefix = m_ui->prefixEdit->text().trimmed();
    c.allowRemote = m_ui->remoteCheck->isChecked();
    return c;
}

QString CMqttDlg::Password() const {
    return m_ui->passwordEdit->text();
}

void CMqttDlg::SetPassword(const QString& password) {
    m_ui->passwordEdit->setText(password);
}

void CMqttDlg::SetKeyringNote(const QString& note) {
    m_ui->keyringNote->setText(note);
}

void CMqttDlg::accept() {
    const CStationSettings::MqttChoice c = Choice();
    if (c.enabled) {
        QString why;
        if (!ParseBrokerUrl(c.url, &why)) {
            ShowMessage(tr("The broker address is not usable: %1").arg(why), this,
                        MessageIcon::Warning);
            return;
        }
        if (c.prefix.isEmpty() || c.prefix.contains(QLatin1Char('+')) ||
            c.prefix.contains(QLatin1Char('#'))) {
            ShowMessage(tr("The topic prefix must not be empty nor hold \"+\" or \"#\"."), this,
                        MessageIcon::Warning);
            return;
        }
    }
    QDialog::accept();
}

void CMqttDlg::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange)
        m_ui->retranslateUi(this);
    QDialog::changeEvent(event);
}

} // namespace Korvane
