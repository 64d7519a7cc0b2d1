// Responsiveness of the serial data tab while a unit talks fast.
//
// A feeder thread sends received lines to a shown SerialTab at twenty times the
// character rate of a 38400-baud line, handed over a few at a time through the
// same batch as the transport's worker thread uses.  A 5 ms timer on the user-interface thread
// measures how late the event loop serves it: its longest delay is the longest
// stall a user would feel.  Each scenario runs for the given time; the display
// size is sampled throughout, and the program's processor time over the
// scenario is given as a share of one processor.  A first run with nothing fed
// shows the stalls and the processor time that the machine and the probe
// themselves cause (other processes, the scheduler).  The tab is measured on
// its own, then inside the whole window, fed as a link feeds it (the tab and
// the unit's decoders, whose status the window shows), with the tab shown,
// filtered and not, and with another page shown.
//
//   serialtabbench [--seconds N] [--rate-factor F] [--reference] [--unit-status]
//
// --reference also runs the same feed into a plain QTextEdit that appends every
// line and re-sets its whole text to trim, for comparison.

#include "app/unitsession.h"
#include "app/vandrelapplication.h"
#include "decode/gpsdecoder.h"
#include "decode/messagedecoder.h"
#include "link/linebatch.h"
#include "model/aton.h"
#include "model/model.h"
#include "sentences/parsedsentence.h"
#include "status/unitstatus.h"
#include "ui/mainwindow.h"
#include "ui/serialdisplay.h"
#include "ui/serialtab.h"
#include "ui/unitstatustab.h"

#include <QCheckBox>
#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QMainWindow>
#include <QSettings>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QThread>
#include <QTimer>
#include <QToolButton>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <vector>

namespace {

constexpr int LineCharactersPerSecond = 38400 / 10; // 8 data bits, start and stop bit
constexpr int ProbeIntervalMs = 5;
constexpr int FeedIntervalMs = 5;

// A repeating mix of what a docked unit sends by itself.
QStringList TrafficLines()
{
    const QStringList bodies = {
        "$GPRMC,123519.00,A,5030.1234,N,00312.5678,W,0.02,0.00,060626,,,A",
        "$GPGGA,123519.00,5030.1234,N,00312.5678,W,1,09,0.9,12.3,M,48.0,M,,",
        "$GPGSA,A,3,04,05,09,12,16,20,24,25,29,,,,1.8,0.9,1.5",
        "$GPGSV,3,1,11,04,21,312,44,05,56,101,47,09,12,040,38,12,70,205,49",
        "$GPGSV,3,2,11,16,33,080,41,20,18,270,36,24,05,150,30,25,40,230,45",
        "$GPGSV,3,3,11,29,61,300,48,31,02,010,,32,09,120,29",
        "!AIVDO,1,1,,A,E>jHC=c6:W1:9V2PS0000000000PMDcm:0@D@0000000000,4",
        "$GNZDA,123519.00,06,06,2026,00,00",
        "$AITXT,01,01,91,FREQ,2087,2088",
        "$PVKX,0,battvolts,12.71",
        "$PVKX,0,getserno,A123456",
    };
    QStringList lines;
    for (const QString &body : bodies) {
        lines << body + QLatin1Char('*') + ParsedSentence::Checksum(body) + QLatin1Char('\n');
    }
    return lines;
}

// Sends lines at a fixed character rate from its own thread.
class Feeder : public QObject
{
    Q_OBJECT
public:
    explicit Feeder(double charactersPerSecond)
        : rate(charactersPerSecond), batch(new LineBatch(this))
    {
        connect(batch, &LineBatch::Lines, this, &Feeder::Received);
    }

    qint64 linesSent = 0;
    qint64 charactersSent = 0;

signals:
    void Received(QStringList lines);

public slots:
    void Start()
    {
        lines = TrafficLines();
        timer = new QTimer(this);
        timer->setTimerType(Qt::PreciseTimer);
        connect(timer, &QTimer::timeout, this, &Feeder::Feed);
        clock.start();
        timer->start(FeedIntervalMs);
    }
    void Stop()
    {
        if (timer) {
            timer->stop();
        }
        batch->Flush();
    }

private slots:
    void Feed()
    {
        const double due = rate * clock.nsecsElapsed() / 1e9;
        while (charactersSent < due) {
            const QString &line = lines.at(next++ % lines.size());
            batch->Add(line);
            charactersSent += line.size();
            ++linesSent;
        }
    }

private:
    double rate;
    QStringList lines;
    int next = 0;
    LineBatch *batch;
    QTimer *timer = nullptr;
    QElapsedTimer clock;
};

struct Result
{
    QString name;
    double longestStallMs = 0;
    double p99StallMs = 0;
    int stallsOver50 = 0;
    qint64 lines = 0;
    qint64 characters = 0;
    int displayMax = 0;
    int displayEnd = 0;
    int bufferEnd = 0;
    double finishMs = 0;      // the closing step (un-pausing), if any
    double longestCallMs = 0; // the longest single delivery to the tab
    double cpuPercent = 0;    // processor time of the whole program over the scenario's time
};

// Processor time of the whole program so far, in seconds.
double ProcessSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) + now.tv_nsec / 1e9;
}

// Runs the event loop for `seconds` while the feeder delivers to `sink`.
Result Run(const QString &name, int seconds, double rate,
           const std::function<void(const QStringList &)> &sink,
           const std::function<int()> &displaySize)
{
    Result result;
    result.name = name;

    QThread thread;
    Feeder feeder(rate);
    feeder.moveToThread(&thread);
    QObject receiver;
    QElapsedTimer call;
    QObject::connect(&feeder, &Feeder::Received, &receiver, [&](const QStringList &lines) {
        call.start();
        sink(lines);
        result.longestCallMs = std::max(result.longestCallMs, call.nsecsElapsed() / 1e6);
    });
    thread.start();

    std::vector<double> stalls;
    stalls.reserve(seconds * 1000 / ProbeIntervalMs + 16);
    QElapsedTimer sinceLast;
    QTimer probe;
    probe.setTimerType(Qt::PreciseTimer);
    QObject::connect(&probe, &QTimer::timeout, [&] {
        const double gap = sinceLast.nsecsElapsed() / 1e6;
        sinceLast.restart();
        stalls.push_back(std::max(0.0, gap - ProbeIntervalMs));
        result.displayMax = std::max(result.displayMax, displaySize());
    });

    QEventLoop loop;
    QTimer::singleShot(seconds * 1000, &loop, &QEventLoop::quit);
    QMetaObject::invokeMethod(&feeder, &Feeder::Start, Qt::QueuedConnection);
    sinceLast.start();
    probe.start(ProbeIntervalMs);
    QElapsedTimer wall;
    wall.start();
    const double cpuBefore = ProcessSeconds();
    loop.exec();
    result.cpuPercent = 100.0 * (ProcessSeconds() - cpuBefore) / (wall.nsecsElapsed() / 1e9);
    probe.stop();
    QMetaObject::invokeMethod(&feeder, &Feeder::Stop, Qt::BlockingQueuedConnection);
    thread.quit();
    thread.wait();
    // Deliver what is still queued, so that the size at the end is honest.
    QCoreApplication::processEvents();

    std::sort(stalls.begin(), stalls.end());
    if (!stalls.empty()) {
        result.longestStallMs = stalls.back();
        result.p99StallMs = stalls[static_cast<size_t>(stalls.size() * 0.99)];
        result.stallsOver50 = static_cast<int>(
            std::count_if(stalls.begin(), stalls.end(), [](double s) { return s > 50.0; }));
    }
    result.lines = feeder.linesSent;
    result.characters = feeder.charactersSent;
    result.displayEnd = displaySize();
    result.displayMax = std::max(result.displayMax, result.displayEnd);
    return result;
}

void Print(const Result &r)
{
    std::printf("%-34s cpu %5.1f%%  longest stall %7.1f ms  p99 %6.1f ms  stalls>50ms %4d  "
                "lines %8lld  chars %9lld  display max %8d end %8d  longest call %6.1f ms",
                qPrintable(r.name), r.cpuPercent, r.longestStallMs, r.p99StallMs, r.stallsOver50,
                static_cast<long long>(r.lines), static_cast<long long>(r.characters), r.displayMax,
                r.displayEnd, r.longestCallMs);
    if (r.bufferEnd > 0 || r.finishMs > 0) {
        std::printf("  pause buffer %7d  un-pause %6.1f ms", r.bufferEnd, r.finishMs);
    }
    std::printf("\n");
    std::fflush(stdout);
}

} // namespace

int main(int argc, char **argv)
{
    // Never touch the user's own settings.
    QTemporaryDir settingsDir;
    QStandardPaths::setTestModeEnabled(true);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir.path());
    QSettings::setPath(QSettings::NativeFormat, QSettings::SystemScope, settingsDir.path());

    VandrelApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addHelpOption();
    QCommandLineOption secondsOption("seconds", "Length of each scenario.", "N", "60");
    QCommandLineOption factorOption("rate-factor", "Multiple of the 38400-baud rate.", "F", "20");
    QCommandLineOption referenceOption("reference", "Also run a plain QTextEdit for comparison.");
    QCommandLineOption unitStatusOption("unit-status",
                                        "Also feed the decoders with the unit status tab shown.");
    parser.addOptions({secondsOption, factorOption, referenceOption, unitStatusOption});
    parser.process(app);
    const int seconds = std::max(1, parser.value(secondsOption).toInt());
    const double factor = std::max(0.1, parser.value(factorOption).toDouble());
    const double rate = LineCharactersPerSecond * factor;

    std::printf("serial tab responsiveness: %d s per scenario, %.0f characters/s "
                "(%.1f x 38400 baud), platform %s\n",
                seconds, rate, factor, qPrintable(QGuiApplication::platformName()));

    const auto filter = [](QWidget &tab, bool on) {
        for (const char *box : {"filterXXVDOCheckBox", "filterXXZDACheckBox", "filterGPXXXCheckBox",
                                "filterXXTXTCheckBox"}) {
            tab.findChild<QCheckBox *>(box)->setChecked(on);
        }
    };
    {
        SerialTab tab;
        tab.resize(900, 600);
        tab.show();
        tab.OnOpened();
        auto *view = tab.findChild<SerialDisplay *>("textEditReceived");
        auto displaySize = [view] { return view->CharacterCount(); };
        auto sink = [&tab](const QStringList &lines) { tab.OnReceivedLines(lines); };

        // The same probe with nothing fed: what the machine itself adds.
        Print(Run("idle, nothing fed", seconds, 0.0, sink, displaySize));
        Print(Run("running, no filters", seconds, rate, sink, displaySize));

        view->Clear();
        filter(tab, true);
        Print(Run("running, four filters", seconds, rate, sink, displaySize));

        // Paused onto a full display: arrivals fill the buffer to its limit,
        // then the un-pause pours it into the display at once.
        auto *pause = tab.findChild<QToolButton *>("toolButtonPause");
        pause->click();
        Result paused = Run("paused, four filters", seconds, rate, sink, displaySize);
        paused.bufferEnd = tab.PauseBufferSize();
        QElapsedTimer unpause;
        unpause.start();
        pause->click();
        QCoreApplication::processEvents();
        paused.finishMs = unpause.nsecsElapsed() / 1e6;
        paused.displayEnd = displaySize();
        Print(paused);
    }

    {
        // The whole window, as a link feeds it.
        MainWindow window;
        app.SetMainWindow(&window);
        window.resize(1024, 700);
        window.show();
        auto *pages = window.findChild<QTabWidget *>("tabWidget");
        auto *tab = window.findChild<SerialTab *>("tabSerialData");
        auto *view = tab->findChild<SerialDisplay *>("textEditReceived");
        tab->OnOpened();
        UnitSession *session = app.Session();
        auto sink = [tab, session](const QStringList &lines) {
            tab->OnReceivedLines(lines);
            session->DecodeLines(lines);
        };
        auto displaySize = [view] { return view->CharacterCount(); };
        pages->setCurrentWidget(tab);
        Print(Run("window, idle", seconds, 0.0, sink, displaySize));
        Print(Run("window, tab shown, no filters", seconds, rate, sink, displaySize));
        view->Clear();
        filter(*tab, true);
        Print(Run("window, tab shown, four filters", seconds, rate, sink, displaySize));
        view->Clear();
        filter(*tab, false);
        pages->setCurrentIndex(0);
        Print(Run("window, AtoN page shown, no filters", seconds, rate, sink, displaySize));
        app.SetMainWindow(nullptr);
    }

    if (parser.isSet(unitStatusOption)) {
        // The unit status tab redraws from the decoders' results; the feed's
        // message 21 carries this MMSI.
        UnitSession *session = app.Session();
        session->SetReportMmsi(QStringLiteral("992351030"));
        QMainWindow window;
        auto *tabs = new QTabWidget;
        window.setCentralWidget(tabs);
        UnitStatusTab *tab = UnitStatusTab::AddTo(tabs, window.statusBar(), session);
        tabs->setCurrentWidget(tab);
        window.resize(1024, 600);
        window.show();
        auto sink = [session](const QStringList &lines) { session->DecodeLines(lines); };
        auto reports = [tab] { return tab->Status()->OwnReports().Count(); };
        Print(Run("unit status tab, decoders", seconds, rate, sink, reports));
    }

    if (parser.isSet(referenceOption)) {
        // The plain widget, appending line by line and re-setting its text.
        QTextEdit edit;
        edit.setReadOnly(true);
        edit.resize(900, 600);
        edit.show();
        auto sink = [&edit](const QStringList &lines) {
            for (const QString &line : lines) {
                QTextCursor cursor = edit.textCursor();
                cursor.movePosition(QTextCursor::End);
                edit.setTextCursor(cursor);
                edit.insertPlainText(line);
                if (edit.document()->characterCount() - 1 > SerialTab::DisplayLimit) {
                    edit.setPlainText(edit.toPlainText().mid(SerialTab::DisplayTrimStep));
                }
                edit.moveCursor(QTextCursor::End);
            }
        };
        auto displaySize = [&edit] { return edit.document()->characterCount() - 1; };
        Print(Run("reference QTextEdit, no filters", seconds, rate, sink, displaySize));
    }
    return 0;
}

#include "main.moc"
