#include "fleet/sessionunitlink.h"

#include "app/onaircheck.h"
#include "app/statemachine.h"
#include "app/unitsession.h"
#include "link/serialcontroller.h"
#include "model/configurationfields.h"
#include "model/model.h"
#include "status/unitstatus.h"

#include <QDir>

SessionUnitLink::SessionUnitLink(const QString &port, const QString &vendorId, QObject *parent)
    : UnitLink(parent), port(port), session(new UnitSession(this)), owned(true),
      log(QDir::temp().filePath(QStringLiteral("vandrel-traffic-XXXXXX.log")))
{
    session->SetVendorId(vendorId);
    Wire();
    connect(session, &UnitSession::LinkUp, this, [this] {
        if (SerialController *controller = session->GetSerialController()) {
            if (log.open())
                controller->StartLog(log.fileName());
        }
    });
}

SessionUnitLink::SessionUnitLink(UnitSession *borrowed, QObject *parent)
    : UnitLink(parent), port(borrowed->PortName()), session(borrowed), owned(false)
{
    Wire();
    identified = session->IsReady();
}

void SessionUnitLink::Wire()
{
    batteryLimit.setSingleShot(true);
    batteryLimit.setInterval(BatteryLimitMs);
    connect(&batteryLimit, &QTimer::timeout, this, &SessionUnitLink::EndSend);
    identifyPoll.setInterval(100);
    identifyLimit.setSingleShot(true);
    identifyLimit.setInterval(IdentifyLimitMs);
    connect(&identifyPoll, &QTimer::timeout, this, &SessionUnitLink::CheckIdentified);
    connect(session, &UnitSession::IdentityChanged, this, &SessionUnitLink::CheckIdentified);
    connect(&identifyLimit, &QTimer::timeout, this, [this] {
        Fail(tr("the unit on %1 did not tell its serial number within %2 s")
                 .arg(this->port)
                 .arg(IdentifyLimitMs / 1000));
    });
    connect(session, &UnitSession::Failed, this, [this](const QString &title, const QString &text) {
        Fail(text.isEmpty() ? title : title + QStringLiteral(": ") + text);
    });
    connect(session, &UnitSession::LinkDown, this, [this] {
        identified = false;
        Fail(tr("the line to %1 closed").arg(this->port));
    });
    connect(session, &UnitSession::SendRefused, this, &SessionUnitLink::Fail);
    connect(session, &UnitSession::SlotClashWarning, this, &SessionUnitLink::Fail);
    connect(session, &UnitSession::TransferProgress, this,
            [this](const QString &what, int done, int total, int) {
                if (step == Step::Sending || step == Step::Retrieving)
                    emit Progress(what, done, total);
            });
    connect(session, &UnitSession::SendFinished, this,
            [this](bool complete, const QStringList &mismatches) {
                if (step != Step::Sending)
                    return;
                if (!complete) {
                    // The failure that cut it off names its cause and comes
                    // at once; only a send ended without one (the line closed
                    // on purpose) is told here, with what the unit holds.
                    QTimer::singleShot(0, this, [this] {
                        Fail(tr("the send was cut off: %1").arg(session->LastSend().text));
                    });
                    return;
                }
                sendMismatches = mismatches;
                onAirText.clear();
                if (onAirMinutes > 0 && (session->LastSend().parts & StateMachine::AtoNPart))
                    CheckOnAir();
                else
                    ReadBattery();
            });
    connect(session, &UnitSession::RetrieveFinished, this, [this](bool ok) {
        if (step != Step::Retrieving)
            return;
        if (!ok) {
            Fail(tr("the configuration could not be read"));
            return;
        }
        step = Step::Idle;
        emit Retrieved();
    });
}

SessionUnitLink::~SessionUnitLink()
{
    SerialController *controller = session->GetSerialController();
    if (owned && controller)
        controller->StopLog();
}

QString SessionUnitLink::LogPath() const
{
    return log.isOpen() ? log.fileName() : QString();
}

void SessionUnitLink::Fail(const QString &reason)
{
    // One failure per step: what follows from it (the line closing) is not news.
    if (step == Step::Idle || step == Step::Closed)
        return;
    step = Step::Idle;
    identifyPoll.stop();
    identifyLimit.stop();
    batteryLimit.stop();
    disconnect(batteryWait);
    emit Failed(reason);
}

void SessionUnitLink::Open()
{
    step = Step::Opening;
    identifyPoll.start();
    identifyLimit.start();
    // A port that cannot be used says why through Failed.
    if (!session->Open(port))
        Fail(tr("%1 could not be opened").arg(port));
}

void SessionUnitLink::CheckIdentified()
{
    // The MMSI too, once the link's own question for it has been asked: a
    // unit that did not answer it is still identified by its serial number.
    const ::UnitIdentity identity = session->Identity();
    if (step != Step::Opening || !session->IsReady() || session->IsTransferring() ||
        identity.serialNumber.isEmpty() || (identity.mmsi.isEmpty() && !session->IdentityAsked()))
        return;
    identifyPoll.stop();
    identifyLimit.stop();
    step = Step::Idle;
    identified = true;
    emit Identified();
}

void SessionUnitLink::Send(const Model &configuration)
{
    step = Step::Sending;
    sentAtoN = *configuration.GetAtoN();
    // A refusal says why through SendRefused; anything else that keeps it
    // from starting is named here.
    if (!session->Send(configuration, StateMachine::AllParts))
        Fail(tr("the send could not start on %1").arg(port));
}

// The unit's own next report compared with what was sent, before the send
// is told done.
void SessionUnitLink::CheckOnAir()
{
    if (!onAir) {
        onAir = new OnAirCheck(session, this);
        connect(onAir, &OnAirCheck::Finished, this, [this] {
            onAirText = onAir->Text();
            ReadBattery();
        });
    }
    onAir->Start(sentAtoN, qint64(onAirMinutes * 60000.0));
}

// A send reads no battery voltage; the record of the send gives one all the
// same. A unit that does not answer leaves it "not read".
void SessionUnitLink::ReadBattery()
{
    if (step != Step::Sending)
        return;
    if (!session->Status()->BatteryMillivolts().isEmpty()) {
        EndSend();
        return;
    }
    batteryWait = connect(session->Status(), &UnitStatus::Changed, this, [this] {
        if (!session->Status()->BatteryMillivolts().isEmpty())
            EndSend();
    });
    batteryLimit.start();
    // The session takes new jobs once the send's last one has ended.
    QTimer::singleShot(0, this, [this] {
        if (step == Step::Sending && !session->ReadBatteryVoltage())
            EndSend();
    });
}

void SessionUnitLink::EndSend()
{
    disconnect(batteryWait);
    batteryLimit.stop();
    if (step != Step::Sending)
        return;
    step = Step::Idle;
    emit SendDone(sendMismatches);
}

void SessionUnitLink::Retrieve()
{
    step = Step::Retrieving;
    if (!session->Retrieve(StateMachine::AllParts))
        Fail(tr("the retrieve could not start on %1").arg(port));
}

void SessionUnitLink::Close()
{
    step = Step::Closed;
    identifyPoll.stop();
    identifyLimit.stop();
    if (owned && session->HasLink())
        session->Close();
}

const Model &SessionUnitLink::Held() const
{
    return *session->Configuration();
}

UnitLink::Identity SessionUnitLink::UnitIdentity() const
{
    const ::UnitIdentity identity = session->Identity();
    QString mmsi = identity.mmsi;
    if (session->ConfigurationKnown())
        mmsi = session->Configuration()->GetAtoN()->GetAtoNMMSI()->Mmsi();
    return {identity.serialNumber, mmsi, identity.softwareVersion};
}

QString SessionUnitLink::GpsFixText() const
{
    const GpsStatus &gps = session->Status()->Gps();
    if (!gps.HasFixData())
        return tr("no fix reported");
    if (!gps.PositionValid())
        return gps.FixStale() ? tr("no valid position (the last fix is out of date)")
                              : tr("no valid position");
    QString text = ConfigurationFields::LatitudeText(gps.Latitude()) + QStringLiteral(", ") +
                   ConfigurationFields::LongitudeText(gps.Longitude());
    if (!gps.HasSatelliteData() || gps.SatellitesStale()) {
        text += tr("; satellites not known");
    } else {
        const QString fix = gps.FixMode() == 2   ? tr("3D fix")
                            : gps.FixMode() == 1 ? tr("2D fix")
                                                 : tr("no fix");
        // A receiver that tells its fix in RMC alone names no satellites: a
        // count of 0 would say it used none.
        if (gps.SatellitesUsedKnown())
            text += tr("; %1, %2 of %3 satellites used")
                        .arg(fix)
                        .arg(gps.SatellitesUsed())
                        .arg(gps.SatellitesInView());
        else if (gps.SatellitesInViewKnown())
            text += tr("; %1, %2 satellites in view, those used not known")
                        .arg(fix)
                        .arg(gps.SatellitesInView());
        else
            text += tr("; %1, satellites not known").arg(fix);
    }
    if (gps.Utc().isValid())
        text += tr("; at %1 UTC").arg(gps.Utc().toUTC().toString(QStringLiteral("HH:mm:ss")));
    return text;
}

QString SessionUnitLink::BatteryMillivolts() const
{
    return session->Status()->BatteryMillivolts();
}

QStringList SessionUnitLink::ActiveAlarms() const
{
    QStringList alarms;
    for (const AlarmTable::Row &row : session->Status()->Alarms().Rows()) {
        if (row.active)
            alarms
                << QStringLiteral("%1 %2").arg(row.number, 3, 10, QLatin1Char('0')).arg(row.text);
    }
    return alarms;
}
