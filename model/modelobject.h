#ifndef MODELOBJECT_H
#define MODELOBJECT_H

#include <QObject>

class QDataStream;

// Common base of every record of the configuration tree. Each record carries
// an object version, written first in its file form and read back from it.
class ModelObject : public QObject
{
    Q_OBJECT

public:
    explicit ModelObject(int objectVersion, QObject *parent = nullptr);
    ~ModelObject() override;

    // Restores the record's defaults.
    virtual void Reset() = 0;
    // Writes the object version; subclasses call this first, then add their members.
    virtual void Write(QDataStream &out) const;
    // Mirror of Write: the version read replaces the stored one.
    virtual void Read(QDataStream &in);
    virtual int ObjectVersion() const;

protected:
    // Puts back the version given to the constructor (used by Reset).
    void ResetObjectVersion() { objectVersion = constructedVersion; }
    void CopyObjectVersion(const ModelObject &other) { objectVersion = other.objectVersion; }

    qint32 objectVersion;

private:
    qint32 constructedVersion;
};

#endif // MODELOBJECT_H
