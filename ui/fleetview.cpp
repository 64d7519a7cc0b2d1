#include "ui/fleetview.h"

#include "app/onaircheck.h"
#include "fleet/batchrecord.h"
#include "fleet/engineersetting.h"
#include "fleet/fleetplan.h"
#include "fleet/fleetrun.h"
#include "fleet/record/recordwriter.h"
#include "fleet/unitlink.h"
#include "link/portwatch.h"
#include "register/unitregister.h"
#include "ui/mmsichangebox.h"

#include <QCheckBox>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSplitter>
#include <QTableWidget>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

namespace {

QTableWidget *Table(QWidget *parent, const QString &name, const QStringList &headers)
{
    auto *table = new QTableWidget(0, headers.size(), parent);
    table->setObjectName(name);
    table->setHorizontalHeaderLabels(headers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->verticalHeader()->hide();
    table->horizontalHeader()->setStretchLastSection(true);
    return table;
}

void SetCell(QTableWidget *table, int row, int column, const QString &text)
{
    QTableWidgetItem *item = table->item(row, column);
    if (!item) {
        item = new QTableWidgetItem;
        table->setItem(row, column, item);
    }
    item->setText(text);
}

// Each column as wide as its texts; the last, the state, takes the rest.
void FitColumns(QTableWidget *table)
{
    for (int column = 0; column + 1 < table->columnCount(); ++column)
        table->resizeColumnToContents(column);
}

int SelectedRow(const QTableWidget *table)
{
    const QList<QTableWidgetSelectionRange> ranges = table->selectedRanges();
    return ranges.isEmpty() ? -1 : ranges.first().topRow();
}

} // namespace

FleetView::FleetView(LinkMaker makeLink, PortLister listPorts, const QString &engineer,
                     QWidget *parent)
    : QWidget(parent, Qt::Window), makeLink(std::move(makeLink)), listPorts(std::move(listPorts))
{
    setWindowTitle(tr("Commission a fleet"));
    setObjectName(QStringLiteral("fleetView"));
    auto *form = new QFormLayout;
    templateField =
        PathField(QStringLiteral("templateField"), tr("the .pad every unit gets"), false);
    tableField =
        PathField(QStringLiteral("tableField"), tr("the CSV table, a row per unit"), false);
    recordsField =
        PathField(QStringLiteral("recordsField"), tr("where the records and summary.csv go"), true);
    engineerField = new QLineEdit(engineer, this);
    engineerField->setObjectName(QStringLiteral("engineerField"));
    // Units are looked for on their own USB adapters only; a unit on any
    // other port is named here, so that no other device of the computer (a
    // GPS receiver, a modem) is sent a unit's questions.
    portsField = new QLineEdit(this);
    portsField->setObjectName(QStringLiteral("portsField"));
    portsField->setPlaceholderText(tr("the unit's USB adapters are found; name other ports "
                                      "here, separated by spaces"));
    form->addRow(tr("Template:"), templateField->parentWidget());
    form->addRow(tr("Unit table:"), tableField->parentWidget());
    form->addRow(tr("Records folder:"), recordsField->parentWidget());
    form->addRow(tr("Engineer:"), engineerField);
    form->addRow(tr("Other ports:"), portsField);
    onAirBox = new QCheckBox(tr("Check each unit's report on air after sending (up to %1 min)")
                                 .arg(QLocale().toString(OnAirCheck::DefaultMinutes, 'g', 3)),
                             this);
    onAirBox->setObjectName(QStringLiteral("onAirBox"));
    form->addRow(QString(), onAirBox);

    loadButton = new QPushButton(tr("Load and check"), this);
    loadButton->setObjectName(QStringLiteral("loadButton"));
    findButton = new QPushButton(tr("Find docked units"), this);
    findButton->setObjectName(QStringLiteral("findButton"));
    allButton = new QPushButton(tr("Commission all"), this);
    allButton->setObjectName(QStringLiteral("allButton"));
    chosenButton = new QPushButton(tr("Commission chosen row on chosen unit"), this);
    chosenButton->setObjectName(QStringLiteral("chosenButton"));
    recordButton = new QPushButton(tr("Open record"), this);
    recordButton->setObjectName(QStringLiteral("recordButton"));
    auto *buttons = new QHBoxLayout;
    for (QPushButton *button : {loadButton, findButton, allButton, chosenButton, recordButton})
        buttons->addWidget(button);
    buttons->addStretch();

    problems = new QPlainTextEdit(this);
    problems->setObjectName(QStringLiteral("problems"));
    problems->setReadOnly(true);
    problems->setMaximumHeight(90);
    problems->hide();
    rows = Table(this, QStringLiteral("rows"),
                 {tr("Line"), tr("MMSI"), tr("Name"), tr("Serial number"), tr("State")});
    units = Table(this, QStringLiteral("units"),
                  {tr("Port"), tr("Serial number"), tr("MMSI"), tr("State")});
    summary = new QLabel(this);
    summary->setObjectName(QStringLiteral("summary"));
    auto *splitter = new QSplitter(Qt::Vertical, this);
    splitter->addWidget(rows);
    splitter->addWidget(units);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
    layout->addWidget(problems);
    layout->addWidget(splitter, 1);
    layout->addWidget(summary);

    connect(loadButton, &QPushButton::clicked, this, &FleetView::LoadPlan);
    connect(findButton, &QPushButton::clicked, this, &FleetView::FindUnits);
    connect(new PortWatch(this), &PortWatch::Changed, this, [this] {
        if (finding)
            LookAtPorts(true);
    });
    connect(allButton, &QPushButton::clicked, this, &FleetView::CommissionAll);
    connect(chosenButton, &QPushButton::clicked, this, &FleetView::CommissionChosen);
    connect(recordButton, &QPushButton::clicked, this, &FleetView::OpenRecord);
    connect(rows, &QTableWidget::itemSelectionChanged, this, &FleetView::UpdateButtons);
    connect(units, &QTableWidget::itemSelectionChanged, this, &FleetView::UpdateButtons);
    resize(820, 560);
    UpdateButtons();
}

FleetView::~FleetView()
{
    // Every line goes back before the view does.
    for (UnitLink *link : links)
        link->Close();
}

QLineEdit *FleetView::PathField(const QString &name, const QString &placeholder, bool folder)
{
    auto *row = new QWidget(this);
    auto *field = new QLineEdit(row);
    field->setObjectName(name);
    field->setPlaceholderText(placeholder);
    auto *browse = new QToolButton(row);
    browse->setText(QStringLiteral("…"));
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(field, 1);
    layout->addWidget(browse);
    connect(browse, &QToolButton::clicked, this, [this, field, folder] {
        const QString chosen =
            folder ? QFileDialog::getExistingDirectory(this, tr("Records folder"), field->text())
                   : QFileDialog::getOpenFileName(this, tr("Open"), field->text());
        if (!chosen.isEmpty())
            field->setText(chosen);
    });
    return field;
}

QString FleetView::RecordsFolder() const
{
    return recordsField->text();
}

void FleetView::SetRegister(UnitRegister *newRegister)
{
    unitRegister = newRegister;
    if (run && run->Running() == 0)
        run->SetRegister(unitRegister);
}

void FleetView::LoadPlan()
{
    if (run && run->Running() > 0)
        return;
    plan = std::make_unique<FleetPlan>();
    rows->setRowCount(0);
    const bool ok = plan->Load(templateField->text(), tableField->text());
    // Identities no AtoN should carry are sent all the same, as the table
    // says, but the engineer sees them first.
    QStringList lines = plan->Problems();
    for (const QString &warning : plan->Warnings())
        lines << tr("warning: %1").arg(warning);
    problems->setPlainText(lines.join(QLatin1Char('\n')));
    problems->setVisible(!lines.isEmpty());
    if (ok && recordsField->text().isEmpty())
        recordsField->setText(QFileInfo(tableField->text()).absolutePath() +
                              QStringLiteral("/records"));
    rows->setRowCount(plan->RowCount());
    for (int row = 0; row < plan->RowCount(); ++row) {
        const FleetPlan::Row &r = plan->Rows().at(row);
        SetCell(rows, row, LineColumn, QString::number(r.line));
        SetCell(rows, row, MmsiColumn, r.mmsi);
        SetCell(rows, row, NameColumn, r.name);
        SetCell(rows, row, SerialColumn, r.serial);
        SetCell(rows, row, StateColumn, tr("waiting"));
    }
    FitColumns(rows);
    delete run;
    run = nullptr;
    // What an earlier run left in the records folder shows at once.
    if (ok)
        StartRun();
    summary->setText(ok ? tr("%n unit(s) in the table", nullptr, plan->RowCount())
                        : tr("The table cannot be used; nothing will be sent."));
    UpdateButtons();
}

bool FleetView::StartRun()
{
    EngineerSetting::Write(engineerField->text());
    delete run;
    batch = std::make_unique<BatchRecord>(*plan, engineerField->text());
    BatchRecord *records = batch.get();
    run = new FleetRun(
        *plan, recordsField->text(), engineerField->text(),
        [records](const UnitRecord &record, const QString &path, QString *errorText) {
            return RecordWriter::WritePdf(records->Completed(record, path), path, errorText);
        },
        this);
    run->SetRegister(unitRegister);
    run->SetReassignWording(tr("to give the unit this MMSI all the same, choose the row and the "
                               "unit and press \"Commission chosen row on chosen unit\"."));
    QString error;
    if (!run->Prepare(&error)) {
        QMessageBox::critical(this, tr("Commission a fleet"), error);
        delete run;
        run = nullptr;
        return false;
    }
    connect(run, &FleetRun::RowChanged, this, &FleetView::ShowRow);
    connect(run, &FleetRun::UnitMessage, this, [this](const QString &port, const QString &text) {
        for (UnitLink *link : links) {
            if (link->Port() == port)
                ShowUnit(link, text);
        }
    });
    connect(run, &FleetRun::Finished, this, [this] {
        WriteBatchRecord();
        summary->setText(run->Worst() == FleetRun::Outcome::Verified
                             ? tr("Every unit holds its row.")
                         : run->Worst() == FleetRun::Outcome::Differs
                             ? tr("A unit does not hold every field; see its row.")
                             : tr("A unit failed; see its row."));
        UpdateButtons();
    });
    for (int row = 0; row < plan->RowCount(); ++row)
        ShowRow(row);
    return true;
}

void FleetView::WriteBatchRecord()
{
    for (int row = 0; row < plan->RowCount(); ++row)
        batch->SetLine(row, run->Summary().At(row), run->RowStatus(row));
    const QString path = QDir(recordsField->text()).filePath(batch->FileName());
    QString error;
    if (!RecordWriter::WriteBatchPdf(*batch, path, &error))
        QMessageBox::critical(this, tr("Commission a fleet"), error);
}

void FleetView::ShowRow(int row)
{
    SetCell(rows, row, StateColumn, run->RowStatus(row));
    const QString serial = run->Summary().At(row).serial;
    if (!serial.isEmpty())
        SetCell(rows, row, SerialColumn, serial);
    UpdateButtons();
}

void FleetView::ShowUnit(UnitLink *link, const QString &state)
{
    const int row = links.indexOf(link);
    if (row < 0)
        return;
    const UnitLink::Identity identity = link->UnitIdentity();
    SetCell(units, row, UnitSerialColumn, identity.serial);
    SetCell(units, row, UnitMmsiColumn, identity.mmsi);
    SetCell(units, row, UnitStateColumn, state);
    FitColumns(units);
}

QStringList FleetView::NamedPorts() const
{
    static const QRegularExpression separators(QStringLiteral("[\\s,;]+"));
    return portsField->text().split(separators, Qt::SkipEmptyParts);
}

void FleetView::FindUnits()
{
    finding = true;
    LookAtPorts(false);
}

void FleetView::LookAtPorts(bool onlyNew)
{
    for (const QString &port : listPorts(NamedPorts())) {
        bool known = false;
        for (UnitLink *link : links)
            known = known || (link->Port() == port && link->IsIdentified());
        UnitLink *link = nullptr;
        for (UnitLink *old : links) {
            if (old->Port() == port)
                link = old;
        }
        if (known || (onlyNew && link))
            continue;
        if (!link) {
            link = makeLink(port, this);
            links << link;
            units->setRowCount(links.size());
            SetCell(units, links.size() - 1, PortColumn, port);
            connect(link, &UnitLink::Identified, this, [this, link] {
                ShowUnit(link, tr("docked"));
                UpdateButtons();
            });
            connect(link, &UnitLink::Failed, this, [this, link](const QString &reason) {
                ShowUnit(link, tr("failed: %1").arg(reason));
                UpdateButtons();
            });
        }
        ShowUnit(link, tr("connecting"));
        link->Open();
    }
}

void FleetView::ApplyChoices()
{
    run->SetOnAirMinutes(onAirBox->isChecked() ? OnAirCheck::DefaultMinutes : 0.0);
}

void FleetView::CommissionAll()
{
    if (!plan || (!run && !StartRun()))
        return;
    ApplyChoices();
    for (UnitLink *link : links) {
        if (link->IsIdentified())
            run->AddUnit(link);
    }
    UpdateButtons();
}

void FleetView::CommissionChosen()
{
    const int row = SelectedRow(rows);
    const int unit = SelectedRow(units);
    if (!plan || row < 0 || unit < 0 || (!run && !StartRun()))
        return;
    UnitLink *link = links.at(unit);
    MmsiGuard::Finding finding;
    bool reassign = false;
    if (run->NeedsReassign(link, row, &finding)) {
        const FleetPlan::Row &r = plan->Rows().at(row);
        if (!MmsiChangeBox::AskForRow(
                this, finding,
                tr("Send line %1 of the table (MMSI %2, \"%3\") to the unit with serial number "
                   "%4 on %5?")
                    .arg(QString::number(r.line), r.mmsi, r.name, link->UnitIdentity().serial,
                         link->Port())))
            return;
        reassign = true;
    }
    ApplyChoices();
    run->AddUnit(link, row, reassign);
    UpdateButtons();
}

void FleetView::OpenRecord()
{
    const int row = SelectedRow(rows);
    if (!run || row < 0)
        return;
    const QString pdf = run->RecordPath(row, QStringLiteral(".pdf"));
    if (!QFileInfo::exists(pdf)) {
        QMessageBox::information(
            this, tr("Open record"),
            tr("No record has been written for line %1 yet.").arg(plan->Rows().at(row).line));
        return;
    }
    QDesktopServices::openUrl(QUrl::fromLocalFile(pdf));
}

void FleetView::UpdateButtons()
{
    const bool busy = run && run->Running() > 0;
    bool docked = false;
    for (UnitLink *link : links)
        docked = docked || link->IsIdentified();
    const bool usable = plan && plan->RowCount() > 0;
    loadButton->setEnabled(!busy);
    allButton->setEnabled(usable && docked && !busy);
    const int unit = SelectedRow(units);
    chosenButton->setEnabled(usable && !busy && SelectedRow(rows) >= 0 && unit >= 0 &&
                             links.at(unit)->IsIdentified());
    recordButton->setEnabled(run && SelectedRow(rows) >= 0);
}
