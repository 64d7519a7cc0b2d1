#ifndef SERIALTAB_H
#define SERIALTAB_H

#include <QRegularExpression>
#include <QString>
#include <QTimer>
#include <QVector>
#include <QWidget>

namespace Ui {
class SerialTab;
}

class QCheckBox;

// The terminal page of the main window: shows the traffic on the line to the
// unit with four filters and a pause, sends a typed sentence, or each line of
// a pasted block, with the checksum added where it is missing, and carries
// the button that starts and stops the traffic log.  Lines that arrive while paused are held and
// pass the filters when the display resumes; the unit's presence poll is never shown, so it is not
// held either.
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

    // Shows the traffic log state on the log button, and the log's file name
    // beside it while logging.
    void SetLogging(bool logging, const QString &fileName = QString());

    // Marks a line this program sent, on the display, so that it is not
    // taken for the unit's.
    static QString SentMark();

    // The line that OnSend would hand on for the typed text: unchanged when it
    // is already a valid sentence, otherwise with "*" and the checksum added;
    // empty, with *problem saying why, when neither is valid or the text ends
    // in a checksum that does not match it.  Ends with "\r\n".
    static QString CompleteSentence(const QString &text, QString *problem = nullptr);

    // Whether a received line is kept off the display by the checked filters
    // (or because it is the unit's presence poll).
    bool IsFiltered(const QString &line) const;

    // Characters held while paused.
    int PauseBufferSize() const { return heldCharacters; }

signals:
    void Send(QString line);
    void Save(bool save);

public slots:
    void OnSendEdited(QString text);
    void OnPause();
    void OnSaveToLog();
    void OnSend();
    void OnSent(QString sent);
    void OnReceived(QString received);
    // Lines as a link hands them over from its thread, a few at a time.
    void OnReceivedLines(const QStringList &lines);
    void OnOpened();
    void OnClosed();

private:
    void UpdateControls();
    void UpdatePauseButton();
    void Hold(const QString &text, bool sent);
    void AppendToDisplay(const QString &text);
    void OnShowSent(bool show);
    // A line sent, typed here or by a job, shown marked when asked for.
    void ShowSent(QString sent);
    bool WillShow(const QString &text, bool sent) const;
    // The held lines counted again after a change of the filters.
    void CountHeld();

    Ui::SerialTab *ui;
    bool opened = false;
    bool showTransmit = false;

    // What arrived while paused, in order; sent lines are marked so that the
    // filters pass them over on resume as they do while running.
    struct Held
    {
        QString text;
        bool sent;
    };
    QVector<Held> held;
    int heldCharacters = 0;
    // Held lines that the filters and "Show sent" let through as they stand.
    int heldShown = 0;
    bool heldDropped = false;
    // The pause button shows the count held; renewed a few times a second
    // rather than for every line of a flood.
    QTimer pauseLabelTimer;

    struct Filter
    {
        QCheckBox *box;
        QRegularExpression pattern;
    };
    QVector<Filter> filters;
};

#endif // SERIALTAB_H
