#include "unitresponder.h"

#include <utility>

#include <QRegularExpression>

const char *const UnitResponder::AccessCodes[4] = {"0x6E2D9A41", "0x8B47F2D0", "0x19C5E3A7",
                                                   "0xD4716B5E"};

namespace {

// The longest escaped name that still fits an ACE continuation answer
// ("$AIACE,<mmsi>,,,,,,<name>,,R*hh" within 82 characters).
const int MaxEscapedNameInAnswer = 53;
// An escaped name longer than this goes into a continuation sentence.
const int MaxEscapedNameInFirstAce = 32;
const int MaxNameLength = 34;
const int LevelForNvseti = 3;

// Decimal, zero-padded to at least width characters (a sign counts).
QByteArray number(qint64 value, int width = 0)
{
    QByteArray text = QByteArray::number(value);
    while (text.size() < width)
        text.insert(value < 0 ? 1 : 0, '0');
    return text;
}

bool toInt(const QByteArray &field, int *out)
{
    bool ok = false;
    const int v = field.toInt(&ok);
    if (ok)
        *out = v;
    return ok;
}

bool isMmsi(const QByteArray &field)
{
    if (field.size() != 9)
        return false;
    for (char c : field) {
        if (c < '0' || c > '9')
            return false;
    }
    return true;
}

// "ddmm.mmmm" (latitude) or "dddmm.mmmm" (longitude) with its hemisphere
// letter, into ten-thousandths of a minute.
bool parseAngle(const QByteArray &value, const QByteArray &hemisphere, char negative, char positive,
                int maxDegrees, qint64 *out)
{
    static const QRegularExpression shape(
        QStringLiteral("^([0-9]{1,3})([0-9]{2})(\\.([0-9]{1,6}))?$"));
    const QRegularExpressionMatch m = shape.match(QString::fromLatin1(value));
    if (!m.hasMatch() || hemisphere.size() != 1)
        return false;
    if (hemisphere.at(0) != negative && hemisphere.at(0) != positive)
        return false;
    const qint64 degrees = m.captured(1).toLongLong();
    const qint64 minutes = m.captured(2).toLongLong();
    QString fraction = m.captured(4);
    // Only four decimals of a minute are kept; a fifth and sixth round.
    fraction = (fraction + QStringLiteral("000000")).left(6);
    const qint64 millionths = fraction.toLongLong();
    if (minutes >= 60)
        return false;
    qint64 v = (degrees * 60 + minutes) * 10000 + (millionths + 50) / 100;
    if (v > maxDegrees * 600000LL)
        return false;
    *out = hemisphere.at(0) == negative ? -v : v;
    return true;
}

QByteArray angleText(qint64 tenThousandths, int degreeDigits)
{
    const qint64 v = qAbs(tenThousandths);
    return number(v / 600000, degreeDigits) + number(v % 600000 / 10000, 2) + '.' +
           number(v % 10000, 4);
}

} // namespace

const QStringList UnitFaults::BadAnswerKinds{QStringLiteral("empty-value"),
                                             QStringLiteral("non-numeric"),
                                             QStringLiteral("lantern-range"),
                                             QStringLiteral("acf-range"),
                                             QStringLiteral("empty-position"),
                                             QStringLiteral("lonely-continuation"),
                                             QStringLiteral("other-mmsi"),
                                             QStringLiteral("second-unit"),
                                             QStringLiteral("huge-instance"),
                                             QStringLiteral("unconfigured-mmsi"),
                                             QStringLiteral("damaged-row"),
                                             QStringLiteral("late-row"),
                                             QStringLiteral("lost-row"),
                                             QStringLiteral("lost-continuation"),
                                             QStringLiteral("lost-continuation-once"),
                                             QStringLiteral("contradicting-row"),
                                             QStringLiteral("two-ace"),
                                             QStringLiteral("two-acf"),
                                             QStringLiteral("aid-mode-v")};

UnitResponder::UnitResponder(UnitConfig *config, QObject *parent)
    : QObject(parent), m_config(config)
{}

QList<QByteArray> UnitResponder::handle(const QByteArray &line)
{
    QList<QByteArray> out = std::exchange(m_held, {});
    out << answer(line);
    return out;
}

QList<QByteArray> UnitResponder::answer(const QByteArray &line)
{
    const NmeaSentence s = NmeaFrame::parse(line);
    if (!s.valid) {
        const QByteArray trimmed = line.trimmed();
        if (!trimmed.isEmpty())
            emit diagnostic(QStringLiteral("ignored line (%1): %2")
                                .arg(s.error, QString::fromLatin1(trimmed.left(100))));
        return {};
    }
    if (s.start != '$')
        return {};
    if (s.address == "PVKX")
        return handleShell(s);
    if (s.address.size() == 5 && s.address.mid(2, 3) == "AIQ")
        return handleQuery(s);
    if (s.address.size() != 5)
        return {};
    const QByteArray formatter = s.address.mid(2);
    // A set sentence ends with status "C"; anything else is not for the unit.
    if (s.fields.isEmpty() || s.fields.last() != "C") {
        refuse(s, QStringLiteral("status is not C"));
        return {};
    }
    if (listed(m_faults.refuse, QString::fromLatin1(formatter))) {
        refuse(s, QStringLiteral("refused on request"));
        emit setHandled();
        return {};
    }
    bool changed = false;
    if (formatter == "AID")
        changed = applyAid(s);
    else if (formatter == "ACF")
        changed = applyAcf(s);
    else if (formatter == "ACE")
        changed = applyAce(s);
    else if (formatter == "AAR")
        changed = applyAar(s);
    if (changed)
        emit configChanged();
    emit setHandled();
    return {};
}

bool UnitResponder::suppressed(const QString &what)
{
    if (listed(m_faults.noAnswer, what))
        return true;
    for (const QString &entry : qAsConst(m_faults.noAnswerFirst)) {
        if (listed({entry}, what) && !m_unansweredOnce.contains(entry)) {
            m_unansweredOnce << entry;
            return true;
        }
    }
    return false;
}

bool UnitResponder::listed(const QStringList &list, const QString &what)
{
    for (const QString &entry : list) {
        if (entry.compare(what, Qt::CaseInsensitive) == 0)
            return true;
        // "nvgeti" names every nvgeti command, whatever its parameter, and
        // "nvseti \"limen\"" the set of that parameter, whatever its value.
        if (what.startsWith(entry + QLatin1Char(' ')) || what.startsWith(entry + QLatin1Char(',')))
            return true;
    }
    return false;
}

void UnitResponder::refuse(const NmeaSentence &s, const QString &why)
{
    QList<QByteArray> fields = s.fields;
    emit diagnostic(
        QStringLiteral("ignored %1 (%2): %3")
            .arg(QString::fromLatin1(s.address), why, QString::fromLatin1(fields.join(','))));
}

QByteArray UnitResponder::answerMmsi() const
{
    return m_faults.zeroMmsi ? QByteArray("000000000") : m_config->mmsi.toLatin1();
}

QByteArray UnitResponder::configAnswer(const QByteArray &formatter, QList<QByteArray> fields) const
{
    fields.append(m_faults.answerStatusC ? "C" : "R");
    if (m_faults.missingField)
        fields.removeLast();
    return NmeaFrame::build('$', "AI" + formatter, fields);
}

QList<QByteArray> UnitResponder::handleQuery(const NmeaSentence &s)
{
    const QByteArray formatter = s.field(0);
    if (suppressed(QString::fromLatin1(formatter))) {
        emit diagnostic(
            QStringLiteral("query %1 left unanswered").arg(QString::fromLatin1(formatter)));
        return {};
    }
    QList<QByteArray> out = answersFor(formatter);
    if (formatter == "AAR" && m_faults.bad("late-row") && out.size() > 1)
        m_held << out.takeLast();
    if (formatter == "AAR" && m_faults.bad("lost-row") && out.size() > 1)
        out.removeAt(1);
    const bool loseContinuation = m_faults.bad("lost-continuation") ||
                                  (m_faults.bad("lost-continuation-once") && !m_continuationLost);
    if (formatter == "ACE" && loseContinuation && out.size() > 1) {
        out.removeLast();
        m_continuationLost = true;
    }
    return out;
}

QList<QByteArray> UnitResponder::answersFor(const QByteArray &formatter) const
{
    const UnitConfig &c = *m_config;
    const QByteArray own = answerMmsi();
    // Another unit's MMSI: the unit's own with its last digit changed.
    QByteArray other = own;
    other.back() = other.back() == '1' ? '2' : '1';
    const QByteArray mmsi = m_faults.bad("other-mmsi")          ? other
                            : m_faults.bad("unconfigured-mmsi") ? QByteArray("000000000")
                                                                : own;
    QList<QByteArray> out;
    if (formatter == "AID") {
        out << configAnswer("AID", {own, "1", own, m_faults.bad("aid-mode-v") ? "V" : "R"});
        if (m_faults.bad("second-unit"))
            out << configAnswer("AID", {other, "1", other, "R"});
    } else if (formatter == "ACF" && m_faults.bad("acf-range")) {
        out << configAnswer("ACF", {mmsi, "99", "5030.0000", "N", "00100.0000", "E", "0", "2087",
                                    "2088", "99999", "99999", "1", "99", "0"});
    } else if (formatter == "ACF") {
        const bool empty = m_faults.bad("empty-position");
        out << configAnswer("ACF",
                            {mmsi, number(c.typeOfEPFS), empty ? "" : angleText(c.latitude, 2),
                             empty            ? ""
                             : c.latitude < 0 ? "S"
                                              : "N",
                             empty ? "" : angleText(c.longitude, 3),
                             empty             ? ""
                             : c.longitude < 0 ? "W"
                                               : "E",
                             number(c.positionAccuracy), number(c.channel1), number(c.channel2),
                             number(c.channel1), number(c.channel2), "1", number(c.typeOfAtoN),
                             number(c.acfField14)});
        if (m_faults.bad("two-acf")) {
            QList<QByteArray> fields = NmeaFrame::parse(out.last()).fields;
            fields.removeLast(); // the status, which configAnswer adds again
            fields[1] = number((c.typeOfEPFS + 1) % (UnitLimits::MaxTypeOfEPFS + 1));
            out << configAnswer("ACF", fields);
        }
    } else if (formatter == "ACE" && m_faults.bad("lonely-continuation")) {
        out << configAnswer("ACE", {mmsi, {}, {}, {}, {}, {}, NmeaFrame::escape(c.name), {}});
    } else if (formatter == "ACE") {
        const QByteArray name = NmeaFrame::escape(c.name);
        const bool continued = name.size() > MaxEscapedNameInFirstAce;
        QByteArray flags = QByteArray::number((c.racon ? 0x1D : 0x1C) << 3, 16).toUpper();
        QByteArray dimensions = number(c.dimensionA, 3) + number(c.dimensionB, 3) +
                                number(c.dimensionC, 2) + number(c.dimensionD, 2);
        out << configAnswer("ACE", {mmsi, flags, number(c.offPositionThreshold, 4), "1",
                                    number(c.aceField5), number(c.aceField6),
                                    continued ? QByteArray() : name, dimensions});
        if (continued)
            out << configAnswer("ACE", {mmsi, {}, {}, {}, {}, {}, name, {}});
        if (m_faults.bad("two-ace"))
            out << configAnswer("ACE",
                                {mmsi, flags, number((c.offPositionThreshold + 1) % 10000, 4), "1",
                                 number(c.aceField5), number(c.aceField6),
                                 continued ? QByteArray() : name, dimensions});
    } else if (formatter == "AAR") {
        for (const ScheduleRow &r : c.schedule) {
            const bool fatdma = r.scheme == 0;
            // FATDMA intervals are slots; the others are kept in seconds and
            // reported in minutes.
            auto slot = [&](int s) { return fatdma ? number(s, 2) : QByteArray(); };
            auto interval = [&](int i) { return fatdma ? number(i) : number(i / 60); };
            out << configAnswer("AAR",
                                {mmsi, number(r.message, 2), number(r.instance, 2),
                                 number(r.hour1, 2), number(r.minute1, 2), slot(r.slot1),
                                 interval(r.interval1), number(r.scheme), number(r.hour2, 2),
                                 number(r.minute2, 2), slot(r.slot2), interval(r.interval2)});
        }
        // The second row with its checksum changed, as a noisy line leaves it.
        if (m_faults.bad("damaged-row") && out.size() > 1) {
            QByteArray &row = out[1];
            const int star = row.lastIndexOf('*');
            if (star > 0 && star + 1 < row.size())
                row[star + 1] = row[star + 1] == '0' ? '1' : '0';
        }
        const ScheduleRow *offPosition = c.findRow(21, 2);
        if (m_faults.bad("contradicting-row") && offPosition) {
            ScheduleRow r = *offPosition;
            r.scheme = 0;
            r.slot1 = r.slot1 < 0 ? 7 : (r.slot1 + 7) % (UnitLimits::MaxSlot + 1);
            out << configAnswer("AAR",
                                {mmsi, "21", "02", number(r.hour1, 2), number(r.minute1, 2),
                                 number(r.slot1, 2), number(r.interval1), "0", number(r.hour2, 2),
                                 number(r.minute2, 2), number(r.slot2, 2), number(r.interval2)});
        }
        if (m_faults.bad("huge-instance"))
            out << configAnswer("AAR", {mmsi, "12", "2147483647", "00", "00", "00", "6750", "0",
                                        "00", "00", "00", "6750"});
    }
    return out;
}

bool UnitResponder::applyAid(const NmeaSentence &s)
{
    // $UPAID,<addressed MMSI>,<flag>,<new MMSI>,<mode>,C
    if (s.fields.size() != 5) {
        refuse(s, QStringLiteral("expected 5 fields"));
        return false;
    }
    if (s.field(0) != m_config->mmsi.toLatin1()) {
        refuse(s, QStringLiteral("addressed to another MMSI"));
        return false;
    }
    if (!isMmsi(s.field(2))) {
        refuse(s, QStringLiteral("new MMSI is not nine digits"));
        return false;
    }
    const QString mmsi = QString::fromLatin1(s.field(2));
    if (mmsi == m_config->mmsi)
        return false;
    emit diagnostic(QStringLiteral("MMSI %1 -> %2").arg(m_config->mmsi, mmsi));
    m_config->mmsi = mmsi;
    return true;
}

bool UnitResponder::applyAcf(const NmeaSentence &s)
{
    // $UPACF,mmsi,epfs,lat,N,lon,E,accuracy,ch1,ch2,ch1,ch2,1,type,field14,C
    if (s.fields.size() != 15) {
        refuse(s, QStringLiteral("expected 15 fields"));
        return false;
    }
    if (s.field(0) != m_config->mmsi.toLatin1()) {
        refuse(s, QStringLiteral("addressed to another MMSI"));
        return false;
    }
    UnitConfig c = *m_config;
    const bool ok = toInt(s.field(1), &c.typeOfEPFS) &&
                    parseAngle(s.field(2), s.field(3), 'S', 'N', 91, &c.latitude) &&
                    parseAngle(s.field(4), s.field(5), 'W', 'E', 181, &c.longitude) &&
                    toInt(s.field(6), &c.positionAccuracy) && toInt(s.field(9), &c.channel1) &&
                    toInt(s.field(10), &c.channel2) && toInt(s.field(12), &c.typeOfAtoN) &&
                    toInt(s.field(13), &c.acfField14);
    if (!ok) {
        refuse(s, QStringLiteral("a field is missing or not a number"));
        return false;
    }
    return take(s, c);
}

void UnitResponder::storeName(const QString &received)
{
    QString name = received.left(MaxNameLength);
    while (NmeaFrame::escape(name).size() > MaxEscapedNameInAnswer)
        name.chop(1);
    if (name != received)
        emit diagnostic(QStringLiteral("name cut to \"%1\"").arg(name));
    m_config->name = name;
}

bool UnitResponder::applyAce(const NmeaSentence &s)
{
    // $UPACE,mmsi,flags,threshold,1,field5,field6,name,dimensions,C
    if (s.fields.size() != 9) {
        refuse(s, QStringLiteral("expected 9 fields"));
        return false;
    }
    if (s.field(0) != m_config->mmsi.toLatin1()) {
        refuse(s, QStringLiteral("addressed to another MMSI"));
        return false;
    }
    if (s.field(1).isEmpty() && s.field(2).isEmpty() && s.field(4).isEmpty() &&
        s.field(5).isEmpty() && s.field(7).isEmpty()) {
        // Name continuation: the name that did not fit the first sentence.
        storeName(NmeaFrame::unescape(s.field(6)));
        return true;
    }
    UnitConfig c = *m_config;
    bool ok = false;
    const int flags = s.field(1).toInt(&ok, 16);
    static const QRegularExpression dimensionShape(QStringLiteral("^[0-9]{10}$"));
    const QByteArray dims = s.field(7);
    if (!ok || !toInt(s.field(2), &c.offPositionThreshold) || !toInt(s.field(4), &c.aceField5) ||
        !toInt(s.field(5), &c.aceField6) ||
        !dimensionShape.match(QString::fromLatin1(dims)).hasMatch()) {
        refuse(s, QStringLiteral("a field is missing or out of range"));
        return false;
    }
    c.racon = (flags >> 3) & 1;
    c.dimensionA = dims.mid(0, 3).toInt();
    c.dimensionB = dims.mid(3, 3).toInt();
    c.dimensionC = dims.mid(6, 2).toInt();
    c.dimensionD = dims.mid(8, 2).toInt();
    if (!take(s, c))
        return false;
    // An empty name here is filled by the continuation that follows.
    storeName(NmeaFrame::unescape(s.field(6)));
    return true;
}

bool UnitResponder::applyAar(const NmeaSentence &s)
{
    // $UPAAR,mmsi,msg,inst,h1,m1,slot1,int1,scheme,h2,m2,slot2,int2,C
    if (s.fields.size() != 13) {
        refuse(s, QStringLiteral("expected 13 fields"));
        return false;
    }
    if (s.field(0) != m_config->mmsi.toLatin1()) {
        refuse(s, QStringLiteral("addressed to another MMSI"));
        return false;
    }
    ScheduleRow r;
    auto optional = [](const QByteArray &f, int *out) {
        return f.isEmpty() ? (*out = 0, true) : toInt(f, out);
    };
    bool ok = toInt(s.field(1), &r.message) && toInt(s.field(2), &r.instance) &&
              toInt(s.field(3), &r.hour1) && toInt(s.field(4), &r.minute1) &&
              toInt(s.field(7), &r.scheme) && toInt(s.field(8), &r.hour2) &&
              toInt(s.field(9), &r.minute2) && optional(s.field(6), &r.interval1) &&
              optional(s.field(11), &r.interval2);
    if (ok && r.scheme == 0)
        ok = optional(s.field(5), &r.slot1) && optional(s.field(10), &r.slot2);
    else
        r.slot1 = r.slot2 = 0;
    if (!ok || !UnitConfig::keepsRowsOf(r.message) || r.instance < 1 ||
        r.instance > UnitConfig::maxInstance(r.message) || r.scheme < 0 || r.scheme > 2 ||
        r.hour1 < 0 || r.hour1 > 23 || r.minute1 < 0 || r.minute1 > 59 || r.hour2 < 0 ||
        r.hour2 > 23 || r.minute2 < 0 || r.minute2 > 59 || r.slot1 < -1 || r.slot2 < -1 ||
        r.interval1 < 0 || r.interval2 < 0) {
        refuse(s, QStringLiteral("a field is missing or out of range"));
        return false;
    }
    if (r.disabled() && r.message != 21) {
        if (!m_config->findRow(r.message, r.instance))
            return false;
        m_config->removeRow(r.message, r.instance);
        return true;
    }
    const ScheduleRow *old = m_config->findRow(r.message, r.instance);
    if (old && *old == r)
        return false;
    UnitConfig c = *m_config;
    c.setRow(r);
    return take(s, c);
}

bool UnitResponder::take(const NmeaSentence &s, const UnitConfig &changed)
{
    const QString problem = changed.rangeProblem();
    if (!problem.isEmpty()) {
        refuse(s, problem + QStringLiteral(" out of range"));
        return false;
    }
    *m_config = changed;
    return true;
}

QList<QByteArray> UnitResponder::handleShell(const NmeaSentence &s)
{
    // $PVKX,0,<level>,<access code>,<mode>,<command>,<tag>
    if (s.fields.size() != 6) {
        refuse(s, QStringLiteral("expected 6 fields"));
        return {};
    }
    const QByteArray sent = s.field(4);
    const QString command = NmeaFrame::unescape(sent);
    const QByteArray tag = s.field(5);
    if (suppressed(command) || (!m_docked && command.startsWith(QLatin1String("getserno")))) {
        emit diagnostic(QStringLiteral("shell command \"%1\" left unanswered").arg(command));
        return {};
    }
    int level = -1;
    int result = ShellOk;
    QByteArray text;
    if (!toInt(s.field(1), &level) || level < 0 || level > 3 || s.field(2) != AccessCodes[level]) {
        result = ShellAccessDenied;
        text = "ACCESS DENIED";
    } else {
        text = runShellCommand(command, level, &result);
    }
    if (result != ShellOk)
        emit diagnostic(QStringLiteral("shell command \"%1\" refused: %2")
                            .arg(command, QString::fromLatin1(text)));
    else
        text = badShellText(command, text);
    const QByteArray reply = NmeaFrame::build('$', "PVKX", {number(result), sent, tag, text});
    if (command.startsWith(QLatin1String("nvseti")))
        emit setHandled();
    return {reply};
}

QByteArray UnitResponder::badShellText(const QString &command, const QByteArray &text) const
{
    const bool lantern = command.startsWith(QLatin1String("nvgeti"));
    const bool numeric = lantern || command == QLatin1String("battvolts");
    if (m_faults.bad("empty-value") &&
        (numeric || command == QLatin1String("appver") || command == QLatin1String("getserno")))
        return QByteArray();
    if (m_faults.bad("non-numeric") && numeric)
        return "n/a";
    if (m_faults.bad("lantern-range") && lantern)
        return "99999999";
    return text;
}

QByteArray UnitResponder::runShellCommand(const QString &command, int level, int *result)
{
    UnitConfig &c = *m_config;
    const QString word = command.section(QLatin1Char(' '), 0, 0);
    if (command == QLatin1String("appver"))
        return NmeaFrame::escape(c.version);
    if (command == QLatin1String("getserno"))
        return NmeaFrame::escape(c.serialNumber);
    if (command == QLatin1String("battvolts"))
        return NmeaFrame::escape(c.batteryVoltage);
    if (command == QLatin1String("reset"))
        return "OK";
    if (word == QLatin1String("gpsfilt")) {
        bool ok = false;
        command.section(QLatin1Char(' '), 1).trimmed().toInt(&ok);
        if (!ok) {
            *result = ShellBadArgument;
            return "BAD ARGUMENT";
        }
        return "OK";
    }
    if (word == QLatin1String("nvgeti") || word == QLatin1String("nvseti")) {
        // nvgeti "name"  /  nvseti "name",value,a,b,c
        static const QRegularExpression get(QStringLiteral("^nvgeti \"([a-z]+)\"$"));
        static const QRegularExpression set(
            QStringLiteral("^nvseti \"([a-z]+)\",(-?[0-9]{1,10}),([^,]*),([^,]*),([^,]*)$"));
        const QRegularExpressionMatch m =
            (word == QLatin1String("nvgeti") ? get : set).match(command);
        const int index = m.hasMatch() ? LanternParameters::indexOf(m.captured(1)) : -1;
        if (index < 0) {
            *result = ShellBadArgument;
            return "BAD ARGUMENT";
        }
        if (word == QLatin1String("nvseti")) {
            if (level < LevelForNvseti) {
                *result = ShellAccessDenied;
                return "ACCESS DENIED";
            }
            bool ok = false;
            const qint64 value = m.captured(2).toLongLong(&ok);
            if (!ok || value < -2147483647 || value > 2147483647) {
                *result = ShellBadArgument;
                return "BAD ARGUMENT";
            }
            if (listed(m_faults.refuse, command)) {
                // Acknowledged with the value it keeps, as a unit that ignores the field.
                emit diagnostic(
                    QStringLiteral("shell command \"%1\" refused on request").arg(command));
            } else if (c.lantern[index] != int(value)) {
                c.lantern[index] = int(value);
                emit configChanged();
            }
        }
        return number(c.lantern[index]);
    }
    *result = ShellUnknownCommand;
    return "UNKNOWN COMMAND";
}
