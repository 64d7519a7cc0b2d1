#ifndef PTYPAIR_H
#define PTYPAIR_H

#include <QByteArray>
#include <QString>

// A pseudo-terminal pair for serial tests: the code under test opens
// slavePath() like a serial port, the test plays the far end on the master.
// Both ends are raw: no echo, no line-ending translation.  Made from a path,
// it is the test's end of a line that exists already (a simulator's).
class PtyPair
{
public:
    PtyPair();
    explicit PtyPair(const QString &path);
    ~PtyPair();
    PtyPair(const PtyPair &) = delete;
    PtyPair &operator=(const PtyPair &) = delete;

    bool isOpen() const { return m_master >= 0; }
    QString slavePath() const { return m_slavePath; }
    // The far end closed the line (seen while reading).
    bool hungUp() const { return m_hungUp; }

    // Writes all bytes to the master end; false on a failed or short write.
    bool write(const QByteArray &bytes);
    // Reads what arrives on the master end for ms milliseconds, processing
    // Qt events meanwhile so that the code under test keeps running.
    QByteArray readFor(int ms);
    // Reads until the collected bytes contain needle or ms milliseconds pass.
    QByteArray readUntil(const QByteArray &needle, int ms);
    // Drops the test's own hold of the slave end (so that a hang-up can be seen).
    void closeSlave();
    void closeMaster();

private:
    int m_master = -1;
    int m_slave = -1;
    QString m_slavePath;
    bool m_hungUp = false;
};

#endif // PTYPAIR_H
