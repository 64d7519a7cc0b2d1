#include "aisvalidator.h"

#include "sentences/parsedsentence.h"

#include <QStringList>

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
    if (mending) {
        // The text put in lies between what it has in common with the text
        // before at its start and at its end.
        const int common = qMin(input.size(), previous.size());
        int head = 0;
        while (head < common && input.at(head) == previous.at(head))
            ++head;
        int tail = 0;
        while (tail < common - head &&
               input.at(input.size() - 1 - tail) == previous.at(previous.size() - 1 - tail))
            ++tail;
        const QString why = Mend(input, head, int(input.size()) - tail, pos);
        if (!why.isEmpty())
            emit Refused(why);
    }
    previous = input;
    // A name that came in as it is (from a file) and cannot be sent stays, to
    // be mended by hand; the owner says why.
    State state = Acceptable;
    for (const QChar c : input) {
        if (!InSet(c))
            state = Intermediate;
    }
    if (input.size() > maximumLength || EncodedLength(input) > maximumEncodedLength)
        state = Intermediate;
    return state;
}

QString AisValidator::Mend(QString &input, int from, int to, int &pos) const
{
    const int before = int(input.size());
    QStringList outside;
    for (int i = from; i < to;) {
        const QChar c = input.at(i);
        if (InSet(c)) {
            ++i;
        } else if (c >= QLatin1Char('a') && c <= QLatin1Char('z')) {
            input[i] = c.toUpper();
            ++i;
        } else {
            if (!outside.contains(c))
                outside << c;
            input.remove(i, 1);
            --to;
        }
    }
    // What does not fit goes from the end of what was put in, so that the
    // start of a pasted text stays, and the text after the cursor.
    QString cut;
    const bool tooMany = input.size() > maximumLength;
    while (to > from &&
           (input.size() > maximumLength || EncodedLength(input) > maximumEncodedLength)) {
        cut.prepend(input.at(to - 1));
        input.remove(--to, 1);
    }
    const int removed = before - int(input.size());
    if (pos >= to + removed)
        pos -= removed;
    else
        pos = qMin(pos, to);

    QStringList why;
    if (outside.size() == 1)
        why << tr("\"%1\" dropped: it is not in the AIS character set (capitals, digits, "
                  "blanks and common signs).")
                   .arg(outside.first());
    else if (!outside.isEmpty())
        why << tr("%1 dropped: they are not in the AIS character set (capitals, digits, blanks "
                  "and common signs).")
                   .arg(QLatin1Char('"') + outside.join(QStringLiteral("\", \"")) +
                        QLatin1Char('"'));
    if (cut.size() == 1 && !tooMany && ParsedSentence::IsReserved(cut.at(0)))
        why << tr("\"%1\" dropped: it is sent as three characters, and there is no room for "
                  "three.")
                   .arg(cut);
    else if (!cut.isEmpty() && tooMany)
        why << tr("\"%1\" dropped: %2 characters at most.").arg(cut).arg(maximumLength);
    else if (!cut.isEmpty())
        why << tr("\"%1\" dropped: no room left once each of $*,!\\^~ is sent as three "
                  "characters.")
                   .arg(cut);
    return why.join(QLatin1Char('\n'));
}

void AisValidator::fixup(QString &input) const
{
    // Only the letters: a name too long stays whole until it is shortened
    // by hand, rather than lose its end unseen when the field is left.
    input = input.toUpper();
}
