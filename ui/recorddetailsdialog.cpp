#include "ui/recorddetailsdialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// A record's lines hold one line each: a pasted line break or control
// character would not be seen on the page as typed.
QString OneLine(const QLineEdit *field)
{
    QString text = field->text();
    for (QChar &c : text) {
        if (c.category() == QChar::Other_Control || c.category() == QChar::Other_Format)
            c = QLatin1Char(' ');
    }
    return text.simplified();
}

} // namespace

RecordDetailsDialog::RecordDetailsDialog(const QString &engineer, QWidget *parent)
    : QDialog(parent), engineerField(new QLineEdit(engineer, this)),
      customerField(new QLineEdit(this)), siteField(new QLineEdit(this)),
      engineerProblem(new QLabel(this)),
      buttons(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this))
{
    setObjectName(QStringLiteral("recordDetailsDialog"));
    setWindowTitle(tr("Save record"));
    engineerField->setObjectName(QStringLiteral("lineRecordEngineer"));
    customerField->setObjectName(QStringLiteral("lineRecordCustomer"));
    siteField->setObjectName(QStringLiteral("lineRecordSite"));
    engineerProblem->setObjectName(QStringLiteral("labelRecordEngineerProblem"));
    engineerProblem->setStyleSheet(QStringLiteral("color: #ff0000;"));
    for (QLineEdit *field : {engineerField, customerField, siteField})
        field->setMaxLength(200);
    buttons->button(QDialogButtonBox::Ok)->setText(tr("Choose file…"));

    auto *form = new QFormLayout;
    form->addRow(tr("&Engineer:"), engineerField);
    form->addRow(QString(), engineerProblem);
    form->addRow(tr("&Customer:"), customerField);
    form->addRow(tr("&Site:"), siteField);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(tr("The record names who read the unit, for whom and where; "
                                    "customer and site may stay empty."),
                                 this));
    layout->addLayout(form);
    layout->addWidget(buttons);

    connect(engineerField, &QLineEdit::textChanged, this, &RecordDetailsDialog::CheckEngineer);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    CheckEngineer();
    (engineer.isEmpty() ? engineerField : customerField)->setFocus(Qt::OtherFocusReason);
}

QString RecordDetailsDialog::Engineer() const
{
    return OneLine(engineerField);
}

QString RecordDetailsDialog::Customer() const
{
    return OneLine(customerField);
}

QString RecordDetailsDialog::Site() const
{
    return OneLine(siteField);
}

void RecordDetailsDialog::CheckEngineer()
{
    const bool given = !Engineer().isEmpty();
    buttons->button(QDialogButtonBox::Ok)->setEnabled(given);
    engineerProblem->setText(given ? QString() : tr("A record names its engineer."));
    engineerProblem->setVisible(!given);
}
