#include "model/mmsiplausibility.h"

#include "model/visibletext.h"

#include <QHash>

namespace {

const QHash<int, QString> &Countries()
{
    static const QHash<int, QString> countries = [] {
        QHash<int, QString> table;
#define MID(digits, country) table.insert(digits, QStringLiteral(country));
#include "model/maritimeidentificationdigits.def"
#undef MID
        return table;
    }();
    return countries;
}

bool NineDigits(const QString &mmsi)
{
    if (mmsi.size() != 9 || mmsi == QLatin1String("000000000"))
        return false;
    for (const QChar c : mmsi) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    return true;
}

QString FormText(MmsiPlausibility::Form form)
{
    using Form = MmsiPlausibility::Form;
    switch (form) {
    case Form::Ship:
        return MmsiPlausibility::tr("a ship's MMSI");
    case Form::CoastStation:
        return MmsiPlausibility::tr("a coast station's MMSI");
    case Form::Group:
        return MmsiPlausibility::tr("a group call's MMSI");
    case Form::SarAircraft:
        return MmsiPlausibility::tr("a search and rescue aircraft's MMSI");
    case Form::Craft:
        return MmsiPlausibility::tr("the MMSI of a craft with a parent ship");
    case Form::Device:
        return MmsiPlausibility::tr("the MMSI of a distress device (SART, man overboard, EPIRB)");
    default:
        return MmsiPlausibility::tr("of no form that ITU allocates");
    }
}

} // namespace

MmsiPlausibility::Form MmsiPlausibility::FormOf(const QString &mmsi)
{
    if (!NineDigits(mmsi))
        return Form::NotAnMmsi;
    if (mmsi.startsWith(QLatin1String("99"))) {
        switch (mmsi.at(5).unicode()) {
        case '1':
            return Form::PhysicalAtoN;
        case '6':
            return Form::VirtualAtoN;
        case '8':
            return Form::MobileAtoN;
        default:
            return Form::OtherAtoN;
        }
    }
    if (mmsi.startsWith(QLatin1String("98")))
        return Form::Craft;
    if (mmsi.startsWith(QLatin1String("970")) || mmsi.startsWith(QLatin1String("972")) ||
        mmsi.startsWith(QLatin1String("974")))
        return Form::Device;
    if (mmsi.startsWith(QLatin1String("111")))
        return Form::SarAircraft;
    if (mmsi.startsWith(QLatin1String("00")))
        return Form::CoastStation;
    if (mmsi.startsWith(QLatin1Char('0')))
        return Form::Group;
    if (mmsi.at(0) >= QLatin1Char('2') && mmsi.at(0) <= QLatin1Char('7'))
        return Form::Ship;
    return Form::Unknown;
}

int MmsiPlausibility::Mid(const QString &mmsi)
{
    int from = -1;
    switch (FormOf(mmsi)) {
    case Form::Ship:
        from = 0;
        break;
    case Form::Group:
        from = 1;
        break;
    case Form::PhysicalAtoN:
    case Form::VirtualAtoN:
    case Form::MobileAtoN:
    case Form::OtherAtoN:
    case Form::CoastStation:
    case Form::Craft:
        from = 2;
        break;
    case Form::SarAircraft:
        from = 3;
        break;
    default:
        return -1;
    }
    return mmsi.mid(from, 3).toInt();
}

QString MmsiPlausibility::Country(int mid)
{
    return Countries().value(mid);
}

QString MmsiPlausibility::MmsiWarning(const QString &mmsi)
{
    const Form form = FormOf(mmsi);
    const int mid = Mid(mmsi);
    const QString shown = VisibleText::OneLine(mmsi);
    const QString atonForm =
        tr("an AtoN's MMSI is 99, the country's three digits (MID), 1 for a physical AtoN, 6 for "
           "a virtual one or 8 for a mobile one, and three digits: 99MIDaXXX");
    switch (form) {
    case Form::NotAnMmsi:
        return tr("\"%1\" is not an MMSI (nine digits, not all zeros)").arg(shown);
    case Form::PhysicalAtoN:
    case Form::VirtualAtoN:
    case Form::MobileAtoN:
        if (Country(mid).isEmpty())
            return tr("MMSI %1 has the AtoN form, but its MID %2 belongs to no country")
                .arg(shown, mmsi.mid(2, 3));
        return QString();
    case Form::OtherAtoN:
        return tr("MMSI %1 starts as an AtoN's but its sixth digit %2 is none of 1, 6 and 8; %3")
            .arg(shown, mmsi.mid(5, 1), atonForm);
    default:
        break;
    }
    const QString country = Country(mid);
    const QString what =
        country.isEmpty() ? FormText(form) : tr("%1 (%2)").arg(FormText(form), country);
    return tr("MMSI %1 is %2, not an AtoN's; %3").arg(shown, what, atonForm);
}

bool MmsiPlausibility::Broadcastable(QChar c)
{
    return c.unicode() >= 0x20 && c.unicode() < 0x60 && c != QLatin1Char('@');
}

QString MmsiPlausibility::NameWarning(const QString &name)
{
    QString lost;
    for (const QChar c : name) {
        if (!Broadcastable(c) && (c.isSurrogate() || !lost.contains(c)))
            lost += c;
    }
    if (lost.isEmpty())
        return QString();
    return tr("the name \"%1\" holds %2, which AIS does not carry as written (names take "
              "capitals A to Z, digits, space and !\"#$%&'()*+,-./:;<=>?[\\]^_)")
        .arg(VisibleText::OneLine(name), VisibleText::OneLine(lost));
}

QStringList MmsiPlausibility::Warnings(const QString &mmsi, const QString &name)
{
    QStringList warnings;
    for (const QString &warning : {MmsiWarning(mmsi), NameWarning(name)}) {
        if (!warning.isEmpty())
            warnings << warning;
    }
    return warnings;
}
