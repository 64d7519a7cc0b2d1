#ifndef FILECOMMANDS_H
#define FILECOMMANDS_H

#include <QString>

class Model;

// The commands that work on .pad files alone (show and diff), and the
// writing of the file a retrieve gives.
class FileCommands
{
public:
    // Whether output can be written, asked before the unit is: false after
    // saying why. inPlace allows the direct write into the file where its
    // folder refuses new files.
    static bool CheckTarget(const QString &output, bool inPlace);
    // ExitDone once the whole file is on the disk, else ExitFailure after
    // saying why; an earlier file of that name is then as it was.
    static int Save(const Model &model, const QString &output, bool inPlace);
    static int Show(const QString &path, bool json);
    static int Diff(const QString &pathA, const QString &pathB);
};

#endif // FILECOMMANDS_H
