#ifndef TIMEDTEXTLIST_H
#define TIMEDTEXTLIST_H

#include <QDateTime>
#include <QList>
#include <QString>

// The latest texts with the time each arrived, oldest first; the oldest go
// once the list is full.
class TimedTextList
{
public:
    struct Entry
    {
        QDateTime time;
        QString text;
    };

    explicit TimedTextList(int limit) : limit(limit) {}

    void Add(const QDateTime &time, const QString &text);
    void Clear()
    {
        entries.clear();
        added = 0;
    }
    const QList<Entry> &Entries() const { return entries; }
    // How many texts were ever added (since the last Clear).
    quint64 Added() const { return added; }

private:
    int limit;
    QList<Entry> entries;
    quint64 added = 0;
};

#endif // TIMEDTEXTLIST_H
