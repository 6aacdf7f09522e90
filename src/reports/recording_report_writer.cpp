#include "reports/recording_report_writer.h"

#include <algorithm>

namespace ses {

void RecordingReportWriter::openReport() {
    add({Block::Open, {}, {}, {}});
}

void RecordingReportWriter::writeTitle(const QString& text) {
    add({Block::Title, text, {}, {}});
}

void RecordingReportWriter::writeHeading(const QString& text) {
    add({Block::Heading, text, {}, {}});
}

void RecordingReportWriter::writeText(const QString& text) {
    add({Block::Text, text, {}, {}});
}

void RecordingReportWriter::writeGridTable(const std::vector<QStringList>& rows) {
    add({Block::GridTable, {}, rows, {}});
}

void RecordingReportWriter::writePairsTable(const std::vector<std::pair<QString, QString>>& pairs) {
    std::vector<QStringList> rows;
    rows.reserve(pairs.size());
    for (const auto& [label, value] : pairs)
        rows.push_back({label, value});
    add({Block::PairsTable, {}, std::move(rows), {}});
}

void RecordingReportWriter::insertPicture(const QImage& picture) {
    add({Block::Picture, {}, {}, picture.size()});
}

QString RecordingReportWriter::closeReport() {
    add({Block::Close, {}, {}, {}});
    return {};
}

QStringList RecordingReportWriter::summary() const {
    QStringList lines;
    for (const Block& block : m_blocks) {
        switch (block.kind) {
        case Block::Open:
            lines << QStringLiteral("open");
            break;
        case Block::Title:
            lines << QStringLiteral("title: ") + block.text;
            break;
        case Block::Heading:
            lines << QStringLiteral("heading: ") + block.text;
            break;
        case Block::Text:
            lines << QStringLiteral("text: ") + block.text;
            break;
        case Block::GridTable: {
            qsizetype columns = 0;
            for (const QStringList& row : block.rows)
                columns = std::max(columns, row.size());
            lines << QStringLiteral("grid %1x%2").arg(block.rows.size()).arg(columns);
            break;
        }
        case Block::PairsTable:
            lines << QStringLiteral("pairs %1").arg(block.rows.size());
            break;
        case Block::Picture:
            lines << QStringLiteral("picture %1x%2")
                         .arg(block.pictureSize.width())
                         .arg(block.pictureSize.height());
            break;
        case Block::Close:
            lines << QStringLiteral("close");
            break;
        }
    }
    return lines;
}

} // namespace ses
