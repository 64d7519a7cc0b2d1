#include <QtTest>

#include <cstring>

#include "decode/clocktime.h"
#include "link/receivedline.h"
#include "sentences/parsedsentence.h"
#include "sentences/sentenceview.h"

// The in-place reading of a line that the decoders use must decide and read
// exactly as the full parse and the framework's number parsers do.
class TestSentenceView : public QObject
{
    Q_OBJECT

    static QString Sealed(const QString &body)
    {
        return body + '*' + ParsedSentence::Checksum(body);
    }

private slots:
    void agreesWithTheParse_data()
    {
        QTest::addColumn<QString>("line");
        const QString gsv = Sealed("$GPGSV,3,1,11,01,40,083,46,02,17,308,,12,07,344,39");
        QTest::newRow("sound") << gsv + "\r\n";
        QTest::newRow("junk around") << "\x01>x$G" + gsv + "\n";
        QTest::newRow("proprietary") << Sealed("$PVKX,255,appver,0,2.4");
        QTest::newRow("encapsulated") << Sealed("!AIVDO,1,1,,A,E>jHD0VW7a:4@84,2");
        QTest::newRow("82 characters") << Sealed("$GPTXT,01,01,02," + QString(61, 'x'));
        QTest::newRow("83 characters") << Sealed("$GPTXT,01,01,02," + QString(62, 'x'));
        QTest::newRow("lower-case checksum") << Sealed("$GPTXT,01,01,02,ab").toLower();
        QTest::newRow("wrong checksum") << "$GPGSA,A,3,04*00";
        QTest::newRow("two checksums") << Sealed("$GPTXT,1") + Sealed(",2");
        QTest::newRow("second start") << "$GPGS" + Sealed("$GPRMC,1,2");
        QTest::newRow("short address") << Sealed("$GPR,1,2");
        QTest::newRow("outside Latin-1") << Sealed(QString("$AITXT,01,01,02,caf") + QChar(0x20AC));
        QTest::newRow("Latin-1") << Sealed(QString("$AITXT,01,01,02,caf") + QChar(0xE9)) + '\n';
        QTest::newRow("empty fields") << Sealed("$GPGSA,,,,,");
        QTest::newRow("nothing") << QString();
    }
    void agreesWithTheParse()
    {
        QFETCH(QString, line);
        const ParsedSentence parsed(line);
        const SentenceView view(line);
        // A received line is located on its bytes, as a port or a log gives them.
        const bool latin1 =
            std::all_of(line.begin(), line.end(), [](QChar c) { return c.unicode() < 256; });
        const QByteArray bytes = latin1 ? line.toLatin1() : line.toUtf8();
        const ReceivedLine received(bytes.constData(), bytes.size(),
                                    latin1 ? ReceivedLine::Encoding::Latin1
                                           : ReceivedLine::Encoding::Utf8,
                                    ReceivedLine::End::None);
        QCOMPARE(received.Sentence().IsValid(), parsed.valid);
        QCOMPARE(received.Sentence().FieldCount(), view.FieldCount());
        for (int i = 0; i < view.FieldCount(); ++i)
            QCOMPARE(received.Sentence().Field(i), view.Field(i));
        QCOMPARE(view.IsValid(), parsed.valid);
        if (!parsed.valid) {
            QCOMPARE(view.FieldCount(), 0);
            return;
        }
        QCOMPARE(view.Talker().toString(), parsed.talker);
        QCOMPARE(view.Formatter().toString(), parsed.formatter);
        QCOMPARE(view.FieldCount(), parsed.fields.size());
        const QByteArray talker = parsed.talker.toLatin1(), formatter = parsed.formatter.toLatin1();
        for (const SentenceView *each : {&view, &received.Sentence()}) {
            QVERIFY(each->Is(QLatin1String(talker), QLatin1String(formatter)));
            QVERIFY(!each->Is(QLatin1String(talker), QLatin1String(formatter + "X")));
        }
        // The numbers of all fields in one pass, read from the bytes as from
        // the text; one more than there are reads 0.
        QVector<int> numbers(parsed.fields.size() + 1, -1), fromBytes = numbers;
        view.Numbers(0, numbers.size(), numbers.data());
        received.Sentence().Numbers(0, fromBytes.size(), fromBytes.data());
        QCOMPARE(fromBytes, numbers);
        for (int i = -1; i <= parsed.fields.size(); ++i) {
            QChar first;
            parsed.GetChar(i, first);
            QCOMPARE(view.FirstCode(i), first.unicode());
            QCOMPARE(received.Sentence().FirstCode(i), first.unicode());
            int number = -1;
            parsed.GetInt(i, number);
            QCOMPARE(numbers.value(i, 0), number);
            QString s1, s2;
            QCOMPARE(view.String(i, s1), parsed.GetString(i, s2));
            QCOMPARE(s1, s2);
            QChar c1, c2;
            QCOMPARE(view.Char(i, c1), parsed.GetChar(i, c2));
            QCOMPARE(c1, c2);
            int n1 = -1, n2 = -2;
            QCOMPARE(view.Digit(i, n1), parsed.GetDigit(i, n2));
            QCOMPARE(n1, n2);
            QCOMPARE(view.Int(i, n1), parsed.GetInt(i, n2));
            QCOMPARE(n1, n2);
        }
    }

    void numbersReadAsTheFrameworkDoes()
    {
        const QStringList texts{"0",
                                "42",
                                "007",
                                "123456789",
                                "2147483647",
                                "2147483648",
                                "-5",
                                "+5",
                                " 5",
                                "5 ",
                                "1e3",
                                "0x1F",
                                "",
                                ".",
                                "5.",
                                ".5",
                                "1.2.3",
                                "5047.4495",
                                "00106.2246",
                                "0.1",
                                "211.6",
                                "359.99999",
                                "9007199254740993",
                                "123456789012345.6",
                                "0.000000000000001",
                                "12,5",
                                "nan",
                                "inf"};
        for (const QString &text : texts) {
            bool ok = false;
            const int expectedInt = text.toInt(&ok);
            QCOMPARE(SentenceView::IntOf(text), ok ? expectedInt : 0);
            const double expected = text.toDouble();
            const double got = SentenceView::DoubleOf(text);
            QVERIFY2(std::memcmp(&expected, &got, sizeof got) == 0, qPrintable(text));
        }
        // So as fields of a received line, read in one pass from its bytes.
        for (int from = 0; from < texts.size(); from += 4) {
            const QStringList fields = texts.mid(from, 4);
            const QByteArray line = Sealed("$GPXXX," + fields.join(',')).toLatin1();
            const ReceivedLine received(line.constData(), line.size(),
                                        ReceivedLine::Encoding::Latin1, ReceivedLine::End::Implied);
            QVERIFY2(received.Sentence().IsValid(), line.constData());
            const QStringList split = fields.join(',').split(',');
            QVector<int> numbers(split.size());
            received.Sentence().Numbers(1, split.size(), numbers.data());
            for (int i = 0; i < split.size(); ++i)
                QCOMPARE(numbers.at(i), SentenceView::IntOf(split.at(i)));
        }
    }

    void sharedParseFollowsTheLine()
    {
        QString line = Sealed("$GPRMC,1,2") + '\n';
        const SentenceView &first = SentenceView::Shared(line);
        QVERIFY(first.IsValid());
        QCOMPARE(first.Field(1), QStringView(u"1"));
        // Changed in place after the look: the change detaches the line.
        line[8] = '9';
        QVERIFY(!SentenceView::Shared(line).IsValid());
        line = Sealed("$GPRMC,7,2") + '\n';
        QCOMPARE(SentenceView::Shared(line).Field(1), QStringView(u"7"));
        // A literal is parsed every time.
        QVERIFY(SentenceView::Shared(QStringLiteral("$GPTXT,1*05")).IsValid() ==
                ParsedSentence(QStringLiteral("$GPTXT,1*05")).valid);
    }

    void clockTimeReadsAsTheFormatParserDoes()
    {
        const QStringList texts{"201149", "000000",  "235959", "240000", "236000", "235960",
                                "12345",  "1234567", "12a456", "-12345", " 12345", ""};
        for (const QString &text : texts)
            QCOMPARE(ClockTime(text), QTime::fromString(text, QStringLiteral("hhmmss")));
    }
};

QTEST_GUILESS_MAIN(TestSentenceView)
#include "tst_sentenceview.moc"
