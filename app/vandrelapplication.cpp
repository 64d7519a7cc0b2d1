#include "app/vandrelapplication.h"

#include "app/unitsession.h"
#include "model/model.h"
#include "ui/mainwindow.h"

VandrelApplication::VandrelApplication(int &argc, char **argv) : QApplication(argc, argv)
{
    VandrelSettings::Name();
    // The settings keep their old names; every box and title says Vandrel.
    setApplicationDisplayName(QStringLiteral("Vandrel"));
    setApplicationVersion(VersionText());
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

QString VandrelApplication::VersionText()
{
    // __DATE__ pads a one-digit day with a blank ("Feb  1 2023"); the version
    // separates month, day and year by single blanks.
    const QString date = QString::fromLatin1(__DATE__).simplified();
    return QStringLiteral("090300.03.00.05 ") + QStringLiteral(" (") + date + QStringLiteral(")");
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
