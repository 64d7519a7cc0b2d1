#ifndef JSONLINE_H
#define JSONLINE_H

#include <QByteArray>
#include <QLatin1String>
#include <QString>

// One JSON object written straight into UTF-8 bytes, the same bytes that a
// QJsonObject serialised in compact form and passed through
// Console::AppendVisibleJson gives (numbers as JsonText writes them), or laid
// out as JsonText::AppendIndented lays it out, at a fraction of the cost. A
// QJsonObject keeps its members sorted by name: add them in that order.
class JsonLine
{
public:
    // Member names are short words of the program's own.
    static constexpr int MaxName = 32;
    // The deepest level laid out.
    static constexpr int MaxDepth = 4;

    // Opens the object at the end of out, on one line.
    explicit JsonLine(QByteArray &out);
    // Opens the object at the end of out, laid out from the level depth on.
    JsonLine(QByteArray &out, int depth);
    JsonLine(const JsonLine &) = delete;
    JsonLine &operator=(const JsonLine &) = delete;

    JsonLine &Text(const char *name, const QString &value);
    JsonLine &Text(const char *name, QLatin1String value);
    // A number that is not finite is written as null.
    JsonLine &Number(const char *name, double value);
    JsonLine &Integer(const char *name, qint64 value);
    JsonLine &Boolean(const char *name, bool value);
    JsonLine &Null(const char *name);
    // Closes the object.
    void End();

private:
    int Name(const char *name, char *piece);
    // The name and a value of at most 32 bytes, written as they are.
    void Put(const char *name, const char *value, int size);

    QByteArray &out;
    bool first = true;
    // -1 on one line.
    int depth = -1;
};

#endif // JSONLINE_H
