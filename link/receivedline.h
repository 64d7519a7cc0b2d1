#ifndef RECEIVEDLINE_H
#define RECEIVEDLINE_H

#include "sentences/parsedsentence.h"
#include "sentences/sentenceview.h"

#include <QByteArray>
#include <QString>

// One received line as the line assembly passes it on, read where it lies.
// Its text and its sentence are made from the bytes only when a reader asks,
// and once: every consumer of the line shares them. A plain ASCII line is
// parsed from its bytes directly; any other line is parsed from its text.
// The bytes must outlive the line, which lasts for one delivery.
class ReceivedLine
{
public:
    // How the bytes become text: a byte a character (a serial port), or
    // UTF-8 (a traffic log).
    enum class Encoding
    {
        Latin1,
        Utf8
    };

    // Whether a line end follows the bytes: a received line's end is not
    // among its bytes, so that a line ended by CR LF is read where it lies.
    // A prompt has none.
    enum class End
    {
        Implied,
        None
    };

    ReceivedLine(const char *bytes, int size, Encoding encoding, End end)
        : bytes(bytes), size(size), encoding(encoding), lineEnd(end == End::Implied)
    {}
    // A line that is text already.
    explicit ReceivedLine(const QString &text) : text(text), haveText(true) {}
    ReceivedLine(const ReceivedLine &) = delete;
    ReceivedLine &operator=(const ReceivedLine &) = delete;

    const QString &Text() const;
    const SentenceView &Sentence() const;
    // The line as a traffic log holds it.
    QByteArray Utf8() const;
    // The bytes hold text as it stands (a plain ASCII word).
    bool Contains(const char *word) const;

private:
    bool PlainAscii() const;

    const char *bytes = nullptr;
    int size = 0;
    Encoding encoding = Encoding::Latin1;
    bool lineEnd = false;
    mutable QString text;
    mutable bool haveText = false;
    mutable bool parsed = false;
    mutable SentenceView view;
    // Where the view of a line parsed from its bytes widens them, should a
    // reader ask for a field's text; never cleared.
    mutable char16_t wide[ParsedSentence::MaxLength];
};

#endif // RECEIVEDLINE_H
