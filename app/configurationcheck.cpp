#include "app/configurationcheck.h"

#include "lim/lanterninterface.h"
#include "lim/limsetparam.h"
#include "model/fieldranges.h"
#include "model/model.h"
#include "sentences/atonsentenceaar.h"
#include "sentences/atonsentenceace.h"
#include "sentences/atonsentenceacf.h"
#include "sentences/atonsentenceaid.h"

#include <QCoreApplication>
#include <QRegularExpression>

namespace {

using Range = ConfigurationCheck::Range;

// Every limit comes from the one table that the answers from the unit are
// checked against as well.
int Min(FieldRanges::Field field)
{
    return FieldRanges::Minimum(field);
}

int Max(FieldRanges::Field field)
{
    return FieldRanges::Maximum(field);
}

FieldRanges::Field LanternField(const char *name)
{
    for (int i = 0; i < LanternInterface::ParameterCount; ++i) {
        if (LanternInterface::ParameterName(i) == QLatin1String(name))
            return FieldRanges::LanternField(i);
    }
    return FieldRanges::LanternField(0);
}

int Lantern(const char *name)
{
    return FieldRanges::Minimum(LanternField(name));
}

int LanternMax(const char *name)
{
    return FieldRanges::Maximum(LanternField(name));
}

// The ranges of the AtoN tab's fields: what their fields in the sentences and
// in the AIS messages the unit builds from them carry. The tab's own boxes
// may offer less; a value the unit already held is sent back as it is.
const QList<Range> &AtoNRanges()
{
    static const QList<Range> ranges = {
        {QT_TRANSLATE_NOOP("ConfigurationCheck", "Type of AtoN"), Min(FieldRanges::TypeOfAtoN),
         Max(FieldRanges::TypeOfAtoN), [](const Model &m) { return m.GetAtoN()->TypeOfAtoN(); }},
        {QT_TRANSLATE_NOOP("ConfigurationCheck", "Type of EPFS"), Min(FieldRanges::TypeOfEPFS),
         Max(FieldRanges::TypeOfEPFS), [](const Model &m) { return m.GetAtoN()->TypeOfEPFS(); }},
        {QT_TRANSLATE_NOOP("ConfigurationCheck", "Position accuracy"),
         Min(FieldRanges::PositionAccuracy), Max(FieldRanges::PositionAccuracy),
         [](const Model &m) { return m.GetAtoN()->PositionAccuracy(); }},
        {QT_TRANSLATE_NOOP("ConfigurationCheck", "Off-position threshold"),
         Min(FieldRanges::OffPositionThreshold), Max(FieldRanges::OffPositionThreshold),
         [](const Model &m) { return m.GetAtoN()->OffPositionThreshold(); }},
        {QT_TRANSLATE_NOOP("ConfigurationCheck", "ACF field 14"), Min(FieldRanges::AcfField14),
         Max(FieldRanges::AcfField14), [](const Model &m) { return m.GetAtoN()->AcfField14(); }},
        {QT_TRANSLATE_NOOP("ConfigurationCheck", "AID mode"), Min(FieldRanges::AidMode),
         Max(FieldRanges::AidMode),
         [](const Model &m) { return m.GetAtoN()->GetAtoNMMSI()->AidMode(); }},
        {QT_TRANSLATE_NOOP("ConfigurationCheck", "ACE field 5"), Min(FieldRanges::AceField5),
         Max(FieldRanges::AceField5), [](const Model &m) { return m.GetAtoN()->AceField5(); }},
        {QT_TRANSLATE_NOOP("ConfigurationCheck", "ACE field 6"), Min(FieldRanges::AceField6),
         Max(FieldRanges::AceField6), [](const Model &m) { return m.GetAtoN()->AceField6(); }},
        {QT_TRANSLATE_NOOP("ConfigurationCheck", "Dimension A"), Min(FieldRanges::DimensionA),
         Max(FieldRanges::DimensionA), [](const Model &m) { return m.GetAtoN()->DimensionA(); }},
        {QT_TRANSLATE_NOOP("ConfigurationCheck", "Dimension B"), Min(FieldRanges::DimensionB),
         Max(FieldRanges::DimensionB), [](const Model &m) { return m.GetAtoN()->DimensionB(); }},
        {QT_TRANSLATE_NOOP("ConfigurationCheck", "Dimension C"), Min(FieldRanges::DimensionC),
         Max(FieldRanges::DimensionC), [](const Model &m) { return m.GetAtoN()->DimensionC(); }},
        {QT_TRANSLATE_NOOP("ConfigurationCheck", "Dimension D"), Min(FieldRanges::DimensionD),
         Max(FieldRanges::DimensionD), [](const Model &m) { return m.GetAtoN()->DimensionD(); }},
    };
    return ranges;
}

// The lantern values as the unit stores them (the tab offers less: 0 to 33 V,
// 0 to 30 s, up to 50 A and up to 400 lx).
const QList<Range> &LanternRanges()
{
    static const QList<Range> ranges = {
        {QT_TRANSLATE_NOOP("ConfigurationCheck", "Lantern minimum voltage (mV)"),
         Lantern("limvmin"), LanternMax("limvmin"),
         [](const Model &m) { return m.GetLanternInterface()->GetLimvmin(); }},
        {QT_TRANSLATE_NOOP("ConfigurationCheck", "Lantern maximum voltage (mV)"),
         Lantern("limvmax"), LanternMax("limvmax"),
         [](const Model &m) { return m.GetLanternInterface()->GetLimvmax(); }},
        {QT_TRANSLATE_NOOP("ConfigurationCheck", "Lantern maximum on time (ms)"), Lantern("limton"),
         LanternMax("limton"), [](const Model &m) { return m.GetLanternInterface()->GetLimton(); }},
        {QT_TRANSLATE_NOOP("ConfigurationCheck", "Lantern maximum off time (ms)"),
         Lantern("limtoff"), LanternMax("limtoff"),
         [](const Model &m) { return m.GetLanternInterface()->GetLimtoff(); }},
        {QT_TRANSLATE_NOOP("ConfigurationCheck", "Lantern current"), Lantern("limion"),
         LanternMax("limion"), [](const Model &m) { return m.GetLanternInterface()->GetLimion(); }},
        {QT_TRANSLATE_NOOP("ConfigurationCheck", "Lantern low light threshold"),
         Lantern("limpthresh"), LanternMax("limpthresh"),
         [](const Model &m) { return m.GetLanternInterface()->GetLimpthresh(); }},
    };
    return ranges;
}

} // namespace

void ConfigurationCheck::CheckTable(const QList<Range> &ranges, const Model &model,
                                    QStringList *problems)
{
    for (const Range &range : ranges) {
        const int value = range.value(model);
        if (value < range.minimum || value > range.maximum)
            problems->append(tr("%1: %2 is outside %3 to %4")
                                 .arg(tr(range.label))
                                 .arg(value)
                                 .arg(range.minimum)
                                 .arg(range.maximum));
    }
}

QString ConfigurationCheck::Outside(const QString &field, const QString &value,
                                    const QString &range)
{
    return tr("%1: %2 is outside %3").arg(field, value, range);
}

QStringList ConfigurationCheck::Problems(const Model &model, int tabs)
{
    QStringList problems;
    CheckRanges(model, tabs, &problems);
    CheckSentences(model, tabs, &problems);
    return problems;
}

void ConfigurationCheck::CheckRanges(const Model &model, int tabs, QStringList *problems)
{
    if (tabs & AtoNTab) {
        static const QRegularExpression mmsiShape(QStringLiteral("^(?!000000000)[0-9]{9}$"));
        const QString mmsi = model.GetAtoN()->GetAtoNMMSI()->NewMmsi();
        if (!mmsiShape.match(mmsi).hasMatch())
            problems->append(
                tr("MMSI: \"%1\" is not valid (nine digits, not all zeros)").arg(mmsi));
        const GeoPosition *position = model.GetAtoN()->GetPosition();
        const double latitude = position->Latitude();
        if (!(latitude >= -90.0 && latitude <= 91.0))
            problems->append(Outside(tr("Latitude"), QString::number(latitude),
                                     tr("-90 to 90 (91: not available)")));
        const double longitude = position->Longitude();
        if (!(longitude >= -180.0 && longitude <= 181.0))
            problems->append(Outside(tr("Longitude"), QString::number(longitude),
                                     tr("-180 to 180 (181: not available)")));
        CheckTable(AtoNRanges(), model, problems);
        for (const QString &problem :
             {FieldRanges::ChannelProblem(tr("Channel 1"), model.GetAtoN()->Channel1()),
              FieldRanges::ChannelProblem(tr("Channel 2"), model.GetAtoN()->Channel2())}) {
            if (!problem.isEmpty())
                problems->append(problem);
        }

        const QString nameProblem = FieldRanges::NameProblem(model.GetAtoN()->Name());
        if (!nameProblem.isEmpty())
            problems->append(nameProblem);
        const MessageSchedule *schedule = model.GetMessageSchedule();
        problems->append(schedule->LayoutProblems());
        // Beyond the layout the rows are not checked one by one: the unit
        // would not take them, and many rows would make many lines.
        for (int i = 0; i < qMin(schedule->Count(), int(MessageSchedule::BlockLayoutRows)); ++i) {
            const MessageScheduleEntry row = schedule->EntryAt(i);
            int number = 0;
            int n = 0;
            schedule->Ordinal(i, number, n);
            const QString name = tr("Schedule %1/%2").arg(number).arg(n);
            const int maxInterval = Max(FieldRanges::IntervalField(row.AccessScheme()));
            const struct
            {
                QString label;
                int value;
                int minimum;
                int maximum;
            } fields[] = {
                {tr("access scheme"), row.AccessScheme(), Min(FieldRanges::AccessScheme),
                 Max(FieldRanges::AccessScheme)},
                {tr("channel 1 start slot"), row.StartSlot1(), Min(FieldRanges::StartSlot),
                 Max(FieldRanges::StartSlot)},
                {tr("channel 2 start slot"), row.StartSlot2(), Min(FieldRanges::StartSlot),
                 Max(FieldRanges::StartSlot)},
                {tr("channel 1 interval"), row.Interval1(), 0, maxInterval},
                {tr("channel 2 interval"), row.Interval2(), 0, maxInterval},
            };
            for (const auto &field : fields) {
                if (field.value < field.minimum || field.value > field.maximum)
                    problems->append(Outside(name + QLatin1Char(' ') + field.label,
                                             QString::number(field.value),
                                             tr("%1 to %2").arg(field.minimum).arg(field.maximum)));
            }
            if (!row.StartTime1().isValid() || !row.StartTime2().isValid())
                problems->append(tr("%1: a start time is not a time of day").arg(name));
        }
    }
    if (tabs & LanternTab)
        CheckTable(LanternRanges(), model, problems);
}

// Builds every set sentence the send would write, on a copy of the
// configuration (building the AID sentence changes the MMSI it holds).
void ConfigurationCheck::CheckSentences(const Model &model, int tabs, QStringList *problems)
{
    Model copy;
    copy = model;
    const auto check = [problems](const QString &field, const QString &sentence) {
        const int length = sentence.trimmed().size() + 2;
        if (length > MaxSentenceLength)
            problems->append(tr("%1: the sentence that sets it would have %2 characters, more "
                                "than the %3 a line may have")
                                 .arg(field)
                                 .arg(length)
                                 .arg(MaxSentenceLength));
    };
    if (tabs & AtoNTab) {
        AtoN *aton = copy.GetAtoN();
        AtoNSentenceACF acf(aton, nullptr);
        check(tr("Position and channels"), acf.Encode(0, nullptr));
        AtoNSentenceACE ace(aton, nullptr);
        int extra = 0;
        const QString first = ace.Encode(0, &extra);
        check(tr("Name"), first);
        for (int i = 1; i <= extra; ++i)
            check(tr("Name"), ace.Encode(i, nullptr));
        AtoNSentenceAAR aar(copy.GetMessageSchedule());
        const int rows =
            qMin(copy.GetMessageSchedule()->Count(), int(MessageSchedule::BlockLayoutRows));
        for (int i = 0; i < rows; ++i)
            check(tr("Schedule row %1").arg(i + 1), aar.Encode(i, nullptr));
        // Last: it makes the new MMSI the held one.
        AtoNSentenceAID aid(aton->GetAtoNMMSI(), nullptr);
        check(tr("MMSI"), aid.Encode(0, nullptr));
    }
    if (tabs & LanternTab) {
        for (int i = 0; i < LanternInterface::ParameterCount; ++i) {
            const LimSetParam set(LanternInterface::ParameterName(i), LanternInterface::SetTag(i),
                                  &copy);
            check(LanternInterface::ParameterName(i), set.Sentence());
        }
    }
}
