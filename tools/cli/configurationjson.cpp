#include "configurationjson.h"

#include "jsonline.h"
#include "jsontext.h"

#include "model/codetexts.h"

#include "model/model.h"

#include <QJsonArray>
#include <QJsonObject>

namespace {

// Not-available positions (and anything out of range) become null.
QJsonValue Degrees(double value, double limit)
{
    if (!(value >= -limit && value <= limit))
        return QJsonValue(QJsonValue::Null);
    return value;
}

QJsonObject AtoNObject(const AtoN &aton)
{
    const AtoNMMSI *mmsi = aton.GetAtoNMMSI();
    QJsonObject o;
    o[QStringLiteral("mmsi")] = mmsi->NewMmsi();
    o[QStringLiteral("heldMmsi")] = mmsi->Mmsi();
    o[QStringLiteral("aidMode")] = mmsi->AidMode();
    o[QStringLiteral("aidFlag")] = mmsi->AidFlag();
    o[QStringLiteral("name")] = aton.Name();
    o[QStringLiteral("typeOfAtoN")] = aton.TypeOfAtoN();
    o[QStringLiteral("typeOfAtoNText")] = CodeTexts::TypeOfAtoN(aton.TypeOfAtoN()).trimmed();
    o[QStringLiteral("typeOfEPFS")] = aton.TypeOfEPFS();
    o[QStringLiteral("typeOfEPFSText")] = CodeTexts::TypeOfEPFS(aton.TypeOfEPFS());
    o[QStringLiteral("latitude")] = Degrees(aton.GetPosition()->Latitude(), 90.0);
    o[QStringLiteral("longitude")] = Degrees(aton.GetPosition()->Longitude(), 180.0);
    o[QStringLiteral("positionAccuracy")] = aton.PositionAccuracy();
    o[QStringLiteral("positionAccuracyText")] =
        CodeTexts::PositionAccuracy(aton.PositionAccuracy());
    o[QStringLiteral("offPositionThreshold")] = aton.OffPositionThreshold();
    o[QStringLiteral("racon")] = aton.Racon();
    o[QStringLiteral("channel1")] = aton.Channel1();
    o[QStringLiteral("channel1Text")] = CodeTexts::Channel(aton.Channel1());
    o[QStringLiteral("channel2")] = aton.Channel2();
    o[QStringLiteral("channel2Text")] = CodeTexts::Channel(aton.Channel2());
    o[QStringLiteral("dimensionA")] = aton.DimensionA();
    o[QStringLiteral("dimensionB")] = aton.DimensionB();
    o[QStringLiteral("dimensionC")] = aton.DimensionC();
    o[QStringLiteral("dimensionD")] = aton.DimensionD();
    o[QStringLiteral("acfField14")] = aton.AcfField14();
    o[QStringLiteral("aceField5")] = aton.AceField5();
    o[QStringLiteral("aceField6")] = aton.AceField6();
    return o;
}

// Rows collected before they are written.
constexpr int BlockSize = 64 * 1024;

// "hh:mm:ss", as the framework's format writes it (nothing for an invalid
// time), into room for eight characters.
QLatin1String Clock(const QTime &time, char *room)
{
    if (!time.isValid())
        return QLatin1String();
    const int parts[] = {time.hour(), time.minute(), time.second()};
    for (int i = 0; i < 3; ++i) {
        room[3 * i] = char('0' + parts[i] / 10);
        room[3 * i + 1] = char('0' + parts[i] % 10);
        if (i < 2)
            room[3 * i + 2] = ':';
    }
    return QLatin1String(room, 8);
}

// A row written directly, as a row object laid out at its level would be: a
// file may hold a great many rows. The members in the order of their names.
void AppendRow(QByteArray &out, const MessageSchedule &schedule, int i)
{
    const MessageScheduleEntry entry = schedule.EntryAt(i);
    int number = 0;
    int n = 0;
    schedule.Ordinal(i, number, n);
    char start1[8];
    char start2[8];
    JsonLine(out, 2)
        .Integer("accessScheme", entry.AccessScheme())
        .Text("accessSchemeText", CodeTexts::AccessScheme(entry.AccessScheme()))
        .Boolean("active", entry.Active())
        .Integer("index", n)
        .Integer("interval1", entry.Interval1())
        .Integer("interval2", entry.Interval2())
        .Integer("messageId", entry.MessageId())
        .Integer("row", i)
        .Integer("spareValue", entry.SpareValue())
        // false: the configuration leaves the row as the unit holds it.
        .Boolean("specified", entry.Specified())
        .Integer("startSlot1", entry.StartSlot1())
        .Integer("startSlot2", entry.StartSlot2())
        .Text("startTime1", Clock(entry.StartTime1(), start1))
        .Text("startTime2", Clock(entry.StartTime2(), start2))
        .End();
}

QJsonObject LanternObject(const LanternInterface &lim)
{
    QJsonObject o;
    o[QStringLiteral("limen")] = lim.GetLimen();
    o[QStringLiteral("limvmin")] = lim.GetLimvmin();
    o[QStringLiteral("limvmax")] = lim.GetLimvmax();
    o[QStringLiteral("limton")] = lim.GetLimton();
    o[QStringLiteral("limtoff")] = lim.GetLimtoff();
    o[QStringLiteral("limion")] = lim.GetLimion();
    o[QStringLiteral("limigain")] = lim.GetLimigain();
    o[QStringLiteral("limpthresh")] = lim.GetLimpthresh();
    o[QStringLiteral("steadyOn")] = lim.IsSteadyOn();
    o[QStringLiteral("minimumVolts")] = LanternInterface::VoltsFromMillivolts(lim.GetLimvmin());
    o[QStringLiteral("maximumVolts")] = LanternInterface::VoltsFromMillivolts(lim.GetLimvmax());
    o[QStringLiteral("maximumOnSeconds")] =
        LanternInterface::SecondsFromMilliseconds(lim.GetLimton());
    o[QStringLiteral("maximumOffSeconds")] =
        LanternInterface::SecondsFromMilliseconds(lim.GetLimtoff());
    if (lim.IsSteadyOn())
        o[QStringLiteral("onCurrentAmperes")] =
            LanternInterface::AmperesFromOnCurrent(lim.GetLimion());
    else
        o[QStringLiteral("slewRateAmperesPerSecond")] =
            LanternInterface::AmperesPerSecondFromSlewRate(lim.GetLimion());
    o[QStringLiteral("thresholdLux")] = LanternInterface::LuxFromThreshold(lim.GetLimpthresh());
    return o;
}

QJsonObject Fixed(const Model &model)
{
    QJsonObject o;
    o[QStringLiteral("aton")] = AtoNObject(*model.GetAtoN());
    o[QStringLiteral("lantern")] = LanternObject(*model.GetLanternInterface());
    return o;
}

} // namespace

// "schedule" sorts after "aton" and "lantern": the configuration without
// rows ends in the schedule's array, which the rows then fill one by one.
void ConfigurationJson::Write(const Model &model,
                              const std::function<void(const QByteArray &)> &out)
{
    QJsonObject withoutRows = Fixed(model);
    withoutRows[QStringLiteral("schedule")] = QJsonArray();
    QByteArray text;
    JsonText::AppendIndented(text, withoutRows, 0);
    const QByteArray emptyEnd("[\n    ]\n}");
    Q_ASSERT(text.endsWith(emptyEnd));
    const MessageSchedule &schedule = *model.GetMessageSchedule();
    if (schedule.Count() == 0) {
        out(text + '\n');
        return;
    }
    text.chop(emptyEnd.size());
    out(text + "[\n");
    // The rows go out a block at a time, written in room kept for them.
    QByteArray rows;
    rows.reserve(BlockSize + 1024);
    for (int i = 0; i < schedule.Count(); ++i) {
        rows += "        ";
        AppendRow(rows, schedule, i);
        rows += i + 1 < schedule.Count() ? ",\n" : "\n";
        if (rows.size() >= BlockSize) {
            out(rows);
            rows.resize(0);
        }
    }
    rows += "    ]\n}\n";
    out(rows);
}
