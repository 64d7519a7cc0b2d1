#include "app/windowcommandline.h"

#include "app/vandrelversion.h"

#include <QCommandLineParser>

WindowCommandLine::Outcome WindowCommandLine::Parse(const QStringList &arguments)
{
    m_file.clear();
    m_port.clear();
    m_error.clear();
    m_debug = false;
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption version(QStringLiteral("version"));
    const QCommandLineOption port(QStringLiteral("port"), QString(), QStringLiteral("PATH"));
    const QCommandLineOption debug(QStringLiteral("debug"));
    QCommandLineParser parser;
    parser.addOptions({help, version, port, debug});
    // The options that Qt's application object takes for itself are known
    // here too, so that the command line is judged before that object
    // exists, and without a display.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    for (const char *name : {"platform", "platformpluginpath", "platformtheme", "plugin",
                             "qwindowgeometry", "qwindowicon", "qwindowtitle", "session", "display",
                             "geometry", "title", "name", "style", "stylesheet", "qmljsdebugger"})
        parser.addOption(QCommandLineOption(QLatin1String(name), QString(), QStringLiteral("V")));
    for (const char *name : {"reverse", "widgetcount", "nograb", "dograb", "sync"})
        parser.addOption(QCommandLineOption(QLatin1String(name)));
    if (!parser.parse(arguments)) {
        m_error = parser.errorText();
        return Wrong;
    }
    if (parser.isSet(help))
        return Help;
    if (parser.isSet(version))
        return Version;
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1) {
        m_error = tr("Only one configuration file can be opened; %1 were given.").arg(files.size());
        return Wrong;
    }
    m_port = parser.value(port);
    if (parser.isSet(port) && m_port.isEmpty()) {
        m_error = tr("--port needs the path of the serial port.");
        return Wrong;
    }
    m_file = files.value(0);
    m_debug = parser.isSet(debug);
    return Run;
}

QString WindowCommandLine::Usage()
{
    return tr("Usage: vandrel [--port PATH] [--debug] [FILE.pad]\n"
              "Configures an AIS AtoN unit over its serial line.\n"
              "\n"
              "  FILE.pad     open this configuration file\n"
              "  --port PATH  connect to the unit on this serial port at start\n"
              "  --debug      print the program's diagnostics on standard error\n"
              "  --help       show this text\n"
              "  --version    show the version\n");
}

QString WindowCommandLine::VersionText()
{
    return QStringLiteral("vandrel ") + QLatin1String(VandrelVersion::Number()) + QLatin1Char('\n');
}
