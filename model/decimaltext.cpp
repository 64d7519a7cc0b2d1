#include "model/decimaltext.h"

#include <cmath>
#include <cstring>

QString DecimalText::Fixed(double value, int decimals, int width)
{
    QString text;
    Append(text, value, decimals, width);
    return text;
}

void DecimalText::Append(QString &text, double value, int decimals, int width)
{
    char written[64];
    const int length = Write(written, value, decimals, width);
    if (length < 0)
        text += FrameworkText(value, decimals, width);
    else
        text += QLatin1String(written, length);
}

void DecimalText::Append(QByteArray &bytes, double value, int decimals, int width)
{
    char written[64];
    const int length = Write(written, value, decimals, width);
    if (length < 0)
        bytes += FrameworkText(value, decimals, width).toLatin1();
    else
        bytes.append(written, length);
}

QString DecimalText::FrameworkText(double value, int decimals, int width)
{
    return QStringLiteral("%1").arg(value, width, 'f', decimals, QLatin1Char('0'));
}

int DecimalText::Write(char *written, double value, int decimals, int width)
{
    static const unsigned long long powers[] = {1,      10,      100,      1000,      10000,
                                                100000, 1000000, 10000000, 100000000, 1000000000};
    if (!(value >= 0.0 && value < 1e15) || std::signbit(value) || decimals < 0 || decimals > 9 ||
        width < 0 || width > 30)
        return -1;

    // value * 10^decimals, rounded to the nearest whole number and halfway
    // up, computed exactly: value is mantissa * 2^-shift.
    unsigned long long scaledValue = 0;
    if (value > 0.0) {
        // The mantissa and exponent read from the bits of the double; only
        // a value too small to have a full mantissa needs the library.
        unsigned long long bits = 0;
        std::memcpy(&bits, &value, sizeof bits);
        const int biased = int(bits >> 52);
        int exponent = biased - 1022;
        unsigned long long mantissa = (bits & ((1ULL << 52) - 1)) | (1ULL << 52);
        if (biased == 0) {
            const double fraction = std::frexp(value, &exponent);
            mantissa = static_cast<unsigned long long>(std::ldexp(fraction, 53));
        }
        const int shift = 53 - exponent; // at least 4, as value < 2^50
        if (shift <= 120) {
            const unsigned __int128 scaled =
                static_cast<unsigned __int128>(mantissa) * powers[decimals];
            const unsigned __int128 whole = (scaled >> shift) + ((scaled >> (shift - 1)) & 1);
            if (whole > ~0ULL)
                return -1;
            scaledValue = static_cast<unsigned long long>(whole);
        }
    }

    char reversed[24];
    int count = 0;
    do {
        reversed[count++] = char('0' + scaledValue % 10);
        scaledValue /= 10;
    } while (scaledValue != 0 || count <= decimals);
    // Zeros to the width, the digits, and the point before the decimals.
    int length = 0;
    for (int i = count + (decimals > 0 ? 1 : 0); i < width; ++i)
        written[length++] = '0';
    for (int i = count - 1; i >= 0; --i) {
        written[length++] = reversed[i];
        if (i == decimals && decimals > 0)
            written[length++] = '.';
    }
    return length;
}
