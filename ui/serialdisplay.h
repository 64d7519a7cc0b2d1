#ifndef SERIALDISPLAY_H
#define SERIALDISPLAY_H

#include <QAbstractScrollArea>
#include <QString>
#include <QStringList>

// The read-only text pane of the serial data tab.  It holds the received text
// as a list of lines and draws only the lines in view, so that a unit talking
// fast costs little per line and dropping the oldest text costs nothing
// noticeable, whatever the amount shown.  New text always scrolls into view.
class SerialDisplay : public QAbstractScrollArea
{
    Q_OBJECT

public:
    explicit SerialDisplay(QWidget *parent = nullptr);

    // Adds text at the end; a "\n" ends a line, text after the last "\n" is
    // continued by the next call.
    void Append(const QString &text);
    // Drops whole lines from the start until at least `characters` are gone.
    void RemoveFirst(int characters);
    void Clear();

    // Characters held, each line end counted as one.
    int CharacterCount() const { return characters; }
    int LineCount() const { return lines.size(); }
    QString Line(int index) const { return lines.value(index); }
    QString Text() const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void UpdateScrollBars();
    void ScrollToEnd();
    int LineHeight() const;
    int VisibleLines() const;

    QStringList lines;
    // The last line has not ended yet.
    bool lastLineOpen = false;
    int characters = 0;
    int longestLine = 0;
};

#endif // SERIALDISPLAY_H
