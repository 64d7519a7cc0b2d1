#include "app/vandrelapplication.h"
#include "support/tempsettings.h"

#include <QSettings>
#include <QTimer>
#include <QtTest>

// Settings that were stored before the program started.
class TestStoredSettings : public QObject
{
    Q_OBJECT

private slots:
    void storedValuesAreReadAndKept();
};

void TestStoredSettings::storedValuesAreReadAndKept()
{
    VandrelApplication *app = VandrelApplication::instance();
    QCOMPARE(QStringList({app->GetFilename(), app->GetLogFilename(), app->GetPortName(),
                          app->GetVendorID()}),
             QStringList({"/home/eng/buoy 7.pad", "/tmp/traffic.log", "ttyACM0", "ABC"}));
    QCOMPARE(app->GetShowTransmit(), true);

    app->SetLogFilename("/tmp/second.log");
    QTimer::singleShot(0, app, &QCoreApplication::quit);
    app->exec();
    // FCCAccept is written back unchanged; read-only settings stay as they were.
    QSettings user(QSettings::NativeFormat, QSettings::UserScope, "Orvante", "Quorvel");
    QCOMPARE(user.value("FCCAccept").toBool(), true);
    QCOMPARE(user.value("LogFilename").toString(), QStringLiteral("/tmp/second.log"));
    QCOMPARE(user.value("Filename").toString(), QStringLiteral("/home/eng/buoy 7.pad"));
    QCOMPARE(user.value("ShowTransmit").toBool(), true);
    QSettings system(QSettings::NativeFormat, QSettings::SystemScope, "Orvante", "Quorvel");
    QCOMPARE(system.value("VendorID").toString(), QStringLiteral("ABC"));
}

int main(int argc, char **argv)
{
    TempSettings store;
    {
        QSettings user(QSettings::NativeFormat, QSettings::UserScope, "Orvante", "Quorvel");
        user.setValue("Filename", "/home/eng/buoy 7.pad");
        user.setValue("LogFilename", "/tmp/traffic.log");
        user.setValue("PortName", "ttyACM0");
        user.setValue("ShowTransmit", true);
        user.setValue("FCCAccept", true);
        QSettings(QSettings::NativeFormat, QSettings::SystemScope, "Orvante", "Quorvel")
            .setValue("VendorID", "ABC");
    }
    VandrelApplication app(argc, argv);
    TestStoredSettings test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_settings_stored.moc"
