#ifndef UNITSTATUSTAB_H
#define UNITSTATUSTAB_H

#include <QDateTime>
#include <QPointer>
#include <QScrollArea>

class GpsStatus;
class OffPositionView;
class QFormLayout;
class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QStatusBar;
class QTabWidget;
class QTableWidget;
class QTimer;
class SatelliteBars;
class UnitHistoryDialog;
class UnitStatus;
class UnitLastSeen;
class UnitRegister;
class UnitStatusSummary;
class UnitSession;

// The "Unit Status" tab: what the docked unit is doing, at a glance, from
// its live traffic or from a log played back. It shows the unit status
// model; redraws are gathered on a short timer so that a busy line does not
// redraw per sentence.
class UnitStatusTab : public QScrollArea
{
    Q_OBJECT
public:
    static constexpr int RedrawDelayMs = 150;

    UnitStatusTab(UnitSession *session, QWidget *parent = nullptr);

    // Builds the model, the tab and the status bar summary for the window:
    // the tab goes after the existing tabs, the summary to the right of the
    // status bar, and clicking the summary shows the tab.
    static UnitStatusTab *AddTo(QTabWidget *tabs, QStatusBar *statusBar, UnitSession *session);

    UnitStatus *Status() const { return status; }
    // The register that says when the unit was last seen and holds its
    // history (not owned).
    void SetRegister(UnitRegister *unitRegister);

signals:
    // The engineer opened a configuration from the unit's history.
    void OpenRecorded(const QByteArray &pad, const QString &title);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void OnChanged();
    void Redraw();
    void RedrawGps();
    void RedrawReport();
    void RedrawOffPosition();
    void RedrawAlarms();
    void RedrawTexts();
    void RedrawBattery();
    void OnRefreshBattery();
    void OnShowHistory();
    QLabel *AddRow(QFormLayout *form, const QString &label, const char *name);

    UnitSession *session;
    UnitStatus *status;
    UnitStatusSummary *summary = nullptr;
    QTimer *redrawTimer;
    UnitLastSeen *lastSeen;
    UnitRegister *unitRegister = nullptr;
    QPushButton *historyButton;
    // Open while it shows; closed when the register it reads is replaced.
    QPointer<UnitHistoryDialog> history;
    bool stale = true;

    QGroupBox *gpsBox;
    QLabel *gpsTime;
    QLabel *gpsFix;
    QLabel *gpsSatellites;
    QLabel *gpsPosition;
    QLabel *gpsMotion;
    SatelliteBars *satelliteBars;
    QPlainTextEdit *gpsTexts;

    QLabel *reportMmsi;
    QLabel *reportName;
    QLabel *reportPosition;
    QLabel *reportOffPosition;
    QLabel *reportRacon;
    QLabel *reportLight;
    QLabel *reportHealth;
    QLabel *reportVirtual;
    QLabel *reportTime;
    QLabel *reportInterval;

    OffPositionView *offPositionView;
    QLabel *offPositionGps;
    QLabel *offPositionReport;
    QLabel *offPositionWarning;

    QTableWidget *alarmTable;
    QPlainTextEdit *unitTexts;

    QLabel *batteryValue;
    QLabel *batteryNote;
    QPushButton *batteryRefresh;

    // What the lists show, so that they are only added to.
    quint64 shownGeneration = ~quint64(0);
    quint64 shownAlarms = ~quint64(0);
    quint64 shownGpsTexts = 0;
    quint64 shownUnitTexts = 0;
    QDateTime shownBatteryTime;
};

#endif // UNITSTATUSTAB_H
