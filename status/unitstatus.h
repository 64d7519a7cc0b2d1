#ifndef UNITSTATUS_H
#define UNITSTATUS_H

#include <QDateTime>
#include <QObject>
#include <QPointer>
#include <QString>

#include "decode/message21report.h"
#include "status/alarmtable.h"
#include "status/geooffset.h"
#include "status/gpsstatus.h"
#include "status/ownreporttrack.h"
#include "status/timedtextlist.h"

class GPSDecoder;
class GpsData;
class MessageDecoder;
class Model;
class SatelliteData;
class Transport;

// What the docked unit is doing, gathered from the decoders of its traffic:
// its GPS, its own aid-to-navigation reports and how far they are from the
// nominal position the unit itself holds, its alarms and texts, and its
// battery voltage. Times are the unit's GPS time while it has one, so that a
// replayed log shows the times it was written at.
class UnitStatus : public QObject
{
    Q_OBJECT
public:
    static constexpr int TextLimit = 100;

    // unit: the unit's configuration as last read from it, whose nominal
    // position and off-position threshold count only while it is known to
    // be the unit's (SetUnitConfigurationKnown); it must outlive this object.
    explicit UnitStatus(const Model *unit, QObject *parent = nullptr);

    // Takes everything the two decoders announce; the GPS decoder starts
    // afresh whenever this status does.
    void Follow(GPSDecoder *gps, MessageDecoder *messages);
    // Starts afresh for a new link or replay; takes the battery voltage from
    // a live link's transport. Call before anything can arrive on it.
    void StartLink(Transport *transport, bool replay);
    // The unit configuration holds what the unit on the line holds (read
    // from it, or sent and read back); false when nothing was read yet or
    // another unit has been docked since.
    void SetUnitConfigurationKnown(bool known);
    bool UnitConfigurationKnown() const { return unitKnown; }

    const GpsStatus &Gps() const { return gps; }
    const OwnReportTrack &OwnReports() const { return reports; }
    const AlarmTable &Alarms() const { return alarms; }
    const TimedTextList &Texts() const { return texts; }
    QString BatteryMillivolts() const { return battery; }
    QDateTime BatteryTime() const { return batteryTime; }
    // Counts the clears: what was shown before another clear is gone.
    quint64 Generation() const { return generation; }
    // The current link is a log played back, not a unit.
    bool Replaying() const { return replaying; }

    // The unit's nominal position and threshold; not available while the
    // unit's configuration is not known or names no position.
    bool NominalAvailable() const;
    double NominalLatitude() const;
    double NominalLongitude() const;
    int ThresholdMetres() const;
    // From the nominal position to the GPS fix; false when either is missing.
    bool GpsOffset(GeoOffset &offset) const;
    // From the nominal position to the last report's position.
    bool ReportOffset(GeoOffset &offset) const;
    // The last report's off-position flag says otherwise than its distance
    // from the nominal position against the threshold: the distance of the
    // position it reports, or of the GPS fix when it came when it reports
    // none.
    bool IndicatorDisagrees() const;
    // The distance the last report's flag was checked against; negative when
    // none could be measured.
    double ReportCheckedMetres() const { return reportCheckedMetres; }

    // The unit's GPS time while its fix is current, otherwise this computer's.
    QDateTime Now() const;
    bool NowFromGps() const;

signals:
    // Anything shown has changed; emitted for each decoded event.
    void Changed();
    // The receiver has told its fix again, or that it has none (the fix has
    // gone stale); Gps() holds it. Comes before the Changed of the same fix.
    void FixTaken();

public slots:
    void Clear();
    void OnGpsData(GpsData *data);
    void OnSatelliteData(SatelliteData *data);
    void OnGpsText(QString text);
    void OnText(QString text);
    void OnAlarm(const AlarmData::Alarm &alarm);
    void OnReport(const Message21Report &report);
    void OnBatteryVoltage(QString millivolts);

private:
    const Model *unit;
    QPointer<GPSDecoder> gpsSource;
    bool unitKnown = false;
    GpsStatus gps;
    OwnReportTrack reports;
    AlarmTable alarms;
    TimedTextList texts;
    QString battery;
    QDateTime batteryTime;
    double reportCheckedMetres = -1;
    bool replaying = false;
    quint64 generation = 0;
};

#endif // UNITSTATUS_H
