#include "core/mqtt/mqtt_outbox.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

namespace Korvane {

CMqttOutbox::CMqttOutbox(int limit)
    : m_limit(limit), m_wakeFd(eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)) {}

CMqttOutbox::~CMqttOutbox() {
    if (m_wakeFd >= 0)
        ::close(m_wakeFd);
}

void CMqttOutbox::SetLimit(int limit) {
    std::lock_guard lock(m_mutex);
    m_limit = limit;
}

bool CMqttOutbox::Push(const QByteArray& topic, const QByteArray& payload) {
    bool dropped = false;
    {
        std::lock_guard lock(m_mutex);
        if (m_limit > 0 && m_queue.size() >= size_t(m_limit)) {
            m_queue.pop_front(); // the oldest goes: what is newest matters most
            ++m_dropped;
            dropped = true;
        }
        m_queue.push_back({topic, payload, false});
    }
    Wake();
    return dropped;
}

void CMqttOutbox::SetStatus(const QByteArray& json) {
    {
        std::lock_guard lock(m_mutex);
        m_status = json;
        m_statusDue = true;
    }
    Wake();
}

void CMqttOutbox::AddSubscription(const QString& topic) {
    {
        std::lock_guard lock(m_mutex);
        m_subscriptions << topic;
    }
    Wake();
}

void CMqttOutbox::Clear() {
    std::lock_guard lock(m_mutex);
    m_queue.clear();
    m_statusDue = !m_status.isEmpty();
}

void CMqttOutbox::StatusDueAgain() {
    std::lock_guard lock(m_mutex);
    m_statusDue = !m_status.isEmpty();
}

bool CMqttOutbox::Take(Message& out) {
    std::lock_guard lock(m_mutex);
    if (m_statusDue) {
        out = {QByteArray(), m_status, true};
        m_statusDue = false;
        return true;
    }
    if (m_queue.empty())
        return false;
    out = std::move(m_queue.front());
    m_queue.pop_front();
    return true;
}

QStringList CMqttOutbox::TakeSubscriptions() {
    std::lock_guard lock(m_mutex);
    QStringList out;
    out.swap(m_subscriptions);
    return out;
}

quint64 CMqttOutbox::Dropped() const {
    std::lock_guard lock(m_mutex);
    return m_dropped;
}

size_t CMqttOutbox::Size() const {
    std::lock_guard lock(m_mutex);
    return m_queue.size();
}

void CMqttOutbox::Wake() {
    if (m_wakeFd >= 0)
        eventfd_write(m_wakeFd, 1);
}

short CMqttOutbox::WaitForWake(int socket, bool wantWrite, std::chrono::milliseconds most) {
    pollfd fds[2] = {{m_wakeFd, POLLIN, 0}, {socket, short(POLLIN | (wantWrite ? POLLOUT : 0)), 0}};
    const int n = ::poll(fds, socket >= 0 ? 2 : 1, int(most.count()));
    if (n > 0 && (fds[0].revents & POLLIN)) {
        eventfd_t drained = 0;
        eventfd_read(m_wakeFd, &drained);
    }
    return n > 0 && socket >= 0 ? fds[1].revents : 0;
}

} // namespace Korvane
