#include "gui/shell/sharing_controller.h"

#include "core/mqtt/broker_url.h"
#include "gui/common/keyring.h"
#include "gui/common/message_seam.h"
#include "gui/shell/classroom_view.h"
#include "gui/shell/main_frame.h"
#include "gui/shell/mqtt_dlg.h"
#include "gui/shell/mqtt_share.h"

#include <QSysInfo>

namespace Korvane {

CSharingController::CSharingController(CMainFrame* frame, CStationSettings& settings)
    : QObject(frame), m_frame(frame), m_settings(settings) {}

// The sharing ends (its goodbye handed to the window) while the window's station still exists.
CSharingController::~CSharingController() = default;

void CSharingController::Share(const MqttOptions& options) {
    m_share.reset();
    if (!options.broker.host.isEmpty())
        m_share = std::make_unique<CMqttShare>(m_frame, options);
}

void CSharingController::ShowDialog() {
    auto* dlg = new CMqttDlg(m_settings.Mqtt(), m_frame);
    dlg->setAttribute(Qt::WA_DeleteOnClose);
    const CStationSettings::MqttChoice before = m_settings.Mqtt();
    // The password the keyring holds for the broker and user shown, once it answers.
    ReadSecret(MqttSecretKey(before.url, before.user), [dlg = QPointer<CMqttDlg>(dlg)](
                                                           const QString& secret, bool ok) {
        if (!dlg)
            return;
        if (ok)
            dlg->SetPassword(secret);
        dlg->SetKeyringNote(
            ok ? CMainFrame::tr("The password is kept in the desktop's keyring.")
               : CMainFrame::tr("No keyring answers on this desktop: a password typed here is used "
                                "until the station ends, not remembered. KORVANE_MQTT_PASSWORD can "
                                "give it to unattended runs."));
    });
    connect(dlg, &QDialog::accepted, this, [this, dlg] {
        const CStationSettings::MqttChoice choice = dlg->Choice();
        m_settings.SetMqtt(choice);
        const QString password = dlg->Password();
        if (!password.isEmpty())
            WriteSecret(MqttSecretKey(choice.url, choice.user), password,
                        [](bool, const QString&) {});
        Apply(choice, password);
    });
    dlg->open();
}

void CSharingController::Apply(const CStationSettings::MqttChoice& choice,
                               const QString& password) {
    const auto broker = ParseBrokerUrl(choice.url);
    if (!choice.enabled || !broker) {
        Share({});
        return;
    }
    MqttOptions o;
    o.broker = *broker;
    o.user = choice.user;
    o.password = password;
    o.caFile = choice.caFile;
    o.stationName = choice.stationName.isEmpty() ? QSysInfo::machineHostName() : choice.stationName;
    o.prefix = choice.prefix.isEmpty() ? DefaultTopicPrefix(o.stationName) : choice.prefix;
    o.allowRemote = choice.allowRemote;
    Share(o);
}

std::optional<MqttOptions> CSharingController::BrokerForClassroom() const {
    if (m_share)
        return m_share->Bridge().Options();
    return RememberedClassroomBroker(m_settings);
}

void CSharingController::ShowClassroom() {
    if (m_classroom) {
        m_classroom->raise();
        m_classroom->activateWindow();
        return;
    }
    const auto broker = BrokerForClassroom();
    if (!broker) {
        ShowMessage(CMainFrame::tr("Set up the broker first, in Config → Share over MQTT..."),
                    m_frame);
        return;
    }
    // The class is the level above this station's own topics.
    m_classroom = new CClassroomView(*broker, TopicRoot(broker->prefix), m_frame);
    m_classroom->setAttribute(Qt::WA_DeleteOnClose);
    m_classroom->show();
}

} // namespace Korvane
