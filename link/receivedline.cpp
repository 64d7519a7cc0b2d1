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
    int i = 0;
#if defined(__SSE2__)
    // Sixteen bytes at a time: a byte of 128 or more has its top bit set.
    if (size >= 16) {
        // The last sixteen cover the rest, some of them read twice.
        __m128i seen = _mm_loadu_si128(reinterpret_cast<const __m128i *>(bytes + size - 16));
        for (; i + 16 <= size; i += 16)
            seen =
                _mm_or_si128(seen, _mm_loadu_si128(reinterpret_cast<const __m128i *>(bytes + i)));
        return !_mm_movemask_epi8(seen);
    }
#endif
    for (; i < size; ++i) {
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
    // A byte of Latin-1 or ASCII is the character of that code, and is read
    // where it lies. The length limit counts the line end as the CR LF it
    // was on the line.
    const bool plain = encoding == Encoding::Latin1 || PlainAscii();
    if (plain && size + 2 * int(lineEnd) <= ParsedSentence::MaxLength) {
        view.Read(bytes, size, wide);
        return view;
    }
    // Several bytes of UTF-8 may make one character: the text decides the
    // length. Any other line is longer than a sentence can be.
    if (!plain)
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
