#include "status/unitstatus.h"

#include "decode/gpsdata.h"
#include "decode/gpsdecoder.h"
#include "decode/messagedecoder.h"
#include "decode/satellitedata.h"
#include "link/transport.h"
#include "model/aton.h"
#include "model/model.h"

UnitStatus::UnitStatus(const Model *unit, QObject *parent)
    : QObject(parent), unit(unit), texts(TextLimit)
{}

void UnitStatus::Follow(GPSDecoder *gpsDecoder, MessageDecoder *messages)
{
    gpsSource = gpsDecoder;
    connect(gpsDecoder, &GPSDecoder::GpsDataReceived, this, &UnitStatus::OnGpsData);
    connect(gpsDecoder, &GPSDecoder::SatelliteDataReceived, this, &UnitStatus::OnSatelliteData);
    connect(gpsDecoder, &GPSDecoder::GPSTextMessageReceived, this, &UnitStatus::OnGpsText);
    connect(messages, &MessageDecoder::TextMessageReceived, this, &UnitStatus::OnText);
    connect(messages, &MessageDecoder::AlarmReported, this, &UnitStatus::OnAlarm);
    connect(messages, &MessageDecoder::Message21Received, this, &UnitStatus::OnReport);
}

void UnitStatus::StartLink(Transport *transport, bool replay)
{
    Clear();
    replaying = replay;
    if (transport && !replay)
        connect(transport, &Transport::BatteryVoltage, this, &UnitStatus::OnBatteryVoltage);
    emit Changed();
}

void UnitStatus::SetUnitConfigurationKnown(bool known)
{
    if (known == unitKnown)
        return;
    unitKnown = known;
    emit Changed();
}

void UnitStatus::Clear()
{
    // The decoder announces a fix taken from RMC only when it changes. What it
    // announced last goes here, so it forgets it too: the fix of the unit
    // docked next is announced even where it is the same.
    if (gpsSource)
        gpsSource->Reset();
    gps.Clear();
    reports.Clear();
    alarms.Clear();
    texts.Clear();
    battery.clear();
    batteryTime = QDateTime();
    reportCheckedMetres = -1;
    replaying = false;
    ++generation;
    emit Changed();
}

bool UnitStatus::NowFromGps() const
{
    return gps.HasFixData() && !gps.FixStale() && gps.Utc().isValid();
}

QDateTime UnitStatus::Now() const
{
    return NowFromGps() ? gps.Utc() : QDateTime::currentDateTimeUtc();
}

bool UnitStatus::NominalAvailable() const
{
    return unitKnown && NominalLatitude() <= 90.0 && NominalLongitude() <= 180.0;
}

double UnitStatus::NominalLatitude() const
{
    return unit->GetAtoN()->GetPosition()->Latitude();
}

double UnitStatus::NominalLongitude() const
{
    return unit->GetAtoN()->GetPosition()->Longitude();
}

int UnitStatus::ThresholdMetres() const
{
    return unit->GetAtoN()->OffPositionThreshold();
}

bool UnitStatus::GpsOffset(GeoOffset &offset) const
{
    if (!NominalAvailable() || !gps.PositionValid())
        return false;
    offset =
        GeoOffset::Between(NominalLatitude(), NominalLongitude(), gps.Latitude(), gps.Longitude());
    return true;
}

bool UnitStatus::ReportOffset(GeoOffset &offset) const
{
    if (!NominalAvailable() || !reports.HasReport() || !reports.Last().PositionAvailable())
        return false;
    offset = GeoOffset::Between(NominalLatitude(), NominalLongitude(), reports.Last().latitude,
                                reports.Last().longitude);
    return true;
}

bool UnitStatus::IndicatorDisagrees() const
{
    if (!reports.HasReport() || reportCheckedMetres < 0)
        return false;
    return reports.Last().offPosition != (reportCheckedMetres > ThresholdMetres());
}

void UnitStatus::OnGpsData(GpsData *data)
{
    gps.TakeFix(data);
    emit FixTaken();
    emit Changed();
}

void UnitStatus::OnSatelliteData(SatelliteData *data)
{
    gps.TakeSatellites(data);
    emit Changed();
}

void UnitStatus::OnGpsText(QString text)
{
    gps.AddText(Now(), text);
    emit Changed();
}

void UnitStatus::OnText(QString text)
{
    texts.Add(Now(), text);
    emit Changed();
}

void UnitStatus::OnAlarm(const AlarmData::Alarm &alarm)
{
    alarms.Update(alarm, Now());
    emit Changed();
}

void UnitStatus::OnReport(const Message21Report &report)
{
    reports.Add(report, Now(), NowFromGps() ? 1 : 0);
    GeoOffset offset;
    if (ReportOffset(offset) || GpsOffset(offset))
        reportCheckedMetres = offset.metres;
    else
        reportCheckedMetres = -1;
    emit Changed();
}

void UnitStatus::OnBatteryVoltage(QString millivolts)
{
    battery = millivolts;
    batteryTime = Now();
    emit Changed();
}
