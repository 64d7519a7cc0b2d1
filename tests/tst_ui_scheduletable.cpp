#include "uitestmain.h"

#include "ui/messagescheduledelegate.h"
#include "ui/messagescheduletablemodel.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QSpinBox>
#include <QTableView>

// The table and its in-place editors on a schedule, driven through a view.
class TestScheduleTable : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cellTexts_data();
    void cellTexts();
    void rowsAndColours();
    void flags();
    void attachWidensColumns();
    void editors_data();
    void editors();
    void noEditWithoutChange();

private:
    QModelIndex Cell(int row, int column) const { return table->index(row, column); }
    QString Text(int row, int column, int role = Qt::DisplayRole) const
    {
        return table->data(Cell(row, column), role).toString();
    }
    void SetScheme(int scheme)
    {
        MessageScheduleEntry entry = schedule->EntryAt(0);
        entry.SetAccessScheme(scheme);
        QVERIFY(schedule->SetEntry(0, entry));
        table->Refresh();
    }
    // Opens the editor of a cell the way a user does: select, then double-click.
    QWidget *OpenEditor(int row, int column);

    std::unique_ptr<Model> model;
    std::unique_ptr<QTableView> view;
    MessageSchedule *schedule = nullptr;
    MessageScheduleTableModel *table = nullptr;
    MessageScheduleDelegate *delegate = nullptr;
};

void TestScheduleTable::init()
{
    view.reset();
    model = std::make_unique<Model>();
    schedule = model->GetMessageSchedule();
    view = std::make_unique<QTableView>();
    table = new MessageScheduleTableModel(schedule, view.get());
    delegate = new MessageScheduleDelegate(schedule, view.get());
    table->AttachToView(view.get(), true);
    view->setItemDelegate(delegate);
    view->show();
    view->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(view.get()));
}

QWidget *TestScheduleTable::OpenEditor(int row, int column)
{
    const QPoint centre = view->visualRect(Cell(row, column)).center();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, centre);
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, centre);
    QWidget *editor = view->indexWidget(Cell(row, column));
    return editor ? editor : QApplication::focusWidget();
}

void TestScheduleTable::cellTexts_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("scheme");
    QTest::addColumn<QString>("toolTip");

    const int fatdma = MessageScheduleEntry::FATDMA, ratdma = MessageScheduleEntry::RATDMA;
    QTest::newRow("message") << 0 << "21" << fatdma << "21 ( AtoN Report )";
    QTest::newRow("index") << 1 << "1" << fatdma << "1 ( Normal Report )";
    QTest::newRow("FATDMA") << 2 << "FATDMA" << fatdma << "FATDMA";
    QTest::newRow("RATDMA") << 2 << "RATDMA" << ratdma << "RATDMA";
    QTest::newRow("CSTDMA") << 2 << "CSTDMA" << int(MessageScheduleEntry::CSTDMA) << "CSTDMA";
    QTest::newRow("unknown scheme") << 2 << "" << 7 << "";
    QTest::newRow("start time") << 6 << "13:45" << fatdma << "13:45";
    QTest::newRow("slot") << 4 << "0" << fatdma << "0";
    QTest::newRow("slot, not FATDMA")
        << 7 << "" << ratdma << "Start slots only valid if the Access Scheme is FATDMA";
    QTest::newRow("0 slots") << 5 << "0 slots" << fatdma << "0 slots";
    QTest::newRow("0 minutes") << 5 << "0 minutes" << ratdma
                               << "Interval is 0 minutes, therefore this channel is deactivated";
    QTest::newRow("15 minutes") << 8 << "15 minutes" << ratdma << "15 minutes";
}

void TestScheduleTable::cellTexts()
{
    QFETCH(int, column);
    QFETCH(int, scheme);
    MessageScheduleEntry entry = schedule->EntryAt(0);
    entry.SetAccessScheme(scheme);
    entry.SetInterval1(0);
    entry.SetInterval2(15);
    entry.SetStartTime2(QTime(13, 45));
    QVERIFY(schedule->SetEntry(0, entry));
    QTEST(Text(0, column), "text");
    QTEST(Text(0, column, Qt::ToolTipRole), "toolTip");
}

void TestScheduleTable::rowsAndColours()
{
    // The off-position report row stays in view, grey, although not in use.
    QCOMPARE(table->rowCount(), 2);
    QCOMPARE(Text(1, 1, Qt::ToolTipRole), QStringLiteral("2 ( Off-position Report )"));
    QCOMPARE(Text(1, 4), QStringLiteral("-1"));
    QCOMPARE(table->data(Cell(0, 3), Qt::ForegroundRole).value<QBrush>().color(),
             QColor(Qt::black));
    QCOMPARE(table->data(Cell(1, 3), Qt::ForegroundRole).value<QBrush>().color(), QColor(Qt::gray));
    QCOMPARE(table->headerData(8, Qt::Horizontal).toString(),
             QStringLiteral("Channel 2\nInterval"));

    // Binary messages follow the two report rows: 6s, 8s, then 12s and 14s.
    int row = -1;
    for (int message : {8, 6, 6, 212, 14})
        QVERIFY(schedule->AddMessage(message, row));
    table->Refresh();
    QStringList ids, index;
    for (int r = 0; r < table->rowCount(); ++r) {
        ids << Text(r, 0);
        index << Text(r, 1);
    }
    QCOMPARE(ids.join(' '), QStringLiteral("21 21 6 6 8 12 14"));
    QCOMPARE(index.join(' '), QStringLiteral("1 2 1 2 1 3 1"));
    QCOMPARE(Text(2, 0, Qt::ToolTipRole), QStringLiteral("6 ( Binary Addressed Message )"));
    QCOMPARE(Text(6, 0, Qt::ToolTipRole), QStringLiteral("14 ( Binary Broadcast Message )"));
}

void TestScheduleTable::flags()
{
    for (int column = 0; column < 9; ++column) {
        QCOMPARE(bool(table->flags(Cell(0, column)) & Qt::ItemIsEditable), column >= 2);
        // The inactive off-position report row: enabled, never editable.
        QCOMPARE(table->flags(Cell(1, column)), Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    }
    SetScheme(MessageScheduleEntry::RATDMA);
    QVERIFY(!(table->flags(Cell(0, 4)) & Qt::ItemIsEditable));
    QVERIFY(table->flags(Cell(0, 5)) & Qt::ItemIsEditable);
    QVERIFY(!table->setData(Cell(0, 0), 6));
}

void TestScheduleTable::attachWidensColumns()
{
    QTableView plain;
    MessageScheduleTableModel other(schedule);
    other.AttachToView(&plain, false);
    QCOMPARE(view->columnWidth(0), plain.columnWidth(0) + 13);
    for (int column = 1; column < 9; ++column)
        QCOMPARE(view->columnWidth(column), plain.columnWidth(column) + 9);
    QVERIFY(view->verticalHeader()->isHidden());
    // All nine columns show: nothing to scroll sideways.
    QVERIFY(view->viewport()->width() >= view->horizontalHeader()->length());
}

void TestScheduleTable::editors_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("scheme");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("steps"); // up, or down when negative
    QTest::addColumn<QString>("shown");

    const int fatdma = MessageScheduleEntry::FATDMA, ratdma = MessageScheduleEntry::RATDMA;
    QTest::newRow("slot up") << 4 << "Channel1StartSlot" << fatdma << QString() << 2 << "2";
    QTest::newRow("slot at the top") << 4 << "Channel1StartSlot" << fatdma << "2249" << 1 << "2249";
    QTest::newRow("slot down to -1")
        << 7 << "Channel2StartSlot" << fatdma << QString() << -2 << "-1";
    QTest::newRow("slots at the top")
        << 5 << "Channel1Interval" << fatdma << "3240000" << 1 << "3240000 slots";
    QTest::newRow("minutes at the top")
        << 8 << "Channel2Interval" << ratdma << "1439" << 2 << "1440 mins";
    QTest::newRow("minutes down to 0")
        << 5 << "Channel1Interval" << ratdma << "1" << -2 << "0 mins";
    QTest::newRow("start time") << 6 << "Channel2StartUTC" << fatdma << QString() << 1 << "01:00";
}

void TestScheduleTable::editors()
{
    QFETCH(int, column);
    QFETCH(int, scheme);
    QFETCH(QString, typed);
    QFETCH(int, steps);
    QFETCH(QString, shown);
    SetScheme(scheme);
    // The table's text, read from the schedule, without its unit.
    auto inModel = [&]() { return Text(0, column).section(' ', 0, 0); };

    QSignalSpy edited(delegate, &MessageScheduleDelegate::DelegateEdited);
    auto *editor = qobject_cast<QAbstractSpinBox *>(OpenEditor(0, column));
    QVERIFY(editor);
    QTEST(editor->objectName(), "name");
    QCOMPARE(edited.count(), 0);
    if (!typed.isEmpty()) {
        editor->selectAll();
        QTest::keyClicks(editor, typed);
    }
    for (int i = 0; i < qAbs(steps); ++i) {
        QTest::keyClick(editor, steps > 0 ? Qt::Key_Up : Qt::Key_Down);
        // Each step is in the model while the editor is still open.
        QCOMPARE(inModel(), editor->text().section(' ', 0, 0));
    }
    QVERIFY(edited.count() >= 1);
    QCOMPARE(editor->text(), shown);
    QTest::keyClick(editor, Qt::Key_Return);
    QCOMPARE(inModel(), shown.section(' ', 0, 0));
}

void TestScheduleTable::noEditWithoutChange()
{
    // No editor for the fixed columns and the inactive report row; opening
    // an editor loads it, which is no edit, and Escape writes nothing.
    QSignalSpy edited(delegate, &MessageScheduleDelegate::DelegateEdited);
    const MessageScheduleEntry before = schedule->EntryAt(0);
    for (const QPoint cell : {QPoint(0, 0), QPoint(2, 0), QPoint(4, 1)}) {
        OpenEditor(cell.y(), cell.x());
        QVERIFY(view->findChildren<QSpinBox *>().isEmpty());
        QVERIFY(view->findChildren<QLineEdit *>().isEmpty());
    }
    auto *editor = qobject_cast<QSpinBox *>(OpenEditor(0, 8));
    QVERIFY(editor);
    QCOMPARE(editor->value(), 6750);
    QTest::keyClick(editor, Qt::Key_Escape);
    QCOMPARE(edited.count(), 0);
    QVERIFY(schedule->EntryAt(0) == before);
}

VANDREL_UI_TEST_MAIN(TestScheduleTable)
#include "tst_ui_scheduletable.moc"
