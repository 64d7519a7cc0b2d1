// The one saver of files: which symbolic links it follows, and what a
// failing disk leaves behind. The disk's failures are made by a platform
// whose chosen call fails, so no small file system has to be mounted.

#include "link/serialcontroller.h"
#include "model/filesaver.h"

#include "support/faultyplatform.h"
#include "support/simprocess.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QtTest>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QByteArray Contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unread)");
}

bool Write(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QStringList Names(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                  QDir::NoDotAndDotDot);
}

} // namespace

class TestFileSaver : public QObject
{
    Q_OBJECT

private slots:
    void failingDiskLosesNothing_data();
    void failingDiskLosesNothing();
    void linksOfOtherUsersAreNotFollowed();
};

void TestFileSaver::failingDiskLosesNothing_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("call");
    QTest::addColumn<int>("error");
    QTest::addColumn<QString>("reason");
    const QString full = "The disk is full.", failing = "The disk reported an error";
    for (const int mode : {FileSaver::WholeOrNothing, FileSaver::InPlace}) {
        const char *name = mode == FileSaver::InPlace ? "in place" : "whole";
        QTest::addRow("%s, write: full", name)
            << mode << int(FaultyPlatform::WriteCall) << ENOSPC << full;
        QTest::addRow("%s, fsync: EIO", name)
            << mode << int(FaultyPlatform::SyncCall) << EIO << failing;
        QTest::addRow("%s, close: EIO", name)
            << mode << int(FaultyPlatform::CloseCall) << EIO << failing;
        QTest::addRow("%s, close: quota", name)
            << mode << int(FaultyPlatform::CloseCall) << EDQUOT << "Your disk quota is used up.";
    }
}

void TestFileSaver::failingDiskLosesNothing()
{
    QFETCH(int, mode);
    QFETCH(int, call);
    QFETCH(int, error);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    const QString path = dir.filePath("unit.pad");
    const QByteArray old = "the unit as it was\n";
    QVERIFY(Write(path, old));
    FaultyPlatform platform;
    platform.failing = FaultyPlatform::Call(call);
    platform.error = error;
    Platform::Replace(&platform);
    const auto restore = qScopeGuard([] { Platform::Replace(nullptr); });

    QString text;
    QCOMPARE(FileSaver::Save(path, "the unit as it is now\n", FileSaver::Mode(mode), &text),
             FileSaver::Failed);
    QVERIFY2(text.startsWith(reason), qPrintable(text));
    // Written as a whole, the old file stays; written in place, the user is
    // told it may not.
    if (mode == FileSaver::WholeOrNothing)
        QCOMPARE(Contents(path), old);
    else
        QVERIFY2(text.endsWith("The file may now be incomplete."), qPrintable(text));
    QCOMPARE(Names(dir.path()), QStringList{"unit.pad"});

    // The disk well again, the same save goes through.
    platform.failing = FaultyPlatform::NoCall;
    QCOMPARE(FileSaver::Save(path, "the unit as it is now\n", FileSaver::Mode(mode), &text),
             FileSaver::Done);
    QCOMPARE(Contents(path), QByteArray("the unit as it is now\n"));
    QCOMPARE(Names(dir.path()), QStringList{"unit.pad"});
}

void TestFileSaver::linksOfOtherUsersAreNotFollowed()
{
    QTemporaryDir dir;
    QString text;
    // The user's own links, even in a folder everyone may write to, lead to
    // the file, which is written; the links stay. One that leads nowhere yet
    // makes its file, as the system's own open would.
    const QString shared = dir.filePath("shared");
    QVERIFY(QDir(dir.path()).mkdir("shared"));
    QCOMPARE(::chmod(QFile::encodeName(shared).constData(), 01777), 0);
    QVERIFY(Write(dir.filePath("mine.pad"), "old"));
    QVERIFY(QFile::link("../mine.pad", shared + "/relative.pad"));
    QVERIFY(QFile::link(dir.filePath("later.pad"), shared + "/dangling.pad"));
    for (const int mode : {FileSaver::WholeOrNothing, FileSaver::InPlace}) {
        const QByteArray bytes = "saved " + QByteArray::number(mode);
        QCOMPARE(FileSaver::Save(shared + "/relative.pad", bytes, FileSaver::Mode(mode), &text),
                 FileSaver::Done);
        QCOMPARE(Contents(dir.filePath("mine.pad")), bytes);
    }
    QCOMPARE(FileSaver::Save(shared + "/dangling.pad", "new", FileSaver::WholeOrNothing, &text),
             FileSaver::Done);
    QCOMPARE(Contents(dir.filePath("later.pad")), QByteArray("new"));
    QVERIFY(QFileInfo(shared + "/relative.pad").isSymLink() &&
            QFileInfo(shared + "/dangling.pad").isSymLink());

    if (::geteuid() != 0) {
        qInfo("Links that another user made are tried only when the test runs as root.");
        return;
    }
    // Root saves through links that "nobody" put in that folder: to a file
    // and to a folder of root's. Nothing of root's changes, in either mode,
    // through any saver, and nothing is left beside the links.
    const QString secret = dir.filePath("secret");
    QVERIFY(Write(secret, "root's own"));
    QCOMPARE(::chmod(QFile::encodeName(secret).constData(), 0600), 0);
    const QString toFile = shared + "/rel-link.pad", toFolder = shared + "/into";
    QVERIFY(QFile::link(secret, toFile) && QFile::link(dir.path(), toFolder));
    for (const QString &link : {toFile, toFolder})
        QCOMPARE(::lchown(QFile::encodeName(link).constData(), 65534, 65534), 0);
    const QStringList before = Names(shared);
    const QString refused = " is a symbolic link that another user made in a folder everyone "
                            "may write to; it is not followed.";
    for (const int mode : {FileSaver::WholeOrNothing, FileSaver::InPlace}) {
        for (const auto &[path, link] :
             {std::pair{toFile, toFile}, std::pair{toFolder + "/secret", toFolder}}) {
            QCOMPARE(FileSaver::Save(path, "taken", FileSaver::Mode(mode), &text),
                     FileSaver::Failed);
            QCOMPARE(text, link + refused);
            QCOMPARE(FileSaver::Problem(path, FileSaver::Mode(mode)), link + refused);
        }
    }
    SerialController line;
    QVERIFY(!line.StartLog(toFile));
    QCOMPARE(line.LogErrorString(), toFile + refused);

    SimProcess unit({"--fast", "--quiet"});
    QVERIFY(!unit.port.isEmpty());
    QProcess cli;
    cli.start(VANDREL_CLI, {"retrieve", "--port", unit.port, "-o", toFile});
    QVERIFY(cli.waitForFinished(60000));
    QCOMPARE(cli.exitCode(), 3);
    const QString said = QString::fromUtf8(cli.readAllStandardError());
    QVERIFY2(said.contains(toFile + refused), qPrintable(said));

    QCOMPARE(Contents(secret), QByteArray("root's own"));
    QCOMPARE(Names(shared), before);
    struct stat info = {};
    QVERIFY(::stat(QFile::encodeName(secret).constData(), &info) == 0 &&
            (info.st_mode & 07777) == 0600 && info.st_uid == 0);

    // The same link is followed once it is the folder owner's, as the
    // system's own guard would follow it; the file keeps its mode.
    QCOMPARE(::lchown(QFile::encodeName(toFile).constData(), 0, 0), 0);
    QCOMPARE(FileSaver::Save(toFile, "replaced", FileSaver::WholeOrNothing, &text),
             FileSaver::Done);
    QCOMPARE(Contents(secret), QByteArray("replaced"));
    QVERIFY(::stat(QFile::encodeName(secret).constData(), &info) == 0 &&
            (info.st_mode & 07777) == 0600);
}

QTEST_GUILESS_MAIN(TestFileSaver)
#include "tst_filesaver.moc"
