#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>

namespace Korvane {

// Why a serial port did not open, as far as the system can tell, and what to do about it.
struct PortFailure {
    enum class Kind {
        PermissionDenied, // the device node's mode shuts this user out
        Busy,             // another program holds the port
        NotFound,         // no such device (unplugged, or a name mistyped)
        Other,            // something else: the system's own words are all there is
    };
    Kind kind = Kind::Other;
    QString device;            // the device node, "/dev/ttyUSB0"
    QString systemReason;      // what the open said
    QString group;             // PermissionDenied: the group that owns the node ("dialout")
    QString user;              // PermissionDenied: this user's login name
    bool groupPending = false; // the user is in the group, but not in this login session yet
    QString holder;            // Busy: the program holding the port, where Linux can tell
    qint64 holderPid = 0;
    QStringList present; // NotFound: the serial ports there are now
};

// Looks at the device node, lock files and /proc after a failed open of portName. Cheap (a few
// system calls, one pass over /proc), so it can run where the open ran.
PortFailure DiagnosePortFailure(const QString& portName, const QString& systemReason);

// The lines that follow the failure message: what happened and what to do, in the user's
// language.
class PortAdvice {
    Q_DECLARE_TR_FUNCTIONS(PortAdvice)
  public:
    static QString For(const PortFailure& failure);
    // A Raspberry Pi car's control service that did not answer.
    static QString ForUnansweredCar(const QString& address, quint16 port);
};

} // namespace Korvane
