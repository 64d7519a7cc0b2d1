#include "lim/lanterninterface.h"
#include "model/model.h"
#include "model/padfile.h"

#include <QDataStream>
#include <QtTest>

class TestModel : public QObject
{
    Q_OBJECT

private slots:
    void resetAndAssignment();
    void nameKeepsFirst34Characters_data();
    void nameKeepsFirst34Characters();
    void lanternFlagsAndConversions();
};

void TestModel::resetAndAssignment()
{
    // Every field of a fresh model is checked byte by byte in tst_padfile.
    Model model;
    QCOMPARE(model.GetMessageSchedule()->GetAtoN(), model.GetAtoN());
    QCOMPARE(model.GetMessageSchedule()->Count(), 18);
    QCOMPARE(model.GetMessageSchedule()->VisibleCount(), 2);
    const QByteArray fresh = PadFile::ToBytes(model);

    AtoN *aton = model.GetAtoN();
    aton->GetAtoNMMSI()->SetMmsi("992351000");
    aton->GetAtoNMMSI()->SetAidFlag(false);
    aton->GetPosition()->SetLatitude(-33.25);
    aton->SetRacon(true);
    aton->SetName("SOUTH HEAD");
    aton->GetAtoNMMSI()->SetNewMmsi("992351001");
    aton->GetAtoNMMSI()->SetAidMode(3);
    aton->SetChannel2(2002);
    aton->SetAceField6(0);
    aton->SetDimensionD(13);
    model.GetLanternInterface()->SetLimpthresh(107);
    int row = 0;
    QVERIFY(model.GetMessageSchedule()->AddMessage(8, row));
    model.GetLanternInterface()->SetLimigain(true);
    // A version read from a file must not survive a reset either.
    QByteArray version;
    QDataStream(&version, QIODevice::WriteOnly) << qint32(7);
    QDataStream in(version);
    model.GetLanternInterface()->ModelObject::Read(in);

    Model copy;
    copy = model;
    QVERIFY(copy == model);
    QCOMPARE(PadFile::ToBytes(copy), PadFile::ToBytes(model));
    QCOMPARE(copy.GetMessageSchedule()->GetAtoN(), copy.GetAtoN());
    copy = static_cast<Model &>(copy); // self-assignment changes nothing
    QVERIFY(copy == model);
    copy.GetAtoN()->GetPosition()->SetLatitude(10.0); // the copies are independent
    QCOMPARE(model.GetAtoN()->GetPosition()->Latitude(), -33.25);

    model.Reset();
    QCOMPARE(PadFile::ToBytes(model), fresh);
    QVERIFY(model == Model());

    // Built on its own the MMSI record has aidFlag false; inside an AtoN true.
    AtoNMMSI alone;
    alone.SetAidFlag(true);
    alone.Reset();
    QCOMPARE(alone.AidFlag(), false);
}

void TestModel::nameKeepsFirst34Characters_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("kept");
    const QString forty = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789abcd";
    const QString clef = QString::fromUtf8("\xF0\x9D\x84\x9E");
    QTest::newRow("40") << forty << forty.left(34);
    QTest::newRow("34") << forty.left(34) << forty.left(34);
    QTest::newRow("characters, not bytes") << QString(40, QChar(0xE4)) << QString(34, QChar(0xE4));
    // A surrogate pair that straddles the cut is dropped whole.
    QTest::newRow("pair across the cut") << QString(33, 'x') + clef + "yy" << QString(33, 'x');
    QTest::newRow("pair before the cut")
        << QString(32, 'x') + clef + "yy" << QString(32, 'x') + clef;
}

void TestModel::nameKeepsFirst34Characters()
{
    QFETCH(QString, name);
    AtoN aton;
    aton.SetName(name);
    QTEST(aton.Name(), "kept");
}

void TestModel::lanternFlagsAndConversions()
{
    // Any non-zero flag reads as true and is written back as 1.
    QByteArray bytes;
    QDataStream(&bytes, QIODevice::WriteOnly)
        << qint32(2) << qint32(-7) << qint32(1) << qint32(2) << qint32(3) << qint32(4) << qint32(5)
        << qint32(256) << qint32(6);
    QDataStream in(bytes);
    LanternInterface lantern;
    lantern.Read(in);
    QVERIFY(lantern.GetLimen() && lantern.GetLimigain());
    QByteArray again;
    QDataStream out(&again, QIODevice::WriteOnly);
    lantern.Write(out);
    QCOMPARE(again.mid(4, 4) + again.mid(28, 4), QByteArray::fromHex("0000000100000001"));
    QVERIFY(!lantern.SetParameterValue(LanternInterface::ParameterCount, 1));
    QCOMPARE(LanternInterface::ParameterIndex("limpthresh"), 7);
    QCOMPARE(LanternInterface::ParameterIndex("LIMEN"), -1);
    lantern.SetLimton(0);
    lantern.SetLimtoff(0);
    QVERIFY(lantern.IsSteadyOn());
    lantern.SetLimton(500);
    QVERIFY(!lantern.IsSteadyOn());

    using L = LanternInterface;
    const QList<QPair<int, int>> whole = {
        {L::MillivoltsFromVolts(32.3), 32299}, // the double product lies just below 32300
        {L::MillivoltsFromVolts(-1.0005), -1000},
        {L::MillisecondsFromSeconds(0.5), 500},
        {L::OnCurrentFromAmperes(0.5), 250},
        {L::SlewRateFromAmperesPerSecond(5.0), 250},
        {L::ThresholdFromLux(30), 247},
        {L::LuxFromThreshold(247), 30},
        {L::ThresholdFromLux(0), 0},
        {L::LuxFromThreshold(0), 0},
        // Values beyond int are held to its ends rather than converted blindly.
        {L::MillivoltsFromVolts(1e12), INT_MAX},
        {L::MillivoltsFromVolts(-1e12), INT_MIN},
        {L::MillisecondsFromSeconds(qQNaN()), 0},
        {L::ThresholdFromLux(qInf()), INT_MAX},
    };
    for (int i = 0; i < whole.size(); ++i)
        QVERIFY2(whole[i].first == whole[i].second, qPrintable(QString::number(i)));
    // 250 is 0.5 A when steady on, 5 A/s when flashing.
    QCOMPARE(L::AmperesFromOnCurrent(250), 0.5);
    QCOMPARE(L::AmperesPerSecondFromSlewRate(250), 5.0);
}

QTEST_GUILESS_MAIN(TestModel)
#include "tst_model.moc"
