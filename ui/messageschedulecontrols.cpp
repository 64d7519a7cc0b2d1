#include "messageschedulecontrols.h"

#include "messagescheduledelegate.h"
#include "messageschedulemenu.h"
#include "messagescheduletablemodel.h"
#include "model/messageschedule.h"

#include <QBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTableView>

MessageScheduleControls::MessageScheduleControls(MessageSchedule *schedule, QTableView *table,
                                                 QPushButton *add, QPushButton *remove,
                                                 QLabel *clashNote, QObject *parent)
    : QObject(parent), schedule(schedule), table(table), addButton(add), removeButton(remove),
      clashNote(clashNote), tableModel(new MessageScheduleTableModel(schedule, this)),
      delegate(new MessageScheduleDelegate(schedule, this))
{
    tableModel->AttachToView(table, true);
    tableModel->SpanRowsLeftToUnit(table);
    table->setItemDelegate(delegate);
    connect(delegate, &MessageScheduleDelegate::DelegateEdited, this,
            &MessageScheduleControls::OnCellEdited);
    connect(delegate, &MessageScheduleDelegate::ProblemsChanged, this,
            &MessageScheduleControls::UpdateControls);
    table->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(table, &QWidget::customContextMenuRequested, this,
            &MessageScheduleControls::OnContextMenu);
    connect(table->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &MessageScheduleControls::UpdateControls);
    connect(addButton, &QPushButton::clicked, this, &MessageScheduleControls::OnAddClicked);
    connect(removeButton, &QPushButton::clicked, this, &MessageScheduleControls::OnRemoveClicked);
    clashNote->setToolTip(MessageScheduleTableModel::SlotClashToolTip());

    // Beneath the table, where the rows it does not show would be.
    unitRowsNote = new QLabel(table->parentWidget());
    unitRowsNote->setObjectName(QStringLiteral("labelRowsLeftToUnit"));
    unitRowsNote->setToolTip(tr("A send changes only the rows this document names. The "
                                "schedule's menu can switch the others off."));
    auto *layout = qobject_cast<QBoxLayout *>(table->parentWidget()->layout());
    const int tableAt = layout ? layout->indexOf(table) : -1;
    if (tableAt >= 0)
        layout->insertWidget(tableAt + 1, unitRowsNote);
}

void MessageScheduleControls::Refresh()
{
    tableModel->Refresh();
    tableModel->SpanRowsLeftToUnit(table);
    UpdateControls();
}

QStringList MessageScheduleControls::InputProblems() const
{
    return delegate->InputProblems();
}

int MessageScheduleControls::CurrentScheduleRow() const
{
    return tableModel->ScheduleRowOf(table->currentIndex().row());
}

void MessageScheduleControls::OnCellEdited()
{
    // The clash marks of other cells follow the value just written.
    table->viewport()->update();
    UpdateControls();
    emit Edited();
}

void MessageScheduleControls::UpdateControls()
{
    removeButton->setEnabled(MessageScheduleMenu::Removable(*schedule, CurrentScheduleRow()));
    const QStringList clashes = schedule->SlotClashRowTexts();
    const QStringList refused = InputProblems();
    clashNote->setVisible(!clashes.isEmpty() || !refused.isEmpty());
    // The lines are broken here rather than wrapped: a label whose height
    // follows its width makes the scrolled page add a sideways scroll bar to
    // the vertical one.
    QStringList lines = refused;
    if (!clashes.isEmpty())
        lines << tr("The schedule cannot be sent: these rows risk a slot clash\n(the "
                    "tool tip says how to mend it).\n") +
                     clashes.join(QLatin1Char('\n'));
    clashNote->setText(lines.join(QLatin1Char('\n')));

    // Broken by hand, as the note beside the buttons, a few rows a line.
    const QStringList names = schedule->UnspecifiedRowRuns();
    QStringList rowLines;
    for (int k = 0; k < names.size(); k += UnitRowsPerLine)
        rowLines << names.mid(k, UnitRowsPerLine).join(QStringLiteral(", "));
    unitRowsNote->setVisible(!names.isEmpty());
    unitRowsNote->setText(tr("Left as the unit holds them (a send does not change them):\n%1")
                              .arg(rowLines.join(QLatin1Char('\n'))));
}

void MessageScheduleControls::OnAddClicked()
{
    QMenu *menu = CreateMenu(-1);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->findChild<QAction *>(QStringLiteral("actionRemoveMessage"))->setVisible(false);
    menu->popup(addButton->mapToGlobal(addButton->rect().bottomLeft()));
}

void MessageScheduleControls::OnRemoveClicked()
{
    const int row = CurrentScheduleRow();
    const bool focused = removeButton->hasFocus();
    if (MessageScheduleMenu::Removable(*schedule, row) && schedule->RemoveEntry(row))
        OnScheduleChanged();
    // The button goes grey with its row, which would pass the focus on to
    // the status bar; the table, where the next row is chosen, takes it.
    if (focused && !removeButton->isEnabled())
        table->setFocus(Qt::OtherFocusReason);
}

QMenu *MessageScheduleControls::CreateMenu(int tableRow)
{
    auto *menu = new MessageScheduleMenu(schedule, tableModel->ScheduleRowOf(tableRow), table);
    connect(menu, &MessageScheduleMenu::ScheduleChanged, this,
            &MessageScheduleControls::OnScheduleChanged);
    return menu;
}

void MessageScheduleControls::OnContextMenu(const QPoint &position)
{
    QMenu *menu = CreateMenu(table->indexAt(position).row());
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(table->viewport()->mapToGlobal(position));
}

void MessageScheduleControls::OnScheduleChanged()
{
    // An open editor belongs to a row that may have moved.
    table->setCurrentIndex(QModelIndex());
    tableModel->Refresh();
    tableModel->SpanRowsLeftToUnit(table);
    auto *menu = qobject_cast<MessageScheduleMenu *>(sender());
    int row = -1;
    if (menu && menu->AddedRow() >= 0 && schedule->TableRowOf(menu->AddedRow(), row))
        table->selectRow(row);
    UpdateControls();
    emit Edited();
}
