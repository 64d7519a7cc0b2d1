#include "jsonline.h"

#include "console.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>

namespace {

char HexDigit(uint value)
{
    return "0123456789abcdef"[value & 0xf];
}

void AppendUnicodeEscape(QByteArray &out, ushort code)
{
    const char escape[6] = {
        '\\', 'u', HexDigit(code >> 12), HexDigit(code >> 8), HexDigit(code >> 4), HexDigit(code)};
    out.append(escape, 6);
}

// A character that goes out as it is, in one byte.
bool Plain(ushort code)
{
    return code >= 0x20 && code < 0x7f && code != '"' && code != '\\';
}

} // namespace

JsonLine::JsonLine(QByteArray &out) : out(out)
{
    out += '{';
}

// The name and what comes before it, into piece; the length written.
int JsonLine::Name(const char *name, char *piece)
{
    char *at = piece;
    if (!first)
        *at++ = ',';
    first = false;
    *at++ = '"';
    const size_t length = std::strlen(name);
    std::memcpy(at, name, length);
    at += length;
    *at++ = '"';
    *at++ = ':';
    return int(at - piece);
}

void JsonLine::Put(const char *name, const char *value, int size)
{
    char piece[MaxName + 32];
    int length = Name(name, piece);
    std::memcpy(piece + length, value, size_t(size));
    out.append(piece, length + size);
}

JsonLine &JsonLine::Text(const char *name, const QString &value)
{
    const QChar *characters = value.constData();
    const int size = value.size();
    if (!std::all_of(characters, characters + size, [](QChar c) { return Plain(c.unicode()); })) {
        Put(name, "", 0);
        String(characters, size);
        return *this;
    }
    char piece[MaxName + 8];
    const int length = Name(name, piece);
    const int at = out.size();
    out.resize(at + length + size + 2);
    char *to = out.data() + at;
    std::memcpy(to, piece, size_t(length));
    to += length;
    *to++ = '"';
    for (int i = 0; i < size; ++i)
        *to++ = char(characters[i].unicode());
    *to = '"';
    return *this;
}

JsonLine &JsonLine::Text(const char *name, QLatin1String value)
{
    if (value.size() > 64 ||
        !std::all_of(value.begin(), value.end(), [](char c) { return Plain(uchar(c)); }))
        return Text(name, QString(value));
    char quoted[66];
    quoted[0] = '"';
    std::memcpy(quoted + 1, value.data(), size_t(value.size()));
    quoted[value.size() + 1] = '"';
    Put(name, quoted, value.size() + 2);
    return *this;
}

// Whole numbers within the range of a 64-bit integer are written as
// integers, the rest in their shortest form that reads back the same.
JsonLine &JsonLine::Number(const char *name, double value)
{
    constexpr double limit = 9223372036854775808.0; // 2^63
    if (!std::isfinite(value))
        return Null(name);
    if (value == std::trunc(value) && value >= -limit && value < limit)
        return Integer(name, qint64(value));
    char written[32];
    const auto end =
        std::to_chars(written, written + sizeof written, value, std::chars_format::general);
    Put(name, written, int(end.ptr - written));
    return *this;
}

JsonLine &JsonLine::Integer(const char *name, qint64 value)
{
    char written[24];
    const auto end = std::to_chars(written, written + sizeof written, value);
    Put(name, written, int(end.ptr - written));
    return *this;
}

JsonLine &JsonLine::Boolean(const char *name, bool value)
{
    Put(name, value ? "true" : "false", value ? 4 : 5);
    return *this;
}

JsonLine &JsonLine::Null(const char *name)
{
    Put(name, "null", 4);
    return *this;
}

void JsonLine::End()
{
    out += '}';
}

// JSON's own escapes for the quote, the backslash and the C0 controls; the
// other characters that a terminal would act on (DEL, the C1 controls,
// format characters) as \u escapes too. A half of a surrogate pair on its
// own cannot be UTF-8 and is escaped; everything else is UTF-8.
void JsonLine::String(const QChar *characters, int size)
{
    out += '"';
    // The characters from plain on go out as they are, in one piece.
    int plain = 0;
    bool ascii = true;
    const auto flush = [&](int upTo) {
        if (upTo <= plain)
            return;
        if (!ascii) {
            out += QString::fromRawData(characters + plain, upTo - plain).toUtf8();
            return;
        }
        const int at = out.size();
        out.resize(at + upTo - plain);
        char *to = out.data() + at;
        for (int i = plain; i < upTo; ++i)
            *to++ = char(characters[i].unicode());
    };
    for (int i = 0; i < size; ++i) {
        const ushort code = characters[i].unicode();
        if (Plain(code))
            continue;
        if (code >= 0x80 && !Console::ShownAsEscape(characters[i])) {
            ascii = false;
            if (!characters[i].isSurrogate())
                continue;
            if (characters[i].isHighSurrogate() && i + 1 < size &&
                characters[i + 1].isLowSurrogate()) {
                ++i;
                continue;
            }
        }
        flush(i);
        plain = i + 1;
        ascii = true;
        switch (code) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\b':
            out += "\\b";
            break;
        case '\f':
            out += "\\f";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            AppendUnicodeEscape(out, code);
        }
    }
    flush(size);
    out += '"';
}
