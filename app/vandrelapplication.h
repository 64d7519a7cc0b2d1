#ifndef VANDRELAPPLICATION_H
#define VANDRELAPPLICATION_H

#include <QApplication>
#include <QString>

class Model;

// The program's application object: names the organisation and the
// application (which fixes where the settings live), keeps the six persisted
// settings, and owns the edit model and the transport model.
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
    // written from, and the configuration as exchanged with the unit.
    Model *EditModel() const { return editModel; }
    Model *TransportModel() const { return transportModel; }

    // Copies; safe to call from the transport's worker thread.
    QString GetFilename() const { return fileName; }
    QString GetLogFilename() const { return logFileName; }
    QString GetPortName() const { return portName; }
    // Each setter marks the settings for writing when the program quits.
    void SetFilename(const QString &name);
    void SetLogFilename(const QString &name);
    void SetPortName(const QString &name);
    bool GetShowTransmit() const { return showTransmit; }
    QString GetVendorID() const { return vendorID; }

    // "090300.03.00.05  (Mon d yyyy)" with the build date.
    static QString VersionText();

    // ---- Link control (state machine, decoders, transport, worker thread,
    // ---- SetMainWindow, ConnectSerialTransport, Disconnect, GetTransport,
    // ---- GetSerialController, GetGpsDecoder, GetMessageDecoder) goes here.

private slots:
    void OnClosing();

private:
    void ReadSettings();
    void WriteSettings();

    // ---- Link control: main window pointer (not owned).

    QString fileName;
    QString logFileName;
    QString portName;
    bool fccAccept = false;
    bool showTransmit = false;
    bool settingsChanged = false;
    QString vendorID;
    Model *editModel = nullptr;
    Model *transportModel = nullptr;

    // ---- Link control: worker thread, transport, state machine, GPS decoder,
    // ---- message decoder.
};

#endif // VANDRELAPPLICATION_H
