#ifndef MODELSNAPSHOT_H
#define MODELSNAPSHOT_H

#include "model/model.h"

#include <QMetaType>
#include <QSharedPointer>

// A configuration handed from one thread to another: copied once, then only
// read, on either side. The copy belongs to no thread, so whichever side lets
// go of it last may delete it.
using ModelSnapshot = QSharedPointer<const Model>;

ModelSnapshot TakeSnapshot(const Model &model);

Q_DECLARE_METATYPE(ModelSnapshot)

#endif // MODELSNAPSHOT_H
