#include "timebox.h"

#include <QKeyEvent>
#include <QRegularExpression>

namespace {

constexpr int MinutesPerDay = 24 * 60;

// Hours and minutes, with or without the colon between them.
bool Read(const QString &text, int &hour, int &minute)
{
    static const QRegularExpression form(QStringLiteral("^(\\d{1,2}):?(\\d{2})$"));
    const QRegularExpressionMatch match = form.match(text.trimmed());
    if (!match.hasMatch())
        return false;
    hour = match.captured(1).toInt();
    minute = match.captured(2).toInt();
    return true;
}

} // namespace

TimeBox::TimeBox(QWidget *parent) : QLineEdit(parent)
{
    setMaxLength(16);
    connect(this, &QLineEdit::textChanged, this, &TimeBox::OnTextChanged);
}

void TimeBox::Load(const QTime &time)
{
    loading = true;
    setText(time.toString(QStringLiteral("hh:mm")));
    loading = false;
}

QTime TimeBox::Time() const
{
    int hour = 0;
    int minute = 0;
    if (!Read(text(), hour, minute))
        return QTime();
    return QTime(hour, minute);
}

QString TimeBox::Problem() const
{
    const QString typed = text().trimmed();
    if (typed.isEmpty())
        return tr("no time given.");
    int hour = 0;
    int minute = 0;
    if (!Read(typed, hour, minute))
        return tr("\"%1\" is not a time as hours and minutes (hh:mm).").arg(typed);
    if (hour > 23 || minute > 59)
        return tr("%1 is not a time of day (00:00 to 23:59).").arg(typed);
    return QString();
}

void TimeBox::OnTextChanged()
{
    const QString problem = Problem();
    setStyleSheet(problem.isEmpty() ? QString()
                                    : QStringLiteral("QLineEdit { border: 2px solid #d00000; }"));
    setToolTip(problem);
    if (problem != shownProblem) {
        shownProblem = problem;
        emit ProblemChanged();
    }
    if (!loading)
        emit Edited();
}

void TimeBox::keyPressEvent(QKeyEvent *event)
{
    const int step = event->key() == Qt::Key_Up ? 1 : event->key() == Qt::Key_Down ? -1 : 0;
    if (step == 0 || !Problem().isEmpty() || isReadOnly()) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    const QTime time = Time();
    const int minutes = (time.hour() * 60 + time.minute() + step + MinutesPerDay) % MinutesPerDay;
    setText(QTime(minutes / 60, minutes % 60).toString(QStringLiteral("hh:mm")));
    selectAll();
}
