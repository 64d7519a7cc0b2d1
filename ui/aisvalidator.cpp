#include "aisvalidator.h"

#include "sentences/parsedsentence.h"

AisValidator::AisValidator(int maximumLength, int maximumEncodedLength, QObject *parent)
    : QValidator(parent), maximumLength(maximumLength), maximumEncodedLength(maximumEncodedLength)
{}

int AisValidator::EncodedLength(const QString &text)
{
    int length = 0;
    for (const QChar c : text)
        length += ParsedSentence::IsReserved(c) ? 3 : 1;
    return length;
}

QValidator::State AisValidator::validate(QString &input, int &pos) const
{
    Q_UNUSED(pos)
    State state = Acceptable;
    if (EncodedLength(input) > maximumEncodedLength || input.size() > maximumLength)
        state = Invalid;

    for (const QChar c : input) {
        const ushort code = c.unicode();
        if (code >= 32 && code <= 95) {
            // The AIS six-bit character set: " " to "_".
            continue;
        }
        if (code >= 'a' && code <= 'z') {
            // Accepted while typing; fixup makes capitals of them.
            if (state != Invalid)
                state = Intermediate;
            continue;
        }
        return Invalid;
    }
    return state;
}

void AisValidator::fixup(QString &input) const
{
    input = input.toUpper();
    if (input.size() > maximumLength)
        input.truncate(maximumLength);
}
