#include "ui/mainwindow.h"
#include "ui_mainwindow.h"

#include "app/mmsiguard.h"
#include "app/statemachine.h"
#include "app/transferjournal.h"
#include "app/unitsession.h"
#include "app/vandrelapplication.h"
#include "link/serialtransport.h"
#include "model/model.h"
#include "register/unitregister.h"
#include "status/unitstatus.h"
#include "ui/aboutdialog.h"
#include "ui/atonconfiguration.h"
#include "ui/connectionview.h"
#include "ui/documentcontroller.h"
#include "ui/fleetmenu.h"
#include "ui/keyboardaccess.h"
#include "ui/lanterninterfacetab.h"
#include "ui/mmsichangebox.h"
#include "ui/porttoolbar.h"
#include "ui/realatontab.h"
#include "ui/serialtab.h"
#include "ui/trafficlog.h"
#include "ui/transfercontrols.h"
#include "ui/unitstatustab.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMessageBox>
#include <QScreen>
#include <QScrollArea>
#include <QStatusBar>
#include <QStyle>
#include <QTabWidget>
#include <QTimer>

#include <utility>

MainWindow::MainWindow(QWidget *parent) : QMainWindow(parent), ui(new Ui::MainWindow)
{
    ui->setupUi(this);

    tabWidget = new QTabWidget(this);
    tabWidget->setObjectName(QStringLiteral("tabWidget"));
    setCentralWidget(tabWidget);
    realAtoNTabIndex = 0;
    lanternTabIndex = 1;
    serialTabIndex = 2;

    Model *editModel = App()->EditModel();
    realAtoNTab = new RealAtoNTab(editModel, this);
    realAtoNTab->setObjectName(QStringLiteral("tabKelvane"));
    tabWidget->insertTab(realAtoNTabIndex, realAtoNTab, tr("AtoN"));
    connect(realAtoNTab, &AtoNConfiguration::Edited, this, &MainWindow::OnEdited);

    lanternTab = new LanternInterfaceTab(editModel, this);
    lanternTab->setObjectName(QStringLiteral("tabLanternInterface"));
    tabWidget->insertTab(lanternTabIndex, lanternTab, tr("Lantern Interface Module"));
    connect(lanternTab, &AtoNConfiguration::Edited, this, &MainWindow::OnEdited);

    serialTab = new SerialTab(this);
    serialTab->setObjectName(QStringLiteral("tabSerialData"));
    tabWidget->insertTab(serialTabIndex, serialTab, tr("Serial Data"));

    document = new DocumentController(this, editModel, {realAtoNTab, lanternTab});
    connect(document, &DocumentController::Replaced, this, &MainWindow::FileLoad);
    connect(document, &DocumentController::Replaced, this, [this] { documentUnit = {}; });

    connect(ui->actionNewFile, &QAction::triggered, this, &MainWindow::OnNew);
    connect(ui->actionOpenFile, &QAction::triggered, this, &MainWindow::OnOpen);
    connect(ui->actionSaveFile, &QAction::triggered, this, &MainWindow::OnSave);
    connect(ui->actionSave_As, &QAction::triggered, this, &MainWindow::OnSaveAs);
    connect(ui->actionCloseFile, &QAction::triggered, this, &MainWindow::OnClose);
    connect(ui->actionReplayLogFile, &QAction::triggered, this, &MainWindow::OnReplayLogFile);
    connect(ui->actionExit, &QAction::triggered, this, &MainWindow::OnExit);
    connect(ui->actionAbout, &QAction::triggered, this, &MainWindow::OnAbout);

    session = App()->Session();
    ports = new PortToolBar(ui->toolBarPort, session, this);
    connect(ports, &PortToolBar::ConnectClicked, this, &MainWindow::OnConnect);
    connect(ports, &PortToolBar::DisconnectClicked, this, &MainWindow::OnDisconnect);
    connect(ports, &PortToolBar::Changed, this, &MainWindow::UpdateControls);
    transfers = new TransferControls(this, ui->toolBarTransfer, statusBar());
    trafficLog = new TrafficLog(this, session, serialTab, transfers, statusBar());
    connect(transfers, &TransferControls::RetrieveCurrentTab, this, &MainWindow::OnGetCurrentTab);
    connect(transfers, &TransferControls::RetrieveAllTabs, this, &MainWindow::OnGetAllTabs);
    connect(transfers, &TransferControls::SendCurrentTab, this, &MainWindow::OnSendCurrentTab);
    connect(transfers, &TransferControls::SendAllTabs, this, &MainWindow::OnSendAllTabs);
    connection =
        new ConnectionView(this, statusBar(), serialTab, realAtoNTab, lanternTab, trafficLog);
    connect(ports, &PortToolBar::Checked, connection, &ConnectionView::OnPortChecked);
    unitStatusTab = UnitStatusTab::AddTo(tabWidget, statusBar(), session);
    connect(unitStatusTab, &UnitStatusTab::OpenRecorded, this, &MainWindow::OnOpenRecorded);
    connect(tabWidget, &QTabWidget::currentChanged, this, &MainWindow::OnUpdate);

    // The run script names the simulator's line here so that the window comes
    // up with it selected.
    const QString requestedPort = qEnvironmentVariable("VANDREL_SELECT_PORT");
    if (!requestedPort.isEmpty()) {
        App()->SetPortName(requestedPort);
    }

    ports->Refresh();
    UpdateControls();

    clockTimer = new QTimer();
    connect(clockTimer, &QTimer::timeout, this, &MainWindow::OnTimeout);
    clockTimer->setInterval(ClockIntervalMs);
    clockTimer->start();

    statusBar()->showMessage(tr("Ready"));

    BindSession(session);
    fleetMenu = new FleetMenu(ui->menuFile, this, session, editModel);
    new KeyboardAccess(this, tabWidget, {realAtoNTab, lanternTab}, ui->menuUnit);
    QTimer::singleShot(0, this, &MainWindow::OnAutoConnect);
    FitToScreen();
}

void MainWindow::BindSession(UnitSession *newSession)
{
    for (const QMetaObject::Connection &c : qAsConst(sessionConnections))
        disconnect(c);
    sessionConnections.clear();
    if (!newSession)
        return;
    session = newSession;
    ports->SetSession(session);
    trafficLog->SetSession(session);
    connection->SetSession(session);
    realAtoNTab->SetUnitStatus(session->Status());
    transfers->SetSession(session);
    StateMachine *machine = session->GetStateMachine();
    sessionConnections = {
        connect(this, &MainWindow::FileLoad, machine, &StateMachine::FileLoad),
        connect(this, &MainWindow::Edited, machine, &StateMachine::Edited),
        connect(this, &MainWindow::SendTab, machine, &StateMachine::SendTab),
        connect(this, &MainWindow::SendAllTabs, machine, &StateMachine::SendAllTabs),
        connect(this, &MainWindow::GetTab, machine, &StateMachine::GetTab),
        connect(this, &MainWindow::GetAllTabs, machine, &StateMachine::GetAllTabs),
        connect(machine, &StateMachine::Update, this, &MainWindow::OnUpdate),
        connect(machine, &StateMachine::UpdateTabFromTransportModel, this,
                &MainWindow::OnUpdateTabFromTransportModel),
        connect(machine, &StateMachine::UpdateTabIcon, this, &MainWindow::OnUpdateTabIcon),
        connect(machine, &StateMachine::EnableTab, this, &MainWindow::OnEnableTab),
        connect(machine, &StateMachine::ReadBackResult, this, &MainWindow::OnReadBackResult),
        connect(machine, &StateMachine::TransferInterrupted, this,
                &MainWindow::OnTransferInterrupted),
        connect(session, &UnitSession::Failed, this, &MainWindow::OnDisplayError),
        connect(session, &UnitSession::SlotClashWarning, this, &MainWindow::OnSlotClashWarning),
        connect(session, &UnitSession::SendRefused, this, &MainWindow::OnSendRefused),
        connect(session, &UnitSession::TransferRunning, this, &MainWindow::OnTransferRunning),
        connect(session, &UnitSession::TransferProgress, this, &MainWindow::OnTransferProgress),
        connect(session, &UnitSession::RetrieveFinished, this, &MainWindow::OnRetrieveFinished),
        connect(session, &UnitSession::LinkStarting, this, &MainWindow::OnLinkStarting),
        connect(session, &UnitSession::LinkUp, this, &MainWindow::OnConnected),
        connect(session, &UnitSession::LinkDown, this, &MainWindow::OnDisconnected),
        connect(session, &UnitSession::IdentityChanged, this, &MainWindow::OnIdentityChanged),
        connect(session, &UnitSession::SendFinished, this, &MainWindow::OnSendFinished),
    };
}

void MainWindow::FitToScreen()
{
    // The size the contents ask for, within the part of the screen that
    // windows may use, less room for the frame the window system adds.
    // A tab page that scrolls asks for little; the window asks for what the
    // largest page needs to be shown whole.
    QSize wanted = sizeHint();
    QSize grow;
    for (const QScrollArea *page : tabWidget->findChildren<QScrollArea *>()) {
        if (const QWidget *content = page->widget()) {
            const int bar = page->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
            const QSize need = content->sizeHint() + QSize(bar, 0) - page->sizeHint();
            grow = grow.expandedTo(need);
        }
    }
    wanted += grow.expandedTo(QSize(0, 0));
    const QRect room = screen()->availableGeometry();
    const QSize most(room.width() - FrameAllowance, room.height() - 2 * FrameAllowance);
    resize(wanted.boundedTo(most));
}

MainWindow::~MainWindow()
{
    clockTimer->stop();
    delete clockTimer;
    delete ui;
}

VandrelApplication *MainWindow::App()
{
    return VandrelApplication::instance();
}

bool MainWindow::IsLinked() const
{
    return session->IsLinked();
}

bool MainWindow::IsTransferring() const
{
    const StateMachine *machine = session->GetStateMachine();
    return transferRunning || machine->TabStateOf(realAtoNTabIndex) == StateMachine::TabSyncing ||
           machine->TabStateOf(lanternTabIndex) == StateMachine::TabSyncing;
}

void MainWindow::UpdateControls()
{
    const bool transport = session->HasLink();
    const bool linked = session->IsLinked();
    const bool transferring = linked && IsTransferring();
    ports->UpdateControls();
    // The line can be open a moment before the state machine has taken the
    // link; a transfer asked for in that moment would be dropped.
    transfers->SetAvailable(linked && session->GetStateMachine()->IsConnected() && !transferring);
    // Only a tab that holds configuration can be transferred on its own.
    transfers->SetCurrentTabTransferable(
        qobject_cast<AtoNConfiguration *>(tabWidget->currentWidget()) != nullptr);
    // A running transfer fills the document when it ends; nothing else may
    // replace the document meanwhile.
    for (QAction *action : {ui->actionNewFile, ui->actionOpenFile, ui->actionCloseFile})
        action->setEnabled(!transferring);
    // A replay takes the place of a link, so it can only start without one.
    ui->actionReplayLogFile->setEnabled(!transport);
}

bool MainWindow::SelectPort(const QString &portName)
{
    return ports->SelectPort(portName);
}

void MainWindow::OnTimeout()
{
    ports->Check();
    UpdateControls();
}

void MainWindow::ConnectAtStart(const QString &portName)
{
    // A line the system does not list as a serial port (a pseudo-terminal)
    // is offered all the same, as the run script does for the simulator.
    if (ports->ChooseAtStart(portName))
        OnConnect();
}

void MainWindow::OnAutoConnect()
{
    if (ports->DevicePortFound() && !session->HasLink())
        OnConnect();
}

void MainWindow::OnConnect()
{
    connection->Open();
    UpdateControls();
}

void MainWindow::OnDisconnect()
{
    if (connection->Close())
        UpdateControls();
}

void MainWindow::OnReplayLogFile()
{
    if (trafficLog->StartReplay())
        connection->ReplayStarted();
    UpdateControls();
}

// A retrieve replaces the document, so unsaved edits are offered a save first.
void MainWindow::OnGetCurrentTab()
{
    if (document->MaybeSaveEdits())
        emit GetTab(tabWidget->currentIndex());
}

void MainWindow::OnGetAllTabs()
{
    if (document->MaybeSaveEdits())
        emit GetAllTabs();
}

// A send takes what the tabs show, a value still being typed included, and
// only when the tabs that go hold nothing they have flagged as wrong.
bool MainWindow::ReadyToSend(int parts)
{
    document->CommitTypedInput();
    const bool withAtoNTab = parts & StateMachine::AtoNPart;
    const QStringList atonProblems = withAtoNTab ? realAtoNTab->InputProblems() : QStringList();
    const QStringList lanternProblems =
        parts & StateMachine::LanternPart ? lanternTab->InputProblems() : QStringList();
    if (atonProblems.isEmpty() && lanternProblems.isEmpty())
        return !withAtoNTab ||
               (realAtoNTab->ConfirmPositionToSend() && realAtoNTab->ConfirmScheduleToSend());
    tabWidget->setCurrentWidget(atonProblems.isEmpty() ? static_cast<QWidget *>(lanternTab)
                                                       : realAtoNTab);
    transfers->ShowSendRefused(tr("The configuration has not been sent:") + QLatin1Char('\n') +
                               (atonProblems + lanternProblems).join(QLatin1Char('\n')));
    return false;
}

void MainWindow::OnSendCurrentTab()
{
    const int tab = tabWidget->currentIndex();
    if (!ReadyToSend(1 << tab))
        return;
    if (documentUnit.IsOtherUnitThan(session->Identity())) {
        // Another unit's settings go to this one whole or not at all: its
        // lantern settings alone would leave it half one unit, half the other.
        if (MayGoToThisUnit(StateMachine::AllParts) && ReadyToSend(StateMachine::AllParts))
            StartSend(StateMachine::AllParts);
        return;
    }
    if (MayGoToThisUnit(1 << tab))
        StartSend(1 << tab);
}

void MainWindow::OnSendAllTabs()
{
    if (ReadyToSend(StateMachine::AllParts) && MayGoToThisUnit(StateMachine::AllParts))
        StartSend(StateMachine::AllParts);
}

void MainWindow::StartSend(int parts)
{
    sendParts = parts;
    sendTime.start();
    transfers->NoteSendStarting(parts);
    if (journal)
        journal->NoteSend(*App()->EditModel(), std::exchange(mmsiReassigned, false));
    if (parts == StateMachine::AllParts)
        emit SendAllTabs();
    else
        emit SendTab(parts == StateMachine::LanternPart ? lanternTabIndex : realAtoNTabIndex);
}

bool MainWindow::MayGoToThisUnit(int parts)
{
    const UnitIdentity here = session->Identity();
    const QString otherUnit = documentUnit.IsOtherUnitThan(here)
                                  ? tr("The document is the configuration of the unit with %1.\n"
                                       "The unit on the line is the unit with %2.")
                                        .arg(documentUnit.Text(), here.Text())
                                  : QString();
    // Only the AtoN settings carry the MMSI, whatever file they came from.
    MmsiGuard::Finding finding;
    if (parts & StateMachine::AtoNPart)
        finding = MmsiGuard::Check(unitRegister, here.serialNumber, here.mmsi,
                                   MmsiGuard::GivenBy(*App()->EditModel()));
    return MmsiChangeBox::Ask(this, otherUnit, finding, &mmsiReassigned);
}

void MainWindow::BindRegister(UnitRegister *newRegister, TransferJournal *newJournal)
{
    if (unitRegister)
        disconnect(unitRegister, nullptr, this, nullptr);
    unitRegister = newRegister;
    journal = newJournal;
    transfers->SetJournal(journal);
    fleetMenu->BindRegister(unitRegister, journal);
    unitStatusTab->SetRegister(unitRegister);
    // Said where the engineer looks: the register set aside, out of reach,
    // an entry spooled, spooled entries written.
    if (unitRegister)
        connect(unitRegister, &UnitRegister::Notice, this,
                [this](const QString &text) { statusBar()->showMessage(text); });
}

void MainWindow::OnLinkStarting(SerialTransport *transport, bool replay)
{
    Q_UNUSED(replay)
    connection->OnLinkStarting(transport);
}

void MainWindow::OnConnected()
{
    connection->OnLinkUp();
    UpdateControls();
}

void MainWindow::OnDisconnected()
{
    connection->OnLinkDown();
    replacedUnit = {};
    // Whatever ran on the link ended with it.
    transferRunning = false;
    transfers->ShowProgress(QString(), 0, 0, 0);
    ports->Refresh();
}

void MainWindow::OnEdited(QWidget *tab)
{
    document->MarkEdited();
    emit Edited(tabWidget->indexOf(tab));
}

void MainWindow::OnUpdate()
{
    UpdateControls();
}

void MainWindow::OnUpdateTabFromTransportModel(int tab)
{
    // A verify or a record reads the unit without taking it into the document.
    if (session->IsInspecting())
        return;
    // The tabs copy from the model they are given into the document.
    Model unit;
    unit = *session->Configuration();
    if (tab == realAtoNTabIndex) {
        realAtoNTab->UpdateTabFromModel(&unit);
    } else if (tab == lanternTabIndex) {
        lanternTab->UpdateTabFromModel(&unit);
    } else {
        return;
    }
    document->TakeFromUnit(unit.GetAtoN()->GetAtoNMMSI()->Mmsi());
}

void MainWindow::OnUpdateTabIcon(int tab, int icon)
{
    static const char *const images[] = {
        nullptr,
        ":/Images/TabEdited.png",
        ":/Images/TabNotSynced.png",
        ":/Images/TabSyncing.png",
        ":/Images/TabSynced.png",
    };
    if (icon < 0 || icon > 4) {
        return;
    }
    tabWidget->setTabIcon(tab, images[icon] ? QIcon(QString::fromLatin1(images[icon])) : QIcon());
    // A tab starting or ending a transfer changes what may be done.
    UpdateControls();
}

void MainWindow::OnEnableTab(int tab, bool enable)
{
    QWidget *page = tab == realAtoNTabIndex  ? static_cast<QWidget *>(realAtoNTab)
                    : tab == lanternTabIndex ? lanternTab
                                             : nullptr;
    if (!page)
        return;
    // A page greyed out for a transfer passes its focus on, or drops it; it
    // takes the focus back when the transfer ends, unless the engineer has
    // put it elsewhere meanwhile, so that the keyboard goes on where it was.
    // The window's own focus counts, active or not: a transfer may start
    // just as a box over it closes.
    QWidget *focus = focusWidget();
    if (!enable && focus && page->isAncestorOf(focus)) {
        page->setEnabled(false);
        focusBeforeTransfer = focus;
        focusDuringTransfer = focusWidget();
        return;
    }
    page->setEnabled(enable);
    if (enable && focusBeforeTransfer && page->isAncestorOf(focusBeforeTransfer)) {
        if (focusWidget() == focusDuringTransfer)
            focusBeforeTransfer->setFocus(Qt::OtherFocusReason);
        focusBeforeTransfer = nullptr;
    }
}

void MainWindow::OnDisplayError(QString text, QString informativeText)
{
    connection->ShowError(text, informativeText);
}

void MainWindow::OnSlotClashWarning(QString text)
{
    transfers->ShowWarning(text);
}

void MainWindow::OnSendRefused(QString text)
{
    transfers->ShowSendRefused(text);
}

void MainWindow::OnTransferInterrupted(QString text)
{
    transfers->ShowInterrupted(text);
}

void MainWindow::OnReadBackResult(int tab, QStringList mismatches)
{
    if (!mismatches.isEmpty())
        transfers->ShowReadBackMismatches(tabWidget->tabText(tab), mismatches);
}

void MainWindow::OnTransferRunning(bool running)
{
    transferRunning = running;
    UpdateControls();
}

void MainWindow::OnTransferProgress(QString step, int done, int total, int remainingMs)
{
    transfers->ShowProgress(step, done, total, remainingMs);
}

void MainWindow::OnRetrieveFinished(bool ok)
{
    if (ok) {
        if (!session->IsInspecting())
            documentUnit = session->Identity();
    } else {
        statusBar()->showMessage(tr("The retrieve did not finish; the document is as it was."));
    }
}

void MainWindow::OnSendFinished(bool complete, QStringList mismatches)
{
    // What the unit now holds is what the document says.
    if (complete)
        documentUnit = session->Identity();
    // Only a send from this window's controls is reported here; one that
    // ended part way has had its box already.
    const int parts = std::exchange(sendParts, 0);
    if (!complete || parts == 0)
        return;
    const bool scheduleSent = (parts & StateMachine::AtoNPart) &&
                              session->Configuration()->GetMessageSchedule()->Count() > 0;
    transfers->ShowSendResult(parts, scheduleSent, sendTime.elapsed(), int(mismatches.size()));
}

void MainWindow::OnIdentityChanged(UnitIdentity now, UnitIdentity before)
{
    if (now.IsOtherUnitThan(before)) {
        // The old unit's figures go at once, whatever is answered below.
        realAtoNTab->ForgetUnit();
        if (replacedUnit.IsEmpty())
            replacedUnit = before;
        statusBar()->showMessage(tr("Another unit has been docked."));
    }
    // Named once the new unit has told its MMSI too.
    if (!replacedUnit.IsEmpty() && !now.mmsi.isEmpty())
        TellOtherUnitDocked();
    UpdateControls();
}

void MainWindow::TellOtherUnitDocked()
{
    // Polls go on while the boxes are open; each unit is told once.
    if (askingAboutOtherUnit)
        return;
    askingAboutOtherUnit = true;
    const UnitIdentity before = replacedUnit;
    replacedUnit = {};
    QMessageBox box(this);
    box.setWindowTitle(QGuiApplication::applicationDisplayName());
    box.setIcon(QMessageBox::Information);
    box.setText(tr("Another unit has been docked."));
    box.setInformativeText(tr("The unit with %1 has taken the place of the unit with %2.\n\n"
                              "The tabs show the document, not what this unit holds.")
                               .arg(session->Identity().Text(), before.Text()));
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
    // Unsaved edits are offered a save before the new unit's settings
    // replace them.
    const bool retrieve = document->MaybeSaveEdits();
    askingAboutOtherUnit = false;
    if (retrieve && session->IsReady())
        emit GetAllTabs();
    UpdateControls();
}

// ---- Files

QString MainWindow::CurrentFileName() const
{
    return document->FileName();
}

bool MainWindow::MayReplaceDocument() const
{
    return !IsLinked() || !IsTransferring();
}

void MainWindow::OnNew()
{
    if (MayReplaceDocument())
        document->New();
    UpdateControls();
}

void MainWindow::OnClose()
{
    OnNew();
}

void MainWindow::OnOpen()
{
    if (MayReplaceDocument())
        document->Open();
    UpdateControls();
}

void MainWindow::OnOpenRecorded(const QByteArray &pad, const QString &title)
{
    if (MayReplaceDocument())
        document->OpenRecorded(pad, title);
    UpdateControls();
}

void MainWindow::OpenFileAtStart(const QString &fileName)
{
    document->OpenFile(fileName);
    UpdateControls();
}

void MainWindow::OnSave()
{
    document->Save();
}

void MainWindow::OnSaveAs()
{
    document->SaveAs();
}

// ---- Window

void MainWindow::OnExit()
{
    close();
}

void MainWindow::OnAbout()
{
    AboutDialog about(this);
    about.exec();
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (!document->MaybeSave()) {
        event->ignore();
        return;
    }
    if (IsLinked() && IsTransferring()) {
        QMessageBox box(this);
        box.setWindowTitle(QGuiApplication::applicationDisplayName());
        box.setIcon(QMessageBox::Question);
        box.setText(tr("Communicating with the AtoN."));
        box.setInformativeText(tr("Are you sure you wish to exit?"));
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Cancel);
        if (box.exec() != QMessageBox::Yes) {
            event->ignore();
            return;
        }
    }
    if (connection->Close())
        UpdateControls();
    trafficLog->Stop();
    event->accept();
}
