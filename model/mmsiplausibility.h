#ifndef MMSIPLAUSIBILITY_H
#define MMSIPLAUSIBILITY_H

#include <QCoreApplication>
#include <QString>
#include <QStringList>

// Whether an identity is plausible for an AtoN station, beyond its form: a
// ship's MMSI has nine digits too, and a name may hold characters that no
// receiver will show. Each finding is a warning; the caller decides whether
// it refuses (a strict run) or only tells.
class MmsiPlausibility
{
    Q_DECLARE_TR_FUNCTIONS(MmsiPlausibility)

public:
    // The kinds of station ITU's MMSI forms name, told by the leading digits.
    enum class Form
    {
        NotAnMmsi,    // not nine digits, or all zeros
        PhysicalAtoN, // 99 MID 1 XXX
        VirtualAtoN,  // 99 MID 6 XXX
        MobileAtoN,   // 99 MID 8 XXX
        OtherAtoN,    // 99 MID with another sixth digit
        Ship,         // MID XXXXXX, the first digit 2 to 7
        CoastStation, // 00 MID XXXX
        Group,        // 0 MID XXXXX
        SarAircraft,  // 111 MID XXX
        Craft,        // 98 MID XXXX, a craft with a parent ship
        Device,       // 970 (SART), 972 (man overboard), 974 (EPIRB)
        Unknown       // nine digits of no form (8..., 9 other than the above)
    };

    static Form FormOf(const QString &mmsi);
    // The maritime identification digits within the MMSI, or -1 for a form
    // that holds none.
    static int Mid(const QString &mmsi);
    // The country or area the MID is allocated to; empty when none is.
    static QString Country(int mid);

    // Empty when mmsi is an AtoN's (physical, virtual or mobile) with a MID
    // of a country; otherwise one sentence saying what it is instead.
    static QString MmsiWarning(const QString &mmsi);
    // Empty when every character of name is carried by AIS's six-bit text
    // as it stands; otherwise names the characters that are not.
    static QString NameWarning(const QString &name);
    // Both warnings that apply, MMSI first.
    static QStringList Warnings(const QString &mmsi, const QString &name);

    // A character of AIS's six-bit text as a receiver shows it: capitals,
    // digits, space and signs; not "@", which ends a name on the air.
    static bool Broadcastable(QChar c);
};

#endif // MMSIPLAUSIBILITY_H
