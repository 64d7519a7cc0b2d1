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

// Message 21 with the fields laid out as the unit sends them, built bit by
// bit, most significant bit first: type, repeat, MMSI, type of aid, the name
// (all "@"), accuracy, position, size, fix type, second, off position, page,
// RACON, light, health, flags and spare: 272 bits, armoured into 46 six-bit
// characters with 4 fill bits.
QString Message21(quint32 mmsi, quint32 racon, quint32 light, quint32 health, quint32 id = 21)
{
    const QList<QPair<quint32, int>> fields{
        {id, 6}, {0, 2}, {mmsi, 30},      {19, 5},         {0, 30},     {0, 30}, {0, 30},
        {0, 30}, {1, 1}, {0x1234567, 28}, {0x2345678, 27}, {0, 30},     {1, 4},  {60, 6},
        {0, 1},  {0, 3}, {racon, 2},      {light, 2},      {health, 1}, {0, 4}};
    QVector<int> bits;
    for (const auto &field : fields) {
        for (int b = field.second - 1; b >= 0; --b)
            bits << int((field.first >> b) & 1);
    }
    bits << 0 << 0 << 0 << 0; // the fill
    QString out;
    for (int i = 0; i + 6 <= bits.size(); i += 6) {
        int v = 0;
        for (int b = 0; b < 6; ++b)
            v = (v << 1) | bits[i + b];
        out += QChar(v < 40 ? v + 48 : v + 56);
    }
    return out;
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
    row("own", "!AIVDO,1,1,,,#,4", "2|1|1;");
    // The unit's own MMSI is read from the model when the report arrives.
    row("mmsi from model", "!AIVDO,1,1,,A," + Message21(992351000, 1, 2, 0) + ",4", "1|2|0;",
        "992351000");
    row("another mmsi", "!AIVDO,1,1,,," + Message21(2350988, 2, 1, 1) + ",4", "");
    row("mmsi padded otherwise", "!AIVDO,1,1,,," + Message21(235098700, 2, 1, 1) + ",4", "");
    row("another type", "!AIVDO,1,1,,," + Message21(2350987, 2, 1, 1, 1) + ",4", "");
    // 45 characters hold 270 bits: the report ends before its spare bit.
    row("short", "!AIVDO,1,1,,," + Message21(2350987, 2, 1, 1).left(45) + ",0", "");
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
    // A broken checksum (the body changed after framing) and other talkers: nothing.
    for (const QString &line : {Line("$AIALR,,001,A,A,BAD").replace("BAD", "BAT"),
                                Line("$UPALR,,001,A,A,OWN"), Line("$GPALR,,001,A,A,GPS")})
        decoder.OnReceived(line);
    QCOMPARE(decoder.GetAlarmData(), nullptr);

    decoder.OnReceived(Line("$AIALR,101500.00,007,A,V,LANTERN FAILURE"));
    decoder.OnReceived(Line("$AIALR,,003,A,V,BATTERY^2C LOW"));
    decoder.OnReceived(Line("$AIALR,111700,007,V,A,LANTERN OK"));
    // Missing fields read as empty; a sentence with only a time is alarm 0.
    decoder.OnReceived(Line("$AIALR,120000"));
    QCOMPARE(spy.count(), 4);
    AlarmData *alarms = spy.last().at(0).value<AlarmData *>();
    QVERIFY(alarms && alarms == decoder.GetAlarmData());
    QStringList records; // number time condition acknowledged description
    for (const AlarmData::Alarm &a : alarms->Alarms())
        records << QStringLiteral("%1 %2 %3%4 %5")
                       .arg(a.alarmId)
                       .arg(a.alarmTime.toString("hh:mm:ss"))
                       .arg(a.thresholdExceeded ? 'A' : 'V')
                       .arg(a.acknowledged ? 'A' : 'V')
                       .arg(a.description);
    QCOMPARE(records,
             QStringList({"7 11:17:00 VA LANTERN OK", "3  AV BATTERY, LOW", "0 12:00:00 VV "}));

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
         {"$AITXT,03,01,12,LOW BATTERY", "$AITXT,03,02,12,LANTERN OK", "$AITXT,03,03,12,^21",
          // Identifiers up to 255 have a buffer.
          "$AITXT,01,01,255,TOP", "$AITXT,01,01,256,NONE", "$AITXT,01,01,-1,NONE",
          // Another talker's text is not the unit's.
          "$GPTXT,01,01,01,GPS TEXT", "$AITXT,03,01,200,BEGIN"})
        decoder.OnReceived(Line(body));
    decoder.OnReceived(QStringLiteral("$AITXT,01,01,01,NO CHECKSUM\n"));
    // A flood of continuation parts is dropped, not kept without limit; the
    // identifier works again from its next part 1.
    const QString part(55, QLatin1Char('t'));
    for (int i = 0; i < TextReassembler::MaxTextLength / part.size() + 5; ++i)
        decoder.OnReceived(Line("$AITXT,03,02,200," + part));
    decoder.OnReceived(Line("$AITXT,03,03,200,END"));
    decoder.OnReceived(Line("$AITXT,02,01,200,BEGIN"));
    decoder.OnReceived(Line("$AITXT,02,02,200,END"));
    // A long text just under the limit still comes through whole.
    const int fit = TextReassembler::MaxTextLength / part.size();
    for (int i = 1; i <= fit; ++i)
        decoder.OnReceived(Line(QStringLiteral("$AITXT,99,%1,201,").arg(qMin(i, 2)) + part));
    decoder.OnReceived(Line("$AITXT,99,99,201,END"));
    QStringList texts;
    for (const auto &signal : spy)
        texts << signal.at(0).toString();
    QCOMPARE(texts, QStringList({"LOW BATTERY; LANTERN OK; !", "TOP", "BEGIN; END",
                                 part.repeated(fit) + "END"}));
}

QTEST_GUILESS_MAIN(TestMessageDecoder)
#include "tst_messagedecoder.moc"
