#ifndef KEYBOARDACCESS_H
#define KEYBOARDACCESS_H

#include <QList>
#include <QObject>

class QMainWindow;
class QMenu;
class QTabWidget;
class QWidget;

// What the window needs, beyond what each widget brings, for a whole session
// without the mouse: keys that turn the pages from wherever the focus is, a
// Tab order that follows the screen from the tool bars down to the status
// bar, tool tips that name the keys, and a Unit menu that reaches what
// otherwise only the tool bar's buttons and their arrows reach.
class KeyboardAccess : public QObject
{
    Q_OBJECT

public:
    // Made once the tool bars, the pages and the actions are in place.
    // `fieldPages` are pages made of fields, whose scroll areas need no Tab
    // stop of their own; `unitMenu` is the empty menu to fill.
    KeyboardAccess(QMainWindow *window, QTabWidget *pages, const QList<QWidget *> &fieldPages,
                   QMenu *unitMenu);

    // The next (step 1) or previous (-1) page that may be shown.
    void Turn(int step);

private:
    void AddPageKeys();
    void OrderToolBars();
    void NameKeysInToolTips();
    void FillUnitMenu(QMenu *menu);

    QMainWindow *window;
    QTabWidget *pages;
};

#endif // KEYBOARDACCESS_H
