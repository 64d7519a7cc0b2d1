#include "model/configurationdiff.h"

#include "model/configurationfields.h"
#include "model/model.h"
#include "model/scheduletable.h"

#include <QHash>
#include <QVector>

namespace {

const QString &None()
{
    static const QString none = QStringLiteral("(none)");
    return none;
}

// One line for a field that differs; l or r is null for a field that only
// the other configuration has.
int CompareField(const ConfigurationField *l, const ConfigurationField *r, bool sentOnly,
                 const ConfigurationDiff::LineSink &sink)
{
    if (sentOnly && !(l ? l->sent : r->sent))
        return 0;
    const QString &leftText = l ? l->text : None();
    const QString &rightText = r ? r->text : None();
    if (leftText == rightText)
        return 0;
    sink(QStringLiteral("%1: %2 -> %3").arg(l ? l->label : r->label, leftText, rightText));
    return 1;
}

// Two short lists of fields, in the first one's order, with the fields that
// only the second has placed after their neighbour.
int CompareLists(const QList<ConfigurationField> &left, const QList<ConfigurationField> &right,
                 bool sentOnly, const ConfigurationDiff::LineSink &sink)
{
    QHash<QString, int> leftIndex;
    for (int i = 0; i < left.size(); ++i)
        leftIndex.insert(left.at(i).key, i);
    QHash<QString, const ConfigurationField *> rightByKey;
    // extra[i]: the second's own fields that come before the first's field i.
    QVector<QList<const ConfigurationField *>> extra(left.size() + 1);
    int anchor = 0;
    for (const ConfigurationField &field : right) {
        rightByKey.insert(field.key, &field);
        const int found = leftIndex.value(field.key, -1);
        if (found >= 0)
            anchor = found + 1;
        else
            extra[anchor] << &field;
    }
    int lines = 0;
    for (int i = 0; i <= left.size(); ++i) {
        for (const ConfigurationField *field : qAsConst(extra.at(i)))
            lines += CompareField(nullptr, field, sentOnly, sink);
        if (i < left.size())
            lines += CompareField(&left.at(i), rightByKey.value(left.at(i).key), sentOnly, sink);
    }
    return lines;
}

// One configuration's schedule as the comparison needs it: which of its
// fields each row shows, as bits, rather than every field's texts, which
// for a schedule of many rows would not fit in memory twice over.
class ScheduleSide
{
public:
    explicit ScheduleSide(const Model &model)
        : schedule(model.GetMessageSchedule()), table(schedule)
    {
        shown.resize(table.RowCount());
        for (int row = 0; row < shown.size(); ++row) {
            for (int k = 0; k < ConfigurationFields::ScheduleRowFieldCount; ++k) {
                if (ConfigurationFields::ScheduleRowField(table, row, k, nullptr))
                    shown[row] |= quint16(1u << k);
            }
        }
    }

    int Rows() const { return shown.size(); }
    bool Shows(int row, int k) const { return row >= 0 && (shown.at(row) >> k) & 1; }
    // The place of field k among the fields row shows.
    int Rank(int row, int k) const
    {
        return qPopulationCount(quint32(shown.at(row) & ((1u << k) - 1)));
    }
    int Count(int row) const { return qPopulationCount(quint32(shown.at(row))); }
    ConfigurationField Field(int row, int k) const
    {
        ConfigurationField field;
        ConfigurationFields::ScheduleRowField(table, row, k, &field);
        return field;
    }

    // The other side's row of the same name is one this side specifies.
    bool SpecifiesRowOf(const ScheduleSide &other, int row) const
    {
        int i = 0;
        int number = 0;
        int n = 0;
        if (!other.schedule->EntryOfTableRow(row, i) || !other.schedule->Ordinal(i, number, n))
            return false;
        const int mine = schedule->FindRow(number, n);
        return mine >= 0 && schedule->EntryAt(mine).Specified();
    }

    const MessageSchedule *schedule;
    const ScheduleTable table;

private:
    QVector<quint16> shown;
};

// The schedule's fields, matched by row name and field and ordered as
// CompareLists orders any two lists, without the lists: a field of the
// first is known by its row and its place in the row.
int CompareSchedules(const Model &a, const Model &b, bool sentOnly,
                     const ConfigurationDiff::LineSink &sink)
{
    const ScheduleSide left(a);
    const ScheduleSide right(b);
    constexpr int Fields = ConfigurationFields::ScheduleRowFieldCount;

    QHash<QString, int> leftRow;
    leftRow.reserve(left.Rows());
    // first[i]: the place of row i's first field in the whole list of the first.
    QVector<int> first(left.Rows() + 1);
    for (int i = 0; i < left.Rows(); ++i) {
        leftRow.insert(left.table.RowName(i), i);
        first[i + 1] = first.at(i) + left.Count(i);
    }

    struct Extra
    {
        int anchor; // comes before the first's field at this place
        int row;
        int k;
    };
    QVector<Extra> extras;
    QVector<int> rightOf(left.Rows(), -1);
    int anchor = 0;
    for (int j = 0; j < right.Rows(); ++j) {
        const int i = leftRow.value(right.table.RowName(j), -1);
        if (i >= 0)
            rightOf[i] = j;
        // After a send, a row the unit holds is a mismatch only where the
        // send said what the row should be.
        if (sentOnly && !left.SpecifiesRowOf(right, j))
            continue;
        for (int k = 0; k < Fields; ++k) {
            if (!right.Shows(j, k))
                continue;
            if (left.Shows(i, k))
                anchor = first.at(i) + left.Rank(i, k) + 1;
            else
                extras.append({anchor, j, k});
        }
    }
    // The second's own fields by their place, each place's in their order
    // (a counting sort: the rows of one may come in any order in the other).
    QVector<int> start(first.last() + 2);
    for (const Extra &extra : qAsConst(extras))
        ++start[extra.anchor + 1];
    for (int p = 1; p < start.size(); ++p)
        start[p] += start.at(p - 1);
    QVector<Extra> placed(extras.size());
    for (const Extra &extra : qAsConst(extras))
        placed[start[extra.anchor]++] = extra;
    extras.clear();
    extras.squeeze();

    int lines = 0;
    int next = 0;
    const auto extrasBefore = [&](int place) {
        for (; next < placed.size() && placed.at(next).anchor == place; ++next) {
            const ConfigurationField field = right.Field(placed.at(next).row, placed.at(next).k);
            lines += CompareField(nullptr, &field, sentOnly, sink);
        }
    };
    int place = 0;
    for (int i = 0; i < left.Rows(); ++i) {
        const int j = rightOf.at(i);
        for (int k = 0; k < Fields; ++k) {
            if (!left.Shows(i, k))
                continue;
            extrasBefore(place++);
            const ConfigurationField l = left.Field(i, k);
            if (right.Shows(j, k)) {
                const ConfigurationField r = right.Field(j, k);
                lines += CompareField(&l, &r, sentOnly, sink);
            } else {
                lines += CompareField(&l, nullptr, sentOnly, sink);
            }
        }
    }
    extrasBefore(place);
    return lines;
}

} // namespace

QStringList ConfigurationDiff::Lines(const Model &a, const Model &b)
{
    QStringList lines;
    Compare(a, b, false, [&lines](const QString &line) { lines << line; });
    return lines;
}

int ConfigurationDiff::ForEachLine(const Model &a, const Model &b, const LineSink &sink)
{
    return Compare(a, b, false, sink);
}

QStringList ConfigurationDiff::SentLines(const Model &sent, const Model &held)
{
    QStringList lines;
    Compare(sent, held, true, [&lines](const QString &line) { lines << line; });
    return lines;
}

// The AtoN's and the lantern interface's fields are the same in every
// configuration; only the schedule's rows come and go.
int ConfigurationDiff::Compare(const Model &a, const Model &b, bool sentOnly, const LineSink &sink)
{
    int lines = CompareLists(ConfigurationFields::AtoNFields(a), ConfigurationFields::AtoNFields(b),
                             sentOnly, sink);
    lines += CompareSchedules(a, b, sentOnly, sink);
    lines += CompareLists(ConfigurationFields::LanternFields(a),
                          ConfigurationFields::LanternFields(b), sentOnly, sink);
    return lines;
}
