#include "app/statemachine.h"

#include <QDebug>
#include <QMetaMethod>
#include <QTimer>

#include "model/model.h"

StateMachine::StateMachine(Model *editModel, Model *transportModel, QObject *parent)
    : QObject(parent), editModel(editModel), transportModel(transportModel),
      pollingTimer(new QTimer(this))
{
    if (!editModel || !transportModel)
        qBadAlloc();
    pollingTimer->setInterval(PollingIntervalMs);
    connect(pollingTimer, &QTimer::timeout, this, &StateMachine::OnSerialNumberTestTimeout);
}

int StateMachine::TabStateOf(int tab) const
{
    return IsConfigurationTab(tab) ? tabStates[tab] : TabNoLink;
}

void StateMachine::SetTabState(int tab, int state, bool enable)
{
    if (!IsConfigurationTab(tab) || tabStates[tab] == state)
        return;
    tabStates[tab] = state;
    emit UpdateTabIcon(tab, state);
    emit EnableTab(tab, enable);
}

QString StateMachine::SlotClashText()
{
    return tr("The message schedule set risks clashing timeslots.\n"
              "The configuration has not been sent.\n"
              "\n"
              "There must be a difference of at least three slots between the start slots "
              "allocated to each channel unless:\n"
              "    One or both of the channels is disabled (slot = -1)\n"
              "    or:\n"
              "    The transmission interval is the same for both channels and is at least\n"
              "    (and in multiples of) 2250 slots.\n"
              "    The time offset between the two channels must also be half of the\n"
              "    transmission interval (2250 slots per minute).\n"
              "    This gives a \"symmetrical\" schedule and avoids the risk of overlapping\n"
              "    slots being used by both channels at the same time.");
}

void StateMachine::Connected()
{
    connected = true;
    // A new link starts afresh: a give-up or a polling run of an earlier link
    // says nothing about this one, and a later silent unit must be reported.
    gaveUp = false;
    StopSerialNumberTest();
    missedAnswers = 0;
    SetTabState(0, TabNotSynced, true);
    SetTabState(1, TabNotSynced, true);
    emit QueueJob(QStringLiteral("Version"), false);
}

void StateMachine::Disconnected()
{
    connected = false;
    SetTabState(0, TabNoLink, true);
    SetTabState(1, TabNoLink, true);
}

void StateMachine::Disconnecting()
{
    emit QueueJob(QStringLiteral("Reset"), false);
}

void StateMachine::ConnectError(QString error)
{
    qDebug() << "StateMachine::ConnectError";
    emit DisplayError(tr("Error connecting to the AtoN"), error);
    emit Disconnect();
}

void StateMachine::CommandError(QString command)
{
    emit DisplayError(tr("Error sending a command to the AtoN"), command);
    emit Disconnect();
}

void StateMachine::AtoNSentenceError(QString formatter)
{
    emit Disconnect();
    emit DisplayError(tr("Error reading an NMEA sentence from the AtoN"),
                      tr("NMEA sentence: ") + formatter);
}

void StateMachine::GetTab(int tab)
{
    if (!connected)
        return;
    if (tab == 0) {
        StopSerialNumberTest();
        emit QueueJob(QStringLiteral("Kelvane"), false);
        transportModel->GetMessageSchedule()->Reset();
        emit QueueJob(QStringLiteral("Message Schedule"), false);
        emit QueueJob(QStringLiteral("Version"), false);
        emit QueueJob(QStringLiteral("Voltage"), false);
        SetTabState(0, TabSyncing, false);
    } else if (tab == 1) {
        emit QueueJob(QStringLiteral("Get LIM"), false);
        SetTabState(1, TabSyncing, false);
    }
}

void StateMachine::SendTab(int tab)
{
    if (!connected)
        return;
    if (tab == 1) {
        StopSerialNumberTest();
        *transportModel->GetLanternInterface() = *editModel->GetLanternInterface();
        emit QueueJob(QStringLiteral("Set LIM"), true);
        SetTabState(1, TabSyncing, false);
    } else if (tab == 0) {
        StopSerialNumberTest();
        if (editModel->GetMessageSchedule()->RisksSlotClash()) {
            ShowSlotClashWarning();
            return;
        }
        // The transport model takes everything the user entered, the new MMSI
        // included, but keeps naming the unit by the MMSI it holds now.
        AtoNMMSI *unitMmsi = transportModel->GetAtoN()->GetAtoNMMSI();
        const QString heldMmsi = unitMmsi->Mmsi();
        *transportModel->GetAtoN() = *editModel->GetAtoN();
        unitMmsi->SetMmsi(heldMmsi);
        emit QueueJob(QStringLiteral("Kelvane"), true);
        *transportModel->GetMessageSchedule() = *editModel->GetMessageSchedule();
        emit QueueJob(QStringLiteral("Message Schedule"), true);
        SetTabState(0, TabSyncing, false);
    }
}

void StateMachine::ShowSlotClashWarning()
{
    const QString text = SlotClashText();
    if (isSignalConnected(QMetaMethod::fromSignal(&StateMachine::SlotClashWarning)))
        emit SlotClashWarning(text);
    else
        qWarning().noquote() << text;
}

void StateMachine::GetAllTabs()
{
    GetTab(0);
    GetTab(1);
}

void StateMachine::SendAllTabs()
{
    SendTab(0);
    SendTab(1);
}

void StateMachine::JobComplete(QString name, bool send)
{
    if (name == QLatin1String("Voltage")) {
        if (!send)
            StartSerialNumberTest();
    } else if (name == QLatin1String("Kelvane")) {
        if (!send)
            emit UpdateTabFromTransportModel(0);
        SetTabState(0, TabSynced, true);
    } else if (name == QLatin1String("Message Schedule")) {
        if (!send)
            emit UpdateTabFromTransportModel(0);
    } else if (name == QLatin1String("Get LIM")) {
        emit UpdateTabFromTransportModel(1);
        SetTabState(1, TabSynced, true);
    } else if (name == QLatin1String("Set LIM")) {
        StartSerialNumberTest();
        SetTabState(1, TabSynced, true);
    }
}

void StateMachine::AllJobsComplete()
{
    emit Update();
}

void StateMachine::FileLoad()
{
    if (!connected)
        return;
    for (int tab = 0; tab < TabCount; ++tab) {
        if (tabStates[tab] == TabSynced)
            SetTabState(tab, TabEdited, true);
    }
}

void StateMachine::Edited(int tab)
{
    if (!connected || !IsConfigurationTab(tab))
        return;
    if (tabStates[tab] == TabSynced)
        SetTabState(tab, TabEdited, true);
}

void StateMachine::Timeout()
{
    // Only the presence poll may miss answers quietly. Polling keeps running
    // through a retrieve of tab 1, so while that tab is syncing the timeout
    // is taken as the retrieve's own: a link failure like any other.
    if (polling && tabStates[1] != TabSyncing) {
        ++missedAnswers;
        if (missedAnswers < MissedAnswerLimit)
            return;
        missedAnswers = 0;
        GiveUpPolling();
        return;
    }
    if (gaveUp)
        return;
    emit Disconnect();
    emit DisplayError(tr("Error communicating with the Device"), tr("A timeout occurred."));
}

void StateMachine::OnPollingLimit()
{
    GiveUpPolling();
}

void StateMachine::GiveUpPolling()
{
    StopSerialNumberTest();
    gaveUp = true;
    emit Disconnect();
    emit DisplayError(tr("Error communicating with the device"),
                      tr("A timeout occurred. Has the device been removed from the dock?"));
}

void StateMachine::StartSerialNumberTest()
{
    pollingTimer->start();
    polling = true;
    missedAnswers = 0;
}

void StateMachine::StopSerialNumberTest()
{
    polling = false;
    pollingTimer->stop();
}

void StateMachine::OnSerialNumberTestTimeout()
{
    emit QueueJob(QStringLiteral("SerNo Test"), false);
}

void StateMachine::OnProductSerialNumberTest(QString serial_number)
{
    Q_UNUSED(serial_number) // the window compares it with the unit's number
    missedAnswers = 0;
}

void StateMachine::OnFaultLogRequest()
{
    emit QueueJob(QStringLiteral("Fault Log"), false);
}
