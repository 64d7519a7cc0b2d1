#include "unitsimulator.h"

#include "nmeaframe.h"

#include <QFileInfo>

namespace {

const int MaxFloodLinesPerTick = 2000;
// About a quarter of a second at 38400 baud.
const int MaxPacedBacklog = 1000;

QByteArray corruptChecksum(QByteArray line)
{
    const int star = line.lastIndexOf('*');
    if (star < 0 || star + 3 > line.size())
        return line;
    bool ok = false;
    const int sum = line.mid(star + 1, 2).toInt(&ok, 16);
    if (!ok)
        return line;
    const QByteArray wrong = QByteArray::number(sum ^ 0x5A, 16).toUpper().rightJustified(2, '0');
    line.replace(star + 1, 2, wrong);
    return line;
}

} // namespace

UnitSimulator::UnitSimulator(const SimOptions &options, QObject *parent)
    : QObject(parent), m_options(options),
      m_config(options.unconfigured ? UnitConfig::unconfigured() : UnitConfig::sample()),
      m_responder(&m_config), m_traffic(&m_config)
{
    if (!options.mmsi.isEmpty())
        m_config.mmsi = options.mmsi;
    if (!options.serialNumber.isEmpty())
        m_config.serialNumber = options.serialNumber;
    for (int i = 0; i < options.extraRows.size(); ++i) {
        ScheduleRow row;
        row.message = options.extraRows.at(i).first;
        row.instance = options.extraRows.at(i).second;
        row.slot1 = 400 + 10 * i;
        row.minute2 = 2;
        row.slot2 = 1400 + 10 * i;
        m_config.setRow(row);
    }
    m_config.sortSchedule();
    UnitFaults faults;
    faults.noAnswer = options.noAnswer;
    faults.noAnswerFirst = options.noAnswerFirst;
    faults.refuse = options.refuse;
    faults.answerStatusC = options.answerStatusC;
    faults.missingField = options.missingField;
    faults.zeroMmsi = options.zeroMmsi;
    faults.badAnswers = options.badAnswers;
    m_responder.setFaults(faults);
    m_line.setPaced(!options.fast);
    m_traffic.setCycle(options.cycleSeconds, QDateTime::currentDateTimeUtc());
    m_traffic.setDrift(options.driftMetres);
    m_traffic.setFixGaps(options.fixGaps);
    m_traffic.setRmcOnly(options.rmcOnly);
    m_traffic.setBroadcastName(options.broadcastName);

    connect(&m_line, &PtyLine::lineReceived, this, &UnitSimulator::onLine);
    connect(&m_line, &PtyLine::diagnostic, this, &UnitSimulator::diagnostic);
    connect(&m_line, &PtyLine::peerOpened, this,
            [this] { emit diagnostic(QStringLiteral("line opened")); });
    connect(&m_line, &PtyLine::peerClosed, this,
            [this] { emit diagnostic(QStringLiteral("line closed")); });
    connect(&m_responder, &UnitResponder::diagnostic, this, &UnitSimulator::diagnostic);
    connect(&m_responder, &UnitResponder::configChanged, this, &UnitSimulator::saveState);
    connect(&m_responder, &UnitResponder::setHandled, this, &UnitSimulator::countSet);
}

bool UnitSimulator::start(QString *error)
{
    if (!m_options.stateFile.isEmpty()) {
        if (QFileInfo::exists(m_options.stateFile)) {
            // A state that cannot be read is never overwritten: it may be the
            // only copy of a configuration someone sent.
            if (!m_config.load(m_options.stateFile, error))
                return false;
        } else if (!m_config.save(m_options.stateFile, error)) {
            return false;
        }
    }
    if (!m_line.open(error))
        return false;
    m_running = true;
    if (!m_options.linkPath.isEmpty() && !m_line.makeLink(m_options.linkPath, error)) {
        m_line.close();
        m_running = false;
        return false;
    }

    // The sparse kinds first come soon after the start, so that a short
    // session sees each of them once.
    if (m_options.gps)
        every(GpsPeriodMs, 200, [this] { sendGps(); });
    if (m_options.gpsText)
        every(GpsTextPeriodMs, 1500, [this] { send(m_traffic.gpsText()); });
    if (m_options.vdo)
        every(int(m_options.reportSeconds * 1000), qMin(2000, int(m_options.reportSeconds * 1000)),
              [this] { send(m_traffic.ownReport(QDateTime::currentDateTimeUtc())); });
    if (m_options.alarms)
        every(AlarmPeriodMs, 2500,
              [this] { send(m_traffic.alarms(QDateTime::currentDateTimeUtc())); });
    if (m_options.aiText)
        every(UnitTextPeriodMs, 3000, [this] { send(m_traffic.unitText()); });
    if (m_options.floodRate > 0) {
        m_floodClock.start();
        every(FloodTickMs, FloodTickMs, [this] { sendFlood(); });
    }
    if (m_options.dockOutAfter >= 0) {
        QTimer::singleShot(int(m_options.dockOutAfter * 1000), this, [this] {
            m_responder.setDocked(false);
            emit diagnostic(QStringLiteral("taken from the dock: getserno is no longer answered"));
        });
    }
    if (m_options.closeAfter >= 0) {
        QTimer::singleShot(int(m_options.closeAfter * 1000), this, [this] {
            if (!m_running)
                return;
            emit diagnostic(QStringLiteral("closing the line"));
            stop();
            emit finished();
        });
    }
    return true;
}

void UnitSimulator::redock()
{
    QString error;
    if (m_options.stateFile.isEmpty()) {
        emit diagnostic(QStringLiteral("no state file to take another unit from"));
        return;
    }
    if (!m_config.load(m_options.stateFile, &error)) {
        emit diagnostic(error);
        return;
    }
    m_responder.setDocked(true);
    emit diagnostic(QStringLiteral("another unit in the dock, as the state file holds it"));
}

void UnitSimulator::stop()
{
    m_running = false;
    for (QTimer *t : qAsConst(m_timers))
        t->stop();
    m_line.close();
}

void UnitSimulator::every(int periodMs, int firstMs, const std::function<void()> &work)
{
    auto *timer = new QTimer(this);
    timer->setInterval(periodMs);
    connect(timer, &QTimer::timeout, this, work);
    m_timers << timer;
    QTimer::singleShot(firstMs, timer, [this, timer, work] {
        if (!m_running)
            return;
        work();
        timer->start();
    });
}

void UnitSimulator::onLine(const QByteArray &line)
{
    if (m_options.verbose)
        emit diagnostic(QStringLiteral("<< ") + QString::fromLatin1(line));
    QList<QByteArray> answers = m_responder.handle(line);
    if (answers.isEmpty())
        return;
    if (m_options.prompt && answers.first().startsWith("$PVKX,"))
        answers << QByteArray(">");
    if (m_options.lateMs > 0)
        QTimer::singleShot(m_options.lateMs, this, [this, answers] { send(answers); });
    else
        send(answers);
}

void UnitSimulator::send(const QList<QByteArray> &lines)
{
    if (!m_line.isOpen())
        return;
    for (const QByteArray &l : lines) {
        const QByteArray out = m_options.corruptChecksums ? corruptChecksum(l) : l;
        if (m_options.verbose)
            emit diagnostic(QStringLiteral(">> ") + QString::fromLatin1(out.trimmed()));
        m_line.send(out);
    }
}

void UnitSimulator::sendGps()
{
    const QDateTime now = QDateTime::currentDateTimeUtc();
    send(m_traffic.gpsFix(now));
    const TrafficGenerator::Situation situation = m_traffic.situation(now);
    if (situation.fixLost == m_fixLost && situation.offPosition == m_offPosition)
        return;
    m_fixLost = situation.fixLost;
    m_offPosition = situation.offPosition;
    if (m_options.alarms)
        send(m_traffic.alarms(now));
}

void UnitSimulator::sendFlood()
{
    const double seconds = m_floodClock.restart() / 1000.0;
    m_floodCredit =
        qMin(m_floodCredit + seconds * m_options.floodRate, double(MaxFloodLinesPerTick));
    const QDateTime now = QDateTime::currentDateTimeUtc();
    QList<QByteArray> lines;
    while (m_floodCredit >= 1) {
        m_floodCredit -= 1;
        lines << m_traffic.floodLine(m_floodCount++, now);
    }
    // Flood lines are sent as they are: the broken ones are broken on purpose.
    // On a paced line a flood beyond what the line carries is cut, so that
    // answers are still delayed by no more than a moment of line time.
    for (const QByteArray &l : qAsConst(lines)) {
        if (m_line.isPaced() && m_line.queuedBytes() > MaxPacedBacklog)
            break;
        m_line.send(l);
    }
}

QString UnitSimulator::stateFile() const
{
    return m_swapped ? m_options.swapStateFile : m_options.stateFile;
}

void UnitSimulator::saveState()
{
    if (stateFile().isEmpty())
        return;
    QString error;
    if (!m_config.save(stateFile(), &error))
        emit diagnostic(QStringLiteral("state not saved: ") + error);
}

void UnitSimulator::countSet()
{
    if (m_options.swapAfter <= 0 || m_swapped || ++m_setCount < m_options.swapAfter)
        return;
    QString error;
    if (!swapUnits(&error))
        emit diagnostic(QStringLiteral("the other unit could not be docked: ") + error);
}

// The unit that was in the dock keeps its state file as it last was.
bool UnitSimulator::swapUnits(QString *error)
{
    UnitConfig other = UnitConfig::sample();
    other.serialNumber = QStringLiteral("VK0099999");
    other.mmsi = QStringLiteral("992359999");
    const QString file = m_options.swapStateFile;
    if (!file.isEmpty()) {
        if (QFileInfo::exists(file)) {
            if (!other.load(file, error))
                return false;
        } else if (!other.save(file, error)) {
            return false;
        }
    }
    m_config = other;
    m_swapped = true;
    emit diagnostic(QStringLiteral("another unit in the dock after %1 set sentences: serial "
                                   "number %2, MMSI %3")
                        .arg(m_setCount)
                        .arg(m_config.serialNumber, m_config.mmsi));
    return true;
}
