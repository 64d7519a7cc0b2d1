#include "jsonline.h"

#include "console.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

#include <cmath>
#include <limits>

// The traffic printer's JSON writer against the serialiser it stands in for:
// the same value must give the same bytes.
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
        for (const double d : {0.0,
                               -0.0,
                               1.0,
                               -1.0,
                               50.790825,
                               -1.1037433333333333,
                               0.1,
                               1e-7,
                               123456.789,
                               1e-5,
                               0.0001,
                               1.2345e17,
                               5e-324,
                               1e21,
                               9007199254740994.0,
                               -9007199254740992.0,
                               1e300,
                               std::numeric_limits<double>::quiet_NaN(),
                               std::numeric_limits<double>::infinity(),
                               -1.0 / 0.0})
            QTest::addRow("%.17g", d) << QJsonValue(d);
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
        QByteArray written = "before";
        JsonLine line(written);
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
        QCOMPARE(written, "before" + expected);
    }
};

QTEST_GUILESS_MAIN(TestJsonLine)
#include "tst_jsonline.moc"
