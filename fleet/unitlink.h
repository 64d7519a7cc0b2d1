#ifndef UNITLINK_H
#define UNITLINK_H

#include <QObject>
#include <QString>
#include <QStringList>

class Model;

// One docked unit as commissioning drives it, whatever carries the line.
// Every call returns at once; its end is told by a signal, so that many
// units work side by side in one event loop.
class UnitLink : public QObject
{
    Q_OBJECT

public:
    struct Identity
    {
        QString serial;
        QString mmsi;
        QString softwareVersion;
    };

    using QObject::QObject;

    virtual QString Port() const = 0;
    // The traffic of the link, written as it goes; empty when none is kept.
    virtual QString LogPath() const = 0;

    // Opens the line and reads who the unit is: Identified or Failed.
    virtual void Open() = 0;
    // Identified has come and the line is still open.
    virtual bool IsIdentified() const = 0;
    // The configuration whole, then read back: SendDone or Failed.
    virtual void Send(const Model &configuration) = 0;
    // Both tabs: Retrieved or Failed.
    virtual void Retrieve() = 0;
    virtual void Close() = 0;

    // The configuration as the unit was last read or confirmed to hold it.
    virtual const Model &Held() const = 0;
    virtual Identity UnitIdentity() const = 0;
    // The unit's GPS fix in words ("50° 30.0000' N ...", or why there is none).
    virtual QString GpsFixText() const = 0;
    // The alarms active now, "062 AtoN: off position".
    virtual QStringList ActiveAlarms() const = 0;
    // The battery voltage in millivolts as the unit last reported it on
    // this link; empty when it has not been read (a link that never asks).
    virtual QString BatteryMillivolts() const { return QString(); }
    // What the check of the unit's own report after the last send found
    // ("On air: ..."); empty when none was asked for.
    virtual QString OnAirText() const { return QString(); }
    // After each send, wait this long for the unit's own report and compare
    // it with what was sent before SendDone; 0: no such check. A link that
    // cannot hear the unit's reports ignores it.
    virtual void SetOnAirMinutes(double minutes) { Q_UNUSED(minutes) }

signals:
    void Identified();
    void Progress(QString step, int done, int total);
    // Every field the unit did not take, "field: sent -> held"; empty when it took all.
    void SendDone(QStringList mismatches);
    void Retrieved();
    void Failed(QString reason);
};

#endif // UNITLINK_H
