#ifndef ATON_H
#define ATON_H

#include "model/atonmmsi.h"
#include "model/geoposition.h"
#include "model/modelobject.h"

#include <QString>

// The real AtoN: identity, position, channels, RACON, name and dimensions.
// Ranges are the widgets' business; the setters store what they are given
// (except the name, which is cut to its first 34 characters).
class AtoN : public ModelObject
{
    Q_OBJECT

public:
    static constexpr int MaxNameLength = 34;

    explicit AtoN(QObject *parent = nullptr);
    AtoN &operator=(const AtoN &other);
    bool operator==(const AtoN &other) const;
    bool operator!=(const AtoN &other) const { return !(*this == other); }

    void Reset() override;
    void Write(QDataStream &out) const override;
    void Read(QDataStream &in) override;

    // Types 0 to 19 are fixed AtoNs, 20 to 31 floating ones.
    static bool IsFixedAtoNType(int typeOfAtoN);
    bool IsFixedAtoNType() const { return IsFixedAtoNType(typeOfAtoN); }

    // Edited in place by callers.
    AtoNMMSI *GetAtoNMMSI() { return &atonMmsi; }
    const AtoNMMSI *GetAtoNMMSI() const { return &atonMmsi; }
    GeoPosition *GetPosition() { return &position; }
    const GeoPosition *GetPosition() const { return &position; }

    int TypeOfEPFS() const { return typeOfEPFS; }
    void SetTypeOfEPFS(int value) { typeOfEPFS = value; }
    int PositionAccuracy() const { return positionAccuracy; }
    void SetPositionAccuracy(int value) { positionAccuracy = value; }
    int Channel1() const { return channel1; }
    void SetChannel1(int value) { channel1 = value; }
    int Channel2() const { return channel2; }
    void SetChannel2(int value) { channel2 = value; }
    int TypeOfAtoN() const { return typeOfAtoN; }
    void SetTypeOfAtoN(int value) { typeOfAtoN = value; }
    int AcfField14() const { return acfField14; }
    void SetAcfField14(int value) { acfField14 = value; }
    bool Racon() const { return racon; }
    void SetRacon(bool value) { racon = value; }
    int OffPositionThreshold() const { return offPositionThreshold; }
    void SetOffPositionThreshold(int value) { offPositionThreshold = value; }
    int AceField5() const { return aceField5; }
    void SetAceField5(int value) { aceField5 = value; }
    int AceField6() const { return aceField6; }
    void SetAceField6(int value) { aceField6 = value; }
    QString Name() const { return name; }
    // Keeps the first 34 characters.
    void SetName(const QString &value);
    int DimensionA() const { return dimensionA; }
    void SetDimensionA(int value) { dimensionA = value; }
    int DimensionB() const { return dimensionB; }
    void SetDimensionB(int value) { dimensionB = value; }
    int DimensionC() const { return dimensionC; }
    void SetDimensionC(int value) { dimensionC = value; }
    int DimensionD() const { return dimensionD; }
    void SetDimensionD(int value) { dimensionD = value; }

private:
    AtoNMMSI atonMmsi;
    qint32 typeOfEPFS = 1;
    GeoPosition position;
    qint32 positionAccuracy = 0;
    qint32 channel1 = 2087;
    qint32 channel2 = 2088;
    qint32 typeOfAtoN = 0;
    qint32 acfField14 = 0;
    bool racon = false;
    qint32 offPositionThreshold = 50;
    qint32 aceField5 = 0;
    qint32 aceField6 = 1;
    QString name;
    qint32 dimensionA = 1;
    qint32 dimensionB = 1;
    qint32 dimensionC = 1;
    qint32 dimensionD = 1;
};

#endif // ATON_H
