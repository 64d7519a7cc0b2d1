#ifndef TIMEBOX_H
#define TIMEBOX_H

#include <QLineEdit>
#include <QTime>

// A time of day as hours and minutes ("07:30", or "0730"), taken as typed or
// refused visibly: a text that is no time of day stays as typed, framed in
// red with the reason as its tool tip, and the owner asks Problem() before
// taking the time. A section editor would quietly make 2599 into 02:00.
// Up and Down step a minute.
class TimeBox : public QLineEdit
{
    Q_OBJECT

public:
    explicit TimeBox(QWidget *parent = nullptr);

    // Shows a time held by the document; loading is no edit.
    void Load(const QTime &time);
    // The time typed; invalid while Problem() names one.
    QTime Time() const;
    // Why the text cannot be taken; empty when it can.
    QString Problem() const;

signals:
    // The text was typed or stepped to, a time of day or not.
    void Edited();
    // Problem() has become another, or none.
    void ProblemChanged();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void OnTextChanged();

    QString shownProblem;
    bool loading = false;
};

#endif // TIMEBOX_H
