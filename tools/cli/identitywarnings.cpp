#include "identitywarnings.h"

#include "console.h"

bool IdentityWarnings::Tell(const QStringList &warnings, bool strict, const QString &source)
{
    for (const QString &warning : warnings)
        Console::Error(QStringLiteral("warning: ") + warning);
    if (!strict || warnings.isEmpty())
        return true;
    Console::Err(
        QStringLiteral("Nothing was sent: --strict refuses a %1 with warnings.\n").arg(source));
    return false;
}
