#ifndef TST_UNITSIM_CLIENT_H
#define TST_UNITSIM_CLIENT_H

// The program's side of the line in the simulator's tests: opens the
// simulator's pseudo-terminal like a serial port and frames NMEA with the
// tests' own checksum, so that the simulator is checked against an independent
// implementation.

#include "support/simprocess.h"
#include "support/testchecksum.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QList>

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

class SimClient
{
public:
    explicit SimClient(const QString &path = QString()) { open(path); }
    ~SimClient()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    SimClient(const SimClient &) = delete;
    SimClient &operator=(const SimClient &) = delete;

    // For a client made without a line.
    void open(const QString &path)
    {
        m_fd = ::open(path.toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        termios tio{};
        if (m_fd >= 0 && tcgetattr(m_fd, &tio) == 0) {
            cfmakeraw(&tio);
            tcsetattr(m_fd, TCSANOW, &tio);
        }
    }
    bool hungUp() const { return m_hungUp; }

    // "$body*HH" (or "!...") framed as the tests frame it.
    static QByteArray framed(const QByteArray &line)
    {
        return TestChecksum::Framed(QString::fromLatin1(line)).toLatin1();
    }
    static bool checksumOk(const QByteArray &line)
    {
        return (line.startsWith('$') || line.startsWith('!')) &&
               framed(line.left(line.lastIndexOf('*'))) == line;
    }
    // The line without its start character and checksum.
    static QByteArray body(const QByteArray &l) { return l.mid(1, l.lastIndexOf('*') - 1); }
    // Data field i of a received line (0: the address).
    static QByteArray field(const QByteArray &l, int i) { return body(l).split(',').value(i); }

    // Writes everything, letting the simulator read meanwhile: a long write
    // fills the pseudo-terminal's buffer.
    void sendRaw(const QByteArray &bytes)
    {
        qint64 done = 0;
        QElapsedTimer t;
        t.start();
        while (m_fd >= 0 && done < bytes.size() && t.elapsed() < 3000) {
            const ssize_t n = ::write(m_fd, bytes.constData() + done, size_t(bytes.size() - done));
            if (n > 0)
                done += n;
            else
                pump(2);
        }
    }
    void send(const QByteArray &body) { sendRaw(framed('$' + body) + "\r\n"); }

    // Lines starting with prefix, for ms milliseconds or until count of them came.
    QList<QByteArray> collect(int ms, const QByteArray &prefix = {}, int count = INT_MAX)
    {
        QList<QByteArray> lines;
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < ms && lines.size() < count) {
            pump(5);
            for (int nl; (nl = m_pending.indexOf('\n')) >= 0; m_pending.remove(0, nl + 1)) {
                const QByteArray line = m_pending.left(nl).trimmed();
                if (line.startsWith(prefix))
                    lines << line;
            }
        }
        return lines;
    }
    QList<QByteArray> query(const QByteArray &formatter, int count)
    {
        send("UPAIQ," + formatter);
        return collect(1500, "$AI" + formatter + ',', count);
    }
    // A shell command as the program sends it; an empty code is the right
    // one for the level.
    static QByteArray shellSentence(const QByteArray &command, int tag, int level,
                                    QByteArray code = QByteArray())
    {
        static const char *codes[] = {"0x6E2D9A41", "0x8B47F2D0", "0x19C5E3A7", "0xD4716B5E"};
        if (code.isEmpty())
            code = codes[qBound(0, level, 3)];
        return "PVKX,0," + QByteArray::number(level) + ',' + code + ",1," + command + ',' +
               QByteArray::number(tag);
    }
    // Sends a shell command and returns its answer (empty when none came).
    QByteArray shell(const QByteArray &command, int tag, int level)
    {
        send(shellSentence(command, tag, level));
        return collect(1500, "$PVKX,", 1).value(0);
    }

    // Runs the event loop and reads what arrived (a closed line is polled as
    // a wait).
    void pump(int ms)
    {
        QCoreApplication::processEvents(QEventLoop::AllEvents, ms);
        pollfd pfd{m_fd, POLLIN, 0};
        if (::poll(&pfd, 1, ms) > 0) {
            char buf[4096];
            const ssize_t n = (pfd.revents & POLLIN) ? ::read(m_fd, buf, sizeof buf) : 0;
            if (n > 0)
                m_pending.append(buf, int(n));
            else if (pfd.revents & (POLLHUP | POLLERR))
                m_hungUp = true;
        }
    }

private:
    int m_fd = -1;
    bool m_hungUp = false;
    QByteArray m_pending;
};

#endif // TST_UNITSIM_CLIENT_H
