#include "ui/trafficlog.h"

#include "app/unitsession.h"
#include "app/vandrelapplication.h"
#include "link/serialcontroller.h"
#include "link/serialtransport.h"
#include "model/model.h"
#include "ui/serialtab.h"
#include "ui/transfercontrols.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QStatusBar>

// The texts keep the window's translation context, under which they were
// translated before the logs were a class of their own.
namespace {

const char *const LogFileFilter = QT_TRANSLATE_NOOP("MainWindow", "Text Log Files ( *.txt *.log )");

QString Text(const char *text)
{
    return QCoreApplication::translate("MainWindow", text);
}

VandrelApplication *App()
{
    return VandrelApplication::instance();
}

} // namespace

TrafficLog::TrafficLog(QWidget *window, UnitSession *session, SerialTab *serialTab,
                       TransferControls *transfers, QStatusBar *statusBar)
    : QObject(window), window(window), session(session), serialTab(serialTab), transfers(transfers),
      statusBar(statusBar)
{
    connect(serialTab, &SerialTab::Save, this, &TrafficLog::OnSaveClicked);
}

bool TrafficLog::StartReplay()
{
    if (session->HasLink())
        return false;
    const QString fileName = QFileDialog::getOpenFileName(
        window, QCoreApplication::translate("MainWindow", "Replay Log File"),
        App()->GetLogFilename(), Text(LogFileFilter));
    if (fileName.isEmpty())
        return false;
    App()->SetLogFilename(fileName);
    replayedLines = 0;
    replayShown.invalidate();
    // A log holds no settings: the reports of the document's unit are the unit's.
    return session->Replay(fileName, App()->EditModel()->GetAtoN()->GetAtoNMMSI()->Mmsi());
}

void TrafficLog::LinkStarting(SerialTransport *transport)
{
    // Both go with the transport.
    if (replayedLines >= 0)
        connect(transport, &Transport::ReceivedLines, this, &TrafficLog::OnReplayedLines);
    if (SerialController *controller = transport->GetSerialController())
        connect(controller, &SerialController::SaveError, this, &TrafficLog::OnSaveError);
}

void TrafficLog::OnReplayedLines(const QStringList &lines)
{
    replayedLines += lines.size();
    // The count is shown a few times a second, not for every line.
    if (replayShown.isValid() && replayShown.elapsed() < ReplayCountIntervalMs)
        return;
    replayShown.start();
    transfers->ShowActivity(
        QCoreApplication::translate("MainWindow", "Replaying the log, lines played: %1")
            .arg(replayedLines));
}

void TrafficLog::LinkEnded()
{
    if (replayedLines >= 0) {
        statusBar->showMessage(
            QCoreApplication::translate("MainWindow", "The log replay has ended; lines played: %1")
                .arg(replayedLines));
        replayedLines = -1;
    } else {
        statusBar->showMessage(QCoreApplication::translate("MainWindow", "Ready"));
    }
}

void TrafficLog::OnSaveError()
{
    const SerialController *controller = session->GetSerialController();
    QMessageBox::critical(
        window, QCoreApplication::translate("MainWindow", "Error writing to the Log File"),
        controller ? controller->LogErrorString() : QString(), QMessageBox::Ok);
}

// The button says what a click does: checked, it stops the log.
void TrafficLog::OnSaveClicked(bool stop)
{
    if (stop)
        Stop();
    else
        Start();
}

void TrafficLog::Start()
{
    SerialController *controller = session->GetSerialController();
    bool logging = false;
    if (controller) {
        const QString fileName = QFileDialog::getSaveFileName(
            window, QCoreApplication::translate("MainWindow", "Save Log To File"),
            App()->GetLogFilename(), Text(LogFileFilter));
        if (!fileName.isEmpty()) {
            App()->SetLogFilename(fileName);
            logging = controller->StartLog(fileName);
            if (!logging) {
                QMessageBox::critical(
                    window, QCoreApplication::translate("MainWindow", "Error creating Log File"),
                    controller->LogErrorString(), QMessageBox::Ok);
            }
        }
    }
    // The click has already checked the button; it shows logging only when a
    // log is really being written.
    serialTab->SetLogging(logging, App()->GetLogFilename());
}

void TrafficLog::Stop()
{
    if (SerialController *controller = session->GetSerialController())
        controller->StopLog();
    serialTab->SetLogging(false);
}
