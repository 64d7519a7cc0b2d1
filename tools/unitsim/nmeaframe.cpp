#include "nmeaframe.h"

#include <cstring>

namespace {

const char HexDigits[] = "0123456789ABCDEF";
const char Reserved[] = "$*,!\\^~";

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

} // namespace

QByteArray NmeaFrame::checksum(const QByteArray &body)
{
    unsigned char sum = 0;
    for (char c : body)
        sum ^= static_cast<unsigned char>(c);
    QByteArray out(2, '0');
    out[0] = HexDigits[sum >> 4];
    out[1] = HexDigits[sum & 0x0F];
    return out;
}

QByteArray NmeaFrame::build(char start, const QByteArray &address, const QList<QByteArray> &fields)
{
    QByteArray body = address;
    for (const QByteArray &f : fields) {
        body += ',';
        body += f;
    }
    QByteArray line;
    line.reserve(body.size() + 6);
    line += start;
    line += body;
    line += '*';
    line += checksum(body);
    line += "\r\n";
    return line;
}

NmeaSentence NmeaFrame::parse(const QByteArray &raw)
{
    NmeaSentence s;
    QByteArray line = raw;
    while (line.endsWith('\n') || line.endsWith('\r'))
        line.chop(1);
    int begin = -1;
    for (int i = 0; i < line.size(); ++i) {
        if (line.at(i) == '$' || line.at(i) == '!') {
            begin = i;
            break;
        }
    }
    if (begin < 0) {
        s.error = QStringLiteral("no start character");
        return s;
    }
    line = line.mid(begin);
    const int star = line.lastIndexOf('*');
    if (star < 0 || star != line.size() - 3) {
        s.error = QStringLiteral("no checksum");
        return s;
    }
    if (line.size() > MaxSentenceLength) {
        s.error = QStringLiteral("longer than 82 characters");
        return s;
    }
    const QByteArray body = line.mid(1, star - 1);
    const int high = hexValue(line.at(star + 1));
    const int low = hexValue(line.at(star + 2));
    const QByteArray expected = checksum(body);
    if (high < 0 || low < 0 ||
        (high << 4 | low) != (hexValue(expected[0]) << 4 | hexValue(expected[1]))) {
        s.error = QStringLiteral("checksum mismatch");
        return s;
    }
    for (char c : body) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || u > 0x7E || c == '$' || c == '!' || c == '*') {
            s.error = QStringLiteral("reserved or unprintable character");
            return s;
        }
    }
    QList<QByteArray> parts = body.split(',');
    s.start = line.at(0);
    s.address = parts.takeFirst();
    s.fields = parts;
    if (s.address.size() < 3) {
        s.error = QStringLiteral("address too short");
        return s;
    }
    s.valid = true;
    return s;
}

QByteArray NmeaFrame::escape(const QString &text)
{
    const QByteArray latin = text.toLatin1();
    QByteArray out;
    out.reserve(latin.size());
    for (char c : latin) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || std::strchr(Reserved, c) || u > 0x7E) {
            out += '^';
            out += HexDigits[u >> 4];
            out += HexDigits[u & 0x0F];
        } else {
            out += c;
        }
    }
    return out;
}

QString NmeaFrame::unescape(const QByteArray &text)
{
    QByteArray out;
    out.reserve(text.size());
    for (int i = 0; i < text.size(); ++i) {
        if (text.at(i) == '^' && i + 2 < text.size()) {
            const int high = hexValue(text.at(i + 1));
            const int low = hexValue(text.at(i + 2));
            if (high >= 0 && low >= 0) {
                out += char(high << 4 | low);
                i += 2;
                continue;
            }
        }
        out += text.at(i);
    }
    return QString::fromLatin1(out);
}
