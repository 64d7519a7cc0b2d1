#ifndef CONFIGURATIONJSON_H
#define CONFIGURATIONJSON_H

#include <QByteArray>

#include <functional>

class Model;

// The whole configuration as JSON: every member of the model with its stored
// value (codes, millivolts, milliseconds, raw sensor values), the schedule
// rows in list order, and beside the codes the texts the window shows.
class ConfigurationJson
{
public:
    // Indented JSON text, in pieces, the schedule's rows one at a time, so
    // that many rows are never held as objects all at once.
    static void Write(const Model &model, const std::function<void(const QByteArray &)> &out);
};

#endif // CONFIGURATIONJSON_H
