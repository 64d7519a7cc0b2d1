// The Unit history view, clicked as an engineer does: the unit's entries
// newest first, an entry opened whole, an entry compared with what the unit
// holds, and a register out of reach said to be so.

#include "app/transferentry.h"
#include "model/padfile.h"
#include "register/unitregister.h"
#include "ui/unithistoryview.h"
#include "uitestmain.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTreeWidget>

class TestUnitHistoryView : public QObject
{
    Q_OBJECT

    QTemporaryDir scratch;

    static void ClickRow(QTreeWidget *timeline, int row)
    {
        const QRect rect = timeline->visualItemRect(timeline->topLevelItem(row));
        QTest::mouseClick(timeline->viewport(), Qt::LeftButton, {}, rect.center());
    }

private slots:
    void timelineOpenAndCompare();
    void registerOutOfReach();
};

void TestUnitHistoryView::timelineOpenAndCompare()
{
    RegisterLocation location;
    QString error;
    QVERIFY(RegisterLocation::Parse(scratch.filePath("register.sqlite"), &location, &error));
    UnitRegister unitRegister(location, scratch.filePath("spool"));
    QVERIFY(unitRegister.Open());

    const QDateTime start = QDateTime::currentDateTimeUtc().addDays(-3);
    Model asSent;
    for (int i = 0; i < 3; ++i) {
        asSent.GetAtoN()->SetName(QStringLiteral("BUOY %1").arg(i));
        asSent.GetAtoN()->GetAtoNMMSI()->SetMmsi(QStringLiteral("99235100%1").arg(i));
        RegisterEntry entry = TransferEntry::Make(RegisterEntry::Kind::Send, "ann", "/dev/ttyACM0");
        TransferEntry::Describe(asSent, &entry);
        entry.serial = QStringLiteral("S1");
        entry.time = start.addSecs(i * 60);
        unitRegister.Record(entry);
    }
    RegisterEntry other = TransferEntry::Make(RegisterEntry::Kind::Retrieve, "bo", "");
    other.serial = QStringLiteral("S2");
    unitRegister.Record(other);

    UnitHistoryView view(&unitRegister);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    auto *timeline = view.findChild<QTreeWidget *>("historyTimeline");
    auto *open = view.findChild<QPushButton *>("historyOpen");
    auto *compare = view.findChild<QPushButton *>("historyCompare");
    QVERIFY(view.ShowUnit("S1"));
    QCOMPARE(timeline->topLevelItemCount(), 3);
    QCOMPARE(timeline->topLevelItem(0)->text(3), QStringLiteral("BUOY 2"));
    QVERIFY(!open->isEnabled() && !compare->isEnabled());

    // The unit now holds entry 1's configuration, renamed.
    Model held;
    held.GetAtoN()->SetName(QStringLiteral("RENAMED"));
    held.GetAtoN()->GetAtoNMMSI()->SetMmsi(QStringLiteral("992351001"));
    view.SetUnitConfiguration(&held);
    ClickRow(timeline, 1);
    QVERIFY(open->isEnabled() && compare->isEnabled());
    QTest::mouseClick(compare, Qt::LeftButton);
    const QString text = view.findChild<QPlainTextEdit *>("historyComparison")->toPlainText();
    QVERIFY2(text.contains("BUOY 1") && text.contains("RENAMED") && !text.contains("MMSI"),
             qPrintable(text));

    QSignalSpy opened(&view, &UnitHistoryView::OpenRequested);
    ClickRow(timeline, 2);
    QTest::mouseClick(open, Qt::LeftButton);
    QCOMPARE(opened.size(), 1);
    Model configuration;
    QCOMPARE(PadFile::FromBytes(qvariant_cast<RegisterEntry>(opened.at(0).at(0)).configuration,
                                &configuration),
             PadFile::Done);
    QCOMPARE(configuration.GetAtoN()->Name(), QStringLiteral("BUOY 0"));
}

void TestUnitHistoryView::registerOutOfReach()
{
    RegisterLocation location;
    QString error;
    QVERIFY(RegisterLocation::Parse("postgresql://u@/none?host=" + scratch.filePath("no-server"),
                                    &location, &error));
    UnitRegister unitRegister(location, scratch.filePath("spool"));
    unitRegister.Open();
    UnitHistoryView view(&unitRegister);
    QVERIFY(!view.ShowUnit("S1"));
    QVERIFY(view.findChild<QLabel *>("historyHeading")->text().contains("could not be read"));
}

VANDREL_UI_TEST_MAIN(TestUnitHistoryView)
#include "tst_ui_unithistoryview.moc"
