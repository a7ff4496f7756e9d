#include "serial_port.h"

#include <QSerialPort>

namespace Korvane {

// Lives on PortThread; everything it does happens on that thread.
class CPortWorker : public QObject {
    Q_OBJECT
  public:
    bool OpenPort(const QString& name, int baud) {
        m_port = new QSerialPort(this);
        m_port->setPortName(name);
        if (!m_port->open(QIODevice::ReadWrite)) {
            delete m_port;
            m_port = nullptr;
            return false;
        }
        // Configuration failures are not fatal: the port keeps the settings it had.
        (void)(m_port->setBaudRate(baud) && m_port->setDataBits(QSerialPort::Data8) &&
               m_port->setParity(QSerialPort::NoParity) &&
               m_port->setStopBits(QSerialPort::OneStop) &&
               m_port->setFlowControl(QSerialPort::NoFlowControl));
        m_port->setRequestToSend(true);
        // Start from a clean line: nothing left over from before this open.
        m_port->clear(QSerialPort::AllDirections);
        connect(m_port, &QSerialPort::readyRead, this, &CPortWorker::ReadAvailable);
        connect(m_port, &QSerialPort::errorOccurred, this, &CPortWorker::OnError);
        return true;
    }

    void ClosePort() {
        if (m_port) {
            m_port->close();
            delete m_port;
            m_port = nullptr;
        }
    }

    void WriteFrame(const QByteArray& frame) {
        if (!m_port || !m_port->isOpen())
            return;
        m_port->write(frame);
        m_port->flush(); // put it on the line now rather than on the next loop turn
        emit frameWritten(frame);
    }

  signals:
    void bytesReceived(const QByteArray& chunk);
    void portLost(const QString& reason);
    void frameWritten(const QByteArray& frame);

  private:
    void ReadAvailable() {
        const QByteArray chunk = m_port->readAll();
        if (!chunk.isEmpty())
            emit bytesReceived(chunk);
    }

    void OnError(QSerialPort::SerialPortError error) {
        // A vanished device shows as a read that finds nothing to read (hang-up) and then as
        // a resource error; either means the port is gone.
        switch (error) {
        case QSerialPort::ResourceError:
        case QSerialPort::ReadError:
        case QSerialPort::DeviceNotFoundError:
        case QSerialPort::PermissionError:
            break;
        default:
            return;
        }
        if (m_lost)
            return;
        m_lost = true;
        const QString reason = m_port->errorString();
        // Close here so that the descriptor does not keep firing errors.
        QMetaObject::invokeMethod(this, &CPortWorker::ClosePort, Qt::QueuedConnection);
        emit portLost(reason);
    }

    QSerialPort* m_port = nullptr;
    bool m_lost = false;
};

CSerialPort::CSerialPort(QObject* parent) : QObject(parent) {}

CSerialPort::~CSerialPort() {
    Shutdown();
}

bool CSerialPort::Open(const QString& portName, int baud) {
    Shutdown();
    m_thread = new QThread;
    m_thread->setObjectName(QStringLiteral("PortThread"));
    m_worker = new CPortWorker;
    m_worker->moveToThread(m_thread);
    // Queued to this thread; anything an ended worker left in flight is not passed on.
    CPortWorker* worker = m_worker;
    connect(worker, &CPortWorker::bytesReceived, this, [this, worker](const QByteArray& chunk) {
        if (m_worker == worker)
            emit bytesReceived(chunk);
    });
    connect(worker, &CPortWorker::portLost, this, [this, worker](const QString& reason) {
        if (m_worker == worker)
            emit portLost(reason);
    });
    connect(worker, &CPortWorker::frameWritten, this, [this, worker](const QByteArray& frame) {
        if (m_worker == worker)
            emit frameWritten(frame);
    });
    m_thread->start();

    bool ok = false;
    QMetaObject::invokeMethod(
        m_worker, [&] { ok = m_worker->OpenPort(portName, baud); }, Qt::BlockingQueuedConnection);
    if (!ok)
        Shutdown();
    return ok;
}

bool CSerialPort::Write(const QByteArray& frame) {
    if (!m_worker)
        return false;
    CPortWorker* worker = m_worker;
    // The frame travels by value in the queued call; the worker's event queue keeps the order.
    return QMetaObject::invokeMethod(
        worker, [worker, frame] { worker->WriteFrame(frame); }, Qt::QueuedConnection);
}

void CSerialPort::Shutdown() {
    if (!m_thread)
        return;
    CPortWorker* worker = m_worker;
    // The worker never waits for this thread, so waiting for it here cannot deadlock.
    QMetaObject::invokeMethod(
        worker, [worker] { worker->ClosePort(); }, Qt::BlockingQueuedConnection);
    m_thread->quit();
    m_thread->wait();
    m_worker = nullptr;
    delete worker; // its thread has ended: nothing else touches it any more
    delete m_thread;
    m_thread = nullptr;
}

} // namespace Korvane

#include "serial_port.moc"
