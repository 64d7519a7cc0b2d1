#include "link/receivedline.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

const QString &ReceivedLine::Text() const
{
    if (!haveText) {
        haveText = true;
        text = encoding == Encoding::Latin1 ? QString::fromLatin1(bytes, size)
                                            : QString::fromUtf8(bytes, size);
        if (lineEnd)
            text += QLatin1Char('\n');
    }
    return text;
}

bool ReceivedLine::PlainAscii() const
{
    for (int i = 0; i < size; ++i) {
        if (uchar(bytes[i]) > 127)
            return false;
    }
    return true;
}

const SentenceView &ReceivedLine::Sentence() const
{
    if (parsed)
        return view;
    parsed = true;
    if (!bytes) {
        view.Read(text.constData(), text.size());
        return view;
    }
    // The length limit counts the line end as the CR LF it was on the line.
    if (size + 2 * int(lineEnd) <= ParsedSentence::MaxLength) {
        // A byte of Latin-1 or ASCII is the character of that code.
        uchar all = 0;
        int i = 0;
#if defined(__SSE2__)
        // Sixteen bytes at a time, each widened with a zero high byte.
        const __m128i zero = _mm_setzero_si128();
        __m128i seen = zero;
        for (; i + 16 <= size; i += 16) {
            const __m128i sixteen = _mm_loadu_si128(reinterpret_cast<const __m128i *>(bytes + i));
            seen = _mm_or_si128(seen, sixteen);
            _mm_storeu_si128(reinterpret_cast<__m128i *>(wide + i),
                             _mm_unpacklo_epi8(sixteen, zero));
            _mm_storeu_si128(reinterpret_cast<__m128i *>(wide + i + 8),
                             _mm_unpackhi_epi8(sixteen, zero));
        }
        if (_mm_movemask_epi8(seen))
            all = 0x80;
#endif
        for (; i < size; ++i) {
            const uchar byte = uchar(bytes[i]);
            wide[i] = byte;
            all |= byte;
        }
        if (encoding == Encoding::Latin1 || all < 0x80) {
            view.Read(reinterpret_cast<const QChar *>(wide), bytes, size);
            return view;
        }
    }
    // Several bytes of UTF-8 may make one character: the text decides the
    // length. Any other line is longer than a sentence can be.
    if (encoding == Encoding::Utf8 && !PlainAscii())
        view.Read(Text().constData(), Text().size());
    return view;
}

QByteArray ReceivedLine::Utf8() const
{
    if (!bytes || !PlainAscii())
        return Text().toUtf8();
    QByteArray line(size + int(lineEnd), Qt::Uninitialized);
    std::memcpy(line.data(), bytes, size_t(size));
    if (lineEnd)
        line[size] = '\n';
    return line;
}

bool ReceivedLine::Contains(const char *word) const
{
    if (!bytes)
        return text.contains(QLatin1String(word));
    return QByteArray::fromRawData(bytes, size).contains(word);
}
