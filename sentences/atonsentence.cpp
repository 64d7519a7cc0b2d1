#include "sentences/atonsentence.h"

#include "model/model.h"

#include <QDebug>

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
    qDebug().noquote() << line;
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
    qDebug().noquote() << text;
    return text + QStringLiteral("\r\n");
}

QString AtoNSentence::Padded(int value, int width)
{
    const QString digits = QString::number(qAbs(qint64(value)));
    const QString sign = value < 0 ? QStringLiteral("-") : QString();
    const int pad = width - sign.size() - digits.size();
    return sign + (pad > 0 ? QString(pad, QLatin1Char('0')) : QString()) + digits;
}
