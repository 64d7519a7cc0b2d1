#include "link/portenumerator.h"

#include <QFileInfo>
#include <QSerialPortInfo>
#include <QSet>

#include <algorithm>

PortInfoList PortEnumerator::Ports()
{
    PortInfoList ports = SystemPorts();
    QSet<QString> seen;
    for (const PortInfo &port : ports)
        seen.insert(port.portName);
    for (const PortInfo &port : EnvironmentPorts()) {
        if (!seen.contains(port.portName)) {
            seen.insert(port.portName);
            ports.append(port);
        }
    }
    return ports;
}

PortInfoList PortEnumerator::SystemPorts()
{
    PortInfoList ports;
    for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts()) {
        PortInfo port;
        port.portName = info.systemLocation();
        port.friendlyName = info.description();
        if (info.hasVendorIdentifier())
            port.vendorId = info.vendorIdentifier();
        if (info.hasProductIdentifier())
            port.productId = info.productIdentifier();
        ports.append(port);
    }
    // The system lists devices in no promised order; sorting by name keeps the
    // choice of the first matching adapter the same from one call to the next.
    std::stable_sort(ports.begin(), ports.end(),
                     [](const PortInfo &a, const PortInfo &b) { return a.portName < b.portName; });
    return ports;
}

QStringList PortEnumerator::EnvironmentPaths()
{
    return qEnvironmentVariable("VANDREL_PORTS").split(QLatin1Char(':'), Qt::SkipEmptyParts);
}

PortInfoList PortEnumerator::EnvironmentPorts()
{
    PortInfoList ports;
    for (const QString &path : EnvironmentPaths()) {
        if (!QFileInfo::exists(path))
            continue;
        PortInfo port;
        port.portName = path;
        port.friendlyName = path;
        ports.append(port);
    }
    return ports;
}
