#include "model/model.h"

#include <QDataStream>

Model::Model(QObject *parent) : ModelObject(2, parent)
{
    Reset();
}

Model &Model::operator=(const Model &other)
{
    if (this != &other) {
        CopyObjectVersion(other);
        aton = other.aton;
        schedule = other.schedule;
        lantern = other.lantern;
    }
    return *this;
}

bool Model::operator==(const Model &other) const
{
    return objectVersion == other.objectVersion && aton == other.aton &&
           schedule == other.schedule && lantern == other.lantern;
}

void Model::Reset()
{
    ResetObjectVersion();
    aton.Reset();
    aton.SetAcfField14(0);
    schedule.Reset();
    schedule.SetAtoN(&aton);
    lantern.Reset();
}

void Model::Write(QDataStream &out) const
{
    ModelObject::Write(out);
    aton.Write(out);
    schedule.Write(out);
    lantern.Write(out);
}

void Model::Read(QDataStream &in)
{
    ModelObject::Read(in);
    aton.Read(in);
    schedule.Read(in);
    lantern.Read(in);
}
