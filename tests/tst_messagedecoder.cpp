#include <QSignalSpy>
#include <QtTest>

#include "decode/alarmdata.h"
#include "decode/messagedecoder.h"
#include "decode/textreassembler.h"
#include "model/aton.h"
#include "model/model.h"
#include "support/testchecksum.h"

namespace {

QString Line(const QString &body)
{
    return TestChecksum::Framed(body) + '\n';
}

// Builds an AIS payload field by field, most significant bit first, and
// armours it into six-bit characters.
class Bits
{
public:
    Bits &Add(quint64 value, int width)
    {
        for (int b = width - 1; b >= 0; --b)
            bits.append((value >> b) & 1 ? 1 : 0);
        return *this;
    }
    Bits &AddText(const QString &text, int characters)
    {
        for (int i = 0; i < characters; ++i) {
            const int c = i < text.size() ? text.at(i).unicode() : '@';
            Add(c >= 64 ? c - 64 : c, 6);
        }
        return *this;
    }
    // Six bits per character, padded with zero bits; the pad is the fill.
    QString Armour(int *fill = nullptr) const
    {
        QVector<int> padded = bits;
        while (padded.size() % 6)
            padded.append(0);
        if (fill)
            *fill = padded.size() - bits.size();
        QString out;
        for (int i = 0; i < padded.size(); i += 6) {
            int v = 0;
            for (int b = 0; b < 6; ++b)
                v = (v << 1) | padded[i + b];
            out += QChar(v < 40 ? v + 48 : v + 56);
        }
        return out;
    }

private:
    QVector<int> bits;
};

// Message 21 with the fields laid out as the unit sends them (272 bits).
QString Message21(quint32 mmsi, quint32 racon, quint32 light, quint32 health, quint32 id = 21)
{
    Bits b;
    b.Add(id, 6).Add(0, 2).Add(mmsi, 30).Add(19, 5).AddText(QStringLiteral("NORTH PIER"), 20);
    b.Add(1, 1).Add(0x1234567, 28).Add(0x2345678, 27).Add(0, 30).Add(1, 4).Add(60, 6).Add(0, 1);
    b.Add(0, 3).Add(racon, 2).Add(light, 2).Add(health, 1);
    b.Add(0, 4);
    int fill = 0;
    const QString payload = b.Armour(&fill);
    return fill == 4 && payload.size() == 46 ? payload : QString();
}

// The status signals as "racon|light|health", joined by ";" per report.
struct StatusRecorder : public QObject
{
    QString events;
    explicit StatusRecorder(MessageDecoder *decoder)
    {
        connect(decoder, &MessageDecoder::Message21RACONStatus, this,
                [this](uint v) { events += QString::number(v); });
        connect(decoder, &MessageDecoder::Message21LightStatus, this,
                [this](uint v) { events += '|' + QString::number(v); });
        connect(decoder, &MessageDecoder::Message21HealthStatus, this,
                [this](uint v) { events += '|' + QString::number(v) + ';'; });
    }
};

} // namespace

class TestMessageDecoder : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void singleReports_data();
    void singleReports();
    void multipartPayloadsWithinBound();
    void alarmsKeepOneRecordPerNumber();
    void textMessagesJoinPartsWithinBound();
    void ignoresOtherTalkersAndBadLines();

private:
    Model model;
};

void TestMessageDecoder::init()
{
    model.GetAtoN()->GetAtoNMMSI()->SetMmsi(QStringLiteral("002350987"));
}

void TestMessageDecoder::singleReports_data()
{
    QTest::addColumn<QString>("unitMmsi");
    QTest::addColumn<QString>("sentence");
    QTest::addColumn<QString>("status");

    const auto row = [](const char *name, const QString &sentence, const QString &status,
                        const QString &unitMmsi = QString()) {
        QTest::newRow(name) << unitMmsi << sentence << status;
    };
    const QString own = Message21(2350987, 2, 1, 1);
    QVERIFY(!own.isEmpty());
    row("own", "!AIVDO,1,1,,,#,4", "2|1|1;");
    row("every value", "!AIVDO,1,1,,A," + Message21(2350987, 3, 3, 0) + ",4", "3|3|0;");
    // The unit's own MMSI is read from the model when the report arrives.
    row("mmsi from model", "!AIVDO,1,1,,A," + Message21(992351000, 1, 2, 0) + ",4", "1|2|0;",
        "992351000");
    row("another mmsi", "!AIVDO,1,1,,," + Message21(2350988, 2, 1, 1) + ",4", "");
    row("mmsi padded otherwise", "!AIVDO,1,1,,," + Message21(235098700, 2, 1, 1) + ",4", "");
    row("another type", "!AIVDO,1,1,,," + Message21(2350987, 2, 1, 1, 1) + ",4", "");
    // 45 characters hold 270 bits: the report ends before its spare bit.
    row("short", "!AIVDO,1,1,,," + own.left(45) + ",0", "");
    row("no fill", "!AIVDO,1,1,,,#,", "");
    row("no part number", "!AIVDO,1,,,,#,4", "");
    row("another ship's", "!AIVDM,1,1,,A,#,4", "");
}

void TestMessageDecoder::singleReports()
{
    QFETCH(QString, unitMmsi);
    QFETCH(QString, sentence);
    if (!unitMmsi.isEmpty())
        model.GetAtoN()->GetAtoNMMSI()->SetMmsi(unitMmsi);
    MessageDecoder decoder(&model);
    StatusRecorder recorder(&decoder);
    decoder.OnReceived(Line(sentence.replace('#', Message21(2350987, 2, 1, 1))));
    QTEST(recorder.events, "status");
}

void TestMessageDecoder::multipartPayloadsWithinBound()
{
    MessageDecoder decoder(&model);
    StatusRecorder recorder(&decoder);
    const QString own = Message21(2350987, 1, 2, 0);
    const QString other = Message21(2350987, 2, 3, 1);

    // Sequence 3 and sequence 4 interleave; each completes on its own.
    decoder.OnReceived(Line("!AIVDO,2,1,3,A," + own.left(20) + ",0"));
    decoder.OnReceived(Line("!AIVDO,2,1,4,A," + other.left(30) + ",0"));
    QCOMPARE(recorder.events, QString());
    decoder.OnReceived(Line("!AIVDO,2,2,3,A," + own.mid(20) + ",4"));
    decoder.OnReceived(Line("!AIVDO,2,2,4,A," + other.mid(30) + ",4"));
    // A new part 1 replaces what the buffer held.
    decoder.OnReceived(Line("!AIVDO,2,1,3,A," + QString(30, '0') + ",0"));
    decoder.OnReceived(Line("!AIVDO,2,1,3,A," + own.left(10) + ",0"));
    decoder.OnReceived(Line("!AIVDO,2,2,3,A," + own.mid(10) + ",4"));
    QCOMPARE(recorder.events, QStringLiteral("1|2|0;2|3|1;1|2|0;"));

    // Part 1 holds a whole report; then a flood of middle parts. Were they all
    // kept, the last part would complete a payload that still starts with a
    // valid report and the status would be raised.
    recorder.events.clear();
    decoder.OnReceived(Line("!AIVDO,3,1,1,A," + own + ",0"));
    const QString junk(60, QLatin1Char('w'));
    for (int i = 0; i < MessageDecoder::MaxPayloadLength / junk.size() + 5; ++i)
        decoder.OnReceived(Line("!AIVDO,3,2,1,A," + junk + ",0"));
    decoder.OnReceived(Line("!AIVDO,3,3,1,A," + junk + ",0"));
    QCOMPARE(recorder.events, QString());
    // The sequence works again from its next part 1; a long but legal
    // payload (nine parts) is kept whole.
    decoder.OnReceived(Line("!AIVDO,9,1,1,A," + own + ",0"));
    for (int n = 2; n <= 9; ++n)
        decoder.OnReceived(Line(QStringLiteral("!AIVDO,9,%1,1,A,%2,0").arg(n).arg(junk)));
    QCOMPARE(recorder.events, QStringLiteral("1|2|0;"));
}

void TestMessageDecoder::alarmsKeepOneRecordPerNumber()
{
    MessageDecoder decoder(&model);
    QSignalSpy spy(&decoder, &MessageDecoder::AlarmReceived);
    QCOMPARE(decoder.GetAlarmData(), nullptr);

    decoder.OnReceived(Line("$AIALR,101500.00,007,A,V,LANTERN FAILURE"));
    decoder.OnReceived(Line("$AIALR,,003,V,V,BATTERY^2C LOW"));
    decoder.OnReceived(Line("$AIALR,111700,007,V,A,LANTERN OK"));
    // Missing fields read as empty; a sentence with only a time is alarm 0.
    decoder.OnReceived(Line("$AIALR,120000"));
    QCOMPARE(spy.count(), 4);
    AlarmData *alarms = spy.last().at(0).value<AlarmData *>();
    QVERIFY(alarms);
    QCOMPARE(alarms, decoder.GetAlarmData());
    QCOMPARE(alarms->Count(), 3);

    const AlarmData::Alarm &first = alarms->Alarms().at(0);
    QCOMPARE(first.alarmId, 7);
    QCOMPARE(first.alarmTime, QTime(11, 17, 0));
    QVERIFY(!first.thresholdExceeded && first.acknowledged);
    QCOMPARE(first.description, QStringLiteral("LANTERN OK"));
    const AlarmData::Alarm &second = alarms->Alarms().at(1);
    QCOMPARE(second.alarmId, 3);
    QVERIFY(!second.alarmTime.isValid());
    QCOMPARE(second.description, QStringLiteral("BATTERY, LOW"));
    QCOMPARE(alarms->Find(0)->description, QString());

    // The table is bounded: new numbers beyond the limit are not kept, known
    // numbers still update.
    for (int id = 1000; alarms->Count() < AlarmData::MaxAlarms; ++id)
        QVERIFY(alarms->Update(id, QTime(), false, false, QString()));
    QVERIFY(!alarms->Update(999999, QTime(), false, false, QString()));
    decoder.OnReceived(Line("$AIALR,,007,A,A,AGAIN"));
    QCOMPARE(alarms->Find(7)->description, QStringLiteral("AGAIN"));
}

void TestMessageDecoder::textMessagesJoinPartsWithinBound()
{
    MessageDecoder decoder(&model);
    QSignalSpy spy(&decoder, &MessageDecoder::TextMessageReceived);
    for (const char *body :
         {"$AITXT,03,01,12,LOW ", "$AITXT,03,02,12,BATTERY", "$AITXT,03,03,12,^21",
          // Identifiers up to 255 have a buffer.
          "$AITXT,01,01,255,TOP", "$AITXT,01,01,256,NONE", "$AITXT,01,01,-1,NONE",
          "$AITXT,03,01,200,BEGIN"})
        decoder.OnReceived(Line(body));
    // A flood of continuation parts is dropped, not kept without limit.
    const QString part(55, QLatin1Char('t'));
    for (int i = 0; i < TextReassembler::MaxTextLength / part.size() + 5; ++i)
        decoder.OnReceived(Line("$AITXT,03,02,200," + part));
    decoder.OnReceived(Line("$AITXT,03,03,200,END"));
    decoder.OnReceived(Line("$AITXT,02,01,200,BEGIN"));
    decoder.OnReceived(Line("$AITXT,02,02,200,END"));
    QStringList texts;
    for (const auto &signal : spy)
        texts << signal.at(0).toString();
    QCOMPARE(texts, QStringList({"LOW BATTERY!", "TOP", "BEGINEND"}));
}

void TestMessageDecoder::ignoresOtherTalkersAndBadLines()
{
    MessageDecoder decoder(&model);
    QSignalSpy texts(&decoder, &MessageDecoder::TextMessageReceived);
    QSignalSpy alarms(&decoder, &MessageDecoder::AlarmReceived);
    QString badChecksum = Line("$AIALR,,001,A,A,BAD");
    badChecksum[badChecksum.size() - 2] = badChecksum.at(badChecksum.size() - 2) == '0' ? '1' : '0';
    decoder.OnReceived(badChecksum);
    decoder.OnReceived(Line("$GPTXT,01,01,01,GPS TEXT"));
    decoder.OnReceived(Line("$UPALR,,001,A,A,OWN"));
    decoder.OnReceived(QStringLiteral("$AITXT,01,01,01,NO CHECKSUM\n"));
    QCOMPARE(texts.count() + alarms.count(), 0);
}

QTEST_GUILESS_MAIN(TestMessageDecoder)
#include "tst_messagedecoder.moc"
