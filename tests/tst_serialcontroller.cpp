#include "link/serialcontroller.h"

#include "support/ptypair.h"

#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <ctime>

// The serial line controller over real pseudo-terminals: the test plays the
// unit on the master end.
class TestSerialController : public QObject
{
    Q_OBJECT

private:
    // Collects what the controller raises, in order.
    static QStringList Texts(const QSignalSpy &spy)
    {
        QStringList texts;
        for (const QList<QVariant> &arguments : spy)
            texts << arguments.at(0).toString();
        return texts;
    }

    static bool WaitForCount(QSignalSpy &spy, int count, int ms = 2000)
    {
        QElapsedTimer timer;
        timer.start();
        while (spy.count() < count && timer.elapsed() < ms)
            spy.wait(20);
        return spy.count() >= count;
    }

    // Writes one piece and waits until the controller has taken it, so that
    // the next write arrives as a piece of its own.
    static void WritePiece(PtyPair &pty, const QByteArray &bytes)
    {
        QVERIFY(pty.write(bytes));
        pty.readFor(60);
    }

private slots:
    void piecesAreJoinedIntoLines()
    {
        PtyPair pty;
        QVERIFY(pty.isOpen());
        SerialController controller;
        QSignalSpy received(&controller, &SerialController::Received);
        QVERIFY(controller.Open(pty.slavePath(), 38400));

        WritePiece(pty, "abc");
        QCOMPARE(received.count(), 0);
        QVERIFY(pty.write("def*1A\r\n"));
        QVERIFY(WaitForCount(received, 1));
        QCOMPARE(Texts(received), QStringList{"abcdef*1A\n"});

        // 300 characters arrive as a 255-character piece and the rest.
        received.clear();
        QByteArray longLine(300, 'x');
        for (int i = 0; i < longLine.size(); ++i)
            longLine[i] = char('A' + i % 26);
        QVERIFY(pty.write(longLine + "\r\n"));
        QVERIFY(WaitForCount(received, 1));
        pty.readFor(50);
        QCOMPARE(Texts(received), QStringList{QString::fromLatin1(longLine + "\n")});

        // Every carriage return goes, wherever it stands.
        received.clear();
        QVERIFY(pty.write("a\rb\r\r\n"));
        QVERIFY(WaitForCount(received, 1));
        QCOMPARE(Texts(received), QStringList{"ab\n"});
    }

    void promptAndCommentPieces()
    {
        PtyPair pty;
        SerialController controller;
        QSignalSpy received(&controller, &SerialController::Received);
        QVERIFY(controller.Open(pty.slavePath(), 38400));

        // A lone prompt and a two-character prompt are raised at once.
        WritePiece(pty, ">");
        WritePiece(pty, "x>");
        QCOMPARE(Texts(received), (QStringList{">", "x>"}));

        // Three characters ending in '>' are an ordinary partial line.
        received.clear();
        WritePiece(pty, "ab>");
        QCOMPARE(received.count(), 0);
        QVERIFY(pty.write("c\n"));
        QVERIFY(WaitForCount(received, 1));
        QCOMPARE(Texts(received), QStringList{"ab>c\n"});

        // A prompt between the pieces of a line leaves the partial line alone.
        received.clear();
        WritePiece(pty, "$GP");
        WritePiece(pty, ">");
        QVERIFY(pty.write("TXT\n"));
        QVERIFY(WaitForCount(received, 2));
        QCOMPARE(Texts(received), (QStringList{">", "$GPTXT\n"}));

        // A '#' piece is dropped whole, and the waiting partial line is then
        // joined to the next piece.
        received.clear();
        WritePiece(pty, "abc");
        WritePiece(pty, "# vandrel comment\n");
        QCOMPARE(received.count(), 0);
        QVERIFY(pty.write("def\n"));
        QVERIFY(WaitForCount(received, 1));
        QCOMPARE(Texts(received), QStringList{"abcdef\n"});

        // With a port open, a piece starting with '>' is received text, not sent.
        received.clear();
        QSignalSpy sent(&controller, &SerialController::Sent);
        QVERIFY(pty.write(">appver\n"));
        QVERIFY(WaitForCount(received, 1));
        QCOMPARE(Texts(received), QStringList{">appver\n"});
        QCOMPARE(sent.count(), 0);
    }

    void sendWritesLatin1AndRaisesSent()
    {
        PtyPair pty;
        SerialController controller;
        QSignalSpy sent(&controller, &SerialController::Sent);
        QSignalSpy sendError(&controller, &SerialController::SendError);

        // Nothing open: nothing happens.
        controller.OnSend("$UPAIQ,AID*2B\r\n");
        QCOMPARE(sent.count(), 0);

        QVERIFY(controller.Open(pty.slavePath(), 38400));
        const QString text = QString::fromLatin1("$PVKX,0,0,0x6E2D9A41,2,appver,0*00\r\n") +
                             QChar(0xE9) + QLatin1Char('\n');
        controller.OnSend(text);
        const QByteArray got = pty.readUntil("\xE9\n", 2000);
        QCOMPARE(got, text.toLatin1());
        QCOMPARE(Texts(sent), QStringList{text});
        QCOMPARE(sendError.count(), 0);
    }

    void aFloodIsReadInTurnsWithoutLoss()
    {
        PtyPair pty;
        SerialController controller;
        QSignalSpy received(&controller, &SerialController::Received);
        QVERIFY(controller.Open(pty.slavePath(), 38400));

        // Far more than 100 pieces arrive in one go.
        QStringList expected;
        QByteArray flood;
        for (int i = 0; i < 400; ++i) {
            const QByteArray line = "$GPTXT,01,01,02,line " + QByteArray::number(i) + "*00\r\n";
            flood += line;
            expected << QString::fromLatin1(line).remove(QLatin1Char('\r'));
        }
        QVERIFY(pty.write(flood));
        QVERIFY(WaitForCount(received, expected.size(), 5000));
        QCOMPARE(Texts(received), expected);
    }

    void trafficLog()
    {
        PtyPair pty;
        QTemporaryDir dir;
        const QString logName = dir.filePath("traffic.log");
        {
            QFile old(logName);
            QVERIFY(old.open(QIODevice::WriteOnly));
            old.write("old contents that must go\n");
        }

        SerialController controller;
        QSignalSpy received(&controller, &SerialController::Received);
        QSignalSpy saveError(&controller, &SerialController::SaveError);
        QVERIFY(!controller.StopLog());
        QCOMPARE(controller.LogErrorString(), QString("Unknown error"));
        QVERIFY(controller.StartLog(logName));
        QVERIFY(!controller.StartLog(logName));
        QVERIFY(controller.Open(pty.slavePath(), 38400));

        QVERIFY(pty.write("$GPTXT,first*00\r\n"));
        QVERIFY(pty.write("$PVKX,255,getserno,1,A1234*00\r\n"));
        QVERIFY(pty.write("caf\xE9\r\n"));
        QVERIFY(WaitForCount(received, 3));
        // The serial-number line is passed on but kept out of the log.
        QCOMPARE(Texts(received).at(1), QString("$PVKX,255,getserno,1,A1234*00\n"));
        QCOMPARE(Texts(received).at(2), QString::fromLatin1("caf\xE9\n"));
        QVERIFY(controller.StopLog());
        QVERIFY(!controller.StopLog());
        QCOMPARE(saveError.count(), 0);

        QFile log(logName);
        QVERIFY(log.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = log.readAll().split('\n');
        QCOMPARE(lines.size(), 9); // six banner lines, two received lines, nothing after the last
        const QRegularExpression started("^# vandrel Started log file at "
                                         "\\d\\d:\\d\\d:\\d\\d \\d{4}/\\d\\d/\\d\\d$");
        const QRegularExpression stopped("^# vandrel Stopped log file at "
                                         "\\d\\d:\\d\\d:\\d\\d \\d{4}/\\d\\d/\\d\\d$");
        QCOMPARE(lines.at(0), QByteArray("#"));
        QVERIFY2(started.match(QString::fromUtf8(lines.at(1))).hasMatch(), lines.at(1).constData());
        QCOMPARE(lines.at(2), QByteArray("#"));
        QCOMPARE(lines.at(3), QByteArray("$GPTXT,first*00"));
        QCOMPARE(lines.at(4), QByteArray("caf\xC3\xA9")); // UTF-8, two bytes for the é
        QCOMPARE(lines.at(5), QByteArray("#"));
        QVERIFY2(stopped.match(QString::fromUtf8(lines.at(6))).hasMatch(), lines.at(6).constData());
        QCOMPARE(lines.at(7), QByteArray("#"));
        QCOMPARE(lines.at(8), QByteArray());

        QVERIFY(!controller.StartLog(dir.filePath("no/such/folder/x.log")));
        QCOMPARE(controller.LogErrorString(), QString("Unknown error"));
    }

    void flushAtOpenIsBoundedToOneSecond()
    {
        PtyPair pty;
        // Noise without a sentence end keeps arriving while the port opens.
        QVERIFY(pty.write("noise without an end"));
        QTimer noise;
        connect(&noise, &QTimer::timeout, [&pty] { pty.write("more noise\n"); });
        noise.start(5);

        SerialController controller;
        QElapsedTimer clock;
        clock.start();
        QVERIFY(controller.Open(pty.slavePath(), 38400));
        const qint64 took = clock.elapsed();
        noise.stop();
        QVERIFY2(took >= 900 && took <= 1500, QByteArray::number(took).constData());
    }

    void flushStopsAtTheFirstSentenceEnd()
    {
        PtyPair pty;
        // The tail of a sentence that was under way, then a whole sentence.
        QVERIFY(pty.write("LF,1,2*3C\r\n$GPTXT,whole*00\r\n"));
        SerialController controller;
        QSignalSpy received(&controller, &SerialController::Received);
        QElapsedTimer clock;
        clock.start();
        QVERIFY(controller.Open(pty.slavePath(), 38400));
        QVERIFY2(clock.elapsed() < 500, QByteArray::number(clock.elapsed()).constData());
        // The sentence after the flushed tail is delivered without waiting for
        // more input; the tail is not.
        QVERIFY(WaitForCount(received, 1, 1000));
        QCOMPARE(Texts(received), QStringList{"$GPTXT,whole*00\n"});
    }

    void replayPlaysPiecesEveryTenMilliseconds()
    {
        QTemporaryDir dir;
        const QString logName = dir.filePath("replay.log");
        QStringList expectedLines;
        {
            QFile log(logName);
            QVERIFY(log.open(QIODevice::WriteOnly));
            log.write("#\n# vandrel Started log file at 10:00:00 2026/01/01\n#\n");
            for (int i = 0; i < 20; ++i) {
                const QByteArray line = "$GPTXT,replay " + QByteArray::number(i) + "*00\n";
                log.write(line);
                expectedLines << QString::fromLatin1(line);
            }
            log.write(">appver\n");
            log.write("caf\xC3\xA9\n");
            expectedLines << QString::fromUtf8("caf\xC3\xA9\n");
            log.write("#\n# vandrel Stopped log file at 10:01:00 2026/01/01\n#\n");
        }

        SerialController controller;
        QSignalSpy received(&controller, &SerialController::Received);
        QSignalSpy sent(&controller, &SerialController::Sent);
        QSignalSpy closed(&controller, &SerialController::Closed);
        QVERIFY(!controller.OpenFile(dir.filePath("missing.log")));
        QVERIFY(controller.ErrorString().contains("No such file"));
        QVERIFY(controller.OpenFile(logName));
        QVERIFY(controller.IsOpen());
        QVERIFY(controller.IsFileOpen());
        // One line at a time.
        PtyPair pty;
        QVERIFY(!controller.Open(pty.slavePath(), 38400));
        QVERIFY(!controller.OpenFile(logName));

        QElapsedTimer clock;
        clock.start();
        QVERIFY(WaitForCount(closed, 1, 3000));
        const qint64 took = clock.elapsed();
        // 28 pieces at 10 ms each.
        QVERIFY2(took >= 250 && took <= 1500, QByteArray::number(took).constData());
        QCOMPARE(Texts(received), expectedLines);
        QCOMPARE(Texts(sent), QStringList{">appver\n"});
        // At the end, every tick says so until the owner closes.
        QVERIFY(WaitForCount(closed, 3, 1000));
        closed.clear();
        QVERIFY(controller.Close());
        QCOMPARE(closed.count(), 1);
        QVERIFY(!controller.IsOpen());
        QVERIFY(!controller.Close());
        QTest::qWait(50);
        QCOMPARE(closed.count(), 1);
    }

    void openAndCloseRules()
    {
        PtyPair pty;
        SerialController controller;
        QSignalSpy opened(&controller, &SerialController::Opened);
        QSignalSpy closed(&controller, &SerialController::Closed);

        QVERIFY(!controller.Close());
        QVERIFY(!controller.Open(QString(), 38400));
        QCOMPARE(controller.ErrorString(), QString("Unknown error"));
        QCOMPARE(opened.count() + closed.count(), 0);

        // A pseudo-terminal refuses DTR; the line opens all the same.
        QVERIFY(controller.Open(pty.slavePath(), 38400));
        QCOMPARE(opened.count(), 1);
        QVERIFY(controller.IsOpen());
        QVERIFY(!controller.IsFileOpen());
        QVERIFY(!controller.Open(pty.slavePath(), 38400));
        QTemporaryDir dir;
        QFile file(dir.filePath("x.log"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        QVERIFY(!controller.OpenFile(file.fileName()));
        QVERIFY(controller.IsOpen());

        QVERIFY(controller.Close());
        QCOMPARE(closed.count(), 1);
        QVERIFY(!controller.IsOpen());
        // The port can be opened again.
        QVERIFY(controller.Open(pty.slavePath(), 38400));
        QVERIFY(controller.Close());
    }

    void failedOpenTellsTheReason()
    {
        SerialController controller;
        QVERIFY(!controller.Open("/dev/vandrel-no-such-port", 38400));
        QVERIFY2(controller.ErrorString().contains("No such file or directory"),
                 qPrintable(controller.ErrorString()));

        // A port held by another controller is refused with its reason.
        PtyPair pty;
        SerialController holder;
        QVERIFY(holder.Open(pty.slavePath(), 38400));
        QVERIFY(!controller.Open(pty.slavePath(), 38400));
        QVERIFY(controller.ErrorString() != "Unknown error");
        QVERIFY(!controller.ErrorString().isEmpty());

        // A successful open forgets the old reason.
        QVERIFY(holder.Close());
        QVERIFY(controller.Open(pty.slavePath(), 38400));
        QVERIFY(controller.Close());
        QCOMPARE(controller.ErrorString(), QString("Unknown error"));
    }

    void deadLineRaisesSendErrorOnce()
    {
        PtyPair pty;
        SerialController controller;
        QSignalSpy sendError(&controller, &SerialController::SendError);
        QSignalSpy sent(&controller, &SerialController::Sent);
        QSignalSpy closed(&controller, &SerialController::Closed);
        QVERIFY(controller.Open(pty.slavePath(), 38400));
        controller.OnSend("$UPAIQ,AID*2B\r\n");
        QVERIFY(pty.readUntil("\n", 1000).endsWith("\n"));
        QCOMPARE(sendError.count(), 0);
        QCOMPARE(sent.count(), 1);

        // The far end goes away while a sentence is on its way.
        pty.closeSlave();
        pty.closeMaster();
        controller.OnSend("$UPAIQ,ACF*3E\r\n");
        QVERIFY(WaitForCount(sendError, 1, 1000));
        QVERIFY2(controller.ErrorString() == "The serial device has hung up",
                 qPrintable(controller.ErrorString()));

        // The vanished device does not keep the thread busy.
        const std::clock_t cpuBefore = std::clock();
        QTest::qWait(300);
        const double cpuMs = double(std::clock() - cpuBefore) * 1000.0 / CLOCKS_PER_SEC;
        QVERIFY2(cpuMs < 150, QByteArray::number(cpuMs).constData());

        // Later writes fail too; the failure is reported once, not per attempt,
        // and none of them counts as sent.
        for (int i = 0; i < 3; ++i)
            controller.OnSend("$UPAIQ,ACE*3D\r\n");
        QTest::qWait(50);
        QCOMPARE(sendError.count(), 1);
        QCOMPARE(sent.count(), 2);
        // The owner still decides when the line closes.
        QVERIFY(controller.IsOpen());
        QCOMPARE(closed.count(), 0);
        QVERIFY(controller.Close());
        QCOMPARE(closed.count(), 1);
    }

    void writeAfterHangUpRaisesSendError()
    {
        PtyPair pty;
        SerialController controller;
        QSignalSpy sendError(&controller, &SerialController::SendError);
        QSignalSpy sent(&controller, &SerialController::Sent);
        QVERIFY(controller.Open(pty.slavePath(), 38400));
        pty.closeSlave();
        pty.closeMaster();
        QTest::qWait(100);
        QCOMPARE(sendError.count(), 0);
        controller.OnSend("$UPAIQ,AID*2B\r\n");
        QCOMPARE(sendError.count(), 1);
        QCOMPARE(sent.count(), 0);
    }

    void unendedInputIsPassedOnInBoundedParts()
    {
        PtyPair pty;
        SerialController controller;
        QSignalSpy received(&controller, &SerialController::Received);
        QVERIFY(controller.Open(pty.slavePath(), 38400));

        QByteArray junk(10000, 'x');
        for (int i = 0; i < junk.size(); i += 97)
            junk[i] = 'y';
        QVERIFY(pty.write(junk));
        pty.readFor(300);
        QVERIFY(pty.write("\n$GPTXT,after*00\r\n"));
        QVERIFY(WaitForCount(received, 4));
        pty.readFor(100);

        QString joined;
        for (const QString &line : Texts(received)) {
            QVERIFY2(line.size() <= SerialController::MaxLineLength + 1,
                     QByteArray::number(line.size()).constData());
            QVERIFY(line.endsWith('\n'));
            joined += line;
        }
        // Nothing was lost: the parts hold the whole input, in order, and the
        // sentence that follows stands on its own.
        QCOMPARE(Texts(received).last(), QString("$GPTXT,after*00\n"));
        joined.remove('\n');
        QCOMPARE(joined, QString::fromLatin1(junk) + "$GPTXT,after*00");
    }
};

QTEST_GUILESS_MAIN(TestSerialController)
#include "tst_serialcontroller.moc"
