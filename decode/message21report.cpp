#include "decode/message21report.h"

#include "sentences/parsedsentence.h"

namespace {

// A two's-complement field of width bits as a signed number.
qint32 Signed(quint32 value, int width)
{
    const quint32 sign = 1u << (width - 1);
    return qint32(value ^ sign) - qint32(sign);
}

// count bits from bit start of six-bit values, most significant first; the
// values that hold the field, at most seven, are joined and the bits after
// the field's end shifted out.
quint32 FieldOf(const uchar *values, int start, int count)
{
    const int end = start + count;
    const int last = (end - 1) / 6;
    quint64 bits = 0;
    for (int c = start / 6; c <= last; ++c)
        bits = (bits << 6) | values[c];
    bits >>= (last + 1) * 6 - end;
    return quint32(bits & ((quint64(1) << count) - 1));
}

} // namespace

bool Message21Report::Bits(const QString &armoured, int start, int count, quint32 &value)
{
    value = 0;
    if (count < 1 || count > 32 || start < 0 || start + count > armoured.size() * 6)
        return false;
    uchar values[7];
    const int first = start / 6;
    for (int c = first; c <= (start + count - 1) / 6; ++c)
        values[c - first] = uchar(ParsedSentence::SixBitValue(armoured.at(c)));
    value = FieldOf(values, start - first * 6, count);
    return true;
}

bool Message21Report::Read(const QString &armoured, Message21Report &report)
{
    quint32 v = 0;
    if (!Bits(armoured, 0, 6, v) || v != 21 || armoured.size() * 6 < MinimumBits)
        return false;
    // Every field lies in the first MinimumBits bits or in the name
    // extension of at most fourteen characters after them: their six-bit
    // values are looked up once.
    constexpr int MaximumValues = (MinimumBits + 14 * 6 + 5) / 6;
    uchar values[MaximumValues] = {};
    const int held = qMin(int(armoured.size()), MaximumValues);
    for (int c = 0; c < held; ++c)
        values[c] = uchar(ParsedSentence::SixBitValue(armoured.at(c)));
    auto field = [&values](int start, int count) { return FieldOf(values, start, count); };
    Message21Report r;
    r.mmsi = QString::number(field(8, 30)).rightJustified(9, QLatin1Char('0'));
    r.aidType = int(field(38, 5));
    // Twenty characters, then as many as fourteen more in the name extension
    // at the report's end; spare bits there read as '@' padding.
    const int extension = qBound(0, (int(armoured.size()) * 6 - MinimumBits) / 6, 14);
    char name[20 + 14];
    int length = 0;
    for (int i = 0; i < 20 + extension; ++i) {
        const int start = i < 20 ? 43 + 6 * i : MinimumBits + 6 * (i - 20);
        const int c = int(field(start, 6));
        name[length++] = char(c < 32 ? c + 64 : c);
    }
    while (length > 0 && name[length - 1] == '@')
        --length;
    r.name = QString::fromLatin1(name, length).trimmed();
    r.positionAccurate = field(163, 1);
    // Ten-thousandths of a minute of arc.
    r.longitude = Signed(field(164, 28), 28) / 600000.0;
    r.latitude = Signed(field(192, 27), 27) / 600000.0;
    r.toBow = int(field(219, 9));
    r.toStern = int(field(228, 9));
    r.toPort = int(field(237, 6));
    r.toStarboard = int(field(243, 6));
    r.epfsType = int(field(249, 4));
    r.timeStamp = int(field(253, 6));
    r.offPosition = field(259, 1);
    r.statusPage = int(field(260, 3));
    r.racon = field(263, 2);
    r.light = field(265, 2);
    r.health = field(267, 1);
    r.raim = field(268, 1);
    r.virtualAid = field(269, 1);
    r.assignedMode = field(270, 1);
    report = r;
    return true;
}
