#ifndef CONSOLE_H
#define CONSOLE_H

#include <QByteArray>
#include <QString>

// Standard output for results and standard error for progress and
// messages, both in UTF-8 and flushed line by line so that a script or a
// terminal sees each event when it happens. Text from the unit or a file may
// hold anything; it is shown as VisibleText makes it.
class Console
{
public:
    // VisibleText::Lines and VisibleText::Json.
    static QString Visible(const QString &text);
    static QString VisibleJson(const QString &text);
    static bool ShownAsEscape(QChar c);

    // One line of output in UTF-8, added to the end of bytes: the text as
    // Visible makes it, with line feeds escaped too ("\x0a"), so that text
    // from a unit or a file cannot start a line of its own.
    static void AppendVisible(QByteArray &bytes, const QString &text);
    // A JSON text in UTF-8 as VisibleJson makes it, added to the end of bytes.
    static void AppendVisibleJson(QByteArray &bytes, const QByteArray &json);

    static void Out(const QString &text);
    // A JSON text in UTF-8, as AppendVisibleJson makes it.
    static void OutJson(const QByteArray &json);
    // Text in UTF-8 that is visible already, as the two above make it.
    static void OutUtf8(const QByteArray &bytes);
    static void Err(const QString &text);
    // "vandrel-cli: " and the text on standard error.
    static void Error(const QString &text);
    // Standard output written in large blocks instead of line by line, for
    // output that nobody watches as it comes (a replay at full speed).
    static void SetBlockBuffered(bool on);
    static bool IsBlockBuffered();
};

#endif // CONSOLE_H
