#include "sentences/parsedsentence.h"
#include "sentences/logcategories.h"

#include "sentences/sentenceview.h"

#include <QDebug>
#include <QLoggingCategory>

namespace {

const char HexDigits[] = "0123456789ABCDEF";

inline int HexValue(QChar c)
{
    const ushort u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    return -1;
}

// The byte that goes on the line for one character.
inline uchar Latin1(QChar c)
{
    const ushort u = c.unicode();
    return u > 0xff ? uchar('?') : uchar(u);
}

inline uchar XorOf(const QChar *begin, const QChar *end)
{
    uchar sum = 0;
    for (const QChar *p = begin; p < end; ++p)
        sum ^= Latin1(*p);
    return sum;
}

} // namespace

bool ParsedSentence::IsReserved(QChar c)
{
    switch (c.unicode()) {
    case '$':
    case '*':
    case ',':
    case '!':
    case '\\':
    case '^':
    case '~':
        return true;
    default:
        return false;
    }
}

ParsedSentence::ParsedSentence(const QString &line)
{
    Parse(line);
}

void ParsedSentence::Parse(const QString &line)
{
    const QChar *d = line.constData();
    valid = SentenceView::CountedLength(d, line.size()) <= MaxLength;
    const SentenceView::Frame frame = SentenceView::Locate(d, line.size());
    if (frame.start < 0) {
        valid = false;
        if (QLoggingCategory::defaultCategory()->isDebugEnabled())
            qCDebug(lcSentences).noquote() << "Unable to handle:" << line;
        return;
    }

    // The fields are the text up to the final "*", split at every "," and "*";
    // the part after the final "*" is the received checksum.
    int commas = 0;
    for (int p = frame.start; p < frame.star; ++p) {
        if (d[p] == QLatin1Char(',') || d[p] == QLatin1Char('*'))
            ++commas;
    }
    fields.reserve(commas + 1);
    int from = frame.start;
    for (int p = frame.start; p <= frame.star; ++p) {
        if (p == frame.star || d[p] == QLatin1Char(',') || d[p] == QLatin1Char('*')) {
            fields.append(p > from ? QString(d + from, p - from) : QString());
            from = p + 1;
        }
    }
    valid = valid && frame.checksumOk;

    if (!valid)
        return;
    const QString &address = fields.first();
    if (address.at(1) == QLatin1Char('P')) {
        talker = QStringLiteral("P");
        formatter = address.mid(2);
    } else {
        talker = address.mid(1, 2);
        formatter = address.mid(3);
    }
}

bool ParsedSentence::GetString(int i, QString &out) const
{
    out.clear();
    if (i < 0 || i >= fields.size())
        return false;
    out = fields.at(i);
    return true;
}

bool ParsedSentence::GetChar(int i, QChar &out) const
{
    out = QChar();
    if (i < 0 || i >= fields.size() || fields.at(i).isEmpty())
        return false;
    out = fields.at(i).at(0);
    return true;
}

bool ParsedSentence::GetDigit(int i, int &out) const
{
    out = 0;
    if (i < 0 || i >= fields.size() || fields.at(i).isEmpty())
        return false;
    const ushort u = fields.at(i).at(0).unicode();
    if (u >= '0' && u <= '9')
        out = u - '0';
    return true;
}

bool ParsedSentence::GetHex(int i, int &out) const
{
    out = 0;
    if (i < 0 || i >= fields.size() || fields.at(i).isEmpty())
        return false;
    bool ok = false;
    const int value = fields.at(i).toInt(&ok, 16);
    out = ok ? value : 0;
    return true;
}

bool ParsedSentence::GetInt(int i, int &out) const
{
    out = 0;
    if (i < 0 || i >= fields.size() || fields.at(i).isEmpty())
        return false;
    bool ok = false;
    const int value = fields.at(i).toInt(&ok, 10);
    out = ok ? value : 0;
    return true;
}

QString ParsedSentence::ToText(const QStringList &fields)
{
    QString text = fields.join(QLatin1Char(','));
    QChar high, low;
    Checksum(text, high, low);
    text.reserve(text.size() + 3);
    text += QLatin1Char('*');
    text += high;
    text += low;
    return text;
}

void ParsedSentence::Checksum(const QString &text, QChar &high, QChar &low)
{
    const uchar sum =
        text.isEmpty() ? 0 : XorOf(text.constData() + 1, text.constData() + text.size());
    high = QLatin1Char(HexDigits[sum >> 4]);
    low = QLatin1Char(HexDigits[sum & 0x0f]);
}

QString ParsedSentence::Checksum(const QString &text)
{
    QChar pair[2];
    Checksum(text, pair[0], pair[1]);
    return QString(pair, 2);
}

void ParsedSentence::Escape(QString &text)
{
    // Control characters go as escapes too: a line feed or carriage return
    // sent raw would end the sentence on the line.
    const auto mustEscape = [](QChar c) {
        return IsReserved(c) || c.unicode() < 0x20 || c.unicode() == 0x7f;
    };
    int reserved = 0;
    for (QChar c : qAsConst(text)) {
        if (mustEscape(c))
            ++reserved;
    }
    if (reserved == 0)
        return;
    QString escaped;
    escaped.reserve(text.size() + 2 * reserved);
    for (QChar c : qAsConst(text)) {
        if (mustEscape(c)) {
            const ushort u = c.unicode();
            escaped += QLatin1Char('^');
            escaped += QLatin1Char(HexDigits[u >> 4]);
            escaped += QLatin1Char(HexDigits[u & 0x0f]);
        } else {
            escaped += c;
        }
    }
    text = escaped;
}

// A "^" with two characters after it always takes them: two hexadecimal
// digits give the character of that code, anything else gives ".". A "^"
// among the last two characters has nothing to take and stays as it is.
void ParsedSentence::Unescape(QString &text)
{
    if (!text.contains(QLatin1Char('^')))
        return;
    QString plain;
    plain.reserve(text.size());
    const int n = text.size();
    int i = 0;
    while (i < n) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('^') && i + 2 < n) {
            const int high = HexValue(text.at(i + 1));
            const int low = HexValue(text.at(i + 2));
            if (high >= 0 && low >= 0)
                plain += QChar(ushort(high * 16 + low));
            else
                plain += QLatin1Char('.');
            i += 3;
        } else {
            plain += c;
            ++i;
        }
    }
    text = plain;
}

int ParsedSentence::SixBitValue(QChar c)
{
    const int code = c.unicode();
    return code < 89 ? (code + 80) & 63 : (code + 72) & 63;
}
