#include "link/serialcontroller.h"
#include "sentences/logcategories.h"

#include "link/linesink.h"
#include "link/portenumerator.h"
#include "link/portprobe.h"
#include "model/regularfile.h"
#include "platform/platform.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDebug>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QMetaMethod>
#include <QMutexLocker>
#include <QRegularExpression>
#include <QTimer>

#include <cerrno>
#include <poll.h>

namespace {

// The port records shared by the discovery queries; used on the user-interface
// thread only.
PortInfoList &PortCache()
{
    static PortInfoList cache;
    return cache;
}

bool &PortCacheFilled()
{
    static bool filled = false;
    return filled;
}

SerialController::PortEnumeration &Enumeration()
{
    static SerialController::PortEnumeration enumeration;
    return enumeration;
}

// QSerialPort's own buffer stays below this; beyond it the bytes wait in the
// system's buffer until the controller has read what it holds.
constexpr qint64 PortReadBufferSize = 64 * 1024;

// Zero bytes carry no text: noise on the line, or the end of a log cut short
// by a crash. They are dropped, and what follows them is kept.
QString WithoutNul(QString text)
{
    if (text.contains(QChar::Null))
        text.remove(QChar::Null);
    return text;
}

QString LogTimestamp()
{
    return QDateTime::currentDateTime().toString(QStringLiteral("hh:mm:ss yyyy/MM/dd"));
}

} // namespace

SerialController::SerialController(QObject *parent)
    : QObject(parent),
      lines([this](const ReceivedLine &line, bool prompt) { PassOnLine(line, prompt); },
            [this](const QString &line) { emit Sent(WithoutSentMark(line)); })
{}

SerialController::~SerialController()
{
    if (IsOpen())
        Close();
    StopLog();
}

bool SerialController::Open(const QString &portName, qint32 baudRate)
{
    if (IsOpen() || portName.isEmpty())
        return false;

    // A port reached through an alias (a symbolic link such as
    // /dev/serial/by-id/...) is opened, and so locked, under the real
    // device's name: two programs naming one port differently cannot both
    // have it.
    const QFileInfo alias(portName);
    const QString device = alias.isSymLink() ? alias.canonicalFilePath() : QString();
    const PortProblem claimed = PortProbe::Claim(device.isEmpty() ? portName : device);
    if (claimed != PortProblem::None) {
        openProblem = claimed;
        openError = PortProbe::Word(claimed);
        qCDebug(lcLink).noquote() << "Cannot open" << portName << ":" << openError;
        return false;
    }
    auto *newPort = new QSerialPort(device.isEmpty() ? portName : device, this);
    if (!newPort->open(QIODevice::ReadWrite)) {
        openError = newPort->errorString();
        openProblem = PortProbe::ProblemOf(portName, newPort->error());
        qCDebug(lcLink).noquote() << "Cannot open" << portName << ":" << openError;
        delete newPort;
        return false;
    }
    openError.clear();
    openProblem = PortProblem::None;

    newPort->setBaudRate(baudRate);
    newPort->setFlowControl(QSerialPort::NoFlowControl);
    newPort->setParity(QSerialPort::NoParity);
    newPort->setDataBits(QSerialPort::Data8);
    newPort->setStopBits(QSerialPort::OneStop);
    // A pseudo-terminal has no modem lines; the line works without them, so
    // the refusal is noted and forgotten rather than failing the open.
    if (!newPort->setDataTerminalReady(true)) {
        qCDebug(lcLink).noquote() << "DTR not raised on" << portName << ":"
                                  << newPort->errorString();
        newPort->clearError();
    }
    newPort->clear(QSerialPort::Output);
    newPort->setReadBufferSize(PortReadBufferSize);

    port = newPort;
    sendFailureReported = false;
    refusedWrites = 0;
    lineError.clear();
    lines.Reset(LineAssembler::Source::Port);

    FlushInput();
    if (!port)
        return false; // closed while the flush let events run

    connect(port, &QSerialPort::readyRead, this, &SerialController::OnReceived);
    connect(port, &QSerialPort::bytesWritten, this, &SerialController::OnWritten);
    connect(port, &QSerialPort::errorOccurred, this, &SerialController::OnPortError);
    // QSerialPort gives no notification of a change of data set ready;
    // OnDSRChanged stays as a slot with nothing to feed it.

    // What followed the sentence end that stopped the flush is already
    // buffered and would otherwise wait for the next bytes to arrive.
    if (port->bytesAvailable() > 0)
        QTimer::singleShot(0, this, &SerialController::OnReceived);

    emit Opened();
    return true;
}

void SerialController::FlushInput()
{
    qCDebug(lcLink) << "Attempting to flush out the comm port...";
    QElapsedTimer clock;
    clock.start();
    // Wakes the wait for events below, so that the deadline is kept even when
    // nothing arrives.
    QTimer wake;
    wake.setInterval(10);
    wake.start();

    static const QRegularExpression sentenceEnd(QStringLiteral("\\*[0-9A-F]{2}\\r"));
    int lines = 0;
    bool sentenceEndSeen = false;
    QElapsedTimer quiet;
    quiet.start();
    while (port && !sentenceEndSeen && clock.elapsed() < FlushTimeoutMs &&
           quiet.elapsed() < FlushSilenceMs) {
        char buffer[1024];
        const qint64 length = port->readLine(buffer, sizeof buffer);
        if (length > 0)
            quiet.restart();
        const QString text =
            length > 0 ? WithoutNul(QString::fromLatin1(buffer, int(length))) : QString();
        ++lines;
        if (text.contains(sentenceEnd)) {
            sentenceEndSeen = true;
            qCDebug(lcLink).noquote()
                << "\tBailing-out from flushing loop, end of a NMEA sentence found: " << text;
        }
        if (!text.isEmpty())
            qCDebug(lcLink).noquote() << "\tFlushing out line " << lines << ": " << text;
        QEventLoop::ProcessEventsFlags flags = QEventLoop::ExcludeUserInputEvents;
        if (text.isEmpty())
            flags |= QEventLoop::WaitForMoreEvents;
        QCoreApplication::processEvents(flags);
    }
    qCDebug(lcLink).noquote() << "Comm port flushed"
                              << QStringLiteral(" (lines read: %1)").arg(lines);
}

bool SerialController::OpenFile(const QString &fileName)
{
    if (IsOpen())
        return false;

    auto *file = new QFile(fileName, this);
    if (!file->open(QIODevice::ReadOnly)) {
        openError = file->errorString();
        delete file;
        return false;
    }
    openError.clear();
    replayFile = file;
    lines.Reset(LineAssembler::Source::Log);
    atLogStart = true;

    replayTimer = new QTimer(this);
    if (fastReplay) {
        connect(replayTimer, &QTimer::timeout, this, &SerialController::ReplayBlock);
        replayTimer->setInterval(0);
    } else {
        connect(replayTimer, &QTimer::timeout, this, &SerialController::OnReceived);
        replayTimer->setInterval(ReplayIntervalMs);
    }
    replayTimer->start();

    emit Opened();
    return true;
}

bool SerialController::Close()
{
    bool closedSomething = false;
    // A delivery under way stops after the line it is passing on.
    lines.Reset(LineAssembler::Source::Port);
    if (port) {
        QSerialPort *closing = port;
        port = nullptr;
        disconnect(closing, nullptr, this, nullptr);
        if (closing->isOpen()) {
            closing->setDataTerminalReady(false);
            if (closing->bytesToWrite() > 0)
                closing->waitForBytesWritten(500);
            closing->close();
        }
        // Close may be reached from within one of the port's own signals.
        closing->deleteLater();
        closedSomething = true;
    }
    if (replayFile) {
        if (replayTimer) {
            disconnect(replayTimer, nullptr, this, nullptr);
            replayTimer->stop();
            replayTimer->deleteLater();
            replayTimer = nullptr;
        }
        replayFile->close();
        delete replayFile;
        replayFile = nullptr;
        closedSomething = true;
    }
    // Told once the line is free: a listener may open it again at once, on
    // another thread, and would otherwise find it still held.
    if (closedSomething)
        emit Closed();
    return closedSomething;
}

bool SerialController::IsOpen() const
{
    return port != nullptr || replayFile != nullptr;
}

bool SerialController::IsFileOpen() const
{
    return replayFile != nullptr;
}

QString SerialController::ErrorString() const
{
    if (port)
        return lineError.isEmpty() ? port->errorString() : lineError;
    if (replayFile)
        return replayFile->errorString();
    if (!openError.isEmpty())
        return openError;
    return tr("Unknown error");
}

void SerialController::OnSend(QString text)
{
    if (!port)
        return;
    if (!port->isOpen()) {
        // The far end has gone; the owner has not closed the line yet.
        ReportSendFailure();
        return;
    }
    const QByteArray bytes = text.toLatin1();
    const qint64 written = port->write(bytes);
    if (written != bytes.size()) {
        qCDebug(lcLink).noquote() << "Write to the port failed:" << port->errorString();
        ReportSendFailure();
        return;
    }
    // The presence poll is left out, as its answers are.
    if (logging.loadRelaxed() && !text.contains(QLatin1String(PresencePoll)))
        WriteLog(SentLogLine(text));
    emit Sent(text);
}

QByteArray SerialController::SentLogLine(const QString &text)
{
    QByteArray line = SentLogMark + text.toUtf8();
    while (line.endsWith('\n') || line.endsWith('\r'))
        line.chop(1);
    return line + '\n';
}

QString SerialController::WithoutSentMark(QString line)
{
    // Older logs mark a sent line with ">" alone.
    if (line.startsWith(QLatin1Char('>')))
        line.remove(0, line.startsWith(QLatin1String(SentLogMark)) ? 2 : 1);
    return line;
}

void SerialController::OnReceived()
{
    if (port) {
        int pieces = 0;
        while (port && port->bytesAvailable() > 0 && pieces < MaxPiecesPerNotification) {
            char buffer[PieceSize + 1];
            const qint64 length = port->readLine(buffer, sizeof buffer);
            if (length <= 0)
                break;
            ++pieces;
            lines.AddPiece(buffer, int(length));
        }
        // A flood is read in turns, giving the event loop a turn in between;
        // what is left is read at once rather than at the next arrival.
        if (port && port->bytesAvailable() > 0 && !readAgainQueued) {
            readAgainQueued = true;
            QTimer::singleShot(0, this, [this] {
                readAgainQueued = false;
                OnReceived();
            });
        }
        return;
    }
    if (replayFile) {
        char buffer[PieceSize + 1];
        qint64 length = replayFile->atEnd() ? 0 : replayFile->readLine(buffer, sizeof buffer);
        if (length <= 0) {
            lines.Finish();
            if (replayFile)
                emit Closed();
            return;
        }
        const char *bytes = buffer;
        SkipByteOrderMark(bytes, length);
        lines.AddPiece(bytes, int(length));
    }
}

void SerialController::OnWritten(qlonglong bytes)
{
    // Bytes have reached the line again: a later failure is news.
    if (bytes > 0) {
        sendFailureReported = false;
        refusedWrites = 0;
    }
}

void SerialController::OnDSRChanged(bool status)
{
    Q_UNUSED(status)
}

void SerialController::OnPortError(QSerialPort::SerialPortError error)
{
    if (!port || !port->isOpen())
        return;
    // A write that the line refuses for now (its output queue is full) stays
    // in the port, which tries it again when the line takes more; only a run
    // of refusals fails.
    if ((error == QSerialPort::WriteError || error == QSerialPort::ResourceError) &&
        port->errorString() == qt_error_string(EAGAIN) && port->bytesToWrite() > 0 &&
        ++refusedWrites <= MaxRefusedWrites) {
        qCDebug(lcLink) << "The line takes no more for now; the write is tried again";
        port->clearError();
        return;
    }
    switch (error) {
    case QSerialPort::WriteError:
        qCDebug(lcLink).noquote() << "Write to the port failed:" << port->errorString();
        ReportSendFailure();
        break;
    case QSerialPort::ResourceError:
    case QSerialPort::ReadError:
        // The error text of a hang-up is whatever the last system call left
        // (often EAGAIN), and the same hang-up may come as either error.
        if (HasHungUp())
            LineFailed(tr("The serial device hung up: the unit or its adapter was unplugged"));
        else if (error == QSerialPort::ResourceError)
            LineFailed(tr("The serial device has gone (%1): the unit or its adapter was unplugged")
                           .arg(port->errorString()));
        break;
    default:
        break;
    }
}

bool SerialController::HasHungUp() const
{
    pollfd descriptor{int(port->handle()), POLLIN, 0};
    return ::poll(&descriptor, 1, 0) > 0 && (descriptor.revents & (POLLHUP | POLLERR | POLLNVAL));
}

void SerialController::LineFailed(const QString &reason)
{
    // The device has vanished (adapter pulled, far end of a pseudo-terminal
    // closed). Its notifications would now fire without pause, so the port is
    // released; the line counts as open until the owner closes it, and every
    // write meanwhile fails. The release waits for the port's own signal to
    // return.
    if (!lineError.isEmpty())
        return;
    lineError = reason;
    qCDebug(lcLink).noquote() << "Serial line failed:" << lineError;
    QTimer::singleShot(0, this, [this] {
        if (!port || !port->isOpen())
            return;
        const bool unsent = port->bytesToWrite() > 0;
        port->close();
        // The loss is the news; a write it cut short only follows from it.
        emit LineLost(lineError);
        if (unsent)
            ReportSendFailure();
    });
}

void SerialController::ReportSendFailure()
{
    if (sendFailureReported)
        return;
    sendFailureReported = true;
    emit SendError();
}

void SerialController::PassOnLine(const ReceivedLine &line, bool prompt)
{
    if (!prompt && logging.loadRelaxed() && !line.Contains(PresencePoll))
        WriteLog(line.Utf8());
    static const QMetaMethod receivedSignal = QMetaMethod::fromSignal(&SerialController::Received);
    if (textListeners.Listened([this] { return isSignalConnected(receivedSignal); }))
        emit Received(line.Text());
    // A sink may remove itself, or another, while taking the line.
    for (int i = 0; i < sinks.size(); ++i)
        sinks.at(i)->TakeLine(line);
}

void SerialController::connectNotify(const QMetaMethod &signal)
{
    Q_UNUSED(signal)
    textListeners.Forget();
}

void SerialController::disconnectNotify(const QMetaMethod &signal)
{
    Q_UNUSED(signal)
    textListeners.Forget();
}

void SerialController::AddLineSink(LineSink *sink)
{
    if (!sinks.contains(sink))
        sinks.append(sink);
}

void SerialController::RemoveLineSink(LineSink *sink)
{
    sinks.removeAll(sink);
}

// Log files are written in UTF-8; the mark that may open one is no text.
void SerialController::SkipByteOrderMark(const char *&bytes, qint64 &length)
{
    if (!atLogStart)
        return;
    atLogStart = false;
    if (length >= 3 && bytes[0] == '\xEF' && bytes[1] == '\xBB' && bytes[2] == '\xBF') {
        bytes += 3;
        length -= 3;
    }
}

void SerialController::ReplayBlock()
{
    if (!replayFile)
        return;
    const QByteArray block = replayFile->read(ReplayBlockSize);
    if (block.isEmpty()) {
        EndFastReplay();
        return;
    }
    const char *bytes = block.constData();
    qint64 length = block.size();
    SkipByteOrderMark(bytes, length);
    lines.AddBlock(bytes, int(length));
}

void SerialController::EndFastReplay()
{
    lines.Finish();
    if (!replayFile)
        return;
    // The end is told once; the log stays held until the owner closes.
    if (replayTimer)
        replayTimer->stop();
    emit Closed();
}

void SerialController::WriteLog(const QByteArray &bytes)
{
    bool failed = false;
    {
        QMutexLocker locker(&logLock);
        if (!logFile)
            return;
        // Flushed line by line, so that a full disk shows at once and the log
        // survives a crash of the program.
        failed = logFile->write(bytes) != bytes.size() || !logFile->flush();
        if (!failed) {
            saveFailureReported = false;
        } else if (saveFailureReported) {
            failed = false; // already reported
        } else {
            saveFailureReported = true;
        }
    }
    if (failed)
        emit SaveError();
}

QByteArray SerialController::WithHeaderNote(const QByteArray &log, const QString &note)
{
    // One comment line, whatever the note holds: a line break would start
    // a line of its own, and a sentence's start makes replay read the line
    // as traffic.
    QString text = note;
    for (QChar &c : text) {
        if (c.category() == QChar::Other_Control || c == QLatin1Char('$') || c == QLatin1Char('!'))
            c = QLatin1Char(' ');
    }
    const QByteArray line = "# vandrel " + text.toUtf8() + '\n';
    // The banner WriteLogBanner opens every log with: "#", its line, "#".
    const int bannerLine = log.indexOf('\n', 2);
    if (log.startsWith("#\n#") && bannerLine > 0)
        return log.left(bannerLine + 1) + line + log.mid(bannerLine + 1);
    return "#\n" + line + "#\n" + log;
}

void SerialController::WriteLogBanner(const QString &text)
{
    logFile->write("#\n");
    logFile->write(text.toUtf8());
    logFile->write("\n#\n");
    logFile->flush();
}

bool SerialController::StartLog(const QString &fileName)
{
    QMutexLocker locker(&logLock);
    if (logFile)
        return false;
    // The log is written where its name leads, but never through a link
    // that another user put in a folder everyone may write to.
    Platform &platform = Platform::Current();
    Platform::SaveTarget target;
    int error = 0;
    QString link;
    if (!platform.OpenSaveTarget(fileName, &target, &error, &link)) {
        if (error == Platform::ForeignLink) {
            logOpenError = RegularFile::SystemProblem(link, error, RegularFile::Writing);
            return false;
        }
    }
    const QString resolved = target.folder != Platform::NoHandle ? target.Path() : fileName;
    platform.CloseSaveTarget(&target);
    auto *file = new QFile(resolved);
    if (!file->open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        logOpenError = file->errorString();
        delete file;
        return false;
    }
    logOpenError.clear();
    saveFailureReported = false;
    logFile = file;
    logging.storeRelaxed(true);
    WriteLogBanner(tr("# vandrel Started log file at ") + LogTimestamp());
    return true;
}

bool SerialController::StopLog()
{
    QMutexLocker locker(&logLock);
    if (!logFile)
        return false;
    WriteLogBanner(tr("# vandrel Stopped log file at ") + LogTimestamp());
    logFile->close();
    delete logFile;
    logFile = nullptr;
    logging.storeRelaxed(false);
    return true;
}

QString SerialController::LogErrorString() const
{
    QMutexLocker locker(&logLock);
    if (logFile)
        return logFile->errorString();
    if (!logOpenError.isEmpty())
        return logOpenError;
    return tr("Unknown error");
}

void SerialController::RefreshPorts()
{
    PortInfoList &cache = PortCache();
    cache = ListPorts();
    PortCacheFilled() = true;
}

PortInfoList SerialController::ListPorts()
{
    const PortEnumeration &enumeration = Enumeration();
    return enumeration ? enumeration() : PortEnumerator::Ports();
}

bool SerialController::IsPortEnumerationReplaced()
{
    return bool(Enumeration());
}

void SerialController::SetPortEnumeration(PortEnumeration enumeration)
{
    Enumeration() = std::move(enumeration);
    PortCache().clear();
    PortCacheFilled() = false;
}

bool SerialController::IsUnitAdapter(const PortInfo &port)
{
    return port.vendorId == DeviceVendorId && port.productId == DeviceProductId;
}

QString SerialController::FindDevicePort()
{
    RefreshPorts();
    return KnownDevicePort();
}

QString SerialController::KnownDevicePort()
{
    if (!PortCacheFilled())
        RefreshPorts();
    for (const PortInfo &port : qAsConst(PortCache())) {
        if (IsUnitAdapter(port))
            return port.portName;
    }
    return QString();
}

QStringList SerialController::UnitPorts(const QStringList &named)
{
    RefreshPorts();
    QStringList ports;
    for (const PortInfo &port : qAsConst(PortCache())) {
        if (IsUnitAdapter(port))
            ports << port.portName;
    }
    for (const PortInfo &port : PortEnumerator::EnvironmentPorts())
        ports << port.portName;
    ports << named;
    ports.removeDuplicates();
    return ports;
}

QString SerialController::FriendlyName(const QString &portName)
{
    if (!PortCacheFilled())
        RefreshPorts();
    for (const PortInfo &port : qAsConst(PortCache())) {
        if (port.portName == portName)
            return port.friendlyName.isEmpty() ? portName : port.friendlyName;
    }
    return portName;
}

QList<QPair<QString, QString>> SerialController::PortList()
{
    RefreshPorts();
    QList<QPair<QString, QString>> ports;
    for (const PortInfo &port : qAsConst(PortCache())) {
        if (port.portName.startsWith(QLatin1String("LPT")))
            continue;
        ports.append(qMakePair(port.portName,
                               port.friendlyName.isEmpty() ? port.portName : port.friendlyName));
    }
    return ports;
}
