#ifndef MMSIGUARD_H
#define MMSIGUARD_H

#include "register/registerentry.h"

#include <QCoreApplication>
#include <QString>

class Model;
class UnitRegister;

// What the register says before a send gives a unit an MMSI: whether another
// unit holds it. Asked by the window, vandrel-cli and fleet runs alike, before
// the first sentence goes out.
class MmsiGuard
{
    Q_DECLARE_TR_FUNCTIONS(MmsiGuard)

public:
    enum class Verdict
    {
        Keeps,         // the unit keeps its own MMSI (or none is given): nothing to ask
        Changes,       // a new MMSI that no other unit holds; the window still asks
        HeldByAnother, // refuse unless the engineer overrides, naming the other unit
        NotChecked     // the register could not be asked; say so and ask (or refuse)
    };
    struct Finding
    {
        Verdict verdict = Verdict::Keeps;
        QString unitMmsi; // what the unit holds now
        QString newMmsi;  // what the send would give it
        // HeldByAnother: the other unit's latest entry (serial, when, where).
        RegisterEntry holder;
        // A sentence for the engineer naming all of it; empty for Keeps.
        QString text;
    };

    // serial and unitMmsi: the docked unit as read; newMmsi: the send's.
    // Without a register the change is still named, unchecked.
    static Finding Check(UnitRegister *unitRegister, const QString &serial, const QString &unitMmsi,
                         const QString &newMmsi);
    // For a send nobody is asked about (vandrel-cli, a fleet run): why it
    // must not go on, or empty. A local register out of reach lets it go on,
    // as the unit is in front of the engineer; a shared one that cannot say
    // whether another unit holds the MMSI does not, as that unit may be on
    // another bench right now.
    static QString Refusal(const Finding &finding, bool sharedRegister);
    // An MMSI that names no unit: none, or the factory's nine zeros.
    static bool IsUnset(const QString &mmsi);
    // The MMSI a unit holds once document has been sent to it: the new one
    // it names, else the one it is addressed by.
    static QString GivenBy(const Model &document);
};

#endif // MMSIGUARD_H
