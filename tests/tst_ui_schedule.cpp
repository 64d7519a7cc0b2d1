// The window's message schedule against the unit simulator: a send changes
// the rows the document names and leaves the others as the unit holds them;
// the engineer switches those off from the table's menu, and is asked before
// the off-position report goes off; rows the table has no place for are read,
// shown by name and sent back as they are.

#include "app/statemachine.h"
#include "link/serialtransport.h"
#include "model/padfile.h"
#include "ui/mainwindow.h"

#include "modalanswer.h"
#include "support/schedulerows.h"
#include "support/simprocess.h"
#include "uitestmain.h"

#include <QComboBox>
#include <QJsonArray>
#include <QJsonObject>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScrollArea>
#include <QTableView>
#include <QToolButton>

namespace {

// The unit's rows as "message/instance".
QStringList RowNames(const QJsonObject &state)
{
    QStringList names;
    for (const QJsonValue &row : state.value("schedule").toArray())
        names << QStringLiteral("%1/%2")
                     .arg(row.toObject().value("message").toInt())
                     .arg(row.toObject().value("instance").toInt());
    return names;
}

bool Idle()
{
    const SerialTransport *transport = App()->GetTransport();
    const StateMachine *machine = App()->GetStateMachine();
    return transport && transport->IsConnected() && !transport->IsBusy() &&
           !machine->IsTransferring();
}

} // namespace

class TstUiSchedule : public QObject
{
    Q_OBJECT

private slots:
    void sendLeavesWhatTheDocumentDoesNotName();
    void rowsBeyondTheTableAreShownAndSentBack();

private:
    void Link(MainWindow &window, const QString &port)
    {
        qputenv("VANDREL_PORTS", port.toLocal8Bit());
        App()->SetPortName(port);
        auto *combo = child<QComboBox>(window, "comboBoxPort");
        combo->showPopup();
        combo->hidePopup();
        QTest::mouseClick(child<QPushButton>(window, "pushButtonConnect"), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(child<QWidget>(window, "toolButtonSendToAtoN")->isEnabled(),
                                 10000);
    }
    // Disconnect, so that the next test links afresh.
    void Unlink(MainWindow &window)
    {
        QTest::mouseClick(child<QPushButton>(window, "pushButtonDisconnect"), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(!App()->GetTransport() || !App()->GetTransport()->IsConnected(),
                                 10000);
        App()->SetMainWindow(nullptr);
    }
    // Clicks a tool-bar button on its main part and waits for the transfer
    // to end; `answers` are for the boxes that come first, whose texts it
    // gives.
    QStringList Transfer(MainWindow &window, const char *button,
                         QList<ModalAnswer::Answer> answers = {})
    {
        ModalAnswer boxes(answers);
        auto *b = child<QToolButton>(window, button);
        QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(b->height() / 2, b->height() / 2));
        [&] {
            QCOMPARE(boxes.answered(), answers.size());
            QTRY_VERIFY_WITH_TIMEOUT(Idle(), 60000);
        }();
        return boxes.texts;
    }
    // A right click on the schedule's first row, and in the menu the keys
    // given, one menu after the other.
    void ScheduleMenuKeys(MainWindow &window, const QList<Qt::Key> &keys)
    {
        auto *table = child<QTableView>(window, "tableSchedules");
        // Scrolled into view first, as the engineer would.
        child<QScrollArea>(window, "scrollAreaRealAtoN")->ensureWidgetVisible(table);
        const QPoint at = table->viewport()->mapTo(
            &window, table->visualRect(table->model()->index(0, 0)).center());
        QTest::mouseClick(window.windowHandle(), Qt::RightButton, {}, at);
        for (Qt::Key key : keys) {
            QTRY_VERIFY(QApplication::activePopupWidget());
            QTest::keyClick(QApplication::activePopupWidget(), key);
        }
        QTRY_VERIFY(!QApplication::activePopupWidget());
    }
};

void TstUiSchedule::sendLeavesWhatTheDocumentDoesNotName()
{
    // The sample unit holds its two reports, 6/1 and 12/2.
    SimProcess unit({"--fast"});
    const QJsonObject before = unit.State();
    QCOMPARE(RowNames(before), QStringList({"21/1", "21/2", "6/1", "12/2"}));
    QTemporaryDir dir;
    Model one;
    one.GetAtoN()->GetAtoNMMSI()->SetNewMmsi(before.value("mmsi").toString());
    one.GetAtoN()->GetPosition()->SetLatitude(50.8);
    one.GetAtoN()->GetPosition()->SetLongitude(-1.1);
    MessageScheduleEntry report;
    report.SetAccessScheme(MessageScheduleEntry::RATDMA);
    report.SetInterval1(3);
    report.SetInterval2(3);
    LoadRows(one.GetMessageSchedule(), {report});
    const QString file = dir.filePath("one.pad");
    QCOMPARE(PadFile::Save(file, one), PadFile::Done);

    MainWindow window;
    App()->SetMainWindow(&window);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    {
        ModalAnswer open({ModalAnswer::ChooseFile(file)});
        child<QAction>(window, "actionOpenFile")->trigger();
    }
    Link(window, unit.port);
    auto *note = child<QLabel>(window, "labelRowsLeftToUnit");
    QVERIFY2(note->isVisible() && note->text().endsWith("21/2, 6/1 to 6/4 and 3 more"),
             qPrintable(note->text()));

    // The one row goes out; the unit keeps the rest, and nothing is asked.
    Transfer(window, "toolButtonSendToAtoN");
    QJsonObject held = unit.State();
    QCOMPARE(RowNames(held), RowNames(before));
    const QJsonArray rows = held["schedule"].toArray();
    QCOMPARE(rows[0].toObject()["scheme"].toInt(), 1);
    for (int row = 1; row < 4; ++row)
        QCOMPARE(rows[row], before["schedule"].toArray()[row]);

    // Switched off from the menu, the rest go too, but only once the
    // engineer has agreed to the off-position report going off.
    ScheduleMenuKeys(window, {Qt::Key_L, Qt::Key_A});
    QVERIFY(!note->isVisible());
    Transfer(window, "toolButtonSendToAtoN", {ModalAnswer::Press(QMessageBox::Cancel)});
    QCOMPARE(unit.State(), held);
    const QStringList asked =
        Transfer(window, "toolButtonSendToAtoN", {ModalAnswer::PressAccept()});
    QVERIFY(asked.value(0).contains("off-position report"));
    held = unit.State();
    QCOMPARE(RowNames(held), QStringList({"21/1", "21/2"}));
    QCOMPARE(held["schedule"].toArray()[1].toObject()["slot1"].toInt(), -1);
    Unlink(window);
}

void TstUiSchedule::rowsBeyondTheTableAreShownAndSentBack()
{
    SimProcess unit({"--fast", "--extra-row", "25/1", "--extra-row", "6/5"});
    const QJsonObject before = unit.State();
    MainWindow window;
    App()->SetMainWindow(&window);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    Link(window, unit.port);
    Transfer(window, "toolButtonRetrieveFromAtoN");

    // Shown with their message and instance, named in their tool tips, and
    // not to be edited; sent back, the unit holds them as before.
    const QAbstractItemModel *table = child<QTableView>(window, "tableSchedules")->model();
    QStringList shown;
    for (int row = 0; row < table->rowCount(); ++row)
        shown << table->index(row, 0).data().toString() + '/' +
                     table->index(row, 1).data().toString();
    QVERIFY2(shown.contains("25/1") && shown.contains("6/5"), qPrintable(shown.join(' ')));
    const QModelIndex extra = table->index(shown.indexOf("25/1"), 3);
    QVERIFY(extra.data(Qt::ToolTipRole).toString().startsWith("Message 25, row 1"));
    QVERIFY(!(table->flags(extra) & Qt::ItemIsEditable));
    Transfer(window, "toolButtonSendToAtoN");
    QCOMPARE(unit.State().value("schedule"), before.value("schedule"));
    Unlink(window);
}

VANDREL_UI_TEST_MAIN(TstUiSchedule)
#include "tst_ui_schedule.moc"
