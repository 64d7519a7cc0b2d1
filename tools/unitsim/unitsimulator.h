#ifndef UNITSIMULATOR_H
#define UNITSIMULATOR_H

#include "ptyline.h"
#include "simoptions.h"
#include "trafficgenerator.h"
#include "unitconfig.h"
#include "unitresponder.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <functional>

// A docked AtoN unit on a pseudo-terminal: the line, the unit's configuration
// and its responder, the unsolicited traffic and the faults asked for.
class UnitSimulator : public QObject
{
    Q_OBJECT

public:
    // Periods of the unsolicited traffic, and the delay of its first send.
    static const int GpsPeriodMs = 1000;
    static const int GpsTextPeriodMs = 20000;
    static const int AlarmPeriodMs = 30000;
    static const int UnitTextPeriodMs = 25000;
    static const int FloodTickMs = 10;

    explicit UnitSimulator(const SimOptions &options, QObject *parent = nullptr);

    // Loads the state, opens the line and starts the traffic.
    bool start(QString *error);
    void stop();
    // Another unit takes the dock: the state file is read again (edited
    // meanwhile by whoever plays the other unit) and getserno is answered.
    void redock();

    QString portPath() const { return m_line.path(); }
    const UnitConfig &config() const { return m_config; }
    const PtyLine &line() const { return m_line; }

signals:
    // The line was closed by --close-after.
    void finished();
    void diagnostic(const QString &text);

private:
    void onLine(const QByteArray &line);
    void send(const QList<QByteArray> &lines);
    void sendGps();
    void sendFlood();
    void saveState();
    // Counts a set sentence and docks the other unit once --swap-after is reached.
    void countSet();
    bool swapUnits(QString *error);
    // The state file of the unit in the dock now.
    QString stateFile() const;
    void every(int periodMs, int firstMs, const std::function<void()> &work);

    SimOptions m_options;
    UnitConfig m_config;
    UnitResponder m_responder;
    TrafficGenerator m_traffic;
    PtyLine m_line;
    QList<QTimer *> m_timers;
    QElapsedTimer m_floodClock;
    double m_floodCredit = 0;
    quint64 m_floodCount = 0;
    bool m_running = false;
    int m_setCount = 0;
    bool m_swapped = false;
    // The alarm conditions last sent, so that a change is reported at once.
    bool m_fixLost = false;
    bool m_offPosition = false;
};

#endif // UNITSIMULATOR_H
