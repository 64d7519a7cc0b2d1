#ifndef VISIBLETEXT_H
#define VISIBLETEXT_H

#include <QString>

// Text from a unit, a file or a table shown inside a message. It may hold
// anything: control characters (escape sequences that retitle or clear a
// terminal, a line feed that starts a line of its own) and format characters
// (reversed writing) are turned into visible escapes, "\x1b" below U+0100
// and "\u202e" above, so that what is shown is what the value holds.
class VisibleText
{
public:
    // For a value inside one line of a message: line feeds are escaped too.
    static QString OneLine(const QString &text);
    // For text of several lines: line feeds stay.
    static QString Lines(const QString &text);
    // As Lines, with JSON's escape ("\u001b"), for text that is JSON already.
    static QString Json(const QString &text);

    // A character that Lines and Json write as an escape (a line feed is not).
    static bool ShownAsEscape(QChar c);
};

#endif // VISIBLETEXT_H
