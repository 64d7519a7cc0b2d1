#ifndef PORTWATCH_H
#define PORTWATCH_H

#include "link/portinfo.h"

#include <QObject>

class QTimer;

// Tells when serial ports have come or gone, so that the lists of ports are
// made afresh only then. The news comes from the system's device events,
// which also cover the folders of the ports the environment names (links to
// pseudo-terminals stand for adapters there); where it has none, and for a
// replaced enumeration (of whose ports the system knows nothing), the ports
// are listed once a second and compared.
class PortWatch : public QObject
{
    Q_OBJECT

public:
    static constexpr int PollIntervalMs = 1000;

    explicit PortWatch(QObject *parent = nullptr);

    bool IsPolling() const { return poll != nullptr; }

signals:
    void Changed();

private:
    void Poll();

    QObject *events = nullptr;
    QTimer *poll = nullptr;
    PortInfoList last;
};

#endif // PORTWATCH_H
