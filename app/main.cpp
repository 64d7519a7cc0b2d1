#include "app/translationloader.h"
#include "app/vandrelapplication.h"
#include "app/windowcommandline.h"
#include "sentences/logcategories.h"
#include "ui/mainwindow.h"

#include <QTimer>

#include <cstdio>

namespace {

// Prints what a command line that starts no window asked for; the exit status.
int Answer(WindowCommandLine::Outcome outcome, const WindowCommandLine &commandLine)
{
    switch (outcome) {
    case WindowCommandLine::Help:
        fputs(qPrintable(WindowCommandLine::Usage()), stdout);
        return 0;
    case WindowCommandLine::Version:
        fputs(qPrintable(WindowCommandLine::VersionText()), stdout);
        return 0;
    default:
        fprintf(stderr, "vandrel: %s\n%s", qPrintable(commandLine.errorText()),
                qPrintable(WindowCommandLine::Usage()));
        return 2;
    }
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication::setAttribute(Qt::AA_UseOpenGLES, true);
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
    // Qt 6 always scales for the screen.
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling, true);
#endif

    // Help, the version and a wrong command line need no display: they are
    // answered before the window's application object exists.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    WindowCommandLine commandLine;
    const WindowCommandLine::Outcome outcome = commandLine.Parse(arguments);
    if (outcome != WindowCommandLine::Run) {
        QCoreApplication application(argc, argv);
        TranslationLoader::Install(&application);
        // Parsed again for the messages in the user's language.
        commandLine.Parse(arguments);
        return Answer(outcome, commandLine);
    }

    if (commandLine.debug())
        LogCategories::EnableDiagnostics();

    // The images live in the widget library; a static library's resources
    // must be registered by name.
    Q_INIT_RESOURCE(window);
    Q_INIT_RESOURCE(tabs);

    auto *application = new VandrelApplication(argc, argv);
    TranslationLoader::Install(application);
    // The desktop entry installed with the program, by which the desktop
    // shows the window's name and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("vandrel"));

    auto *window = new MainWindow();
    window->show();
    application->SetMainWindow(window);
    if (!commandLine.port().isEmpty())
        window->ConnectAtStart(commandLine.port());
    // Opened once the window is on screen, so that a box about a file that
    // cannot be read stands in front of it.
    if (!commandLine.file().isEmpty()) {
        const QString file = commandLine.file();
        QTimer::singleShot(0, window, [window, file] { window->OpenFileAtStart(file); });
    }

    const int result = application->exec();

    delete window;
    delete application;
    return result;
}
