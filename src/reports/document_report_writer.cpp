#include "reports/document_report_writer.h"

#include "reports/odf_package.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPalette>
#include <QPdfWriter>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTextBlock>
#include <QTextDocumentWriter>
#include <QTextFrame>
#include <QUrl>

#include <algorithm>
#include <numeric>

namespace ses {

namespace {

// The word processor names the font; where it is missing the serif fallbacks render it.
const QString kFontFamily = QStringLiteral("Times New Roman");
const QStringList kFontFamilies = {kFontFamily, QStringLiteral("Liberation Serif"),
                                   QStringLiteral("DejaVu Serif")};
constexpr qreal kTextPoints = 12;
constexpr qreal kCellPoints = 10;
constexpr qreal kCellPadding = 2;    // document pixels
constexpr qreal kBorderWidth = 1;    // document pixels
constexpr qreal kPixelsPerInch = 96; // document pixels, as the text layout and the ODF writer
constexpr qreal kPageMarginMm = 20;
// A4 minus both margins.
constexpr qreal kTextWidthMm = 210 - 2 * kPageMarginMm;
constexpr qreal kTextWidthPoints = kTextWidthMm / 25.4 * 72;
constexpr qreal kTextWidthPixels = kTextWidthMm / 25.4 * kPixelsPerInch;
constexpr int kMaxTitleChars = 80;

QTextCharFormat charFormat(qreal points, bool bold = false, bool italic = false) {
    QTextCharFormat format;
    format.setFontFamilies(kFontFamilies);
    // The ODF writer takes the family from the single-family property.
    format.setProperty(QTextFormat::OldFontFamily, kFontFamily);
    format.setFontPointSize(points);
    format.setFontWeight(bold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(italic);
    format.setVerticalAlignment(QTextCharFormat::AlignNormal);
    return format;
}

QTextBlockFormat blockFormat(Qt::Alignment alignment) {
    QTextBlockFormat format;
    format.setAlignment(alignment);
    return format;
}

// "\r" ends a paragraph; a "\n" or "\r\n" the same.
QStringList paragraphsOf(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\r"));
    text.replace(u'\n', u'\r');
    return text.split(u'\r');
}

// Lines in a table cell: a cell may hold several lines but never a tab-stop jump out of it.
QString cellText(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    return text;
}

struct FittedColumns {
    qreal fontPoints;
    std::vector<qreal> widths; // points, padding and border included
};

// Each column as wide as its widest line. Where the table would overrun the text width of the
// page, each column is at least as wide as its widest word (a word broken inside reads badly:
// "автоматиче-ский") and the rest of the width is shared in proportion to what the columns lack
// of their widest lines; where even the widest words overrun it (the fourteen columns of the
// monthly table), the table is set a point or two smaller first.
FittedColumns fittedColumns(const std::vector<QStringList>& rows, int columns) {
    QImage pointDevice(1, 1, QImage::Format_RGB32);
    const int dotsPerMeter = qRound(72 / 0.0254);
    pointDevice.setDotsPerMeterX(dotsPerMeter);
    pointDevice.setDotsPerMeterY(dotsPerMeter);
    // Padding and border, and two points to spare.
    const qreal extra = (2 * kCellPadding + kBorderWidth) * 72 / kPixelsPerInch + 2;
    const auto sum = [](const std::vector<qreal>& widths) {
        return std::accumulate(widths.begin(), widths.end(), qreal(0));
    };

    std::vector<qreal> least;
    for (const qreal points : {kCellPoints, kCellPoints - 1, kCellPoints - 2}) {
        const QFontMetricsF metrics(charFormat(points).font(), &pointDevice);
        // The word processor sets the same font about one per cent wider than Qt measures it (a
        // label measured to fit its column broke before its last word).
        const auto width = [&metrics, extra](const QString& text) {
            return metrics.horizontalAdvance(text) * 1.015 + extra;
        };
        std::vector<qreal> wanted(columns, extra);
        least.assign(columns, extra);
        for (const QStringList& row : rows) {
            for (int c = 0; c < std::min<int>(columns, row.size()); ++c) {
                for (const QString& line : cellText(row[c]).split(u'\n')) {
                    wanted[c] = std::max(wanted[c], width(line));
                    for (const QString& word : line.split(u' ', Qt::SkipEmptyParts))
                        least[c] = std::max(least[c], width(word));
                }
            }
        }
        const qreal wantedTotal = sum(wanted);
        const qreal leastTotal = sum(least);
        if (wantedTotal <= kTextWidthPoints)
            return {points, wanted};
        if (leastTotal <= kTextWidthPoints) {
            const qreal share = (kTextWidthPoints - leastTotal) / (wantedTotal - leastTotal);
            for (int c = 0; c < columns; ++c)
                least[c] += (wanted[c] - least[c]) * share;
            return {points, least};
        }
    }
    // Too many columns for the page at any size: the smallest, words broken where they must.
    const qreal scale = kTextWidthPoints / sum(least);
    for (qreal& w : least)
        w *= scale;
    return {kCellPoints - 2, least};
}

QString sanitizedFileName(QString name) {
    static const QString invalid = QStringLiteral("<>:\"/\\|?*");
    name = name.simplified(); // the title's paragraph breaks and tabs
    for (QChar& ch : name) {
        if (ch.unicode() < 0x20 || invalid.contains(ch))
            ch = u'_';
    }
    name = name.trimmed().left(kMaxTitleChars).trimmed();
    // The title's closing full stop would stand before the time; it is dropped.
    while (name.endsWith(u'.'))
        name.chop(1);
    return name.trimmed();
}

} // namespace

DocumentReportWriter::DocumentReportWriter(QString reportsDir, Format format)
    : m_reportsDir(std::move(reportsDir)), m_format(format),
      m_clock([] { return QDateTime::currentDateTime(); }) {
    openReport();
}

DocumentReportWriter::~DocumentReportWriter() = default;

QString DocumentReportWriter::defaultReportsDir() {
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) +
           QStringLiteral("/Отчеты Tovrel SES");
}

void DocumentReportWriter::openReport() {
    m_tables.clear();
    m_document = std::make_unique<QTextDocument>();
    m_document->setUndoRedoEnabled(false);
    m_document->setDefaultFont(charFormat(kTextPoints).font());
    m_cursor = QTextCursor(m_document.get());
    m_cursor.setBlockFormat(blockFormat(Qt::AlignLeft));
    m_cursor.setBlockCharFormat(charFormat(kTextPoints));
    m_firstTitle.clear();
    m_hasTitle = false;
    m_pictureCount = 0;
}

void DocumentReportWriter::writeTitle(const QString& text) {
    if (!m_hasTitle) {
        m_hasTitle = true;
        m_firstTitle = text;
    }
    writeParagraphs(text, blockFormat(Qt::AlignHCenter), charFormat(kTextPoints, true));
}

void DocumentReportWriter::writeHeading(const QString& text) {
    // A heading right below a table would sit on its bottom border: it keeps a line's room above
    // it, as the headings that begin with "\r" leave themselves. (A note below a table, written as
    // text, stays close to it.)
    const QTextBlock block = m_cursor.block();
    const bool belowTable =
        block.length() == 1 && !text.startsWith(u'\r') && block.previous().isValid() &&
        QTextCursor(block.previous()).currentTable() && !QTextCursor(block).currentTable();
    // Lines kept together mark a heading for the package repair, which keeps it with what follows
    // (keepHeadingsWithNext).
    QTextBlockFormat heading = blockFormat(Qt::AlignLeft);
    heading.setNonBreakableLines(true);
    writeParagraphs(text, heading, charFormat(kTextPoints, true, true));
    if (belowTable) {
        QTextBlockFormat room;
        room.setTopMargin(kTextPoints * kPixelsPerInch / 72);
        QTextCursor(block).mergeBlockFormat(room);
    }
}

void DocumentReportWriter::writeText(const QString& text) {
    writeParagraphs(text, blockFormat(Qt::AlignLeft), charFormat(kTextPoints));
}

void DocumentReportWriter::writeParagraphs(const QString& text, const QTextBlockFormat& block,
                                           const QTextCharFormat& chars) {
    const QStringList paragraphs = paragraphsOf(text);
    for (qsizetype i = 0; i < paragraphs.size(); ++i) {
        if (i > 0) {
            m_cursor.insertBlock(block, chars);
        } else if (m_cursor.block().length() == 1) {
            // A paragraph nothing was written into yet takes this text's layout; text written
            // after an unfinished paragraph continues it as it is.
            m_cursor.setBlockFormat(block);
            m_cursor.setBlockCharFormat(chars);
        }
        if (!paragraphs[i].isEmpty())
            m_cursor.insertText(paragraphs[i], chars);
    }
}

void DocumentReportWriter::writeGridTable(const std::vector<QStringList>& rows) {
    writeTable(rows, 1);
}

void DocumentReportWriter::writePairsTable(const std::vector<std::pair<QString, QString>>& pairs) {
    std::vector<QStringList> rows;
    rows.reserve(pairs.size());
    for (const auto& [label, value] : pairs)
        rows.push_back({label, value});
    writeTable(rows, 0);
}

void DocumentReportWriter::writeTable(const std::vector<QStringList>& rows, int headerRows) {
    int columns = 0;
    for (const QStringList& row : rows)
        columns = std::max<int>(columns, row.size());
    if (rows.empty() || columns == 0)
        return;

    QTextTableFormat format;
    format.setBorder(kBorderWidth);
    format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
    format.setBorderBrush(Qt::black);
    format.setBorderCollapse(true);
    format.setCellSpacing(0);
    format.setCellPadding(kCellPadding);
    format.setAlignment(Qt::AlignLeft);
    format.setHeaderRowCount(headerRows);
    // No width constraints: the layout fits the columns to their contents.

    // The table takes the place of the paragraph nothing was written into yet, so it follows
    // the previous paragraph directly; after another table that paragraph keeps them apart.
    const QTextBlock current = m_cursor.block();
    if (current.length() == 1 && current.previous().isValid() &&
        !QTextCursor(current.previous()).currentTable()) {
        m_cursor.deletePreviousChar();
    }
    QTextTable* table = m_cursor.insertTable(static_cast<int>(rows.size()), columns, format);

    FittedColumns fitted = fittedColumns(rows, columns);
    const QTextCharFormat chars = charFormat(fitted.fontPoints);
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        for (int c = 0; c < columns; ++c) {
            // Every cell carries its own borders as well: the ODF writer exports cell borders
            // only, so a table-level border alone opens borderless in a word processor.
            QTextTableCell tableCell = table->cellAt(r, c);
            QTextTableCellFormat cellFormat = tableCell.format().toTableCellFormat();
            cellFormat.setBorder(kBorderWidth);
            cellFormat.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
            cellFormat.setBorderBrush(Qt::black);
            tableCell.setFormat(cellFormat);
            QTextCursor cell = tableCell.firstCursorPosition();
            cell.setBlockFormat(blockFormat(c == 0 ? Qt::AlignLeft : Qt::AlignHCenter));
            cell.setBlockCharFormat(chars);
            if (c < rows[r].size())
                cell.insertText(cellText(rows[r][c]), chars);
        }
    }
    m_tables.push_back({table, std::move(fitted.widths), headerRows});

    m_cursor.movePosition(QTextCursor::End);
}

void DocumentReportWriter::insertPicture(const QImage& picture) {
    if (m_cursor.block().length() == 1) {
        m_cursor.setBlockFormat(blockFormat(Qt::AlignLeft));
        m_cursor.setBlockCharFormat(charFormat(kTextPoints));
    }
    if (!picture.isNull()) {
        const QString name = QStringLiteral("report-picture-%1.png").arg(++m_pictureCount);
        m_document->addResource(QTextDocument::ImageResource, QUrl(name), picture);
        QTextImageFormat image;
        image.setName(name);
        // Wider pictures are scaled down to the text width of the page.
        const qreal scale = std::min<qreal>(1, kTextWidthPixels / picture.width());
        image.setWidth(picture.width() * scale);
        image.setHeight(picture.height() * scale);
        m_cursor.insertImage(image);
    }
    m_cursor.insertBlock(blockFormat(Qt::AlignLeft), charFormat(kTextPoints));
}

QString DocumentReportWriter::fileBaseName() const {
    QString title = m_hasTitle ? sanitizedFileName(m_firstTitle) : QString();
    if (title.isEmpty())
        title = QStringLiteral("Отчет");
    return title + u' ' + m_clock().toString(QStringLiteral("yyyy-MM-dd HH-mm-ss"));
}

QString DocumentReportWriter::freePath(const QString& baseName, const QString& suffix) const {
    const QDir dir(m_reportsDir);
    QString path = dir.absoluteFilePath(baseName + suffix);
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = dir.absoluteFilePath(QStringLiteral("%1 (%2)%3").arg(baseName).arg(n).arg(suffix));
    return path;
}

QString DocumentReportWriter::closeReport() {
    if (!QDir().mkpath(m_reportsDir)) {
        throw ReportError(
            QStringLiteral("Не удалось создать папку отчетов \"%1\".").arg(m_reportsDir));
    }
    const QString suffix =
        m_format == Format::Pdf ? QStringLiteral(".pdf") : QStringLiteral(".odt");
    const QString path = freePath(fileBaseName(), suffix);

    auto failure = [&path](const QString& reason) {
        return ReportError(
            QStringLiteral("Не удалось записать отчет \"%1\": %2.").arg(path, reason));
    };
    // The document is built in memory (the writers close their device when done), then goes
    // to a temporary file and takes its name only when completely written.
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    if (!(m_format == Format::Pdf ? writePdf(buffer) : writeOdf(buffer)))
        throw failure(QStringLiteral("документ не сформирован"));

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw failure(file.errorString());
    if (file.write(buffer.data()) != buffer.data().size() || !file.commit())
        throw failure(file.errorString());
    return path;
}

bool DocumentReportWriter::writeOdf(QIODevice& device) {
    // The ODF table columns carry the fitted widths (in points, as the writer stores them);
    // the document itself keeps its variable widths.
    std::vector<std::pair<QTextTable*, QTextTableFormat>> saved;
    for (const Table& entry : m_tables) {
        if (!entry.table)
            continue;
        QTextTableFormat format = entry.table->format();
        saved.emplace_back(entry.table, format);
        QList<QTextLength> widths;
        qreal total = 0;
        for (qreal w : entry.columnPoints) {
            widths.append(QTextLength(QTextLength::FixedLength, w));
            total += w;
        }
        format.setColumnWidthConstraints(widths);
        format.setWidth(QTextLength(QTextLength::FixedLength, total));
        entry.table->setFormat(format);
    }
    QBuffer package;
    package.open(QIODevice::WriteOnly);
    QTextDocumentWriter writer(&package, "odf");
    const bool ok = writer.write(m_document.get());
    for (auto& [table, format] : saved)
        table->setFormat(format);
    if (!ok)
        return false;
    std::vector<int> headerRows; // of the tables in the document, in their order
    for (const Table& entry : m_tables) {
        if (entry.table)
            headerRows.push_back(entry.headerRows);
    }
    const QByteArray fixed = repairedPackage(package.data(), headerRows);
    return device.write(fixed) == fixed.size();
}

bool DocumentReportWriter::writePdf(QIODevice& device) {
    QPdfWriter pdf(&device);
    pdf.setPageSize(QPageSize(QPageSize::A4));
    pdf.setPageMargins(QMarginsF(kPageMarginMm, kPageMarginMm, kPageMarginMm, kPageMarginMm),
                       QPageLayout::Millimeter);
    pdf.setTitle(m_firstTitle.simplified());
    pdf.setCreator(QStringLiteral("Tovrel SES"));

    // Laid out on a copy for the printed page: the page rectangle inside the margins is the
    // whole body (QTextDocument::print would add margins of its own).
    const std::unique_ptr<QTextDocument> pages(m_document->clone());
    QPainter painter;
    if (!painter.begin(&pdf))
        return false;
    pages->documentLayout()->setPaintDevice(&pdf);
    QTextFrameFormat root = pages->rootFrame()->frameFormat();
    root.setMargin(0);
    pages->rootFrame()->setFrameFormat(root);
    const QSizeF body = pdf.pageLayout().paintRectPixels(pdf.resolution()).size();
    pages->setPageSize(body);

    for (int page = 0; page < pages->pageCount(); ++page) {
        if (page > 0)
            pdf.newPage();
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = QRectF(QPointF(0, page * body.height()), body);
        context.palette.setColor(QPalette::Text, Qt::black);
        painter.save();
        painter.translate(0, -page * body.height());
        painter.setClipRect(context.clip);
        pages->documentLayout()->draw(&painter, context);
        painter.restore();
    }
    return painter.end() && device.size() > 0;
}

} // namespace ses
