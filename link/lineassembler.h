#ifndef LINEASSEMBLER_H
#define LINEASSEMBLER_H

#include "link/receivedline.h"

#include <QByteArray>
#include <QString>

#include <functional>

// Cuts the bytes that arrive from the unit, or that a traffic log holds, into
// the lines passed on as received, each without carriage returns or zero
// bytes and ending in "\n". The unit's prompt, which comes without a line
// end, is passed on as it arrives. Comment lines of a log ("#") are dropped,
// and a log's lines that the tool sent (">") go their own way. A line cut
// short on the line runs into the sentence after it: such a line is passed
// on in parts, one at each sentence start, so that the sound sentence is not
// lost with it. Nothing held grows without bound: a longer run than
// MaxLineLength without a line end is passed on in parts of that length.
class LineAssembler
{
public:
    static constexpr int MaxLineLength = 4096;

    // Port: every byte is a character. Log: UTF-8, with sent lines.
    enum class Source
    {
        Port,
        Log
    };
    // A prompt is a line without its end, and is not written to a log.
    using LineOutput = std::function<void(const ReceivedLine &line, bool prompt)>;
    using SentOutput = std::function<void(const QString &line)>;

    LineAssembler(LineOutput received, SentOutput sent);

    // Forgets what is held and reads from a new source; a delivery under way
    // stops after the line it is passing on.
    void Reset(Source from);

    // A piece as a port read gives it: up to a line end, or as much as came.
    void AddPiece(const char *bytes, int size);
    // Any stretch of a log: each whole line in it is one piece; the start of
    // a line that ends in a later stretch waits for it.
    void AddBlock(const char *bytes, int size);
    // The input has ended: a line without its end is passed on all the same.
    void Finish();

    // A "$" or "!" followed by four upper-case letters or digits: where a
    // sentence may begin. The index of the first at or after from, or -1.
    static int SentenceStart(const char *bytes, int size, int from);

private:
    static int StartCharacter(const char *bytes, int size, int from);
    void ProcessPiece(const char *bytes, int size);
    void DeliverLine(const char *bytes, int size);
    // A line without its end is a prompt.
    void PassOn(const char *bytes, int size, ReceivedLine::End end);
    ReceivedLine::Encoding Encoding() const;
    bool FollowsPrompt(const char *bytes, int size) const;
    int PartLength(const char *bytes, int size) const;
    void PassOnPendingLine();
    void PassOnPendingParts();
    void PassOnPart(const char *bytes, int size);
    QString TextOf(const char *bytes, int size) const;

    LineOutput received;
    SentOutput sent;
    Source source = Source::Port;
    // Counts the resets, so that a delivery learns that its input is gone.
    quint64 generation = 0;
    // Pieces of a line whose end has not come yet.
    QByteArray lineBuffer;
    // Log blocks: the start of a line whose end is in a later block, at most
    // MaxLineLength bytes once a block is done. Of a longer line, parts have
    // been passed on already; its first character tells how to treat every
    // part: "#" a comment, ">" a line that was sent.
    QByteArray pending;
    bool longLine = false;
    char longKind = 0;
};

#endif // LINEASSEMBLER_H
