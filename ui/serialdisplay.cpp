#include "ui/serialdisplay.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMenu>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>

#include <utility>

namespace {
const QColor Background(0xF2, 0xF2, 0xF2);
const int Margin = 4;
} // namespace

SerialDisplay::SerialDisplay(QWidget *parent) : QAbstractScrollArea(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    viewport()->setAutoFillBackground(true);
    QPalette colours = viewport()->palette();
    colours.setColor(QPalette::Base, Background);
    colours.setColor(QPalette::Window, Background);
    viewport()->setPalette(colours);
    viewport()->setBackgroundRole(QPalette::Base);
    verticalScrollBar()->setSingleStep(1);
    repaint.setSingleShot(true);
    repaint.setInterval(RepaintIntervalMs);
    connect(&repaint, &QTimer::timeout, this, &SerialDisplay::ShowText);
    glyphs.SetFont(font());
}

void SerialDisplay::TextChanged()
{
    scrollBarsStale = true;
    // Hidden, nothing is drawn; the scroll bars are set when it is shown.
    if (!repaint.isActive() && isVisible())
        repaint.start();
}

void SerialDisplay::ShowText()
{
    if (!isVisible())
        return;
    SyncScrollBars();
    // Following the text, the lines in view move up: their pixels are moved
    // (on X by the server) and only the lines that came, and the one that
    // was last and may have grown, are painted.
    const Shown now = Now();
    const qint64 moved = now.top - painted.top;
    const bool flood = painted.valid && moved >= VisibleLines();
    repaint.setInterval(flood ? FloodRepaintIntervalMs : RepaintIntervalMs);
    if (!now.SameBut(painted) || moved < 0 || moved >= VisibleLines()) {
        viewport()->update();
        return;
    }
    const int height = LineHeight();
    const QRect text(0, Margin, viewport()->width(), viewport()->height() - Margin);
    if (moved > 0)
        viewport()->scroll(0, -int(moved) * height, text);
    const int from = qMax<qint64>(Margin, Margin + (painted.end - 1 - now.top) * height);
    painted = now;
    viewport()->update(0, from, text.width(), viewport()->height() - from);
}

SerialDisplay::Shown SerialDisplay::Now() const
{
    Shown now;
    now.valid = true;
    now.top = firstLine + verticalScrollBar()->value();
    now.end = firstLine + lines.size();
    now.x = horizontalScrollBar()->value();
    now.size = viewport()->size();
    now.anchor = anchor;
    now.cursor = cursor;
    now.focus = hasFocus();
    return now;
}

void SerialDisplay::SyncScrollBars()
{
    if (!scrollBarsStale)
        return;
    scrollBarsStale = false;
    QScrollBar *bar = verticalScrollBar();
    // Whether the view follows the text is decided by where it stood when
    // the scroll bars were last set; a view scrolled back keeps showing the
    // same text, whatever was trimmed from the start meanwhile.
    const bool follow = AtEnd();
    const int kept = qMax(0, bar->value() - trimmedLines);
    trimmedLines = 0;
    textScrolling = true;
    UpdateScrollBars();
    bar->setValue(follow ? bar->maximum() : kept);
    textScrolling = false;
}

void SerialDisplay::scrollContentsBy(int, int)
{
    // The text's own scrolling is painted with the text.
    if (!textScrolling)
        viewport()->update();
}

void SerialDisplay::showEvent(QShowEvent *event)
{
    QAbstractScrollArea::showEvent(event);
    SyncScrollBars();
}

void SerialDisplay::Append(const QString &text)
{
    if (text.isEmpty()) {
        return;
    }
    const QStringList parts = text.split(QLatin1Char('\n'));
    int first = 0;
    if (lastLineOpen && !lines.isEmpty()) {
        layouts.remove(firstLine + lines.size() - 1);
        lines.last() += parts.first();
        longestLine = qMax(longestLine, lines.last().size());
        first = 1;
    }
    // The part after the last "\n" is empty when the text ends a line.
    for (int i = first; i < parts.size() - 1; ++i) {
        lines.append(parts.at(i));
        longestLine = qMax(longestLine, parts.at(i).size());
    }
    const QString &tail = parts.last();
    if (first == 0 || parts.size() > 1) {
        if (!tail.isEmpty()) {
            lines.append(tail);
            longestLine = qMax(longestLine, tail.size());
        }
    }
    lastLineOpen = !tail.isEmpty();
    characters += text.size();
    TextChanged();
}

void SerialDisplay::RemoveFirst(int count)
{
    int removed = 0;
    int removedLines = 0;
    while (removed < count && !lines.isEmpty()) {
        const bool endsLine = lines.size() > 1 || !lastLineOpen;
        removed += lines.first().size() + (endsLine ? 1 : 0);
        lines.removeFirst();
        ++removedLines;
    }
    if (lines.isEmpty()) {
        lastLineOpen = false;
    }
    characters -= removed;
    firstLine += removedLines;
    trimmedLines += removedLines;
    anchor = Clamped(anchor);
    cursor = Clamped(cursor);
    TextChanged();
}

void SerialDisplay::Clear()
{
    firstLine += lines.size();
    lines.clear();
    layouts.clear();
    lastLineOpen = false;
    characters = 0;
    longestLine = 0;
    anchor = cursor = End();
    trimmedLines = 0;
    scrollBarsStale = false;
    UpdateScrollBars();
    viewport()->update();
}

QString SerialDisplay::Text() const
{
    QString text;
    text.reserve(characters);
    for (int i = 0; i < lines.size(); ++i) {
        text += lines.at(i);
        if (i + 1 < lines.size() || !lastLineOpen) {
            text += QLatin1Char('\n');
        }
    }
    return text;
}

QString SerialDisplay::SelectedText() const
{
    const Place start = qMin(anchor, cursor);
    const Place end = qMax(anchor, cursor);
    QString text;
    for (qint64 line = start.line; line <= end.line; ++line) {
        const QString whole = LineAt(line);
        const int from = line == start.line ? start.column : 0;
        if (line == end.line) {
            text += whole.mid(from, end.column - from);
        } else {
            text += whole.mid(from) + QLatin1Char('\n');
        }
    }
    return text;
}

void SerialDisplay::SelectAll()
{
    anchor = Place{firstLine, 0};
    cursor = End();
    viewport()->update();
}

void SerialDisplay::CopySelection() const
{
    if (HasSelection()) {
        QApplication::clipboard()->setText(SelectedText());
    }
}

QString SerialDisplay::LineAt(qint64 line) const
{
    return lines.value(int(line - firstLine));
}

SerialDisplay::Place SerialDisplay::End() const
{
    // After a line end, the end is the start of the line to come.
    if (!lastLineOpen) {
        return Place{firstLine + lines.size(), 0};
    }
    return Place{firstLine + lines.size() - 1, int(lines.last().size())};
}

SerialDisplay::Place SerialDisplay::Clamped(Place place) const
{
    if (place.line < firstLine) {
        return Place{firstLine, 0};
    }
    const Place end = End();
    if (end < place) {
        return end;
    }
    place.column = qBound(0, place.column, LineAt(place.line).size());
    return place;
}

int SerialDisplay::TextX(const QString &line, int column) const
{
    return Margin - horizontalScrollBar()->value() +
           fontMetrics().horizontalAdvance(line.left(column));
}

SerialDisplay::Place SerialDisplay::PlaceAt(const QPoint &point) const
{
    const int row = (point.y() - Margin) / LineHeight();
    const qint64 line = firstLine + verticalScrollBar()->value() + qMax(0, row);
    if (lines.isEmpty()) {
        return Place{firstLine, 0};
    }
    if (line >= firstLine + lines.size()) {
        return End();
    }
    // The column whose left edge is nearest to the point.
    const QString text = LineAt(line);
    const QFontMetrics metrics = fontMetrics();
    int x = Margin - horizontalScrollBar()->value();
    for (int column = 0; column < text.size(); ++column) {
        const int advance = metrics.horizontalAdvance(text.at(column));
        if (point.x() < x + advance / 2) {
            return Place{line, column};
        }
        x += advance;
    }
    return Place{line, int(text.size())};
}

SerialDisplay::Place SerialDisplay::Moved(Place place, QKeySequence::StandardKey key) const
{
    const int page = VisibleLines();
    switch (key) {
    case QKeySequence::MoveToNextChar:
        if (place.column < LineAt(place.line).size()) {
            ++place.column;
        } else if (place.line < End().line) {
            place = Place{place.line + 1, 0};
        }
        return place;
    case QKeySequence::MoveToPreviousChar:
        if (place.column > 0) {
            --place.column;
        } else if (place.line > firstLine) {
            --place.line;
            place.column = LineAt(place.line).size();
        }
        return place;
    case QKeySequence::MoveToNextLine:
        return Clamped(Place{place.line + 1, place.column});
    case QKeySequence::MoveToPreviousLine:
        return Clamped(Place{qMax(firstLine, place.line - 1), place.column});
    case QKeySequence::MoveToNextPage:
        return Clamped(Place{place.line + page, place.column});
    case QKeySequence::MoveToPreviousPage:
        return Clamped(Place{qMax(firstLine, place.line - page), place.column});
    case QKeySequence::MoveToStartOfLine:
        return Place{place.line, 0};
    case QKeySequence::MoveToEndOfLine:
        return Place{place.line, int(LineAt(place.line).size())};
    case QKeySequence::MoveToStartOfDocument:
        return Place{firstLine, 0};
    default:
        return End();
    }
}

void SerialDisplay::MoveCursor(Place place, bool extend)
{
    cursor = Clamped(place);
    if (!extend) {
        anchor = cursor;
    }
    // Bring the cursor's line into view.
    const int row = int(cursor.line - firstLine);
    QScrollBar *bar = verticalScrollBar();
    if (row < bar->value()) {
        bar->setValue(row);
    } else if (row >= bar->value() + VisibleLines()) {
        bar->setValue(row - VisibleLines() + 1);
    }
    viewport()->update();
}

QSize SerialDisplay::sizeHint() const
{
    return QSize(fontMetrics().horizontalAdvance(QLatin1Char('M')) * 82, LineHeight() * 20);
}

int SerialDisplay::LineHeight() const
{
    return qMax(1, fontMetrics().lineSpacing());
}

int SerialDisplay::VisibleLines() const
{
    return qMax(1, (viewport()->height() - 2 * Margin) / LineHeight());
}

void SerialDisplay::UpdateScrollBars()
{
    verticalScrollBar()->setPageStep(VisibleLines());
    verticalScrollBar()->setRange(0, qMax(0, lines.size() - VisibleLines()));
    const int width = longestLine * fontMetrics().horizontalAdvance(QLatin1Char('M')) + 2 * Margin;
    horizontalScrollBar()->setPageStep(viewport()->width());
    horizontalScrollBar()->setSingleStep(fontMetrics().horizontalAdvance(QLatin1Char('M')) * 4);
    horizontalScrollBar()->setRange(0, qMax(0, width - viewport()->width()));
}

bool SerialDisplay::AtEnd() const
{
    return verticalScrollBar()->value() >= verticalScrollBar()->maximum();
}

void SerialDisplay::paintEvent(QPaintEvent *event)
{
    SyncScrollBars();
    // A part painted for another cause while the text moved leaves the
    // pane showing two states: the next step paints it whole.
    const Shown now = Now();
    if (event->rect().contains(viewport()->rect()))
        painted = now;
    else if (!now.SameBut(painted) || now.top != painted.top)
        painted.valid = false;
    const int paintTop = event->rect().top();
    const int paintBottom = event->rect().bottom();
    QPainter painter(viewport());
    painter.setFont(font());
    painter.setPen(palette().color(QPalette::Text));
    const int height = LineHeight();
    const int ascent = fontMetrics().ascent();
    const int first = verticalScrollBar()->value();
    const int last = qMin(lines.size(), first + VisibleLines() + 1);
    const int x = Margin - horizontalScrollBar()->value();
    const Place start = qMin(anchor, cursor);
    const Place end = qMax(anchor, cursor);
    const QColor highlight = palette().color(QPalette::Highlight);
    const QColor highlighted = palette().color(QPalette::HighlightedText);
    const QColor text = palette().color(QPalette::Text);
    // Only the lines in view keep their layout.
    QHash<qint64, QStaticText> kept;
    kept.reserve(last - first);
    // Where a line laid out as text has its baseline, below its top.
    const qreal baseline = QFontMetricsF(font()).ascent();
    QGlyphRun run;
    painter.setPen(text);
    for (int i = first, y = Margin; i < last; ++i, y += height) {
        const QString &line = lines.at(i);
        const qint64 number = firstLine + i;
        if (y + height <= paintTop || y > paintBottom) {
            // Not painted now, and kept laid out for when it is.
            const auto known = layouts.constFind(number);
            if (known != layouts.constEnd())
                kept.insert(number, *known);
            continue;
        }
        if (glyphs.Place(line, &run))
            painter.drawGlyphRun(QPointF(x, y + baseline), run);
        else
            painter.drawStaticText(x, y, LaidOut(number, kept));
        if (HasSelection() && start.line <= number && number <= end.line) {
            const int from = number == start.line ? start.column : 0;
            const int to = number == end.line ? end.column : line.size();
            const QString part = line.mid(from, to - from);
            const int left = TextX(line, from);
            // A selected line end shows as one character's width.
            const int width = fontMetrics().horizontalAdvance(part) +
                              (number < end.line ? fontMetrics().averageCharWidth() : 0);
            painter.fillRect(left, y, width, height, highlight);
            painter.setPen(highlighted);
            painter.drawText(left, y + ascent, part);
            painter.setPen(text);
        }
        if (hasFocus() && number == cursor.line) {
            const int caret = TextX(line, cursor.column);
            painter.drawLine(caret, y, caret, y + height - 1);
        }
    }
    layouts.swap(kept);
}

const QStaticText &SerialDisplay::LaidOut(qint64 line, QHash<qint64, QStaticText> &kept)
{
    auto known = layouts.find(line);
    if (known != layouts.end())
        return *kept.insert(line, *known);
    QStaticText laidOut(LineAt(line));
    laidOut.setTextFormat(Qt::PlainText);
    laidOut.prepare(QTransform(), font());
    return *kept.insert(line, laidOut);
}

void SerialDisplay::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    scrollBarsStale = true;
    SyncScrollBars();
}

void SerialDisplay::changeEvent(QEvent *event)
{
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        layouts.clear();
        glyphs.SetFont(font());
        scrollBarsStale = true;
        SyncScrollBars();
        viewport()->update();
    }
}

void SerialDisplay::contextMenuEvent(QContextMenuEvent *event)
{
    QMenu menu(this);
    QAction *copy = menu.addAction(tr("&Copy"), this, &SerialDisplay::CopySelection);
    copy->setShortcut(QKeySequence::Copy);
    copy->setEnabled(HasSelection());
    menu.addAction(tr("Copy &All"), this, [this] { QApplication::clipboard()->setText(Text()); });
    menu.addSeparator();
    menu.addAction(tr("&Select All"), this, &SerialDisplay::SelectAll)
        ->setShortcut(QKeySequence::SelectAll);
    menu.exec(event->globalPos());
}

void SerialDisplay::keyPressEvent(QKeyEvent *event)
{
    SyncScrollBars();
    if (event->matches(QKeySequence::Copy)) {
        CopySelection();
        return;
    }
    if (event->matches(QKeySequence::SelectAll)) {
        SelectAll();
        return;
    }
    // Each way of moving the cursor, and the same with the selection following.
    using Key = QKeySequence;
    static const std::pair<Key::StandardKey, Key::StandardKey> keys[] = {
        {Key::MoveToNextChar, Key::SelectNextChar},
        {Key::MoveToPreviousChar, Key::SelectPreviousChar},
        {Key::MoveToNextLine, Key::SelectNextLine},
        {Key::MoveToPreviousLine, Key::SelectPreviousLine},
        {Key::MoveToNextPage, Key::SelectNextPage},
        {Key::MoveToPreviousPage, Key::SelectPreviousPage},
        {Key::MoveToStartOfLine, Key::SelectStartOfLine},
        {Key::MoveToEndOfLine, Key::SelectEndOfLine},
        {Key::MoveToStartOfDocument, Key::SelectStartOfDocument},
        {Key::MoveToEndOfDocument, Key::SelectEndOfDocument},
    };
    for (const auto &[move, select] : keys) {
        const bool extend = event->matches(select);
        if (extend || event->matches(move)) {
            MoveCursor(Moved(cursor, move), extend);
            return;
        }
    }
    QAbstractScrollArea::keyPressEvent(event);
}

void SerialDisplay::mousePressEvent(QMouseEvent *event)
{
    SyncScrollBars();
    if (event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mousePressEvent(event);
        return;
    }
    setFocus(Qt::MouseFocusReason);
    MoveCursor(PlaceAt(event->pos()), event->modifiers() & Qt::ShiftModifier);
}

void SerialDisplay::mouseMoveEvent(QMouseEvent *event)
{
    SyncScrollBars();
    if (!(event->buttons() & Qt::LeftButton)) {
        return;
    }
    // Dragging past the top or bottom edge scrolls a line at a time.
    Place place = PlaceAt(event->pos());
    if (event->pos().y() < 0) {
        place = Clamped(Place{firstLine + verticalScrollBar()->value() - 1, place.column});
    } else if (event->pos().y() > viewport()->height()) {
        place =
            Clamped(Place{firstLine + verticalScrollBar()->value() + VisibleLines(), place.column});
    }
    MoveCursor(place, true);
}

void SerialDisplay::mouseDoubleClickEvent(QMouseEvent *event)
{
    SyncScrollBars();
    if (event->button() != Qt::LeftButton) {
        return;
    }
    // A double click takes the whole line with its end.
    const Place place = PlaceAt(event->pos());
    anchor = Place{place.line, 0};
    MoveCursor(Place{place.line + 1, 0}, true);
}
