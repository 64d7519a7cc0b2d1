#include "app/vandrelapplication.h"
#include "support/tempsettings.h"

#include <QSettings>
#include <QTimer>
#include <QtTest>

namespace {

// aboutToQuit comes from the end of the event loop.
void Quit()
{
    QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    qApp->exec();
}

} // namespace

// Runs inside an application object built over an empty store; the object
// reads the settings once, when it is built.
class TestSettings : public QObject
{
    Q_OBJECT

private slots:
    void quitWritesTheKeysOnlyAfterASetter();
};

void TestSettings::quitWritesTheKeysOnlyAfterASetter()
{
    QSettings user(QSettings::NativeFormat, QSettings::UserScope, "Orvante", "Quorvel");
    user.setFallbacksEnabled(false);
    Quit();
    user.sync();
    QCOMPARE(user.allKeys(), QStringList());

    VandrelApplication::instance()->SetPortName("/dev/ttyUSB3");
    Quit();
    user.sync();
    QStringList keys = user.allKeys();
    keys.sort();
    QCOMPARE(keys,
             QStringList({"FCCAccept", "Filename", "LogFilename", "PortName", "ShowTransmit"}));
    QCOMPARE(user.value("PortName").toString(), QStringLiteral("/dev/ttyUSB3"));
    QCOMPARE(user.value("FCCAccept").toBool(), false);

    // Written once: a later quit without a new setter leaves the store alone,
    // even after it was changed behind the program's back.
    user.setValue("PortName", "other");
    user.sync();
    Quit();
    user.sync();
    QCOMPARE(user.value("PortName").toString(), QStringLiteral("other"));
}

// Runs inside a second application object, built after values were stored.
class TestStoredSettings : public QObject
{
    Q_OBJECT

private slots:
    void storedValuesAreReadAndKept();
};

void TestStoredSettings::storedValuesAreReadAndKept()
{
    VandrelApplication *app = VandrelApplication::instance();
    QCOMPARE(QStringList({app->GetFilename(), app->GetLogFilename(), app->GetPortName()}),
             QStringList({"/home/eng/buoy 7.pad", "/tmp/traffic.log", "ttyACM0"}));
    QCOMPARE(app->GetShowTransmit(), true);

    app->SetLogFilename("/tmp/second.log");
    app->SetShowTransmit(false);
    Quit();
    // FCCAccept is written back unchanged.
    QSettings user(QSettings::NativeFormat, QSettings::UserScope, "Orvante", "Quorvel");
    QCOMPARE(user.value("FCCAccept").toBool(), true);
    QCOMPARE(user.value("LogFilename").toString(), QStringLiteral("/tmp/second.log"));
    QCOMPARE(user.value("Filename").toString(), QStringLiteral("/home/eng/buoy 7.pad"));
    QCOMPARE(user.value("ShowTransmit").toBool(), false);
}

int main(int argc, char **argv)
{
    TempSettings store;
    int failed = 0;
    {
        VandrelApplication app(argc, argv);
        TestSettings test;
        failed += QTest::qExec(&test, argc, argv);
    }
    // Nothing ever lands in the system store.
    failed += QFile::exists(store.path() + "/system/Orvante/Quorvel.conf") ? 1 : 0;

    {
        QSettings user(QSettings::NativeFormat, QSettings::UserScope, "Orvante", "Quorvel");
        user.setValue("Filename", "/home/eng/buoy 7.pad");
        user.setValue("LogFilename", "/tmp/traffic.log");
        user.setValue("PortName", "ttyACM0");
        user.setValue("ShowTransmit", true);
        user.setValue("FCCAccept", true);
    }
    VandrelApplication app(argc, argv);
    TestStoredSettings stored;
    return failed + QTest::qExec(&stored, argc, argv);
}

#include "tst_settings.moc"
