#pragma once
// CSV files of the data tool: UTF-8, a header of column names, RFC 4180 quoting, a decimal point
// in numbers, 1/0 for logical values, an empty field for null.

#include <QString>
#include <QStringDecoder>
#include <QStringList>
#include <limits>
#include <optional>
#include <vector>

class QIODevice;

namespace ses {

struct CsvTable {
    QStringList header;
    std::vector<QStringList> rows;
    std::vector<int> lineNumbers; // the line of the file each row starts on (1-based)
};

// Reads records one at a time from a device, so that a large file never sits in memory whole.
// Blank lines carry no record. Text that is not UTF-8, an unclosed quote or text after a closing
// quote stops the reading with an error naming the line.
class CsvReader {
public:
    // `separator` is ',' for the data tool's files, ';' for the spreadsheet tables. Reading
    // stops with an error past `limit` bytes (a pipe, whose size is not known beforehand).
    explicit CsvReader(QIODevice& in, QChar separator = QLatin1Char(','),
                       qint64 limit = std::numeric_limits<qint64>::max());
    // The next record and the line it starts on; false at the end or on an error.
    bool next(QStringList& record, int& line);
    // Why reading stopped early ("Строка N: ..."); empty at a normal end.
    const QString& error() const { return m_error; }
    // The same as its line and its text without the line.
    int errorLine() const { return m_errorLine; }
    const QString& errorText() const { return m_errorText; }

private:
    bool fail(int line, const QString& text);

    QIODevice& m_in;
    QStringDecoder m_decoder;
    QString m_error, m_errorText;
    int m_errorLine = 0;
    int m_line = 0;
    qint64 m_read = 0, m_limit;
    bool m_first = true;
    QChar m_separator;
};

// A CSV file read whole through the reader (never its text as one piece), with the field count
// of every record checked against the header's. On a refusal returns nullopt with `error` naming
// the line ("строка N: ...") or, for the file as a whole (not found, too large, empty), the cause.
std::optional<CsvTable> readCsvFile(const QString& path, QString* error);

// Parses text; on malformed input (an unclosed quote, a row whose field count differs from the
// header's) returns nullopt and sets error to a message naming the line.
std::optional<CsvTable> parseCsv(const QString& text, QString* error);
QString csvField(const QString& value, QChar separator = QLatin1Char(','));
QString csvLine(const QStringList& fields, QChar separator = QLatin1Char(','));

// A table as a spreadsheet with Russian settings opens it: UTF-8 with a byte-order mark, ";"
// between fields, CR LF after each row, RFC 4180 quoting; the texts are written as given (numbers
// already carry the decimal comma). Written to a temporary file beside `path` and renamed over it
// only when complete: on failure returns false with `error` set, and no file is left behind.
bool writeSpreadsheetCsv(const QString& path, const std::vector<QStringList>& rows, QString* error);

} // namespace ses
