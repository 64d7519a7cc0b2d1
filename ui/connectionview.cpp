#include "ui/connectionview.h"

#include "app/unitidentity.h"
#include "app/unitsession.h"
#include "app/vandrelapplication.h"
#include "decode/gpsdata.h"
#include "decode/gpsdecoder.h"
#include "link/serialtransport.h"
#include "ui/lanterninterfacetab.h"
#include "ui/realatontab.h"
#include "ui/serialtab.h"
#include "ui/statuslabel.h"
#include "ui/trafficlog.h"

#include <QApplication>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QStatusBar>

// The texts keep the window's translation context, under which they were
// translated before the connection was a class of its own.
ConnectionView::ConnectionView(QWidget *window, QStatusBar *statusBar, SerialTab *serialTab,
                               RealAtoNTab *realAtoNTab, LanternInterfaceTab *lanternTab,
                               TrafficLog *trafficLog)
    : QObject(window), window(window), statusBar(statusBar), serialTab(serialTab),
      realAtoNTab(realAtoNTab), lanternTab(lanternTab), trafficLog(trafficLog)
{
    // Sized for the widest text so that the status bar does not jump.
    utcClockLabel = new QLabel(QCoreApplication::translate("MainWindow", " UTC 99:99:99 "), window);
    utcClockLabel->setObjectName(QStringLiteral("labelUtcClock"));
    utcClockLabel->setMinimumSize(utcClockLabel->sizeHint());
    utcClockLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    utcClockLabel->setEnabled(false);
    utcClockLabel->setToolTip(QCoreApplication::translate(
        "MainWindow", "Displays the current UTC time as supplied by the GPS"));
    utcClockLabel->setText(QCoreApplication::translate("MainWindow", " No GPS "));
    statusBar->addPermanentWidget(utcClockLabel);
    // A label rather than a status message: a message is wiped by the next
    // one (a transfer's result, a menu's hover tip), while the label comes
    // back whenever no message is shown.
    connectionLabel = new StatusLabel(window);
    connectionLabel->setObjectName(QStringLiteral("labelConnection"));
    statusBar->addWidget(connectionLabel, 1);
}

namespace {

// How long the status bar says that a link was opened again by itself.
constexpr int ResumedMessageMs = 15000;

} // namespace

void ConnectionView::SetSession(UnitSession *newSession)
{
    disconnect(identityConnection);
    session = newSession;
    if (!session)
        return;
    identityConnection =
        connect(session, &UnitSession::IdentityChanged, this, [this](const UnitIdentity &now) {
            if (!now.serialNumber.isEmpty() || !now.softwareVersion.isEmpty())
                awaitingUnit = false;
        });
}

void ConnectionView::Open()
{
    errorShown = false;
    resumed = false;
    closeAsked = false;
    lostPort.clear();
    linkPort = VandrelApplication::instance()->GetPortName();
    awaitingUnit = true;
    trafficLog->LinkOpening();
    session->Open(linkPort);
}

void ConnectionView::ReplayStarted()
{
    errorShown = false;
    resumed = false;
    lostPort.clear();
    linkPort.clear();
    awaitingUnit = false;
}

void ConnectionView::OnPortChecked(const QString &portName, PortProblem problem)
{
    if (lostPort.isEmpty() || session->HasLink())
        return;
    // Another port chosen meanwhile is the engineer's word over the lost one.
    if (portName != lostPort) {
        lostPort.clear();
        return;
    }
    if (problem == PortProblem::NotPresent)
        lostPortWent = true;
    // A port that never went is a unit that stopped answering, not one
    // plugged in again; and the box about the loss is read first.
    if (!lostPortWent || problem != PortProblem::None || QApplication::activeModalWidget())
        return;
    Open();
    resumed = true;
    statusBar->showMessage(
        QCoreApplication::translate("MainWindow", "%1 is back: connecting again.").arg(linkPort));
}

bool ConnectionView::Close()
{
    lostPort.clear();
    if (!session->IsLinked())
        return false;
    closeAsked = true;
    session->Close();
    statusBar->showMessage(QCoreApplication::translate("MainWindow", "Ready"));
    return true;
}

void ConnectionView::OnLinkStarting(SerialTransport *transport)
{
    for (const QMetaObject::Connection &connection : qAsConst(linkConnections))
        disconnect(connection);
    linkConnections = {
        connect(serialTab, &SerialTab::Send, transport, &SerialTransport::Send),
        connect(transport, &Transport::Sent, serialTab, &SerialTab::OnSent),
        connect(transport, &Transport::ReceivedLines, serialTab, &SerialTab::OnReceivedLines),
        connect(transport, &Transport::ProductSerialNumber, realAtoNTab,
                &RealAtoNTab::OnProductSerialNumber),
        connect(transport, &Transport::Version, realAtoNTab, &RealAtoNTab::OnVersion),
        connect(transport, &Transport::BatteryVoltage, realAtoNTab, &RealAtoNTab::OnBatteryVoltage),
        connect(transport, &Transport::showLimParams, lanternTab,
                &LanternInterfaceTab::onParameterGet),
        connect(session->GetGpsDecoder(), &GPSDecoder::GpsDataReceived, this,
                &ConnectionView::OnGpsData),
    };
    trafficLog->LinkStarting(transport);
}

void ConnectionView::OnLinkUp()
{
    if (const SerialTransport *transport = session->GetTransport()) {
        serialTab->OnOpened();
        connectionLabel->setText(transport->ConnectionDescription());
        if (resumed)
            statusBar->showMessage(QCoreApplication::translate(
                                       "MainWindow", "Connected again to %1 once it came back.")
                                       .arg(linkPort),
                                   ResumedMessageMs);
        else
            statusBar->clearMessage();
    }
}

void ConnectionView::OnLinkDown()
{
    // A pseudo-terminal's number goes to the next program that asks for
    // one: a line of that name that appears later is never this unit again
    // (a symbolic link to one, as the simulator keeps, stands for an adapter).
    const bool returns = !linkPort.startsWith(QLatin1String("/dev/pts/"));
    if (!linkPort.isEmpty() && returns && !awaitingUnit && !closeAsked) {
        lostPort = linkPort;
        // An adapter pulled takes its port with it, often before the link
        // has noticed; the next news of the ports may come only once it is
        // back.
        lostPortWent = PortProbe::Glance(linkPort) == PortProblem::NotPresent;
    }
    closeAsked = false;
    resumed = false;
    serialTab->OnClosed();
    connectionLabel->clear();
    realAtoNTab->ForgetUnit();
    // Everything tied to the link goes with it, so that a later link does not
    // find the tabs still listening to a transport that is gone.
    for (const QMetaObject::Connection &connection : qAsConst(linkConnections))
        disconnect(connection);
    linkConnections.clear();
    trafficLog->LinkEnded();
    utcClockLabel->setText(QCoreApplication::translate("MainWindow", " No GPS "));
}

void ConnectionView::OnGpsData(GpsData *gpsData)
{
    if (gpsData)
        utcClockLabel->setText(QCoreApplication::translate("MainWindow", " UTC ") +
                               gpsData->time.toString(QStringLiteral("hh:mm:ss")) +
                               QLatin1Char(' '));
    else
        utcClockLabel->setText(QCoreApplication::translate("MainWindow", " UTC **:**:** "));
}

void ConnectionView::ShowError(const QString &text, const QString &informativeText)
{
    if (errorShown)
        return;
    errorShown = true;
    // Until the unit has answered, whatever failed kept the link from being
    // made; the port is named, as the engineer may have more than one.
    QString boxText = text;
    if (awaitingUnit && !linkPort.isEmpty()) {
        boxText =
            QCoreApplication::translate("MainWindow", "Could not connect to %1.").arg(linkPort);
        awaitingUnit = false;
    }
    QMessageBox box(window);
    box.setWindowTitle(QGuiApplication::applicationDisplayName());
    box.setIcon(QMessageBox::Critical);
    box.setText(boxText);
    box.setInformativeText(informativeText);
    box.setStandardButtons(QMessageBox::Ok);
    box.setDefaultButton(QMessageBox::Ok);
    box.exec();
}
