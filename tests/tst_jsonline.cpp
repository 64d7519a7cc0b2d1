#include "jsonline.h"

#include "console.h"
#include "jsontext.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

#include <cmath>
#include <limits>

// The CLI's JSON writers against the serialiser they stand in for: the same
// string must give the same bytes. Numbers are held to one fixed text, which
// the serialisers of Qt 5 and Qt 6 do not agree on.
class TestJsonLine : public QObject
{
    Q_OBJECT

private slots:
    void sameBytesAsTheSerialiser_data()
    {
        QTest::addColumn<QJsonValue>("value");
        QString controls;
        for (ushort c = 1; c < 0x20; ++c)
            controls += QChar(c);
        const QChar high(0xd83d);
        const QChar low(0xde00);
        QTest::newRow("empty") << QJsonValue(QString());
        QTest::newRow("quote and backslash") << QJsonValue(QStringLiteral("a \"b\" \\ c/"));
        QTest::newRow("C0 controls") << QJsonValue(controls + "x");
        QTest::newRow("DEL and C1") << QJsonValue(QString("a\x7f") + QChar(0x80) + QChar(0x9f));
        QTest::newRow("format characters") << QJsonValue(
            QString("soft") + QChar(0xad) + QChar(0x200b) + "rev" + QChar(0x202e) + QChar(0xfeff));
        QTest::newRow("non-ASCII") << QJsonValue(QString("caf\u00e9 \u00c4\u20ac \ufffd \uffff"));
        QTest::newRow("pair and tag") << QJsonValue(QString(high) + low + "\U000E0041");
        QTest::newRow("lone halves") << QJsonValue(QString(low) + "a" + high + "b" + high);
        QTest::newRow("integer") << QJsonValue(-2147483647 - 1);
        QTest::newRow("true") << QJsonValue(true);
        QTest::newRow("null") << QJsonValue();
    }
    void sameBytesAsTheSerialiser()
    {
        QFETCH(QJsonValue, value);
        QByteArray expected;
        Console::AppendVisibleJson(expected,
                                   QJsonDocument(QJsonObject{{"a", value}, {"event", "x"}})
                                       .toJson(QJsonDocument::Compact));
        const auto write = [&value](JsonLine &&line) {
            if (value.isString())
                line.Text("a", value.toString());
            else if (value.isBool())
                line.Boolean("a", value.toBool());
            else if (value.isNull())
                line.Null("a");
            else
                line.Number("a", value.toDouble());
            line.Text("event", QLatin1String("x"));
            line.End();
        };
        QByteArray written = "before";
        write(JsonLine(written));
        QCOMPARE(written, "before" + expected);
        // Laid out from a level on, as the rows of a file are.
        written = "before";
        write(JsonLine(written, 2));
        expected = "before";
        JsonText::AppendIndented(expected, QJsonObject{{"a", value}, {"event", "x"}}, 2);
        QCOMPARE(written, expected);

        // Indented, at depth, in arrays and objects, empty ones too.
        const QJsonObject nested{{"b", QJsonArray{value, QJsonObject{{"c", value}}, QJsonArray()}},
                                 {"a", value},
                                 {"d", QJsonObject()}};
        expected.clear();
        Console::AppendVisibleJson(expected, QJsonDocument(QJsonObject{{"e", nested}}).toJson());
        written = "{\n    \"e\": ";
        JsonText::AppendIndented(written, nested, 1);
        QCOMPARE(written + "\n}\n", expected);
    }

    // The shortest text that reads back the same, whole numbers below 2^63
    // as integers: the same bytes from either Qt.
    void numbersHaveOneText()
    {
        const QList<QPair<double, QByteArray>> numbers = {
            {0.0, "0"},
            {-0.0, "0"},
            {-1.0, "-1"},
            {50.790825, "50.790825"},
            {-1.1037433333333333, "-1.1037433333333333"},
            {0.1, "0.1"},
            {0.0001, "0.0001"},
            {0.00012, "0.00012"},
            {1e-5, "1e-05"},
            {1e-7, "1e-07"},
            {123456.789, "123456.789"},
            {1.2345e17, "123450000000000000"},
            {1e16, "10000000000000000"},
            {9007199254740994.0, "9007199254740994"},
            {-9223372036854775808.0, "-9223372036854775808"},
            {9223372036854775808.0, "9.223372036854776e+18"},
            {1e21, "1e+21"},
            {5e-324, "5e-324"},
            {1e300, "1e+300"},
            {std::numeric_limits<double>::quiet_NaN(), "null"},
            {std::numeric_limits<double>::infinity(), "null"},
            {-std::numeric_limits<double>::infinity(), "null"}};
        for (const auto &number : numbers) {
            QByteArray written;
            JsonLine(written).Number("a", number.first).End();
            QCOMPARE(written, "{\"a\":" + number.second + "}");
            written.clear();
            JsonText::AppendIndented(written, QJsonArray{number.first}, 0);
            QCOMPARE(written, "[\n    " + number.second + "\n]");
            if (number.second != "null")
                QCOMPARE(QJsonDocument::fromJson(written).array().at(0).toDouble(), number.first);
        }
    }
};

QTEST_GUILESS_MAIN(TestJsonLine)
#include "tst_jsonline.moc"
