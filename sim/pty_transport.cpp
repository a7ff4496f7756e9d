#include "pty_transport.h"

#include <QFile>
#include <QSocketNotifier>

#include <cerrno>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

namespace KorvaneSim {

namespace {
speed_t SpeedFor(int baud) {
    switch (baud) {
    case 2400:
        return B2400;
    case 4800:
        return B4800;
    case 19200:
        return B19200;
    case 38400:
        return B38400;
    case 57600:
        return B57600;
    case 115200:
        return B115200;
    default:
        return B9600;
    }
}
} // namespace

PtyTransport::PtyTransport(QObject* parent) : Transport(parent) {}

PtyTransport::~PtyTransport() {
    Close();
}

bool PtyTransport::Open(int baud, const QString& linkPath, QString* error) {
    m_master = posix_openpt(O_RDWR | O_NOCTTY);
    if (m_master < 0 || grantpt(m_master) != 0 || unlockpt(m_master) != 0) {
        *error = QStringLiteral("cannot create a pseudo-terminal: %1").arg(strerror(errno));
        return false;
    }
    const char* name = ptsname(m_master);
    if (!name) {
        *error = QStringLiteral("ptsname failed");
        return false;
    }
    m_slavePath = QString::fromLocal8Bit(name);
    m_slave = ::open(name, O_RDWR | O_NOCTTY);
    if (m_slave >= 0) {
        termios tio{};
        tcgetattr(m_slave, &tio);
        cfmakeraw(&tio);
        cfsetispeed(&tio, SpeedFor(baud));
        cfsetospeed(&tio, SpeedFor(baud));
        tcsetattr(m_slave, TCSANOW, &tio);
    }
    fcntl(m_master, F_SETFL, fcntl(m_master, F_GETFL) | O_NONBLOCK);
    if (!linkPath.isEmpty()) {
        QFile::remove(linkPath);
        if (!QFile::link(m_slavePath, linkPath)) {
            *error = QStringLiteral("cannot link %1 to %2").arg(linkPath, m_slavePath);
            return false;
        }
        m_linkPath = linkPath;
    }
    m_notifier = new QSocketNotifier(m_master, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &PtyTransport::ReadMaster);
    return true;
}

void PtyTransport::ReadMaster() {
    char buf[4096];
    for (;;) {
        const ssize_t n = ::read(m_master, buf, sizeof buf);
        if (n > 0) {
            emit received(QByteArray(buf, int(n)));
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        break; // EAGAIN: drained; EIO: no slave open at the moment
    }
}

void PtyTransport::Send(const QByteArray& bytes) {
    if (m_master < 0)
        return;
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(m_master, bytes.constData() + done, size_t(bytes.size() - done));
        if (n > 0) {
            done += n;
        } else if (n < 0 && (errno == EAGAIN || errno == EINTR)) {
            usleep(200); // the station is behind; wait briefly rather than drop bytes
        } else {
            return;
        }
    }
}

void PtyTransport::Close() {
    delete m_notifier;
    m_notifier = nullptr;
    if (m_slave >= 0)
        ::close(m_slave);
    if (m_master >= 0)
        ::close(m_master);
    m_slave = m_master = -1;
    if (!m_linkPath.isEmpty())
        QFile::remove(m_linkPath);
    m_linkPath.clear();
}

} // namespace KorvaneSim
