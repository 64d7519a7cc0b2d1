#ifndef COMBOBOXITEMS_H
#define COMBOBOXITEMS_H

#include <QVariant>

class QComboBox;

// Offers or withdraws one item of a list, found by its data; the item shown
// stays the one shown.
namespace ComboBoxItems {
void SetEnabled(QComboBox *comboBox, const QVariant &data, bool enabled);
}

#endif // COMBOBOXITEMS_H
