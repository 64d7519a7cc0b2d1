#ifndef CONSOLEWINDOW_H
#define CONSOLEWINDOW_H

#include <QObject>
#include <QString>
#include <QStringList>

class Model;

// Stands in for the main window towards a unit session and its state
// machine, with the same signals and slots: it asks for transfers, lets a
// retrieved tab become the document as the tabs do, and turns what the
// window would show in a message box into an error text.
class ConsoleWindow : public QObject
{
    Q_OBJECT

public:
    ConsoleWindow(Model *editModel, const Model *transportModel, QObject *parent = nullptr);

    // What the window would have shown in an error box, empty when nothing.
    QString ErrorText() const { return errorText; }
    bool Failed() const { return !errorText.isEmpty(); }
    // A send was refused before anything went out (clashing time slots, a
    // field the unit cannot take).
    bool SlotClashRefused() const { return slotClash; }
    void ClearSlotClash() { slotClash = false; }
    // Counts of the transfers that have ended and of the retrieves that ended
    // well, for a caller waiting for one.
    int TransfersEnded() const { return transfersEnded; }
    int RetrievesDone() const { return retrievesDone; }
    // The unit's read-back of the last send: "field: sent -> held" lines.
    QStringList ReadBackLines() const { return readBackLines; }
    // The link has closed since it was last connected.
    bool LinkClosed() const { return linkClosed; }
    // The link is about to be closed on purpose; until then its closing is a failure.
    void ExpectClose() { closeExpected = true; }

    // The window's transfer and file commands.
    void RequestGetAllTabs() { emit GetAllTabs(); }
    void RequestSendTab(int tab) { emit SendTab(tab); }
    void RequestSendAllTabs()
    {
        readBackLines.clear();
        emit SendAllTabs();
    }
    void RequestFileLoad() { emit FileLoad(); }

signals:
    void FileLoad();
    void Edited(int tab);
    void SendTab(int tab);
    void SendAllTabs();
    void GetTab(int tab);
    void GetAllTabs();
    // Something changed that a waiting caller may want to look at.
    void Changed();
    void TabState(int tab, int state);

public slots:
    void OnUpdate();
    void OnUpdateTabFromTransportModel(int tab);
    void OnUpdateTabIcon(int tab, int icon);
    void OnEnableTab(int tab, bool enable);
    void OnDisplayError(QString text, QString informativeText);
    void OnSlotClashWarning(QString text);
    void OnConnected();
    void OnTransferRunning(bool running);
    void OnTransferProgress(QString step, int done, int total, int remainingMs);
    void OnReadBackResult(int tab, QStringList mismatches);
    void OnSendRefused(QString text);
    void OnTransferInterrupted(QString text);
    void OnRetrieveFinished(bool ok);
    void OnDisconnected();

private:
    void Fail(const QString &text);

    Model *editModel;
    const Model *transportModel;
    QString errorText;
    bool slotClash = false;
    int transfersEnded = 0;
    int retrievesDone = 0;
    QStringList readBackLines;
    bool linkClosed = false;
    bool closeExpected = false;
};

#endif // CONSOLEWINDOW_H
