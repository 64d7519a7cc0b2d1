#ifndef ADDRESSFILTER_H
#define ADDRESSFILTER_H

#include <QString>
#include <QStringList>

// A cheap look at a received line before it is parsed in full: could it hold
// a sentence with this talker and one of these formatters? A sentence's
// address field ("$GPRMC") starts at a "$" or "!" of the line, so a line
// without such a start followed by the talker and a formatter cannot hold
// one; a line with it may, and the parse decides.
class AddressFilter
{
public:
    // A two-letter talker and three-letter formatters.
    AddressFilter(const QString &talker, const QStringList &formatters);

    bool MayHold(const QString &line) const;

private:
    QString talker;
    QStringList formatters;
};

#endif // ADDRESSFILTER_H
