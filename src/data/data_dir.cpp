#include "data/data_dir.h"

#include "data/book_figures.h"

#include "data/csv.h"
#include "data/data_module.h"
#include "lib/file_read.h"
#include "lib/months.h"
#include "lib/numbers.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QLockFile>
#include <QSaveFile>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTextStream>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

// The starter catalogs live in a resource of an object library; referencing its initialiser keeps
// the linker from dropping it.
static void initStarterResources() {
    Q_INIT_RESOURCE(starter_data);
}

namespace ses {

namespace {

QString readText(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw DbError(DbError::Kind::General, QStringLiteral("Не удалось прочитать файл \"%1\".")
                                                  .arg(QDir::toNativeSeparators(path)));
    return QString::fromUtf8(f.readAll());
}

CsvTable parseOrThrow(const QString& text, const QString& source) {
    QString error;
    auto t = parseCsv(text, &error);
    if (!t)
        throw DbError(
            DbError::Kind::General,
            QStringLiteral("Файл \"%1\" имеет неверный формат CSV. %2").arg(source, error));
    return *t;
}

const TableDef& tableOrThrow(const QString& name) {
    const TableDef* t = findTable(name);
    if (!t)
        throw DbError(DbError::Kind::General,
                      QStringLiteral("Неизвестная таблица \"%1\".").arg(name));
    return *t;
}

// Navigation guards protect the user's work in the windows; an import moves the views itself.
class ScrollGuardsOff {
public:
    explicit ScrollGuardsOff(TDataModule1& dm) {
        for (const QString& name : TDataModule1::openOrder()) {
            View& v = dm.tbl(name);
            if (v.beforeScroll)
                m_saved.emplace_back(&v, std::exchange(v.beforeScroll, nullptr));
        }
    }
    ~ScrollGuardsOff() {
        for (auto& [v, h] : m_saved)
            v->beforeScroll = std::move(h);
    }

private:
    std::vector<std::pair<View*, std::function<void(View&)>>> m_saved;
};

// Makes the row with key kod current in the module's view of table, moving its masters first.
bool positionOn(TDataModule1& dm, const QString& table, const QVariant& kod) {
    View& v = dm.tbl(table);
    if (View* m = v.master()) {
        QSqlQuery q(dm.store().db());
        q.prepare(
            QStringLiteral("SELECT \"Kod0\" FROM \"%1\" WHERE \"Kod\"=?").arg(v.table().name));
        q.addBindValue(kod);
        if (!q.exec() || !q.next() || !positionOn(dm, m->table().name, q.value(0)))
            return false;
    }
    return v.locate(QStringLiteral("Kod"), kod) || (!v.isEmpty() && v.currentKey() == kod);
}

bool isOpenedByModule(const QString& table) {
    for (const QString& n : TDataModule1::openOrder())
        if (n.compare(table, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

void setFromCsv(Field f, const QString& text) {
    switch (f.def().type) {
    case ColType::Number: {
        if (text.trimmed().isEmpty()) {
            f.clear();
            return;
        }
        const auto d = parseNumber(text);
        if (!d)
            throw DbError(
                DbError::Kind::BadValue,
                QStringLiteral("\"%1\" - недопустимое значение поля \"%2\".").arg(text, f.name()));
        f.setFloat(*d);
        return;
    }
    default:
        f.setString(text);
    }
}

QString toCsv(const ColumnDef& c, const QVariant& v) {
    if (v.isNull())
        return {};
    switch (c.type) {
    // The shortest text that reads back as the same double: an import of the export gives the
    // table again to the last bit.
    case ColType::Number:
        return QString::number(v.toDouble(), 'f', QLocale::FloatingPointShortest);
    case ColType::Logical:
        return v.toInt() ? QStringLiteral("1") : QStringLiteral("0");
    default:
        return v.toString();
    }
}

void insertDaylightRows(Store& store) {
    // The twelve fixed rows come with the schema: the tables refuse inserts afterwards. Each
    // table takes its starter file when there is one, else the months with empty times.
    for (const char* table : {"sSun_day", "sSun_day_def"}) {
        const QString name = QString::fromLatin1(table);
        const QString res = QStringLiteral(":/data/%1.csv").arg(name);
        std::optional<CsvTable> csv;
        if (QFile::exists(res))
            csv = parseOrThrow(readText(res), name + QStringLiteral(".csv"));
        for (int m = 1; m <= 12; ++m) {
            QVariant rise, set;
            if (csv) {
                const qsizetype monthCol = csv->header.indexOf(QStringLiteral("MonthName"));
                const qsizetype riseCol = csv->header.indexOf(QStringLiteral("Voshod10"));
                const qsizetype setCol = csv->header.indexOf(QStringLiteral("Zakat10"));
                for (const QStringList& row : csv->rows)
                    if (monthCol >= 0 && riseCol >= 0 && setCol >= 0 &&
                        row[monthCol] == monthNames()[m - 1]) {
                        const auto r = parseNumber(row[riseCol]);
                        const auto s = parseNumber(row[setCol]);
                        rise = r ? QVariant(*r) : QVariant();
                        set = s ? QVariant(*s) : QVariant();
                    }
            }
            store.exec(QStringLiteral(
                           "INSERT INTO \"%1\" (\"Kod\",\"MonthName\",\"Voshod10\",\"Zakat10\") "
                           "VALUES (?,?,?,?)")
                           .arg(name),
                       {m, monthNames()[m - 1], rise, set});
        }
    }
}

} // namespace

namespace {

// Every row from next() through the table's rules; a refused row is reported with its line and the
// import goes on, so that one run names every bad line.
ImportReport importRecords(TDataModule1& dm, const TableDef& t, const QStringList& header,
                           const std::function<bool(QStringList&, int&)>& next,
                           const std::function<QString(int)>& at) {
    for (const QString& h : header) {
        const ColumnDef* c = t.column(h);
        if (!c || c->calculated)
            throw DbError(
                DbError::Kind::General,
                QStringLiteral("Таблица \"%1\" не имеет хранимого поля \"%2\".").arg(t.name, h));
    }
    ImportReport report;
    auto& prompter = static_cast<RecordingPrompter&>(dm.prompter());
    const bool viaModule = isOpenedByModule(t.name);
    std::unique_ptr<View> own;
    if (!viaModule)
        own = std::make_unique<View>(dm.store(), t.name, t.defaultIndex);
    View& v = viaModule ? dm.tbl(t.name) : *own;
    ScrollGuardsOff guards(dm);
    const int kod0Col = int(header.indexOf(QStringLiteral("Kod0")));
    const int kodCol = int(header.indexOf(QStringLiteral("Kod")));
    QSqlQuery taken(dm.store().db());
    taken.prepare(QStringLiteral("SELECT 1 FROM \"%1\" WHERE \"Kod\" = ?").arg(t.name));
    QStringList row;
    int line = 0;
    while (next(row, line)) {
        const QString where = at(line);
        prompter.clear();
        // A key given in the file and taken already is named as it is, not as the index that
        // happens to report it.
        if (kodCol >= 0 && !row[kodCol].trimmed().isEmpty()) {
            taken.addBindValue(row[kodCol].trimmed());
            if (!taken.exec())
                dm.store().fail(taken);
            const bool exists = taken.next();
            taken.finish();
            if (exists) {
                report.refusals << where +
                                       QStringLiteral(
                                           "в таблице \"%1\" уже есть запись с ключом Kod = %2.")
                                           .arg(t.name, row[kodCol].trimmed());
                continue;
            }
        }
        try {
            if (viaModule && t.hasMaster()) {
                if (kod0Col < 0)
                    throw DbError(
                        DbError::Kind::General,
                        QStringLiteral("нет поля Kod0 для связи с таблицей \"%1\".").arg(t.master));
                const QVariant kod0 = row[kod0Col].toInt();
                if (!positionOn(dm, t.master, kod0))
                    throw DbError(DbError::Kind::General,
                                  QStringLiteral("в таблице \"%1\" нет записи с Kod = %2.")
                                      .arg(t.master, row[kod0Col]));
            }
            if (!v.append()) {
                report.refusals << where + prompter.last();
                continue;
            }
            for (int c = 0; c < header.size(); ++c) {
                if (viaModule && c == kod0Col)
                    continue; // taken from the master row by append
                setFromCsv(v[header[c]], row[c]);
            }
            if (!v.post()) {
                report.refusals << where + prompter.last();
                v.cancel();
                continue;
            }
            ++report.imported;
        } catch (const DbError& e) {
            v.cancel();
            // A row the data refuse is reported and the import goes on to tell every such line;
            // a failing store ends it at once, its transaction already gone.
            if (!e.isRowRefusal() && e.kind() != DbError::Kind::General)
                throw;
            report.refusals << where + e.message();
        }
    }
    return report;
}

} // namespace

ImportReport importRows(TDataModule1& dm, const TableDef& t, const CsvTable& csv) {
    size_t i = 0;
    return importRecords(
        dm, t, csv.header,
        [&](QStringList& row, int& line) {
            if (i >= csv.rows.size())
                return false;
            row = csv.rows[i];
            line = csv.lineNumbers[i];
            ++i;
            return true;
        },
        [](int line) { return QStringLiteral("Строка %1: ").arg(line); });
}

namespace {

// The mark inside a folder where this program builds a database: a lock file naming the
// process, held for as long as the build runs.
const QString kBuildMark = QStringLiteral("TovrelSES11.build");

// The programs of this project that write the mark: the program ("Tovrel SES 1.1"), the data
// tool and the screen tour ("tovrel-ses-..."), the tests and benchmarks.
bool isOurProgram(const QString& app) {
    for (const char* prefix : {"Tovrel SES", "tovrel-ses", "test_", "bench_"})
        if (app.startsWith(QLatin1String(prefix)))
            return true;
    return false;
}

} // namespace

bool createDataDirectory(const QString& dir, const std::function<void(const QString&)>& fill) {
    if (QFileInfo::exists(dir) && !QFileInfo(dir).isDir())
        throw DbError(DbError::Kind::General, missingDirectory(dir));
    if (!QDir().mkpath(dir))
        throw DbError(DbError::Kind::ReadOnly,
                      QStringLiteral("Не удалось создать каталог данных \"%1\". Проверьте права на "
                                     "запись в родительский каталог.")
                          .arg(QDir::toNativeSeparators(dir)));
    const QString target = Store::databasePath(dir);
    if (QFileInfo::exists(target))
        return false;
    // The database is built in a private folder beside the final name and linked in only when
    // complete: the link is atomic and refuses a taken name, so two processes never build over
    // each other, a killed one leaves no half-built database, and nothing is ever deleted that
    // this process did not make.
    // What a killed build left behind: only folders this program made, told by the mark it
    // holds inside while it builds (a lock naming the process), and only once that process is
    // gone. Anything else in the folder, of whatever name or age, is the user's and stays.
    for (const QFileInfo& left : QDir(dir).entryInfoList(
             {QStringLiteral(".new-*")}, QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot)) {
        const QString mark = QDir(left.absoluteFilePath()).filePath(kBuildMark);
        if (!QFileInfo(mark).isFile())
            continue;
        QLockFile builder(mark);
        builder.setStaleLockTime(0);
        qint64 pid = 0;
        QString host, app;
        if (!builder.getLockInfo(&pid, &host, &app) || !isOurProgram(app))
            continue;
        if (builder.tryLock(0)) // its process is gone: the lock was stale and is ours now
            QDir(left.absoluteFilePath()).removeRecursively();
    }
    QTemporaryDir work(QDir(dir).filePath(QStringLiteral(".new-XXXXXX")));
    if (!work.isValid())
        throw DbError(DbError::Kind::ReadOnly,
                      QStringLiteral("Не удалось создать временный каталог в \"%1\": %2. Проверьте "
                                     "права на запись и свободное место.")
                          .arg(QDir::toNativeSeparators(dir), work.errorString()));
    QLockFile mark(QDir(work.path()).filePath(kBuildMark));
    mark.setStaleLockTime(0);
    if (!mark.tryLock(0))
        throw DbError(DbError::Kind::DiskFull,
                      QStringLiteral("Не удалось записать в каталог \"%1\": нет места на диске "
                                     "или нет прав на запись.")
                          .arg(QDir::toNativeSeparators(dir)));
    fill(work.path());
    const QByteArray from = QFile::encodeName(Store::databasePath(work.path()));
    const QByteArray to = QFile::encodeName(target);
    if (::link(from.constData(), to.constData()) == 0)
        return true;
    if (errno == EEXIST)
        return false;
    const int error = errno;
    throw DbError(
        error == ENOSPC ? DbError::Kind::DiskFull : DbError::Kind::ReadOnly,
        QStringLiteral("Не удалось записать базу данных \"%1\": %2.")
            .arg(QDir::toNativeSeparators(target), QString::fromLocal8Bit(std::strerror(error))));
}

void fillDataDirectory(const QString& dir, InitContent content) {
    initStarterResources();
    auto store = Store::create(dir);
    Transaction tr(*store);
    insertDaylightRows(*store);
    if (content == InitContent::StarterCatalogs) {
        RecordingPrompter prompter;
        TDataModule1 dm(*store, prompter);
        QStringList problems;
        for (const TableDef& t : allTables()) {
            const QString res = QStringLiteral(":/data/%1.csv").arg(t.name);
            if (t.name.startsWith(QLatin1String("sSun_day")) || !QFile::exists(res))
                continue;
            const auto report =
                importRows(dm, t, parseOrThrow(readText(res), t.name + QStringLiteral(".csv")));
            for (const QString& r : report.refusals)
                problems << t.name + QStringLiteral(".csv, ") + r;
        }
        if (!problems.isEmpty())
            throw DbError(DbError::Kind::General,
                          QStringLiteral("Стартовые справочники не приняты правилами таблиц:\n") +
                              problems.join('\n'));
        // The books come as rows only; their schedules' figures are the books' own build, so
        // that a schedule is usable (and the books' windows let the user move) from the start.
        buildBookFigures(*store);
    }
    tr.commit();
}

void initDataDirectory(const QString& dir, InitContent content) {
    if (!createDataDirectory(dir,
                             [content](const QString& work) { fillDataDirectory(work, content); }))
        throw DbError(DbError::Kind::General,
                      QStringLiteral("В каталоге \"%1\" уже есть база данных; она не будет "
                                     "перезаписана.")
                          .arg(QDir::toNativeSeparators(dir)));
}

namespace {

// The rows the program cannot work without: the twelve day-light months of the settings and of
// the factory, at most one settings row, and a default variant (when there is one) with its months.
QStringList missingRequiredRows(Store& store) {
    QStringList problems;
    QSqlQuery q(store.db());
    for (const char* table : {"sSun_day", "sSun_day_def"}) {
        if (!q.exec(QStringLiteral("SELECT MonthName FROM \"%1\" ORDER BY Kod")
                        .arg(QString::fromLatin1(table))))
            continue; // a missing table is told by the layout check
        QStringList months;
        while (q.next())
            months << q.value(0).toString();
        if (months != monthNames())
            problems << QStringLiteral(
                            "Таблица \"%1\": должны быть 12 строк месяцев с января по декабрь "
                            "(в файле %2).")
                            .arg(QString::fromLatin1(table))
                            .arg(months.size());
    }
    for (const char* table : {"param", "ParVarDef"})
        if (q.exec(QStringLiteral("SELECT COUNT(*) FROM \"%1\"").arg(QString::fromLatin1(table))) &&
            q.next() && q.value(0).toLongLong() > 1)
            problems << QStringLiteral(
                            "Таблица \"%1\": допускается не более одной строки (в файле %2).")
                            .arg(QString::fromLatin1(table))
                            .arg(q.value(0).toLongLong());
    if (q.exec(QStringLiteral(
            "SELECT (SELECT COUNT(*) FROM ParVarDef), (SELECT COUNT(*) FROM ParVarDef1)")) &&
        q.next() && q.value(0).toLongLong() == 1 && q.value(1).toLongLong() != 12)
        problems << QStringLiteral(
                        "Таблица \"ParVarDef1\": у варианта по умолчанию должно быть 12 строк "
                        "месяцев (в файле %1).")
                        .arg(q.value(1).toLongLong());
    return problems;
}

} // namespace

CheckReport checkDataDirectory(const QString& dir) {
    // Inspection changes nothing: the file is opened for reading only.
    auto store = Store::openReadOnly(dir);
    CheckReport r;
    QSqlQuery q(store->db());
    // The engine's own checks of the file: pages, indexes, declared links.
    if (q.exec(QStringLiteral("PRAGMA integrity_check"))) {
        QStringList damage;
        while (q.next())
            if (q.value(0).toString() != QLatin1String("ok"))
                damage << q.value(0).toString();
        if (!damage.isEmpty()) {
            r.ok = false;
            r.problems << QStringLiteral("Файл базы данных поврежден: %1")
                              .arg(damage.mid(0, 10).join(QStringLiteral("; ")));
        }
    } else {
        r.ok = false;
        r.problems << storeError(q.lastError(), Store::databasePath(dir)).message();
        return r;
    }
    if (q.exec(QStringLiteral("PRAGMA foreign_key_check"))) {
        while (q.next()) {
            r.ok = false;
            r.problems << QStringLiteral("Таблица \"%1\": строка %2 ссылается на отсутствующую "
                                         "запись таблицы \"%3\".")
                              .arg(q.value(0).toString(), q.value(1).toString(),
                                   q.value(2).toString());
        }
    }
    for (const QString& p : missingRequiredRows(*store)) {
        r.ok = false;
        r.problems << p;
    }
    for (const TableDef& t : allTables()) {
        // Columns: names, order and storage types as declared.
        QStringList actual;
        if (q.exec(QStringLiteral("PRAGMA table_info(\"%1\")").arg(t.name)))
            while (q.next())
                actual << q.value(1).toString();
        if (actual.isEmpty()) {
            r.ok = false;
            r.problems << QStringLiteral("Таблица \"%1\": нет в файле.").arg(t.name);
            continue;
        }
        if (actual != t.storedColumns()) {
            r.ok = false;
            r.problems << QStringLiteral("Таблица \"%1\": поля в файле (%2) не совпадают с "
                                         "описанием (%3).")
                              .arg(t.name, actual.join(QStringLiteral(", ")),
                                   t.storedColumns().join(QStringLiteral(", ")));
            continue;
        }
        const qint64 rows = store->count(t.name);
        QStringList cols;
        for (const ColumnDef& c : t.columns)
            cols << c.name + QLatin1Char(' ') + columnTypeName(c) +
                        (c.calculated ? QStringLiteral(" (вычисляемое)") : QString());
        r.lines << QStringLiteral("%1 (%2): %3 зап.; поля: %4")
                       .arg(t.name, t.fileName)
                       .arg(rows)
                       .arg(cols.join(QStringLiteral(", ")));
        if (t.hasMaster()) {
            q.exec(QStringLiteral(
                       "SELECT COUNT(*) FROM \"%1\" WHERE \"Kod0\" IS NULL OR \"Kod0\" NOT IN "
                       "(SELECT \"Kod\" FROM \"%2\")")
                       .arg(t.name, t.master));
            if (q.next() && q.value(0).toLongLong() > 0) {
                r.ok = false;
                r.problems << QStringLiteral(
                                  "Таблица \"%1\": %2 зап. без записи главной таблицы \"%3\".")
                                  .arg(t.name)
                                  .arg(q.value(0).toLongLong())
                                  .arg(t.master);
            }
        }
        for (const ColumnDef& c : t.columns) {
            if (c.type != ColType::Text)
                continue;
            q.exec(QStringLiteral("SELECT COUNT(*) FROM \"%1\" WHERE length(\"%2\") > %3")
                       .arg(t.name, c.name)
                       .arg(c.width));
            if (q.next() && q.value(0).toLongLong() > 0) {
                r.ok = false;
                r.problems << QStringLiteral(
                                  "Таблица \"%1\", поле \"%2\": %3 зап. длиннее %4 символов.")
                                  .arg(t.name, c.name)
                                  .arg(q.value(0).toLongLong())
                                  .arg(c.width);
            }
        }
    }
    return r;
}

namespace {

bool sameFile(const QString& a, const QString& b) {
    struct stat sa {
    }, sb{};
    const QByteArray pa = QFile::encodeName(a), pb = QFile::encodeName(b);
    return ::stat(pa.constData(), &sa) == 0 && ::stat(pb.constData(), &sb) == 0 &&
           sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

// An export never writes over the database, its journal files or any other file of the data
// directory but a CSV, wherever the name given points (links included).
void refuseExportTarget(const QString& dir, const QString& file) {
    const QString shown = QDir::toNativeSeparators(file);
    const QString db = Store::databasePath(dir);
    for (const QString& own : {db, db + QStringLiteral("-wal"), db + QStringLiteral("-shm"),
                               QDir(dir).filePath(QString::fromLatin1(kLockFileName))})
        if (sameFile(own, file) ||
            QFileInfo(file).absoluteFilePath() == QFileInfo(own).absoluteFilePath())
            throw DbError(
                DbError::Kind::General,
                QStringLiteral("Выгрузка отменена: \"%1\" - файл базы данных программы, он не "
                               "будет перезаписан. Укажите другой файл с расширением .csv.")
                    .arg(shown));
    const QFileInfo target(file);
    const QString dataDir = QFileInfo(dir).canonicalFilePath();
    const QString targetDir = QFileInfo(target.absolutePath()).canonicalFilePath();
    if (!dataDir.isEmpty() && targetDir == dataDir &&
        target.suffix().compare(QLatin1String("csv"), Qt::CaseInsensitive) != 0)
        throw DbError(
            DbError::Kind::General,
            QStringLiteral("Выгрузка отменена: в каталог данных выгружаются только файлы с "
                           "расширением .csv, \"%1\" не будет перезаписан.")
                .arg(shown));
}

} // namespace

void exportTable(const QString& dir, const QString& table, const QString& file) {
    const TableDef& t = tableOrThrow(table);
    refuseExportTarget(dir, file);
    auto store = Store::openReadOnly(dir);
    View v(*store, t.name, QStringLiteral("primary"));
    // Written to a temporary file beside the target and renamed over it only when complete: a
    // full disk leaves the old file as it was.
    QSaveFile out(file);
    const auto failed = [&] {
        const QString why = out.errorString();
        out.cancelWriting();
        return DbError(
            DbError::Kind::DiskFull,
            QStringLiteral("Не удалось записать файл \"%1\" (%2). Файл не изменен; проверьте "
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
    put(t.storedColumns());
    for (int r = 0; r < v.recordCount(); ++r) {
        QStringList fields;
        for (int c = 0; c < v.fieldCount(); ++c)
            if (!t.columns[c].calculated)
                fields << toCsv(t.columns[c], v.valueAt(r, c));
        put(fields);
    }
    if (!out.commit())
        throw failed();
}

ImportReport importTable(const QString& dir, const QString& table, const QString& file) {
    const TableDef& t = tableOrThrow(table);
    const QString shown = QDir::toNativeSeparators(file);
    const QString name = QFileInfo(file).fileName();
    const QString refusal = fileRefusal(file, kMaxImportBytes);
    if (!refusal.isEmpty())
        throw DbError(DbError::Kind::General, refusal);
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly))
        throw DbError(
            DbError::Kind::General,
            QStringLiteral("Файл \"%1\" не открывается: %2.").arg(shown, in.errorString()));
    CsvReader reader(in, QLatin1Char(','), kMaxImportBytes);
    QStringList header;
    int headerLine = 0;
    if (!reader.next(header, headerLine)) {
        if (!reader.error().isEmpty())
            throw DbError(DbError::Kind::General,
                          QStringLiteral("Файл \"%1\" имеет неверный формат CSV. %2")
                              .arg(shown, reader.error()));
        throw DbError(DbError::Kind::General,
                      QStringLiteral("Файл \"%1\" имеет неверный формат CSV. Файл пуст: нет строки "
                                     "заголовка.")
                          .arg(shown));
    }
    auto store = Store::open(dir);
    RecordingPrompter prompter;
    ImportReport report;
    {
        TDataModule1 dm(*store, prompter);
        Transaction tr(*store);
        // Rows are read as they are imported: the file never sits in memory whole. A malformed
        // line ends the import; nothing of it stays.
        report = importRecords(
            dm, t, header,
            [&](QStringList& row, int& line) {
                if (!reader.next(row, line)) {
                    if (!reader.error().isEmpty())
                        throw DbError(DbError::Kind::General,
                                      QStringLiteral("Файл \"%1\" имеет неверный формат CSV. %2")
                                          .arg(shown, reader.error()));
                    return false;
                }
                if (row.size() != header.size())
                    throw DbError(
                        DbError::Kind::General,
                        QStringLiteral(
                            "Файл \"%1\" имеет неверный формат CSV. Строка %2: %3 полей, а "
                            "в заголовке %4.")
                            .arg(shown)
                            .arg(line)
                            .arg(row.size())
                            .arg(header.size()));
                return true;
            },
            [&](int line) {
                return QStringLiteral("Файл \"%1\", строка %2: ").arg(name).arg(line);
            });
        if (report.ok())
            tr.commit();
    }
    if (!report.ok())
        report.imported = 0;
    return report;
}

QString csvValue(const ColumnDef& column, const QVariant& value) {
    return toCsv(column, value);
}

void setFieldFromCsv(Field field, const QString& text) {
    setFromCsv(field, text);
}

bool positionOnKey(TDataModule1& dm, const QString& table, const QVariant& kod) {
    return positionOn(dm, table, kod);
}

} // namespace ses
