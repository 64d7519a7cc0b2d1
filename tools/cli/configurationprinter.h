#ifndef CONFIGURATIONPRINTER_H
#define CONFIGURATIONPRINTER_H

#include <QString>

class Model;

// The whole configuration as text for a person: the AtoN fields, the message
// schedule as the window's table shows it, and the lantern interface values
// in volts, seconds, amperes and lux.
class ConfigurationPrinter
{
public:
    static QString Text(const Model &model);
};

#endif // CONFIGURATIONPRINTER_H
