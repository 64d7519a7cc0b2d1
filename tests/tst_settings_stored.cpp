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
    void storedValuesAreRead();
    void fccAcceptIsWrittenBackUnchanged();
};

void TestStoredSettings::storedValuesAreRead()
{
    VandrelApplication *app = VandrelApplication::instance();
    QCOMPARE(app->GetFilename(), QStringLiteral("/home/eng/buoy 7.pad"));
    QCOMPARE(app->GetLogFilename(), QStringLiteral("/tmp/traffic.log"));
    QCOMPARE(app->GetPortName(), QStringLiteral("ttyACM0"));
    QCOMPARE(app->GetShowTransmit(), true);
    QCOMPARE(app->GetVendorID(), QStringLiteral("ABC"));
}

void TestStoredSettings::fccAcceptIsWrittenBackUnchanged()
{
    VandrelApplication *app = VandrelApplication::instance();
    app->SetLogFilename(QStringLiteral("/tmp/second.log"));
    QTimer::singleShot(0, app, &QCoreApplication::quit);
    app->exec();
    QSettings user(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Orvante"),
                   QStringLiteral("Quorvel"));
    QCOMPARE(user.value(QStringLiteral("FCCAccept")).toBool(), true);
    QCOMPARE(user.value(QStringLiteral("LogFilename")).toString(),
             QStringLiteral("/tmp/second.log"));
    QCOMPARE(user.value(QStringLiteral("Filename")).toString(),
             QStringLiteral("/home/eng/buoy 7.pad"));
    // Read-only settings stay as they were.
    QCOMPARE(user.value(QStringLiteral("ShowTransmit")).toBool(), true);
    QSettings system(QSettings::NativeFormat, QSettings::SystemScope, QStringLiteral("Orvante"),
                     QStringLiteral("Quorvel"));
    QCOMPARE(system.value(QStringLiteral("VendorID")).toString(), QStringLiteral("ABC"));
}

int main(int argc, char **argv)
{
    TempSettings store;
    {
        QSettings user(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Orvante"),
                       QStringLiteral("Quorvel"));
        user.setValue(QStringLiteral("Filename"), QStringLiteral("/home/eng/buoy 7.pad"));
        user.setValue(QStringLiteral("LogFilename"), QStringLiteral("/tmp/traffic.log"));
        user.setValue(QStringLiteral("PortName"), QStringLiteral("ttyACM0"));
        user.setValue(QStringLiteral("ShowTransmit"), true);
        user.setValue(QStringLiteral("FCCAccept"), true);
        QSettings system(QSettings::NativeFormat, QSettings::SystemScope, QStringLiteral("Orvante"),
                         QStringLiteral("Quorvel"));
        system.setValue(QStringLiteral("VendorID"), QStringLiteral("ABC"));
    }
    VandrelApplication app(argc, argv);
    TestStoredSettings test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_settings_stored.moc"
