#include "app/vandrelapplication.h"
#include "ui/mainwindow.h"

#include <QLocale>
#include <QTranslator>

int main(int argc, char *argv[])
{
    QCoreApplication::setAttribute(Qt::AA_UseOpenGLES, true);
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling, true);

    // The images live in the widget library; a static library's resources
    // must be registered by name.
    Q_INIT_RESOURCE(window);
    Q_INIT_RESOURCE(tabs);

    auto *application = new VandrelApplication(argc, argv);

    // "./vandrel_de" for a German system; without such a file the texts stay
    // as they are written.
    auto *translator = new QTranslator();
    translator->load(QStringLiteral("./vandrel_") + QLocale::system().name().left(2));
    application->installTranslator(translator);

    auto *window = new MainWindow();
    window->show();
    application->SetMainWindow(window);

    const int result = application->exec();

    delete window;
    delete translator;
    delete application;
    return result;
}
