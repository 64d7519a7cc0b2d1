#include "fleet/unitrecord.h"

#include "fleet/unitlink.h"
#include "model/configurationfields.h"
#include "model/model.h"
#include "model/scheduletable.h"

namespace {

QString Escaped(const QString &text)
{
    return text.toHtmlEscaped();
}

void Pair(QString *html, const QString &label, const QString &value)
{
    *html += QStringLiteral("<tr><td class=\"label\">%1</td><td>%2</td></tr>\n")
                 .arg(Escaped(label), Escaped(value));
}

// The fields of a group, found by its untranslated name, under a heading.
void Group(QString *html, const QList<ConfigurationField> &fields, const QString &group,
           const QString &heading)
{
    *html += QStringLiteral("<p class=\"h2\">%1</p>\n<table>\n").arg(Escaped(heading));
    for (const ConfigurationField &field : fields) {
        if (field.group == group)
            Pair(html, field.label, field.text);
    }
    *html += QStringLiteral("</table>\n");
}

void Schedule(QString *html, const MessageSchedule *schedule)
{
    const ScheduleTable table(schedule);
    // The header row is a table head: a schedule that runs onto the next
    // page has its column names there too.
    *html += QStringLiteral("<p class=\"h2\">%1</p>\n<table class=\"grid\">\n<thead><tr>")
                 .arg(UnitRecord::tr("Message schedule"));
    // Broken where the translation breaks them, and nowhere else: a German
    // header would otherwise be broken inside a word to fit its column.
    for (int column = 0; column < ScheduleTable::ColumnCount; ++column)
        *html += QStringLiteral("<th style=\"white-space: nowrap\">%1</th>")
                     .arg(Escaped(ScheduleTable::Header(column, QLatin1Char('\n')))
                              .replace(QLatin1Char('\n'), QLatin1String("<br>")));
    *html += QStringLiteral("</tr></thead>\n");
    for (int row = 0; row < table.RowCount(); ++row) {
        *html += table.Active(row) ? QStringLiteral("<tr>") : QStringLiteral("<tr class=\"off\">");
        for (int column = 0; column < ScheduleTable::ColumnCount; ++column)
            *html += QStringLiteral("<td>%1</td>").arg(Escaped(table.Cell(row, column)));
        *html += QStringLiteral("</tr>\n");
    }
    *html += QStringLiteral("</table>\n");
}

void List(QString *html, const QStringList &lines)
{
    *html += QStringLiteral("<ul>\n");
    for (const QString &line : lines)
        *html += QStringLiteral("<li>%1</li>\n").arg(Escaped(line));
    *html += QStringLiteral("</ul>\n");
}

QString OrNotKnown(const QString &text)
{
    return text.isEmpty() ? UnitRecord::tr("not known") : text;
}

QString OrNotGiven(const QString &text)
{
    return text.isEmpty() ? UnitRecord::tr("not given") : text;
}

// A line to sign on, long enough for a hand.
QString Blank()
{
    return QString(34, QLatin1Char('_'));
}

} // namespace

QString UnitRecord::FileStem(const QString &mmsi, const QString &serial)
{
    QString stem = OrNotKnown(mmsi) + QLatin1Char('-') + OrNotKnown(serial);
    for (QChar &c : stem) {
        if (!(c.isLetterOrNumber() || c == QLatin1Char('-') || c == QLatin1Char('.')) ||
            c.unicode() > 0x7e)
            c = QLatin1Char('_');
    }
    return stem;
}

QString UnitRecord::BatteryText(const QString &millivolts)
{
    if (millivolts.isEmpty())
        return tr("not read during this visit");
    bool ok = false;
    const int value = millivolts.toInt(&ok);
    // What the unit said, as it said it, when it is no number of millivolts.
    if (!ok || value < 0)
        return tr("\"%1\" (as the unit reported it)").arg(millivolts);
    return tr("%1 V (%2 mV)").arg(QString::number(value / 1000.0, 'f', 2), QString::number(value));
}

UnitRecord UnitRecord::Of(const UnitLink &link, const QString &title, const QString &engineer)
{
    UnitRecord record;
    const UnitLink::Identity identity = link.UnitIdentity();
    record.title = title;
    record.serial = identity.serial;
    record.mmsi = link.Held().GetAtoN()->GetAtoNMMSI()->NewMmsi();
    record.softwareVersion = identity.softwareVersion;
    record.port = link.Port();
    record.utc = QDateTime::currentDateTimeUtc();
    record.engineer = engineer;
    auto held = std::make_shared<Model>();
    *held = link.Held();
    record.held = held;
    record.sent = true;
    record.gpsFix = link.GpsFixText();
    record.batteryMillivolts = link.BatteryMillivolts();
    record.alarms = link.ActiveAlarms();
    record.onAir = link.OnAirText();
    return record;
}

UnitRecord UnitRecord::OfVisit(const UnitLink &link, const QString &engineer)
{
    UnitRecord record = Of(link, tr("Unit record"), engineer);
    record.sent = false;
    record.verdict = tr("Read from the unit; nothing was sent.");
    return record;
}

UnitRecord::Result UnitRecord::Outcome() const
{
    if (!failure.isEmpty())
        return Result::Failed;
    if (!differences.isEmpty())
        return Result::Differs;
    return sent ? Result::Verified : Result::Read;
}

QString UnitRecord::ResultWord(Result result)
{
    switch (result) {
    case Result::Verified:
        return tr("PASS");
    case Result::Differs:
        return tr("DIFFERS");
    case Result::Failed:
        return tr("FAILED");
    case Result::Read:
        break;
    }
    return tr("READ");
}

QString UnitRecord::Banner() const
{
    const Result result = Outcome();
    QString text;
    switch (result) {
    case Result::Verified:
        text = tr("the unit holds every field sent");
        break;
    case Result::Differs:
        text = tr("the unit does not hold every field sent (%n not held); it is not "
                  "commissioned as planned",
                  nullptr, differences.size());
        break;
    case Result::Failed:
        text = failure;
        break;
    case Result::Read:
        text = tr("read from the unit; nothing was sent or compared");
        break;
    }
    return tr("%1: %2").arg(ResultWord(result), text);
}

QString UnitRecord::StyleSheet()
{
    return QStringLiteral("body { font-family: sans-serif; font-size: 9pt; }"
                          // Qt's own heading sizes would take another page.
                          "p.h1 { font-size: 13pt; font-weight: bold; }"
                          "p.h2 { font-size: 10pt; font-weight: bold; margin-top: 8px; }"
                          "td.label { padding-right: 12px; color: #333333; }"
                          // Nine columns across the page, German headers too.
                          "table.grid th, table.grid td { padding-right: 6px; font-size: 8pt; }"
                          "tr.off td { color: #888888; }"
                          "td.banner { color: #ffffff; font-size: 12pt; font-weight: bold; }"
                          "td.pass { background-color: #1b6e20; }"
                          "td.differs { background-color: #b00000; }"
                          "td.failed { background-color: #7a0000; }"
                          "td.read { background-color: #505050; }"
                          "p.missing { color: #b00000; font-weight: bold; }");
}

QString UnitRecord::Html() const
{
    return QStringLiteral("<html><head><style>") + StyleSheet() +
           QStringLiteral("</style></head><body>\n") + Body() + QStringLiteral("</body></html>\n");
}

QString UnitRecord::Body() const
{
    // Above everything else: a record of a unit that did not take what was
    // sent, or that failed, must not pass for one of a commissioned unit at
    // a glance.
    static const char *const classes[] = {"read", "pass", "differs", "failed"};
    QString html = QStringLiteral("<table width=\"100%\" cellpadding=\"6\"><tr><td "
                                  "class=\"banner %1\">%2</td></tr></table>\n")
                       .arg(QLatin1String(classes[int(Outcome())]), Escaped(Banner()));
    if (engineer.isEmpty())
        html +=
            QStringLiteral("<p class=\"missing\">%1</p>\n").arg(Escaped(tr("Engineer: not given")));

    html += QStringLiteral("<p class=\"h1\">%1</p>\n<table>\n").arg(Escaped(title));
    Pair(&html, tr("Serial number"), OrNotKnown(serial));
    Pair(&html, tr("MMSI"), OrNotKnown(mmsi));
    Pair(&html, tr("Software version"), OrNotKnown(softwareVersion));
    Pair(&html, tr("Date and time (UTC)"),
         utc.toUTC().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
    Pair(&html, tr("Engineer"), OrNotGiven(engineer));
    Pair(&html, tr("Customer"), OrNotGiven(customer));
    Pair(&html, tr("Site"), OrNotGiven(site));
    if (!port.isEmpty())
        Pair(&html, tr("Port"), port);
    html += QStringLiteral("</table>\n");

    html += QStringLiteral("<p class=\"h2\">%1</p>\n<table>\n").arg(tr("Source"));
    if (!templateFile.isEmpty()) {
        Pair(&html, tr("Template"), templateFile);
        Pair(&html, tr("Template SHA-256"), OrNotKnown(templateSha256));
    }
    if (!tableFile.isEmpty())
        Pair(&html, tr("Unit table"), tr("%1, line %2").arg(tableFile, QString::number(tableLine)));
    Pair(&html, tr("Register entry"), registerEntry.isEmpty() ? tr("none written") : registerEntry);
    html += QStringLiteral("</table>\n");

    html += QStringLiteral("<p class=\"h2\">%1</p>\n<table>\n").arg(tr("Unit"));
    Pair(&html, tr("Battery voltage"), BatteryText(batteryMillivolts));
    Pair(&html, tr("GPS"), OrNotKnown(gpsFix));
    Pair(&html, tr("Active alarms"),
         alarms.isEmpty() ? tr("none") : alarms.join(QStringLiteral("; ")));
    html += QStringLiteral("</table>\n");

    html += QStringLiteral("<p class=\"h2\">%1</p>\n<p>%2</p>\n")
                .arg(tr("Read-back"), Escaped(verdict.isEmpty() ? Banner() : verdict));
    if (!differences.isEmpty())
        List(&html, differences);
    if (!onAir.isEmpty())
        html += QStringLiteral("<p>%1</p>\n").arg(Escaped(onAir));

    if (held) {
        const QList<ConfigurationField> fields = ConfigurationFields::Of(*held);
        Group(&html, fields, QStringLiteral("AtoN"), tr("AtoN"));
        Schedule(&html, held->GetMessageSchedule());
        Group(&html, fields, QStringLiteral("Lantern interface"), tr("Lantern interface"));
    } else {
        html += QStringLiteral("<p>%1</p>\n").arg(tr("The configuration could not be read."));
    }

    html +=
        QStringLiteral("<p class=\"h2\">%1</p>\n<table cellpadding=\"4\">\n").arg(tr("Signatures"));
    const QString nameLine = tr("Name");
    const QString signatureLine = tr("Signature");
    const QString dateLine = tr("Date");
    for (const QString &who : {tr("Engineer"), tr("Witness")}) {
        html += QStringLiteral("<tr><td class=\"label\"><b>%1</b></td></tr>\n").arg(Escaped(who));
        for (const QString &what : {nameLine, signatureLine, dateLine})
            html += QStringLiteral("<tr><td class=\"label\">%1</td><td>%2</td></tr>\n")
                        .arg(Escaped(what), Blank());
    }
    html += QStringLiteral("</table>\n");
    return html;
}
