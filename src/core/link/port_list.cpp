#include "core/link/port_list.h"

#include <QSerialPortInfo>

namespace Korvane {

QString PortEntry::Summary() const {
    QStringList parts;
    if (bluetooth)
        parts << PortListText::tr("Bluetooth");
    if (!description.isEmpty())
        parts << description;
    if (!manufacturer.isEmpty() && manufacturer != description)
        parts << manufacturer;
    if (hasIds)
        parts << QStringLiteral("USB %1:%2")
                     .arg(vendorId, 4, 16, QLatin1Char('0'))
                     .arg(productId, 4, 16, QLatin1Char('0'));
    if (!serialNumber.isEmpty())
        parts << PortListText::tr("serial %1").arg(serialNumber);
    return parts.join(QLatin1String(", "));
}

QList<PortEntry> SystemPorts() {
    QList<PortEntry> ports;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        PortEntry e;
        e.name = info.portName();
        e.description = info.description();
        e.manufacturer = info.manufacturer();
        e.serialNumber = info.serialNumber();
        e.hasIds = info.hasVendorIdentifier() && info.hasProductIdentifier();
        if (e.hasIds) {
            e.vendorId = info.vendorIdentifier();
            e.productId = info.productIdentifier();
        }
        e.bluetooth = e.name.startsWith(QLatin1String("rfcomm"));
        ports << e;
    }
    return ports;
}

int FindRememberedPort(const QList<PortEntry>& ports, const QString& name,
                       const QString& serialNumber) {
    if (!serialNumber.isEmpty()) {
        for (int i = 0; i < ports.size(); ++i)
            if (ports[i].serialNumber == serialNumber)
                return i;
    }
    // By name, unless the port there is plainly another device (another serial number).
    for (int i = 0; i < ports.size(); ++i) {
        const PortEntry& port = ports[i];
        const bool sameName =
            !name.isEmpty() && (port.name == name || QStringLiteral("/dev/") + port.name == name);
        const bool otherDevice = !serialNumber.isEmpty() && !port.serialNumber.isEmpty();
        if (sameName && !otherDevice)
            return i;
    }
    return -1;
}

} // namespace Korvane
