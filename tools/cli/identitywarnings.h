#ifndef IDENTITYWARNINGS_H
#define IDENTITYWARNINGS_H

#include <QString>
#include <QStringList>

// What a send would give a unit that no AtoN should carry (an MMSI of
// another kind of station, a name a receiver cannot show): said before any
// unit is spoken to, and with --strict nothing is sent at all.
class IdentityWarnings
{
public:
    // Says each warning on standard error; false, and says why nothing was
    // sent, when strict and there is any. source: "table", "file".
    static bool Tell(const QStringList &warnings, bool strict, const QString &source);
};

#endif // IDENTITYWARNINGS_H
