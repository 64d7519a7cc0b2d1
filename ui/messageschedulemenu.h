#ifndef MESSAGESCHEDULEMENU_H
#define MESSAGESCHEDULEMENU_H

#include <QMenu>

class MessageSchedule;

// The schedule table's context menu: adds a message 6, 8, 12 (or one of its
// variants 112, 212, 312) or 14 (114, 214, 314) where the schedule has a free
// row for it, removes the active row the menu was opened on (never a message
// 21 report), and switches the off-position report on or off.  Every change
// goes through the schedule's own operations and is followed by
// ScheduleChanged().
class MessageScheduleMenu : public QMenu
{
    Q_OBJECT

public:
    // List row of the off-position report (message 21, second row).
    static constexpr int OffPositionReportRow = 1;

    // `scheduleRow` is the schedule row under the mouse, or -1 for none.
    // `schedule` is not owned and must not be null.
    MessageScheduleMenu(MessageSchedule *schedule, int scheduleRow, QWidget *parent = nullptr);

    // The schedule row that the last change added, or -1.
    int AddedRow() const { return addedRow; }

    // Whether schedule row `scheduleRow` may be removed: an active row that
    // is not a message 21 report.
    static bool Removable(const MessageSchedule &schedule, int scheduleRow);

signals:
    void ScheduleChanged();

private:
    void AddAddAction(QMenu *menu, const QString &text, int number);
    void OnAdd(int number);
    void OnRemove();
    void OnOffPositionReport(bool enable);

    MessageSchedule *schedule;
    int scheduleRow;
    int addedRow = -1;
};

#endif // MESSAGESCHEDULEMENU_H
