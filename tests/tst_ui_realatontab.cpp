#include "modalanswer.h"
#include "uitestmain.h"

#include "ui/messagescheduletablemodel.h"
#include "ui/numberbox.h"
#include "ui/realatontab.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QToolTip>

// The Real AtoN tab on the application's edit model, driven by keys, clicks
// and selections, its schedule table and in-place editors through the view;
// every check looks at the edit model and the Edited signal.
class TestRealAtoNTab : public QObject, TabUnderTest<RealAtoNTab>
{
    Q_OBJECT

private slots:
    void init() { Open(); }
    void cleanup() { Close(); }
    void loading();
    void typedFieldsAndWarnings();
    void typeAndEpfsLinks();
    void positionAndInputProblems();
    void germanHemispheres();
    void scheduleMenu();
    void textsFlagsAndColours();
    void editors_data();
    void editors();
    void buttonsAndClashMarks();
    void refusedCellStaysOpen();
    void numbersKeptAsTyped_data();
    void numbersKeptAsTyped();
    void unusualNumbersAndGermanDecimals();

private:
    void Choose(const char *combo, int code)
    {
        Find<QComboBox>(combo)->setCurrentIndex(Find<QComboBox>(combo)->findData(code));
    }
    bool ItemEnabled(const char *combo, int code) const
    {
        const QAbstractItemModel *items = Find<QComboBox>(combo)->model();
        return items->index(Find<QComboBox>(combo)->findData(code), 0).flags() & Qt::ItemIsEnabled;
    }
    // Opens the schedule menu on a row; returns whether the action is enabled.
    bool MenuAction(int row, const char *action, bool trigger = true)
    {
        std::unique_ptr<QMenu> menu(tab->CreateScheduleMenu(row));
        auto *item = menu->findChild<QAction *>(QLatin1String(action));
        if (item->isEnabled() && trigger)
            item->trigger();
        return item->isEnabled();
    }
    // Answers the schedule menu that pops up next with "add message 8".
    void AddMessage8FromPopup(bool removeShown)
    {
        QTimer::singleShot(0, this, [removeShown]() {
            auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
            QVERIFY(menu);
            QCOMPARE(menu->findChild<QAction *>("actionRemoveMessage")->isVisible(), removeShown);
            menu->findChild<QAction *>("actionAddMessage8")->trigger();
            menu->close();
        });
    }
    AtoN *EditAtoN() const { return model->GetAtoN(); }
    QTableView *View() const { return Find<QTableView>("tableSchedules"); }
    QAbstractItemModel *Table() const { return View()->model(); }
    QModelIndex Cell(int row, int column) const { return Table()->index(row, column); }
    QString Text(int row, int column, int role = Qt::DisplayRole) const
    {
        return Cell(row, column).data(role).toString();
    }
    bool Editable(int row, int column) const
    {
        return Table()->flags(Cell(row, column)) & Qt::ItemIsEditable;
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
};

void TestRealAtoNTab::loading()
{
    // Building a tab leaves its model as it was.
    Model own;
    own.GetAtoN()->GetAtoNMMSI()->SetNewMmsi(QStringLiteral("992351234"));
    own.GetAtoN()->SetChannel1(1060);
    own.GetAtoN()->SetOffPositionThreshold(15);
    Model copy;
    copy = own;
    RealAtoNTab second(&own);
    QVERIFY(own == copy);

    // Loading is no edit; the warnings follow the loaded record both ways.
    tab->UpdateTabFromModel(&own);
    QCOMPARE(EditAtoN()->GetAtoNMMSI()->NewMmsi(), QStringLiteral("992351234"));
    QVERIFY(!Find<QLabel>("MMSIValidationWarningLabel")->isVisible());
    QVERIFY(Find<QLabel>("labelOffPositionFeedback")->isVisible());
    Model fresh;
    tab->UpdateTabFromModel(&fresh);
    QVERIFY(Find<QLabel>("MMSIValidationWarningLabel")->isVisible());
    QVERIFY(!Find<QLabel>("labelOffPositionFeedback")->isVisible());
    // The unit's read-only values are shown, and no edit either.
    tab->OnBatteryVoltage(QStringLiteral("3600"));
    QCOMPARE(Find<QLabel>("label_battery_voltage")->text(), QStringLiteral("3600 mV"));
    QCOMPARE(edited->count(), 0);

    // Codes no list holds leave their combos empty; dimensions over the
    // floating limits survive a floating type loaded before.
    Model floating;
    floating.GetAtoN()->SetTypeOfAtoN(25);
    tab->UpdateTabFromModel(&floating);
    Model odd;
    odd.GetAtoN()->SetTypeOfAtoN(4);
    odd.GetAtoN()->SetTypeOfEPFS(3);
    odd.GetAtoN()->SetChannel1(2090);
    odd.GetAtoN()->SetDimensionA(300);
    tab->UpdateTabFromModel(&odd);
    for (const char *combo : {"comboTypeOfAtoN", "comboTypeOfEPFS", "comboChannel1"})
        QCOMPARE(Find<QComboBox>(combo)->currentIndex(), -1);

    // The next store writes 0 for them, and keeps A.
    Find<QCheckBox>("RACONFittedCheckBox")->click();
    QVERIFY(EditAtoN()->Racon());
    QCOMPARE(edited->count(), 1);
    QCOMPARE(EditAtoN()->TypeOfAtoN(), 0);
    QCOMPARE(EditAtoN()->TypeOfEPFS(), 0);
    QCOMPARE(EditAtoN()->Channel1(), 0);
    QCOMPARE(EditAtoN()->DimensionA(), 300);
}

void TestRealAtoNTab::typedFieldsAndWarnings()
{
    auto *line = Find<QLineEdit>("lineMMSI");
    auto *warning = Find<QLabel>("MMSIValidationWarningLabel");
    TypeOver(line, QStringLiteral("99235"));
    QVERIFY(warning->isVisible());
    QCOMPARE(EditAtoN()->GetAtoNMMSI()->NewMmsi(), QStringLiteral("99235"));
    QTest::keyClicks(line, QStringLiteral("x1-2345"));
    QCOMPARE(line->text(), QStringLiteral("992351234"));
    QVERIFY(!warning->isVisible());
    QCOMPARE(EditAtoN()->GetAtoNMMSI()->NewMmsi(), QStringLiteral("992351234"));
    QCOMPARE(edited->last().at(0).value<QWidget *>(), tab.get());
    // A valid MMSI of another form, or of a MID no country holds, is sent,
    // with a warning in amber (red is for one that cannot be sent).
    for (const char *other : {"235123456", "992001001"}) {
        TypeOver(line, other);
        QVERIFY(warning->isVisible() && tab->InputProblems().isEmpty());
        QVERIFY(warning->styleSheet().contains("#a05000"));
    }
    QCOMPARE(warning->text(), QString("MID of no country"));
    QVERIFY(warning->toolTip().contains("992001001"));

    // The name in capitals of the six-bit set (blank to "_"); a comma takes
    // three of the 52 characters sent.
    auto *name = Find<QLineEdit>("lineName");
    const QPair<QString, QString> typedAndShown[] = {
        {QStringLiteral("west pier"), QStringLiteral("WEST PIER")},
        {QString(35, 'b'), QString(34, 'B')},
        {QString(17, ',') + "AB", QString(17, ',') + "A"},
        {QStringLiteral(" !0?@Z_`"), QStringLiteral(" !0?@Z_")},
        {QStringLiteral("A{B"), QStringLiteral("AB")}};
    for (const auto &names : typedAndShown) {
        TypeOver(name, names.first);
        QCOMPARE(name->text(), names.second);
        QCOMPARE(EditAtoN()->Name(), names.second);
    }
    // The last dropped a character, and says why.
    QVERIFY(QToolTip::text().startsWith("\"{\" dropped: it is not in the AIS character set"));
    // A paste too long and with a character the unit cannot hold: both told.
    QApplication::clipboard()->setText(QString(30, 'a') + QString(30, 'b') + "\t");
    name->selectAll();
    QTest::keyClick(name, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(name->text(), QString(30, 'A') + "BBBB");
    QVERIFY2(QToolTip::text().startsWith("\"\t\" dropped: it is not in the AIS character set "
                                         "(capitals, digits, blanks and common signs).\n\"" +
                                         QString(26, 'B') + "\" dropped: 34 characters at most."),
             qPrintable(QToolTip::text()));

    auto *spin = Find<NumberBox>("spinBoxOffPositionThreshold");
    auto *feedback = Find<QLabel>("labelOffPositionFeedback");
    TypeOver(spin, QStringLiteral("19"));
    QCOMPARE(EditAtoN()->OffPositionThreshold(), 19);
    QVERIFY(feedback->isVisible());
    QTest::keyClick(spin, Qt::Key_Up);
    QCOMPARE(EditAtoN()->OffPositionThreshold(), 20);
    QVERIFY(!feedback->isVisible());
}

void TestRealAtoNTab::typeAndEpfsLinks()
{
    auto *group = Find<QGroupBox>("groupBoxAtoNDimensions");
    auto *a = Find<NumberBox>("spinBoxDimensionA");
    auto *b = Find<NumberBox>("spinBoxDimensionB");
    auto *c = Find<NumberBox>("spinBoxDimensionC");
    auto *d = Find<NumberBox>("spinBoxDimensionD");

    // A floating type: A alone, 1 to 63 metres, and no surveyed position.
    auto *types = Find<QComboBox>("comboTypeOfAtoN");
    types->setFocus();
    QTest::keyClick(types, Qt::Key_End);
    QCOMPARE(EditAtoN()->TypeOfAtoN(), 31);
    QCOMPARE(edited->count(), 1);
    QCOMPARE(group->title(), QStringLiteral("AtoN Dimensions (Floating)"));
    QVERIFY(a->isVisible() && !b->isVisible() && !c->isVisible() && !d->isVisible());
    QVERIFY(!ItemEnabled("comboTypeOfEPFS", 7));

    // Reference point: a fixed type whose dimensions cannot be edited.
    Choose("comboTypeOfAtoN", 1);
    QCOMPARE(group->title(), QStringLiteral("AtoN Dimensions (Fixed)"));
    QVERIFY(ItemEnabled("comboTypeOfEPFS", 7));
    for (NumberBox *box : {a, b, c, d})
        QVERIFY(box->isVisible() && !box->isEnabled());
    Choose("comboTypeOfAtoN", 3);
    for (NumberBox *box : {a, b, c, d})
        QVERIFY(box->isEnabled());

    // A surveyed position: its accuracy can be chosen, the floating types go.
    auto *accuracy = Find<QComboBox>("comboPositionAccuracy");
    QVERIFY(!accuracy->isEnabled());
    const int before = edited->count();
    Choose("comboTypeOfEPFS", 7);
    QCOMPARE(EditAtoN()->TypeOfEPFS(), 7);
    QCOMPARE(edited->count(), before + 1);
    QVERIFY(accuracy->isEnabled());
    QVERIFY(ItemEnabled("comboTypeOfAtoN", 19) && !ItemEnabled("comboTypeOfAtoN", 20));
    accuracy->setFocus();
    QTest::keyClick(accuracy, Qt::Key_Down);
    QCOMPARE(EditAtoN()->PositionAccuracy(), 1);
    QCOMPARE(edited->count(), before + 2);

    Choose("comboTypeOfEPFS", 1);
    QVERIFY(!accuracy->isEnabled());
    QVERIFY(ItemEnabled("comboTypeOfAtoN", 20) && ItemEnabled("comboTypeOfAtoN", 31));
    // Every load sets both from its own EPFS, not from the one before.
    Model surveyed;
    surveyed.GetAtoN()->SetTypeOfEPFS(7);
    tab->UpdateTabFromModel(&surveyed);
    QVERIFY(!ItemEnabled("comboTypeOfAtoN", 31) && accuracy->isEnabled());
    Model autonomous;
    tab->UpdateTabFromModel(&autonomous);
    QVERIFY(ItemEnabled("comboTypeOfAtoN", 31) && !accuracy->isEnabled());
}

void TestRealAtoNTab::positionAndInputProblems()
{
    // A fresh document has no MMSI yet; it holds the MMSI as shown, so a
    // save may go.
    QCOMPARE(tab->InputProblems(), QStringList{"MMSI: not valid: nine digits, not all of them 0."});
    QVERIFY(tab->UnheldInput().isEmpty());
    TypeOver(Find<QLineEdit>("lineMMSI"), "992351234");

    // A position is stored as typed; leaving the field shows it in full, with
    // the decimal forms as tool tip, and is no further edit.
    auto *latitude = Find<QLineEdit>("lineLatitude");
    TypeOver(latitude, "50 30 S");
    QCOMPARE(EditAtoN()->GetPosition()->Latitude(), -50.5);
    const int typed = edited->count();
    QTest::keyClick(latitude, Qt::Key_Tab);
    QCOMPARE(latitude->text(), QString("50° 30' 0.0\" S"));
    QCOMPARE(latitude->toolTip(), QString("-50.5000\n50° 30.0000' S"));
    QCOMPARE(edited->count(), typed);

    // A text not understood stays, framed, with the reason as tool tip; the
    // value shown before stays stored.
    TypeOver(latitude, "95 N");
    QTest::keyClick(latitude, Qt::Key_Tab);
    QCOMPARE(EditAtoN()->GetPosition()->Latitude(), -50.5);
    QCOMPARE(latitude->text(), QString("95 N"));
    QVERIFY(latitude->toolTip().startsWith("Out of range: 90 degrees at most.\nFor example"));
    QVERIFY(!latitude->styleSheet().isEmpty());
    TypeOver(Find<QLineEdit>("lineLongitude"), "hello");
    QCOMPARE(tab->InputProblems(), QStringList({"Latitude: Out of range: 90 degrees at most.",
                                                "Longitude: \"hello\" is not a number."}));
    QCOMPARE(tab->UnheldInput(), tab->InputProblems());
    TypeOver(latitude, "50 31");
    QVERIFY(latitude->styleSheet().isEmpty());
    QCOMPARE(latitude->toolTip(), QString("50.5167\n50° 31.0000' N"));

    // A position not available goes only when the engineer agrees to it.
    {
        ModalAnswer answers({ModalAnswer::Press(QMessageBox::Cancel), ModalAnswer::PressAccept()});
        QVERIFY(!tab->ConfirmPositionToSend());
        QVERIFY(tab->ConfirmPositionToSend());
        QCOMPARE(answers.texts, QStringList({"The nominal longitude is not available.",
                                             "The nominal longitude is not available."}));
        TypeOver(Find<QLineEdit>("lineLongitude"), "4 30 W");
        QVERIFY(tab->ConfirmPositionToSend());
        QCOMPARE(answers.answered(), 2);
    }

    // Loading takes the marks back, and flags a name that cannot be sent:
    // 18 commas are sent as 54 characters; one fewer mends it.
    Model loaded;
    loaded.GetAtoN()->GetAtoNMMSI()->SetNewMmsi("992351234");
    loaded.GetAtoN()->SetName(QString(18, ','));
    tab->UpdateTabFromModel(&loaded);
    QCOMPARE(tab->InputProblems(),
             QStringList{"Name: too long to send: 54 characters once the reserved characters "
                         "($*,!\\^~) are sent as three, 52 at most."});
    auto *name = Find<QLineEdit>("lineName");
    name->setFocus();
    QTest::keyClick(name, Qt::Key_End);
    QTest::keyClick(name, Qt::Key_Backspace);
    QVERIFY(tab->InputProblems().isEmpty());
    QCOMPARE(Find<QLabel>("labelNameRoom")->text(), QString("1 left"));

    // Freed while typing: a late editingFinished must not reach the freed form.
    TypeOver(latitude, "1");
    Close();
}

void TestRealAtoNTab::germanHemispheres()
{
    const auto german = InstallGerman();
    if (!german)
        QSKIP("the translations are not built");
    // O is Ost, east; E is no hemisphere in German.
    auto *longitude = Find<QLineEdit>("lineLongitude");
    TypeOver(longitude, "4 30 O");
    QCOMPARE(EditAtoN()->GetPosition()->Longitude(), 4.5);
    QTest::keyClick(longitude, Qt::Key_Tab);
    QCOMPARE(longitude->text(), QString("004° 30' 0.0\" O"));
    TypeOver(longitude, "4 30 E");
    QCOMPARE(tab->InputProblems().size(), 2);
    QCOMPARE(EditAtoN()->GetPosition()->Longitude(), 4.5);
}

void TestRealAtoNTab::scheduleMenu()
{
    for (int n = 1; n <= 4; ++n)
        QVERIFY(MenuAction(0, "actionAddMessage6"));
    QCOMPARE(Table()->rowCount(), 6);
    // The block of message 6 is full; variants share the rows of their block.
    QVERIFY(!MenuAction(-1, "actionAddMessage6"));
    QVERIFY(MenuAction(2, "actionAddMessage212"));
    QVERIFY(MenuAction(2, "actionAddMessage314"));
    // A message 21 row is never removed; table row 6 is schedule row 12.
    QVERIFY(!MenuAction(0, "actionRemoveMessage"));
    QVERIFY(MenuAction(6, "actionRemoveMessage"));
    QVERIFY(!model->GetMessageSchedule()->EntryAt(12).Active());
    QCOMPARE(Table()->index(6, 0).data().toString(), QStringLiteral("14"));

    QVERIFY(MenuAction(1, "actionOffPositionReport"));
    QVERIFY(Table()->flags(Table()->index(1, 4)) & Qt::ItemIsEditable);
    QVERIFY(MenuAction(1, "actionOffPositionReport"));
    QVERIFY(!model->GetMessageSchedule()->EntryAt(1).Active());
    QCOMPARE(edited->count(), 9);

    // The real thing: a right click opens the menu on the row under the mouse.
    AddMessage8FromPopup(true);
    emit View()->customContextMenuRequested(View()->visualRect(Cell(0, 3)).center());
    QTRY_COMPARE(Table()->rowCount(), 8);
    QCOMPARE(Table()->index(6, 0).data().toString(), QStringLiteral("8"));
    QCOMPARE(edited->count(), 10);
    QTRY_VERIFY(!QApplication::activePopupWidget());

    // The rows the document leaves to the unit are named beside the
    // buttons, all of them in the tool tip; the menu switches one off, then
    // all the others.
    auto *note = Find<QLabel>("labelRowsLeftToUnit");
    QVERIFY(note->isVisibleTo(tab.get()));
    QCOMPARE(note->text(), QString("As the unit holds them: 8/2 to 8/4, 12/1 to 12/2 and 2 more"));
    QVERIFY2(note->toolTip().contains("\n8/2 to 8/4, 12/1 to 12/2, 12/4, 14/1 to 14/3\n"),
             qPrintable(note->toolTip()));
    QVERIFY(MenuAction(0, "actionSwitchOff12_4"));
    QVERIFY(note->text().endsWith("12/1 to 12/2 and 1 more"));
    QVERIFY(MenuAction(0, "actionSwitchOffUnspecified"));
    QVERIFY(!note->isVisibleTo(tab.get()));
    QCOMPARE(model->GetMessageSchedule()->SpecifiedRows().size(), 18);
    QCOMPARE(Table()->rowCount(), 8);
    QCOMPARE(edited->count(), 12);
}

void TestRealAtoNTab::textsFlagsAndColours()
{
    // The off-position report row stays in view, grey and read-only, although
    // not in use: a new document leaves it to the unit and says so across its
    // values; switched off, it shows its channels off.
    QCOMPARE(Table()->rowCount(), 2);
    QCOMPARE(Text(1, 2), QStringLiteral("As the unit holds it"));
    QCOMPARE(QList<int>({View()->columnSpan(1, 2), View()->columnSpan(0, 2)}), QList<int>({7, 1}));
    QCOMPARE(Text(1, 4), QString());
    for (int off = 0; off < 2; ++off) {
        QCOMPARE(Cell(0, 3).data(Qt::ForegroundRole).value<QBrush>().color(), QColor(Qt::black));
        QCOMPARE(Cell(1, 3).data(Qt::ForegroundRole).value<QBrush>().color(), QColor(Qt::gray));
        for (int column = 0; column < 9; ++column) {
            QCOMPARE(Editable(0, column), column >= 2);
            QCOMPARE(Table()->flags(Cell(1, column)), Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        }
        // Left to the unit, the report goes unasked; switched off, only
        // once the engineer agrees.
        ModalAnswer answers(
            off ? QList<ModalAnswer::Answer>{ModalAnswer::Press(QMessageBox::Cancel)}
                : QList<ModalAnswer::Answer>{});
        QCOMPARE(tab->ConfirmScheduleToSend(), off == 0);
        QCOMPARE(answers.answered(), off);
        if (off == 0)
            QVERIFY(MenuAction(1, "actionSwitchOff21_2"));
        else
            QVERIFY(answers.texts.value(0).contains("switches off the unit's off-position"));
    }
    QCOMPARE(Text(1, 4), QStringLiteral("-1"));
    QCOMPARE(View()->columnSpan(1, 2), 1);
    // Start slots are for FATDMA only; intervals are counted in slots there.
    SetFirstRow(MessageScheduleEntry::FATDMA);
    QCOMPARE(Text(0, 6), QStringLiteral("13:45"));
    QCOMPARE(Text(0, 7), QStringLiteral("0"));
    QCOMPARE(Text(0, 5, Qt::ToolTipRole), QStringLiteral("0 slots"));
    SetFirstRow(MessageScheduleEntry::RATDMA);
    QCOMPARE(Text(0, 7), QString());
    QCOMPARE(Text(0, 8), QStringLiteral("15 minutes"));
    QVERIFY(!Editable(0, 4) && Editable(0, 5));
    QVERIFY(!Table()->setData(Cell(0, 0), 6));
    SetFirstRow(7);
    QCOMPARE(Text(0, 2), QString());

    // Binary messages follow the two report rows: 6s, 8s, then 12s and 14s.
    Model loaded;
    int row = -1;
    for (int message : {8, 6, 6, 212, 14})
        QVERIFY(loaded.GetMessageSchedule()->AddMessage(message, row));
    tab->UpdateTabFromModel(&loaded);
    QStringList ids, index;
    for (int r = 0; r < Table()->rowCount(); ++r) {
        ids << Text(r, 0);
        index << Text(r, 1);
    }
    QCOMPARE(ids.join(' '), QStringLiteral("21 21 6 6 8 12 14"));
    QCOMPARE(index.join(' '), QStringLiteral("1 2 1 2 1 3 1"));
}

void TestRealAtoNTab::editors_data()
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
    QTest::newRow("start time") << 6 << fatdma << QString() << 1 << "13:46";
    QTest::newRow("time without its colon") << 3 << fatdma << "0730" << -1 << "07:29";
    QTest::newRow("time round midnight") << 3 << fatdma << "23:59" << 1 << "00:00";
}

void TestRealAtoNTab::editors()
{
    QFETCH(int, column);
    QFETCH(int, scheme);
    QFETCH(QString, typed);
    QFETCH(int, steps);
    QFETCH(QString, shown);
    SetFirstRow(scheme);
    // The table's text, read from the schedule, without its unit.
    auto inModel = [&]() { return Text(0, column).section(' ', 0, 0); };

    const QPoint centre = View()->visualRect(Cell(0, column)).center();
    QTest::mouseClick(View()->viewport(), Qt::LeftButton, {}, centre);
    QTest::mouseDClick(View()->viewport(), Qt::LeftButton, {}, centre);
    QWidget *editor = QApplication::focusWidget();
    auto *box = qobject_cast<QAbstractSpinBox *>(editor);
    auto *line = qobject_cast<QLineEdit *>(editor);
    QVERIFY(box || line);
    const auto editorText = [&]() { return box ? box->text() : line->text(); };
    // Loading the editor is no edit.
    QCOMPARE(edited->count(), 0);
    if (!typed.isEmpty()) {
        box ? box->selectAll() : line->selectAll();
        QTest::keyClicks(editor, typed);
    }
    for (int i = 0; i < qAbs(steps); ++i) {
        QTest::keyClick(editor, steps > 0 ? Qt::Key_Up : Qt::Key_Down);
        // Each step is in the model while the editor is still open.
        QCOMPARE(inModel(), editorText().section(' ', 0, 0));
    }
    QVERIFY(edited->count() >= 1);
    QCOMPARE(editorText(), shown);
    QTest::keyClick(editor, Qt::Key_Return);
    QCOMPARE(inModel(), shown.section(' ', 0, 0));
}

void TestRealAtoNTab::buttonsAndClashMarks()
{
    // Add offers the schedule menu without Remove; Remove takes the added,
    // selected row away again.
    AddMessage8FromPopup(false);
    QTest::mouseClick(Find<QPushButton>("pushButtonAddMessage"), Qt::LeftButton);
    QTRY_COMPARE(Table()->rowCount(), 3);
    // (the offscreen platform leaves no window active after a popup)
    tab->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(tab.get()));
    QTest::mouseClick(Find<QPushButton>("pushButtonRemoveMessage"), Qt::LeftButton);
    QCOMPARE(Table()->rowCount(), 2);
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
    const QPoint slot2 = View()->visualRect(Cell(0, 7)).center();
    QTest::mouseClick(View()->viewport(), Qt::LeftButton, {}, slot2);
    QTest::mouseDClick(View()->viewport(), Qt::LeftButton, {}, slot2);
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
    QTest::mouseDClick(View()->viewport(), Qt::LeftButton, {}, slot2);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(edited->count(), before);
}

void TestRealAtoNTab::refusedCellStaysOpen()
{
    SetFirstRow(MessageScheduleEntry::FATDMA);
    const int held = model->GetMessageSchedule()->EntryAt(0).StartSlot2();
    const auto stored = [&]() { return model->GetMessageSchedule()->EntryAt(0).StartSlot2(); };
    View()->setFocus(Qt::TabFocusReason);
    View()->setCurrentIndex(Cell(0, 7));
    QTest::keyClick(View(), Qt::Key_2);
    QPointer<NumberBox> editor = qobject_cast<NumberBox *>(QApplication::focusWidget());
    QVERIFY(editor);
    QTest::keyClicks(editor, "250");

    // No digit is dropped; the cell keeps what it held before the editor
    // opened, not the 225 typed on the way; the reason shows.
    const QString problem = "2250 is outside -1 to 2249.";
    QCOMPARE(editor->text(), QString("2250"));
    QCOMPARE(stored(), held);
    QCOMPARE(editor->toolTip(), problem);
    const QStringList named{"Schedule row 1, Channel 2 Start Slot: " + problem};
    QVERIFY(tab->InputProblems().endsWith(named[0]));
    QCOMPARE(tab->UnheldInput(), named);
    QVERIFY(Find<QLabel>("labelSlotClash")->isVisible());
    QVERIFY(Find<QLabel>("labelSlotClash")->text().startsWith(named[0]));
    // Enter, the focus taken away (as Send and Save do) and Tab all leave
    // the editor open with its text, still named.
    QTest::keyClick(editor, Qt::Key_Return);
    editor->clearFocus();
    QTest::keyClick(editor, Qt::Key_Tab);
    QVERIFY(editor && editor->isVisible());
    QCOMPARE(editor->text(), QString("2250"));
    QCOMPARE(tab->UnheldInput(), named);

    // Mended, it is taken; Escape on another refused text drops it.
    editor->setFocus();
    QTest::keyClick(editor, Qt::Key_Backspace);
    QCOMPARE(stored(), 225);
    QVERIFY(tab->UnheldInput().isEmpty() && !Find<QLabel>("labelSlotClash")->isVisible());
    QTest::keyClick(editor, Qt::Key_9);
    QTest::keyClick(editor, Qt::Key_Escape);
    QTRY_VERIFY(!editor);
    QCOMPARE(stored(), held);
    QVERIFY(tab->UnheldInput().isEmpty());

    // A start time that is none is neither made into another (2599 is not
    // 02:00) nor taken on the way (259 would be 02:59): it stays, named.
    const auto time = [&]() { return model->GetMessageSchedule()->EntryAt(0).StartTime1(); };
    const QTime before = time();
    View()->setCurrentIndex(Cell(0, 3));
    QTest::keyClick(View(), Qt::Key_2);
    QPointer<QLineEdit> timeEditor = qobject_cast<QLineEdit *>(QApplication::focusWidget());
    QVERIFY(timeEditor);
    QTest::keyClicks(timeEditor, "599");
    const QString notATime = "2599 is not a time of day (00:00 to 23:59).";
    QCOMPARE(timeEditor->text(), QString("2599"));
    QCOMPARE(time(), before);
    QCOMPARE(timeEditor->toolTip(), notATime);
    QCOMPARE(tab->UnheldInput(), QStringList{"Schedule row 1, Channel 1 Start UTC: " + notATime});
    QTest::keyClick(timeEditor, Qt::Key_Return);
    QVERIFY(timeEditor && timeEditor->isVisible());
    QTest::keyClick(timeEditor, Qt::Key_Backspace);
    QCOMPARE(time(), QTime(2, 59));
    QTest::keyClick(timeEditor, Qt::Key_Return);
    QTRY_VERIFY(!timeEditor);
    QCOMPARE(Text(0, 3), QString("02:59"));
}

void TestRealAtoNTab::numbersKeptAsTyped_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("problem");
    QTest::addColumn<int>("kept");    // the last part typed that was taken; -1 none
    QTest::addColumn<int>("stepped"); // after Key_Up

    QTest::newRow("threshold below") << 0 << "spinBoxOffPositionThreshold"
                                     << "7"
                                     << "Threshold: 7 m is outside 10 m to 999 m." << -1 << 10;
    QTest::newRow("threshold, four digits")
        << 0 << "spinBoxOffPositionThreshold"
        << "1000"
        << "Threshold: 1000 m is outside 10 m to 999 m." << 100 << 999;
    QTest::newRow("floating A") << 25 << "spinBoxDimensionA"
                                << "99"
                                << "Dimension A: 99 is outside 0 to 63." << 9 << 63;
    QTest::newRow("fixed A") << 3 << "spinBoxDimensionA"
                             << "600"
                             << "Dimension A: 600 is outside 0 to 511." << 60 << 511;
}

void TestRealAtoNTab::numbersKeptAsTyped()
{
    QFETCH(int, type);
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(QString, problem);
    QFETCH(int, kept);
    QFETCH(int, stepped);
    TypeOver(Find<QLineEdit>("lineMMSI"), "992351234");
    Choose("comboTypeOfAtoN", type);
    auto *box = Find<NumberBox>(qPrintable(field));
    const auto stored = [&]() {
        return field.endsWith("Threshold") ? EditAtoN()->OffPositionThreshold()
                                           : EditAtoN()->DimensionA();
    };
    if (kept < 0)
        kept = stored();

    // Every digit stays, and leaving the field keeps the text; the number is
    // not stored, Send and Save are told, and the reason shows beside it.
    TypeOver(box, typed);
    QTest::keyClick(box, Qt::Key_Tab);
    QCOMPARE(box->cleanText(), typed);
    QCOMPARE(stored(), kept);
    QCOMPARE(tab->InputProblems(), QStringList{problem});
    QCOMPARE(box->toolTip(), problem.section(": ", 1));
    auto *reason = Find<QLabel>(field.endsWith("Threshold") ? "labelThresholdProblem"
                                                            : "labelDimensionProblem");
    QVERIFY(reason->isVisible() && reason->text().endsWith(problem.section(": ", 1)));
    // The next store leaves the stored number as it was.
    Find<QCheckBox>("RACONFittedCheckBox")->click();
    QCOMPARE(stored(), kept);

    // A step goes to the nearer end of the range, and is taken.
    box->setFocus();
    QTest::keyClick(box, Qt::Key_Up);
    QCOMPARE(stored(), stepped);
    QVERIFY(tab->InputProblems().isEmpty() && !reason->isVisible());
}

void TestRealAtoNTab::unusualNumbersAndGermanDecimals()
{
    // A unit's number beyond what is offered shows as it is, marked as
    // unusual, is no problem and is stored back unchanged.
    Model unit;
    unit.GetAtoN()->GetAtoNMMSI()->SetNewMmsi("992351234");
    unit.GetAtoN()->SetOffPositionThreshold(5);
    tab->UpdateTabFromModel(&unit);
    auto *threshold = Find<NumberBox>("spinBoxOffPositionThreshold");
    QCOMPARE(threshold->text(), QString("5 m"));
    QVERIFY(threshold->toolTip().startsWith("5 m is outside the usual range, 10 m to 999 m"));
    QVERIFY(tab->InputProblems().isEmpty());
    Find<QCheckBox>("RACONFittedCheckBox")->click();
    QCOMPARE(EditAtoN()->OffPositionThreshold(), 5);
    // Another number outside is refused; the unit's again is taken.
    TypeOver(threshold, "6");
    QCOMPARE(tab->InputProblems().size(), 1);
    TypeOver(threshold, "5");
    QVERIFY(tab->InputProblems().isEmpty());
    QCOMPARE(threshold->toolTip().left(4), QString("5 m "));

    // In German the position takes and shows a decimal comma, and still a point.
    tab->setLocale(QLocale(QLocale::German, QLocale::Germany));
    auto *latitude = Find<QLineEdit>("lineLatitude");
    TypeOver(latitude, "50,5");
    QCOMPARE(EditAtoN()->GetPosition()->Latitude(), 50.5);
    QTest::keyClick(latitude, Qt::Key_Tab);
    QCOMPARE(latitude->text(), QString("50° 30' 0,0\" N"));
    QCOMPARE(latitude->toolTip(), QString("50,5000\n50° 30,0000' N"));
    TypeOver(latitude, "50 30 15.5");
    QVERIFY(tab->InputProblems().isEmpty());
    QCOMPARE(EditAtoN()->GetPosition()->Latitude(), 50.5 + 15.5 / 3600);
    // A whole-number field keeps a decimal typed in it, and refuses it.
    TypeOver(threshold, "12,5");
    QTest::keyClick(threshold, Qt::Key_Tab);
    QCOMPARE(threshold->text(), QString("12,5 m"));
    QCOMPARE(tab->InputProblems(), QStringList{"Threshold: \"12,5\" is not a whole number."});
    // A decimal box keeps more decimals than it holds as typed, and refuses
    // them (a comma and a point are taken in the keyboard test's voltages).
    auto *volts = new NumberBox(tab.get());
    volts->setDecimals(1);
    volts->setSuffix(" V");
    volts->Load(5);
    volts->show();
    TypeOver(volts, "12,34");
    QTest::keyClick(volts, Qt::Key_Tab);
    QCOMPARE(volts->text(), QString("12,34 V"));
    QCOMPARE(volts->Problem(), QString("12,34 has too many decimals: 1 at most."));
    tab->setLocale(QLocale::c());
}

VANDREL_UI_TEST_MAIN(TestRealAtoNTab)
#include "tst_ui_realatontab.moc"
