// Arbitrary bytes as received lines (cut at each "\n") through the GPS
// decoder and the decoder of the unit's own messages, alarms and texts, as
// the transport hands every received line to both. Every record they announce
// is read whole while it is announced, as the window reads it.

#include "fuzzapplication.h"

#include "decode/alarmdata.h"
#include "decode/gpsdata.h"
#include "decode/gpsdecoder.h"
#include "decode/messagedecoder.h"
#include "decode/satellitedata.h"
#include "model/model.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <cstddef>
#include <cstdint>

namespace {

struct Harness : FuzzApplication<>
{
    Model model;
    GPSDecoder gps;
    MessageDecoder messages{&model};
    qint64 seen = 0;

    Harness()
    {
        model.GetAtoN()->GetAtoNMMSI()->SetMmsi(QStringLiteral("992351234"));
        QObject::connect(&gps, &GPSDecoder::GpsDataReceived, [this](GpsData *data) {
            if (data)
                seen += data->time.msecsSinceStartOfDay() + qint64(data->position.Latitude());
        });
        QObject::connect(&gps, &GPSDecoder::SatelliteDataReceived, [this](SatelliteData *data) {
            if (data)
                seen += data->satellitesInView;
        });
        QObject::connect(&gps, &GPSDecoder::GPSTextMessageReceived,
                         [this](const QString &text) { seen += text.size(); });
        QObject::connect(&messages, &MessageDecoder::TextMessageReceived,
                         [this](const QString &text) { seen += text.size(); });
        QObject::connect(&messages, &MessageDecoder::AlarmReceived, [this](AlarmData *data) {
            if (data)
                seen += data->Count();
        });
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static Harness *harness = new Harness;
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char *>(data), int(size));
    for (const QByteArray &line : bytes.split('\n')) {
        const QString text = QString::fromUtf8(line) + QLatin1Char('\n');
        harness->gps.OnReceived(text);
        harness->messages.OnReceived(text);
    }
    return 0;
}
