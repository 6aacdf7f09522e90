#pragma once
// A report built as a QTextDocument and saved, when closed, as an ODF text document (or a PDF)
// in the reports folder. Opening the saved file is the caller's business.

#include "reports/report_error.h"
#include "reports/report_writer.h"

#include <QDateTime>
#include <QPointer>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>

#include <functional>
#include <memory>

namespace ses {

class DocumentReportWriter : public ReportWriter {
public:
    enum class Format { Odf, Pdf };

    explicit DocumentReportWriter(QString reportsDir = defaultReportsDir(),
                                  Format format = Format::Odf);
    ~DocumentReportWriter() override;

    // "<Documents>/Отчеты Tovrel SES"; created when the first report is saved.
    static QString defaultReportsDir();

    // Starts an empty document.
    void openReport() override;
    void writeTitle(const QString& text) override;
    // A heading right below a table is set a line apart from it.
    void writeHeading(const QString& text) override;
    void writeText(const QString& text) override;
    void writeGridTable(const std::vector<QStringList>& rows) override;
    void writePairsTable(const std::vector<std::pair<QString, QString>>& pairs) override;
    void insertPicture(const QImage& picture) override;
    // Saves the document as "<first title> yyyy-MM-dd HH-mm-ss.odt" (".pdf"), adding " (2)",
    // " (3)"... instead of replacing an existing file, and returns the path. The file appears
    // under its name only when completely written; throws ReportError otherwise.
    QString closeReport() override;

    QTextDocument& document() { return *m_document; }
    QString reportsDir() const { return m_reportsDir; }
    // The time the file name carries; the current local time unless replaced.
    void setClock(std::function<QDateTime()> clock) { m_clock = std::move(clock); }

private:
    struct Table {
        QPointer<QTextTable> table;
        std::vector<qreal> columnPoints; // fitted column widths, points
        int headerRows = 0;
    };

    void writeParagraphs(const QString& text, const QTextBlockFormat& blockFormat,
                         const QTextCharFormat& charFormat);
    void writeTable(const std::vector<QStringList>& rows, int headerRows);
    QString fileBaseName() const;
    QString freePath(const QString& baseName, const QString& suffix) const;
    bool writeOdf(QIODevice& device);
    bool writePdf(QIODevice& device);

    QString m_reportsDir;
    Format m_format;
    std::function<QDateTime()> m_clock;
    std::unique_ptr<QTextDocument> m_document;
    QTextCursor m_cursor;
    QString m_firstTitle;
    bool m_hasTitle = false;
    int m_pictureCount = 0;
    std::vector<Table> m_tables;
};

} // namespace ses
