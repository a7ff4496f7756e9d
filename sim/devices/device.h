#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

#include <functional>
#include <initializer_list>
#include <memory>

namespace KorvaneSim {

// The firmware of one simulated product: it answers the frames the station sends and
// produces the frames the product reports by itself (telemetry) on every tick.
class Device : public QObject {
    Q_OBJECT
  public:
    using QObject::QObject;

    // One complete frame from the station ("$" ... "#").
    virtual void OnFrame(const QByteArray& frame) = 0;
    // Every chunk of bytes the serial line brought, frames included (before OnFrame).
    virtual void OnRawBytes(const QByteArray& bytes) { Q_UNUSED(bytes); }
    // A command from standard input or a script; false when the device has no such command.
    virtual bool Command(const QString& line) {
        Q_UNUSED(line);
        return false;
    }
    // Advances the device by dt seconds and may send a telemetry frame.
    virtual void Tick(double dt) = 0;
    // Telemetry frames per second when the user does not say.
    virtual double DefaultRate() const { return 5.0; }

  signals:
    void send(const QByteArray& frame);
    void log(const QString& line);
};

// The device of a product index, or null when the simulator has none for it yet.
std::unique_ptr<Device> CreateDevice(int product);

// Called by each device family's registration function (the list is in devices/registry.cpp).
using DeviceFactory = std::function<std::unique_ptr<Device>()>;
void RegisterDevice(std::initializer_list<int> products, DeviceFactory create);

} // namespace KorvaneSim
