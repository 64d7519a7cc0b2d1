#include "model/configurationfields.h"

#include "model/codetexts.h"
#include "model/scheduletable.h"

#include "model/geoposition.h"
#include "model/model.h"

namespace {

class FieldList
{
public:
    explicit FieldList(QList<ConfigurationField> *fields) : fields(fields) {}
    void Group(const QString &name) { group = name; }
    void Add(const QString &key, const QString &label, const QString &text, bool sent = true)
    {
        fields->append({group, key, label, text, sent});
    }

private:
    QList<ConfigurationField> *fields;
    QString group;
};

QString CodeWithText(int code, const QString &text)
{
    if (text.isEmpty())
        return ConfigurationFields::tr("%1 (unknown code)").arg(code);
    // The window's type texts already carry their code in brackets.
    if (text.trimmed().startsWith(QLatin1Char('(')))
        return text.trimmed();
    return QStringLiteral("%1 %2").arg(code).arg(text);
}

QString ChannelText(int number)
{
    const QString text = CodeTexts::Channel(number);
    return text.isEmpty() ? ConfigurationFields::tr("%1 (not a channel)").arg(number) : text;
}

// A name is one line of output wherever it is shown: its own line ends are
// written as escapes, so that a name cannot forge a line of its own.
QString Quoted(QString text)
{
    text.replace(QLatin1Char('\n'), QLatin1String("\\x0a"));
    text.replace(QLatin1Char('\r'), QLatin1String("\\x0d"));
    return QLatin1Char('"') + text + QLatin1Char('"');
}

} // namespace

QString ConfigurationFields::LatitudeText(double latitude)
{
    return IsLatitude(latitude) ? GeoPosition::LatitudeDm(latitude) : tr(NotAvailable);
}

QString ConfigurationFields::LongitudeText(double longitude)
{
    return IsLongitude(longitude) ? GeoPosition::LongitudeDm(longitude) : tr(NotAvailable);
}

void ConfigurationFields::AppendLatitudeText(QByteArray &text, double latitude,
                                             const GeoPosition::Hemispheres &letters)
{
    if (IsLatitude(latitude))
        GeoPosition::AppendLatitudeDm(text, latitude, letters);
    else
        text += NotAvailable;
}

void ConfigurationFields::AppendLongitudeText(QByteArray &text, double longitude,
                                              const GeoPosition::Hemispheres &letters)
{
    if (IsLongitude(longitude))
        GeoPosition::AppendLongitudeDm(text, longitude, letters);
    else
        text += NotAvailable;
}

QList<ConfigurationField> ConfigurationFields::AtoNFields(const Model &model)
{
    QList<ConfigurationField> fields;
    FieldList list(&fields);

    const AtoN *aton = model.GetAtoN();
    const AtoNMMSI *mmsi = aton->GetAtoNMMSI();
    list.Group(QStringLiteral("AtoN"));
    list.Add(QStringLiteral("mmsi"), tr("MMSI"), mmsi->NewMmsi());
    // The MMSI that the unit held when the configuration was read; a send
    // addresses the unit by the MMSI it holds, not by this one.
    list.Add(QStringLiteral("heldMmsi"), tr("MMSI held by the unit"), mmsi->Mmsi(), false);
    list.Add(QStringLiteral("aidMode"), tr("AID mode"), QString::number(mmsi->AidMode()), false);
    list.Add(QStringLiteral("aidFlag"), tr("AID flag"),
             mmsi->AidFlag() ? QStringLiteral("1") : QStringLiteral("0"), false);
    list.Add(QStringLiteral("name"), tr("Name"), Quoted(aton->Name()));
    const int type = aton->TypeOfAtoN();
    list.Add(QStringLiteral("typeOfAtoN"), tr("Type of AtoN"),
             CodeWithText(type, CodeTexts::TypeOfAtoN(type)));
    list.Add(QStringLiteral("typeOfEPFS"), tr("Type of EPFS"),
             CodeWithText(aton->TypeOfEPFS(), CodeTexts::TypeOfEPFS(aton->TypeOfEPFS())));
    list.Add(QStringLiteral("latitude"), tr("Latitude"),
             LatitudeText(aton->GetPosition()->Latitude()));
    list.Add(QStringLiteral("longitude"), tr("Longitude"),
             LongitudeText(aton->GetPosition()->Longitude()));
    list.Add(QStringLiteral("positionAccuracy"), tr("Position accuracy"),
             CodeWithText(aton->PositionAccuracy(),
                          CodeTexts::PositionAccuracy(aton->PositionAccuracy())));
    list.Add(QStringLiteral("offPositionThreshold"), tr("Off-position threshold"),
             QStringLiteral("%1 m").arg(aton->OffPositionThreshold()));
    list.Add(QStringLiteral("racon"), tr("RACON"), aton->Racon() ? tr("fitted") : tr("not fitted"));
    list.Add(QStringLiteral("channel1"), tr("Channel 1"), ChannelText(aton->Channel1()));
    list.Add(QStringLiteral("channel2"), tr("Channel 2"), ChannelText(aton->Channel2()));
    // A reference point sends no dimensions, a floating AtoN only dimension A.
    const bool referencePoint = type == 1;
    const bool fixed = AtoN::IsFixedAtoNType(type);
    list.Add(QStringLiteral("dimensionA"), tr("Dimension A"),
             QStringLiteral("%1 m").arg(aton->DimensionA()), !referencePoint);
    list.Add(QStringLiteral("dimensionB"), tr("Dimension B"),
             QStringLiteral("%1 m").arg(aton->DimensionB()), !referencePoint && fixed);
    list.Add(QStringLiteral("dimensionC"), tr("Dimension C"),
             QStringLiteral("%1 m").arg(aton->DimensionC()), !referencePoint && fixed);
    list.Add(QStringLiteral("dimensionD"), tr("Dimension D"),
             QStringLiteral("%1 m").arg(aton->DimensionD()), !referencePoint && fixed);
    list.Add(QStringLiteral("acfField14"), tr("ACF field 14"), QString::number(aton->AcfField14()));
    list.Add(QStringLiteral("aceField5"), tr("ACE field 5"), QString::number(aton->AceField5()));
    list.Add(QStringLiteral("aceField6"), tr("ACE field 6"), QString::number(aton->AceField6()));
    return fields;
}

static_assert(ConfigurationFields::ScheduleRowFieldCount ==
                  1 + ScheduleTable::ColumnCount - ScheduleTable::AccessScheme,
              "whether the row is in use, then each column from the access scheme on");

bool ConfigurationFields::ScheduleRowField(const ScheduleTable &table, int row, int k,
                                           ConfigurationField *field)
{
    const int column = ScheduleTable::AccessScheme + k - 1;
    // A row left to the unit is one field that says so; a send does not
    // carry it.
    const bool specified = table.Specified(row);
    QString text;
    if (k == 0)
        text = !specified ? ScheduleTable::UnitHoldsIt() : table.Active(row) ? tr("yes") : tr("no");
    else if (specified)
        text = table.Cell(row, column);
    if (text.isEmpty() || !field)
        return !text.isEmpty();
    const QString name = table.RowName(row);
    const QString key = QStringLiteral("schedule.") + name + QLatin1Char('.');
    const QString label = tr("Schedule %1").arg(name) + QLatin1Char(' ');
    *field = {QStringLiteral("Message schedule"),
              key + (k == 0 ? QStringLiteral("active") : QString::number(column)),
              label + (k == 0 ? tr("In use") : ScheduleTable::Header(column)), text, specified};
    return true;
}

QList<ConfigurationField> ConfigurationFields::Of(const Model &model)
{
    QList<ConfigurationField> fields = AtoNFields(model);
    const ScheduleTable table(model.GetMessageSchedule());
    ConfigurationField field;
    for (int row = 0; row < table.RowCount(); ++row) {
        for (int k = 0; k < ScheduleRowFieldCount; ++k) {
            if (ScheduleRowField(table, row, k, &field))
                fields.append(field);
        }
    }
    return fields + LanternFields(model);
}

QList<ConfigurationField> ConfigurationFields::LanternFields(const Model &model)
{
    QList<ConfigurationField> fields;
    FieldList list(&fields);
    const LanternInterface *lim = model.GetLanternInterface();
    list.Group(QStringLiteral("Lantern interface"));
    list.Add(QStringLiteral("limen"), tr("Lantern interface support"),
             lim->GetLimen() ? tr("enabled") : tr("disabled"));
    list.Add(QStringLiteral("limvmin"), tr("Minimum voltage"),
             QStringLiteral("%1 V").arg(LanternInterface::VoltsFromMillivolts(lim->GetLimvmin()), 0,
                                        'f', 3));
    list.Add(QStringLiteral("limvmax"), tr("Maximum voltage"),
             QStringLiteral("%1 V").arg(LanternInterface::VoltsFromMillivolts(lim->GetLimvmax()), 0,
                                        'f', 3));
    list.Add(QStringLiteral("limton"), tr("Maximum on time"),
             QStringLiteral("%1 s").arg(LanternInterface::SecondsFromMilliseconds(lim->GetLimton()),
                                        0, 'f', 3));
    list.Add(QStringLiteral("limtoff"), tr("Maximum off time"),
             QStringLiteral("%1 s").arg(
                 LanternInterface::SecondsFromMilliseconds(lim->GetLimtoff()), 0, 'f', 3));
    if (lim->IsSteadyOn()) {
        list.Add(QStringLiteral("limion"), tr("On current (steady on)"),
                 QStringLiteral("%1 A").arg(
                     LanternInterface::AmperesFromOnCurrent(lim->GetLimion()), 0, 'f', 3));
    } else {
        list.Add(QStringLiteral("limion"), tr("On/off slew rate"),
                 QStringLiteral("%1 A/s").arg(
                     LanternInterface::AmperesPerSecondFromSlewRate(lim->GetLimion()), 0, 'f', 2));
    }
    list.Add(QStringLiteral("limigain"), tr("Current range"),
             lim->GetLimigain() ? QStringLiteral("1 Amp") : QStringLiteral("5 Amp"));
    const int threshold = lim->GetLimpthresh();
    list.Add(QStringLiteral("limpthresh"), tr("Ambient light-on threshold"),
             threshold == 0 ? tr("0 (no low-light error reporting)")
                            : tr("%1 lux (sensor value %2)")
                                  .arg(LanternInterface::LuxFromThreshold(threshold))
                                  .arg(threshold));
    return fields;
}
