#include "model/atonmmsi.h"

#include <QDataStream>

namespace {

const char *const DefaultMmsi = "000000000";

} // namespace

AtoNMMSI::AtoNMMSI(QObject *parent) : ModelObject(2, parent), aidMode(0), aidFlag(false)
{
    Reset();
}

AtoNMMSI &AtoNMMSI::operator=(const AtoNMMSI &other)
{
    if (this != &other) {
        CopyObjectVersion(other);
        mmsi = other.mmsi;
        newMmsi = other.newMmsi;
        aidMode = other.aidMode;
        aidFlag = other.aidFlag;
    }
    return *this;
}

bool AtoNMMSI::operator==(const AtoNMMSI &other) const
{
    return objectVersion == other.objectVersion && mmsi == other.mmsi && newMmsi == other.newMmsi &&
           aidMode == other.aidMode && aidFlag == other.aidFlag;
}

void AtoNMMSI::Reset()
{
    ResetObjectVersion();
    mmsi = QString::fromLatin1(DefaultMmsi);
    newMmsi = QString::fromLatin1(DefaultMmsi);
    aidMode = 0;
    aidFlag = false;
}

void AtoNMMSI::Write(QDataStream &out) const
{
    ModelObject::Write(out);
    out << mmsi << newMmsi << aidMode << aidFlag;
}

void AtoNMMSI::Read(QDataStream &in)
{
    ModelObject::Read(in);
    in >> mmsi >> newMmsi >> aidMode >> aidFlag;
}
