#include "atonconfiguration.h"

AtoNConfiguration::AtoNConfiguration(Model *model, QWidget *parent) : QWidget(parent), model(model)
{
    Q_CHECK_PTR(model);
}
