#ifndef LINEBATCH_H
#define LINEBATCH_H

#include <QObject>
#include <QStringList>
#include <QTimer>

// Received lines on their way to another thread, handed over together: a
// unit talking fast sends a thousand lines a second, and a queued call for
// each would wake the receiving thread as often. The lines wait at most
// IntervalMs, and no more than MaxLines wait; the owner hands them over
// sooner (Flush) where their order against its other signals matters.
class LineBatch : public QObject
{
    Q_OBJECT

public:
    static constexpr int IntervalMs = 10;
    static constexpr int MaxLines = 256;

    explicit LineBatch(QObject *parent = nullptr);

    void Add(const QString &line);
    void Flush();
    bool IsEmpty() const { return pending.isEmpty(); }

signals:
    void Lines(QStringList lines);

private:
    QStringList pending;
    QTimer due{this};
};

#endif // LINEBATCH_H
