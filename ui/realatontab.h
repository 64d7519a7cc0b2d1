#ifndef REALATONTAB_H
#define REALATONTAB_H

#include "atonconfiguration.h"

#include <QVariant>

class QComboBox;
class QLineEdit;
class QMenu;
class MessageScheduleDelegate;
class MessageScheduleTableModel;

namespace Ui {
class RealAtoNTab;
}

// Tab 0 of the main window: the AtoN record of the model (identity, position,
// channels, RACON, dimensions) and its message schedule, with the rules that
// tie the type of AtoN, the type of EPFS, the position accuracy and the
// dimension layout together.  Also shows what the unit reports about itself
// (software version, serial number, battery voltage).
class RealAtoNTab : public AtoNConfiguration
{
    Q_OBJECT

public:
    // Item data of the position fixing types and accuracies.
    enum EpfsCodes
    {
        EpfsAutonomous = 1,
        EpfsSurveyed = 7
    };
    // Type of AtoN that disables the dimensions.
    static constexpr int ReferencePointType = 1;
    // A threshold below this risks spurious off-position reports.
    static constexpr int LowestQuietThreshold = 20;

    explicit RealAtoNTab(Model *model, QWidget *parent = nullptr);
    ~RealAtoNTab() override;

    bool UpdateTabFromModel(Model *model) override;
    bool UpdateModelFromTab(Model *model) override;

    // The context menu of the schedule table for table row `tableRow` (-1 for
    // none); its changes refresh the table and mark the tab edited.  The menu
    // is a child of the tab; the caller deletes it.
    QMenu *CreateScheduleMenu(int tableRow);

    // Texts of the channel list items, e.g. "CH1001 ( 156.050MHz )".
    static QString ChannelText(int channel);

signals:
    void offPositionSelection(bool selected);

public slots:
    void EvalulateMMSIValidity(QString text);
    void enableComboBoxItem(QComboBox *comboBox, QVariant findItem, bool enableFlag);
    void EvaluateOffPositionThresholdValidity(int i);
    void OnVersion(QString version);
    void OnProductSerialNumber(QString version);
    void OnBatteryVoltage(QString voltage);
    void OnDelegateEdited();

private slots:
    void on_lineMMSI_textEdited(QString text);
    void on_lineMMSI_textChanged(QString text);
    void on_lineName_textEdited(QString text);
    void on_comboTypeOfAtoN_currentIndexChanged(int index);
    void on_comboTypeOfEPFS_currentIndexChanged(int index);
    void on_lineLatitude_textEdited(QString text);
    void on_lineLatitude_editingFinished();
    void on_lineLongitude_textEdited(QString text);
    void on_lineLongitude_editingFinished();
    void on_comboPositionAccuracy_currentIndexChanged(int index);
    void on_comboChannel1_currentIndexChanged(int index);
    void on_comboChannel2_currentIndexChanged(int index);
    void on_spinBoxOffPositionThreshold_valueChanged(int i);
    void on_RACONFittedCheckBox_stateChanged(int state);
    void on_spinBoxDimensionA_valueChanged(int i);
    void on_spinBoxDimensionB_valueChanged(int i);
    void on_spinBoxDimensionC_valueChanged(int i);
    void on_spinBoxDimensionD_valueChanged(int i);
    void OnScheduleContextMenu(const QPoint &position);
    void OnScheduleChanged();

private:
    void FillLists();
    // Announces the edit and stores the tab into its own model.
    void MarkEdited();
    void ApplyFixedLayout();
    void ApplyFloatingLayout();
    void ApplyDimensionEnabling();
    // Enables or disables the floating types (20 to 31) of the type list.
    void EnableFloatingTypes(bool enable);
    void ShowPosition();
    // The latitude or longitude field: the stored coordinate in the degrees,
    // minutes and seconds form, with the decimal forms as its tool tip.
    void ShowCoordinate(QLineEdit *field);
    // Stores what is typed in the latitude or longitude field at once; on
    // leaving the field, shows it again in its full form.
    void StoreTypedCoordinate(QLineEdit *field, bool leaving);
    static void SelectByCode(QComboBox *comboBox, int code);
    static int CurrentCode(const QComboBox *comboBox);

    Ui::RealAtoNTab *ui;
    bool suppressTypeSlot = false;
    bool suppressEpfsSlot = false;
    MessageScheduleTableModel *scheduleTableModel = nullptr;
    MessageScheduleDelegate *scheduleDelegate = nullptr;
};

#endif // REALATONTAB_H
