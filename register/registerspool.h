#ifndef REGISTERSPOOL_H
#define REGISTERSPOOL_H

#include "register/registerentry.h"

#include <QString>

#include <functional>

// Entries that could not reach their register wait here, one file each,
// until a program reaches that register again. Each file names the register
// it is meant for, so that an entry for a team's server never lands in a
// laptop's own file.
class RegisterSpool
{
public:
    // Far above any entry (a configuration is a few kilobytes); keeps a
    // stray file from filling memory.
    static constexpr qint64 MaxEntryBytes = 32 * 1024 * 1024;

    explicit RegisterSpool(const QString &folder) : folder(folder) {}
    QString Folder() const { return folder; }

    // Whole or not at all: a file appears only once fully written.
    bool Put(const RegisterEntry &entry, const QString &registerKey, QString *errorText);

    struct Replayed
    {
        int written = 0;
        int waiting = 0;      // still here: the register failed again
        QStringList problems; // files that hold no entry, moved to unreadable/
    };
    // Hands every entry for registerKey to write, oldest first, and removes
    // each file that write took; stops at the first that it did not.
    Replayed Replay(const QString &registerKey,
                    const std::function<bool(const RegisterEntry &)> &write);
    int Waiting(const QString &registerKey) const;

private:
    bool Load(const QString &path, QString *registerKey, RegisterEntry *entry,
              QString *errorText) const;

    QString folder;
};

#endif // REGISTERSPOOL_H
