#ifndef CHILDWIDGET_H
#define CHILDWIDGET_H

#include <QObject>

// The named child of a window or tab; a test cannot go on without it.
template <typename T> T *child(QObject &parent, const char *name)
{
    T *widget = parent.findChild<T *>(QLatin1String(name));
    if (!widget) {
        qFatal("no child %s", name);
    }
    return widget;
}

#endif // CHILDWIDGET_H
