#include "model/aton.h"

#include <QDataStream>

AtoN::AtoN(QObject *parent) : ModelObject(2, parent)
{
    Reset();
}

AtoN &AtoN::operator=(const AtoN &other)
{
    if (this != &other) {
        CopyObjectVersion(other);
        atonMmsi = other.atonMmsi;
        typeOfEPFS = other.typeOfEPFS;
        position = other.position;
        positionAccuracy = other.positionAccuracy;
        channel1 = other.channel1;
        channel2 = other.channel2;
        typeOfAtoN = other.typeOfAtoN;
        acfField14 = other.acfField14;
        racon = other.racon;
        offPositionThreshold = other.offPositionThreshold;
        aceField5 = other.aceField5;
        aceField6 = other.aceField6;
        name = other.name;
        dimensionA = other.dimensionA;
        dimensionB = other.dimensionB;
        dimensionC = other.dimensionC;
        dimensionD = other.dimensionD;
    }
    return *this;
}

bool AtoN::operator==(const AtoN &other) const
{
    return objectVersion == other.objectVersion && atonMmsi == other.atonMmsi &&
           typeOfEPFS == other.typeOfEPFS && position == other.position &&
           positionAccuracy == other.positionAccuracy && channel1 == other.channel1 &&
           channel2 == other.channel2 && typeOfAtoN == other.typeOfAtoN &&
           acfField14 == other.acfField14 && racon == other.racon &&
           offPositionThreshold == other.offPositionThreshold && aceField5 == other.aceField5 &&
           aceField6 == other.aceField6 && name == other.name && dimensionA == other.dimensionA &&
           dimensionB == other.dimensionB && dimensionC == other.dimensionC &&
           dimensionD == other.dimensionD;
}

void AtoN::Reset()
{
    ResetObjectVersion();
    atonMmsi.Reset();
    atonMmsi.SetAidMode(0);
    atonMmsi.SetAidFlag(true);
    typeOfEPFS = 1;
    position.Reset();
    positionAccuracy = 0;
    channel1 = 2087;
    channel2 = 2088;
    typeOfAtoN = 0;
    acfField14 = 0;
    racon = false;
    offPositionThreshold = 50;
    aceField5 = 0;
    aceField6 = 1;
    name = QStringLiteral("ATON");
    dimensionA = 1;
    dimensionB = 1;
    dimensionC = 1;
    dimensionD = 1;
}

bool AtoN::IsFixedAtoNType(int typeOfAtoN)
{
    return typeOfAtoN >= 0 && typeOfAtoN <= 19;
}

void AtoN::SetName(const QString &value)
{
    int length = qMin(value.size(), int(MaxNameLength));
    // Never keep half of a surrogate pair: the sentence would carry a broken character.
    if (length < value.size() && length > 0 && value.at(length - 1).isHighSurrogate())
        --length;
    name = value.left(length);
}

void AtoN::Write(QDataStream &out) const
{
    ModelObject::Write(out);
    atonMmsi.Write(out);
    out << typeOfEPFS << position.Latitude() << position.Longitude() << positionAccuracy << channel1
        << channel2 << typeOfAtoN << acfField14 << racon << offPositionThreshold << aceField5
        << aceField6 << name << dimensionA << dimensionB << dimensionC << dimensionD;
}

void AtoN::Read(QDataStream &in)
{
    ModelObject::Read(in);
    atonMmsi.Read(in);
    in >> typeOfEPFS;
    // Out-of-range values in a file become not available.
    double latitude = GeoPosition::NotAvailableLatitude;
    double longitude = GeoPosition::NotAvailableLongitude;
    in >> latitude >> longitude;
    position.SetLatitude(latitude);
    position.SetLongitude(longitude);
    // The name is kept as read, whatever its length.
    in >> positionAccuracy >> channel1 >> channel2 >> typeOfAtoN >> acfField14 >> racon >>
        offPositionThreshold >> aceField5 >> aceField6 >> name >> dimensionA >> dimensionB >>
        dimensionC >> dimensionD;
}
