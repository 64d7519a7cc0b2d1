#ifndef AISVALIDATOR_H
#define AISVALIDATOR_H

#include <QValidator>

// Validates text that travels in AIS messages: only the 64 characters of the
// AIS six-bit set are final input, and both the plain length and the length
// after NMEA escaping are limited.  What is typed or pasted is mended rather
// than refused whole: lower-case letters become capitals, characters outside
// the set and whatever does not fit are dropped from the text just put in,
// and Refused names them.  Text the program shows (SetMending(false) around
// it) is judged only, never changed, so that a file's name is shown as held.
class AisValidator : public QValidator
{
    Q_OBJECT

public:
    AisValidator(int maximumLength, int maximumEncodedLength, QObject *parent = nullptr);

    State validate(QString &input, int &pos) const override;
    void fixup(QString &input) const override;
    void SetMending(bool on) { mending = on; }

    int MaximumLength() const { return maximumLength; }
    int MaximumEncodedLength() const { return maximumEncodedLength; }

    // Length of `text` once the characters reserved by NMEA 0183 are sent as
    // a caret and two hexadecimal digits.
    static int EncodedLength(const QString &text);
    static bool InSet(QChar c) { return c.unicode() >= 32 && c.unicode() <= 95; }

signals:
    // Input was dropped: what, and why.
    void Refused(const QString &why) const;

private:
    // Mends the text put in between `from` and `to`; the reason for what was
    // dropped, empty when nothing was.
    QString Mend(QString &input, int from, int to, int &pos) const;

    int maximumLength;
    int maximumEncodedLength;
    bool mending = true;
    // The text last validated: what differs from it is what was put in.
    mutable QString previous;
};

#endif // AISVALIDATOR_H
