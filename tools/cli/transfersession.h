#ifndef TRANSFERSESSION_H
#define TRANSFERSESSION_H

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

class ConsoleWindow;
class Model;
class ProgressReporter;
class UnitSession;

// One connection to the unit, driven the way an engineer drives the window:
// connect, retrieve all tabs, send all tabs, disconnect. Every step goes
// through a unit session of its own, as the window's; each call returns when
// its step has finished or failed.
class TransferSession : public QObject
{
    Q_OBJECT

public:
    // Longest a step may take before the tool gives up on it, beyond the
    // protocol's own time-outs (which end a silent unit much sooner).
    static constexpr int ConnectLimitMs = 15000;
    static constexpr int TransferLimitMs = 120000;
    static constexpr int DisconnectLimitMs = 5000;
    // 38400 baud, ten bits to a character.
    static constexpr double CharactersPerSecond = 3840.0;

    // vendorId: the maker code the installation's units also answer under.
    explicit TransferSession(const QString &vendorId, QObject *parent = nullptr);

    bool Open(const QString &port);
    // Waits until the unit has told its serial number and been asked its
    // MMSI, as the link does when it starts; false when it did not tell
    // within IdentifyLimitMs (Unit()->Identity() then holds what it told).
    static constexpr int IdentifyLimitMs = 20000;
    bool WaitForIdentity();
    // The session the transfers run on: its identity, and for a journal.
    UnitSession *Unit() const { return unit; }
    // Both configuration tabs into Document().
    bool RetrieveAll();
    const Model *Document() const;
    // The unit session under the steps, for what follows them on the line.
    UnitSession *Session() const { return unit; }
    // Both tabs of configuration into the unit, as if it had been loaded from
    // a file into the window, and read back. A configuration the unit cannot
    // take (clashing time slots, a field out of range) is refused before
    // anything is sent.
    bool SendAll(const Model &configuration);
    // What the read-back of the last send found the unit not to hold:
    // "field: sent -> held" lines.
    QStringList ReadBackMismatches() const;
    // Closes the link as the window does (the unit gets "reset" first).
    void Close();

    // Why the last step failed.
    QString ErrorText() const { return errorText; }

private slots:
    // Measuring what a transfer puts on the line.
    void OnJobComplete(QString name, bool send);
    void OnSentLine(QString sent);
    void OnReceivedLine(QString received);

private:
    bool WaitFor(const std::function<bool()> &done, int limitMs, const QString &what,
                 bool stopOnFailure = true);
    bool Fail(const QString &text);

    UnitSession *unit;
    ConsoleWindow *window;
    ProgressReporter *progress;
    QString errorText;

    // Characters on the line, in both directions, while a transfer is measured.
    bool measuring = false;
    qint64 sentCharacters = 0;
    qint64 receivedCharacters = 0;
    int silentWaits = 0;
    int setSteps = 0;
    // From the first set sentence of a send to the end of its last set job.
    QElapsedTimer sendClock;
    qint64 sendNs = 0;
};

#endif // TRANSFERSESSION_H
