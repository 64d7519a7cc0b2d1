#ifndef UNITRESPONDER_H
#define UNITRESPONDER_H

#include "nmeaframe.h"
#include "unitconfig.h"

#include <QList>
#include <QObject>
#include <QStringList>

// Misbehaviour that the responder can be told to show, for testing the
// program's error handling.
struct UnitFaults
{
    QStringList noAnswer; // formatters ("ACF") or shell commands ("getserno") left unanswered
    // Left unanswered the first time only, as a unit still starting up.
    QStringList noAnswerFirst;
    QStringList
        refuse; // set sentences ("ACE") or shell commands ("nvseti") acknowledged, not stored
    bool answerStatusC = false; // configuration answers carry status "C" instead of "R"
    bool missingField = false;  // configuration answers lack their last field
    bool zeroMmsi = false;      // configuration answers carry the MMSI "000000000"
    QStringList badAnswers;     // kinds of malformed answer, from BadAnswerKinds

    // empty-value: appver, getserno, battvolts and nvgeti answer with an empty text
    // non-numeric: battvolts and nvgeti answer "n/a"
    // lantern-range: nvgeti answers 99999999
    // acf-range: the ACF answer carries EPFS 99, channels 99999, type of AtoN 99
    // empty-position: the ACF answer leaves latitude and longitude empty
    // lonely-continuation: the ACE answer is its name continuation alone
    // other-mmsi: ACF, ACE and AAR answers name another MMSI than AID
    // second-unit: a second AID answer names another unit
    // huge-instance: one more AAR row, message 12 with instance 2147483647
    // unconfigured-mmsi: ACF, ACE and AAR answers carry 000000000 while AID names the unit
    // damaged-row: the second AAR row comes with a wrong checksum
    // late-row: the last AAR row comes only with the answer to the next line,
    //     after the pause that ends the schedule's answers
    // lost-row: the AAR row of message 21, instance 2 never comes
    // lost-continuation: the ACE name continuation never comes
    // lost-continuation-once: only the first ACE answer lacks its continuation
    // contradicting-row: the row of message 21, instance 2 is answered twice,
    //     the second time with its first start slot 7 higher
    // two-ace: a second ACE answer follows with another off-position threshold
    // two-acf: a second ACF answer follows with another type of EPFS
    // aid-mode-v: the AID answer carries mode V instead of R
    static const QStringList BadAnswerKinds;
    bool bad(const char *kind) const { return badAnswers.contains(QLatin1String(kind)); }
};

// The unit's sentence handling: answers queries and shell commands, applies
// set sentences to the configuration. It does no input or output itself: it
// takes one received line and returns the lines to send back.
class UnitResponder : public QObject
{
    Q_OBJECT

public:
    // First field of a shell answer.
    enum ShellResult
    {
        ShellOk = 255,
        ShellAccessDenied = 1,
        ShellUnknownCommand = 2,
        ShellBadArgument = 3
    };

    explicit UnitResponder(UnitConfig *config, QObject *parent = nullptr);

    void setFaults(const UnitFaults &faults) { m_faults = faults; }
    // An undocked unit leaves "getserno" unanswered.
    void setDocked(bool docked) { m_docked = docked; }
    bool isDocked() const { return m_docked; }

    QList<QByteArray> handle(const QByteArray &line);

    // The answers to a query of this formatter, as the unit would send them.
    QList<QByteArray> answersFor(const QByteArray &formatter) const;

    static const char *const AccessCodes[4];

signals:
    void configChanged();
    // A set sentence or a lantern set command has been handled (taken or not).
    void setHandled();
    void diagnostic(const QString &text);

private:
    QList<QByteArray> answer(const QByteArray &line);
    QList<QByteArray> handleQuery(const NmeaSentence &s);
    QList<QByteArray> handleShell(const NmeaSentence &s);
    bool applyAid(const NmeaSentence &s);
    bool applyAcf(const NmeaSentence &s);
    bool applyAce(const NmeaSentence &s);
    bool applyAar(const NmeaSentence &s);
    // The answer text as the faults asked for have it.
    QByteArray badShellText(const QString &command, const QByteArray &text) const;
    QByteArray runShellCommand(const QString &command, int level, int *result);
    bool suppressed(const QString &what);
    static bool listed(const QStringList &list, const QString &what);
    QByteArray answerMmsi() const;
    QByteArray configAnswer(const QByteArray &formatter, QList<QByteArray> fields) const;
    void refuse(const NmeaSentence &s, const QString &why);
    // Stores the changed configuration unless a member is out of range.
    bool take(const NmeaSentence &s, const UnitConfig &changed);
    void storeName(const QString &name);

    UnitConfig *m_config;
    UnitFaults m_faults;
    // Answers held back until the next line comes.
    QList<QByteArray> m_held;
    // An ACE answer has come without its name continuation.
    bool m_continuationLost = false;
    // What has already been left unanswered once.
    QStringList m_unansweredOnce;
    bool m_docked = true;
};

#endif // UNITRESPONDER_H
