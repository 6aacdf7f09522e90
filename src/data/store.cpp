#include "data/store.h"

#include "data/view.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QStorageInfo>
#include <QUrl>
#include <algorithm>
#include <atomic>

#include <sqlite3.h>

namespace ses {

namespace {

// Marks the file as ours ("TSES"), so that a foreign SQLite file is never mistaken for a project
// database.
constexpr int kApplicationId = 0x54534553;

QString nextConnectionName() {
    static std::atomic<int> n{0};
    return QStringLiteral("ses_store_%1").arg(++n);
}

// How long a statement waits for another process to release the database, ms.
constexpr int kBusyTimeoutMs = 5000;

QString nativePath(const QString& path) {
    return QDir::toNativeSeparators(path);
}

} // namespace

QString missingDirectory(const QString& dir) {
    if (QFileInfo::exists(dir) && !QFileInfo(dir).isDir())
        return QStringLiteral("\"%1\" - файл, а не каталог данных.").arg(nativePath(dir));
    return QStringLiteral("Каталог данных \"%1\" не найден.").arg(nativePath(dir));
}

QString dataDirectoryHolder(const QString& dir) {
    QLockFile lock(QDir(dir).filePath(QString::fromLatin1(kLockFileName)));
    qint64 pid = 0;
    QString host, app;
    if (!lock.getLockInfo(&pid, &host, &app) || pid <= 0)
        return QString();
    return app.isEmpty() ? QStringLiteral("процесс %1").arg(pid)
                         : QStringLiteral("процесс %1 (%2)").arg(pid).arg(app);
}

DataDirLock::DataDirLock(const QString& dir)
    : m_lock(std::make_unique<QLockFile>(QDir(dir).filePath(QString::fromLatin1(kLockFileName)))) {
    if (!QFileInfo(dir).isDir())
        throw DbError(DbError::Kind::General, missingDirectory(dir));
    // Held for as long as the program runs: never stale by age, only when its process is gone.
    m_lock->setStaleLockTime(0);
    if (m_lock->tryLock(200))
        return;
    if (m_lock->error() == QLockFile::LockFailedError) {
        const QString holder = dataDirectoryHolder(dir);
        throw DbError(
            DbError::Kind::Busy,
            QStringLiteral("Данные программы в каталоге \"%1\" уже используются: их открыл "
                           "%2. Закройте ту программу или дождитесь окончания ее работы и "
                           "повторите.")
                .arg(nativePath(dir),
                     holder.isEmpty() ? QStringLiteral("другой процесс") : holder));
    }
    if (m_lock->error() == QLockFile::PermissionError)
        throw DbError(DbError::Kind::ReadOnly,
                      QStringLiteral("Не удалось записать файл блокировки в каталоге данных "
                                     "\"%1\": нет прав на запись. Разрешите запись в каталог и "
                                     "повторите.")
                          .arg(nativePath(dir)));
    // The file could be made but not written: the disk is full, or the file may not grow.
    const bool full = QStorageInfo(dir).bytesAvailable() < 64 * 1024;
    throw DbError(
        DbError::Kind::DiskFull,
        QStringLiteral("Не удалось записать файл блокировки в каталоге данных \"%1\": "
                       "%2. Освободите место на диске и повторите.")
            .arg(nativePath(dir), full ? QStringLiteral("на диске нет свободного места")
                                       : QStringLiteral("ошибка записи (диск полон, неисправен или "
                                                        "превышен предельный размер файла)")));
}

DataDirLock::~DataDirLock() = default;

DbError storeError(const QSqlError& error, const QString& path) {
    const int code = error.nativeErrorCode().toInt() & 0xff;
    const QString file = nativePath(path);
    const QString text = error.databaseText();
    switch (code) {
    case SQLITE_FULL:
        return DbError(
            DbError::Kind::DiskFull,
            QStringLiteral("Недостаточно места на диске для базы данных \"%1\". Изменения "
                           "не сохранены. Освободите место на диске и повторите "
                           "действие.")
                .arg(file));
    case SQLITE_READONLY:
    case SQLITE_PERM:
        return DbError(DbError::Kind::ReadOnly,
                       QStringLiteral("База данных \"%1\" доступна только для чтения. Изменения не "
                                      "сохранены. Разрешите запись в файл базы данных и в его "
                                      "каталог и повторите действие.")
                           .arg(file));
    case SQLITE_BUSY:
    case SQLITE_LOCKED: {
        const QString holder = dataDirectoryHolder(QFileInfo(path).absolutePath());
        return DbError(
            DbError::Kind::Busy,
            QStringLiteral("База данных \"%1\" занята другим процессом%2. Изменения не "
                           "сохранены. Дождитесь его завершения или закройте его и "
                           "повторите действие.")
                .arg(file, holder.isEmpty() ? QString() : QStringLiteral(" (") + holder + ')'));
    }
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
        return DbError(DbError::Kind::Damaged,
                       QStringLiteral("Файл \"%1\" поврежден или не является базой данных. "
                                      "Восстановите его из резервной копии.")
                           .arg(file));
    case SQLITE_IOERR:
        return DbError(DbError::Kind::DiskFull,
                       QStringLiteral("Ошибка записи или чтения базы данных \"%1\" (диск полон или "
                                      "неисправен). Изменения не сохранены. Проверьте диск и "
                                      "свободное место и повторите действие.")
                           .arg(file));
    case SQLITE_CANTOPEN:
        return DbError(
            DbError::Kind::ReadOnly,
            QStringLiteral("Не удалось открыть базу данных \"%1\". Проверьте, что файл и "
                           "его каталог существуют и доступны.")
                .arg(file));
    default:
        break;
    }
    if (text.startsWith(QLatin1String("no such table: ")))
        return DbError(DbError::Kind::MissingTable,
                       QStringLiteral("В базе данных \"%1\" нет таблицы \"%2\": файл поврежден или "
                                      "создан не этой программой. Восстановите его из резервной "
                                      "копии.")
                           .arg(file, text.mid(15).trimmed()));
    return DbError(DbError::Kind::General, error.text());
}

QString Store::databasePath(const QString& dir) {
    return QDir(dir).filePath(QString::fromLatin1(kDatabaseFileName));
}

Store::~Store() {
    for (View* v : m_views)
        v->storeGone();
    m_views.clear();
    m_prepared.clear(); // the statements go before their connection
    if (m_db.isOpen())
        m_db.close();
    m_db = QSqlDatabase();
    QSqlDatabase::removeDatabase(m_connection);
}

std::unique_ptr<Store> Store::connect(const QString& dir, bool readOnly) {
    std::unique_ptr<Store> s(new Store);
    s->m_dir = QDir(dir).absolutePath();
    s->m_connection = nextConnectionName();
    s->m_db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), s->m_connection);
    s->m_db.setDatabaseName(databasePath(dir));
    QString options = QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(kBusyTimeoutMs);
    if (readOnly)
        options += QStringLiteral(";QSQLITE_OPEN_READONLY");
    // A database in a folder that may not be written: reading a file in write-ahead-log mode
    // needs its shared-memory index beside it, which cannot be made there. With no log beside
    // it, every committed change is in the file itself, and the file is read as unchanging.
    const QString wal = databasePath(dir) + QStringLiteral("-wal");
    if (readOnly && !QFileInfo(QFileInfo(databasePath(dir)).absolutePath()).isWritable() &&
        (!QFileInfo::exists(wal) || QFileInfo(wal).size() == 0) &&
        !QFileInfo::exists(databasePath(dir) + QStringLiteral("-shm"))) {
        QUrl url = QUrl::fromLocalFile(QFileInfo(databasePath(dir)).absoluteFilePath());
        url.setQuery(QStringLiteral("immutable=1"));
        s->m_db.setDatabaseName(url.toString(QUrl::FullyEncoded));
        options += QStringLiteral(";QSQLITE_OPEN_URI");
    }
    s->m_db.setConnectOptions(options);
    if (!s->m_db.open())
        throw storeError(s->m_db.lastError(), databasePath(dir));
    return s;
}

std::unique_ptr<Store> Store::create(const QString& dir) {
    if (!QDir().mkpath(dir))
        throw DbError(DbError::Kind::General,
                      QStringLiteral("Не удалось создать каталог данных \"%1\".").arg(dir));
    if (QFileInfo::exists(databasePath(dir)))
        throw DbError(DbError::Kind::General,
                      QStringLiteral("В каталоге \"%1\" уже есть база данных; она не будет "
                                     "перезаписана.")
                          .arg(QDir::toNativeSeparators(dir)));
    auto s = connect(dir);
    try {
        s->exec(QStringLiteral("PRAGMA journal_mode=WAL"));
        Transaction tr(*s);
        for (const auto& t : allTables())
            for (const auto& sql : createStatements(t))
                s->exec(sql);
        s->exec(QStringLiteral("PRAGMA application_id=%1").arg(kApplicationId));
        s->exec(QStringLiteral("PRAGMA user_version=%1").arg(kSchemaVersion));
        tr.commit();
    } catch (...) {
        s.reset();
        QFile::remove(databasePath(dir));
        throw;
    }
    s->exec(QStringLiteral("PRAGMA synchronous=NORMAL"));
    return s;
}

std::unique_ptr<Store> Store::open(const QString& dir) {
    if (!QFileInfo(dir).isDir())
        throw DbError(DbError::Kind::General, missingDirectory(dir));
    if (!QFileInfo::exists(databasePath(dir)))
        throw DbError(
            DbError::Kind::General,
            QStringLiteral("В каталоге \"%1\" нет базы данных программы (%2).")
                .arg(QDir::toNativeSeparators(dir), QString::fromLatin1(kDatabaseFileName)));
    auto s = connect(dir);
    s->checkAndUpgrade();
    const QStringList problems = s->layoutProblems();
    if (!problems.isEmpty())
        throw DbError(
            DbError::Kind::MissingTable,
            QStringLiteral("База данных \"%1\" не соответствует программе: %2 Восстановите "
                           "ее из резервной копии.")
                .arg(nativePath(databasePath(dir)), problems.join(QLatin1Char(' '))));
    s->exec(QStringLiteral("PRAGMA journal_mode=WAL"));
    s->exec(QStringLiteral("PRAGMA synchronous=NORMAL"));
    return s;
}

std::unique_ptr<Store> Store::openReadOnly(const QString& dir) {
    if (!QFileInfo(dir).isDir())
        throw DbError(DbError::Kind::General, missingDirectory(dir));
    if (!QFileInfo::exists(databasePath(dir)))
        throw DbError(DbError::Kind::General,
                      QStringLiteral("В каталоге \"%1\" нет базы данных программы (%2).")
                          .arg(nativePath(dir), QString::fromLatin1(kDatabaseFileName)));
    auto s = connect(dir, true);
    s->checkAndUpgrade(false);
    return s;
}

QStringList Store::layoutProblems() {
    QStringList problems;
    QSqlQuery q(m_db);
    for (const TableDef& t : allTables()) {
        QStringList actual;
        if (!q.exec(QStringLiteral("PRAGMA table_info(\"%1\")").arg(t.name)))
            fail(q);
        while (q.next())
            actual << q.value(1).toString();
        if (actual.isEmpty())
            problems << QStringLiteral("нет таблицы \"%1\".").arg(t.name);
        else if (actual != t.storedColumns())
            problems << QStringLiteral("поля таблицы \"%1\" (%2) не совпадают с описанием (%3).")
                            .arg(t.name, actual.join(QStringLiteral(", ")),
                                 t.storedColumns().join(QStringLiteral(", ")));
    }
    return problems;
}

namespace {

// Whether the file's own header says it is a database of this program: the engine's magic text
// and our application id (offset 68, big-endian), read from the bytes, so that a file of ours
// whose pages are damaged is told apart from a file that is no database of ours at all.
bool headerIsOurs(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    const QByteArray h = f.read(100);
    if (h.size() < 72 || !h.startsWith(QByteArrayLiteral("SQLite format 3\0")))
        return false;
    const auto b = [&](int i) { return quint32(quint8(h[i])); };
    return (b(68) << 24 | b(69) << 16 | b(70) << 8 | b(71)) == quint32(kApplicationId);
}

} // namespace

void Store::checkAndUpgrade(bool upgrade) {
    const QString notOurs = QStringLiteral("Файл \"%1\" не является базой данных программы; "
                                           "он не будет изменен.")
                                .arg(QDir::toNativeSeparators(databasePath(m_dir)));
    QSqlQuery q(m_db);
    if (!q.exec(QStringLiteral("PRAGMA application_id"))) {
        // A locked, unreadable or unwritable file says so; a file of ours that the engine cannot
        // read is damaged; anything else is not ours.
        const DbError e = storeError(q.lastError(), databasePath(m_dir));
        if (e.kind() != DbError::Kind::Damaged && e.kind() != DbError::Kind::General)
            throw e;
        if (headerIsOurs(databasePath(m_dir)))
            throw DbError(DbError::Kind::Damaged,
                          QStringLiteral("Файл базы данных программы \"%1\" поврежден: его "
                                         "страницы не читаются (файл обрезан или испорчен). "
                                         "Восстановите его из резервной копии.")
                              .arg(QDir::toNativeSeparators(databasePath(m_dir))));
        throw DbError(DbError::Kind::NotOurs, notOurs);
    }
    if (!q.next() || q.value(0).toInt() != kApplicationId)
        throw DbError(DbError::Kind::NotOurs, notOurs);
    if (!q.exec(QStringLiteral("PRAGMA user_version")) || !q.next())
        throw DbError(DbError::Kind::NotOurs, notOurs);
    const int version = q.value(0).toInt();
    if (version > kSchemaVersion)
        throw DbError(DbError::Kind::NotOurs,
                      QStringLiteral("База данных \"%1\" создана более новой версией программы "
                                     "(версия схемы %2, поддерживается %3). Обновите программу.")
                          .arg(QDir::toNativeSeparators(databasePath(m_dir)))
                          .arg(version)
                          .arg(kSchemaVersion));
    if (version < 1)
        throw DbError(DbError::Kind::NotOurs, notOurs);
    if (!upgrade)
        return;
    // One step per version, each in its own transaction.
    if (version < 2) {
        Transaction tr(*this);
        for (const QString& sql : createStatements(*findTable(QStringLiteral("region2"))))
            exec(sql);
        exec(QStringLiteral("PRAGMA user_version=2"));
        tr.commit();
    }
}

void Store::exec(const QString& sql, const QVariantList& binds) {
    ensureTransactionAlive();
    select(sql, binds);
}

QSqlQuery Store::select(const QString& sql, const QVariantList& binds) {
    QSqlQuery q(m_db);
    q.setForwardOnly(true);
    if (!q.prepare(sql))
        fail(q, sql);
    for (int i = 0; i < binds.size(); ++i)
        q.bindValue(i, binds[i]);
    if (!q.exec())
        fail(q, sql);
    return q;
}

QSqlQuery& Store::prepared(const QString& sql) {
    const auto found = m_prepared.find(sql);
    if (found != m_prepared.end())
        return found->second;
    QSqlQuery q(m_db);
    q.setForwardOnly(true);
    if (!q.prepare(sql))
        fail(q, sql);
    return m_prepared.emplace(sql, std::move(q)).first->second;
}

qint64 Store::count(const QString& table) {
    QSqlQuery q(m_db);
    if (!q.exec(QStringLiteral("SELECT COUNT(*) FROM \"%1\"").arg(table)) || !q.next())
        fail(q);
    return q.value(0).toLongLong();
}

bool Store::engineInTransaction() {
    const QVariant handle = m_db.driver()->handle();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        return true;
    auto* db = *static_cast<sqlite3* const*>(handle.data());
    return db && sqlite3_get_autocommit(db) == 0;
}

void Store::fail(const QSqlQuery& query, const QString& sql) {
    fail(query.lastError(), sql);
}

void Store::fail(const QSqlError& error, const QString& sql) {
    DbError e = storeError(error, databasePath(m_dir));
    // SQLite rolls the whole transaction back by itself on a full disk, an I/O error and the
    // like; what follows would run in autocommit, so the transaction is marked lost and every
    // later statement refuses until the guard that opened it has unwound.
    if (m_depth > 0 && !m_lost && !engineInTransaction())
        m_lost = true;
    if (e.kind() == DbError::Kind::General && !sql.isEmpty())
        e = DbError(e.kind(), e.message() + QStringLiteral(" [") + sql + ']');
    throw e;
}

void Store::ensureTransactionAlive() const {
    if (m_lost && m_depth > 0)
        throw DbError(DbError::Kind::TransactionLost,
                      QStringLiteral("Действие прервано: база данных \"%1\" уже отменила его "
                                     "изменения после ошибки записи. Изменения не сохранены.")
                          .arg(nativePath(databasePath(m_dir))));
}

void Store::attach(View* v) {
    m_views.push_back(v);
}

void Store::detach(View* v) {
    m_views.erase(std::remove(m_views.begin(), m_views.end(), v), m_views.end());
}

void Store::refreshAllViews() {
    // Masters first: a detail reloads when its master moves, so a refresh in schema order keeps
    // every view consistent with the file.
    const auto views = m_views;
    for (View* v : views)
        if (!v->master())
            v->refresh();
}

void Store::begin() {
    exec(QStringLiteral("SAVEPOINT sp%1").arg(m_depth));
    ++m_depth;
}

void Store::commit() {
    // A lost transaction commits nothing: the guard's destructor unwinds it.
    ensureTransactionAlive();
    exec(QStringLiteral("RELEASE sp%1").arg(m_depth - 1));
    --m_depth;
}

void Store::rollback() {
    --m_depth;
    if (!m_lost) {
        try {
            exec(QStringLiteral("ROLLBACK TO sp%1").arg(m_depth));
            exec(QStringLiteral("RELEASE sp%1").arg(m_depth));
        } catch (const DbError&) {
            // The savepoint is gone: the engine rolled the whole transaction back, and the
            // operations around this one must not go on as if they still had it.
            if (m_depth > 0)
                m_lost = true;
        }
    }
    if (m_depth == 0) {
        m_lost = false;
        // Whatever the engine still holds open goes too: nothing of the operation may stay.
        if (engineInTransaction()) {
            QSqlQuery q(m_db);
            q.exec(QStringLiteral("ROLLBACK"));
        }
    }
    // Views read what the file holds again, also inside an outer transaction that goes on (a
    // window's own operation failing within a longer one).
    try {
        refreshAllViews();
    } catch (...) {
        // A rollback runs while unwinding: a view that cannot reload keeps its rows until its
        // next refresh rather than ending the program.
    }
}

namespace {

// The engine's handle under the toolkit's connection, or null when the store is not open.
sqlite3* engineHandle(Store& store) {
    const QVariant handle = store.db().driver()->handle();
    if (handle.isValid() && qstrcmp(handle.typeName(), "sqlite3*") == 0)
        return *static_cast<sqlite3* const*>(handle.data());
    return nullptr;
}

[[noreturn]] void engineFailed(Store& store, sqlite3* db, const QString& sql) {
    store.fail(QSqlError(QString(), QString::fromUtf8(sqlite3_errmsg(db)),
                         QSqlError::StatementError, QString::number(sqlite3_extended_errcode(db))),
               sql);
}

sqlite3_stmt* enginePrepare(Store& store, sqlite3* db, const QString& sql) {
    sqlite3_stmt* stmt = nullptr;
    const QByteArray text = sql.toUtf8();
    if (sqlite3_prepare_v2(db, text.constData(), int(text.size()), &stmt, nullptr) != SQLITE_OK) {
        sqlite3_finalize(stmt);
        engineFailed(store, db, sql);
    }
    return stmt;
}

// Empty text is stored as null, as the views store it.
void bindText(sqlite3_stmt* stmt, int at, const QString& text) {
    if (text.isEmpty()) {
        sqlite3_bind_null(stmt, at);
        return;
    }
    const QByteArray utf8 = text.toUtf8();
    sqlite3_bind_text(stmt, at, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
}

// Binds values offset+1..offset+n: null, whole numbers, doubles; anything else as its text (empty
// text as null, as the views store it).
void engineBind(sqlite3_stmt* stmt, const QVariantList& values, int offset = 0) {
    for (int i = 0; i < values.size(); ++i) {
        const QVariant& v = values[i];
        const int at = offset + i + 1;
        if (v.isNull()) {
            sqlite3_bind_null(stmt, at);
            continue;
        }
        // The held value read in place: the toolkit's conversions go through its type registry,
        // which costs more than the engine's own work on a long list.
        switch (v.typeId()) {
        case QMetaType::Int:
            sqlite3_bind_int64(stmt, at, *static_cast<const int*>(v.constData()));
            break;
        case QMetaType::LongLong:
            sqlite3_bind_int64(stmt, at, *static_cast<const qlonglong*>(v.constData()));
            break;
        case QMetaType::Bool:
        case QMetaType::UInt:
            sqlite3_bind_int64(stmt, at, v.toLongLong());
            break;
        case QMetaType::Double:
            sqlite3_bind_double(stmt, at, *static_cast<const double*>(v.constData()));
            break;
        case QMetaType::Float:
            sqlite3_bind_double(stmt, at, v.toDouble());
            break;
        case QMetaType::QString:
            bindText(stmt, at, *static_cast<const QString*>(v.constData()));
            break;
        default:
            bindText(stmt, at, v.toString());
        }
    }
}

} // namespace

BulkInsert::BulkInsert(Store& store, const QString& table, const QStringList& columns)
    : m_store(store), m_table(table), m_columns(columns) {
    m_store.ensureTransactionAlive();
    m_db = engineHandle(m_store);
    if (!m_db)
        throw DbError(DbError::Kind::General,
                      QStringLiteral("База данных не открыта: запись в таблицу \"%1\" невозможна.")
                          .arg(table));
    // The engine's smallest limit on numbered parameters is 999; gains stop well below 64 rows.
    m_perStatement = std::clamp(999 / std::max<int>(1, int(columns.size())), 1, 64);
    m_full = prepareRows(m_perStatement);
    m_pending.reserve(size_t(m_perStatement));
}

BulkInsert::~BulkInsert() {
    sqlite3_finalize(m_full);
}

sqlite3_stmt* BulkInsert::prepareRows(int rows) {
    QStringList marks;
    for (int i = 0; i < m_columns.size(); ++i)
        marks << QStringLiteral("?");
    const QString row = QStringLiteral("(%1)").arg(marks.join(QStringLiteral(", ")));
    QStringList values;
    for (int r = 0; r < rows; ++r)
        values << row;
    const QString sql =
        QStringLiteral("INSERT INTO \"%1\" (%2) VALUES %3")
            .arg(m_table, m_columns.join(QStringLiteral(", ")), values.join(QStringLiteral(", ")));
    return enginePrepare(m_store, m_db, sql);
}

void BulkInsert::write(sqlite3_stmt* stmt) {
    for (size_t r = 0; r < m_pending.size(); ++r)
        engineBind(stmt, m_pending[r], int(r) * int(m_columns.size()));
    m_pending.clear();
    m_store.ensureTransactionAlive();
    const int rc = sqlite3_step(stmt);
    sqlite3_reset(stmt);
    sqlite3_clear_bindings(stmt);
    if (rc != SQLITE_DONE)
        engineFailed(m_store, m_db, QString::fromUtf8(sqlite3_sql(stmt)));
}

void BulkInsert::add(const QVariantList& values) {
    if (values.size() != m_columns.size())
        throw DbError(DbError::Kind::General,
                      QStringLiteral("Запись в таблицу \"%1\": %2 значений на %3 полей.")
                          .arg(m_table)
                          .arg(values.size())
                          .arg(m_columns.size()));
    m_pending.push_back(values);
    if (int(m_pending.size()) == m_perStatement)
        write(m_full);
}

void BulkInsert::finish() {
    if (m_pending.empty())
        return;
    const std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)> last(
        prepareRows(int(m_pending.size())), sqlite3_finalize);
    write(last.get());
}

EngineQuery::EngineQuery(Store& store, const QString& sql, const QVariantList& binds)
    : m_store(store), m_sql(sql) {
    m_db = engineHandle(m_store);
    if (!m_db)
        throw DbError(DbError::Kind::General, QStringLiteral("База данных не открыта."));
    m_stmt = enginePrepare(m_store, m_db, m_sql);
    engineBind(m_stmt, binds);
}

EngineQuery::~EngineQuery() {
    sqlite3_finalize(m_stmt);
}

bool EngineQuery::next() {
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW)
        return true;
    if (rc != SQLITE_DONE)
        engineFailed(m_store, m_db, m_sql);
    return false;
}

QVariant EngineQuery::value(int column) const {
    switch (sqlite3_column_type(m_stmt, column)) {
    case SQLITE_INTEGER:
        return QVariant(qlonglong(sqlite3_column_int64(m_stmt, column)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(m_stmt, column));
    case SQLITE_TEXT: {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(m_stmt, column));
        return QVariant(QString::fromUtf8(text, sqlite3_column_bytes(m_stmt, column)));
    }
    case SQLITE_BLOB: {
        const auto* data = static_cast<const char*>(sqlite3_column_blob(m_stmt, column));
        return QVariant(QByteArray(data, sqlite3_column_bytes(m_stmt, column)));
    }
    default:
        return QVariant();
    }
}

std::optional<double> EngineQuery::number(int column) const {
    switch (sqlite3_column_type(m_stmt, column)) {
    case SQLITE_INTEGER:
        return double(sqlite3_column_int64(m_stmt, column));
    case SQLITE_FLOAT:
        return sqlite3_column_double(m_stmt, column);
    case SQLITE_NULL:
        return std::nullopt;
    default: {
        bool ok = false;
        const double d = value(column).toDouble(&ok);
        return ok ? std::optional<double>(d) : std::nullopt;
    }
    }
}

QString EngineQuery::text(int column) const {
    if (sqlite3_column_type(m_stmt, column) == SQLITE_TEXT) {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(m_stmt, column));
        return QString::fromUtf8(text, sqlite3_column_bytes(m_stmt, column));
    }
    return value(column).toString();
}

} // namespace ses
