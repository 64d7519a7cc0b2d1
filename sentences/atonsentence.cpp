#include "sentences/atonsentence.h"
#include "sentences/logcategories.h"

#include "model/atonmmsi.h"
#include "model/model.h"

#include <QDebug>

const QString AtoNSentence::Unconfigured = QStringLiteral("000000000");

AtoNSentence::AtoNSentence(ModelObject *target, Model *modelRoot)
    : QObject(modelRoot), target(target), formatter(QStringLiteral("XXX")), modelRoot(modelRoot)
{}

AtoNSentence::~AtoNSentence() = default;

QString AtoNSentence::Query()
{
    const QString text =
        QLatin1Char('$') + OwnTalker + UnitTalker + QStringLiteral("Q,") + formatter;
    QChar high, low;
    ParsedSentence::Checksum(text, high, low);
    const QString line = text + QLatin1Char('*') + high + low;
    qCDebug(lcSentences).noquote() << line;
    return line + QStringLiteral("\r\n");
}

int AtoNSentence::CheckHead(const ParsedSentence &sentence) const
{
    int result = DecodeOk;
    if (!sentence.valid)
        result = DecodeInvalid;
    if (sentence.talker != UnitTalker)
        result = DecodeWrongTalker;
    if (sentence.formatter != formatter)
        result = DecodeWrongFormatter;
    return result;
}

bool AtoNSentence::AcceptHead(const ParsedSentence &sentence)
{
    problem.clear();
    if (CheckHead(sentence) == DecodeOk)
        return true;
    Refuse(tr("not a sound %1 answer from the unit").arg(formatter));
    return false;
}

int AtoNSentence::Refuse(int i, const QString &name, const QString &what)
{
    return Refuse(tr("field %1, %2: %3").arg(i).arg(name, what));
}

int AtoNSentence::Refuse(const QString &text)
{
    problem = text;
    return DecodeFieldError;
}

bool AtoNSentence::ReadNumber(const ParsedSentence &sentence, int i, const QString &name, int &out)
{
    QString text;
    if (!sentence.GetString(i, text) || text.isEmpty()) {
        Refuse(i, name, tr("missing"));
        return false;
    }
    bool ok = false;
    out = text.toInt(&ok, 10);
    if (!ok)
        Refuse(i, name, tr("\"%1\" is not a number").arg(text));
    return ok;
}

bool AtoNSentence::ReadInRange(const ParsedSentence &sentence, int i, FieldRanges::Field field,
                               int &out)
{
    return ReadNumber(sentence, i, FieldRanges::Name(field), out) &&
           Accept(i, FieldRanges::Problem(field, out));
}

bool AtoNSentence::Accept(int i, const QString &outside)
{
    if (outside.isEmpty())
        return true;
    Refuse(tr("field %1, %2").arg(i).arg(outside));
    return false;
}

bool AtoNSentence::ReadOptional(const ParsedSentence &sentence, int i, FieldRanges::Field field,
                                int fallback, int &out)
{
    QString text;
    if (!sentence.GetString(i, text) || text.isEmpty()) {
        out = fallback;
        return true;
    }
    return ReadInRange(sentence, i, field, out);
}

bool AtoNSentence::ReadUnitMmsi(const ParsedSentence &sentence, const AtoNMMSI *unit, QString &mmsi)
{
    const QString name = tr("MMSI");
    if (!sentence.GetString(1, mmsi) || mmsi.isEmpty()) {
        Refuse(1, name, tr("missing"));
        return false;
    }
    if (!FieldRanges::IsMmsi(mmsi)) {
        Refuse(1, name, tr("\"%1\" is not nine digits").arg(mmsi));
        return false;
    }
    const QString known = unit ? unit->Mmsi() : Unconfigured;
    // Nine zeros from a unit that has named itself are not a fresh unit's
    // answer: taking them would write defaults the unit never sent.
    if (mmsi == Unconfigured && known != Unconfigured) {
        Refuse(1, name, tr("%1, while the unit answered the AID query as %2").arg(mmsi, known));
        return false;
    }
    if (mmsi != Unconfigured && known != Unconfigured && mmsi != known) {
        Refuse(1, name,
               tr("%1 is another unit than %2, which answered the AID query").arg(mmsi, known));
        return false;
    }
    return true;
}

bool AtoNSentence::ReadAnswerStatus(const ParsedSentence &sentence, int i)
{
    QChar status;
    sentence.GetChar(i, status);
    if (status == QLatin1Char('R'))
        return true;
    Refuse(i, tr("status"), status.isNull() ? tr("missing") : tr("\"%1\", not R").arg(status));
    return false;
}

QString AtoNSentence::Frame(const QStringList &dataFields) const
{
    QString text = QLatin1Char('$') + OwnTalker + formatter;
    for (const QString &field : dataFields) {
        text += QLatin1Char(',');
        text += field;
    }
    QChar high, low;
    ParsedSentence::Checksum(text, high, low);
    text += QLatin1Char('*');
    text += high;
    text += low;
    qCDebug(lcSentences).noquote() << text;
    return text + QStringLiteral("\r\n");
}

QString AtoNSentence::Padded(int value, int width)
{
    const QString digits = QString::number(qAbs(qint64(value)));
    const QString sign = value < 0 ? QStringLiteral("-") : QString();
    const int pad = width - sign.size() - digits.size();
    return sign + (pad > 0 ? QString(pad, QLatin1Char('0')) : QString()) + digits;
}

QString AtoNSentence::AnswerKey(const ParsedSentence &) const
{
    return QString();
}
