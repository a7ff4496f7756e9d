#include "core/mqtt/mqtt_bridge.h"

#include <QCoreApplication>
#include <QHostAddress>
#include <QJsonDocument>
#include <QJsonObject>
#include <QScopeGuard>
#include <QThread>
#include <QUuid>

#include <mosquitto.h>

#include <netdb.h>
#include <poll.h>
#include <signal.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <memory>
#include <optional>
#include <vector>

namespace Korvane {

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// What the worker's libmosquitto callbacks tell it; touched only on the worker thread.
struct Session {
    CMqttBridge* bridge = nullptr;
    const std::atomic<bool>* stop = nullptr; // the run's: what comes after it is not handed on
    int connack = -1; // the broker's answer to the connect, -1 while none came
    bool lost = false;
};

void OnConnect(mosquitto*, void* obj, int rc) {
    static_cast<Session*>(obj)->connack = rc;
}

void OnDisconnect(mosquitto*, void* obj, int) {
    static_cast<Session*>(obj)->lost = true;
}

void OnMessage(mosquitto*, void* obj, const mosquitto_message* message) {
    const auto* session = static_cast<Session*>(obj);
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

// One name lookup in flight (getaddrinfo_a): glibc's own thread asks the DNS server while the
// bridge's loop goes on, so a stop never waits for a server that does not answer.
struct LookupRequest {
    QByteArray name;
    addrinfo hints{};
    gaicb request{};
};

// Lookups a stop left while glibc was still asking: their memory stays glibc's until it is
// done, then it is freed by the next lookup. Never destroyed (glibc may still write into them
// while the process exits).
std::mutex& ParkedMutex() {
    static auto* mutex = new std::mutex;
    return *mutex;
}
std::vector<std::unique_ptr<LookupRequest>>& Parked() {
    static auto* parked = new std::vector<std::unique_ptr<LookupRequest>>;
    return *parked;
}

void Release(std::unique_ptr<LookupRequest> lookup) {
    if (lookup->request.ar_result)
        freeaddrinfo(lookup->request.ar_result);
}

void ReapParked() {
    std::lock_guard lock(ParkedMutex());
    auto& parked = Parked();
    for (auto it = parked.begin(); it != parked.end();) {
        if (gai_error(&(*it)->request) == EAI_INPROGRESS) {
            ++it;
        } else {
            Release(std::move(*it));
            it = parked.erase(it);
        }
    }
}

class HostLookup {
  public:
    explicit HostLookup(const QByteArray& name) : m_lookup(std::make_unique<LookupRequest>()) {
        ReapParked();
        m_lookup->name = name;
        m_lookup->hints.ai_family = AF_UNSPEC;
        m_lookup->hints.ai_socktype = SOCK_STREAM;
        m_lookup->hints.ai_flags = AI_ADDRCONFIG;
        m_lookup->request.ar_name = m_lookup->name.constData();
        m_lookup->request.ar_request = &m_lookup->hints;
#if defined(__SANITIZE_THREAD__)
        // ThreadSanitizer cannot follow the threads glibc starts for itself (it crashes in
        // them): its builds ask here, blocking this thread as libmosquitto would.
        m_syncError = getaddrinfo(m_lookup->request.ar_name, nullptr, &m_lookup->hints,
                                  &m_lookup->request.ar_result);
#else
        gaicb* list[] = {&m_lookup->request};
        sigevent none{};
        none.sigev_notify = SIGEV_NONE;
        m_started = getaddrinfo_a(GAI_NOWAIT, list, 1, &none) == 0;
#endif
    }
    ~HostLookup() {
        if (m_started && gai_error(&m_lookup->request) == EAI_INPROGRESS &&
            gai_cancel(&m_lookup->request) == EAI_NOTCANCELED) {
            std::lock_guard lock(ParkedMutex());
            Parked().push_back(std::move(m_lookup));
            return;
        }
        Release(std::move(m_lookup));
    }
    HostLookup(const HostLookup&) = delete;
    HostLookup& operator=(const HostLookup&) = delete;

    // 0 when done, EAI_INPROGRESS while asking, else the failure.
    int Error() const {
        return m_started ? gai_error(&m_lookup->request) : m_syncError;
    }
    // The addresses found, numeric, in the order the resolver gave them.
    std::vector<QByteArray> Addresses() const {
        std::vector<QByteArray> out;
        if (Error() != 0)
            return out;
        for (const addrinfo* a = m_lookup->request.ar_result; a; a = a->ai_next) {
            char text[NI_MAXHOST];
            if (getnameinfo(a->ai_addr, a->ai_addrlen, text, sizeof text, nullptr, 0,
                            NI_NUMERICHOST) == 0 &&
                std::find(out.begin(), out.end(), QByteArray(text)) == out.end())
                out.emplace_back(text);
        }
        return out;
    }

  private:
    std::unique_ptr<LookupRequest> m_lookup;
    bool m_started = false;       // handed to glibc's resolver threads
    int m_syncError = EAI_SYSTEM; // when asked here, or not started
};

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

CMqttBridge::CMqttBridge(QObject* parent)
    : QObject(parent), m_wakeFd(eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)) {
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
    if (m_wakeFd >= 0)
        ::close(m_wakeFd);
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
    {
        std::lock_guard lock(m_mutex);
        m_queue.clear();
        m_statusDirty = !m_status.isEmpty();
    }
    m_flags = std::make_shared<RunFlags>();
    m_flags->run = ++m_run;
    Report(State::Connecting, QString(), m_run);
    m_thread = std::thread(&CMqttBridge::Run, this, options, m_subscriptions, m_flags);
}

short CMqttBridge::WaitForWake(int socket, bool wantWrite, std::chrono::milliseconds most) {
    pollfd fds[2] = {{m_wakeFd, POLLIN, 0}, {socket, short(POLLIN | (wantWrite ? POLLOUT : 0)), 0}};
    const int n = ::poll(fds, socket >= 0 ? 2 : 1, int(most.count()));
    if (n > 0 && (fds[0].revents & POLLIN)) {
        eventfd_t drained = 0;
        eventfd_read(m_wakeFd, &drained);
    }
    return n > 0 && socket >= 0 ? fds[1].revents : 0;
}

void CMqttBridge::Wake() {
    if (m_wakeFd >= 0)
        eventfd_write(m_wakeFd, 1);
}

void CMqttBridge::Stop() {
    if (!m_thread.joinable())
        return;
    m_flags->stop = true;
    Wake();
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
    bool dropped = false;
    {
        std::lock_guard lock(m_mutex);
        if (m_options.queueLimit > 0 && m_queue.size() >= size_t(m_options.queueLimit)) {
            m_queue.pop_front(); // the oldest goes: what is newest matters most
            ++m_dropped;
            dropped = true;
        }
        m_queue.push_back({topic.toUtf8(), payload, false});
    }
    Wake();
    if (dropped && QThread::currentThread() == thread() && !m_droppedNotice.isActive())
        m_droppedNotice.start();
}

void CMqttBridge::AddSubscription(const QString& topic) {
    {
        std::lock_guard lock(m_mutex);
        m_newSubscriptions << topic;
    }
    Wake();
}

void CMqttBridge::SetStatus(const QByteArray& json) {
    {
        std::lock_guard lock(m_mutex);
        m_status = json;
        m_statusDirty = true;
    }
    Wake();
}

quint64 CMqttBridge::Dropped() const {
    std::lock_guard lock(m_mutex);
    return m_dropped;
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
    Session session;
    session.bridge = this;
    session.stop = &flags->stop;
    const QByteArray clientId =
        (QStringLiteral("korvane-") + QUuid::createUuid().toString(QUuid::Id128).left(16)).toUtf8();
    mosquitto* mosq = mosquitto_new(clientId.constData(), true, &session);
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
    // A name is looked up by the loop, cancellably; an address needs no lookup.
    const bool needsLookup = QHostAddress(options.broker.host).isNull();
    std::optional<HostLookup> lookup;

    enum class Phase { Idle, Connecting, Connected } phase = Phase::Idle;
    auto nextAttempt = Clock::now();
    auto connectStart = Clock::now();
    milliseconds backoff(500);
    int failures = 0; // in a row: each attempt tries the next address found
    auto fail = [&](const QString& reason) {
        mosquitto_disconnect(mosq);
        phase = Phase::Idle;
        nextAttempt = Clock::now() + backoff;
        backoff = std::min(backoff * 2, milliseconds(30000));
        ++failures;
        report(State::Failed, reason);
    };
    auto stopping = [&flags] { return flags->stop.load(); };

    while (!stopping()) {
        const auto now = Clock::now();
        if (phase == Phase::Idle) {
            if (now < nextAttempt) {
                WaitForWake(-1, false,
                            std::min(milliseconds(50),
                                     std::chrono::duration_cast<milliseconds>(nextAttempt - now)));
                continue;
            }
            QByteArray address = host;
            if (needsLookup) {
                if (!lookup) {
                    report(State::Connecting, QString());
                    lookup.emplace(host);
                }
                const int error = lookup->Error();
                if (error == EAI_INPROGRESS) {
                    WaitForWake(-1, false, milliseconds(20));
                    continue;
                }
                const std::vector<QByteArray> found = lookup->Addresses();
                lookup.reset();
                if (found.empty()) {
                    fail(
                        QCoreApplication::translate("Korvane::CMqttBridge",
                                                    "the broker's name was not found: %1")
                            .arg(QString::fromLocal8Bit(gai_strerror(error ? error : EAI_NONAME))));
                    continue;
                }
                // TLS checks the broker's certificate against its name, so libmosquitto is
                // given the name (and looks it up once more, just answered); a plain
                // connection goes to the address found.
                if (!options.broker.tls)
                    address = found[size_t(failures) % found.size()];
            }
            session.connack = -1;
            session.lost = false;
            report(State::Connecting, QString());
            const int rc =
                mosquitto_connect_async(mosq, address.constData(), options.broker.port, 10);
            if (rc != MOSQ_ERR_SUCCESS) {
                fail(rc == MOSQ_ERR_ERRNO ? QString::fromLocal8Bit(strerror(errno))
                                          : QString::fromUtf8(mosquitto_strerror(rc)));
                continue;
            }
            phase = Phase::Connecting;
            connectStart = now;
        }
        // Asleep until the broker's socket has something, or something was queued (the
        // queue wakes this thread at once: a frame waits for no timer).
        int rc = MOSQ_ERR_SUCCESS;
        const short ready =
            WaitForWake(mosquitto_socket(mosq), mosquitto_want_write(mosq), milliseconds(100));
        if (ready & (POLLIN | POLLERR | POLLHUP))
            rc = mosquitto_loop_read(mosq, 1);
        if (rc == MOSQ_ERR_SUCCESS && (ready & POLLOUT))
            rc = mosquitto_loop_write(mosq, 1);
        if (rc == MOSQ_ERR_SUCCESS)
            rc = mosquitto_loop_misc(mosq); // keep-alive
        if (phase == Phase::Connecting) {
            if (session.connack == 0) {
                phase = Phase::Connected;
                backoff = milliseconds(500);
                failures = 0;
                {
                    std::lock_guard lock(m_mutex);
                    m_statusDirty = !m_status.isEmpty();
                    subscriptions << m_newSubscriptions;
                    m_newSubscriptions.clear();
                }
                for (const QString& topic : subscriptions)
                    mosquitto_subscribe(mosq, nullptr, topic.toUtf8().constData(), 0);
                report(State::On, QString());
            } else if (session.connack > 0) {
                fail(QString::fromUtf8(mosquitto_connack_string(session.connack)));
                continue;
            } else if (Clock::now() - connectStart > milliseconds(options.answerTimeoutMs)) {
                fail(QCoreApplication::translate("Korvane::CMqttBridge",
                                                 "the broker did not answer"));
                continue;
            }
        }
        if (rc != MOSQ_ERR_SUCCESS || session.lost) {
            fail(rc == MOSQ_ERR_ERRNO ? QString::fromLocal8Bit(strerror(errno))
                 : rc != MOSQ_ERR_SUCCESS
                     ? QString::fromUtf8(mosquitto_strerror(rc))
                     : QCoreApplication::translate("Korvane::CMqttBridge",
                                                   "the broker closed the connection"));
            continue;
        }
        if (phase != Phase::Connected)
            continue;
        QStringList added;
        {
            std::lock_guard lock(m_mutex);
            added.swap(m_newSubscriptions);
        }
        for (const QString& topic : added) {
            mosquitto_subscribe(mosq, nullptr, topic.toUtf8().constData(), 0);
            subscriptions << topic;
        }
        // Hand over what waits, a batch at a time and only while libmosquitto has written
        // everything before: its own queue stays short, ours is the bounded one.
        for (int sent = 0; sent < 256 && !mosquitto_want_write(mosq); ++sent) {
            Message m;
            {
                std::lock_guard lock(m_mutex);
                if (m_statusDirty) {
                    m = {statusTopic, m_status, true};
                    m_statusDirty = false;
                } else if (!m_queue.empty()) {
                    m = std::move(m_queue.front());
                    m_queue.pop_front();
                } else {
                    break;
                }
            }
            mosquitto_publish(mosq, nullptr, m.topic.constData(), int(m.payload.size()),
                              m.payload.constData(), m.retain ? 1 : 0, m.retain);
        }
    }
    if (phase == Phase::Connected && options.announce) {
        // A clean goodbye: the status says offline, then the connection ends (the broker does
        // not send the will for a clean disconnect).
        mosquitto_publish(mosq, nullptr, statusTopic.constData(), int(offline.size()),
                          offline.constData(), 1, true);
        for (int i = 0; i < 10 && mosquitto_want_write(mosq); ++i)
            mosquitto_loop(mosq, 20, 1);
        mosquitto_loop(mosq, 50, 1); // the PUBACK of the goodbye
    }
    if (phase == Phase::Connected) {
        mosquitto_disconnect(mosq);
        mosquitto_loop(mosq, 20, 1);
    }
    mosquitto_destroy(mosq);
}

} // namespace Korvane
