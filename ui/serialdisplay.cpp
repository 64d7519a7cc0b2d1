#include "ui/serialdisplay.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>

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
}

void SerialDisplay::Append(const QString &text)
{
    if (text.isEmpty()) {
        return;
    }
    const QStringList parts = text.split(QLatin1Char('\n'));
    int first = 0;
    if (lastLineOpen && !lines.isEmpty()) {
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
    UpdateScrollBars();
    ScrollToEnd();
    viewport()->update();
}

void SerialDisplay::RemoveFirst(int count)
{
    int removed = 0;
    while (removed < count && !lines.isEmpty()) {
        const bool endsLine = lines.size() > 1 || !lastLineOpen;
        removed += lines.first().size() + (endsLine ? 1 : 0);
        lines.removeFirst();
    }
    if (lines.isEmpty()) {
        lastLineOpen = false;
    }
    characters -= removed;
    UpdateScrollBars();
    ScrollToEnd();
    viewport()->update();
}

void SerialDisplay::Clear()
{
    lines.clear();
    lastLineOpen = false;
    characters = 0;
    longestLine = 0;
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

void SerialDisplay::ScrollToEnd()
{
    verticalScrollBar()->setValue(verticalScrollBar()->maximum());
}

void SerialDisplay::paintEvent(QPaintEvent *)
{
    QPainter painter(viewport());
    painter.setFont(font());
    painter.setPen(palette().color(QPalette::Text));
    const int height = LineHeight();
    const int ascent = fontMetrics().ascent();
    const int first = verticalScrollBar()->value();
    const int last = qMin(lines.size(), first + VisibleLines() + 1);
    const int x = Margin - horizontalScrollBar()->value();
    for (int i = first, y = Margin; i < last; ++i, y += height) {
        painter.drawText(x, y + ascent, lines.at(i));
    }
}

void SerialDisplay::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    const bool atEnd = verticalScrollBar()->value() == verticalScrollBar()->maximum();
    UpdateScrollBars();
    if (atEnd) {
        ScrollToEnd();
    }
}

void SerialDisplay::changeEvent(QEvent *event)
{
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        UpdateScrollBars();
        viewport()->update();
    }
}

void SerialDisplay::contextMenuEvent(QContextMenuEvent *event)
{
    QMenu menu(this);
    QAction *copy = menu.addAction(tr("Copy All"));
    copy->setShortcut(QKeySequence::Copy);
    connect(copy, &QAction::triggered, this,
            [this] { QApplication::clipboard()->setText(Text()); });
    menu.exec(event->globalPos());
}

void SerialDisplay::keyPressEvent(QKeyEvent *event)
{
    if (event->matches(QKeySequence::Copy)) {
        QApplication::clipboard()->setText(Text());
        return;
    }
    QAbstractScrollArea::keyPressEvent(event);
}
