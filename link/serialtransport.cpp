#include "link/serialtransport.h"
#include "sentences/logcategories.h"

#include "link/receivedline.h"
#include "link/serialcontroller.h"

#include <QDebug>

SerialTransport::SerialTransport(QObject *parent) : Transport(parent)
{
    SetLastError(QString());
}

QString SerialTransport::ConnectionDescription() const
{
    QMutexLocker locker(&sourceLock);
    if (replaying.load())
        return tr("Reading Log File ") + source + tr(" ...");
    return tr("Connected to Serial Port: ") + FriendlyName(source) + tr(" ...");
}

void SerialTransport::SetSource(const QString &name, bool replay)
{
    QMutexLocker locker(&sourceLock);
    source = name;
    replaying.store(replay);
}

void SerialTransport::Connect(QString connection)
{
    if (IsConnected())
        return;
    qCDebug(lcLink).noquote() << "Connecting to" << connection;
    SerialController *line = GetSerialController();
    if (!line)
        return;
    if (line->IsOpen()) {
        SetLastError(tr("A connection is already open"));
        emit ConnectError(LastError());
        return;
    }
    if (line->Open(connection, BaudRate)) {
        SetSource(connection, false);
        connected.store(true);
        emit Connected();
        return;
    }
    SetLastError(line->ErrorString());
    emit ConnectError(PortProbe::Message(line->OpenProblem(), connection, LastError()));
}

bool SerialTransport::ConnectFile(QString filename)
{
    qCDebug(lcLink) << "SerialTransport: ConnectFile";
    if (IsConnected())
        return false;
    SerialController *line = GetSerialController();
    if (!line)
        return false;
    if (line->IsOpen()) {
        SetLastError(tr("A connection is already open"));
        emit ConnectError(LastError());
        return false;
    }
    if (line->OpenFile(filename)) {
        SetSource(filename, true);
        connected.store(true);
        emit Connected();
        return true;
    }
    SetLastError(line->ErrorString());
    emit ConnectError(LastError());
    return false;
}

void SerialTransport::Send(QString send)
{
    emit SerialSend(send);
}

void SerialTransport::Disconnect()
{
    if (!IsConnected()) {
        emit DisconnectedCleanUp();
        return;
    }
    connected.store(false);
    if (SerialController *line = GetSerialController()) {
        // Its Closed() reaches SerialClosed at once, which raises Disconnected().
        line->Close();
        ForgetController();
    } else {
        emit Disconnected();
    }
}

void SerialTransport::SerialSent(QString sent)
{
    // Live, job steps raise their own Sent; a replayed log's sent lines are
    // shown as what the tool sent then.
    if (replaying.load()) {
        FlushReceived();
        emit Sent(sent);
    }
}

void SerialTransport::SerialSendError()
{
    if (SerialController *line = GetSerialController())
        SetLastError(line->ErrorString());
    emit SendError(LastError());
}

void SerialTransport::SerialReceived(QString received)
{
    TakeLine(ReceivedLine(received));
}

void SerialTransport::SerialClosed()
{
    qCDebug(lcLink) << "SerialTransport: SerialClosed";
    connected.store(false);
    DisconnectController();
    FlushReceived();
    emit Disconnected();
}
