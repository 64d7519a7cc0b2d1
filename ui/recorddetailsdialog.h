#ifndef RECORDDETAILSDIALOG_H
#define RECORDDETAILSDIALOG_H

#include <QDialog>

class QDialogButtonBox;
class QLabel;
class QLineEdit;

// What a record says that the unit cannot: who made it (required, so that a
// filed record never lacks its engineer), for which customer and at which
// site. The engineer's name is offered again next time.
class RecordDetailsDialog : public QDialog
{
    Q_OBJECT

public:
    RecordDetailsDialog(const QString &engineer, QWidget *parent = nullptr);

    QString Engineer() const;
    QString Customer() const;
    QString Site() const;

private:
    void CheckEngineer();

    QLineEdit *engineerField;
    QLineEdit *customerField;
    QLineEdit *siteField;
    QLabel *engineerProblem;
    QDialogButtonBox *buttons;
};

#endif // RECORDDETAILSDIALOG_H
