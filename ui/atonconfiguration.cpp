#include "atonconfiguration.h"

AtoNConfiguration::AtoNConfiguration(Model *model, QWidget *parent) : QWidget(parent), model(model)
{
    Q_CHECK_PTR(model);
}

void AtoNConfiguration::DisconnectChildren()
{
    updating = true;
    for (QObject *child : findChildren<QObject *>())
        child->disconnect(this);
}
