#ifndef DECIMALTEXT_H
#define DECIMALTEXT_H

#include <QString>

// A number written with a fixed count of decimals, as the framework writes it
// (QString::arg with format 'f' and '0' as fill), but without its general
// formatting machinery for the common case of a non-negative finite value.
class DecimalText
{
public:
    static QString Fixed(double value, int decimals, int width = 0);
    // The same text added to the end of text, which needs no string of its own.
    static void Append(QString &text, double value, int decimals, int width = 0);
};

#endif // DECIMALTEXT_H
