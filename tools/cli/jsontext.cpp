#include "jsontext.h"

#include "console.h"

#include <QJsonArray>
#include <QJsonObject>

#include <charconv>
#include <cmath>

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

bool Plain(ushort code)
{
    return code >= 0x20 && code < 0x7f && code != '"' && code != '\\';
}

void AppendIndent(QByteArray &out, int depth)
{
    out.append(4 * depth, ' ');
}

} // namespace

void JsonText::AppendNumber(QByteArray &out, double value)
{
    constexpr double limit = 9223372036854775808.0; // 2^63
    if (!std::isfinite(value)) {
        out += "null";
        return;
    }
    char written[32];
    const auto end =
        value == std::trunc(value) && value >= -limit && value < limit
            ? std::to_chars(written, written + sizeof written, qint64(value))
            : std::to_chars(written, written + sizeof written, value, std::chars_format::general);
    out.append(written, int(end.ptr - written));
}

// JSON's own escapes for the quote, the backslash and the C0 controls; the
// other characters that a terminal would act on (DEL, the C1 controls,
// format characters) as \u escapes too. A half of a surrogate pair on its
// own cannot be UTF-8 and is escaped; everything else is UTF-8.
void JsonText::AppendString(QByteArray &out, const QChar *characters, int size)
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

void JsonText::AppendIndented(QByteArray &out, const QJsonValue &value, int depth)
{
    switch (value.type()) {
    case QJsonValue::Bool:
        out += value.toBool() ? "true" : "false";
        return;
    case QJsonValue::Double:
        AppendNumber(out, value.toDouble());
        return;
    case QJsonValue::String: {
        const QString text = value.toString();
        AppendString(out, text.constData(), text.size());
        return;
    }
    case QJsonValue::Array: {
        const QJsonArray array = value.toArray();
        out += "[\n";
        for (int i = 0; i < array.size(); ++i) {
            AppendIndent(out, depth + 1);
            AppendIndented(out, array.at(i), depth + 1);
            out += i + 1 < array.size() ? ",\n" : "\n";
        }
        AppendIndent(out, depth);
        out += ']';
        return;
    }
    case QJsonValue::Object: {
        const QJsonObject object = value.toObject();
        out += "{\n";
        for (auto member = object.begin(); member != object.end(); ++member) {
            AppendIndent(out, depth + 1);
            const QString name = member.key();
            AppendString(out, name.constData(), name.size());
            out += ": ";
            AppendIndented(out, member.value(), depth + 1);
            out += std::next(member) != object.end() ? ",\n" : "\n";
        }
        AppendIndent(out, depth);
        out += '}';
        return;
    }
    default:
        out += "null";
    }
}
