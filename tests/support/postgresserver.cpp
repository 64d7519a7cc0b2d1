#include "support/postgresserver.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QUrl>

#include <pwd.h>
#include <unistd.h>

PostgresServer::PostgresServer()
{
    const QString fromEnvironment = qEnvironmentVariable("VANDREL_PG_BIN");
    binaries =
        fromEnvironment.isEmpty() ? QStringLiteral("/usr/lib/postgresql/15/bin") : fromEnvironment;
}

PostgresServer::~PostgresServer()
{
    QString ignored;
    if (running)
        Stop(&ignored);
}

bool PostgresServer::Run(const QString &program, const QStringList &arguments, QString *errorText)
{
    QProcess process;
    process.setWorkingDirectory(folder.path());
    process.setProcessChannelMode(QProcess::MergedChannels);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("PGPASSWORD"), QLatin1String(Password));
    process.setProcessEnvironment(environment);
    const QString path = binaries + QLatin1Char('/') + program;
    if (geteuid() == 0)
        process.start(QStringLiteral("runuser"),
                      QStringList{QStringLiteral("-u"), QStringLiteral("nobody"),
                                  QStringLiteral("--"), path} +
                          arguments);
    else
        process.start(path, arguments);
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        *errorText = QStringLiteral("%1 failed: %2%3")
                         .arg(program, process.errorString(),
                              QString::fromLocal8Bit(process.readAll()).right(2000));
        return false;
    }
    return true;
}

bool PostgresServer::Start(QString *errorText)
{
    if (!folder.isValid() || !QFile::exists(binaries + QStringLiteral("/initdb"))) {
        *errorText = QStringLiteral("PostgreSQL is not installed in %1 (scripts/setup installs "
                                    "it)")
                         .arg(binaries);
        return false;
    }
    const QString data = folder.filePath(QStringLiteral("data"));
    if (!made) {
        const QString passwordFile = folder.filePath(QStringLiteral("password"));
        QFile file(passwordFile);
        if (!file.open(QIODevice::WriteOnly) || file.write(Password) < 0 || !file.flush()) {
            *errorText = file.errorString();
            return false;
        }
        file.close();
        if (geteuid() == 0) {
            const passwd *nobody = getpwnam("nobody");
            if (!nobody ||
                chown(QFile::encodeName(folder.path()).constData(), nobody->pw_uid,
                      nobody->pw_gid) ||
                chown(QFile::encodeName(passwordFile).constData(), nobody->pw_uid,
                      nobody->pw_gid)) {
                *errorText = QStringLiteral("the folder cannot be given to the user nobody");
                return false;
            }
        }
        if (!Run(QStringLiteral("initdb"),
                 {QStringLiteral("-D"), data, QStringLiteral("-U"), QLatin1String(User),
                  QStringLiteral("--pwfile=") + passwordFile, QStringLiteral("-A"),
                  QStringLiteral("scram-sha-256"), QStringLiteral("-E"), QStringLiteral("UTF8"),
                  QStringLiteral("--no-sync")},
                 errorText))
            return false;
        made = true;
    }
    const QString options = QStringLiteral("-k %1 -p %2 -c listen_addresses= -c fsync=off")
                                .arg(folder.path())
                                .arg(port);
    if (!Run(QStringLiteral("pg_ctl"),
             {QStringLiteral("-D"), data, QStringLiteral("-l"),
              folder.filePath(QStringLiteral("server.log")), QStringLiteral("-o"), options,
              QStringLiteral("-w"), QStringLiteral("start")},
             errorText))
        return false;
    running = true;
    return true;
}

bool PostgresServer::Stop(QString *errorText)
{
    running = false;
    return Run(QStringLiteral("pg_ctl"),
               {QStringLiteral("-D"), folder.filePath(QStringLiteral("data")), QStringLiteral("-m"),
                QStringLiteral("fast"), QStringLiteral("-w"), QStringLiteral("stop")},
               errorText);
}

bool PostgresServer::CreateDatabase(const QString &name, QString *errorText)
{
    return Run(QStringLiteral("createdb"),
               {QStringLiteral("-h"), folder.path(), QStringLiteral("-p"), QString::number(port),
                QStringLiteral("-U"), QLatin1String(User), name},
               errorText);
}

QString PostgresServer::Url(const QString &database, const QString &password) const
{
    // Joined, not .arg()ed: the encoded folder holds "%2F".
    return QStringLiteral("postgresql://") + QLatin1String(User) + QLatin1Char(':') +
           QString::fromLatin1(QUrl::toPercentEncoding(password)) + QStringLiteral("@/") +
           database + QStringLiteral("?host=") +
           QString::fromLatin1(QUrl::toPercentEncoding(folder.path())) + QStringLiteral("&port=") +
           QString::number(port);
}
