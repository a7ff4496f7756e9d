#pragma once

#include "core/classroom/classroom_model.h"
#include "core/mqtt/mqtt_bridge.h"

#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <memory>
#include <optional>

class QPlainTextEdit;
class QSortFilterProxyModel;

namespace Ui {
class CClassroomView;
}

namespace Korvane {

class CStationSettings;

// The broker remembered in the settings, as a classroom watches it (the password from the
// environment), with the remembered topic prefix (else the default one): the class is the
// level above it. Nothing when no broker was remembered.
std::optional<MqttOptions> RememberedClassroomBroker(const CStationSettings& settings);

// View → Classroom: every station on the broker (their retained status, telemetry and received
// frames under the root: the level above this station's own topic prefix, "korvane" by
// default) in a table that sorts, filters by any column, and opens a
// station's frames, read-only, on a double click. Needs no device: `korvane --classroom`.
class CClassroomView : public QWidget {
    Q_OBJECT
  public:
    CClassroomView(const MqttOptions& broker, const QString& root, QWidget* parent = nullptr);
    ~CClassroomView() override;

    CClassroomModel& Model() { return m_model; }
    CMqttBridge& Bridge() { return m_bridge; }
    // Opens the read-only frames of a row's station (what a double click does).
    QPlainTextEdit* OpenStationFrames(int row);

  protected:
    void changeEvent(QEvent* event) override;

  private:
    void OnMessage(const QString& topic, const QByteArray& payload);
    void ShowBroker();
    QString Topic(const QString& below) const; // a topic under the root

    std::unique_ptr<Ui::CClassroomView> m_ui;
    QString m_root;
    CClassroomModel m_model;
    QSortFilterProxyModel* m_proxy = nullptr;
    CMqttBridge m_bridge;
    QHash<QString, QPointer<QPlainTextEdit>> m_frames; // by station
    QTimer m_fitColumns; // fits the columns once the events at hand are handled
};

} // namespace Korvane
