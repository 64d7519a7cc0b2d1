#include "ui/serialtab.h"
#include "ui_serialtab.h"

#include "app/vandrelapplication.h"
#include "link/serialcontroller.h"
#include "sentences/parsedsentence.h"
#include "ui/serialdisplay.h"

#include <QCheckBox>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMessageBox>

namespace {
// The unit's presence poll arrives every 1.25 s while idle; it would drown
// everything else in the display.
const QLatin1String PresencePoll(SerialController::PresencePoll);
} // namespace

SerialTab::SerialTab(QWidget *parent) : QWidget(parent), ui(new Ui::SerialTab)
{
    ui->setupUi(this);
    ui->labelSendError->hide();

    // Courier New where it exists, otherwise the system's fixed-pitch face.
    QFont fixed(QStringLiteral("Courier New"));
    fixed.setStyleHint(QFont::TypeWriter);
    QFont lineFont = fixed;
    lineFont.setPointSizeF(ui->lineSend->font().pointSizeF());
    ui->lineSend->setFont(lineFont);
    fixed.setPixelSize(12);
    ui->textEditReceived->setFont(fixed);

    showTransmit = VandrelApplication::instance()->GetShowTransmit();
    ui->checkBoxShowSent->setChecked(showTransmit);
    ui->labelLogFile->hide();
    pauseLabelTimer.setSingleShot(true);
    pauseLabelTimer.setInterval(200);
    connect(&pauseLabelTimer, &QTimer::timeout, this, &SerialTab::UpdatePauseButton);

    // Each filter hides matching sentences while its box is checked.
    filters = {
        {ui->filterXXVDOCheckBox,
         QRegularExpression(QStringLiteral("[!\\$][0-9A-Z]{2,2}[V][D][O][,].+\\*[0-9A-F]{2}"))},
        {ui->filterXXZDACheckBox,
         QRegularExpression(QStringLiteral("[!\\$][0-9A-Z]{2,2}[Z][D][A][,].+\\*[0-9A-F]{2}"))},
        {ui->filterGPXXXCheckBox,
         QRegularExpression(QStringLiteral("[!\\$][G][P][A-Z]{3,3}[,].+\\*[0-9A-F]{2}"))},
        {ui->filterXXTXTCheckBox,
         QRegularExpression(QStringLiteral("[!\\$][0-9A-Z]{2,2}[T][X][T][,].+\\*[0-9A-F]{2}"))},
    };

    connect(ui->toolButtonPause, &QToolButton::clicked, this, &SerialTab::OnPause);
    connect(ui->toolButtonSaveToLog, &QToolButton::clicked, this, &SerialTab::OnSaveToLog);
    connect(ui->toolButtonSend, &QToolButton::clicked, this, &SerialTab::OnSend);
    connect(ui->lineSend, &QLineEdit::textEdited, this, &SerialTab::OnSendEdited);
    // Only Return sends: leaving the field with a half-typed line sends nothing.
    connect(ui->lineSend, &QLineEdit::returnPressed, this, &SerialTab::OnSend);
    connect(ui->checkBoxShowSent, &QCheckBox::toggled, this, &SerialTab::OnShowSent);
    for (const Filter &filter : qAsConst(filters))
        connect(filter.box, &QCheckBox::toggled, this, &SerialTab::CountHeld);
}

SerialTab::~SerialTab()
{
    delete ui;
}

void SerialTab::SetLogging(bool logging, const QString &fileName)
{
    ui->toolButtonSaveToLog->setText(logging ? tr("Stop Log") : tr("Log To File"));
    ui->toolButtonSaveToLog->setChecked(logging);
    ui->labelLogFile->setText(tr("Logging to %1").arg(QFileInfo(fileName).fileName()));
    ui->labelLogFile->setToolTip(QDir::toNativeSeparators(fileName));
    ui->labelLogFile->setVisible(logging && !fileName.isEmpty());
}

QString SerialTab::SentMark()
{
    return QStringLiteral("\u2192 ");
}

QString SerialTab::CompleteSentence(const QString &text, QString *problem)
{
    if (ParsedSentence(text).valid) {
        return text + QStringLiteral("\r\n");
    }
    // A typed checksum is the engineer's: a wrong one is refused rather than
    // sent on as part of the sentence with a second checksum after it.
    static const QRegularExpression typedChecksum(QStringLiteral("\\*([0-9A-Fa-f]{2})$"));
    const QRegularExpressionMatch typed = typedChecksum.match(text);
    if (typed.hasMatch()) {
        const QString body = text.left(typed.capturedStart());
        const QString right = ParsedSentence::Checksum(body);
        if (problem) {
            *problem = typed.captured(1).compare(right, Qt::CaseInsensitive) == 0
                           ? tr("The NMEA sentence is invalid.")
                           : tr("The checksum *%1 does not match the sentence (*%2 would).")
                                 .arg(typed.captured(1), right);
        }
        return QString();
    }
    const QString withChecksum = text + QLatin1Char('*') + ParsedSentence::Checksum(text);
    if (ParsedSentence(withChecksum).valid) {
        return withChecksum + QStringLiteral("\r\n");
    }
    if (problem)
        *problem = tr("The NMEA sentence is invalid.");
    return QString();
}

bool SerialTab::IsFiltered(const QString &line) const
{
    if (line.contains(PresencePoll)) {
        return true;
    }
    for (const Filter &filter : filters) {
        if (filter.box->isChecked() && filter.pattern.match(line).hasMatch()) {
            return true;
        }
    }
    return false;
}

void SerialTab::UpdateControls()
{
    ui->toolButtonSend->setEnabled(opened && !ui->lineSend->text().isEmpty());
    ui->lineSend->setEnabled(opened);
    ui->toolButtonPause->setEnabled(opened);
    ui->toolButtonSaveToLog->setEnabled(opened);
}

void SerialTab::OnSendEdited(QString)
{
    ui->labelSendError->hide();
    UpdateControls();
}

void SerialTab::OnPause()
{
    if (!ui->toolButtonPause->isChecked()) {
        // The filters and the choice of showing sent lines as they are now.
        QString shown;
        for (const Held &line : qAsConst(held)) {
            if (WillShow(line.text, line.sent)) {
                shown += line.text;
            }
        }
        held.clear();
        held.squeeze();
        heldCharacters = 0;
        heldShown = 0;
        heldDropped = false;
        AppendToDisplay(shown);
    }
    UpdatePauseButton();
}

void SerialTab::UpdatePauseButton()
{
    QToolButton *pause = ui->toolButtonPause;
    if (!pause->isChecked()) {
        pause->setText(tr("Pause"));
        pause->setToolTip(tr("Freezes the data display"));
        return;
    }
    pause->setText(heldDropped ? tr("Resume (lines held: %1, more dropped)").arg(heldShown)
                               : tr("Resume (lines held: %1)").arg(heldShown));
    pause->setToolTip(tr("Shows the lines held while paused and continues the display"));
}

void SerialTab::OnShowSent(bool show)
{
    showTransmit = show;
    VandrelApplication::instance()->SetShowTransmit(show);
    CountHeld();
}

bool SerialTab::WillShow(const QString &text, bool sent) const
{
    return sent ? showTransmit : !IsFiltered(text);
}

void SerialTab::CountHeld()
{
    heldShown = 0;
    for (const Held &line : qAsConst(held)) {
        if (WillShow(line.text, line.sent))
            ++heldShown;
    }
    if (ui->toolButtonPause->isChecked())
        UpdatePauseButton();
}

void SerialTab::OnSaveToLog()
{
    // The click has already toggled the button: checked asks for a log to start.
    emit Save(!ui->toolButtonSaveToLog->isChecked());
}

void SerialTab::OnSend()
{
    const QString text = ui->lineSend->text();
    // A pasted block is sent line by line, each with its own checksum; blank
    // lines between are no sentence and go unsent.
    QStringList lines;
    for (const QString &line : text.split(QRegularExpression(QStringLiteral("[\r\n]"))))
        if (!line.trimmed().isEmpty())
            lines << line;
    if (text.isEmpty()) {
        UpdateControls();
        return;
    }
    if (lines.isEmpty())
        lines << text;
    if (lines.contains(QStringLiteral("+++"))) {
        // The escape into the unit's command shell would leave it waiting for
        // shell input that this program never gives.
        ui->lineSend->clear();
        if (isVisible()) {
            QMessageBox box(this);
            box.setWindowTitle(QGuiApplication::applicationDisplayName());
            box.setText(tr("The Command Shell is not\n accessible from Vandrel. \n"));
            box.exec();
        }
        ui->lineSend->setFocus();
        UpdateControls();
        return;
    }
    // All lines or none: half a pasted block could leave the unit with part
    // of what it was meant to take.
    QStringList complete;
    QString problem;
    for (const QString &line : qAsConst(lines)) {
        complete << CompleteSentence(line, &problem);
        if (complete.last().isEmpty()) {
            problem = lines.size() == 1 ? tr("%1 It has not been sent.").arg(problem)
                                        : tr("Line %1 of %2: %3 None of the lines has been sent.")
                                              .arg(complete.size())
                                              .arg(lines.size())
                                              .arg(problem);
            ui->labelSendError->setText(problem);
            ui->labelSendError->show();
            ui->lineSend->setFocus();
            UpdateControls();
            return;
        }
    }
    for (const QString &line : qAsConst(complete)) {
        emit Send(line);
        // The link shows only the lines of its own jobs as sent.
        ShowSent(line);
    }
    ui->lineSend->clear();
    UpdateControls();
}

void SerialTab::OnSent(QString sent)
{
    ShowSent(sent);
}

void SerialTab::ShowSent(QString sent)
{
    // The presence polls are hidden as their answers are: shown alone, every
    // second, they would look like a unit that does not answer.
    if (!showTransmit || sent.contains(PresencePoll)) {
        return;
    }
    // The line end the unit needs is of no use on screen.
    sent.remove(QLatin1Char('\r'));
    sent.prepend(SentMark());
    if (ui->toolButtonPause->isChecked()) {
        Hold(sent, true);
    } else {
        AppendToDisplay(sent);
    }
}

void SerialTab::OnReceived(QString received)
{
    if (ui->toolButtonPause->isChecked()) {
        Hold(received, false);
        return;
    }
    if (!IsFiltered(received)) {
        AppendToDisplay(received);
    }
}

void SerialTab::OnReceivedLines(const QStringList &lines)
{
    for (const QString &line : lines)
        OnReceived(line);
}

void SerialTab::OnOpened()
{
    opened = true;
    // What a new link (or a replay) brings is told apart from the lines
    // of the one before.
    if (ui->textEditReceived->CharacterCount() > 0)
        AppendToDisplay(
            tr("------ new link, %1 UTC ------\n")
                .arg(QDateTime::currentDateTimeUtc().toString(QStringLiteral("HH:mm:ss"))));
    UpdateControls();
}

void SerialTab::OnClosed()
{
    opened = false;
    // The traffic log ends with the line, and a refused line is no longer waiting.
    SetLogging(false);
    ui->labelSendError->hide();
    UpdateControls();
}

void SerialTab::Hold(const QString &text, bool sent)
{
    if (!sent && text.contains(PresencePoll)) {
        return;
    }
    if (heldCharacters >= PauseBufferLimit) {
        heldDropped = true;
    } else {
        held.append(Held{text, sent});
        heldCharacters += text.size();
        if (WillShow(text, sent))
            ++heldShown;
    }
    if (!pauseLabelTimer.isActive()) {
        pauseLabelTimer.start();
    }
}

void SerialTab::AppendToDisplay(const QString &text)
{
    SerialDisplay *view = ui->textEditReceived;
    view->Append(text);
    const int held = view->CharacterCount();
    if (held > DisplayLimit) {
        // The oldest text goes in whole steps, rounded up to the next line
        // start so that the display never begins in the middle of a sentence.
        const int steps = (held - DisplayLimit + DisplayTrimStep - 1) / DisplayTrimStep;
        view->RemoveFirst(steps * DisplayTrimStep);
    }
}
