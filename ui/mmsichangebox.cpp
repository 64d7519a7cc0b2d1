#include "ui/mmsichangebox.h"

#include <QCheckBox>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>

bool MmsiChangeBox::Ask(QWidget *parent, const QString &otherUnit,
                        const MmsiGuard::Finding &finding, bool *reassigned)
{
    using Verdict = MmsiGuard::Verdict;
    *reassigned = false;
    if (otherUnit.isEmpty() && finding.verdict == Verdict::Keeps)
        return true;
    QStringList lines;
    if (!otherUnit.isEmpty())
        lines << otherUnit;
    if (!finding.text.isEmpty())
        lines << finding.text;
    lines << (otherUnit.isEmpty()
                  ? tr("Send the document to the unit on the line?")
                  : tr("Send the whole document, AtoN and lantern settings, to the unit on the "
                       "line?"));
    if (!Run(parent, finding, lines))
        return false;
    *reassigned = finding.verdict == Verdict::HeldByAnother;
    return true;
}

bool MmsiChangeBox::AskForRow(QWidget *parent, const MmsiGuard::Finding &finding,
                              const QString &question)
{
    return Run(parent, finding, {finding.text, question});
}

bool MmsiChangeBox::Run(QWidget *parent, const MmsiGuard::Finding &finding,
                        const QStringList &lines)
{
    using Verdict = MmsiGuard::Verdict;
    QMessageBox box(parent);
    box.setObjectName(QStringLiteral("mmsiChangeBox"));
    box.setWindowTitle(QGuiApplication::applicationDisplayName());
    box.setIcon(QMessageBox::Warning);
    switch (finding.verdict) {
    case Verdict::HeldByAnother:
        box.setText(tr("Another unit holds this MMSI."));
        break;
    case Verdict::NotChecked:
        box.setText(tr("The register could not be asked about this MMSI."));
        break;
    case Verdict::Changes:
        box.setText(tr("The send changes the unit's MMSI."));
        break;
    case Verdict::Keeps:
        box.setText(tr("The document was retrieved from another unit."));
        break;
    }
    box.setInformativeText(lines.join(QStringLiteral("\n\n")));
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::Cancel);
    box.setDefaultButton(QMessageBox::Cancel);
    box.button(QMessageBox::Yes)->setText(tr("&Send"));

    // Two stations with one MMSI show as one on every chart: the send waits
    // for a deliberate tick, not a quick Enter.
    if (finding.verdict == Verdict::HeldByAnother) {
        auto *override =
            new QCheckBox(tr("Give this unit MMSI %1 all the same (the register keeps this choice)")
                              .arg(finding.newMmsi),
                          &box);
        override->setObjectName(QStringLiteral("checkBoxReassignMmsi"));
        box.setCheckBox(override);
        QAbstractButton *send = box.button(QMessageBox::Yes);
        send->setEnabled(false);
        QObject::connect(override, &QCheckBox::toggled, send, &QAbstractButton::setEnabled);
    }
    return box.exec() == QMessageBox::Yes;
}
