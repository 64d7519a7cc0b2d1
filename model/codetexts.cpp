#include "model/codetexts.h"

#include <QCoreApplication>

QString CodeTexts::TypeOfAtoN(int code)
{
    // Code 4 is not offered by the window and has no text.
    static const char *const texts[32] = {
        QT_TRANSLATE_NOOP("RealAtoNTab", " (0)  Default"),
        QT_TRANSLATE_NOOP("RealAtoNTab", " (1)  Reference Point"),
        QT_TRANSLATE_NOOP("RealAtoNTab", " (2)  Racon"),
        QT_TRANSLATE_NOOP("RealAtoNTab", " (3)  Fixed Structure - Off Shore"),
        nullptr,
        QT_TRANSLATE_NOOP("RealAtoNTab", " (5)  Light Without Sectors"),
        QT_TRANSLATE_NOOP("RealAtoNTab", " (6)  Light With Sectors"),
        QT_TRANSLATE_NOOP("RealAtoNTab", " (7)  Leading Light Front"),
        QT_TRANSLATE_NOOP("RealAtoNTab", " (8)  Leading Light Rear"),
        QT_TRANSLATE_NOOP("RealAtoNTab", " (9)  Beacon Cardinal N"),
        QT_TRANSLATE_NOOP("RealAtoNTab", "(10)  Beacon Cardinal E"),
        QT_TRANSLATE_NOOP("RealAtoNTab", "(11)  Beacon Cardinal S"),
        QT_TRANSLATE_NOOP("RealAtoNTab", "(12)  Beacon cardinal W"),
        QT_TRANSLATE_NOOP("RealAtoNTab", "(13)  Beacon Port Hand"),
        QT_TRANSLATE_NOOP("RealAtoNTab", "(14)  Beacon Starboard Hand"),
        QT_TRANSLATE_NOOP("RealAtoNTab", "(15)  Beacon Preferred Channel Port Hand"),
        QT_TRANSLATE_NOOP("RealAtoNTab", "(16)  Beacon Preferred Channel Starboard Hand"),
        QT_TRANSLATE_NOOP("RealAtoNTab", "(17)  Beacon Isolated Danger"),
        QT_TRANSLATE_NOOP("RealAtoNTab", "(18)  Beacon Safe Water"),
        QT_TRANSLATE_NOOP("RealAtoNTab", "(19)  Beacon Special Mark"),
        QT_TRANSLATE_NOOP("RealAtoNTab", "(20)  Cardinal Mark N"),
        QT_TRANSLATE_NOOP("RealAtoNTab", "(21)  Cardinal Mark E"),
        QT_TRANSLATE_NOOP("RealAtoNTab", "(22)  Cardinal Mark S"),
        QT_TRANSLATE_NOOP("RealAtoNTab", "(23)  Cardinal Mark W"),
        QT_TRANSLATE_NOOP("RealAtoNTab", "(24)  Port Hand Mark"),
        QT_TRANSLATE_NOOP("RealAtoNTab", "(25)  Starboard Hand Mark"),
        QT_TRANSLATE_NOOP("RealAtoNTab", "(26)  Preferred Channel Port Hand"),
        QT_TRANSLATE_NOOP("RealAtoNTab", "(27)  Preferred Channel Starboard Hand"),
        QT_TRANSLATE_NOOP("RealAtoNTab", "(28)  Isolated Danger"),
        QT_TRANSLATE_NOOP("RealAtoNTab", "(29)  Safe Water"),
        QT_TRANSLATE_NOOP("RealAtoNTab", "(30)  Special Mark"),
        QT_TRANSLATE_NOOP("RealAtoNTab", "(31)  Light Vessel"),
    };
    if (code < 0 || code > 31 || !texts[code])
        return QString();
    return QCoreApplication::translate("RealAtoNTab", texts[code]);
}

QString CodeTexts::TypeOfEPFS(int code)
{
    switch (code) {
    case 1:
        return QCoreApplication::translate("RealAtoNTab", "Autonomous");
    case 7:
        return QCoreApplication::translate("RealAtoNTab", "Surveyed");
    default:
        return QString();
    }
}

QString CodeTexts::PositionAccuracy(int code)
{
    switch (code) {
    case 0:
        return QCoreApplication::translate("RealAtoNTab", "> 10 m");
    case 1:
        return QCoreApplication::translate("RealAtoNTab", "< 10 m");
    default:
        return QString();
    }
}

QString CodeTexts::Channel(int number)
{
    const int p = number / 1000;
    const int c = number % 1000;
    if ((p != 1 && p != 2) || !((c >= 1 && c <= 28) || (c >= 60 && c <= 88)))
        return QString();
    double mhz = c <= 28 ? 156.000 + 0.050 * c : 156.025 + 0.050 * (c - 60);
    // Simplex channels keep the ship frequency on their 20xx item.
    const bool simplex = c == 6 || (c >= 8 && c <= 17) || (c >= 67 && c <= 77);
    if (p == 2 && !simplex)
        mhz += 4.600;
    QString marker;
    if (number == 2087)
        marker = QStringLiteral(" AIS1");
    else if (number == 2088)
        marker = QStringLiteral(" AIS2");
    return QStringLiteral("CH%1%2 ( %3MHz )")
        .arg(number, 4, 10, QLatin1Char('0'))
        .arg(marker)
        .arg(mhz, 0, 'f', 3);
}

QString CodeTexts::AccessScheme(int scheme)
{
    switch (scheme) {
    case 0:
        return QCoreApplication::translate("MessageScheduleTableModel", "FATDMA");
    case 1:
        return QCoreApplication::translate("MessageScheduleTableModel", "RATDMA");
    case 2:
        return QCoreApplication::translate("MessageScheduleTableModel", "CSTDMA");
    default:
        return QString();
    }
}
