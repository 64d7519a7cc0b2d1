#ifndef POSTGRESSERVER_H
#define POSTGRESSERVER_H

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// A PostgreSQL server of the test's own: a cluster made in a temporary
// folder, listening on a socket in that folder only (no TCP), with password
// logins. When the test runs as root the server runs as "nobody", as
// PostgreSQL refuses root. Stopped and removed when the object goes.
class PostgresServer
{
public:
    static constexpr const char *User = "vandrel";
    static constexpr const char *Password = "s3cret;'pw";

    PostgresServer();
    ~PostgresServer();
    PostgresServer(const PostgresServer &) = delete;
    PostgresServer &operator=(const PostgresServer &) = delete;

    // Makes the cluster on the first call; false with *errorText when the
    // binaries are missing or the server does not come up.
    bool Start(QString *errorText);
    bool Stop(QString *errorText);
    bool CreateDatabase(const QString &name, QString *errorText);

    // postgresql://vandrel:PASSWORD@/NAME?host=SOCKETDIR&port=PORT
    QString Url(const QString &database, const QString &password = QLatin1String(Password)) const;
    QString SocketFolder() const { return folder.path(); }

private:
    bool Run(const QString &program, const QStringList &arguments, QString *errorText);

    QTemporaryDir folder;
    QString binaries;
    int port = 54329;
    bool made = false;
    bool running = false;
};

#endif // POSTGRESSERVER_H
