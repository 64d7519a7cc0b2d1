#include "ui/unithistoryview.h"

#include "model/configurationdiff.h"
#include "model/model.h"
#include "model/padfile.h"
#include "register/unitregister.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

// The entry's id and whether it holds a configuration ride on the row.
constexpr int IdRole = Qt::UserRole;
constexpr int HasConfigurationRole = Qt::UserRole + 1;

QString KindText(RegisterEntry::Kind kind)
{
    switch (kind) {
    case RegisterEntry::Kind::Retrieve:
        return UnitHistoryView::tr("Retrieve");
    case RegisterEntry::Kind::Send:
        return UnitHistoryView::tr("Send");
    case RegisterEntry::Kind::Verify:
        return UnitHistoryView::tr("Verify");
    case RegisterEntry::Kind::Commission:
        return UnitHistoryView::tr("Commission");
    case RegisterEntry::Kind::Record:
        return UnitHistoryView::tr("Record");
    case RegisterEntry::Kind::StatusRead:
        return UnitHistoryView::tr("Status read");
    }
    return QString();
}

QString ResultText(RegisterEntry::Result result)
{
    switch (result) {
    case RegisterEntry::Result::Done:
        return UnitHistoryView::tr("done");
    case RegisterEntry::Result::Verified:
        return UnitHistoryView::tr("verified");
    case RegisterEntry::Result::Differs:
        return UnitHistoryView::tr("differs");
    case RegisterEntry::Result::Failed:
        return UnitHistoryView::tr("failed");
    case RegisterEntry::Result::CutOff:
        return UnitHistoryView::tr("cut off");
    }
    return QString();
}

} // namespace

UnitHistoryView::UnitHistoryView(UnitRegister *unitRegister, QWidget *parent)
    : QWidget(parent), unitRegister(unitRegister), heading(new QLabel(this)),
      timeline(new QTreeWidget(this)), openButton(new QPushButton(tr("&Open as document"), this)),
      compareButton(new QPushButton(tr("&Compare with the unit"), this)),
      comparison(new QPlainTextEdit(this))
{
    heading->setObjectName(QStringLiteral("historyHeading"));
    heading->setWordWrap(true);
    timeline->setObjectName(QStringLiteral("historyTimeline"));
    timeline->setRootIsDecorated(false);
    timeline->setAllColumnsShowFocus(true);
    timeline->setHeaderLabels(
        {tr("Time"), tr("Kind"), tr("MMSI"), tr("Name"), tr("Result"), tr("By")});
    timeline->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    openButton->setObjectName(QStringLiteral("historyOpen"));
    compareButton->setObjectName(QStringLiteral("historyCompare"));
    comparison->setObjectName(QStringLiteral("historyComparison"));
    comparison->setReadOnly(true);
    comparison->setMaximumBlockCount(5000);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(openButton);
    buttons->addWidget(compareButton);
    buttons->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addWidget(timeline, 2);
    layout->addLayout(buttons);
    layout->addWidget(comparison, 1);

    connect(timeline, &QTreeWidget::itemSelectionChanged, this, &UnitHistoryView::UpdateButtons);
    connect(timeline, &QTreeWidget::itemActivated, this, &UnitHistoryView::OpenSelected);
    connect(openButton, &QPushButton::clicked, this, &UnitHistoryView::OpenSelected);
    connect(compareButton, &QPushButton::clicked, this, &UnitHistoryView::CompareSelected);
    UpdateButtons();
}

bool UnitHistoryView::ShowUnit(const QString &unitSerial)
{
    serial = unitSerial;
    timeline->clear();
    comparison->clear();
    if (serial.isEmpty()) {
        heading->setText(tr("No unit is docked, or its serial number is not known yet."));
        UpdateButtons();
        return true;
    }
    QVector<RegisterEntry> entries;
    QString error;
    if (!unitRegister->History({serial, {}, {}, {}, 0}, &entries, &error)) {
        heading->setText(tr("The register could not be read: %1").arg(error));
        UpdateButtons();
        return false;
    }
    heading->setText(
        entries.isEmpty()
            ? tr("The register holds nothing of the unit with serial number %1.").arg(serial)
            : tr("The unit with serial number %1 in the register, newest first (entries: %n):",
                 nullptr, entries.size())
                  .arg(serial));
    QList<QTreeWidgetItem *> rows;
    for (const RegisterEntry &entry : entries) {
        const QString mmsi = entry.mmsiBefore.isEmpty() || entry.mmsiBefore == entry.mmsiAfter
                                 ? entry.mmsiAfter
                                 : entry.mmsiBefore + QStringLiteral(" → ") + entry.mmsiAfter;
        // Whoever was not named is left out rather than shown as a blank.
        const QString by = entry.computer.isEmpty() ? entry.engineer
                           : entry.engineer.isEmpty()
                               ? entry.computer
                               : tr("%1 on %2").arg(entry.engineer, entry.computer);
        auto *row = new QTreeWidgetItem(
            {QLocale().toString(entry.time.toLocalTime(), QLocale::ShortFormat),
             KindText(entry.kind), mmsi, entry.unitName,
             entry.detail.isEmpty() ? ResultText(entry.result)
                                    : tr("%1: %2").arg(ResultText(entry.result), entry.detail),
             by});
        row->setData(0, IdRole, entry.id);
        row->setData(0, HasConfigurationRole, !entry.configurationHash.isEmpty());
        if (entry.mmsiReassigned)
            row->setToolTip(2, tr("The engineer gave this unit an MMSI the register had for "
                                  "another unit."));
        rows << row;
    }
    timeline->addTopLevelItems(rows);
    UpdateButtons();
    return true;
}

void UnitHistoryView::SetUnitConfiguration(const Model *configuration)
{
    held = configuration;
    UpdateButtons();
}

void UnitHistoryView::UpdateButtons()
{
    const QTreeWidgetItem *row = timeline->currentItem();
    const bool configuration =
        row && row->isSelected() && row->data(0, HasConfigurationRole).toBool();
    openButton->setEnabled(configuration);
    compareButton->setEnabled(configuration && held);
}

bool UnitHistoryView::SelectedConfiguration(RegisterEntry *entry, Model *configuration)
{
    const QTreeWidgetItem *row = timeline->currentItem();
    if (!row)
        return false;
    QString error;
    if (!unitRegister->Find(row->data(0, IdRole).toString(), entry, &error) ||
        entry->id.isEmpty()) {
        comparison->setPlainText(
            tr("The entry could not be read from the register: %1").arg(error));
        return false;
    }
    if (PadFile::FromBytes(entry->configuration, configuration, &error) != PadFile::Done) {
        comparison->setPlainText(tr("The entry's configuration cannot be read: %1").arg(error));
        return false;
    }
    return true;
}

void UnitHistoryView::OpenSelected()
{
    RegisterEntry entry;
    Model configuration;
    if (SelectedConfiguration(&entry, &configuration))
        emit OpenRequested(entry);
}

void UnitHistoryView::CompareSelected()
{
    RegisterEntry entry;
    Model configuration;
    if (!held || !SelectedConfiguration(&entry, &configuration))
        return;
    const QStringList lines = ConfigurationDiff::Lines(configuration, *held);
    const QString when = QLocale().toString(entry.time.toLocalTime(), QLocale::ShortFormat);
    comparison->setPlainText(
        lines.isEmpty()
            ? tr("The unit holds what this entry of %1 holds.").arg(when)
            : tr("The unit differs from this entry of %1 in %n field(s) (entry -> unit):", "",
                 lines.size())
                      .arg(when) +
                  QStringLiteral("\n  ") + lines.join(QStringLiteral("\n  ")));
}
