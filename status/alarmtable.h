#ifndef ALARMTABLE_H
#define ALARMTABLE_H

#include <QDateTime>
#include <QHash>
#include <QString>
#include <QTime>
#include <QVector>

#include "decode/alarmdata.h"

// Every alarm the unit has reported on this link, with when it was first and
// last reported, for a table that shows the active ones first.
class AlarmTable
{
public:
    struct Row
    {
        int number = 0;
        QString text;
        bool active = false;
        bool acknowledged = false;
        QTime changed; // the unit's time of the last change; may be invalid
        QDateTime firstSeen;
        QDateTime lastSeen;
    };

    // No more alarm numbers than the decoder keeps.
    static constexpr int MaxRows = AlarmData::MaxAlarms;

    // An alarm as reported at time; a new number beyond MaxRows is dropped.
    void Update(const AlarmData::Alarm &alarm, const QDateTime &time);
    void Clear();

    // Active alarms first, then by number.
    QVector<Row> Rows() const;
    int ActiveCount() const { return active; }
    int Count() const { return rows.size(); }
    // Changes with every change of a row.
    quint64 Revision() const { return revision; }

private:
    QVector<Row> rows; // in order of first report
    QHash<int, int> indexOf;
    int active = 0;
    quint64 revision = 0;
};

#endif // ALARMTABLE_H
