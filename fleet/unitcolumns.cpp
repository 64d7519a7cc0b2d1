#include "fleet/unitcolumns.h"

#include "model/mmsiplausibility.h"
#include "model/model.h"
#include "model/visibletext.h"

#include <QRegularExpression>

#include <cmath>
#include <functional>

namespace {

using Setter = std::function<QString(Model *, const QString &)>;

struct Column
{
    const char *name;
    Setter apply;
};

QString Shown(const QString &text)
{
    return VisibleText::OneLine(text);
}

QString NotANumber(const QString &text)
{
    return UnitColumns::tr("\"%1\" is not a whole number").arg(Shown(text));
}

// The name exactly as the cell holds it, or why a unit could not broadcast
// it: nothing is upper-cased or cut here, so the unit holds what the table says.
QString NameProblem(const QString &text)
{
    if (text.isEmpty())
        return UnitColumns::tr("the name is empty");
    const QString name = Shown(text);
    for (const QChar c : text) {
        if (c == QLatin1Char('\n') || c == QLatin1Char('\r'))
            return UnitColumns::tr("the name \"%1\" holds a line break (a cell of two lines?)")
                .arg(name);
        if (c.category() == QChar::Other_Control || c.category() == QChar::Other_Format)
            return UnitColumns::tr("the name \"%1\" holds the control character %2")
                .arg(name, Shown(QString(c)));
    }
    QString refused;
    bool lowerCase = false;
    for (const QChar c : text) {
        if (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
            lowerCase = true;
        else if (!MmsiPlausibility::Broadcastable(c) && (c.isSurrogate() || !refused.contains(c)))
            refused += c;
    }
    if (!refused.isEmpty())
        return UnitColumns::tr("the name \"%1\" holds %2, which a unit cannot broadcast (names "
                               "take capitals A to Z, digits, space and "
                               "!\"#$%&'()*+,-./:;<=>?[\\]^_)")
            .arg(name, refused);
    if (lowerCase)
        return UnitColumns::tr("the name \"%1\" has small letters, which a unit cannot "
                               "broadcast; write it in capitals: \"%2\"")
            .arg(name, text.toUpper());
    if (text.size() > AtoN::MaxNameLength)
        return UnitColumns::tr("the name has %1 characters, more than the %2 a unit keeps")
            .arg(QString::number(text.size()), QString::number(AtoN::MaxNameLength));
    return QString();
}

template <class Object> Setter Number(Object *(Model::*object)(), void (Object::*set)(int))
{
    return [object, set](Model *model, const QString &text) {
        bool ok = false;
        const int value = text.trimmed().toInt(&ok);
        if (!ok)
            return NotANumber(text);
        ((model->*object)()->*set)(value);
        return QString();
    };
}

Setter Int(void (AtoN::*set)(int))
{
    return Number<AtoN>(&Model::GetAtoN, set);
}

Setter Lantern(void (LanternInterface::*set)(int))
{
    return Number<LanternInterface>(&Model::GetLanternInterface, set);
}

// As show --json writes them, and as a person types them.
bool ReadFlag(const QString &text, bool *value)
{
    const QString word = text.trimmed().toLower();
    if (word == QLatin1String("true") || word == QLatin1String("1") ||
        word == QLatin1String("yes")) {
        *value = true;
        return true;
    }
    if (word == QLatin1String("false") || word == QLatin1String("0") ||
        word == QLatin1String("no")) {
        *value = false;
        return true;
    }
    return false;
}

template <class Object> Setter Flag(Object *(Model::*object)(), void (Object::*set)(bool))
{
    return [object, set](Model *model, const QString &text) {
        bool value = false;
        if (!ReadFlag(text, &value))
            return UnitColumns::tr("\"%1\" is neither true nor false").arg(Shown(text));
        ((model->*object)()->*set)(value);
        return QString();
    };
}

Setter Degrees(double limit, bool latitude)
{
    return [limit, latitude](Model *model, const QString &text) {
        bool ok = false;
        const double value = text.trimmed().toDouble(&ok);
        if (!ok || !std::isfinite(value))
            return UnitColumns::tr("\"%1\" is not a number of degrees").arg(Shown(text));
        if (value < -limit || value > limit)
            return UnitColumns::tr("%1 is outside -%2 to %2 degrees")
                .arg(Shown(text.trimmed()), QString::number(limit));
        GeoPosition *position = model->GetAtoN()->GetPosition();
        if (latitude)
            position->SetLatitude(value);
        else
            position->SetLongitude(value);
        return QString();
    };
}

const QList<Column> &Columns()
{
    static const QList<Column> columns = {
        {"mmsi",
         [](Model *model, const QString &text) {
             static const QRegularExpression shape(QStringLiteral("^(?!000000000)[0-9]{9}$"));
             if (!shape.match(text.trimmed()).hasMatch())
                 return UnitColumns::tr("MMSI \"%1\" is not valid (nine digits, not all zeros)")
                     .arg(Shown(text));
             model->GetAtoN()->GetAtoNMMSI()->SetNewMmsi(text.trimmed());
             return QString();
         }},
        {"name",
         [](Model *model, const QString &text) {
             const QString problem = NameProblem(text);
             if (!problem.isEmpty())
                 return problem;
             model->GetAtoN()->SetName(text);
             return QString();
         }},
        {"latitude", Degrees(90.0, true)},
        {"longitude", Degrees(180.0, false)},
        {"typeOfAtoN", Int(&AtoN::SetTypeOfAtoN)},
        {"typeOfEPFS", Int(&AtoN::SetTypeOfEPFS)},
        {"positionAccuracy", Int(&AtoN::SetPositionAccuracy)},
        {"offPositionThreshold", Int(&AtoN::SetOffPositionThreshold)},
        {"racon", Flag<AtoN>(&Model::GetAtoN, &AtoN::SetRacon)},
        {"channel1", Int(&AtoN::SetChannel1)},
        {"channel2", Int(&AtoN::SetChannel2)},
        {"dimensionA", Int(&AtoN::SetDimensionA)},
        {"dimensionB", Int(&AtoN::SetDimensionB)},
        {"dimensionC", Int(&AtoN::SetDimensionC)},
        {"dimensionD", Int(&AtoN::SetDimensionD)},
        {"acfField14", Int(&AtoN::SetAcfField14)},
        {"aceField5", Int(&AtoN::SetAceField5)},
        {"aceField6", Int(&AtoN::SetAceField6)},
        {"limen", Flag<LanternInterface>(&Model::GetLanternInterface, &LanternInterface::SetLimen)},
        {"limvmin", Lantern(&LanternInterface::SetLimvmin)},
        {"limvmax", Lantern(&LanternInterface::SetLimvmax)},
        {"limton", Lantern(&LanternInterface::SetLimton)},
        {"limtoff", Lantern(&LanternInterface::SetLimtoff)},
        {"limion", Lantern(&LanternInterface::SetLimion)},
        {"limigain",
         Flag<LanternInterface>(&Model::GetLanternInterface, &LanternInterface::SetLimigain)},
        {"limpthresh", Lantern(&LanternInterface::SetLimpthresh)},
    };
    return columns;
}

const Column *Find(const QString &name)
{
    for (const Column &column : Columns()) {
        if (name == QLatin1String(column.name))
            return &column;
    }
    return nullptr;
}

} // namespace

QStringList UnitColumns::Required()
{
    return {QStringLiteral("mmsi"), QStringLiteral("name"), QStringLiteral("latitude"),
            QStringLiteral("longitude")};
}

QStringList UnitColumns::RecordColumns()
{
    return {QStringLiteral("customer"), QStringLiteral("site")};
}

QStringList UnitColumns::Known()
{
    QStringList names;
    for (const Column &column : Columns())
        names << QLatin1String(column.name);
    return names << SerialColumn() << RecordColumns();
}

bool UnitColumns::IsKnown(const QString &name)
{
    return name == SerialColumn() || RecordColumns().contains(name) || Find(name);
}

QString UnitColumns::Apply(const QString &name, const QString &text, Model *model)
{
    const Column *column = Find(name);
    if (!column)
        return tr("\"%1\" is not a field of a unit").arg(VisibleText::OneLine(name));
    return column->apply(model, text);
}
