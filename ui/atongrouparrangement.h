#ifndef ATONGROUPARRANGEMENT_H
#define ATONGROUPARRANGEMENT_H

#include <QObject>

class QGridLayout;
class QLayout;
class QScrollArea;
class QWidget;

// Places the groups of the AtoN page in three columns where the page is wide
// enough, so that on a laptop's screen the schedule below them is in view
// without scrolling, and in two columns on a narrower page: the unit
// information goes below the first column and the dimensions below the
// position.  A narrow page then scrolls down, never across.
class AtoNGroupArrangement : public QObject
{
    Q_OBJECT

public:
    // The groups as the page's grid holds them in three columns: row 0 the
    // identification, the position and the dimensions (over two rows), row 1
    // the radio row and the unit information, row 2 the schedule.
    struct Groups
    {
        QWidget *identification;
        QLayout *radio;
        QWidget *position;
        QWidget *unit;
        QWidget *dimensions;
        QWidget *schedule;
    };

    // `page` scrolls the widget that `grid` lays out; none of them is owned.
    AtoNGroupArrangement(QScrollArea *page, QGridLayout *grid, const Groups &groups,
                         QObject *parent = nullptr);

    bool ThreeColumns() const { return threeColumns; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Three columns when they fit at their preferred widths beside a vertical
    // scroll bar.
    void Update();
    void Place(bool three);
    int ThreeColumnWidth() const;
    int MinimumWidth(QWidget *group) const;
    int PreferredWidth(QWidget *group) const;

    QScrollArea *page;
    QGridLayout *grid;
    Groups groups;
    bool threeColumns = true;
};

#endif // ATONGROUPARRANGEMENT_H
