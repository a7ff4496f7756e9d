#pragma once

#include "core/link/link_channel.h"
#include "core/mqtt/mqtt_bridge.h"
#include "core/panels/family.h"

#include <QElapsedTimer>
#include <QObject>

#include <deque>

namespace Korvane {

class CMainFrame;

// A main window shared on an MQTT broker: every frame of its links on "<prefix>/rx" and
// "<prefix>/tx", what received frames carried on "<prefix>/telemetry", the station's status
// (retained, offline by the broker's last will), the connection in a status bar pane; and,
// when the user allows it, commands from "<prefix>/cmd/key" and "<prefix>/cmd/frame" through
// the same send path as a click. Lives on the UI thread; the broker is the bridge's thread's.
class CMqttShare : public QObject {
    Q_OBJECT
  public:
    CMqttShare(CMainFrame* frame, const MqttOptions& options);
    ~CMqttShare() override;

    CMqttBridge& Bridge() { return *m_bridge; }
    // Remote commands taken and refused so far.
    int RemoteTaken() const { return m_taken; }
    int RemoteRefused() const { return m_refused; }
    // Publishes the status again (the product or the link changed).
    void UpdateStatus();

    // The driving keys a remote command may name, as the panel's keys.
    static int RemoteKey(const QByteArray& name);
    // Whether a remote frame is one at all: printable ASCII, "$...#", at most 1024 bytes.
    static bool IsCommandFrame(const QByteArray& frame);

  private:
    void OnFrame(const TracedFrame& frame);
    void OnRecord(const FrameRecord& record);
    void OnMessage(const QString& topic, const QByteArray& payload);
    void Refuse(const QString& topic, const QByteArray& payload, const QString& reason);
    bool TakeToken();
    void ShowState();

    CMainFrame* m_frame;
    MqttOptions m_options;
    CMqttBridge* m_bridge; // a child, handed to the window when the sharing ends
    QString m_prefix;
    QByteArray m_lastStatus;
    int m_taken = 0;
    int m_refused = 0;
    // At most 50 remote commands a second: a bucket of 50 tokens refilled continuously.
    double m_tokens = 50;
    QElapsedTimer m_refill;
};

} // namespace Korvane
