#ifndef UNITCONFIG_H
#define UNITCONFIG_H

#include <QJsonObject>
#include <QString>
#include <QVector>

// One scheduled AIS transmission as the unit keeps it. Intervals are slots
// for FATDMA rows and seconds for RATDMA and CSTDMA rows; a start slot of -1
// disables the channel.
struct ScheduleRow
{
    int message = 21;
    int instance = 1;
    int scheme = 0; // 0 FATDMA, 1 RATDMA, 2 CSTDMA
    int hour1 = 0;
    int minute1 = 0;
    int slot1 = 0;
    int interval1 = 6750;
    int hour2 = 0;
    int minute2 = 0;
    int slot2 = 0;
    int interval2 = 6750;

    bool disabled() const { return slot1 == -1 && slot2 == -1; }
    bool operator==(const ScheduleRow &o) const;
};

// What the unit's store can hold; a set sentence or a state file outside
// these is refused, so that whatever the unit takes it can also reload.
namespace UnitLimits {
const int MaxTypeOfEPFS = 15;
const int MaxPositionAccuracy = 1;
const int MaxChannel = 9999;
const int MaxTypeOfAtoN = 31;
const int MaxSpareField = 999999; // ACF field 14, ACE fields 5 and 6
const int MaxThreshold = 9999;
const int MaxSlot = 9999;
const int MaxIntervalSlots = 3240000;   // FATDMA
const int MaxIntervalSeconds = 5184000; // RATDMA and CSTDMA: 86400 minutes
} // namespace UnitLimits

// The lantern interface parameters in the unit's non-volatile store.
namespace LanternParameters {
const int Count = 8;
extern const char *const Names[Count];
int indexOf(const QString &name); // -1 when unknown
} // namespace LanternParameters

// Everything the unit holds: identity, the AID/ACF/ACE settings, the message
// schedule, the lantern parameters and the values its shell reports.
struct UnitConfig
{
    QString mmsi = QStringLiteral("000000000");

    int typeOfEPFS = 1;
    // Position in ten-thousandths of a minute of arc, as the AIS messages and
    // the ACF sentence carry it; 91 and 181 degrees mean not available.
    qint64 latitude = 91 * 600000LL;
    qint64 longitude = 181 * 600000LL;
    int positionAccuracy = 0;
    int channel1 = 2087;
    int channel2 = 2088;
    int typeOfAtoN = 0;
    int acfField14 = 0;

    bool racon = false;
    int offPositionThreshold = 50;
    int aceField5 = 0;
    int aceField6 = 1;
    QString name = QStringLiteral("ATON");
    int dimensionA = 1;
    int dimensionB = 1;
    int dimensionC = 1;
    int dimensionD = 1;

    QVector<ScheduleRow> schedule; // kept in the order of sortSchedule()
    int lantern[LanternParameters::Count] = {0, 0, 0, 0, 0, 0, 0, 0};

    QString version = QStringLiteral("3.10AT.0417");
    QString serialNumber = QStringLiteral("VK0012345");
    QString batteryVoltage = QStringLiteral("12600"); // millivolts, as the unit reports it

    // A configured sample unit: a name that needs the ACE continuation and
    // holds a comma, an off-position report, a message 6 and a message 12
    // variant.
    static UnitConfig sample();
    // A unit fresh from the factory: MMSI nine zeros, one normal report.
    static UnitConfig unconfigured();

    // The messages the unit schedules, and the highest instance of each.
    static bool keepsRowsOf(int message);
    static int maxInstance(int message);

    bool positionAvailable() const;
    // Empty when every member lies within UnitLimits, else what does not.
    QString rangeProblem() const;

    // Stores or replaces the row of (message, instance) and keeps the order.
    void setRow(const ScheduleRow &row);
    void removeRow(int message, int instance);
    const ScheduleRow *findRow(int message, int instance) const;
    void sortSchedule();

    QJsonObject toJson() const;
    // False (and *error set) when a required member is missing or out of range;
    // the configuration is then left unchanged.
    bool fromJson(const QJsonObject &json, QString *error);

    bool load(const QString &path, QString *error);
    bool save(const QString &path, QString *error) const;
};

#endif // UNITCONFIG_H
