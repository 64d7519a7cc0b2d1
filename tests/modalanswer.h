#ifndef MODALANSWER_H
#define MODALANSWER_H

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QLineEdit>
#include <QList>
#include <QMessageBox>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <QWidget>

#include <functional>

// Answers the next modal dialogs (message boxes, file dialogs) from inside
// their own event loops, one answer per dialog in the order given, as a user
// would.  Widget tests arm one before the call that opens the dialogs;
// answered() tells how many came, and the texts of the message boxes are kept.
class ModalAnswer
{
public:
    using Answer = std::function<void(QWidget *)>;

    explicit ModalAnswer(QList<Answer> answers, int withinMs = 60000)
        : pending(std::move(answers)), timer(new QTimer), limitMs(withinMs)
    {
        timer->setInterval(10);
        clock.start();
        QObject::connect(timer, &QTimer::timeout, [this] { Tick(); });
        timer->start();
    }
    ~ModalAnswer() { delete timer; }
    ModalAnswer(const ModalAnswer &) = delete;
    ModalAnswer &operator=(const ModalAnswer &) = delete;

    int answered() const { return count; }

    static Answer Press(QMessageBox::StandardButton button)
    {
        return [button](QWidget *w) {
            auto *box = qobject_cast<QMessageBox *>(w);
            if (box && box->button(button)) {
                box->button(button)->click();
            } else {
                qWarning("expected a message box with that button, got %s",
                         w->metaObject()->className());
                w->close();
            }
        };
    }
    static Answer ChooseFile(const QString &path)
    {
        return [path](QWidget *w) {
            // Typed into the name field and confirmed at once: the dialog's
            // own checks and its background directory reading stay out of it.
            auto *dialog = qobject_cast<QFileDialog *>(w);
            auto *name = dialog ? dialog->findChild<QLineEdit *>("fileNameEdit") : nullptr;
            if (name) {
                name->setText(path);
                static_cast<QDialog *>(dialog)->done(QDialog::Accepted);
            } else {
                qWarning("expected a file dialog, got %s", w->metaObject()->className());
                w->close();
            }
        };
    }
    static Answer Cancel()
    {
        return [](QWidget *w) {
            if (auto *dialog = qobject_cast<QDialog *>(w)) {
                dialog->reject();
            } else {
                w->close();
            }
        };
    }

    // Per message box answered: title, text and informative text.
    QStringList titles;
    QStringList texts;
    QStringList informativeTexts;

private:
    void Tick()
    {
        QWidget *modal = QApplication::activeModalWidget();
        if (modal && modal != lastAnswered && !pending.isEmpty()) {
            lastAnswered = modal;
            if (auto *box = qobject_cast<QMessageBox *>(modal)) {
                titles << box->windowTitle();
                texts << box->text();
                informativeTexts << box->informativeText();
            }
            ++count;
            qDebug("answering %s", modal->metaObject()->className());
            const Answer answer = pending.takeFirst();
            answer(modal);
        }
        if (pending.isEmpty() || clock.elapsed() > limitMs) {
            timer->stop();
        }
    }

    QList<Answer> pending;
    QTimer *timer;
    QElapsedTimer clock;
    qint64 limitMs;
    QPointer<QWidget> lastAnswered;
    int count = 0;
};

#endif // MODALANSWER_H
