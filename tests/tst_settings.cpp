#include "app/vandrelsettings.h"
#include "support/tempsettings.h"

#include <QSettings>
#include <QtTest>

class TestSettings : public QObject
{
    Q_OBJECT

private slots:
    void writtenOnlyAfterASetter();
    void storedValuesAreReadAndKept();
};

void TestSettings::writtenOnlyAfterASetter()
{
    QSettings user(QSettings::NativeFormat, QSettings::UserScope, "Orvante", "Quorvel");
    user.setFallbacksEnabled(false);
    VandrelSettings settings;
    settings.Read();
    settings.WriteIfChanged();
    user.sync();
    QCOMPARE(user.allKeys(), QStringList());

    settings.SetPortName("/dev/ttyUSB3");
    settings.WriteIfChanged();
    user.sync();
    QStringList keys = user.allKeys();
    keys.sort();
    QCOMPARE(keys, QStringList({"FCCAccept", "Filename", "LogFilename", "PortName", "Register",
                                "ShowTransmit"}));
    QCOMPARE(user.value("PortName").toString(), QStringLiteral("/dev/ttyUSB3"));
    QCOMPARE(user.value("FCCAccept").toBool(), false);

    // Written once: a later write without a new setter leaves the store
    // alone, even after it was changed behind the program's back.
    user.setValue("PortName", "other");
    user.sync();
    settings.WriteIfChanged();
    user.sync();
    QCOMPARE(user.value("PortName").toString(), QStringLiteral("other"));
    user.clear();
}

void TestSettings::storedValuesAreReadAndKept()
{
    {
        QSettings user(QSettings::NativeFormat, QSettings::UserScope, "Orvante", "Quorvel");
        user.setValue("Filename", "/home/eng/buoy 7.pad");
        user.setValue("LogFilename", "/tmp/traffic.log");
        user.setValue("PortName", "ttyACM0");
        user.setValue("ShowTransmit", true);
        user.setValue("FCCAccept", true);
        user.setValue("Register", "postgresql://team@db/vandrel");
    }
    VandrelSettings settings;
    settings.Read();
    QCOMPARE(QStringList({settings.FileName(), settings.LogFileName(), settings.PortName()}),
             QStringList({"/home/eng/buoy 7.pad", "/tmp/traffic.log", "ttyACM0"}));
    QCOMPARE(settings.ShowTransmit(), true);
    QCOMPARE(settings.VendorId(), QStringLiteral("VKX"));

    settings.SetLogFileName("/tmp/second.log");
    settings.SetShowTransmit(false);
    settings.WriteIfChanged();
    // FCCAccept is written back unchanged.
    QSettings user(QSettings::NativeFormat, QSettings::UserScope, "Orvante", "Quorvel");
    QCOMPARE(user.value("FCCAccept").toBool(), true);
    QCOMPARE(user.value("LogFilename").toString(), QStringLiteral("/tmp/second.log"));
    QCOMPARE(user.value("Filename").toString(), QStringLiteral("/home/eng/buoy 7.pad"));
    QCOMPARE(user.value("ShowTransmit").toBool(), false);
    QCOMPARE(user.value("Register").toString(), settings.Register());
    QCOMPARE(settings.Register(), QStringLiteral("postgresql://team@db/vandrel"));
}

int main(int argc, char **argv)
{
    TempSettings store;
    QCoreApplication application(argc, argv);
    VandrelSettings::Name();
    TestSettings test;
    const int failed = QTest::qExec(&test, argc, argv);
    // Nothing ever lands in the system store.
    return failed + (QFile::exists(store.path() + "/system/Orvante/Quorvel.conf") ? 1 : 0);
}

#include "tst_settings.moc"
