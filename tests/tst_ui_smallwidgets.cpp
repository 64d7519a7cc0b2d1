#include "uitestmain.h"

#include "lim/lanterninterfacetab.h"
#include "ui/aboutdialog.h"
#include "ui/aisvalidator.h"
#include "ui/qcomboboxdropdown.h"
#include "ui/realatontab.h"

#include <QAbstractItemView>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <new>

class TestSmallWidgets : public QObject
{
    Q_OBJECT

private slots:
    void validatorStates_data();
    void validatorStates();
    void validatorFixup();
    void dropdownAnnouncesEachOpening();
    void aboutDialog();
    void nullModelIsRefused();
};

void TestSmallWidgets::validatorStates_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<int>("state");

    QTest::newRow("empty") << QString() << int(QValidator::Acceptable);
    QTest::newRow("34 capitals") << QString(34, 'A') << int(QValidator::Acceptable);
    QTest::newRow("35 capitals") << QString(35, 'A') << int(QValidator::Invalid);
    QTest::newRow("whole six-bit set")
        << QStringLiteral(" !\"#$%&'()*+,-./0123456789:;<=>?") << int(QValidator::Acceptable);
    QTest::newRow("18 commas encode to 54") << QString(18, ',') << int(QValidator::Invalid);
    QTest::newRow("17 commas and a letter encode to 52")
        << QString(17, ',') + "A" << int(QValidator::Acceptable);
    QTest::newRow("17 commas and two letters encode to 53")
        << QString(17, ',') + "AB" << int(QValidator::Invalid);
    QTest::newRow("reserved characters encode to 52")
        << QStringLiteral("$*,!\\^$*,!\\^") + QString(16, 'A') << int(QValidator::Acceptable);
    QTest::newRow("reserved characters encode to 53")
        << QStringLiteral("$*,!\\^$*,!\\^") + QString(17, 'A') << int(QValidator::Invalid);
    QTest::newRow("lower case while typing")
        << QStringLiteral("abc") << int(QValidator::Intermediate);
    QTest::newRow("mixed case") << QStringLiteral("LIGHT no 5") << int(QValidator::Intermediate);
    QTest::newRow("brace") << QStringLiteral("AB{") << int(QValidator::Invalid);
    QTest::newRow("brace after lower case") << QStringLiteral("ab{") << int(QValidator::Invalid);
    QTest::newRow("accented letter") << QStringLiteral("CAF\u00c9") << int(QValidator::Invalid);
    QTest::newRow("tilde is outside the set") << QStringLiteral("A~B") << int(QValidator::Invalid);
    QTest::newRow("backquote is outside the set")
        << QStringLiteral("`") << int(QValidator::Invalid);
    QTest::newRow("lower case over the limit") << QString(35, 'a') << int(QValidator::Invalid);
    QTest::newRow("at sign and underscore") << QStringLiteral("@_") << int(QValidator::Acceptable);
}

void TestSmallWidgets::validatorStates()
{
    QFETCH(QString, input);
    QFETCH(int, state);

    AisValidator validator(34, 52);
    int position = 0;
    QCOMPARE(int(validator.validate(input, position)), state);
}

void TestSmallWidgets::validatorFixup()
{
    AisValidator validator(34, 52);
    QString text = QStringLiteral("abc");
    validator.fixup(text);
    QCOMPARE(text, QStringLiteral("ABC"));

    text = QString(40, 'x');
    validator.fixup(text);
    QCOMPARE(text, QString(34, 'X'));

    // The encoded limit is the validator's, not fixup's.
    text = QString(20, ',');
    validator.fixup(text);
    QCOMPARE(text, QString(20, ','));

    QCOMPARE(AisValidator::EncodedLength(QStringLiteral("A$*,!\\^~B")), 2 + 7 * 3);
}

void TestSmallWidgets::dropdownAnnouncesEachOpening()
{
    QWidget window;
    auto *combo = new QComboBoxDropdown(&window);
    combo->addItems({QStringLiteral("ttyUSB0"), QStringLiteral("ttyUSB1")});
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    int announced = 0;
    bool listShownWhenAnnounced = true;
    connect(combo, &QComboBoxDropdown::Dropdown, combo, [&]() {
        ++announced;
        listShownWhenAnnounced = combo->view()->isVisible();
        // The owner may refill the list here, before it is drawn.
        combo->addItem(QStringLiteral("ttyUSB%1").arg(combo->count()));
    });

    QTest::mouseClick(combo, Qt::LeftButton);
    QTRY_VERIFY(combo->view()->isVisible());
    QCOMPARE(announced, 1);
    QVERIFY(!listShownWhenAnnounced);
    QCOMPARE(combo->count(), 3);

    combo->hidePopup();
    QTRY_VERIFY(!combo->view()->isVisible());
    QCOMPARE(announced, 1);

    combo->showPopup();
    QCOMPARE(announced, 2);
    QCOMPARE(combo->count(), 4);
    combo->hidePopup();
}

void TestSmallWidgets::aboutDialog()
{
    AboutDialog dialog;
    QCOMPARE(dialog.windowTitle(), QStringLiteral("About ") + QApplication::applicationName());
    QCOMPARE(QApplication::applicationName(), QStringLiteral("Quorvel"));
    QVERIFY(!(dialog.windowFlags() & Qt::WindowContextHelpButtonHint));

    auto *product = dialog.findChild<QLabel *>(QStringLiteral("labelProduct"));
    auto *version = dialog.findChild<QLabel *>(QStringLiteral("labelVersion"));
    auto *licence = dialog.findChild<QLabel *>(QStringLiteral("labelLicence"));
    auto *icon = dialog.findChild<QLabel *>(QStringLiteral("labelIcon"));
    auto *group = dialog.findChild<QGroupBox *>(QStringLiteral("groupBox"));
    QVERIFY(product && version && licence && icon && group);
    QCOMPARE(product->text(), QStringLiteral("Quorvel"));
    QCOMPARE(version->text(), QApplication::applicationVersion());
    QVERIFY(version->text().startsWith(QStringLiteral("090300.03.00.05  (")));
    QVERIFY(licence->text().startsWith(
        QStringLiteral("This application has been developed with the QT Framework\n")));
    QVERIFY(licence->text().contains(QStringLiteral("Qwt")));
    QCOMPARE(group->title(), QStringLiteral("Licence"));
    QVERIFY(!icon->pixmap(Qt::ReturnByValue).isNull());
    QVERIFY(!dialog.windowIcon().isNull());

    auto *about = dialog.findChild<QPushButton *>(QStringLiteral("buttonAboutQT"));
    auto *ok = dialog.findChild<QPushButton *>(QStringLiteral("pushOK"));
    QVERIFY(about && ok);
    QCOMPARE(about->text(), QStringLiteral("About Qt..."));
    QCOMPARE(ok->text(), QStringLiteral("&OK"));

    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QTest::mouseClick(ok, Qt::LeftButton);
    QTRY_VERIFY(!dialog.isVisible());
}

void TestSmallWidgets::nullModelIsRefused()
{
    QVERIFY_EXCEPTION_THROWN(RealAtoNTab tab(nullptr), std::bad_alloc);
    QVERIFY_EXCEPTION_THROWN(LanternInterfaceTab tab(nullptr), std::bad_alloc);
}

VANDREL_UI_TEST_MAIN(TestSmallWidgets)
#include "tst_ui_smallwidgets.moc"
