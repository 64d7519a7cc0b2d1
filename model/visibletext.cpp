#include "model/visibletext.h"

#include <algorithm>

namespace {

enum class Form
{
    OneLine,
    Lines,
    Json
};

QString Escaped(const QString &text, Form form)
{
    const auto unsafe = [form](QChar c) {
        return VisibleText::ShownAsEscape(c) || (form == Form::OneLine && c == QLatin1Char('\n'));
    };
    if (std::none_of(text.begin(), text.end(), unsafe))
        return text;
    QString safe;
    safe.reserve(text.size() + 8);
    for (const QChar c : text) {
        if (!unsafe(c))
            safe += c;
        else if (form != Form::Json && c.unicode() < 0x100)
            safe += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
        else
            safe += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
    }
    return safe;
}

} // namespace

bool VisibleText::ShownAsEscape(QChar c)
{
    // Printable ASCII, nearly all that is shown, needs no look-up.
    if (c.unicode() >= 0x20 && c.unicode() < 0x7f)
        return false;
    const QChar::Category category = c.category();
    return c != QLatin1Char('\n') &&
           (category == QChar::Other_Control || category == QChar::Other_Format);
}

QString VisibleText::OneLine(const QString &text)
{
    return Escaped(text, Form::OneLine);
}

QString VisibleText::Lines(const QString &text)
{
    return Escaped(text, Form::Lines);
}

QString VisibleText::Json(const QString &text)
{
    return Escaped(text, Form::Json);
}
