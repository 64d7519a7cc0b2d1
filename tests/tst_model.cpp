#include "lim/lanterninterface.h"
#include "model/model.h"
#include "model/padfile.h"

#include <QDataStream>
#include <QtTest>

class TestModel : public QObject
{
    Q_OBJECT

private slots:
    void freshAndResetHoldDefaults();
    void nameKeepsFirst34Characters();
    void assignmentCopiesEverythingButTheSchedulePointer();
    void lanternFlagsAndConversions();
};

namespace {

void Scribble(Model &model)
{
    AtoN *aton = model.GetAtoN();
    aton->GetAtoNMMSI()->SetMmsi(QStringLiteral("992351000"));
    aton->GetAtoNMMSI()->SetNewMmsi(QStringLiteral("992351001"));
    aton->GetAtoNMMSI()->SetAidMode(3);
    aton->GetAtoNMMSI()->SetAidFlag(false);
    aton->GetPosition()->SetLatitude(-33.25);
    aton->SetChannel2(2002);
    aton->SetAcfField14(9);
    aton->SetRacon(true);
    aton->SetAceField6(0);
    aton->SetName(QStringLiteral("SOUTH HEAD"));
    aton->SetDimensionD(13);
    int row = 0;
    QVERIFY(model.GetMessageSchedule()->AddMessage(8, row));
    QVERIFY(model.GetMessageSchedule()->DisableReport(0));
    model.GetLanternInterface()->SetLimpthresh(107);
    model.GetLanternInterface()->SetLimigain(true);
}

} // namespace

void TestModel::freshAndResetHoldDefaults()
{
    // Every field of a fresh model is checked byte by byte in tst_padfile;
    // here the values a reader would look for first.
    Model model;
    const AtoN *aton = model.GetAtoN();
    QCOMPARE(aton->Name(), QStringLiteral("ATON"));
    QCOMPARE(aton->GetAtoNMMSI()->Mmsi(), QStringLiteral("000000000"));
    QCOMPARE(aton->GetAtoNMMSI()->NewMmsi(), QStringLiteral("000000000"));
    QCOMPARE(aton->GetAtoNMMSI()->AidFlag(), true);
    QCOMPARE(aton->Channel1(), 2087);
    QCOMPARE(aton->Channel2(), 2088);
    QCOMPARE(aton->OffPositionThreshold(), 50);
    QCOMPARE(aton->GetPosition()->Latitude(), 91.0);
    QCOMPARE(aton->GetPosition()->Longitude(), 181.0);
    QCOMPARE(aton->TypeOfEPFS(), 1);
    QCOMPARE(aton->AceField6(), 1);
    QCOMPARE(model.GetMessageSchedule()->GetAtoN(), aton);
    // The full block layout: the table shows the normal report and, greyed,
    // the off-position report.
    QCOMPARE(model.GetMessageSchedule()->Count(), 18);
    QCOMPARE(model.GetMessageSchedule()->VisibleCount(), 2);
    QVERIFY(model.GetMessageSchedule()->EntryAt(0).Active());
    QVERIFY(!model.GetMessageSchedule()->EntryAt(1).Active());

    const QByteArray fresh = PadFile::ToBytes(model);
    Scribble(model);
    // A version read from a file must not survive a reset either.
    QByteArray version;
    QDataStream(&version, QIODevice::WriteOnly) << qint32(7);
    QDataStream in(version);
    model.GetLanternInterface()->ModelObject::Read(in);
    QVERIFY(PadFile::ToBytes(model) != fresh);
    model.Reset();
    QCOMPARE(PadFile::ToBytes(model), fresh);
    QVERIFY(model == Model());

    // Built on its own the MMSI record has aidFlag false; inside an AtoN true.
    AtoNMMSI alone;
    QCOMPARE(alone.AidFlag(), false);
    alone.SetAidFlag(true);
    alone.Reset();
    QCOMPARE(alone.AidFlag(), false);
}

void TestModel::nameKeepsFirst34Characters()
{
    AtoN aton;
    const QString forty = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789abcd");
    aton.SetName(forty);
    QCOMPARE(aton.Name(), forty.left(34));
    aton.SetName(forty.left(34));
    QCOMPARE(aton.Name(), forty.left(34));
    // Characters, not bytes.
    aton.SetName(QString(40, QChar(0x00E4)));
    QCOMPARE(aton.Name(), QString(34, QChar(0x00E4)));
    // A character outside the basic plane that straddles the cut is dropped
    // whole rather than leaving half of its surrogate pair.
    const QString clef = QString::fromUtf8("\xF0\x9D\x84\x9E");
    aton.SetName(QString(33, QLatin1Char('x')) + clef + QStringLiteral("yy"));
    QCOMPARE(aton.Name(), QString(33, QLatin1Char('x')));
    aton.SetName(QString(32, QLatin1Char('x')) + clef + QStringLiteral("yy"));
    QCOMPARE(aton.Name(), QString(32, QLatin1Char('x')) + clef);
}

void TestModel::assignmentCopiesEverythingButTheSchedulePointer()
{
    Model source;
    Scribble(source);
    Model target;
    target = source;
    QVERIFY(target == source);
    QCOMPARE(PadFile::ToBytes(target), PadFile::ToBytes(source));
    QCOMPARE(target.GetMessageSchedule()->GetAtoN(), target.GetAtoN());
    QCOMPARE(source.GetMessageSchedule()->GetAtoN(), source.GetAtoN());
    // The copies are independent.
    target.GetAtoN()->GetPosition()->SetLatitude(10.0);
    QCOMPARE(source.GetAtoN()->GetPosition()->Latitude(), -33.25);
    // Self-assignment changes nothing.
    Model &alias = target;
    target = alias;
    QCOMPARE(target.GetAtoN()->GetPosition()->Latitude(), 10.0);
    QCOMPARE(target.GetMessageSchedule()->Count(), 18);

    // An empty schedule copies as empty.
    QByteArray bytes;
    QDataStream(&bytes, QIODevice::WriteOnly) << qint32(2) << qint32(0);
    QDataStream in(bytes);
    MessageSchedule empty;
    empty.Read(in);
    *target.GetMessageSchedule() = empty;
    QCOMPARE(target.GetMessageSchedule()->Count(), 0);
    QCOMPARE(target.GetMessageSchedule()->GetAtoN(), target.GetAtoN());
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
    QVERIFY(lantern.GetLimen());
    QVERIFY(lantern.GetLimigain());
    QCOMPARE(lantern.ParameterValue(LanternInterface::Limigain), 1);
    QByteArray again;
    QDataStream out(&again, QIODevice::WriteOnly);
    lantern.Write(out);
    QCOMPARE(again.mid(4, 4), QByteArray::fromHex("00000001"));
    QCOMPARE(again.mid(28, 4), QByteArray::fromHex("00000001"));
    QVERIFY(lantern.SetParameterValue(LanternInterface::Limen, 0));
    QVERIFY(!lantern.GetLimen());
    QVERIFY(!lantern.SetParameterValue(LanternInterface::ParameterCount, 1));
    QCOMPARE(LanternInterface::ParameterIndex(QStringLiteral("limpthresh")), 7);
    QCOMPARE(LanternInterface::ParameterIndex(QStringLiteral("LIMEN")), -1);

    // The double product of 32.3 V lies just below 32300 mV.
    QCOMPARE(LanternInterface::MillivoltsFromVolts(32.3), 32299);
    QCOMPARE(LanternInterface::MillivoltsFromVolts(-1.0005), -1000);
    QCOMPARE(LanternInterface::MillisecondsFromSeconds(0.5), 500);
    // 250 is 0.5 A when steady on, 5 A/s when flashing.
    QCOMPARE(LanternInterface::AmperesFromOnCurrent(250), 0.5);
    QCOMPARE(LanternInterface::OnCurrentFromAmperes(0.5), 250);
    QCOMPARE(LanternInterface::AmperesPerSecondFromSlewRate(250), 5.0);
    QCOMPARE(LanternInterface::SlewRateFromAmperesPerSecond(5.0), 250);
    QCOMPARE(LanternInterface::ThresholdFromLux(30), 247);
    QCOMPARE(LanternInterface::LuxFromThreshold(247), 30);
    QCOMPARE(LanternInterface::ThresholdFromLux(0), 0);
    QCOMPARE(LanternInterface::LuxFromThreshold(0), 0);
    lantern.SetLimton(0);
    lantern.SetLimtoff(0);
    QVERIFY(lantern.IsSteadyOn());
    lantern.SetLimton(500);
    QVERIFY(!lantern.IsSteadyOn());
    // Values beyond int are held to its ends rather than converted blindly.
    QCOMPARE(LanternInterface::MillivoltsFromVolts(1e12), INT_MAX);
    QCOMPARE(LanternInterface::MillivoltsFromVolts(-1e12), INT_MIN);
    QCOMPARE(LanternInterface::MillisecondsFromSeconds(qQNaN()), 0);
    QCOMPARE(LanternInterface::ThresholdFromLux(qInf()), INT_MAX);
}

QTEST_GUILESS_MAIN(TestModel)
#include "tst_model.moc"
