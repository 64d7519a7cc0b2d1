#ifndef MMSICHANGEBOX_H
#define MMSICHANGEBOX_H

#include "app/mmsiguard.h"

#include <QCoreApplication>
#include <QString>

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
};

#endif // MMSICHANGEBOX_H
