#ifndef ENGINEERSETTING_H
#define ENGINEERSETTING_H

#include <QString>

// The name records give as the engineer's, kept in the user's settings store
// beside the window's other settings (the application's names must be set).
class EngineerSetting
{
public:
    static QString Read();
    static void Write(const QString &name);
};

#endif // ENGINEERSETTING_H
