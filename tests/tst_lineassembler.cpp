#include "link/lineassembler.h"
#include "sentences/parsedsentence.h"

#include <QtTest>

// The line assembly alone, fed as a port and as a log would feed it.
class TestLineAssembler : public QObject
{
    Q_OBJECT

    QStringList received;
    QStringList sent;
    // Called with each received line before it is recorded.
    std::function<void()> onLine;
    LineAssembler assembler{[this](const ReceivedLine &line, bool prompt) {
                                received << (prompt ? "prompt " : "") + line.Text();
                                if (onLine)
                                    onLine();
                            },
                            [this](const QString &line) { sent << line; }};

    void Pieces(const QByteArray &bytes)
    {
        // As a port read gives them: up to a line end, at most 255 bytes.
        for (int from = 0; from < bytes.size();) {
            const int end = bytes.indexOf('\n', from);
            const int length = qMin(end < 0 ? bytes.size() - from : end + 1 - from, 255);
            assembler.AddPiece(bytes.constData() + from, length);
            from += length;
        }
    }
    void Blocks(const QByteArray &bytes, int size)
    {
        for (int from = 0; from < bytes.size(); from += size)
            assembler.AddBlock(bytes.constData() + from, qMin(size, bytes.size() - from));
        assembler.Finish();
    }
    QStringList Sound() const
    {
        QStringList sound;
        for (const QString &line : received) {
            const ParsedSentence parsed(line);
            if (parsed.valid)
                sound << parsed.ToText();
        }
        return sound;
    }

private slots:
    void init()
    {
        received.clear();
        sent.clear();
        onLine = nullptr;
        assembler.Reset(LineAssembler::Source::Port);
    }

    void piecesAreJoinedIntoLines()
    {
        // A lone prompt and a two-character prompt are passed on at once;
        // three characters ending in '>' are an ordinary partial line. A
        // comment is dropped only when it is a whole line.
        for (const char *piece : {">", "\r>", "x>", "ab>", "c\n", "# vandrel comment\n", "#$",
                                  "GPTXT,1*00\n", "abc", "def*1A\r\n", "a\rb\r\r\n", "z\0e\n"})
            assembler.AddPiece(piece, piece[0] == 'z' ? 5 : int(qstrlen(piece)));
        QCOMPARE(received, (QStringList{"prompt >", "prompt >", "prompt x>", "ab>c\n",
                                        "#$GPTXT,1*00\n", "abcdef*1A\n", "ab\n", "ze\n"}));

        // Input without a line end is passed on in bounded parts that hold
        // all of it, in order; the sentence after it stands on its own.
        received.clear();
        QByteArray junk(10000, 'x');
        for (int i = 0; i < junk.size(); i += 97)
            junk[i] = 'y';
        Pieces(junk + "\n$GPTXT,after*00\r\n");
        QCOMPARE(received.last(), QString("$GPTXT,after*00\n"));
        for (const QString &line : qAsConst(received))
            QVERIFY(line.size() <= LineAssembler::MaxLineLength + 1 && line.endsWith('\n'));
        QCOMPARE(received.join("").remove('\n'), QString::fromLatin1(junk) + "$GPTXT,after*00");
    }

    // Whatever comes before a sound sentence, and wherever the input is cut,
    // from a port or from a log, the sentence is passed on and parses.
    void soundLineSurvivesWhatComesBefore_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::newRow("zero bytes") << QByteArray("ab\0cd\0", 6);
        QTest::newRow("control bytes") << QByteArray("\x01\x1b[2J\x7f");
        QTest::newRow("half line") << QByteArray("$GPGSV,3,1,11,01,4");
        QTest::newRow("two half lines") << QByteArray("$GPGSA,A,3!AIVDO,1,1");
        QTest::newRow("hash") << QByteArray("#");
        QTest::newRow("prompt") << QByteArray(">");
    }
    void soundLineSurvivesWhatComesBefore()
    {
        QFETCH(QByteArray, before);
        const QString body = "$GPRMC,123519,A,4807.038,N,01131.000,E,0.1,84.4,230394,,,A";
        const QString sentence = body + '*' + ParsedSentence::Checksum(body);
        const QByteArray bytes = before + sentence.toLatin1() + "\r\n" + ">appver\r\n";
        for (int cut = 1; cut < bytes.size(); ++cut) {
            for (const auto source : {LineAssembler::Source::Port, LineAssembler::Source::Log}) {
                received.clear();
                sent.clear();
                assembler.Reset(source);
                if (source == LineAssembler::Source::Port) {
                    Pieces(bytes.left(cut));
                    Pieces(bytes.mid(cut));
                    assembler.Finish();
                } else {
                    Blocks(bytes, cut);
                    // A logged command stays a line that was sent.
                    QCOMPARE(sent, QStringList{">appver\r\n"});
                }
                QVERIFY2(Sound() == QStringList{sentence}, qPrintable(received.join('|')));
            }
        }
    }

    void logLinesByKind()
    {
        const auto sealed = [](const QByteArray &body) {
            return body + '*' + ParsedSentence::Checksum(QString::fromLatin1(body)).toLatin1();
        };
        const QByteArray longLine(5000, 'x');
        const QByteArray log =
            "#\n# vandrel Started log file\n#\n>appver\n" + sealed(">$UPAIQ,AID") + "\n" +
            sealed(">$PVKX,255,appver,0,2") + "\n" + sealed("#$AITXT,01,01,01,kept") + "\n#" +
            longLine + "\n>" + longLine + "\n" + longLine + "\ncaf\xC3\xA9 " +
            QByteArray(2999, 'a') + QByteArray("\xC3\xA9").repeated(1000) + "\nlast";
        assembler.Reset(LineAssembler::Source::Log);
        // Blocks that cut lines, and a two-byte character, anywhere.
        Blocks(log, 1001);

        QCOMPARE(sent.mid(0, 2), (QStringList{">appver\n", sealed(">$UPAIQ,AID") + "\n"}));
        QCOMPARE(sent.mid(2).join("").remove('\n'), ">" + longLine);
        QCOMPARE(received.mid(0, 2), (QStringList{sealed(">$PVKX,255,appver,0,2") + "\n",
                                                  sealed("#$AITXT,01,01,01,kept") + "\n"}));
        QCOMPARE(received.last(), QString("last\n"));
        // Long lines come in bounded parts, a character never cut in two.
        QString joined;
        for (const QString &part : received.mid(2, received.size() - 3)) {
            QVERIFY(part.size() <= LineAssembler::MaxLineLength + 1 && part.endsWith('\n'));
            QVERIFY(!part.contains(QChar::ReplacementCharacter));
            joined += part.chopped(1);
        }
        QCOMPARE(joined, QString::fromLatin1(longLine) + "caf" + QChar(0xE9) + " " +
                             QString(2999, 'a') + QString(1000, QChar(0xE9)));
    }

    // A line is passed on without its CR LF or LF: its parse, its length
    // limit (which counts the line end as CR LF) and its text as logged are the same
    // either way, and a line cut short keeps its parts apart.
    void lineEndsOfEitherKind()
    {
        QStringList logged;
        QList<bool> valid;
        LineAssembler lines(
            [&](const ReceivedLine &line, bool) {
                logged << QString::fromLatin1(line.Utf8());
                valid << line.Sentence().IsValid();
            },
            [](const QString &) {});
        const auto sealed = [](int length) {
            const QByteArray body = "$GPTXT," + QByteArray(length - 10, 'x');
            return body + '*' + ParsedSentence::Checksum(QString::fromLatin1(body)).toLatin1();
        };
        for (const char *end : {"\n", "\r\n"}) {
            for (const auto source : {LineAssembler::Source::Port, LineAssembler::Source::Log}) {
                logged.clear();
                valid.clear();
                lines.Reset(source);
                // 80 characters and CR LF make the longest sentence.
                const QByteArray input = sealed(ParsedSentence::MaxLength - 2) + end +
                                         sealed(ParsedSentence::MaxLength - 1) + end +
                                         "$GPGSV,3,1" + sealed(20) + end + "a\rb" + end;
                lines.AddBlock(input.constData(), input.size());
                QCOMPARE(logged, (QStringList{sealed(ParsedSentence::MaxLength - 2) + "\n",
                                              sealed(ParsedSentence::MaxLength - 1) + "\n",
                                              "$GPGSV,3,1\n", sealed(20) + "\n", "ab\n"}));
                QCOMPARE(valid, (QList<bool>{true, false, false, true, false}));
            }
        }
    }

    // A listener that closes the line stops the delivery of what was read.
    void resetStopsTheDelivery()
    {
        onLine = [this] { assembler.Reset(LineAssembler::Source::Port); };
        const QByteArray glued = "$GPGSV,3,1$GPGSA,A,3$GPRMC,1\n$GPTXT,next*00\n";
        assembler.AddPiece(glued.constData(), glued.indexOf('\n') + 1);
        QCOMPARE(received, QStringList{"$GPGSV,3,1\n"});
        received.clear();
        assembler.Reset(LineAssembler::Source::Log);
        Blocks(glued, glued.size());
        QCOMPARE(received, QStringList{"$GPGSV,3,1\n"});
    }
};

QTEST_GUILESS_MAIN(TestLineAssembler)
#include "tst_lineassembler.moc"
