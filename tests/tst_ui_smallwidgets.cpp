#include "uitestmain.h"

#include "lim/lanterninterfacetab.h"
#include "ui/aboutdialog.h"
#include "ui/aisvalidator.h"
#include "ui/qcomboboxdropdown.h"
#include "ui/realatontab.h"

#include <QAbstractItemView>
#include <QLabel>
#include <QPushButton>
#include <new>

class TestSmallWidgets : public QObject
{
    Q_OBJECT

private slots:
    void validator_data();
    void validator();
    void dropdownAnnouncesEachOpening();
    void aboutDialog();
    void nullModelIsRefused();
};

void TestSmallWidgets::validator_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<int>("state");
    QTest::addColumn<QString>("fixed");

    // Lengths and capitals through the name field: tst_ui_realatontab.
    const int ok = QValidator::Acceptable, bad = QValidator::Invalid;
    const QString reserved = QStringLiteral("$*,!\\^$*,!\\^");
    QTest::newRow("six-bit set edges") << QStringLiteral(" !0?@Z_") << ok << " !0?@Z_";
    // Each reserved character travels as three: 52 encoded characters at most.
    QTest::newRow("reserved set: 53")
        << reserved + QString(17, 'A') << bad << reserved + QString(17, 'A');
    QTest::newRow("lower case while typing") << "abc" << int(QValidator::Intermediate) << "ABC";
    QTest::newRow("lower case over the limit") << QString(35, 'a') << bad << QString(34, 'A');
    QTest::newRow("brace after lower case") << "ab{" << bad << "AB{";
    QTest::newRow("backquote") << "`" << bad << "`";
}

void TestSmallWidgets::validator()
{
    QFETCH(QString, input);
    QFETCH(int, state);
    QFETCH(QString, fixed);

    AisValidator validator(34, 52);
    int position = 0;
    QCOMPARE(int(validator.validate(input, position)), state);
    validator.fixup(input);
    QCOMPARE(input, fixed);
}

void TestSmallWidgets::dropdownAnnouncesEachOpening()
{
    QComboBoxDropdown combo;
    combo.addItem(QStringLiteral("ttyUSB0"));
    combo.show();
    QVERIFY(QTest::qWaitForWindowExposed(&combo));
    int announced = 0;
    bool listShownWhenAnnounced = true;
    connect(&combo, &QComboBoxDropdown::Dropdown, this, [&]() {
        ++announced;
        listShownWhenAnnounced = combo.view()->isVisible();
        // The owner may refill the list here, before it is drawn.
        combo.addItem(QStringLiteral("ttyUSB%1").arg(combo.count()));
    });

    QTest::mouseClick(&combo, Qt::LeftButton);
    QTRY_VERIFY(combo.view()->isVisible());
    QCOMPARE(announced, 1);
    QVERIFY(!listShownWhenAnnounced);
    QCOMPARE(combo.count(), 2);
    combo.hidePopup();
    combo.showPopup();
    QCOMPARE(announced, 2);
    combo.hidePopup();
}

void TestSmallWidgets::aboutDialog()
{
    AboutDialog dialog;
    QCOMPARE(dialog.windowTitle(), "About " + QApplication::applicationName());
    QVERIFY(!dialog.findChild<QLabel *>(QStringLiteral("labelIcon"))
                 ->pixmap(Qt::ReturnByValue)
                 .isNull());
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QTest::mouseClick(dialog.findChild<QPushButton *>(QStringLiteral("pushOK")), Qt::LeftButton);
    QTRY_VERIFY(!dialog.isVisible());
}

void TestSmallWidgets::nullModelIsRefused()
{
    QVERIFY_EXCEPTION_THROWN(RealAtoNTab tab(nullptr), std::bad_alloc);
    QVERIFY_EXCEPTION_THROWN(LanternInterfaceTab tab(nullptr), std::bad_alloc);
}

VANDREL_UI_TEST_MAIN(TestSmallWidgets)
#include "tst_ui_smallwidgets.moc"
