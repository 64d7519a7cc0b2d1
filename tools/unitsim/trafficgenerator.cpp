#include "trafficgenerator.h"

#include "message21encoder.h"
#include "nmeaframe.h"

#include <cmath>

namespace {

// Where the receiver sits when the unit holds no nominal position.
const qint64 FallbackLatitude = (50 * 60 + 47) * 10000LL + 4512;
const qint64 FallbackLongitude = -((1 * 60 + 6) * 10000LL + 2275);

struct Satellite
{
    int prn;
    int elevation;
    int azimuth;
    int snr;
    bool used;
};

const Satellite Sky[] = {{2, 64, 118, 44, true},  {5, 41, 262, 40, true},  {7, 12, 51, 28, false},
                         {13, 55, 303, 42, true}, {15, 23, 198, 35, true}, {18, 8, 12, 0, false},
                         {20, 36, 147, 38, true}, {24, 70, 329, 46, true}, {29, 17, 81, 31, true},
                         {33, 30, 214, 36, false}};
const int SkySize = int(sizeof Sky / sizeof Sky[0]);

QByteArray num(qint64 v, int width)
{
    QByteArray t = QByteArray::number(qAbs(v));
    while (t.size() < width)
        t.prepend('0');
    return v < 0 ? '-' + t : t;
}

QByteArray angle(qint64 tenThousandths, int degreeDigits)
{
    const qint64 v = qAbs(tenThousandths);
    return num(v / 600000, degreeDigits) + num(v % 600000 / 10000, 2) + '.' + num(v % 10000, 4);
}

QByteArray utcTime(const QDateTime &utc)
{
    return utc.toString(QStringLiteral("hhmmss")).toLatin1() + '.' + num(utc.time().msec() / 10, 2);
}

QList<QByteArray> textParts(const QByteArray &address, const QList<QByteArray> &texts, int id)
{
    QList<QByteArray> out;
    for (int i = 0; i < texts.size(); ++i)
        out << NmeaFrame::build('$', address,
                                {num(texts.size(), 2), num(i + 1, 2), num(id, 2), texts.at(i)});
    return out;
}

QList<QByteArray> usedSatellites()
{
    QList<QByteArray> gsa{"A", "3"};
    for (const Satellite &s : Sky) {
        if (s.used)
            gsa << num(s.prn, 2);
    }
    while (gsa.size() < 14)
        gsa << QByteArray();
    gsa << "1.6"
        << "0.9"
        << "1.3";
    return gsa;
}

} // namespace

void TrafficGenerator::setCycle(double seconds, const QDateTime &start)
{
    m_cycleSeconds = seconds;
    m_cycleStart = start;
}

TrafficGenerator::Situation TrafficGenerator::situation(const QDateTime &utc) const
{
    Situation s;
    const bool own = m_config->positionAvailable();
    const qint64 baseLat = own ? m_config->latitude : FallbackLatitude;
    const qint64 baseLon = own ? m_config->longitude : FallbackLongitude;
    const double metresPerUnit = 1852.0 / 10000.0; // a ten-thousandth of a minute of latitude
    const double cosLat = std::cos(double(baseLat) / 600000.0 * M_PI / 180.0);

    // A fix wanders a few metres around the true position.
    const qint64 t = utc.toSecsSinceEpoch();
    double north = std::sin(double(t) / 37.0) * 20 * metresPerUnit;
    double east = std::cos(double(t) / 53.0) * 30 * metresPerUnit * cosLat;
    double phase = 0;
    if (m_cycleStart.isValid() && m_cycleSeconds > 0) {
        const double cycles = double(m_cycleStart.msecsTo(utc)) / 1000.0 / m_cycleSeconds;
        phase = cycles - std::floor(cycles);
    }
    if (m_driftMetres > 0) {
        const double out = m_driftMetres * (1 - std::cos(2 * M_PI * phase)) / 2;
        north += out * std::cos(DriftBearing * M_PI / 180.0);
        east += out * std::sin(DriftBearing * M_PI / 180.0);
    }
    s.latitude = baseLat + qint64(std::lround(north / metresPerUnit));
    s.longitude = baseLon + qint64(std::lround(east / (metresPerUnit * cosLat)));
    s.offsetMetres = std::hypot(north, east);
    s.offPosition = own && s.offsetMetres > m_config->offPositionThreshold;
    s.fixLost = m_fixGaps && phase >= 1 - FixGapPart;
    return s;
}

QList<QByteArray> TrafficGenerator::gpsFix(const QDateTime &utc) const
{
    const Situation now = situation(utc);
    const qint64 lat = now.latitude;
    const qint64 lon = now.longitude;
    const qint64 t = utc.toSecsSinceEpoch();
    QList<QByteArray> out;
    if (now.fixLost) {
        // The receiver still sends its time, without a position.
        out << NmeaFrame::build('$', "GPRMC",
                                {utcTime(utc), "V", "", "", "", "", "", "",
                                 utc.toString(QStringLiteral("ddMMyy")).toLatin1(), "", "", "N"});
        QList<QByteArray> gsa{"A", "1"};
        while (gsa.size() < 17)
            gsa << QByteArray();
        if (!m_rmcOnly)
            out << NmeaFrame::build('$', "GPGSA", gsa);
    } else {
        out << NmeaFrame::build('$', "GPRMC",
                                {utcTime(utc), "A", angle(lat, 2), lat < 0 ? "S" : "N",
                                 angle(lon, 3), lon < 0 ? "W" : "E", "0.02", "211.6",
                                 utc.toString(QStringLiteral("ddMMyy")).toLatin1(), "", "", "A"});
        if (!m_rmcOnly)
            out << NmeaFrame::build('$', "GPGSA", usedSatellites());
    }
    if (m_rmcOnly)
        return out;
    const int messages = (SkySize + 3) / 4;
    const int turn = int(t / 120 % 360);
    for (int m = 0; m < messages; ++m) {
        QList<QByteArray> gsv{QByteArray::number(messages), QByteArray::number(m + 1),
                              num(SkySize, 2)};
        for (int k = m * 4; k < qMin(SkySize, m * 4 + 4); ++k) {
            const Satellite &s = Sky[k];
            gsv << num(s.prn, 2) << num(s.elevation, 2) << num((s.azimuth + turn) % 360, 3)
                << (s.snr > 0 ? num(s.snr + int(t % 3), 2) : QByteArray());
        }
        out << NmeaFrame::build('$', "GPGSV", gsv);
    }
    return out;
}

QList<QByteArray> TrafficGenerator::gpsText()
{
    m_gpsTextId = m_gpsTextId % 99 + 1;
    return textParts("GPTXT", {"GNSS RECEIVER FW 2.01 (59842)", "ANTENNA OK", "TIME PULSE LOCKED"},
                     m_gpsTextId);
}

QList<QByteArray> TrafficGenerator::ownReport(const QDateTime &utc) const
{
    Message21Encoder::Status status;
    status.racon =
        m_config->racon ? Message21Encoder::RaconOperational : Message21Encoder::RaconNone;
    status.light = m_config->lantern[0] ? Message21Encoder::LightOn : Message21Encoder::LightNone;
    status.health = m_config->batteryVoltage.toDouble() < 11500 ? 1 : 0;
    const Situation now = situation(utc);
    status.offPosition = now.offPosition;
    // A drifting unit reports where its receiver puts it; one that stays put
    // reports its nominal position.
    UnitConfig reported = *m_config;
    if (m_config->positionAvailable() && m_driftMetres > 0) {
        reported.latitude = now.latitude;
        reported.longitude = now.longitude;
    }
    if (!m_broadcastName.isEmpty())
        reported.name = m_broadcastName;
    int fill = 0;
    const QByteArray payload =
        Message21Encoder::encode(reported, status, now.fixLost ? 60 : utc.time().second(), &fill);
    return {NmeaFrame::build('!', "AIVDO", {"1", "1", "", "A", payload, QByteArray::number(fill)})};
}

QList<QByteArray> TrafficGenerator::alarms(const QDateTime &utc) const
{
    const bool lowBattery = m_config->batteryVoltage.toDouble() < 11500;
    const Situation now = situation(utc);
    const QByteArray time = utcTime(utc);
    const auto state = [](bool active) { return QByteArray(active ? "A" : "V"); };
    return {NmeaFrame::build('$', "AIALR", {time, "001", "V", "V", "AIS: Tx malfunction"}),
            NmeaFrame::build('$', "AIALR",
                             {time, "025", state(now.fixLost), "V", "AIS: external EPFS lost"}),
            NmeaFrame::build('$', "AIALR",
                             {time, "061", lowBattery ? "A" : "V", lowBattery ? "V" : "A",
                              "AtoN: supply voltage low"}),
            NmeaFrame::build('$', "AIALR",
                             {time, "062", state(now.offPosition), "V", "AtoN: off position"})};
}

QList<QByteArray> TrafficGenerator::unitText()
{
    const int n = m_unitTextCount++;
    switch (n % 3) {
    case 0:
        return textParts(
            "AITXT", {"AtoN: lantern " + QByteArray(m_config->lantern[0] ? "on" : "not fitted")},
            21);
    case 1:
        return textParts("AITXT", {"AIS: UTC clock OK"}, 7);
    default:
        return textParts("AITXT", {"AtoN: configuration held in", " non-volatile store"}, 34);
    }
}

QByteArray TrafficGenerator::floodLine(quint64 n, const QDateTime &utc) const
{
    const QByteArray time = utcTime(utc);
    if (n % 2 == 0) {
        if (n % 4 == 0)
            return NmeaFrame::build(
                '$', "GPZDA",
                {time, utc.toString(QStringLiteral("dd,MM,yyyy")).toLatin1(), "00", "00"});
        return NmeaFrame::build('$', "GPGLL",
                                {"5047.4512", "N", "00106.2275", "W", time, "A", "A"});
    }
    QByteArray good =
        NmeaFrame::build('$', "GPGLL", {"5047.4512", "N", "00106.2275", "W", time, "A", "A"});
    switch (n / 2 % 6) {
    case 0: { // wrong checksum
        const int star = good.lastIndexOf('*');
        good[star + 2] = good.at(star + 2) == '0' ? '1' : '0';
        return good;
    }
    case 1: // no checksum at all
        return "$GPGLL,5047.4512,N,00106.2275,W," + time + ",A,A\r\n";
    case 2: { // longer than a sentence may be
        QByteArray body = "GPTXT,01,01,01," + QByteArray(100, 'X');
        return '$' + body + '*' + NmeaFrame::checksum(body) + "\r\n";
    }
    case 3: { // line noise with control and high bytes
        QByteArray noise;
        for (quint64 i = 0; i < 40; ++i) {
            const quint64 b = (n * 37 + i * 101) % 256;
            noise.append(char(b == '\n' ? 0 : b));
        }
        return noise + "\r\n";
    }
    case 4: // a line cut short
        return "$GPRMC," + time + ",A,5047.45\r\n";
    default: // two starts
        return "$$" + good.mid(1);
    }
}
