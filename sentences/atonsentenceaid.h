#ifndef ATONSENTENCEAID_H
#define ATONSENTENCEAID_H

#include "sentences/atonsentence.h"

class AtoNMMSI;

// The AID sentence: the MMSI that the unit holds, and the change to a new one.
//   $UPAID,<MMSI addressed>,<flag>,<new MMSI>,<mode letter>,C
class AtoNSentenceAID : public AtoNSentence
{
    Q_OBJECT

public:
    // target is the AtoNMMSI record of modelRoot's AtoN.
    AtoNSentenceAID(AtoNMMSI *target, Model *modelRoot);

    // Afterwards the record's mmsi is its newMmsi: the unit is expected to
    // take the new MMSI.
    QString Encode(int index, int *extra) override;
    // Starts a new answer: every AID sentence of it must name the same unit.
    QString Query() override;
    // Stores both MMSIs from an answer in mode "R"; other modes are accepted
    // without change.
    int Decode(ParsedSentence sentence) override;
    // One answer names the unit.
    QString AnswerKey(const ParsedSentence &answer) const override;

    // The mode letter of aidMode 0 to 4; "" for any other value.
    static QString ModeLetter(int aidMode);
    // aidMode of a mode letter; -1 for any other character.
    static int ModeOfLetter(QChar letter);

private:
    AtoNMMSI *Record() const;

    QString answeredBy;
};

#endif // ATONSENTENCEAID_H
