#ifndef TRAFFICGENERATOR_H
#define TRAFFICGENERATOR_H

#include "unitconfig.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>

// Builds what the unit sends without being asked: its GPS receiver's
// sentences, its own AIS report, alarms and texts, and, for tests, a flood of
// valid and broken lines.
class TrafficGenerator
{
public:
    explicit TrafficGenerator(const UnitConfig *config) : m_config(config) {}

    // The true bearing the unit drifts on, and the part of each cycle at its
    // end during which the fix is lost.
    static constexpr double DriftBearing = 45.0;
    static constexpr double FixGapPart = 0.125;

    // Where the unit is at a moment, seen from its nominal position.
    struct Situation
    {
        qint64 latitude = 0; // ten-thousandths of a minute, as the config holds it
        qint64 longitude = 0;
        double offsetMetres = 0;
        bool fixLost = false;
        bool offPosition = false; // beyond the configured threshold
    };

    // Drift and fix gaps repeat every cycle of seconds, counted from start.
    void setCycle(double seconds, const QDateTime &start);
    // Out to metres from the nominal position and back once a cycle; zero:
    // the unit stays put.
    void setDrift(double metres) { m_driftMetres = metres; }
    // The GPS fix is lost for the last FixGapPart of each cycle.
    void setFixGaps(bool gaps) { m_fixGaps = gaps; }
    // A receiver that tells its fix in RMC alone.
    void setRmcOnly(bool rmcOnly) { m_rmcOnly = rmcOnly; }
    // The unit's own report names this instead of the name held; empty: that.
    void setBroadcastName(const QString &name) { m_broadcastName = name; }
    Situation situation(const QDateTime &utc) const;

    // RMC, GSA and the GSV group of one second.
    QList<QByteArray> gpsFix(const QDateTime &utc) const;
    // A multi-part GPS TXT message; each call takes the next text identifier.
    QList<QByteArray> gpsText();
    // VDO with message 21 for the unit's own MMSI.
    QList<QByteArray> ownReport(const QDateTime &utc) const;
    // ALR status of every alarm the unit knows.
    QList<QByteArray> alarms(const QDateTime &utc) const;
    // One AI TXT message (sometimes in two parts).
    QList<QByteArray> unitText();
    // One flood line; even numbers give valid sentences, odd ones broken lines.
    QByteArray floodLine(quint64 n, const QDateTime &utc) const;

private:
    const UnitConfig *m_config;
    double m_driftMetres = 0;
    double m_cycleSeconds = 120;
    QDateTime m_cycleStart;
    bool m_fixGaps = false;
    bool m_rmcOnly = false;
    QString m_broadcastName;
    int m_gpsTextId = 0;
    int m_unitTextCount = 0;
};

#endif // TRAFFICGENERATOR_H
