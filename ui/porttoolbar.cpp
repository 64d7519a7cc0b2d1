#include "ui/porttoolbar.h"

#include "app/unitsession.h"
#include "app/vandrelapplication.h"
#include "link/portprobe.h"
#include "link/portwatch.h"
#include "link/serialcontroller.h"
#include "ui/qcomboboxdropdown.h"

#include <QAction>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QKeySequence>
#include <QMessageBox>
#include <QPushButton>
#include <QToolBar>

namespace {

VandrelApplication *App()
{
    return VandrelApplication::instance();
}

// How long marking the list may hold the window as it opens; ports not
// looked at by then are marked at the next opening.
constexpr qint64 MarkingBudgetMs = 250;

} // namespace

// The texts keep the window's translation context, under which they were
// translated before the tool bar was a class of its own.
PortToolBar::PortToolBar(QToolBar *bar, UnitSession *session, QWidget *window)
    : QObject(window), session(session), window(window)
{
    portComboBox = new QComboBoxDropdown(window);
    portComboBox->setObjectName(QStringLiteral("comboBoxPort"));
    // As wide as the longest port name, but no wider than that: on a small
    // screen the tool bar folds what does not fit into its extension menu.
    portComboBox->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    portComboBox->setMinimumContentsLength(PortNameLength);
    portComboAction = bar->addWidget(portComboBox);
    // A direct connection, so that the list is refilled before it is drawn.
    connect(portComboBox, &QComboBoxDropdown::Dropdown, this, &PortToolBar::Refresh,
            Qt::DirectConnection);
    connect(portComboBox, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &PortToolBar::OnPortChanged);

    connectButton = new QPushButton(QCoreApplication::translate("MainWindow", "Connect"), window);
    connectButton->setObjectName(QStringLiteral("pushButtonConnect"));
    connectButton->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_K));
    connectButton->setToolTip(
        QCoreApplication::translate("MainWindow", "Connect to the chosen port (%1)")
            .arg(connectButton->shortcut().toString(QKeySequence::NativeText)));
    bar->addWidget(connectButton);
    connect(connectButton, &QPushButton::clicked, this, &PortToolBar::ConnectClicked);

    disconnectButton =
        new QPushButton(QCoreApplication::translate("MainWindow", "Disconnect"), window);
    disconnectButton->setObjectName(QStringLiteral("pushButtonDisconnect"));
    disconnectButton->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_K));
    disconnectButton->setToolTip(
        QCoreApplication::translate("MainWindow", "End the link to the unit (%1)")
            .arg(disconnectButton->shortcut().toString(QKeySequence::NativeText)));
    bar->addWidget(disconnectButton);
    connect(disconnectButton, &QPushButton::clicked, this, &PortToolBar::DisconnectClicked);

    WatchPorts();
}

void PortToolBar::WatchPorts()
{
    // An adapter plugged in or pulled out shows at once, and the unit's own
    // is taken; nothing is listed while nothing changes.
    delete watch;
    watch = new PortWatch(this);
    connect(watch, &PortWatch::Changed, this, &PortToolBar::Refresh);
}

void PortToolBar::UpdateControls()
{
    const bool transport = session->HasLink();
    // A second Connect while a line is being opened would drop it.
    connectButton->setEnabled(portsAvailable && !transport);
    portComboBox->setEnabled(portsAvailable && !transport);
    portComboAction->setVisible(!devicePortFound);
    // Disconnect also ends a transfer that is running.
    disconnectButton->setEnabled(session->IsLinked());
}

void PortToolBar::DetectDevicePort()
{
    const QString devicePort = portChosen ? QString() : SerialController::KnownDevicePort();
    devicePortFound = !devicePort.isEmpty();
    if (devicePortFound)
        App()->SetPortName(devicePort);
}

void PortToolBar::Refresh()
{
    populatingPortList = true;
    portComboBox->clear();

    const QList<QPair<QString, QString>> ports = SerialController::PortList();
    for (const auto &port : ports) {
        portComboBox->addItem(port.second, port.first);
        seenPorts.insert(port.first, port.second);
    }
    if (!ports.isEmpty())
        DetectDevicePort();
    else
        devicePortFound = false;
    // A port chosen while the window is open that has gone (its adapter
    // pulled) stays the choice, marked, rather than giving way to whichever
    // port is listed first; one merely remembered from an earlier run, or
    // named at the start and never there, does not.
    const QString chosen = App()->GetPortName();
    if (!SelectPort(chosen)) {
        if (seenPorts.contains(chosen)) {
            portComboBox->addItem(seenPorts.value(chosen, chosen), chosen);
            SelectPort(chosen);
        } else if (!ports.isEmpty()) {
            SelectPort(ports.first().first);
            App()->SetPortName(ports.first().first);
        }
    }
    portsAvailable = portComboBox->count() > 0;
    MarkPorts();

    populatingPortList = false;
    emit Changed();
}

bool PortToolBar::SelectPort(const QString &portName)
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

void PortToolBar::Mark(int index, PortProblem problem)
{
    const QString portName = portComboBox->itemData(index).toString();
    const QString label = seenPorts.value(portName, portName);
    portComboBox->setItemText(index, problem == PortProblem::None
                                         ? label
                                         : QCoreApplication::translate("MainWindow", "%1 - %2")
                                               .arg(label, PortProbe::Word(problem)));
}

void PortToolBar::MarkPorts()
{
    QElapsedTimer clock;
    clock.start();
    MarkCurrent();
    const int current = portComboBox->currentIndex();
    for (int i = 0; i < portComboBox->count() && clock.elapsed() < MarkingBudgetMs; ++i) {
        const QString portName = portComboBox->itemData(i).toString();
        if (i != current && !SessionLine(portName))
            Mark(i, PortProbe::Glance(portName));
    }
}

bool PortToolBar::SessionLine(const QString &portName) const
{
    // From the link's start until its worker thread has closed the line:
    // a look could make the link's own open fail, and would find the
    // window's own lock.
    return (session->HasLink() || session->GetWorkerThread()) && portName == session->PortName();
}

void PortToolBar::OnPortChanged(int index)
{
    if (populatingPortList || index < 0)
        return;
    portChosen = true;
    App()->SetPortName(portComboBox->itemData(index).toString());
    MarkCurrent();
    DetectDevicePort();
    emit Changed();
}

void PortToolBar::MarkCurrent()
{
    const int index = portComboBox->currentIndex();
    const QString portName = portComboBox->itemData(index).toString();
    if (index >= 0 && !session->HasLink() && !SessionLine(portName)) {
        const PortProblem problem = PortProbe::Glance(portName);
        Mark(index, problem);
        emit Checked(portName, problem);
    }
}

void PortToolBar::Check()
{
    DetectDevicePort();
}

bool PortToolBar::ChooseAtStart(const QString &portName)
{
    portChosen = true;
    const QByteArray listed = qgetenv("VANDREL_PORTS");
    qputenv("VANDREL_PORTS", portName.toLocal8Bit() + (listed.isEmpty() ? "" : ":" + listed));
    WatchPorts();
    Refresh();
    // A port that is not there is reported, never swapped for another one.
    if (!SelectPort(portName)) {
        QMessageBox::critical(
            window, QCoreApplication::translate("MainWindow", "Error connecting to the AtoN"),
            QCoreApplication::translate("MainWindow", "There is no serial port %1.").arg(portName));
        return false;
    }
    App()->SetPortName(portName);
    return true;
}
