#include "message21encoder.h"

namespace {

// Six-bit character code: "@" to "_" are 0 to 31, " " to "?" are 32 to 63.
int sixBitChar(QChar qc)
{
    char c = qc.toUpper().toLatin1();
    if (c >= 64 && c <= 95)
        return c - 64;
    if (c >= 32 && c <= 63)
        return c;
    return '?';
}

char armour(int value)
{
    return char(value < 40 ? value + 48 : value + 56);
}

} // namespace

void Message21Encoder::append(QByteArray *bits, quint64 value, int width)
{
    for (int i = width - 1; i >= 0; --i)
        bits->append(char((value >> i) & 1));
}

QByteArray Message21Encoder::encode(const UnitConfig &c, const Status &status, int second,
                                    int *fillBits)
{
    QByteArray bits;
    bits.reserve(360);
    append(&bits, 21, 6);
    append(&bits, 0, 2); // repeat indicator
    append(&bits, c.mmsi.toULongLong(), 30);
    append(&bits, quint64(c.typeOfAtoN) & 0x1F, 5);
    const QString name = c.name.left(34);
    for (int i = 0; i < 20; ++i)
        append(&bits, i < name.size() ? quint64(sixBitChar(name.at(i))) : 0, 6);
    append(&bits, quint64(c.positionAccuracy & 1), 1);
    append(&bits, quint64(c.longitude) & 0x0FFFFFFF, 28); // two's complement, 1/10000 minute
    append(&bits, quint64(c.latitude) & 0x07FFFFFF, 27);
    append(&bits, quint64(qBound(0, c.dimensionA, 511)), 9);
    append(&bits, quint64(qBound(0, c.dimensionB, 511)), 9);
    append(&bits, quint64(qBound(0, c.dimensionC, 63)), 6);
    append(&bits, quint64(qBound(0, c.dimensionD, 63)), 6);
    append(&bits, quint64(c.typeOfEPFS & 0x0F), 4);
    append(&bits, quint64(qBound(0, second, 63)), 6);
    append(&bits, status.offPosition ? 1 : 0, 1);
    append(&bits, 0, 3); // status page
    append(&bits, quint64(status.racon & 3), 2);
    append(&bits, quint64(status.light & 3), 2);
    append(&bits, quint64(status.health & 1), 1);
    append(&bits, 0, 1); // RAIM
    append(&bits, 0, 1); // a real aid, not virtual
    append(&bits, 0, 1); // autonomous mode
    append(&bits, 0, 1); // spare
    // Name extension: the characters after the twentieth, then spare bits up
    // to a whole byte.
    for (int i = 20; i < name.size(); ++i)
        append(&bits, quint64(sixBitChar(name.at(i))), 6);
    while (bits.size() % 8)
        bits.append(char(0));

    const int fill = (6 - bits.size() % 6) % 6;
    bits.append(QByteArray(fill, char(0)));
    QByteArray payload;
    for (int i = 0; i < bits.size(); i += 6) {
        int v = 0;
        for (int k = 0; k < 6; ++k)
            v = (v << 1) | bits.at(i + k);
        payload.append(armour(v));
    }
    *fillBits = fill;
    return payload;
}
