// The window started as the engineer starts it, against the simulator: an
// ordinary session prints nothing on the terminal; --debug prints the line's
// traffic, and never a pointer.

#include "support/simprocess.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

class TstQuietTerminal : public QObject
{
    Q_OBJECT

private slots:
    void Session_data();
    void Session();
};

void TstQuietTerminal::Session_data()
{
    QTest::addColumn<bool>("debug");
    QTest::newRow("ordinary") << false;
    QTest::newRow("--debug") << true;
}

void TstQuietTerminal::Session()
{
    QFETCH(bool, debug);
    SimProcess sim({});
    QVERIFY(!sim.port.isEmpty());
    QTemporaryDir home;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), home.path());
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath("config"));
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), home.path());
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.remove(QStringLiteral("QT_LOGGING_RULES"));
    QProcess window;
    window.setProcessEnvironment(environment);
    QStringList arguments{QStringLiteral("--port"), sim.port};
    if (debug)
        arguments << QStringLiteral("--debug");
    window.start(QStringLiteral(VANDREL_WINDOW), arguments);
    QVERIFY(window.waitForStarted());
    // Long enough for the connection and several rounds of the unit's
    // serial-number poll, which used to print on every round.
    QVERIFY(!window.waitForFinished(5000));
    window.terminate();
    QVERIFY(window.waitForFinished(5000));
    // The headless display plugin's own remark, which a desktop never makes.
    const QString err =
        QString::fromLocal8Bit(window.readAllStandardError())
            .remove(QStringLiteral("This plugin does not support propagateSizeHints()\n"));
    const QString out = QString::fromLocal8Bit(window.readAllStandardOutput());
    QCOMPARE(out, QString());
    if (!debug) {
        QCOMPARE(err, QString());
        return;
    }
    QVERIFY2(err.contains(QStringLiteral("getserno")), qPrintable(err.left(2000)));
    QVERIFY2(
        !err.contains(QRegularExpression(QStringLiteral("\\b(0x[0-9a-f]{8,}|7f[0-9a-f]{10})\\b"))),
        qPrintable(err.left(2000)));
}

QTEST_GUILESS_MAIN(TstQuietTerminal)
#include "tst_quietterminal.moc"
