#include "lim/limsetparam.h"
#include "model/model.h"
#include "support/testchecksum.h"

#include <QtTest>

class TestLimSetParam : public QObject
{
    Q_OBJECT

private slots:
    void sentences();
};

void TestLimSetParam::sentences()
{
    Model model;
    LanternInterface *lim = model.GetLanternInterface();
    const QList<QPair<QString, int>> rows = {
        {"limen", 0},      {"limvmin", 10500}, {"limvmax", 24000}, {"limton", 500},
        {"limtoff", 1500}, {"limion", -3},     {"limigain", 1},    {"limpthresh", 247}};
    for (int i = 0; i < rows.size(); ++i)
        QVERIFY(lim->SetParameterValue(LanternInterface::ParameterIndex(rows[i].first),
                                       rows[i].second));
    for (int i = 0; i < rows.size(); ++i) {
        const QString body = QString("$PVKX,0,3,0xD4716B5E,1,nvseti \"%1\"^2C%2^2C0^2C0^2C1,%3")
                                 .arg(rows[i].first)
                                 .arg(rows[i].second)
                                 .arg(14 + i);
        QCOMPARE(LimSetParam(rows[i].first, 14 + i, &model).Sentence(), TestChecksum::Line(body));
    }
    // The value is read when the sentence is built, not when the object is made.
    const LimSetParam enable("limen", 14, &model);
    lim->SetLimen(true);
    QVERIFY(enable.Sentence().contains("\"limen\"^2C1^2C0"));
}

QTEST_GUILESS_MAIN(TestLimSetParam)
#include "tst_limsetparam.moc"
