#include "numberbox.h"

#include <QEvent>
#include <QLabel>
#include <QLineEdit>

namespace {
// Wide enough that no digit typed is ever refused; nine digits either way.
constexpr double TypedMinimum = -99999999;
constexpr double TypedMaximum = 999999999;
} // namespace

NumberBox::NumberBox(QWidget *parent) : QDoubleSpinBox(parent)
{
    setDecimals(0);
    setRange(TypedMinimum, TypedMaximum);
    plainToolTip = toolTip();
    // The box tells of a new value, shown from the program too; its line
    // tells of every key, a text that is no number included.
    connect(this, &QDoubleSpinBox::textChanged, this, &NumberBox::ShowState);
    connect(lineEdit(), &QLineEdit::textChanged, this, &NumberBox::ShowState);
}

void NumberBox::SetUsualRange(double minimum, double maximum)
{
    usualMinimum = minimum;
    usualMaximum = maximum;
    updateGeometry();
    ShowState();
}

void NumberBox::Load(double value)
{
    loaded = value;
    hasLoaded = true;
    showInFull = true;
    setValue(value);
    showInFull = false;
    ShowState();
}

bool NumberBox::Read(const QString &text, double &number, int &decimalCount) const
{
    const QChar mark = QString(locale().decimalPoint()).at(0);
    int digits = 0;
    int point = -1;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isDigit()) {
            ++digits;
        } else if ((c == mark || c == QLatin1Char('.')) && point < 0) {
            point = i;
        } else if (!(i == 0 && (c == QLatin1Char('-') || c == QLatin1Char('+')))) {
            return false;
        }
    }
    if (digits == 0)
        return false;
    decimalCount = point < 0 ? 0 : text.size() - point - 1;
    QString plain = text;
    if (point >= 0)
        plain[point] = QLatin1Char('.');
    bool ok = false;
    number = plain.toDouble(&ok);
    return ok;
}

QString NumberBox::Stripped(const QString &text) const
{
    QString number = text;
    if (number.startsWith(prefix()))
        number.remove(0, prefix().size());
    if (!suffix().isEmpty() && number.endsWith(suffix()))
        number.chop(suffix().size());
    return number.trimmed();
}

QValidator::State NumberBox::validate(QString &text, int &pos) const
{
    Q_UNUSED(pos)
    // Whatever is typed is taken in, to be shown and judged by Problem(),
    // rather than refused a key at a time: a key dropped unseen turns "1e3"
    // into 13.
    double number = 0;
    int decimalCount = 0;
    return Read(Stripped(text), number, decimalCount) ? QValidator::Acceptable
                                                      : QValidator::Intermediate;
}

void NumberBox::fixup(QString &text) const
{
    Q_UNUSED(text)
}

double NumberBox::valueFromText(const QString &text) const
{
    // A text that is no number leaves the number as it was.
    double number = 0;
    int decimalCount = 0;
    return Read(Stripped(text), number, decimalCount) ? number : value();
}

QString NumberBox::textFromValue(double value) const
{
    // A text that is no number, or has more decimals than the box keeps,
    // stays as typed when the number it gave is shown, so that leaving the
    // field does not put another number in its place.
    if (!showInFull && lineEdit()) {
        const QString typed = cleanText();
        double number = 0;
        int decimalCount = 0;
        const bool plain = Read(typed, number, decimalCount) && decimalCount <= decimals();
        if (!plain && !typed.isEmpty() &&
            locale().toString(valueFromText(typed), 'f', decimals()) ==
                locale().toString(value, 'f', decimals()))
            return typed;
    }
    return QDoubleSpinBox::textFromValue(value);
}

QString NumberBox::Problem() const
{
    const QString text = cleanText();
    double number = 0;
    int decimalCount = 0;
    if (!Read(text, number, decimalCount))
        return text.isEmpty() ? tr("no number given.") : tr("\"%1\" is not a number.").arg(text);
    if (decimalCount > decimals())
        return decimals() == 0
                   ? tr("\"%1\" is not a whole number.").arg(text)
                   : tr("%1 has too many decimals: %2 at most.").arg(text).arg(decimals());
    const bool kept = hasLoaded && Shown(number) == Shown(loaded);
    if ((number >= usualMinimum && number <= usualMaximum) || kept)
        return QString();
    return tr("%1 is outside %2 to %3.")
        .arg(Shown(number), Shown(usualMinimum), Shown(usualMaximum));
}

QLabel *NumberBox::ProblemLabel()
{
    if (!problemLabel) {
        problemLabel = new QLabel(parentWidget());
        problemLabel->setObjectName(objectName() + QStringLiteral("Problem"));
        problemLabel->setStyleSheet(QStringLiteral("color: #d00000;"));
        ShowState();
    }
    return problemLabel;
}

void NumberBox::ShowState()
{
    const QString problem = Problem();
    if (problem != shownProblem) {
        shownProblem = problem;
        emit ProblemChanged();
    }
    if (problemLabel) {
        problemLabel->setText(problem);
        problemLabel->setVisible(!problem.isEmpty());
    }
    const bool unusual = problem.isEmpty() && (value() < usualMinimum || value() > usualMaximum);
    marking = true;
    if (!problem.isEmpty()) {
        setStyleSheet(QStringLiteral("QAbstractSpinBox { border: 2px solid #d00000; }"));
        setToolTip(problem);
    } else if (unusual) {
        setStyleSheet(QStringLiteral("QAbstractSpinBox { border: 2px solid #c08000; }"));
        setToolTip(tr("%1 is outside the usual range, %2 to %3; it stays as the file or the "
                      "unit holds it unless changed here.")
                       .arg(text(), Shown(usualMinimum), Shown(usualMaximum)));
    } else {
        setStyleSheet(QString());
        setToolTip(plainToolTip);
    }
    marking = false;
}

bool NumberBox::event(QEvent *event)
{
    const bool handled = QDoubleSpinBox::event(event);
    if (event->type() == QEvent::ToolTipChange && !marking) {
        plainToolTip = toolTip();
        if (!styleSheet().isEmpty())
            ShowState();
    }
    return handled;
}

void NumberBox::stepBy(int steps)
{
    showInFull = true;
    setValue(qBound(usualMinimum, value() + steps * singleStep(), usualMaximum));
    showInFull = false;
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
    const auto widest = [&](double low, double high) {
        return qMax(metrics.horizontalAdvance(textFromValue(low)),
                    metrics.horizontalAdvance(textFromValue(high)));
    };
    return qMax(0, widest(minimum(), maximum()) - widest(usualMinimum, usualMaximum));
}

QSize NumberBox::sizeHint() const
{
    return QDoubleSpinBox::sizeHint() - QSize(SurplusWidth(), 0);
}

QSize NumberBox::minimumSizeHint() const
{
    return QDoubleSpinBox::minimumSizeHint() - QSize(SurplusWidth(), 0);
}
