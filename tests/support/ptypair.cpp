#include "ptypair.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QThread>

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

namespace {

void MakeRaw(int fd)
{
    termios tio{};
    if (tcgetattr(fd, &tio) == 0) {
        cfmakeraw(&tio);
        tcsetattr(fd, TCSANOW, &tio);
    }
}

} // namespace

PtyPair::PtyPair()
{
    char name[256] = {};
    int master = -1;
    int slave = -1;
    if (openpty(&master, &slave, name, nullptr, nullptr) != 0)
        return;
    MakeRaw(slave);
    fcntl(master, F_SETFL, fcntl(master, F_GETFL) | O_NONBLOCK);
    m_master = master;
    m_slave = slave;
    m_slavePath = QString::fromLocal8Bit(name);
}

PtyPair::PtyPair(const QString &path) : m_slavePath(path)
{
    m_master = ::open(QFile::encodeName(path).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (m_master >= 0)
        MakeRaw(m_master);
}

PtyPair::~PtyPair()
{
    closeSlave();
    closeMaster();
}

bool PtyPair::write(const QByteArray &bytes)
{
    if (m_master < 0)
        return false;
    qint64 done = 0;
    QElapsedTimer timer;
    timer.start();
    while (done < bytes.size() && timer.elapsed() < 5000) {
        const ssize_t n = ::write(m_master, bytes.constData() + done, size_t(bytes.size() - done));
        if (n > 0) {
            done += n;
        } else if (n < 0 && errno != EAGAIN && errno != EINTR) {
            return false;
        } else {
            QCoreApplication::processEvents();
            QThread::msleep(1);
        }
    }
    return done == bytes.size();
}

QByteArray PtyPair::readUntil(const QByteArray &needle, int ms)
{
    QByteArray got;
    if (m_master < 0)
        return got;
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        pollfd pfd{m_master, POLLIN, 0};
        if (::poll(&pfd, 1, 5) > 0) {
            char buf[4096];
            const ssize_t n = (pfd.revents & POLLIN) ? ::read(m_master, buf, sizeof buf) : 0;
            if (n > 0)
                got.append(buf, int(n));
            else if (pfd.revents & (POLLHUP | POLLERR))
                m_hungUp = true;
        }
        if (!needle.isEmpty() && got.contains(needle))
            break;
    }
    return got;
}

QByteArray PtyPair::readFor(int ms)
{
    return readUntil(QByteArray(), ms);
}

void PtyPair::closeSlave()
{
    if (m_slave >= 0)
        ::close(m_slave);
    m_slave = -1;
}

void PtyPair::closeMaster()
{
    if (m_master >= 0)
        ::close(m_master);
    m_master = -1;
}
