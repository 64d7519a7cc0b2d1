// Arbitrary bytes through the line assembly. The first byte sets the size of
// the stretches that the rest is cut into. Every line passed on must be
// bounded, free of carriage returns and zero bytes, and end in "\n" unless it
// is a prompt; a log must give the same lines however it is cut into blocks.
// A line's sentence, read from its bytes, is the one its text holds.

#include "fuzzapplication.h"

#include "link/lineassembler.h"
#include "sentences/sentenceview.h"

#include <QByteArray>
#include <QStringList>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

struct Lines
{
    QStringList received;
    QStringList sent;
    LineAssembler assembler{[this](const ReceivedLine &line, bool prompt) { Take(line, prompt); },
                            [this](const QString &line) { sent << line; }};

    void Take(const ReceivedLine &line, bool prompt)
    {
        const QString &text = line.Text();
        if (text.size() > LineAssembler::MaxLineLength + 1 || text.contains(QLatin1Char('\r')) ||
            text.contains(QChar::Null))
            abort();
        if (prompt ? text.size() > 2 || !text.endsWith(QLatin1Char('>'))
                   : !text.endsWith(QLatin1Char('\n')))
            abort();
        // The parse of the line's bytes and that of its text agree.
        const SentenceView &fromBytes = line.Sentence();
        const SentenceView fromText(text);
        if (fromBytes.IsValid() != fromText.IsValid() ||
            fromBytes.FieldCount() != fromText.FieldCount())
            abort();
        for (int i = 0; i < fromText.FieldCount(); ++i) {
            if (fromBytes.Field(i) != fromText.Field(i))
                abort();
        }
        received << text;
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static auto *application = new FuzzApplication<>;
    Q_UNUSED(application)
    if (size < 1)
        return 0;
    const int cut = 1 + data[0];
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char *>(data + 1), int(size - 1));

    // As a port gives them: pieces up to a line end, at most cut bytes.
    Lines port;
    for (int from = 0; from < bytes.size();) {
        const int end = bytes.indexOf('\n', from);
        const int length = qMin(end < 0 ? bytes.size() - from : end + 1 - from, cut);
        port.assembler.AddPiece(bytes.constData() + from, length);
        from += length;
    }
    port.assembler.Finish();

    Lines whole;
    whole.assembler.Reset(LineAssembler::Source::Log);
    whole.assembler.AddBlock(bytes.constData(), bytes.size());
    whole.assembler.Finish();
    Lines blocks;
    blocks.assembler.Reset(LineAssembler::Source::Log);
    for (int from = 0; from < bytes.size(); from += cut)
        blocks.assembler.AddBlock(bytes.constData() + from, qMin(cut, bytes.size() - from));
    blocks.assembler.Finish();
    if (blocks.received != whole.received || blocks.sent != whole.sent)
        abort();
    return 0;
}
