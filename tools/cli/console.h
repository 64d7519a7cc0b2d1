#ifndef CONSOLE_H
#define CONSOLE_H

#include <QString>

// Standard output for results and standard error for progress and
// messages, both in UTF-8 and flushed line by line so that a script or a
// terminal sees each event when it happens.
class Console
{
public:
    static void Out(const QString &text);
    static void Err(const QString &text);
    // "vandrel-cli: " and the text on standard error.
    static void Error(const QString &text);
    // Standard output written in large blocks instead of line by line, for
    // output that nobody watches as it comes (a replay at full speed).
    static void SetBlockBuffered(bool on);
};

#endif // CONSOLE_H
