#ifndef UNITRECORD_H
#define UNITRECORD_H

#include <QCoreApplication>
#include <QDateTime>
#include <QString>
#include <QStringList>

#include <memory>

class Model;
class UnitLink;

// What a commissioning or maintenance record says of one unit: who it is,
// when and by whom it was seen, what it holds and what was found. Html()
// lays it out for the page; the PDF writer prints that.
struct UnitRecord
{
    Q_DECLARE_TR_FUNCTIONS(UnitRecord)

public:
    QString title; // "Commissioning record", "Maintenance record"
    QString serial;
    QString mmsi;
    QString softwareVersion;
    QString port;
    QDateTime utc;
    QString engineer;
    // The configuration as the unit holds it (as read back); null when it
    // could not be read.
    std::shared_ptr<const Model> held;
    QString verdict;         // "The unit holds every field sent.", ...
    QStringList differences; // "field: sent -> held"
    QString gpsFix;          // position, time and satellites, or why there is none
    QStringList alarms;      // the active ones, "062 AtoN: off position"

    // What the link knows of its unit now: identity, port, the configuration
    // as last read or confirmed, GPS fix and active alarms, at the present time.
    static UnitRecord Of(const UnitLink &link, const QString &title, const QString &engineer);
    // The record of a visit (not a commissioning): the unit as just read
    // from it, nothing sent.
    static UnitRecord OfVisit(const UnitLink &link, const QString &engineer);

    // A self-contained HTML page (no outside images or style sheets).
    QString Html() const;
    // "MMSI-SERIAL", the stem of the record's files; characters that a
    // file name cannot hold become "_".
    static QString FileStem(const QString &mmsi, const QString &serial);
};

#endif // UNITRECORD_H
