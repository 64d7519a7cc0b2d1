#include "realatontab.h"
#include "ui_realatontab.h"

#include "aisvalidator.h"
#include "atongrouparrangement.h"
#include "comboboxitems.h"
#include "drawnpixmap.h"
#include "messageschedulecontrols.h"
#include "model/codetexts.h"
#include "model/fieldranges.h"
#include "model/mmsiplausibility.h"
#include "model/model.h"
#include "positionsurveybutton.h"
#include "sentences/atonsentenceace.h"

#include <QGuiApplication>
#include <QMessageBox>
#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <QToolTip>

namespace {

constexpr int FirstFloatingType = 20;
constexpr int LastFloatingType = 31;

QString PositionToolTip(double degrees, const QString &degreesAndMinutes)
{
    return QString::number(degrees, 'f', 4) + QLatin1Char('\n') + degreesAndMinutes;
}

QLabel *ProblemLabel(QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setStyleSheet(QStringLiteral("color: #d00000;"));
    label->hide();
    return label;
}

// Longest escaped name that the name continuation sentence has room for.
int NameRoom()
{
    static const int room = []() {
        AtoN aton;
        aton.GetAtoNMMSI()->SetNewMmsi(QStringLiteral("000000000"));
        aton.SetName(QString());
        AtoNSentenceACE continuation(&aton, nullptr);
        return ParsedSentence::MaxLength - continuation.Encode(1, nullptr).size();
    }();
    return room;
}

} // namespace

RealAtoNTab::RealAtoNTab(Model *model, QWidget *parent)
    : AtoNConfiguration(model, parent), ui(new Ui::RealAtoNTab)
{
    ui->setupUi(this);
    new AtoNGroupArrangement(ui->scrollAreaRealAtoN, ui->gridLayoutRealAtoN,
                             {ui->groupBoxIdentification, ui->horizontalLayoutRadioRacon,
                              ui->groupBoxNominalPosition, ui->groupBoxUnit,
                              ui->groupBoxAtoNDimensions, ui->groupBoxMessageSchedule},
                             this);
    // Filling the lists selects their first items, and the slots are already
    // connected: without `updating` they would store those items, and every
    // empty widget with them, over the model before it is ever shown.
    updating = true;
    FillLists();

    ui->labelOffPositionFeedback->hide();
    ui->labelOffPositionFeedback->raise();
    ui->labelOffPositionFeedback->resize(16, 16);
    const QPixmap warning = DrawnPixmap(QStringLiteral(":/Images/messagebox_warning.png"),
                                        QSize(16, 16), ui->labelOffPositionFeedback);
    if (!warning.isNull()) {
        ui->labelOffPositionFeedback->setScaledContents(false);
        ui->labelOffPositionFeedback->setPixmap(warning);
    }
    // The dimension boxes sit at fixed places on the drawing; with a larger
    // font they grow from there rather than cut their digits off.
    ui->spinBoxOffPositionThreshold->SetUsualRange(
        FieldRanges::UsualMinimum(FieldRanges::OffPositionThreshold),
        FieldRanges::UsualMaximum(FieldRanges::OffPositionThreshold));
    UseDimensionRange(ui->spinBoxDimensionB, FieldRanges::DimensionB);
    UseDimensionRange(ui->spinBoxDimensionC, FieldRanges::DimensionC);
    UseDimensionRange(ui->spinBoxDimensionD, FieldRanges::DimensionD);
    for (NumberBox *box : {ui->spinBoxDimensionA, ui->spinBoxDimensionB, ui->spinBoxDimensionC,
                           ui->spinBoxDimensionD})
        box->resize(box->size().expandedTo(box->sizeHint()));
    // Why a typed number is not taken, beside its field.
    thresholdProblem = ProblemLabel(this);
    thresholdProblem->setObjectName(QStringLiteral("labelThresholdProblem"));
    ui->horizontalLayoutThreshold->insertWidget(2, thresholdProblem);
    dimensionProblem = ProblemLabel(ui->groupBoxAtoNDimensions);
    dimensionProblem->setObjectName(QStringLiteral("labelDimensionProblem"));
    dimensionProblem->setWordWrap(true);
    for (NumberBox *box : {ui->spinBoxOffPositionThreshold, ui->spinBoxDimensionA,
                           ui->spinBoxDimensionB, ui->spinBoxDimensionC, ui->spinBoxDimensionD})
        connect(box, &NumberBox::ProblemChanged, this, &RealAtoNTab::ShowNumberProblems);
    surveyButton =
        new PositionSurveyButton([this] { return this->model->GetAtoN()->OffPositionThreshold(); },
                                 ui->groupBoxNominalPosition);
    ui->gridLayoutNominalPosition->addWidget(surveyButton, 2, 2);
    // In the Tab round where it stands: after the accuracy, before the threshold.
    setTabOrder(ui->comboPositionAccuracy, surveyButton);
    setTabOrder(surveyButton, ui->spinBoxOffPositionThreshold);
    connect(surveyButton, &PositionSurveyButton::Accepted, this, [this](double lat, double lon) {
        GeoPosition *position = this->model->GetAtoN()->GetPosition();
        position->SetLatitude(lat);
        position->SetLongitude(lon);
        ShowPosition();
        MarkEdited();
    });
    ui->MMSIValidationWarningLabel->show();
    // Room for a unit's version and serial number before there is one, so the
    // page's columns stay where they are when a unit connects or goes.
    ui->labelVersion->setMinimumWidth(
        ui->labelVersion->fontMetrics().horizontalAdvance(QStringLiteral("0.00AT.0000")));
    updating = false;

    ui->lineMMSI->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("(?!000000000)([0-9]{9,9})")), this));
    nameValidator = new AisValidator(AtoN::MaxNameLength, NameRoom(), this);
    ui->lineName->setValidator(nameValidator);
    connect(nameValidator, &AisValidator::Refused, this, &RealAtoNTab::OnNameRefused);
    for (const QLineEdit *field : {ui->lineMMSI, ui->lineName})
        plainToolTips.insert(field, field->toolTip());
    suppressTypeSlot = false;
    suppressEpfsSlot = false;
    ui->RACONFittedCheckBox->setChecked(false);

    scheduleControls = new MessageScheduleControls(
        this->model->GetMessageSchedule(), ui->tableSchedules, ui->pushButtonAddMessage,
        ui->pushButtonRemoveMessage, ui->labelSlotClash, this);
    connect(scheduleControls, &MessageScheduleControls::Edited, this, &RealAtoNTab::MarkEdited);

    UpdateTabFromModel(nullptr);
}

RealAtoNTab::~RealAtoNTab()
{
    DisconnectChildren();
    delete ui;
}

void RealAtoNTab::FillLists()
{
    // The lists offer exactly the codes the command line and the records name,
    // in their words.
    for (int code = 0; code <= LastFloatingType; ++code) {
        const QString text = CodeTexts::TypeOfAtoN(code);
        if (!text.isEmpty())
            ui->comboTypeOfAtoN->addItem(text, code);
    }

    ui->comboTypeOfEPFS->addItem(tr("Autonomous"), int(EpfsAutonomous));
    ui->comboTypeOfEPFS->addItem(tr("Surveyed"), int(EpfsSurveyed));

    ui->comboPositionAccuracy->addItem(tr("> 10 m"), 0);
    ui->comboPositionAccuracy->addItem(tr("< 10 m"), 1);

    for (int channel = 1000; channel <= 2999; ++channel) {
        const QString text = CodeTexts::Channel(channel);
        if (text.isEmpty())
            continue;
        ui->comboChannel1->addItem(text, channel);
        ui->comboChannel2->addItem(text, channel);
    }
}

void RealAtoNTab::SelectByCode(QComboBox *comboBox, int code)
{
    comboBox->setCurrentIndex(comboBox->findData(code));
}

int RealAtoNTab::CurrentCode(const QComboBox *comboBox)
{
    // No current item gives an invalid variant, which is 0.
    return comboBox->currentData().toInt();
}

void RealAtoNTab::MarkEdited()
{
    emit Edited(this);
    UpdateModelFromTab(nullptr);
}

bool RealAtoNTab::UpdateModelFromTab(Model *target)
{
    AtoN *aton = (target ? target : model)->GetAtoN();
    aton->GetAtoNMMSI()->SetNewMmsi(ui->lineMMSI->text());
    aton->GetAtoNMMSI()->SetAidFlag(true);
    aton->SetName(ui->lineName->text());
    aton->SetTypeOfAtoN(CurrentCode(ui->comboTypeOfAtoN));
    aton->SetTypeOfEPFS(CurrentCode(ui->comboTypeOfEPFS));
    // The position is stored while it is typed, and only when understood.
    if (aton != model->GetAtoN())
        *aton->GetPosition() = *model->GetAtoN()->GetPosition();
    aton->SetPositionAccuracy(CurrentCode(ui->comboPositionAccuracy));
    aton->SetRacon(ui->RACONFittedCheckBox->isChecked());
    aton->SetChannel1(CurrentCode(ui->comboChannel1));
    aton->SetChannel2(CurrentCode(ui->comboChannel2));
    // A number field that cannot take its text leaves the number stored before.
    const AtoN *own = model->GetAtoN();
    const auto number = [](const NumberBox *box, int stored) {
        return box->Problem().isEmpty() ? qRound(box->value()) : stored;
    };
    aton->SetOffPositionThreshold(
        number(ui->spinBoxOffPositionThreshold, own->OffPositionThreshold()));
    aton->SetDimensionA(number(ui->spinBoxDimensionA, own->DimensionA()));
    aton->SetDimensionB(number(ui->spinBoxDimensionB, own->DimensionB()));
    aton->SetDimensionC(number(ui->spinBoxDimensionC, own->DimensionC()));
    aton->SetDimensionD(number(ui->spinBoxDimensionD, own->DimensionD()));
    return true;
}

void RealAtoNTab::SetUnitStatus(const UnitStatus *status)
{
    surveyButton->SetUnitStatus(status);
}

void RealAtoNTab::ShowPosition()
{
    ShowCoordinate(ui->lineLatitude, true);
    ShowCoordinate(ui->lineLongitude, true);
}

void RealAtoNTab::ShowCoordinate(QLineEdit *field, bool withText)
{
    const GeoPosition *position = model->GetAtoN()->GetPosition();
    const bool latitude = field == ui->lineLatitude;
    if (withText) {
        field->setText(ShownNumbers(latitude ? position->LatitudeDms() : position->LongitudeDms()));
        shownCoordinates.insert(field, latitude ? position->Latitude() : position->Longitude());
    }
    plainToolTips.insert(
        field,
        ShownNumbers(latitude ? PositionToolTip(position->Latitude(), position->LatitudeDm())
                              : PositionToolTip(position->Longitude(), position->LongitudeDm())));
    SetInputProblem(field, QString());
}

QString RealAtoNTab::ShownNumbers(const QString &text) const
{
    // The position texts hold no point but the decimal ones.
    QString shown = text;
    return shown.replace(QLatin1String("."), QString(locale().decimalPoint()));
}

QString RealAtoNTab::TypedNumbers(const QString &text) const
{
    // The language's decimal mark, and a point as well: a position has no
    // thousands to be told from its decimals.
    QString typed = text;
    return typed.replace(QString(locale().decimalPoint()), QLatin1String("."));
}

void RealAtoNTab::SetInputProblem(QLineEdit *field, const QString &problem)
{
    if (problem.isEmpty()) {
        inputProblems.remove(field);
        field->setStyleSheet(QString());
        field->setToolTip(plainToolTips.value(field));
    } else {
        inputProblems.insert(field, problem);
        field->setStyleSheet(QStringLiteral("QLineEdit { border: 2px solid #d00000; }"));
        field->setToolTip(problem);
    }
}

QStringList RealAtoNTab::InputProblems() const
{
    return Problems(false);
}

QStringList RealAtoNTab::UnheldInput() const
{
    return Problems(true);
}

QStringList RealAtoNTab::Problems(bool unheldOnly) const
{
    // The MMSI and the name are held as typed, so a file keeps them as shown.
    const QPair<const QLineEdit *, QString> fields[] = {
        {unheldOnly ? nullptr : ui->lineMMSI, ui->labelMMSI->text()},
        {unheldOnly ? nullptr : ui->lineName, ui->labelName->text()},
        {ui->lineLatitude, ui->labelLatitude->text()},
        {ui->lineLongitude, ui->labelLongitude->text()}};
    QStringList lines;
    for (const auto &field : fields) {
        const QString problem = inputProblems.value(field.first);
        if (!problem.isEmpty())
            lines.append(tr("%1 %2").arg(field.second, problem.section(QLatin1Char('\n'), 0, 0)));
    }
    const QPair<const NumberBox *, QString> numbers[] = {
        {ui->spinBoxOffPositionThreshold, ui->labelThreshold->text()},
        {ui->spinBoxDimensionA, tr("Dimension A:")},
        {ui->spinBoxDimensionB, tr("Dimension B:")},
        {ui->spinBoxDimensionC, tr("Dimension C:")},
        {ui->spinBoxDimensionD, tr("Dimension D:")}};
    for (const auto &number : numbers) {
        // A hidden dimension is not sent.
        const QString problem =
            number.first->isVisibleTo(this) ? number.first->Problem() : QString();
        if (!problem.isEmpty())
            lines.append(tr("%1 %2").arg(number.second, problem));
    }
    // A schedule cell whose editor stands open with a refused number.
    return lines + scheduleControls->InputProblems();
}

bool RealAtoNTab::ConfirmPositionToSend()
{
    const GeoPosition *position = model->GetAtoN()->GetPosition();
    // !(x <= limit) rather than x > limit, so that NaN counts as not available.
    const bool noLatitude = !(position->Latitude() <= 90.0);
    const bool noLongitude = !(position->Longitude() <= 180.0);
    if (!noLatitude && !noLongitude)
        return true;
    const QString what = noLatitude && noLongitude ? tr("The nominal position is not available.")
                         : noLatitude              ? tr("The nominal latitude is not available.")
                                                   : tr("The nominal longitude is not available.");
    return AskToSend(what,
                     tr("The unit will be told that it has no nominal position and will report "
                        "its position as not available. Send it so?"),
                     tr("Send as not available"));
}

bool RealAtoNTab::ConfirmScheduleToSend()
{
    const QString reportWarning = model->GetMessageSchedule()->ReportSwitchOffWarning();
    if (reportWarning.isEmpty())
        return true;
    return AskToSend(reportWarning,
                     tr("Use the schedule's menu to switch the report on, or to leave it as the "
                        "unit holds it. Send it switched off?"),
                     tr("Send with the report off"));
}

bool RealAtoNTab::AskToSend(const QString &what, const QString &question, const QString &sendText)
{
    QMessageBox box(QMessageBox::Warning, QGuiApplication::applicationDisplayName(), what,
                    QMessageBox::Cancel, this);
    box.setInformativeText(question);
    const QAbstractButton *send = box.addButton(sendText, QMessageBox::AcceptRole);
    box.setDefaultButton(QMessageBox::Cancel);
    box.exec();
    return box.clickedButton() == send;
}

void RealAtoNTab::ShowNameState()
{
    SetInputProblem(ui->lineName, NameProblem());
    const QString name = ui->lineName->text();
    const int left =
        qMin(nameValidator->MaximumLength() - name.size(),
             nameValidator->MaximumEncodedLength() - AisValidator::EncodedLength(name));
    ui->labelNameRoom->setText(tr("%1 left").arg(qMax(left, 0)));
}

void RealAtoNTab::OnNameRefused(const QString &why)
{
    if (!updating && ui->lineName->hasFocus())
        QToolTip::showText(ui->lineName->mapToGlobal(ui->lineName->rect().bottomLeft()), why,
                           ui->lineName);
}

QString RealAtoNTab::NameProblem() const
{
    const QString name = ui->lineName->text();
    for (const QChar c : name) {
        if (!AisValidator::InSet(c))
            return tr("\"%1\" cannot be sent: a name holds capitals, digits, blanks and the "
                      "signs of the AIS character set.")
                .arg(c);
    }
    if (name.size() > AtoN::MaxNameLength)
        return tr("too long: %1 characters, %2 at most.").arg(name.size()).arg(AtoN::MaxNameLength);
    const int encoded = AisValidator::EncodedLength(name);
    if (encoded > nameValidator->MaximumEncodedLength())
        return tr("too long to send: %1 characters once the reserved characters ($*,!\\^~) are "
                  "sent as three, %2 at most.")
            .arg(encoded)
            .arg(nameValidator->MaximumEncodedLength());
    return QString();
}

bool RealAtoNTab::UpdateTabFromModel(Model *source)
{
    if (source)
        *model->GetAtoN() = *source->GetAtoN();
    const AtoN *aton = model->GetAtoN();

    updating = true;
    ui->lineMMSI->setText(aton->GetAtoNMMSI()->NewMmsi());
    nameValidator->SetMending(false);
    ui->lineName->setText(aton->Name());
    nameValidator->SetMending(true);
    ShowNameState();
    SelectByCode(ui->comboTypeOfAtoN, aton->TypeOfAtoN());
    SelectByCode(ui->comboTypeOfEPFS, aton->TypeOfEPFS());
    ShowPosition();
    SelectByCode(ui->comboPositionAccuracy, aton->PositionAccuracy());
    ui->RACONFittedCheckBox->setChecked(aton->Racon());
    SelectByCode(ui->comboChannel1, aton->Channel1());
    SelectByCode(ui->comboChannel2, aton->Channel2());
    ui->spinBoxOffPositionThreshold->Load(aton->OffPositionThreshold());
    EvaluateOffPositionThresholdValidity(aton->OffPositionThreshold());

    if (AtoN::IsFixedAtoNType(aton->TypeOfAtoN())) {
        suppressEpfsSlot = true;
        ComboBoxItems::SetEnabled(ui->comboTypeOfEPFS, int(EpfsSurveyed), true);
        suppressEpfsSlot = false;
        ApplyFixedLayout();
    } else {
        suppressEpfsSlot = true;
        ComboBoxItems::SetEnabled(ui->comboTypeOfEPFS, int(EpfsSurveyed), false);
        suppressEpfsSlot = false;
        ApplyFloatingLayout();
    }
    ui->spinBoxDimensionA->Load(aton->DimensionA());
    ui->spinBoxDimensionB->Load(aton->DimensionB());
    ui->spinBoxDimensionC->Load(aton->DimensionC());
    ui->spinBoxDimensionD->Load(aton->DimensionD());
    ShowNumberProblems();

    ApplyEpfs(aton->TypeOfEPFS() == EpfsSurveyed);

    updating = false;
    ApplyDimensionEnabling();

    if (source)
        *model->GetMessageSchedule() = *source->GetMessageSchedule();
    scheduleControls->Refresh();
    return true;
}

void RealAtoNTab::EnableFloatingTypes(bool enable)
{
    for (int code = FirstFloatingType; code <= LastFloatingType; ++code) {
        suppressTypeSlot = true;
        ComboBoxItems::SetEnabled(ui->comboTypeOfAtoN, code, enable);
        suppressTypeSlot = false;
    }
}

void RealAtoNTab::SetDimensionsTitle(const QString &title)
{
    ui->groupBoxAtoNDimensions->setTitle(title);
    // The drawing needs 272 pixels square; a longer title (in German, say)
    // widens the box.
    ui->groupBoxAtoNDimensions->setMinimumWidth(
        qMax(272, ui->groupBoxAtoNDimensions->minimumSizeHint().width()));
}

void RealAtoNTab::ApplyFixedLayout()
{
    SetDimensionsTitle(tr("AtoN Dimensions (Fixed)"));
    ui->labelDimensionsDrawing->move(70, 5);
    ui->labelDimensionsDrawing->resize(170, 225);
    const QPixmap drawing = DrawnPixmap(QStringLiteral(":/Images/SmallFixedDimensions.png"),
                                        QSize(170, 225), ui->labelDimensionsDrawing);
    ui->labelDimensionsDrawing->setPixmap(drawing);
    ui->spinBoxDimensionA->move(10, 50);
    for (NumberBox *box : {ui->spinBoxDimensionA, ui->spinBoxDimensionB, ui->spinBoxDimensionC,
                           ui->spinBoxDimensionD}) {
        box->show();
        box->raise();
    }
    UseDimensionRange(ui->spinBoxDimensionA, FieldRanges::DimensionA);
}

void RealAtoNTab::ApplyFloatingLayout()
{
    SetDimensionsTitle(tr("AtoN Dimensions (Floating)"));
    ui->labelDimensionsDrawing->move(20, 20);
    ui->labelDimensionsDrawing->resize(181, 181);
    const QPixmap drawing = DrawnPixmap(QStringLiteral(":/Images/SmallFloatingDimensions.png"),
                                        QSize(181, 181), ui->labelDimensionsDrawing);
    ui->labelDimensionsDrawing->setPixmap(drawing);
    ui->spinBoxDimensionA->move(40, 82);
    ui->spinBoxDimensionA->show();
    ui->spinBoxDimensionA->raise();
    ui->spinBoxDimensionB->hide();
    ui->spinBoxDimensionC->hide();
    ui->spinBoxDimensionD->hide();
    UseDimensionRange(ui->spinBoxDimensionA, FieldRanges::FloatingDimension);
}

void RealAtoNTab::UseDimensionRange(NumberBox *box, FieldRanges::Field field)
{
    const int lowest = FieldRanges::UsualMinimum(field);
    const int highest = FieldRanges::UsualMaximum(field);
    box->SetUsualRange(lowest, highest);
    box->setToolTip(tr("Enter the AtoN Dimension in metres (%1-%2)").arg(lowest).arg(highest));
}

void RealAtoNTab::ApplyDimensionEnabling()
{
    const bool enable = CurrentCode(ui->comboTypeOfAtoN) != ReferencePointType;
    for (NumberBox *box : {ui->spinBoxDimensionA, ui->spinBoxDimensionB, ui->spinBoxDimensionC,
                           ui->spinBoxDimensionD})
        box->setEnabled(enable);
}

void RealAtoNTab::EvalulateMMSIValidity(QString text)
{
    int position = 0;
    const QValidator *validator = ui->lineMMSI->validator();
    const bool acceptable =
        validator && validator->validate(text, position) == QValidator::Acceptable;
    // A valid MMSI of another form (a ship's, say) or of a MID no country
    // holds may be sent, with a warning.
    const QString implausible = acceptable ? MmsiPlausibility::MmsiWarning(text) : QString();
    using Form = MmsiPlausibility::Form;
    const Form form = MmsiPlausibility::FormOf(text);
    const bool atonForm =
        form == Form::PhysicalAtoN || form == Form::VirtualAtoN || form == Form::MobileAtoN;
    QLabel *warning = ui->MMSIValidationWarningLabel;
    warning->setVisible(!acceptable || !implausible.isEmpty());
    // Short, beside the field, so that the columns beside keep their room;
    // what is wrong is in the tool tip.
    warning->setText(!acceptable ? tr("MMSI is not valid")
                     : atonForm  ? tr("MID of no country")
                                 : tr("Not an AtoN MMSI"));
    warning->setToolTip(acceptable ? implausible
                                   : tr("An MMSI is nine digits, not all of them 0."));
    warning->setStyleSheet(acceptable ? QStringLiteral("color: #a05000;")
                                      : QStringLiteral("color: #ff0000;"));
    SetInputProblem(ui->lineMMSI,
                    acceptable ? QString() : tr("not valid: nine digits, not all of them 0."));
}

void RealAtoNTab::on_lineMMSI_textChanged(QString text)
{
    EvalulateMMSIValidity(text);
}

void RealAtoNTab::on_lineMMSI_textEdited(QString text)
{
    if (updating)
        return;
    EvalulateMMSIValidity(text);
    if (text != model->GetAtoN()->GetAtoNMMSI()->NewMmsi())
        MarkEdited();
}

void RealAtoNTab::on_lineName_textEdited(QString text)
{
    Q_UNUSED(text)
    if (updating)
        return;
    ShowNameState();
    if (ui->lineName->text() != model->GetAtoN()->Name())
        MarkEdited();
}

void RealAtoNTab::on_comboTypeOfAtoN_currentIndexChanged(int index)
{
    if (updating || suppressTypeSlot)
        return;
    const int code = ui->comboTypeOfAtoN->itemData(index).toInt();
    if (code != model->GetAtoN()->TypeOfAtoN())
        MarkEdited();

    const bool fixed = AtoN::IsFixedAtoNType(code);
    suppressEpfsSlot = true;
    ComboBoxItems::SetEnabled(ui->comboTypeOfEPFS, int(EpfsSurveyed), fixed);
    suppressEpfsSlot = false;
    if (fixed)
        ApplyFixedLayout();
    else
        ApplyFloatingLayout();
    ApplyDimensionEnabling();
}

void RealAtoNTab::on_comboTypeOfEPFS_currentIndexChanged(int index)
{
    if (updating || suppressEpfsSlot)
        return;
    const int code = ui->comboTypeOfEPFS->itemData(index).toInt();
    if (code != model->GetAtoN()->TypeOfEPFS())
        MarkEdited();

    ApplyEpfs(code == EpfsSurveyed);
}

void RealAtoNTab::ApplyEpfs(bool surveyed)
{
    ui->comboPositionAccuracy->setEnabled(surveyed);
    EnableFloatingTypes(!surveyed);
}

void RealAtoNTab::on_lineLatitude_textEdited(QString text)
{
    Q_UNUSED(text)
    StoreTypedCoordinate(ui->lineLatitude, false);
}

void RealAtoNTab::on_lineLatitude_editingFinished()
{
    StoreTypedCoordinate(ui->lineLatitude, true);
}

void RealAtoNTab::on_lineLongitude_textEdited(QString text)
{
    Q_UNUSED(text)
    StoreTypedCoordinate(ui->lineLongitude, false);
}

void RealAtoNTab::on_lineLongitude_editingFinished()
{
    StoreTypedCoordinate(ui->lineLongitude, true);
}

void RealAtoNTab::StoreTypedCoordinate(QLineEdit *field, bool leaving)
{
    if (updating)
        return;
    GeoPosition *position = model->GetAtoN()->GetPosition();
    QString problem;
    const bool latitude = field == ui->lineLatitude;
    const QString typed = TypedNumbers(field->text());
    const bool understood = latitude ? position->SetLatitudeText(typed, &problem)
                                     : position->SetLongitudeText(typed, &problem);
    if (!understood) {
        // The text stays for the user to mend; the value is the one shown
        // before, not one that a half-typed text gave on the way.
        const double shown = shownCoordinates.value(field);
        latitude ? position->SetLatitude(shown) : position->SetLongitude(shown);
        const QString forms = ShownNumbers(
            latitude
                ? tr("For example: 50 30 15.5 %1, 50 30.25 %2, -50:30, or _ for not available.")
                      .arg(GeoPosition::tr("N"), GeoPosition::tr("S"))
                : tr("For example: 004 30 15.5 %1, 004 30.25 %2, -4:30, or _ for not "
                     "available.")
                      .arg(GeoPosition::tr("E"), GeoPosition::tr("W")));
        SetInputProblem(field, problem + QLatin1Char('\n') + forms);
    } else {
        ShowCoordinate(field, leaving);
    }
    if (!leaving)
        emit Edited(this);
}

void RealAtoNTab::on_comboPositionAccuracy_currentIndexChanged(int index)
{
    if (updating)
        return;
    if (ui->comboPositionAccuracy->itemData(index).toInt() != model->GetAtoN()->PositionAccuracy())
        MarkEdited();
}

void RealAtoNTab::on_comboChannel1_currentIndexChanged(int index)
{
    if (updating)
        return;
    if (ui->comboChannel1->itemData(index).toInt() != model->GetAtoN()->Channel1())
        MarkEdited();
}

void RealAtoNTab::on_comboChannel2_currentIndexChanged(int index)
{
    if (updating)
        return;
    if (ui->comboChannel2->itemData(index).toInt() != model->GetAtoN()->Channel2())
        MarkEdited();
}

void RealAtoNTab::EvaluateOffPositionThresholdValidity(int i)
{
    ui->labelOffPositionFeedback->setVisible(i < LowestQuietThreshold);
}

void RealAtoNTab::on_spinBoxOffPositionThreshold_valueChanged(double value)
{
    EvaluateOffPositionThresholdValidity(qRound(value));
    NumberEdited(ui->spinBoxOffPositionThreshold, model->GetAtoN()->OffPositionThreshold());
}

void RealAtoNTab::NumberEdited(NumberBox *box, int stored)
{
    if (updating)
        return;
    if (!box->Problem().isEmpty())
        emit Edited(this);
    else if (qRound(box->value()) != stored)
        MarkEdited();
}

void RealAtoNTab::ShowNumberProblems()
{
    const auto show = [](QLabel *label, const QStringList &problems) {
        label->setText(problems.join(QLatin1Char('\n')));
        label->setVisible(!problems.isEmpty());
    };
    const QString threshold = ui->spinBoxOffPositionThreshold->Problem();
    show(thresholdProblem, threshold.isEmpty() ? QStringList() : QStringList{threshold});
    QStringList dimensions;
    const QPair<const NumberBox *, QString> boxes[] = {
        {ui->spinBoxDimensionA, QStringLiteral("A")},
        {ui->spinBoxDimensionB, QStringLiteral("B")},
        {ui->spinBoxDimensionC, QStringLiteral("C")},
        {ui->spinBoxDimensionD, QStringLiteral("D")}};
    for (const auto &box : boxes) {
        const QString problem = box.first->Problem();
        if (!problem.isEmpty())
            dimensions << QStringLiteral("%1: %2").arg(box.second, problem);
    }
    show(dimensionProblem, dimensions);
    const QRect group = ui->groupBoxAtoNDimensions->contentsRect();
    dimensionProblem->setGeometry(group.left() + 6, group.bottom() - 2 - 3 * fontMetrics().height(),
                                  group.width() - 12, 3 * fontMetrics().height());
    dimensionProblem->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
    dimensionProblem->raise();
}

void RealAtoNTab::on_RACONFittedCheckBox_stateChanged(int state)
{
    Q_UNUSED(state)
    if (updating)
        return;
    model->GetAtoN()->SetRacon(ui->RACONFittedCheckBox->isChecked());
    MarkEdited();
}

void RealAtoNTab::on_spinBoxDimensionA_valueChanged(double value)
{
    Q_UNUSED(value)
    NumberEdited(ui->spinBoxDimensionA, model->GetAtoN()->DimensionA());
}

void RealAtoNTab::on_spinBoxDimensionB_valueChanged(double value)
{
    Q_UNUSED(value)
    NumberEdited(ui->spinBoxDimensionB, model->GetAtoN()->DimensionB());
}

void RealAtoNTab::on_spinBoxDimensionC_valueChanged(double value)
{
    Q_UNUSED(value)
    NumberEdited(ui->spinBoxDimensionC, model->GetAtoN()->DimensionC());
}

void RealAtoNTab::on_spinBoxDimensionD_valueChanged(double value)
{
    Q_UNUSED(value)
    NumberEdited(ui->spinBoxDimensionD, model->GetAtoN()->DimensionD());
}

void RealAtoNTab::OnVersion(QString version)
{
    ui->labelVersion->setText(version);
}

void RealAtoNTab::OnProductSerialNumber(QString version)
{
    ui->labelProductSerialNumber->setText(version);
}

void RealAtoNTab::OnBatteryVoltage(QString voltage)
{
    ui->label_battery_voltage->setText(voltage + tr(" mV"));
}

void RealAtoNTab::ForgetUnit()
{
    ui->labelVersion->clear();
    ui->labelProductSerialNumber->clear();
    ui->label_battery_voltage->setText(tr("Unknown"));
}

QMenu *RealAtoNTab::CreateScheduleMenu(int tableRow)
{
    return scheduleControls->CreateMenu(tableRow);
}
