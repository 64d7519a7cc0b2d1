#include "app/vandrelapplication.h"

#include "app/transferjournal.h"
#include "app/unitsession.h"
#include "app/vandrelversion.h"
#include "model/model.h"
#include "register/unitregister.h"
#include "ui/mainwindow.h"

#include <QTimer>

#include <memory>

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

    RegisterLocation location;
    QString error;
    // A setting or VANDREL_REGISTER that names no register leaves the
    // transfers recorded in the default file rather than nowhere; the window
    // says so once it is up.
    if (!RegisterLocation::Choose(QString(), settings.Register(), &location, &error))
        location = RegisterLocation::DefaultFile();
    MakeRegister(location);
    if (!error.isEmpty())
        QTimer::singleShot(0, unitRegister, [this, error] {
            emit unitRegister->Notice(tr("%1 Transfers are recorded in %2.")
                                          .arg(error, unitRegister->Location().Display()));
        });
}

void VandrelApplication::MakeRegister(const RegisterLocation &location)
{
    // The window lets go of the old pair before it goes.
    const std::unique_ptr<TransferJournal> oldJournal(journal);
    const std::unique_ptr<UnitRegister> oldRegister(unitRegister);
    unitRegister = new UnitRegister(location, UnitRegister::DefaultSpoolFolder(), this);
    journal = new TransferJournal(session, unitRegister, this);
    if (mainWindow)
        mainWindow->BindRegister(unitRegister, journal);
    // Opened once the window listens: entries left in the spool by an
    // earlier run are written now, and the window says so.
    QTimer::singleShot(0, unitRegister, &UnitRegister::Open);
}

bool VandrelApplication::UseRegister(const QString &text, QString *errorText)
{
    RegisterLocation location;
    if (!RegisterLocation::Parse(text, &location, errorText))
        return false;
    settings.SetRegister(text);
    MakeRegister(location);
    return true;
}

// The session goes first: its worker thread may still hold a line.
VandrelApplication::~VandrelApplication()
{
    delete journal;
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
    if (mainWindow && mainWindow != window) {
        mainWindow->BindSession(nullptr);
        mainWindow->BindRegister(nullptr, nullptr);
    }
    mainWindow = window;
    if (window) {
        window->BindSession(session);
        window->BindRegister(unitRegister, journal);
    }
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
