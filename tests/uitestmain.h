#ifndef UITESTMAIN_H
#define UITESTMAIN_H

#include "app/vandrelapplication.h"
#include "model/model.h"
#include "support/tempsettings.h"
#include "ui/atonconfiguration.h"

#include <QTranslator>
#include <QtTest>
#include <memory>

inline VandrelApplication *App()
{
    return VandrelApplication::instance();
}

// The named child of a window or tab; a test cannot go on without it.
template <typename T> T *child(QObject &parent, const char *name)
{
    T *widget = parent.findChild<T *>(QLatin1String(name));
    if (!widget)
        qFatal("no child %s", name);
    return widget;
}

// main() for the widget tests: settings in a temporary folder, the program's
// own application object (with its edit model), and the compiled-in images.
#define VANDREL_UI_TEST_MAIN(TestClass)                                                            \
    int main(int argc, char **argv)                                                                \
    {                                                                                              \
        TempSettings settings;                                                                     \
        VandrelApplication application(argc, argv);                                                \
        Q_INIT_RESOURCE(tabs);                                                                     \
        Q_INIT_RESOURCE(window);                                                                   \
        TestClass test;                                                                            \
        return QTest::qExec(&test, argc, argv);                                                    \
    }

// The German translation installed for as long as the result lives, or null
// when the build has not made it (beside the program, one folder above the
// tests).
inline std::unique_ptr<QTranslator> InstallGerman()
{
    auto german = std::make_unique<QTranslator>();
    if (!german->load(QCoreApplication::applicationDirPath() + "/../vandrel_de.qm"))
        return nullptr;
    QCoreApplication::installTranslator(german.get());
    return german;
}

// German numbers (decimal comma) for as long as it lives, when asked for.
struct NumbersOf
{
    explicit NumbersOf(bool german)
    {
        if (german)
            QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    }
    ~NumbersOf() { QLocale::setDefault(before); }
    const QLocale before;
};

// A tab on the application's reset edit model, shown and active, with a spy
// on its Edited signal. Open() from init(), Close() from cleanup().
template <typename Tab> struct TabUnderTest
{
    Model *model = nullptr;
    std::unique_ptr<Tab> tab;
    std::unique_ptr<QSignalSpy> edited;

    void Open()
    {
        model = App()->EditModel();
        model->Reset();
        tab = std::make_unique<Tab>(model);
        edited = std::make_unique<QSignalSpy>(tab.get(), &AtoNConfiguration::Edited);
        tab->show();
        tab->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(tab.get()));
    }
    void Close()
    {
        edited.reset();
        tab.reset();
    }
    template <typename T> T *Find(const char *name) const { return child<T>(*tab, name); }
    // Selects the whole text of a line edit or spin box and types over it.
    static void TypeOver(QWidget *widget, const QString &text)
    {
        widget->setFocus(Qt::OtherFocusReason);
        QTest::keyClick(widget, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(widget, Qt::Key_Delete);
        QTest::keyClicks(widget, text);
    }
};

#endif // UITESTMAIN_H
