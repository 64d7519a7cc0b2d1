#include "atongrouparrangement.h"

#include <QEvent>
#include <QGridLayout>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>

AtoNGroupArrangement::AtoNGroupArrangement(QScrollArea *page, QGridLayout *grid,
                                           const Groups &groups, QObject *parent)
    : QObject(parent), page(page), grid(grid), groups(groups)
{
    page->installEventFilter(this);
    // A longer text (a warning shown, another language) may widen a group.
    grid->parentWidget()->installEventFilter(this);
}

bool AtoNGroupArrangement::eventFilter(QObject *watched, QEvent *event)
{
    if ((watched == page && event->type() == QEvent::Resize) ||
        (watched != page && event->type() == QEvent::LayoutRequest))
        Update();
    return false;
}

int AtoNGroupArrangement::MinimumWidth(QWidget *group) const
{
    return grid->itemAt(grid->indexOf(group))->minimumSize().width();
}

int AtoNGroupArrangement::PreferredWidth(QWidget *group) const
{
    return grid->itemAt(grid->indexOf(group))->sizeHint().width();
}

int AtoNGroupArrangement::ThreeColumnWidth() const
{
    // Each group as wide as it asks to be: squeezed to its minimum, a
    // channel's name or a version number would be cut off.
    const int columns =
        qMax(PreferredWidth(groups.identification), groups.radio->sizeHint().width()) +
        qMax(PreferredWidth(groups.position), PreferredWidth(groups.unit)) +
        PreferredWidth(groups.dimensions) + 2 * qMax(0, grid->horizontalSpacing());
    const QMargins margins = grid->contentsMargins();
    return margins.left() + margins.right() + qMax(columns, MinimumWidth(groups.schedule));
}

void AtoNGroupArrangement::Update()
{
    const int room =
        page->maximumViewportSize().width() -
        page->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, page->verticalScrollBar());
    const bool three = ThreeColumnWidth() <= room;
    if (three != threeColumns)
        Place(three);
}

void AtoNGroupArrangement::Place(bool three)
{
    for (QWidget *group : {groups.unit, groups.dimensions, groups.schedule})
        grid->removeWidget(group);
    const Qt::Alignment topLeft = Qt::AlignLeft | Qt::AlignTop;
    if (three) {
        grid->addWidget(groups.unit, 1, 1);
        grid->addWidget(groups.dimensions, 0, 2, 2, 1, topLeft);
        grid->addWidget(groups.schedule, 2, 0, 1, 3);
    } else {
        grid->addWidget(groups.unit, 2, 0);
        grid->addWidget(groups.dimensions, 1, 1, 2, 1, topLeft);
        grid->addWidget(groups.schedule, 3, 0, 1, 2);
    }
    // The schedule's row takes the height to spare.
    grid->setRowStretch(2, three ? 1 : 0);
    grid->setRowStretch(3, three ? 0 : 1);
    threeColumns = three;
}
