#include "decode/gpsdecoder.h"

#include "decode/gpsdata.h"
#include "decode/satellitedata.h"
#include "decode/watchdog.h"
#include "sentences/sentenceview.h"

namespace {

// ddmm.mmmm (or dddmm.mmmm with three degree digits) to decimal degrees.
double DegreesMinutes(QStringView field, int degreeDigits)
{
    const double degrees =
        SentenceView::DoubleOf(field.left(qMin<qsizetype>(degreeDigits, field.size())));
    const double minutes =
        field.size() > degreeDigits ? SentenceView::DoubleOf(field.mid(degreeDigits)) : 0.0;
    return degrees + minutes / 60.0;
}

bool StartsWith(const SentenceView &sentence, int field, char letter)
{
    return sentence.FirstCode(field) == uchar(letter);
}

} // namespace

GPSDecoder::GPSDecoder(QObject *parent)
    : QObject(parent), rmcWatchdog(new Watchdog(WatchdogIntervalMs, this)),
      gsaWatchdog(new Watchdog(WatchdogIntervalMs, this)),
      gsvWatchdog(new Watchdog(WatchdogIntervalMs, this)), texts(TextIdentifiers)
{
    // The records travel by pointer; listeners on other threads need the types.
    qRegisterMetaType<GpsData *>("GpsData*");
    qRegisterMetaType<SatelliteData *>("SatelliteData*");
    connect(rmcWatchdog, &Watchdog::Expired, this, &GPSDecoder::OnRMCTimeout);
    connect(gsaWatchdog, &Watchdog::Expired, this, &GPSDecoder::OnGSATimeout);
    connect(gsvWatchdog, &Watchdog::Expired, this, &GPSDecoder::OnGSVTimeout);
}

void GPSDecoder::Reset()
{
    if (satelliteData)
        satelliteData->Clear();
    if (gpsData)
        gpsData->Reset();
    arrivingParts = -1;
    rmcSeen = false;
    gsaSinceRmc = false;
}

void GPSDecoder::OnReceived(QString received)
{
    // The other consumers of the line share this parse.
    Decode(SentenceView::Shared(received));
}

void GPSDecoder::Decode(const SentenceView &sentence)
{
    const QLatin1String gps("GP");
    if (sentence.Is(gps, QLatin1String("RMC")))
        DecodeRMC(sentence);
    else if (sentence.Is(gps, QLatin1String("GSA")))
        DecodeGSA(sentence);
    else if (sentence.Is(gps, QLatin1String("GSV")))
        DecodeGSV(sentence);
    else if (sentence.Is(gps, QLatin1String("TXT")))
        DecodeTXT(sentence);
}

// $GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W,A*hh
// Fields: 1 time, 2 status (not used), 3-4 latitude, 5-6 longitude, 7 speed,
// 8 course, 9 date, 10-11 magnetic variation, 12 mode.
void GPSDecoder::DecodeRMC(const SentenceView &sentence)
{
    if (!gpsData)
        gpsData = new GpsData(this);
    rmcWatchdog->Feed();
    gpsData->Reset();

    if (sentence.Has(1)) {
        const QStringView time = sentence.Field(1);
        gpsData->SetTime(time.left(qMin<qsizetype>(6, time.size())));
    }

    double latitude = 0.0;
    double longitude = 0.0;
    if (sentence.Has(3)) {
        latitude = DegreesMinutes(sentence.Field(3), 2);
        if (StartsWith(sentence, 4, 'S'))
            latitude = -latitude;
    }
    if (sentence.Has(5)) {
        longitude = DegreesMinutes(sentence.Field(5), 3);
        if (StartsWith(sentence, 6, 'W'))
            longitude = -longitude;
    }
    gpsData->SetPosition(latitude, longitude);

    if (sentence.Has(7))
        gpsData->SetSpeed(SentenceView::DoubleOf(sentence.Field(7)));
    if (sentence.Has(8))
        gpsData->SetCourse(SentenceView::DoubleOf(sentence.Field(8)));
    if (sentence.Has(9))
        gpsData->SetDate(sentence.Field(9));
    if (sentence.Has(12)) {
        QChar mode;
        sentence.Char(12, mode);
        gpsData->SetMode(GpsData::ModeFromLetter(mode));
    }

    emit GpsDataReceived(gpsData);
    TakeFixFromRmc(sentence);
}

// A receiver that sends no GSA still says in RMC whether its position is
// valid: after a whole second without a GSA that is the fix shown. RMC does
// not say in how many dimensions, so a valid position counts as the lesser,
// two-dimensional fix.
void GPSDecoder::TakeFixFromRmc(const SentenceView &sentence)
{
    const bool withoutGsa = rmcSeen && !gsaSinceRmc;
    rmcSeen = true;
    gsaSinceRmc = false;
    if (!withoutGsa)
        return;
    const bool fresh = !satelliteData;
    SatelliteData *data = Satellites();
    const int fixMode =
        StartsWith(sentence, 2, 'A') && sentence.Has(3) && !sentence.Field(3).isEmpty() ? 1 : 0;
    if (!fresh && data->fixMode == fixMode)
        return;
    data->fixMode = fixMode;
    emit SatelliteDataReceived(data);
}

SatelliteData *GPSDecoder::Satellites()
{
    if (!satelliteData)
        satelliteData = new SatelliteData(this);
    return satelliteData;
}

// $GPGSA,A,3,04,05,,09,12,,,24,,,,,2.5,1.3,2.1*hh
// Fields: 1 selection mode, 2 fix mode (1 none, 2 2D, 3 3D), 3-14 PRNs used,
// 15 PDOP, 16 HDOP, 17 VDOP.
void GPSDecoder::DecodeGSA(const SentenceView &sentence)
{
    SatelliteData *data = Satellites();
    gsaWatchdog->Feed();
    satellitesLost = false;
    gsaSinceRmc = true;

    // The fix mode, then the PRNs used.
    int numbers[1 + SatelliteData::MaxUsed];
    sentence.Numbers(2, 1 + SatelliteData::MaxUsed, numbers);
    switch (numbers[0]) {
    case 2:
        data->fixMode = 1;
        break;
    case 3:
        data->fixMode = 2;
        break;
    default: // 0, 1 and anything the receiver should not send: no fix
        data->fixMode = 0;
        break;
    }

    const int count = qBound(0, sentence.FieldCount() - 3, int(SatelliteData::MaxUsed));
    data->SetUsed(numbers + 1, count);
    const QStringView hdop = sentence.Has(16) ? sentence.Field(16) : QStringView();
    data->hdop = hdop.isEmpty() ? -1.0 : SentenceView::DoubleOf(hdop);
    emit SatelliteDataReceived(data);
}

// $GPGSV,2,1,08,01,40,083,46,02,17,308,41,12,07,344,39,14,22,228,45*hh
// Fields: 1 messages, 2 message number, 3 satellites in view, then four
// groups of PRN, elevation, azimuth and SNR.
// The parts of a set are taken in order from part 1; the set counts once its
// last part has come, and a set with a part missing is dropped.
void GPSDecoder::DecodeGSV(const SentenceView &sentence)
{
    SatelliteData *data = Satellites();
    gsvWatchdog->Feed();
    satellitesLost = false;

    // A set of more than four parts has more satellites than the entries
    // hold; the numbers are held to a range first so that a huge one from
    // the line cannot overflow.
    // Messages, message number, satellites in view and the four groups.
    int numbers[19];
    sentence.Numbers(1, 19, numbers);
    const int total = qBound(0, numbers[0], 10);
    const int number = qBound(0, numbers[1], 10);
    if (number == 1) {
        arriving.fill(SatelliteData::Satellite());
        arrivingParts = 0;
        arrivingInView = 0;
    }
    if (arrivingParts < 0 || number != arrivingParts + 1 || number > total) {
        arrivingParts = -1;
        return;
    }
    arrivingParts = number;
    if (sentence.Has(3))
        arrivingInView = numbers[2];
    for (int k = 0; k < 4; ++k) {
        const size_t index = size_t((number - 1) * 4 + k);
        if (index >= arriving.size())
            break;
        const int *group = numbers + 3 + 4 * k;
        arriving[index] = SatelliteData::Satellite::InView(group[0], group[1], group[2], group[3],
                                                           sentence.Has(4 + 4 * k + 3));
    }
    if (number < total)
        return;
    arrivingParts = -1;
    data->SetInView(arriving, arrivingInView);
    emit SatelliteDataReceived(data);
}

// $GPTXT,01,01,02,ANTSTATUS=OK*hh
// Fields: 1 total parts, 2 part number, 3 text identifier, 4 text.
void GPSDecoder::DecodeTXT(const SentenceView &sentence)
{
    QString message;
    if (texts.Add(sentence, message))
        emit GPSTextMessageReceived(message);
}

void GPSDecoder::OnRMCTimeout()
{
    rmcWatchdog->Stop();
    if (gpsData)
        gpsData->Reset();
    emit GpsDataReceived(nullptr);
}

void GPSDecoder::OnGSATimeout()
{
    gsaWatchdog->Stop();
    // Satellites reported lost stay lost: the cleared list announced again
    // would read as fresh data.
    if (satellitesLost)
        return;
    if (satelliteData)
        satelliteData->ClearUsed();
    emit SatelliteDataReceived(satelliteData);
}

void GPSDecoder::OnGSVTimeout()
{
    gsvWatchdog->Stop();
    satellitesLost = true;
    arrivingParts = -1;
    if (satelliteData)
        satelliteData->Clear();
    emit SatelliteDataReceived(nullptr);
}
