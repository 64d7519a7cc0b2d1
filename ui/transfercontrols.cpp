#include "ui/transfercontrols.h"
#include "ui/statuslabel.h"

#include "app/onaircheck.h"
#include "app/statemachine.h"
#include "app/transferjournal.h"
#include "app/unitsession.h"
#include "model/model.h"

#include <QAction>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QIcon>
#include <QKeySequence>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QMessageBox>
#include <QProgressBar>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

TransferControls::TransferControls(QWidget *window, QToolBar *toolBar, QStatusBar *statusBar)
    : QObject(window), window(window), statusBar(statusBar)
{
    retrieveMenu = new QMenu(tr("&Retrieve from AtoN"), window);
    retrieveMenu->setObjectName(QStringLiteral("menuRetrieve"));
    sendMenu = new QMenu(tr("&Send to AtoN"), window);
    sendMenu->setObjectName(QStringLiteral("menuSend"));

    // "... all tabs" first: it is also what the button itself does.
    QAction *retrieveAll =
        AddAction(retrieveMenu, tr("Retrieve &all tabs"), QStringLiteral("actionRetrieveAllTabs"));
    retrieveCurrent = AddAction(retrieveMenu, tr("Retrieve &current tab only"),
                                QStringLiteral("actionRetrieveCurrentTab"));
    QAction *sendAll =
        AddAction(sendMenu, tr("Send &all tabs"), QStringLiteral("actionSendAllTabs"));
    sendCurrent =
        AddAction(sendMenu, tr("Send &current tab only"), QStringLiteral("actionSendCurrentTab"));
    connect(retrieveCurrent, &QAction::triggered, this, &TransferControls::RetrieveCurrentTab);
    connect(retrieveAll, &QAction::triggered, this, &TransferControls::RetrieveAllTabs);
    connect(sendCurrent, &QAction::triggered, this, &TransferControls::SendCurrentTab);
    connect(sendAll, &QAction::triggered, this, &TransferControls::SendAllTabs);
    sendMenu->addSeparator();
    onAirAction = new QAction(tr("Check the unit's report &on air after sending"), this);
    onAirAction->setObjectName(QStringLiteral("actionCheckOnAir"));
    onAirAction->setCheckable(true);
    sendMenu->addAction(onAirAction);

    // The buttons show their default actions, so the picture, the word beside
    // it and the tip go on the actions; the picture is too wide for a menu
    // entry.
    retrieveAll->setIcon(QIcon(QStringLiteral(":/Images/KelvanetoPC_144by48px.png")));
    retrieveAll->setIconVisibleInMenu(false);
    retrieveAll->setIconText(tr("Retrieve"));
    retrieveAll->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
    retrieveAll->setToolTip(tr("Retrieve configuration from AtoN (%1)")
                                .arg(retrieveAll->shortcut().toString(QKeySequence::NativeText)));
    sendAll->setIcon(QIcon(QStringLiteral(":/Images/PCtoKelvane_144by48px.png")));
    sendAll->setIconVisibleInMenu(false);
    sendAll->setIconText(tr("Send"));
    sendAll->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));
    sendAll->setToolTip(tr("Send configuration to AtoN (%1)")
                            .arg(sendAll->shortcut().toString(QKeySequence::NativeText)));

    // The menus drop down from the buttons' arrows, which is where "current
    // tab only" is reached.
    retrieveButton =
        AddButton(toolBar, retrieveAll, retrieveMenu, QStringLiteral("toolButtonRetrieveFromAtoN"));
    toolBar->addSeparator();
    sendButton = AddButton(toolBar, sendAll, sendMenu, QStringLiteral("toolButtonSendToAtoN"));

    stepLabel = new StatusLabel(window);
    stepLabel->setObjectName(QStringLiteral("labelTransferStep"));
    stepLabel->hide();
    statusBar->addPermanentWidget(stepLabel);
    progressBar = new QProgressBar(window);
    progressBar->setObjectName(QStringLiteral("progressBar"));
    progressBar->setFixedHeight(20);
    progressBar->setMaximumWidth(100);
    progressBar->setTextVisible(false);
    progressBar->hide();
    statusBar->addPermanentWidget(progressBar);

    SetAvailable(false);
}

TransferControls::~TransferControls()
{
    if (onAir && onAir->IsRunning())
        ConcludeEntry(tr("On air: not checked; the window closed before the unit reported."));
}

QAction *TransferControls::AddAction(QMenu *menu, const QString &text, const QString &objectName)
{
    auto *action = new QAction(text, this);
    action->setObjectName(objectName);
    if (menu)
        menu->addAction(action);
    actions << action;
    return action;
}

QToolButton *TransferControls::AddButton(QToolBar *toolBar, QAction *defaultAction, QMenu *menu,
                                         const QString &objectName)
{
    auto *button = new QToolButton(window);
    button->setObjectName(objectName);
    button->setDefaultAction(defaultAction);
    button->setIconSize(QSize(144, 48));
    button->setMenu(menu);
    button->setPopupMode(QToolButton::MenuButtonPopup);
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    toolBar->addWidget(button);
    return button;
}

void TransferControls::SetAvailable(bool offered)
{
    available = offered;
    // The entries go with the buttons: a menu left open, or a shortcut, must
    // not start a transfer the buttons refuse.
    for (QAction *action : qAsConst(actions))
        action->setEnabled(offered);
    retrieveMenu->setEnabled(offered);
    sendMenu->setEnabled(offered);
    retrieveButton->setEnabled(offered);
    sendButton->setEnabled(offered);
    SetCurrentTabTransferable(currentTabTransferable);
}

void TransferControls::SetCurrentTabTransferable(bool transferable)
{
    currentTabTransferable = transferable;
    retrieveCurrent->setEnabled(available && transferable);
    sendCurrent->setEnabled(available && transferable);
}

bool TransferControls::IsAvailable() const
{
    return available;
}

void TransferControls::ShowProgress(const QString &step, int done, int total, int remainingMs)
{
    if (total <= 0) {
        progressBar->hide();
        stepLabel->hide();
        stepLabel->clear();
        return;
    }
    progressBar->setRange(0, total);
    progressBar->setValue(qBound(0, done, total));
    const int seconds = (qMax(0, remainingMs) + 999) / 1000;
    stepLabel->setText(seconds > 0 ? tr("%1 - about %n s left", nullptr, seconds).arg(step) : step);
    progressBar->show();
    stepLabel->show();
}

void TransferControls::ShowActivity(const QString &text)
{
    progressBar->setRange(0, 0);
    stepLabel->setText(text);
    progressBar->show();
    stepLabel->show();
}

void TransferControls::ShowBox(QMessageBox::Icon icon, const QString &text,
                               const QString &informativeText)
{
    QMessageBox box(window);
    box.setWindowTitle(QGuiApplication::applicationDisplayName());
    box.setIcon(icon);
    box.setText(text);
    box.setInformativeText(informativeText);
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
}

void TransferControls::ShowReadBackMismatches(const QString &tabName, const QStringList &mismatches)
{
    ShowBox(QMessageBox::Warning,
            tr("The AtoN does not hold everything sent to it on the %1 tab.").arg(tabName),
            mismatches.join(QLatin1Char('\n')));
}

void TransferControls::ShowSendResult(int parts, bool scheduleSent, qint64 elapsedMs,
                                      int mismatches)
{
    if (mismatches > 0) {
        statusBar->showMessage(
            tr("Sent; fields the unit did not take: %1 (see the box).").arg(mismatches));
        return;
    }
    QStringList held;
    if (parts & StateMachine::AtoNPart)
        held << tr("AtoN settings");
    if (scheduleSent)
        held << tr("schedule");
    if (parts & StateMachine::LanternPart)
        held << tr("lantern settings");
    const QString seconds = QLocale().toString(double(elapsedMs) / 1000.0, 'f', 1);
    statusBar->showMessage(
        tr("Sent and verified: %1, %2 s").arg(held.join(QStringLiteral(", ")), seconds));
}

bool TransferControls::OnAirWanted() const
{
    return onAirAction->isChecked();
}

void TransferControls::SetJournal(TransferJournal *newJournal)
{
    journal = newJournal;
}

void TransferControls::NoteSendStarting(int parts)
{
    // One send's entry at a time: a check the new send overtakes has not
    // found anything.
    if (onAir && onAir->IsRunning()) {
        ConcludeEntry(tr("On air: not checked; another send began before the unit reported."));
        onAir->Stop();
    }
    ConcludeEntry(QString());
    if (!journal || !OnAirWanted() || !(parts & StateMachine::AtoNPart))
        return;
    journal->HoldNextEntry();
    holdingJournal = journal;
}

void TransferControls::ConcludeEntry(const QString &finding)
{
    if (!holdingJournal)
        return;
    TransferJournal *held = holdingJournal;
    holdingJournal = nullptr;
    held->AddDetail(finding);
    held->SetRecords({});
}

void TransferControls::SetSession(UnitSession *newSession)
{
    if (newSession == session)
        return;
    disconnect(sendFinished);
    if (onAir && onAir->IsRunning())
        ConcludeEntry(tr("On air: not checked; the window turned to another unit."));
    delete onAir;
    session = newSession;
    onAir = new OnAirCheck(session, this);
    connect(onAir, &OnAirCheck::Finished, this, &TransferControls::ShowOnAir);
    sendFinished =
        connect(session, &UnitSession::SendFinished, this, &TransferControls::CheckOnAir);
}

void TransferControls::CheckOnAir(bool complete)
{
    if (!complete || !OnAirWanted() || !(session->LastSend().parts & StateMachine::AtoNPart)) {
        ConcludeEntry(QString());
        return;
    }
    onAir->Start(*session->Document()->GetAtoN(), qint64(OnAirCheck::DefaultMinutes * 60000.0));
    // After the send's own word in the status bar, which comes from the
    // same signal.
    QTimer::singleShot(0, this, [this] {
        if (onAir->IsRunning())
            statusBar->showMessage(
                tr("Sent; waiting up to %1 min for the unit's own report on air.")
                    .arg(QLocale().toString(OnAirCheck::DefaultMinutes, 'g', 3)));
    });
}

void TransferControls::ShowOnAir()
{
    const QString text = onAir->Text();
    // In the register before any box: the window may be closed over it.
    ConcludeEntry(text);
    switch (onAir->Result()) {
    case OnAirCheck::Verdict::Matches:
        statusBar->showMessage(text);
        return;
    case OnAirCheck::Verdict::Differs:
        statusBar->clearMessage();
        ShowBox(QMessageBox::Warning, tr("The unit does not broadcast what was sent to it."), text);
        return;
    default:
        break;
    }
    statusBar->clearMessage();
    ShowBox(QMessageBox::Information, tr("No report of the unit came in time."), text);
}

void TransferControls::ShowSendRefused(const QString &text)
{
    ShowBox(QMessageBox::Warning, tr("The send was refused."), text);
}

void TransferControls::ShowInterrupted(const QString &text)
{
    ShowBox(QMessageBox::Warning, tr("The transfer was stopped before it finished."), text);
}

void TransferControls::ShowWarning(const QString &text)
{
    ShowBox(QMessageBox::Warning, text, QString());
}
