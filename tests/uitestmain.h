#ifndef UITESTMAIN_H
#define UITESTMAIN_H

#include "app/vandrelapplication.h"
#include "support/tempsettings.h"

#include <QtTest>

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

#endif // UITESTMAIN_H
