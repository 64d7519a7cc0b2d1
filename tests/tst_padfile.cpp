#include "model/model.h"
#include "model/padfile.h"

#include <QDataStream>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <cstring>

namespace {

// The file bytes, packed by hand so that the check does not lean on the
// stream code that the model uses.
class Bytes
{
public:
    Bytes &Int32(qint32 value)
    {
        const quint32 u = quint32(value);
        for (int shift = 24; shift >= 0; shift -= 8)
            data.append(char((u >> shift) & 0xFF));
        return *this;
    }
    Bytes &Bool(bool value)
    {
        data.append(char(value ? 1 : 0));
        return *this;
    }
    Bytes &Double(double value)
    {
        quint64 u = 0;
        std::memcpy(&u, &value, sizeof u);
        for (int shift = 56; shift >= 0; shift -= 8)
            data.append(char((u >> shift) & 0xFF));
        return *this;
    }
    Bytes &String(const QString &text)
    {
        if (text.isNull())
            return Int32(-1);
        Int32(text.size() * 2);
        for (QChar c : text) {
            data.append(char(c.unicode() >> 8));
            data.append(char(c.unicode() & 0xFF));
        }
        return *this;
    }
    Bytes &Row(int message, int slot, bool active)
    {
        Int32(message).Int32(0);  // access scheme FATDMA
        Int32(0).Int32(slot);     // start time 00:00, start slot
        Int32(6750);              // interval
        Int32(0).Int32(slot);     // channel 2 the same
        Int32(6750).Bool(active); // interval, active
        return Int32(0);          // spare value
    }
    QByteArray data;
};

QByteArray DefaultFileByHand()
{
    Bytes b;
    b.Int32(2); // Model
    b.Int32(2); // AtoN
    b.Int32(2).String(QStringLiteral("000000000")).String(QStringLiteral("000000000"));
    b.Int32(0).Bool(true);                                // aidMode, aidFlag
    b.Int32(1);                                           // typeOfEPFS
    b.Double(91.0).Double(181.0);                         // position
    b.Int32(0).Int32(2087).Int32(2088).Int32(0).Int32(0); // accuracy .. acfField14
    b.Bool(false).Int32(50).Int32(0).Int32(1);            // racon .. aceField6
    b.String(QStringLiteral("ATON"));
    b.Int32(1).Int32(1).Int32(1).Int32(1); // dimensions
    b.Int32(2).Int32(18);                  // MessageSchedule
    b.Row(21, 0, true);
    const int blockOf[18] = {21, 21, 6, 6, 6, 6, 8, 8, 8, 8, 12, 12, 12, 12, 14, 14, 14, 14};
    for (int i = 1; i < 18; ++i)
        b.Row(blockOf[i], -1, false);
    b.Int32(2); // LanternInterface
    for (int i = 0; i < 8; ++i)
        b.Int32(0);
    return b.data;
}

void Vary(Model &model, int variant)
{
    AtoN *aton = model.GetAtoN();
    AtoNMMSI *mmsi = aton->GetAtoNMMSI();
    MessageSchedule *schedule = model.GetMessageSchedule();
    LanternInterface *lantern = model.GetLanternInterface();
    switch (variant) {
    case 0: // everything at its extreme
        mmsi->SetMmsi(QStringLiteral("999999999"));
        mmsi->SetNewMmsi(QString());
        mmsi->SetAidMode(INT_MIN);
        mmsi->SetAidFlag(false);
        aton->SetTypeOfEPFS(INT_MAX);
        aton->GetPosition()->SetLatitude(-90.0);
        aton->GetPosition()->SetLongitude(180.0);
        aton->SetPositionAccuracy(INT_MIN);
        aton->SetChannel1(INT_MAX);
        aton->SetChannel2(-1);
        aton->SetTypeOfAtoN(31);
        aton->SetAcfField14(INT_MIN);
        aton->SetRacon(true);
        aton->SetOffPositionThreshold(INT_MAX);
        aton->SetAceField5(-2);
        aton->SetAceField6(INT_MIN);
        aton->SetName(QString(40, QLatin1Char('W'))); // cut to 34 by the setter
        aton->SetDimensionA(INT_MAX);
        aton->SetDimensionB(0);
        aton->SetDimensionC(INT_MIN);
        aton->SetDimensionD(-1);
        for (int i = 0; i < LanternInterface::ParameterCount; ++i)
            lantern->SetParameterValue(i, i % 2 ? INT_MIN : INT_MAX);
        break;
    case 1: { // non-ASCII name, a busy schedule
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
        lantern->SetLimen(true);
        lantern->SetLimvmax(24000);
        break;
    }
    case 2: { // no schedule rows at all, null texts
        MessageSchedule empty;
        QByteArray bytes;
        {
            QDataStream out(&bytes, QIODevice::WriteOnly);
            out << qint32(2) << qint32(0);
        }
        QDataStream in(bytes);
        empty.Read(in);
        *schedule = empty;
        QCOMPARE(schedule->Count(), 0);
        aton->SetName(QString());
        mmsi->SetMmsi(QString());
        lantern->SetLimigain(true);
        break;
    }
    default:
        break;
    }
}

// A schedule of exactly n rows, built through the file form.
QByteArray WithRows(int n)
{
    Model model;
    QByteArray bytes = PadFile::ToBytes(model);
    const int rowsAt = 4 + 4 + 53 + 4 + 16 + 20 + 1 + 12 + 12 + 16 + 4;
    QByteArray head = bytes.left(rowsAt);
    QByteArray tail = bytes.right(36);
    Bytes count;
    count.Int32(n);
    QByteArray rows;
    for (int i = 0; i < n; ++i) {
        Bytes row;
        row.Row(i % 2 ? 6 : 21, i, i % 3 != 0);
        rows += row.data;
    }
    return head + count.data + rows + tail;
}

} // namespace

class TestPadFile : public QObject
{
    Q_OBJECT

private slots:
    void defaultFileBytes();
    void writeThenReadIsIdentical();
    void anyRowCountLoads();
    void readRulesOfTheFileForm();
    void truncatedFileIsRefusedAtEveryOffset();
    void impossibleRowCountsAreRefused();
    void filesOnDisk();
};

void TestPadFile::defaultFileBytes()
{
    const QByteArray expected = DefaultFileByHand();
    // 223 bytes for a one-row schedule, and 37 more for each placeholder row.
    QCOMPARE(expected.size(), 223 + 17 * 37);
    Model model;
    const QByteArray written = PadFile::ToBytes(model);
    QCOMPARE(written.size(), expected.size());
    QCOMPARE(written, expected);
}

void TestPadFile::writeThenReadIsIdentical()
{
    for (int variant = 0; variant < 3; ++variant) {
        Model model;
        Vary(model, variant);
        if (QTest::currentTestFailed())
            return;
        const QByteArray bytes = PadFile::ToBytes(model);
        Model read;
        QString error;
        QCOMPARE(PadFile::FromBytes(bytes, &read, &error), PadFile::Done);
        QVERIFY2(read == model, qPrintable(QStringLiteral("variant %1").arg(variant)));
        QCOMPARE(PadFile::ToBytes(read), bytes);
        QCOMPARE(read.GetMessageSchedule()->GetAtoN(), read.GetAtoN());
    }

    // A 40-character name, as only a file can hold it, is stored as read.
    Model model;
    QByteArray bytes = PadFile::ToBytes(model);
    const int nameAt = 4 + 4 + 53 + 4 + 16 + 20 + 1 + 12;
    Bytes name;
    name.String(QString(40, QChar(0x00E9)));
    bytes.replace(nameAt, 4 + 8, name.data);
    Model read;
    QCOMPARE(PadFile::FromBytes(bytes, &read), PadFile::Done);
    QCOMPARE(read.GetAtoN()->Name(), QString(40, QChar(0x00E9)));
    QCOMPARE(PadFile::ToBytes(read), bytes);
}

void TestPadFile::anyRowCountLoads()
{
    for (int n = 0; n <= 18; ++n) {
        const QByteArray bytes = WithRows(n);
        Model read;
        QString error;
        QVERIFY2(PadFile::FromBytes(bytes, &read, &error) == PadFile::Done, qPrintable(error));
        QCOMPARE(read.GetMessageSchedule()->Count(), n);
        for (int i = 0; i < n; ++i) {
            const MessageScheduleEntry entry = read.GetMessageSchedule()->EntryAt(i);
            QCOMPARE(entry.MessageId(), i % 2 ? 6 : 21);
            QCOMPARE(entry.StartSlot2(), i);
            QCOMPARE(entry.Active(), i % 3 != 0);
        }
        QCOMPARE(PadFile::ToBytes(read), bytes);
    }
    // More rows than the block layout is still a valid file.
    Model read;
    QCOMPARE(PadFile::FromBytes(WithRows(40), &read), PadFile::Done);
    QCOMPARE(read.GetMessageSchedule()->Count(), 40);
}

void TestPadFile::readRulesOfTheFileForm()
{
    Model model;
    QByteArray bytes = PadFile::ToBytes(model);
    const int latitudeAt = 4 + 4 + 53 + 4;
    // Out-of-range positions load as not available.
    Bytes position;
    position.Double(95.0).Double(-181.0);
    bytes.replace(latitudeAt, 16, position.data);
    // Odd object versions are kept, not checked.
    Bytes version;
    version.Int32(77);
    bytes.replace(0, 4, version.data);
    // Lantern flags: any non-zero value is true.
    Bytes flag;
    flag.Int32(-9);
    bytes.replace(bytes.size() - 32, 4, flag.data);

    Model read;
    read.GetAtoN()->GetPosition()->SetLatitude(10.0);
    QCOMPARE(PadFile::FromBytes(bytes, &read), PadFile::Done);
    QCOMPARE(read.GetAtoN()->GetPosition()->Latitude(), 91.0);
    QCOMPARE(read.GetAtoN()->GetPosition()->Longitude(), 181.0);
    QCOMPARE(read.ObjectVersion(), 77);
    QVERIFY(read.GetLanternInterface()->GetLimen());
    QVERIFY(!read.GetLanternInterface()->GetLimigain());

    // Bytes after the configuration are not part of it and do no harm.
    QCOMPARE(PadFile::FromBytes(bytes + QByteArray("junk"), &read), PadFile::Done);
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
        const PadFile::Result result = PadFile::FromBytes(bytes.left(length), &target, &error);
        QVERIFY2(result == PadFile::Invalid, qPrintable(QStringLiteral("length %1").arg(length)));
        QVERIFY(!error.isEmpty());
        if (PadFile::ToBytes(target) != before)
            QFAIL(qPrintable(QStringLiteral("model changed by a file of %1 bytes").arg(length)));
    }
    QCOMPARE(PadFile::FromBytes(bytes, &target), PadFile::Done);
    QVERIFY(target == source);
}

void TestPadFile::impossibleRowCountsAreRefused()
{
    const QByteArray three = WithRows(3);
    const int countAt = 4 + 4 + 53 + 4 + 16 + 20 + 1 + 12 + 12 + 16 + 4;
    Model target;
    Vary(target, 0);
    const QByteArray before = PadFile::ToBytes(target);
    for (qint32 count : {-1, INT_MIN, 4, 5, 1000, INT_MAX}) {
        QByteArray bytes = three;
        Bytes b;
        b.Int32(count);
        bytes.replace(countAt, 4, b.data);
        QString error;
        QCOMPARE(PadFile::FromBytes(bytes, &target, &error), PadFile::Invalid);
        QVERIFY(!error.isEmpty());
        QCOMPARE(PadFile::ToBytes(target), before);
    }
    // An odd string length is damage, not text.
    QByteArray bytes = three;
    Bytes odd;
    odd.Int32(3);
    bytes.replace(4 + 4 + 4, 4, odd.data);
    QCOMPARE(PadFile::FromBytes(bytes, &target), PadFile::Invalid);
    QCOMPARE(PadFile::ToBytes(target), before);
}

void TestPadFile::filesOnDisk()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("buoy.pad"));
    Model model;
    Vary(model, 1);
    QString error;
    QCOMPARE(PadFile::Save(path, model, &error), PadFile::Done);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), PadFile::ToBytes(model));
    file.close();

    Model read;
    QCOMPARE(PadFile::Load(path, &read, &error), PadFile::Done);
    QVERIFY(read == model);

    // A fresh model saves as the default file.
    QCOMPARE(PadFile::Save(path, Model(), &error), PadFile::Done);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), DefaultFileByHand());
    file.close();

    // Missing file and unwritable place: reported, model untouched.
    const QString missing = dir.filePath(QStringLiteral("missing.pad"));
    QCOMPARE(PadFile::Load(missing, &read, &error), PadFile::OpenFailed);
    QCOMPARE(error, QStringLiteral("Could not open file: ") + missing);
    QVERIFY(read == model);
    const QString nowhere = dir.filePath(QStringLiteral("no/such/folder.pad"));
    QCOMPARE(PadFile::Save(nowhere, model, &error), PadFile::OpenFailed);
    QVERIFY(error.startsWith(QStringLiteral("Could not save file: ")));

    // A truncated file on disk names itself in the message.
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(PadFile::ToBytes(model).left(100));
    file.close();
    QCOMPARE(PadFile::Load(path, &read, &error), PadFile::Invalid);
    QVERIFY(error.startsWith(path));
    QVERIFY(read == model);

    // Something far too large is not read at all.
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QVERIFY(file.resize(PadFile::MaxFileSize + 1));
    file.close();
    QCOMPARE(PadFile::Load(path, &read, &error), PadFile::Invalid);
    QVERIFY(read == model);
}

QTEST_GUILESS_MAIN(TestPadFile)
#include "tst_padfile.moc"
