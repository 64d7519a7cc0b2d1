#ifndef SERIALTRANSPORT_H
#define SERIALTRANSPORT_H

#include "link/transport.h"

#include <QMutex>
#include <QString>

#include <atomic>

// The transport over the serial line controller: a serial port, or a traffic
// log played back. A transport connects once; the next connection builds a new one.
class SerialTransport : public Transport
{
    Q_OBJECT

public:
    static constexpr qint32 BaudRate = 38400;

    explicit SerialTransport(QObject *parent = nullptr);

    // The port or log named by the last Connect or ConnectFile.
    // Both safe to call from the user-interface thread.
    bool IsConnected() const override { return connected.load(); }
    QString ConnectionDescription() const override;

public slots:
    void Connect(QString connection) override;
    bool ConnectFile(QString filename);
    void Send(QString send) override;
    void Disconnect() override;
    void SerialSent(QString sent) override;
    void SerialSendError() override;
    void SerialReceived(QString received) override;
    void SerialClosed() override;

private:
    void SetSource(const QString &name, bool replay);

    std::atomic<bool> connected{false};
    std::atomic<bool> replaying{false};
    // Set on the worker thread, read for the status bar on the window's.
    mutable QMutex sourceLock;
    QString source;
};

#endif // SERIALTRANSPORT_H
