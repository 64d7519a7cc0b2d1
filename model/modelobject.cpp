#include "model/modelobject.h"

#include <QDataStream>

ModelObject::ModelObject(int objectVersion, QObject *parent)
    : QObject(parent), objectVersion(objectVersion), constructedVersion(objectVersion)
{}

ModelObject::~ModelObject() = default;

void ModelObject::Write(QDataStream &out) const
{
    out << objectVersion;
}

void ModelObject::Read(QDataStream &in)
{
    in >> objectVersion;
}

int ModelObject::ObjectVersion() const
{
    return objectVersion;
}
