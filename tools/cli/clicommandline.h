#ifndef CLICOMMANDLINE_H
#define CLICOMMANDLINE_H

#include <QDateTime>
#include <QString>
#include <QStringList>

// The command line of vandrel-cli: one command word with its options and
// file names. Parse checks that the command exists and that it has
// exactly what it needs; anything else leaves an error text.
class CliCommandLine
{
public:
    enum Command
    {
        None,
        Help,
        Version,
        Show,
        Diff,
        Retrieve,
        Send,
        Monitor,
        Replay,
        History,
        RegisterImport,
        RegisterExport
    };

    bool Parse(const QStringList &given);

    Command command() const { return m_command; }
    QString errorText() const { return m_error; }
    QString port() const { return m_port; }
    QString output() const { return m_output; }
    // Write the output into the file itself where its folder refuses new files.
    bool inPlace() const { return m_inPlace; }
    QStringList files() const { return m_files; }
    bool json() const { return m_json; }
    bool fast() const { return m_fast; }
    // Show the program's diagnostic output (every sentence and answer).
    bool debug() const { return m_debug; }
    // The MMSI whose message 21 reports monitor and replay decode; empty
    // when not given.
    QString mmsi() const { return m_mmsi; }
    // history: the unit's serial number, the earliest time and the entry
    // whose configuration is wanted; empty when not given.
    QString serial() const { return m_serial; }
    QDateTime since() const { return m_since; }
    QString configId() const { return m_configId; }
    // history --file: the .pad file whose configuration's entries are wanted.
    QString padFile() const { return m_padFile; }
    // register export: the CSV file.
    QString csv() const { return m_csv; }
    // The register's file path or URL as given; empty when not given.
    QString registerText() const { return m_register; }
    // send --schedule exact: the unit's schedule becomes the file's, rows
    // the file does not name switched off.
    bool exactSchedule() const { return m_exactSchedule; }
    // send: go on although the register has the file's MMSI for another
    // unit, or a shared register could not be asked.
    bool reassignMmsi() const { return m_reassignMmsi; }
    // send: refuse a file whose identity draws a warning.
    bool strict() const { return m_strict; }
    // send --on-air: the minutes to wait for the unit's own report; 0 when
    // not asked.
    double onAirMinutes() const { return m_onAirMinutes; }

    static QString Usage();
    // "vandrel-cli" and the program's version, one line.
    static QString VersionText();

private:
    bool Fail(const QString &text);

    Command m_command = None;
    QString m_error;
    QString m_port;
    QString m_output;
    QStringList m_files;
    bool m_json = false;
    bool m_fast = false;
    bool m_inPlace = false;
    bool m_debug = false;
    bool m_exactSchedule = false;
    bool m_reassignMmsi = false;
    bool m_strict = false;
    double m_onAirMinutes = 0;
    QString m_mmsi;
    QString m_serial;
    QDateTime m_since;
    QString m_configId;
    QString m_csv;
    QString m_padFile;
    QString m_register;
};

#endif // CLICOMMANDLINE_H
