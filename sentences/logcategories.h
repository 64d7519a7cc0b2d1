#ifndef LOGCATEGORIES_H
#define LOGCATEGORIES_H

#include <QLoggingCategory>

// The program's diagnostics: every sentence, every answer, every step of the
// line. They are for the developer chasing a fault, so debug and info stay
// off unless --debug or QT_LOGGING_RULES asks for them; warnings always show.
Q_DECLARE_LOGGING_CATEGORY(lcSentences)
Q_DECLARE_LOGGING_CATEGORY(lcLink)
Q_DECLARE_LOGGING_CATEGORY(lcApp)

namespace LogCategories {

// Turns on every category's debug and info output (what --debug asks for).
// QT_LOGGING_RULES, set by the user, still has the last word.
void EnableDiagnostics();

} // namespace LogCategories

#endif // LOGCATEGORIES_H
