#include "data/catalog_csv.h"

#include "data/book_figures.h"
#include "data/csv.h"
#include "data/data_dir.h"
#include "data/data_module.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QSaveFile>
#include <QSqlQuery>

#include <algorithm>

namespace ses {

namespace {

QString fileOf(const QString& folder, const QString& table) {
    return QDir(folder).filePath(table + QStringLiteral(".csv"));
}

QString shownName(const QString& table) {
    return table + QStringLiteral(".csv");
}

// The import's own view of the rules: every message is kept to be listed with its line, and a
// question (a region that variants name) is answered yes, since the import was asked for.
class ImportPrompter : public RecordingPrompter {
public:
    bool question(const QString& text) override {
        RecordingPrompter::question(text);
        return true;
    }
};

struct Importer {
    TDataModule1& dm;
    const CatalogDef& def;
    CatalogImportReport report;
    QHash<QString, QHash<QString, QVariant>> newKeys; // table -> key in the file -> key now

    void importTable(const QString& table, const CsvTable& csv, RecordingPrompter& prompter) {
        const TableDef& t = *findTable(table);
        View& v = dm.tbl(table);
        const int kodCol = int(csv.header.indexOf(QStringLiteral("Kod")));
        const int kod0Col = int(csv.header.indexOf(QStringLiteral("Kod0")));
        const bool linked = t.hasMaster() && def.tables.contains(t.master);
        const bool months = isMonthRowsTable(table);
        const int monthCol = months ? int(csv.header.indexOf(QStringLiteral("MonthName"))) : -1;
        // The field each file column goes to, looked up once per file rather than per cell; -1
        // for the columns that are not copied (keys, the month that finds the row).
        std::vector<int> fields;
        fields.reserve(csv.header.size());
        for (int c = 0; c < csv.header.size(); ++c) {
            const QString& column = csv.header[c];
            fields.push_back(column == QLatin1String("Kod") || column == QLatin1String("Kod0") ||
                                     (months && c == monthCol)
                                 ? -1
                                 : t.columnIndex(column));
        }
        QVariant master; // the master row the view stands under
        auto& keys = newKeys[table];
        // The rows of one master together: moving the master rereads its details, which must not
        // happen for every line of a file whose rows alternate between masters.
        std::vector<size_t> order(csv.rows.size());
        for (size_t r = 0; r < order.size(); ++r)
            order[r] = r;
        if (linked && kod0Col >= 0)
            std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
                // In the order of the masters' keys (numbers; text for anything else).
                bool okA = false, okB = false;
                const qlonglong ka = csv.rows[a][kod0Col].trimmed().toLongLong(&okA);
                const qlonglong kb = csv.rows[b][kod0Col].trimmed().toLongLong(&okB);
                if (okA && okB)
                    return ka < kb;
                if (okA != okB)
                    return okA;
                return csv.rows[a][kod0Col].trimmed() < csv.rows[b][kod0Col].trimmed();
            });
        std::vector<std::pair<int, QString>> refused; // line, text: listed in file order
        const auto refuse = [&](const QString&, int line, const QString& why) {
            refused.emplace_back(line, shownName(table) +
                                           QStringLiteral(", строка %1: ").arg(line) + why);
        };
        for (const size_t r : order) {
            const QStringList& row = csv.rows[r];
            const int line = csv.lineNumbers[r];
            prompter.clear();
            try {
                if (months) {
                    if (monthCol < 0 || !v.locate(QStringLiteral("MonthName"), row[monthCol])) {
                        refuse(table, line,
                               QStringLiteral("нет месяца \"%1\".")
                                   .arg(monthCol < 0 ? QString() : row[monthCol]));
                        continue;
                    }
                    if (!v.edit()) {
                        refuse(table, line, prompter.last());
                        continue;
                    }
                } else {
                    if (linked) {
                        const QString old = kod0Col < 0 ? QString() : row[kod0Col].trimmed();
                        const auto it = newKeys[t.master].constFind(old);
                        if (it == newKeys[t.master].constEnd()) {
                            refuse(table, line,
                                   QStringLiteral("нет записи с Kod = %1 в файле %2.")
                                       .arg(old, shownName(t.master)));
                            continue;
                        }
                        if (master != *it) {
                            if (!positionOnKey(dm, t.master, *it)) {
                                refuse(table, line, prompter.last());
                                continue;
                            }
                            master = *it;
                        }
                    }
                    // A key given twice would hang the second row's details on the first.
                    if (kodCol >= 0 && t.hasKod() && !row[kodCol].trimmed().isEmpty() &&
                        keys.contains(row[kodCol].trimmed())) {
                        refuse(table, line,
                               QStringLiteral("поле \"Kod\": ключ %1 уже был в файле.")
                                   .arg(row[kodCol].trimmed()));
                        continue;
                    }
                    if (!v.append()) {
                        refuse(table, line, prompter.last());
                        continue;
                    }
                }
                for (int c = 0; c < int(fields.size()); ++c)
                    if (fields[c] >= 0)
                        setFieldFromCsv(v.field(fields[c]), row[c]);
                if (!v.post()) {
                    refuse(table, line, prompter.last());
                    v.cancel();
                    continue;
                }
                if (kodCol >= 0 && t.hasKod())
                    keys.insert(row[kodCol].trimmed(), v.currentKey());
                ++report.imported;
            } catch (const DbError& e) {
                v.cancel();
                if (!e.isRowRefusal())
                    throw;
                refuse(table, line, e.message());
            }
        }
        std::stable_sort(refused.begin(), refused.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        for (auto& [line, text] : refused)
            report.refusals << text;
    }
};

} // namespace

bool isMonthRowsTable(const QString& table) {
    return table == QLatin1String("sSun_day") || table == QLatin1String("sSun_day_def");
}

void exportCatalog(TDataModule1& dm, const CatalogDef& def, const QString& folder) {
    if (!QDir().mkpath(folder))
        throw DbError(DbError::Kind::ReadOnly, QStringLiteral("Не удалось создать папку \"%1\".")
                                                   .arg(QDir::toNativeSeparators(folder)));
    for (const QString& table : def.tables) {
        const TableDef& t = *findTable(table);
        const QString file = fileOf(folder, table);
        QSaveFile out(file);
        const auto failed = [&] {
            const QString why = out.errorString();
            out.cancelWriting();
            return DbError(DbError::Kind::DiskFull,
                           QStringLiteral("Не удалось записать файл \"%1\" (%2). Проверьте "
                                          "свободное место и права на запись.")
                               .arg(QDir::toNativeSeparators(file), why));
        };
        if (!out.open(QIODevice::WriteOnly))
            throw failed();
        const auto put = [&](const QStringList& fields) {
            const QByteArray line = (csvLine(fields) + QLatin1Char('\n')).toUtf8();
            if (out.write(line) != line.size())
                throw failed();
        };
        const QStringList columns = t.storedColumns();
        put(columns);
        QStringList quoted;
        for (const QString& c : columns)
            quoted << QLatin1Char('"') + c + QLatin1Char('"');
        QSqlQuery q = dm.store().select(
            QStringLiteral("SELECT %1 FROM \"%2\" ORDER BY %3")
                .arg(quoted.join(QLatin1Char(',')), t.name,
                     t.hasKod() ? QStringLiteral("\"Kod\"") : QStringLiteral("rowid")));
        while (q.next()) {
            QStringList fields;
            for (int c = 0; c < columns.size(); ++c)
                fields << csvValue(*t.column(columns[c]), q.value(c));
            put(fields);
        }
        if (!out.commit())
            throw failed();
    }
}

CatalogImportReport importCatalog(TDataModule1& dm, const CatalogDef& def, const QString& folder,
                                  ImportMode mode) {
    // Every file is read and checked before anything is written.
    std::vector<CsvTable> files;
    CatalogImportReport early;
    for (const QString& table : def.tables) {
        const QString file = fileOf(folder, table);
        if (!QFileInfo(file).isFile()) {
            early.refusals << shownName(table) + QStringLiteral(": файл не найден в папке \"%1\".")
                                                     .arg(QDir::toNativeSeparators(folder));
            files.emplace_back();
            continue;
        }
        // The same reader as the table import: UTF-8 only, every record as wide as the header,
        // no more than the size limit; the message names the file and the line.
        QString error;
        auto csv = readCsvFile(file, &error);
        if (!csv) {
            early.refusals << error;
            files.emplace_back();
            continue;
        }
        const TableDef& t = *findTable(table);
        for (const QString& h : csv->header)
            if (!t.column(h) || t.column(h)->calculated)
                early.refusals
                    << shownName(table) +
                           QStringLiteral(": нет поля \"%1\" в таблице \"%2\".").arg(h, table);
        files.push_back(std::move(*csv));
    }
    if (!early.ok())
        return early;

    ImportPrompter prompter;
    Store& store = dm.store();
    CatalogImportReport report;
    {
        Transaction tr(store);
        {
            // The rules run in a module of their own, so that their messages are listed by line
            // instead of shown one by one.
            TDataModule1 module(store, prompter);
            // The book schedules are built once every row is in (below), not one by one.
            module.setScheduleBuildCheck(false);
            if (mode == ImportMode::Replace)
                for (auto it = def.tables.rbegin(); it != def.tables.rend(); ++it)
                    if (!isMonthRowsTable(*it))
                        store.exec(QStringLiteral("DELETE FROM \"%1\"").arg(*it));
            for (const QString& table : def.tables)
                if (!module.tbl(table).master())
                    module.tbl(table).refresh(); // its details follow
            Importer importer{module, def, {}, {}};
            for (int i = 0; i < def.tables.size(); ++i)
                importer.importTable(def.tables[i], files[i], prompter);
            report = importer.report;
        }
        QStringList scheduleTables;
        for (const char* t : {"sSut0", "sSutEP0", "sSutEP12_0"})
            if (def.tables.contains(QLatin1String(t)))
                scheduleTables << QString::fromLatin1(t);
        if (report.ok() && !scheduleTables.isEmpty())
            buildBookFigures(store, scheduleTables);
        if (report.ok())
            tr.commit();
    }
    // The caller's views of the catalog read what the file holds now (a rollback has already
    // reread every view).
    if (report.ok())
        for (const QString& table : def.tables)
            if (!dm.tbl(table).master())
                dm.tbl(table).refresh();
    return report;
}

} // namespace ses
