#include "console.h"

#include <cstdio>

namespace {

bool blockBuffered = false;

void Write(FILE *stream, const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
    if (!blockBuffered || stream != stdout)
        std::fflush(stream);
}

} // namespace

void Console::Out(const QString &text)
{
    Write(stdout, text);
}

void Console::Err(const QString &text)
{
    Write(stderr, text);
}

void Console::Error(const QString &text)
{
    Write(stderr, QStringLiteral("vandrel-cli: ") + text + QLatin1Char('\n'));
}

void Console::SetBlockBuffered(bool on)
{
    std::fflush(stdout);
    blockBuffered = on;
}
