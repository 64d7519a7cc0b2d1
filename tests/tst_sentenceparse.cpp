#include "sentences/parsedsentence.h"
#include "support/testchecksum.h"

#include <QtTest>
#include <tuple>

namespace {
QString (*const Sum)(const QString &) = TestChecksum::Sum;
QString (*const Framed)(const QString &) = TestChecksum::Framed;
} // namespace

class TestSentenceParse : public QObject
{
    Q_OBJECT

private slots:
    void lines();
    void sameAsPattern();
    void accessorsAndChecksum();
    void escaping();
};

void TestSentenceParse::lines()
{
    struct Row
    {
        QString line;
        bool valid;
        QStringList fields; // kept when the line fails too
        QString talker, formatter;
    };
    const QString aid = Framed("$AIAID,1,2");
    const QStringList aidFields = {"$AIAID", "1", "2"};
    const QString lettered = "$AIAID,1,2,A"; // its checksum holds a letter
    QVERIFY(Sum(lettered) != Sum(lettered).toLower());
    // 82 characters in all, line end included, is the longest valid line.
    const QString line82 = Framed("$AIAID," + QString(70, '7')) + "\r\n";
    QCOMPARE(line82.size(), 82);
    const QList<Row> rows = {
        {aid, true, aidFields, "AI", "AID"},
        {"x>,*12 " + aid + "\r\n", true, aidFields, "AI", "AID"}, // noise and line end ignored
        {"$AI$" + aid, true, aidFields, "AI", "AID"},             // first well-formed start wins
        {aid + "*zz*1", true, aidFields, "AI", "AID"},            // junk after the checksum
        {Framed("$PVKX,255,,0") + "\n", true, {"$PVKX", "255", "", "0"}, "P", "VKX"},
        {Framed("!AIVDO,1,,E>k`s"), true, {"!AIVDO", "1", "", "E>k`s"}, "AI", "VDO"},
        {Framed("$AIACE,1,^2C"), true, {"$AIACE", "1", "^2C"}, "AI", "ACE"},
        {Framed("$GP123"), true, {"$GP123"}, "GP", "123"},
        // An inner "*" splits like a comma but counts in the checksum as itself.
        {Framed("$AIAID,a*b"), true, {"$AIAID", "a", "b"}, "AI", "AID"},
        {line82, true, {"$AIAID", QString(70, '7')}, "AI", "AID"},
        {" " + line82, false, {"$AIAID", QString(70, '7')}, "", ""},
        // A lone LF stands for the CR LF that the line assembly cut to it.
        {line82.chopped(1), true, {"$AIAID", QString(70, '7')}, "AI", "AID"},
        {Framed("$AIAID," + QString(71, '7')) + "\n", false, {"$AIAID", QString(71, '7')}, "", ""},
        {lettered + "*" + Sum(lettered).toLower() + "\r\n", false, {}, "", ""},
        {"$AIAID,1,2*" + Sum("$AIAIE,1,2"), false, aidFields, "", ""},
        // A separator damaged into "*"; the match runs to the last "*HH".
        {"$AIAID,1*2*" + Sum("$AIAID,1,2"), false, aidFields, "", ""},
        {aid + " *00", false, {"$AIAID", "1", "2", aid.right(2) + " "}, "", ""},
        {Framed("$AIAI"), false, {}, "", ""}, // nothing after the address
        {"garbage line", false, {}, "", ""},
    };
    for (const Row &row : rows) {
        const ParsedSentence s(row.line);
        QVERIFY2(s.valid == row.valid && s.fields == row.fields,
                 qPrintable(row.line + " | " + s.fields.join('|')));
        QCOMPARE(s.talker, row.talker);
        QCOMPARE(s.formatter, row.formatter);
    }
}

// The parse finds the sentence by hand; a pattern engine on random lines,
// sound ones damaged at random places included, must find the same.
void TestSentenceParse::sameAsPattern()
{
    const QRegularExpression shape("[!\\$][0-9A-Z]{4,5}.+\\*[0-9A-F]{2}",
                                   QRegularExpression::DotMatchesEverythingOption);
    const QString alphabet = "$!*,AZ09FGafz^ \n\r";
    QRandomGenerator random(20261206);
    QLoggingCategory::setFilterRules("default.debug=false");
    const auto restore = qScopeGuard([] { QLoggingCategory::setFilterRules(QString()); });
    int validSeen = 0;
    for (int round = 0; round < 20000; ++round) {
        QString line;
        if (round % 3 == 2) {
            // Short lines near the edges of the shape.
            for (int k = 1 + random.bounded(7); k > 0; --k)
                line += alphabet.at(random.bounded(10));
            line = "$" + line + "*" + Sum("$" + line);
        } else if (round % 3 == 0) {
            line = Framed("$GPXYZ," + QString::number(random.bounded(100000)) + ",A*,B");
            for (int k = random.bounded(3); k > 0; --k)
                line.insert(random.bounded(line.size() + 1),
                            alphabet.at(random.bounded(alphabet.size())));
        } else {
            for (int k = random.bounded(30); k > 0; --k)
                line += alphabet.at(random.bounded(alphabet.size()));
        }
        QStringList fields;
        bool valid = false;
        const QRegularExpressionMatch match = shape.match(line);
        if (match.hasMatch()) {
            const QString text = match.captured(0);
            fields = text.split(QRegularExpression("[\\*,]"));
            const QString sum = fields.takeLast();
            valid = line.size() + int(line.endsWith('\n') && !line.endsWith("\r\n")) <= 82 &&
                    sum == Sum(text.left(text.size() - 3));
        }
        const ParsedSentence s(line);
        QVERIFY2(s.fields == fields, qPrintable(line));
        QVERIFY2(s.valid == valid, qPrintable(line));
        validSeen += valid;
    }
    QVERIFY(validSeen > 1000);
}

void TestSentenceParse::accessorsAndChecksum()
{
    const ParsedSentence s(Framed("$AIXYZ,12,,E8,zz,-42,99999999999,R"));
    QVERIFY(s.valid);
    using Get = bool (ParsedSentence::*)(int, int &) const;
    const Get digit = &ParsedSentence::GetDigit, hex = &ParsedSentence::GetHex;
    const Get whole = &ParsedSentence::GetInt;
    // Accessor, field, success, value. Field 6 is too large for an int.
    const QList<std::tuple<Get, int, bool, int>> numbers = {
        {digit, 1, true, 1}, {digit, 4, true, 0},  {digit, 2, false, 0},  {hex, 3, true, 0xE8},
        {hex, 4, true, 0},   {hex, 2, false, 0},   {whole, 5, true, -42}, {whole, 6, true, 0},
        {whole, 4, true, 0}, {whole, 2, false, 0}, {whole, -1, false, 0}, {whole, 8, false, 0}};
    for (int i = 0; i < numbers.size(); ++i) {
        // Each accessor resets its output, so it is preset to garbage every time.
        int value = 99;
        const bool ok = (s.*std::get<0>(numbers[i]))(std::get<1>(numbers[i]), value);
        QVERIFY2(ok == std::get<2>(numbers[i]) && value == std::get<3>(numbers[i]),
                 qPrintable(QString::number(i)));
    }
    QString text = "x";
    QVERIFY(s.GetString(2, text) && text.isEmpty());
    text = "x";
    QVERIFY(!s.GetString(8, text) && text.isEmpty());
    QChar c = 'x';
    QVERIFY(s.GetChar(7, c) && c == 'R');
    QVERIFY(!s.GetChar(2, c) && c.isNull());
    c = 'x';
    QVERIFY(!s.GetChar(-1, c) && c.isNull());

    // The checksum skips the start character; Latin-1 counts as itself and
    // what Latin-1 cannot hold goes out as "?".
    QCOMPARE(ParsedSentence::Checksum("!UPAIQ,AID"), Sum("$UPAIQ,AID"));
    const QString latin = QString::fromUtf8("$A\xc3\xa9");
    QCOMPARE(ParsedSentence::Checksum(latin), Sum(latin));
    QCOMPARE(ParsedSentence::Checksum(QString::fromUtf8("$A\xe2\x82\xac")), Sum("$A?"));
    for (const auto &v :
         QList<QPair<char, int>>{{'0', 0}, {'W', 39}, {'X', 40}, {'`', 40}, {'a', 41}, {'w', 63}})
        QCOMPARE(ParsedSentence::SixBitValue(QLatin1Char(v.first)), v.second);
}

void TestSentenceParse::escaping()
{
    QString text = "a$*,!\\^~b ATON";
    ParsedSentence::Escape(text);
    QCOMPARE(text, QString("a^24^2A^2C^21^5C^5E^7Eb ATON"));
    ParsedSentence::Unescape(text);
    QCOMPARE(text, QString("a$*,!\\^~b ATON"));

    const QList<QPair<QString, QString>> odd = {
        {"a^2cb", "a,b"}, // lower-case digits read as hexadecimal too
        {"a^zzb", "a.b"}, // two non-hexadecimal characters
        {"a^2zb", "a.b"}, {"^-1x", ".x"}, {"^ 1x", ".x"},
        {"ab^4", "ab^4"}, // a caret among the last two characters stays
        {"ab^", "ab^"},   {"^^2C", ".C"}, {"^41^42^2", "AB^2"},
    };
    for (const auto &c : odd) {
        QString t = c.first;
        ParsedSentence::Unescape(t);
        QVERIFY2(t == c.second, qPrintable(c.first + " -> " + t));
    }
}

QTEST_GUILESS_MAIN(TestSentenceParse)
#include "tst_sentenceparse.moc"
