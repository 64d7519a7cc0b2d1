#include "numberbox.h"

#include <QEvent>
#include <QLineEdit>

namespace {
// Wide enough that no digit typed is ever refused; nine digits either way.
constexpr int TypedMinimum = -99999999;
constexpr int TypedMaximum = 999999999;
} // namespace

NumberBox::NumberBox(QWidget *parent) : QSpinBox(parent)
{
    setRange(TypedMinimum, TypedMaximum);
    plainToolTip = toolTip();
    connect(this, &QSpinBox::textChanged, this, &NumberBox::ShowState);
}

void NumberBox::SetUsualRange(int minimum, int maximum)
{
    usualMinimum = minimum;
    usualMaximum = maximum;
    updateGeometry();
    ShowState();
}

void NumberBox::Load(int value)
{
    loaded = value;
    hasLoaded = true;
    setValue(value);
    ShowState();
}

QString NumberBox::Problem() const
{
    bool ok = false;
    const QString text = cleanText();
    const int number = locale().toInt(text, &ok);
    if (!ok)
        return text.isEmpty() ? tr("no number given.")
                              : tr("\"%1\" is not a whole number.").arg(text);
    if ((number >= usualMinimum && number <= usualMaximum) || (hasLoaded && number == loaded))
        return QString();
    return tr("%1 is outside %2 to %3.")
        .arg(textFromValue(number) + suffix(), textFromValue(usualMinimum) + suffix(),
             textFromValue(usualMaximum) + suffix());
}

void NumberBox::ShowState()
{
    const QString problem = Problem();
    const bool unusual = problem.isEmpty() && (value() < usualMinimum || value() > usualMaximum);
    marking = true;
    if (!problem.isEmpty()) {
        setStyleSheet(QStringLiteral("QSpinBox { border: 2px solid #d00000; }"));
        setToolTip(problem);
    } else if (unusual) {
        setStyleSheet(QStringLiteral("QSpinBox { border: 2px solid #c08000; }"));
        setToolTip(tr("%1 is outside the usual range, %2 to %3; it stays as the file or the "
                      "unit holds it unless changed here.")
                       .arg(text(), textFromValue(usualMinimum) + suffix(),
                            textFromValue(usualMaximum) + suffix()));
    } else {
        setStyleSheet(QString());
        setToolTip(plainToolTip);
    }
    marking = false;
}

bool NumberBox::event(QEvent *event)
{
    const bool handled = QSpinBox::event(event);
    if (event->type() == QEvent::ToolTipChange && !marking) {
        plainToolTip = toolTip();
        if (!styleSheet().isEmpty())
            ShowState();
    }
    return handled;
}

void NumberBox::stepBy(int steps)
{
    const qint64 next = qint64(value()) + qint64(steps) * singleStep();
    setValue(int(qBound<qint64>(usualMinimum, next, usualMaximum)));
    selectAll();
}

QAbstractSpinBox::StepEnabled NumberBox::stepEnabled() const
{
    if (isReadOnly())
        return StepNone;
    // Outside the range, either way leads back into it.
    StepEnabled enabled = StepNone;
    if (value() != usualMinimum)
        enabled |= StepDownEnabled;
    if (value() != usualMaximum)
        enabled |= StepUpEnabled;
    return enabled;
}

int NumberBox::SurplusWidth() const
{
    const QFontMetrics metrics = fontMetrics();
    const auto widest = [&](int low, int high) {
        return qMax(metrics.horizontalAdvance(textFromValue(low)),
                    metrics.horizontalAdvance(textFromValue(high)));
    };
    return qMax(0, widest(minimum(), maximum()) - widest(usualMinimum, usualMaximum));
}

QSize NumberBox::sizeHint() const
{
    return QSpinBox::sizeHint() - QSize(SurplusWidth(), 0);
}

QSize NumberBox::minimumSizeHint() const
{
    return QSpinBox::minimumSizeHint() - QSize(SurplusWidth(), 0);
}
