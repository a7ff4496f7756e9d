#pragma once
// A pseudo-terminal pair for tests: the station opens SlavePath() as its serial port and the
// test plays the device on the master side.

#include <QByteArray>
#include <QElapsedTimer>
#include <QFile>
#include <QString>
#include <QTest>

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

class PtyPair {
  public:
    PtyPair() { Open(); }
    ~PtyPair() { Close(); }

    bool Open() {
        m_master = posix_openpt(O_RDWR | O_NOCTTY);
        if (m_master < 0 || grantpt(m_master) != 0 || unlockpt(m_master) != 0)
            return false;
        m_slavePath = QString::fromLocal8Bit(ptsname(m_master));
        // Keep a raw slave open so the master never sees a hang-up between station opens.
        m_slave = ::open(ptsname(m_master), O_RDWR | O_NOCTTY);
        termios tio{};
        tcgetattr(m_slave, &tio);
        cfmakeraw(&tio);
        tcsetattr(m_slave, TCSANOW, &tio);
        fcntl(m_master, F_SETFL, fcntl(m_master, F_GETFL) | O_NONBLOCK);
        return true;
    }

    // Closing both ends makes the port vanish for the station, like an unplugged adapter.
    void Close() {
        if (m_slave >= 0)
            ::close(m_slave);
        if (m_master >= 0)
            ::close(m_master);
        m_slave = m_master = -1;
    }

    QString SlavePath() const { return m_slavePath; }

    void Write(const QByteArray& bytes) {
        qsizetype done = 0;
        while (done < bytes.size()) {
            const ssize_t n = ::write(m_master, bytes.constData() + done, bytes.size() - done);
            if (n > 0)
                done += n;
            else if (errno == EAGAIN || errno == EINTR)
                QTest::qWait(1);
            else
                return;
        }
    }

    // Writes everything from a thread that is not the event loop's (a device thread): waits
    // in poll() while the station has not read what came before, as a UART would.
    void WriteBlocking(const QByteArray& bytes) {
        qsizetype done = 0;
        while (done < bytes.size()) {
            const ssize_t n = ::write(m_master, bytes.constData() + done, bytes.size() - done);
            if (n > 0) {
                done += n;
            } else if (n < 0 && (errno == EAGAIN || errno == EINTR)) {
                pollfd p{m_master, POLLOUT, 0};
                ::poll(&p, 1, 100);
            } else {
                return;
            }
        }
    }

    // Reads what the station wrote, keeping the event loop running, until `count` bytes have
    // arrived or the time is up.
    QByteArray ReadAtLeast(qsizetype count, int timeoutMs = 3000) {
        QElapsedTimer t;
        t.start();
        while (m_buffer.size() < count && t.elapsed() < timeoutMs) {
            Drain();
            if (m_buffer.size() < count)
                QTest::qWait(2);
        }
        QByteArray out = m_buffer;
        m_buffer.clear();
        return out;
    }

    // Everything that arrives within the given time.
    QByteArray ReadFor(int ms) {
        QTest::qWait(ms);
        Drain();
        QByteArray out = m_buffer;
        m_buffer.clear();
        return out;
    }

  private:
    void Drain() {
        char buf[4096];
        for (;;) {
            const ssize_t n = ::read(m_master, buf, sizeof buf);
            if (n <= 0)
                break;
            m_buffer.append(buf, n);
        }
    }

    int m_master = -1;
    int m_slave = -1;
    QString m_slavePath;
    QByteArray m_buffer;
};
