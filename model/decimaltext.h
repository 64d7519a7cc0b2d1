#ifndef DECIMALTEXT_H
#define DECIMALTEXT_H

#include <QByteArray>
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
    // The same text, which is plain ASCII, added to the end of bytes.
    static void Append(QByteArray &bytes, double value, int decimals, int width = 0);
    // Writes the text into to, which has room for 64 characters, and gives
    // its length; -1 when the framework has to write it.
    static int Write(char *to, double value, int decimals, int width = 0);

private:
    static QString FrameworkText(double value, int decimals, int width);
};

#endif // DECIMALTEXT_H
