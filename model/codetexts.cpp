#include "model/codetexts.h"

#include <QCoreApplication>

QString CodeTexts::TypeOfAtoN(int code)
{
    // Code 4 is not offered by the window and has no text.
    static const char *const texts[32] = {
        " (0)  Default",
        " (1)  Reference Point",
        " (2)  Racon",
        " (3)  Fixed Structure - Off Shore",
        nullptr,
        " (5)  Light Without Sectors",
        " (6)  Light With Sectors",
        " (7)  Leading Light Front",
        " (8)  Leading Light Rear",
        " (9)  Beacon Cardinal N",
        "(10)  Beacon Cardinal E",
        "(11)  Beacon Cardinal S",
        "(12)  Beacon cardinal W",
        "(13)  Beacon Port Hand",
        "(14)  Beacon Starboard Hand",
        "(15)  Beacon Preferred Channel Port Hand",
        "(16)  Beacon Preferred Channel Starboard Hand",
        "(17)  Beacon Isolated Danger",
        "(18)  Beacon Safe Water",
        "(19)  Beacon Special Mark",
        "(20)  Cardinal Mark N",
        "(21)  Cardinal Mark E",
        "(22)  Cardinal Mark S",
        "(23)  Cardinal Mark W",
        "(24)  Port Hand Mark",
        "(25)  Starboard Hand Mark",
        "(26)  Preferred Channel Port Hand",
        "(27)  Preferred Channel Starboard Hand",
        "(28)  Isolated Danger",
        "(29)  Safe Water",
        "(30)  Special Mark",
        "(31)  Light Vessel",
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
