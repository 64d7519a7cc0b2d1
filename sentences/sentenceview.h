#ifndef SENTENCEVIEW_H
#define SENTENCEVIEW_H

#include <QLatin1String>
#include <QString>
#include <QStringView>

// A received line read in place: the same checks as ParsedSentence (length,
// shape, checksum), but the fields stay where they are in the line and are
// only located, so that looking at a sentence allocates nothing. Only a valid
// sentence has fields. The line must outlive the view.
class SentenceView
{
public:
    // Where a sentence lies in a line: from its start character to its final
    // "*", whose two checksum digits follow. start is -1 when the line holds
    // no sentence shape.
    struct Frame
    {
        int start = -1;
        int star = -1;
        bool checksumOk = false;
    };
    // Given room for them, the index of every separator between the start
    // character and the final "*" is recorded too; separators must have room
    // for one entry per character of the line.
    static Frame Locate(const QChar *line, int length, short *separators = nullptr,
                        short *count = nullptr);

    // The length that the longest-line rule counts. A sentence ends in CR LF
    // on the line; the line assembly keeps only the LF, which then stands
    // for both, so that a received line is judged as it came.
    static int CountedLength(const QChar *line, int length)
    {
        const bool loneLineFeed = length > 0 && line[length - 1] == QLatin1Char('\n') &&
                                  (length < 2 || line[length - 2] != QLatin1Char('\r'));
        return length + int(loneLineFeed);
    }

    SentenceView() = default;
    explicit SentenceView(const QString &line) : SentenceView(line.constData(), line.size()) {}
    SentenceView(const QChar *line, int length) { Read(line, length); }
    // Views another line, as a new view of it would, without the copy.
    void Read(const QChar *line, int length);
    // The same for a line of bytes, each the character of its code. The
    // numbers, the address and the first characters are read from the bytes;
    // only a reader of a field's text has the line widened, into room (as
    // long as the line), which must outlive the view as the bytes do.
    void Read(const char *bytes, int length, char16_t *room);

    // The view of the line most recently looked at on this thread, parsed
    // anew only when the line differs: the consumers of one received line
    // share a single parse.
    static const SentenceView &Shared(const QString &line);

    bool IsValid() const { return valid; }
    // Talker() == talker and Formatter() == formatter, told from the
    // characters in place: the address is the start character, the talker
    // ("P" alone for a proprietary sentence) and the formatter.
    bool Is(QLatin1String talker, QLatin1String formatter) const
    {
        if (!valid)
            return false;
        const int length = fieldEnd[0] - fieldStart - 1;
        if (length != talker.size() + formatter.size())
            return false;
        return bytes ? Spells(bytes + fieldStart + 1, talker, formatter)
                     : Spells(text + fieldStart + 1, talker, formatter);
    }
    QStringView Talker() const;
    QStringView Formatter() const;

    // Field 0 is the address field ("$GPRMC"); 0 fields when not valid.
    int FieldCount() const { return fieldCount; }
    bool Has(int i) const { return i >= 0 && i < fieldCount; }
    QStringView Field(int i) const
    {
        if (!Has(i))
            return QStringView();
        const int from = i == 0 ? fieldStart : fieldEnd[i - 1] + 1;
        return QStringView(Characters() + from, fieldEnd[i] - from);
    }
    // The number of each of count fields from field first on, as IntOf reads
    // it (0 for a field that does not exist), in one pass over the line.
    void Numbers(int first, int count, int *values) const;
    int Number(int i) const
    {
        int value = 0;
        Numbers(i, 1, &value);
        return value;
    }
    // The first character of field i, or 0 when the field is empty or does
    // not exist.
    ushort FirstCode(int i) const
    {
        if (!Has(i) || fieldEnd[i] == (i == 0 ? fieldStart : fieldEnd[i - 1] + 1))
            return 0;
        const int at = i == 0 ? fieldStart : fieldEnd[i - 1] + 1;
        return bytes ? uchar(bytes[at]) : text[at].unicode();
    }

    // As ParsedSentence's accessors: out is set to its empty value first;
    // false when the field does not exist, and for an empty field except
    // with String.
    bool String(int i, QString &out) const;
    bool Char(int i, QChar &out) const;
    bool Digit(int i, int &out) const;
    bool Int(int i, int &out) const;

    // A field's number as the framework reads it (0 when it is none), read in
    // place where it is plain digits.
    static int IntOf(QStringView text)
    {
        // Nine plain digits cannot overflow an int; nearly every number on
        // the line is read here.
        const int n = int(text.size());
        if (n == 0 || n > 9)
            return n == 0 ? 0 : IntOfText(text);
        int value = 0;
        for (int i = 0; i < n; ++i) {
            const uint digit = uint(text[i].unicode()) - '0';
            if (digit > 9)
                return IntOfText(text);
            value = value * 10 + int(digit);
        }
        return value;
    }
    static double DoubleOf(QStringView text);

private:
    template <class Character>
    static bool Spells(const Character *address, QLatin1String talker, QLatin1String formatter)
    {
        // "P" alone is the talker of a proprietary sentence.
        if ((Code(address[0]) == 'P') != (talker.size() == 1))
            return false;
        for (int i = 0; i < talker.size(); ++i) {
            if (Code(address[i]) != uchar(talker.data()[i]))
                return false;
        }
        address += talker.size();
        for (int i = 0; i < formatter.size(); ++i) {
            if (Code(address[i]) != uchar(formatter.data()[i]))
                return false;
        }
        return true;
    }
    static ushort Code(QChar c) { return c.unicode(); }
    static ushort Code(char c) { return uchar(c); }
    template <class Character>
    static void NumbersOf(const Character *line, const short *ends, int from, int count,
                          int *values);
    static int IntOfText(const char *bytes, int length);
    // The line's characters, widened from its bytes the first time.
    const QChar *Characters() const
    {
        if (!text)
            Widen();
        return text;
    }
    void Widen() const;
    // Takes the fields of a frame located with them.
    void Take(const Frame &frame);
    template <class Character> static Frame FindFrame(const Character *line, int length);
    template <class Character>
    static bool ChecksumMatches(const Character *line, const Frame &frame, uchar sum);
    static Frame LocateBytes(const char *line, int length, short *separators, short *count);
    // The framework's reading, of a number that is not plain digits.
    static int IntOfText(QStringView text);

    // The characters, once there are any; for a line of bytes, once a
    // reader has asked.
    mutable const QChar *text = nullptr;
    // Only for a line read as bytes: the bytes, and where they widen to.
    const char *bytes = nullptr;
    char16_t *room = nullptr;
    short length = 0;
    // fieldEnd[i] is the index of the separator after field i; field i
    // starts after fieldEnd[i - 1] (field 0 at the start character). Only
    // the first fieldCount entries are ever written or read: a view is made
    // for every received line, and clearing the rest would cost more than
    // reading the line.
    short fieldStart = 0;
    short fieldCount = 0;
    short fieldEnd[84];
    bool valid = false;
};

#endif // SENTENCEVIEW_H
