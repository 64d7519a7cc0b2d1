#include "model/configurationdiff.h"

#include "model/configurationfields.h"

#include <QHash>

QStringList ConfigurationDiff::Lines(const Model &a, const Model &b)
{
    return Compare(a, b, false);
}

QStringList ConfigurationDiff::SentLines(const Model &sent, const Model &held)
{
    return Compare(sent, held, true);
}

QStringList ConfigurationDiff::Compare(const Model &a, const Model &b, bool sentOnly)
{
    const QList<ConfigurationField> left = ConfigurationFields::Of(a);
    const QList<ConfigurationField> right = ConfigurationFields::Of(b);
    QHash<QString, const ConfigurationField *> leftByKey;
    QHash<QString, const ConfigurationField *> rightByKey;
    for (const ConfigurationField &field : left)
        leftByKey.insert(field.key, &field);
    for (const ConfigurationField &field : right)
        rightByKey.insert(field.key, &field);

    // Both lists in one order: the first configuration's, with the fields
    // that only the second has (schedule rows) placed after their neighbour.
    QStringList keys;
    for (const ConfigurationField &field : left)
        keys << field.key;
    int insertAt = 0;
    for (const ConfigurationField &field : right) {
        const int found = keys.indexOf(field.key);
        if (found >= 0) {
            insertAt = found + 1;
        } else {
            keys.insert(insertAt, field.key);
            ++insertAt;
        }
    }

    const QString none = QStringLiteral("(none)");
    QStringList lines;
    for (const QString &key : keys) {
        const ConfigurationField *l = leftByKey.value(key, nullptr);
        const ConfigurationField *r = rightByKey.value(key, nullptr);
        // After a send, a row the unit holds that was not sent is as much a
        // mismatch as a changed field.
        if (sentOnly && !(l ? l->sent : r->sent))
            continue;
        const QString leftText = l ? l->text : none;
        const QString rightText = r ? r->text : none;
        if (leftText != rightText)
            lines
                << QStringLiteral("%1: %2 -> %3").arg(l ? l->label : r->label, leftText, rightText);
    }
    return lines;
}
