#ifndef FIELDRANGES_H
#define FIELDRANGES_H

#include <QString>

// The values the unit takes and reports for each configuration field. One
// table serves both directions: a configuration is checked against it before
// it is sent, and every answer from the unit before it is stored.
//
// Two limits per field: what the field carries (Minimum, Maximum: the width
// of the sentence field, the bits of message 21, the unit's integer), which
// alone decides what is refused; and the usual range the window offers for
// input (UsualMinimum, UsualMaximum). A unit configured beyond the usual
// range is still read, shown, saved and sent back as it is.
class FieldRanges
{
public:
    enum Field
    {
        TypeOfEPFS,
        PositionAccuracy,
        TypeOfAtoN,
        AcfField14,
        AidMode,
        AceFlags,
        OffPositionThreshold,
        AceField5,
        AceField6,
        DimensionA,
        DimensionB,
        DimensionC,
        DimensionD,
        FloatingDimension,
        ReportInstance,
        MessageInstance,
        Hour,
        Minute,
        AccessScheme,
        StartSlot,
        FatdmaInterval,
        MinuteInterval,
        Lantern, // eight in a row, in the order of the lantern parameter table
        BatteryVoltage = Lantern + 8,
        FieldCount
    };

    // The longest escaped name that one ACE sentence of 82 characters carries
    // (the name continuation: 28 characters besides).
    static constexpr int MaxEscapedNameLength = 52;

    static int Minimum(Field field);
    static int Maximum(Field field);
    // The field's name as the user reads it ("type of EPFS").
    static QString Name(Field field);
    static int UsualMinimum(Field field);
    static int UsualMaximum(Field field);
    static bool IsUsual(Field field, double value);
    // Empty within the usual range, else "5 is outside the usual range of 10
    // to 999", for a field's mark and tool tip.
    static QString UnusualText(Field field, double value);
    static bool Contains(Field field, double value);
    // Empty when value lies in the range, else "type of EPFS: 99 is outside 0 to 15".
    static QString Problem(Field field, double value);

    // The VHF channels 1001 to 1028, 1060 to 1088, 2001 to 2028 and 2060 to 2088.
    static bool IsChannel(qint64 value);
    static QString ChannelProblem(const QString &name, qint64 value);
    // Nine digits.
    static bool IsMmsi(const QString &text);
    // Messages with a block in the schedule: 6, 8, 12, 14 and 21.
    static bool IsScheduledMessage(int message);
    // Empty when the name can be sent and read back whole: at most 34
    // characters, each one the unit keeps (Latin-1), fitting a sentence.
    static QString NameProblem(const QString &name);
    // The range of a lantern parameter by its index in the parameter table.
    static Field LanternField(int parameterIndex);
    // Intervals count slots for FATDMA (scheme 0) and minutes otherwise.
    static Field IntervalField(int accessScheme);
};

#endif // FIELDRANGES_H
