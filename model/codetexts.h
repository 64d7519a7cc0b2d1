#ifndef CODETEXTS_H
#define CODETEXTS_H

#include <QString>

// The texts that the Real AtoN tab and the schedule table show beside each
// code, for a reader of the command-line output. An unknown code gives an
// empty text, as the window's lists then show no item.
class CodeTexts
{
public:
    static QString TypeOfAtoN(int code);
    static QString TypeOfEPFS(int code);
    static QString PositionAccuracy(int code);
    // "CH2087 AIS1 ( 161.975MHz )"; empty for a number that is not a channel.
    static QString Channel(int number);
    static QString AccessScheme(int scheme);
};

#endif // CODETEXTS_H
