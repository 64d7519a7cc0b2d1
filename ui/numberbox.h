#ifndef NUMBERBOX_H
#define NUMBERBOX_H

#include <QDoubleSpinBox>

class QLabel;

// A number field that never shows one number and holds another.  A number
// outside the range offered, or with more decimals than the field keeps, is
// kept as typed, framed in red with the reason as its tool tip, rather than
// refused a digit at a time or replaced by the previous value on leaving; the
// owner asks Problem() before taking the value.  A number that came from a
// file or the unit outside that range is shown as it is, framed as unusual,
// and is no problem while it stands.  The decimal mark is the language's,
// and a point as well: the field shows no thousands separator that a point
// could be taken for.  Whole numbers are a field with no decimals.
class NumberBox : public QDoubleSpinBox
{
    Q_OBJECT

public:
    explicit NumberBox(QWidget *parent = nullptr);

    // The range offered for typing and stepping.
    void SetUsualRange(double minimum, double maximum);
    double UsualMinimum() const { return usualMinimum; }
    double UsualMaximum() const { return usualMaximum; }
    // Shows a number held by the document, which may lie outside the usual
    // range; loading is no edit.
    void Load(double value);
    // Why the text shown cannot be taken ("7 m is outside 10 m to 999 m.");
    // empty when it can.
    QString Problem() const;
    // A label, for the owner to put beside the box, that shows Problem()
    // in red while there is one and is hidden otherwise.
    QLabel *ProblemLabel();

    QValidator::State validate(QString &text, int &pos) const override;
    // Leaves the text as typed: the spin box's own repair drops the
    // language's thousands separators, which turns "2,55" into 255.
    void fixup(QString &text) const override;
    double valueFromText(const QString &text) const override;
    QString textFromValue(double value) const override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    // Problem() has become another, or none.
    void ProblemChanged();

protected:
    // The owner's tool tip is kept for the times the box is not marked.
    bool event(QEvent *event) override;
    // A step from a number outside the range goes to the range's nearer end.
    void stepBy(int steps) override;
    StepEnabled stepEnabled() const override;

private:
    // The number in `text` (without prefix and suffix): true when it is one,
    // with the count of its decimals.
    bool Read(const QString &text, double &number, int &decimalCount) const;
    // `text` without prefix and suffix.
    QString Stripped(const QString &text) const;
    QString Shown(double value) const { return textFromValue(value) + suffix(); }
    void ShowState();
    // The width that the widest number of the technical range adds to the
    // size hint beyond the widest of the usual range.
    int SurplusWidth() const;

    double usualMinimum = 0;
    double usualMaximum = 99;
    // The number loaded last: outside the usual range, it may stay.
    double loaded = 0;
    bool hasLoaded = false;
    // While a number is loaded or stepped to it is shown in full form,
    // whatever was typed.
    bool showInFull = false;
    QString plainToolTip;
    bool marking = false;
    QLabel *problemLabel = nullptr;
    QString shownProblem;
};

#endif // NUMBERBOX_H
