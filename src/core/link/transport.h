#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QObject>
#include <QString>

#include <chrono>

namespace Korvane {

// The station's monotonic clock, in nanoseconds: arrival times of received bytes and frames.
inline qint64 ArrivalClockNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// The wall-clock time (ms since the epoch) of a moment of ArrivalClockNs: what files and the
// broker are told, so that every link's frames keep the order of the one clock they arrived on.
qint64 WallClockMsAt(qint64 arrivalNs);

// Where a link goes: a serial port at a baud rate, or a host and port over TCP. Each
// transport takes the part it understands.
struct LinkTarget {
    QString portName; // serial
    int baud = 0;
    QHostAddress host; // TCP
    quint16 tcpPort = 0;

    static LinkTarget Serial(const QString& portName, int baud) {
        LinkTarget t;
        t.portName = portName;
        t.baud = baud;
        return t;
    }
    static LinkTarget Tcp(const QHostAddress& host, quint16 port) {
        LinkTarget t;
        t.host = host;
        t.tcpPort = port;
        return t;
    }
};

// One connection to a device: the serial port, or a TCP connection to a car's control service.
// Everything is asynchronous and happens on the owner's thread through signals; nothing here
// ever waits for the device. The transport knows bytes, not frames; CLinkChannel puts the
// frame rules, the trace and the loss handling on top of it.
class CTransport : public QObject {
    Q_OBJECT
  public:
    using QObject::QObject;

    // Where the next Open() goes (a transport with a fixed peer ignores it).
    virtual void SetTarget(const LinkTarget& target) { Q_UNUSED(target); }
    // Starts opening (closing first what is open); answers with opened() or openFailed().
    virtual void Open() = 0;
    // Closes; nothing more is received or written afterwards. Does not wait.
    virtual void Close() = 0;
    // Closes for good and ends whatever thread the transport runs (at exit). Joins it.
    virtual void Shutdown() { Close(); }
    // Hands one complete frame over for writing, in order, in one write. False when the
    // transport is not open. A write that fails later is reported as lost().
    virtual bool Write(const QByteArray& frame) = 0;
    // The owner has taken every chunk handed over so far: the transport may read on. Until
    // then it reads nothing more, so the device (or the operating system) holds back.
    virtual void Consumed() {}
    // What the status panes and the trace show: the port name, or the address and port.
    virtual QString Description() const = 0;
    // A short word for the trace when this is not the serial link ("tcp"); empty for it.
    virtual QString TraceTag() const { return {}; }

  signals:
    void opened();
    void openFailed(const QString& reason);
    // A chunk of received bytes with the time it was read (ArrivalClockNs).
    void bytesReceived(const QByteArray& chunk, qint64 arrivalNs);
    // The device went away while open (unplugged, dropped link, failed write). Once per open.
    void lost(const QString& reason);
    // A frame was written in full.
    void frameWritten(const QByteArray& frame);
};

} // namespace Korvane
