#ifndef ATONSENTENCEACE_H
#define ATONSENTENCEACE_H

#include "sentences/atonsentence.h"

class AtoN;

// The ACE sentence: RACON, off-position threshold, name and dimensions.
//   $UPACE,<MMSI>,<flags>,<threshold>,1,<field 5>,<field 6>,<name>,<dimensions>,C
// A name longer than 32 escaped characters goes in a continuation sentence
// that carries only the MMSI and the name.
class AtoNSentenceACE : public AtoNSentence
{
    Q_OBJECT

public:
    // Longest escaped name that fits in the first sentence.
    static constexpr int MaxNameInFirstSentence = 32;

    AtoNSentenceACE(AtoN *target, Model *modelRoot);

    // index 0: the first sentence (asks for one more when the name is long);
    // any other index: the name continuation.
    QString Encode(int index, int *extra) override;
    // Starts a new answer: a name continuation is taken only after the first
    // sentence of the same answer.
    QString Query() override;
    // Also takes a name continuation answer, which sets only the name.
    int Decode(ParsedSentence sentence) override;
    // The unit named itself with an empty name field and no continuation
    // followed: a nameless unit answers so, and so does a long name whose
    // continuation was lost on the line.
    bool AskAgain() const override { return headState == HeadStored && nameAwaited; }
    // The first sentence named the unit and its name, or the continuation
    // the first announced has come.
    bool AnswersComplete() const override { return headState == HeadStored && !nameAwaited; }
    // The first sentence and the continuation are told apart.
    QString AnswerKey(const ParsedSentence &answer) const override;

    // Field 8: ten digits A(3) B(3) C(2) D(2) laid out by the type of AtoN.
    static QString DimensionField(const AtoN &aton);

private:
    enum HeadState
    {
        NoHead,
        HeadUnconfigured, // the first sentence named no MMSI: nothing is stored
        HeadStored
    };

    AtoN *Record() const;
    bool ReadDimensions(const ParsedSentence &sentence, int dimensions[4]);

    HeadState headState = NoHead;
    bool nameAwaited = false;
};

#endif // ATONSENTENCEACE_H
