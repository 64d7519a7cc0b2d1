#include "link/serialcontroller.h"

#include "link/portenumerator.h"
#include "link/portprobe.h"
#include "sentences/parsedsentence.h"
#include "sentences/sentenceview.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDebug>
#include <QElapsedTimer>
#include <QFile>
#include <QMutexLocker>
#include <QRegularExpression>
#include <QTextCodec>
#include <QTextDecoder>
#include <QTimer>

#include <cstring>
#include <poll.h>

namespace {

// The port records shared by the discovery queries; used on the user-interface
// thread only.
PortInfoList &PortCache()
{
    static PortInfoList cache;
    return cache;
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

// A "$" or "!" followed by four upper-case letters or digits: where a
// sentence may begin. The index of the first at or after from, or -1.
int SentenceStart(const QString &text, int from)
{
    const QChar *d = text.constData();
    const int n = text.size();
    // The framework's character search is vectorised; most lines hold one
    // start character or none.
    int dollar = text.indexOf(QLatin1Char('$'), from);
    int bang = text.indexOf(QLatin1Char('!'), from);
    while (dollar >= 0 || bang >= 0) {
        const int p = bang < 0 || (dollar >= 0 && dollar < bang) ? dollar : bang;
        if (p + 4 >= n)
            return -1;
        bool start = true;
        for (int i = p + 1; i <= p + 4 && start; ++i) {
            const ushort u = d[i].unicode();
            start = (u >= '0' && u <= '9') || (u >= 'A' && u <= 'Z');
        }
        if (start)
            return p;
        if (p == dollar)
            dollar = text.indexOf(QLatin1Char('$'), p + 1);
        else
            bang = text.indexOf(QLatin1Char('!'), p + 1);
    }
    return -1;
}

// No byte above 127 and no zero byte.
bool IsPlainAscii(const char *bytes, int length)
{
    for (int i = 0; i < length; ++i) {
        const uchar byte = uchar(bytes[i]);
        if (byte == 0 || byte > 127)
            return false;
    }
    return true;
}

QString LogTimestamp()
{
    return QDateTime::currentDateTime().toString(QStringLiteral("hh:mm:ss yyyy/MM/dd"));
}

} // namespace

SerialController::SerialController(QObject *parent) : QObject(parent) {}

SerialController::~SerialController()
{
    if (IsOpen())
        Close();
    StopLog();
    delete replayDecoder;
}

bool SerialController::Open(const QString &portName, qint32 baudRate)
{
    if (IsOpen() || portName.isEmpty())
        return false;

    auto *newPort = new QSerialPort(portName, this);
    if (!newPort->open(QIODevice::ReadWrite)) {
        openError = newPort->errorString();
        openProblem = PortProbe::ProblemOf(portName, newPort->error());
        qDebug().noquote() << "Cannot open" << portName << ":" << openError;
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
        qDebug().noquote() << "DTR not raised on" << portName << ":" << newPort->errorString();
        newPort->clearError();
    }
    newPort->clear(QSerialPort::Output);
    newPort->setReadBufferSize(PortReadBufferSize);

    port = newPort;
    sendFailureReported = false;
    lineError.clear();
    lineBuffer.clear();

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
    qDebug() << "Attempting to flush out the comm port...";
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
    while (port && !sentenceEndSeen && clock.elapsed() < FlushTimeoutMs) {
        char buffer[1024];
        const qint64 length = port->readLine(buffer, sizeof buffer);
        const QString text =
            length > 0 ? WithoutNul(QString::fromLatin1(buffer, int(length))) : QString();
        ++lines;
        if (text.contains(sentenceEnd)) {
            sentenceEndSeen = true;
            qDebug().noquote() << "\tBailing-out from flushing loop, end of a NMEA sentence found: "
                               << text;
        }
        if (!text.isEmpty())
            qDebug().noquote() << "\tFlushing out line " << lines << ": " << text;
        QEventLoop::ProcessEventsFlags flags = QEventLoop::ExcludeUserInputEvents;
        if (text.isEmpty())
            flags |= QEventLoop::WaitForMoreEvents;
        QCoreApplication::processEvents(flags);
    }
    qDebug().noquote() << "Comm port flushed" << QStringLiteral(" (lines read: %1)").arg(lines);
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
    lineBuffer.clear();
    replayPending.clear();
    replayLongLine = false;
    delete replayDecoder;
    replayDecoder = QTextCodec::codecForName("UTF-8")->makeDecoder();
    // The decoder sees the first line, so that it takes a byte order mark
    // at the start of the log.
    decoderAtLineStart = false;

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
    if (port) {
        emit Closed();
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
        emit Closed();
        if (replayTimer) {
            disconnect(replayTimer, nullptr, this, nullptr);
            replayTimer->stop();
            replayTimer->deleteLater();
            replayTimer = nullptr;
        }
        replayFile->close();
        delete replayFile;
        replayFile = nullptr;
        replayPending.clear();
        replayLongLine = false;
        closedSomething = true;
    }
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
        qDebug().noquote() << "Write to the port failed:" << port->errorString();
        ReportSendFailure();
        return;
    }
    emit Sent(text);
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
            ProcessLine(WithoutNul(QString::fromLatin1(buffer, int(length))));
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
        const qint64 length = replayFile->atEnd() ? 0 : replayFile->readLine(buffer, sizeof buffer);
        if (length <= 0) {
            FlushLineBuffer();
            if (replayFile)
                emit Closed();
            return;
        }
        ProcessLine(WithoutNul(replayDecoder->toUnicode(buffer, int(length))));
    }
}

void SerialController::OnWritten(qlonglong bytes)
{
    // Bytes have reached the line again: a later failure is news.
    if (bytes > 0)
        sendFailureReported = false;
}

void SerialController::OnDSRChanged(bool status)
{
    Q_UNUSED(status)
}

void SerialController::OnPortError(QSerialPort::SerialPortError error)
{
    if (!port || !port->isOpen())
        return;
    switch (error) {
    case QSerialPort::WriteError:
        qDebug().noquote() << "Write to the port failed:" << port->errorString();
        ReportSendFailure();
        break;
    case QSerialPort::ResourceError:
        LineFailed(port->errorString());
        break;
    case QSerialPort::ReadError:
        // The error text of a hang-up is whatever the last system call left.
        if (HasHungUp())
            LineFailed(tr("The serial device has hung up"));
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
    qDebug().noquote() << "Serial line failed:" << lineError;
    QTimer::singleShot(0, this, [this] {
        if (!port || !port->isOpen())
            return;
        const bool unsent = port->bytesToWrite() > 0;
        port->close();
        if (unsent)
            ReportSendFailure();
        emit LineLost(lineError);
    });
}

void SerialController::ReportSendFailure()
{
    if (sendFailureReported)
        return;
    sendFailureReported = true;
    emit SendError();
}

void SerialController::ProcessLine(const QString &piece)
{
    // Header and footer lines of a traffic log; a line that only happens to
    // begin with "#" ahead of a sentence is kept.
    if (piece.startsWith(QLatin1Char('#')) && SentenceStart(piece, 1) < 0)
        return;
    // A logged transmitted line is shown as sent; a sentence from the unit
    // that followed its prompt on the same line was received.
    if (replayFile && piece.startsWith(QLatin1Char('>')) && !FollowsPrompt(piece)) {
        emit Sent(piece);
        return;
    }

    if (piece.endsWith(QLatin1Char('\n'))) {
        QString line = lineBuffer + piece;
        lineBuffer.clear();
        DeliverLine(line);
        return;
    }

    // The unit's prompt comes without a line end.
    const bool promptPiece = piece.endsWith(QLatin1Char('>')) && piece.size() <= 2;
    if (promptPiece) {
        emit Received(piece);
        return;
    }

    lineBuffer += piece;
    while (lineBuffer.size() > MaxLineLength) {
        qDebug() << "Received more than" << MaxLineLength
                 << "characters without a line end; passing them on as a line";
        QString part = lineBuffer.left(MaxLineLength);
        lineBuffer.remove(0, MaxLineLength);
        part += QLatin1Char('\n');
        DeliverLine(part);
    }
}

// A line that was cut short on the line runs into the sentence after it, and
// the two fail the checksum together. Such a line is passed on in parts, one
// at each sentence start, so that the sound sentence is not lost with it.
void SerialController::DeliverLine(QString line)
{
    line.remove(QLatin1Char('\r'));
    const int first = SentenceStart(line, 0);
    int next = first < 0 ? -1 : SentenceStart(line, first + 1);
    if (next >= 0 && !SentenceView(line).IsValid()) {
        int from = 0;
        while (next >= 0) {
            PassOnLine(line.mid(from, next - from) + QLatin1Char('\n'));
            from = next;
            next = SentenceStart(line, from + 1);
        }
        line.remove(0, from);
    }
    PassOnLine(line);
}

void SerialController::PassOnLine(const QString &line)
{
    if (logging.loadRelaxed() && !line.contains(QLatin1String("getserno")))
        WriteLog(line);
    emit Received(line);
}

// ">" characters, then a sentence that the tool does not send itself: its
// own talker, or a shell command (the unit answers those with access 255).
bool SerialController::FollowsPrompt(const QString &piece)
{
    int at = 0;
    while (at < piece.size() && piece.at(at) == QLatin1Char('>'))
        ++at;
    if (SentenceStart(piece, at) != at)
        return false;
    const QStringRef sentence = piece.midRef(at);
    if (sentence.startsWith(QLatin1Char('$') + OwnTalker))
        return false;
    return !sentence.startsWith(QLatin1String("$PVKX,")) ||
           sentence.startsWith(QLatin1String("$PVKX,255,"));
}

// The last line of a log may lack its line end; it is passed on all the same.
void SerialController::FlushLineBuffer()
{
    if (lineBuffer.isEmpty())
        return;
    QString line = lineBuffer + QLatin1Char('\n');
    lineBuffer.clear();
    DeliverLine(line);
}

void SerialController::ReplayBlock()
{
    if (!replayFile)
        return;
    const QByteArray bytes = replayFile->read(ReplayBlockSize);
    if (bytes.isEmpty()) {
        EndFastReplay();
        return;
    }
    const char *data = bytes.constData();
    const int n = bytes.size();
    int from = 0;
    while (from < n && replayFile) {
        const void *lineEnd = std::memchr(data + from, '\n', size_t(n - from));
        const int end = lineEnd ? int(static_cast<const char *>(lineEnd) - data) + 1 : n;
        // A whole line of plain ASCII, the common case, becomes its text
        // directly; anything else goes through the decoder, which keeps a
        // character that straddles two blocks whole.
        if (lineEnd && decoderAtLineStart && replayPending.isEmpty() &&
            end - from <= MaxLineLength + 1 && IsPlainAscii(data + from, end - from)) {
            ProcessLine(QString::fromLatin1(data + from, end - from));
        } else {
            decoderAtLineStart = lineEnd != nullptr;
            ReplayText(WithoutNul(replayDecoder->toUnicode(data + from, end - from)));
        }
        from = end;
    }
}

// Every whole line that lies within the text goes to ProcessLine as one
// piece; the start of a line that ends in a later block waits for it.
void SerialController::ReplayText(const QString &text)
{
    const int n = text.size();
    int from = 0;
    while (from < n && replayFile) {
        const int lineEnd = text.indexOf(QLatin1Char('\n'), from);
        const int end = lineEnd < 0 ? n : lineEnd + 1;
        if (lineEnd >= 0 && replayPending.isEmpty() && end - from <= MaxLineLength + 1) {
            ProcessLine(text.mid(from, end - from));
        } else {
            replayPending += text.midRef(from, end - from);
            if (lineEnd >= 0)
                PassOnPendingLine();
            else
                PassOnPendingParts();
        }
        from = end;
    }
}

// The pending text ends a line.
void SerialController::PassOnPendingLine()
{
    if (!replayLongLine && replayPending.size() <= MaxLineLength + 1) {
        const QString line = replayPending;
        replayPending.clear();
        ProcessLine(line);
        return;
    }
    replayPending.chop(1);
    PassOnPendingParts();
    if (!replayPending.isEmpty())
        PassOnPart(replayPending);
    replayPending.clear();
    replayLongLine = false;
}

// A line longer than MaxLineLength is passed on in parts of that length, as
// the line from a port is.
void SerialController::PassOnPendingParts()
{
    while (replayPending.size() > MaxLineLength) {
        const QString part = replayPending.left(MaxLineLength);
        replayPending.remove(0, MaxLineLength);
        PassOnPart(part);
    }
}

void SerialController::PassOnPart(const QString &part)
{
    if (!replayLongLine) {
        replayLongLine = true;
        replayLongKind = part.isEmpty() ? QChar() : part.at(0);
        qDebug() << "Log line longer than" << MaxLineLength << "characters; passing it on in parts";
    }
    if (replayLongKind == QLatin1Char('#'))
        return;
    const QString line = part + QLatin1Char('\n');
    if (replayLongKind == QLatin1Char('>'))
        emit Sent(line);
    else
        DeliverLine(line);
}

void SerialController::EndFastReplay()
{
    if (replayLongLine) {
        PassOnPendingParts();
        if (!replayPending.isEmpty())
            PassOnPart(replayPending);
    } else if (!replayPending.isEmpty()) {
        ProcessLine(replayPending);
    }
    replayPending.clear();
    replayLongLine = false;
    FlushLineBuffer();
    if (!replayFile)
        return;
    // The end is told once; the log stays held until the owner closes.
    if (replayTimer)
        replayTimer->stop();
    emit Closed();
}

void SerialController::WriteLog(const QString &line)
{
    bool failed = false;
    {
        QMutexLocker locker(&logLock);
        if (!logFile)
            return;
        const QByteArray bytes = line.toUtf8();
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
    auto *file = new QFile(fileName);
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
    const PortEnumeration &enumeration = Enumeration();
    PortCache() = enumeration ? enumeration() : PortEnumerator::Ports();
}

void SerialController::SetPortEnumeration(PortEnumeration enumeration)
{
    Enumeration() = std::move(enumeration);
    PortCache().clear();
}

QString SerialController::FindDevicePort()
{
    RefreshPorts();
    for (const PortInfo &port : qAsConst(PortCache())) {
        if (port.vendorId == DeviceVendorId && port.productId == DeviceProductId)
            return port.portName;
    }
    return QString();
}

QString SerialController::FriendlyName(const QString &portName)
{
    if (PortCache().isEmpty())
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
