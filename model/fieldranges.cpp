#include "model/fieldranges.h"

#include "lim/lanterninterface.h"
#include "model/aton.h"
#include "sentences/parsedsentence.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <cmath>

namespace {

struct Range
{
    const char *name;
    int minimum;
    int maximum;
};

// Where a limit comes from: the bit width of the AIS message 21 field that
// carries the value, the schedule's slot frame (2250 slots a minute), or the
// limits of the lantern tab's inputs in the unit the unit stores.
const Range Ranges[FieldRanges::FieldCount] = {
    {QT_TRANSLATE_NOOP("FieldRanges", "type of EPFS"), 0, 15},     // 4 bits
    {QT_TRANSLATE_NOOP("FieldRanges", "position accuracy"), 0, 1}, // 1 bit
    {QT_TRANSLATE_NOOP("FieldRanges", "type of AtoN"), 0, 31},     // 5 bits
    {QT_TRANSLATE_NOOP("FieldRanges", "ACF field 14"), 0, 999999},
    {QT_TRANSLATE_NOOP("FieldRanges", "flags"), 0, 0xFF}, // two hexadecimal digits
    {QT_TRANSLATE_NOOP("FieldRanges", "off-position threshold"), 10, 999},
    {QT_TRANSLATE_NOOP("FieldRanges", "ACE field 5"), 0, 999999},
    {QT_TRANSLATE_NOOP("FieldRanges", "ACE field 6"), 0, 999999},
    {QT_TRANSLATE_NOOP("FieldRanges", "dimension A"), 0, 511}, // 9 bits
    {QT_TRANSLATE_NOOP("FieldRanges", "dimension B"), 0, 511}, // 9 bits
    {QT_TRANSLATE_NOOP("FieldRanges", "dimension C"), 0, 63},  // 6 bits
    {QT_TRANSLATE_NOOP("FieldRanges", "dimension D"), 0, 63},  // 6 bits
    // A floating AtoN's size also goes into the places of C and D.
    {QT_TRANSLATE_NOOP("FieldRanges", "dimension"), 0, 63},
    {QT_TRANSLATE_NOOP("FieldRanges", "instance"), 1, 2}, // normal and off-position report
    {QT_TRANSLATE_NOOP("FieldRanges", "instance"), 1, 4}, // four rows a block
    {QT_TRANSLATE_NOOP("FieldRanges", "hour"), 0, 23},
    {QT_TRANSLATE_NOOP("FieldRanges", "minute"), 0, 59},
    {QT_TRANSLATE_NOOP("FieldRanges", "access scheme"), 0, 2},
    {QT_TRANSLATE_NOOP("FieldRanges", "start slot"), -1, 2249}, // -1: channel off
    {QT_TRANSLATE_NOOP("FieldRanges", "interval"), 0, 3240000}, // slots, 24 hours
    {QT_TRANSLATE_NOOP("FieldRanges", "interval"), 0, 86400},   // minutes
    {"limen", 0, 1},
    {"limvmin", 0, 33000}, // millivolts, 33.0 V
    {"limvmax", 0, 33000}, // millivolts, 33.0 V
    {"limton", 0, 30000},  // milliseconds, 30 s
    {"limtoff", 0, 30000}, // milliseconds, 30 s
    {"limion", 0, 25000},  // 50 A in steps of 2 mA (50 A/s in 20 mA/s is 2500)
    {"limigain", 0, 1},
    {"limpthresh", 0, 3340},                                          // 400 lux
    {QT_TRANSLATE_NOOP("FieldRanges", "battery voltage"), 0, 100000}, // millivolts, 100 V
};

static_assert(FieldRanges::BatteryVoltage - FieldRanges::Lantern ==
                  LanternInterface::ParameterCount,
              "one range for each lantern parameter");

QString Number(double value)
{
    return QString::number(value, 'g', 15);
}

} // namespace

int FieldRanges::Minimum(Field field)
{
    return Ranges[field].minimum;
}

int FieldRanges::Maximum(Field field)
{
    return Ranges[field].maximum;
}

QString FieldRanges::Name(Field field)
{
    return QCoreApplication::translate("FieldRanges", Ranges[field].name);
}

bool FieldRanges::Contains(Field field, double value)
{
    return value >= Ranges[field].minimum && value <= Ranges[field].maximum;
}

QString FieldRanges::Problem(Field field, double value)
{
    if (Contains(field, value))
        return QString();
    return QCoreApplication::translate("FieldRanges", "%1: %2 is outside %3 to %4")
        .arg(Name(field), Number(value), Number(Ranges[field].minimum),
             Number(Ranges[field].maximum));
}

bool FieldRanges::IsChannel(qint64 value)
{
    const qint64 band = value / 1000;
    const qint64 channel = value % 1000;
    return (band == 1 || band == 2) &&
           ((channel >= 1 && channel <= 28) || (channel >= 60 && channel <= 88));
}

QString FieldRanges::ChannelProblem(const QString &name, qint64 value)
{
    if (IsChannel(value))
        return QString();
    return QCoreApplication::translate("FieldRanges", "%1: %2 is not a VHF channel")
        .arg(name, QString::number(value));
}

bool FieldRanges::IsMmsi(const QString &text)
{
    static const QRegularExpression nineDigits(QStringLiteral("^[0-9]{9}$"));
    return nineDigits.match(text).hasMatch();
}

bool FieldRanges::IsScheduledMessage(int message)
{
    return message == 6 || message == 8 || message == 12 || message == 14 || message == 21;
}

QString FieldRanges::NameProblem(const QString &name)
{
    if (name.size() > AtoN::MaxNameLength) {
        return QCoreApplication::translate("FieldRanges", "name: %1 characters, at most %2")
            .arg(name.size())
            .arg(AtoN::MaxNameLength);
    }
    QString escaped = name;
    ParsedSentence::Escape(escaped);
    if (escaped.size() > MaxEscapedNameLength) {
        return QCoreApplication::translate(
                   "FieldRanges",
                   "name: %1 characters once $ * , ! \\ ^ ~ are escaped, at most %2 fit a sentence")
            .arg(escaped.size())
            .arg(MaxEscapedNameLength);
    }
    return QString();
}

FieldRanges::Field FieldRanges::LanternField(int parameterIndex)
{
    return Field(Lantern + qBound(0, parameterIndex, BatteryVoltage - Lantern - 1));
}

FieldRanges::Field FieldRanges::IntervalField(int accessScheme)
{
    return accessScheme == 0 ? FatdmaInterval : MinuteInterval;
}
