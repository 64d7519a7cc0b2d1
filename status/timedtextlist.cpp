#include "status/timedtextlist.h"

void TimedTextList::Add(const QDateTime &time, const QString &text)
{
    entries.append({time, text});
    ++added;
    while (entries.size() > limit)
        entries.removeFirst();
}
