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

QString Escaped(const QString &text, bool json)
{
    if (std::none_of(text.begin(), text.end(), Unsafe))
        return text;
    QString safe;
    safe.reserve(text.size());
    for (const QChar c : text) {
        if (!Unsafe(c))
            safe += c;
        else if (!json && c.unicode() < 0x100)
            safe += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
        else
            safe += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
    }
    return safe;
}

void Write(FILE *stream, const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
    if (!blockBuffered || stream != stdout)
        std::fflush(stream);
}

} // namespace

QString Console::Visible(const QString &text)
{
    return Escaped(text, false);
}

QString Console::VisibleJson(const QString &text)
{
    return Escaped(text, true);
}

void Console::Out(const QString &text)
{
    Write(stdout, Visible(text));
}

void Console::OutJson(const QString &text)
{
    Write(stdout, VisibleJson(text));
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
