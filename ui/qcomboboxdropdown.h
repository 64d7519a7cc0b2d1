#ifndef QCOMBOBOXDROPDOWN_H
#define QCOMBOBOXDROPDOWN_H

#include <QComboBox>

// A combo box that says when its list is about to open, so that its owner can
// refill the list first (slots connected directly run before it is drawn).
class QComboBoxDropdown : public QComboBox
{
    Q_OBJECT

public:
    explicit QComboBoxDropdown(QWidget *parent = nullptr);

    void showPopup() override;

signals:
    void Dropdown();
};

#endif // QCOMBOBOXDROPDOWN_H
