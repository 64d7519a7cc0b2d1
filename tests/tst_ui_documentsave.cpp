// The window's File > Save where the disk or the folder is against it: a
// full disk (a write refused for want of space, whoever runs the test) gives
// a box and keeps the old file and the edits; a folder that
// refuses new files asks before writing into the file itself.

#include "model/padfile.h"
#include "ui/mainwindow.h"

#include "modalanswer.h"
#include "support/faultyplatform.h"
#include "uitestmain.h"

#include <QMenu>
#include <QMenuBar>
#include <QScopeGuard>

#include <sys/stat.h>
#include <unistd.h>

namespace {

QByteArray Contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TstDocumentSave : public QObject
{
    Q_OBJECT

private:
    // The window shows the file, with "AFTER" typed into the AtoN tab's name
    // field.
    static void OpenAndEdit(MainWindow &window, const QString &path)
    {
        App()->EditModel()->Reset();
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        window.OpenFileAtStart(path);
        auto *line = child<QLineEdit>(window, "lineName");
        line->setFocus(Qt::OtherFocusReason);
        line->selectAll();
        QTest::keyClicks(line, "AFTER");
        QVERIFY(window.isWindowModified());
    }
    // File > Save File, the menu opened with the mouse and the item taken by
    // its key.
    static void SaveThroughTheMenu(MainWindow &window)
    {
        auto *bar = window.menuBar();
        auto *file = child<QMenu>(window, "menuFile");
        QTest::mouseClick(bar, Qt::LeftButton, {},
                          bar->actionGeometry(file->menuAction()).center());
        QTRY_VERIFY(file->isVisible());
        QTest::keyClick(file, Qt::Key_S);
    }

private slots:
    void fullDisk();
    void folderThatRefusesNewFiles();
};

void TstDocumentSave::fullDisk()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("buoy.pad");
    Model model;
    model.GetAtoN()->SetName("BEFORE");
    QCOMPARE(PadFile::Save(path, model), PadFile::Done);
    const QByteArray before = Contents(path);

    MainWindow window;
    OpenAndEdit(window, path);
    FaultyPlatform disk;
    disk.failing = FaultyPlatform::WriteCall;
    disk.error = ENOSPC;
    Platform::Replace(&disk);
    const auto restore = qScopeGuard([] { Platform::Replace(nullptr); });
    {
        ModalAnswer answers({ModalAnswer::Press(QMessageBox::Ok)});
        SaveThroughTheMenu(window);
        QTRY_COMPARE(answers.answered(), 1);
        QCOMPARE(answers.texts.value(0), "Could not save file: " + path);
        QCOMPARE(answers.informativeTexts.value(0), QString("The disk is full."));
    }
    QVERIFY(window.isWindowModified());
    QCOMPARE(Contents(path), before);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"buoy.pad"});

    // With room again, Ctrl+S saves the edits.
    disk.failing = FaultyPlatform::NoCall;
    {
        ModalAnswer none({ModalAnswer::Press(QMessageBox::Ok)});
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QTest::keyClick(&window, Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(none.answered(), 0);
    }
    QVERIFY(!window.isWindowModified());
    QCOMPARE(PadFile::Load(path, &model), PadFile::Done);
    QCOMPARE(model.GetAtoN()->Name(), QString("AFTER"));
}

void TstDocumentSave::folderThatRefusesNewFiles()
{
    // The folder is read-only, the file in it writable by all; root may
    // write anywhere, so the window acts as "nobody" here.
    QTemporaryDir dir;
    const QString folder = dir.filePath("locked"), path = folder + "/buoy.pad";
    QVERIFY(QDir(dir.path()).mkdir("locked"));
    Model model;
    model.GetAtoN()->SetName("BEFORE");
    QCOMPARE(PadFile::Save(path, model), PadFile::Done);
    const QByteArray before = Contents(path);
    for (const auto &[name, mode] :
         {std::pair{path, 0666}, std::pair{folder, 0555}, std::pair{dir.path(), 0755}})
        QCOMPARE(::chmod(QFile::encodeName(name).constData(), mode), 0);
    const bool root = ::geteuid() == 0;
    QVERIFY(!root || ::setresuid(65534, 65534, 0) == 0);
    const auto back = qScopeGuard([root] {
        if (root && ::setresuid(0, 0, 0) != 0)
            qFatal("could not become root again");
    });

    MainWindow window;
    OpenAndEdit(window, path);
    // Cancel keeps the file and the edits; Yes writes into the file.
    for (const auto button : {QMessageBox::Cancel, QMessageBox::Yes}) {
        ModalAnswer answers({ModalAnswer::Press(button)});
        SaveThroughTheMenu(window);
        QTRY_COMPARE(answers.answered(), 1);
        QVERIFY2(answers.informativeTexts.value(0).contains("does not allow new files"),
                 qPrintable(answers.informativeTexts.value(0)));
        QCOMPARE(window.isWindowModified(), button == QMessageBox::Cancel);
        if (button == QMessageBox::Cancel)
            QCOMPARE(Contents(path), before);
    }
    QCOMPARE(PadFile::Load(path, &model), PadFile::Done);
    QCOMPARE(model.GetAtoN()->Name(), QString("AFTER"));
    QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{"buoy.pad"});
}

VANDREL_UI_TEST_MAIN(TstDocumentSave)
#include "tst_ui_documentsave.moc"
