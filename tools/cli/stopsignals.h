#ifndef STOPSIGNALS_H
#define STOPSIGNALS_H

#include <QObject>

// Turns Ctrl-C (SIGINT) and SIGTERM into a Qt signal on the event loop, so
// that a monitor can close its port properly before it ends.
class StopSignals : public QObject
{
    Q_OBJECT

public:
    explicit StopSignals(QObject *parent = nullptr);
    ~StopSignals() override;

signals:
    void Stop();

private:
    QObject *watch = nullptr;
};

#endif // STOPSIGNALS_H
