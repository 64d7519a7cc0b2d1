#ifndef PROGRESSREPORTER_H
#define PROGRESSREPORTER_H

#include <QObject>
#include <QString>

// Progress of a transfer on standard error, one line per step sent to the
// unit ("AtoN settings: query ACF") and per finished job ("AtoN settings:
// done"). The presence polls that run between transfers are left out.
class ProgressReporter : public QObject
{
    Q_OBJECT

public:
    explicit ProgressReporter(QObject *parent = nullptr);

public slots:
    void OnSent(QString sent);
    void OnJobComplete(QString name, bool send);
    void OnTabState(int tab, int state);
};

#endif // PROGRESSREPORTER_H
