#include "app/broadcastname.h"

#include "app/statemachine.h"
#include "decode/messagedecoder.h"

BroadcastName::BroadcastName(MessageDecoder *reports, StateMachine *transfers, QObject *parent)
    : QObject(parent)
{
    connect(reports, &MessageDecoder::Message21Received, this, &BroadcastName::OnReport);
    connect(transfers, &StateMachine::QueueJob, this, [this](const QString &, bool send) {
        if (send) {
            Forget();
            sending = true;
        }
    });
    connect(transfers, &StateMachine::TransferRunning, this, [this](bool running) {
        if (!running)
            sending = false;
    });
}

void BroadcastName::Forget()
{
    mmsi.clear();
    name.clear();
}

void BroadcastName::OnReport(const Message21Report &report)
{
    if (sending)
        return;
    mmsi = report.mmsi;
    name = report.name;
}

QString BroadcastName::LostContinuation(const QString &unitMmsi, const QString &readName) const
{
    if (!readName.isEmpty() || name.isEmpty() || unitMmsi != mmsi)
        return QString();
    return tr("The unit answered with an empty name, but the name continuation never came; the "
              "unit broadcasts the name \"%1\".")
        .arg(name);
}
