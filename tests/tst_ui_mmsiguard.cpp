// The window before a send that gives the unit on the line an MMSI: it asks
// with the change named, refuses another unit's MMSI until the engineer ticks
// the override (which the register keeps), and says when the register could
// not be asked; the Unit Status tab says when the unit was last seen and
// opens its history. What the simulated unit holds afterwards is the measure.

#include "app/statemachine.h"
#include "app/unitsession.h"
#include "app/vandrelapplication.h"
#include "link/serialtransport.h"
#include "model/padfile.h"
#include "register/unitregister.h"
#include "ui/mainwindow.h"

#include "modalanswer.h"
#include "support/schedulerows.h"
#include "support/simprocess.h"
#include "uitestmain.h"

#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeWidget>

class TstMmsiGuardWindow : public QObject
{
    Q_OBJECT

    static bool idle()
    {
        const SerialTransport *transport = App()->GetTransport();
        return transport && transport->IsConnected() && !transport->IsBusy() &&
               !App()->GetStateMachine()->IsTransferring();
    }
    // File > Open, then Send; answers (armed by the caller) choose the file
    // and answer the boxes that follow. Returns once the unit holds what it
    // will hold after the send.
    static void openAndSend(MainWindow &window, ModalAnswer &answers)
    {
        QTRY_VERIFY_WITH_TIMEOUT(idle(), 15000);
        child<QAction>(window, "actionOpenFile")->trigger();
        QCOMPARE(answers.answered(), 1);
        auto *send = child<QToolButton>(window, "toolButtonSendToAtoN");
        QTest::mouseClick(send, Qt::LeftButton, {}, QPoint(send->height() / 2, send->height() / 2));
        QVERIFY(answers.answered() >= 2);
        QTRY_VERIFY_WITH_TIMEOUT(idle(), 60000);
    }
    static QString fileWith(const QTemporaryDir &dir, const QString &mmsi)
    {
        Model model;
        model.GetAtoN()->GetAtoNMMSI()->SetMmsi(mmsi);
        model.GetAtoN()->GetAtoNMMSI()->SetNewMmsi(mmsi);
        model.GetAtoN()->SetName(QStringLiteral("GUARD ") + mmsi.right(3));
        model.GetAtoN()->GetPosition()->SetLatitude(53.5);
        model.GetAtoN()->GetPosition()->SetLongitude(8.1);
        // No schedule rows: the unit keeps its own.
        LoadRows(model.GetMessageSchedule(), {});
        const QString file = dir.filePath(mmsi + QStringLiteral(".pad"));
        return PadFile::Save(file, model) == PadFile::Done ? file : QString();
    }
    // The newest entry of the unit with this serial number.
    static RegisterEntry latest(const QString &serial)
    {
        QVector<RegisterEntry> entries;
        QString error;
        if (!App()->Register()->History({serial, {}, {}, {}, 1}, &entries, &error))
            qWarning("%s", qPrintable(error));
        return entries.value(0);
    }

private slots:
    void sendsThatChangeTheMmsi();
};

void TstMmsiGuardWindow::sendsThatChangeTheMmsi()
{
    using A = ModalAnswer;
    SimProcess unit({"--fast", "--serial", "GUARD-B", "--mmsi", "992351002"});
    QVERIFY(!unit.port.isEmpty());
    QTemporaryDir dir;
    // Unit A was sent MMSI 992351001 at another bench.
    RegisterEntry a = RegisterEntry::New(RegisterEntry::Kind::Send);
    a.serial = QStringLiteral("GUARD-A");
    a.mmsiAfter = QStringLiteral("992351001");
    a.computer = QStringLiteral("bench-7");
    a.result = RegisterEntry::Result::Verified;
    QCOMPARE(App()->Register()->Record(a), UnitRegister::Recorded::Written);
    // B itself was read at another bench before.
    RegisterEntry b = RegisterEntry::New(RegisterEntry::Kind::Retrieve);
    b.serial = QStringLiteral("GUARD-B");
    b.mmsiAfter = QStringLiteral("992351002");
    b.engineer = QStringLiteral("Ana Ruiz");
    b.computer = QStringLiteral("bench-3");
    QCOMPARE(App()->Register()->Record(b), UnitRegister::Recorded::Written);

    MainWindow window;
    App()->SetMainWindow(&window);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    qputenv("VANDREL_PORTS", unit.port.toLocal8Bit());
    App()->SetPortName(unit.port);
    auto *combo = child<QComboBox>(window, "comboBoxPort");
    combo->showPopup();
    combo->hidePopup();
    QTest::mouseClick(child<QPushButton>(window, "pushButtonConnect"), Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(App()->Session()->Identity().mmsi, QString("992351002"), 15000);
    // The Unit Status tab says when and by whom.
    const QString seen = child<QLabel>(window, "labelLastSeen")->text();
    QVERIFY2(seen.contains("by Ana Ruiz on bench-3 (retrieve"), qPrintable(seen));

    // A's MMSI: the box names A and where it was seen, Send stays greyed
    // until the override is ticked; cancelled, nothing goes out.
    const QString ofA = fileWith(dir, "992351001");
    {
        bool sendOffered = true;
        A refused({A::ChooseFile(ofA), [&](QWidget *w) {
                       auto *box = qobject_cast<QMessageBox *>(w);
                       sendOffered = box->button(QMessageBox::Yes)->isEnabled();
                       box->button(QMessageBox::Cancel)->click();
                   }});
        openAndSend(window, refused);
        QCOMPARE(refused.texts.value(0), QString("Another unit holds this MMSI."));
        const QString told = refused.informativeTexts.value(0);
        QVERIFY2(told.contains("from 992351002 to 992351001") &&
                     told.contains("serial number GUARD-A") && told.contains("bench-7"),
                 qPrintable(told));
        QVERIFY(!sendOffered);
    }
    QCOMPARE(unit.State()["mmsi"].toString(), QString("992351002"));
    // Overridden: the unit takes it, and the register keeps the choice.
    {
        A overridden({A::ChooseFile(ofA), A::TickAndPress(QMessageBox::Yes)});
        openAndSend(window, overridden);
    }
    QCOMPARE(unit.State()["mmsi"].toString(), QString("992351001"));
    RegisterEntry sent = latest("GUARD-B");
    QCOMPARE(sent.kind, RegisterEntry::Kind::Send);
    QVERIFY(sent.mmsiReassigned);
    QCOMPARE(sent.mmsiBefore, QString("992351002"));
    QCOMPARE(sent.mmsiAfter, QString("992351001"));

    // An MMSI no unit holds, from a file of any origin: asked all the same,
    // with the change named.
    const QString fresh = fileWith(dir, "992351009");
    {
        A asked({A::ChooseFile(fresh), A::Press(QMessageBox::Yes)});
        openAndSend(window, asked);
        QCOMPARE(asked.texts.value(0), QString("The send changes the unit's MMSI."));
        QVERIFY(asked.informativeTexts.value(0).contains("from 992351001 to 992351009"));
    }
    QCOMPARE(unit.State()["mmsi"].toString(), QString("992351009"));
    QVERIFY(!latest("GUARD-B").mmsiReassigned);

    // The unit's history, opened from the Unit Status tab: every send above,
    // newest first, and the one that took A's MMSI opened as a document.
    auto *tabs = child<QTabWidget>(window, "tabWidget");
    QTest::mouseClick(tabs->tabBar(), Qt::LeftButton, {},
                      tabs->tabBar()->tabRect(tabs->count() - 1).center());
    QTest::mouseClick(child<QPushButton>(window, "pushButtonUnitHistory"), Qt::LeftButton);
    QPointer<QDialog> history = window.findChild<QDialog *>("unitHistoryDialog");
    QVERIFY(history && history->isVisible());
    auto *timeline = history->findChild<QTreeWidget *>("historyTimeline");
    QTreeWidgetItem *reassigned = nullptr;
    for (int i = 0; i < timeline->topLevelItemCount(); ++i) {
        if (timeline->topLevelItem(i)->text(2) == QString("992351002 → 992351001"))
            reassigned = timeline->topLevelItem(i);
    }
    QVERIFY(reassigned);
    QCOMPARE(timeline->topLevelItem(0)->text(2), QString("992351001 → 992351009"));
    QTest::mouseClick(timeline->viewport(), Qt::LeftButton, {},
                      timeline->visualItemRect(reassigned).center());
    QTest::mouseClick(history->findChild<QPushButton *>("historyOpen"), Qt::LeftButton);
    QTRY_VERIFY(!history);
    QCOMPARE(App()->EditModel()->GetAtoN()->Name(), QString("GUARD 001"));
    QVERIFY2(window.windowFilePath().contains("register entry"),
             qPrintable(window.windowFilePath()));
    QCOMPARE(unit.State()["mmsi"].toString(), QString("992351009"));

    // A shared register out of reach: the box says the check could not be
    // made; the send goes only when the engineer agrees, and its entry waits
    // in the spool, which the status bar says.
    QString error;
    // A database of this run's own: its spooled entry is this run's alone.
    const QString unreachable =
        "postgresql://vandrel@127.0.0.1:1/r" + QFileInfo(dir.path()).fileName().toLower();
    QVERIFY2(App()->UseRegister(unreachable, &error), qPrintable(error));
    {
        A cancelled({A::ChooseFile(ofA), A::Press(QMessageBox::Cancel)});
        openAndSend(window, cancelled);
        QCOMPARE(cancelled.texts.value(0),
                 QString("The register could not be asked about this MMSI."));
        QVERIFY(cancelled.informativeTexts.value(0).contains("could not be checked"));
    }
    QCOMPARE(unit.State()["mmsi"].toString(), QString("992351009"));
    {
        A agreed({A::ChooseFile(ofA), A::Press(QMessageBox::Yes)});
        openAndSend(window, agreed);
    }
    QCOMPARE(unit.State()["mmsi"].toString(), QString("992351001"));
    QTRY_VERIFY(window.statusBar()->currentMessage().contains("waits in"));
    QCOMPARE(App()->Register()->SpoolWaiting(), 1);
    const QString key = App()->Register()->Location().Display();
    App()->SetMainWindow(nullptr);
    RegisterSpool(UnitRegister::DefaultSpoolFolder()).Replay(key, [](const RegisterEntry &) {
        return true;
    });
}

VANDREL_UI_TEST_MAIN(TstMmsiGuardWindow)
#include "tst_ui_mmsiguard.moc"
