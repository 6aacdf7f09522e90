#pragma once
// The export operations every "Экспорт..." command writes its report through. A ReportWriter is
// one report: open, blocks in order, close. DocumentReportWriter builds a word-processor document
// (ODF text, optionally PDF); RecordingReportWriter keeps the blocks for tests.

#include <QImage>
#include <QString>
#include <QStringList>
#include <utility>
#include <vector>

namespace ses {

class ReportWriter {
public:
    virtual ~ReportWriter() = default;
    virtual void openReport() = 0;
    // Texts end their own paragraphs with "\r"; a leading "\r" leaves an empty line.
    virtual void writeTitle(const QString& text) = 0;   // 12 pt, bold, centred
    virtual void writeHeading(const QString& text) = 0; // 12 pt, bold italic
    virtual void writeText(const QString& text) = 0;    // 12 pt body text
    // A table of text rows, the header row first; every row has the same number of cells.
    virtual void writeGridTable(const std::vector<QStringList>& rows) = 0;
    // A two-column table of labels and values.
    virtual void writePairsTable(const std::vector<std::pair<QString, QString>>& pairs) = 0;
    virtual void insertPicture(const QImage& picture) = 0;
    // Finishes the report; returns the path of the written document (empty for a recording).
    virtual QString closeReport() = 0;
};

} // namespace ses
