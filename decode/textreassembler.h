#ifndef TEXTREASSEMBLER_H
#define TEXTREASSEMBLER_H

#include <QString>
#include <QVector>

#include "decode/multipartbuffer.h"

class SentenceView;

// Joins the parts of TXT text messages (total, number, identifier, text), one
// buffer per text identifier.
class TextReassembler
{
public:
    // Longest text kept per identifier, in characters: far more than the 99
    // parts of at most 82 characters that a TXT message can have.
    static constexpr int MaxTextLength = 8192;

    // Identifiers 0 to identifiers - 1 have a buffer.
    explicit TextReassembler(int identifiers);

    // Takes one TXT sentence; true when it completed a message, which is then
    // in message.
    bool Add(const SentenceView &sentence, QString &message);

    int Identifiers() const { return buffers.size(); }

private:
    QVector<MultipartBuffer> buffers;
};

#endif // TEXTREASSEMBLER_H
