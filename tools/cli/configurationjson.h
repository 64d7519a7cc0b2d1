#ifndef CONFIGURATIONJSON_H
#define CONFIGURATIONJSON_H

#include <QJsonObject>

class Model;

// The whole configuration as JSON: every member of the model with its stored
// value (codes, millivolts, milliseconds, raw sensor values), the schedule
// rows in list order, and beside the codes the texts the window shows.
class ConfigurationJson
{
public:
    static QJsonObject Of(const Model &model);
};

#endif // CONFIGURATIONJSON_H
