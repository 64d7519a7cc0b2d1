#include "qcomboboxdropdown.h"

QComboBoxDropdown::QComboBoxDropdown(QWidget *parent) : QComboBox(parent) {}

void QComboBoxDropdown::showPopup()
{
    emit Dropdown();
    QComboBox::showPopup();
}
