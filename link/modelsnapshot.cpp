#include "link/modelsnapshot.h"

#include "model/model.h"

ModelSnapshot TakeSnapshot(const Model &model)
{
    auto *copy = new Model;
    *copy = model;
    copy->moveToThread(nullptr);
    return ModelSnapshot(copy);
}
