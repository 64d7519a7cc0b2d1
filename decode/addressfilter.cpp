#include "decode/addressfilter.h"

AddressFilter::AddressFilter(const QString &talker, const QStringList &formatters)
    : talker(talker), formatters(formatters)
{}

bool AddressFilter::MayHold(const QString &line) const
{
    const QChar *d = line.constData();
    const int addressLength = 1 + talker.size() + 3;
    for (int p = 0; p + addressLength <= line.size(); ++p) {
        if (d[p] != QLatin1Char('$') && d[p] != QLatin1Char('!'))
            continue;
        const QStringView address(d + p + 1, addressLength - 1);
        if (!address.startsWith(talker))
            continue;
        const QStringView formatter = address.mid(talker.size());
        for (const QString &wanted : formatters) {
            if (formatter == wanted)
                return true;
        }
    }
    return false;
}
