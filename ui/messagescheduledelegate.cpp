#include "messagescheduledelegate.h"

#include "messagescheduletablemodel.h"
#include "model/messageschedule.h"
#include "numberbox.h"
#include "timebox.h"

#include <QAbstractItemView>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QSignalBlocker>
#include <QTimer>

namespace {

// The cell's value when its editor opened, written back in place of a
// refused text.
const char *const HeldBefore = "heldBefore";

// Why an editor's text cannot be taken; empty when it can, and for an
// editor that does not judge its text.
QString Problem(const QObject *editor)
{
    if (const auto *number = qobject_cast<const NumberBox *>(editor))
        return number->Problem();
    if (const auto *time = qobject_cast<const TimeBox *>(editor))
        return time->Problem();
    return QString();
}

bool Refused(const QObject *editor)
{
    return !Problem(editor).isEmpty();
}

} // namespace

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
        auto *editor = new TimeBox(parent);
        editor->setObjectName(channel1 ? QStringLiteral("Channel1StartUTC")
                                       : QStringLiteral("Channel2StartUTC"));
        // A refused text is written too: as the time the cell held before.
        connect(editor, &TimeBox::Edited, this, &MessageScheduleDelegate::saveDataOnWidgetEdit);
        WatchProblems(editor, index);
        connect(editor, &TimeBox::ProblemChanged, this, &MessageScheduleDelegate::ProblemsChanged);
        return editor;
    }
    case MessageScheduleTableModel::StartSlot1Column:
    case MessageScheduleTableModel::StartSlot2Column:
    case MessageScheduleTableModel::Interval1Column:
    case MessageScheduleTableModel::Interval2Column: {
        auto *editor = new NumberBox(parent);
        const bool slot = column == MessageScheduleTableModel::StartSlot1Column ||
                          column == MessageScheduleTableModel::StartSlot2Column;
        editor->setObjectName(
            QStringLiteral("Channel%1%2")
                .arg(channel1 ? 1 : 2)
                .arg(slot ? QStringLiteral("StartSlot") : QStringLiteral("Interval")));
        if (slot) {
            editor->SetUsualRange(MinStartSlot, MaxStartSlot);
        } else if (entry.AccessScheme() == MessageScheduleEntry::FATDMA) {
            editor->SetUsualRange(0, MaxFatdmaInterval);
            editor->setSuffix(tr(" slots"));
        } else {
            editor->SetUsualRange(0, MaxMinutesInterval);
            editor->setSuffix(tr(" mins"));
        }
        connect(editor, QOverload<double>::of(&NumberBox::valueChanged), this,
                &MessageScheduleDelegate::saveDataOnWidgetEdit);
        WatchProblems(editor, index);
        connect(editor, &NumberBox::ProblemChanged, this,
                &MessageScheduleDelegate::ProblemsChanged);
        return editor;
    }
    default:
        return nullptr;
    }
}

void MessageScheduleDelegate::WatchProblems(QWidget *editor, const QModelIndex &index) const
{
    judgingEditors.insert(editor, index);
    // Told later: an editor also goes when the whole page does, and the
    // controls that listen may then be half gone.
    connect(editor, &QObject::destroyed, this, [this, editor]() {
        judgingEditors.remove(editor);
        QTimer::singleShot(0, this, [this]() { emit ProblemsChanged(); });
    });
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
        if (auto *time = qobject_cast<TimeBox *>(editor)) {
            if (editor->property(HeldBefore).isValid() && Refused(editor))
                break;
            const QTime value = index.column() == MessageScheduleTableModel::StartTime1Column
                                    ? entry.StartTime1()
                                    : entry.StartTime2();
            if (!editor->property(HeldBefore).isValid())
                editor->setProperty(HeldBefore, value);
            // What is being typed stays as typed while it means this time.
            if (!Refused(editor) && time->Time() == value)
                break;
            time->Load(value);
        }
        break;
    case MessageScheduleTableModel::StartSlot1Column:
    case MessageScheduleTableModel::StartSlot2Column:
    case MessageScheduleTableModel::Interval1Column:
    case MessageScheduleTableModel::Interval2Column:
        // The cell keeps its value while the editor's text is refused: the
        // text stays rather than being replaced by it.
        if (auto *number = qobject_cast<NumberBox *>(editor)) {
            if (editor->property(HeldBefore).isValid() && Refused(editor))
                break;
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
            if (!editor->property(HeldBefore).isValid())
                editor->setProperty(HeldBefore, value);
            number->Load(value);
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
    if (auto *time = qobject_cast<TimeBox *>(editor)) {
        const QVariant value =
            Refused(editor) ? editor->property(HeldBefore) : QVariant(time->Time());
        changed = model->setData(index, value, Qt::EditRole);
    } else if (auto *number = qobject_cast<NumberBox *>(editor)) {
        number->interpretText();
        const QVariant value =
            Refused(editor) ? editor->property(HeldBefore) : QVariant(qRound(number->value()));
        changed = model->setData(index, value, Qt::EditRole);
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
    if (!editor)
        return QItemDelegate::eventFilter(object, event);
    const auto *key =
        event->type() == QEvent::KeyPress ? static_cast<const QKeyEvent *>(event) : nullptr;
    const int keyCode = key ? key->key() : 0;
    const bool tab = keyCode == Qt::Key_Tab || keyCode == Qt::Key_Backtab;
    if (Refused(editor)) {
        // Enter and leaving would close the editor and lose the text that
        // stands refused; Escape still closes it.
        if (keyCode == Qt::Key_Return || keyCode == Qt::Key_Enter)
            return true;
        if (event->type() == QEvent::FocusOut)
            return false;
    }
    if (!tab)
        return QItemDelegate::eventFilter(object, event);
    // Tab would open the next cell's editor, and from there the next, so
    // that the keyboard never gets past the table: it keeps the value and
    // hands the key to the view, which passes the focus on.
    QWidget *viewport = editor->parentWidget();
    auto *view = qobject_cast<QAbstractItemView *>(viewport ? viewport->parentWidget() : nullptr);
    if (!Refused(editor)) {
        emit commitData(editor);
        emit closeEditor(editor, NoHint);
    }
    if (view) {
        QKeyEvent again(QEvent::KeyPress, key->key(), key->modifiers(), key->text());
        QCoreApplication::sendEvent(view, &again);
    }
    return true;
}

QStringList MessageScheduleDelegate::InputProblems() const
{
    QStringList lines;
    for (auto editor = judgingEditors.cbegin(); editor != judgingEditors.cend(); ++editor) {
        const QModelIndex &cell = editor.value();
        const QString problem = Problem(editor.key());
        if (problem.isEmpty() || !cell.isValid())
            continue;
        const QString column = cell.model()
                                   ->headerData(cell.column(), Qt::Horizontal)
                                   .toString()
                                   .replace(QLatin1Char('\n'), QLatin1Char(' '));
        lines << tr("Schedule row %1, %2: %3").arg(cell.row() + 1).arg(column, problem);
    }
    return lines;
}

void MessageScheduleDelegate::saveDataOnWidgetEdit()
{
    if (auto *editor = qobject_cast<QWidget *>(sender()))
        emit commitData(editor);
}
