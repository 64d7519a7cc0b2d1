#include "model/configurationdiff.h"

#include "model/configurationfields.h"

#include <QHash>
#include <QVector>

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
    // Looked up by key rather than searched, so that many rows stay cheap.
    QHash<QString, int> leftIndex;
    leftIndex.reserve(left.size());
    for (int i = 0; i < left.size(); ++i)
        leftIndex.insert(left.at(i).key, i);
    // extra[i]: the second's own fields that come before the first's field i.
    QVector<QStringList> extra(left.size() + 1);
    int anchor = 0;
    for (const ConfigurationField &field : right) {
        const int found = leftIndex.value(field.key, -1);
        if (found >= 0)
            anchor = found + 1;
        else
            extra[anchor] << field.key;
    }
    QStringList keys;
    keys.reserve(left.size() + right.size());
    for (int i = 0; i <= left.size(); ++i) {
        keys << extra.at(i);
        if (i < left.size())
            keys << left.at(i).key;
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
