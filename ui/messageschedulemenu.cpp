#include "messageschedulemenu.h"

#include "model/messageschedule.h"

MessageScheduleMenu::MessageScheduleMenu(MessageSchedule *schedule, int scheduleRow,
                                         QWidget *parent)
    : QMenu(parent), schedule(schedule), scheduleRow(scheduleRow)
{
    Q_CHECK_PTR(schedule);
    setObjectName(QStringLiteral("menuMessageSchedule"));

    AddAddAction(this, tr("Add Message &6 ( Binary Addressed Message )"), 6);
    AddAddAction(this, tr("Add Message &8 ( Binary Broadcast Message )"), 8);
    QMenu *add12 = addMenu(tr("Add Message 1&2"));
    QMenu *add14 = addMenu(tr("Add Message 1&4"));
    // The numbers share their digits, so the entries are counted for the keys.
    for (int variant = 0; variant < 4; ++variant) {
        AddAddAction(add12, tr("&%1  Message %2").arg(variant + 1).arg(variant * 100 + 12),
                     variant * 100 + 12);
        AddAddAction(add14, tr("&%1  Message %2").arg(variant + 1).arg(variant * 100 + 14),
                     variant * 100 + 14);
    }

    addSeparator();
    QAction *remove = addAction(tr("&Remove Message"));
    remove->setObjectName(QStringLiteral("actionRemoveMessage"));
    remove->setEnabled(Removable(*schedule, scheduleRow));
    connect(remove, &QAction::triggered, this, &MessageScheduleMenu::OnRemove);

    addSeparator();
    const MessageScheduleEntry report = schedule->EntryAt(OffPositionReportRow);
    const bool reportRowExists =
        OffPositionReportRow < schedule->Count() && report.MessageId() == 21;
    QAction *offPosition = addAction(tr("&Off-position Report"));
    offPosition->setObjectName(QStringLiteral("actionOffPositionReport"));
    offPosition->setCheckable(true);
    offPosition->setChecked(reportRowExists && report.Active());
    offPosition->setEnabled(reportRowExists);
    connect(offPosition, &QAction::triggered, this, &MessageScheduleMenu::OnOffPositionReport);

    // A send leaves these rows as the unit holds them; only the engineer
    // can say that one should be off.
    QMenu *leftToUnit = addMenu(tr("Rows &Left as the Unit Holds Them"));
    leftToUnit->setObjectName(QStringLiteral("menuRowsLeftToUnit"));
    QAction *all = leftToUnit->addAction(tr("Switch &All Off"));
    all->setObjectName(QStringLiteral("actionSwitchOffUnspecified"));
    connect(all, &QAction::triggered, this, [this]() {
        if (this->schedule->SwitchOffUnspecified() > 0)
            emit ScheduleChanged();
    });
    leftToUnit->addSeparator();
    // Each row has a key of its own; the rare rows beyond the keys go with
    // the others.
    static const char keys[] = "123456789BCDEFGHIJKLMNOPQRSTUVWXYZ";
    const QList<MessageScheduleEntry> &rows = schedule->Entries();
    int listed = 0;
    for (int i = 0; i < rows.size() && listed < int(sizeof keys) - 1; ++i) {
        if (rows.at(i).Specified())
            continue;
        QAction *one =
            leftToUnit->addAction(QStringLiteral("&%1  ").arg(QLatin1Char(keys[listed++])) +
                                  tr("Switch %1 Off").arg(schedule->RowName(i)));
        one->setObjectName(QStringLiteral("actionSwitchOff") +
                           schedule->RowName(i).replace(QLatin1Char('/'), QLatin1Char('_')));
        connect(one, &QAction::triggered, this, [this, i]() {
            if (this->schedule->SwitchOff(i))
                emit ScheduleChanged();
        });
    }
    // The action for all, the separator, and one for each row.
    leftToUnit->setEnabled(leftToUnit->actions().size() > 2);
}

void MessageScheduleMenu::AddAddAction(QMenu *menu, const QString &text, int number)
{
    QAction *action = menu->addAction(text);
    action->setObjectName(QStringLiteral("actionAddMessage%1").arg(number));
    action->setData(number);
    action->setEnabled(schedule->IsAvailable(number));
    connect(action, &QAction::triggered, this, [this, number]() { OnAdd(number); });
}

void MessageScheduleMenu::OnAdd(int number)
{
    int row = -1;
    if (!schedule->AddMessage(number, row))
        return;
    addedRow = row;
    emit ScheduleChanged();
}

bool MessageScheduleMenu::Removable(const MessageSchedule &schedule, int scheduleRow)
{
    const MessageScheduleEntry entry = schedule.EntryAt(scheduleRow);
    return scheduleRow >= 0 && scheduleRow < schedule.Count() && entry.Active() &&
           entry.MessageId() != 21;
}

void MessageScheduleMenu::OnRemove()
{
    if (Removable(*schedule, scheduleRow) && schedule->RemoveEntry(scheduleRow))
        emit ScheduleChanged();
}

void MessageScheduleMenu::OnOffPositionReport(bool enable)
{
    const bool done = enable ? schedule->EnableReport(OffPositionReportRow)
                             : schedule->DisableReport(OffPositionReportRow);
    if (done)
        emit ScheduleChanged();
}
