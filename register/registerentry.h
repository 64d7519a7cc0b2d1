#ifndef REGISTERENTRY_H
#define REGISTERENTRY_H

#include <QByteArray>
#include <QDateTime>
#include <QJsonObject>
#include <QMetaType>
#include <QString>
#include <QStringList>

// One transfer with one unit, as the register keeps it: appended once, never
// changed. The configuration is kept as the bytes of a .pad file, so that any
// entry can be given back exactly as it was read or sent.
struct RegisterEntry
{
    enum class Kind
    {
        Retrieve,
        Send,
        Verify,
        Commission,
        Record,
        StatusRead
    };
    enum class Result
    {
        Done,     // read without fault (a retrieve, a status read)
        Verified, // sent and read back: the unit holds every field
        Differs,  // the unit holds some fields otherwise (detail names them)
        Failed,   // detail names the step
        CutOff    // ended part-way; detail says what had gone out
    };

    // Made by the writer, so that an entry written twice (a spool replayed by
    // two programs at once) is still there once.
    QString id;
    QDateTime time; // UTC
    Kind kind = Kind::Retrieve;
    Result result = Result::Done;
    QString detail;

    QString serial;
    QString mmsiBefore;
    // What the unit holds, or may hold, afterwards: after a cut-off send the
    // MMSI that was on its way, as the unit may have taken it.
    QString mmsiAfter;
    QString unitName;
    QString latitude;
    QString longitude;
    QString softwareVersion;

    QString engineer;
    QString computer;
    QString programVersion;
    QString port;
    QStringList records; // the files made for this transfer
    // The engineer chose to give the unit an MMSI the register had for
    // another unit.
    bool mmsiReassigned = false;
    // A fleet run's id and its records folder; empty outside a fleet run.
    QString batch;
    QString folder;

    QByteArray configuration;  // .pad bytes; empty when nothing was read or sent
    QString configurationHash; // filled in by the register

    // A new id and the present time.
    static RegisterEntry New(Kind kind);

    static QString KindText(Kind kind);
    static bool KindFromText(const QString &text, Kind *kind);
    static QString ResultText(Result result);
    static bool ResultFromText(const QString &text, Result *result);
    // The time as the register stores it: UTC to the millisecond, a fixed
    // width, so that text order is time order.
    static QString TimeText(const QDateTime &time);
    static QDateTime TimeFromText(const QString &text);

    // Every field, the configuration in base64.
    QJsonObject ToJson() const;
    // False with *errorText when a field is missing or of the wrong kind.
    static bool FromJson(const QJsonObject &json, RegisterEntry *entry, QString *errorText);
};

Q_DECLARE_METATYPE(RegisterEntry)

#endif // REGISTERENTRY_H
