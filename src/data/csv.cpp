#include "data/csv.h"

namespace ses {

std::optional<CsvTable> parseCsv(const QString& input, QString* error)
{
    QString text = input;
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    std::vector<QStringList> records;
    std::vector<int> lines;
    QStringList record;
    QString field;
    bool inQuotes = false, fieldQuoted = false, recordStarted = false;
    int line = 1, recordLine = 1;
    const auto endField = [&] {
        record << field;
        field.clear();
        fieldQuoted = false;
    };
    const auto endRecord = [&] {
        endField();
        records.push_back(record);
        lines.push_back(recordLine);
        record.clear();
        recordStarted = false;
    };
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (!recordStarted) {
            recordStarted = true;
            recordLine = line;
        }
        if (inQuotes) {
            if (c == QLatin1Char('"')) {
                if (i + 1 < text.size() && text[i + 1] == QLatin1Char('"')) {
                    field += c;
                    ++i;
                } else {
                    inQuotes = false;
                }
            } else {
                if (c == QLatin1Char('\n'))
                    ++line;
                field += c;
            }
            continue;
        }
        if (c == QLatin1Char('"')) {
            if (!field.isEmpty() || fieldQuoted) {
                if (error)
                    *error = QStringLiteral("Строка %1: кавычка внутри поля без кавычек.").arg(line);
                return std::nullopt;
            }
            inQuotes = fieldQuoted = true;
        } else if (c == QLatin1Char(',')) {
            endField();
        } else if (c == QLatin1Char('\r')) {
            // CR LF line ends are read as LF.
        } else if (c == QLatin1Char('\n')) {
            endRecord();
            ++line;
        } else {
            if (fieldQuoted) {
                if (error)
                    *error = QStringLiteral("Строка %1: текст после закрывающей кавычки.").arg(line);
                return std::nullopt;
            }
            field += c;
        }
    }
    if (inQuotes) {
        if (error)
            *error = QStringLiteral("Строка %1: кавычка не закрыта до конца файла.").arg(recordLine);
        return std::nullopt;
    }
    if (recordStarted)
        endRecord();
    // Blank lines carry no row.
    CsvTable t;
    for (size_t i = 0; i < records.size(); ++i) {
        if (records[i].size() == 1 && records[i][0].isEmpty())
            continue;
        if (t.header.isEmpty()) {
            t.header = records[i];
            continue;
        }
        if (records[i].size() != t.header.size()) {
            if (error)
                *error = QStringLiteral("Строка %1: %2 полей, а в заголовке %3.")
                             .arg(lines[i])
                             .arg(records[i].size())
                             .arg(t.header.size());
            return std::nullopt;
        }
        t.rows.push_back(records[i]);
        t.lineNumbers.push_back(lines[i]);
    }
    if (t.header.isEmpty()) {
        if (error)
            *error = QStringLiteral("Файл пуст: нет строки заголовка.");
        return std::nullopt;
    }
    return t;
}

QString csvField(const QString& value)
{
    if (value.contains(QLatin1Char(',')) || value.contains(QLatin1Char('"'))
        || value.contains(QLatin1Char('\n')) || value.contains(QLatin1Char('\r'))) {
        QString v = value;
        v.replace(QLatin1String("\""), QLatin1String("\"\""));
        return QLatin1Char('"') + v + QLatin1Char('"');
    }
    return value;
}

QString csvLine(const QStringList& fields)
{
    QStringList out;
    for (const QString& f : fields)
        out << csvField(f);
    return out.join(QLatin1Char(','));
}

} // namespace ses
