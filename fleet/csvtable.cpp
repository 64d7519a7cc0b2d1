#include "fleet/csvtable.h"

#include "model/regularfile.h"
#include "model/utf8text.h"
#include "model/visibletext.h"

#include <QFile>

namespace {

bool IsBlank(const CsvTable::Record &record)
{
    return record.fields.size() == 1 && record.fields.first().isEmpty();
}

} // namespace

bool CsvTable::Parse(const QByteArray &bytes, QList<Record> *records, QString *errorText)
{
    records->clear();
    QString text;
    if (!Utf8Text::Decode(bytes, &text)) {
        // Name the line of the first byte that is not UTF-8.
        const QString good = QString::fromUtf8(bytes.left(bytes.size()));
        const int bad = good.indexOf(QChar::ReplacementCharacter);
        *errorText = tr("line %1: the text is not UTF-8")
                         .arg(good.left(qMax(bad, 0)).count(QLatin1Char('\n')) + 1);
        return false;
    }
    int position = text.startsWith(QChar(0xfeff)) ? 1 : 0;
    int line = 1;
    const int size = text.size();
    while (position < size) {
        Record record;
        record.line = line;
        QString field;
        bool endOfRecord = false;
        while (!endOfRecord) {
            field.clear();
            if (position < size && text.at(position) == QLatin1Char('"')) {
                const int openedOn = line;
                ++position;
                bool closed = false;
                while (position < size) {
                    const QChar c = text.at(position++);
                    if (c == QLatin1Char('"')) {
                        if (position < size && text.at(position) == QLatin1Char('"')) {
                            field += c;
                            ++position;
                            continue;
                        }
                        closed = true;
                        break;
                    }
                    if (c == QLatin1Char('\n'))
                        ++line;
                    field += c;
                }
                if (!closed) {
                    *errorText = tr("line %1: a quoted field is not closed").arg(openedOn);
                    return false;
                }
                if (position < size && text.at(position) == QLatin1Char('\r'))
                    ++position;
                if (position < size && text.at(position) != QLatin1Char(',') &&
                    text.at(position) != QLatin1Char('\n')) {
                    *errorText = tr("line %1: text after the closing quote of a field").arg(line);
                    return false;
                }
            } else {
                while (position < size && text.at(position) != QLatin1Char(',') &&
                       text.at(position) != QLatin1Char('\n'))
                    field += text.at(position++);
                if (field.endsWith(QLatin1Char('\r')))
                    field.chop(1);
            }
            if (field.size() > MaxFieldLength) {
                *errorText = tr("line %1: a field is longer than %2 characters")
                                 .arg(line)
                                 .arg(MaxFieldLength);
                return false;
            }
            record.fields << field;
            if (position >= size) {
                endOfRecord = true;
            } else if (text.at(position) == QLatin1Char('\n')) {
                ++position;
                ++line;
                endOfRecord = true;
            } else {
                ++position; // the comma
                if (position >= size)
                    record.fields << QString();
            }
            if (position >= size && !endOfRecord)
                endOfRecord = true;
        }
        if (!IsBlank(record))
            records->append(record);
    }
    return true;
}

bool CsvTable::ReadFile(const QString &fileName, QByteArray *bytes, QString *errorText)
{
    const QString shown = VisibleText::OneLine(fileName);
    QString reason;
    switch (RegularFile::ReadAll(fileName, MaxFileSize, bytes, &reason)) {
    case RegularFile::ReadDone:
        return true;
    case RegularFile::OpenFailed:
        *errorText = tr("%1: could not be opened: %2").arg(shown, VisibleText::OneLine(reason));
        break;
    case RegularFile::ReadFailed:
        *errorText = tr("%1: could not be read: %2").arg(shown, reason);
        break;
    case RegularFile::TooLarge:
        *errorText = tr("%1: larger than %2 bytes; not a unit table")
                         .arg(shown, QString::number(MaxFileSize));
        break;
    }
    return false;
}

bool CsvTable::Load(const QString &fileName, QList<Record> *records, QString *errorText)
{
    QByteArray bytes;
    if (!ReadFile(fileName, &bytes, errorText))
        return false;
    if (!Parse(bytes, records, errorText)) {
        *errorText = VisibleText::OneLine(fileName) + QStringLiteral(", ") + *errorText;
        return false;
    }
    return true;
}

QByteArray CsvTable::Line(const QStringList &fields)
{
    QByteArray line;
    for (int i = 0; i < fields.size(); ++i) {
        if (i > 0)
            line += ',';
        const QString &field = fields.at(i);
        if (field.contains(QLatin1Char(',')) || field.contains(QLatin1Char('"')) ||
            field.contains(QLatin1Char('\n')) || field.contains(QLatin1Char('\r'))) {
            QString quoted = field;
            quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
            line += '"' + quoted.toUtf8() + '"';
        } else {
            line += field.toUtf8();
        }
    }
    return line + '\n';
}

QString CsvTable::AsText(const QString &field)
{
    if (field.isEmpty())
        return field;
    switch (field.at(0).unicode()) {
    case '=':
    case '+':
    case '-':
    case '@':
    case '\t':
    case '\r':
    case '\'':
        return QLatin1Char('\'') + field;
    default:
        return field;
    }
}

QString CsvTable::FromText(const QString &cell)
{
    return cell.startsWith(QLatin1Char('\'')) ? cell.mid(1) : cell;
}
