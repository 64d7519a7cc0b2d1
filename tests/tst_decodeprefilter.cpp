#include <QtTest>

#include "decode/addressfilter.h"
#include "decode/clocktime.h"
#include "sentences/parsedsentence.h"

// The cheap looks that the decoders take at a received line before, or
// instead of, the framework's parsers: they may never turn away a line that
// the full parse would give them.
class TestDecodePrefilter : public QObject
{
    Q_OBJECT

private slots:
    void addressFilter_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<bool>("mayHold");
        QTest::newRow("wanted") << "$GPRMC,201148.75,A*00\n" << true;
        QTest::newRow("encapsulated start") << "!GPGSV,1,1*00\n" << true;
        QTest::newRow("after junk") << "xx$G$GPGSA,A,3*00\n" << true;
        QTest::newRow("second start") << "$AITXT,1*00$GPTXT,1*00\n" << true;
        QTest::newRow("other talker") << "$AIRMC,1*00\n" << false;
        QTest::newRow("other formatter") << "$GPGGA,1*00\n" << false;
        QTest::newRow("cut short") << "$GPRM" << false;
    }
    void addressFilter()
    {
        QFETCH(QString, line);
        QFETCH(bool, mayHold);
        const AddressFilter filter(QStringLiteral("GP"),
                                   {QStringLiteral("RMC"), QStringLiteral("GSA"),
                                    QStringLiteral("GSV"), QStringLiteral("TXT")});
        QCOMPARE(filter.MayHold(line), mayHold);
    }

    void filterNeverTurnsAwayAParsedSentence()
    {
        // Every valid sentence with the wanted address passes, wherever the
        // parse finds it.
        const AddressFilter filter(QStringLiteral("AI"),
                                   {QStringLiteral("TXT"), QStringLiteral("ALR")});
        const QStringList bodies{"$AITXT,01,01,21,lantern on", "$AIALR,201149.87,001,V,V,x",
                                 "$GPTXT,01,01,01,ok", "$AIVDO,1,1,,A,E>jH,2", "$PVKX,1"};
        for (const QString &body : bodies) {
            for (const QString &before : {QString(), QStringLiteral("!$AI"), QStringLiteral("$")}) {
                const QString line = before + body + '*' + ParsedSentence::Checksum(body) + '\n';
                const ParsedSentence sentence(line);
                const bool wanted = sentence.valid && sentence.talker == QLatin1String("AI") &&
                                    (sentence.formatter == QLatin1String("TXT") ||
                                     sentence.formatter == QLatin1String("ALR"));
                if (wanted)
                    QVERIFY2(filter.MayHold(line), qPrintable(line));
            }
        }
    }

    void clockTimeReadsAsTheFormatParserDoes()
    {
        const QStringList texts{"201149", "000000",  "235959", "240000", "236000", "235960",
                                "12345",  "1234567", "12a456", "-12345", " 12345", ""};
        for (const QString &text : texts) {
            const QTime expected = QTime::fromString(text, QStringLiteral("hhmmss"));
            QCOMPARE(ClockTime(text), expected);
        }
        QCOMPARE(ClockTime("201149"), QTime(20, 11, 49));
    }
};

QTEST_GUILESS_MAIN(TestDecodePrefilter)
#include "tst_decodeprefilter.moc"
