#ifndef CONFIGURATIONCHECK_H
#define CONFIGURATIONCHECK_H

#include <QCoreApplication>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

class Model;

// What the unit cannot be sent: an MMSI that is not nine digits (or is all
// zeros), a value outside the range the unit takes for its field, and a set
// sentence longer than a line of the protocol may be. A configuration with
// any problem is not sent at all.
class ConfigurationCheck
{
    Q_DECLARE_TR_FUNCTIONS(ConfigurationCheck)

public:
    // Longest line of the protocol, "$" and the line end included.
    static constexpr int MaxSentenceLength = 82;

    // One line per field that cannot be sent, naming it and why; empty when
    // everything can go out. tabs: bit 0 the AtoN tab (identity, position,
    // schedule), bit 1 the lantern tab.
    static QStringList Problems(const Model &model, int tabs = AllTabs);

    // A field, the range the unit takes for it, and how to read it.
    struct Range
    {
        const char *label;
        int minimum;
        int maximum;
        std::function<int(const Model &)> value;
    };

    enum Tabs
    {
        AtoNTab = 1,
        LanternTab = 2,
        AllTabs = AtoNTab | LanternTab
    };

private:
    static void CheckRanges(const Model &model, int tabs, QStringList *problems);
    static void CheckSentences(const Model &model, int tabs, QStringList *problems);
    static void CheckTable(const QList<Range> &ranges, const Model &model, QStringList *problems);
    static QString Outside(const QString &field, const QString &value, const QString &range);
};

#endif // CONFIGURATIONCHECK_H
