#pragma once

#include <QByteArray>
#include <QStringList>

#include <chrono>
#include <deque>
#include <mutex>

namespace Korvane {

// What waits to go to the broker, between the threads that publish and the bridge's worker:
// at most a limit of messages (the oldest dropped and counted when the broker is slow or
// gone), the station's status (sent before anything else whenever it changed or the
// connection is new) and subscriptions added while running. Every change wakes the worker's
// poll at once; all of it may be called from any thread.
class CMqttOutbox {
  public:
    struct Message {
        QByteArray topic;
        QByteArray payload;
        bool status = false; // the station's status: retained, on the worker's status topic
    };

    explicit CMqttOutbox(int limit = 4096);
    ~CMqttOutbox();
    CMqttOutbox(const CMqttOutbox&) = delete;
    CMqttOutbox& operator=(const CMqttOutbox&) = delete;

    void SetLimit(int limit);
    // Queues one message; true when it pushed the oldest out.
    bool Push(const QByteArray& topic, const QByteArray& payload);
    void SetStatus(const QByteArray& json);
    void AddSubscription(const QString& topic);
    // A fresh start: the messages go (subscriptions stay); the status (if any) is due again.
    void Clear();
    // A new connection: the status is due again.
    void StatusDueAgain();
    // The next message to hand over (the status first when due); false when none waits.
    bool Take(Message& out);
    QStringList TakeSubscriptions();
    quint64 Dropped() const;
    size_t Size() const;

    // Wakes the worker (it must look at the outbox or at its stop).
    void Wake();
    // The worker's sleep: until woken, the socket (if any) is ready (its poll events are
    // returned), or most has passed.
    short WaitForWake(int socket, bool wantWrite, std::chrono::milliseconds most);

  private:
    mutable std::mutex m_mutex;
    std::deque<Message> m_queue;
    int m_limit;
    QByteArray m_status;
    bool m_statusDue = false;
    QStringList m_subscriptions;
    quint64 m_dropped = 0;
    int m_wakeFd = -1; // an eventfd
};

} // namespace Korvane
