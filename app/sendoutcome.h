#ifndef SENDOUTCOME_H
#define SENDOUTCOME_H

#include "app/unitidentity.h"

#include <QMetaType>
#include <QStringList>

// What a send did to the unit, as data for whoever records it: which parts
// (StateMachine::Part bits) went out whole or in part, which were read back
// and compared, and what the unit did not take. Only what is known is
// claimed: a part that was not read back is not said to be held.
struct SendOutcome
{
    // The parts the send was to write.
    int parts = 0;
    // Every line of the part went out to the unit meant; some of them may have.
    int partsWhole = 0;
    int partsInPart = 0;
    // Read back after the send and compared with what was sent.
    int partsCompared = 0;
    // "field: sent -> held" for each field of a compared part the unit did
    // not take.
    QStringList mismatches;
    // Whether what the unit holds now is known: false when lines went out
    // but were not all read back.
    bool unitStateKnown = true;
    // The unit the send was meant for, and another unit docked during it
    // (empty when none was).
    UnitIdentity meantFor;
    UnitIdentity otherUnit;
    // What went out while the other unit was being docked: either unit may
    // hold it.
    QStringList inDoubt;
    // For a send that ended early or was refused: what the unit holds
    // because of it, in the words the boxes use.
    QString text;

    // Everything went out, was read back, and the unit took it all.
    bool HoldsAllSent() const
    {
        return parts != 0 && partsWhole == parts && partsCompared == parts && mismatches.isEmpty();
    }
};

Q_DECLARE_METATYPE(SendOutcome)

#endif // SENDOUTCOME_H
