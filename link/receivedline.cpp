#include "link/receivedline.h"

const QString &ReceivedLine::Text() const
{
    if (!haveText) {
        haveText = true;
        text = encoding == Encoding::Latin1 ? QString::fromLatin1(bytes, size)
                                            : QString::fromUtf8(bytes, size);
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
        view = SentenceView(text);
        return view;
    }
    if (size <= ParsedSentence::MaxLength) {
        // A byte of Latin-1 or ASCII is the character of that code.
        uchar all = 0;
        for (int i = 0; i < size; ++i) {
            const uchar byte = uchar(bytes[i]);
            wide[i] = QLatin1Char(char(byte));
            all |= byte;
        }
        if (encoding == Encoding::Latin1 || all < 0x80) {
            view = SentenceView(wide, size);
            return view;
        }
    }
    // Several bytes of UTF-8 may make one character: the text decides the
    // length. Any other line is longer than a sentence can be.
    if (encoding == Encoding::Utf8 && !PlainAscii())
        view = SentenceView(Text());
    return view;
}

QByteArray ReceivedLine::Utf8() const
{
    if (bytes && PlainAscii())
        return QByteArray(bytes, size);
    return Text().toUtf8();
}

bool ReceivedLine::Contains(const char *word) const
{
    if (!bytes)
        return text.contains(QLatin1String(word));
    return QByteArray::fromRawData(bytes, size).contains(word);
}
