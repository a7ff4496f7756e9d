#pragma once

#include "core/mqtt/broker_url.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QTimer>

#include <atomic>
#include <chrono>
#include <deque>
#include <mutex>
#include <thread>

namespace Korvane {

// How the station shares itself on a broker.
struct MqttOptions {
    BrokerAddress broker;
    QString user;
    QString password; // never stored by the bridge beyond its connection
    QString caFile;   // for mqtts://; empty: the system's certificate authorities
    QString stationName;
    QString prefix; // topics begin with it: "<prefix>/status", "<prefix>/rx", ...
    bool allowRemote = false;
    // Whether this client is a station: its status is kept on "<prefix>/status", with the
    // last will and a goodbye saying offline. A watcher (the classroom) leaves no trace there.
    bool announce = true;
    int queueLimit = 4096;
    int answerTimeoutMs = 5000; // a broker that takes the connection but never answers
};

// An MQTT client on a thread of its own (libmosquitto, driven by that thread's loop): it
// publishes what it is given, keeps the station's retained status (and the broker's last will
// saying the station went offline), reconnects with back-off from 0.5 s to 30 s, and hands
// the messages of its subscriptions to the UI thread by queued calls. Nothing it does blocks
// the caller: messages wait in a queue of at most queueLimit, the oldest dropped (and counted)
// when the broker is slow or gone. Values cross threads by copy; the thread is started by
// Start and stopped and joined by Stop (and the destructor), which never waits for a name
// server: the broker's name is looked up by the resolver's own thread while the loop goes on.
class CMqttBridge : public QObject {
    Q_OBJECT
  public:
    enum class State { Off, Connecting, On, Failed };

    explicit CMqttBridge(QObject* parent = nullptr);
    ~CMqttBridge() override;

    void Start(const MqttOptions& options);
    // Says goodbye (the status turns offline, retained), disconnects and joins the thread.
    void Stop();
    bool IsRunning() const { return m_thread.joinable(); }
    const MqttOptions& Options() const { return m_options; }

    // Queues one message (QoS 0); from any thread.
    void Publish(const QString& topic, const QByteArray& payload);
    // The station's status, retained on "<prefix>/status"; sent now and after every reconnect.
    void SetStatus(const QByteArray& json);
    // Topics to subscribe to (after every connect); set before Start.
    void SetSubscriptions(const QStringList& topics) { m_subscriptions = topics; }
    // One more subscription while running (kept for reconnects); from the UI thread.
    void AddSubscription(const QString& topic);

    State CurrentState() const { return m_state; }
    QString Reason() const { return m_reason; }
    quint64 Dropped() const;

  signals:
    void stateChanged(Korvane::CMqttBridge::State state, const QString& reason);
    void droppedChanged(quint64 total);
    void messageArrived(const QString& topic, const QByteArray& payload);

  private:
    struct Message {
        QByteArray topic;
        QByteArray payload;
        bool retain = false;
    };
    void Run(MqttOptions options, QStringList subscriptions);
    void Report(State state, const QString& reason);
    // Wakes the worker (something was queued, or it must stop).
    void Wake();
    // The worker's sleep: until woken, the socket is ready (its poll events are returned), or
    // most has passed.
    short WaitForWake(int socket, bool wantWrite, std::chrono::milliseconds most);

    MqttOptions m_options;
    QStringList m_subscriptions;
    State m_state = State::Off;
    QString m_reason;

    mutable std::mutex m_mutex; // guards the queue, the status and the counters below
    std::deque<Message> m_queue;
    QByteArray m_status;
    QStringList m_newSubscriptions; // added while running, not yet subscribed
    bool m_statusDirty = false;
    quint64 m_dropped = 0;
    bool m_stop = false;
    int m_wakeFd = -1; // an eventfd: queued work wakes the worker's poll at once
    std::thread m_thread;
    QTimer m_droppedNotice; // tells droppedChanged at most five times a second
};

} // namespace Korvane
