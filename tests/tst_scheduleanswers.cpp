#include "model/model.h"
#include "sentences/atonsentenceaar.h"
#include "support/testchecksum.h"

#include <QtTest>

namespace {

ParsedSentence Answer(const QString &body)
{
    return ParsedSentence(TestChecksum::Line(body));
}

// The off-position report with the given start slot on both channels.
QString Report(int slot)
{
    return QStringLiteral("$AIAAR,123456789,21,02,00,30,%1,6750,0,00,30,%1,6750,R").arg(slot);
}

} // namespace

// What the unit answers about its schedule, as one read takes it.
class TestScheduleAnswers : public QObject
{
    Q_OBJECT

private slots:
    void contradictingRowsFailTheRead();
};

void TestScheduleAnswers::contradictingRowsFailTheRead()
{
    Model model;
    MessageSchedule *schedule = model.GetMessageSchedule();
    AtoNSentenceAAR aar(schedule);
    aar.Query();
    QCOMPARE(aar.Decode(Answer(Report(200))), 0);
    // Told again alike, a row is harmless; told otherwise, neither answer is
    // taken for the other and both are named.
    QCOMPARE(aar.Decode(Answer(Report(200))), 0);
    QCOMPARE(aar.Decode(Answer(Report(207))), -1);
    QCOMPARE(aar.Problem(),
             QString("two different answers for schedule row 21/2: scheme 0, channel 1 00:30 "
                     "slot 200 every 6750, channel 2 00:30 slot 200 every 6750, then scheme 0, "
                     "channel 1 00:30 slot 207 every 6750, channel 2 00:30 slot 207 every 6750"));
    QCOMPARE(schedule->EntryAt(1).StartSlot1(), 200);
    // The next read starts afresh.
    aar.Query();
    QCOMPARE(aar.Decode(Answer(Report(207))), 0);
    QCOMPARE(schedule->EntryAt(1).StartSlot2(), 207);
}

QTEST_GUILESS_MAIN(TestScheduleAnswers)
#include "tst_scheduleanswers.moc"
