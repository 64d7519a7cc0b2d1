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

void Group(QString *html, const QList<ConfigurationField> &fields, const QString &group)
{
    *html += QStringLiteral("<p class=\"h2\">%1</p>\n<table>\n").arg(Escaped(group));
    for (const ConfigurationField &field : fields) {
        if (field.group == group)
            Pair(html, field.label, field.text);
    }
    *html += QStringLiteral("</table>\n");
}

void Schedule(QString *html, const MessageSchedule *schedule)
{
    const ScheduleTable table(schedule);
    *html += QStringLiteral("<p class=\"h2\">%1</p>\n<table class=\"grid\">\n<tr>")
                 .arg(UnitRecord::tr("Message schedule"));
    for (int column = 0; column < ScheduleTable::ColumnCount; ++column)
        *html += QStringLiteral("<th>%1</th>").arg(Escaped(ScheduleTable::Header(column)));
    *html += QStringLiteral("</tr>\n");
    for (int row = 0; row < table.RowCount(); ++row) {
        *html += table.Active(row) ? QStringLiteral("<tr>") : QStringLiteral("<tr class=\"off\">");
        for (int column = 0; column < ScheduleTable::ColumnCount; ++column)
            *html += QStringLiteral("<td>%1</td>").arg(Escaped(table.Cell(row, column)));
        *html += QStringLiteral("</tr>\n");
    }
    *html += QStringLiteral("</table>\n");
}

QString OrNotKnown(const QString &text)
{
    return text.isEmpty() ? UnitRecord::tr("not known") : text;
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
    record.gpsFix = link.GpsFixText();
    record.alarms = link.ActiveAlarms();
    return record;
}

UnitRecord UnitRecord::OfVisit(const UnitLink &link, const QString &engineer)
{
    UnitRecord record = Of(link, tr("Unit record"), engineer);
    record.verdict = tr("Read from the unit; nothing was sent.");
    return record;
}

QString UnitRecord::Html() const
{
    QString html = QStringLiteral("<html><head><style>"
                                  "body { font-family: sans-serif; font-size: 9pt; }"
                                  // Qt's own heading sizes would take a third page.
                                  "p.h1 { font-size: 13pt; font-weight: bold; }"
                                  "p.h2 { font-size: 10pt; font-weight: bold; margin-top: 8px; }"
                                  "td.label { padding-right: 12px; color: #333333; }"
                                  "table.grid th, table.grid td { padding-right: 8px; }"
                                  "tr.off td { color: #888888; }"
                                  "td.differs { background-color: #b00000; color: #ffffff; "
                                  "font-size: 11pt; font-weight: bold; }"
                                  "</style></head><body>\n");
    // Above everything else: a record of a unit that did not take what was
    // sent must not pass for one of a commissioned unit at a glance.
    if (!differences.isEmpty())
        html += QStringLiteral("<table width=\"100%\" cellpadding=\"6\"><tr><td "
                               "class=\"differs\">%1</td></tr></table>\n")
                    .arg(Escaped(tr("DIFFERS: the unit does not hold every field sent (%1 "
                                    "not held); it is not commissioned as planned.")
                                     .arg(differences.size())));
    html += QStringLiteral("<p class=\"h1\">%1</p>\n<table>\n").arg(Escaped(title));
    Pair(&html, tr("Serial number"), OrNotKnown(serial));
    Pair(&html, tr("MMSI"), OrNotKnown(mmsi));
    Pair(&html, tr("Software version"), OrNotKnown(softwareVersion));
    Pair(&html, tr("Date and time (UTC)"),
         utc.toUTC().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
    Pair(&html, tr("Engineer"), OrNotKnown(engineer));
    if (!port.isEmpty())
        Pair(&html, tr("Port"), port);
    html += QStringLiteral("</table>\n");

    html += QStringLiteral("<p class=\"h2\">%1</p>\n<p>%2</p>\n")
                .arg(tr("Read-back"), Escaped(verdict));
    if (!differences.isEmpty()) {
        html += QStringLiteral("<ul>\n");
        for (const QString &line : differences)
            html += QStringLiteral("<li>%1</li>\n").arg(Escaped(line));
        html += QStringLiteral("</ul>\n");
    }
    html += QStringLiteral("<p class=\"h2\">%1</p>\n<p>%2</p>\n")
                .arg(tr("GPS"), Escaped(OrNotKnown(gpsFix)));
    html += QStringLiteral("<p class=\"h2\">%1</p>\n").arg(tr("Active alarms"));
    if (alarms.isEmpty()) {
        html += QStringLiteral("<p>%1</p>\n").arg(tr("none"));
    } else {
        html += QStringLiteral("<ul>\n");
        for (const QString &alarm : alarms)
            html += QStringLiteral("<li>%1</li>\n").arg(Escaped(alarm));
        html += QStringLiteral("</ul>\n");
    }

    if (held) {
        const QList<ConfigurationField> fields = ConfigurationFields::Of(*held);
        Group(&html, fields, QStringLiteral("AtoN"));
        Schedule(&html, held->GetMessageSchedule());
        Group(&html, fields, QStringLiteral("Lantern interface"));
    } else {
        html += QStringLiteral("<p>%1</p>\n").arg(tr("The configuration could not be read."));
    }
    return html + QStringLiteral("</body></html>\n");
}
