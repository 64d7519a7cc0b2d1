#include "ui/unithistorydialog.h"

#include "app/unitsession.h"
#include "ui/unithistoryview.h"

#include <QDialogButtonBox>
#include <QLocale>
#include <QVBoxLayout>

UnitHistoryDialog::UnitHistoryDialog(UnitRegister *unitRegister, UnitSession *session,
                                     QWidget *parent)
    : QDialog(parent), session(session), view(new UnitHistoryView(unitRegister, this))
{
    setObjectName(QStringLiteral("unitHistoryDialog"));
    setWindowTitle(tr("Unit History"));
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(view);
    layout->addWidget(buttons);
    resize(760, 480);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(view, &UnitHistoryView::OpenRequested, this, [this](const RegisterEntry &entry) {
        const QString when = QLocale().toString(entry.time.toLocalTime(), QLocale::ShortFormat);
        emit OpenRequested(entry.configuration,
                           entry.unitName.isEmpty()
                               ? tr("Register entry of %1").arg(when)
                               : tr("%1, register entry of %2").arg(entry.unitName, when));
        accept();
    });
    // Another unit docked while the dialog is open: its history, not the
    // last one's, and no comparison with a configuration not yet read.
    connect(session, &UnitSession::IdentityChanged, this, &UnitHistoryDialog::ShowDockedUnit);
    connect(session, &UnitSession::RetrieveFinished, this, &UnitHistoryDialog::ShowDockedUnit);
    ShowDockedUnit();
}

void UnitHistoryDialog::ShowDockedUnit()
{
    view->SetUnitConfiguration(session->ConfigurationKnown() ? session->Configuration() : nullptr);
    view->ShowUnit(session->Identity().serialNumber);
}
