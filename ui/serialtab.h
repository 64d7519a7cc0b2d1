#ifndef SERIALTAB_H
#define SERIALTAB_H

#include <QRegularExpression>
#include <QString>
#include <QVector>
#include <QWidget>

namespace Ui {
class SerialTab;
}

class QCheckBox;

// The terminal page of the main window: shows the traffic on the line to the
// unit with four filters and a pause, sends one typed sentence at a time (the
// checksum is added when it is missing) and carries the button that starts and
// stops the traffic log.
class SerialTab : public QWidget
{
    Q_OBJECT

public:
    // The display keeps about this many characters; older text goes in steps.
    static constexpr int DisplayLimit = 1000000;
    static constexpr int DisplayTrimStep = 100000;
    // Text that arrives while paused is kept up to this many characters.
    static constexpr int PauseBufferLimit = 500000;

    explicit SerialTab(QWidget *parent = nullptr);
    ~SerialTab() override;

    // Shows the traffic log state on the log button.
    void SetLogging(bool logging);

    // The line that OnSend would hand on for the typed text: unchanged when it
    // is already a valid sentence, otherwise with "*" and the checksum added;
    // empty when neither is valid.  Ends with "\r\n".
    static QString CompleteSentence(const QString &text);

    // Whether a received line is kept off the display by the checked filters
    // (or because it is the unit's presence poll).
    bool IsFiltered(const QString &line) const;

    int PauseBufferSize() const { return pauseBuffer.size(); }

signals:
    void Send(QString line);
    void Save(bool save);

public slots:
    void OnSendEdited(QString text);
    void OnSendEditFinished();
    void OnPause();
    void OnSaveToLog();
    void OnSend();
    void OnSent(QString sent);
    void OnReceived(QString received);
    void OnOpened();
    void OnClosed();

private:
    void UpdateControls();
    void Buffer(const QString &text);
    void AppendToDisplay(const QString &text);

    Ui::SerialTab *ui;
    bool opened = false;
    bool showTransmit = false;
    QString pauseBuffer;

    struct Filter
    {
        QCheckBox *box;
        QRegularExpression pattern;
    };
    QVector<Filter> filters;
};

#endif // SERIALTAB_H
