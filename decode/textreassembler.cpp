#include "decode/textreassembler.h"

#include "model/utf8text.h"
#include "sentences/parsedsentence.h"
#include "sentences/sentenceview.h"

namespace {

// From a port the text field arrives as bytes widened one to one into
// characters; read them as UTF-8. A text that is not valid UTF-8 that way (a
// replayed log is decoded already, or the unit sent Latin-1) is kept as it is.
QString DecodeUtf8(const QString &field)
{
    bool ascii = true;
    for (const QChar c : field) {
        if (c.unicode() > 0xff)
            return field;
        ascii = ascii && c.unicode() < 0x80;
    }
    // Plain ASCII reads the same either way.
    if (ascii)
        return field;
    const QByteArray bytes = field.toLatin1();
    QString decoded;
    return Utf8Text::Decode(bytes, &decoded) ? decoded : field;
}

} // namespace

TextReassembler::TextReassembler(int identifiers)
    : buffers(identifiers, MultipartBuffer(MaxTextLength)), lastPartFull(identifiers, false)
{}

bool TextReassembler::Add(const SentenceView &sentence, QString &message)
{
    int total = 0;
    int number = 0;
    int identifier = 0;
    QString text;
    const bool haveTotal = sentence.Int(1, total);
    const bool haveNumber = sentence.Int(2, number);
    sentence.Int(3, identifier);
    if (!sentence.String(4, text) || !haveTotal || !haveNumber)
        return false;
    if (identifier < 0 || identifier >= buffers.size())
        return false;
    const bool full = text.size() >= FullPartLength;
    text = DecodeUtf8(text);
    ParsedSentence::Unescape(text);

    MultipartBuffer &buffer = buffers[identifier];
    const bool continues = number == 1 || lastPartFull.at(identifier);
    lastPartFull[identifier] = full;
    if (!buffer.Add(number, continues ? text : QStringLiteral("; ") + text))
        return false;
    if (number != total)
        return false;
    message = buffer.Text();
    return true;
}
