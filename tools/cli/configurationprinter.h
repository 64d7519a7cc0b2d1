#ifndef CONFIGURATIONPRINTER_H
#define CONFIGURATIONPRINTER_H

#include <QString>

#include <functional>

class Model;

// The whole configuration as text for a person: the AtoN fields, the message
// schedule as the window's table shows it, and the lantern interface values
// in volts, seconds, amperes and lux.
class ConfigurationPrinter
{
public:
    // The text in pieces, each as soon as it is made, so that a schedule of
    // many rows is never held whole.
    static void Print(const Model &model, const std::function<void(const QString &)> &out);
};

#endif // CONFIGURATIONPRINTER_H
