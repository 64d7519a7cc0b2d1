#ifndef REQUESTNAME_H
#define REQUESTNAME_H

#include <QCoreApplication>
#include <QString>

// What the transport asks of the unit, named for an error message: the query
// or shell command as it goes on the line and, in brackets, what it reads.
class RequestName
{
    Q_DECLARE_TR_FUNCTIONS(RequestName)

public:
    // A configuration query by its sentence formatter ("ACF").
    static QString OfQuery(const QString &formatter);
    // A shell command as sent ("nvgeti \"limvmax\"").
    static QString OfCommand(const QString &command);
};

#endif // REQUESTNAME_H
