#ifndef UNITSTATUSSUMMARY_H
#define UNITSTATUSSUMMARY_H

#include <QToolButton>

class UnitStatus;

// The unit status in a few words for the status bar: the fix, the
// satellites used and the number of active alarms. Clicking it asks for the
// full status.
class UnitStatusSummary : public QToolButton
{
    Q_OBJECT
public:
    explicit UnitStatusSummary(QWidget *parent = nullptr);

    void Show(const UnitStatus &status);
};

#endif // UNITSTATUSSUMMARY_H
