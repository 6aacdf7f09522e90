#include "data/csv.h"

#include "lib/file_read.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>

#include <QDir>
#include <QIODevice>
#include <QSaveFile>
#include <functional>

namespace ses {

CsvReader::CsvReader(QIODevice& in, QChar separator, qint64 limit)
    : m_in(in), m_decoder(QStringDecoder::Utf8, QStringConverter::Flag::Stateless), m_limit(limit),
      m_separator(separator) {}

bool CsvReader::fail(int line, const QString& text) {
    m_errorLine = line;
    m_errorText = text;
    m_error = QStringLiteral("Строка %1: %2").arg(line).arg(text);
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
        m_read += raw.size();
        if (m_read > m_limit)
            return fail(m_line, QStringLiteral("файл больше наибольшего размера читаемого файла "
                                               "(%1 МБ).")
                                    .arg(m_limit / (1024 * 1024)));
        QString text = m_decoder(raw);
        if (m_decoder.hasError())
            return fail(m_line, QStringLiteral("текст не в кодировке UTF-8. Сохраните файл в "
                                               "кодировке UTF-8."));
        // A zero character is no text of a table: stored, it would cut the value short.
        if (text.contains(QChar(0)))
            return fail(m_line, QStringLiteral("в тексте символ с кодом 0 (файл не текстовый или "
                                               "поврежден)."));
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
                    return fail(m_line, QStringLiteral("кавычка внутри поля без кавычек."));
                inQuotes = fieldQuoted = true;
            } else if (c == m_separator) {
                record << field;
                field.clear();
                fieldQuoted = false;
            } else if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
                // A line end outside quotes ends the record (CR LF is read as LF).
            } else {
                if (fieldQuoted)
                    return fail(m_line, QStringLiteral("текст после закрывающей кавычки."));
                field += c;
            }
        }
        if (!inQuotes) {
            record << field;
            return true;
        }
    }
    if (inQuotes)
        return fail(line, QStringLiteral("кавычка не закрыта до конца файла."));
    return false;
}

namespace {

// Every record of the reader into a table; the field counts checked against the header's. A
// refusal of a line is told as where(line) + its text.
std::optional<CsvTable> readAll(CsvReader& reader, QString* error,
                                const std::function<QString(int)>& where, const QString& empty) {
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
            return failed(where(line) + QStringLiteral("%1 полей, а в заголовке %2.")
                                            .arg(record.size())
                                            .arg(t.header.size()));
        t.rows.push_back(record);
        t.lineNumbers.push_back(line);
    }
    if (!reader.error().isEmpty())
        return failed(where(reader.errorLine()) + reader.errorText());
    if (t.header.isEmpty())
        return failed(empty);
    return t;
}

} // namespace

std::optional<CsvTable> parseCsv(const QString& input, QString* error) {
    QByteArray bytes = input.toUtf8();
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    CsvReader reader(buffer);
    return readAll(
        reader, error, [](int line) { return QStringLiteral("Строка %1: ").arg(line); },
        QStringLiteral("Файл пуст: нет строки заголовка."));
}

std::optional<CsvTable> readCsvFile(const QString& path, QString* error) {
    QString refusal = fileRefusal(path);
    QFile in(path);
    if (refusal.isEmpty() && !in.open(QIODevice::ReadOnly))
        refusal = QStringLiteral("Файл \"%1\" не открывается: %2.")
                      .arg(QDir::toNativeSeparators(path), in.errorString());
    if (!refusal.isEmpty()) {
        if (error)
            *error = refusal;
        return std::nullopt;
    }
    CsvReader reader(in, QLatin1Char(','), kMaxReadBytes);
    const QString name = QFileInfo(path).fileName();
    return readAll(
        reader, error,
        [&](int line) { return QStringLiteral("Файл \"%1\", строка %2: ").arg(name).arg(line); },
        QStringLiteral("Файл \"%1\" пуст: нет строки заголовка.").arg(name));
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
