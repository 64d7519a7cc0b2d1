// Arbitrary bytes from the line through the parse, every configuration
// codec's Decode and every shell command's Parse. The first byte chooses how
// the rest is used:
//   even: the rest is one received line, as it stands;
//   odd:  the rest is the data of a sentence that gets a sound frame and
//         checksum, once for each codec and once as a shell answer, so that
//         the fields themselves are explored beyond the checksum.
// Besides crashes and sanitizer reports it checks three properties: escaping
// and unescaping give the text back, every sentence the tool builds that fits
// the length limit parses as valid, and the in-place reading of a line that
// the decoders use agrees with the full parse on validity and every field.

#include "lim/limsetparam.h"
#include "link/nmeashellcommand.h"
#include "model/model.h"
#include "sentences/atonsentenceaar.h"
#include "sentences/atonsentenceace.h"
#include "sentences/atonsentenceacf.h"
#include "sentences/atonsentenceaid.h"
#include "sentences/sentenceview.h"

#include <QString>
#include <QVector>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

struct Harness
{
    Model model;
    QVector<AtoNSentence *> codecs;
    QVector<NmeaShellCommand *> commands;
    QVector<LimSetParam *> lanternSets;

    Harness()
    {
        AtoN *aton = model.GetAtoN();
        codecs << new AtoNSentenceAID(aton->GetAtoNMMSI(), &model)
               << new AtoNSentenceACF(aton, &model) << new AtoNSentenceACE(aton, &model)
               << new AtoNSentenceAAR(model.GetMessageSchedule());
        const struct
        {
            const char *text;
            int level, mode;
        } shell[] = {{"appver", 0, 2},
                     {"getserno", 0, 2},
                     {"battvolts", 3, 1},
                     {"gpsfilt 0", 0, 0},
                     {"reset", 0, 0}};
        int tag = 0;
        for (const auto &s : shell)
            commands << new NmeaShellCommand(QLatin1String(s.text), s.level, s.mode, tag++);
        for (int i = 0; i < LanternInterface::ParameterCount; ++i) {
            const QString name = LanternInterface::ParameterName(i);
            commands << new NmeaShellCommand(QStringLiteral("nvgeti \"%1\"").arg(name), 3, 1, tag++,
                                             &model);
        }
        for (int i = 0; i < LanternInterface::ParameterCount; ++i)
            lanternSets << new LimSetParam(LanternInterface::ParameterName(i), tag++, &model);
    }

    void Feed(const ParsedSentence &sentence)
    {
        for (AtoNSentence *codec : qAsConst(codecs))
            codec->Decode(sentence);
        for (NmeaShellCommand *command : qAsConst(commands))
            command->Parse(sentence);
        QString text;
        QChar c;
        int value = 0;
        for (int i = -1; i <= sentence.fields.size(); ++i) {
            sentence.GetString(i, text);
            sentence.GetChar(i, c);
            sentence.GetDigit(i, value);
            sentence.GetHex(i, value);
            sentence.GetInt(i, value);
        }
        sentence.ToText();
    }

    static void MustParse(const QString &built)
    {
        if (built.size() <= ParsedSentence::MaxLength && !ParsedSentence(built).valid)
            abort();
    }

    // Everything the model now holds goes back out through the encoders.
    void EncodeAll()
    {
        for (AtoNSentence *codec : qAsConst(codecs)) {
            int extra = 0;
            MustParse(codec->Query());
            MustParse(codec->Encode(0, &extra));
            MustParse(codec->Encode(1, &extra));
        }
        const int rows = model.GetMessageSchedule()->Count();
        for (int i = 0; i < rows; ++i)
            MustParse(codecs.last()->Encode(i, nullptr));
        for (NmeaShellCommand *command : qAsConst(commands))
            MustParse(command->Sentence());
        for (LimSetParam *set : qAsConst(lanternSets))
            MustParse(set->Sentence());
    }
};

// The decoders' view of a line must see what the transport's parse sees.
void MustAgree(const QString &line, const ParsedSentence &parsed)
{
    const SentenceView view(line);
    if (view.IsValid() != parsed.valid)
        abort();
    if (!parsed.valid)
        return;
    if (view.FieldCount() != parsed.fields.size() || view.Talker() != parsed.talker ||
        view.Formatter() != parsed.formatter)
        abort();
    for (int i = -1; i <= parsed.fields.size(); ++i) {
        QString a, b;
        QChar c, d;
        int x = 0, y = 0;
        if (view.String(i, a) != parsed.GetString(i, b) || a != b)
            abort();
        if (view.Char(i, c) != parsed.GetChar(i, d) || c != d)
            abort();
        if (view.Digit(i, x) != parsed.GetDigit(i, y) || x != y)
            abort();
        if (view.Int(i, x) != parsed.GetInt(i, y) || x != y)
            abort();
    }
}

void Discard(QtMsgType, const QMessageLogContext &, const QString &) {}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static Harness *harness = [] {
        qInstallMessageHandler(Discard);
        return new Harness;
    }();
    if (size == 0)
        return 0;
    harness->model.Reset();
    const bool sealed = data[0] & 1;
    const QString rest =
        QString::fromLatin1(reinterpret_cast<const char *>(data + 1), int(size - 1));

    QString escaped = rest;
    ParsedSentence::Escape(escaped);
    ParsedSentence::Unescape(escaped);
    if (escaped != rest)
        abort();
    QString unescaped = rest;
    ParsedSentence::Unescape(unescaped);
    for (QChar c : qAsConst(rest))
        ParsedSentence::SixBitValue(c);

    if (!sealed) {
        const ParsedSentence parsed(rest);
        MustAgree(rest, parsed);
        harness->Feed(parsed);
    } else {
        for (const char *address :
             {"$AIAID,", "$AIACF,", "$AIACE,", "$AIAAR,", "$PVKX,", "$GPRMC,", "!AIVDO,"}) {
            const QString body = QLatin1String(address) + rest;
            const QString line = body + QLatin1Char('*') + ParsedSentence::Checksum(body);
            const ParsedSentence parsed(line);
            MustAgree(line, parsed);
            harness->Feed(parsed);
        }
    }
    harness->EncodeAll();
    return 0;
}
