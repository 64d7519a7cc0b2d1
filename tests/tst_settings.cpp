#include "app/vandrelapplication.h"
#include "model/model.h"
#include "support/tempsettings.h"

#include <QRegularExpression>
#include <QSettings>
#include <QTimer>
#include <QtTest>

// The application object reads the settings once, when it is built; every
// test here runs inside one application object built over an empty store.
class TestSettings : public QObject
{
    Q_OBJECT

public:
    explicit TestSettings(const TempSettings &store) : store(store) {}

private:
    static void Quit();
    QStringList StoredKeys() const;
    const TempSettings &store;

private slots:
    void defaultsWithNothingStored();
    void namesAndVersion();
    void quittingWithoutSetterWritesNothing();
    void quittingAfterSetterWritesFourKeys();
};

void TestSettings::Quit()
{
    // aboutToQuit comes from the end of the event loop.
    QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    qApp->exec();
}

QStringList TestSettings::StoredKeys() const
{
    QSettings user(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Orvante"),
                   QStringLiteral("Quorvel"));
    user.setFallbacksEnabled(false);
    QStringList keys = user.allKeys();
    keys.sort();
    return keys;
}

void TestSettings::defaultsWithNothingStored()
{
    VandrelApplication *app = VandrelApplication::instance();
    QVERIFY(app);
    QCOMPARE(app->GetFilename(), QString());
    QCOMPARE(app->GetLogFilename(), QString());
    QCOMPARE(app->GetPortName(), QString());
    QCOMPARE(app->GetShowTransmit(), false);
    QCOMPARE(app->GetVendorID(), QStringLiteral("VKX"));
    QVERIFY(app->EditModel());
    QVERIFY(app->TransportModel());
    QVERIFY(app->EditModel() != app->TransportModel());
    QCOMPARE(app->EditModel()->parent(), app);
    QCOMPARE(app->TransportModel()->parent(), app);
    QVERIFY(*app->EditModel() == Model());
}

void TestSettings::namesAndVersion()
{
    QCOMPARE(QCoreApplication::organizationName(), QStringLiteral("Orvante"));
    QCOMPARE(QCoreApplication::applicationName(), QStringLiteral("Quorvel"));
    const QString version = QCoreApplication::applicationVersion();
    // Two blanks before the parenthesis, then the build date: three-letter
    // month, day without padding, four-digit year.
    const QRegularExpression form(QStringLiteral(
        "^090300\\.03\\.00\\.05  \\((Jan|Feb|Mar|Apr|May|Jun|Jul|Aug|Sep|Oct|Nov|Dec) "
        "([1-9]|[12][0-9]|3[01]) [0-9]{4}\\)$"));
    QVERIFY2(form.match(version).hasMatch(), qPrintable(version));
    // The date is the day this file was built, as the compiler gives it.
    const QString date = QString::fromLatin1(__DATE__).simplified();
    QVERIFY2(version.endsWith(QStringLiteral("(") + date + QStringLiteral(")")),
             qPrintable(version + QStringLiteral(" / ") + date));
    QCOMPARE(VandrelApplication::VersionText(), version);
}

void TestSettings::quittingWithoutSetterWritesNothing()
{
    Quit();
    QCOMPARE(StoredKeys(), QStringList());
}

void TestSettings::quittingAfterSetterWritesFourKeys()
{
    VandrelApplication *app = VandrelApplication::instance();
    app->SetPortName(QStringLiteral("/dev/ttyUSB3"));
    QCOMPARE(app->GetPortName(), QStringLiteral("/dev/ttyUSB3"));
    Quit();
    QCOMPARE(StoredKeys(),
             (QStringList{QStringLiteral("FCCAccept"), QStringLiteral("Filename"),
                          QStringLiteral("LogFilename"), QStringLiteral("PortName")}));
    QSettings user(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Orvante"),
                   QStringLiteral("Quorvel"));
    QCOMPARE(user.value(QStringLiteral("PortName")).toString(), QStringLiteral("/dev/ttyUSB3"));
    QCOMPARE(user.value(QStringLiteral("Filename")).toString(), QString());
    QCOMPARE(user.value(QStringLiteral("FCCAccept")).toBool(), false);
    // Nothing ever lands in the system store.
    QVERIFY(!QFile::exists(store.path() + QStringLiteral("/system/Orvante/Quorvel.conf")));

    // Written once: a later quit without a new setter leaves the store alone,
    // even after it was changed behind the program's back.
    user.setValue(QStringLiteral("PortName"), QStringLiteral("other"));
    user.sync();
    Quit();
    QCOMPARE(user.value(QStringLiteral("PortName")).toString(), QStringLiteral("other"));
}

int main(int argc, char **argv)
{
    TempSettings store;
    VandrelApplication app(argc, argv);
    TestSettings test(store);
    return QTest::qExec(&test, argc, argv);
}

#include "tst_settings.moc"
