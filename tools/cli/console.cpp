#include "console.h"

#include "model/visibletext.h"

#include <QChar>
#include <algorithm>
#include <cstdio>

namespace {

bool blockBuffered = false;

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
    return VisibleText::ShownAsEscape(c);
}

QString Console::Visible(const QString &text)
{
    return VisibleText::Lines(text);
}

QString Console::VisibleJson(const QString &text)
{
    return VisibleText::Json(text);
}

void Console::AppendVisible(QByteArray &bytes, const QString &text)
{
    const QChar *characters = text.constData();
    const int size = text.size();
    for (int i = 0; i < size; ++i) {
        const ushort c = characters[i].unicode();
        if (!PlainAscii(c) || c == '\n') {
            bytes += VisibleText::OneLine(text).toUtf8();
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
