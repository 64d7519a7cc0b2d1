#include "fleet/record/recordwriter.h"

#include "fleet/unitrecord.h"
#include "model/filesaver.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QFont>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextDocument>

bool RecordWriter::WritePdf(const UnitRecord &record, const QString &path, QString *errorText)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
        writer.setResolution(300);
        writer.setTitle(record.title + QStringLiteral(" ") +
                        UnitRecord::FileStem(record.mmsi, record.serial));
        writer.setCreator(QStringLiteral("Vandrel"));
        QTextDocument document;
        // Without ligatures the record's text can be searched and copied
        // as written ("off", not a single glyph for "ff").
        QFont font = document.defaultFont();
        font.setStyleStrategy(QFont::PreferNoShaping);
        document.setDefaultFont(font);
        // Laid out at the PDF's resolution, so that points are points on paper.
        document.documentLayout()->setPaintDevice(&writer);
        document.setHtml(record.Html());
        document.setPageSize(writer.pageLayout().paintRectPixels(writer.resolution()).size());
        document.print(&writer);
    }
    const QByteArray bytes = buffer.data();
    if (!bytes.startsWith("%PDF")) {
        *errorText = tr("%1: the record could not be laid out as a PDF").arg(path);
        return false;
    }
    // Every write and the flush checked: a full disk leaves the old file.
    QString reason;
    if (FileSaver::Save(path, bytes, FileSaver::WholeOrNothing, &reason) != FileSaver::Done) {
        *errorText = tr("%1: could not be written: %2").arg(path, reason);
        return false;
    }
    return true;
}
