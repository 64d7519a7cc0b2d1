#ifndef CSVTABLE_H
#define CSVTABLE_H

#include <QCoreApplication>
#include <QList>
#include <QString>
#include <QStringList>

// Comma-separated text as spreadsheets write it: UTF-8 with or without a
// byte-order mark, fields in double quotes when they hold commas, quotes
// ("" for one) or line ends, lines ended by LF or CR LF. Each record keeps
// the line of the file it starts on, so that a problem can be named where
// an editor shows it.
class CsvTable
{
    Q_DECLARE_TR_FUNCTIONS(CsvTable)

public:
    struct Record
    {
        int line = 0; // 1 for the first line of the file
        QStringList fields;
    };

    // A unit table is a few kilobytes; this keeps a wrong file from filling memory.
    static constexpr qint64 MaxFileSize = 4 * 1024 * 1024;
    static constexpr int MaxFieldLength = 4096;

    // False with *errorText naming the line when the text is not CSV (a
    // quote left open, text after a closing quote, a field too long, bytes
    // that are not UTF-8). Blank lines are left out.
    static bool Parse(const QByteArray &bytes, QList<Record> *records, QString *errorText);
    // The bytes of an ordinary file of at most MaxFileSize bytes: a FIFO or
    // a device is refused before anything waits on it. False with
    // *errorText naming the file.
    static bool ReadFile(const QString &fileName, QByteArray *bytes, QString *errorText);
    static bool Load(const QString &fileName, QList<Record> *records, QString *errorText);

    // One record as a line, quoting the fields that need it, with its line end.
    static QByteArray Line(const QStringList &fields);

    // A field as a spreadsheet must show it, as text: one that begins with a
    // character a spreadsheet takes as the start of a formula (= + - @, a
    // tab or CR) gets a leading apostrophe, the spreadsheets' own mark for
    // text. A field that begins with an apostrophe gets one more, so that
    // FromText gives every field back as it was.
    static QString AsText(const QString &field);
    static QString FromText(const QString &cell);
};

#endif // CSVTABLE_H
