#pragma once
// CSV files of the data tool: UTF-8, a header of column names, RFC 4180 quoting, a decimal point
// in numbers, 1/0 for logical values, an empty field for null.

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace ses {

struct CsvTable {
    QStringList header;
    std::vector<QStringList> rows;
    std::vector<int> lineNumbers; // the line of the file each row starts on (1-based)
};

// Parses text; on malformed input (an unclosed quote, a row whose field count differs from the
// header's) returns nullopt and sets error to a message naming the line.
std::optional<CsvTable> parseCsv(const QString& text, QString* error);
QString csvField(const QString& value);
QString csvLine(const QStringList& fields);

} // namespace ses
