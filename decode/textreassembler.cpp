#include "decode/textreassembler.h"

#include "sentences/parsedsentence.h"

namespace {

// The text field arrives as bytes widened one to one into characters; read
// them as UTF-8. A text that already holds wider characters was decoded
// before and is kept.
QString DecodeUtf8(const QString &field)
{
    for (const QChar c : field) {
        if (c.unicode() > 0xff)
            return field;
    }
    return QString::fromUtf8(field.toLatin1());
}

} // namespace

TextReassembler::TextReassembler(int identifiers)
    : buffers(identifiers, MultipartBuffer(MaxTextLength))
{}

bool TextReassembler::Add(const ParsedSentence &sentence, QString &message)
{
    int total = 0;
    int number = 0;
    int identifier = 0;
    QString text;
    const bool haveTotal = sentence.GetInt(1, total);
    const bool haveNumber = sentence.GetInt(2, number);
    sentence.GetInt(3, identifier);
    if (!sentence.GetString(4, text) || !haveTotal || !haveNumber)
        return false;
    text = DecodeUtf8(text);
    ParsedSentence::Unescape(text);

    if (identifier < 0 || identifier >= buffers.size())
        return false;
    MultipartBuffer &buffer = buffers[identifier];
    if (!buffer.Add(number, text))
        return false;
    if (number != total)
        return false;
    message = buffer.Text();
    return true;
}
