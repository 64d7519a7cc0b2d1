#include "link/answerledger.h"

#include "sentences/atonsentence.h"
#include "sentences/sentenceview.h"

void AnswerLedger::AddCodec(AtoNSentence *codec)
{
    if (!codecs.contains(codec->Formatter()))
        codecs.insert(codec->Formatter(), codec);
}

AnswerLedger::Heard AnswerLedger::Take(const SentenceView &sentence, const QString &text,
                                       QString *earlier)
{
    const QString formatter = sentence.Formatter().toString();
    const AtoNSentence *codec = codecs.value(formatter, nullptr);
    if (!codec)
        return First;
    const QString key = codec->AnswerKey(ParsedSentence(text));
    if (key.isEmpty())
        return First;
    const QString answer = text.trimmed().left(MaxQuoted);
    QHash<QString, QString> &heard = answers[formatter];
    const auto before = heard.constFind(key);
    if (before == heard.cend()) {
        if (heard.size() < MaxAnswers)
            heard.insert(key, answer);
        return First;
    }
    if (*before == answer)
        return Repeat;
    *earlier = *before;
    return Contradiction;
}
