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

    // Beside the buttons, after the clash note: one line, which costs the
    // page no height, and asks for no width (what does not fit is in its
    // tool tip), so that the page keeps its columns.
    unitRowsNote = new QLabel(table->parentWidget());
    unitRowsNote->setObjectName(QStringLiteral("labelRowsLeftToUnit"));
    unitRowsNote->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    auto *row = qobject_cast<QBoxLayout *>(clashNote->parentWidget()->layout());
    QBoxLayout *buttons = nullptr;
    for (int k = 0; row && k < row->count() && !buttons; ++k) {
        auto *inner = qobject_cast<QBoxLayout *>(row->itemAt(k)->layout());
        if (inner && inner->indexOf(clashNote) >= 0)
            buttons = inner;
    }
    if (buttons) {
        // The note takes the room the row's spacer had.
        for (int k = 0; k < buttons->count(); ++k)
            buttons->setStretch(k, 0);
        buttons->insertWidget(buttons->indexOf(clashNote) + 1, unitRowsNote, 1, Qt::AlignTop);
    }
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

    // A few rows by name on the note, all of them in its tool tip.
    const QStringList names = schedule->UnspecifiedRowRuns();
    QString shown = names.mid(0, UnitRowsShown).join(QStringLiteral(", "));
    if (names.size() > UnitRowsShown)
        shown += tr(" and %n more", nullptr, int(names.size()) - UnitRowsShown);
    unitRowsNote->setVisible(!names.isEmpty());
    unitRowsNote->setText(tr("As the unit holds them: %1").arg(shown));
    unitRowsNote->setToolTip(tr("A send changes only the rows this document names; it leaves "
                                "these as the unit holds them:\n%1\nThe schedule's menu can "
                                "switch them off.")
                                 .arg(names.join(QStringLiteral(", "))));
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
