#ifndef UNITIDENTITY_H
#define UNITIDENTITY_H

#include <QCoreApplication>
#include <QMetaType>
#include <QString>

// Which unit is on the line, as the unit itself tells it: the serial number
// and software version read when the link starts (the serial number again at
// every presence poll) and the MMSI its AtoN settings carry. A field not read
// yet is empty.
struct UnitIdentity
{
    QString serialNumber;
    QString mmsi;
    QString softwareVersion;

    bool IsEmpty() const { return serialNumber.isEmpty() && mmsi.isEmpty(); }
    // Both name a serial number and the numbers differ: another unit. The
    // MMSI is not compared, as a send may change it.
    bool IsOtherUnitThan(const UnitIdentity &other) const
    {
        return !serialNumber.isEmpty() && !other.serialNumber.isEmpty() &&
               serialNumber != other.serialNumber;
    }
    bool operator==(const UnitIdentity &other) const
    {
        return serialNumber == other.serialNumber && mmsi == other.mmsi &&
               softwareVersion == other.softwareVersion;
    }
    bool operator!=(const UnitIdentity &other) const { return !(*this == other); }

    // "serial number 1234, MMSI 992351234", for a message naming the unit.
    QString Text() const
    {
        const QString unknown = QCoreApplication::translate("UnitIdentity", "not known");
        return QCoreApplication::translate("UnitIdentity", "serial number %1, MMSI %2")
            .arg(serialNumber.isEmpty() ? unknown : serialNumber, mmsi.isEmpty() ? unknown : mmsi);
    }
};

Q_DECLARE_METATYPE(UnitIdentity)

#endif // UNITIDENTITY_H
