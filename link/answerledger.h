#ifndef ANSWERLEDGER_H
#define ANSWERLEDGER_H

#include <QHash>
#include <QString>

class AtoNSentence;
class SentenceView;

// The unit's answers to each configuration query since it was last asked,
// kept by what each tells of (the codec's AnswerKey), so that a second
// answer is told apart as a harmless repeat or a contradiction. Bounded: the
// answers of one query beyond MaxAnswers are not kept.
class AnswerLedger
{
public:
    static constexpr int MaxAnswers = 64;
    // How much of an answer is kept and quoted.
    static constexpr int MaxQuoted = 100;

    enum Heard
    {
        First,
        Repeat,
        Contradiction
    };

    // The codec whose answers to key, by its formatter (the first given wins).
    void AddCodec(AtoNSentence *codec);
    bool IsEmpty() const { return answers.isEmpty(); }
    // The query of formatter is asked anew; every answer is forgotten.
    void Forget(const QString &formatter) { answers.remove(formatter); }
    void Clear() { answers.clear(); }

    // Takes an answer; on a contradiction *earlier is the answer it
    // contradicts. An answer no codec keys is First.
    Heard Take(const SentenceView &sentence, const QString &text, QString *earlier);

private:
    QHash<QString, AtoNSentence *> codecs;
    QHash<QString, QHash<QString, QString>> answers;
};

#endif // ANSWERLEDGER_H
