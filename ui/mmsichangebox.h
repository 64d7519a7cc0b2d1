#ifndef MMSICHANGEBOX_H
#define MMSICHANGEBOX_H

#include "app/mmsiguard.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>

class QWidget;

// The question before a send that gives the unit on the line another unit's
// settings or another MMSI, asked in one box: what changes, and what the
// register knows of the MMSI. An MMSI the register has for another unit goes
// out only once the engineer has ticked that it should, and that choice is
// kept with the send's entry.
class MmsiChangeBox
{
    Q_DECLARE_TR_FUNCTIONS(MmsiChangeBox)

public:
    // otherUnit: the document's unit where it is another than the one on the
    // line, else empty. True when the engineer chose to send; *reassigned
    // then tells whether the MMSI was given despite the register.
    static bool Ask(QWidget *parent, const QString &otherUnit, const MmsiGuard::Finding &finding,
                    bool *reassigned);
    // The same question before a fleet run gives a row to a unit the register
    // says it must not go to: true when the engineer chose to give it all
    // the same. question: what goes to which unit.
    static bool AskForRow(QWidget *parent, const MmsiGuard::Finding &finding,
                          const QString &question);

private:
    static bool Run(QWidget *parent, const MmsiGuard::Finding &finding, const QStringList &lines);
};

#endif // MMSICHANGEBOX_H
