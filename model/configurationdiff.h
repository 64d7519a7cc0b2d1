#ifndef CONFIGURATIONDIFF_H
#define CONFIGURATIONDIFF_H

#include <QString>
#include <QStringList>

#include <functional>

class Model;

// The readable fields in which two configurations differ, one line each:
// "Name: "ATON" -> "BUOY"". A field that only one of them has (a schedule
// row) shows "(none)" on the other side.
class ConfigurationDiff
{
public:
    using LineSink = std::function<void(const QString &line)>;

    // Every field.
    static QStringList Lines(const Model &a, const Model &b);
    // The same lines as they are found, for configurations whose lines are
    // too many to hold at once; returns how many there were.
    static int ForEachLine(const Model &a, const Model &b, const LineSink &sink);
    // Only the fields that a send carries to the unit: what the unit was sent
    // (a) against what it holds afterwards (b).
    static QStringList SentLines(const Model &sent, const Model &held);

private:
    static int Compare(const Model &a, const Model &b, bool sentOnly, const LineSink &sink);
};

#endif // CONFIGURATIONDIFF_H
