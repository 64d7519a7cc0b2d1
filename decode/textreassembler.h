#ifndef TEXTREASSEMBLER_H
#define TEXTREASSEMBLER_H

#include <QString>
#include <QVector>

#include "decode/multipartbuffer.h"

class SentenceView;

// Joins the parts of TXT text messages (total, number, identifier, text), one
// buffer per text identifier. Receivers use the parts two ways: to carry a
// text too long for one sentence, cut where the sentence is full, and to send
// several short texts together ("ANTENNA OK", "TIME PULSE LOCKED"). A part
// of FullPartLength characters or more, as sent, is taken as cut and joined
// to the next directly; after a shorter one the next is set apart by "; ".
class TextReassembler
{
public:
    // Longest text kept per identifier, in characters: far more than the 99
    // parts of at most 82 characters that a TXT message can have.
    static constexpr int MaxTextLength = 8192;
    // Of the 61 characters that a part's sentence has room for.
    static constexpr int FullPartLength = 50;

    // Identifiers 0 to identifiers - 1 have a buffer.
    explicit TextReassembler(int identifiers);

    // Takes one TXT sentence; true when it completed a message, which is then
    // in message.
    bool Add(const SentenceView &sentence, QString &message);

    int Identifiers() const { return buffers.size(); }

private:
    QVector<MultipartBuffer> buffers;
    // By identifier: the last part taken filled its sentence.
    QVector<bool> lastPartFull;
};

#endif // TEXTREASSEMBLER_H
