#include "core/link/port_diagnosis.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSerialPortInfo>

#ifdef Q_OS_LINUX
#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace Korvane {

namespace {

#ifdef Q_OS_LINUX
QString UserName() {
    const passwd* pw = getpwuid(geteuid());
    return pw ? QString::fromLocal8Bit(pw->pw_name) : QString::number(geteuid());
}

bool SessionHasGroup(gid_t gid) {
    if (getegid() == gid)
        return true;
    gid_t groups[256];
    const int count = getgroups(256, groups);
    for (int i = 0; i < count; ++i)
        if (groups[i] == gid)
            return true;
    return false;
}

// True when the group database lists the user as a member (a change not yet in this session).
bool DatabaseHasMember(const group* gr, const QString& user) {
    for (char** member = gr->gr_mem; member && *member; ++member)
        if (QString::fromLocal8Bit(*member) == user)
            return true;
    return false;
}

QString ProcessName(qint64 pid) {
    QFile comm(QStringLiteral("/proc/%1/comm").arg(pid));
    if (!comm.open(QIODevice::ReadOnly))
        return {};
    return QString::fromLocal8Bit(comm.readAll().trimmed());
}

// A lock file in the usual places (LCK..ttyUSB0, holding the holder's process id).
qint64 LockFileHolder(const QString& device) {
    QString base = device;
    if (base.startsWith(QLatin1String("/dev/")))
        base = base.mid(5);
    base.replace(QLatin1Char('/'), QLatin1Char('_'));
    for (const char* dir : {"/var/lock", "/run/lock", "/var/lock/lockdev", "/tmp"}) {
        QFile lock(QStringLiteral("%1/LCK..%2").arg(QLatin1String(dir), base));
        if (!lock.open(QIODevice::ReadOnly))
            continue;
        bool ok = false;
        const qint64 pid = lock.readLine(64).trimmed().toLongLong(&ok);
        if (ok && pid > 0 && pid != getpid() &&
            QFileInfo::exists(QStringLiteral("/proc/%1").arg(pid)))
            return pid;
    }
    return 0;
}

// A process (other than this one) with the device open, from /proc/*/fd; only processes this
// user may look into are seen.
qint64 OpenFileHolder(const QString& device) {
    const QString canonical = QFileInfo(device).canonicalFilePath();
    const QStringList pids =
        QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& pidText : pids) {
        bool ok = false;
        const qint64 pid = pidText.toLongLong(&ok);
        if (!ok || pid == getpid())
            continue;
        const QDir fds(QStringLiteral("/proc/%1/fd").arg(pid));
        for (const QFileInfo& fd :
             fds.entryInfoList(QDir::Files | QDir::System | QDir::NoDotAndDotDot)) {
            const QString target = fd.symLinkTarget();
            if (!target.isEmpty() && (target == canonical || target == device))
                return pid;
        }
    }
    return 0;
}
#endif

QString DevicePath(const QString& portName) {
    if (portName.startsWith(QLatin1Char('/')))
        return portName;
    return QSerialPortInfo(portName).systemLocation();
}

} // namespace

PortFailure DiagnosePortFailure(const QString& portName, const QString& systemReason) {
    PortFailure f;
    f.device = DevicePath(portName);
    f.systemReason = systemReason;
    const QFileInfo node(f.device);
    if (portName.isEmpty() || !node.exists()) {
        f.kind = PortFailure::Kind::NotFound;
        for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
            f.present << info.portName();
        return f;
    }
#ifdef Q_OS_LINUX
    const QByteArray path = QFile::encodeName(f.device);
    struct stat st {};
    if (::stat(path.constData(), &st) == 0 &&
        ::faccessat(AT_FDCWD, path.constData(), R_OK | W_OK, AT_EACCESS) != 0 && errno == EACCES) {
        f.kind = PortFailure::Kind::PermissionDenied;
        f.user = UserName();
        if (const group* gr = getgrgid(st.st_gid)) {
            f.group = QString::fromLocal8Bit(gr->gr_name);
            f.groupPending = !SessionHasGroup(st.st_gid) && DatabaseHasMember(gr, f.user);
        }
        return f;
    }
    f.holderPid = LockFileHolder(f.device);
    if (!f.holderPid)
        f.holderPid = OpenFileHolder(f.device);
    if (f.holderPid) {
        f.kind = PortFailure::Kind::Busy;
        f.holder = ProcessName(f.holderPid);
        return f;
    }
    // Exclusive use refused (EBUSY) or a lock that could not be taken, with no holder in sight.
    const QString reason = systemReason.toLower();
    if (reason.contains(QLatin1String("busy")) || reason.contains(QLatin1String("lock")))
        f.kind = PortFailure::Kind::Busy;
#endif
    return f;
}

QString PortAdvice::For(const PortFailure& f) {
    switch (f.kind) {
    case PortFailure::Kind::PermissionDenied:
        if (f.group.isEmpty())
            return tr("You may not open %1 (%2). Ask the administrator for access to it.")
                .arg(f.device, f.systemReason);
        if (f.groupPending)
            return tr("You may not open %1 yet: you were added to the group \"%2\", but this "
                      "login does not have it. Log out and in again.")
                .arg(f.device, f.group);
        return tr("You may not open %1: only members of the group \"%2\" may, and you are not one. "
                  "Join the group with\n    sudo usermod -aG %2 %3\nthen log out and in again.")
            .arg(f.device, f.group, f.user);
    case PortFailure::Kind::Busy:
        if (f.holderPid)
            return tr("%1 is in use by another program: %2 (process %3). Close it, or disconnect "
                      "it from the port, and open again.")
                .arg(f.device, f.holder.isEmpty() ? tr("unknown") : f.holder)
                .arg(f.holderPid);
        return tr("%1 is in use by another program, which could not be identified. Close the "
                  "program that uses it and open again.")
            .arg(f.device);
    case PortFailure::Kind::NotFound:
        if (f.present.isEmpty())
            return tr("%1 is not there: the device is unplugged or switched off, or the name is "
                      "mistyped. No serial port is present now.")
                .arg(f.device.isEmpty() ? tr("The port") : f.device);
        return tr("%1 is not there: the device is unplugged or switched off, or the name is "
                  "mistyped. Ports present now: %2.")
            .arg(f.device.isEmpty() ? tr("The port") : f.device,
                 f.present.join(QLatin1String(", ")));
    case PortFailure::Kind::Other:
        break;
    }
    return tr("The system said: %1").arg(f.systemReason);
}

QString PortAdvice::ForUnansweredCar(const QString& address, quint16 port) {
    return tr("Nothing answered at %1, port %2. This PC must be on the car's Wi-Fi (its access "
              "point) and the car switched on.")
        .arg(address)
        .arg(port);
}

} // namespace Korvane
