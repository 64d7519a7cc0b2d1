#include "unitconfig.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QRegularExpression>
#include <QSaveFile>

#include <algorithm>
#include <cmath>

namespace LanternParameters {

const char *const Names[Count] = {"limen",   "limvmin", "limvmax",  "limton",
                                  "limtoff", "limion",  "limigain", "limpthresh"};

int indexOf(const QString &name)
{
    for (int i = 0; i < Count; ++i) {
        if (name == QLatin1String(Names[i]))
            return i;
    }
    return -1;
}

} // namespace LanternParameters

namespace {

const qint64 TenThousandthsPerDegree = 600000;
const int MaxStateFileSize = 1 << 20;
const int MaxScheduleRows = 18;

int messageOrder(int message)
{
    switch (message) {
    case 21:
        return 0;
    case 6:
        return 1;
    case 8:
        return 2;
    case 12:
        return 3;
    case 14:
        return 4;
    case 25:
        return 5;
    default:
        return 6;
    }
}

QString hhmm(int hour, int minute)
{
    return QStringLiteral("%1:%2")
        .arg(hour, 2, 10, QLatin1Char('0'))
        .arg(minute, 2, 10, QLatin1Char('0'));
}

// Reads the JSON members one by one and remembers the first problem.
class JsonReader
{
public:
    explicit JsonReader(QString *error) : m_error(error) {}

    bool ok() const { return m_ok; }

    QJsonObject object(const QJsonObject &o, const char *key)
    {
        const QJsonValue v = o.value(QLatin1String(key));
        if (!v.isObject())
            fail(key, "an object");
        return v.toObject();
    }
    QJsonArray array(const QJsonObject &o, const char *key)
    {
        const QJsonValue v = o.value(QLatin1String(key));
        if (!v.isArray())
            fail(key, "a list");
        return v.toArray();
    }
    int integer(const QJsonObject &o, const char *key, int min, int max)
    {
        const QJsonValue v = o.value(QLatin1String(key));
        const double d = v.toDouble(std::nan(""));
        if (!v.isDouble() || d != std::floor(d) || d < min || d > max) {
            fail(key, QStringLiteral("a whole number from %1 to %2")
                          .arg(min)
                          .arg(max)
                          .toLatin1()
                          .constData());
            return min;
        }
        return int(d);
    }
    double number(const QJsonObject &o, const char *key, double min, double max)
    {
        const QJsonValue v = o.value(QLatin1String(key));
        if (!v.isDouble() || v.toDouble() < min || v.toDouble() > max) {
            fail(key,
                 QStringLiteral("a number from %1 to %2").arg(min).arg(max).toLatin1().constData());
            return min;
        }
        return v.toDouble();
    }
    bool boolean(const QJsonObject &o, const char *key)
    {
        const QJsonValue v = o.value(QLatin1String(key));
        if (!v.isBool())
            fail(key, "true or false");
        return v.toBool();
    }
    QString text(const QJsonObject &o, const char *key, const QString &pattern)
    {
        const QJsonValue v = o.value(QLatin1String(key));
        const QString s = v.toString();
        if (!v.isString() ||
            !QRegularExpression(QLatin1Char('^') + pattern + QLatin1Char('$')).match(s).hasMatch())
            fail(key, "text of the expected form");
        return s;
    }
    void time(const QJsonObject &o, const char *key, int *hour, int *minute)
    {
        const QString s = text(o, key, QStringLiteral("([01][0-9]|2[0-3]):[0-5][0-9]"));
        if (!m_ok)
            return;
        *hour = QStringView(s).left(2).toInt();
        *minute = QStringView(s).mid(3, 2).toInt();
    }
    void fail(const char *key, const char *what)
    {
        if (!m_ok)
            return;
        m_ok = false;
        if (m_error)
            *m_error =
                QStringLiteral("\"%1\" must be %2").arg(QLatin1String(key), QLatin1String(what));
    }

private:
    QString *m_error;
    bool m_ok = true;
};

} // namespace

bool ScheduleRow::operator==(const ScheduleRow &o) const
{
    return message == o.message && instance == o.instance && scheme == o.scheme &&
           hour1 == o.hour1 && minute1 == o.minute1 && slot1 == o.slot1 &&
           interval1 == o.interval1 && hour2 == o.hour2 && minute2 == o.minute2 &&
           slot2 == o.slot2 && interval2 == o.interval2;
}

UnitConfig UnitConfig::unconfigured()
{
    UnitConfig c;
    c.schedule.append(ScheduleRow());
    ScheduleRow off;
    off.instance = 2;
    off.slot1 = -1;
    off.slot2 = -1;
    c.schedule.append(off);
    return c;
}

UnitConfig UnitConfig::sample()
{
    UnitConfig c;
    c.mmsi = QStringLiteral("992351234");
    c.typeOfEPFS = 1;
    c.latitude = qRound64((50 * 60 + 47.4512) * 10000); // 50 47.4512 N
    c.longitude = -qRound64((1 * 60 + 6.2275) * 10000); // 001 06.2275 W
    c.positionAccuracy = 1;
    c.typeOfAtoN = 13; // beacon, isolated danger
    c.racon = true;
    c.offPositionThreshold = 75;
    c.name = QStringLiteral("NORTH PIER, WEST HARBOUR ENTRANCE");
    c.dimensionA = 5;
    c.dimensionB = 5;
    c.dimensionC = 3;
    c.dimensionD = 3;

    ScheduleRow normal;
    normal.slot1 = 120;
    normal.hour2 = 0;
    normal.minute2 = 1;
    normal.slot2 = 860;
    c.schedule.append(normal);

    ScheduleRow offPosition;
    offPosition.instance = 2;
    offPosition.minute1 = 1;
    offPosition.slot1 = 300;
    offPosition.interval1 = 2250;
    offPosition.minute2 = 2;
    offPosition.slot2 = 1500;
    offPosition.interval2 = 2250;
    c.schedule.append(offPosition);

    ScheduleRow binary6;
    binary6.message = 6;
    binary6.scheme = 1; // RATDMA, interval in seconds
    binary6.minute1 = 5;
    binary6.interval1 = 600;
    binary6.minute2 = 10;
    binary6.interval2 = 600;
    c.schedule.append(binary6);

    ScheduleRow variant112; // message 12, variant 1
    variant112.message = 12;
    variant112.instance = 2;
    variant112.scheme = 2; // CSTDMA, interval in seconds
    variant112.hour1 = 6;
    variant112.interval1 = 1800;
    variant112.hour2 = 6;
    variant112.minute2 = 15;
    variant112.interval2 = 1800;
    c.schedule.append(variant112);

    c.lantern[0] = 1;     // limen
    c.lantern[1] = 10500; // limvmin, mV
    c.lantern[2] = 14500; // limvmax, mV
    c.lantern[3] = 500;   // limton, ms
    c.lantern[4] = 1500;  // limtoff, ms
    c.lantern[5] = 25;    // limion
    c.lantern[6] = 1;     // limigain
    c.lantern[7] = 247;   // limpthresh, about 30 lux
    return c;
}

bool UnitConfig::keepsRowsOf(int message)
{
    return messageOrder(message) < 6;
}

int UnitConfig::maxInstance(int message)
{
    return message == 21 ? 2 : 9;
}

bool UnitConfig::positionAvailable() const
{
    return qAbs(latitude) <= 90 * TenThousandthsPerDegree &&
           qAbs(longitude) <= 180 * TenThousandthsPerDegree;
}

QString UnitConfig::rangeProblem() const
{
    auto outside = [](int v, int min, int max) { return v < min || v > max; };
    if (outside(typeOfEPFS, 0, UnitLimits::MaxTypeOfEPFS))
        return QStringLiteral("type of EPFS");
    if (qAbs(latitude) > 91 * TenThousandthsPerDegree ||
        qAbs(longitude) > 181 * TenThousandthsPerDegree)
        return QStringLiteral("position");
    if (outside(positionAccuracy, 0, UnitLimits::MaxPositionAccuracy))
        return QStringLiteral("position accuracy");
    if (outside(channel1, 0, UnitLimits::MaxChannel) ||
        outside(channel2, 0, UnitLimits::MaxChannel))
        return QStringLiteral("channel");
    if (outside(typeOfAtoN, 0, UnitLimits::MaxTypeOfAtoN))
        return QStringLiteral("type of AtoN");
    if (outside(acfField14, 0, UnitLimits::MaxSpareField) ||
        outside(aceField5, 0, UnitLimits::MaxSpareField) ||
        outside(aceField6, 0, UnitLimits::MaxSpareField))
        return QStringLiteral("spare field");
    if (outside(offPositionThreshold, 0, UnitLimits::MaxThreshold))
        return QStringLiteral("off-position threshold");
    if (outside(dimensionA, 0, 999) || outside(dimensionB, 0, 999) || outside(dimensionC, 0, 99) ||
        outside(dimensionD, 0, 99))
        return QStringLiteral("dimensions");
    for (const ScheduleRow &r : schedule) {
        const int maxInterval =
            r.scheme == 0 ? UnitLimits::MaxIntervalSlots : UnitLimits::MaxIntervalSeconds;
        if (outside(r.slot1, -1, UnitLimits::MaxSlot) ||
            outside(r.slot2, -1, UnitLimits::MaxSlot) || outside(r.interval1, 0, maxInterval) ||
            outside(r.interval2, 0, maxInterval))
            return QStringLiteral("schedule slot or interval");
    }
    return QString();
}

void UnitConfig::setRow(const ScheduleRow &row)
{
    for (ScheduleRow &r : schedule) {
        if (r.message == row.message && r.instance == row.instance) {
            r = row;
            return;
        }
    }
    schedule.append(row);
    sortSchedule();
}

void UnitConfig::removeRow(int message, int instance)
{
    schedule.erase(std::remove_if(schedule.begin(), schedule.end(),
                                  [&](const ScheduleRow &r) {
                                      return r.message == message && r.instance == instance;
                                  }),
                   schedule.end());
}

const ScheduleRow *UnitConfig::findRow(int message, int instance) const
{
    for (const ScheduleRow &r : schedule) {
        if (r.message == message && r.instance == instance)
            return &r;
    }
    return nullptr;
}

void UnitConfig::sortSchedule()
{
    std::stable_sort(schedule.begin(), schedule.end(),
                     [](const ScheduleRow &a, const ScheduleRow &b) {
                         if (messageOrder(a.message) != messageOrder(b.message))
                             return messageOrder(a.message) < messageOrder(b.message);
                         return a.instance < b.instance;
                     });
}

QJsonObject UnitConfig::toJson() const
{
    QJsonObject acf;
    acf.insert(QStringLiteral("typeOfEPFS"), typeOfEPFS);
    acf.insert(QStringLiteral("latitude"), double(latitude) / TenThousandthsPerDegree);
    acf.insert(QStringLiteral("longitude"), double(longitude) / TenThousandthsPerDegree);
    acf.insert(QStringLiteral("positionAccuracy"), positionAccuracy);
    acf.insert(QStringLiteral("channel1"), channel1);
    acf.insert(QStringLiteral("channel2"), channel2);
    acf.insert(QStringLiteral("typeOfAtoN"), typeOfAtoN);
    acf.insert(QStringLiteral("acfField14"), acfField14);

    QJsonObject ace;
    ace.insert(QStringLiteral("racon"), racon);
    ace.insert(QStringLiteral("offPositionThreshold"), offPositionThreshold);
    ace.insert(QStringLiteral("aceField5"), aceField5);
    ace.insert(QStringLiteral("aceField6"), aceField6);
    ace.insert(QStringLiteral("name"), name);
    ace.insert(QStringLiteral("dimensionA"), dimensionA);
    ace.insert(QStringLiteral("dimensionB"), dimensionB);
    ace.insert(QStringLiteral("dimensionC"), dimensionC);
    ace.insert(QStringLiteral("dimensionD"), dimensionD);

    QJsonArray rows;
    for (const ScheduleRow &r : schedule) {
        QJsonObject row;
        row.insert(QStringLiteral("message"), r.message);
        row.insert(QStringLiteral("instance"), r.instance);
        row.insert(QStringLiteral("scheme"), r.scheme);
        row.insert(QStringLiteral("start1"), hhmm(r.hour1, r.minute1));
        row.insert(QStringLiteral("slot1"), r.slot1);
        row.insert(QStringLiteral("interval1"), r.interval1);
        row.insert(QStringLiteral("start2"), hhmm(r.hour2, r.minute2));
        row.insert(QStringLiteral("slot2"), r.slot2);
        row.insert(QStringLiteral("interval2"), r.interval2);
        rows.append(row);
    }

    QJsonObject lim;
    for (int i = 0; i < LanternParameters::Count; ++i)
        lim.insert(QLatin1String(LanternParameters::Names[i]), lantern[i]);

    QJsonObject shell;
    shell.insert(QStringLiteral("version"), version);
    shell.insert(QStringLiteral("serialNumber"), serialNumber);
    shell.insert(QStringLiteral("batteryVoltage"), batteryVoltage);

    QJsonObject root;
    root.insert(QStringLiteral("mmsi"), mmsi);
    root.insert(QStringLiteral("acf"), acf);
    root.insert(QStringLiteral("ace"), ace);
    root.insert(QStringLiteral("schedule"), rows);
    root.insert(QStringLiteral("lantern"), lim);
    root.insert(QStringLiteral("shell"), shell);
    return root;
}

bool UnitConfig::fromJson(const QJsonObject &root, QString *error)
{
    JsonReader r(error);
    UnitConfig c;
    c.mmsi = r.text(root, "mmsi", QStringLiteral("[0-9]{9}"));

    const QJsonObject acf = r.object(root, "acf");
    c.typeOfEPFS = r.integer(acf, "typeOfEPFS", 0, UnitLimits::MaxTypeOfEPFS);
    c.latitude = qRound64(r.number(acf, "latitude", -91, 91) * TenThousandthsPerDegree);
    c.longitude = qRound64(r.number(acf, "longitude", -181, 181) * TenThousandthsPerDegree);
    c.positionAccuracy = r.integer(acf, "positionAccuracy", 0, UnitLimits::MaxPositionAccuracy);
    c.channel1 = r.integer(acf, "channel1", 0, UnitLimits::MaxChannel);
    c.channel2 = r.integer(acf, "channel2", 0, UnitLimits::MaxChannel);
    c.typeOfAtoN = r.integer(acf, "typeOfAtoN", 0, UnitLimits::MaxTypeOfAtoN);
    c.acfField14 = r.integer(acf, "acfField14", 0, UnitLimits::MaxSpareField);

    const QJsonObject ace = r.object(root, "ace");
    c.racon = r.boolean(ace, "racon");
    c.offPositionThreshold = r.integer(ace, "offPositionThreshold", 0, UnitLimits::MaxThreshold);
    c.aceField5 = r.integer(ace, "aceField5", 0, UnitLimits::MaxSpareField);
    c.aceField6 = r.integer(ace, "aceField6", 0, UnitLimits::MaxSpareField);
    // Any Latin-1 text: a name may hold whatever the "^HH" escapes can carry.
    c.name = r.text(ace, "name", QStringLiteral("[\\x00-\\xff]{0,34}"));
    c.dimensionA = r.integer(ace, "dimensionA", 0, 999);
    c.dimensionB = r.integer(ace, "dimensionB", 0, 999);
    c.dimensionC = r.integer(ace, "dimensionC", 0, 99);
    c.dimensionD = r.integer(ace, "dimensionD", 0, 99);

    const QJsonArray rows = r.array(root, "schedule");
    if (rows.size() > MaxScheduleRows)
        r.fail("schedule", "a list of at most 18 rows");
    for (const QJsonValue &v : rows) {
        if (!r.ok())
            break;
        if (!v.isObject()) {
            r.fail("schedule", "a list of rows");
            break;
        }
        const QJsonObject o = v.toObject();
        ScheduleRow row;
        row.message = r.integer(o, "message", 6, 25);
        if (r.ok() && !UnitConfig::keepsRowsOf(row.message))
            r.fail("message", "21, 6, 8, 12, 14 or 25");
        row.instance = r.integer(o, "instance", 1, UnitConfig::maxInstance(row.message));
        row.scheme = r.integer(o, "scheme", 0, 2);
        r.time(o, "start1", &row.hour1, &row.minute1);
        row.slot1 = r.integer(o, "slot1", -1, UnitLimits::MaxSlot);
        row.interval1 = r.integer(o, "interval1", 0, UnitLimits::MaxIntervalSeconds);
        r.time(o, "start2", &row.hour2, &row.minute2);
        row.slot2 = r.integer(o, "slot2", -1, UnitLimits::MaxSlot);
        row.interval2 = r.integer(o, "interval2", 0, UnitLimits::MaxIntervalSeconds);
        if (r.ok() && c.findRow(row.message, row.instance))
            r.fail("schedule", "a list without two rows of the same message and instance");
        c.schedule.append(row);
    }
    c.sortSchedule();

    const QJsonObject lim = r.object(root, "lantern");
    for (int i = 0; i < LanternParameters::Count; ++i)
        c.lantern[i] = r.integer(lim, LanternParameters::Names[i], -2147483647, 2147483647);

    const QJsonObject shell = r.object(root, "shell");
    c.version = r.text(shell, "version", QStringLiteral("[\\x00-\\xff]{0,40}"));
    c.serialNumber = r.text(shell, "serialNumber", QStringLiteral("[\\x00-\\xff]{0,40}"));
    c.batteryVoltage = r.text(shell, "batteryVoltage", QStringLiteral("[\\x00-\\xff]{0,40}"));

    if (r.ok() && !c.rangeProblem().isEmpty())
        r.fail("schedule", "rows with intervals the unit can keep");
    if (!r.ok())
        return false;
    *this = c;
    return true;
}

bool UnitConfig::load(const QString &path, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("cannot read %1: %2").arg(path, file.errorString());
        return false;
    }
    if (file.size() > MaxStateFileSize) {
        *error = QStringLiteral("%1 is larger than a unit state can be").arg(path);
        return false;
    }
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(file.read(MaxStateFileSize), &parseError);
    if (parseError.error != QJsonParseError::NoError || !doc.isObject()) {
        *error = QStringLiteral("%1 is not a unit state (%2 at offset %3)")
                     .arg(path, parseError.errorString())
                     .arg(parseError.offset);
        return false;
    }
    QString why;
    if (!fromJson(doc.object(), &why)) {
        *error = QStringLiteral("%1 is not a unit state: %2").arg(path, why);
        return false;
    }
    return true;
}

bool UnitConfig::save(const QString &path, QString *error) const
{
    // Written beside the old state and renamed over it, so that a stop in the
    // middle of a write never leaves half a file.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        *error = QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
        return false;
    }
    file.write(QJsonDocument(toJson()).toJson(QJsonDocument::Indented));
    if (!file.commit()) {
        *error = QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}
