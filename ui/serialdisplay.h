#ifndef SERIALDISPLAY_H
#define SERIALDISPLAY_H

#include "ui/asciiglyphs.h"

#include <QAbstractScrollArea>
#include <QHash>
#include <QKeySequence>
#include <QStaticText>
#include <QString>
#include <QStringList>
#include <QTimer>

// The read-only text pane of the serial data tab.  It holds the received text
// as a list of lines and draws only the lines in view, so that a unit talking
// fast costs little per line and dropping the oldest text costs nothing
// noticeable, whatever the amount shown.  New text scrolls into view while the
// view is at the end; scrolled back, the view stays on the text it shows.
// Text is selected with the mouse or with the usual keys (Shift and the
// arrows, Home, End, Page Up and Down; Ctrl+A) and copied with Ctrl+C.
// A line of plain ASCII is drawn from the font's glyphs without being laid
// out; any other line in view is laid out once, not on every paint. Arriving text
// is painted at most RepaintIntervalMs after it came (FloodRepaintIntervalMs
// while a screenful comes faster), in one paint for all that came meanwhile,
// and the scroll bars follow in the same step: a unit that fills the line
// costs a few paints a second rather than one a line, and nothing while the
// pane is hidden.
class SerialDisplay : public QAbstractScrollArea
{
    Q_OBJECT

public:
    static constexpr int RepaintIntervalMs = 40;
    // While more than a screenful comes between two paints (a unit
    // flooding the line), the text is painted this often: what is shown is
    // gone before it can be read, and each paint lays out a whole screen.
    static constexpr int FloodRepaintIntervalMs = 100;

    explicit SerialDisplay(QWidget *parent = nullptr);

    // Adds text at the end; a "\n" ends a line, text after the last "\n" is
    // continued by the next call.
    void Append(const QString &text);
    // Drops whole lines from the start until at least `characters` are gone.
    void RemoveFirst(int characters);
    void Clear();

    bool HasSelection() const { return anchor != cursor; }
    QString SelectedText() const;
    void SelectAll();

    // Characters held, each line end counted as one.
    int CharacterCount() const { return characters; }
    int LineCount() const { return lines.size(); }
    QString Line(int index) const { return lines.value(index); }
    QString Text() const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    // A place between two characters: a line counted from the first line
    // ever shown (so that trimming old lines does not move it) and a column.
    struct Place
    {
        qint64 line = 0;
        int column = 0;
        bool operator==(const Place &other) const
        {
            return line == other.line && column == other.column;
        }
        bool operator!=(const Place &other) const { return !(*this == other); }
        bool operator<(const Place &other) const
        {
            return line < other.line || (line == other.line && column < other.column);
        }
    };

    void UpdateScrollBars();
    // Sets the scroll bars for the text as it stands, if they are not yet,
    // following the text where the view was at its end.
    void SyncScrollBars();
    bool AtEnd() const;
    int LineHeight() const;
    int VisibleLines() const;
    int TextX(const QString &line, int column) const;
    QString LineAt(qint64 line) const;
    Place PlaceAt(const QPoint &point) const;
    Place Clamped(Place place) const;
    Place End() const;
    Place Moved(Place place, QKeySequence::StandardKey key) const;
    void MoveCursor(Place place, bool extend);
    void CopySelection() const;
    // The text changed: its scroll bars are set and it is painted when the
    // repaint timer runs out, or when it is next shown.
    void TextChanged();
    void ShowText();
    // What the pane shows: the first line in view, one past the last line
    // held, and what else decides the pixels of a line.
    struct Shown
    {
        bool valid = false;
        qint64 top = 0;
        qint64 end = 0;
        int x = 0;
        QSize size;
        Place anchor;
        Place cursor;
        bool focus = false;
        bool SameBut(const Shown &other) const
        {
            return valid && other.valid && x == other.x && size == other.size &&
                   anchor == other.anchor && cursor == other.cursor && focus == other.focus;
        }
    };
    Shown Now() const;
    const QStaticText &LaidOut(qint64 line, QHash<qint64, QStaticText> &kept);

    QStringList lines;
    // The number of lines trimmed from the start so far.
    qint64 firstLine = 0;
    // The selection runs from anchor to cursor; empty when they meet.
    Place anchor;
    Place cursor;
    // The last line has not ended yet.
    bool lastLineOpen = false;
    int characters = 0;
    int longestLine = 0;
    // The lines painted last, laid out, by their number; lines of plain
    // ASCII are drawn from the glyphs instead.
    QHash<qint64, QStaticText> layouts;
    AsciiGlyphs glyphs;
    QTimer repaint;
    // Scrolling is the text's doing, not the engineer's: it is painted with
    // the text.
    bool textScrolling = false;
    // The scroll bars are set for the text as it stood before; lines trimmed
    // from the start since then.
    bool scrollBarsStale = false;
    int trimmedLines = 0;
    Shown painted;
};

#endif // SERIALDISPLAY_H
