#include "link/linesink.h"
#include "link/serialcontroller.h"
#include "sentences/parsedsentence.h"

#include "support/ptypair.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <QtTest>

#include <ctime>
#include <fcntl.h>
#include <memory>
#include <sys/ioctl.h>
#include <unistd.h>

// The serial line controller over real pseudo-terminals: the test plays the
// unit on the master end.
class TestSerialController : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<PtyPair> pty;
    std::unique_ptr<SerialController> controller;
    // What the controller passed on as received.
    QStringList lines;
    QTemporaryDir dir;
    // A second hold of the line, opened before the controller's, through which
    // the test sees how many bytes still wait to be read.
    int watchFd = -1;

    int WaitingBytes() const
    {
        int waiting = 0;
        return ::ioctl(watchFd, FIONREAD, &waiting) == 0 ? waiting : -1;
    }
    // Writes one piece and lets the controller take it, so that the next
    // write arrives as a piece of its own: on a loaded machine a fixed pause
    // may pass before the controller has had a turn.
    void Piece(const QByteArray &bytes)
    {
        QVERIFY(pty->write(bytes));
        // The bytes reach the line's input queue a moment after the write.
        pty->readFor(60);
        QTRY_COMPARE(WaitingBytes(), 0);
    }
    QString WriteFile(const QString &name, const QByteArray &bytes)
    {
        QFile file(dir.filePath(name));
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            qFatal("cannot write %s", qPrintable(file.fileName()));
        return file.fileName();
    }

private slots:
    void init()
    {
        pty.reset(new PtyPair);
        QVERIFY(pty->isOpen());
        watchFd =
            ::open(pty->slavePath().toLocal8Bit().constData(), O_RDONLY | O_NOCTTY | O_NONBLOCK);
        QVERIFY(watchFd >= 0);
        controller.reset(new SerialController);
        lines.clear();
        connect(controller.get(), &SerialController::Received,
                [this](QString line) { lines << line; });
    }
    void cleanup()
    {
        ::close(watchFd);
        controller.reset();
        pty.reset();
    }

    void floodIsReadInTurns()
    {
        QVERIFY(controller->Open(pty->slavePath(), 38400));
        // Far more than 100 pieces at once are read in turns, none lost.
        QStringList expected;
        for (int i = 0; i < 400; ++i)
            expected << QString("$GPTXT,01,01,02,line %1*00\n").arg(i);
        QVERIFY(pty->write(expected.join("").replace("\n", "\r\n").toLatin1()));
        QTRY_COMPARE(lines, expected);
    }

    // Whatever arrives before a sound sentence, from the line or from a log
    // played back at either pace, the sentence is passed on and parses.
    void soundLineSurvivesWhatComesBefore_data()
    {
        QTest::addColumn<int>("source"); // 0 port, 1 paced replay, 2 fast replay
        QTest::addColumn<QByteArray>("before");
        const QList<QPair<const char *, QByteArray>> noise{
            {"zero bytes inside a line", QByteArray("ab\0cd", 5)}, {"prompt", ">"}};
        for (int source = 0; source < 3; ++source) {
            for (const auto &n : noise)
                QTest::addRow("%s %d", n.first, source) << source << n.second;
        }
    }
    void soundLineSurvivesWhatComesBefore()
    {
        QFETCH(int, source);
        QFETCH(QByteArray, before);
        const QString body = "$GPRMC,123519,A,4807.038,N,01131.000,E,0.1,84.4,230394,,,A";
        const QString sentence = body + '*' + ParsedSentence::Checksum(body);
        const QByteArray bytes = before + sentence.toLatin1() + "\r\n" + ">appver\r\n";
        QSignalSpy sent(controller.get(), &SerialController::Sent);
        if (source == 0) {
            QVERIFY(controller->Open(pty->slavePath(), 38400));
            QVERIFY(pty->write(bytes));
            QTRY_VERIFY(!lines.isEmpty() && lines.last() == ">appver\n");
        } else {
            QSignalSpy closed(controller.get(), &SerialController::Closed);
            controller->SetFastReplay(source == 2);
            QVERIFY(controller->OpenFile(WriteFile("noise.log", bytes)));
            QVERIFY(closed.wait(5000));
            // A logged echo of a command stays a sent line.
            QCOMPARE(sent.count(), 1);
        }
        QStringList sound;
        for (const QString &line : qAsConst(lines)) {
            const ParsedSentence parsed(line);
            if (parsed.valid)
                sound << parsed.ToText();
        }
        QCOMPARE(sound, QStringList{sentence});
    }

    void trafficLog()
    {
        const QString logName = WriteFile("traffic.log", "old contents that must go\n");
        QSignalSpy saveError(controller.get(), &SerialController::SaveError);
        QVERIFY(controller->StartLog(logName));
        QVERIFY(controller->Open(pty->slavePath(), 38400));

        // Sent lines are marked; the presence poll and the serial-number
        // answer reach the line and the listeners but are kept out of the log.
        controller->OnSend("$UPAIQ,AID*2B\r\n");
        controller->OnSend("$PVKX,0,1,1234,0,getserno,1*00\r\n");
        QVERIFY(pty->write("$GPTXT,first*00\r\n$PVKX,255,getserno,1,A1234*00\r\ncaf\xE9\r\n"));
        QTRY_COMPARE(lines.size(), 3);
        QVERIFY(controller->StopLog());
        QCOMPARE(saveError.count(), 0);

        QFile log(logName);
        QVERIFY(log.open(QIODevice::ReadOnly));
        const QByteArray bytes = log.readAll();
        const QRegularExpression expected(
            "^#\\n# vandrel Started log file at \\d\\d:\\d\\d:\\d\\d \\d{4}/\\d\\d/\\d\\d\\n#\\n"
            "> \\$UPAIQ,AID\\*2B\\n\\$GPTXT,first\\*00\\ncaf\u00e9\\n"
            "#\\n# vandrel Stopped log file at \\d\\d:\\d\\d:\\d\\d \\d{4}/\\d\\d/\\d\\d\\n#\\n$");
        QVERIFY2(expected.match(QString::fromUtf8(bytes)).hasMatch(), bytes.constData());
        // A log that cannot be created says why.
        QVERIFY(!controller->StartLog(dir.filePath("no/such/folder/x.log")));
        QCOMPARE(controller->LogErrorString(), QString("No such file or directory"));
        // A full disk is told once; every line still reaches its listeners.
        if (QFile::exists("/dev/full")) {
            QVERIFY(controller->StartLog("/dev/full"));
            QVERIFY(pty->write("$GPTXT,one*00\r\n$GPTXT,two*00\r\n"));
            QTRY_COMPARE(lines.size(), 5);
            QCOMPARE(saveError.count(), 1);
            QVERIFY(controller->StopLog());
        }
        // Played back, the log gives the sent line as sent, without its mark,
        // and only the received lines as received.
        QVERIFY(controller->Close());
        lines.clear();
        QSignalSpy sent(controller.get(), &SerialController::Sent);
        QSignalSpy closed(controller.get(), &SerialController::Closed);
        controller->SetFastReplay(true);
        QVERIFY(controller->OpenFile(logName));
        QVERIFY(closed.wait(5000));
        QCOMPARE(lines, (QStringList{"$GPTXT,first*00\n", "caf\u00e9\n"}));
        QCOMPARE(sent.count(), 1);
        QCOMPARE(sent.at(0).at(0).toString(), QString("$UPAIQ,AID*2B\n"));
        QVERIFY(controller->Close());
    }

    void flushAtOpenIsBounded()
    {
        // Noise without a sentence end keeps arriving while the port opens.
        QVERIFY(pty->write("noise without an end"));
        QTimer noise;
        connect(&noise, &QTimer::timeout, [this] { pty->write("more noise\n"); });
        noise.start(5);
        QElapsedTimer clock;
        clock.start();
        QVERIFY(controller->Open(pty->slavePath(), 38400));
        qint64 took = clock.elapsed();
        noise.stop();
        qInfo("flush under noise took %lld ms", took);
        // The bound is one second; a loaded machine may add to it, but a flush
        // that ran on with the noise would take far longer.
        QVERIFY2(took >= 900 && took <= 2500, QByteArray::number(took).constData());
        QVERIFY(controller->Close());

        // The tail of a sentence under way ends the flush; the whole sentence
        // after it is delivered without waiting for more input.
        PtyPair second;
        QVERIFY(second.write("LF,1,2*3C\r\n$GPTXT,whole*00\r\n"));
        lines.clear();
        clock.restart();
        QVERIFY(controller->Open(second.slavePath(), 38400));
        took = clock.elapsed();
        QVERIFY2(took < 800, QByteArray::number(took).constData());
        QTRY_COMPARE_WITH_TIMEOUT(lines, QStringList{"$GPTXT,whole*00\n"}, 1000);
        QVERIFY(controller->Close());

        // A quiet line ends the flush once it has been silent a while, not
        // after the whole second.
        PtyPair quiet;
        clock.restart();
        QVERIFY(controller->Open(quiet.slavePath(), 38400));
        took = clock.elapsed();
        QVERIFY2(took >= SerialController::FlushSilenceMs - 5 &&
                     took < SerialController::FlushTimeoutMs * 3 / 4,
                 QByteArray::number(took).constData());
    }

    // The paced replay is played through the serial transport's tests.
    void fastReplayPassesEveryLineInOrder()
    {
        // The byte order mark that may open a log is no text.
        QByteArray log = "\xEF\xBB\xBF#\n# vandrel Started log file at 10:00:00 2026/01/01\n#\n";
        QStringList expected;
        // Lines across the ends of blocks, and a last line without its end.
        while (log.size() < SerialController::ReplayBlockSize * 3 / 2) {
            expected << QString("$GPTXT,01,01,02,line %1*00\n").arg(expected.size());
            log += expected.last().toLatin1();
        }
        log += "$GPTXT,last*00";
        expected << "$GPTXT,last*00\n";

        // A line sink takes the same lines as the listeners of the text.
        struct Sink : LineSink
        {
            QStringList lines;
            void TakeLine(const ReceivedLine &line) override { lines << line.Text(); }
        } sink;
        controller->AddLineSink(&sink);
        QSignalSpy closed(controller.get(), &SerialController::Closed);
        controller->SetFastReplay(true);
        QVERIFY(controller->OpenFile(WriteFile("fast.log", log)));
        QVERIFY(closed.wait(5000));
        QTest::qWait(100);
        QCOMPARE(closed.count(), 1);
        QVERIFY(controller->IsFileOpen());
        QCOMPARE(sink.lines, lines);
        QCOMPARE(lines, expected);
        QVERIFY(controller->Close());
        QCOMPARE(closed.count(), 2);
    }

    void deadLineRaisesSendErrorOnce()
    {
        QSignalSpy sendError(controller.get(), &SerialController::SendError);
        QSignalSpy sent(controller.get(), &SerialController::Sent);
        QSignalSpy closed(controller.get(), &SerialController::Closed);
        QSignalSpy lost(controller.get(), &SerialController::LineLost);
        QVERIFY(controller->Open(pty->slavePath(), 38400));
        QVERIFY(!controller->Open(pty->slavePath(), 38400));
        // Text goes out as Latin-1.
        const QString text = QStringLiteral("$UPAIQ,AID*2B\r\n") + QChar(0xE9);
        controller->OnSend(text);
        QCOMPARE(pty->readUntil("\xE9", 2000), text.toLatin1());

        // The far end goes away: it does not keep the thread busy, and the
        // next write is reported as failed, not as sent.
        ::close(watchFd);
        watchFd = -1;
        pty->closeSlave();
        pty->closeMaster();
        const std::clock_t cpuBefore = std::clock();
        QTest::qWait(300);
        const double cpuMs = double(std::clock() - cpuBefore) * 1000.0 / CLOCKS_PER_SEC;
        QVERIFY2(cpuMs < 40, QByteArray::number(cpuMs).constData());
        QCOMPARE(sendError.count(), 0);
        controller->OnSend("$UPAIQ,ACF*3E\r\n");
        QCOMPARE(sendError.count(), 1);
        QCOMPARE(controller->ErrorString(),
                 QString("The serial device hung up: the unit or its adapter was unplugged"));
        QCOMPARE(lost.count(), 1);
        // Reported once, not once per attempt; none counts as sent.
        for (int i = 0; i < 3; ++i)
            controller->OnSend("$UPAIQ,ACE*3D\r\n");
        QCOMPARE(sendError.count(), 1);
        QCOMPARE(sent.count(), 1);
        // The owner still decides when the line closes.
        QVERIFY(controller->IsOpen());
        QCOMPARE(closed.count(), 0);
        QVERIFY(controller->Close());
    }

    // A lock file of another program, in each form such programs write,
    // keeps the port whoever asks (root too, against a lock of another
    // user's) and stays as it was; so does another program's exclusive open.
    // Only a lock whose process has ended is removed, and that is said.
    void locksOfOtherPrograms()
    {
        QString device = QFileInfo(pty->slavePath()).canonicalFilePath().mid(5);
        const QString lock = "/run/lock/LCK.." + device.replace('/', '_');
        if (!QFileInfo("/run/lock").isWritable())
            QSKIP("/run/lock is not writable here: no lock of another program can be left");
        const auto removeLock = qScopeGuard([&] { QFile::remove(lock); });
        QProcess running, ended;
        running.start("sleep", {"60"});
        ended.start("true", QStringList());
        QVERIFY(running.waitForStarted() && ended.waitForStarted());
        const qint32 live = qint32(running.processId()), gone = qint32(ended.processId());
        QVERIFY(ended.waitForFinished());
        const auto binary = [](qint32 pid) {
            return QByteArray(reinterpret_cast<const char *>(&pid), sizeof pid);
        };
        const QByteArray host = QSysInfo::machineHostName().toUtf8();
        const QList<QPair<QByteArray, bool>> forms = {
            {QByteArray::number(live).rightJustified(10, ' ') + '\n', true},
            {binary(live), true},
            {QByteArray::number(live) + "\nminicom\n" + host + '\n', true},
            {"not a number\n", true},
            {QByteArray::number(gone).rightJustified(10, ' ') + '\n', false},
            {binary(gone), false},
        };
        for (const auto &[bytes, held] : forms) {
            QFile file(lock);
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
                    file.write(bytes) == bytes.size());
            file.close();
            if (::geteuid() == 0)
                QCOMPARE(::chown(QFile::encodeName(lock).constData(), 65534, 65534), 0);
            if (!held)
                QTest::ignoreMessage(QtWarningMsg,
                                     qPrintable(QString("Removed the lock file %1 of the serial "
                                                        "port %2: the process %3 that made it "
                                                        "has ended.")
                                                    .arg(lock, pty->slavePath())
                                                    .arg(gone)));
            SerialController line;
            QCOMPARE(line.Open(pty->slavePath(), 38400), !held);
            if (held) {
                QCOMPARE(line.OpenProblem(), PortProblem::Busy);
                QCOMPARE(PortProbe::Probe(pty->slavePath()), PortProblem::Busy);
                QCOMPARE(PortProbe::Glance(pty->slavePath()), PortProblem::Busy);
                QFile left(lock);
                QVERIFY(left.open(QIODevice::ReadOnly));
                QCOMPARE(left.readAll(), bytes);
            } else {
                QVERIFY(line.Close());
                QTRY_VERIFY(!QFile::exists(lock));
            }
        }

        const int exclusive =
            ::open(QFile::encodeName(pty->slavePath()).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        QVERIFY(exclusive >= 0 && ::ioctl(exclusive, TIOCEXCL) == 0);
        SerialController line;
        QVERIFY(!line.Open(pty->slavePath(), 38400));
        QCOMPARE(line.OpenProblem(), PortProblem::Busy);
        // The mark stays with the line, not the descriptor, while others hold it.
        QVERIFY(::ioctl(exclusive, TIOCNXCL) == 0);
        ::close(exclusive);
        QVERIFY(line.Open(pty->slavePath(), 38400));
    }

    // A link closed on its worker thread is free when it says so: the window
    // may open the port again the moment it hears, from its own thread. A
    // log is read to its end and closed likewise.
    void reopenedTheMomentItIsClosed()
    {
        QThread worker;
        worker.start();
        const auto stop = qScopeGuard([&] {
            worker.quit();
            worker.wait();
        });
        int refused = 0;
        for (int round = 0; round < 100; ++round) {
            auto *far = new SerialController;
            far->moveToThread(&worker);
            bool opened = false;
            // A sentence end waiting ends the flush of each open at once.
            pty->write("$GPTXT,x*00\r\n");
            QMetaObject::invokeMethod(
                far, [&] { opened = far->Open(pty->slavePath(), 38400); },
                Qt::BlockingQueuedConnection);
            QVERIFY(opened);
            // Waiting in the event loop, this thread hears at once.
            QEventLoop loop;
            int reopened = -1;
            connect(far, &SerialController::Closed, &loop, [&] {
                pty->write("$GPTXT,x*00\r\n");
                SerialController near;
                reopened = near.Open(pty->slavePath(), 38400);
                if (!reopened)
                    qWarning("round %d: %s", round, qPrintable(near.ErrorString()));
                loop.quit();
            });
            QTimer::singleShot(5000, &loop, &QEventLoop::quit);
            QMetaObject::invokeMethod(far, [far] {
                far->Close();
                delete far;
            });
            loop.exec();
            QVERIFY(reopened >= 0);
            refused += reopened == 0;
        }
        QCOMPARE(refused, 0);
    }

    // Units are looked for on the unit's own adapters, the ports the
    // environment offers and those named, never on the computer's other
    // serial devices.
    void unitPortsAreTheUnitsOwn()
    {
        const PortInfoList system = {
            {"/dev/ttyS0", ""},
            {"/dev/ttyACM0", "GPS receiver", 0x1546, 0x01A8},
            {"/dev/ttyUSB0", "Same maker", SerialController::DeviceVendorId, 0x0503},
            {"/dev/ttyUSB1", "AtoN unit", SerialController::DeviceVendorId,
             SerialController::DeviceProductId},
            {"/dev/ttyUSB2", "Modem", 0x0403, SerialController::DeviceProductId},
        };
        SerialController::SetPortEnumeration([&] { return system; });
        qputenv("VANDREL_PORTS", pty->slavePath().toLocal8Bit() + ":/dev/vandrel-missing");
        const auto restore = qScopeGuard([] {
            SerialController::SetPortEnumeration({});
            qunsetenv("VANDREL_PORTS");
        });
        QCOMPARE(SerialController::UnitPorts({"/dev/ttyS1", "/dev/ttyUSB1"}),
                 (QStringList{"/dev/ttyUSB1", pty->slavePath(), "/dev/ttyS1"}));
    }
};

QTEST_GUILESS_MAIN(TestSerialController)
#include "tst_serialcontroller.moc"
