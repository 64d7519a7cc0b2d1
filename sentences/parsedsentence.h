#ifndef PARSEDSENTENCE_H
#define PARSEDSENTENCE_H

#include <QChar>
#include <QString>
#include <QStringList>

// Talker of every sentence that the tool builds.
inline const QString OwnTalker = QStringLiteral("UP");
// Talker that every answer from the unit carries; also the addressee of a query.
inline const QString UnitTalker = QStringLiteral("AI");

// One received line, split into its fields and checked: length, shape and
// checksum. A line that fails a check still keeps whatever fields the split
// gave, so every reader looks at valid first.
class ParsedSentence
{
public:
    // The longest line that can be valid, in characters.
    static constexpr int MaxLength = 82;

    ParsedSentence() = default;
    explicit ParsedSentence(const QString &line);

    // Field 0 is the address field with its start character ("$AIAID"); the
    // data fields follow from index 1; the received checksum is not kept.
    QStringList fields;
    bool valid = false;
    // Two letters, or "P" for a proprietary sentence; empty when not valid.
    QString talker;
    // "AID", or "VKX" for "$PVKX"; empty when not valid.
    QString formatter;

    // Each accessor first sets out to its empty value, and returns false when
    // the field does not exist.
    bool GetString(int i, QString &out) const; // true also for an empty field
    bool GetChar(int i, QChar &out) const;     // false for an empty field
    bool GetDigit(int i, int &out) const;      // first character only, non-digit 0
    bool GetHex(int i, int &out) const;        // whole field, base 16, failure 0
    bool GetInt(int i, int &out) const;        // whole field, base 10, failure 0

    // The fields joined by ",", then "*" and the checksum of the joined text.
    QString ToText() const { return ToText(fields); }
    static QString ToText(const QStringList &fields);

    // XOR of the Latin-1 codes of every character but the first (the "$" or
    // "!"), as two upper-case hexadecimal characters, high nibble first. A
    // character outside Latin-1 counts as "?", which is what goes on the line.
    static void Checksum(const QString &text, QChar &high, QChar &low);
    static QString Checksum(const QString &text);

    // Reserved characters "$*,!\^~", and control characters, travel as "^"
    // and two hexadecimal digits.
    static bool IsReserved(QChar c);
    static void Escape(QString &text);
    static void Unescape(QString &text);

    // The AIS six-bit value of one armoured payload character.
    static int SixBitValue(QChar c);

private:
    void Parse(const QString &line);
};

#endif // PARSEDSENTENCE_H
