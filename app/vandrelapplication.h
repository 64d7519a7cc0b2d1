#ifndef VANDRELAPPLICATION_H
#define VANDRELAPPLICATION_H

#include "app/vandrelsettings.h"

#include <QApplication>
#include <QPointer>
#include <QString>

class MainWindow;
class RegisterLocation;
class Model;
class SerialController;
class SerialTransport;
class StateMachine;
class TransferJournal;
class UnitRegister;
class UnitSession;

// The window program's application object: names the organisation and the
// application (which fixes where the settings live), keeps the persisted
// settings and the document the window edits, and creates the session of
// the unit the window works with.
class VandrelApplication : public QApplication
{
    Q_OBJECT

public:
    VandrelApplication(int &argc, char **argv);
    ~VandrelApplication() override;

    // The running application object. Ends the program through the
    // allocation-failure handler when the application is not a VandrelApplication.
    static VandrelApplication *instance();

    // The configuration that the tabs edit and that files are read into and
    // written from.
    Model *EditModel() const { return editModel; }
    // The session of the unit on the window's port.
    UnitSession *Session() const { return session; }
    // The register the settings name (or VANDREL_REGISTER, or the default
    // file) and the journal of the session's transfers in it.
    UnitRegister *Register() const { return unitRegister; }
    TransferJournal *Journal() const { return journal; }
    // Records in the register text names from now on (a file path or a
    // postgresql:// URL; empty: the default file) and keeps the choice in the
    // settings. False with *errorText when text names no register; the one
    // before stays then.
    bool UseRegister(const QString &text, QString *errorText);
    // The unit's configuration as the session last read it.
    const Model *TransportModel() const;

    QString GetFilename() const { return settings.FileName(); }
    QString GetLogFilename() const { return settings.LogFileName(); }
    QString GetPortName() const { return settings.PortName(); }
    // Each setter marks the settings for writing when the program quits.
    void SetFilename(const QString &name) { settings.SetFileName(name); }
    void SetLogFilename(const QString &name) { settings.SetLogFileName(name); }
    void SetPortName(const QString &name) { settings.SetPortName(name); }
    bool GetShowTransmit() const { return settings.ShowTransmit(); }
    void SetShowTransmit(bool show) { settings.SetShowTransmit(show); }
    QString GetVendorID() const { return settings.VendorId(); }

    // Binds the window to the session (a window given again replaces the
    // first one; null unbinds).
    void SetMainWindow(MainWindow *window);

    // The session's link on the port and log the settings name.
    void ConnectSerialTransport();
    void ConnectSerialTransportToLogFile();
    void Disconnect();
    SerialTransport *GetTransport() const;
    SerialController *GetSerialController() const;
    StateMachine *GetStateMachine() const;
    QThread *GetWorkerThread() const;

private:
    VandrelSettings settings;
    QPointer<MainWindow> mainWindow; // not owned
    Model *editModel = nullptr;
    UnitSession *session = nullptr;
    UnitRegister *unitRegister = nullptr;
    TransferJournal *journal = nullptr;

    void MakeRegister(const RegisterLocation &location);
};

#endif // VANDRELAPPLICATION_H
