#include "decode/alarmdata.h"

AlarmData::AlarmData(QObject *parent) : QObject(parent) {}

bool AlarmData::Update(int alarmId, const QTime &alarmTime, bool thresholdExceeded,
                       bool acknowledged, const QString &description)
{
    Alarm record;
    record.alarmId = alarmId;
    record.alarmTime = alarmTime;
    record.thresholdExceeded = thresholdExceeded;
    record.acknowledged = acknowledged;
    record.description = description;

    for (Alarm &existing : alarms) {
        if (existing.alarmId == alarmId) {
            existing = record;
            return true;
        }
    }
    if (alarms.size() >= MaxAlarms)
        return false;
    alarms.append(record);
    return true;
}

const AlarmData::Alarm *AlarmData::Find(int alarmId) const
{
    for (const Alarm &existing : alarms) {
        if (existing.alarmId == alarmId)
            return &existing;
    }
    return nullptr;
}
