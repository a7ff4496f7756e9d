#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QThread>

class QSerialPort;

namespace Korvane {

class CPortWorker;

// Owns one serial port. The port lives on its own worker thread (PortThread), which is the
// only reader and writer of it: it hands every chunk it reads to the owner as a value
// (signal bytesReceived) and writes queued frames in order, each frame in one write.
class CSerialPort : public QObject {
    Q_OBJECT
  public:
    explicit CSerialPort(QObject* parent = nullptr);
    ~CSerialPort() override;

    // Ends a running worker, then opens and configures the port (8N1, no flow control,
    // RTS on, the given baud rate) on a fresh worker thread. Returns true when it is open.
    // A baud rate the port refuses does not fail the open.
    bool Open(const QString& portName, int baud);

    // Queues one frame for writing; returns false when no worker runs.
    bool Write(const QByteArray& frame);

    // Ends the worker; the worker closes the port. Blocks only until the thread ends.
    void Shutdown();

  signals:
    void bytesReceived(const QByteArray& chunk);
    // The port went away while open (unplugged device, dropped Bluetooth link). Emitted once.
    void portLost(const QString& reason);
    // A frame was handed to the port.
    void frameWritten(const QByteArray& frame);

  private:
    QThread* m_thread = nullptr; // PortThread
    CPortWorker* m_worker = nullptr;
};

} // namespace Korvane
