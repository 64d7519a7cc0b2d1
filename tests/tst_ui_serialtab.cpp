#include "app/unitsession.h"
#include "link/serialtransport.h"
#include "sentences/parsedsentence.h"
#include "ui/mainwindow.h"
#include "ui/serialdisplay.h"
#include "ui/serialtab.h"

#include "support/simprocess.h"
#include "uitestmain.h"

#include <QCheckBox>
#include <QClipboard>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QScrollBar>
#include <QTabWidget>
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
    static void showActive(QWidget &widget)
    {
        widget.resize(700, 400);
        widget.show();
        widget.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&widget));
    }

private slots:
    void filtersHideOnlyTheirSentences_data();
    void filtersHideOnlyTheirSentences();
    void sendLineCompletesOrRefuses();
    void pastedBlockGoesLineByLine();
    void pauseHoldsLinesForTheFilters();
    void selectAndCopyPartOfTheDisplay();
    void displayStaysWithinItsBound();
    void displayPaintsLinesAsTheyCome();
    void plainTextLooksAsLaidOutText();
};

void TstSerialTab::filtersHideOnlyTheirSentences_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("line");
    QTest::addColumn<bool>("hidden");
    const auto row = [](const char *name, const char *box, const QString &line, bool hidden) {
        QTest::newRow(name) << QString(box) << line << hidden;
    };
    const QString txt = "$AITXT,01,01,91,FREQUENCY";
    row("GPxxx hides GPRMC", "GPXXX", withChecksum("$GPRMC,123519,A,4807.038,N"), true);
    row("GPxxx keeps GNRMC", "GPXXX", withChecksum("$GNRMC,123519,A,4807.038,N"), false);
    row("xxVDO hides AIVDO", "XXVDO", withChecksum("!AIVDO,1,1,,,B>eq`d@0,0"), true);
    row("xxZDA hides GNZDA", "XXZDA", withChecksum("$GNZDA,201530.00,04,07,2002"), true);
    row("xxTXT hides AITXT", "XXTXT", withChecksum(txt), true);
    row("xxTXT needs a checksum", "XXTXT", txt, false);
    // The presence poll is hidden with no box checked.
    row("getserno always hidden", "", withChecksum("$PVKX,getserno,0,12345"), true);
}

void TstSerialTab::filtersHideOnlyTheirSentences()
{
    QFETCH(QString, box);
    QFETCH(QString, line);
    QFETCH(bool, hidden);

    SerialTab tab;
    tab.OnOpened();
    const QString received = line + QLatin1Char('\n');
    QString before;
    if (!box.isEmpty()) {
        tab.OnReceived(received);
        before = received;
        QCOMPARE(shown(tab), before);
        child<QCheckBox>(tab, qPrintable("filter" + box + "CheckBox"))->setChecked(true);
    }
    tab.OnReceived(received);
    QCOMPARE(shown(tab), hidden ? before : before + received);
}

void TstSerialTab::sendLineCompletesOrRefuses()
{
    SerialTab tab;
    showActive(tab);
    QSignalSpy sent(&tab, &SerialTab::Send);
    auto *line = child<QLineEdit>(tab, "lineSend");
    auto *send = child<QToolButton>(tab, "toolButtonSend");
    auto *error = child<QLabel>(tab, "labelSendError");
    QVERIFY(!line->isEnabled() && !send->isEnabled() && error->isHidden());
    tab.OnOpened();
    QVERIFY(line->isEnabled() && !send->isEnabled());

    // Leaving the field with a line typed sends nothing.
    line->setFocus();
    QTest::keyClicks(line, "$PVKX,1,appver");
    QTest::mouseClick(child<QCheckBox>(tab, "filterXXTXTCheckBox"), Qt::LeftButton);
    QVERIFY(!line->hasFocus());
    QCOMPARE(sent.count(), 0);

    // Without a checksum "*", two upper-case digits and the line end are
    // added; with a correct one only the line end.  Return sends as well.
    // A wrong checksum is refused, naming the right one.  Typed lines show
    // as sent, marked, once "Show sent" asks for them.
    QVERIFY(send->isEnabled());
    send->click();
    QVERIFY(line->text().isEmpty());
    child<QCheckBox>(tab, "checkBoxShowSent")->setChecked(true);
    const QString complete = withChecksum("$UPAIQ,AID");
    QTest::keyClicks(line, complete);
    QTest::keyClick(line, Qt::Key_Return);
    QCOMPARE(sent.count(), 2);
    QCOMPARE(sent.at(0).at(0).toString(), withChecksum("$PVKX,1,appver") + "\r\n");
    QCOMPARE(sent.at(1).at(0).toString(), complete + "\r\n");
    QCOMPARE(shown(tab), SerialTab::SentMark() + complete + "\n");
    QTest::keyClicks(line, "$GPXXX,1,2,3*00");
    QTest::keyClick(line, Qt::Key_Return);
    QCOMPARE(sent.count(), 2);
    QCOMPARE(error->text(), QString("The checksum *00 does not match the sentence (*%1 would). "
                                    "It has not been sent.")
                                .arg(ParsedSentence::Checksum("$GPXXX,1,2,3")));
    QCOMPARE(line->text(), QString("$GPXXX,1,2,3*00"));
    line->clear();
    child<QCheckBox>(tab, "checkBoxShowSent")->setChecked(false);

    // 83 characters fail with and without the added checksum: nothing is sent
    // and the line stays for correction; editing clears the complaint.
    const QString tooLong = "$PVKX," + QString(77, QLatin1Char('A'));
    QTest::keyClicks(line, tooLong);
    send->click();
    QCOMPARE(line->text(), tooLong);
    QVERIFY(!error->isHidden());
    QTest::keyClick(line, Qt::Key_Backspace);
    QVERIFY(error->isHidden());
    // 82 characters with the checksum are still fine.
    QCOMPARE(SerialTab::CompleteSentence("$PVKX," + QString(73, QLatin1Char('A'))).size(), 82 + 2);

    // The link's end takes a complaint away with the line.
    send->click();
    QVERIFY(!error->isHidden());
    tab.OnClosed();
    QVERIFY(!line->isEnabled() && !send->isEnabled() && error->isHidden());
}

// A pasted block reaches the unit line by line, each with its own checksum
// and shown so; a block with one line refused sends none of them.
void TstSerialTab::pastedBlockGoesLineByLine()
{
    SimProcess unit({"--fast", "--quiet"});
    QVERIFY(!unit.port.isEmpty());
    qputenv("VANDREL_PORTS", unit.port.toLocal8Bit());
    App()->SetPortName(unit.port);
    MainWindow window;
    App()->SetMainWindow(&window);
    showActive(window);
    const auto key = [](Qt::Key k, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), k, modifiers);
    };
    key(Qt::Key_K, Qt::ControlModifier);
    QTRY_VERIFY_WITH_TIMEOUT(App()->GetTransport() && App()->GetTransport()->IsConnected(), 10000);
    // Lines typed while the link still asks who the unit is would race its
    // questions; an engineer sees the unit named first.
    QTRY_COMPARE_WITH_TIMEOUT(App()->Session()->Identity().mmsi, QString("992351234"), 15000);
    auto *line = child<QLineEdit>(window, "lineSend");
    auto *pages = child<QTabWidget>(window, "tabWidget");
    while (pages->currentWidget() != child<SerialTab>(window, "tabSerialData"))
        key(Qt::Key_PageDown, Qt::ControlModifier);
    auto *showSent = child<QCheckBox>(window, "checkBoxShowSent");
    if (!showSent->isChecked())
        QTest::mouseClick(showSent, Qt::LeftButton);
    auto *display = child<SerialDisplay>(window, "textEditReceived");
    const auto paste = [&](const QString &text) {
        line->setFocus();
        QApplication::clipboard()->setText(text);
        key(Qt::Key_A, Qt::ControlModifier);
        key(Qt::Key_V, Qt::ControlModifier);
        key(Qt::Key_Return);
    };
    const auto mmsi = [&unit] { return unit.State()["mmsi"].toString(); };

    // The second line is addressed to the MMSI the first gives.
    const QString first = "$UPAID,992351234,1,992350001,R,C";
    const QString second = "$UPAID,992350001,1,992350002,R,C";
    paste(first + "\r\n\n" + second + "\n");
    QTRY_COMPARE_WITH_TIMEOUT(mmsi(), QString("992350002"), 10000);
    QVERIFY(line->text().isEmpty());
    QVERIFY(display->Text().contains(SerialTab::SentMark() + withChecksum(first) + "\n" +
                                     SerialTab::SentMark() + withChecksum(second) + "\n"));

    // Had the first line of a refused block gone, the next line would be
    // addressed to an MMSI the unit no longer holds.
    paste("$UPAID,992350002,1,992350003,R,C\n$GPXXX,1*00");
    QCOMPARE(child<QLabel>(window, "labelSendError")->text(),
             QString("Line 2 of 2: The checksum *00 does not match the sentence (*%1 would). "
                     "None of the lines has been sent.")
                 .arg(ParsedSentence::Checksum("$GPXXX,1")));
    QVERIFY(line->text().startsWith("$UPAID"));
    paste("$UPAID,992350002,1,992350004,R,C");
    QTRY_COMPARE_WITH_TIMEOUT(mmsi(), QString("992350004"), 10000);
    // The choice is kept in the settings, which the other cases share.
    QTest::mouseClick(showSent, Qt::LeftButton);
    App()->SetMainWindow(nullptr);
}

void TstSerialTab::pauseHoldsLinesForTheFilters()
{
    SerialTab tab;
    showActive(tab);
    tab.OnOpened();
    auto *pause = child<QToolButton>(tab, "toolButtonPause");
    auto *showSent = child<QCheckBox>(tab, "checkBoxShowSent");
    child<QCheckBox>(tab, "filterGPXXXCheckBox")->setChecked(true);

    // Sent lines show only while the box (and so the setting) asks for them.
    QVERIFY(!showSent->isChecked());
    tab.OnSent("$PVKX,1,appver*00\r\n");
    QTest::mouseClick(showSent, Qt::LeftButton);
    QVERIFY(App()->GetShowTransmit());
    tab.OnSent("$PVKX,0,0,0x6E2D9A41,2,getserno,3*37\r\n");
    tab.OnSent("$PVKX,2,appver*00\r\n");
    tab.OnReceived("before\n");
    const QString sent2 = SerialTab::SentMark() + "$PVKX,2,appver*00\n";
    QCOMPARE(shown(tab), sent2 + "before\n");

    // While paused the button counts the lines held that will be shown (not
    // the filtered, nor the presence poll); on resume they pass the filters
    // as they stand then.
    pause->click();
    const QString rmc = withChecksum("$GPRMC,1,A") + "\n";
    tab.OnReceived(rmc);
    tab.OnReceived("$PVKX,getserno\n");
    tab.OnSent("$PVKX,3,appver*00\r\n");
    tab.OnReceived("held\n");
    QTRY_COMPARE(pause->text(), QString("Resume (lines held: 2)"));
    child<QCheckBox>(tab, "filterGPXXXCheckBox")->setChecked(false);
    QCOMPARE(pause->text(), QString("Resume (lines held: 3)"));
    child<QCheckBox>(tab, "filterGPXXXCheckBox")->setChecked(true);
    QCOMPARE(shown(tab), sent2 + "before\n");
    pause->click();
    QCOMPARE(pause->text(), QString("Pause"));
    const QString before = sent2 + "before\n" + SerialTab::SentMark() + "$PVKX,3,appver*00\nheld\n";
    QCOMPARE(shown(tab), before);

    // Past the limit, the line that starts below it is kept whole, later ones
    // are dropped, and the button says so.
    QTest::mouseClick(showSent, Qt::LeftButton);
    QVERIFY(!App()->GetShowTransmit());
    pause->click();
    tab.OnSent("$PVKX,4,appver*00\r\n");
    const QString block = QString(999, QLatin1Char('x')) + "\n";
    while (tab.PauseBufferSize() < SerialTab::PauseBufferLimit)
        tab.OnReceived(block);
    const int full = tab.PauseBufferSize();
    QVERIFY(full < SerialTab::PauseBufferLimit + block.size());
    tab.OnReceived("dropped\n");
    QCOMPARE(tab.PauseBufferSize(), full);
    QTRY_VERIFY(pause->text().endsWith(", more dropped)"));
    pause->click();
    QCOMPARE(tab.PauseBufferSize(), 0);
    const QString text = shown(tab);
    QVERIFY(text.startsWith(before + block));
    QVERIFY(text.endsWith(block));
    QVERIFY(!text.contains("dropped") && !text.contains("$PVKX,4"));
}

void TstSerialTab::selectAndCopyPartOfTheDisplay()
{
    SerialTab tab;
    showActive(tab);
    tab.OnOpened();
    auto *view = child<SerialDisplay>(tab, "textEditReceived");
    tab.OnReceived("alpha\nbravo\ncharlie\n");
    QClipboard *clipboard = QApplication::clipboard();
    const int height = view->fontMetrics().lineSpacing();
    const auto row = [height](int line) { return QPoint(1, 4 + height * line + height / 2); };

    // Dragging from the start of the first line to the start of the third
    // takes two whole lines.
    QTest::mousePress(view->viewport(), Qt::LeftButton, Qt::NoModifier, row(0));
    const QPoint at = row(2);
    QMouseEvent drag(QEvent::MouseMove, at, view->viewport()->mapToGlobal(at), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view->viewport(), &drag);
    QTest::mouseRelease(view->viewport(), Qt::LeftButton, Qt::NoModifier, row(2));
    QVERIFY(view->hasFocus());
    QTest::keyClick(view, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(clipboard->text(), QString("alpha\nbravo\n"));

    // The keys move and select a character or a line at a time; text that
    // arrives meanwhile leaves the selection where it is.
    QTest::keyClick(view, Qt::Key_Home, Qt::ControlModifier);
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(view, Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyClick(view, Qt::Key_Down, Qt::ShiftModifier);
    tab.OnReceived("delta\n");
    QTest::keyClick(view, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(clipboard->text(), QString("alpha\nbra"));

    // A double click takes its line; Ctrl+A everything.
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, row(2));
    QCOMPARE(view->SelectedText(), QString("charlie\n"));
    QTest::keyClick(view, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(view, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(clipboard->text(), view->Text());
}

void TstSerialTab::displayStaysWithinItsBound()
{
    SerialTab tab;
    tab.resize(600, 400);
    tab.show();
    tab.OnOpened();
    auto *view = child<SerialDisplay>(tab, "textEditReceived");

    // A prompt piece without a line end is shown at once and continued by
    // what follows.
    tab.OnReceived(">");
    QCOMPARE(view->LineCount(), 1);
    tab.OnReceived("$PVKX,255,appver*00\nnext\n");
    QCOMPARE(view->Text(), QString(">$PVKX,255,appver*00\nnext\n"));
    QCOMPARE(view->CharacterCount(), view->Text().size());
    // The next link's lines are marked off from these.
    tab.OnClosed();
    tab.OnOpened();
    QVERIFY(view->Line(2).startsWith("------ new link, "));

    // A selection on text that is trimmed away goes with it.
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(1, 6));
    QVERIFY(view->HasSelection());

    // 1.3 million characters in numbered lines of 80, bounded at every step.
    const auto numbered = [](int i) {
        return QString::number(i).rightJustified(8, QLatin1Char('0')) +
               QString(71, QLatin1Char('.')) + "\n";
    };
    const int last = 1300000 / 80;
    for (int i = 0; i <= last; ++i) {
        tab.OnReceived(numbered(i));
        QVERIFY2(view->CharacterCount() <= SerialTab::DisplayLimit,
                 qPrintable(QString::number(view->CharacterCount())));
    }
    const QString text = view->Text();
    // Trimmed by whole steps: never down to fewer than 900000 characters.
    QVERIFY(text.size() > SerialTab::DisplayLimit - SerialTab::DisplayTrimStep - 80);
    // The newest line is there and in view, and the display starts at a whole line.
    QVERIFY(text.endsWith(numbered(last)));
    QCOMPARE(view->Line(0) + "\n", numbered(view->Line(0).left(8).toInt()));
    QTRY_VERIFY(view->verticalScrollBar()->maximum() > 0);
    QCOMPARE(view->verticalScrollBar()->value(), view->verticalScrollBar()->maximum());
    QVERIFY(!view->HasSelection());

    // Scrolled back, the view keeps its text in place while more arrives and
    // old text is trimmed.
    QTest::keyClick(view, Qt::Key_End, Qt::ControlModifier);
    QTest::keyClick(view, Qt::Key_PageUp);
    QTest::keyClick(view, Qt::Key_PageUp);
    const int top = view->verticalScrollBar()->value();
    const QString seen = view->Line(top);
    for (int i = 0; i < 2000; ++i)
        tab.OnReceived(numbered(last + 1 + i));
    QTRY_VERIFY(view->verticalScrollBar()->value() < top);
    QCOMPARE(view->Line(view->verticalScrollBar()->value()), seen);
}

// Text that comes line by line is painted a few times a second, not once a
// line, its scroll bar with it, and nothing while hidden; a line painted
// before it was continued shows in whole.
void TstSerialTab::displayPaintsLinesAsTheyCome()
{
    SerialDisplay growing;
    SerialDisplay whole;
    for (SerialDisplay *view : {&growing, &whole}) {
        view->resize(400, 120);
        view->show();
        QVERIFY(QTest::qWaitForWindowExposed(view));
    }
    class PaintCounter : public QObject
    {
    public:
        bool eventFilter(QObject *, QEvent *event) override
        {
            paints += event->type() == QEvent::Paint;
            return false;
        }
        int paints = 0;
    } text, bar;
    growing.viewport()->installEventFilter(&text);
    QScrollBar *scrollBar = growing.verticalScrollBar();
    scrollBar->installEventFilter(&bar);

    QString sent;
    const auto send = [&](int lines) {
        for (int i = 0; i < lines; ++i) {
            for (const QString &piece : {QStringLiteral(">"), QStringLiteral("$PVKX,%1").arg(i),
                                         QStringLiteral(",appver*00\n")}) {
                growing.Append(piece);
                sent += piece;
                QCoreApplication::processEvents();
            }
        }
    };
    QElapsedTimer clock;
    clock.start();
    send(30);
    // A loaded machine may take a while over the 90 pieces.
    const int allowed = 2 + int(clock.elapsed() / SerialDisplay::RepaintIntervalMs);
    QTRY_VERIFY(text.paints > 0 && scrollBar->maximum() > 0);
    for (const int paints : {text.paints, bar.paints})
        QVERIFY2(paints <= allowed, qPrintable(QStringLiteral("%1 > %2").arg(paints).arg(allowed)));

    // Hidden, the text is kept but neither it nor its scroll bar is drawn
    // or set; shown again, it is at the end.
    growing.hide();
    const int range = scrollBar->maximum();
    text.paints = bar.paints = 0;
    send(30);
    QTest::qWait(3 * SerialDisplay::RepaintIntervalMs);
    QCOMPARE(scrollBar->maximum(), range);
    QCOMPARE(text.paints + bar.paints, 0);
    growing.show();
    QVERIFY(QTest::qWaitForWindowExposed(&growing));
    QCOMPARE(scrollBar->maximum(), range + 30);
    QCOMPARE(scrollBar->value(), scrollBar->maximum());

    growing.Append(">");
    growing.grab();
    growing.Append("$PVKX,last*00");
    whole.Append(sent + ">$PVKX,last*00");
    QTRY_COMPARE(growing.grab().toImage(), whole.grab().toImage());

    // Following the text, the lines in view are moved up on the screen and
    // only what came is painted: the screen shows what a fresh paint shows,
    // the line that was open when last painted included.
    for (int step = 0; step < 6; ++step) {
        const QString more =
            QStringLiteral(",%1*00\n$PVKX,more%1").arg(step).repeated(step % 3 + 1);
        growing.Append(more);
        whole.Append(more);
        QTest::qWait(2 * SerialDisplay::RepaintIntervalMs);
    }
    const auto onScreen = [&growing] {
        return growing.screen()
            ->grabWindow(growing.winId())
            .toImage()
            .convertToFormat(QImage::Format_RGB32);
    };
    QTRY_COMPARE(onScreen(), whole.grab().toImage().convertToFormat(QImage::Format_RGB32));
}

// Lines of printable ASCII are drawn from the font's glyphs without being laid
// out; they look exactly as the same text laid out does, which it is for a
// character past the right edge.
void TstSerialTab::plainTextLooksAsLaidOutText()
{
    QFont fixed(QStringLiteral("Courier New"));
    fixed.setStyleHint(QFont::TypeWriter);
    fixed.setPixelSize(12);
    QVERIFY(QFontInfo(fixed).fixedPitch());
    const QString line = QStringLiteral("$GPGLL,5047.4512,N,00106.2275,W,120558.32,A,A*70 ~{|}`");
    SerialDisplay plain;
    SerialDisplay laidOut;
    for (SerialDisplay *view : {&plain, &laidOut}) {
        view->setFont(fixed);
        view->resize(QFontMetrics(fixed).horizontalAdvance(line) / 2, 80);
        view->show();
        QVERIFY(QTest::qWaitForWindowExposed(view));
    }
    const QString far = QString(line.size(), QLatin1Char(' ')) + QChar(0xE9);
    plain.Append(line + "\n" + line + "\n");
    laidOut.Append(line + far + "\n" + line + far + "\n");
    QTRY_COMPARE(plain.viewport()->grab().toImage(), laidOut.viewport()->grab().toImage());
    // Scrolled to the right, the same holds.
    for (SerialDisplay *view : {&plain, &laidOut})
        view->horizontalScrollBar()->setValue(QFontMetrics(fixed).horizontalAdvance("$GPGLL,"));
    QCOMPARE(plain.viewport()->grab().toImage(), laidOut.viewport()->grab().toImage());
}

VANDREL_UI_TEST_MAIN(TstSerialTab)
#include "tst_ui_serialtab.moc"
