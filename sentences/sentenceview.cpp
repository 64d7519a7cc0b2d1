#include "sentences/sentenceview.h"

#include "sentences/parsedsentence.h"

#include <QtAlgorithms>

#include <algorithm>

#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

const char HexDigits[] = "0123456789ABCDEF";

inline bool IsUpperHex(ushort u)
{
    return (u >= '0' && u <= '9') || (u >= 'A' && u <= 'F');
}

inline bool IsUpperAlnum(ushort u)
{
    return (u >= '0' && u <= '9') || (u >= 'A' && u <= 'Z');
}

// The exclusive or of the codes, four characters at a time; false when a
// character lies outside Latin-1.
bool Latin1Checksum(const QChar *d, int n, uchar &sum)
{
    quint64 all = 0;
    quint64 either = 0;
    int p = 0;
    for (; p + 4 <= n; p += 4) {
        quint64 four;
        std::memcpy(&four, d + p, sizeof four);
        all ^= four;
        either |= four;
    }
    for (; p < n; ++p) {
        all ^= d[p].unicode();
        either |= d[p].unicode();
    }
    if (either & Q_UINT64_C(0xff00ff00ff00ff00))
        return false;
    all ^= all >> 32;
    all ^= all >> 16;
    sum = uchar(all);
    return true;
}

} // namespace

// The sentence is the first match of "[!$][0-9A-Z]{4,5}.+\*[0-9A-F]{2}" in the
// line. Since ".+" is greedy and may take any character, the match always ends
// at the last "*HH" of the line, and it starts at the first "$" or "!" that is
// followed by four upper-case letters or digits and lies at least six
// characters before that "*". Checking this by hand keeps a line at a few
// passes over its characters, with no pattern engine involved.
// Inline where it is used: a frame handed back through memory costs a stall
// on every line.
template <class Character>
Q_ALWAYS_INLINE SentenceView::Frame SentenceView::FindFrame(const Character *d, int n)
{
    const auto code = [d](int p) { return ushort(Code(d[p])); };
    Frame frame;
    for (int p = n - 3; p >= 0; --p) {
        if (code(p) == '*' && IsUpperHex(code(p + 1)) && IsUpperHex(code(p + 2))) {
            frame.star = p;
            break;
        }
    }
    for (int s = 0; s + 6 <= frame.star; ++s) {
        if ((code(s) == '$' || code(s) == '!') && IsUpperAlnum(code(s + 1)) &&
            IsUpperAlnum(code(s + 2)) && IsUpperAlnum(code(s + 3)) && IsUpperAlnum(code(s + 4))) {
            frame.start = s;
            break;
        }
    }
    return frame;
}

template <class Character>
bool SentenceView::ChecksumMatches(const Character *d, const Frame &frame, uchar sum)
{
    return Code(d[frame.star + 1]) == HexDigits[sum >> 4] &&
           Code(d[frame.star + 2]) == HexDigits[sum & 0x0f];
}

SentenceView::Frame SentenceView::Locate(const QChar *d, int n, short *separators, short *count)
{
    Frame frame = FindFrame(d, n);
    if (frame.start < 0)
        return frame;
    // The sender's checksum covers every character between the start
    // character and the final "*", separators included as they stand. A
    // character outside Latin-1 counts as the "?" that goes on the line.
    const int first = frame.start + 1;
    uchar sum = 0;
    if (!Latin1Checksum(d + first, frame.star - first, sum)) {
        for (int p = first; p < frame.star; ++p) {
            const ushort u = d[p].unicode();
            sum ^= u > 0xff ? uchar('?') : uchar(u);
        }
    }
    if (separators) {
        short found = *count;
        int p = first;
#if defined(__SSE2__)
        // Eight characters compared at once; a mask bit for each separator.
        const __m128i comma = _mm_set1_epi16(',');
        const __m128i star = _mm_set1_epi16('*');
        for (; p + 8 <= frame.star; p += 8) {
            const __m128i chars = _mm_loadu_si128(reinterpret_cast<const __m128i *>(d + p));
            const __m128i hits =
                _mm_or_si128(_mm_cmpeq_epi16(chars, comma), _mm_cmpeq_epi16(chars, star));
            for (uint mask = uint(_mm_movemask_epi8(hits)) & 0x5555u; mask; mask &= mask - 1)
                separators[found++] = short(p + int(qCountTrailingZeroBits(mask)) / 2);
        }
#endif
        // Every position is written and kept only at a separator: fields
        // are short, and a branch there would be guessed wrong every time.
        for (; p < frame.star; ++p) {
            const ushort u = d[p].unicode();
            separators[found] = short(p);
            found += short(u == ',' || u == '*');
        }
        *count = found;
    }
    frame.checksumOk = ChecksumMatches(d, frame, sum);
    return frame;
}

// As above on bytes, each the character of its code: sixteen at a time, the
// sum and the separators in the same pass.
Q_ALWAYS_INLINE SentenceView::Frame SentenceView::LocateBytes(const char *d, int n,
                                                              short *separators, short *count)
{
    Frame frame = FindFrame(d, n);
    if (frame.start < 0)
        return frame;
    short found = *count;
    int p = frame.start + 1;
    uchar sum = 0;
#if defined(__SSE2__)
    const __m128i comma = _mm_set1_epi8(',');
    const __m128i star = _mm_set1_epi8('*');
    __m128i sums = _mm_setzero_si128();
    for (; p + 16 <= frame.star; p += 16) {
        const __m128i chars = _mm_loadu_si128(reinterpret_cast<const __m128i *>(d + p));
        sums = _mm_xor_si128(sums, chars);
        const __m128i hits =
            _mm_or_si128(_mm_cmpeq_epi8(chars, comma), _mm_cmpeq_epi8(chars, star));
        for (uint mask = uint(_mm_movemask_epi8(hits)); mask; mask &= mask - 1)
            separators[found++] = short(p + int(qCountTrailingZeroBits(mask)));
    }
    // The rest, fewer than sixteen, as the last sixteen before the "*" with
    // those already read masked out.
    if (p < frame.star && frame.star >= 16) {
        alignas(16) static const uchar last[32] = {0,    0,    0,    0,    0,    0,    0,    0,
                                                   0,    0,    0,    0,    0,    0,    0,    0,
                                                   0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
                                                   0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
        const int from = frame.star - 16;
        const __m128i keep =
            _mm_loadu_si128(reinterpret_cast<const __m128i *>(last + frame.star - p));
        const __m128i chars =
            _mm_and_si128(_mm_loadu_si128(reinterpret_cast<const __m128i *>(d + from)), keep);
        sums = _mm_xor_si128(sums, chars);
        const __m128i hits = _mm_and_si128(
            _mm_or_si128(_mm_cmpeq_epi8(chars, comma), _mm_cmpeq_epi8(chars, star)), keep);
        for (uint mask = uint(_mm_movemask_epi8(hits)); mask; mask &= mask - 1)
            separators[found++] = short(from + int(qCountTrailingZeroBits(mask)));
        p = frame.star;
    }
    sums = _mm_xor_si128(sums, _mm_srli_si128(sums, 8));
    sums = _mm_xor_si128(sums, _mm_srli_si128(sums, 4));
    sums = _mm_xor_si128(sums, _mm_srli_si128(sums, 2));
    sums = _mm_xor_si128(sums, _mm_srli_si128(sums, 1));
    sum = uchar(_mm_cvtsi128_si32(sums));
#endif
    for (; p < frame.star; ++p) {
        const uchar c = uchar(d[p]);
        sum ^= c;
        separators[found] = short(p);
        found += short(c == ',' || c == '*');
    }
    *count = found;
    frame.checksumOk = ChecksumMatches(d, frame, sum);
    return frame;
}

void SentenceView::Read(const QChar *line, int n)
{
    text = line;
    bytes = nullptr;
    room = nullptr;
    length = 0;
    fieldStart = 0;
    fieldCount = 0;
    valid = false;
    if (CountedLength(line, n) > ParsedSentence::MaxLength)
        return;
    // At most MaxLength fields fit in a valid line, fewer than fieldEnd holds.
    Take(Locate(text, n, fieldEnd, &fieldCount));
}

void SentenceView::Read(const char *line, int n, char16_t *widened)
{
    text = nullptr;
    bytes = line;
    room = widened;
    length = short(n);
    fieldStart = 0;
    fieldCount = 0;
    valid = false;
    // The caller counts the line's end, which is not among the bytes.
    if (n > ParsedSentence::MaxLength)
        return;
    Take(LocateBytes(bytes, n, fieldEnd, &fieldCount));
}

void SentenceView::Take(const Frame &frame)
{
    if (frame.start < 0 || !frame.checksumOk) {
        fieldCount = 0;
        return;
    }
    fieldStart = short(frame.start);
    fieldEnd[fieldCount++] = short(frame.star);
    valid = true;
}

void SentenceView::Widen() const
{
    int i = 0;
#if defined(__SSE2__)
    // Sixteen bytes at a time, each with a zero high byte.
    const __m128i zero = _mm_setzero_si128();
    for (; i + 16 <= length; i += 16) {
        const __m128i sixteen = _mm_loadu_si128(reinterpret_cast<const __m128i *>(bytes + i));
        _mm_storeu_si128(reinterpret_cast<__m128i *>(room + i), _mm_unpacklo_epi8(sixteen, zero));
        _mm_storeu_si128(reinterpret_cast<__m128i *>(room + i + 8),
                         _mm_unpackhi_epi8(sixteen, zero));
    }
#endif
    for (; i < length; ++i)
        room[i] = uchar(bytes[i]);
    text = reinterpret_cast<const QChar *>(room);
}

// Each field is read as it is passed: plain digits, nine at the most, make
// the number at once; anything else is left to the framework's reading.
// Fields of two or three digits, nearly all on the line, are read whole.
template <class Character>
void SentenceView::NumbersOf(const Character *d, const short *ends, int from, int count,
                             int *values)
{
    for (int k = 0; k < count; ++k) {
        const int end = ends[k];
        const Character *field = d + from;
        uint value = 0;
        bool plain = end - from <= 9;
        if (end - from == 2) {
            const uint tens = uint(Code(field[0])) - '0';
            const uint ones = uint(Code(field[1])) - '0';
            plain = qMax(tens, ones) <= 9;
            value = tens * 10 + ones;
        } else if (end - from == 3) {
            const uint hundreds = uint(Code(field[0])) - '0';
            const uint tens = uint(Code(field[1])) - '0';
            const uint ones = uint(Code(field[2])) - '0';
            plain = qMax(qMax(hundreds, tens), ones) <= 9;
            value = hundreds * 100 + tens * 10 + ones;
        } else {
            for (int p = from; p < end; ++p) {
                const uint digit = uint(Code(d[p])) - '0';
                plain &= digit <= 9;
                value = value * 10 + digit;
            }
        }
        if (plain)
            values[k] = int(value);
        else if constexpr (sizeof(Character) == 1)
            values[k] = IntOfText(reinterpret_cast<const char *>(d) + from, end - from);
        else
            values[k] = IntOfText(QStringView(d + from, end - from));
        from = end + 1;
    }
}

void SentenceView::Numbers(int first, int count, int *values) const
{
    const int present = qBound(0, fieldCount - first, count);
    std::fill(values + present, values + count, 0);
    if (present == 0)
        return;
    const int from = first == 0 ? fieldStart : fieldEnd[first - 1] + 1;
    if (bytes)
        NumbersOf(bytes, fieldEnd + first, from, present, values);
    else
        NumbersOf(text, fieldEnd + first, from, present, values);
}

int SentenceView::IntOfText(const char *line, int n)
{
    return IntOfText(QStringView(QString::fromLatin1(line, n)));
}

const SentenceView &SentenceView::Shared(const QString &line)
{
    // The copy of the line held here keeps its characters from being changed
    // in place, so a line with the same characters at the same address is the
    // same line. Literals and raw data are not held that way; they are parsed
    // each time.
    struct Last
    {
        QString line;
        SentenceView view;
    };
    thread_local Last last;
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    const bool held = const_cast<QString &>(line).data_ptr().d_ptr() != nullptr;
#else
    const bool held = !const_cast<QString &>(line).data_ptr()->ref.isStatic();
#endif
    if (held && line.constData() == last.line.constData() && line.size() == last.line.size())
        return last.view;
    last.line = line;
    last.view = SentenceView(last.line);
    return last.view;
}

QStringView SentenceView::Talker() const
{
    const QStringView address = Field(0);
    if (address.size() < 2)
        return QStringView();
    return address.at(1) == QLatin1Char('P') ? address.mid(1, 1) : address.mid(1, 2);
}

QStringView SentenceView::Formatter() const
{
    const QStringView address = Field(0);
    if (address.size() < 2)
        return QStringView();
    return address.mid(address.at(1) == QLatin1Char('P') ? 2 : 3);
}

bool SentenceView::String(int i, QString &out) const
{
    out.clear();
    if (!Has(i))
        return false;
    out = Field(i).toString();
    return true;
}

bool SentenceView::Char(int i, QChar &out) const
{
    out = QChar();
    const QStringView field = Field(i);
    if (field.isEmpty())
        return false;
    out = field.at(0);
    return true;
}

bool SentenceView::Digit(int i, int &out) const
{
    out = 0;
    const QStringView field = Field(i);
    if (field.isEmpty())
        return false;
    const ushort u = field.at(0).unicode();
    if (u >= '0' && u <= '9')
        out = u - '0';
    return true;
}

bool SentenceView::Int(int i, int &out) const
{
    out = 0;
    const QStringView field = Field(i);
    if (field.isEmpty())
        return false;
    out = IntOf(field);
    return true;
}

int SentenceView::IntOfText(QStringView text)
{
    bool ok = false;
    const int value = QString::fromRawData(text.data(), int(text.size())).toInt(&ok, 10);
    return ok ? value : 0;
}

double SentenceView::DoubleOf(QStringView text)
{
    // Digits with at most one inner point, fifteen digits at most: the digits
    // as an integer and the power of ten are both exact in a double, so their
    // quotient is the correctly rounded value, as the framework's parse gives.
    static const double powers[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                    1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    const int n = int(text.size());
    if (n > 0 && n <= 16) {
        const QChar *c = text.data();
        qint64 mantissa = 0;
        int i = 0;
        uint digit = 0;
        for (; i < n && (digit = uint(c[i].unicode()) - '0') <= 9; ++i)
            mantissa = mantissa * 10 + digit;
        int decimals = 0;
        if (i > 0 && i < n - 1 && c[i] == QLatin1Char('.')) {
            const int point = i++;
            for (; i < n && (digit = uint(c[i].unicode()) - '0') <= 9; ++i)
                mantissa = mantissa * 10 + digit;
            decimals = i - point - 1;
        }
        // Sixteen characters with a point hold fifteen digits at most.
        if (i == n && (decimals > 0 || n <= 15))
            return double(mantissa) / powers[decimals];
    }
    return QString::fromRawData(text.data(), n).toDouble();
}
