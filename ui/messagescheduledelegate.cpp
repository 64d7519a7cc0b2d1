#include "messagescheduledelegate.h"

#include "messagescheduletablemodel.h"
#include "model/messageschedule.h"

#include <QAbstractItemView>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTimeEdit>

MessageScheduleDelegate::MessageScheduleDelegate(MessageSchedule *schedule, QObject *parent)
    : QItemDelegate(parent), schedule(schedule)
{
    Q_CHECK_PTR(schedule);
}

int MessageScheduleDelegate::ScheduleRowOf(int row) const
{
    if (row < 0 || row >= schedule->VisibleCount())
        return -1;
    int i = -1;
    if (!schedule->EntryOfTableRow(row, i))
        return -1;
    return i;
}

QWidget *MessageScheduleDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                                               const QModelIndex &index) const
{
    Q_UNUSED(option)
    if (!index.isValid())
        return nullptr;
    const int column = index.column();
    const MessageScheduleEntry entry = schedule->EntryAt(ScheduleRowOf(index.row()));
    const bool channel1 = column < MessageScheduleTableModel::StartTime2Column;

    switch (column) {
    case MessageScheduleTableModel::StartTime1Column:
    case MessageScheduleTableModel::StartTime2Column: {
        auto *editor = new QTimeEdit(parent);
        editor->setObjectName(channel1 ? QStringLiteral("Channel1StartUTC")
                                       : QStringLiteral("Channel2StartUTC"));
        editor->setDisplayFormat(QStringLiteral("hh:mm"));
        connect(editor, &QTimeEdit::timeChanged, this,
                &MessageScheduleDelegate::saveDataOnWidgetEdit);
        return editor;
    }
    case MessageScheduleTableModel::StartSlot1Column:
    case MessageScheduleTableModel::StartSlot2Column: {
        auto *editor = new QSpinBox(parent);
        editor->setObjectName(channel1 ? QStringLiteral("Channel1StartSlot")
                                       : QStringLiteral("Channel2StartSlot"));
        editor->setRange(MinStartSlot, MaxStartSlot);
        connect(editor, QOverload<int>::of(&QSpinBox::valueChanged), this,
                &MessageScheduleDelegate::saveDataOnWidgetEdit);
        return editor;
    }
    case MessageScheduleTableModel::Interval1Column:
    case MessageScheduleTableModel::Interval2Column: {
        auto *editor = new QSpinBox(parent);
        editor->setObjectName(channel1 ? QStringLiteral("Channel1Interval")
                                       : QStringLiteral("Channel2Interval"));
        editor->setMinimum(0);
        if (entry.AccessScheme() == MessageScheduleEntry::FATDMA) {
            editor->setMaximum(MaxFatdmaInterval);
            editor->setSuffix(tr(" slots"));
        } else {
            editor->setMaximum(MaxMinutesInterval);
            editor->setSuffix(tr(" mins"));
        }
        connect(editor, QOverload<int>::of(&QSpinBox::valueChanged), this,
                &MessageScheduleDelegate::saveDataOnWidgetEdit);
        return editor;
    }
    default:
        return nullptr;
    }
}

void MessageScheduleDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    if (!editor || !index.isValid())
        return;
    const int i = ScheduleRowOf(index.row());
    if (i < 0)
        return;
    const MessageScheduleEntry entry = schedule->EntryAt(i);
    // Loading the editor is not an edit: without the blocker the change signal
    // would write the value straight back and announce an edit that nobody made.
    const QSignalBlocker blocker(editor);
    switch (index.column()) {
    case MessageScheduleTableModel::StartTime1Column:
    case MessageScheduleTableModel::StartTime2Column:
        if (auto *timeEdit = qobject_cast<QTimeEdit *>(editor)) {
            timeEdit->setTime(index.column() == MessageScheduleTableModel::StartTime1Column
                                  ? entry.StartTime1()
                                  : entry.StartTime2());
        }
        break;
    case MessageScheduleTableModel::StartSlot1Column:
    case MessageScheduleTableModel::StartSlot2Column:
    case MessageScheduleTableModel::Interval1Column:
    case MessageScheduleTableModel::Interval2Column:
        if (auto *spinBox = qobject_cast<QSpinBox *>(editor)) {
            int value = 0;
            switch (index.column()) {
            case MessageScheduleTableModel::StartSlot1Column:
                value = entry.StartSlot1();
                break;
            case MessageScheduleTableModel::StartSlot2Column:
                value = entry.StartSlot2();
                break;
            case MessageScheduleTableModel::Interval1Column:
                value = entry.Interval1();
                break;
            default:
                value = entry.Interval2();
                break;
            }
            spinBox->setValue(value);
        }
        break;
    default:
        break;
    }
}

void MessageScheduleDelegate::setModelData(QWidget *editor, QAbstractItemModel *model,
                                           const QModelIndex &index) const
{
    if (!editor || !model || !index.isValid() || ScheduleRowOf(index.row()) < 0)
        return;
    // An editor closed without a change writes nothing and is no edit.
    bool changed = false;
    if (auto *timeEdit = qobject_cast<QTimeEdit *>(editor)) {
        timeEdit->interpretText();
        changed = model->setData(index, timeEdit->time(), Qt::EditRole);
    } else if (auto *spinBox = qobject_cast<QSpinBox *>(editor)) {
        spinBox->interpretText();
        changed = model->setData(index, spinBox->value(), Qt::EditRole);
    }
    if (changed)
        emit DelegateEdited();
}

void MessageScheduleDelegate::updateEditorGeometry(QWidget *editor,
                                                   const QStyleOptionViewItem &option,
                                                   const QModelIndex &index) const
{
    Q_UNUSED(index)
    if (editor)
        editor->setGeometry(option.rect);
}

bool MessageScheduleDelegate::eventFilter(QObject *object, QEvent *event)
{
    auto *editor = qobject_cast<QWidget *>(object);
    const auto *key = static_cast<const QKeyEvent *>(event);
    if (!editor || event->type() != QEvent::KeyPress ||
        (key->key() != Qt::Key_Tab && key->key() != Qt::Key_Backtab))
        return QItemDelegate::eventFilter(object, event);
    // Tab would open the next cell's editor, and from there the next, so
    // that the keyboard never gets past the table: it keeps the value and
    // hands the key to the view, which passes the focus on.
    QWidget *viewport = editor->parentWidget();
    auto *view = qobject_cast<QAbstractItemView *>(viewport ? viewport->parentWidget() : nullptr);
    emit commitData(editor);
    emit closeEditor(editor, NoHint);
    if (view) {
        QKeyEvent again(QEvent::KeyPress, key->key(), key->modifiers(), key->text());
        QCoreApplication::sendEvent(view, &again);
    }
    return true;
}

void MessageScheduleDelegate::saveDataOnWidgetEdit()
{
    if (auto *editor = qobject_cast<QWidget *>(sender()))
        emit commitData(editor);
}
