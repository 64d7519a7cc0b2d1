#ifndef PORTINFO_H
#define PORTINFO_H

#include <QList>
#include <QString>

// One serial port present on the system, as the port enumeration reports it.
struct PortInfo
{
    // The name that SerialController::Open takes (a device path on Linux).
    QString portName;
    // The human-readable description of the port; empty when the system has none.
    QString friendlyName;
    // USB identifiers of the adapter; 0 when the port has none.
    int vendorId = 0;
    int productId = 0;
};

using PortInfoList = QList<PortInfo>;

#endif // PORTINFO_H
