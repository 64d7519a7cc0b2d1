#ifndef ATONSENTENCEACF_H
#define ATONSENTENCEACF_H

#include "sentences/atonsentence.h"

class AtoN;

// The ACF sentence: position fixing, position and its accuracy, channels and
// the type of AtoN.
//   $UPACF,<MMSI>,<EPFS>,<lat>,<N/S>,<lon>,<E/W>,<accuracy>,<ch1>,<ch2>,<ch1>,<ch2>,1,<type>,<field
//   14>,C
class AtoNSentenceACF : public AtoNSentence
{
    Q_OBJECT

public:
    AtoNSentenceACF(AtoN *target, Model *modelRoot);

    QString Encode(int index, int *extra) override;
    // Empty latitude and longitude fields mean not available.
    int Decode(ParsedSentence sentence) override;
    // One answer names the unit's general settings.
    QString AnswerKey(const ParsedSentence &answer) const override;

    // Degrees as ddmm.mmmm (width 9) or dddmm.mmmm (width 10), without sign.
    static QString AngleText(double degrees, int width);

private:
    AtoN *Record() const;
    bool ReadAngle(const ParsedSentence &sentence, int i, double notAvailable, double &degrees);
    bool ReadChannel(const ParsedSentence &sentence, int i, int &channel);
};

#endif // ATONSENTENCEACF_H
