#include "uitestmain.h"

#include "ui/messagescheduletablemodel.h"
#include "ui/realatontab.h"

#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTableView>

// The schedule table of the Real AtoN tab and its in-place editors, driven
// through the view: every editor step reaches the schedule and marks the tab edited.
class TestScheduleTable : public QObject, TabUnderTest<RealAtoNTab>
{
    Q_OBJECT

private slots:
    void init()
    {
        Open();
        view = Find<QTableView>("tableSchedules");
    }
    void cleanup() { Close(); }
    void textsFlagsAndColours();
    void editors_data();
    void editors();
    void buttonsAndClashMarks();

private:
    QModelIndex Cell(int row, int column) const { return view->model()->index(row, column); }
    QString Text(int row, int column, int role = Qt::DisplayRole) const
    {
        return Cell(row, column).data(role).toString();
    }
    bool Editable(int row, int column) const
    {
        return view->model()->flags(Cell(row, column)) & Qt::ItemIsEditable;
    }
    void SetFirstRow(int scheme)
    {
        MessageScheduleEntry entry = model->GetMessageSchedule()->EntryAt(0);
        entry.SetAccessScheme(scheme);
        entry.SetStartSlot1(-1);
        entry.SetInterval1(0);
        entry.SetInterval2(15);
        entry.SetStartTime2(QTime(13, 45));
        QVERIFY(model->GetMessageSchedule()->SetEntry(0, entry));
    }

    QTableView *view = nullptr;
};

void TestScheduleTable::textsFlagsAndColours()
{
    // The off-position report row stays in view, grey and read-only, although not in use.
    QCOMPARE(view->model()->rowCount(), 2);
    QCOMPARE(Text(1, 4), QStringLiteral("-1"));
    QCOMPARE(Cell(0, 3).data(Qt::ForegroundRole).value<QBrush>().color(), QColor(Qt::black));
    QCOMPARE(Cell(1, 3).data(Qt::ForegroundRole).value<QBrush>().color(), QColor(Qt::gray));
    for (int column = 0; column < 9; ++column) {
        QCOMPARE(Editable(0, column), column >= 2);
        QCOMPARE(view->model()->flags(Cell(1, column)), Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    }
    // Start slots are for FATDMA only; intervals are counted in slots there.
    SetFirstRow(MessageScheduleEntry::FATDMA);
    QCOMPARE(Text(0, 6), QStringLiteral("13:45"));
    QCOMPARE(Text(0, 7), QStringLiteral("0"));
    QCOMPARE(Text(0, 5, Qt::ToolTipRole), QStringLiteral("0 slots"));
    SetFirstRow(MessageScheduleEntry::RATDMA);
    QCOMPARE(Text(0, 7), QString());
    QCOMPARE(Text(0, 8), QStringLiteral("15 minutes"));
    QVERIFY(!Editable(0, 4) && Editable(0, 5));
    QVERIFY(!view->model()->setData(Cell(0, 0), 6));
    SetFirstRow(7);
    QCOMPARE(Text(0, 2), QString());

    // Binary messages follow the two report rows: 6s, 8s, then 12s and 14s.
    Model loaded;
    int row = -1;
    for (int message : {8, 6, 6, 212, 14})
        QVERIFY(loaded.GetMessageSchedule()->AddMessage(message, row));
    tab->UpdateTabFromModel(&loaded);
    QStringList ids, index;
    for (int r = 0; r < view->model()->rowCount(); ++r) {
        ids << Text(r, 0);
        index << Text(r, 1);
    }
    QCOMPARE(ids.join(' '), QStringLiteral("21 21 6 6 8 12 14"));
    QCOMPARE(index.join(' '), QStringLiteral("1 2 1 2 1 3 1"));
}

void TestScheduleTable::editors_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("scheme");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("steps"); // up, or down when negative
    QTest::addColumn<QString>("shown");

    const int fatdma = MessageScheduleEntry::FATDMA, ratdma = MessageScheduleEntry::RATDMA;
    QTest::newRow("slot at the top") << 4 << fatdma << "2249" << 1 << "2249";
    QTest::newRow("slot down to -1") << 7 << fatdma << QString() << -2 << "-1";
    QTest::newRow("slots at the top") << 5 << fatdma << "3240000" << 1 << "3240000 slots";
    QTest::newRow("minutes at the top") << 8 << ratdma << "1439" << 2 << "1440 mins";
    QTest::newRow("minutes down to 0") << 5 << ratdma << "1" << -2 << "0 mins";
    QTest::newRow("start time") << 6 << fatdma << QString() << 1 << "14:45";
}

void TestScheduleTable::editors()
{
    QFETCH(int, column);
    QFETCH(int, scheme);
    QFETCH(QString, typed);
    QFETCH(int, steps);
    QFETCH(QString, shown);
    SetFirstRow(scheme);
    // The table's text, read from the schedule, without its unit.
    auto inModel = [&]() { return Text(0, column).section(' ', 0, 0); };

    const QPoint centre = view->visualRect(Cell(0, column)).center();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, centre);
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, centre);
    auto *editor = qobject_cast<QAbstractSpinBox *>(QApplication::focusWidget());
    QVERIFY(editor);
    // Loading the editor is no edit.
    QCOMPARE(edited->count(), 0);
    if (!typed.isEmpty()) {
        editor->selectAll();
        QTest::keyClicks(editor, typed);
    }
    for (int i = 0; i < qAbs(steps); ++i) {
        QTest::keyClick(editor, steps > 0 ? Qt::Key_Up : Qt::Key_Down);
        // Each step is in the model while the editor is still open.
        QCOMPARE(inModel(), editor->text().section(' ', 0, 0));
    }
    QVERIFY(edited->count() >= 1);
    QCOMPARE(editor->text(), shown);
    QTest::keyClick(editor, Qt::Key_Return);
    QCOMPARE(inModel(), shown.section(' ', 0, 0));
}

void TestScheduleTable::buttonsAndClashMarks()
{
    // Add offers the schedule menu without Remove; Remove takes the added,
    // selected row away again.
    QTimer::singleShot(0, this, []() {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        QVERIFY(menu && !menu->findChild<QAction *>("actionRemoveMessage")->isVisible());
        menu->findChild<QAction *>("actionAddMessage8")->trigger();
        menu->close();
    });
    QTest::mouseClick(Find<QPushButton>("pushButtonAddMessage"), Qt::LeftButton);
    QTRY_COMPARE(view->model()->rowCount(), 3);
    // (the offscreen platform leaves no window active after a popup)
    tab->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(tab.get()));
    QTest::mouseClick(Find<QPushButton>("pushButtonRemoveMessage"), Qt::LeftButton);
    QCOMPARE(view->model()->rowCount(), 2);
    QCOMPARE(edited->count(), 2);

    // Start slots less than three apart clash: the row is marked and named
    // while its editor is still open, and the mark goes as the slots part.
    MessageScheduleEntry entry = model->GetMessageSchedule()->EntryAt(0);
    entry.SetAccessScheme(MessageScheduleEntry::FATDMA);
    entry.SetStartSlot1(10);
    entry.SetStartSlot2(20);
    QVERIFY(model->GetMessageSchedule()->SetEntry(0, entry));
    tab->UpdateTabFromModel(nullptr);
    auto *clash = Find<QLabel>("labelSlotClash");
    QVERIFY(!clash->isVisible());
    const QPoint slot2 = view->visualRect(Cell(0, 7)).center();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, slot2);
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, slot2);
    auto *editor = qobject_cast<QAbstractSpinBox *>(QApplication::focusWidget());
    QVERIFY(editor);
    editor->selectAll();
    QTest::keyClicks(editor, "12");
    QVERIFY(clash->text().endsWith(
        "\nRow 1 (message 21, index 1): channel 1 start slot 10, channel 2 start slot 12"));
    QCOMPARE(Cell(0, 2).data(Qt::BackgroundRole).value<QBrush>().color(),
             QColor(MessageScheduleTableModel::ClashColour));
    QTest::keyClick(editor, Qt::Key_Up);
    QVERIFY(!clash->isVisible() && !Cell(0, 2).data(Qt::BackgroundRole).isValid());
    QTest::keyClick(editor, Qt::Key_Return);

    // An editor opened and closed without a change is no edit.
    const int before = edited->count();
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, slot2);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(edited->count(), before);
}

VANDREL_UI_TEST_MAIN(TestScheduleTable)
#include "tst_ui_scheduletable.moc"
