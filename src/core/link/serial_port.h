#pragma once

#include "core/link/transport.h"

#include <QByteArray>
#include <QString>
#include <QThread>

#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

class QSerialPort;

namespace Korvane {

class CPortWorker;

// Owns one serial port. Opening (which can take seconds on a Bluetooth port) and closing (which
// may wait for the driver) happen on a long-lived worker thread (PortThread), so the UI thread
// never waits for the device; an open port is handed to the owner's thread, which reads and
// writes it without blocking (its descriptor is non-blocking), so a frame reaches the station
// without a hop between threads. Reads are handed over one chunk at a time: the next chunk is
// read only after the owner called Consumed(), so a flood fills the operating system's buffer
// instead of our memory.
class CSerialPort : public CTransport {
    Q_OBJECT
  public:
    explicit CSerialPort(QObject* parent = nullptr);
    ~CSerialPort() override;

    // The port and baud rate the next Open() uses.
    void SetTarget(const LinkTarget& target) override { SetPort(target.portName, target.baud); }
    void SetPort(const QString& portName, int baud);
    QString PortName() const { return m_portName; }
    int Baud() const { return m_baud; }

    // Closes what is open, then opens and configures the port (8N1, no flow control, RTS on,
    // the baud rate set) on the worker thread. A baud rate the port refuses does not fail it.
    void Open() override;
    void Close() override;
    bool Write(const QByteArray& frame) override;
    void Consumed() override;
    QString Description() const override { return m_portName; }

    // Closes the port and ends the worker thread; used at exit. Blocks only until the worker
    // has finished what it is doing (it never waits for this thread).
    void Shutdown() override;

    // The largest chunk handed over at once.
    static constexpr int kReadChunk = 16 * 1024;

  private:
    void EnsureWorker();
    // Hands a call to the worker thread: queued under our own mutex (so that every tool sees
    // the hand-over), then the worker is woken to run what is queued, in order.
    void Post(std::function<void(CPortWorker*)> call);
    void OnOpenFinished(quint64 generation, bool ok, const QString& reason, QSerialPort* port);
    void ReadAvailable();
    void Lose(const QString& reason);
    // Gives the port back to the worker, which closes and deletes it.
    void Release(QSerialPort* port);
    // Gives back what was released and not yet handed over (later, out of the port's signals).
    void HandBackReleased();

    QString m_portName;
    int m_baud = 9600;
    // Every Open() starts a new generation; whatever an older one still has in flight
    // (a late open result) is recognised and closed.
    quint64 m_generation = 0;
    QSerialPort* m_port = nullptr;        // the open port, on this thread
    std::vector<QSerialPort*> m_released; // to be handed back to the worker
    bool m_lost = false;
    bool m_handedOver = false; // a chunk is with the owner and not yet taken
    int m_inPortSignal = 0;    // how deep this thread is in the port's own signals
    struct InPortSignal {
        explicit InPortSignal(int& depth) : m_depth(depth) { ++m_depth; }
        ~InPortSignal() { --m_depth; }
        int& m_depth;
    };
    QThread* m_thread = nullptr; // PortThread
    CPortWorker* m_worker = nullptr;
    // Calls for the worker, shared with it.
    struct Mailbox {
        std::mutex mutex;
        std::deque<std::function<void(CPortWorker*)>> calls;
    };
    std::shared_ptr<Mailbox> m_mailbox;
};

} // namespace Korvane
