#pragma once

#include <QCoreApplication>
#include <QList>
#include <QString>

namespace Korvane {

// A serial port as the system describes it. The name is what is typed and opened.
struct PortEntry {
    QString name;         // "ttyUSB0"
    QString description;  // "USB2.0-Serial"
    QString manufacturer; // "QinHeng Electronics"
    QString serialNumber;
    quint16 vendorId = 0;
    quint16 productId = 0;
    bool hasIds = false;
    bool bluetooth = false; // an RFCOMM port bound to a paired device (rfcomm0)

    bool operator==(const PortEntry&) const = default;
    // What the system knows, in one line ("USB2.0-Serial, QinHeng Electronics, USB 1a86:7523,
    // serial 0001"); "Bluetooth" first for a Bluetooth port; empty when it knows nothing.
    QString Summary() const;
};

// The serial ports present now, in the system's order.
QList<PortEntry> SystemPorts();

// The entry to offer for a port remembered from an earlier open: the same serial number where
// one was remembered (the device may be in another USB socket, under another name), otherwise
// the same name (unless the port there has another serial number: another device); -1 when
// it is not present.
int FindRememberedPort(const QList<PortEntry>& ports, const QString& name,
                       const QString& serialNumber);

class PortListText {
    Q_DECLARE_TR_FUNCTIONS(PortListText)
};

} // namespace Korvane
