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

// $AIAID,123456789,1,123456789,R,R
int AtoNSentenceAID::Decode(ParsedSentence sentence)
{
    const int head = CheckHead(sentence);
    if (head != DecodeOk)
        return head;
    QString addressed, newMmsi;
    if (!sentence.GetString(1, addressed))
        return DecodeFieldError;
    int flag = 0;
    sentence.GetDigit(2, flag); // carried, not used
    if (!sentence.GetString(3, newMmsi))
        return DecodeFieldError;
    QChar letter, status;
    if (!sentence.GetChar(4, letter))
        return DecodeFieldError;
    const int mode = ModeOfLetter(letter);
    if (mode < 0)
        return DecodeFieldError;
    if (!sentence.GetChar(5, status) || status != QLatin1Char('R'))
        return DecodeFieldError;
    if (mode == 0) {
        Record()->SetMmsi(addressed);
        Record()->SetNewMmsi(newMmsi);
    }
    return DecodeOk;
}
