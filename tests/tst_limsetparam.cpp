#include "lim/limsetparam.h"
#include "model/model.h"

#include <QtTest>

namespace {

// The test's own checksum: XOR of every byte after the start character.
QString Framed(const QString &body)
{
    int x = 0;
    for (char c : body.toLatin1().mid(1))
        x ^= uchar(c);
    return body + QString::asprintf("*%02X", x);
}

} // namespace

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
    lim->SetLimen(false);
    lim->SetLimvmin(10500);
    lim->SetLimvmax(24000);
    lim->SetLimton(500);
    lim->SetLimtoff(1500);
    lim->SetLimion(-3);
    lim->SetLimigain(true);
    lim->SetLimpthresh(247);

    const QString prefix = "$PVKX,0,3,0xD4716B5E,1,nvseti \"";
    const QList<QPair<QString, QString>> rows = {
        {"limen", "0"},      {"limvmin", "10500"}, {"limvmax", "24000"}, {"limton", "500"},
        {"limtoff", "1500"}, {"limion", "-3"},     {"limigain", "1"},    {"limpthresh", "247"},
    };
    int tag = 14;
    for (const auto &row : rows) {
        const LimSetParam set(row.first, tag, &model);
        const QString body =
            prefix + row.first + "\"^2C" + row.second + "^2C0^2C0^2C1," + QString::number(tag);
        QCOMPARE(set.Sentence(), Framed(body) + "\r\n");
        ++tag;
    }
    QCOMPARE(LimSetParam("limvmax", 16, &model).Sentence(),
             Framed("$PVKX,0,3,0xD4716B5E,1,nvseti \"limvmax\"^2C24000^2C0^2C0^2C1,16") + "\r\n");

    // The value is read when the sentence is built, not when the object is made.
    const LimSetParam enable("limen", 14, &model);
    lim->SetLimen(true);
    QVERIFY(enable.Sentence().contains("\"limen\"^2C1^2C0"));
}

QTEST_GUILESS_MAIN(TestLimSetParam)
#include "tst_limsetparam.moc"
