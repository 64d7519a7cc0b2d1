#ifndef MESSAGESCHEDULECONTROLS_H
#define MESSAGESCHEDULECONTROLS_H

#include <QObject>

class QLabel;
class QMenu;
class QPoint;
class QPushButton;
class QTableView;
class MessageSchedule;
class MessageScheduleDelegate;
class MessageScheduleTableModel;

// The schedule table with what edits it: the cell editors, the context menu,
// the Add and Remove buttons beside the table and the note that names the
// rows risking a slot clash.  Every change to the schedule is announced by
// Edited().
class MessageScheduleControls : public QObject
{
    Q_OBJECT

public:
    // None of the arguments is owned; the widgets live as long as this.
    MessageScheduleControls(MessageSchedule *schedule, QTableView *table, QPushButton *add,
                            QPushButton *remove, QLabel *clashNote, QObject *parent = nullptr);

    // Shows the schedule afresh (after it was replaced as a whole).
    void Refresh();

    // The context menu for table row `tableRow` (-1 for none); its changes
    // refresh the table and are announced.  The menu is a child of the
    // table; the caller deletes it.
    QMenu *CreateMenu(int tableRow);

    // One line per cell editor that stands open with a number it refuses.
    QStringList InputProblems() const;

signals:
    void Edited();

private:
    void OnCellEdited();
    void OnContextMenu(const QPoint &position);
    // The Add button: the schedule menu without its Remove entry.
    void OnAddClicked();
    void OnRemoveClicked();
    void OnScheduleChanged();
    // Remove enabled for a removable selected row; the rows that risk a slot
    // clash, and a refused number typed into a cell, named beside the table
    // (the table marks them itself).
    void UpdateControls();
    int CurrentScheduleRow() const;

    MessageSchedule *schedule;
    QTableView *table;
    QPushButton *addButton;
    QPushButton *removeButton;
    QLabel *clashNote;
    // Names the rows the document leaves to the unit.
    QLabel *unitRowsNote;
    static constexpr int UnitRowsShown = 2;
    MessageScheduleTableModel *tableModel;
    MessageScheduleDelegate *delegate;
};

#endif // MESSAGESCHEDULECONTROLS_H
