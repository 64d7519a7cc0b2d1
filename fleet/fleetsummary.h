#ifndef FLEETSUMMARY_H
#define FLEETSUMMARY_H

#include <QCoreApplication>
#include <QDateTime>
#include <QList>
#include <QString>

// summary.csv of a records folder: one line per table row with the unit it
// went to, how far it got and what the read-back found, then the lines of
// earlier batches run into the folder whose MMSIs this table does not name,
// as they were. The register's entries for the folder come before the
// file's lines, which are only a copy of them (Take). It is written whole and renamed into place
// after every change, so that a run stopped at any point leaves a table the next run can resume
// from.
class FleetSummary
{
    Q_DECLARE_TR_FUNCTIONS(FleetSummary)

public:
    enum class State
    {
        Waiting,
        Verified,
        Differs, // sent, but the unit does not hold every field
        Failed
    };
    struct Entry
    {
        QString mmsi;
        QString serial;
        State state = State::Waiting;
        QDateTime time; // UTC of the last change
        QString verdict;
    };

    static QString FileName() { return QStringLiteral("summary.csv"); }
    static QString StateText(State state);

    // One waiting entry per MMSI, in table order, taking from an existing
    // summary in folder what it says of the same MMSIs; its other lines are
    // kept. False with
    // *errorText when a summary is there but cannot be read.
    bool Open(const QString &folder, const QStringList &mmsis, QString *errorText);

    // What the register says of an MMSI run into this folder: where it
    // names another unit or state than the file and is newer, it replaces
    // the file's line; an MMSI the file lacks gets a line of its own.
    void Take(const Entry &entry);

    const QList<Entry> &Entries() const { return entries; }
    const Entry &At(int row) const { return entries.at(row); }
    // Changes a row and writes the file; false with *errorText when the
    // write failed (the row keeps its new state in memory).
    bool Set(int row, const Entry &entry, QString *errorText);
    bool Write(QString *errorText) const;

private:
    QString path;
    QList<Entry> entries;
    // Lines of earlier batches for MMSIs this table does not name.
    QList<Entry> kept;
};

#endif // FLEETSUMMARY_H
