#include "lim/lanterninterface.h"
#include "model/model.h"

#include <QDataStream>
#include <QtTest>

class TestModel : public QObject
{
    Q_OBJECT

private:
    static void VerifyDefaults(const Model &model);
    static void Scribble(Model &model);

private slots:
    void freshAndResetHoldDefaults();
    void nameKeepsFirst34Characters();
    void assignmentCopiesEverythingButTheSchedulePointer();
    void fixedAtoNTypes();
    void lanternParameterTable();
    void lanternConversions_data();
    void lanternConversions();
    void lanternExtremeInputsStayDefined();
};

void TestModel::VerifyDefaults(const Model &model)
{
    const AtoN *aton = model.GetAtoN();
    QCOMPARE(model.ObjectVersion(), 2);
    QCOMPARE(aton->ObjectVersion(), 2);
    QCOMPARE(aton->GetAtoNMMSI()->Mmsi(), QStringLiteral("000000000"));
    QCOMPARE(aton->GetAtoNMMSI()->NewMmsi(), QStringLiteral("000000000"));
    QCOMPARE(aton->GetAtoNMMSI()->AidMode(), 0);
    QCOMPARE(aton->GetAtoNMMSI()->AidFlag(), true);
    QCOMPARE(aton->TypeOfEPFS(), 1);
    QCOMPARE(aton->GetPosition()->Latitude(), 91.0);
    QCOMPARE(aton->GetPosition()->Longitude(), 181.0);
    QCOMPARE(aton->PositionAccuracy(), 0);
    QCOMPARE(aton->Channel1(), 2087);
    QCOMPARE(aton->Channel2(), 2088);
    QCOMPARE(aton->TypeOfAtoN(), 0);
    QCOMPARE(aton->AcfField14(), 0);
    QCOMPARE(aton->Racon(), false);
    QCOMPARE(aton->OffPositionThreshold(), 50);
    QCOMPARE(aton->AceField5(), 0);
    QCOMPARE(aton->AceField6(), 1);
    QCOMPARE(aton->Name(), QStringLiteral("ATON"));
    QCOMPARE(aton->DimensionA(), 1);
    QCOMPARE(aton->DimensionB(), 1);
    QCOMPARE(aton->DimensionC(), 1);
    QCOMPARE(aton->DimensionD(), 1);

    // Row 0 the active normal report, then a placeholder for every other row
    // of the block layout.
    const MessageSchedule *schedule = model.GetMessageSchedule();
    QCOMPARE(schedule->GetAtoN(), aton);
    QCOMPARE(schedule->Count(), 18);
    const MessageScheduleEntry first = schedule->EntryAt(0);
    QCOMPARE(first.MessageId(), 21);
    QCOMPARE(first.AccessScheme(), 0);
    QCOMPARE(first.StartTime1(), QTime(0, 0));
    QCOMPARE(first.StartTime2(), QTime(0, 0));
    QCOMPARE(first.StartSlot1(), 0);
    QCOMPARE(first.StartSlot2(), 0);
    QCOMPARE(first.Interval1(), 6750);
    QCOMPARE(first.Interval2(), 6750);
    QCOMPARE(first.Active(), true);
    QCOMPARE(first.SpareValue(), 0);
    const int blockOf[18] = {21, 21, 6, 6, 6, 6, 8, 8, 8, 8, 12, 12, 12, 12, 14, 14, 14, 14};
    for (int i = 1; i < 18; ++i) {
        const MessageScheduleEntry row = schedule->EntryAt(i);
        QCOMPARE(row.MessageId(), blockOf[i]);
        QCOMPARE(row.Active(), false);
        QCOMPARE(row.StartSlot1(), -1);
        QCOMPARE(row.StartSlot2(), -1);
        QCOMPARE(row.Interval1(), 6750);
        QCOMPARE(row.AccessScheme(), 0);
    }
    // The table shows the normal report and, greyed, the off-position report.
    QCOMPARE(schedule->VisibleCount(), 2);

    const LanternInterface *lantern = model.GetLanternInterface();
    for (int i = 0; i < LanternInterface::ParameterCount; ++i)
        QCOMPARE(lantern->ParameterValue(i), 0);
}

void TestModel::Scribble(Model &model)
{
    AtoN *aton = model.GetAtoN();
    aton->GetAtoNMMSI()->SetMmsi(QStringLiteral("992351000"));
    aton->GetAtoNMMSI()->SetNewMmsi(QStringLiteral("992351001"));
    aton->GetAtoNMMSI()->SetAidMode(3);
    aton->GetAtoNMMSI()->SetAidFlag(false);
    aton->SetTypeOfEPFS(7);
    aton->GetPosition()->SetLatitude(-33.25);
    aton->GetPosition()->SetLongitude(151.5);
    aton->SetPositionAccuracy(1);
    aton->SetChannel1(2001);
    aton->SetChannel2(2002);
    aton->SetTypeOfAtoN(25);
    aton->SetAcfField14(9);
    aton->SetRacon(true);
    aton->SetOffPositionThreshold(500);
    aton->SetAceField5(4);
    aton->SetAceField6(0);
    aton->SetName(QStringLiteral("SOUTH HEAD"));
    aton->SetDimensionA(10);
    aton->SetDimensionB(11);
    aton->SetDimensionC(12);
    aton->SetDimensionD(13);
    MessageSchedule *schedule = model.GetMessageSchedule();
    int row = 0;
    QVERIFY(schedule->AddMessage(8, row));
    QVERIFY(schedule->DisableReport(0));
    LanternInterface *lantern = model.GetLanternInterface();
    for (int i = 0; i < LanternInterface::ParameterCount; ++i)
        QVERIFY(lantern->SetParameterValue(i, 100 + i));
}

void TestModel::freshAndResetHoldDefaults()
{
    Model fresh;
    VerifyDefaults(fresh);

    Model edited;
    Scribble(edited);
    QVERIFY(edited != fresh);
    // A version read from a file must not survive a reset either.
    QByteArray bytes;
    {
        QDataStream out(&bytes, QIODevice::WriteOnly);
        out << qint32(7);
    }
    QDataStream in(bytes);
    edited.GetLanternInterface()->ModelObject::Read(in);
    QCOMPARE(edited.GetLanternInterface()->ObjectVersion(), 7);

    edited.Reset();
    VerifyDefaults(edited);
    QVERIFY(edited == fresh);

    // A record built on its own carries aidFlag false; inside an AtoN it is true.
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
    QCOMPARE(forty.size(), 40);
    aton.SetName(forty);
    QCOMPARE(aton.Name(), forty.left(34));
    aton.SetName(forty.left(34));
    QCOMPARE(aton.Name(), forty.left(34));
    aton.SetName(QString());
    QCOMPARE(aton.Name(), QString());

    // Non-ASCII text is cut by characters, not bytes.
    const QString umlauts = QString(40, QChar(0x00E4));
    aton.SetName(umlauts);
    QCOMPARE(aton.Name(), QString(34, QChar(0x00E4)));

    // A character outside the basic plane straddling the cut is dropped whole
    // rather than leaving half of its surrogate pair.
    const QString clef = QString::fromUtf8("\xF0\x9D\x84\x9E"); // U+1D11E
    const QString straddling = QString(33, QLatin1Char('x')) + clef + QStringLiteral("yy");
    aton.SetName(straddling);
    QCOMPARE(aton.Name(), QString(33, QLatin1Char('x')));
    const QString fitting = QString(32, QLatin1Char('x')) + clef + QStringLiteral("yy");
    aton.SetName(fitting);
    QCOMPARE(aton.Name(), QString(32, QLatin1Char('x')) + clef);
}

void TestModel::assignmentCopiesEverythingButTheSchedulePointer()
{
    Model source;
    Scribble(source);
    Model target;
    target = source;
    QVERIFY(target == source);
    QCOMPARE(target.GetAtoN()->Name(), QStringLiteral("SOUTH HEAD"));
    QCOMPARE(target.GetAtoN()->GetPosition()->Latitude(), -33.25);
    QCOMPARE(target.GetAtoN()->GetAtoNMMSI()->NewMmsi(), QStringLiteral("992351001"));
    QCOMPARE(target.GetMessageSchedule()->EntryAt(6).MessageId(), 8);
    QVERIFY(target.GetMessageSchedule()->EntryAt(6).Active());
    QCOMPARE(target.GetLanternInterface()->GetLimpthresh(), 107);
    // Each schedule keeps pointing at its own sibling.
    QCOMPARE(target.GetMessageSchedule()->GetAtoN(), target.GetAtoN());
    QCOMPARE(source.GetMessageSchedule()->GetAtoN(), source.GetAtoN());

    // Records are independent after the copy.
    target.GetAtoN()->GetPosition()->SetLatitude(10.0);
    QCOMPARE(source.GetAtoN()->GetPosition()->Latitude(), -33.25);

    // Self-assignment changes nothing.
    Model &alias = target;
    target = alias;
    QCOMPARE(target.GetAtoN()->GetPosition()->Latitude(), 10.0);
    QCOMPARE(target.GetMessageSchedule()->Count(), 18);

    // An empty schedule copies as empty.
    MessageSchedule empty;
    QByteArray bytes;
    {
        QDataStream out(&bytes, QIODevice::WriteOnly);
        out << qint32(2) << qint32(0);
    }
    QDataStream in(bytes);
    empty.Read(in);
    QCOMPARE(empty.Count(), 0);
    *target.GetMessageSchedule() = empty;
    QCOMPARE(target.GetMessageSchedule()->Count(), 0);
    QCOMPARE(target.GetMessageSchedule()->GetAtoN(), target.GetAtoN());
}

void TestModel::fixedAtoNTypes()
{
    QVERIFY(AtoN::IsFixedAtoNType(0));
    QVERIFY(AtoN::IsFixedAtoNType(19));
    QVERIFY(!AtoN::IsFixedAtoNType(20));
    QVERIFY(!AtoN::IsFixedAtoNType(31));
    QVERIFY(!AtoN::IsFixedAtoNType(-1));
    AtoN aton;
    aton.SetTypeOfAtoN(20);
    QVERIFY(!aton.IsFixedAtoNType());
}

void TestModel::lanternParameterTable()
{
    const char *names[] = {"limen",   "limvmin", "limvmax",  "limton",
                           "limtoff", "limion",  "limigain", "limpthresh"};
    for (int i = 0; i < LanternInterface::ParameterCount; ++i) {
        QCOMPARE(LanternInterface::ParameterName(i), QString::fromLatin1(names[i]));
        QCOMPARE(LanternInterface::ParameterIndex(QString::fromLatin1(names[i])), i);
        QCOMPARE(LanternInterface::GetTag(i), 6 + i);
        QCOMPARE(LanternInterface::SetTag(i), 14 + i);
    }
    QCOMPARE(LanternInterface::ParameterIndex(QStringLiteral("LIMEN")), -1);
    QCOMPARE(LanternInterface::ParameterName(8), QString());
    QCOMPARE(LanternInterface::GetTag(-1), -1);

    LanternInterface lantern;
    QVERIFY(lantern.SetParameterValue(LanternInterface::Limigain, 5));
    QCOMPARE(lantern.GetLimigain(), true);
    QCOMPARE(lantern.ParameterValue(LanternInterface::Limigain), 1);
    QVERIFY(lantern.SetParameterValue(LanternInterface::Limvmax, 24000));
    QCOMPARE(lantern.GetLimvmax(), 24000);
    QVERIFY(!lantern.SetParameterValue(8, 1));

    // Any non-zero flag in a file reads as true.
    QByteArray bytes;
    {
        QDataStream out(&bytes, QIODevice::WriteOnly);
        out << qint32(2) << qint32(-7) << qint32(1) << qint32(2) << qint32(3) << qint32(4)
            << qint32(5) << qint32(256) << qint32(6);
    }
    QDataStream in(bytes);
    LanternInterface read;
    read.Read(in);
    QCOMPARE(in.status(), QDataStream::Ok);
    QCOMPARE(read.GetLimen(), true);
    QCOMPARE(read.GetLimigain(), true);
    QCOMPARE(read.GetLimpthresh(), 6);
    // and is written back as 1.
    QByteArray again;
    {
        QDataStream out(&again, QIODevice::WriteOnly);
        read.Write(out);
    }
    QCOMPARE(again.mid(4, 4), QByteArray::fromHex("00000001"));
    QCOMPARE(again.mid(28, 4), QByteArray::fromHex("00000001"));

    lantern.SetLimton(0);
    lantern.SetLimtoff(0);
    QVERIFY(lantern.IsSteadyOn());
    lantern.SetLimtoff(1);
    QVERIFY(!lantern.IsSteadyOn());
}

void TestModel::lanternConversions_data()
{
    QTest::addColumn<QString>("conversion");
    QTest::addColumn<double>("shown");
    QTest::addColumn<int>("stored");
    // shown -> stored
    QTest::newRow("32.3 V truncates below 32300") << "mV" << 32.3 << 32299;
    QTest::newRow("12 V") << "mV" << 12.0 << 12000;
    QTest::newRow("negative truncates toward zero") << "mV" << -1.0005 << -1000;
    QTest::newRow("0.5 s") << "ms" << 0.5 << 500;
    QTest::newRow("0.5 A steady") << "on" << 0.5 << 250;
    QTest::newRow("5 A/s flashing") << "slew" << 5.0 << 250;
    QTest::newRow("30 lux") << "lux" << 30.0 << 247;
    QTest::newRow("0 lux stays 0") << "lux" << 0.0 << 0;
    QTest::newRow("1 lux") << "lux" << 1.0 << 4;
}

void TestModel::lanternConversions()
{
    QFETCH(QString, conversion);
    QFETCH(double, shown);
    QFETCH(int, stored);
    if (conversion == QLatin1String("mV")) {
        QCOMPARE(LanternInterface::MillivoltsFromVolts(shown), stored);
    } else if (conversion == QLatin1String("ms")) {
        QCOMPARE(LanternInterface::MillisecondsFromSeconds(shown), stored);
        QCOMPARE(LanternInterface::SecondsFromMilliseconds(stored), shown);
    } else if (conversion == QLatin1String("on")) {
        QCOMPARE(LanternInterface::OnCurrentFromAmperes(shown), stored);
        QCOMPARE(LanternInterface::AmperesFromOnCurrent(stored), shown);
    } else if (conversion == QLatin1String("slew")) {
        QCOMPARE(LanternInterface::SlewRateFromAmperesPerSecond(shown), stored);
        QCOMPARE(LanternInterface::AmperesPerSecondFromSlewRate(stored), shown);
    } else if (conversion == QLatin1String("lux")) {
        QCOMPARE(LanternInterface::ThresholdFromLux(shown), stored);
        QCOMPARE(LanternInterface::LuxFromThreshold(stored), int(shown));
    } else {
        QFAIL("unknown conversion");
    }
}

void TestModel::lanternExtremeInputsStayDefined()
{
    // Converting such doubles to int directly would be undefined.
    QCOMPARE(LanternInterface::MillivoltsFromVolts(1e12), INT_MAX);
    QCOMPARE(LanternInterface::MillivoltsFromVolts(-1e12), INT_MIN);
    QCOMPARE(LanternInterface::MillisecondsFromSeconds(qQNaN()), 0);
    QCOMPARE(LanternInterface::ThresholdFromLux(qInf()), INT_MAX);
    QCOMPARE(LanternInterface::LuxFromThreshold(INT_MAX), int(std::round((INT_MAX + 4.28) / 8.36)));
    QCOMPARE(LanternInterface::VoltsFromMillivolts(INT_MIN), INT_MIN / 1000.0);
}

QTEST_GUILESS_MAIN(TestModel)
#include "tst_model.moc"
