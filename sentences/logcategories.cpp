#include "sentences/logcategories.h"

Q_LOGGING_CATEGORY(lcSentences, "vandrel.sentences", QtWarningMsg)
Q_LOGGING_CATEGORY(lcLink, "vandrel.link", QtWarningMsg)
Q_LOGGING_CATEGORY(lcApp, "vandrel.app", QtWarningMsg)

void LogCategories::EnableDiagnostics()
{
    QLoggingCategory::setFilterRules(QStringLiteral("vandrel.*.debug=true\nvandrel.*.info=true"));
}
