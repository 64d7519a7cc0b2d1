#include "sentences/parsedsentence.h"

#include <QtTest>

namespace {

// The test's own checksum: XOR of every byte after the start character.
QString Sum(const QString &body)
{
    const QByteArray bytes = body.toLatin1();
    int x = 0;
    for (int i = 1; i < bytes.size(); ++i)
        x ^= uchar(bytes.at(i));
    return QString::asprintf("%02X", x);
}

QString Framed(const QString &body)
{
    return body + "*" + Sum(body);
}

} // namespace

class TestSentenceParse : public QObject
{
    Q_OBJECT

private slots:
    void validLines_data();
    void validLines();
    void invalidLines_data();
    void invalidLines();
    void lengthLimit();
    void sameAsPattern();
    void failedLineKeepsItsFields();
    void accessors();
    void checksumAndText();
    void escapeRoundTrip();
    void unescapeOddCases();
    void sixBitValues();
};

void TestSentenceParse::validLines_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<QString>("talker");
    QTest::addColumn<QString>("formatter");

    const QString aid = Framed("$AIAID,1,2");
    QTest::newRow("bare") << aid << QStringList{"$AIAID", "1", "2"} << "AI"
                          << "AID";
    QTest::newRow("noise and line end ignored") << "x>,*12 " + aid + "\r\n"
                                                << QStringList{"$AIAID", "1", "2"} << "AI"
                                                << "AID";
    QTest::newRow("proprietary") << Framed("$PVKX,255,appver,0,1.2.3") + "\n"
                                 << QStringList{"$PVKX", "255", "appver", "0", "1.2.3"} << "P"
                                 << "VKX";
    QTest::newRow("encapsulated, empty fields kept")
        << Framed("!AIVDO,1,1,,A,E>k`sUoJK@@@@@@@@@@@@@@@@@@@0000,4")
        << QStringList{"!AIVDO", "1", "1", "", "A", "E>k`sUoJK@@@@@@@@@@@@@@@@@@@0000", "4"} << "AI"
        << "VDO";
    QTest::newRow("escaped comma stays in its field")
        << Framed("$AIACE,1,^2C") << QStringList{"$AIACE", "1", "^2C"} << "AI"
        << "ACE";
    QTest::newRow("digits in the address")
        << Framed("$GP123,x") << QStringList{"$GP123", "x"} << "GP"
        << "123";
    // A "*" inside the sentence splits like a comma and counts in the checksum as itself.
    QTest::newRow("inner asterisk")
        << Framed("$AIAID,a*b,c") << QStringList{"$AIAID", "a", "b", "c"} << "AI"
        << "AID";
    // The first "$" that starts a well-formed address wins.
    QTest::newRow("earlier dollar without address")
        << "$AI$" + aid << QStringList{"$AIAID", "1", "2"} << "AI"
        << "AID";
    QTest::newRow("shortest shape") << Framed("$AIAID") << QStringList{"$AIAID"} << "AI"
                                    << "AID";
    // The match runs to the last "*HH"; text after it that is not one is ignored.
    QTest::newRow("junk after checksum") << aid + "*zz*1" << QStringList{"$AIAID", "1", "2"} << "AI"
                                         << "AID";
}

void TestSentenceParse::validLines()
{
    QFETCH(QString, line);
    QFETCH(QStringList, fields);
    QFETCH(QString, talker);
    QFETCH(QString, formatter);

    const ParsedSentence s(line);
    QVERIFY(s.valid);
    QCOMPARE(s.fields, fields);
    QCOMPARE(s.talker, talker);
    QCOMPARE(s.formatter, formatter);
}

void TestSentenceParse::invalidLines_data()
{
    QTest::addColumn<QString>("line");

    const QString body = "$AIAID,1,2";
    const QString sum = Sum(body);
    const QString lettered = "$AIAID,1,2,A"; // its checksum holds a letter
    QVERIFY(Sum(lettered) != Sum(lettered).toLower());
    QTest::newRow("lower-case checksum") << lettered + "*" + Sum(lettered).toLower() + "\r\n";
    QTest::newRow("wrong checksum") << body + "*" + Sum("$AIAIE,1,2");
    QTest::newRow("no checksum") << body;
    QTest::newRow("one checksum digit") << body + "*" + sum.left(1);
    QTest::newRow("lower-case address") << Framed("$aiAID,1,2");
    QTest::newRow("three-letter address") << Framed("$AIA,1,2");
    QTest::newRow("nothing after address") << Framed("$AIAI");
    QTest::newRow("no start character") << Framed("AIAID,1,2");
    QTest::newRow("empty") << QString();
    QTest::newRow("prompt") << ">";
    // Greedy: a later "*HH" after the real checksum ends the match there, and
    // the checksum no longer fits.
    QTest::newRow("second checksum group after the first") << Framed(body) + " *00";
    QTest::newRow("bit error in a separator") << body.left(8) + "*" + body.mid(9) + "*" + sum;
}

void TestSentenceParse::invalidLines()
{
    QFETCH(QString, line);
    const ParsedSentence s(line);
    QVERIFY(!s.valid);
    QVERIFY(s.talker.isEmpty());
    QVERIFY(s.formatter.isEmpty());
}

void TestSentenceParse::lengthLimit()
{
    // 82 characters in all, line end included, is the longest valid line.
    QString body = "$AIAID,";
    body += QString(82 - 3 - 2 - body.size(), QLatin1Char('7'));
    const QString line82 = Framed(body) + "\r\n";
    QCOMPARE(line82.size(), 82);
    QVERIFY(ParsedSentence(line82).valid);

    const QString line83 = " " + line82;
    const ParsedSentence s(line83);
    QVERIFY(!s.valid);
    // The parse went on: the fields are there, the checksum was right.
    QCOMPARE(s.fields.size(), 2);
    QCOMPARE(s.fields.at(0), QString("$AIAID"));
}

// The parse finds the sentence by hand; a pattern engine on random lines,
// sound ones damaged at random places included, must find the same.
void TestSentenceParse::sameAsPattern()
{
    const QRegExp shape("[!\\$][0-9A-Z]{4,5}.+\\*[0-9A-F]{2}");
    const QString alphabet = "$!*,AZ09Fafz^ \n\r";
    QRandomGenerator random(20261206);
    QLoggingCategory::setFilterRules("default.debug=false");
    int validSeen = 0;
    for (int round = 0; round < 20000; ++round) {
        QString line;
        if (round % 2 == 0) {
            line = Framed("$GPXYZ," + QString::number(random.bounded(100000)) + ",A*,B");
            for (int k = random.bounded(3); k > 0; --k) {
                const int at = random.bounded(line.size() + 1);
                line.insert(at, alphabet.at(random.bounded(alphabet.size())));
            }
        } else {
            for (int k = random.bounded(30); k > 0; --k)
                line += alphabet.at(random.bounded(alphabet.size()));
        }
        QStringList fields;
        bool valid = false;
        if (shape.indexIn(line) >= 0) {
            const QString text = shape.cap(0);
            fields = text.split(QRegularExpression("[\\*,]"));
            const QString sum = fields.takeLast();
            valid = line.size() <= 82 && sum == Sum(text.left(text.size() - 3));
        }
        const ParsedSentence s(line);
        QVERIFY2(s.fields == fields, qPrintable(line));
        QVERIFY2(s.valid == valid, qPrintable(line));
        validSeen += valid;
    }
    QLoggingCategory::setFilterRules(QString());
    QVERIFY(validSeen > 1000);
}

void TestSentenceParse::failedLineKeepsItsFields()
{
    const ParsedSentence bad("$AIAID,1,,3*00");
    QVERIFY(!bad.valid);
    QCOMPARE(bad.fields, (QStringList{"$AIAID", "1", "", "3"}));

    QTest::ignoreMessage(QtDebugMsg, "Unable to handle: garbage line");
    const ParsedSentence noise("garbage line");
    QVERIFY(!noise.valid);
    QVERIFY(noise.fields.isEmpty());

    const ParsedSentence none;
    QVERIFY(!none.valid);
    QString out;
    QVERIFY(!none.GetString(0, out));
}

void TestSentenceParse::accessors()
{
    const ParsedSentence s(Framed("$AIXYZ,12,,E8,zz,-42,abc,R"));
    QVERIFY(s.valid);
    QString text = "stale";
    QChar c = 'x';
    int v = 99;

    QVERIFY(s.GetString(2, text));
    QCOMPARE(text, QString());
    QVERIFY(s.GetString(7, text));
    QCOMPARE(text, QString("R"));
    text = "stale";
    QVERIFY(!s.GetString(8, text));
    QCOMPARE(text, QString());
    QVERIFY(!s.GetString(-1, text));

    QVERIFY(s.GetChar(7, c));
    QCOMPARE(c, QChar('R'));
    QVERIFY(!s.GetChar(2, c));
    QCOMPARE(c, QChar());
    c = 'x';
    QVERIFY(!s.GetChar(8, c));
    QCOMPARE(c, QChar());

    QVERIFY(s.GetDigit(1, v));
    QCOMPARE(v, 1);
    QVERIFY(s.GetDigit(4, v));
    QCOMPARE(v, 0);
    v = 99;
    QVERIFY(!s.GetDigit(2, v));
    QCOMPARE(v, 0);

    QVERIFY(s.GetHex(3, v));
    QCOMPARE(v, 0xE8);
    v = 99;
    QVERIFY(s.GetHex(4, v));
    QCOMPARE(v, 0);
    v = 99;
    QVERIFY(!s.GetHex(2, v));
    QCOMPARE(v, 0);

    QVERIFY(s.GetInt(1, v));
    QCOMPARE(v, 12);
    QVERIFY(s.GetInt(5, v));
    QCOMPARE(v, -42);
    v = 99;
    QVERIFY(s.GetInt(6, v));
    QCOMPARE(v, 0);
    v = 99;
    QVERIFY(!s.GetInt(2, v));
    QCOMPARE(v, 0);
    v = 99;
    QVERIFY(!s.GetInt(-3, v));
    QCOMPARE(v, 0);
    QVERIFY(!s.GetInt(100, v));

    // A number too large for an int reads as 0, not as a wrapped value.
    const ParsedSentence big(Framed("$AIXYZ,99999999999,FFFFFFFFFF"));
    QVERIFY(big.GetInt(1, v));
    QCOMPARE(v, 0);
    QVERIFY(big.GetHex(2, v));
    QCOMPARE(v, 0);
}

void TestSentenceParse::checksumAndText()
{
    // The start character is skipped.
    QCOMPARE(ParsedSentence::Checksum("$UPAIQ,AID"), Sum("$UPAIQ,AID"));
    QCOMPARE(ParsedSentence::Checksum("!UPAIQ,AID"), Sum("$UPAIQ,AID"));
    QCOMPARE(ParsedSentence::Checksum("$"), QString("00"));
    QCOMPARE(ParsedSentence::Checksum(""), QString("00"));
    QChar high, low;
    ParsedSentence::Checksum("$PVKX,0,3,0xD4716B5E,1,battvolts,2", high, low);
    const QString expected = Sum("$PVKX,0,3,0xD4716B5E,1,battvolts,2");
    QCOMPARE(QString(high), expected.left(1));
    QCOMPARE(QString(low), expected.right(1));
    // Latin-1 codes count as themselves; what Latin-1 cannot hold goes out as "?".
    QCOMPARE(ParsedSentence::Checksum(QString::fromUtf8("$A\xc3\xa9")),
             Sum(QString::fromUtf8("$A\xc3\xa9")));
    QCOMPARE(ParsedSentence::Checksum(QString::fromUtf8("$A\xe2\x82\xac")), Sum("$A?"));

    const QString line = Framed("$AIAID,123456789,1,123456789,R,R");
    const ParsedSentence s(line + "\r\n");
    QCOMPARE(s.ToText(), line);
    QCOMPARE(ParsedSentence::ToText({"$AIAAR", "", "x"}), Framed("$AIAAR,,x"));
}

void TestSentenceParse::escapeRoundTrip()
{
    const QString reserved = "$*,!\\^~";
    QString text = "a" + reserved + "b";
    ParsedSentence::Escape(text);
    QCOMPARE(text, QString("a^24^2A^2C^21^5C^5E^7Eb"));
    ParsedSentence::Unescape(text);
    QCOMPARE(text, "a" + reserved + "b");

    for (QChar c : reserved) {
        QString one(c);
        ParsedSentence::Escape(one);
        QCOMPARE(one.size(), 3);
        QVERIFY(!one.mid(1).contains(QRegularExpression("[^0-9A-F]")));
        ParsedSentence::Unescape(one);
        QCOMPARE(one, QString(c));
    }

    QString plain = "ATON 7-B";
    ParsedSentence::Escape(plain);
    QCOMPARE(plain, QString("ATON 7-B"));
}

void TestSentenceParse::unescapeOddCases()
{
    const QList<QPair<QString, QString>> cases = {
        {"a^2cb", "a,b"}, // lower-case digits read as hexadecimal too
        {"a^zzb", "a.b"}, // two non-hexadecimal characters
        {"a^2zb", "a.b"}, // one of them non-hexadecimal
        {"ab^4", "ab^4"}, // caret with one character after it
        {"ab^", "ab^"},   // caret at the end
        {"^", "^"},       //
        {"^^2C", ".C"},   // a caret takes the next two, whatever they are
        {"^41^42", "AB"}, //
        {"^-1x", ".x"},   // a sign is not a digit
        {"", ""},         //
        {"^2C^2", ",^2"}, //
    };
    for (const auto &c : cases) {
        QString text = c.first;
        ParsedSentence::Unescape(text);
        QVERIFY2(text == c.second, qPrintable(c.first + " -> " + text));
    }
}

void TestSentenceParse::sixBitValues()
{
    QCOMPARE(ParsedSentence::SixBitValue('0'), 0);
    QCOMPARE(ParsedSentence::SixBitValue('9'), 9);
    QCOMPARE(ParsedSentence::SixBitValue('W'), 39);
    QCOMPARE(ParsedSentence::SixBitValue('X'), 40); // below "Y": not shifted
    QCOMPARE(ParsedSentence::SixBitValue('`'), 40);
    QCOMPARE(ParsedSentence::SixBitValue('a'), 41);
    QCOMPARE(ParsedSentence::SixBitValue('w'), 63);
}

QTEST_GUILESS_MAIN(TestSentenceParse)
#include "tst_sentenceparse.moc"
