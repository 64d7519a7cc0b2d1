#include "link/nmeashellcommand.h"
#include "sentences/logcategories.h"

#include "lim/lanterninterface.h"
#include "model/fieldranges.h"
#include "model/model.h"

#include <QCoreApplication>
#include <QDebug>
#include <cmath>

namespace {

const QString Manufacturer = QStringLiteral("VKX");
constexpr int AnswerMark = 255;

} // namespace

const char *const NmeaShellCommand::AccessCodes[AccessLevels] = {"0x6E2D9A41", "0x8B47F2D0",
                                                                 "0x19C5E3A7", "0xD4716B5E"};

NmeaShellCommand::NmeaShellCommand(const QString &command, int accessLevel, int mode, int tag,
                                   QObject *parent)
    : QObject(parent), command(command), accessLevel(accessLevel), mode(mode), tag(tag),
      vendorId(Manufacturer)
{
    ParsedSentence::Escape(this->command);
}

// $PVKX,0,3,0xD4716B5E,1,battvolts,2*HH
QString NmeaShellCommand::Sentence() const
{
    // Levels are 0 to 3; another level goes out without a code rather than
    // reading past the table.
    const bool knownLevel = accessLevel >= 0 && accessLevel < AccessLevels;
    QString text = QStringLiteral("$P") + Manufacturer + QStringLiteral(",0,");
    text += QString::number(accessLevel) + QLatin1Char(',');
    text +=
        (knownLevel ? QLatin1String(AccessCodes[accessLevel]) : QLatin1String()) + QLatin1Char(',');
    text += QString::number(mode) + QLatin1Char(',');
    text += command.left(MaxCommandInSentence) + QLatin1Char(',');
    text += QString::number(tag);
    QChar high, low;
    ParsedSentence::Checksum(text, high, low);
    text += QLatin1Char('*');
    text += high;
    text += low;
    return text + QStringLiteral("\r\n");
}

// $PVKX,255,battvolts,2,12.61*HH
int NmeaShellCommand::Parse(ParsedSentence sentence)
{
    if (!sentence.valid)
        return ShellInvalid;
    if (sentence.talker != QLatin1String("P"))
        return ShellWrongTalker;
    if (sentence.formatter != Manufacturer && sentence.formatter != vendorId)
        return ShellWrongManufacturer;
    problem.clear();
    int mark = 0;
    if (!sentence.GetInt(1, mark) || mark != AnswerMark) {
        problem = tr("the answer's first field is \"%1\", not %2")
                      .arg(sentence.fields.value(1))
                      .arg(AnswerMark);
        return ShellBadAnswer;
    }
    QString answered;
    if (!sentence.GetString(2, answered)) {
        problem = tr("the answer names no command");
        return ShellBadAnswer;
    }
    if (answered != command)
        return ShellOtherCommand;
    int answeredTag = 0;
    if (!sentence.GetInt(3, answeredTag)) {
        problem = tr("the answer carries no tag");
        return ShellBadAnswer;
    }
    QString text;
    sentence.GetString(4, text);
    ParsedSentence::Unescape(text);
    problem = AnswerProblem(text);
    if (!problem.isEmpty())
        return ShellBadAnswer;
    tag = answeredTag;
    response = text;
    HandleAnswer();
    return ShellAnswered;
}

QString NmeaShellCommand::AnswerProblem(const QString &text) const
{
    const bool lantern = IsLanternCommand();
    if (!lantern && !command.startsWith(QLatin1String("appver")) &&
        !command.startsWith(QLatin1String("getserno")) &&
        !command.startsWith(QLatin1String("battvolts")))
        return QString(); // "reset", "gpsfilt": any acknowledgement
    if (text.isEmpty())
        return tr("the answer text is empty");
    bool ok = false;
    if (command.startsWith(QLatin1String("battvolts"))) {
        const double volts = text.toDouble(&ok);
        if (!ok || !std::isfinite(volts))
            return tr("\"%1\" is not a number").arg(text);
        return FieldRanges::Problem(FieldRanges::BatteryVoltage, volts);
    }
    if (!lantern)
        return QString();
    const int index = LanternInterface::ParameterIndex(LanternName());
    const int value = text.toInt(&ok, 10);
    if (!ok)
        return tr("\"%1\" is not a whole number").arg(text);
    if (index < 0)
        return QString();
    return FieldRanges::Problem(FieldRanges::LanternField(index), value);
}

bool NmeaShellCommand::IsLanternCommand() const
{
    return command.startsWith(QLatin1String("nvgeti")) ||
           command.startsWith(QLatin1String("nvseti"));
}

QString NmeaShellCommand::LanternName() const
{
    const int first = command.indexOf(QLatin1Char('"'));
    const int last = command.lastIndexOf(QLatin1Char('"'));
    return first >= 0 && last > first ? command.mid(first + 1, last - first - 1) : QString();
}

void NmeaShellCommand::HandleAnswer()
{
    qCDebug(lcLink).noquote() << "ShellCmd Resp: " + command + " = " + response;
    if (command.startsWith(QLatin1String("appver"))) {
        emit Version(response);
        emit Variant(response.mid(4, 2));
    } else if (command.startsWith(QLatin1String("getserno"))) {
        emit ProductSerialNumber(response);
    } else if (command.startsWith(QLatin1String("battvolts"))) {
        emit BatteryVoltage(response);
    } else if (IsLanternCommand()) {
        StoreLanternValue();
        emit showLimParams();
    }
}

// nvgeti "limvmax" answered by 24000 (checked by AnswerProblem)
void NmeaShellCommand::StoreLanternValue()
{
    auto *model = qobject_cast<Model *>(parent());
    if (!model) {
        qCDebug(lcLink).noquote() << "ShellCmd without a model:" << command;
        return;
    }
    model->GetLanternInterface()->SetParameterValue(LanternInterface::ParameterIndex(LanternName()),
                                                    response.toInt());
}
