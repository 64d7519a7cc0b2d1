#ifndef TRANSFERCONTROLS_H
#define TRANSFERCONTROLS_H

#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

class QAction;
class QLabel;
class QMenu;
class QProgressBar;
class QStatusBar;
class QToolBar;
class QToolButton;
class QWidget;
class OnAirCheck;
class TransferJournal;
class UnitSession;

// The window's retrieve and send controls: the two tool-bar buttons with their
// drop-down menus, the progress bar and step text in the status bar, and the
// boxes that report how a transfer ended when it did not end as asked.
class TransferControls : public QObject
{
    Q_OBJECT

public:
    // The buttons go on `toolBar`, the progress on `statusBar`; boxes open
    // over `window`.
    TransferControls(QWidget *window, QToolBar *toolBar, QStatusBar *statusBar);
    // A send's entry held for a check still waiting is written, with why no
    // report was awaited.
    ~TransferControls() override;

    // Offers the transfers or takes them away, the buttons and every menu
    // entry alike.
    void SetAvailable(bool offered);
    bool IsAvailable() const;
    // Whether the tab shown holds configuration; the "current tab only"
    // entries are offered only then.
    void SetCurrentTabTransferable(bool transferable);

    // Shows the step that has started; total 0 ends the progress display.
    void ShowProgress(const QString &step, int done, int total, int remainingMs);
    // Shows work of no known length (a replay) by its text and a busy bar;
    // ShowProgress with total 0 ends it.
    void ShowActivity(const QString &text);

    // The fields the unit did not take, one "field: sent -> held" line each.
    void ShowReadBackMismatches(const QString &tabName, const QStringList &mismatches);
    // A send that was refused before anything went out.
    void ShowSendRefused(const QString &text);
    // A warning that needs no more than its text (a refused schedule).
    void ShowWarning(const QString &text);
    // A send that finished: what the unit now holds and how long it took, or
    // that the read-back found `mismatches` fields it did not take.
    void ShowSendResult(int parts, bool scheduleSent, qint64 elapsedMs, int mismatches);
    // A send that ended part way: `text` names what the unit may hold in part.
    void ShowInterrupted(const QString &text);

    // The session whose sends are followed on air when the engineer asks.
    void SetSession(UnitSession *session);
    // The engineer asked for the unit's own report to be checked after
    // each send of its AtoN settings.
    bool OnAirWanted() const;
    // The journal whose send entries take in what the check on air found
    // (not owned; null: none).
    void SetJournal(TransferJournal *journal);
    // Call as a send of `parts` (StateMachine parts) starts: where the check
    // on air will follow it, the send's entry waits for the finding.
    void NoteSendStarting(int parts);

signals:
    void RetrieveCurrentTab();
    void RetrieveAllTabs();
    void SendCurrentTab();
    void SendAllTabs();

private:
    QToolButton *AddButton(QToolBar *toolBar, QAction *defaultAction, QMenu *menu,
                           const QString &objectName);
    QAction *AddAction(QMenu *menu, const QString &text, const QString &objectName);
    void ShowBox(QMessageBox::Icon icon, const QString &text, const QString &informativeText);
    void CheckOnAir(bool complete);
    void ShowOnAir();
    // The send's entry held for the check goes to the register with
    // `finding` in its detail (empty: as it stands).
    void ConcludeEntry(const QString &finding);

    QWidget *window;
    QStatusBar *statusBar;
    QToolButton *retrieveButton = nullptr;
    QToolButton *sendButton = nullptr;
    QMenu *retrieveMenu = nullptr;
    QMenu *sendMenu = nullptr;
    QList<QAction *> actions;
    QAction *retrieveCurrent = nullptr;
    QAction *sendCurrent = nullptr;
    bool available = false;
    bool currentTabTransferable = true;
    QProgressBar *progressBar = nullptr;
    QLabel *stepLabel = nullptr;
    QAction *onAirAction = nullptr;
    UnitSession *session = nullptr;
    OnAirCheck *onAir = nullptr;
    QMetaObject::Connection sendFinished;
    QPointer<TransferJournal> journal;
    // The journal holding a send's entry until the check ends; the register
    // may have been changed since, and then that journal wrote it.
    QPointer<TransferJournal> holdingJournal;
};

#endif // TRANSFERCONTROLS_H
