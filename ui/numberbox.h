#ifndef NUMBERBOX_H
#define NUMBERBOX_H

#include <QSpinBox>

// A whole-number field that never shows one number and holds another.  A
// number outside the range offered is kept as typed, framed in red with the
// reason as its tool tip, rather than refused a digit at a time or replaced by
// the previous value on leaving; the owner asks Problem() before taking the
// value.  A number that came from a file or the unit outside that range is
// shown as it is, framed as unusual, and is no problem while it stands.
class NumberBox : public QSpinBox
{
    Q_OBJECT

public:
    explicit NumberBox(QWidget *parent = nullptr);

    // The range offered for typing and stepping.
    void SetUsualRange(int minimum, int maximum);
    int UsualMinimum() const { return usualMinimum; }
    int UsualMaximum() const { return usualMaximum; }
    // Shows a number held by the document, which may lie outside the usual
    // range; loading is no edit.
    void Load(int value);
    // Why the text shown cannot be taken ("7 m is outside 10 m to 999 m.");
    // empty when it can.
    QString Problem() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    // The owner's tool tip is kept for the times the box is not marked.
    bool event(QEvent *event) override;
    // A step from a number outside the range goes to the range's nearer end.
    void stepBy(int steps) override;
    StepEnabled stepEnabled() const override;

private:
    void ShowState();
    // The width that the widest number of the technical range adds to the
    // size hint beyond the widest of the usual range.
    int SurplusWidth() const;

    int usualMinimum = 0;
    int usualMaximum = 99;
    // The number loaded last: outside the usual range, it may stay.
    int loaded = 0;
    bool hasLoaded = false;
    QString plainToolTip;
    bool marking = false;
};

#endif // NUMBERBOX_H
