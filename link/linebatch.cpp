#include "link/linebatch.h"

LineBatch::LineBatch(QObject *parent) : QObject(parent)
{
    due.setSingleShot(true);
    due.setInterval(IntervalMs);
    connect(&due, &QTimer::timeout, this, &LineBatch::Flush);
}

void LineBatch::Add(const QString &line)
{
    pending.append(line);
    if (pending.size() >= MaxLines)
        Flush();
    else if (!due.isActive())
        due.start();
}

void LineBatch::Flush()
{
    due.stop();
    if (pending.isEmpty())
        return;
    QStringList lines;
    lines.swap(pending);
    emit Lines(lines);
}
