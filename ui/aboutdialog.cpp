#include "aboutdialog.h"
#include "ui_aboutdialog.h"

#include "drawnpixmap.h"

#include <QApplication>

AboutDialog::AboutDialog(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint),
      ui(new Ui::AboutDialog)
{
    ui->setupUi(this);

    const QPixmap icon =
        DrawnPixmap(QStringLiteral(":/Images/Quorvel01_48x48.png"), QSize(48, 48), this);
    if (!icon.isNull())
        ui->labelIcon->setPixmap(icon);

    setWindowTitle(tr("About") + QLatin1Char(' ') + QApplication::applicationName());
    ui->labelProduct->setText(QApplication::applicationName());
    ui->labelVersion->setText(QApplication::applicationVersion());
    ui->labelLicence->setText(
        tr("This application has been developed with the QT Framework") + QLatin1Char('\n') +
        tr("Parts of this application are based on the work of the Qwt project "
           "(https://qwt.sourceforge.io)."));
}

AboutDialog::~AboutDialog()
{
    delete ui;
}

void AboutDialog::on_buttonAboutQT_clicked()
{
    QApplication::aboutQt();
}
