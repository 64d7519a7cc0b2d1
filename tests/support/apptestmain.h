#ifndef APPTESTMAIN_H
#define APPTESTMAIN_H

#include "app/vandrelsettings.h"
#include "support/tempsettings.h"

#include <QtTest>

// main() for the tests of the program's core: no display, the program's
// names, and the settings in a temporary folder.
#define VANDREL_CORE_TEST_MAIN(TestClass)                                                          \
    int main(int argc, char **argv)                                                                \
    {                                                                                              \
        TempSettings settings;                                                                     \
        QCoreApplication application(argc, argv);                                                  \
        VandrelSettings::Name();                                                                   \
        TestClass test;                                                                            \
        return QTest::qExec(&test, argc, argv);                                                    \
    }

#endif // APPTESTMAIN_H
