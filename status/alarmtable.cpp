#include "status/alarmtable.h"

#include <algorithm>

void AlarmTable::Update(const AlarmData::Alarm &alarm, const QDateTime &time)
{
    auto found = indexOf.constFind(alarm.alarmId);
    if (found == indexOf.constEnd()) {
        if (rows.size() >= MaxRows)
            return;
        found = indexOf.insert(alarm.alarmId, rows.size());
        Row row;
        row.number = alarm.alarmId;
        row.firstSeen = time;
        rows.append(row);
    }
    Row &row = rows[*found];
    if (row.active != alarm.thresholdExceeded)
        active += alarm.thresholdExceeded ? 1 : -1;
    row.text = alarm.description;
    row.active = alarm.thresholdExceeded;
    row.acknowledged = alarm.acknowledged;
    row.changed = alarm.alarmTime;
    row.lastSeen = time;
    ++revision;
}

void AlarmTable::Clear()
{
    rows.clear();
    indexOf.clear();
    active = 0;
    ++revision;
}

QVector<AlarmTable::Row> AlarmTable::Rows() const
{
    QVector<Row> sorted = rows;
    std::stable_sort(sorted.begin(), sorted.end(), [](const Row &a, const Row &b) {
        if (a.active != b.active)
            return a.active;
        return a.number < b.number;
    });
    return sorted;
}
