#ifndef NMEAFRAME_H
#define NMEAFRAME_H

#include <QByteArray>
#include <QList>
#include <QString>

// One sentence as the unit receives it: the address (talker and formatter,
// without the start character) and the data fields, checksum removed.
struct NmeaSentence
{
    bool valid = false;
    char start = '$';
    QByteArray address;
    QList<QByteArray> fields; // fields[0] is the first data field
    QString error;            // why the line was refused, when not valid

    // Field i (counted from 0 = first data field), empty when absent.
    QByteArray field(int i) const
    {
        return i >= 0 && i < fields.size() ? fields.at(i) : QByteArray();
    }
    bool has(int i) const { return i >= 0 && i < fields.size(); }
};

// The unit's own NMEA 0183 framing: checksum, building and splitting lines,
// and the "^HH" escape of reserved characters.
class NmeaFrame
{
public:
    static const int MaxSentenceLength = 82; // "$" to the checksum, without "\r\n"

    // XOR of every byte between the start character and "*", as two upper-case
    // hexadecimal digits.
    static QByteArray checksum(const QByteArray &body);
    // start + address + "," + fields + "*" + checksum + "\r\n".
    static QByteArray build(char start, const QByteArray &address, const QList<QByteArray> &fields);
    // Splits one received line; leading noise before the start character and
    // the line end are ignored. Lower-case checksum digits are accepted, as
    // NMEA 0183 allows them.
    static NmeaSentence parse(const QByteArray &line);

    // Reserved characters become "^" and two upper-case hexadecimal digits.
    static QByteArray escape(const QString &text);
    // "^HH" becomes the Latin-1 character HH; a "^" without two hexadecimal
    // digits after it is kept as it is.
    static QString unescape(const QByteArray &text);
};

#endif // NMEAFRAME_H
