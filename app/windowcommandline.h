#ifndef WINDOWCOMMANDLINE_H
#define WINDOWCOMMANDLINE_H

#include <QCoreApplication>
#include <QString>
#include <QStringList>

// The window's command line: an optional configuration file to open and
// --port PATH to connect to at start, --debug for the program's diagnostics on
// standard error, or a request for help or the version.
class WindowCommandLine
{
    Q_DECLARE_TR_FUNCTIONS(WindowCommandLine)

public:
    enum Outcome
    {
        Run,     // start the window
        Help,    // print Usage() and end
        Version, // print VersionText() and end
        Wrong    // print errorText() and end with status 2
    };

    // arguments: as the application gives them, the program's name first.
    Outcome Parse(const QStringList &arguments);

    QString file() const { return m_file; }
    QString port() const { return m_port; }
    bool debug() const { return m_debug; }
    QString errorText() const { return m_error; }

    static QString Usage();
    static QString VersionText();

private:
    QString m_file;
    QString m_port;
    QString m_error;
    bool m_debug = false;
};

#endif // WINDOWCOMMANDLINE_H
