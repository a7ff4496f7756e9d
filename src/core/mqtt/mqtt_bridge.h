#pragma once

#include "core/mqtt/broker_url.h"
#include "core/mqtt/mqtt_outbox.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QTimer>

#include <atomic>
#include <memory>
#include <thread>
#include <vector>

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

// libmosquitto's set-up and tear-down, owned by the program (main makes one before any window,
// a test program one for its tests): bridges start only while one lives, and the library ends
// with the last one, after every bridge has ended.
class CMqttLibrary {
  public:
    CMqttLibrary();
    ~CMqttLibrary();
    CMqttLibrary(const CMqttLibrary&) = delete;
    CMqttLibrary& operator=(const CMqttLibrary&) = delete;
    static bool IsSetUp();

  private:
    static std::atomic<int> s_owners;
};

// An MQTT client on a thread of its own (libmosquitto, driven by that thread's loop): it
// publishes what it is given, keeps the station's retained status (and the broker's last will
// saying the station went offline), reconnects with back-off from 0.5 s to 30 s, and hands
// the messages of its subscriptions to the UI thread by queued calls. Nothing it does blocks
// the caller: messages wait in a queue of at most queueLimit, the oldest dropped (and counted)
// when the broker is slow or gone (CMqttOutbox). When it tries again is CMqttSession's say.
// Values cross threads by copy; the thread is started by Start and told to stop by Stop,
// which returns at once: the thread says goodbye on its own and the bridge joins it once it
// has finished (the destructor waits for it). Nothing waits for a name server: the broker's
// name is looked up by a process of its own (CNameLookup) while the loop goes on, and that
// process ends with the run.
class CMqttBridge : public QObject {
    Q_OBJECT
  public:
    enum class State { Off, Connecting, On, Failed };

    explicit CMqttBridge(QObject* parent = nullptr);
    ~CMqttBridge() override;

    void Start(const MqttOptions& options);
    // Stops sharing without waiting: the thread says goodbye (the status turns offline,
    // retained), disconnects and ends by itself; a new Start may follow at once.
    void Stop();
    bool IsRunning() const { return m_thread.joinable(); }
    // Whether a stopped thread is still saying goodbye.
    bool IsFinishing() const { return !m_finishing.empty(); }
    // Waits until every stopped thread has ended (the destructor does; tests may).
    void JoinFinished();
    // Stops, and deletes this bridge (later, from the event loop) once its goodbye is said:
    // for an owner that goes now. Whoever is its parent then still owns it until then.
    void DeleteWhenFinished();
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
    quint64 Dropped() const { return m_outbox.Dropped(); }

  signals:
    void stateChanged(Korvane::CMqttBridge::State state, const QString& reason);
    void droppedChanged(quint64 total);
    void messageArrived(const QString& topic, const QByteArray& payload);

  private:
    // What one run of the thread shares with the bridge: its stop, and whether it has ended.
    struct RunFlags {
        std::atomic<bool> stop{false};
        std::atomic<bool> ended{false};
        int run = 0; // the bridge's count of runs when it began
    };
    struct Finishing {
        std::thread thread;
        std::shared_ptr<RunFlags> flags;
    };
    void Run(MqttOptions options, QStringList subscriptions, std::shared_ptr<RunFlags> flags);
    void ReapFinished();
    // A state of run number run (a stopped run's late words are not told).
    void Report(State state, const QString& reason, int run);

    MqttOptions m_options;
    QStringList m_subscriptions;
    State m_state = State::Off;
    QString m_reason;

    CMqttOutbox m_outbox;
    std::thread m_thread;
    std::shared_ptr<RunFlags> m_flags;  // of m_thread
    std::vector<Finishing> m_finishing; // stopped, saying goodbye; joined once ended
    QTimer m_reaper;
    int m_run = 0; // UI thread: the run whose states are told
    bool m_deleteWhenFinished = false;
    QTimer m_droppedNotice; // tells droppedChanged at most five times a second
};

} // namespace Korvane
