#ifndef HISTORYFILTER_H
#define HISTORYFILTER_H

#include <QDateTime>
#include <QString>

// Which transfers a history shows; an empty field does not narrow it.
struct HistoryFilter
{
    QString serial;
    // Entries that found or left the unit with this MMSI.
    QString mmsi;
    QDateTime since;
    QString folder;
    // At most this many, the newest; 0: all.
    int limit = 0;
};

#endif // HISTORYFILTER_H
