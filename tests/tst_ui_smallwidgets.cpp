#include "uitestmain.h"

#include "lim/lanterninterfacetab.h"
#include "ui/aboutdialog.h"
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
    void dropdownAnnouncesEachOpening();
    void aboutDialog();
    void nullModelIsRefused();
};

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
