#include "core/link/serial_port.h"

#include "core/link/port_diagnosis.h"

#include <QCoreApplication>
#include <QSerialPort>

namespace Korvane {

// Lives on PortThread: opens ports and closes them, the two things that may make a thread wait
// for a driver. An open port is handed to the owner's thread; a port given back is closed here.
class CPortWorker : public QObject {
    Q_OBJECT
  public:
    using Call = std::function<void(CPortWorker*)>;
    CPortWorker(std::shared_ptr<void> mailboxOwner, std::function<std::deque<Call>()> takeCalls,
                QThread* ownerThread)
        : m_mailboxOwner(std::move(mailboxOwner)), m_takeCalls(std::move(takeCalls)),
          m_ownerThread(ownerThread) {}

    // Runs every call queued for this worker, in order, until none is left (the last look
    // into the mailbox also publishes what the calls did to whoever takes the mailbox next).
    Q_INVOKABLE void RunCalls() {
        for (std::deque<Call> calls = m_takeCalls(); !calls.empty(); calls = m_takeCalls())
            for (Call& call : calls)
                call(this);
    }

    void OpenPort(quint64 generation, const QString& name, int baud) {
        auto* port = new QSerialPort;
        port->setPortName(name);
        // The port's own buffer holds at most one chunk; beyond it the driver stops reading.
        port->setReadBufferSize(CSerialPort::kReadChunk);
        if (!port->open(QIODevice::ReadWrite)) {
            const QString systemReason = port->errorString();
            delete port;
            // What the system can tell about why, and what the user can do about it.
            emit openFinished(generation, false,
                              PortAdvice::For(DiagnosePortFailure(name, systemReason)), nullptr);
            return;
        }
        // Configuration failures are not fatal: the port keeps the settings it had.
        (void)(port->setBaudRate(baud) && port->setDataBits(QSerialPort::Data8) &&
               port->setParity(QSerialPort::NoParity) && port->setStopBits(QSerialPort::OneStop) &&
               port->setFlowControl(QSerialPort::NoFlowControl));
        port->setRequestToSend(true);
        // Start from a clean line: nothing left over from before this open.
        port->clear(QSerialPort::AllDirections);
        // From now on the owner's thread reads and writes it (its notifiers go along).
        port->moveToThread(m_ownerThread);
        emit openFinished(generation, true, QString(), port);
    }

    static void ClosePort(QSerialPort* port) {
        port->close();
        delete port;
    }

  signals:
    void openFinished(quint64 generation, bool ok, const QString& reason, QSerialPort* port);

  private:
    std::shared_ptr<void> m_mailboxOwner;
    std::function<std::deque<Call>()> m_takeCalls;
    QThread* m_ownerThread;
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
    m_worker = new CPortWorker(
        m_mailbox,
        [mailbox] {
            std::deque<CPortWorker::Call> calls;
            if (const auto box = mailbox.lock()) {
                std::lock_guard lock(box->mutex);
                calls.swap(box->calls);
            }
            return calls;
        },
        thread());
    m_worker->moveToThread(m_thread);
    // Queued to this thread.
    connect(m_worker, &CPortWorker::openFinished, this, &CSerialPort::OnOpenFinished);
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

void CSerialPort::OnOpenFinished(quint64 generation, bool ok, const QString& reason,
                                 QSerialPort* port) {
    if (generation != m_generation) {
        // Opened for an Open() that was closed or replaced meanwhile.
        if (port)
            Release(port);
        return;
    }
    if (!ok) {
        emit openFailed(reason);
        return;
    }
    m_port = port;
    m_lost = false;
    m_handedOver = false;
    connect(m_port, &QSerialPort::readyRead, this, &CSerialPort::ReadAvailable);
    connect(m_port, &QSerialPort::errorOccurred, this, [this](QSerialPort::SerialPortError error) {
        // A vanished device shows as a read that finds nothing to read (hang-up) and then as
        // a resource error; a write that fails means the same. Each means the port is gone.
        switch (error) {
        case QSerialPort::ResourceError:
        case QSerialPort::ReadError:
        case QSerialPort::WriteError:
        case QSerialPort::DeviceNotFoundError:
        case QSerialPort::PermissionError: {
            const InPortSignal inside(m_inPortSignal);
            Lose(m_port ? m_port->errorString() : QString());
            break;
        }
        default:
            break;
        }
    });
    emit opened();
}

void CSerialPort::Open() {
    Close();
    EnsureWorker();
    const quint64 generation = ++m_generation;
    Post([generation, name = m_portName, baud = m_baud](CPortWorker* worker) {
        worker->OpenPort(generation, name, baud);
    });
}

void CSerialPort::Close() {
    ++m_generation; // a late open result is closed at once
    if (QSerialPort* port = std::exchange(m_port, nullptr))
        Release(port);
}

void CSerialPort::Release(QSerialPort* port) {
    port->disconnect(this);
    m_released.push_back(port);
    // Never from inside one of the port's own signals (a loss, or a frame sent in answer to
    // one read, may close the link from there): the port would change threads under itself.
    if (m_inPortSignal > 0)
        QMetaObject::invokeMethod(this, &CSerialPort::HandBackReleased, Qt::QueuedConnection);
    else
        HandBackReleased(); // closed before anything posted after it (a new open)
}

void CSerialPort::HandBackReleased() {
    for (QSerialPort* port : std::exchange(m_released, {})) {
        if (!m_thread) {
            CPortWorker::ClosePort(port); // no worker any more (at exit): closed here
            continue;
        }
        port->moveToThread(m_thread);
        Post([port](CPortWorker*) { CPortWorker::ClosePort(port); });
    }
}

bool CSerialPort::Write(const QByteArray& frame) {
    if (!m_port || m_lost)
        return false;
    if (m_port->write(frame) != frame.size()) {
        Lose(m_port->errorString());
        return true; // taken; its loss is told as the link's
    }
    m_port->flush(); // put it on the line now rather than on the next loop turn
    if (m_lost)      // the flush found the device gone
        return true;
    emit frameWritten(frame);
    return true;
}

void CSerialPort::ReadAvailable() {
    if (!m_port || m_handedOver || m_lost)
        return;
    const InPortSignal inside(m_inPortSignal);
    const QByteArray chunk = m_port->read(kReadChunk);
    if (chunk.isEmpty())
        return;
    m_handedOver = true;
    emit bytesReceived(chunk, ArrivalClockNs()); // stamped as it was read
}

void CSerialPort::Consumed() {
    if (!m_port)
        return;
    m_handedOver = false;
    // What the port holds already is read later, not from inside the owner's handling of the
    // last chunk; anything new comes with the port's next readyRead.
    if (m_port->bytesAvailable() > 0)
        QMetaObject::invokeMethod(this, &CSerialPort::ReadAvailable, Qt::QueuedConnection);
}

void CSerialPort::Lose(const QString& reason) {
    if (m_lost)
        return;
    m_lost = true;
    emit lost(reason);
}

void CSerialPort::Shutdown() {
    Close();
    if (!m_thread)
        return;
    // An open that finished meanwhile hands its port over now (to be closed).
    QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
    HandBackReleased();
    // The worker closes what it was given and is left with nothing to do; the thread then
    // ends. The worker never waits for this thread, so waiting for it here cannot deadlock.
    Post([](CPortWorker* worker) { worker->thread()->quit(); });
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
    // An open that finished while the thread ended: its port is on this thread now.
    QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
    HandBackReleased();
}

} // namespace Korvane

#include "serial_port.moc"
