#include "messagescheduledelegate.h"

#include "messagescheduletablemodel.h"
#include "model/messageschedule.h"
#include "numberbox.h"

#include <QAbstractItemView>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QSignalBlocker>
#include <QTimeEdit>
#include <QTimer>

namespace {

// The cell's value when its editor opened, written back in place of a
// refused text.
const char *const HeldBefore = "heldBefore";

bool Refused(const QObject *editor)
{
    const auto *number = qobject_cast<const NumberBox *>(editor);
    return number && !number->Problem().isEmpty();
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
        auto *editor = new QTimeEdit(parent);
        editor->setObjectName(channel1 ? QStringLiteral("Channel1StartUTC")
                                       : QStringLiteral("Channel2StartUTC"));
        editor->setDisplayFormat(QStringLiteral("hh:mm"));
        connect(editor, &QTimeEdit::timeChanged, this,
                &MessageScheduleDelegate::saveDataOnWidgetEdit);
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
        numberEditors.insert(editor, index);
        connect(editor, &NumberBox::ProblemChanged, this,
                &MessageScheduleDelegate::ProblemsChanged);
        // Told later: an editor also goes when the whole page does, and the
        // controls that listen may then be half gone.
        connect(editor, &QObject::destroyed, this, [this, editor]() {
            numberEditors.remove(editor);
            QTimer::singleShot(0, this, [this]() { emit ProblemsChanged(); });
        });
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
    if (auto *timeEdit = qobject_cast<QTimeEdit *>(editor)) {
        timeEdit->interpretText();
        changed = model->setData(index, timeEdit->time(), Qt::EditRole);
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
    const auto *key = static_cast<const QKeyEvent *>(event);
    const bool keyPress = event->type() == QEvent::KeyPress;
    const bool tab = keyPress && (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab);
    if (Refused(editor)) {
        // Enter and leaving would close the editor and lose the text that
        // stands refused; Escape still closes it.
        if (keyPress && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter))
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
    for (auto editor = numberEditors.cbegin(); editor != numberEditors.cend(); ++editor) {
        const QModelIndex &cell = editor.value();
        const QString problem = editor.key()->Problem();
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
