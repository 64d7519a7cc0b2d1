#ifndef MESSAGESCHEDULEDELEGATE_H
#define MESSAGESCHEDULEDELEGATE_H

#include <QHash>
#include <QItemDelegate>
#include <QPersistentModelIndex>

class MessageSchedule;

// In-place editors of the schedule table: time boxes for the start times and
// number boxes for the start slots and intervals.  Every step of an editor is
// written back to the model at once, not only when the editor closes.  A
// time that is none, or a number outside its range, stays in its editor as
// typed, marked, and is not written: the cell keeps what it held before the editor opened, and the
// editor stays open (Enter and leaving do not close it; Escape does, and
// drops the text) for as long as InputProblems() names it.
class MessageScheduleDelegate : public QItemDelegate
{
    Q_OBJECT

public:
    // Start slot range: -1 switches a channel off, 2249 is the last slot of a minute.
    static constexpr int MinStartSlot = -1;
    static constexpr int MaxStartSlot = 2249;
    static constexpr int MaxFatdmaInterval = 3240000;
    static constexpr int MaxMinutesInterval = 86400 / 60;

    // `schedule` is not owned and must not be null (treated as an allocation failure).
    MessageScheduleDelegate(MessageSchedule *schedule, QObject *parent = nullptr);

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model,
                      const QModelIndex &index) const override;
    void updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option,
                              const QModelIndex &index) const override;

protected:
    bool eventFilter(QObject *object, QEvent *event) override;

public:
    // One line per open editor whose text is refused, naming its cell.
    QStringList InputProblems() const;

signals:
    // After every write-back of an editor's value.
    void DelegateEdited() const;
    // An editor's text came to be refused or taken, or a refused one closed.
    void ProblemsChanged() const;

public slots:
    // Commits the editor that sent the signal.
    void saveDataOnWidgetEdit();

private:
    // Schedule row shown in table row `row`, or -1.
    int ScheduleRowOf(int row) const;
    // Keeps the editor of a cell among those whose refused text is named.
    void WatchProblems(QWidget *editor, const QModelIndex &index) const;

    // The open editors that judge their text, and their cells.
    mutable QHash<const QObject *, QPersistentModelIndex> judgingEditors;
    MessageSchedule *schedule;
};

#endif // MESSAGESCHEDULEDELEGATE_H
