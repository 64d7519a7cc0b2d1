#include "app/configurationcheck.h"
#include "model/model.h"
#include "sentences/atonsentenceaar.h"
#include "sentences/atonsentenceace.h"
#include "sentences/atonsentenceacf.h"
#include "sentences/atonsentenceaid.h"
#include "support/testchecksum.h"

#include <QtTest>
#include <functional>

namespace {

ParsedSentence Answer(const QString &body)
{
    return ParsedSentence(TestChecksum::Line(body));
}

// One model with the four codecs on it, as the transport builds them.
struct Codecs
{
    Model model;
    AtoN *aton = model.GetAtoN();
    AtoNMMSI *mmsi = aton->GetAtoNMMSI();
    MessageSchedule *schedule = model.GetMessageSchedule();
    AtoNSentenceAID *aid = new AtoNSentenceAID(mmsi, &model);
    AtoNSentenceACF *acf = new AtoNSentenceACF(aton, &model);
    AtoNSentenceACE *ace = new AtoNSentenceACE(aton, &model);
    AtoNSentenceAAR aar{schedule};
    AtoNSentence *const all[4] = {aid, acf, ace, &aar};
};

QList<int> Dimensions(const AtoN *aton)
{
    return {aton->DimensionA(), aton->DimensionB(), aton->DimensionC(), aton->DimensionD()};
}

} // namespace

class TestSentenceCodecs : public QObject
{
    Q_OBJECT

private slots:
    void encode();
    void decodeAid();
    void decodeAce();
    void decodeAcf();
    void decodeAar();
    void encodersReadTheirOwnOutputBack();
};

void TestSentenceCodecs::encode()
{
    const int AID = 0, ACF = 1, ACE = 2, AAR = 3; // codecs as in Codecs::all
    struct Row
    {
        const char *name;
        std::function<void(Codecs &)> setup;
        int codec, index;
        QString body;
        int extra; // further sentences announced
    };
    auto none = [](Codecs &) {};
    auto mode = [](int m) {
        return [m](Codecs &c) { c.mmsi->SetAidMode(m), c.mmsi->SetNewMmsi("222222222"); };
    };
    auto name = [](const QString &n) { return [n](Codecs &c) { c.aton->SetName(n); }; };
    auto dims = [](int type) {
        return [type](Codecs &c) {
            c.aton->SetTypeOfAtoN(type);
            c.aton->SetDimensionA(5), c.aton->SetDimensionB(6), c.aton->SetDimensionC(7),
                c.aton->SetDimensionD(8);
        };
    };
    const QString name33 = "NORTH PIER HEAD LIGHT, WEST SID"; // 31 characters, 33 escaped
    const QString aceHead = "$UPACE,000000000,E0,0050,1,0,1,";
    const QList<Row> rows = {
        {"AID default", none, AID, 0, "$UPAID,000000000,1,000000000,R,C", 0},
        {"AID new MMSI", [](Codecs &c) { c.mmsi->SetNewMmsi("123456789"); }, AID, 0,
         "$UPAID,000000000,1,123456789,R,C", 0},
        // The unit is expected to take the new MMSI: it becomes the one it holds.
        {"AID after a new MMSI was sent",
         [](Codecs &c) { c.mmsi->SetNewMmsi("123456789"), c.aid->Encode(0, nullptr); }, AID, 0,
         "$UPAID,123456789,1,123456789,R,C", 0},
        {"AID mode 0, second sentence", mode(0), AID, 1, "$UPAID,222222222,1,222222222,0,C", 0},
        {"AID mode 1", mode(1), AID, 0, "$UPAID,222222222,1,222222222,V,C", 0},
        {"AID mode 2", mode(2), AID, 0, "$UPAID,222222222,1,222222222,P,C", 0},
        {"AID mode 3", mode(3), AID, 0, "$UPAID,222222222,1,222222222,C,C", 0},
        {"AID mode 4", mode(4), AID, 0, "$UPAID,222222222,1,222222222,0,C", 0},
        {"AID flag off", [](Codecs &c) { c.mmsi->SetAidFlag(false); }, AID, 0,
         "$UPAID,000000000,0,000000000,R,C", 0},
        {"ACF default", none, ACF, 0,
         "$UPACF,000000000,1,9100.0000,N,18100.0000,E,0,2087,2088,2087,2088,1,0,0,C", 0},
        {"ACF fields, south and west",
         [](Codecs &c) {
             c.mmsi->SetNewMmsi("992351234"), c.aton->SetTypeOfEPFS(7),
                 c.aton->GetPosition()->SetLatitude(-33.5);
             c.aton->GetPosition()->SetLongitude(-4.25), c.aton->SetPositionAccuracy(1),
                 c.aton->SetChannel1(2001);
             c.aton->SetChannel2(2002), c.aton->SetTypeOfAtoN(31), c.aton->SetAcfField14(3);
         },
         ACF, 0, "$UPACF,992351234,7,3330.0000,S,00415.0000,W,1,2001,2002,2001,2002,1,31,3,C", 0},
        {"ACE default", none, ACE, 0, aceHead + "ATON,0010010101,C", 0},
        // Zeros go after the sign.
        {"ACE RACON, negative threshold",
         [](Codecs &c) { c.aton->SetRacon(true), c.aton->SetOffPositionThreshold(-5); }, ACE, 0,
         "$UPACE,000000000,E8,-005,1,0,1,ATON,0010010101,C", 0},
        {"ACE comma", name("A,B"), ACE, 0, aceHead + "A^2CB,0010010101,C", 0},
        {"ACE 32 escaped", name(name33.left(30)), ACE, 0,
         aceHead + "NORTH PIER HEAD LIGHT^2C WEST SI,0010010101,C", 0},
        {"ACE 33 escaped", name(name33), ACE, 0, aceHead + ",0010010101,C", 1},
        {"ACE continuation", name(name33), ACE, 1,
         "$UPACE,000000000,,,,,,NORTH PIER HEAD LIGHT^2C WEST SID,,C", 0},
        {"ACE reference point", dims(1), ACE, 0, aceHead + "ATON,0000000000,C", 0},
        {"ACE fixed type", dims(19), ACE, 0, aceHead + "ATON,0050060708,C", 0},
        {"ACE floating type", dims(25), ACE, 0, aceHead + "ATON,0050050505,C", 0},
        {"AAR default", none, AAR, 0, "$UPAAR,000000000,21,01,00,00,00,6750,0,00,00,00,6750,C", 0},
        {"AAR out of range", none, AAR, 99,
         "$UPAAR,000000000,21,01,00,00,00,6750,0,00,00,00,6750,C", 0},
        {"AAR RATDMA, second message 6",
         [](Codecs &c) {
             int row = 0;
             c.schedule->AddMessage(6, row), c.schedule->AddMessage(6, row);
             MessageScheduleEntry e = c.schedule->EntryAt(row);
             e.SetAccessScheme(1), e.SetInterval1(3), e.SetInterval2(1440), e.SetStartSlot2(77);
             e.SetStartTime1(QTime(7, 5)), e.SetStartTime2(QTime(23, 59));
             c.schedule->SetEntry(row, e), c.mmsi->SetNewMmsi("123456789");
         },
         AAR, 3, "$UPAAR,123456789,06,02,07,05,,180,1,23,59,,86400,C", 0},
        {"AAR disabled report", [](Codecs &c) { c.schedule->DisableReport(0); }, AAR, 0,
         "$UPAAR,000000000,21,01,00,00,-1,6750,0,00,00,-1,6750,C", 0},
    };
    for (const Row &row : rows) {
        Codecs c;
        row.setup(c);
        // A continuation must clear what the caller left in extra.
        int extra = row.codec == ACE && row.index == 1 ? 5 : 0;
        const QString sentence = c.all[row.codec]->Encode(row.index, &extra);
        QVERIFY2(sentence == TestChecksum::Line(row.body),
                 qPrintable(row.name + (": " + sentence)));
        QVERIFY2(extra == row.extra, row.name);
    }
}

void TestSentenceCodecs::decodeAid()
{
    Codecs c;
    const QString good = "$AIAID,123456789,1,987654321,V,R";
    QCOMPARE(c.aid->Decode(ParsedSentence(TestChecksum::Framed(good).replace(",V,", ",R,"))), -3);
    QCOMPARE(c.aid->Decode(Answer("$GPAID,123456789,1,987654321,R,R")), -4);
    QCOMPARE(c.aid->Decode(Answer("$AIACF,123456789,1,987654321,R,R")), -3);
    for (const char *bad :
         {"$AIAID", "$AIAID,12345678,1,123456789,R,R", "$AIAID,123456789,1,12345678X,R,R",
          "$AIAID,123456789,1,123456789,,R", "$AIAID,123456789,1,123456789,X,R",
          "$AIAID,123456789,1,123456789,R", "$AIAID,123456789,1,123456789,R,C"})
        QVERIFY2(c.aid->Decode(Answer(bad)) == -1, bad);
    // Only mode R names the MMSI the unit holds: another mode is refused
    // rather than leaving the unit without one. The flag field may be empty.
    QCOMPARE(c.aid->Decode(Answer(good)), -1);
    QVERIFY2(c.aid->Problem().startsWith("field 4, mode: V,"), qPrintable(c.aid->Problem()));
    QCOMPARE(c.mmsi->Mmsi(), QString("000000000"));
    QCOMPARE(c.aid->Decode(Answer("$AIAID,123456789,,987654321,R,R")), 0);
    QCOMPARE(QStringList({c.mmsi->Mmsi(), c.mmsi->NewMmsi()}),
             QStringList({"123456789", "987654321"}));
    // A second unit answering the same query is refused; the next query may
    // find another unit.
    const QString other = "$AIAID,123456780,1,123456780,R,R";
    QCOMPARE(c.aid->Decode(Answer(other)), -1);
    QCOMPARE(c.aid->Problem(),
             QString("field 1, MMSI: 123456780, while the unit answered as 123456789 before"));
    c.aid->Query();
    QCOMPARE(c.aid->Decode(Answer(other)), 0);
}

void TestSentenceCodecs::decodeAce()
{
    Codecs c;
    // A name continuation on its own is refused.
    const QString continuation = "$AIACE,123456789,,,,,,LONG NAME PART,,R";
    QCOMPARE(c.ace->Decode(Answer(continuation)), -1);
    QCOMPARE(c.aton->Name(), QString("ATON"));
    QCOMPARE(c.ace->Decode(Answer("$AIACE,123456789,E8,0075,1,4,5,NEW^2C NAME,0120340506,R")), 0);
    QCOMPARE(QList<int>({c.aton->Racon(), c.aton->OffPositionThreshold(), c.aton->AceField5(),
                         c.aton->AceField6()}),
             QList<int>({1, 75, 4, 5}));
    QCOMPARE(c.aton->Name(), QString("NEW, NAME"));
    QCOMPARE(Dimensions(c.aton), QList<int>({12, 34, 5, 6}));

    // After its first sentence the continuation changes only the name...
    QCOMPARE(c.ace->Decode(Answer(continuation)), 0);
    QCOMPARE(c.aton->Name(), QString("LONG NAME PART"));
    QCOMPARE(c.aton->OffPositionThreshold(), 75);
    // ... but not from a damaged line, another talker or another formatter.
    QCOMPARE(c.ace->Decode(ParsedSentence("$AIACE,123456789,,,,,,BAD,,R*00")), -1);
    QCOMPARE(c.ace->Decode(Answer("$GPACE,123456789,,,,,,BAD,,R")), -1);
    QCOMPARE(c.ace->Decode(Answer("$AIACF,123456789,,,,,,BAD,,R")), -1);
    QCOMPARE(c.aton->Name(), QString("LONG NAME PART"));

    QCOMPARE(c.ace->Decode(Answer("$AIACE,000000000,E0,0050,1,0,1,X,0010010101,R")), -2);
    QVERIFY(c.aton->Racon());
    QCOMPARE(c.ace->Decode(Answer("$AIACE,123456789,08,0050,1,0,1,,0010010101,R")), 0);
    QVERIFY(c.aton->Racon());
    QCOMPARE(c.aton->Name(), QString());

    // A refused answer stores nothing, whichever field fails.
    c.mmsi->SetMmsi("123456789");
    AtoN before;
    before = *c.aton;
    for (const char *bad :
         {"$AIACE", "$AIACE,123456789,,0050,1,0,1,N,0010010101,R", "$AIACE,123456789,E0,0050,1,0,1",
          "$AIACE,123456789,E0,0050,1,0,1,N,0010010101",
          "$AIACE,123456789,E0,0060,1,,1,X,0010010101,R",
          "$AIACE,123456789,E8,0061,1,0,1,Y,0010010101,C",
          "$AIACE,123456789,E0,10000,1,0,1,Y,0010010101,R",
          "$AIACE,123456789,G0,0050,1,0,1,Y,0010010101,R",
          "$AIACE,123456789,E0,0050,1,0,1,Y,6000000000,R",
          "$AIACE,123456789,E0,0050,1,0,1,Y,ab1cd2x3,R",
          "$AIACE,987654321,E0,0050,1,0,1,Y,0010010101,R"}) {
        QVERIFY2(c.ace->Decode(Answer(bad)) == -1, bad);
        QVERIFY2(*c.aton == before && !c.ace->Problem().isEmpty(), bad);
    }
}

void TestSentenceCodecs::decodeAcf()
{
    Codecs c;
    QCOMPARE(c.acf->Decode(Answer(
                 "$AIACF,123456789,7,3330.0000,S,00415.0000,W,1,2001,2002,2003,2004,1,25,3,R")),
             0);
    GeoPosition *p = c.aton->GetPosition();
    QCOMPARE(p->Latitude(), -33.5);
    QCOMPARE(p->Longitude(), -4.25);
    QCOMPARE(QList<int>({c.aton->TypeOfEPFS(), c.aton->PositionAccuracy(), c.aton->Channel1(),
                         c.aton->Channel2(), c.aton->TypeOfAtoN(), c.aton->AcfField14()}),
             QList<int>({7, 1, 2003, 2004, 25, 3}));

    // An unconfigured unit, and any refused answer, change nothing.
    c.mmsi->SetMmsi("123456789");
    AtoN before;
    before = *c.aton;
    // Nine zeros after the unit named itself are refused, not taken as a
    // fresh unit's answer.
    QCOMPARE(c.acf->Decode(Answer("$AIACF,000000000,1,5030.0000,N,00100.0000,E,0,1,2,3,4,1,0,0,R")),
             -1);
    QCOMPARE(
        c.acf->Problem(),
        QString("field 1, MMSI: 000000000, while the unit answered the AID query as 123456789"));
    const QString good = "$AIACF,123456789,1,5030.0000,N,00100.0000,E,0,1,2,2087,2088,1,0,0,R";
    const QList<QPair<QString, QString>> bad{{",1,5030", ",99,5030"},
                                             {",2087,2088,", ",99999,2088,"},
                                             {",2087,2088,", ",2087,2029,"},
                                             {",1,0,0,R", ",1,99,0,R"},
                                             {",E,0,", ",E,x,"},
                                             {"5030.0000,N", "9500.0000,N"},
                                             {"5030.0000,N", "5060.0000,N"},
                                             {"5030.0000,N", "5030.0000,X"},
                                             {"5030.0000,N", "5030.0000,"},
                                             {"5030.0000,N", "nan,N"},
                                             {",R", ",C"},
                                             {",1,0,0,R", ",1,0,0"},
                                             {"123456789", "987654321"}};
    for (const auto &change : bad) {
        const QString answer = QString(good).replace(change.first, change.second);
        QVERIFY2(c.acf->Decode(Answer(answer)) == -1, qPrintable(answer));
        QVERIFY2(*c.aton == before, qPrintable(answer));
    }
    QCOMPARE(c.acf->Decode(Answer(QString(good).replace(",1,5030", ",99,5030"))), -1);
    QCOMPARE(c.acf->Problem(), QString("field 2, type of EPFS: 99 is outside 0 to 15"));
    // The unit's own text cannot change the message built around it.
    QCOMPARE(c.acf->Decode(Answer(QString(good).replace("5030.0000", "%2"))), -1);
    QVERIFY2(c.acf->Problem().endsWith("\"%2\" is not an angle up to 91 degrees"),
             qPrintable(c.acf->Problem()));

    // Not available travels as 91 and 181, or as empty fields.
    for (const QString &position : {QString("9100.0000,N,18100.0000,E"), QString(",,,")}) {
        p->SetLatitude(1.0);
        p->SetLongitude(1.0);
        QCOMPARE(c.acf->Decode(Answer(QString(good).replace("5030.0000,N,00100.0000,E", position))),
                 0);
        QCOMPARE(QList<double>({p->Latitude(), p->Longitude()}), QList<double>({91.0, 181.0}));
    }
}

void TestSentenceCodecs::decodeAar()
{
    Codecs c;
    // Both channels off is kept only for the two report rows (a sound report
    // row comes back from the simulator); message numbers and instances the
    // sentence cannot carry are refused.
    const QString report = "$AIAAR,123456789,21,02,00,30,-1,6750,0,00,30,-1,6750,R";
    const QList<MessageScheduleEntry> rows = c.schedule->Entries();
    QCOMPARE(c.aar.Decode(Answer(QString(report).replace(",21,02,", ",06,01,"))), 0);
    for (const char *instance :
         {",21,100,", ",21,00,", ",21,-2147483648,", ",12,2147483647,", ",64,01,", ",00,01,"}) {
        const QString placed = QString(report).replace("-1", "5").replace(",21,02,", instance);
        QCOMPARE(c.aar.Decode(Answer(placed)), -1);
    }
    QCOMPARE(c.schedule->Entries(), rows);

    // RATDMA has no start slots; intervals are taken as received.
    QCOMPARE(c.aar.Decode(Answer("$AIAAR,123456789,06,01,01,02,55,180,1,03,04,66,86400,R")), 0);
    MessageScheduleEntry row = c.schedule->EntryAt(2);
    QCOMPARE(QList<int>({row.MessageId(), row.AccessScheme(), row.StartSlot1(), row.Interval1(),
                         row.StartSlot2(), row.Interval2()}),
             QList<int>({6, 1, 0, 180, 0, 86400}));
    QCOMPARE(row.StartTime1(), QTime(1, 2));
    QCOMPARE(c.aar.Decode(Answer("$AIAAR,123456789,12,03,00,00,,,0,00,00,,,R")), 0);
    row = c.schedule->EntryAt(12);
    QCOMPARE(QList<int>({row.MessageId(), row.Active(), row.StartSlot1(), row.Interval1(),
                         row.Interval2()}),
             QList<int>({12, 1, 0, 0, 0}));

    const QList<MessageScheduleEntry> filled = c.schedule->Entries();
    const QString good = "$AIAAR,123456789,21,01,00,00,0,6750,0,00,00,0,6750,R";
    for (const char *bad : {"$AIAAR", "$AIAAR,1,21,01,00,00,0,6750,0,00,00,0,6750,R",
                            "$AIAAR,123456789,21,,00,00,0,6750,0,00,00,0,6750,R",
                            "$AIAAR,123456789,21,01,00,00,0,6750,0,00,00,0,6750,C",
                            "$AIAAR,123456789,21,01,00,00,0,6750,0,00,00,0,6750",
                            "$AIAAR,123456789,21,01,00,60,0,6750,0,00,00,0,6750,R",
                            "$AIAAR,123456789,21,01,00,00,0,6750,0,00,-1,0,6750,R",
                            "$AIAAR,123456789,21,01,00,00,0,6750,3,00,00,0,6750,R",
                            "$AIAAR,123456789,21,01,00,00,2250,6750,0,00,00,0,6750,R",
                            "$AIAAR,123456789,21,01,00,00,0,3240001,0,00,00,0,6750,R",
                            "$AIAAR,123456789,21,01,00,00,0,x,0,00,00,0,6750,R",
                            "$AIAAR,123456789,99,01,00,00,0,6750,0,00,00,0,6750,R",
                            "$GPAAR,123456789,21,01,00,00,0,6750,0,00,00,0,6750,R"})
        QVERIFY2(c.aar.Decode(Answer(bad)) == -1, bad);
    c.mmsi->SetAidMode(1);
    QCOMPARE(c.aar.Decode(Answer(good)), 0);
    QCOMPARE(c.schedule->Entries(), filled);
}

QTEST_GUILESS_MAIN(TestSentenceCodecs)
#include "tst_sentencecodecs.moc"

// What the codecs send, the unit keeps and answers; the same codecs must read
// it back: every number at the edges of its field, and positions just below
// a whole minute or degree, which must carry rather than go out as 60'.
void TestSentenceCodecs::encodersReadTheirOwnOutputBack()
{
    // The unit's answer to a set sentence it kept as sent.
    const auto answerTo = [](const QString &sent) {
        QString body = sent.left(sent.lastIndexOf('*'));
        body.replace(1, 2, "AI");
        body.chop(1);
        return Answer(body + 'R');
    };
    const double tenThousandth = 1.0 / 600000.0;
    const QList<double> latitudes = {0.0,
                                     1e-9,
                                     -(33 + 59 / 60.0 + 59.999 / 3600),
                                     -33.9999995,
                                     50.5,
                                     89.99999999,
                                     -89.999999999,
                                     90.0,
                                     -90.0,
                                     12 + 59.99994 / 60.0,
                                     GeoPosition::NotAvailableLatitude};
    const QList<double> longitudes = {
        0.0,  179.99999999, -179.99999999,          -180.0,
        4.25, 0.99999999,   -(1 + 59.99995 / 60.0), GeoPosition::NotAvailableLongitude};
    for (int i = 0; i < qMax(latitudes.size(), longitudes.size()); ++i) {
        Codecs sent, read;
        sent.mmsi->SetNewMmsi("992351234");
        GeoPosition *position = sent.aton->GetPosition();
        position->SetLatitude(latitudes.value(i, 0.0));
        position->SetLongitude(longitudes.value(i, 0.0));
        const QString sentence = sent.acf->Encode(0, nullptr);
        QVERIFY2(!sentence.contains(QRegularExpression("\\d60\\.\\d{4},")), qPrintable(sentence));
        QVERIFY2(read.acf->Decode(answerTo(sentence)) == 0,
                 qPrintable(sentence + read.acf->Problem()));
        const GeoPosition *back = read.aton->GetPosition();
        QVERIFY2(qAbs(back->Latitude() - position->Latitude()) <= tenThousandth / 2 + 1e-12 &&
                     qAbs(back->Longitude() - position->Longitude()) <= tenThousandth / 2 + 1e-12,
                 qPrintable(sentence));
    }
    Codecs carried;
    carried.aton->GetPosition()->SetLatitude(-33.9999995);
    carried.aton->GetPosition()->SetLongitude(179.99999999);
    QVERIFY(carried.acf->Encode(0, nullptr).contains(",3400.0000,S,18000.0000,E,"));

    // Every number at the lowest and the highest value its field carries,
    // one field at a time (all at their longest would not fit one line).
    using F = FieldRanges;
    const QList<QPair<F::Field, void (AtoN::*)(int)>> fields = {
        {F::TypeOfEPFS, &AtoN::SetTypeOfEPFS},
        {F::PositionAccuracy, &AtoN::SetPositionAccuracy},
        {F::TypeOfAtoN, &AtoN::SetTypeOfAtoN},
        {F::AcfField14, &AtoN::SetAcfField14},
        {F::OffPositionThreshold, &AtoN::SetOffPositionThreshold},
        {F::AceField5, &AtoN::SetAceField5},
        {F::AceField6, &AtoN::SetAceField6},
        {F::DimensionA, &AtoN::SetDimensionA},
        {F::DimensionB, &AtoN::SetDimensionB},
        {F::DimensionC, &AtoN::SetDimensionC},
        {F::DimensionD, &AtoN::SetDimensionD}};
    const QStringList names = {QString(), "A,B*C!D~E^F" + QString(23, 'X'), QString(34, 'N')};
    for (int i = 0; i < fields.size() * 2 + names.size(); ++i) {
        Codecs sent, read;
        AtoN *a = sent.aton;
        if (i < fields.size() * 2) {
            const F::Field field = fields.at(i / 2).first;
            (a->*fields.at(i / 2).second)(i % 2 ? F::Maximum(field) : F::Minimum(field));
        } else {
            a->SetName(names.at(i - fields.size() * 2));
        }
        a->SetRacon(i % 2);
        a->SetChannel1(i % 2 ? 2088 : 1001);
        a->SetChannel2(i % 2 ? 1060 : 2028);
        // A unit that holds the MMSI already answers the AID as sent.
        sent.mmsi->SetNewMmsi(i % 2 ? "999999999" : "000000001");
        sent.mmsi->SetMmsi(sent.mmsi->NewMmsi());
        int extra = 0;
        QStringList out = {sent.aid->Encode(0, nullptr), sent.acf->Encode(0, nullptr),
                           sent.ace->Encode(0, &extra)};
        if (extra)
            out << sent.ace->Encode(1, nullptr);
        // A line too long to send is refused before anything goes out.
        const bool fits = std::all_of(out.begin(), out.end(), [](const QString &line) {
            return line.trimmed().size() + 2 <= ParsedSentence::MaxLength;
        });
        if (!fits) {
            Model whole;
            *whole.GetAtoN() = *a;
            QVERIFY(!ConfigurationCheck::Problems(whole, ConfigurationCheck::AtoNTab).isEmpty());
            continue;
        }
        for (const QString &line : out) {
            AtoNSentence *codec = line.startsWith("$UPAID") ? static_cast<AtoNSentence *>(read.aid)
                                  : line.startsWith("$UPACF")
                                      ? static_cast<AtoNSentence *>(read.acf)
                                      : static_cast<AtoNSentence *>(read.ace);
            QVERIFY2(codec->Decode(answerTo(line)) == 0, qPrintable(line + codec->Problem()));
        }
        QVERIFY2(*read.aton == *a, qPrintable(out.join("")));
    }
}
