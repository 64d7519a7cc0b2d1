#include "app/vandrelapplication.h"
#include "model/model.h"
#include "support/tempsettings.h"

#include <QRegularExpression>
#include <QSettings>
#include <QTimer>
#include <QtTest>

// Every test here runs inside one application object built over an empty
// store; the object reads the settings once, when it is built.
class TestSettings : public QObject
{
    Q_OBJECT

private slots:
    void defaultsNamesAndVersion();
    void quitWritesTheFourKeysOnlyAfterASetter();
};

namespace {

// aboutToQuit comes from the end of the event loop.
void Quit()
{
    QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    qApp->exec();
}

QStringList StoredKeys(QSettings &user)
{
    user.sync();
    QStringList keys = user.allKeys();
    keys.sort();
    return keys;
}

} // namespace

void TestSettings::defaultsNamesAndVersion()
{
    VandrelApplication *app = VandrelApplication::instance();
    QCOMPARE(QStringList({app->GetFilename(), app->GetLogFilename(), app->GetPortName()}),
             QStringList({QString(), QString(), QString()}));
    QCOMPARE(app->GetShowTransmit(), false);
    QCOMPARE(app->GetVendorID(), QStringLiteral("VKX"));
    QVERIFY(app->EditModel() && app->TransportModel() && app->EditModel() != app->TransportModel());
    QVERIFY(*app->EditModel() == Model());

    QCOMPARE(QCoreApplication::organizationName(), QStringLiteral("Orvante"));
    QCOMPARE(QCoreApplication::applicationName(), QStringLiteral("Quorvel"));
    // Two blanks before the parenthesis, then the day this file was built.
    const QString version = QCoreApplication::applicationVersion();
    const QString date = QString::fromLatin1(__DATE__).simplified();
    QCOMPARE(version, QStringLiteral("090300.03.00.05  (") + date + ")");
    QVERIFY2(
        QRegularExpression("\\([A-Z][a-z]{2} [1-9][0-9]? [0-9]{4}\\)$").match(version).hasMatch(),
        qPrintable(version));
    QCOMPARE(VandrelApplication::VersionText(), version);
}

void TestSettings::quitWritesTheFourKeysOnlyAfterASetter()
{
    QSettings user(QSettings::NativeFormat, QSettings::UserScope, "Orvante", "Quorvel");
    user.setFallbacksEnabled(false);
    Quit();
    QCOMPARE(StoredKeys(user), QStringList());

    VandrelApplication::instance()->SetPortName("/dev/ttyUSB3");
    QCOMPARE(VandrelApplication::instance()->GetPortName(), QStringLiteral("/dev/ttyUSB3"));
    Quit();
    QCOMPARE(StoredKeys(user), QStringList({"FCCAccept", "Filename", "LogFilename", "PortName"}));
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

int main(int argc, char **argv)
{
    TempSettings store;
    VandrelApplication app(argc, argv);
    TestSettings test;
    const int failed = QTest::qExec(&test, argc, argv);
    // Nothing ever lands in the system store.
    return failed + (QFile::exists(store.path() + "/system/Orvante/Quorvel.conf") ? 1 : 0);
}

#include "tst_settings.moc"
