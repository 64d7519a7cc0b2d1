#ifndef CONFIGURATIONDIFF_H
#define CONFIGURATIONDIFF_H

#include <QString>
#include <QStringList>

class Model;

// The readable fields in which two configurations differ, one line each:
// "Name: "ATON" -> "BUOY"". A field that only one of them has (a schedule
// row) shows "(none)" on the other side.
class ConfigurationDiff
{
public:
    // Every field.
    static QStringList Lines(const Model &a, const Model &b);
    // Only the fields that a send carries to the unit: what the unit was sent
    // (a) against what it holds afterwards (b).
    static QStringList SentLines(const Model &sent, const Model &held);

private:
    static QStringList Compare(const Model &a, const Model &b, bool sentOnly);
};

#endif // CONFIGURATIONDIFF_H
