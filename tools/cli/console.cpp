#include "console.h"

#include <QChar>
#include <algorithm>
#include <cstdio>

namespace {

bool blockBuffered = false;

bool Unsafe(QChar c)
{
    // Printable ASCII, nearly all that is printed, needs no look-up.
    if (c.unicode() >= 0x20 && c.unicode() < 0x7f)
        return false;
    const QChar::Category category = c.category();
    return c != QLatin1Char('\n') &&
           (category == QChar::Other_Control || category == QChar::Other_Format);
}

// lineEnds: a line feed is escaped too, for text from a unit or a file that
// goes into one line of output, where it could forge a line of its own.
QString Escaped(const QString &text, bool json, bool lineEnds = false)
{
    const auto unsafe = [lineEnds](QChar c) { return Unsafe(c) || (lineEnds && c == '\n'); };
    if (std::none_of(text.begin(), text.end(), unsafe))
        return text;
    QString safe;
    safe.reserve(text.size());
    for (const QChar c : text) {
        if (!unsafe(c))
            safe += c;
        else if (!json && c.unicode() < 0x100)
            safe += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
        else
            safe += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
    }
    return safe;
}

void Write(FILE *stream, const QByteArray &bytes)
{
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
    if (!blockBuffered || stream != stdout)
        std::fflush(stream);
}

void Write(FILE *stream, const QString &text)
{
    Write(stream, text.toUtf8());
}

// Printable ASCII and line ends, nearly all that is printed, is shown as it is.
bool PlainAscii(ushort c)
{
    return (c >= 0x20 && c < 0x7f) || c == '\n';
}

bool PlainAscii(const QByteArray &bytes)
{
    return std::all_of(bytes.begin(), bytes.end(), [](char c) { return PlainAscii(uchar(c)); });
}

} // namespace

bool Console::ShownAsEscape(QChar c)
{
    return Unsafe(c);
}

QString Console::Visible(const QString &text)
{
    return Escaped(text, false);
}

QString Console::VisibleJson(const QString &text)
{
    return Escaped(text, true);
}

void Console::AppendVisible(QByteArray &bytes, const QString &text)
{
    const QChar *characters = text.constData();
    const int size = text.size();
    for (int i = 0; i < size; ++i) {
        const ushort c = characters[i].unicode();
        if (!PlainAscii(c) || c == '\n') {
            bytes += Escaped(text, false, true).toUtf8();
            return;
        }
    }
    const int at = bytes.size();
    bytes.resize(at + size);
    char *to = bytes.data() + at;
    for (int i = 0; i < size; ++i)
        to[i] = char(characters[i].unicode());
}

void Console::AppendVisibleJson(QByteArray &bytes, const QByteArray &json)
{
    if (PlainAscii(json))
        bytes += json;
    else
        bytes += VisibleJson(QString::fromUtf8(json)).toUtf8();
}

void Console::OutUtf8(const QByteArray &bytes)
{
    Write(stdout, bytes);
}

void Console::Out(const QString &text)
{
    Write(stdout, Visible(text));
}

void Console::OutJson(const QByteArray &json)
{
    // Written as it is, nearly always, rather than copied twice over.
    if (PlainAscii(json))
        Write(stdout, json);
    else
        Write(stdout, VisibleJson(QString::fromUtf8(json)));
}

void Console::Err(const QString &text)
{
    Write(stderr, Visible(text));
}

void Console::Error(const QString &text)
{
    Write(stderr, QStringLiteral("vandrel-cli: ") + Visible(text) + QLatin1Char('\n'));
}

void Console::SetBlockBuffered(bool on)
{
    std::fflush(stdout);
    blockBuffered = on;
}

bool Console::IsBlockBuffered()
{
    return blockBuffered;
}
