#include "model/fieldranges.h"

#include "lim/lanterninterface.h"
#include "model/aton.h"
#include "sentences/parsedsentence.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <cmath>
#include <limits>

namespace {

struct Range
{
    const char *name;
    int minimum;
    int maximum;
    // What the window offers for input; a value beyond it, but within what
    // the field carries, is read, kept and sent back as it is.
    int usualMinimum;
    int usualMaximum;
};

const int Int32 = std::numeric_limits<qint32>::max();

// What each field carries: the bit width of the AIS message 21 field that
// carries the value, the width of the sentence field, the schedule's slot
// frame (2250 slots a minute), or the integer the unit stores. Where the
// window offers less, the usual range follows.
#define SAME(minimum, maximum) minimum, maximum, minimum, maximum
const Range Ranges[FieldRanges::FieldCount] = {
    {QT_TRANSLATE_NOOP("FieldRanges", "type of EPFS"), SAME(0, 15)},     // 4 bits
    {QT_TRANSLATE_NOOP("FieldRanges", "position accuracy"), SAME(0, 1)}, // 1 bit
    {QT_TRANSLATE_NOOP("FieldRanges", "type of AtoN"), SAME(0, 31)},     // 5 bits
    {QT_TRANSLATE_NOOP("FieldRanges", "ACF field 14"), SAME(0, 999999)},
    {QT_TRANSLATE_NOOP("FieldRanges", "AID mode"), SAME(0, 4)}, // one letter of "RVPC0"
    {QT_TRANSLATE_NOOP("FieldRanges", "flags"), SAME(0, 0xFF)}, // two hexadecimal digits
    // Four digits in the sentence; the window offers 10 to 999 metres.
    {QT_TRANSLATE_NOOP("FieldRanges", "off-position threshold"), 0, 9999, 10, 999},
    {QT_TRANSLATE_NOOP("FieldRanges", "ACE field 5"), SAME(0, 999999)},
    {QT_TRANSLATE_NOOP("FieldRanges", "ACE field 6"), SAME(0, 999999)},
    {QT_TRANSLATE_NOOP("FieldRanges", "dimension A"), SAME(0, 511)}, // 9 bits
    {QT_TRANSLATE_NOOP("FieldRanges", "dimension B"), SAME(0, 511)}, // 9 bits
    {QT_TRANSLATE_NOOP("FieldRanges", "dimension C"), SAME(0, 63)},  // 6 bits
    {QT_TRANSLATE_NOOP("FieldRanges", "dimension D"), SAME(0, 63)},  // 6 bits
    // A floating AtoN's size also goes into the places of C and D.
    {QT_TRANSLATE_NOOP("FieldRanges", "dimension"), SAME(0, 63)},
    {QT_TRANSLATE_NOOP("FieldRanges", "instance"), SAME(1, 2)}, // normal and off-position report
    {QT_TRANSLATE_NOOP("FieldRanges", "instance"), SAME(1, 4)}, // four rows a block
    {QT_TRANSLATE_NOOP("FieldRanges", "hour"), SAME(0, 23)},
    {QT_TRANSLATE_NOOP("FieldRanges", "minute"), SAME(0, 59)},
    {QT_TRANSLATE_NOOP("FieldRanges", "access scheme"), SAME(0, 2)},
    {QT_TRANSLATE_NOOP("FieldRanges", "start slot"), SAME(-1, 2249)}, // -1: channel off
    {QT_TRANSLATE_NOOP("FieldRanges", "interval"), SAME(0, 3240000)}, // slots, 24 hours
    {QT_TRANSLATE_NOOP("FieldRanges", "interval"), SAME(0, 86400)},   // minutes
    // The lantern's values are integers in the unit's store; the window
    // offers 0 to 33 V, 0 to 30 s, 50 A (or 50 A/s) and 400 lux.
    {"limen", SAME(0, 1)},
    {"limvmin", 0, Int32, 0, 33000}, // millivolts
    {"limvmax", 0, Int32, 0, 33000}, // millivolts
    {"limton", 0, Int32, 0, 30000},  // milliseconds
    {"limtoff", 0, Int32, 0, 30000}, // milliseconds
    {"limion", 0, Int32, 0, 25000},  // steps of 2 mA (or 20 mA/s)
    {"limigain", SAME(0, 1)},
    {"limpthresh", 0, Int32, 0, 3340},                                      // sensor value
    {QT_TRANSLATE_NOOP("FieldRanges", "battery voltage"), SAME(0, 100000)}, // millivolts, 100 V
};
#undef SAME

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

int FieldRanges::UsualMinimum(Field field)
{
    return Ranges[field].usualMinimum;
}

int FieldRanges::UsualMaximum(Field field)
{
    return Ranges[field].usualMaximum;
}

bool FieldRanges::IsUsual(Field field, double value)
{
    return value >= Ranges[field].usualMinimum && value <= Ranges[field].usualMaximum;
}

QString FieldRanges::UnusualText(Field field, double value)
{
    if (IsUsual(field, value))
        return QString();
    return QCoreApplication::translate("FieldRanges", "%1 is outside the usual range of %2 to %3")
        .arg(Number(value), Number(Ranges[field].usualMinimum), Number(Ranges[field].usualMaximum));
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
    for (const QChar c : name) {
        if (c.unicode() > 0xff)
            return QCoreApplication::translate(
                       "FieldRanges", "name: \"%1\" cannot be sent, the unit keeps Latin-1 only")
                .arg(c);
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
