#ifndef TESTCHECKSUM_H
#define TESTCHECKSUM_H

#include <QString>

// The tests' own sentence checksum, so that expected lines never lean on the
// code under test: XOR of every byte after the start character.
class TestChecksum
{
public:
    static QString Sum(const QString &line)
    {
        int x = 0;
        for (char c : line.toLatin1().mid(1))
            x ^= uchar(c);
        return QString::asprintf("%02X", x);
    }
    static QString Framed(const QString &line) { return line + '*' + Sum(line); }
    static QString Line(const QString &line) { return Framed(line) + "\r\n"; }
};

#endif // TESTCHECKSUM_H
