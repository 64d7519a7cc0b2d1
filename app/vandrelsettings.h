#ifndef VANDRELSETTINGS_H
#define VANDRELSETTINGS_H

#include <QString>

// The remembered settings of the window (last file, last traffic log, last
// port, whether sent lines are shown, the FCC acceptance, the register) and the vendor code
// of the installation. Read from and written to the stores that the
// organisation and application names fix (Name()).
class VandrelSettings
{
public:
    // Names the organisation and the application on the running application
    // object; every program does this before it opens a store.
    static void Name();
    // The maker code the installation's units answer under besides their own.
    static QString SystemVendorId();

    // Reads the user's store.
    void Read();
    // Writes the user's store when a setter changed anything since the last
    // Read or Write.
    void WriteIfChanged();

    QString FileName() const { return fileName; }
    QString LogFileName() const { return logFileName; }
    QString PortName() const { return portName; }
    bool ShowTransmit() const { return showTransmit; }
    QString VendorId() const { return vendorId; }
    // The register's file path or postgresql:// URL; empty: the default file.
    QString Register() const { return registerText; }
    void SetFileName(const QString &name);
    void SetLogFileName(const QString &name);
    void SetPortName(const QString &name);
    void SetShowTransmit(bool show);
    void SetRegister(const QString &text);

private:
    QString fileName;
    QString logFileName;
    QString portName;
    bool showTransmit = false;
    bool fccAccept = false;
    QString vendorId;
    QString registerText;
    bool changed = false;
};

#endif // VANDRELSETTINGS_H
