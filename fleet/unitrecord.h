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
// when and by whom it was seen, where its settings came from, what it holds
// and what was found. Html() lays it out for the page; the PDF writer prints
// that, with the unit's identity and the page number on every page.
struct UnitRecord
{
    Q_DECLARE_TR_FUNCTIONS(UnitRecord)

public:
    // What the record says of the unit, in its banner.
    enum class Result
    {
        Read,     // read from the unit, nothing sent
        Verified, // sent and read back: it holds every field sent
        Differs,  // sent and read back: it does not hold every field sent
        Failed    // the send or the read did not end
    };

    QString title; // "Commissioning record", "Maintenance record"
    QString serial;
    QString mmsi;
    QString softwareVersion;
    QString port;
    QDateTime utc;
    QString engineer; // empty: not given, and the banner says so
    QString customer;
    QString site;
    // Where the settings sent came from; empty when they came from no table.
    QString templateFile;
    QString templateSha256; // hexadecimal
    QString tableFile;
    int tableLine = 0;
    // The register's entry for the transfer; empty when none was written.
    QString registerEntry;
    // As the unit reported it, in millivolts; empty when not read this visit.
    QString batteryMillivolts;
    // The configuration as the unit holds it (as read back); null when it
    // could not be read.
    std::shared_ptr<const Model> held;
    bool sent = false;       // a send was made; the read-back decides the banner
    QString failure;         // what failed; the banner then says FAILED
    QString verdict;         // "The unit holds every field sent.", ...
    QStringList differences; // "field: sent -> held"
    QString gpsFix;          // position, time and satellites, or why there is none
    QStringList alarms;      // the active ones, "062 AtoN: off position"
    // The check of the unit's own report after the send, with the report's
    // time; empty when none was made.
    QString onAir;

    // What the link knows of its unit after a send it has read back:
    // identity, port, the configuration as confirmed, GPS fix, battery and
    // active alarms, at the present time. The banner says PASS unless
    // differences or a failure are added.
    static UnitRecord Of(const UnitLink &link, const QString &title, const QString &engineer);
    // The record of a visit (not a commissioning): the unit as just read
    // from it, nothing sent.
    static UnitRecord OfVisit(const UnitLink &link, const QString &engineer);

    Result Outcome() const;
    // "PASS", "DIFFERS", "FAILED", "READ", in the record's language.
    static QString ResultWord(Result result);
    // One line: "PASS: the unit holds every field sent", ...
    QString Banner() const;
    // A self-contained HTML page (no outside images or style sheets).
    QString Html() const;
    // The style sheet Html() uses, for pages that hold several records.
    static QString StyleSheet();
    // The body of Html(), without its page frame.
    QString Body() const;
    // "MMSI-SERIAL", the stem of the record's files; characters that a
    // file name cannot hold become "_".
    static QString FileStem(const QString &mmsi, const QString &serial);
    // "12.60 V (12600 mV)", or why there is no reading.
    static QString BatteryText(const QString &millivolts);
};

#endif // UNITRECORD_H
