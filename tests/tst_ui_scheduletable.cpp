#include "uitestmain.h"

#include "model/model.h"
#include "ui/messagescheduledelegate.h"
#include "ui/messagescheduletablemodel.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QSpinBox>
#include <QTableView>
#include <QTimeEdit>

// The table and its in-place editors on a schedule, driven through a view.
class TestScheduleTable : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void freshScheduleTexts();
    void otherSchemesAndMessages();
    void flags();
    void setDataClampsAndSignals();
    void attachWidensColumns();
    void editorStepReachesModel();
    void startSlotEditorAcceptsMinusOne();
    void intervalEditorLimits();
    void timeEditor();
    void noEditorForFixedColumns();
    void escapeWritesNothing();

private:
    QModelIndex Cell(int row, int column) const { return table->index(row, column); }
    QString Text(int row, int column, int role = Qt::DisplayRole) const
    {
        return table->data(Cell(row, column), role).toString();
    }
    // Opens the editor of a cell the way a user does: select, then double-click.
    QWidget *OpenEditor(int row, int column);

    Model *model = nullptr;
    MessageSchedule *schedule = nullptr;
    MessageScheduleTableModel *table = nullptr;
    MessageScheduleDelegate *delegate = nullptr;
    QTableView *view = nullptr;
};

void TestScheduleTable::init()
{
    model = new Model;
    schedule = model->GetMessageSchedule();
    view = new QTableView;
    table = new MessageScheduleTableModel(schedule, view);
    delegate = new MessageScheduleDelegate(schedule, view);
    table->AttachToView(view, true);
    view->setItemDelegate(delegate);
}

void TestScheduleTable::cleanup()
{
    delete view;
    delete model;
    view = nullptr;
    model = nullptr;
}

QWidget *TestScheduleTable::OpenEditor(int row, int column)
{
    if (!view->isVisible()) {
        view->show();
        view->activateWindow();
        if (!QTest::qWaitForWindowActive(view))
            return nullptr;
    }
    const QPoint centre = view->visualRect(Cell(row, column)).center();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, centre);
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, centre);
    return view->indexWidget(Cell(row, column)) ? view->indexWidget(Cell(row, column))
                                                : QApplication::focusWidget();
}

void TestScheduleTable::freshScheduleTexts()
{
    // Row 0 is the normal report; the off-position report row stays visible
    // although it is not in use.
    QCOMPARE(table->rowCount(), 2);
    QCOMPARE(table->columnCount(), 9);

    const QStringList row0 = {"21",         "1",     "FATDMA", "00:00",     "0",
                              "6750 slots", "00:00", "0",      "6750 slots"};
    for (int column = 0; column < 9; ++column)
        QCOMPARE(Text(0, column), row0.at(column));
    QCOMPARE(Text(0, 0, Qt::ToolTipRole), QStringLiteral("21 ( AtoN Report )"));
    QCOMPARE(Text(0, 1, Qt::ToolTipRole), QStringLiteral("1 ( Normal Report )"));
    QCOMPARE(Text(0, 5, Qt::ToolTipRole), QStringLiteral("6750 slots"));
    QCOMPARE(Text(0, 4, Qt::ToolTipRole), QStringLiteral("0"));

    QCOMPARE(Text(1, 1), QStringLiteral("2"));
    QCOMPARE(Text(1, 1, Qt::ToolTipRole), QStringLiteral("2 ( Off-position Report )"));
    QCOMPARE(Text(1, 4), QStringLiteral("-1"));

    QCOMPARE(table->data(Cell(0, 3), Qt::ForegroundRole).value<QBrush>().color(),
             QColor(Qt::black));
    QCOMPARE(table->data(Cell(1, 3), Qt::ForegroundRole).value<QBrush>().color(), QColor(Qt::gray));

    const QStringList headers = {"Message\nID",           "Index",
                                 "Access\nScheme",        "Channel 1\nStart UTC",
                                 "Channel 1\nStart Slot", "Channel 1\nInterval",
                                 "Channel 2\nStart UTC",  "Channel 2\nStart Slot",
                                 "Channel 2\nInterval"};
    for (int column = 0; column < 9; ++column)
        QCOMPARE(table->headerData(column, Qt::Horizontal).toString(), headers.at(column));
    QVERIFY(!table->headerData(0, Qt::Vertical).isValid());
    QVERIFY(!table->data(Cell(5, 0)).isValid());
}

void TestScheduleTable::otherSchemesAndMessages()
{
    MessageScheduleEntry entry = schedule->EntryAt(0);
    entry.SetAccessScheme(MessageScheduleEntry::RATDMA);
    entry.SetInterval1(0);
    entry.SetInterval2(15);
    entry.SetStartTime2(QTime(13, 45));
    QVERIFY(schedule->SetEntry(0, entry));

    QCOMPARE(Text(0, 2), QStringLiteral("RATDMA"));
    QCOMPARE(Text(0, 4), QString());
    QCOMPARE(Text(0, 7), QString());
    QCOMPARE(Text(0, 4, Qt::ToolTipRole),
             QStringLiteral("Start slots only valid if the Access Scheme is FATDMA"));
    QCOMPARE(Text(0, 5), QStringLiteral("0 minutes"));
    QCOMPARE(Text(0, 5, Qt::ToolTipRole),
             QStringLiteral("Interval is 0 minutes, therefore this channel is deactivated"));
    QCOMPARE(Text(0, 8), QStringLiteral("15 minutes"));
    QCOMPARE(Text(0, 8, Qt::ToolTipRole), QStringLiteral("15 minutes"));
    QCOMPARE(Text(0, 6), QStringLiteral("13:45"));

    entry.SetAccessScheme(MessageScheduleEntry::CSTDMA);
    QVERIFY(schedule->SetEntry(0, entry));
    QCOMPARE(Text(0, 2), QStringLiteral("CSTDMA"));
    entry.SetAccessScheme(7);
    QVERIFY(schedule->SetEntry(0, entry));
    QCOMPARE(Text(0, 2), QString());

    // Binary messages follow the two report rows: 6s, 8s, then 12s and 14s.
    int row = -1;
    QVERIFY(schedule->AddMessage(8, row));
    QVERIFY(schedule->AddMessage(6, row));
    QVERIFY(schedule->AddMessage(6, row));
    QVERIFY(schedule->AddMessage(212, row));
    QVERIFY(schedule->AddMessage(14, row));
    table->Refresh();
    QCOMPARE(table->rowCount(), 7);
    const QStringList ids = {"21", "21", "6", "6", "8", "12", "14"};
    const QStringList index = {"1", "2", "1", "2", "1", "3", "1"};
    for (int r = 0; r < ids.size(); ++r) {
        QCOMPARE(Text(r, 0), ids.at(r));
        QCOMPARE(Text(r, 1), index.at(r));
    }
    QCOMPARE(Text(2, 0, Qt::ToolTipRole), QStringLiteral("6 ( Binary Addressed Message )"));
    QCOMPARE(Text(4, 0, Qt::ToolTipRole), QStringLiteral("8 ( Binary Broadcast Message )"));
    QCOMPARE(Text(5, 0, Qt::ToolTipRole), QStringLiteral("12 ( Binary Broadcast Message )"));
    QCOMPARE(Text(6, 0, Qt::ToolTipRole), QStringLiteral("14 ( Binary Broadcast Message )"));
    QCOMPARE(Text(5, 1, Qt::ToolTipRole), QStringLiteral("3"));
    QCOMPARE(table->data(Cell(5, 1)).type(), QVariant::Int);
}

void TestScheduleTable::flags()
{
    const Qt::ItemFlags editable = Qt::ItemIsEditable;
    for (int column = 0; column < 9; ++column) {
        const Qt::ItemFlags f = table->flags(Cell(0, column));
        QVERIFY(f & Qt::ItemIsEnabled);
        QCOMPARE(bool(f & editable), column >= 2);
        // The inactive off-position report row: enabled, never editable.
        QVERIFY(table->flags(Cell(1, column)) & Qt::ItemIsEnabled);
        QVERIFY(!(table->flags(Cell(1, column)) & editable));
    }

    MessageScheduleEntry entry = schedule->EntryAt(0);
    entry.SetAccessScheme(MessageScheduleEntry::RATDMA);
    QVERIFY(schedule->SetEntry(0, entry));
    QVERIFY(!(table->flags(Cell(0, 4)) & editable));
    QVERIFY(!(table->flags(Cell(0, 7)) & editable));
    QVERIFY(table->flags(Cell(0, 5)) & editable);
    QVERIFY(table->flags(Cell(0, 2)) & editable);
    QCOMPARE(table->flags(QModelIndex()), Qt::NoItemFlags);
}

void TestScheduleTable::setDataClampsAndSignals()
{
    QSignalSpy changed(table, &QAbstractItemModel::dataChanged);
    QVERIFY(table->setData(Cell(0, 3), QTime(7, 30)));
    QVERIFY(table->setData(Cell(0, 7), 12));
    QVERIFY(table->setData(Cell(0, 5), 4000000));
    QVERIFY(table->setData(Cell(0, 8), -5));
    QCOMPARE(changed.count(), 4);
    QCOMPARE(changed.at(0).at(0).toModelIndex(), Cell(0, 3));
    QCOMPARE(changed.at(0).at(1).toModelIndex(), Cell(0, 3));

    const MessageScheduleEntry entry = schedule->EntryAt(0);
    QCOMPARE(entry.StartTime1(), QTime(7, 30));
    QCOMPARE(entry.StartSlot2(), 12);
    QCOMPARE(entry.Interval1(), 3240000);
    QCOMPARE(entry.Interval2(), 0);

    QVERIFY(!table->setData(Cell(0, 0), 6));
    QVERIFY(!table->setData(Cell(0, 2), 1));
    QVERIFY(!table->setData(Cell(0, 4), 5, Qt::DisplayRole));
    QCOMPARE(schedule->EntryAt(0).MessageId(), 21);
    QCOMPARE(changed.count(), 4);
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
    QCOMPARE(view->selectionBehavior(), QAbstractItemView::SelectRows);
    QCOMPARE(view->selectionMode(), QAbstractItemView::SingleSelection);
    QVERIFY(!view->isSortingEnabled());
    QVERIFY(!view->horizontalHeader()->stretchLastSection());
    // Fixed to the width of all columns: nothing to scroll sideways.
    QCOMPARE(view->minimumWidth(), view->maximumWidth());
    QVERIFY(view->width() >= view->horizontalHeader()->length() + 2 * view->frameWidth());
    view->show();
    QVERIFY(QTest::qWaitForWindowExposed(view));
    QVERIFY(view->viewport()->width() >= view->horizontalHeader()->length());
}

void TestScheduleTable::editorStepReachesModel()
{
    QSignalSpy edited(delegate, &MessageScheduleDelegate::DelegateEdited);
    auto *editor = qobject_cast<QSpinBox *>(OpenEditor(0, 4));
    QVERIFY(editor);
    QCOMPARE(editor->objectName(), QStringLiteral("Channel1StartSlot"));
    QCOMPARE(editor->minimum(), -1);
    QCOMPARE(editor->maximum(), 2249);
    QCOMPARE(editor->value(), 0);
    QCOMPARE(edited.count(), 0);

    // Each step is in the model while the editor is still open.
    QTest::keyClick(editor, Qt::Key_Up);
    QCOMPARE(schedule->EntryAt(0).StartSlot1(), 1);
    QCOMPARE(edited.count(), 1);
    QTest::keyClick(editor, Qt::Key_Up);
    QCOMPARE(schedule->EntryAt(0).StartSlot1(), 2);
    QCOMPARE(edited.count(), 2);
    QCOMPARE(Text(0, 4), QStringLiteral("2"));
    QVERIFY(view->indexWidget(Cell(0, 4)) == editor || editor->isVisible());

    // Typed digits too, one by one.
    editor->selectAll();
    QTest::keyClicks(editor, QStringLiteral("2249"));
    QCOMPARE(schedule->EntryAt(0).StartSlot1(), 2249);
    QTest::keyClick(editor, Qt::Key_Up);
    QCOMPARE(schedule->EntryAt(0).StartSlot1(), 2249);

    QTest::keyClick(editor, Qt::Key_Return);
    QCOMPARE(schedule->EntryAt(0).StartSlot1(), 2249);
}

void TestScheduleTable::startSlotEditorAcceptsMinusOne()
{
    auto *editor = qobject_cast<QSpinBox *>(OpenEditor(0, 7));
    QVERIFY(editor);
    QCOMPARE(editor->objectName(), QStringLiteral("Channel2StartSlot"));
    QTest::keyClick(editor, Qt::Key_Down);
    QCOMPARE(schedule->EntryAt(0).StartSlot2(), -1);
    QTest::keyClick(editor, Qt::Key_Down);
    QCOMPARE(schedule->EntryAt(0).StartSlot2(), -1);
    QTest::keyClick(editor, Qt::Key_Return);
    QCOMPARE(Text(0, 7), QStringLiteral("-1"));
    QCOMPARE(schedule->EntryAt(0).StartSlot1(), 0);
}

void TestScheduleTable::intervalEditorLimits()
{
    auto *fatdma = qobject_cast<QSpinBox *>(OpenEditor(0, 5));
    QVERIFY(fatdma);
    QCOMPARE(fatdma->objectName(), QStringLiteral("Channel1Interval"));
    QCOMPARE(fatdma->suffix(), QStringLiteral(" slots"));
    QCOMPARE(fatdma->minimum(), 0);
    QCOMPARE(fatdma->maximum(), 3240000);
    QCOMPARE(fatdma->value(), 6750);
    fatdma->selectAll();
    QTest::keyClicks(fatdma, QStringLiteral("9999999"));
    QVERIFY(fatdma->value() <= 3240000);
    QCOMPARE(schedule->EntryAt(0).Interval1(), fatdma->value());
    QTest::keyClick(fatdma, Qt::Key_Return);

    MessageScheduleEntry entry = schedule->EntryAt(0);
    entry.SetAccessScheme(MessageScheduleEntry::RATDMA);
    entry.SetInterval2(1439);
    QVERIFY(schedule->SetEntry(0, entry));
    table->Refresh();
    auto *minutes = qobject_cast<QSpinBox *>(OpenEditor(0, 8));
    QVERIFY(minutes);
    QCOMPARE(minutes->objectName(), QStringLiteral("Channel2Interval"));
    QCOMPARE(minutes->suffix(), QStringLiteral(" mins"));
    QCOMPARE(minutes->maximum(), 1440);
    QTest::keyClick(minutes, Qt::Key_Up);
    QTest::keyClick(minutes, Qt::Key_Up);
    QCOMPARE(schedule->EntryAt(0).Interval2(), 1440);
    QTest::keyClick(minutes, Qt::Key_Return);
    QCOMPARE(Text(0, 8), QStringLiteral("1440 minutes"));
}

void TestScheduleTable::timeEditor()
{
    QSignalSpy edited(delegate, &MessageScheduleDelegate::DelegateEdited);
    auto *editor = qobject_cast<QTimeEdit *>(OpenEditor(0, 6));
    QVERIFY(editor);
    QCOMPARE(editor->objectName(), QStringLiteral("Channel2StartUTC"));
    QCOMPARE(editor->displayFormat(), QStringLiteral("hh:mm"));
    editor->setCurrentSection(QDateTimeEdit::HourSection);
    QTest::keyClick(editor, Qt::Key_Up);
    QCOMPARE(schedule->EntryAt(0).StartTime2(), QTime(1, 0));
    QVERIFY(edited.count() >= 1);
    editor->setCurrentSection(QDateTimeEdit::MinuteSection);
    QTest::keyClick(editor, Qt::Key_Up);
    QCOMPARE(schedule->EntryAt(0).StartTime2(), QTime(1, 1));
    QTest::keyClick(editor, Qt::Key_Return);
    QCOMPARE(Text(0, 6), QStringLiteral("01:01"));
    QCOMPARE(schedule->EntryAt(0).StartTime1(), QTime(0, 0));
}

void TestScheduleTable::noEditorForFixedColumns()
{
    QSignalSpy edited(delegate, &MessageScheduleDelegate::DelegateEdited);
    for (int column : {0, 1, 2}) {
        OpenEditor(0, column);
        QVERIFY(view->findChildren<QSpinBox *>().isEmpty());
        QVERIFY(view->findChildren<QTimeEdit *>().isEmpty());
        QVERIFY(view->findChildren<QLineEdit *>().isEmpty());
    }
    // The inactive off-position report row opens nothing either.
    OpenEditor(1, 4);
    QVERIFY(view->findChildren<QSpinBox *>().isEmpty());
    QCOMPARE(edited.count(), 0);
    QCOMPARE(delegate->createEditor(view->viewport(), QStyleOptionViewItem(), QModelIndex()),
             nullptr);
}

void TestScheduleTable::escapeWritesNothing()
{
    // Opening an editor loads it; that is not an edit, and Escape leaves the
    // schedule as it was.
    QSignalSpy edited(delegate, &MessageScheduleDelegate::DelegateEdited);
    const MessageScheduleEntry before = schedule->EntryAt(0);
    auto *editor = qobject_cast<QSpinBox *>(OpenEditor(0, 8));
    QVERIFY(editor);
    QCOMPARE(editor->value(), 6750);
    QCOMPARE(edited.count(), 0);
    QTest::keyClick(editor, Qt::Key_Escape);
    QCOMPARE(edited.count(), 0);
    QVERIFY(schedule->EntryAt(0) == before);
}

VANDREL_UI_TEST_MAIN(TestScheduleTable)
#include "tst_ui_scheduletable.moc"
