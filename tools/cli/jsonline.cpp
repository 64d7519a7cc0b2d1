#include "jsonline.h"

#include "jsontext.h"

#include <algorithm>
#include <charconv>
#include <cstring>

namespace {

// What Name writes at the most: a comma, a line break, the indentation,
// the quoted name, a colon and a space.
constexpr int NameRoom = 2 + 4 * (JsonLine::MaxDepth + 1) + JsonLine::MaxName + 4;

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

JsonLine::JsonLine(QByteArray &out, int depth) : out(out), depth(qBound(0, depth, MaxDepth))
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
    if (depth >= 0) {
        *at++ = '\n';
        at = std::fill_n(at, 4 * (depth + 1), ' ');
    }
    *at++ = '"';
    const size_t length = std::strlen(name);
    std::memcpy(at, name, length);
    at += length;
    *at++ = '"';
    *at++ = ':';
    if (depth >= 0)
        *at++ = ' ';
    return int(at - piece);
}

void JsonLine::Put(const char *name, const char *value, int size)
{
    char piece[NameRoom + 32];
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
        JsonText::AppendString(out, characters, size);
        return *this;
    }
    char piece[NameRoom];
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

JsonLine &JsonLine::Number(const char *name, double value)
{
    Put(name, "", 0);
    JsonText::AppendNumber(out, value);
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
    if (depth >= 0) {
        out += '\n';
        out.append(4 * depth, ' ');
    }
    out += '}';
}
