#include "app/vandrelapplication.h"

#include "app/unitsession.h"
#include "app/vandrelversion.h"
#include "model/model.h"
#include "ui/mainwindow.h"

VandrelApplication::VandrelApplication(int &argc, char **argv) : QApplication(argc, argv)
{
    VandrelSettings::Name();
    // The settings keep their old names; every box and title says Vandrel.
    setApplicationDisplayName(QStringLiteral("Vandrel"));
    setApplicationVersion(QString::fromLatin1(VandrelVersion::Number()));
    settings.Read();
    connect(this, &QCoreApplication::aboutToQuit, this, [this] { settings.WriteIfChanged(); });

    editModel = new Model(this);
    session = new UnitSession(this);
    session->SetVendorId(settings.VendorId());
    session->SetDocument(editModel);
}

// The session goes first: its worker thread may still hold a line.
VandrelApplication::~VandrelApplication()
{
    delete session;
}

VandrelApplication *VandrelApplication::instance()
{
    auto *application = qobject_cast<VandrelApplication *>(QCoreApplication::instance());
    if (!application)
        qBadAlloc();
    return application;
}

const Model *VandrelApplication::TransportModel() const
{
    return session->Configuration();
}

void VandrelApplication::SetMainWindow(MainWindow *window)
{
    if (mainWindow && mainWindow != window)
        mainWindow->BindSession(nullptr);
    mainWindow = window;
    if (window)
        window->BindSession(session);
}

void VandrelApplication::ConnectSerialTransport()
{
    session->Open(settings.PortName());
}

void VandrelApplication::ConnectSerialTransportToLogFile()
{
    session->Replay(settings.LogFileName(), editModel->GetAtoN()->GetAtoNMMSI()->Mmsi());
}

void VandrelApplication::Disconnect()
{
    session->Close();
}

SerialTransport *VandrelApplication::GetTransport() const
{
    return session->GetTransport();
}

SerialController *VandrelApplication::GetSerialController() const
{
    return session->GetSerialController();
}

StateMachine *VandrelApplication::GetStateMachine() const
{
    return session->GetStateMachine();
}

QThread *VandrelApplication::GetWorkerThread() const
{
    return session->GetWorkerThread();
}
