// Throughput of the line parse on the kind of traffic that a docked unit
// sends and that traffic logs replay: GPS fixes and satellites, the unit's own
// AIS report, configuration answers, shell answers, damaged lines and noise.

#include "decode/gpsdecoder.h"
#include "decode/messagedecoder.h"
#include "link/receivedline.h"
#include "model/model.h"
#include "sentences/parsedsentence.h"
#include "sentences/sentenceview.h"

#include <QCoreApplication>

#include <QLoggingCategory>
#include <QStringList>

#include <benchmark/benchmark.h>

namespace {

QString Sealed(const QString &body)
{
    return body + "*" + ParsedSentence::Checksum(body) + "\n";
}

QStringList SoundLines()
{
    return {
        Sealed("$GPRMC,123519.00,A,5030.1234,N,00415.9876,W,0.02,84.4,061226,,,A"),
        Sealed("$GPGSA,A,3,04,05,,09,12,,,24,,,,,2.5,1.3,2.1"),
        Sealed("$GPGSV,3,1,11,01,40,083,46,02,17,308,41,12,07,344,39,14,22,228,45"),
        Sealed("$GPGSV,3,2,11,15,61,102,48,17,05,187,,19,33,271,42,22,12,044,38"),
        Sealed("$GPGSV,3,3,11,24,55,150,47,25,09,312,,32,28,073,40"),
        Sealed("$GPRMC,123520.00,A,5030.1235,N,00415.9877,W,0.01,84.4,061226,,,A"),
        Sealed("$GPGSA,A,3,04,05,,09,12,,,24,,,,,2.4,1.3,2.0"),
        Sealed("!AIVDO,2,1,7,A,E>k`sUoJK@@@@@@@@@@@@@@@@@@P0000VQ@2:1@0000000000,0"),
        Sealed("!AIVDO,2,2,7,A,0000000000000,2"),
        Sealed("$AIAAR,123456789,21,01,00,00,00,6750,0,00,00,00,6750,R"),
        Sealed("$AIAAR,123456789,06,01,00,10,,180,1,00,40,,180,R"),
        Sealed("$AIAID,123456789,1,123456789,R,R"),
        Sealed("$AIACF,123456789,1,5030.0000,N,00415.0000,W,1,2087,2088,2087,2088,1,5,0,R"),
        Sealed("$AIACE,123456789,E0,0050,1,0,1,NORTH PIER^2C HEAD,0050050505,R"),
        Sealed("$PVKX,255,appver,0,2.4.17-B3"),
        Sealed("$PVKX,255,battvolts,2,12.61"),
        Sealed("$PVKX,255,nvgeti \"limvmax\",8,24000"),
        Sealed("$AIALR,123519.00,001,A,V,AIS: Tx malfunction"),
        Sealed("$GPTXT,01,01,02,ANTSTATUS=OK"),
    };
}

QStringList Mix()
{
    QStringList lines = SoundLines();
    // Damaged lines: a flipped digit, a changed status, a line cut short.
    QString flipped = lines.at(0);
    flipped[20] = QLatin1Char('7');
    lines << flipped;
    lines << QString(lines.at(9)).replace(QStringLiteral(",R*"), QStringLiteral(",C*"));
    lines << "$GPGSV,3,1,11,01,40,083,46,02,17,3\n";
    // Noise: a prompt, a burst of line noise, an over-long line.
    lines << ">\n";
    lines << QString::fromLatin1("\xff\xfe~~#~\x7f\x01 rubbish on the line $ * ,\n");
    lines << Sealed("$GPRMC," + QString(100, QLatin1Char('9')));
    return lines;
}

void ParseLines(benchmark::State &state, const QStringList &lines)
{
    QLoggingCategory::setFilterRules(QStringLiteral("default.debug=false"));
    int valid = 0;
    for (auto _ : state) {
        for (const QString &line : lines) {
            ParsedSentence sentence(line);
            valid += sentence.valid;
            benchmark::DoNotOptimize(sentence);
        }
    }
    state.SetItemsProcessed(state.iterations() * lines.size());
    state.counters["valid_share"] =
        benchmark::Counter(double(valid) / double(state.iterations() * lines.size()));
}

void BM_ParseMix(benchmark::State &state)
{
    ParseLines(state, Mix());
}

void BM_ParseSound(benchmark::State &state)
{
    ParseLines(state, SoundLines());
}

void BM_ParseAndRead(benchmark::State &state)
{
    // What a decoder does after the parse: check the head and read a field.
    QLoggingCategory::setFilterRules(QStringLiteral("default.debug=false"));
    const QStringList lines = Mix();
    long sum = 0;
    for (auto _ : state) {
        for (const QString &line : lines) {
            const ParsedSentence sentence(line);
            int value = 0;
            if (sentence.valid && sentence.talker == UnitTalker && sentence.GetInt(2, value))
                sum += value;
        }
    }
    benchmark::DoNotOptimize(sum);
    state.SetItemsProcessed(state.iterations() * lines.size());
}

// What the decoders do with each line: the parse in place that they share.
void BM_ViewMix(benchmark::State &state)
{
    const QStringList lines = Mix();
    int valid = 0;
    for (auto _ : state) {
        for (const QString &line : lines) {
            const SentenceView view(line);
            valid += view.IsValid();
            benchmark::DoNotOptimize(view);
        }
    }
    benchmark::DoNotOptimize(valid);
    state.SetItemsProcessed(state.iterations() * lines.size());
}

// One second of a GPS receiver (RMC, GSA, three GSV) through the GPS decoder
// as the window and the tool feed it, each line a new text as from the line:
// parse, decode and the records' update, with nothing listening.
void BM_DecodeGps(benchmark::State &state)
{
    const QStringList lines = SoundLines().mid(0, 7);
    GPSDecoder decoder;
    for (auto _ : state) {
        for (const QString &line : lines)
            decoder.OnReceived(QString(line.constData(), line.size()));
    }
    state.SetItemsProcessed(state.iterations() * lines.size());
}

// The same second of GPS as replay and the command-line tool feed it: each
// line's bytes as read, parsed in place once and handed to the decoder.
void BM_DecodeGpsBytes(benchmark::State &state)
{
    QList<QByteArray> lines;
    for (const QString &line : SoundLines().mid(0, 7))
        lines << line.toLatin1();
    GPSDecoder decoder;
    for (auto _ : state) {
        for (const QByteArray &bytes : qAsConst(lines)) {
            const ReceivedLine line(bytes.constData(), bytes.size(), ReceivedLine::Encoding::Utf8,
                                    ReceivedLine::End::Implied);
            decoder.Decode(line.Sentence());
        }
    }
    state.SetItemsProcessed(state.iterations() * lines.size());
}

// The whole mix through both decoders, as the window connects them.
void BM_DecodeMix(benchmark::State &state)
{
    QLoggingCategory::setFilterRules(QStringLiteral("default.debug=false"));
    const QStringList lines = Mix();
    Model model;
    GPSDecoder gps;
    MessageDecoder messages(&model);
    for (auto _ : state) {
        for (const QString &line : lines) {
            const QString received(line.constData(), line.size());
            gps.OnReceived(received);
            messages.OnReceived(received);
        }
    }
    state.SetItemsProcessed(state.iterations() * lines.size());
}

} // namespace

BENCHMARK(BM_ParseMix);
BENCHMARK(BM_ViewMix);
BENCHMARK(BM_DecodeGps);
BENCHMARK(BM_DecodeGpsBytes);
BENCHMARK(BM_DecodeMix);
BENCHMARK(BM_ParseSound);
BENCHMARK(BM_ParseAndRead);
// The decoders' watchdogs are timers, which want an application object.
int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
