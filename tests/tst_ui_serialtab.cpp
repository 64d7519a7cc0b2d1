#include "app/vandrelapplication.h"
#include "sentences/parsedsentence.h"
#include "ui/serialdisplay.h"
#include "ui/serialtab.h"

#include "childwidget.h"
#include "support/tempsettings.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

class TstSerialTab : public QObject
{
    Q_OBJECT

private:
    static QString shown(SerialTab &tab)
    {
        return child<SerialDisplay>(tab, "textEditReceived")->Text();
    }
    static QString withChecksum(const QString &body)
    {
        return body + QLatin1Char('*') + ParsedSentence::Checksum(body);
    }

private slots:
    void filtersHideOnlyTheirSentences_data();
    void filtersHideOnlyTheirSentences();
    void presencePollAndSentLinesAreNotShown();
    void typedSentenceGetsItsChecksum();
    void invalidOrShellEscapeIsNotSent();
    void controlsFollowTheLink();
    void pauseBuffersWithinItsLimit();
    void displayStaysWithinItsBound();
    void piecesJoinIntoLines();
    void logButtonAsksAndShowsWhatItIsTold();
};

void TstSerialTab::filtersHideOnlyTheirSentences_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("line");
    QTest::addColumn<bool>("hidden");

    const QString rmc = withChecksum("$GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,,");
    const QString gnrmc =
        withChecksum("$GNRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,,");
    QTest::newRow("GPxxx hides GPRMC") << "filterGPXXXCheckBox" << rmc << true;
    QTest::newRow("GPxxx keeps GNRMC") << "filterGPXXXCheckBox" << gnrmc << false;
    QTest::newRow("xxVDO hides AIVDO")
        << "filterXXVDOCheckBox" << withChecksum("!AIVDO,1,1,,,B>eq`d@0,0") << true;
    QTest::newRow("xxVDO keeps AIVDM")
        << "filterXXVDOCheckBox" << withChecksum("!AIVDM,1,1,,,B>eq`d@0,0") << false;
    QTest::newRow("xxZDA hides GNZDA")
        << "filterXXZDACheckBox" << withChecksum("$GNZDA,201530.00,04,07,2002,00,00") << true;
    QTest::newRow("xxTXT hides AITXT")
        << "filterXXTXTCheckBox" << withChecksum("$AITXT,01,01,91,FREQUENCY") << true;
    QTest::newRow("xxTXT needs a checksum")
        << "filterXXTXTCheckBox" << QString("$AITXT,01,01,91,FREQUENCY") << false;
    QTest::newRow("xxTXT is case-sensitive")
        << "filterXXTXTCheckBox" << withChecksum("$AItxt,01,01,91,FREQUENCY") << false;
}

void TstSerialTab::filtersHideOnlyTheirSentences()
{
    QFETCH(QString, box);
    QFETCH(QString, line);
    QFETCH(bool, hidden);

    SerialTab tab;
    tab.OnOpened();
    const QString received = line + QLatin1Char('\n');

    tab.OnReceived(received);
    QCOMPARE(shown(tab), received);

    child<QCheckBox>(tab, qPrintable(box))->setChecked(true);
    QCOMPARE(tab.IsFiltered(received), hidden);
    tab.OnReceived(received);
    QCOMPARE(shown(tab), hidden ? received : received + received);
}

void TstSerialTab::presencePollAndSentLinesAreNotShown()
{
    QVERIFY(!VandrelApplication::instance()->GetShowTransmit());
    SerialTab tab;
    tab.OnOpened();
    tab.OnReceived(withChecksum("$PVKX,getserno,0,12345") + "\n");
    tab.OnSent("$PVKX,1,appver*00\r\n");
    tab.OnReceived("$PVKX,appver\n");
    QCOMPARE(shown(tab), QString("$PVKX,appver\n"));
}

void TstSerialTab::typedSentenceGetsItsChecksum()
{
    SerialTab tab;
    tab.OnOpened();
    QSignalSpy sent(&tab, &SerialTab::Send);
    auto *line = child<QLineEdit>(tab, "lineSend");

    // Without a checksum: "*", two upper-case digits and the line end added.
    line->setText("$PVKX,1,appver");
    tab.OnSend();
    QCOMPARE(sent.count(), 1);
    const QString first = sent.takeFirst().at(0).toString();
    QCOMPARE(first, withChecksum("$PVKX,1,appver") + "\r\n");
    QVERIFY(ParsedSentence(first).valid);
    QVERIFY(line->text().isEmpty());

    // With a correct checksum: unchanged apart from the line end.
    const QString complete = withChecksum("$UPAIQ,AID");
    line->setText(complete);
    tab.OnSend();
    QCOMPARE(sent.count(), 1);
    QCOMPARE(sent.takeFirst().at(0).toString(), complete + "\r\n");

    // Return in the line sends as well.
    QTest::keyClicks(line, "$PVKX,1,battvolts");
    QTest::keyClick(line, Qt::Key_Return);
    QCOMPARE(sent.count(), 1);
    QVERIFY(ParsedSentence(sent.takeFirst().at(0).toString()).valid);
}

void TstSerialTab::invalidOrShellEscapeIsNotSent()
{
    SerialTab tab;
    tab.OnOpened();
    QSignalSpy sent(&tab, &SerialTab::Send);
    auto *line = child<QLineEdit>(tab, "lineSend");
    auto *error = child<QLabel>(tab, "labelSendError");

    // 83 characters fail with and without the added checksum.
    const QString tooLong = "$PVKX," + QString(77, QLatin1Char('A'));
    line->setText(tooLong);
    tab.OnSend();
    QCOMPARE(sent.count(), 0);
    QCOMPARE(line->text(), tooLong);
    QVERIFY(!error->isHidden());
    QCOMPARE(error->text(), QString("The NMEA Sentence is invalid. It has not been sent."));
    QVERIFY(SerialTab::CompleteSentence(tooLong).isEmpty());

    // Editing clears the complaint.
    tab.OnSendEdited(line->text());
    QVERIFY(error->isHidden());

    // 82 characters with the checksum are still fine.
    const QString longest = "$PVKX," + QString(73, QLatin1Char('A'));
    QCOMPARE(SerialTab::CompleteSentence(longest).size(), 82 + 2);

    // The shell escape never reaches the unit (the tab is not shown, so no box).
    line->setText("+++");
    tab.OnSend();
    QCOMPARE(sent.count(), 0);
    QVERIFY(line->text().isEmpty());
}

void TstSerialTab::controlsFollowTheLink()
{
    SerialTab tab;
    auto *line = child<QLineEdit>(tab, "lineSend");
    auto *send = child<QToolButton>(tab, "toolButtonSend");
    auto *pause = child<QToolButton>(tab, "toolButtonPause");
    auto *log = child<QToolButton>(tab, "toolButtonSaveToLog");
    QVERIFY(!line->isEnabled() && !send->isEnabled() && !pause->isEnabled() && !log->isEnabled());
    QVERIFY(child<QLabel>(tab, "labelSendError")->isHidden());

    tab.OnOpened();
    QVERIFY(line->isEnabled() && pause->isEnabled() && log->isEnabled());
    QVERIFY(!send->isEnabled());
    QTest::keyClicks(line, "$");
    QVERIFY(send->isEnabled());

    tab.OnClosed();
    QVERIFY(!line->isEnabled() && !send->isEnabled() && !pause->isEnabled() && !log->isEnabled());
}

void TstSerialTab::pauseBuffersWithinItsLimit()
{
    SerialTab tab;
    tab.OnOpened();
    auto *pause = child<QToolButton>(tab, "toolButtonPause");
    child<QCheckBox>(tab, "filterGPXXXCheckBox")->setChecked(true);

    tab.OnReceived("before\n");
    pause->click();
    QVERIFY(pause->isChecked());

    // Buffered text is not filtered, the presence poll included.
    const QString rmc = withChecksum("$GPRMC,1,A") + "\n";
    tab.OnReceived(rmc);
    tab.OnReceived("$PVKX,getserno\n");
    QCOMPARE(shown(tab), QString("before\n"));

    // Fill past the limit: the line that starts below it is kept whole, the
    // ones after it are dropped.
    const QString block = QString(999, QLatin1Char('x')) + "\n";
    while (tab.PauseBufferSize() < SerialTab::PauseBufferLimit) {
        tab.OnReceived(block);
    }
    const int full = tab.PauseBufferSize();
    QVERIFY(full < SerialTab::PauseBufferLimit + block.size());
    tab.OnReceived("dropped\n");
    QCOMPARE(tab.PauseBufferSize(), full);

    pause->click();
    QVERIFY(!pause->isChecked());
    QCOMPARE(tab.PauseBufferSize(), 0);
    const QString text = shown(tab);
    QVERIFY(text.startsWith("before\n" + rmc + "$PVKX,getserno\n" + block));
    QVERIFY(text.endsWith(block));
    QVERIFY(!text.contains("dropped"));

    // Filters apply again once running.
    tab.OnReceived(rmc);
    QVERIFY(shown(tab).endsWith(block));
}

void TstSerialTab::displayStaysWithinItsBound()
{
    SerialTab tab;
    tab.resize(600, 400);
    tab.show();
    tab.OnOpened();
    auto *view = child<SerialDisplay>(tab, "textEditReceived");

    // 1.3 million characters in numbered lines of 80.
    const auto numbered = [](int i) {
        return QString::number(i).rightJustified(8, QLatin1Char('0')) +
               QString(71, QLatin1Char('.')) + "\n";
    };
    int last = 0;
    for (int i = 0; i < 1300000 / 80; ++i) {
        tab.OnReceived(numbered(i));
        last = i;
        QVERIFY2(view->CharacterCount() <= SerialTab::DisplayLimit,
                 qPrintable(QString::number(view->CharacterCount())));
    }
    const QString text = view->Text();
    // Trimmed by whole steps: never down to fewer than 900000 characters.
    QVERIFY(text.size() > SerialTab::DisplayLimit - SerialTab::DisplayTrimStep - 80);
    // The newest line is there and in view, and the display starts at a whole line.
    QVERIFY(text.endsWith(numbered(last)));
    QCOMPARE(view->Line(0).size(), 79);
    QCOMPARE(view->Line(0) + "\n", numbered(view->Line(0).left(8).toInt()));
    QVERIFY(view->verticalScrollBar()->maximum() > 0);
    QCOMPARE(view->verticalScrollBar()->value(), view->verticalScrollBar()->maximum());

    // Un-pausing onto a full display trims it too.
    auto *pause = child<QToolButton>(tab, "toolButtonPause");
    pause->click();
    for (int i = 0; i < 4000; ++i) {
        tab.OnReceived(QString(99, QLatin1Char('p')) + "\n");
    }
    pause->click();
    QVERIFY(view->CharacterCount() <= SerialTab::DisplayLimit);
    QVERIFY(view->Text().endsWith(QString(99, QLatin1Char('p')) + "\n"));
}

void TstSerialTab::piecesJoinIntoLines()
{
    // A prompt piece without a line end is shown at once and continued by
    // what follows.
    SerialTab tab;
    tab.OnOpened();
    auto *view = child<SerialDisplay>(tab, "textEditReceived");
    tab.OnReceived(">");
    QCOMPARE(view->LineCount(), 1);
    tab.OnReceived("$PVKX,255,appver,0,1.0*00\n");
    tab.OnReceived("next\n");
    QCOMPARE(view->LineCount(), 2);
    QCOMPARE(view->Line(0), QString(">$PVKX,255,appver,0,1.0*00"));
    QCOMPARE(view->Text(), QString(">$PVKX,255,appver,0,1.0*00\nnext\n"));
    QCOMPARE(view->CharacterCount(), view->Text().size());
}

void TstSerialTab::logButtonAsksAndShowsWhatItIsTold()
{
    SerialTab tab;
    tab.OnOpened();
    auto *log = child<QToolButton>(tab, "toolButtonSaveToLog");
    QSignalSpy save(&tab, &SerialTab::Save);

    log->click();
    QCOMPARE(save.count(), 1);
    QCOMPARE(save.takeFirst().at(0).toBool(), false); // start a log
    QCOMPARE(log->text(), QString("Log To File"));

    tab.SetLogging(true);
    QCOMPARE(log->text(), QString("Stop Log"));

    log->click();
    QCOMPARE(save.takeFirst().at(0).toBool(), true); // stop it
    tab.SetLogging(false);
    QCOMPARE(log->text(), QString("Log To File"));
    QVERIFY(!log->isChecked());
}

int main(int argc, char **argv)
{
    TempSettings settings;
    VandrelApplication app(argc, argv);
    TstSerialTab test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_ui_serialtab.moc"
