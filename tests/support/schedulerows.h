#ifndef SCHEDULEROWS_H
#define SCHEDULEROWS_H

#include "model/messageschedule.h"

#include <QDataStream>
#include <QIODevice>
#include <QVector>

// Gives a schedule exactly these rows, as a file may leave it: fewer than
// its block layout, none, or many more.
inline void LoadRows(MessageSchedule *schedule, const QVector<MessageScheduleEntry> &rows)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out << qint32(2) << qint32(rows.size());
    for (const MessageScheduleEntry &row : rows)
        row.Write(out);
    QDataStream in(bytes);
    schedule->Read(in);
}

#endif // SCHEDULEROWS_H
