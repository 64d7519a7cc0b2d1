#ifndef ATONSENTENCE_H
#define ATONSENTENCE_H

#include "model/fieldranges.h"
#include "sentences/parsedsentence.h"

#include <QObject>
#include <QString>
#include <QStringList>

class AtoNMMSI;
class Model;
class ModelObject;

// Base of the codecs of the four configuration sentences. A codec builds the
// query and the set sentence for its model record and applies the unit's
// answers to it. Failures are result codes, never exceptions.
class AtoNSentence : public QObject
{
    Q_OBJECT

public:
    enum DecodeResult
    {
        DecodeOk = 0,
        DecodeFieldError = -1,     // a required field is missing or out of its set
        DecodeUnconfigured = -2,   // the answer carries the MMSI "000000000"
        DecodeWrongFormatter = -3, // the sentence is not of this codec's formatter
        DecodeWrongTalker = -4,    // the sentence does not come from the unit
        DecodeInvalid = -5         // the line failed its length, shape or checksum check
    };

    // target is the record read by Encode and written by Decode; modelRoot is
    // the configuration root and the parent (null for a codec without one).
    AtoNSentence(ModelObject *target, Model *modelRoot);
    ~AtoNSentence() override;

    // The complete set sentence, "\r\n" included, for sentence number index of
    // the codec's work item. An encoder that needs n further sentences leaves
    // n in *extra (which the caller sets to 0; may be null).
    virtual QString Encode(int index, int *extra) = 0;
    // "$UPAIQ," and the formatter, with checksum and "\r\n".
    virtual QString Query();
    // Applies an answer to the model; returns a DecodeResult. Every field is
    // checked before anything is stored: a refused answer changes nothing.
    virtual int Decode(ParsedSentence sentence) = 0;
    // For answers taken until the unit falls silent, once it has: whether
    // the query is worth asking once more, since what came may have lost a
    // part on the line; and what is missing from what came (empty: nothing).
    virtual bool AskAgain() const { return false; }
    virtual QString Missing() const { return QString(); }
    // The answers taken since the query hold all the unit has to tell: the
    // query need not wait for the unit to fall silent.
    virtual bool AnswersComplete() const { return false; }
    // What an answer tells of, to tell a repeat from a contradiction: two
    // answers to one query with the same key must be the same. Empty: the
    // answer is not compared (the default).
    virtual QString AnswerKey(const ParsedSentence &answer) const;
    // Why the last answer was refused: the field and what is wrong with it.
    QString Problem() const { return problem; }

    QString Formatter() const { return formatter; }
    ModelObject *Target() const { return target; }
    Model *ModelRoot() const { return modelRoot; }

protected:
    // Validity, talker and formatter of an answer; the last failing check decides.
    int CheckHead(const ParsedSentence &sentence) const;
    // Clears the problem and checks the head; DecodeFieldError when it fails.
    bool AcceptHead(const ParsedSentence &sentence);
    // Sets the problem of field i and returns DecodeFieldError.
    int Refuse(int i, const QString &name, const QString &what);
    int Refuse(const QString &text);
    // Field i as a whole decimal number; false (problem set) when it is
    // missing, empty or not a number.
    bool ReadNumber(const ParsedSentence &sentence, int i, const QString &name, int &out);
    // The same, and the number inside the field's range.
    bool ReadInRange(const ParsedSentence &sentence, int i, FieldRanges::Field field, int &out);
    // True when outside (a range problem of field i) is empty; else refuses.
    bool Accept(int i, const QString &outside);
    // An optional field: missing or empty gives fallback; otherwise as ReadInRange.
    bool ReadOptional(const ParsedSentence &sentence, int i, FieldRanges::Field field, int fallback,
                      int &out);
    // Field 1: nine digits, and the unit that the record names, unless no unit
    // has been named yet or the answer comes from an unconfigured unit.
    bool ReadUnitMmsi(const ParsedSentence &sentence, const AtoNMMSI *unit, QString &mmsi);
    // Field i must be "R".
    bool ReadAnswerStatus(const ParsedSentence &sentence, int i);
    // "$UP", the formatter, the data fields after commas, checksum and "\r\n".
    QString Frame(const QStringList &dataFields) const;
    // value in decimal with at least width characters, zero-padded after the sign.
    static QString Padded(int value, int width);

    static const QString Unconfigured; // "000000000"

    ModelObject *target;
    QString formatter;
    Model *modelRoot;
    QString problem;
};

#endif // ATONSENTENCE_H
