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
    // The entries of one .pad file, given both: those whose configuration
    // has the file's SHA-256 (hexadecimal), and those that list the file (by
    // its absolute path) among their records. Initialised, so that a filter
    // written out member by member may leave them off.
    QString padSha256{};
    QString padPath{};
};

#endif // HISTORYFILTER_H
