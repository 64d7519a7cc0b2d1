#ifndef JSONTEXT_H
#define JSONTEXT_H

#include <QByteArray>
#include <QJsonValue>

// JSON text written by the program itself rather than by Qt's serialiser,
// whose text of a number changed between Qt versions (0.0001 became 1e-04):
// what the CLI prints must not depend on the Qt it was built with. Strings
// come out as the serialiser writes them, with every character a terminal
// would act on escaped as Console::AppendVisibleJson does.
namespace JsonText {

// Whole numbers below 2^63 as integers, the rest in their shortest form that
// reads back the same (exponent without padding: 1e-05, 1.2345e+21); a
// number that is not finite as null.
void AppendNumber(QByteArray &out, double value);
void AppendString(QByteArray &out, const QChar *characters, int size);
// Laid out as QJsonDocument::Indented lays it out: four spaces a level,
// members in the object's (sorted) order. depth is the level value starts
// at; the text holds no final line break.
void AppendIndented(QByteArray &out, const QJsonValue &value, int depth);

} // namespace JsonText

#endif // JSONTEXT_H
