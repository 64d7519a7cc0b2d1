#ifndef MODALANSWER_H
#define MODALANSWER_H

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>

#include <functional>

// Answers the next modal dialogs (message boxes, file dialogs) from inside
// their own event loops, one answer per dialog in the order given, as a user
// would.  Widget tests arm one before the call that opens the dialogs;
// answered() tells how many came, and the texts of the message boxes are kept.
class ModalAnswer
{
public:
    using Answer = std::function<void(QWidget *)>;

    explicit ModalAnswer(QList<Answer> answers) : pending(std::move(answers))
    {
        QObject::connect(&timer, &QTimer::timeout, [this] { Tick(); });
        timer.start(10);
    }

    int answered() const { return count; }

    static Answer Press(QMessageBox::StandardButton button)
    {
        return [button](QWidget *w) {
            auto *box = qobject_cast<QMessageBox *>(w);
            if (box && box->button(button))
                box->button(button)->click();
            else
                Refuse(w, "a message box with that button");
        };
    }
    // Ticks the box's check box first, as one must before a risky choice.
    static Answer TickAndPress(QMessageBox::StandardButton button)
    {
        return [button](QWidget *w) {
            auto *box = qobject_cast<QMessageBox *>(w);
            if (!box || !box->checkBox() || !box->button(button))
                return Refuse(w, "a message box with a check box and that button");
            box->checkBox()->click();
            box->button(button)->click();
        };
    }
    // The button that goes ahead, whatever its text.
    static Answer PressAccept()
    {
        return [](QWidget *w) {
            auto *box = qobject_cast<QMessageBox *>(w);
            const auto buttons = box ? box->buttons() : QList<QAbstractButton *>();
            for (QAbstractButton *button : buttons) {
                if (box->buttonRole(button) == QMessageBox::AcceptRole)
                    return button->click();
            }
            Refuse(w, "a message box with a button that goes ahead");
        };
    }
    static Answer ChooseFile(const QString &path)
    {
        return [path](QWidget *w) {
            // Typed into the name field and confirmed at once: the dialog's
            // own checks and its background directory reading stay out of it.
            auto *dialog = qobject_cast<QFileDialog *>(w);
            auto *name = dialog ? dialog->findChild<QLineEdit *>("fileNameEdit") : nullptr;
            if (!name)
                return Refuse(w, "a file dialog");
            // A file proposed by the dialog may be selected in its list,
            // which would count before the typed name.
            for (auto *view : dialog->findChildren<QAbstractItemView *>())
                view->clearSelection();
            name->setText(path);
            static_cast<QDialog *>(dialog)->done(QDialog::Accepted);
        };
    }
    static Answer Cancel()
    {
        return [](QWidget *w) { w->close(); };
    }

    // Per message box answered: title, text and informative text.
    QStringList titles, texts, informativeTexts;

private:
    static void Refuse(QWidget *w, const char *expected)
    {
        const auto *box = qobject_cast<QMessageBox *>(w);
        qWarning("expected %s, got %s %s", expected, w->metaObject()->className(),
                 box ? qPrintable(box->text() + QLatin1Char(' ') + box->informativeText()) : "");
        w->close();
    }
    void Tick()
    {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || modal == lastAnswered || pending.isEmpty())
            return;
        lastAnswered = modal;
        if (auto *box = qobject_cast<QMessageBox *>(modal)) {
            titles << box->windowTitle();
            texts << box->text();
            informativeTexts << box->informativeText();
        }
        ++count;
        pending.takeFirst()(modal);
    }

    QList<Answer> pending;
    QTimer timer;
    QPointer<QWidget> lastAnswered;
    int count = 0;
};

#endif // MODALANSWER_H
