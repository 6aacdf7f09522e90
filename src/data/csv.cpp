#include "data/csv.h"

#include <QBuffer>
#include <QDir>
#include <QIODevice>
#include <QSaveFile>

namespace ses {

CsvReader::CsvReader(QIODevice& in, QChar separator)
    : m_in(in), m_decoder(QStringDecoder::Utf8, QStringConverter::Flag::Stateless),
      m_separator(separator) {}

bool CsvReader::fail(const QString& message) {
    m_error = message;
    return false;
}

bool CsvReader::next(QStringList& record, int& line) {
    if (!m_error.isEmpty())
        return false;
    record.clear();
    QString field;
    bool inQuotes = false, fieldQuoted = false, started = false;
    while (!m_in.atEnd()) {
        const QByteArray raw = m_in.readLine();
        ++m_line;
        QString text = m_decoder(raw);
        if (m_decoder.hasError())
            return fail(QStringLiteral("Строка %1: текст не в кодировке UTF-8. Сохраните файл в "
                                       "кодировке UTF-8.")
                            .arg(m_line));
        if (m_first) {
            m_first = false;
            if (text.startsWith(QChar(0xFEFF)))
                text.remove(0, 1);
        }
        if (!started) {
            // Blank lines between records carry no row.
            if (text.trimmed().isEmpty())
                continue;
            started = true;
            line = m_line;
        }
        for (qsizetype i = 0; i < text.size(); ++i) {
            const QChar c = text[i];
            if (inQuotes) {
                if (c == QLatin1Char('"')) {
                    if (i + 1 < text.size() && text[i + 1] == QLatin1Char('"')) {
                        field += c;
                        ++i;
                    } else {
                        inQuotes = false;
                    }
                } else {
                    field += c;
                }
                continue;
            }
            if (c == QLatin1Char('"')) {
                if (!field.isEmpty() || fieldQuoted)
                    return fail(
                        QStringLiteral("Строка %1: кавычка внутри поля без кавычек.").arg(m_line));
                inQuotes = fieldQuoted = true;
            } else if (c == m_separator) {
                record << field;
                field.clear();
                fieldQuoted = false;
            } else if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
                // A line end outside quotes ends the record (CR LF is read as LF).
            } else {
                if (fieldQuoted)
                    return fail(
                        QStringLiteral("Строка %1: текст после закрывающей кавычки.").arg(m_line));
                field += c;
            }
        }
        if (!inQuotes) {
            record << field;
            return true;
        }
    }
    if (inQuotes)
        return fail(QStringLiteral("Строка %1: кавычка не закрыта до конца файла.").arg(line));
    return false;
}

std::optional<CsvTable> parseCsv(const QString& input, QString* error) {
    QByteArray bytes = input.toUtf8();
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    CsvReader reader(buffer);
    CsvTable t;
    QStringList record;
    int line = 0;
    const auto failed = [&](const QString& message) {
        if (error)
            *error = message;
        return std::nullopt;
    };
    while (reader.next(record, line)) {
        if (t.header.isEmpty()) {
            t.header = record;
            continue;
        }
        if (record.size() != t.header.size())
            return failed(QStringLiteral("Строка %1: %2 полей, а в заголовке %3.")
                              .arg(line)
                              .arg(record.size())
                              .arg(t.header.size()));
        t.rows.push_back(record);
        t.lineNumbers.push_back(line);
    }
    if (!reader.error().isEmpty())
        return failed(reader.error());
    if (t.header.isEmpty())
        return failed(QStringLiteral("Файл пуст: нет строки заголовка."));
    return t;
}

QString csvField(const QString& value, QChar separator) {
    if (value.contains(separator) || value.contains(QLatin1Char('"')) ||
        value.contains(QLatin1Char('\n')) || value.contains(QLatin1Char('\r'))) {
        QString v = value;
        v.replace(QLatin1String("\""), QLatin1String("\"\""));
        return QLatin1Char('"') + v + QLatin1Char('"');
    }
    return value;
}

QString csvLine(const QStringList& fields, QChar separator) {
    QStringList out;
    for (const QString& f : fields)
        out << csvField(f, separator);
    return out.join(separator);
}

bool writeSpreadsheetCsv(const QString& path, const std::vector<QStringList>& rows,
                         QString* error) {
    QSaveFile out(path);
    const auto failed = [&] {
        if (error)
            *error = QStringLiteral("Не удалось записать файл \"%1\" (%2).")
                         .arg(QDir::toNativeSeparators(path), out.errorString());
        out.cancelWriting();
        return false;
    };
    if (!out.open(QIODevice::WriteOnly))
        return failed();
    QByteArray bytes("\xEF\xBB\xBF");
    for (const QStringList& row : rows)
        bytes += (csvLine(row, QLatin1Char(';')) + QStringLiteral("\r\n")).toUtf8();
    if (out.write(bytes) != bytes.size())
        return failed();
    if (!out.commit())
        return failed();
    return true;
}

} // namespace ses
