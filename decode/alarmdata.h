#ifndef ALARMDATA_H
#define ALARMDATA_H

#include <QList>
#include <QObject>
#include <QString>
#include <QTime>

// The unit's alarms as reported by ALR sentences: one record per alarm
// number, in order of first arrival.
class AlarmData : public QObject
{
    Q_OBJECT
public:
    struct Alarm
    {
        int alarmId = 0;
        QTime alarmTime; // last change of the condition; invalid when not given
        bool thresholdExceeded = false;
        bool acknowledged = false;
        QString description;
    };

    // More distinct alarm numbers than this are not kept: the table is fed
    // from the line and must stay bounded. An update of a known number is
    // always taken.
    static constexpr int MaxAlarms = 1000;

    explicit AlarmData(QObject *parent = nullptr);

    // Replaces the record with that number, or appends a new one. False when
    // the number is new and the table is full.
    bool Update(int alarmId, const QTime &alarmTime, bool thresholdExceeded, bool acknowledged,
                const QString &description);

    const QList<Alarm> &Alarms() const { return alarms; }
    int Count() const { return alarms.size(); }
    // The record with that number, or null.
    const Alarm *Find(int alarmId) const;

private:
    QList<Alarm> alarms;
};

#endif // ALARMDATA_H
