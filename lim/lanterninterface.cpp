#include "lim/lanterninterface.h"

#include <QDataStream>
#include <climits>
#include <cmath>

namespace {

struct ParameterRow
{
    const char *name;
    int getTag;
    int setTag;
};

const ParameterRow Parameters[LanternInterface::ParameterCount] = {
    {"limen", 6, 14},    {"limvmin", 7, 15}, {"limvmax", 8, 16},   {"limton", 9, 17},
    {"limtoff", 10, 18}, {"limion", 11, 19}, {"limigain", 12, 20}, {"limpthresh", 13, 21},
};

bool ValidIndex(int index)
{
    return index >= 0 && index < LanternInterface::ParameterCount;
}

// Converting a double outside the range of int is undefined; a value typed or
// computed out of range is held to the nearest end instead (NaN gives 0).
int ToInt(double value)
{
    if (std::isnan(value))
        return 0;
    if (value >= double(INT_MAX))
        return INT_MAX;
    if (value <= double(INT_MIN))
        return INT_MIN;
    return int(value);
}

// To the nearest step: a value shown with its steps' decimals, or typed so,
// comes back as the step it shows (32.3 V is 32300 mV, not 32299).
int Rounded(double value)
{
    return ToInt(std::round(value));
}

} // namespace

LanternInterface::LanternInterface(QObject *parent) : ModelObject(2, parent)
{
    Reset();
}

LanternInterface &LanternInterface::operator=(const LanternInterface &other)
{
    if (this != &other) {
        CopyObjectVersion(other);
        limen = other.limen;
        limvmin = other.limvmin;
        limvmax = other.limvmax;
        limton = other.limton;
        limtoff = other.limtoff;
        limion = other.limion;
        limigain = other.limigain;
        limpthresh = other.limpthresh;
    }
    return *this;
}

bool LanternInterface::operator==(const LanternInterface &other) const
{
    return objectVersion == other.objectVersion && limen == other.limen &&
           limvmin == other.limvmin && limvmax == other.limvmax && limton == other.limton &&
           limtoff == other.limtoff && limion == other.limion && limigain == other.limigain &&
           limpthresh == other.limpthresh;
}

void LanternInterface::Reset()
{
    ResetObjectVersion();
    limen = false;
    limvmin = 0;
    limvmax = 0;
    limton = 0;
    limtoff = 0;
    limion = 0;
    limigain = false;
    limpthresh = 0;
}

void LanternInterface::Write(QDataStream &out) const
{
    ModelObject::Write(out);
    out << qint32(limen ? 1 : 0) << limvmin << limvmax << limton << limtoff << limion
        << qint32(limigain ? 1 : 0) << limpthresh;
}

void LanternInterface::Read(QDataStream &in)
{
    ModelObject::Read(in);
    qint32 enabled = 0;
    qint32 gain = 0;
    in >> enabled >> limvmin >> limvmax >> limton >> limtoff >> limion >> gain >> limpthresh;
    limen = enabled != 0;
    limigain = gain != 0;
}

QString LanternInterface::ParameterName(int index)
{
    return ValidIndex(index) ? QString::fromLatin1(Parameters[index].name) : QString();
}

int LanternInterface::ParameterIndex(const QString &name)
{
    for (int i = 0; i < ParameterCount; ++i) {
        if (name == QLatin1String(Parameters[i].name))
            return i;
    }
    return -1;
}

int LanternInterface::GetTag(int index)
{
    return ValidIndex(index) ? Parameters[index].getTag : -1;
}

int LanternInterface::SetTag(int index)
{
    return ValidIndex(index) ? Parameters[index].setTag : -1;
}

int LanternInterface::ParameterValue(int index) const
{
    switch (index) {
    case Limen:
        return limen ? 1 : 0;
    case Limvmin:
        return limvmin;
    case Limvmax:
        return limvmax;
    case Limton:
        return limton;
    case Limtoff:
        return limtoff;
    case Limion:
        return limion;
    case Limigain:
        return limigain ? 1 : 0;
    case Limpthresh:
        return limpthresh;
    default:
        return 0;
    }
}

bool LanternInterface::SetParameterValue(int index, int value)
{
    switch (index) {
    case Limen:
        limen = value != 0;
        return true;
    case Limvmin:
        limvmin = value;
        return true;
    case Limvmax:
        limvmax = value;
        return true;
    case Limton:
        limton = value;
        return true;
    case Limtoff:
        limtoff = value;
        return true;
    case Limion:
        limion = value;
        return true;
    case Limigain:
        limigain = value != 0;
        return true;
    case Limpthresh:
        limpthresh = value;
        return true;
    default:
        return false;
    }
}

double LanternInterface::VoltsFromMillivolts(int millivolts)
{
    return millivolts / 1000.0;
}

int LanternInterface::MillivoltsFromVolts(double volts)
{
    return Rounded(volts * 1000.0);
}

double LanternInterface::SecondsFromMilliseconds(int milliseconds)
{
    return milliseconds / 1000.0;
}

int LanternInterface::MillisecondsFromSeconds(double seconds)
{
    return Rounded(seconds * 1000.0);
}

double LanternInterface::AmperesFromOnCurrent(int value)
{
    return double(value) * 2.0 / 1000.0;
}

int LanternInterface::OnCurrentFromAmperes(double amperes)
{
    return Rounded(amperes * 1000.0 * 0.5);
}

double LanternInterface::AmperesPerSecondFromSlewRate(int value)
{
    return double(value) * 20.0 / 1000.0;
}

int LanternInterface::SlewRateFromAmperesPerSecond(double amperesPerSecond)
{
    return Rounded(amperesPerSecond * 1000.0 / 10.0 * 0.5);
}

int LanternInterface::LuxFromThreshold(int value)
{
    if (value == 0)
        return 0;
    return ToInt(std::round((value + 4.28) / 8.36));
}

int LanternInterface::ThresholdFromLux(double lux)
{
    if (lux == 0.0)
        return 0;
    return ToInt(std::round(lux * 8.36 - 4.28));
}
