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
    State state = Acceptable;
    for (const QChar c : input) {
        const ushort code = c.unicode();
        if (code >= 32 && code <= 95) {
            // The AIS six-bit character set: " " to "_".
            continue;
        }
        if (code >= 'a' && code <= 'z') {
            // Accepted while typing; fixup makes capitals of them.
            state = Intermediate;
            continue;
        }
        emit Refused(tr("\"%1\" dropped: it is not in the AIS character set (capitals, digits, "
                        "blanks and common signs).")
                         .arg(c));
        return Invalid;
    }
    if (input.size() > maximumLength) {
        emit Refused(tr("Dropped: %1 characters at most.").arg(maximumLength));
        return Invalid;
    }
    if (EncodedLength(input) > maximumEncodedLength) {
        // The character just typed stands before the cursor.
        const QChar typed = pos > 0 && pos <= input.size() ? input.at(pos - 1) : QChar();
        emit Refused(ParsedSentence::IsReserved(typed)
                         ? tr("\"%1\" dropped: it is sent as three characters, and there is "
                              "no room for three.")
                               .arg(typed)
                         : tr("Dropped: no room left."));
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
