#ifndef REALATONTAB_H
#define REALATONTAB_H

#include "atonconfiguration.h"
#include "model/fieldranges.h"

#include <QHash>
#include <QVariant>

class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class MessageScheduleControls;
class PositionSurveyButton;
class UnitStatus;
class AisValidator;
class NumberBox;

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
    // none); its changes refresh the table and mark the tab edited.  The
    // caller deletes the menu.
    QMenu *CreateScheduleMenu(int tableRow);

    // One line per field whose input cannot be sent or saved, naming the
    // field and why; the same fields are framed in red with the reason as
    // tool tip.
    QStringList InputProblems() const override;
    QStringList UnheldInput() const override;

    // Whether the position may go as it is: when the unit would be told that
    // its position is not available, only after the engineer agrees to a box
    // that says so.
    bool ConfirmPositionToSend();
    // Whether the schedule may go: a send that would switch the unit's
    // off-position report off goes only after the engineer agrees to a box
    // that says so.
    bool ConfirmScheduleToSend();
    // The status of the unit on the line, whose fixes the survey of the
    // nominal position averages; null: none.
    void SetUnitStatus(const UnitStatus *status);

signals:
    void offPositionSelection(bool selected);

public slots:
    void EvalulateMMSIValidity(QString text);
    void EvaluateOffPositionThresholdValidity(int i);
    void OnVersion(QString version);
    void OnProductSerialNumber(QString version);
    void OnBatteryVoltage(QString voltage);
    // The link has ended: what the last unit reported about itself goes.
    void ForgetUnit();

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
    void on_spinBoxOffPositionThreshold_valueChanged(double value);
    void on_RACONFittedCheckBox_stateChanged(int state);
    void on_spinBoxDimensionA_valueChanged(double value);
    void on_spinBoxDimensionB_valueChanged(double value);
    void on_spinBoxDimensionC_valueChanged(double value);
    void on_spinBoxDimensionD_valueChanged(double value);

private:
    void FillLists();
    // A warning box: what the send would do, the question, and the button
    // that sends all the same (Cancel is the default); true for that button.
    bool AskToSend(const QString &what, const QString &question, const QString &sendText);
    // Announces the edit and stores the tab into its own model.
    void MarkEdited();
    void SetDimensionsTitle(const QString &title);
    void ApplyFixedLayout();
    void ApplyFloatingLayout();
    void ApplyDimensionEnabling();
    // The range the unit's settings usually keep to, offered for typing.
    void UseDimensionRange(NumberBox *box, FieldRanges::Field field);
    // A surveyed position has a chosen accuracy and cannot float.
    void ApplyEpfs(bool surveyed);
    // Enables or disables the floating types (20 to 31) of the type list.
    void EnableFloatingTypes(bool enable);
    void ShowPosition();
    // The survey box; its mean, when taken, becomes the nominal position.
    // Frames `field` and gives it `problem` as tool tip, or, for an empty
    // problem, takes both back.
    void SetInputProblem(QLineEdit *field, const QString &problem);
    // Why the name in the name field cannot be sent; empty when it can.
    QString NameProblem() const;
    // The name's problem mark and the characters left for it.
    void ShowNameState();
    // What the name field dropped from the text put in: why, shown by the field.
    void OnNameRefused(const QString &why);
    // The latitude or longitude field: the stored coordinate in the degrees,
    // minutes and seconds form (withText), with the decimal forms as its tool
    // tip.
    void ShowCoordinate(QLineEdit *field, bool withText);
    // Stores what is typed in the latitude or longitude field at once; on
    // leaving the field, shows it again in its full form.
    void StoreTypedCoordinate(QLineEdit *field, bool leaving);
    // InputProblems, or only those of fields whose text differs from what
    // the model holds.
    QStringList Problems(bool unheldOnly) const;
    // The reasons beside the number fields that hold a number they cannot take.
    void ShowNumberProblems();
    // A number field's edit: stored when it can be taken.
    void NumberEdited(NumberBox *box, int stored);
    // Text typed in the position fields with the language's decimal mark, as
    // the position reader takes it, and the reader's text as shown.
    QString TypedNumbers(const QString &text) const;
    QString ShownNumbers(const QString &text) const;
    static void SelectByCode(QComboBox *comboBox, int code);
    static int CurrentCode(const QComboBox *comboBox);

    Ui::RealAtoNTab *ui;
    bool suppressTypeSlot = false;
    bool suppressEpfsSlot = false;
    MessageScheduleControls *scheduleControls = nullptr;
    AisValidator *nameValidator = nullptr;
    QLabel *thresholdProblem = nullptr;
    QLabel *dimensionProblem = nullptr;
    PositionSurveyButton *surveyButton = nullptr;
    // Field -> why its input cannot be sent.
    QHash<const QLineEdit *, QString> inputProblems;
    // The coordinates last shown in the latitude and longitude fields.
    QHash<const QLineEdit *, double> shownCoordinates;
    // Tool tips of the fields without a problem.
    QHash<const QLineEdit *, QString> plainToolTips;
};

#endif // REALATONTAB_H
