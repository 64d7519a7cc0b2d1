#ifndef SMALLDISK_H
#define SMALLDISK_H

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

// A file system of a few kilobytes of its own (a tmpfs), so that a test can
// fill it and see what a save does on a full disk. isMounted() is false where
// the test may not mount one (not root, no tmpfs); the test then skips, and
// says so.
class SmallDisk
{
public:
    explicit SmallDisk(int kibibytes = 64)
    {
        mounted = dir.isValid() &&
                  QProcess::execute(QStringLiteral("mount"),
                                    {"-t", "tmpfs", "-o", QStringLiteral("size=%1k").arg(kibibytes),
                                     "tmpfs", dir.path()}) == 0;
        if (!mounted)
            qInfo("A real full disk is tried only where a small file system can be mounted "
                  "(as root); the saver's own test (tst_filesaver) makes one without.");
    }
    ~SmallDisk()
    {
        if (mounted)
            QProcess::execute(QStringLiteral("umount"), {dir.path()});
    }
    SmallDisk(const SmallDisk &) = delete;
    SmallDisk &operator=(const SmallDisk &) = delete;

    bool isMounted() const { return mounted; }
    QString filePath(const QString &name) const { return dir.filePath(name); }
    // Takes every free byte; true once a write was refused for want of space.
    bool Fill() const
    {
        QFile filler(dir.filePath(QStringLiteral("filler")));
        if (!filler.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered))
            return false;
        const QByteArray block(4096, 'x');
        for (int i = 0; i < 100000; ++i) {
            if (filler.write(block) != block.size())
                return true;
        }
        return false;
    }
    void Free() const { QFile::remove(dir.filePath(QStringLiteral("filler"))); }
    // Every name in it but the filler's.
    QStringList Names() const
    {
        QStringList names = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System);
        names.removeAll(QStringLiteral("filler"));
        return names;
    }

private:
    QTemporaryDir dir;
    bool mounted = false;
};

#endif // SMALLDISK_H
