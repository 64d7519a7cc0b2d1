#include "ui/asciiglyphs.h"

#include <QFont>
#include <QFontInfo>
#include <QGlyphRun>
#include <QPointF>
#include <QString>

void AsciiGlyphs::SetFont(const QFont &font)
{
    indexes.clear();
    advance = 0;
    raw = QRawFont::fromFont(font);
    if (!raw.isValid() || !QFontInfo(font).fixedPitch())
        return;
    QString characters;
    for (char16_t c = First; c <= Last; ++c)
        characters += QChar(c);
    QVector<quint32> found = raw.glyphIndexesForString(characters);
    if (found.size() != characters.size() || found.contains(0))
        return;
    const QVector<QPointF> advances = raw.advancesForGlyphIndexes(found);
    for (const QPointF &each : advances) {
        if (!qFuzzyCompare(each.x(), advances.first().x()) || !qFuzzyIsNull(each.y()))
            return;
    }
    advance = advances.first().x();
    indexes.swap(found);
}

bool AsciiGlyphs::Place(const QString &line, QGlyphRun *run) const
{
    if (indexes.isEmpty())
        return false;
    QVector<quint32> glyphs(line.size());
    QVector<QPointF> positions(line.size());
    for (int i = 0; i < line.size(); ++i) {
        const char16_t c = line.at(i).unicode();
        if (c < First || c > Last)
            return false;
        glyphs[i] = indexes.at(c - First);
        positions[i] = QPointF(i * advance, 0);
    }
    run->setRawFont(raw);
    run->setGlyphIndexes(glyphs);
    run->setPositions(positions);
    return true;
}
