#include "ui/mainwindow.h"
#include "ui_mainwindow.h"

#include "app/statemachine.h"
#include "app/vandrelapplication.h"
#include "decode/gpsdata.h"
#include "decode/gpsdecoder.h"
#include "lim/lanterninterfacetab.h"
#include "link/serialcontroller.h"
#include "link/serialtransport.h"
#include "model/model.h"
#include "model/padfile.h"
#include "ui/aboutdialog.h"
#include "ui/qcomboboxdropdown.h"
#include "ui/realatontab.h"
#include "ui/serialtab.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileDialog>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

namespace {

const char *const PadFileFilter = QT_TRANSLATE_NOOP("MainWindow", "vandrel Files ( *.pad )");
const char *const LogFileFilter = QT_TRANSLATE_NOOP("MainWindow", "Text Log Files ( *.txt *.log )");

// Sets the wait cursor for the life of the object.
class WaitCursor
{
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor &) = delete;
    WaitCursor &operator=(const WaitCursor &) = delete;
};

} // namespace

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
    connect(serialTab, &SerialTab::Save, this, &MainWindow::OnSerialTabSaveLogFile);

    connect(ui->actionNewFile, &QAction::triggered, this, &MainWindow::OnNew);
    connect(ui->actionOpenFile, &QAction::triggered, this, &MainWindow::OnOpen);
    connect(ui->actionSaveFile, &QAction::triggered, this, &MainWindow::OnSave);
    connect(ui->actionSave_As, &QAction::triggered, this, &MainWindow::OnSaveAs);
    connect(ui->actionCloseFile, &QAction::triggered, this, &MainWindow::OnClose);
    connect(ui->actionReplayLogFile, &QAction::triggered, this, &MainWindow::OnReplayLogFile);
    connect(ui->actionExit, &QAction::triggered, this, &MainWindow::OnExit);
    connect(ui->actionAbout, &QAction::triggered, this, &MainWindow::OnAbout);

    BuildPortToolBar();
    BuildTransferToolBar();
    BuildStatusBar();

    // The run script names the simulator's line here so that the window comes
    // up with it selected.
    const QString requestedPort = qEnvironmentVariable("VANDREL_SELECT_PORT");
    if (!requestedPort.isEmpty()) {
        App()->SetPortName(requestedPort);
    }

    RefreshPortList();
    UpdateControls();

    clockTimer = new QTimer();
    connect(clockTimer, &QTimer::timeout, this, &MainWindow::OnTimeout);
    clockTimer->setInterval(ClockIntervalMs);
    clockTimer->start();

    statusBar()->showMessage(tr("Ready"));
    currentFileName.clear();
    SetCurrentFile();

    QTimer::singleShot(0, this, &MainWindow::OnAutoConnect);
    adjustSize();
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

void MainWindow::BuildPortToolBar()
{
    portComboBox = new QComboBoxDropdown(this);
    portComboBox->setObjectName(QStringLiteral("comboBoxPort"));
    portComboBox->setMinimumSize(400, 22);
    portComboAction = ui->toolBarPort->addWidget(portComboBox);
    // A direct connection, so that the list is refilled before it is drawn.
    connect(portComboBox, &QComboBoxDropdown::Dropdown, this, &MainWindow::OnSerialDropdown,
            Qt::DirectConnection);
    connect(portComboBox, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &MainWindow::OnSerialPortChanged);

    connectButton = new QPushButton(tr("Connect"), this);
    connectButton->setObjectName(QStringLiteral("pushButtonConnect"));
    ui->toolBarPort->addWidget(connectButton);
    connect(connectButton, &QPushButton::clicked, this, &MainWindow::OnConnect);

    disconnectButton = new QPushButton(tr("Disconnect"), this);
    disconnectButton->setObjectName(QStringLiteral("pushButtonDisconnect"));
    ui->toolBarPort->addWidget(disconnectButton);
    connect(disconnectButton, &QPushButton::clicked, this, &MainWindow::OnDisconnect);
}

void MainWindow::BuildTransferToolBar()
{
    retrieveMenu = new QMenu(tr("Retrieve from AtoN"), this);
    retrieveMenu->setObjectName(QStringLiteral("menuRetrieve"));
    sendMenu = new QMenu(tr("Send to AtoN"), this);
    sendMenu->setObjectName(QStringLiteral("menuSend"));

    actionRetrieveCurrentTab = new QAction(tr("Retrieve current tab only"), this);
    actionRetrieveCurrentTab->setObjectName(QStringLiteral("actionRetrieveCurrentTab"));
    actionRetrieveAllTabs = new QAction(tr("Retrieve all tabs"), this);
    actionRetrieveAllTabs->setObjectName(QStringLiteral("actionRetrieveAllTabs"));
    actionSendCurrentTab = new QAction(tr("Send current tab only"), this);
    actionSendCurrentTab->setObjectName(QStringLiteral("actionSendCurrentTab"));
    actionSendAllTabs = new QAction(tr("Send all tabs"), this);
    actionSendAllTabs->setObjectName(QStringLiteral("actionSendAllTabs"));

    retrieveMenu->addAction(actionRetrieveCurrentTab);
    retrieveMenu->addAction(actionRetrieveAllTabs);
    sendMenu->addAction(actionSendCurrentTab);

    connect(actionRetrieveCurrentTab, &QAction::triggered, this, &MainWindow::OnGetCurrentTab);
    connect(actionRetrieveAllTabs, &QAction::triggered, this, &MainWindow::OnGetAllTabs);
    connect(actionSendCurrentTab, &QAction::triggered, this, &MainWindow::OnSendCurrentTab);
    connect(actionSendAllTabs, &QAction::triggered, this, &MainWindow::OnSendAllTabs);

    // The button shows its default action, so the picture and the tip go on
    // the action; the picture is too wide for a menu entry.
    const QSize pictureSize(144, 48);
    actionRetrieveAllTabs->setIcon(QIcon(QStringLiteral(":/Images/KelvanetoPC_144by48px.png")));
    actionRetrieveAllTabs->setIconVisibleInMenu(false);
    actionRetrieveAllTabs->setToolTip(tr("Retrieve configuration from AtoN"));
    actionSendAllTabs->setIcon(QIcon(QStringLiteral(":/Images/PCtoKelvane_144by48px.png")));
    actionSendAllTabs->setIconVisibleInMenu(false);
    actionSendAllTabs->setToolTip(tr("Send configuration to AtoN"));

    // The menus drop down from the buttons' arrows, which is where "current
    // tab only" is reached.
    retrieveButton = new QToolButton(this);
    retrieveButton->setObjectName(QStringLiteral("toolButtonRetrieveFromAtoN"));
    retrieveButton->setDefaultAction(actionRetrieveAllTabs);
    retrieveButton->setIconSize(pictureSize);
    retrieveButton->setMenu(retrieveMenu);
    retrieveButton->setPopupMode(QToolButton::MenuButtonPopup);
    ui->toolBarTransfer->addWidget(retrieveButton);

    ui->toolBarTransfer->addSeparator();

    sendButton = new QToolButton(this);
    sendButton->setObjectName(QStringLiteral("toolButtonSendToAtoN"));
    sendButton->setDefaultAction(actionSendAllTabs);
    sendButton->setIconSize(pictureSize);
    sendButton->setMenu(sendMenu);
    sendButton->setPopupMode(QToolButton::MenuButtonPopup);
    ui->toolBarTransfer->addWidget(sendButton);

    for (QAction *action : {actionRetrieveCurrentTab, actionRetrieveAllTabs, actionSendCurrentTab,
                            actionSendAllTabs}) {
        action->setEnabled(false);
    }
    retrieveMenu->setEnabled(false);
    sendMenu->setEnabled(false);
    retrieveButton->setEnabled(false);
    sendButton->setEnabled(false);
}

void MainWindow::BuildStatusBar()
{
    progressBar = new QProgressBar(this);
    progressBar->setObjectName(QStringLiteral("progressBar"));
    progressBar->setEnabled(true);
    progressBar->setFixedHeight(20);
    progressBar->setMaximumWidth(100);
    progressBar->setTextVisible(false);
    progressBar->setRange(0, 1);
    progressBar->hide();
    statusBar()->addPermanentWidget(progressBar);

    // Sized for the widest text so that the status bar does not jump.
    utcClockLabel = new QLabel(tr(" UTC 99:99:99 "), this);
    utcClockLabel->setObjectName(QStringLiteral("labelUtcClock"));
    utcClockLabel->setMinimumSize(utcClockLabel->sizeHint());
    utcClockLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    utcClockLabel->setEnabled(false);
    utcClockLabel->setToolTip(tr("Displays the current UTC time as supplied by the GPS"));
    utcClockLabel->setText(tr(" No GPS "));
    statusBar()->addPermanentWidget(utcClockLabel);
}

bool MainWindow::IsLinked() const
{
    const SerialTransport *transport = App()->GetTransport();
    return transport && transport->IsConnected();
}

void MainWindow::UpdateControls()
{
    bool connectEnabled = false;
    bool disconnectEnabled = false;
    bool comboEnabled = false;
    bool transferEnabled = false;

    if (portsAvailable) {
        connectEnabled = true;
        comboEnabled = true;
    }
    const SerialTransport *transport = App()->GetTransport();
    if (transport && transport->IsConnected()) {
        connectEnabled = false;
        comboEnabled = false;
        // The line can be open a moment before the state machine has taken
        // the link; a transfer asked for in that moment would be dropped.
        transferEnabled = App()->GetStateMachine()->IsConnected();
        disconnectEnabled = !transport->IsBusy();
    }
    portComboAction->setVisible(!devicePortFound);

    connectButton->setEnabled(connectEnabled);
    disconnectButton->setEnabled(disconnectEnabled);
    portComboBox->setEnabled(comboEnabled);
    for (QAction *action : {actionRetrieveCurrentTab, actionRetrieveAllTabs, actionSendCurrentTab,
                            actionSendAllTabs}) {
        action->setEnabled(transferEnabled);
    }
    retrieveMenu->setEnabled(transferEnabled);
    sendMenu->setEnabled(transferEnabled);
    sendButton->setEnabled(transferEnabled);
    retrieveButton->setEnabled(transferEnabled);
    // A replay takes the place of a link, so it can only start without one.
    ui->actionReplayLogFile->setEnabled(!transport);
}

void MainWindow::DetectDevicePort()
{
    const QString devicePort = SerialController::FindDevicePort();
    if (!devicePort.isEmpty()) {
        App()->SetPortName(devicePort);
        devicePortFound = true;
    } else {
        devicePortFound = false;
    }
}

void MainWindow::RefreshPortList()
{
    populatingPortList = true;
    portComboBox->clear();

    const QList<QPair<QString, QString>> ports = SerialController::PortList();
    for (const auto &port : ports) {
        portComboBox->addItem(port.second, port.first);
    }
    if (!ports.isEmpty()) {
        portsAvailable = true;
        DetectDevicePort();
        if (!SelectPort(App()->GetPortName())) {
            SelectPort(ports.first().first);
            App()->SetPortName(ports.first().first);
        }
    } else {
        portsAvailable = false;
        devicePortFound = false;
    }

    populatingPortList = false;
    UpdateControls();
}

bool MainWindow::SelectPort(const QString &portName)
{
    for (int i = 0; i < portComboBox->count(); ++i) {
        if (portComboBox->itemData(i).toString() == portName) {
            portComboBox->setCurrentIndex(i);
            return true;
        }
    }
    portComboBox->setCurrentIndex(0);
    return false;
}

void MainWindow::RelabelCurrentPort()
{
    const int index = portComboBox->currentIndex();
    // Probing opens the port for a moment; while a transport is being set up
    // on its worker thread that could make its own open fail, so the label
    // waits until there is no transport at all.
    if (index < 0 || App()->GetTransport()) {
        return;
    }
    const QString portName = App()->GetPortName();
    QString text = SerialController::FriendlyName(portName);
    if (SerialController::IsPortBusy(portName)) {
        text += tr("- IN USE");
    }
    portComboBox->setItemText(index, text);
}

void MainWindow::OnSerialDropdown()
{
    RefreshPortList();
}

void MainWindow::OnSerialPortChanged(int index)
{
    if (populatingPortList || index < 0) {
        return;
    }
    App()->SetPortName(portComboBox->itemData(index).toString());
    RelabelCurrentPort();
    DetectDevicePort();
    UpdateControls();
}

void MainWindow::OnTimeout()
{
    RelabelCurrentPort();
    DetectDevicePort();
    UpdateControls();
}

void MainWindow::ConnectAtStart(const QString &portName)
{
    // A line the system does not list as a serial port (a pseudo-terminal)
    // is offered all the same, as the run script does for the simulator.
    const QByteArray listed = qgetenv("VANDREL_PORTS");
    qputenv("VANDREL_PORTS", portName.toLocal8Bit() + (listed.isEmpty() ? "" : ":" + listed));
    RefreshPortList();
    // A port that is not there is reported, never swapped for another one.
    if (!SelectPort(portName)) {
        QMessageBox::critical(this, tr("Error connecting to the AtoN"),
                              tr("There is no serial port %1.").arg(portName));
        return;
    }
    App()->SetPortName(portName);
    OnConnect();
}

void MainWindow::OnAutoConnect()
{
    if (devicePortFound && !App()->GetTransport()) {
        App()->ConnectSerialTransport();
        UpdateControls();
    }
}

void MainWindow::OnConnect()
{
    App()->ConnectSerialTransport();
    UpdateControls();
}

void MainWindow::OnDisconnect()
{
    if (IsLinked()) {
        App()->Disconnect();
        statusBar()->showMessage(tr("Ready"));
        UpdateControls();
    }
}

void MainWindow::OnReplayLogFile()
{
    if (App()->GetTransport()) {
        return;
    }
    const QString fileName = QFileDialog::getOpenFileName(
        this, tr("Replay Log File"), App()->GetLogFilename(), tr(LogFileFilter));
    if (fileName.isEmpty()) {
        return;
    }
    App()->SetLogFilename(fileName);
    App()->ConnectSerialTransportToLogFile();
    UpdateControls();
}

void MainWindow::OnGetCurrentTab()
{
    emit GetTab(tabWidget->currentIndex());
}

void MainWindow::OnGetAllTabs()
{
    emit GetAllTabs();
}

void MainWindow::OnSendCurrentTab()
{
    emit SendTab(tabWidget->currentIndex());
}

void MainWindow::OnSendAllTabs()
{
    emit SendAllTabs();
}

void MainWindow::OnConnected()
{
    SerialTransport *transport = App()->GetTransport();
    if (!transport) {
        return;
    }
    for (const QMetaObject::Connection &connection : qAsConst(linkConnections)) {
        disconnect(connection);
    }
    linkConnections = {
        connect(serialTab, &SerialTab::Send, transport, &SerialTransport::Send),
        connect(transport, &Transport::Sent, serialTab, &SerialTab::OnSent),
        connect(transport, &Transport::Received, serialTab, &SerialTab::OnReceived),
        connect(transport, &Transport::ProductSerialNumber, realAtoNTab,
                &RealAtoNTab::OnProductSerialNumber),
        connect(transport, &Transport::Version, realAtoNTab, &RealAtoNTab::OnVersion),
        connect(transport, &Transport::BatteryVoltage, realAtoNTab, &RealAtoNTab::OnBatteryVoltage),
        connect(transport, &Transport::ProductSerialNumber, this,
                &MainWindow::OnProductSerialNumber),
        connect(transport, &Transport::ProductSerialNumberTest, this,
                &MainWindow::OnProductSerialNumberTest),
        connect(transport, &Transport::FaultLogMessageCount, App(),
                &VandrelApplication::OnFaultLogMessageCount),
        connect(transport, &Transport::showLimParams, lanternTab,
                &LanternInterfaceTab::onParameterGet),
        connect(App()->GetGpsDecoder(), &GPSDecoder::GpsDataReceived, this,
                &MainWindow::OnGpsDataReceived),
    };
    if (SerialController *controller = App()->GetSerialController()) {
        linkConnections.append(
            connect(controller, &SerialController::SaveError, this, &MainWindow::OnSaveError));
    }

    serialTab->OnOpened();
    statusBar()->showMessage(transport->ConnectionDescription());
    UpdateControls();
}

void MainWindow::OnDisconnected()
{
    serialTab->OnClosed();
    // Everything tied to the link goes with it, so that a later link does not
    // find the tabs still listening to a transport that is gone.
    for (const QMetaObject::Connection &connection : qAsConst(linkConnections)) {
        disconnect(connection);
    }
    linkConnections.clear();

    statusBar()->showMessage(tr("Ready"));
    utcClockLabel->setText(tr(" No GPS "));
    RefreshPortList();
    // The application lets go of the transport just after this; the controls
    // follow once it has.
    QTimer::singleShot(0, this, &MainWindow::OnUpdate);
}

void MainWindow::OnSendError()
{
    const SerialTransport *transport = App()->GetTransport();
    QMessageBox::critical(this, tr("Error sending to the AtoN"),
                          transport ? transport->LastError() : QString(), QMessageBox::Ok);
}

void MainWindow::OnSaveError()
{
    const SerialController *controller = App()->GetSerialController();
    QMessageBox::critical(this, tr("Error writing to the Log File"),
                          controller ? controller->LogErrorString() : QString(), QMessageBox::Ok);
}

void MainWindow::OnGpsDataReceived(GpsData *gpsData)
{
    if (gpsData) {
        utcClockLabel->setText(tr(" UTC ") + gpsData->time.toString(QStringLiteral("hh:mm:ss")) +
                               QLatin1Char(' '));
    } else {
        utcClockLabel->setText(tr(" UTC **:**:** "));
    }
}

void MainWindow::OnEdited(QWidget *)
{
    setWindowModified(true);
    emit Edited(tabWidget->currentIndex());
}

void MainWindow::OnUpdate()
{
    UpdateControls();
}

void MainWindow::OnUpdateTabFromTransportModel(int tab)
{
    setWindowModified(true);
    if (tab == realAtoNTabIndex) {
        realAtoNTab->UpdateTabFromModel(App()->TransportModel());
    } else if (tab == lanternTabIndex) {
        lanternTab->UpdateTabFromModel(App()->TransportModel());
    }
}

void MainWindow::OnUpdateTransportModelFromTab(int tab)
{
    if (tab == realAtoNTabIndex) {
        realAtoNTab->UpdateModelFromTab(App()->TransportModel());
    } else if (tab == lanternTabIndex) {
        lanternTab->UpdateModelFromTab(App()->TransportModel());
    }
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
}

void MainWindow::OnEnableTab(int tab, bool enable)
{
    if (tab == realAtoNTabIndex) {
        realAtoNTab->setEnabled(enable);
    } else if (tab == lanternTabIndex) {
        lanternTab->setEnabled(enable);
    }
}

void MainWindow::OnDisplayError(QString text, QString informativeText)
{
    QMessageBox box(this);
    box.setWindowTitle(QCoreApplication::applicationName());
    box.setIcon(QMessageBox::Critical);
    box.setText(text);
    box.setInformativeText(informativeText);
    box.setStandardButtons(QMessageBox::Ok);
    box.setDefaultButton(QMessageBox::Ok);
    box.exec();
}

void MainWindow::OnSlotClashWarning(QString text)
{
    QMessageBox box(this);
    box.setWindowTitle(QCoreApplication::applicationName());
    box.setWindowIcon(QIcon(QStringLiteral(":/Images/Quorvel01_48x48.ico")));
    box.setIcon(QMessageBox::Warning);
    box.setText(text);
    box.setStandardButtons(QMessageBox::Ok);
    box.setDefaultButton(QMessageBox::Ok);
    box.exec();
}

void MainWindow::OnActivateProgressBar(bool activate, int maxSize)
{
    if (activate) {
        progressActive = true;
        progressBar->setRange(0, maxSize);
        progressBar->show();
    } else {
        QTimer::singleShot(2000, this, &MainWindow::OnDeactivateProgressBar);
    }
}

void MainWindow::OnDeactivateProgressBar()
{
    if (progressActive) {
        progressBar->hide();
        progressBar->setRange(0, 1);
        progressActive = false;
    }
}

void MainWindow::OnUpdateProgressBar(int updateValue)
{
    progressBar->setValue(updateValue);
}

void MainWindow::OnProductSerialNumber(QString serial_number)
{
    productSerialNumber = serial_number;
}

void MainWindow::OnProductSerialNumberTest(QString serial_number)
{
    // Another unit now answers from the dock: show its configuration.
    if (serial_number != productSerialNumber) {
        UpdateControls();
        emit GetTab(0);
    }
}

// ---- Files

bool MainWindow::MaybeSave()
{
    if (!isWindowModified()) {
        return true;
    }
    QMessageBox box(this);
    box.setWindowTitle(QCoreApplication::applicationName());
    box.setIcon(QMessageBox::Question);
    box.setText(tr("The file has been modified."));
    box.setInformativeText(tr("Do you want to save your changes?"));
    box.setStandardButtons(QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
    box.setDefaultButton(QMessageBox::Save);
    switch (box.exec()) {
    case QMessageBox::Save:
        // Going on after a failed or cancelled save would lose the edits.
        return Save();
    case QMessageBox::Discard:
        return true;
    default:
        return false;
    }
}

void MainWindow::ShowNewDocument()
{
    {
        WaitCursor wait;
        currentFileName.clear();
        setWindowModified(false);
        SetCurrentFile();
        App()->EditModel()->Reset();
        realAtoNTab->UpdateTabFromModel(App()->EditModel());
        lanternTab->UpdateTabFromModel(App()->EditModel());
    }
    emit FileLoad();
}

void MainWindow::OnNew()
{
    if (MaybeSave()) {
        ShowNewDocument();
    }
}

void MainWindow::OnClose()
{
    if (MaybeSave()) {
        ShowNewDocument();
    }
}

void MainWindow::OnOpen()
{
    if (!MaybeSave()) {
        UpdateControls();
        return;
    }
    const QString fileName = QFileDialog::getOpenFileName(this, tr("Open File"),
                                                          App()->GetFilename(), tr(PadFileFilter));
    if (fileName.isEmpty()) {
        return;
    }
    OpenFileAtStart(fileName);
}

void MainWindow::OpenFileAtStart(const QString &fileName)
{
    // The file is read whole before anything changes, so a file that cannot
    // be opened or read leaves the document, its name and its mark alone.
    QString reason;
    PadFile::Result result;
    {
        WaitCursor wait;
        result = PadFile::Load(fileName, App()->EditModel(), &reason);
    }
    if (result != PadFile::Done) {
        QMessageBox box(QMessageBox::Critical, tr("Could not open the file"),
                        tr("Could not open file: ") + fileName, QMessageBox::Ok, this);
        box.setInformativeText(reason);
        box.exec();
        UpdateControls();
        return;
    }

    {
        WaitCursor wait;
        currentFileName = fileName;
        App()->SetFilename(fileName);
        setWindowModified(false);
        SetCurrentFile();
        realAtoNTab->UpdateTabFromModel(App()->EditModel());
        lanternTab->UpdateTabFromModel(App()->EditModel());
    }
    emit FileLoad();
    UpdateControls();
}

void MainWindow::OnSave()
{
    Save();
}

void MainWindow::OnSaveAs()
{
    SaveAs();
}

bool MainWindow::Save()
{
    // Without a name of its own the document asks for one, rather than going
    // to the last file used (which may hold another configuration).
    if (currentFileName.isEmpty()) {
        return SaveAs();
    }
    const bool saved = SaveFile(currentFileName);
    UpdateControls();
    return saved;
}

bool MainWindow::SaveAs()
{
    const QString fileName = QFileDialog::getSaveFileName(this, tr("Save File"),
                                                          App()->GetFilename(), tr(PadFileFilter));
    bool saved = false;
    if (!fileName.isEmpty()) {
        saved = SaveFile(fileName);
        if (saved) {
            currentFileName = fileName;
            App()->SetFilename(fileName);
            SetCurrentFile();
        }
    }
    UpdateControls();
    return saved;
}

bool MainWindow::SaveFile(const QString &fileName)
{
    if (fileName.isEmpty()) {
        return false;
    }
    QString reason;
    PadFile::Result result;
    {
        WaitCursor wait;
        result = PadFile::Save(fileName, *App()->EditModel(), &reason);
    }
    if (result != PadFile::Done) {
        QMessageBox box(QMessageBox::Critical, tr("Could not save the file"),
                        tr("Could not save file: ") + fileName, QMessageBox::Ok, this);
        box.setInformativeText(reason);
        box.exec();
        return false;
    }
    setWindowModified(false);
    return true;
}

void MainWindow::SetCurrentFile()
{
    const QString shownName =
        currentFileName.isEmpty() ? QStringLiteral("untitled.pad") : currentFileName;
    setWindowFilePath(shownName);
    ui->actionSaveFile->setEnabled(!currentFileName.isEmpty());
}

// ---- Traffic log

void MainWindow::OnSerialTabSaveLogFile(bool save)
{
    if (!save) {
        StartLogToFile();
    } else {
        StopLogToFile();
    }
    UpdateControls();
}

void MainWindow::StartLogToFile()
{
    SerialController *controller = App()->GetSerialController();
    bool logging = false;
    if (controller) {
        const QString fileName = QFileDialog::getSaveFileName(
            this, tr("Save Log To File"), App()->GetLogFilename(), tr(LogFileFilter));
        if (!fileName.isEmpty()) {
            App()->SetLogFilename(fileName);
            logging = controller->StartLog(fileName);
            if (!logging) {
                QMessageBox::critical(this, tr("Error creating Log File"),
                                      controller->LogErrorString(), QMessageBox::Ok);
            }
        }
    }
    // The click has already checked the button; it shows logging only when a
    // log is really being written.
    serialTab->SetLogging(logging);
}

void MainWindow::StopLogToFile()
{
    if (SerialController *controller = App()->GetSerialController()) {
        controller->StopLog();
    }
    serialTab->SetLogging(false);
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
    if (!MaybeSave()) {
        event->ignore();
        return;
    }
    const SerialTransport *transport = App()->GetTransport();
    if (transport && transport->IsConnected() && transport->IsBusy()) {
        QMessageBox box(this);
        box.setWindowTitle(QCoreApplication::applicationName());
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
    if (IsLinked()) {
        App()->Disconnect();
        statusBar()->showMessage(tr("Ready"));
        UpdateControls();
    }
    StopLogToFile();
    event->accept();
}
