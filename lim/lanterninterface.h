#ifndef LANTERNINTERFACE_H
#define LANTERNINTERFACE_H

#include "model/modelobject.h"

#include <QString>

// The eight parameters of the lantern interface module, as the unit keeps them
// in its non-volatile store, and the conversions to what the user sees.
class LanternInterface : public ModelObject
{
    Q_OBJECT

public:
    // Indexes of the parameter table, in the order of the members.
    enum Parameter
    {
        Limen = 0,
        Limvmin,
        Limvmax,
        Limton,
        Limtoff,
        Limion,
        Limigain,
        Limpthresh,
        ParameterCount
    };

    explicit LanternInterface(QObject *parent = nullptr);
    LanternInterface &operator=(const LanternInterface &other);
    bool operator==(const LanternInterface &other) const;
    bool operator!=(const LanternInterface &other) const { return !(*this == other); }

    // Every value 0 or false.
    void Reset() override;
    // The eight values as 32-bit integers; the flags as 0 or 1.
    void Write(QDataStream &out) const override;
    // Flags read as true for any value other than 0.
    void Read(QDataStream &in) override;

    bool GetLimen() const { return limen; }
    void SetLimen(bool value) { limen = value; }
    int GetLimvmin() const { return limvmin; }
    void SetLimvmin(int value) { limvmin = value; }
    int GetLimvmax() const { return limvmax; }
    void SetLimvmax(int value) { limvmax = value; }
    int GetLimton() const { return limton; }
    void SetLimton(int value) { limton = value; }
    int GetLimtoff() const { return limtoff; }
    void SetLimtoff(int value) { limtoff = value; }
    int GetLimion() const { return limion; }
    void SetLimion(int value) { limion = value; }
    bool GetLimigain() const { return limigain; }
    void SetLimigain(bool value) { limigain = value; }
    int GetLimpthresh() const { return limpthresh; }
    void SetLimpthresh(int value) { limpthresh = value; }

    // The parameter table: name ("limen"...), nvgeti tag (6 to 13) and nvseti
    // tag (14 to 21) of each index. Out-of-range indexes give "" and -1.
    static QString ParameterName(int index);
    static int ParameterIndex(const QString &name); // -1 when unknown
    static int GetTag(int index);
    static int SetTag(int index);
    // Value of a parameter by index (flags as 1 or 0); 0 for an unknown index.
    int ParameterValue(int index) const;
    // Stores a value by index (flags true for non-zero); false for an unknown index.
    bool SetParameterValue(int index, int value);

    // Both times 0: the lantern is steady on and limion is an on current.
    bool IsSteadyOn() const { return limton == 0 && limtoff == 0; }

    // Conversions between stored values and what the tab shows. Stored values
    // are rounded to the nearest step and held to the range of int.
    static double VoltsFromMillivolts(int millivolts);
    static int MillivoltsFromVolts(double volts);
    static double SecondsFromMilliseconds(int milliseconds);
    static int MillisecondsFromSeconds(double seconds);
    // Steady on: steps of 2 mA, shown in amperes.
    static double AmperesFromOnCurrent(int value);
    static int OnCurrentFromAmperes(double amperes);
    // Flashing: steps of 20 mA/s, shown in amperes per second.
    static double AmperesPerSecondFromSlewRate(int value);
    static int SlewRateFromAmperesPerSecond(double amperesPerSecond);
    // Raw photo-sensor value = round(lux x 8.36 - 4.28); 0 stays 0 both ways.
    static int LuxFromThreshold(int value);
    static int ThresholdFromLux(double lux);

private:
    bool limen = false;
    qint32 limvmin = 0;
    qint32 limvmax = 0;
    qint32 limton = 0;
    qint32 limtoff = 0;
    qint32 limion = 0;
    bool limigain = false;
    qint32 limpthresh = 0;
};

#endif // LANTERNINTERFACE_H
