#include "fleet/fleetsummary.h"

#include "fleet/csvtable.h"
#include "model/filesaver.h"
#include "model/visibletext.h"

#include <QDir>
#include <QFile>
#include <QHash>

namespace {

const QStringList &Header()
{
    static const QStringList header{QStringLiteral("mmsi"), QStringLiteral("serial"),
                                    QStringLiteral("state"), QStringLiteral("time"),
                                    QStringLiteral("verdict")};
    return header;
}

} // namespace

QString FleetSummary::StateText(State state)
{
    switch (state) {
    case State::Verified:
        return QStringLiteral("verified");
    case State::Differs:
        return QStringLiteral("differs");
    case State::Failed:
        return QStringLiteral("failed");
    case State::Waiting:
        break;
    }
    return QStringLiteral("waiting");
}

bool FleetSummary::Open(const QString &folder, const QStringList &mmsis, QString *errorText)
{
    path = QDir(folder).filePath(FileName());
    entries.clear();
    kept.clear();
    QHash<QString, Entry> earlier;
    QList<Entry> inOrder;
    if (QFile::exists(path)) {
        QList<CsvTable::Record> records;
        if (!CsvTable::Load(path, &records, errorText))
            return false;
        if (records.isEmpty() || records.first().fields != Header()) {
            *errorText = tr("%1: not a summary this program wrote (its first line is not "
                            "\"%2\"); move it away to start afresh")
                             .arg(VisibleText::OneLine(path), Header().join(QLatin1Char(',')));
            return false;
        }
        for (int i = 1; i < records.size(); ++i) {
            QStringList f = records.at(i).fields;
            if (f.size() != Header().size())
                continue;
            for (QString &field : f)
                field = CsvTable::FromText(field);
            Entry entry{f.at(0), f.at(1), State::Waiting,
                        QDateTime::fromString(f.at(3), Qt::ISODate), f.at(4)};
            for (State state : {State::Verified, State::Differs, State::Failed}) {
                if (f.at(2) == StateText(state))
                    entry.state = state;
            }
            earlier.insert(entry.mmsi, entry);
            inOrder.append(entry);
        }
    }
    for (const QString &mmsi : mmsis)
        entries.append(earlier.value(mmsi, Entry{mmsi, QString(), State::Waiting, {}, {}}));
    // Another table run into the same folder cuts no batch's history.
    for (const Entry &entry : qAsConst(inOrder)) {
        if (!mmsis.contains(entry.mmsi))
            kept.append(entry);
    }
    return true;
}

void FleetSummary::Take(const Entry &entry)
{
    for (QList<Entry> *lines : {&entries, &kept}) {
        for (Entry &line : *lines) {
            if (line.mmsi != entry.mmsi)
                continue;
            const bool differs = line.state != entry.state || line.serial != entry.serial;
            if (differs && (!line.time.isValid() || entry.time > line.time))
                line = entry;
            return;
        }
    }
    kept.append(entry);
}

bool FleetSummary::Set(int row, const Entry &entry, QString *errorText)
{
    entries[row] = entry;
    return Write(errorText);
}

bool FleetSummary::Write(QString *errorText) const
{
    QByteArray bytes = CsvTable::Line(Header());
    for (const Entry &entry : entries + kept) {
        // A serial number or a verdict comes from a unit or a table, and
        // the file is opened in spreadsheets: nothing in it may run there.
        QStringList cells{entry.mmsi, entry.serial, StateText(entry.state),
                          entry.time.isValid() ? entry.time.toUTC().toString(Qt::ISODate)
                                               : QString(),
                          entry.verdict};
        for (QString &cell : cells)
            cell = CsvTable::AsText(cell);
        bytes += CsvTable::Line(cells);
    }
    // Every write and the flush checked: a full disk leaves the old file.
    QString reason;
    if (FileSaver::Save(path, bytes, FileSaver::WholeOrNothing, &reason) != FileSaver::Done) {
        *errorText = tr("%1: could not be written: %2")
                         .arg(VisibleText::OneLine(path), VisibleText::OneLine(reason));
        return false;
    }
    return true;
}
