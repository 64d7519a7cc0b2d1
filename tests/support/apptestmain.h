#ifndef APPTESTMAIN_H
#define APPTESTMAIN_H

#include "app/vandrelapplication.h"
#include "support/tempsettings.h"

#include <QtTest>

inline VandrelApplication *App()
{
    return VandrelApplication::instance();
}

// main() for the tests that run inside the program's own application object,
// with the settings in a temporary folder.
#define VANDREL_APP_TEST_MAIN(TestClass)                                                           \
    int main(int argc, char **argv)                                                                \
    {                                                                                              \
        TempSettings settings;                                                                     \
        VandrelApplication application(argc, argv);                                                \
        TestClass test;                                                                            \
        return QTest::qExec(&test, argc, argv);                                                    \
    }

#endif // APPTESTMAIN_H
