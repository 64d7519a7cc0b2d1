#include <QSignalSpy>
#include <QtTest>

#include "decode/alarmdata.h"
#include "decode/messagedecoder.h"
#include "decode/textreassembler.h"
#include "model/aton.h"
#include "model/model.h"

namespace {

QString Line(const QString &body)
{
    uchar sum = 0;
    for (int i = 1; i < body.size(); ++i)
        sum ^= uchar(body.at(i).unicode());
    return body + QStringLiteral("*%1\n").arg(sum, 2, 16, QLatin1Char('0')).toUpper();
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
    int Size() const { return bits.size(); }
    // Six bits per character, padded with zero bits; fill is the pad.
    QString Armour(int *fill = nullptr) const
    {
        QVector<int> padded = bits;
        int pad = 0;
        while (padded.size() % 6) {
            padded.append(0);
            ++pad;
        }
        if (fill)
            *fill = pad;
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

// Message 21 with the fields laid out as the unit sends them.
Bits Message21(quint32 mmsi, quint32 racon, quint32 light, quint32 health, quint32 id = 21)
{
    Bits b;
    b.Add(id, 6).Add(0, 2).Add(mmsi, 30).Add(19, 5).AddText(QStringLiteral("NORTH PIER"), 20);
    b.Add(1, 1).Add(0x1234567, 28).Add(0x2345678, 27).Add(0, 30).Add(1, 4).Add(60, 6).Add(0, 1);
    b.Add(0, 3).Add(racon, 2).Add(light, 2).Add(health, 1);
    b.Add(0, 1).Add(0, 1).Add(0, 1).Add(0, 1);
    return b;
}

struct StatusRecorder : public QObject
{
    QStringList events;
    explicit StatusRecorder(MessageDecoder *decoder)
    {
        connect(decoder, &MessageDecoder::Message21RACONStatus, this,
                [this](uint v) { events << QStringLiteral("racon %1").arg(v); });
        connect(decoder, &MessageDecoder::Message21LightStatus, this,
                [this](uint v) { events << QStringLiteral("light %1").arg(v); });
        connect(decoder, &MessageDecoder::Message21HealthStatus, this,
                [this](uint v) { events << QStringLiteral("health %1").arg(v); });
    }
};

} // namespace

class TestMessageDecoder : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void ownReportRaisesStatus();
    void otherReportsRaiseNothing();
    void multipartPayloads();
    void payloadBufferIsBounded();
    void alarmsKeepOneRecordPerNumber();
    void textMessagesJoinParts();
    void textBufferIsBounded();
    void ignoresOtherTalkersAndBadLines();

private:
    Model model;
    const QString ownMmsi = QStringLiteral("002350987");
};

void TestMessageDecoder::init()
{
    model.GetAtoN()->GetAtoNMMSI()->SetMmsi(ownMmsi);
}

void TestMessageDecoder::ownReportRaisesStatus()
{
    MessageDecoder decoder(&model);
    StatusRecorder recorder(&decoder);

    int fill = 0;
    const Bits report = Message21(2350987, 2, 1, 1);
    QCOMPARE(report.Size(), 272);
    const QString payload = report.Armour(&fill);
    QCOMPARE(payload.size(), 46);
    decoder.OnReceived(Line(QStringLiteral("!AIVDO,1,1,,,%1,%2").arg(payload).arg(fill)));
    QCOMPARE(recorder.events, QStringList({QStringLiteral("racon 2"), QStringLiteral("light 1"),
                                           QStringLiteral("health 1")}));

    // Every value of the status bits comes through unchanged.
    recorder.events.clear();
    decoder.OnReceived(
        Line(QStringLiteral("!AIVDO,1,1,,A,%1,4").arg(Message21(2350987, 3, 3, 0).Armour())));
    QCOMPARE(recorder.events, QStringList({QStringLiteral("racon 3"), QStringLiteral("light 3"),
                                           QStringLiteral("health 0")}));

    // The unit's own MMSI is read from the model when the report arrives.
    recorder.events.clear();
    model.GetAtoN()->GetAtoNMMSI()->SetMmsi(QStringLiteral("992351000"));
    decoder.OnReceived(
        Line(QStringLiteral("!AIVDO,1,1,,A,%1,4").arg(Message21(992351000, 1, 2, 0).Armour())));
    QCOMPARE(recorder.events.size(), 3);
}

void TestMessageDecoder::otherReportsRaiseNothing()
{
    MessageDecoder decoder(&model);
    StatusRecorder recorder(&decoder);
    auto send = [&](const Bits &b) {
        int fill = 0;
        const QString payload = b.Armour(&fill);
        decoder.OnReceived(Line(QStringLiteral("!AIVDO,1,1,,,%1,%2").arg(payload).arg(fill)));
    };

    send(Message21(2350988, 2, 1, 1));    // another MMSI
    send(Message21(2350987, 2, 1, 1, 1)); // another message type
    send(Message21(235098700, 2, 1, 1));  // not zero-padded the same way
    // 45 characters hold 270 bits: the report ends before its spare bit.
    const QString own = Message21(2350987, 2, 1, 1).Armour();
    decoder.OnReceived(Line(QStringLiteral("!AIVDO,1,1,,,%1,0").arg(own.left(45))));
    // No fill field, or no part number: the sentence is incomplete.
    decoder.OnReceived(Line(QStringLiteral("!AIVDO,1,1,,,%1,").arg(own)));
    decoder.OnReceived(Line(QStringLiteral("!AIVDO,1,,,,%1,4").arg(own)));
    QVERIFY(recorder.events.isEmpty());
    // The same report whole does come through.
    decoder.OnReceived(Line(QStringLiteral("!AIVDO,1,1,,,%1,4").arg(own)));
    QCOMPARE(recorder.events.size(), 3);
}

void TestMessageDecoder::multipartPayloads()
{
    MessageDecoder decoder(&model);
    StatusRecorder recorder(&decoder);
    const QString own = Message21(2350987, 1, 2, 0).Armour();
    const QString other = Message21(2350987, 2, 3, 1).Armour();

    // Sequence 3 and sequence 4 interleave; each completes on its own.
    decoder.OnReceived(Line(QStringLiteral("!AIVDO,2,1,3,A,%1,0").arg(own.left(20))));
    decoder.OnReceived(Line(QStringLiteral("!AIVDO,2,1,4,A,%1,0").arg(other.left(30))));
    QVERIFY(recorder.events.isEmpty());
    decoder.OnReceived(Line(QStringLiteral("!AIVDO,2,2,3,A,%1,4").arg(own.mid(20))));
    QCOMPARE(recorder.events, QStringList({QStringLiteral("racon 1"), QStringLiteral("light 2"),
                                           QStringLiteral("health 0")}));
    recorder.events.clear();
    decoder.OnReceived(Line(QStringLiteral("!AIVDO,2,2,4,A,%1,4").arg(other.mid(30))));
    QCOMPARE(recorder.events, QStringList({QStringLiteral("racon 2"), QStringLiteral("light 3"),
                                           QStringLiteral("health 1")}));

    // A new part 1 replaces what the buffer held.
    recorder.events.clear();
    decoder.OnReceived(Line(QStringLiteral("!AIVDO,2,1,3,A,%1,0").arg(QString(30, '0'))));
    decoder.OnReceived(Line(QStringLiteral("!AIVDO,2,1,3,A,%1,0").arg(own.left(10))));
    decoder.OnReceived(Line(QStringLiteral("!AIVDO,2,2,3,A,%1,4").arg(own.mid(10))));
    QCOMPARE(recorder.events.size(), 3);
}

void TestMessageDecoder::payloadBufferIsBounded()
{
    MessageDecoder decoder(&model);
    StatusRecorder recorder(&decoder);
    const QString own = Message21(2350987, 1, 2, 0).Armour();

    // Part 1 holds a whole report; then a flood of middle parts. Were they all
    // kept, the last part would complete a payload that still starts with a
    // valid report and the status would be raised.
    decoder.OnReceived(Line(QStringLiteral("!AIVDO,3,1,1,A,%1,0").arg(own)));
    const QString junk(60, QLatin1Char('w'));
    const int parts = MessageDecoder::MaxPayloadLength / junk.size() + 5;
    for (int i = 0; i < parts; ++i)
        decoder.OnReceived(Line(QStringLiteral("!AIVDO,3,2,1,A,%1,0").arg(junk)));
    decoder.OnReceived(Line(QStringLiteral("!AIVDO,3,3,1,A,%1,0").arg(junk)));
    QVERIFY(recorder.events.isEmpty());

    // The sequence works again from its next part 1; a long but legal
    // payload (nine parts) is kept whole.
    decoder.OnReceived(Line(QStringLiteral("!AIVDO,9,1,1,A,%1,0").arg(own)));
    for (int n = 2; n <= 9; ++n)
        decoder.OnReceived(Line(QStringLiteral("!AIVDO,9,%1,1,A,%2,0").arg(n).arg(junk)));
    QCOMPARE(recorder.events.size(), 3);
}

void TestMessageDecoder::alarmsKeepOneRecordPerNumber()
{
    MessageDecoder decoder(&model);
    QSignalSpy spy(&decoder, &MessageDecoder::AlarmReceived);
    QCOMPARE(decoder.GetAlarmData(), nullptr);

    decoder.OnReceived(Line("$AIALR,101500.00,007,A,V,LANTERN FAILURE"));
    decoder.OnReceived(Line("$AIALR,,003,V,V,BATTERY^2C LOW"));
    decoder.OnReceived(Line("$AIALR,111700,007,V,A,LANTERN OK"));
    QCOMPARE(spy.count(), 3);
    AlarmData *alarms = spy.last().at(0).value<AlarmData *>();
    QVERIFY(alarms);
    QCOMPARE(alarms, decoder.GetAlarmData());
    QCOMPARE(alarms->Count(), 2);

    const AlarmData::Alarm &first = alarms->Alarms().at(0);
    QCOMPARE(first.alarmId, 7);
    QCOMPARE(first.alarmTime, QTime(11, 17, 0));
    QVERIFY(!first.thresholdExceeded);
    QVERIFY(first.acknowledged);
    QCOMPARE(first.description, QStringLiteral("LANTERN OK"));

    const AlarmData::Alarm &second = alarms->Alarms().at(1);
    QCOMPARE(second.alarmId, 3);
    QVERIFY(!second.alarmTime.isValid());
    QCOMPARE(second.description, QStringLiteral("BATTERY, LOW"));

    // Missing fields read as empty; a sentence with only a time is alarm 0.
    decoder.OnReceived(Line("$AIALR,120000"));
    QCOMPARE(alarms->Count(), 3);
    QCOMPARE(alarms->Find(0)->description, QString());
    QVERIFY(!alarms->Find(0)->thresholdExceeded);

    // The table is bounded: new numbers beyond the limit are not kept, known
    // numbers still update.
    for (int id = 1000; alarms->Count() < AlarmData::MaxAlarms; ++id)
        QVERIFY(alarms->Update(id, QTime(), false, false, QString()));
    QVERIFY(!alarms->Update(999999, QTime(), false, false, QString()));
    QCOMPARE(alarms->Count(), AlarmData::MaxAlarms);
    decoder.OnReceived(Line("$AIALR,,007,A,A,AGAIN"));
    QCOMPARE(alarms->Find(7)->description, QStringLiteral("AGAIN"));
}

void TestMessageDecoder::textMessagesJoinParts()
{
    MessageDecoder decoder(&model);
    QSignalSpy spy(&decoder, &MessageDecoder::TextMessageReceived);

    decoder.OnReceived(Line("$AITXT,03,01,12,LOW "));
    decoder.OnReceived(Line("$AITXT,03,02,12,BATTERY"));
    QCOMPARE(spy.count(), 0);
    decoder.OnReceived(Line("$AITXT,03,03,12,^21"));
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toString(), QStringLiteral("LOW BATTERY!"));

    // Identifiers up to 255 have a buffer.
    decoder.OnReceived(Line("$AITXT,01,01,255,TOP"));
    decoder.OnReceived(Line("$AITXT,01,01,256,NONE"));
    decoder.OnReceived(Line("$AITXT,01,01,-1,NONE"));
    QCOMPARE(spy.count(), 2);
    QCOMPARE(spy.at(1).at(0).toString(), QStringLiteral("TOP"));
}

void TestMessageDecoder::textBufferIsBounded()
{
    MessageDecoder decoder(&model);
    QSignalSpy spy(&decoder, &MessageDecoder::TextMessageReceived);
    const QString part(55, QLatin1Char('t'));

    decoder.OnReceived(Line("$AITXT,03,01,200,BEGIN"));
    for (int i = 0; i < TextReassembler::MaxTextLength / part.size() + 5; ++i)
        decoder.OnReceived(Line("$AITXT,03,02,200," + part));
    decoder.OnReceived(Line("$AITXT,03,03,200,END"));
    QCOMPARE(spy.count(), 0);

    decoder.OnReceived(Line("$AITXT,02,01,200,BEGIN"));
    decoder.OnReceived(Line("$AITXT,02,02,200,END"));
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toString(), QStringLiteral("BEGINEND"));
}

void TestMessageDecoder::ignoresOtherTalkersAndBadLines()
{
    MessageDecoder decoder(&model);
    QSignalSpy texts(&decoder, &MessageDecoder::TextMessageReceived);
    QSignalSpy alarms(&decoder, &MessageDecoder::AlarmReceived);
    StatusRecorder recorder(&decoder);

    decoder.OnReceived(Line("$GPTXT,01,01,01,GPS TEXT"));
    decoder.OnReceived(Line("$UPALR,,001,A,A,OWN"));
    QString badChecksum = Line("$AIALR,,001,A,A,BAD");
    badChecksum[badChecksum.size() - 2] = badChecksum.at(badChecksum.size() - 2) == '0' ? '1' : '0';
    decoder.OnReceived(badChecksum);
    decoder.OnReceived(Line("!AIVDM,1,1,,A," + Message21(2350987, 1, 1, 1).Armour() + ",4"));
    decoder.OnReceived(QStringLiteral("$AITXT,01,01,01,NO CHECKSUM\n"));
    QCOMPARE(texts.count(), 0);
    QCOMPARE(alarms.count(), 0);
    QVERIFY(recorder.events.isEmpty());
}

QTEST_GUILESS_MAIN(TestMessageDecoder)
#include "tst_messagedecoder.moc"
