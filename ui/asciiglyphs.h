#ifndef ASCIIGLYPHS_H
#define ASCIIGLYPHS_H

#include <QRawFont>
#include <QVector>

class QFont;
class QGlyphRun;
class QString;

// The glyphs of the printable ASCII characters in one fixed-pitch font,
// looked up once. A line of such characters, as nearly all that a unit sends
// is, is then drawn from them straight away: laying it out as text would
// shape it character by character, which a unit flooding the line makes the
// larger part of painting its text.
class AsciiGlyphs
{
public:
    // Looks up the glyphs of the font; none are held for a font whose
    // characters differ in width or that lacks one of them.
    void SetFont(const QFont &font);
    // The line as glyphs on the baseline from x = 0; false, and the run left
    // as it was, for a line with any other character or with no glyphs held.
    bool Place(const QString &line, QGlyphRun *run) const;

private:
    static constexpr char16_t First = 0x20;
    static constexpr char16_t Last = 0x7E;

    QRawFont raw;
    // Indexed by the character less First.
    QVector<quint32> indexes;
    qreal advance = 0;
};

#endif // ASCIIGLYPHS_H
