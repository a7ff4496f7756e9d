#include "core/link/serial_port.h"

#include "core/link/port_diagnosis.h"

#include <QSerialPort>

namespace Korvane {

// Lives on PortThread; everything it does happens on that thread.
class CPortWorker : public QObject {
    Q_OBJECT
  public:
    using Call = std::function<void(CPortWorker*)>;
    explicit CPortWorker(std::shared_ptr<void> mailboxOwner,
                         std::function<std::deque<Call>()> takeCalls)
        : m_mailboxOwner(std::move(mailboxOwner)), m_takeCalls(std::move(takeCalls)) {}

    // Runs every call queued for this worker, in order, until none is left (the last look
    // into the mailbox also publishes what the calls did to whoever takes the mailbox next).
    Q_INVOKABLE void RunCalls() {
        for (std::deque<Call> calls = m_takeCalls(); !calls.empty(); calls = m_takeCalls())
            for (Call& call : calls)
                call(this);
    }

    void OpenPort(quint64 generation, const QString& name, int baud) {
        ClosePort();
        m_generation = generation;
        m_port = new QSerialPort(this);
        m_port->setPortName(name);
        // The port's own buffer holds at most one chunk; beyond it the driver stops reading.
        m_port->setReadBufferSize(CSerialPort::kReadChunk);
        if (!m_port->open(QIODevice::ReadWrite)) {
            const QString systemReason = m_port->errorString();
            delete m_port;
            m_port = nullptr;
            // What the system can tell about why, and what the user can do about it.
            emit openFinished(generation, false,
                              PortAdvice::For(DiagnosePortFailure(name, systemReason)));
            return;
        }
        // Configuration failures are not fatal: the port keeps the settings it had.
        (void)(m_port->setBaudRate(baud) && m_port->setDataBits(QSerialPort::Data8) &&
               m_port->setParity(QSerialPort::NoParity) &&
               m_port->setStopBits(QSerialPort::OneStop) &&
               m_port->setFlowControl(QSerialPort::NoFlowControl));
        m_port->setRequestToSend(true);
        // Start from a clean line: nothing left over from before this open.
        m_port->clear(QSerialPort::AllDirections);
        m_lost = false;
        m_handedOver = false;
        connect(m_port, &QSerialPort::readyRead, this, &CPortWorker::ReadAvailable);
        connect(m_port, &QSerialPort::errorOccurred, this, &CPortWorker::OnError);
        emit openFinished(generation, true, QString());
    }

    void ClosePort() {
        if (m_port) {
            m_port->disconnect(this);
            m_port->close();
            delete m_port;
            m_port = nullptr;
        }
    }

    void WriteFrame(quint64 generation, const QByteArray& frame) {
        if (generation != m_generation || !m_port || !m_port->isOpen() || m_lost)
            return;
        if (m_port->write(frame) != frame.size()) {
            Lose(m_port->errorString());
            return;
        }
        m_port->flush(); // put it on the line now rather than on the next loop turn
        if (m_lost)      // the flush found the device gone
            return;
        emit frameWritten(generation, frame);
    }

    // The owner took the last chunk: read on.
    void Resume(quint64 generation) {
        if (generation != m_generation)
            return;
        m_handedOver = false;
        ReadAvailable();
    }

  signals:
    void openFinished(quint64 generation, bool ok, const QString& reason);
    void bytesReceived(quint64 generation, const QByteArray& chunk, qint64 arrivalNs);
    void portLost(quint64 generation, const QString& reason);
    void frameWritten(quint64 generation, const QByteArray& frame);

  private:
    void ReadAvailable() {
        if (!m_port || m_handedOver || m_lost)
            return;
        const QByteArray chunk = m_port->read(CSerialPort::kReadChunk);
        if (chunk.isEmpty())
            return;
        m_handedOver = true;
        emit bytesReceived(m_generation, chunk, ArrivalClockNs()); // stamped as it was read
    }

    void OnError(QSerialPort::SerialPortError error) {
        // A vanished device shows as a read that finds nothing to read (hang-up) and then as
        // a resource error; a write that fails means the same. Each means the port is gone.
        switch (error) {
        case QSerialPort::ResourceError:
        case QSerialPort::ReadError:
        case QSerialPort::WriteError:
        case QSerialPort::DeviceNotFoundError:
        case QSerialPort::PermissionError:
            Lose(m_port->errorString());
            break;
        default:
            break;
        }
    }

    void Lose(const QString& reason) {
        if (m_lost)
            return;
        m_lost = true;
        // Close later, not from inside the port's own signal, so the descriptor stops firing.
        QMetaObject::invokeMethod(this, &CPortWorker::ClosePort, Qt::QueuedConnection);
        emit portLost(m_generation, reason);
    }

    std::shared_ptr<void> m_mailboxOwner;
    std::function<std::deque<Call>()> m_takeCalls;
    QSerialPort* m_port = nullptr;
    quint64 m_generation = 0;
    bool m_lost = false;
    bool m_handedOver = false; // a chunk is with the owner and not yet taken
};

CSerialPort::CSerialPort(QObject* parent) : CTransport(parent) {}

CSerialPort::~CSerialPort() {
    Shutdown();
}

void CSerialPort::SetPort(const QString& portName, int baud) {
    m_portName = portName;
    m_baud = baud;
}

void CSerialPort::EnsureWorker() {
    if (m_thread)
        return;
    m_thread = new QThread;
    m_thread->setObjectName(QStringLiteral("PortThread"));
    m_mailbox = std::make_shared<Mailbox>();
    std::weak_ptr<Mailbox> mailbox = m_mailbox;
    m_worker = new CPortWorker(m_mailbox, [mailbox] {
        std::deque<CPortWorker::Call> calls;
        if (const auto box = mailbox.lock()) {
            std::lock_guard lock(box->mutex);
            calls.swap(box->calls);
        }
        return calls;
    });
    m_worker->moveToThread(m_thread);
    // Queued to this thread; results of an older generation are not passed on.
    connect(m_worker, &CPortWorker::openFinished, this,
            [this](quint64 generation, bool ok, const QString& reason) {
                if (generation != m_generation)
                    return;
                m_open = ok;
                if (ok)
                    emit opened();
                else
                    emit openFailed(reason);
            });
    connect(m_worker, &CPortWorker::bytesReceived, this,
            [this](quint64 generation, const QByteArray& chunk, qint64 arrivalNs) {
                if (generation == m_generation && m_open)
                    emit bytesReceived(chunk, arrivalNs);
            });
    connect(m_worker, &CPortWorker::portLost, this,
            [this](quint64 generation, const QString& reason) {
                if (generation != m_generation || !m_open)
                    return;
                m_open = false;
                emit lost(reason);
            });
    connect(m_worker, &CPortWorker::frameWritten, this,
            [this](quint64 generation, const QByteArray& frame) {
                if (generation == m_generation && m_open)
                    emit frameWritten(frame);
            });
    m_thread->start();
}

void CSerialPort::Post(std::function<void(CPortWorker*)> call) {
    {
        std::lock_guard lock(m_mailbox->mutex);
        m_mailbox->calls.push_back(std::move(call));
    }
    // The wake-up carries nothing: the call and its values travel through the mailbox.
    QMetaObject::invokeMethod(m_worker, "RunCalls", Qt::QueuedConnection);
}

void CSerialPort::Open() {
    EnsureWorker();
    m_open = false;
    const quint64 generation = ++m_generation;
    Post([generation, name = m_portName, baud = m_baud](CPortWorker* worker) {
        worker->OpenPort(generation, name, baud);
    });
}

void CSerialPort::Close() {
    ++m_generation; // nothing of the closed port is passed on any more
    m_open = false;
    if (m_worker)
        Post([](CPortWorker* worker) { worker->ClosePort(); });
}

bool CSerialPort::Write(const QByteArray& frame) {
    if (!m_worker || !m_open)
        return false;
    // The frame travels by value; the mailbox keeps the order.
    Post([frame, generation = m_generation](CPortWorker* worker) {
        worker->WriteFrame(generation, frame);
    });
    return true;
}

void CSerialPort::Consumed() {
    if (m_worker && m_open)
        Post([generation = m_generation](CPortWorker* worker) { worker->Resume(generation); });
}

void CSerialPort::Shutdown() {
    ++m_generation;
    m_open = false;
    if (!m_thread)
        return;
    // The worker closes its port and is left with nothing to do; the thread then ends. The
    // worker never waits for this thread, so waiting for it here cannot deadlock.
    Post([](CPortWorker* worker) {
        worker->ClosePort();
        worker->thread()->quit();
    });
    m_thread->wait();
    CPortWorker* worker = m_worker;
    m_worker = nullptr;
    {
        // Taken after the thread has ended: a happens-before edge every tool can see.
        std::lock_guard lock(m_mailbox->mutex);
        m_mailbox->calls.clear();
    }
    delete worker; // its thread has ended: nothing else touches it any more
    delete m_thread;
    m_thread = nullptr;
    m_mailbox.reset();
}

} // namespace Korvane

#include "serial_port.moc"
