#pragma once

#include "core/mqtt/mqtt_bridge.h"
#include "core/settings/station_settings.h"

#include <QObject>
#include <QPointer>

#include <memory>
#include <optional>

namespace Korvane {

class CClassroomView;
class CMainFrame;
class CMqttShare;

// How a window is shared on an MQTT broker, and the classroom it opens: the sharing itself
// (made again for new options, ended by empty ones), the dialog that sets it up (its choice
// remembered, the password in the desktop's keyring), and View → Classroom on the broker this
// window shares on or the one remembered.
class CSharingController : public QObject {
    Q_OBJECT
  public:
    CSharingController(CMainFrame* frame, CStationSettings& settings);
    ~CSharingController() override;

    // Shares the window (again, with new options); options with no broker host stop sharing.
    void Share(const MqttOptions& options);
    // Shares (or stops sharing) as a remembered choice says, with the password given.
    void Apply(const CStationSettings::MqttChoice& choice, const QString& password);
    // Config → "Share over MQTT...": opens without waiting; OK applies and remembers.
    void ShowDialog();
    // View → "Classroom...": says so when there is no broker to watch.
    void ShowClassroom();

    CMqttShare* Current() const { return m_share.get(); }
    CClassroomView* Classroom() const { return m_classroom; }

  private:
    std::optional<MqttOptions> BrokerForClassroom() const;

    CMainFrame* m_frame;
    CStationSettings& m_settings;
    std::unique_ptr<CMqttShare> m_share;
    QPointer<CClassroomView> m_classroom;
};

} // namespace Korvane
