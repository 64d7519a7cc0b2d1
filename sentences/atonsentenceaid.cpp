#include "sentences/atonsentenceaid.h"

#include "model/atonmmsi.h"
#include "model/model.h"

namespace {
const char ModeLetters[] = "RVPC0";
}

AtoNSentenceAID::AtoNSentenceAID(AtoNMMSI *target, Model *modelRoot)
    : AtoNSentence(target, modelRoot)
{
    formatter = QStringLiteral("AID");
}

AtoNMMSI *AtoNSentenceAID::Record() const
{
    return static_cast<AtoNMMSI *>(target);
}

QString AtoNSentenceAID::ModeLetter(int aidMode)
{
    if (aidMode < 0 || aidMode > 4)
        return QString();
    return QString(QLatin1Char(ModeLetters[aidMode]));
}

int AtoNSentenceAID::ModeOfLetter(QChar letter)
{
    for (int mode = 0; mode <= 4; ++mode) {
        if (letter == QLatin1Char(ModeLetters[mode]))
            return mode;
    }
    return -1;
}

// $UPAID,000000000,1,123456789,R,C
QString AtoNSentenceAID::Encode(int index, int * /*extra*/)
{
    AtoNMMSI *record = Record();
    const int mode = record->AidMode();
    QString letter = ModeLetter(mode);
    // Modes 1 to 4 address the unit by the new MMSI.
    QString addressed = mode >= 1 && mode <= 4 ? record->NewMmsi() : record->Mmsi();
    if (mode == 0 && index == 1) {
        letter = QStringLiteral("0");
        addressed = record->NewMmsi();
    }
    const QString sentence =
        Frame({addressed, record->AidFlag() ? QStringLiteral("1") : QStringLiteral("0"),
               record->NewMmsi(), letter, QStringLiteral("C")});
    record->SetMmsi(record->NewMmsi());
    return sentence;
}

QString AtoNSentenceAID::Query()
{
    answeredBy.clear();
    return AtoNSentence::Query();
}

// $AIAID,123456789,1,123456789,R,R
int AtoNSentenceAID::Decode(ParsedSentence sentence)
{
    const int head = CheckHead(sentence);
    if (head != DecodeOk)
        return head;
    problem.clear();
    QString addressed, newMmsi;
    // The answer names the unit; a second unit on the line, or a damaged
    // answer, names another.
    if (!ReadUnitMmsi(sentence, nullptr, addressed))
        return DecodeFieldError;
    if (!answeredBy.isEmpty() && addressed != answeredBy)
        return Refuse(1, tr("MMSI"),
                      tr("%1, while the unit answered as %2 before").arg(addressed, answeredBy));
    if (!sentence.GetString(3, newMmsi) || !FieldRanges::IsMmsi(newMmsi))
        return Refuse(3, tr("new MMSI"), tr("\"%1\" is not nine digits").arg(newMmsi));
    QChar letter;
    sentence.GetChar(4, letter);
    const int mode = ModeOfLetter(letter);
    if (mode < 0)
        return Refuse(4, tr("mode"), tr("\"%1\" is not one of R, V, P, C, 0").arg(letter));
    // Only an answer of mode R names the MMSI the unit holds; taking one of
    // another mode as an answer would leave the unit without an MMSI.
    if (mode != 0)
        return Refuse(4, tr("mode"),
                      tr("%1, an answer that does not name the MMSI the unit holds").arg(letter));
    if (!ReadAnswerStatus(sentence, 5))
        return DecodeFieldError;
    answeredBy = addressed;
    Record()->SetMmsi(addressed);
    Record()->SetNewMmsi(newMmsi);
    return DecodeOk;
}

QString AtoNSentenceAID::AnswerKey(const ParsedSentence &answer) const
{
    return CheckHead(answer) == DecodeOk ? formatter : QString();
}
