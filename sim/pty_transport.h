#pragma once

#include <QObject>
#include <QString>

class QSocketNotifier;

namespace KorvaneSim {

// How the simulated device meets the station. Later links (TCP, HTTP) implement the same.
class Transport : public QObject {
    Q_OBJECT
  public:
    using QObject::QObject;
    virtual void Send(const QByteArray& bytes) = 0;
  signals:
    void received(const QByteArray& bytes);
};

// A pseudo-terminal pair: the station opens the slave side like a serial port.
class PtyTransport : public Transport {
    Q_OBJECT
  public:
    explicit PtyTransport(QObject* parent = nullptr);
    ~PtyTransport() override;

    // Opens the pair; the slave is kept open by us too, so the master never sees a hang-up
    // when the station closes and reopens its side. Optionally links a stable path to it.
    bool Open(int baud, const QString& linkPath, QString* error);
    QString SlavePath() const { return m_slavePath; }
    void Send(const QByteArray& bytes) override;
    // Closes the master: to the station this looks like an unplugged device.
    void Close();

  private:
    void ReadMaster();

    int m_master = -1;
    int m_slave = -1;
    QString m_slavePath;
    QString m_linkPath;
    QSocketNotifier* m_notifier = nullptr;
};

} // namespace KorvaneSim
