#include "sentences/atonsentenceace.h"

#include "model/aton.h"
#include "model/model.h"

#include <QRegularExpression>

namespace {

// The two flag bits that are always set, below the RACON bit.
constexpr int FlagsBase = 0x1C;
constexpr int ReferencePointType = 1;

bool Blank(const ParsedSentence &sentence, int i)
{
    QString text;
    return !sentence.GetString(i, text) || text.isEmpty();
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

QString AtoNSentenceACE::Query()
{
    headState = NoHead;
    return AtoNSentence::Query();
}

QString AtoNSentenceACE::AnswerKey(const ParsedSentence &answer) const
{
    if (CheckHead(answer) != DecodeOk)
        return QString();
    const bool continuation = Blank(answer, 3) && Blank(answer, 5) && Blank(answer, 6);
    return continuation ? formatter + QStringLiteral(" continuation") : formatter;
}

// $AIACE,123456789,E8,0050,1,0,1,NORTH PIER,0050050505,R
// $AIACE,123456789,,,,,,LONG NAME PART,,R (continuation)
int AtoNSentenceACE::Decode(ParsedSentence sentence)
{
    if (!AcceptHead(sentence))
        return DecodeFieldError;
    AtoN *aton = Record();
    QString mmsi;
    if (!ReadUnitMmsi(sentence, aton->GetAtoNMMSI(), mmsi))
        return DecodeFieldError;
    const int result = mmsi == Unconfigured ? DecodeUnconfigured : DecodeOk;

    // A name continuation carries neither flags nor numbers, and follows the
    // first sentence of the same answer.
    QString status;
    if (Blank(sentence, 3) && Blank(sentence, 5) && Blank(sentence, 6) &&
        sentence.fields.size() > 7 && sentence.GetString(9, status) && !status.isEmpty()) {
        if (headState == NoHead)
            return Refuse(7, tr("name"), tr("a continuation without the sentence it continues"));
        if (!ReadAnswerStatus(sentence, 9))
            return DecodeFieldError;
        if (headState == HeadStored) {
            QString name = sentence.fields.at(7);
            ParsedSentence::Unescape(name);
            aton->SetName(name);
            nameAwaited = false;
        }
        return result;
    }
    if (result != DecodeOk) {
        headState = HeadUnconfigured;
        return result;
    }

    int flags = 0, threshold = 0, field5 = 0, field6 = 0;
    QString flagText;
    sentence.GetString(2, flagText);
    bool hex = false;
    flags = flagText.toInt(&hex, 16);
    if (flagText.isEmpty() || !hex || !FieldRanges::Contains(FieldRanges::AceFlags, flags))
        return Refuse(2, FieldRanges::Name(FieldRanges::AceFlags),
                      tr("\"%1\" is not two hexadecimal digits").arg(flagText));
    if (!ReadInRange(sentence, 3, FieldRanges::OffPositionThreshold, threshold) ||
        !ReadInRange(sentence, 5, FieldRanges::AceField5, field5) ||
        !ReadInRange(sentence, 6, FieldRanges::AceField6, field6))
        return DecodeFieldError;
    // An absent name field leaves the name; an empty one empties it (a long
    // name then comes in the continuation).
    QString name;
    const bool hasName = sentence.GetString(7, name);
    ParsedSentence::Unescape(name);
    int dimensions[4] = {0, 0, 0, 0};
    if (!ReadDimensions(sentence, dimensions) || !ReadAnswerStatus(sentence, 9))
        return DecodeFieldError;

    aton->SetRacon((flags >> 3) & 1);
    aton->SetOffPositionThreshold(threshold);
    aton->SetAceField5(field5);
    aton->SetAceField6(field6);
    if (hasName)
        aton->SetName(name);
    aton->SetDimensionA(dimensions[0]);
    aton->SetDimensionB(dimensions[1]);
    aton->SetDimensionC(dimensions[2]);
    aton->SetDimensionD(dimensions[3]);
    headState = HeadStored;
    nameAwaited = hasName && name.isEmpty();
    return DecodeOk;
}

// Field 8: ten digits, A (3), B (3), C (2) and D (2).
bool AtoNSentenceACE::ReadDimensions(const ParsedSentence &sentence, int dimensions[4])
{
    static const QRegularExpression tenDigits(QStringLiteral("^[0-9]{10}$"));
    QString text;
    sentence.GetString(8, text);
    if (!tenDigits.match(text).hasMatch()) {
        Refuse(8, tr("dimensions"), tr("\"%1\" is not ten digits").arg(text));
        return false;
    }
    static const FieldRanges::Field fields[4] = {FieldRanges::DimensionA, FieldRanges::DimensionB,
                                                 FieldRanges::DimensionC, FieldRanges::DimensionD};
    static const int starts[4] = {0, 3, 6, 8};
    for (int k = 0; k < 4; ++k) {
        dimensions[k] = text.mid(starts[k], k < 2 ? 3 : 2).toInt();
        if (!Accept(8, FieldRanges::Problem(fields[k], dimensions[k])))
            return false;
    }
    return true;
}
