#ifndef ABOUTDIALOG_H
#define ABOUTDIALOG_H

#include <QDialog>

namespace Ui {
class AboutDialog;
}

// The "About" box: product name, version and licence notes.
class AboutDialog : public QDialog
{
    Q_OBJECT

public:
    explicit AboutDialog(QWidget *parent = nullptr);
    ~AboutDialog() override;

private slots:
    void on_buttonAboutQT_clicked();

private:
    Ui::AboutDialog *ui;
};

#endif // ABOUTDIALOG_H
