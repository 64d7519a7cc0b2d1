#ifndef AISVALIDATOR_H
#define AISVALIDATOR_H

#include <QValidator>

// Validates text that travels in AIS messages: only the 64 characters of the
// AIS six-bit set are final input, lower-case letters are allowed while typing
// (fixup turns them into capitals), and both the plain length and the length
// after NMEA escaping are limited.
class AisValidator : public QValidator
{
    Q_OBJECT

public:
    AisValidator(int maximumLength, int maximumEncodedLength, QObject *parent = nullptr);

    State validate(QString &input, int &pos) const override;
    void fixup(QString &input) const override;

    int MaximumLength() const { return maximumLength; }
    int MaximumEncodedLength() const { return maximumEncodedLength; }

    // Length of `text` once the characters reserved by NMEA 0183 are sent as
    // a caret and two hexadecimal digits.
    static int EncodedLength(const QString &text);

signals:
    // Input was refused: why, naming the character at fault.
    void Refused(const QString &why) const;

private:
    int maximumLength;
    int maximumEncodedLength;
};

#endif // AISVALIDATOR_H
