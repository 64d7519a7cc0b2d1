#include "uitestmain.h"

#include "ui/qcomboboxdropdown.h"

#include <QAbstractItemView>

class TestSmallWidgets : public QObject
{
    Q_OBJECT

private slots:
    void dropdownAnnouncesEachOpening();
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

VANDREL_UI_TEST_MAIN(TestSmallWidgets)
#include "tst_ui_smallwidgets.moc"
