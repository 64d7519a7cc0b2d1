#ifndef ATONSENTENCEAAR_H
#define ATONSENTENCEAAR_H

#include "model/messagescheduleentry.h"
#include "sentences/atonsentence.h"

#include <QHash>
#include <QPair>

class MessageSchedule;

// The AAR sentence: one row of the message schedule per sentence.
//   $UPAAR,<MMSI>,<message>,<instance>,<hh>,<mm>,<slot>,<interval>,<scheme>,<hh>,<mm>,<slot>,<interval>,C
class AtoNSentenceAAR : public AtoNSentence
{
    Q_OBJECT

public:
    // Has no model root and no parent; the MMSI and the AID mode come from
    // the schedule's AtoN.
    explicit AtoNSentenceAAR(MessageSchedule *target);

    // The sentence of schedule row index (an index out of range gives the
    // default row as message 21, instance 1).
    QString Encode(int index, int *extra) override;
    // Stores at most one row, and only when every required field was read and
    // both start times are valid.
    int Decode(ParsedSentence sentence) override;
    // Starts a new answer: no row of it has come yet.
    QString Query() override;
    // A unit always answers both rows of message 21, in use or not: one that
    // did not come was lost, and the schedule read would hold a default for it.
    QString Missing() const override;

private:
    MessageSchedule *Record() const;
    // A row as an answer gives it, for a message naming it.
    static QString RowText(const MessageScheduleEntry &entry);

    // The rows of the answer so far, by message and instance.
    QHash<QPair<int, int>, MessageScheduleEntry> answered;
};

#endif // ATONSENTENCEAAR_H
