#include "link/lineassembler.h"
#include "sentences/logcategories.h"

#include <QDebug>
#include <QtAlgorithms>

#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

bool IsUpperAlnum(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z');
}

const char *Find(const char *bytes, int size, int from, char c)
{
    return from < size
               ? static_cast<const char *>(std::memchr(bytes + from, c, size_t(size - from)))
               : nullptr;
}

// The bytes without every one equal to drop, copied a span at a time.
QByteArray Without(const char *bytes, int size, char drop)
{
    QByteArray kept(size, Qt::Uninitialized);
    char *to = kept.data();
    for (int from = 0; from < size;) {
        const char *hit = Find(bytes, size, from, drop);
        const int end = hit ? int(hit - bytes) : size;
        std::memcpy(to, bytes + from, size_t(end - from));
        to += end - from;
        from = end + 1;
    }
    kept.resize(int(to - kept.constData()));
    return kept;
}

} // namespace

LineAssembler::LineAssembler(LineOutput received, SentOutput sent)
    : received(std::move(received)), sent(std::move(sent))
{}

void LineAssembler::Reset(Source from)
{
    source = from;
    ++generation;
    lineBuffer.clear();
    pending.clear();
    longLine = false;
    longKind = 0;
}

int LineAssembler::SentenceStart(const char *bytes, int size, int from)
{
    // Most lines hold one start character or none.
    for (int at = StartCharacter(bytes, size, from); at >= 0 && at + 4 < size;
         at = StartCharacter(bytes, size, at + 1)) {
        const char *p = bytes + at;
        if (IsUpperAlnum(p[1]) && IsUpperAlnum(p[2]) && IsUpperAlnum(p[3]) && IsUpperAlnum(p[4]))
            return at;
    }
    return -1;
}

// The index of the first "$" or "!" at or after from, or -1.
int LineAssembler::StartCharacter(const char *bytes, int size, int from)
{
    int at = from;
#if defined(__SSE2__)
    // Sixteen bytes compared at once.
    const __m128i dollar = _mm_set1_epi8('$');
    const __m128i bang = _mm_set1_epi8('!');
    for (; at + 16 <= size; at += 16) {
        const __m128i sixteen = _mm_loadu_si128(reinterpret_cast<const __m128i *>(bytes + at));
        const uint hits = uint(_mm_movemask_epi8(
            _mm_or_si128(_mm_cmpeq_epi8(sixteen, dollar), _mm_cmpeq_epi8(sixteen, bang))));
        if (hits)
            return at + int(qCountTrailingZeroBits(hits));
    }
    // The rest, fewer than sixteen, as the last sixteen without those
    // already looked at.
    if (at < size && size >= 16) {
        const __m128i sixteen =
            _mm_loadu_si128(reinterpret_cast<const __m128i *>(bytes + size - 16));
        const uint hits = uint(_mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(sixteen, dollar),
                                                              _mm_cmpeq_epi8(sixteen, bang)))) >>
                          (16 - (size - at));
        return hits ? at + int(qCountTrailingZeroBits(hits)) : -1;
    }
#endif
    for (; at < size; ++at) {
        if (bytes[at] == '$' || bytes[at] == '!')
            return at;
    }
    return -1;
}

// Zero bytes carry no text: noise on the line, or the end of a log cut short
// by a crash. They are dropped, and what follows them is kept.
void LineAssembler::AddPiece(const char *bytes, int size)
{
    if (std::memchr(bytes, 0, size_t(size))) {
        const QByteArray kept = Without(bytes, size, 0);
        ProcessPiece(kept.constData(), kept.size());
    } else {
        ProcessPiece(bytes, size);
    }
}

void LineAssembler::AddBlock(const char *bytes, int size)
{
    const quint64 run = generation;
    // A block without zero bytes, as nearly every one is, needs no look for
    // them line by line.
    const bool zeros = std::memchr(bytes, 0, size_t(size));
    int from = 0;
    while (from < size && generation == run) {
        const char *lineEnd = Find(bytes, size, from, '\n');
        const int end = lineEnd ? int(lineEnd - bytes) + 1 : size;
        const char *line = bytes + from;
        int length = end - from;
        QByteArray kept;
        if (zeros && std::memchr(line, 0, size_t(length))) {
            kept = Without(line, length, 0);
            line = kept.constData();
            length = kept.size();
        }
        if (lineEnd && pending.isEmpty() && length <= MaxLineLength + 1) {
            ProcessPiece(line, length);
        } else {
            pending.append(line, length);
            if (lineEnd)
                PassOnPendingLine();
            else
                PassOnPendingParts();
        }
        from = end;
    }
}

void LineAssembler::Finish()
{
    const quint64 run = generation;
    if (longLine) {
        PassOnPendingParts();
        QByteArray rest;
        rest.swap(pending);
        if (!rest.isEmpty() && generation == run)
            PassOnPart(rest.constData(), rest.size());
    } else if (!pending.isEmpty()) {
        QByteArray rest;
        rest.swap(pending);
        ProcessPiece(rest.constData(), rest.size());
    }
    if (generation != run)
        return;
    longLine = false;
    if (lineBuffer.isEmpty())
        return;
    QByteArray line;
    line.swap(lineBuffer);
    line += '\n';
    DeliverLine(line.constData(), line.size());
}

void LineAssembler::ProcessPiece(const char *bytes, int size)
{
    if (size == 0)
        return;
    // The first character of a line tells its kind. Header and footer lines
    // of a traffic log are dropped, each whole; a line that only happens to
    // begin with "#" ahead of a sentence is kept.
    const bool lineStart = lineBuffer.isEmpty();
    if (lineStart && bytes[0] == '#' && bytes[size - 1] == '\n' &&
        SentenceStart(bytes, size, 1) < 0)
        return;
    // A logged transmitted line is shown as sent; a sentence from the unit
    // that followed its prompt on the same line was received.
    if (lineStart && source == Source::Log && bytes[0] == '>' && !FollowsPrompt(bytes, size)) {
        sent(TextOf(bytes, size));
        return;
    }

    if (bytes[size - 1] == '\n') {
        if (lineBuffer.isEmpty()) {
            DeliverLine(bytes, size);
        } else {
            QByteArray line;
            line.swap(lineBuffer);
            line.append(bytes, size);
            DeliverLine(line.constData(), line.size());
        }
        return;
    }

    // The unit's prompt comes without a line end; a carriage return before
    // it is dropped, as from every line.
    if (size <= 2 && bytes[size - 1] == '>') {
        if (bytes[0] == '\r')
            PassOn(bytes + 1, size - 1, ReceivedLine::End::None);
        else
            PassOn(bytes, size, ReceivedLine::End::None);
        return;
    }

    const quint64 run = generation;
    lineBuffer.append(bytes, size);
    while (lineBuffer.size() > MaxLineLength && generation == run) {
        qCDebug(lcLink) << "Received more than" << MaxLineLength
                        << "characters without a line end; passing them on as a line";
        const int length = PartLength(lineBuffer.constData(), lineBuffer.size());
        QByteArray part = lineBuffer.left(length);
        lineBuffer.remove(0, length);
        part += '\n';
        DeliverLine(part.constData(), part.size());
    }
}

// A line that was cut short on the line runs into the sentence after it, and
// the two fail the checksum together. Such a line is passed on in parts, one
// at each sentence start, so that the sound sentence is not lost with it.
void LineAssembler::DeliverLine(const char *bytes, int size)
{
    // Every line is passed on without its end, which the received line stands
    // for: units and most capture programs end their lines with CR LF, and a
    // line whose only CR is the one before its LF is then passed on where it
    // lies, only shorter. Other CRs are dropped in a copy.
    int body = size > 0 && bytes[size - 1] == '\n' ? size - 1 : size;
    QByteArray kept;
    if (const char *cr = static_cast<const char *>(std::memchr(bytes, '\r', size_t(body)))) {
        if (cr == bytes + body - 1) {
            --body;
        } else {
            kept = Without(bytes, body, '\r');
            bytes = kept.constData();
            body = kept.size();
        }
    }
    const int first = SentenceStart(bytes, body, 0);
    int next = first < 0 ? -1 : SentenceStart(bytes, body, first + 1);
    if (next >= 0) {
        const ReceivedLine whole(bytes, body, Encoding(), ReceivedLine::End::Implied);
        if (whole.Sentence().IsValid()) {
            received(whole, false);
            return;
        }
        const quint64 run = generation;
        int from = 0;
        while (next >= 0) {
            PassOn(bytes + from, next - from, ReceivedLine::End::Implied);
            if (generation != run)
                return;
            from = next;
            next = SentenceStart(bytes, body, from + 1);
        }
        bytes += from;
        body -= from;
    }
    PassOn(bytes, body, ReceivedLine::End::Implied);
}

ReceivedLine::Encoding LineAssembler::Encoding() const
{
    return source == Source::Port ? ReceivedLine::Encoding::Latin1 : ReceivedLine::Encoding::Utf8;
}

void LineAssembler::PassOn(const char *bytes, int size, ReceivedLine::End end)
{
    const ReceivedLine line(bytes, size, Encoding(), end);
    received(line, end == ReceivedLine::End::None);
}

QString LineAssembler::TextOf(const char *bytes, int size) const
{
    return source == Source::Port ? QString::fromLatin1(bytes, size)
                                  : QString::fromUtf8(bytes, size);
}

// ">" characters, then a sentence that the tool does not send itself: its
// own talker, or a shell command (the unit answers those with access 255).
bool LineAssembler::FollowsPrompt(const char *bytes, int size) const
{
    int at = 0;
    while (at < size && bytes[at] == '>')
        ++at;
    if (SentenceStart(bytes, size, at) != at)
        return false;
    static const QByteArray own = '$' + OwnTalker.toLatin1();
    const QByteArray sentence = QByteArray::fromRawData(bytes + at, size - at);
    if (sentence.startsWith(own))
        return false;
    return !sentence.startsWith("$PVKX,") || sentence.startsWith("$PVKX,255,");
}

// At most MaxLineLength bytes, and in UTF-8 not inside a character.
int LineAssembler::PartLength(const char *bytes, int size) const
{
    int length = qMin(size, MaxLineLength);
    for (int back = 0; source == Source::Log && back < 3 && length > 1 && length < size &&
                       (uchar(bytes[length]) & 0xC0) == 0x80;
         ++back)
        --length;
    return length;
}

// The pending text ends a line.
void LineAssembler::PassOnPendingLine()
{
    if (!longLine && pending.size() <= MaxLineLength + 1) {
        QByteArray line;
        line.swap(pending);
        ProcessPiece(line.constData(), line.size());
        return;
    }
    const quint64 run = generation;
    pending.chop(1);
    PassOnPendingParts();
    QByteArray rest;
    rest.swap(pending);
    if (!rest.isEmpty() && generation == run)
        PassOnPart(rest.constData(), rest.size());
    if (generation == run)
        longLine = false;
}

// A line longer than MaxLineLength is passed on in parts of that length, as
// the line from a port is.
void LineAssembler::PassOnPendingParts()
{
    while (pending.size() > MaxLineLength) {
        const int length = PartLength(pending.constData(), pending.size());
        const QByteArray part = pending.left(length);
        pending.remove(0, length);
        PassOnPart(part.constData(), part.size());
    }
}

void LineAssembler::PassOnPart(const char *bytes, int size)
{
    if (!longLine) {
        longLine = true;
        longKind = size > 0 ? bytes[0] : 0;
        qCDebug(lcLink) << "Log line longer than" << MaxLineLength
                        << "characters; passing it on in parts";
    }
    if (longKind == '#')
        return;
    QByteArray line(bytes, size);
    line += '\n';
    if (longKind == '>')
        sent(TextOf(line.constData(), line.size()));
    else
        DeliverLine(line.constData(), line.size());
}
