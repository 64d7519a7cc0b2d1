#include "statuslabel.h"

#include <QPainter>
#include <QStyle>

namespace {

// Room for a word or two and the ellipsis.
constexpr int MinimumCharacters = 12;

} // namespace

StatusLabel::StatusLabel(QWidget *parent) : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
}

QSize StatusLabel::minimumSizeHint() const
{
    const QSize whole = QLabel::minimumSizeHint();
    return {qMin(whole.width(), fontMetrics().averageCharWidth() * MinimumCharacters),
            whole.height()};
}

void StatusLabel::paintEvent(QPaintEvent *event)
{
    const QRect room = contentsRect().marginsRemoved(QMargins(margin(), 0, margin(), 0));
    const QString shown = fontMetrics().elidedText(text(), Qt::ElideRight, room.width());
    if (shown == text()) {
        setToolTip(QString());
        QLabel::paintEvent(event);
        return;
    }
    setToolTip(text());
    QPainter painter(this);
    style()->drawItemText(&painter, room, QStyle::visualAlignment(layoutDirection(), alignment()),
                          palette(), isEnabled(), shown, foregroundRole());
}
