#ifndef ATONMMSI_H
#define ATONMMSI_H

#include "model/modelobject.h"

#include <QString>

// The MMSI that the unit holds, the MMSI that the user entered, and the
// settings of the AID sentence that changes one into the other.
class AtoNMMSI : public ModelObject
{
    Q_OBJECT

public:
    explicit AtoNMMSI(QObject *parent = nullptr);
    AtoNMMSI &operator=(const AtoNMMSI &other);
    bool operator==(const AtoNMMSI &other) const;
    bool operator!=(const AtoNMMSI &other) const { return !(*this == other); }

    // Both MMSIs "000000000", aidMode 0, aidFlag false.
    void Reset() override;
    void Write(QDataStream &out) const override;
    void Read(QDataStream &in) override;

    QString Mmsi() const { return mmsi; }
    void SetMmsi(const QString &value) { mmsi = value; }
    QString NewMmsi() const { return newMmsi; }
    void SetNewMmsi(const QString &value) { newMmsi = value; }
    int AidMode() const { return aidMode; }
    void SetAidMode(int value) { aidMode = value; }
    bool AidFlag() const { return aidFlag; }
    void SetAidFlag(bool value) { aidFlag = value; }

private:
    QString mmsi;
    QString newMmsi;
    qint32 aidMode;
    bool aidFlag;
};

#endif // ATONMMSI_H
