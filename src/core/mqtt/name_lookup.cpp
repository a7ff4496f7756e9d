#include "core/mqtt/name_lookup.h"

#include <QCoreApplication>

#include <fcntl.h>
#include <netdb.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

extern char** environ;

namespace Korvane {

namespace {

QString NotFoundText(int code) {
    return QString::fromLocal8Bit(gai_strerror(code));
}

} // namespace

CNameLookup::CNameLookup(const QByteArray& name) {
    int pipeFds[2];
    if (::pipe2(pipeFds, O_CLOEXEC) != 0) {
        m_result = Result::NotFound;
        m_reason = QString::fromLocal8Bit(strerror(errno));
        return;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    // "--": a name is never taken for an option.
    const char* argv[] = {"getent", "ahosts", "--", name.constData(), nullptr};
    const int rc =
        posix_spawnp(&m_pid, "getent", &actions, nullptr, const_cast<char**>(argv), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipeFds[1]);
    if (rc != 0) {
        ::close(pipeFds[0]);
        m_pid = -1;
        m_result = Result::NotFound;
        m_reason = QString::fromLocal8Bit(strerror(rc));
        return;
    }
    m_fd = pipeFds[0];
    ::fcntl(m_fd, F_SETFL, ::fcntl(m_fd, F_GETFL) | O_NONBLOCK);
}

CNameLookup::~CNameLookup() {
    if (m_fd >= 0)
        ::close(m_fd);
    if (m_pid > 0) {
        ::kill(m_pid, SIGKILL);
        while (::waitpid(m_pid, nullptr, 0) < 0 && errno == EINTR) {
        }
    }
}

CNameLookup::Result CNameLookup::Read() {
    if (m_result != Result::Asking || m_fd < 0)
        return m_result;
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(m_fd, buffer, sizeof buffer);
        if (n > 0) {
            m_output.append(buffer, n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno == EAGAIN)
            return m_result;
        break; // the end: the resolver has finished
    }
    Finish();
    return m_result;
}

void CNameLookup::Finish() {
    ::close(m_fd);
    m_fd = -1;
    int status = 0;
    while (::waitpid(m_pid, &status, 0) < 0 && errno == EINTR) {
    }
    m_pid = -1;
    // Each line: "<address> <kind> [<name>]", an address once per kind of socket.
    for (const QByteArray& line : m_output.split('\n')) {
        const QByteArray address = line.simplified().split(' ').value(0);
        if (!address.isEmpty() &&
            std::find(m_addresses.begin(), m_addresses.end(), address) == m_addresses.end())
            m_addresses.push_back(address);
    }
    if (!m_addresses.empty()) {
        m_result = Result::Found;
        return;
    }
    m_result = Result::NotFound;
    // getent says 2 for a name nobody knows; anything else is the resolver failing.
    const bool unknown = WIFEXITED(status) && WEXITSTATUS(status) == 2;
    m_reason = NotFoundText(unknown ? EAI_NONAME : EAI_FAIL);
}

} // namespace Korvane
