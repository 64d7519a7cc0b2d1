#include "comboboxitems.h"

#include <QAbstractItemModel>
#include <QComboBox>

namespace {
// Item flags of an offered and of a withdrawn list item, written through the
// item model's flags role (one below the user role).
constexpr int ItemFlagsRole = Qt::UserRole - 1;
constexpr int EnabledItemFlags = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
} // namespace

void ComboBoxItems::SetEnabled(QComboBox *comboBox, const QVariant &data, bool enabled)
{
    if (!comboBox)
        return;
    const int remembered = comboBox->currentIndex();
    const int found = comboBox->findData(data);
    if (found >= 0) {
        comboBox->setCurrentIndex(found);
        QAbstractItemModel *items = comboBox->model();
        items->setData(items->index(found, comboBox->modelColumn()), enabled ? EnabledItemFlags : 0,
                       ItemFlagsRole);
    }
    comboBox->setCurrentIndex(remembered);
}
