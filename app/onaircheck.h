#ifndef ONAIRCHECK_H
#define ONAIRCHECK_H

#include <QDateTime>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>

#include "decode/message21report.h"
#include "model/aton.h"

class UnitSession;

// Whether the unit broadcasts what it was sent, not only holds it: its own
// next report (message 21) after a send, compared field by field (MMSI,
// name, type of AtoN, position within its accuracy, dimensions) with the
// configuration sent. A unit takes a new MMSI and name into its store at
// once but puts them on the air only from its next report.
class OnAirCheck : public QObject
{
    Q_OBJECT

public:
    // A unit reports itself every three minutes as commonly configured; a
    // minute more covers a report just missed.
    static constexpr double DefaultMinutes = 4.0;
    // A position of high accuracy is good to ten metres.
    static constexpr double AccurateMetres = 10.0;

    enum class Verdict
    {
        Pending,
        Matches,
        Differs,
        NoReport // none came within the time, or the line closed first
    };

    // session must outlive the check.
    explicit OnAirCheck(UnitSession *session, QObject *parent = nullptr);

    // Waits up to limitMs for the unit's next report and compares it with
    // sent (the AtoN settings as sent). A check under way starts afresh.
    void Start(const AtoN &sent, qint64 limitMs);
    // Ends a check under way with no verdict and no signal: what it waited
    // for no longer counts (another send began).
    void Stop() { limit.stop(); }
    bool IsRunning() const { return verdict == Verdict::Pending && limit.isActive(); }

    Verdict Result() const { return verdict; }
    // The fields the report carries otherwise than sent, "name: sent "A",
    // on air "B"".
    QStringList Differences() const { return differences; }
    // When the report came (the unit's GPS time while it has one); invalid
    // when none came.
    QDateTime ReportTime() const { return reportTime; }
    // One sentence: the verdict with the report's time, or that no report
    // came within the time asked.
    QString Text() const;
    // "matches", "differs", "no report", for the register and scripts.
    static QString VerdictWord(Verdict verdict);

    // The differences between what was sent and one report; empty when it
    // carries everything sent.
    static QStringList Compare(const AtoN &sent, const Message21Report &report);

signals:
    void Finished(OnAirCheck::Verdict verdict);

private:
    void OnReport(const Message21Report &report);
    void Finish(Verdict result);

    UnitSession *session;
    QTimer limit;
    qint64 limitMs = 0;
    AtoN sent;
    Verdict verdict = Verdict::Pending;
    QStringList differences;
    QDateTime reportTime;
    QString ending; // why no report could come, when the line closed
};

#endif // ONAIRCHECK_H
