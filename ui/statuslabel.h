#ifndef STATUSLABEL_H
#define STATUSLABEL_H

#include <QLabel>

// A line of text in the status bar that yields its room: where the bar is
// narrower than the text, the text ends in "…" (the whole of it in the tool
// tip) instead of the bar, and with it the window, growing past the screen.
class StatusLabel : public QLabel
{
    Q_OBJECT

public:
    explicit StatusLabel(QWidget *parent = nullptr);

    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
};

#endif // STATUSLABEL_H
