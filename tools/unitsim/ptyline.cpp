#include "ptyline.h"

#include <QFile>
#include <QFileInfo>
#include <QSocketNotifier>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

namespace {
const int PeerPollMs = 20;
const int WritePollMs = 5;
// Pacing never lets more than this many milliseconds of line time pile up.
const int MaxBurstMs = 20;
} // namespace

PtyLine::PtyLine(QObject *parent) : QObject(parent)
{
    m_peerTimer.setInterval(PeerPollMs);
    connect(&m_peerTimer, &QTimer::timeout, this, &PtyLine::checkPeer);
    m_writeTimer.setInterval(WritePollMs);
    m_writeTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_writeTimer, &QTimer::timeout, this, &PtyLine::flushOutput);
    m_clock.start();
}

PtyLine::~PtyLine()
{
    close();
}

bool PtyLine::open(QString *error)
{
    if (m_master >= 0)
        return true;
    int master = -1;
    int slave = -1;
    char name[256] = {};
    if (openpty(&master, &slave, name, nullptr, nullptr) != 0) {
        *error = QStringLiteral("cannot open a pseudo-terminal: %1")
                     .arg(QString::fromLocal8Bit(strerror(errno)));
        return false;
    }
    // Raw on the slave side: no echo of what the unit sends, no line-end
    // translation. The setting stays with the terminal after this end closes.
    termios tio{};
    if (tcgetattr(slave, &tio) == 0) {
        cfmakeraw(&tio);
        cfsetispeed(&tio, B38400);
        cfsetospeed(&tio, B38400);
        tcsetattr(slave, TCSANOW, &tio);
    }
    fcntl(master, F_SETFL, fcntl(master, F_GETFL) | O_NONBLOCK);
    fcntl(master, F_SETFD, FD_CLOEXEC);
    // The slave end is not held here, so that the master sees when the
    // program closes the line.
    ::close(slave);
    m_master = master;
    m_path = QString::fromLocal8Bit(name);
    m_reader = new QSocketNotifier(m_master, QSocketNotifier::Read, this);
    connect(m_reader, &QSocketNotifier::activated, this, &PtyLine::readAvailable);
    m_reader->setEnabled(false);
    m_peerOpen = false;
    m_peerTimer.start();
    return true;
}

bool PtyLine::makeLink(const QString &linkPath, QString *error)
{
    const QFileInfo info(linkPath);
    if (info.exists() || info.isSymLink()) {
        if (!info.isSymLink()) {
            *error =
                QStringLiteral("%1 exists and is not a symbolic link; not replaced").arg(linkPath);
            return false;
        }
        QFile::remove(linkPath);
    }
    if (!QFile::link(m_path, linkPath)) {
        *error = QStringLiteral("cannot make the link %1").arg(linkPath);
        return false;
    }
    m_link = linkPath;
    return true;
}

void PtyLine::close()
{
    m_peerTimer.stop();
    m_writeTimer.stop();
    delete m_reader;
    m_reader = nullptr;
    if (m_master >= 0) {
        ::close(m_master);
        m_master = -1;
    }
    if (!m_link.isEmpty()) {
        const QFileInfo info(m_link);
        if (info.isSymLink() && info.symLinkTarget() == m_path)
            QFile::remove(m_link);
        m_link.clear();
    }
    m_out.clear();
    m_in.clear();
    if (m_peerOpen) {
        m_peerOpen = false;
        emit peerClosed();
    }
}

void PtyLine::send(const QByteArray &bytes)
{
    if (m_master < 0 || !m_peerOpen) {
        m_dropped += bytes.size();
        return;
    }
    if (m_out.size() + bytes.size() > MaxQueuedOutput) {
        m_dropped += bytes.size();
        return;
    }
    if (m_out.isEmpty()) {
        m_lastFlush = m_clock.elapsed();
        m_budget = 0;
    }
    m_out += bytes;
    flushOutput();
}

void PtyLine::flushOutput()
{
    if (m_master < 0 || m_out.isEmpty()) {
        m_writeTimer.stop();
        return;
    }
    qint64 allowed = m_out.size();
    if (m_paced) {
        const qint64 now = m_clock.elapsed();
        m_budget += double(now - m_lastFlush) * CharactersPerSecond / 1000.0;
        m_budget = qMin(m_budget, double(MaxBurstMs) * CharactersPerSecond / 1000.0);
        m_lastFlush = now;
        allowed = qMin<qint64>(allowed, qint64(m_budget));
    }
    if (allowed > 0) {
        const ssize_t n = ::write(m_master, m_out.constData(), size_t(allowed));
        if (n > 0) {
            m_out.remove(0, int(n));
            m_budget -= double(n);
        } else if (n < 0 && errno != EAGAIN && errno != EINTR) {
            emit diagnostic(
                QStringLiteral("write failed: %1").arg(QString::fromLocal8Bit(strerror(errno))));
            lostPeer();
            return;
        }
    }
    if (m_out.isEmpty())
        m_writeTimer.stop();
    else if (!m_writeTimer.isActive())
        m_writeTimer.start();
}

void PtyLine::readAvailable()
{
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(m_master, buffer, sizeof buffer);
        if (n > 0) {
            for (ssize_t i = 0; i < n; ++i) {
                const char c = buffer[i];
                if (c == '\n') {
                    if (!m_discardingLine && !m_in.isEmpty())
                        emit lineReceived(m_in);
                    m_in.clear();
                    m_discardingLine = false;
                } else if (c != '\r' && !m_discardingLine) {
                    m_in += c;
                    if (m_in.size() > MaxLineLength) {
                        emit diagnostic(QStringLiteral("dropped a line longer than %1 characters")
                                            .arg(MaxLineLength));
                        m_in.clear();
                        m_discardingLine = true;
                    }
                }
            }
            if (m_master < 0)
                return; // a handler closed the line
            continue;
        }
        if (n < 0 && (errno == EAGAIN || errno == EINTR))
            return;
        // EIO (or end of file): the other side has closed the line.
        lostPeer();
        return;
    }
}

void PtyLine::lostPeer()
{
    if (m_reader)
        m_reader->setEnabled(false);
    m_writeTimer.stop();
    m_out.clear();
    m_in.clear();
    m_discardingLine = false;
    const bool wasOpen = m_peerOpen;
    m_peerOpen = false;
    if (m_master >= 0)
        m_peerTimer.start();
    if (wasOpen)
        emit peerClosed();
}

void PtyLine::checkPeer()
{
    if (m_master < 0)
        return;
    pollfd pfd{m_master, POLLIN, 0};
    if (::poll(&pfd, 1, 0) < 0)
        return;
    if (pfd.revents & (POLLHUP | POLLERR))
        return; // still nobody on the other side
    m_peerTimer.stop();
    m_peerOpen = true;
    m_reader->setEnabled(true);
    emit peerOpened();
    readAvailable();
}
