#pragma once
// A report writer that only remembers what it was given: lets tests check a window's report
// block by block.

#include "reports/report_writer.h"

#include <QSize>

namespace ses {

class RecordingReportWriter : public ReportWriter {
public:
    struct Block {
        enum Kind { Open, Title, Heading, Text, GridTable, PairsTable, Picture, Close } kind;
        QString text;                  // title, heading and text blocks
        std::vector<QStringList> rows; // tables; a pairs table has rows of label and value
        QSize pictureSize;
    };

    void openReport() override;
    void writeTitle(const QString& text) override;
    void writeHeading(const QString& text) override;
    void writeText(const QString& text) override;
    void writeGridTable(const std::vector<QStringList>& rows) override;
    void writePairsTable(const std::vector<std::pair<QString, QString>>& pairs) override;
    void insertPicture(const QImage& picture) override;
    QString closeReport() override; // always empty

    const std::vector<Block>& blocks() const { return m_blocks; }
    // One line a block: "open", "title: <text>", "heading: <text>", "text: <text>",
    // "grid <rows>x<columns>", "pairs <count>", "picture <width>x<height>", "close".
    // Texts are given as written, "\r" included.
    QStringList summary() const;
    void clear() { m_blocks.clear(); }

private:
    void add(Block block) { m_blocks.push_back(std::move(block)); }

    std::vector<Block> m_blocks;
};

} // namespace ses
