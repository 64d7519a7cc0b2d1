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
    int m_gpsTextId = 0;
    int m_unitTextCount = 0;
};

#endif // TRAFFICGENERATOR_H
