#include "ui/keyboardaccess.h"

#include <QAbstractButton>
#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QScrollArea>
#include <QShortcut>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolBar>

namespace {

QString KeyText(const QKeySequence &keys)
{
    return keys.toString(QKeySequence::NativeText);
}

bool TakesTab(const QWidget *widget)
{
    return (widget->focusPolicy() & Qt::TabFocus) == Qt::TabFocus;
}

} // namespace

KeyboardAccess::KeyboardAccess(QMainWindow *window, QTabWidget *pages,
                               const QList<QWidget *> &fieldPages, QMenu *unitMenu)
    : QObject(window), window(window), pages(pages)
{
    // Tab brings each field of such a page into view; a stop on the scroll
    // area itself would only be one more press with nothing to do.
    for (QWidget *page : fieldPages)
        for (QScrollArea *area : page->findChildren<QScrollArea *>())
            area->setFocusPolicy(Qt::NoFocus);
    AddPageKeys();
    OrderToolBars();
    FillUnitMenu(unitMenu);
    NameKeysInToolTips();
}

void KeyboardAccess::AddPageKeys()
{
    // The tab widget turns its pages with Ctrl+Tab only while the focus is
    // inside it; these keys work from the tool bars and the status bar too,
    // and Ctrl+Page Down/Up as in other programs with pages.
    const QPair<QKeySequence, int> keys[] = {
        {QKeySequence(Qt::CTRL | Qt::Key_Tab), 1},
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), -1},
        {QKeySequence(Qt::CTRL | Qt::Key_PageDown), 1},
        {QKeySequence(Qt::CTRL | Qt::Key_PageUp), -1},
    };
    for (const auto &key : keys) {
        auto *shortcut = new QShortcut(key.first, window);
        const int step = key.second;
        connect(shortcut, &QShortcut::activated, this, [this, step] { Turn(step); });
    }
}

void KeyboardAccess::Turn(int step)
{
    const int count = pages->count();
    int page = pages->currentIndex();
    for (int tried = 1; tried < count; ++tried) {
        page = (page + step + count) % count;
        if (pages->isTabEnabled(page)) {
            // A focus inside the old page moves into the new one (to the
            // field last used there); one on the tab bar or a tool bar stays.
            pages->setCurrentIndex(page);
            return;
        }
    }
}

void KeyboardAccess::OrderToolBars()
{
    // Qt's Tab order is the order the widgets were made in, which puts the
    // tool bars' widgets, made after the pages, between the pages and the
    // status bar. Here they follow the status bar, so that the round goes
    // as the screen reads: tool bars, tab bar, page, status bar.
    QWidget *previous = nullptr;
    for (QWidget *widget : window->statusBar()->findChildren<QWidget *>())
        if (TakesTab(widget))
            previous = widget;
    if (!previous)
        return;
    for (QToolBar *bar : window->findChildren<QToolBar *>(QString(), Qt::FindDirectChildrenOnly))
        for (QAction *action : bar->actions()) {
            QWidget *widget = bar->widgetForAction(action);
            if (widget && TakesTab(widget)) {
                QWidget::setTabOrder(previous, widget);
                previous = widget;
            }
        }
}

void KeyboardAccess::FillUnitMenu(QMenu *menu)
{
    // The port buttons keep their keys (one key with two owners would do
    // nothing); the menu names them after a tab, as a menu shows keys.
    const auto addButton = [this, menu](const QString &text, const char *name) {
        auto *button = window->findChild<QAbstractButton *>(QLatin1String(name));
        if (!button)
            return;
        QAction *action = menu->addAction(text + QLatin1Char('\t') + KeyText(button->shortcut()));
        action->setObjectName(QStringLiteral("actionUnit") + QLatin1String(name));
        connect(action, &QAction::triggered, button, &QAbstractButton::click);
        connect(menu, &QMenu::aboutToShow, action,
                [action, button] { action->setEnabled(button->isEnabled()); });
    };
    addButton(tr("&Connect"), "pushButtonConnect");
    addButton(tr("&Disconnect"), "pushButtonDisconnect");
    menu->addSeparator();
    // The menus of the transfer buttons' arrows, where "current tab only" is.
    for (const char *name : {"menuRetrieve", "menuSend"})
        if (auto *transfers = window->findChild<QMenu *>(QLatin1String(name)))
            menu->addMenu(transfers);
}

void KeyboardAccess::NameKeysInToolTips()
{
    // The tool buttons show their actions' tips.
    for (QAction *action : window->findChildren<QAction *>()) {
        const QString key = KeyText(action->shortcut());
        if (!key.isEmpty() && !action->toolTip().contains(key))
            action->setToolTip(action->toolTip() + QStringLiteral(" (%1)").arg(key));
    }
}
