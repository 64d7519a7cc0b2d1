#ifndef SESSIONUNITLINK_H
#define SESSIONUNITLINK_H

#include "fleet/unitlink.h"
#include "model/aton.h"

#include <QTemporaryFile>
#include <QTimer>

class OnAirCheck;
class UnitSession;

// A docked unit on a unit session of its own: the session carries the line,
// the transfers and the unit's status; this keeps its traffic in a log and
// tells each step's end once.
class SessionUnitLink : public UnitLink
{
    Q_OBJECT

public:
    // Longest wait for a unit to answer and tell its serial number.
    static constexpr int IdentifyLimitMs = 20000;
    // Longest wait after a send for the battery voltage the record gives.
    static constexpr int BatteryLimitMs = 3000;

    SessionUnitLink(const QString &port, const QString &vendorId, QObject *parent = nullptr);
    // A session someone else keeps (the window's): no line of its own, no log.
    explicit SessionUnitLink(UnitSession *borrowed, QObject *parent = nullptr);
    ~SessionUnitLink() override;

    QString Port() const override { return port; }
    QString LogPath() const override;
    void Open() override;
    bool IsIdentified() const override { return identified; }
    void Send(const Model &configuration) override;
    void Retrieve() override;
    void Close() override;
    const Model &Held() const override;
    Identity UnitIdentity() const override;
    QString GpsFixText() const override;
    QStringList ActiveAlarms() const override;
    QString BatteryMillivolts() const override;
    QString OnAirText() const override { return onAirText; }
    void SetOnAirMinutes(double minutes) override { onAirMinutes = minutes; }

    UnitSession *Session() const { return session; }

private:
    enum class Step
    {
        Idle,
        Opening,
        Sending,
        Retrieving,
        Closed
    };
    void Wire();
    void CheckIdentified();
    void CheckOnAir();
    void ReadBattery();
    void EndSend();
    void Fail(const QString &reason);

    QString port;
    UnitSession *session;
    bool owned;
    QTemporaryFile log;
    QTimer identifyPoll;
    QTimer identifyLimit;
    Step step = Step::Idle;
    bool identified = false;
    double onAirMinutes = 0;
    OnAirCheck *onAir = nullptr;
    AtoN sentAtoN;
    QString onAirText;
    QStringList sendMismatches;
    QTimer batteryLimit;
    QMetaObject::Connection batteryWait;
};

#endif // SESSIONUNITLINK_H
