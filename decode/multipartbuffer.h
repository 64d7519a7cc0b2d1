#ifndef MULTIPARTBUFFER_H
#define MULTIPARTBUFFER_H

#include <QString>

// Collects the parts of a text that the unit sends in several sentences (TXT
// texts, VDO payloads). Part 1 starts the text, later parts are appended.
// The length is capped: a peer that keeps sending continuation parts cannot
// make the buffer grow without limit. A text that would pass the cap is
// dropped whole and further continuation parts are ignored until the next
// part 1, so that no truncated text is ever announced as complete.
class MultipartBuffer
{
public:
    explicit MultipartBuffer(int maxLength = 0) : limit(maxLength) {}

    void SetLimit(int maxLength) { limit = maxLength; }
    int Limit() const { return limit; }

    // Part 1: the buffer becomes the text. False when the text alone passes the cap.
    bool Start(const QString &part);
    // A later part: appended. False when the buffer has been dropped.
    bool Append(const QString &part);

    // Start for part number 1, Append otherwise.
    bool Add(int number, const QString &part) { return number == 1 ? Start(part) : Append(part); }

    // True while the buffer holds a usable text (nothing dropped since the last part 1).
    bool IsIntact() const { return !dropped; }
    const QString &Text() const { return text; }

private:
    QString text;
    int limit;
    bool dropped = false;
};

#endif // MULTIPARTBUFFER_H
