#include "ui/unitstatustab.h"

#include "app/unitsession.h"
#include "status/unitstatus.h"
#include "ui/offpositionview.h"
#include "ui/satellitebars.h"
#include "ui/statustexts.h"
#include "ui/unithistorydialog.h"
#include "ui/unitlastseen.h"
#include "ui/unitstatussummary.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace {

enum AlarmColumn
{
    ColumnNumber,
    ColumnText,
    ColumnState,
    ColumnAcknowledged,
    ColumnFirstSeen,
    ColumnLastSeen,
    AlarmColumns
};

QPlainTextEdit *TextList(const char *name, int limit)
{
    auto *list = new QPlainTextEdit;
    list->setObjectName(QLatin1String(name));
    list->setReadOnly(true);
    list->setMaximumBlockCount(limit);
    list->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    list->setMinimumHeight(60);
    return list;
}

// The note shown while it has something to say: an empty line would leave a
// gap in the column.
void SetNote(QLabel *note, const QString &text)
{
    note->setText(text);
    note->setVisible(!text.isEmpty());
}

// Appends the texts added since the list last showed them.
void AppendTexts(QPlainTextEdit *list, const TimedTextList &texts, quint64 &shown,
                 const QDateTime &now)
{
    if (texts.Added() < shown) {
        list->clear();
        shown = 0;
    }
    const int fresh = int(qMin<quint64>(texts.Added() - shown, quint64(texts.Entries().size())));
    const QList<TimedTextList::Entry> &entries = texts.Entries();
    for (int i = entries.size() - fresh; i < entries.size(); ++i)
        list->appendPlainText(StatusTexts::Time(entries.at(i).time, now) + QStringLiteral("  ") +
                              entries.at(i).text);
    shown = texts.Added();
}

} // namespace

UnitStatusTab *UnitStatusTab::AddTo(QTabWidget *tabs, QStatusBar *statusBar, UnitSession *session)
{
    auto *tab = new UnitStatusTab(session, tabs);
    UnitStatus *status = tab->status;
    tab->setObjectName(QStringLiteral("tabUnitStatus"));
    tabs->addTab(tab, tr("Unit Status"));

    tab->summary = new UnitStatusSummary(statusBar);
    tab->summary->setObjectName(QStringLiteral("buttonUnitStatusSummary"));
    tab->summary->Show(*status);
    statusBar->addPermanentWidget(tab->summary);
    connect(tab->summary, &QToolButton::clicked, tabs,
            [tabs, tab] { tabs->setCurrentWidget(tab); });
    return tab;
}

UnitStatusTab::UnitStatusTab(UnitSession *session, QWidget *parent)
    : QScrollArea(parent), session(session), status(session->Status()),
      redrawTimer(new QTimer(this)), lastSeen(new UnitLastSeen(session, this)),
      historyButton(new QPushButton(tr("Unit History..."), this))
{
    redrawTimer->setSingleShot(true);
    redrawTimer->setInterval(RedrawDelayMs);
    connect(redrawTimer, &QTimer::timeout, this, &UnitStatusTab::Redraw);
    connect(status, &UnitStatus::Changed, this, &UnitStatusTab::OnChanged);

    auto *page = new QWidget;
    auto *grid = new QGridLayout(page);

    // GPS
    gpsBox = new QGroupBox(tr("GPS"));
    auto *gpsLayout = new QVBoxLayout(gpsBox);
    auto *gpsForm = new QFormLayout;
    gpsTime = AddRow(gpsForm, tr("UTC:"), "labelGpsTime");
    gpsFix = AddRow(gpsForm, tr("Fix:"), "labelGpsFix");
    gpsSatellites = AddRow(gpsForm, tr("Satellites:"), "labelGpsSatellites");
    gpsPosition = AddRow(gpsForm, tr("Position:"), "labelGpsPosition");
    gpsMotion = AddRow(gpsForm, tr("Speed, course:"), "labelGpsMotion");
    gpsLayout->addLayout(gpsForm);
    satelliteBars = new SatelliteBars;
    satelliteBars->setObjectName(QStringLiteral("satelliteBars"));
    gpsLayout->addWidget(satelliteBars);
    gpsLayout->addStretch();
    grid->addWidget(gpsBox, 0, 0);

    // The unit's own report
    auto *reportBox = new QGroupBox(tr("Own AtoN report (message 21)"));
    auto *reportForm = new QFormLayout(reportBox);
    reportMmsi = AddRow(reportForm, tr("MMSI:"), "labelReportMmsi");
    reportName = AddRow(reportForm, tr("Name:"), "labelReportName");
    reportPosition = AddRow(reportForm, tr("Reported position:"), "labelReportPosition");
    reportOffPosition = AddRow(reportForm, tr("Off position:"), "labelReportOffPosition");
    reportRacon = AddRow(reportForm, tr("RACON:"), "labelReportRacon");
    reportLight = AddRow(reportForm, tr("Light:"), "labelReportLight");
    reportHealth = AddRow(reportForm, tr("Health:"), "labelReportHealth");
    reportVirtual = AddRow(reportForm, tr("Virtual AtoN:"), "labelReportVirtual");
    reportTime = AddRow(reportForm, tr("Last report:"), "labelReportTime");
    reportInterval = AddRow(reportForm, tr("Interval:"), "labelReportInterval");
    grid->addWidget(reportBox, 1, 0);

    // Off position
    auto *offBox = new QGroupBox(tr("Off position"));
    auto *offLayout = new QVBoxLayout(offBox);
    offPositionView = new OffPositionView(status);
    offPositionView->setObjectName(QStringLiteral("offPositionView"));
    offLayout->addWidget(offPositionView, 1);
    auto *offForm = new QFormLayout;
    offPositionGps = AddRow(offForm, tr("GPS fix:"), "labelOffPositionGps");
    offPositionReport = AddRow(offForm, tr("Reported:"), "labelOffPositionReport");
    offLayout->addLayout(offForm);
    offPositionWarning = new QLabel;
    offPositionWarning->setObjectName(QStringLiteral("labelOffPositionWarning"));
    offPositionWarning->setWordWrap(true);
    offPositionWarning->setStyleSheet(QStringLiteral("color: #b00000;"));
    offLayout->addWidget(offPositionWarning);
    offPositionView->setToolTip(tr("Cross: nominal position the unit holds; dashed circle: "
                                   "off-position threshold; line: GPS fixes; diamonds: reported "
                                   "positions."));
    grid->addWidget(offBox, 0, 1);

    // Battery
    auto *batteryBox = new QGroupBox(tr("Battery"));
    auto *batteryLayout = new QHBoxLayout(batteryBox);
    batteryValue = new QLabel;
    batteryValue->setObjectName(QStringLiteral("labelBatteryVoltage"));
    batteryLayout->addWidget(batteryValue, 1);
    batteryRefresh = new QPushButton(tr("Refresh"));
    batteryRefresh->setObjectName(QStringLiteral("pushButtonBatteryRefresh"));
    batteryRefresh->setToolTip(tr("Read the battery voltage from the unit"));
    batteryLayout->addWidget(batteryRefresh);
    connect(batteryRefresh, &QPushButton::clicked, this, &UnitStatusTab::OnRefreshBattery);
    batteryNote = new QLabel;
    batteryNote->setObjectName(QStringLiteral("labelBatteryNote"));
    batteryNote->setWordWrap(true);
    batteryNote->hide();

    // Alarms
    auto *alarmBox = new QGroupBox(tr("Alarms"));
    auto *alarmLayout = new QVBoxLayout(alarmBox);
    alarmTable = new QTableWidget(0, AlarmColumns);
    alarmTable->setObjectName(QStringLiteral("tableAlarms"));
    alarmTable->setHorizontalHeaderLabels({tr("No."), tr("Alarm"), tr("State"), tr("Ack."),
                                           tr("First seen (UTC)"), tr("Last seen (UTC)")});
    alarmTable->horizontalHeaderItem(ColumnAcknowledged)->setToolTip(tr("Acknowledged"));
    alarmTable->verticalHeader()->hide();
    alarmTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    alarmTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    alarmTable->horizontalHeader()->setSectionResizeMode(ColumnText, QHeaderView::Stretch);
    alarmTable->setMinimumHeight(130);
    alarmLayout->addWidget(alarmTable);

    // Texts of the receiver and of the unit
    auto *textBox = new QGroupBox(tr("Texts"));
    auto *textLayout = new QVBoxLayout(textBox);
    textLayout->addWidget(new QLabel(tr("Receiver texts:")));
    gpsTexts = TextList("textGpsTexts", GpsStatus::TextLimit);
    textLayout->addWidget(gpsTexts);
    textLayout->addWidget(new QLabel(tr("Texts from the unit:")));
    unitTexts = TextList("textUnitTexts", UnitStatus::TextLimit);
    textLayout->addWidget(unitTexts);

    auto *rightColumn = new QVBoxLayout;
    historyButton->setObjectName(QStringLiteral("pushButtonUnitHistory"));
    historyButton->setEnabled(false);
    connect(historyButton, &QPushButton::clicked, this, &UnitStatusTab::OnShowHistory);
    auto *seenRow = new QHBoxLayout;
    seenRow->addWidget(lastSeen, 1);
    seenRow->addWidget(historyButton, 0, Qt::AlignTop);
    rightColumn->addLayout(seenRow);
    rightColumn->addWidget(batteryBox);
    rightColumn->addWidget(batteryNote);
    rightColumn->addWidget(textBox, 1);
    grid->addLayout(rightColumn, 1, 1);
    grid->addWidget(alarmBox, 2, 0, 1, 2);

    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(1, 1);
    setWidget(page);
    setWidgetResizable(true);
    setFrameShape(QFrame::NoFrame);
    Redraw();
}

void UnitStatusTab::SetRegister(UnitRegister *newRegister)
{
    if (history && newRegister != unitRegister)
        history->close();
    unitRegister = newRegister;
    lastSeen->SetRegister(unitRegister);
    historyButton->setEnabled(unitRegister);
}

void UnitStatusTab::OnShowHistory()
{
    if (!history) {
        history = new UnitHistoryDialog(unitRegister, session, this);
        history->setAttribute(Qt::WA_DeleteOnClose);
        connect(history, &UnitHistoryDialog::OpenRequested, this, &UnitStatusTab::OpenRecorded);
    }
    history->show();
    history->raise();
    history->activateWindow();
}

QLabel *UnitStatusTab::AddRow(QFormLayout *form, const QString &label, const char *name)
{
    auto *value = new QLabel;
    value->setObjectName(QLatin1String(name));
    value->setTextInteractionFlags(Qt::TextSelectableByMouse);
    form->addRow(label, value);
    return value;
}

void UnitStatusTab::OnChanged()
{
    if (!redrawTimer->isActive())
        redrawTimer->start();
}

void UnitStatusTab::showEvent(QShowEvent *event)
{
    QScrollArea::showEvent(event);
    if (stale)
        Redraw();
}

void UnitStatusTab::Redraw()
{
    if (summary)
        summary->Show(*status);
    // A hidden tab is brought up to date when it is shown.
    stale = !isVisible();
    if (stale)
        return;
    if (shownGeneration != status->Generation()) {
        shownGeneration = status->Generation();
        gpsTexts->clear();
        unitTexts->clear();
        shownGpsTexts = 0;
        shownUnitTexts = 0;
        shownAlarms = ~quint64(0);
    }
    RedrawGps();
    RedrawReport();
    RedrawOffPosition();
    RedrawAlarms();
    RedrawTexts();
    RedrawBattery();
}

void UnitStatusTab::RedrawGps()
{
    const GpsStatus &gps = status->Gps();
    const QDateTime now = status->Now();
    const bool fixShown = gps.HasFixData() && !gps.FixStale();
    for (QLabel *label : {gpsTime, gpsFix, gpsPosition, gpsMotion})
        label->setEnabled(fixShown);
    if (gps.HasFixData()) {
        gpsTime->setText(gps.Utc().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")) +
                         QStringLiteral(" UTC") + (gps.FixStale() ? tr(" (stale)") : QString()));
        gpsFix->setText(
            tr("%1, %2").arg(StatusTexts::FixMode(gps.HasSatelliteData() ? gps.FixMode() : 0),
                             StatusTexts::PositioningMode(gps.Mode())));
        gpsPosition->setText(gps.Mode() == GpsStatus::ModeNotValid
                                 ? tr("no position")
                                 : StatusTexts::Position(gps.Latitude(), gps.Longitude()));
        gpsMotion->setText(StatusTexts::SpeedAndCourse(gps.Speed(), gps.Course()));
    } else {
        gpsTime->setText(tr("no GPS data"));
        for (QLabel *label : {gpsFix, gpsPosition, gpsMotion})
            label->setText(QStringLiteral("-"));
    }
    const bool satellitesShown = gps.HasSatelliteData() && !gps.SatellitesStale();
    gpsSatellites->setEnabled(satellitesShown);
    satelliteBars->setEnabled(satellitesShown);
    gpsSatellites->setText(StatusTexts::SatelliteCounts(gps));
    satelliteBars->SetSatellites(gps.Satellites());
    AppendTexts(gpsTexts, gps.Texts(), shownGpsTexts, now);
}

void UnitStatusTab::RedrawReport()
{
    const OwnReportTrack &reports = status->OwnReports();
    const QList<QLabel *> labels{reportMmsi,  reportName,    reportPosition, reportOffPosition,
                                 reportRacon, reportLight,   reportHealth,   reportVirtual,
                                 reportTime,  reportInterval};
    if (!reports.HasReport()) {
        for (QLabel *label : labels)
            label->setText(QStringLiteral("-"));
        reportTime->setText(tr("no report received"));
        return;
    }
    const Message21Report &r = reports.Last();
    reportMmsi->setText(r.mmsi);
    reportName->setText(r.name);
    reportPosition->setText(StatusTexts::Position(r.latitude, r.longitude));
    reportOffPosition->setText(r.offPosition ? tr("OFF POSITION") : tr("on position"));
    reportRacon->setText(StatusTexts::Racon(r.racon));
    reportLight->setText(StatusTexts::Light(r.light));
    reportHealth->setText(StatusTexts::Health(r.health));
    reportVirtual->setText(StatusTexts::YesNo(r.virtualAid));
    reportTime->setText(StatusTexts::Time(reports.LastTime(), status->Now()));
    reportInterval->setText(reports.IntervalSeconds() < 0
                                ? QStringLiteral("-")
                                : tr("%1 s").arg(reports.IntervalSeconds()));
}

void UnitStatusTab::RedrawOffPosition()
{
    offPositionView->update();
    GeoOffset offset;
    offPositionGps->setText(status->GpsOffset(offset)
                                ? StatusTexts::Offset(offset.metres, offset.bearing)
                                : QStringLiteral("-"));
    offPositionReport->setText(status->ReportOffset(offset)
                                   ? StatusTexts::Offset(offset.metres, offset.bearing)
                                   : QStringLiteral("-"));
    QString warning;
    if (!status->UnitConfigurationKnown()) {
        warning = status->Replaying()
                      ? tr("The unit's nominal position is not known: a log holds no settings.")
                      : tr("The unit's nominal position is not known yet: retrieve its "
                           "settings to compare its position with it.");
    } else if (!status->NominalAvailable()) {
        warning = tr("The unit holds no nominal position.");
    } else if (status->IndicatorDisagrees()) {
        const bool flagged = status->OwnReports().Last().offPosition;
        warning = (flagged ? tr("The unit reports itself off position, but it was %1 m from the "
                                "nominal position, within the threshold of %2 m.")
                           : tr("The unit reports itself on position, but it was %1 m from the "
                                "nominal position, beyond the threshold of %2 m."))
                      .arg(qRound(status->ReportCheckedMetres()))
                      .arg(status->ThresholdMetres());
    }
    offPositionWarning->setText(warning);
    offPositionWarning->setVisible(!warning.isEmpty());
}

void UnitStatusTab::RedrawAlarms()
{
    const AlarmTable &alarms = status->Alarms();
    if (alarms.Revision() == shownAlarms)
        return;
    shownAlarms = alarms.Revision();
    const QVector<AlarmTable::Row> rows = alarms.Rows();
    const QDateTime now = status->Now();
    alarmTable->setRowCount(rows.size());
    for (int i = 0; i < rows.size(); ++i) {
        const AlarmTable::Row &row = rows.at(i);
        const QStringList cells{QStringLiteral("%1").arg(row.number, 3, 10, QLatin1Char('0')),
                                row.text,
                                row.active ? tr("ACTIVE") : tr("cleared"),
                                StatusTexts::YesNo(row.acknowledged),
                                StatusTexts::Time(row.firstSeen, now, false),
                                StatusTexts::Time(row.lastSeen, now, false)};
        for (int c = 0; c < AlarmColumns; ++c) {
            auto *item = new QTableWidgetItem(cells.at(c));
            if (row.active) {
                QFont font = item->font();
                font.setBold(true);
                item->setFont(font);
                item->setForeground(QColor(176, 0, 0));
            }
            alarmTable->setItem(i, c, item);
        }
    }
    for (int c : {ColumnNumber, ColumnState, ColumnAcknowledged, ColumnFirstSeen, ColumnLastSeen})
        alarmTable->resizeColumnToContents(c);
}

void UnitStatusTab::RedrawTexts()
{
    AppendTexts(unitTexts, status->Texts(), shownUnitTexts, status->Now());
}

void UnitStatusTab::RedrawBattery()
{
    if (status->BatteryTime() != shownBatteryTime) {
        shownBatteryTime = status->BatteryTime();
        SetNote(batteryNote, QString());
    }
    batteryValue->setText(status->BatteryMillivolts().isEmpty()
                              ? tr("not read")
                              : tr("%1 mV, read at %2")
                                    .arg(status->BatteryMillivolts(),
                                         StatusTexts::Time(status->BatteryTime(), status->Now())));
    batteryRefresh->setEnabled(session->HasLink() && !status->Replaying());
}

void UnitStatusTab::OnRefreshBattery()
{
    if (!session->IsReady()) {
        SetNote(batteryNote, tr("Not linked to a unit."));
        return;
    }
    // A transfer owns the link until it ends; presence polls merely queue
    // beside the reading.
    if (!session->ReadBatteryVoltage()) {
        SetNote(batteryNote, tr("The link is busy; try again when the transfer has finished."));
        return;
    }
    SetNote(batteryNote, tr("Reading the battery voltage..."));
}
