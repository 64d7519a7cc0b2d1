#ifndef TST_UNITSIM_CLIENT_H
#define TST_UNITSIM_CLIENT_H

// The program's side of the line in the simulator's tests: opens the
// simulator's pseudo-terminal like a serial port and speaks NMEA with its own
// checksum code, so that the simulator is checked against an independent
// implementation.

#include <QByteArray>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QList>
#include <QString>
#include <QThread>

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <functional>

class SimClient
{
public:
    explicit SimClient(const QString &path) { open(path); }
    ~SimClient() { close(); }
    SimClient(const SimClient &) = delete;
    SimClient &operator=(const SimClient &) = delete;

    bool open(const QString &path)
    {
        close();
        m_fd = ::open(path.toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        termios tio{};
        if (m_fd >= 0 && tcgetattr(m_fd, &tio) == 0) {
            cfmakeraw(&tio);
            tcsetattr(m_fd, TCSANOW, &tio);
        }
        return m_fd >= 0;
    }
    void close()
    {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = -1;
        m_pending.clear();
    }
    bool isOpen() const { return m_fd >= 0; }
    bool hungUp() const { return m_hungUp; }

    static QByteArray checksumOf(const QByteArray &body)
    {
        int x = 0;
        for (char c : body)
            x ^= static_cast<unsigned char>(c);
        return QByteArray::number(x, 16).toUpper().rightJustified(2, '0');
    }
    // True when the line is "$...*HH" (or "!...") with the right upper-case checksum.
    static bool checksumOk(const QByteArray &line)
    {
        const int star = line.lastIndexOf('*');
        if (line.size() < 4 || (line[0] != '$' && line[0] != '!') || star != line.size() - 3)
            return false;
        return line.mid(star + 1) == checksumOf(line.mid(1, star - 1));
    }
    // The line without its start character and checksum.
    static QByteArray body(const QByteArray &line)
    {
        const int star = line.lastIndexOf('*');
        return line.mid(1, star < 0 ? -1 : star - 1);
    }
    // The data fields of a received line (address first, checksum dropped).
    static QList<QByteArray> fields(const QByteArray &line) { return body(line).split(','); }

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
    void send(const QByteArray &body) { sendRaw('$' + body + '*' + checksumOf(body) + "\r\n"); }

    // Collects lines for ms milliseconds, or until done() says enough.
    QList<QByteArray> collect(int ms,
                              const std::function<bool(const QList<QByteArray> &)> &done = nullptr)
    {
        QList<QByteArray> lines;
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < ms) {
            pump(5);
            int nl;
            while ((nl = m_pending.indexOf('\n')) >= 0) {
                lines << m_pending.left(nl).trimmed();
                m_pending.remove(0, nl + 1);
            }
            if (done && done(lines))
                break;
        }
        return lines;
    }
    // Lines starting with prefix, waiting until count of them came or ms passed.
    QList<QByteArray> expect(const QByteArray &prefix, int count, int ms)
    {
        QList<QByteArray> got;
        collect(ms, [&](const QList<QByteArray> &lines) {
            got.clear();
            for (const QByteArray &l : lines) {
                if (l.startsWith(prefix))
                    got << l;
            }
            return got.size() >= count;
        });
        return got;
    }
    QList<QByteArray> query(const QByteArray &formatter, int count, int ms = 1500)
    {
        send("UPAIQ," + formatter);
        return expect("$AI" + formatter + ',', count, ms);
    }
    // Sends a shell command and returns its answer (empty when none came).
    QByteArray shell(const QByteArray &command, int tag, int level = 0,
                     QByteArray code = QByteArray(), int ms = 1500)
    {
        static const char *codes[] = {"0x6E2D9A41", "0x8B47F2D0", "0x19C5E3A7", "0xD4716B5E"};
        if (code.isEmpty())
            code = codes[qBound(0, level, 3)];
        send("PVKX,0," + QByteArray::number(level) + ',' + code + ",1," + command + ',' +
             QByteArray::number(tag));
        return expect("$PVKX,", 1, ms).value(0);
    }

    // Runs the event loop and reads what arrived; false when the line is gone.
    bool pump(int ms)
    {
        QCoreApplication::processEvents(QEventLoop::AllEvents, ms);
        if (m_fd < 0) {
            QThread::msleep(ulong(ms));
            return false;
        }
        pollfd pfd{m_fd, POLLIN, 0};
        if (::poll(&pfd, 1, ms) > 0) {
            char buf[4096];
            const ssize_t n = (pfd.revents & POLLIN) ? ::read(m_fd, buf, sizeof buf) : 0;
            if (n > 0)
                m_pending.append(buf, int(n));
            else if (pfd.revents & (POLLHUP | POLLERR))
                m_hungUp = true;
        }
        return !m_hungUp;
    }

private:
    int m_fd = -1;
    bool m_hungUp = false;
    QByteArray m_pending;
};

#endif // TST_UNITSIM_CLIENT_H
