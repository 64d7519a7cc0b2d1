#ifndef PTYLINE_H
#define PTYLINE_H

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>

class QSocketNotifier;

// The unit's end of the serial line: the master side of a pseudo-terminal
// whose slave path the program opens like a serial port. Lines written are
// paced like a 38400-baud line unless pacing is off; lines read are split at
// "\n". While nobody has the slave end open, output is dropped, as a unit's
// output is lost when no one listens; the line is watched so that the other
// side may close and open it again at any time.
class PtyLine : public QObject
{
    Q_OBJECT

public:
    static const int CharactersPerSecond = 3840; // 38400 baud, 10 bits a character
    static const int MaxLineLength = 1024;       // longer input without "\n" is dropped
    static const int MaxQueuedOutput = 256 * 1024;

    explicit PtyLine(QObject *parent = nullptr);
    ~PtyLine() override;

    bool open(QString *error);
    // A symbolic link to the slave path (an existing link is replaced; any
    // other file at that path is left alone and reported).
    bool makeLink(const QString &linkPath, QString *error);
    void close();

    QString path() const { return m_path; }
    bool isOpen() const { return m_master >= 0; }
    bool isPeerOpen() const { return m_peerOpen; }
    void setPaced(bool paced) { m_paced = paced; }
    bool isPaced() const { return m_paced; }
    int queuedBytes() const { return m_out.size(); }
    qint64 droppedBytes() const { return m_dropped; }

    void send(const QByteArray &bytes);

signals:
    void lineReceived(const QByteArray &line);
    void peerOpened();
    void peerClosed();
    void diagnostic(const QString &text);

private:
    void readAvailable();
    void checkPeer();
    void flushOutput();
    void lostPeer();

    int m_master = -1;
    QString m_path;
    QString m_link;
    QSocketNotifier *m_reader = nullptr;
    QTimer m_peerTimer;
    QTimer m_writeTimer;
    QElapsedTimer m_clock;
    qint64 m_lastFlush = 0;
    double m_budget = 0;
    QByteArray m_in;
    bool m_discardingLine = false;
    QByteArray m_out;
    qint64 m_dropped = 0;
    bool m_peerOpen = false;
    bool m_paced = true;
};

#endif // PTYLINE_H
