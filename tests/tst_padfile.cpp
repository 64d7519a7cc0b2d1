#include "model/model.h"
#include "model/padfile.h"

#include <QDataStream>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <cstring>

namespace {

// Offsets in a file: name length, the schedule's row count.
const int NameAt = 4 + 4 + 53 + 4 + 16 + 20 + 1 + 12;
const int CountAt = NameAt + 12 + 16 + 4;

// The file bytes, packed by hand so that the check does not lean on the
// stream code that the model uses.
class Bytes
{
public:
    Bytes &Big(quint64 u, int size)
    {
        for (int shift = 8 * (size - 1); shift >= 0; shift -= 8)
            data.append(char((u >> shift) & 0xFF));
        return *this;
    }
    Bytes &Int32(qint32 value) { return Big(quint32(value), 4); }
    Bytes &Bool(bool value) { return Big(value ? 1 : 0, 1); }
    Bytes &Double(double value)
    {
        quint64 u = 0;
        std::memcpy(&u, &value, sizeof u);
        return Big(u, 8);
    }
    Bytes &String(const QString &text)
    {
        Int32(text.isNull() ? -1 : text.size() * 2);
        for (QChar c : text)
            Big(c.unicode(), 2);
        return *this;
    }
    // FATDMA, start 00:00 on both channels, interval 6750.
    Bytes &Row(int message, int slot, bool active)
    {
        Int32(message).Int32(0).Int32(0).Int32(slot).Int32(6750);
        return Int32(0).Int32(slot).Int32(6750).Bool(active).Int32(0);
    }
    QByteArray data;
};

QByteArray DefaultFileByHand()
{
    Bytes b;
    b.Int32(2).Int32(2);                                  // Model, AtoN
    b.Int32(2).String("000000000").String("000000000");   // AtoNMMSI
    b.Int32(0).Bool(true);                                // aidMode, aidFlag
    b.Int32(1).Double(91.0).Double(181.0);                // typeOfEPFS, position
    b.Int32(0).Int32(2087).Int32(2088).Int32(0).Int32(0); // accuracy .. acfField14
    b.Bool(false).Int32(50).Int32(0).Int32(1);            // racon .. aceField6
    b.String("ATON").Int32(1).Int32(1).Int32(1).Int32(1); // name, dimensions
    b.Int32(2).Int32(18).Row(21, 0, true);                // MessageSchedule
    for (int message : {21, 6, 6, 6, 6, 8, 8, 8, 8, 12, 12, 12, 12, 14, 14, 14, 14})
        b.Row(message, -1, false);
    b.Int32(2).Int32(0).Int32(0).Int32(0).Int32(0).Int32(0).Int32(0).Int32(0).Int32(0);
    return b.data;
}

// A default file whose row count field says count, followed by rows real rows.
QByteArray WithRows(int count, int rows)
{
    const QByteArray bytes = PadFile::ToBytes(Model());
    Bytes b;
    b.Int32(count);
    for (int i = 0; i < rows; ++i)
        b.Row(i % 2 ? 6 : 21, i, i % 3 != 0);
    return bytes.left(CountAt) + b.data + bytes.right(36);
}

// Models that stress the file form: 0 extremes and a null text, 1 non-ASCII
// and a busy schedule. Schedules of 0 to 18 rows go through rowCounts.
void Vary(Model &model, int variant)
{
    AtoN *aton = model.GetAtoN();
    AtoNMMSI *mmsi = aton->GetAtoNMMSI();
    MessageSchedule *schedule = model.GetMessageSchedule();
    LanternInterface *lantern = model.GetLanternInterface();
    if (variant == 0) {
        mmsi->SetMmsi("999999999");
        mmsi->SetNewMmsi(QString());
        mmsi->SetAidMode(INT_MIN);
        mmsi->SetAidFlag(false);
        aton->GetPosition()->SetLatitude(-90.0);
        aton->GetPosition()->SetLongitude(180.0);
        aton->SetRacon(true);
        aton->SetName(QString(40, 'W')); // cut to 34 by the setter
        const QList<void (AtoN::*)(int)> setters = {
            &AtoN::SetTypeOfEPFS, &AtoN::SetPositionAccuracy, &AtoN::SetChannel1,
            &AtoN::SetChannel2,   &AtoN::SetTypeOfAtoN,       &AtoN::SetAcfField14,
            &AtoN::SetAceField5,  &AtoN::SetAceField6,        &AtoN::SetOffPositionThreshold,
            &AtoN::SetDimensionA, &AtoN::SetDimensionB,       &AtoN::SetDimensionC,
            &AtoN::SetDimensionD};
        const int extremes[] = {INT_MAX, INT_MIN, -1, 31};
        for (int i = 0; i < setters.size(); ++i)
            (aton->*setters[i])(extremes[i % 4]);
        for (int i = 0; i < LanternInterface::ParameterCount; ++i)
            lantern->SetParameterValue(i, i % 2 ? INT_MIN : INT_MAX);
    } else {
        aton->SetName(QString::fromUtf8("Leuchtfeuer Großer Vogelsand \xC3\xB8\xE2\x82\xAC"));
        aton->GetPosition()->SetLatitude(53.9123456789);
        aton->GetPosition()->SetLongitude(-8.123456789);
        int row = 0;
        for (int number : {6, 6, 6, 6, 8, 12, 112, 212, 312, 14, 114, 214, 314})
            QVERIFY(schedule->AddMessage(number, row));
        QVERIFY(schedule->EnableReport(1));
        MessageScheduleEntry entry = schedule->EntryAt(3);
        entry.SetAccessScheme(MessageScheduleEntry::CSTDMA);
        entry.SetStartTime1(QTime(23, 59, 59, 999));
        entry.SetStartTime2(QTime(12, 34));
        entry.SetStartSlot1(2249);
        entry.SetInterval1(86400);
        entry.SetSpareValue(INT_MIN);
        QVERIFY(schedule->SetEntry(3, entry));
    }
}

} // namespace

class TestPadFile : public QObject
{
    Q_OBJECT

private slots:
    void defaultFileWriteReadAssignAndReset();
    void rowCounts_data();
    void rowCounts();
    void readRulesOfTheFileForm();
    void truncatedFileIsRefusedAtEveryOffset();
    void filesOnDisk();
};

void TestPadFile::defaultFileWriteReadAssignAndReset()
{
    // 223 bytes for a one-row schedule, and 37 more for each placeholder row.
    QCOMPARE(PadFile::ToBytes(Model()), DefaultFileByHand());
    for (int variant = 0; variant < 2; ++variant) {
        Model model;
        Vary(model, variant);
        const QByteArray bytes = PadFile::ToBytes(model);
        Model read;
        QCOMPARE(PadFile::FromBytes(bytes, &read), PadFile::Done);
        QVERIFY2(read == model, qPrintable(QString("variant %1").arg(variant)));
        QCOMPARE(PadFile::ToBytes(read), bytes);

        // A copy holds every field in records of its own.
        Model copy;
        copy = model;
        copy = static_cast<Model &>(copy); // self-assignment changes nothing
        QCOMPARE(PadFile::ToBytes(copy), bytes);
        QCOMPARE(copy.GetMessageSchedule()->GetAtoN(), copy.GetAtoN());
        copy.GetAtoN()->GetPosition()->SetLatitude(10.0);
        QVERIFY(model == read);
        model.Reset();
        QCOMPARE(PadFile::ToBytes(model), DefaultFileByHand());
    }
}

void TestPadFile::rowCounts_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("rows");
    QTest::addColumn<bool>("loads");
    for (int n = 0; n <= 18; ++n)
        QTest::addRow("%d rows", n) << n << n << true;
    QTest::newRow("more than the block layout") << 40 << 40 << true;
    for (int count : {-1, INT_MIN, 4, 5, 1000, INT_MAX})
        QTest::addRow("count %d for 3 rows", count) << count << 3 << false;
}

void TestPadFile::rowCounts()
{
    QFETCH(int, count);
    QFETCH(int, rows);
    QFETCH(bool, loads);
    const QByteArray bytes = WithRows(count, rows);
    Model read;
    Vary(read, 0);
    const QByteArray before = PadFile::ToBytes(read);
    // A refused file leaves the model as it was; the row layout of a loaded
    // one is pinned by the hand-packed default file.
    QString error;
    QCOMPARE(PadFile::FromBytes(bytes, &read, &error), loads ? PadFile::Done : PadFile::Invalid);
    QVERIFY2(error.isEmpty() == loads, qPrintable(error));
    QCOMPARE(PadFile::ToBytes(read), loads ? bytes : before);
}

void TestPadFile::readRulesOfTheFileForm()
{
    QByteArray bytes = PadFile::ToBytes(Model());
    bytes.replace(0, 4, Bytes().Int32(77).data); // odd object versions are kept, not checked
    bytes.replace(bytes.size() - 36, 4, Bytes().Int32(7).data);
    // Out-of-range positions load as not available; a 40-character name, as
    // only a file can hold it, is kept whole.
    bytes.replace(4 + 4 + 53 + 4, 16, Bytes().Double(95.0).Double(-181.0).data);
    bytes.replace(NameAt, 4 + 8, Bytes().String(QString(40, QChar(0xE9))).data);
    // Any non-zero lantern flag (limen, limigain) reads as true and is written back as 1.
    bytes.replace(bytes.size() - 32, 4, Bytes().Int32(-9).data);
    bytes.replace(bytes.size() - 8, 4, Bytes().Int32(256).data);
    Model read;
    read.GetAtoN()->GetPosition()->SetLatitude(10.0);
    QCOMPARE(PadFile::FromBytes(bytes, &read), PadFile::Done);
    QCOMPARE(read.GetAtoN()->GetPosition()->Latitude(), 91.0);
    QCOMPARE(read.GetAtoN()->GetPosition()->Longitude(), 181.0);
    QCOMPARE(read.ObjectVersion(), 77);
    QCOMPARE(read.GetAtoN()->Name(), QString(40, QChar(0xE9)));
    const QByteArray back = PadFile::ToBytes(read);
    QCOMPARE(back.mid(back.size() - 32, 4) + back.mid(back.size() - 8, 4),
             Bytes().Int32(1).Int32(1).data);
    // Bytes after the configuration, or two files joined, are not one configuration.
    QString error;
    QCOMPARE(PadFile::FromBytes(bytes + "junk", &read, &error), PadFile::Invalid);
    QCOMPARE(error, QString("The file holds 4 byte(s) after the end of the configuration."));
    // Versions read from a file do not survive a reset.
    read.Reset();
    QCOMPARE(PadFile::ToBytes(read), DefaultFileByHand());

    // An odd string length is damage, not text.
    bytes.replace(4 + 4 + 4, 4, Bytes().Int32(3).data);
    QCOMPARE(PadFile::FromBytes(bytes, &read), PadFile::Invalid);
}

void TestPadFile::truncatedFileIsRefusedAtEveryOffset()
{
    Model source;
    Vary(source, 1);
    const QByteArray bytes = PadFile::ToBytes(source);
    Model target;
    Vary(target, 0);
    const QByteArray before = PadFile::ToBytes(target);
    for (int length = 0; length < bytes.size(); ++length) {
        QString error;
        QVERIFY2(PadFile::FromBytes(bytes.left(length), &target, &error) == PadFile::Invalid &&
                     !error.isEmpty() && PadFile::ToBytes(target) == before,
                 qPrintable(QString("a file of %1 bytes").arg(length)));
    }
}

void TestPadFile::filesOnDisk()
{
    // The texts for missing, unwritable and damaged files are checked where
    // the window and the command-line tool show them.
    QTemporaryDir dir;
    const QString path = dir.filePath("buoy.pad");
    Model model;
    Vary(model, 1);
    QCOMPARE(PadFile::Save(path, model), PadFile::Done);
    Model read;
    QCOMPARE(PadFile::Load(path, &read), PadFile::Done);
    QVERIFY(read == model);
    // A sound file padded far beyond any real size, or a device without end,
    // is read no further than the limit.
    QFile file(path);
    QVERIFY(file.resize(PadFile::MaxFileSize + 1));
    for (const QString &name : {path, QString("/dev/urandom")}) {
        QString error;
        QCOMPARE(PadFile::Load(name, &read, &error), PadFile::Invalid);
        QVERIFY2(error.contains("too large") && read == model, qPrintable(error));
    }
}

QTEST_GUILESS_MAIN(TestPadFile)
#include "tst_padfile.moc"
