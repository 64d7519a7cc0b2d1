#include "model/decimaltext.h"

#include <cmath>
#include <cstdio>

namespace {

// Whether value lies exactly halfway between two numbers of that many
// decimals. The C library rounds such a value to the even neighbour, the
// framework rounds it up.
bool IsHalfway(double value, int decimals)
{
    static const unsigned long long powers[] = {1,      10,      100,      1000,      10000,
                                                100000, 1000000, 10000000, 100000000, 1000000000};
    if (value == 0.0)
        return false;
    int exponent = 0;
    const double fraction = std::frexp(value, &exponent);
    // value = mantissa * 2^(exponent - 53) exactly.
    const auto mantissa = static_cast<unsigned long long>(std::ldexp(fraction, 53));
    const int shift = 53 - exponent;
    if (shift <= 0 || shift > 120)
        return false;
    const unsigned __int128 scaled = static_cast<unsigned __int128>(mantissa) * powers[decimals];
    const unsigned __int128 one = 1;
    return (scaled & ((one << shift) - 1)) == one << (shift - 1);
}

} // namespace

QString DecimalText::Fixed(double value, int decimals, int width)
{
    if (!(value >= 0.0 && value < 1e15) || std::signbit(value) || decimals < 0 || decimals > 9 ||
        width < 0 || width > 30)
        return QStringLiteral("%1").arg(value, width, 'f', decimals, QLatin1Char('0'));
    char text[64];
    if (!IsHalfway(value, decimals)) {
        const int n = std::snprintf(text, sizeof text, "%0*.*f", width, decimals, value);
        return QString::fromLatin1(text, n);
    }
    // One decimal more is exact here (it ends in 5); drop it and round up.
    // The width grows by that digit, and by the point when there was none.
    const int widened = width + (decimals == 0 ? 2 : 1);
    int n = std::snprintf(text + 1, sizeof text - 1, "%0*.*f", widened, decimals + 1, value);
    text[0] = '0';
    n -= 1; // the final 5
    if (text[n] == '.')
        --n;
    int i = n;
    while (true) {
        if (text[i] == '.') {
            --i;
            continue;
        }
        if (text[i] != '9') {
            ++text[i];
            break;
        }
        text[i] = '0';
        --i;
    }
    // The guard digit in front is kept only when the carry reached it.
    const int first = text[0] == '0' ? 1 : 0;
    return QString::fromLatin1(text + first, n + 1 - first);
}
