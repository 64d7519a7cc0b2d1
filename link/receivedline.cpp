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
    } else if (size <= ParsedSentence::MaxLength &&
               (encoding == Encoding::Latin1 || PlainAscii())) {
        // A byte of Latin-1 or ASCII is the character of that code.
        for (int i = 0; i < size; ++i)
            wide[i] = QLatin1Char(bytes[i]);
        view = SentenceView(wide, size);
    } else if (encoding == Encoding::Utf8 && !PlainAscii()) {
        // Several bytes may make one character: the text decides the length.
        view = SentenceView(Text());
    }
    // Anything else is longer than any sentence.
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
