#include "fleet/record/recordwriter.h"

#include "app/vandrelversion.h"
#include "fleet/batchrecord.h"
#include "fleet/unitrecord.h"
#include "model/filesaver.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QFont>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTextDocument>

#include <memory>
#include <vector>

namespace {

// One record within a PDF: its text, and what the top of each of its pages
// says of it.
struct Part
{
    QString html;
    QString title;    // "Commissioning record"
    QString identity; // "Serial number SN-1 · MMSI 992351001"
};

Part PartOf(const UnitRecord &record)
{
    const auto known = [](const QString &text) {
        return text.isEmpty() ? UnitRecord::tr("not known") : text;
    };
    return {record.Html(), record.title,
            RecordWriter::tr("Serial number %1 · MMSI %2 · %3")
                .arg(known(record.serial), known(record.mmsi),
                     UnitRecord::ResultWord(record.Outcome()))};
}

bool Print(const std::vector<Part> &parts, const QString &pdfTitle, const QString &path,
           QString *errorText)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(15, 12, 15, 12), QPageLayout::Millimeter);
        writer.setResolution(300);
        writer.setTitle(pdfTitle);
        const QString program =
            QStringLiteral("Vandrel ") + QLatin1String(VandrelVersion::Number());
        writer.setCreator(program);

        const QRectF page(QPointF(0, 0),
                          writer.pageLayout().paintRectPixels(writer.resolution()).size());
        QFont small;
        small.setPointSizeF(7.5);
        small.setStyleStrategy(QFont::PreferNoShaping);
        // The band above and below the text: a line of small type and room.
        const qreal band = 7.5 / 72.0 * writer.resolution() * 2.4;
        const QSizeF body(page.width(), page.height() - 2 * band);

        // Every part laid out first: the last page's number is on the first.
        std::vector<std::unique_ptr<QTextDocument>> documents;
        int pageCount = 0;
        for (const Part &part : parts) {
            auto document = std::make_unique<QTextDocument>();
            // Without ligatures the record's text can be searched and copied
            // as written ("off", not a single glyph for "ff").
            QFont font = document->defaultFont();
            font.setStyleStrategy(QFont::PreferNoShaping);
            document->setDefaultFont(font);
            // Laid out at the PDF's resolution, so that points are points on paper.
            document->documentLayout()->setPaintDevice(&writer);
            document->setHtml(part.html);
            document->setPageSize(body);
            pageCount += document->pageCount();
            documents.push_back(std::move(document));
        }

        QPainter painter(&writer);
        if (!painter.isActive()) {
            *errorText =
                RecordWriter::tr("%1: the record could not be laid out as a PDF").arg(path);
            return false;
        }
        int pageNumber = 0;
        for (std::size_t i = 0; i < parts.size(); ++i) {
            QTextDocument *document = documents.at(i).get();
            for (int p = 0; p < document->pageCount(); ++p) {
                if (pageNumber > 0)
                    writer.newPage();
                ++pageNumber;
                painter.setFont(small);
                painter.setPen(QColor(0x33, 0x33, 0x33));
                const QRectF top(0, 0, page.width(), band * 0.6);
                painter.drawText(top, Qt::AlignLeft | Qt::AlignTop,
                                 program + QStringLiteral(" · ") + parts.at(i).title);
                painter.drawText(top, Qt::AlignRight | Qt::AlignTop, parts.at(i).identity);
                painter.drawLine(QPointF(0, band * 0.6), QPointF(page.width(), band * 0.6));
                const QRectF bottom(0, page.height() - band * 0.6, page.width(), band * 0.6);
                painter.drawText(bottom, Qt::AlignHCenter | Qt::AlignBottom,
                                 RecordWriter::tr("Page %1 of %2")
                                     .arg(QString::number(pageNumber), QString::number(pageCount)));

                painter.save();
                painter.translate(0, band - p * body.height());
                QAbstractTextDocumentLayout::PaintContext context;
                context.clip = QRectF(QPointF(0, p * body.height()), body);
                painter.setClipRect(context.clip);
                document->documentLayout()->draw(&painter, context);
                painter.restore();
            }
        }
        painter.end();
    }
    const QByteArray bytes = buffer.data();
    if (!bytes.startsWith("%PDF")) {
        *errorText = RecordWriter::tr("%1: the record could not be laid out as a PDF").arg(path);
        return false;
    }
    // Every write and the flush checked: a full disk leaves the old file.
    QString reason;
    if (FileSaver::Save(path, bytes, FileSaver::WholeOrNothing, &reason) != FileSaver::Done) {
        *errorText = RecordWriter::tr("%1: could not be written: %2").arg(path, reason);
        return false;
    }
    return true;
}

} // namespace

bool RecordWriter::WritePdf(const UnitRecord &record, const QString &path, QString *errorText)
{
    return Print({PartOf(record)},
                 record.title + QStringLiteral(" ") +
                     UnitRecord::FileStem(record.mmsi, record.serial),
                 path, errorText);
}

bool RecordWriter::WriteBatchPdf(const BatchRecord &batch, const QString &path, QString *errorText)
{
    std::vector<Part> parts;
    parts.push_back({batch.Html(), batch.Title(), tr("Units: %1").arg(batch.Records().size())});
    for (const UnitRecord &record : batch.Records())
        parts.push_back(PartOf(record));
    return Print(parts, batch.Title(), path, errorText);
}
