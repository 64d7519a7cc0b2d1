#ifndef LINESINK_H
#define LINESINK_H

class ReceivedLine;

// Takes each received line as it is passed on, on the line's own thread and
// before the next line: the way to the decoders that costs no copy of it.
class LineSink
{
public:
    virtual void TakeLine(const ReceivedLine &line) = 0;

protected:
    ~LineSink() = default;
};

#endif // LINESINK_H
