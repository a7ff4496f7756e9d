#include "core/mqtt/mqtt_bridge.h"

#include "core/mqtt/mqtt_session.h"
#include "core/mqtt/name_lookup.h"

#include <QCoreApplication>
#include <QHostAddress>
#include <QJsonDocument>
#include <QJsonObject>
#include <QScopeGuard>
#include <QThread>
#include <QUuid>

#include <mosquitto.h>

#include <poll.h>

#include <chrono>
#include <cstring>
#include <memory>
#include <optional>

namespace Korvane {

namespace {

using std::chrono::milliseconds;

// What the worker's libmosquitto callbacks tell it; touched only on the worker thread.
struct CallbackState {
    CMqttBridge* bridge = nullptr;
    const std::atomic<bool>* stop = nullptr; // the run's: what comes after it is not handed on
    int connack = -1; // the broker's answer to the connect, -1 while none came
    bool lost = false;
};

void OnConnect(mosquitto*, void* obj, int rc) {
    static_cast<CallbackState*>(obj)->connack = rc;
}

void OnDisconnect(mosquitto*, void* obj, int) {
    static_cast<CallbackState*>(obj)->lost = true;
}

void OnMessage(mosquitto*, void* obj, const mosquitto_message* message) {
    const auto* session = static_cast<CallbackState*>(obj);
    if (session->stop && *session->stop)
        return; // the goodbye of a stopped run: nobody listens any more
    auto* bridge = session->bridge;
    const QString topic = QString::fromUtf8(message->topic);
    const QByteArray payload(static_cast<const char*>(message->payload), message->payloadlen);
    // To the UI thread, by value; dropped with the bridge if it goes first.
    QMetaObject::invokeMethod(
        bridge, [bridge, topic, payload] { emit bridge->messageArrived(topic, payload); },
        Qt::QueuedConnection);
}

} // namespace

std::atomic<int> CMqttLibrary::s_owners{0};

CMqttLibrary::CMqttLibrary() {
    if (s_owners++ == 0)
        mosquitto_lib_init();
}

CMqttLibrary::~CMqttLibrary() {
    if (--s_owners == 0)
        mosquitto_lib_cleanup();
}

bool CMqttLibrary::IsSetUp() {
    return s_owners > 0;
}

CMqttBridge::CMqttBridge(QObject* parent) : QObject(parent) {
    qRegisterMetaType<Korvane::CMqttBridge::State>();
    m_droppedNotice.setSingleShot(true);
    m_droppedNotice.setInterval(200);
    connect(&m_droppedNotice, &QTimer::timeout, this, [this] { emit droppedChanged(Dropped()); });
    m_reaper.setInterval(20);
    connect(&m_reaper, &QTimer::timeout, this, &CMqttBridge::ReapFinished);
}

CMqttBridge::~CMqttBridge() {
    Stop();
    JoinFinished();
}

void CMqttBridge::Start(const MqttOptions& options) {
    Stop();
    m_options = options;
    if (!CMqttLibrary::IsSetUp()) {
        Report(
            State::Failed,
            QCoreApplication::translate("Korvane::CMqttBridge", "the MQTT library was not set up"),
            m_run);
        return;
    }
    m_outbox.SetLimit(options.queueLimit);
    m_outbox.Clear();
    m_flags = std::make_shared<RunFlags>();
    m_flags->run = ++m_run;
    Report(State::Connecting, QString(), m_run);
    m_thread = std::thread(&CMqttBridge::Run, this, options, m_subscriptions, m_flags);
}

void CMqttBridge::Stop() {
    if (!m_thread.joinable())
        return;
    m_flags->stop = true;
    m_outbox.Wake();
    m_finishing.push_back({std::move(m_thread), std::move(m_flags)});
    m_reaper.start();
    Report(State::Off, QString(), ++m_run);
}

void CMqttBridge::ReapFinished() {
    // Only a thread that has ended is joined: the window never waits for a goodbye.
    for (auto it = m_finishing.begin(); it != m_finishing.end();) {
        if (it->flags->ended) {
            it->thread.join();
            it = m_finishing.erase(it);
        } else {
            ++it;
        }
    }
    if (m_finishing.empty()) {
        m_reaper.stop();
        if (m_deleteWhenFinished)
            deleteLater();
    }
}

void CMqttBridge::DeleteWhenFinished() {
    Stop();
    m_deleteWhenFinished = true;
    ReapFinished();
}

void CMqttBridge::JoinFinished() {
    for (Finishing& f : m_finishing)
        f.thread.join();
    m_finishing.clear();
    m_reaper.stop();
}

void CMqttBridge::Publish(const QString& topic, const QByteArray& payload) {
    const bool dropped = m_outbox.Push(topic.toUtf8(), payload);
    if (dropped && QThread::currentThread() == thread() && !m_droppedNotice.isActive())
        m_droppedNotice.start();
}

void CMqttBridge::AddSubscription(const QString& topic) {
    m_outbox.AddSubscription(topic);
}

void CMqttBridge::SetStatus(const QByteArray& json) {
    m_outbox.SetStatus(json);
}

void CMqttBridge::Report(State state, const QString& reason, int run) {
    auto tell = [this, state, reason, run] {
        if (run != m_run || (m_state == state && m_reason == reason))
            return;
        m_state = state;
        m_reason = reason;
        emit stateChanged(state, reason);
    };
    if (QThread::currentThread() == thread())
        tell();
    else
        QMetaObject::invokeMethod(this, tell, Qt::QueuedConnection);
}

void CMqttBridge::Run(MqttOptions options, QStringList subscriptions,
                      std::shared_ptr<RunFlags> flags) {
    // Whatever way this run ends, the bridge learns it may join the thread.
    const auto ended = qScopeGuard([&flags] { flags->ended = true; });
    // What this run says of its state counts only while it is the bridge's run.
    const int run = flags->run;
    auto report = [this, run](State state, const QString& reason) { Report(state, reason, run); };
    CallbackState mosquittoSession;
    mosquittoSession.bridge = this;
    mosquittoSession.stop = &flags->stop;
    const QByteArray clientId =
        (QStringLiteral("korvane-") + QUuid::createUuid().toString(QUuid::Id128).left(16)).toUtf8();
    mosquitto* mosq = mosquitto_new(clientId.constData(), true, &mosquittoSession);
    if (!mosq) {
        report(State::Failed, QCoreApplication::translate("Korvane::CMqttBridge",
                                                          "the MQTT client could not be made"));
        return;
    }
    mosquitto_int_option(mosq, MOSQ_OPT_PROTOCOL_VERSION, MQTT_PROTOCOL_V311);
    // Each frame goes out as it comes: without this, Nagle's algorithm holds small messages
    // back until the broker's delayed acknowledgement (up to 40 ms).
    mosquitto_int_option(mosq, MOSQ_OPT_TCP_NODELAY, 1);
    mosquitto_connect_callback_set(mosq, OnConnect);
    mosquitto_disconnect_callback_set(mosq, OnDisconnect);
    mosquitto_message_callback_set(mosq, OnMessage);
    const QByteArray user = options.user.toUtf8();
    const QByteArray password = options.password.toUtf8();
    if (!user.isEmpty())
        mosquitto_username_pw_set(mosq, user.constData(),
                                  password.isEmpty() ? nullptr : password.constData());
    const QByteArray statusTopic = (options.prefix + QStringLiteral("/status")).toUtf8();
    const QByteArray offline =
        QJsonDocument(QJsonObject{{QStringLiteral("station"), options.stationName},
                                  {QStringLiteral("online"), false}})
            .toJson(QJsonDocument::Compact);
    // The broker tells everyone the station went offline when it vanishes without a word.
    if (options.announce)
        mosquitto_will_set(mosq, statusTopic.constData(), int(offline.size()), offline.constData(),
                           1, true);
    if (options.broker.tls) {
        const QByteArray caFile = options.caFile.toLocal8Bit();
        const int rc =
            caFile.isEmpty()
                ? mosquitto_tls_set(mosq, nullptr, "/etc/ssl/certs", nullptr, nullptr, nullptr)
                : mosquitto_tls_set(mosq, caFile.constData(), nullptr, nullptr, nullptr, nullptr);
        if (rc != MOSQ_ERR_SUCCESS) {
            report(State::Failed, QCoreApplication::translate("Korvane::CMqttBridge",
                                                              "TLS could not be set up: %1")
                                      .arg(QString::fromUtf8(mosquitto_strerror(rc))));
            mosquitto_destroy(mosq);
            return;
        }
    }
    const QByteArray host = options.broker.host.toUtf8();
    // A name is looked up by a process of its own, which ends with the run; an address
    // needs no lookup.
    const bool needsLookup = QHostAddress(options.broker.host).isNull();
    std::optional<CNameLookup> lookup;

    CMqttSession session(
        {milliseconds(500), milliseconds(30000), milliseconds(options.answerTimeoutMs)});
    using Phase = CMqttSession::Phase;
    auto fail = [&](const QString& reason) {
        mosquitto_disconnect(mosq);
        session.Failed();
        report(State::Failed, reason);
    };
    auto stopping = [&flags] { return flags->stop.load(); };

    while (!stopping()) {
        if (session.CurrentPhase() == Phase::Waiting && !session.AttemptDue()) {
            m_outbox.WaitForWake(-1, false, std::min(milliseconds(50), session.UntilAttempt()));
            continue;
        }
        if (session.CurrentPhase() == Phase::Waiting ||
            session.CurrentPhase() == Phase::LookingUp) {
            QByteArray address = host;
            if (needsLookup) {
                if (!lookup) {
                    report(State::Connecting, QString());
                    lookup.emplace(host);
                    session.LookingUp();
                }
                if (lookup->Read() == CNameLookup::Result::Asking) {
                    m_outbox.WaitForWake(lookup->Fd(), false, milliseconds(100));
                    continue;
                }
                const std::vector<QByteArray> found = lookup->Addresses();
                const QString why = lookup->Reason();
                lookup.reset();
                if (found.empty()) {
                    fail(QCoreApplication::translate("Korvane::CMqttBridge",
                                                     "the broker's name was not found: %1")
                             .arg(why));
                    continue;
                }
                // TLS checks the broker's certificate against its name, so libmosquitto is
                // given the name (and looks it up once more, just answered); a plain
                // connection goes to the address found.
                if (!options.broker.tls)
                    address = found[session.AddressIndex(found.size())];
            }
            mosquittoSession.connack = -1;
            mosquittoSession.lost = false;
            report(State::Connecting, QString());
            const int rc =
                mosquitto_connect_async(mosq, address.constData(), options.broker.port, 10);
            if (rc != MOSQ_ERR_SUCCESS) {
                fail(rc == MOSQ_ERR_ERRNO ? QString::fromLocal8Bit(strerror(errno))
                                          : QString::fromUtf8(mosquitto_strerror(rc)));
                continue;
            }
            session.Connecting();
        }
        // Asleep until the broker's socket has something, or something was queued (the
        // queue wakes this thread at once: a frame waits for no timer).
        int rc = MOSQ_ERR_SUCCESS;
        const short ready = m_outbox.WaitForWake(mosquitto_socket(mosq), mosquitto_want_write(mosq),
                                                 milliseconds(100));
        if (ready & (POLLIN | POLLERR | POLLHUP))
            rc = mosquitto_loop_read(mosq, 1);
        if (rc == MOSQ_ERR_SUCCESS && (ready & POLLOUT))
            rc = mosquitto_loop_write(mosq, 1);
        if (rc == MOSQ_ERR_SUCCESS)
            rc = mosquitto_loop_misc(mosq); // keep-alive
        if (session.CurrentPhase() == Phase::Connecting) {
            if (mosquittoSession.connack == 0) {
                session.Connected();
                m_outbox.StatusDueAgain();
                subscriptions << m_outbox.TakeSubscriptions();
                for (const QString& topic : subscriptions)
                    mosquitto_subscribe(mosq, nullptr, topic.toUtf8().constData(), 0);
                report(State::On, QString());
            } else if (mosquittoSession.connack > 0) {
                fail(QString::fromUtf8(mosquitto_connack_string(mosquittoSession.connack)));
                continue;
            } else if (session.AnswerOverdue()) {
                fail(QCoreApplication::translate("Korvane::CMqttBridge",
                                                 "the broker did not answer"));
                continue;
            }
        }
        if (rc != MOSQ_ERR_SUCCESS || mosquittoSession.lost) {
            fail(rc == MOSQ_ERR_ERRNO ? QString::fromLocal8Bit(strerror(errno))
                 : rc != MOSQ_ERR_SUCCESS
                     ? QString::fromUtf8(mosquitto_strerror(rc))
                     : QCoreApplication::translate("Korvane::CMqttBridge",
                                                   "the broker closed the connection"));
            continue;
        }
        if (session.CurrentPhase() != Phase::Connected)
            continue;
        for (const QString& topic : m_outbox.TakeSubscriptions()) {
            mosquitto_subscribe(mosq, nullptr, topic.toUtf8().constData(), 0);
            subscriptions << topic;
        }
        // Hand over what waits, a batch at a time and only while libmosquitto has written
        // everything before: its own queue stays short, ours is the bounded one.
        CMqttOutbox::Message m;
        for (int sent = 0; sent < 256 && !mosquitto_want_write(mosq) && m_outbox.Take(m); ++sent) {
            const QByteArray& topic = m.status ? statusTopic : m.topic;
            mosquitto_publish(mosq, nullptr, topic.constData(), int(m.payload.size()),
                              m.payload.constData(), m.status ? 1 : 0, m.status);
        }
    }
    const bool connected = session.CurrentPhase() == Phase::Connected;
    if (connected && options.announce) {
        // A clean goodbye: the status says offline, then the connection ends (the broker does
        // not send the will for a clean disconnect).
        mosquitto_publish(mosq, nullptr, statusTopic.constData(), int(offline.size()),
                          offline.constData(), 1, true);
        for (int i = 0; i < 10 && mosquitto_want_write(mosq); ++i)
            mosquitto_loop(mosq, 20, 1);
        mosquitto_loop(mosq, 50, 1); // the PUBACK of the goodbye
    }
    if (connected) {
        mosquitto_disconnect(mosq);
        mosquitto_loop(mosq, 20, 1);
    }
    mosquitto_destroy(mosq);
}

} // namespace Korvane
