#ifndef FILECOMMANDS_H
#define FILECOMMANDS_H

#include <QString>

// The commands that work on .pad files alone: show and diff.
class FileCommands
{
public:
    static int Show(const QString &path, bool json);
    static int Diff(const QString &pathA, const QString &pathB);
};

#endif // FILECOMMANDS_H
