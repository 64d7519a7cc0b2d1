#include "trafficprinter.h"

#include "console.h"
#include "jsonline.h"
#include "model/configurationfields.h"

#include "decode/alarmdata.h"
#include "decode/gpsdata.h"
#include "decode/gpsdecoder.h"
#include "decode/messagedecoder.h"
#include "decode/satellitedata.h"
#include "link/receivedline.h"
#include "model/decimaltext.h"
#include "model/geoposition.h"
#include "model/model.h"
#include "sentences/atonsentenceaid.h"
#include "sentences/parsedsentence.h"
#include "sentences/sentenceview.h"

#include <algorithm>
#include <cstring>

namespace {

QLatin1String ModeText(int mode)
{
    static const char *const modes[] = {"autonomous", "differential", "estimated",
                                        "float RTK",  "manual",       "no fix",
                                        "precise",    "RTK",          "simulated"};
    return QLatin1String(mode >= 0 && mode <= 8 ? modes[mode] : "no fix");
}

void AddChars(QString &text, const char *chars, int size)
{
    text += QLatin1String(chars, size);
}

void AddChars(QByteArray &text, const char *chars, int size)
{
    text.append(chars, size);
}

// Time and date as "hh:mm:ss" and "yyyy-MM-dd", written by hand: the
// framework's format parser costs more than the rest of a fix's decode.
char *WriteNumber(char *to, int value, int digits)
{
    for (int unit = digits == 4 ? 1000 : 10; unit > 0; unit /= 10)
        *to++ = char('0' + value / unit % 10);
    return to;
}

constexpr int MaxClockLine = 64;

// Writes the clock over the eight characters at `at` of `line`, a text of
// `size` characters (MaxClockLine at most), and adds the line to text.
template <class Text>
void AppendClock(Text &text, const QTime &time, const char *line = "hh:mm:ss", int size = 8,
                 int at = 0)
{
    if (!time.isValid())
        return;
    char clock[MaxClockLine];
    std::memcpy(clock, line, size_t(size));
    WriteNumber(clock + at, time.hour(), 2);
    clock[at + 2] = ':';
    WriteNumber(clock + at + 3, time.minute(), 2);
    clock[at + 5] = ':';
    WriteNumber(clock + at + 6, time.second(), 2);
    AddChars(text, clock, size);
}

void AppendInteger(QByteArray &text, int value)
{
    char written[12];
    char *end = written + sizeof written;
    char *at = end;
    qint64 rest = qAbs(qint64(value));
    do {
        *--at = char('0' + rest % 10);
        rest /= 10;
    } while (rest != 0);
    if (value < 0)
        *--at = '-';
    text.append(at, int(end - at));
}

QString ClockText(const QTime &time)
{
    QString text;
    AppendClock(text, time);
    return text;
}

void AppendDate(QByteArray &text, const QDate &date)
{
    int year = 0;
    int month = 0;
    int day = 0;
    date.getDate(&year, &month, &day);
    if (!date.isValid()) {
        text += "----------";
    } else if (year < 1000 || year > 9999) {
        Console::AppendVisible(text, date.toString(QStringLiteral("yyyy-MM-dd")));
    } else {
        char written[10];
        WriteNumber(written, year, 4);
        written[4] = '-';
        WriteNumber(written + 5, month, 2);
        written[7] = '-';
        WriteNumber(written + 8, day, 2);
        text.append(written, 10);
    }
}

QString DateText(const QDate &date)
{
    QByteArray text;
    AppendDate(text, date);
    return QString::fromUtf8(text);
}

} // namespace

TrafficPrinter::TrafficPrinter(Model *model, GPSDecoder *gps, MessageDecoder *messages,
                               bool learnMmsi, bool json, QObject *parent)
    : QObject(parent), model(model), json(json), hemispheres(GeoPosition::HemisphereLetters())
{
    if (learnMmsi)
        aidCodec = new AtoNSentenceAID(model->GetAtoN()->GetAtoNMMSI(), model);
    connect(gps, &GPSDecoder::GpsDataReceived, this, &TrafficPrinter::OnGpsData);
    connect(gps, &GPSDecoder::SatelliteDataReceived, this, &TrafficPrinter::OnSatelliteData);
    connect(gps, &GPSDecoder::GPSTextMessageReceived, this, &TrafficPrinter::OnGpsText);
    connect(messages, &MessageDecoder::TextMessageReceived, this, &TrafficPrinter::OnText);
    connect(messages, &MessageDecoder::AlarmReceived, this, &TrafficPrinter::OnAlarms);
    connect(messages, &MessageDecoder::Message21Received, this, &TrafficPrinter::OnReport);
    output.reserve(BlockSize + 1024);
}

TrafficPrinter::~TrafficPrinter()
{
    Flush();
}

void TrafficPrinter::Flush()
{
    if (output.isEmpty())
        return;
    Console::OutUtf8(output);
    // Emptied with its room kept for the next block.
    output.resize(0);
}

void TrafficPrinter::EndLine()
{
    ++events;
    output += '\n';
    if (output.size() >= BlockSize || !Console::IsBlockBuffered())
        Flush();
}

void TrafficPrinter::Print(const QString &line)
{
    Console::AppendVisible(output, line);
    EndLine();
}

void TrafficPrinter::PrintJson(const char *event)
{
    JsonLine(output).Text("event", QLatin1String(event)).End();
    EndLine();
}

void TrafficPrinter::OnLine(const ReceivedLine &line)
{
    if (!aidCodec || !line.Sentence().Is(QLatin1String("AI"), QLatin1String("AID")))
        return;
    const QString before = model->GetAtoN()->GetAtoNMMSI()->Mmsi();
    aidCodec->Decode(ParsedSentence(line.Text()));
    const QString now = model->GetAtoN()->GetAtoNMMSI()->Mmsi();
    if (now == before)
        return;
    if (json) {
        JsonLine(output).Text("event", QLatin1String("unit_mmsi")).Text("mmsi", now).End();
        EndLine();
    } else
        Print(QStringLiteral("UNIT MMSI %1").arg(now));
}

void TrafficPrinter::OnGpsData(GpsData *data)
{
    if (!data) {
        if (json)
            PrintJson("gps_lost");
        else
            Print(QStringLiteral("GPS no fix data for 2 s"));
        return;
    }
    if (json) {
        // The members in the order of their names, as a JSON object keeps them.
        JsonLine line(output);
        line.Number("course_deg", data->course);
        if (data->date.isValid())
            line.Text("date", DateText(data->date));
        else
            line.Null("date");
        line.Text("event", QLatin1String("gps"))
            .Number("latitude", data->position.Latitude())
            .Number("longitude", data->position.Longitude())
            .Text("mode", ModeText(data->mode))
            .Number("speed_kn", data->speed)
            .Text("time", ClockText(data->time))
            .End();
        EndLine();
        return;
    }
    // Every part is plain text of its own making, written as bytes; the
    // parts before and after the position go out in a piece each, as every
    // fix of a log's replay comes here.
    if (shownDateText.isEmpty() || data->date != shownDate) {
        shownDate = data->date;
        shownDateText = "GPS hh:mm:ss ";
        AppendDate(shownDateText, shownDate);
        shownDateText += ' ';
    }
    const int head = shownDateText.size();
    if (data->time.isValid() && head <= MaxClockLine) {
        AppendClock(output, data->time, shownDateText.constData(), head, 4);
    } else {
        output.append(shownDateText.constData(), 4);
        AppendClock(output, data->time);
        output.append(shownDateText.constData() + 12, head - 12);
    }
    ConfigurationFields::AppendLatitudeText(output, data->position.Latitude(), hemispheres);
    output += ' ';
    ConfigurationFields::AppendLongitudeText(output, data->position.Longitude(), hemispheres);
    char tail[2 * 64 + 32];
    const int speed = DecimalText::Write(tail + 1, data->speed, 1);
    if (speed >= 0) {
        tail[0] = ' ';
        int length = 1 + speed;
        std::memcpy(tail + length, " kn ", 4);
        length += 4;
        const int course = DecimalText::Write(tail + length, data->course, 1);
        if (course >= 0) {
            length += course;
            const QLatin1String mode = ModeText(data->mode);
            std::memcpy(tail + length, " deg ", 5);
            std::memcpy(tail + length + 5, mode.data(), size_t(mode.size()));
            output.append(tail, length + 5 + mode.size());
            EndLine();
            return;
        }
    }
    output += ' ';
    DecimalText::Append(output, data->speed, 1);
    output += " kn ";
    DecimalText::Append(output, data->course, 1);
    output += " deg ";
    output += ModeText(data->mode).data();
    EndLine();
}

void TrafficPrinter::OnSatelliteData(SatelliteData *data)
{
    // A GSA and three GSV a second say the same most of the time: the line is
    // made and shown only when one of its counts changes. A count not known
    // yet is -1.
    int key[3] = {-2, 0, 0};
    if (data) {
        key[0] = data->fixMode >= 0 && data->fixMode <= 2 ? data->fixMode : 0;
        key[1] = data->usedKnown ? data->UsedCount() : -1;
        key[2] = data->inViewKnown ? data->satellitesInView : -1;
    }
    if (std::equal(key, key + 3, lastSatelliteKey))
        return;
    std::copy(key, key + 3, lastSatelliteKey);
    static const char *const fixes[] = {"no fix", "2D fix", "3D fix"};
    if (json) {
        if (data) {
            JsonLine line(output);
            line.Text("event", QLatin1String("satellites"))
                .Text("fix", QLatin1String(fixes[key[0]]));
            if (key[2] < 0)
                line.Null("in_view");
            else
                line.Integer("in_view", key[2]);
            if (key[1] < 0)
                line.Null("used");
            else
                line.Integer("used", key[1]);
            line.End();
            EndLine();
        } else {
            PrintJson("satellites_lost");
        }
        return;
    }
    if (!data) {
        Print(QStringLiteral("GPS satellites lost"));
        return;
    }
    output += "GPS ";
    output += fixes[key[0]];
    if (key[2] < 0) {
        output += ", satellites not known yet";
    } else {
        if (key[1] < 0) {
            output += ", satellites used not known yet, ";
        } else {
            output += ", ";
            AppendInteger(output, key[1]);
            output += " satellites used, ";
        }
        AppendInteger(output, key[2]);
        output += " in view";
    }
    EndLine();
}

void TrafficPrinter::OnGpsText(QString message)
{
    if (json)
        PrintJsonText("gps_text", message);
    else
        Print(QStringLiteral("GPS TEXT %1").arg(message));
}

void TrafficPrinter::OnText(QString message)
{
    if (json)
        PrintJsonText("text", message);
    else
        Print(QStringLiteral("TEXT %1").arg(message));
}

void TrafficPrinter::OnAlarms(AlarmData *alarms)
{
    if (!alarms)
        return;
    // The decoder hands over the whole table; show the alarms that changed.
    for (const AlarmData::Alarm &a : alarms->Alarms()) {
        const auto shown = lastAlarms.constFind(a.alarmId);
        if (shown != lastAlarms.constEnd() && shown->alarmTime == a.alarmTime &&
            shown->thresholdExceeded == a.thresholdExceeded &&
            shown->acknowledged == a.acknowledged && shown->description == a.description)
            continue;
        lastAlarms.insert(a.alarmId, a);
        if (json) {
            JsonLine line(output);
            line.Boolean("acknowledged", a.acknowledged)
                .Boolean("active", a.thresholdExceeded)
                .Text("event", QLatin1String("alarm"))
                .Integer("number", a.alarmId)
                .Text("text", a.description);
            if (a.alarmTime.isValid())
                line.Text("time", ClockText(a.alarmTime));
            else
                line.Null("time");
            line.End();
            EndLine();
            continue;
        }
        const QString text =
            QStringLiteral("ALARM %1 %2 %3, %4: %5")
                .arg(a.alarmId, 3, 10, QLatin1Char('0'))
                .arg(a.alarmTime.isValid() ? ClockText(a.alarmTime) : QStringLiteral("--:--:--"),
                     a.thresholdExceeded ? QStringLiteral("active") : QStringLiteral("cleared"),
                     a.acknowledged ? QStringLiteral("acknowledged")
                                    : QStringLiteral("not acknowledged"),
                     a.description);
        Print(text);
    }
}

// AtoN status bits of message 21 (page 7): RACON, light, health.
QString TrafficPrinter::RaconText(uint status)
{
    static const char *const texts[] = {"no RACON", "RACON not monitored", "RACON operational",
                                        "RACON error"};
    return status < 4 ? QLatin1String(texts[status]) : QString::number(status);
}

QString TrafficPrinter::LightText(uint status)
{
    static const char *const texts[] = {"no light or not monitored", "light on", "light off",
                                        "light fail"};
    return status < 4 ? QLatin1String(texts[status]) : QString::number(status);
}

void TrafficPrinter::OnReport(const Message21Report &r)
{
    const QString health = r.health == 0 ? QStringLiteral("good") : QStringLiteral("alarm");
    if (!json) {
        Print(QStringLiteral("AIS 21 %1: %2, %3, health %4")
                  .arg(r.mmsi, RaconText(r.racon), LightText(r.light), health));
        return;
    }
    const bool position = r.PositionAvailable();
    JsonLine line(output);
    line.Text("event", QLatin1String("message21")).Text("health", health);
    if (position)
        line.Number("latitude", r.latitude);
    else
        line.Null("latitude");
    line.Text("light", LightText(r.light));
    if (position)
        line.Number("longitude", r.longitude);
    else
        line.Null("longitude");
    line.Text("mmsi", r.mmsi)
        .Text("name", r.name)
        .Boolean("off_position", r.offPosition)
        .Text("racon", RaconText(r.racon))
        .Boolean("virtual", r.virtualAid)
        .End();
    EndLine();
}

void TrafficPrinter::PrintJsonText(const char *event, const QString &text)
{
    JsonLine(output).Text("event", QLatin1String(event)).Text("text", text).End();
    EndLine();
}
