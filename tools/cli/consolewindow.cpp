#include "consolewindow.h"

#include "model/model.h"

ConsoleWindow::ConsoleWindow(Model *editModel, const Model *transportModel, QObject *parent)
    : QObject(parent), editModel(editModel), transportModel(transportModel)
{
    Q_CHECK_PTR(editModel);
    Q_CHECK_PTR(transportModel);
}

void ConsoleWindow::Fail(const QString &text)
{
    // The first failure is the cause; what follows it (a disconnect, a
    // second box) adds nothing.
    if (errorText.isEmpty())
        errorText = text;
    emit Changed();
}

void ConsoleWindow::OnUpdate()
{
    emit Changed();
}

// The tabs copy the retrieved record into the document before they show it,
// so that retrieved values become the document's values.
void ConsoleWindow::OnUpdateTabFromTransportModel(int tab)
{
    if (tab == 0) {
        *editModel->GetAtoN() = *transportModel->GetAtoN();
        *editModel->GetMessageSchedule() = *transportModel->GetMessageSchedule();
    } else if (tab == 1) {
        *editModel->GetLanternInterface() = *transportModel->GetLanternInterface();
    }
    emit Changed();
}

void ConsoleWindow::OnUpdateTabIcon(int tab, int icon)
{
    emit TabState(tab, icon);
    emit Changed();
}

void ConsoleWindow::OnEnableTab(int, bool) {}

void ConsoleWindow::OnDisplayError(QString text, QString informativeText)
{
    // The box's title and its text, which names the step and the reason.
    Fail(informativeText.isEmpty() ? text : text + QStringLiteral(": ") + informativeText);
}

void ConsoleWindow::OnSlotClashWarning(QString text)
{
    slotClash = true;
    Fail(text);
}

void ConsoleWindow::OnConnected()
{
    linkClosed = false;
    emit Changed();
}

void ConsoleWindow::OnTransferRunning(bool running)
{
    if (!running)
        ++transfersEnded;
    emit Changed();
}

// The tool's own progress lines come from the transport's traffic.
void ConsoleWindow::OnTransferProgress(QString, int, int, int) {}

void ConsoleWindow::OnReadBackResult(int, QStringList mismatches)
{
    readBackLines << mismatches;
    emit Changed();
}

void ConsoleWindow::OnSendRefused(QString text)
{
    slotClash = true;
    Fail(text);
}

void ConsoleWindow::OnTransferInterrupted(QString text)
{
    Fail(text);
}

void ConsoleWindow::OnRetrieveFinished(bool ok)
{
    if (ok)
        ++retrievesDone;
    emit Changed();
}

void ConsoleWindow::OnDisconnected()
{
    linkClosed = true;
    // The window shows a closed link by the tabs' icons alone; a tool that is
    // waiting for a transfer has to say so.
    if (!closeExpected)
        Fail(QStringLiteral("The line to the unit closed."));
    emit Changed();
}
