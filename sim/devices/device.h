#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

#include "core/products/catalogue.h"

#include <functional>
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

// The device of a product index (the device its row of the product table names), or null
// when the simulator has none for it.
std::unique_ptr<Device> CreateDevice(int product);

// Called by each device family's registration function (the list is in devices/registry.cpp):
// the device named `device` in the product table's rows, made for the product of a row.
using DeviceFactory = std::function<std::unique_ptr<Device>(const Korvane::ProductInfo& product)>;
void RegisterDevice(const char* device, DeviceFactory create);

} // namespace KorvaneSim
