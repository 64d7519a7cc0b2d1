#ifndef FLEETVIEW_H
#define FLEETVIEW_H

#include <QHash>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <memory>

class BatchRecord;
class FleetPlan;
class FleetRun;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTableWidget;
class UnitLink;
class UnitRegister;

// A commissioning bench in the window: a template and a unit table loaded
// and checked, every table row with its state, every docked unit on every
// port (each on a session of its own), and the commissioning of all of them
// or of one chosen row on one chosen unit. The same plan, run and records as
// `vandrel-cli commission`.
class FleetView : public QWidget
{
    Q_OBJECT

public:
    // Makes the link to a unit on a port; the view owns it.
    using LinkMaker = std::function<UnitLink *(const QString &port, QObject *parent)>;
    // Lists the ports on which units may be docked, with those the engineer
    // named.
    using PortLister = std::function<QStringList(const QStringList &named)>;

    FleetView(LinkMaker makeLink, PortLister listPorts, const QString &engineer,
              QWidget *parent = nullptr);
    ~FleetView() override;

    // The folder of the records the last run wrote, for a test or a caller.
    QString RecordsFolder() const;
    // The register runs from now on ask and write (not owned; null: none).
    void SetRegister(UnitRegister *unitRegister);

private:
    enum RowColumn
    {
        LineColumn,
        MmsiColumn,
        NameColumn,
        SerialColumn,
        StateColumn,
        RowColumnCount
    };
    enum UnitColumn
    {
        PortColumn,
        UnitSerialColumn,
        UnitMmsiColumn,
        UnitStateColumn,
        UnitColumnCount
    };

    void LoadPlan();
    void FindUnits();
    // Opens a link on each port listed; with onlyNew, on those that have
    // none yet (an adapter just plugged in).
    void LookAtPorts(bool onlyNew);
    QStringList NamedPorts() const;
    void CommissionAll();
    // The chosen row on the chosen unit; a row the register says is another
    // unit's goes only once the engineer has said so in a box.
    void CommissionChosen();
    // What the run is to do on each unit from now on, as the view is set.
    void ApplyChoices();
    void OpenRecord();
    // Starts a run over the plan; false (and says why) when the records
    // folder cannot be used.
    bool StartRun();
    // batch-DATE.pdf in the records folder: a line per row, then each
    // unit's record, as `vandrel-cli commission` ends its runs.
    void WriteBatchRecord();
    void ShowRow(int row);
    void ShowUnit(UnitLink *link, const QString &state);
    void UpdateButtons();
    QLineEdit *PathField(const QString &name, const QString &placeholder, bool folder);

    LinkMaker makeLink;
    PortLister listPorts;
    QLineEdit *templateField;
    QLineEdit *tableField;
    QLineEdit *recordsField;
    QLineEdit *engineerField;
    QLineEdit *portsField;
    QCheckBox *onAirBox;
    QPlainTextEdit *problems;
    QTableWidget *rows;
    QTableWidget *units;
    QPushButton *loadButton;
    QPushButton *findButton;
    QPushButton *allButton;
    QPushButton *chosenButton;
    QPushButton *recordButton;
    QLabel *summary;
    std::unique_ptr<FleetPlan> plan;
    FleetRun *run = nullptr;
    // The run's records, kept for its batch record.
    std::unique_ptr<BatchRecord> batch;
    QPointer<UnitRegister> unitRegister;
    QList<UnitLink *> links;
    // The engineer has looked for units: adapters plugged in later are
    // looked at by themselves.
    bool finding = false;
};

#endif // FLEETVIEW_H
