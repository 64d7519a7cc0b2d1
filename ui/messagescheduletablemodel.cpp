#include "messagescheduletablemodel.h"

#include "model/messageschedule.h"

#include <QBrush>
#include <QHeaderView>
#include <QScrollBar>
#include <QSize>
#include <QTableView>
#include <QTime>

MessageScheduleTableModel::MessageScheduleTableModel(MessageSchedule *schedule, QObject *parent)
    : QAbstractTableModel(parent), schedule(schedule)
{
    Q_CHECK_PTR(schedule);
}

int MessageScheduleTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : schedule->VisibleCount();
}

int MessageScheduleTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

int MessageScheduleTableModel::ScheduleRowOf(int row) const
{
    int i = -1;
    if (!schedule->EntryOfTableRow(row, i))
        return -1;
    return i;
}

QString MessageScheduleTableModel::IntervalText(const MessageScheduleEntry &entry,
                                                int interval) const
{
    if (entry.AccessScheme() == MessageScheduleEntry::FATDMA)
        return QString::number(interval) + tr(" slots");
    return QString::number(interval) + tr(" minutes");
}

QString MessageScheduleTableModel::MessageToolTip(int messageId) const
{
    switch (messageId) {
    case 21:
        return tr("21 ( AtoN Report )");
    case 6:
        return tr("6 ( Binary Addressed Message )");
    case 8:
        return tr("8 ( Binary Broadcast Message )");
    case 12:
        return tr("12 ( Binary Broadcast Message )");
    case 14:
        return tr("14 ( Binary Broadcast Message )");
    default:
        return QString();
    }
}

bool MessageScheduleTableModel::KeptAsRead(int scheduleRow)
{
    return scheduleRow >= MessageSchedule::BlockLayoutRows;
}

QString MessageScheduleTableModel::KeptAsReadToolTip(int scheduleRow) const
{
    int number = 0;
    int n = 0;
    schedule->Ordinal(scheduleRow, number, n);
    return tr("Message %1, row %2 of that message: the unit holds it, and this program has no "
              "place for it in its table.\nIt is kept as the unit gave it and sent back "
              "unchanged; Remove switches it off.")
        .arg(number)
        .arg(n);
}

QString MessageScheduleTableModel::LeftToUnitToolTip()
{
    return tr("This document does not say what the unit should hold in this row: a send "
              "leaves it as the unit holds it.\nThe schedule's menu can switch it off.");
}

QVariant MessageScheduleTableModel::IndexText(int scheduleRow, bool toolTip) const
{
    int number = 0;
    int n = 0;
    if (!schedule->Ordinal(scheduleRow, number, n))
        return QVariant();
    if (number != 21)
        return n;
    // The two message 21 rows are named by their text, not counted.
    if (toolTip)
        return n == 1 ? tr("1 ( Normal Report )") : tr("2 ( Off-position Report )");
    return n == 1 ? QStringLiteral("1") : QStringLiteral("2");
}

QVariant MessageScheduleTableModel::DisplayText(const MessageScheduleEntry &entry, int scheduleRow,
                                                int column) const
{
    const bool fatdma = entry.AccessScheme() == MessageScheduleEntry::FATDMA;
    if (!entry.Specified() && column >= AccessSchemeColumn)
        return column == AccessSchemeColumn ? tr("As the unit holds it") : QString();
    switch (column) {
    case MessageIdColumn:
        return QString::number(entry.MessageId());
    case IndexColumn:
        return IndexText(scheduleRow, false);
    case AccessSchemeColumn:
        switch (entry.AccessScheme()) {
        case MessageScheduleEntry::FATDMA:
            return tr("FATDMA");
        case MessageScheduleEntry::RATDMA:
            return tr("RATDMA");
        case MessageScheduleEntry::CSTDMA:
            return tr("CSTDMA");
        default:
            return QString();
        }
    case StartTime1Column:
        return entry.StartTime1().toString(QStringLiteral("hh:mm"));
    case StartSlot1Column:
        return fatdma ? QVariant(entry.StartSlot1()) : QVariant(QString());
    case Interval1Column:
        return IntervalText(entry, entry.Interval1());
    case StartTime2Column:
        return entry.StartTime2().toString(QStringLiteral("hh:mm"));
    case StartSlot2Column:
        return fatdma ? QVariant(entry.StartSlot2()) : QVariant(QString());
    case Interval2Column:
        return IntervalText(entry, entry.Interval2());
    default:
        return QVariant();
    }
}

QVariant MessageScheduleTableModel::ToolTipText(const MessageScheduleEntry &entry, int scheduleRow,
                                                int column) const
{
    const bool fatdma = entry.AccessScheme() == MessageScheduleEntry::FATDMA;
    if (!entry.Specified())
        return LeftToUnitToolTip();
    if (KeptAsRead(scheduleRow))
        return KeptAsReadToolTip(scheduleRow);
    switch (column) {
    case MessageIdColumn:
        return MessageToolTip(entry.MessageId());
    case IndexColumn:
        return IndexText(scheduleRow, true);
    case StartSlot1Column:
    case StartSlot2Column:
        if (!fatdma)
            return tr("Start slots only valid if the Access Scheme is FATDMA");
        return DisplayText(entry, scheduleRow, column);
    case Interval1Column:
    case Interval2Column: {
        const int interval = column == Interval1Column ? entry.Interval1() : entry.Interval2();
        if (!fatdma && interval == 0)
            return tr("Interval is 0 minutes, therefore this channel is deactivated");
        return IntervalText(entry, interval);
    }
    default:
        return DisplayText(entry, scheduleRow, column);
    }
}

QVariant MessageScheduleTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.column() < 0 || index.column() >= ColumnCount)
        return QVariant();
    const int i = ScheduleRowOf(index.row());
    if (i < 0)
        return QVariant();
    const MessageScheduleEntry entry = schedule->EntryAt(i);

    switch (role) {
    case Qt::DisplayRole:
        return DisplayText(entry, i, index.column());
    case Qt::ToolTipRole: {
        const QString text = ToolTipText(entry, i, index.column()).toString();
        if (!schedule->SlotClashRows().contains(i))
            return text;
        return text.isEmpty() ? SlotClashToolTip()
                              : text + QStringLiteral("\n\n") + SlotClashToolTip();
    }
    case Qt::ForegroundRole:
        return QBrush(entry.InUse() ? QColor(Qt::black) : QColor(Qt::gray));
    case Qt::BackgroundRole:
        if (schedule->SlotClashRows().contains(i))
            return QBrush(ClashColour);
        return QVariant();
    case Qt::SizeHintRole:
        // The text of a row left to the unit spans the row's value columns
        // (see SpanRowsLeftToUnit): it gives the access scheme column no width.
        if (!entry.Specified() && index.column() == AccessSchemeColumn)
            return QSize(0, 0);
        return QVariant();
    default:
        return QVariant();
    }
}

QVariant MessageScheduleTableModel::headerData(int section, Qt::Orientation orientation,
                                               int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QVariant();
    switch (section) {
    case MessageIdColumn:
        return tr("Message\nID");
    case IndexColumn:
        return tr("Index");
    case AccessSchemeColumn:
        return tr("Access\nScheme");
    case StartTime1Column:
        return tr("Channel 1\nStart UTC");
    case StartSlot1Column:
        return tr("Channel 1\nStart Slot");
    case Interval1Column:
        return tr("Channel 1\nInterval");
    case StartTime2Column:
        return tr("Channel 2\nStart UTC");
    case StartSlot2Column:
        return tr("Channel 2\nStart Slot");
    case Interval2Column:
        return tr("Channel 2\nInterval");
    default:
        return QVariant();
    }
}

Qt::ItemFlags MessageScheduleTableModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    const int i = ScheduleRowOf(index.row());
    if (i < 0)
        return Qt::NoItemFlags;
    const MessageScheduleEntry entry = schedule->EntryAt(i);
    Qt::ItemFlags result = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (!entry.Active() || !entry.Specified() || KeptAsRead(i))
        return result;

    switch (index.column()) {
    case MessageIdColumn:
    case IndexColumn:
        return result;
    case StartSlot1Column:
    case StartSlot2Column:
        if (entry.AccessScheme() != MessageScheduleEntry::FATDMA)
            return result;
        return result | Qt::ItemIsEditable;
    default:
        // The access scheme column is marked editable, but the delegate offers
        // no editor for it.
        return result | Qt::ItemIsEditable;
    }
}

bool MessageScheduleTableModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || role != Qt::EditRole)
        return false;
    const int i = ScheduleRowOf(index.row());
    if (i < 0)
        return false;
    MessageScheduleEntry entry = schedule->EntryAt(i);
    switch (index.column()) {
    case StartTime1Column:
        entry.SetStartTime1(value.toTime());
        break;
    case StartSlot1Column:
        entry.SetStartSlot1(value.toInt());
        break;
    case Interval1Column:
        entry.SetInterval1(value.toInt());
        break;
    case StartTime2Column:
        entry.SetStartTime2(value.toTime());
        break;
    case StartSlot2Column:
        entry.SetStartSlot2(value.toInt());
        break;
    case Interval2Column:
        entry.SetInterval2(value.toInt());
        break;
    default:
        return false;
    }
    // Writing the value the row already holds (or one clamped back to it) is
    // no change.
    const MessageScheduleEntry before = schedule->EntryAt(i);
    if (!schedule->SetEntry(i, entry) || schedule->EntryAt(i) == before)
        return false;
    emit dataChanged(index, index);
    return true;
}

QString MessageScheduleTableModel::SlotClashToolTip()
{
    return tr("The two channels of this row risk sending in the same slots: their start slots "
              "must be at least three apart, unless one channel is off (slot -1) or both have "
              "the same interval of whole minutes and start half an interval apart.");
}

void MessageScheduleTableModel::AttachToView(QTableView *view, bool widen)
{
    Q_CHECK_PTR(view);
    view->setModel(this);
    view->setSortingEnabled(false);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->horizontalHeader()->setStretchLastSection(false);
    view->horizontalHeader()->setHighlightSections(false);
    view->verticalHeader()->hide();
    view->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked |
                          QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    // The arrow keys move between the cells; Tab moves on to the next control.
    view->setTabKeyNavigation(false);
    view->resizeColumnsToContents();

    if (!widen)
        return;
    view->setColumnWidth(0, view->columnWidth(0) + 13);
    for (int column = 1; column < ColumnCount; ++column)
        view->setColumnWidth(column, view->columnWidth(column) + 9);

    // The columns' total width, plus the frame and room for the vertical
    // scroll bar, so that all nine columns show without scrolling sideways.
    // The height holds at least the header and LeastRows rows and grows
    // with the window; more rows scroll.
    const int frame = 2 * view->frameWidth();
    const int scrollBar = view->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, view);
    const int width = view->horizontalHeader()->length() + frame + scrollBar;
    const int height = view->horizontalHeader()->sizeHint().height() +
                       view->verticalHeader()->defaultSectionSize() * LeastRows + frame;
    view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view->setMinimumSize(width, height);
    view->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Expanding);
}

void MessageScheduleTableModel::Refresh()
{
    beginResetModel();
    endResetModel();
}

void MessageScheduleTableModel::SpanRowsLeftToUnit(QTableView *view) const
{
    view->clearSpans();
    for (int row = 0; row < rowCount(); ++row) {
        if (!schedule->EntryAt(ScheduleRowOf(row)).Specified())
            view->setSpan(row, AccessSchemeColumn, 1, ColumnCount - AccessSchemeColumn);
    }
}
