#include "sentences/atonsentenceace.h"

#include "model/aton.h"
#include "model/model.h"

namespace {

// The two flag bits that are always set, below the RACON bit.
constexpr int FlagsBase = 0x1C;
constexpr int ReferencePointType = 1;
const QString Unconfigured = QStringLiteral("000000000");

bool Missing(const ParsedSentence &sentence, int i)
{
    QString text;
    return !sentence.GetString(i, text) || text.isEmpty();
}

int NumberOr0(const QString &text)
{
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    return ok ? value : 0;
}

} // namespace

AtoNSentenceACE::AtoNSentenceACE(AtoN *target, Model *modelRoot) : AtoNSentence(target, modelRoot)
{
    formatter = QStringLiteral("ACE");
}

AtoN *AtoNSentenceACE::Record() const
{
    return static_cast<AtoN *>(target);
}

QString AtoNSentenceACE::DimensionField(const AtoN &aton)
{
    const int type = aton.TypeOfAtoN();
    if (type == ReferencePointType)
        return QStringLiteral("0000000000");
    if (AtoN::IsFixedAtoNType(type)) {
        return Padded(aton.DimensionA(), 3) + Padded(aton.DimensionB(), 3) +
               Padded(aton.DimensionC(), 2) + Padded(aton.DimensionD(), 2);
    }
    // A floating AtoN sends its one size in all four places.
    const int a = aton.DimensionA();
    return Padded(a, 3) + Padded(a, 3) + Padded(a, 2) + Padded(a, 2);
}

// $UPACE,000000000,E0,0050,1,0,1,ATON,0010010101,C
QString AtoNSentenceACE::Encode(int index, int *extra)
{
    const AtoN *aton = Record();
    QString escaped = aton->Name();
    ParsedSentence::Escape(escaped);
    const QString mmsi = aton->GetAtoNMMSI()->NewMmsi();

    if (index != 0) {
        if (extra)
            *extra = 0;
        return Frame({mmsi, QString(), QString(), QString(), QString(), QString(), escaped,
                      QString(), QStringLiteral("C")});
    }

    const bool longName = escaped.size() > MaxNameInFirstSentence;
    if (longName && extra)
        *extra += 1;
    const int flags = ((aton->Racon() ? 1 : 0) | FlagsBase) << 3;
    return Frame({mmsi, QStringLiteral("%1").arg(flags, 2, 16, QLatin1Char('0')).toUpper(),
                  Padded(aton->OffPositionThreshold(), 4), QStringLiteral("1"),
                  QString::number(aton->AceField5()), QString::number(aton->AceField6()),
                  longName ? QString() : escaped, DimensionField(*aton), QStringLiteral("C")});
}

// $AIACE,123456789,E8,0050,1,0,1,NORTH PIER,0050050505,R
// $AIACE,123456789,,,,,,LONG NAME PART,,R (continuation)
int AtoNSentenceACE::Decode(ParsedSentence sentence)
{
    AtoN *aton = Record();
    int result = CheckHead(sentence) == DecodeOk ? DecodeOk : DecodeFieldError;
    if (result == DecodeOk) {
        QString mmsi;
        if (!sentence.GetString(1, mmsi))
            result = DecodeFieldError;
        else if (mmsi == Unconfigured)
            result = DecodeUnconfigured;
    }

    // A name continuation carries neither flags nor numbers. Only a sound
    // sentence from the unit may change the name.
    QString status;
    if (result != DecodeFieldError && Missing(sentence, 3) && Missing(sentence, 5) &&
        Missing(sentence, 6) && sentence.fields.size() > 7 && sentence.GetString(9, status) &&
        !status.isEmpty()) {
        QString name = sentence.fields.at(7);
        ParsedSentence::Unescape(name);
        aton->SetName(name);
        return result;
    }
    if (result != DecodeOk)
        return result;

    int flags = 0;
    if (!sentence.GetHex(2, flags))
        return DecodeFieldError;
    aton->SetRacon((flags >> 3) & 1);
    int value = 0;
    if (!sentence.GetInt(3, value))
        return DecodeFieldError;
    aton->SetOffPositionThreshold(value);
    if (!sentence.GetInt(5, value))
        return DecodeFieldError;
    aton->SetAceField5(value);
    if (!sentence.GetInt(6, value))
        return DecodeFieldError;
    aton->SetAceField6(value);

    QString name;
    if (sentence.GetString(7, name)) {
        ParsedSentence::Unescape(name);
        aton->SetName(name);
    }

    QString dimensions;
    if (!sentence.GetString(8, dimensions))
        return DecodeFieldError;
    aton->SetDimensionA(NumberOr0(dimensions.mid(0, 3)));
    aton->SetDimensionB(NumberOr0(dimensions.mid(3, 3)));
    aton->SetDimensionC(NumberOr0(dimensions.mid(6, 2)));
    aton->SetDimensionD(NumberOr0(dimensions.right(2)));

    QChar status9;
    if (!sentence.GetChar(9, status9) || status9 != QLatin1Char('R'))
        return DecodeFieldError;
    return DecodeOk;
}
