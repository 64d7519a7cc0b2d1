#include "decode/gpsdecoder.h"

#include <QTimer>

#include "decode/gpsdata.h"
#include "decode/satellitedata.h"
#include "sentences/parsedsentence.h"

namespace {

// ddmm.mmmm (or dddmm.mmmm with three degree digits) to decimal degrees.
double DegreesMinutes(const QString &field, int degreeDigits)
{
    const double degrees = field.leftRef(degreeDigits).toDouble();
    const double minutes = field.midRef(degreeDigits).toDouble();
    return degrees + minutes / 60.0;
}

bool StartsWith(const ParsedSentence &sentence, int field, QChar letter)
{
    QChar first;
    return sentence.GetChar(field, first) && first == letter;
}

int IntField(const ParsedSentence &sentence, int field)
{
    // Most fields are a few plain digits, read here without the framework's
    // general number parse; anything else goes through it.
    if (field >= 0 && field < sentence.fields.size()) {
        const QString &text = sentence.fields.at(field);
        if (!text.isEmpty() && text.size() <= 9) {
            int digits = 0;
            bool plain = true;
            for (const QChar c : text) {
                const ushort u = c.unicode();
                if (u < '0' || u > '9') {
                    plain = false;
                    break;
                }
                digits = digits * 10 + (u - '0');
            }
            if (plain)
                return digits;
        }
    }
    int value = 0;
    sentence.GetInt(field, value);
    return value;
}

} // namespace

GPSDecoder::GPSDecoder(QObject *parent)
    : QObject(parent), rmcWatchdog(NewWatchdog()), gsaWatchdog(NewWatchdog()),
      gsvWatchdog(NewWatchdog()),
      wanted(QStringLiteral("GP"), {QStringLiteral("RMC"), QStringLiteral("GSA"),
                                    QStringLiteral("GSV"), QStringLiteral("TXT")}),
      texts(TextIdentifiers)
{
    // The records travel by pointer; listeners on other threads need the types.
    qRegisterMetaType<GpsData *>("GpsData*");
    qRegisterMetaType<SatelliteData *>("SatelliteData*");
    connect(rmcWatchdog, &QTimer::timeout, this, &GPSDecoder::OnRMCTimeout);
    connect(gsaWatchdog, &QTimer::timeout, this, &GPSDecoder::OnGSATimeout);
    connect(gsvWatchdog, &QTimer::timeout, this, &GPSDecoder::OnGSVTimeout);
}

QTimer *GPSDecoder::NewWatchdog()
{
    auto *timer = new QTimer(this);
    // A coarse timer may fire up to 5% early; a fix is only lost after the full silence.
    timer->setTimerType(Qt::PreciseTimer);
    timer->setInterval(WatchdogIntervalMs);
    return timer;
}

void GPSDecoder::Reset()
{
    if (satelliteData)
        satelliteData->Clear();
    if (gpsData)
        gpsData->Reset();
}

void GPSDecoder::OnReceived(QString received)
{
    // The unit's own sentences are not parsed here.
    if (!wanted.MayHold(received))
        return;
    const ParsedSentence sentence(received);
    if (!sentence.valid || sentence.talker != QLatin1String("GP"))
        return;
    if (sentence.formatter == QLatin1String("RMC"))
        DecodeRMC(sentence);
    else if (sentence.formatter == QLatin1String("GSA"))
        DecodeGSA(sentence);
    else if (sentence.formatter == QLatin1String("GSV"))
        DecodeGSV(sentence);
    else if (sentence.formatter == QLatin1String("TXT"))
        DecodeTXT(sentence);
}

// $GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W,A*hh
// Fields: 1 time, 2 status (not used), 3-4 latitude, 5-6 longitude, 7 speed,
// 8 course, 9 date, 10-11 magnetic variation, 12 mode.
void GPSDecoder::DecodeRMC(const ParsedSentence &sentence)
{
    if (!gpsData)
        gpsData = new GpsData(this);
    rmcWatchdog->start();
    gpsData->Reset();

    QString field;
    if (sentence.GetString(1, field))
        gpsData->SetTime(field.left(6));

    double latitude = 0.0;
    double longitude = 0.0;
    if (sentence.GetString(3, field)) {
        latitude = DegreesMinutes(field, 2);
        if (StartsWith(sentence, 4, QLatin1Char('S')))
            latitude = -latitude;
    }
    if (sentence.GetString(5, field)) {
        longitude = DegreesMinutes(field, 3);
        if (StartsWith(sentence, 6, QLatin1Char('W')))
            longitude = -longitude;
    }
    gpsData->SetPosition(latitude, longitude);

    if (sentence.GetString(7, field))
        gpsData->SetSpeed(field.toDouble());
    if (sentence.GetString(8, field))
        gpsData->SetCourse(field.toDouble());
    if (sentence.GetString(9, field))
        gpsData->SetDate(field);
    if (sentence.GetString(12, field))
        gpsData->SetMode(GpsData::ModeFromLetter(field.isEmpty() ? QChar() : field.at(0)));

    emit GpsDataReceived(gpsData);
}

SatelliteData *GPSDecoder::Satellites()
{
    if (!satelliteData)
        satelliteData = new SatelliteData(this);
    return satelliteData;
}

// $GPGSA,A,3,04,05,,09,12,,,24,,,,,2.5,1.3,2.1*hh
// Fields: 1 selection mode, 2 fix mode (1 none, 2 2D, 3 3D), 3-14 PRNs used.
void GPSDecoder::DecodeGSA(const ParsedSentence &sentence)
{
    SatelliteData *data = Satellites();
    gsaWatchdog->start();
    data->ClearUsed();

    switch (IntField(sentence, 2)) {
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

    QString prn;
    for (int i = 3; i <= 14; ++i) {
        if (sentence.GetString(i, prn))
            data->MarkUsed(IntField(sentence, i), true);
    }
    emit SatelliteDataReceived(data);
}

// $GPGSV,2,1,08,01,40,083,46,02,17,308,41,12,07,344,39,14,22,228,45*hh
// Fields: 1 messages, 2 message number, 3 satellites in view, then four
// groups of PRN, elevation, azimuth and SNR.
void GPSDecoder::DecodeGSV(const ParsedSentence &sentence)
{
    SatelliteData *data = Satellites();
    gsvWatchdog->start();

    QString unused;
    // Only message numbers 1 to 4 reach the 16 entries; the number is held to
    // 0..5 first so that a huge one from the line cannot overflow into range.
    const int number = qBound(0, IntField(sentence, 2), 5);
    const int first = sentence.GetString(2, unused) ? (number - 1) * 4 : 0;
    if (sentence.GetString(3, unused))
        data->satellitesInView = IntField(sentence, 3);

    for (int k = 0; k < 4; ++k) {
        const int base = 4 + 4 * k;
        const bool snrPresent = sentence.GetString(base + 3, unused);
        data->SetSatellite(first + k, IntField(sentence, base), IntField(sentence, base + 1),
                           IntField(sentence, base + 2), IntField(sentence, base + 3), snrPresent);
    }
    emit SatelliteDataReceived(data);
}

// $GPTXT,01,01,02,ANTSTATUS=OK*hh
// Fields: 1 total parts, 2 part number, 3 text identifier, 4 text.
void GPSDecoder::DecodeTXT(const ParsedSentence &sentence)
{
    QString message;
    if (texts.Add(sentence, message))
        emit GPSTextMessageReceived(message);
}

void GPSDecoder::OnRMCTimeout()
{
    rmcWatchdog->stop();
    if (gpsData)
        gpsData->Reset();
    emit GpsDataReceived(nullptr);
}

void GPSDecoder::OnGSATimeout()
{
    gsaWatchdog->stop();
    if (satelliteData)
        satelliteData->ClearUsed();
    emit SatelliteDataReceived(satelliteData);
}

void GPSDecoder::OnGSVTimeout()
{
    gsvWatchdog->stop();
    if (satelliteData)
        satelliteData->Clear();
    emit SatelliteDataReceived(nullptr);
}
