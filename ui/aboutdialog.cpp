#include "aboutdialog.h"
#include "ui_aboutdialog.h"

#include "app/vandrelversion.h"
#include "drawnpixmap.h"

#include <QApplication>
#include <QPushButton>

AboutDialog::AboutDialog(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint),
      ui(new Ui::AboutDialog)
{
    ui->setupUi(this);

    const QPixmap icon =
        DrawnPixmap(QStringLiteral(":/Images/Quorvel01_48x48.png"), QSize(48, 48), this);
    if (!icon.isNull())
        ui->labelIcon->setPixmap(icon);

    connect(ui->pushOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(ui->buttonAboutQT, &QPushButton::clicked, qApp, &QApplication::aboutQt);

    setWindowTitle(tr("About") + QLatin1Char(' ') + QGuiApplication::applicationDisplayName());
    ui->labelProduct->setText(QGuiApplication::applicationDisplayName());
    // The build's own version, the one --version prints and the package
    // carries, so that a report names the exact build.
    ui->labelVersion->setText(tr("Version %1").arg(QLatin1String(VandrelVersion::Number())));
    ui->labelLicence->setText(
        tr("Licensed under the Apache License, Version 2.0.") + QLatin1Char('\n') +
        tr("Built with Qt %1, which is available under its own licence (About Qt).")
            .arg(QLatin1String(QT_VERSION_STR)));
}

AboutDialog::~AboutDialog()
{
    delete ui;
}
