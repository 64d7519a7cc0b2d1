#include "lim/limsetparam.h"
#include "sentences/logcategories.h"

#include "lim/lanterninterface.h"
#include "model/model.h"
#include "sentences/parsedsentence.h"

#include <QDebug>

LimSetParam::LimSetParam(const QString &name, int tag, QObject *parent)
    : QObject(parent), name(name), tag(tag)
{
    ParsedSentence::Escape(this->name);
}

// $PVKX,0,3,0xD4716B5E,1,nvseti "limvmax"^2C24000^2C0^2C0^2C1,16*HH
QString LimSetParam::Sentence() const
{
    int value = 0;
    if (auto *model = qobject_cast<Model *>(parent())) {
        value =
            model->GetLanternInterface()->ParameterValue(LanternInterface::ParameterIndex(name));
    }
    QString text = QStringLiteral("$PVKX,0,3,0xD4716B5E,1,nvseti \"") + name +
                   QStringLiteral("\"^2C") + QString::number(value) +
                   QStringLiteral("^2C0^2C0^2C1,") + QString::number(tag);
    QChar high, low;
    ParsedSentence::Checksum(text, high, low);
    text += QLatin1Char('*');
    text += high;
    text += low;
    qCDebug(lcSentences).noquote() << "LIM Param Set: " + text;
    return text + QStringLiteral("\r\n");
}
