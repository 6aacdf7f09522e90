#pragma once
// The table store: one SQLite file in the data directory holding every table of the schema.

#include "data/schema.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>
#include <QVariant>
#include <memory>
#include <optional>
#include <stdexcept>
#include <unordered_map>
#include <vector>

// The engine's connection and statement, used by BulkInsert.
struct sqlite3;
struct sqlite3_stmt;

class QLockFile;

namespace ses {

class View;

// An error raised by the store. Messages for key violations and link errors are the store's own
// English texts ("Key violation." ...), which the data module rewrites for the user; every other
// kind carries its message in Russian with what to do.
class DbError : public std::runtime_error {
public:
    enum class Kind {
        General,
        KeyViolation,
        TextTooLong,
        BadValue,
        NotEditing,
        DiskFull,        // no room left on the disk (or the file may not grow)
        ReadOnly,        // the file or its folder may not be written
        Busy,            // another process holds the database
        MissingTable,    // the file lacks a table of the layout
        Damaged,         // the file is damaged or not a database at all
        NotOurs,         // a database of another program, or of a newer version
        TransactionLost, // the database engine already rolled the whole transaction back
    };
    DbError(Kind kind, const QString& message)
        : std::runtime_error(message.toStdString()), m_kind(kind), m_message(message) {}
    Kind kind() const { return m_kind; }
    // A row refused by the data (a duplicate key, a text too long, a bad value): the operation
    // may tell the user and go on. Any other error ends the operation and its transaction.
    bool isRowRefusal() const {
        return m_kind == Kind::KeyViolation || m_kind == Kind::TextTooLong ||
               m_kind == Kind::BadValue || m_kind == Kind::NotEditing;
    }
    const QString& message() const { return m_message; }

private:
    Kind m_kind;
    QString m_message;
};

// Thrown by a before-event to cancel its operation silently.
struct Abort {};

inline constexpr const char* kDatabaseFileName = "TovrelSES11.sqlite";
// The lock file of the process that writes into a data directory (the program, or a writing
// command of the data tool); it names that process.
inline constexpr const char* kLockFileName = "TovrelSES11.lock";

// "Каталог данных ... не найден." or, for a file of that name, "... - файл, а не каталог данных."
QString missingDirectory(const QString& dir);

// "процесс <pid> (<name>)" of the process holding the data directory's lock, or empty.
QString dataDirectoryHolder(const QString& dir);

// The data directory taken for writing by this process for as long as the object lives, so that
// a second program or a writing command of the data tool is told who holds it instead of writing
// behind the first one's back. A lock left by a killed process is taken over.
class DataDirLock {
public:
    // Throws DbError (Busy) naming the holder when another running process holds the directory,
    // or (ReadOnly) when the lock file cannot be written.
    explicit DataDirLock(const QString& dir);
    ~DataDirLock();
    DataDirLock(const DataDirLock&) = delete;
    DataDirLock& operator=(const DataDirLock&) = delete;

private:
    std::unique_ptr<QLockFile> m_lock;
};

class Store {
public:
    ~Store();
    Store(const Store&) = delete;
    Store& operator=(const Store&) = delete;

    // Creates a new database with every table in dir (made when missing). Refuses to touch an
    // existing file. Throws DbError with a message in Russian.
    static std::unique_ptr<Store> create(const QString& dir);
    // Opens an existing database; an older layout is upgraded in place, a newer one, a file that
    // is not ours or one that lacks a table or a column is refused. Throws DbError with a message
    // in Russian. A busy database is waited for a few seconds.
    static std::unique_ptr<Store> open(const QString& dir);
    // Opens an existing database for reading only: nothing in the file or beside it changes, not
    // even its journal mode. The layout is not checked; a foreign file is refused.
    static std::unique_ptr<Store> openReadOnly(const QString& dir);
    static QString databasePath(const QString& dir);

    QSqlDatabase& db() { return m_db; }
    const QString& dir() const { return m_dir; }

    // Runs one statement; throws DbError on failure.
    void exec(const QString& sql, const QVariantList& binds = {});
    qint64 count(const QString& table);
    // Runs one query with its bound values, ready to step through forward; throws DbError on
    // failure.
    QSqlQuery select(const QString& sql, const QVariantList& binds = {});
    // The statement of that text, compiled once and kept for the life of the connection: for
    // what runs once per row (a view's insert, update and read-back), where compiling the same
    // text again for every row costs more than running it. The caller binds every value, runs it
    // and finishes it before anything else may use the same text. Throws DbError when it does
    // not compile.
    QSqlQuery& prepared(const QString& sql);

    // The failure of a statement as the user must be told it; marks the transaction lost when
    // the engine rolled it back by itself. Every statement of the store goes through here.
    [[noreturn]] void fail(const QSqlQuery& query, const QString& sql = QString());
    [[noreturn]] void fail(const QSqlError& error, const QString& sql = QString());
    // Throws TransactionLost while a transaction the engine rolled back is still open: nothing
    // may be written in autocommit in its place.
    void ensureTransactionAlive() const;
    // The layout problems of the file: missing tables and tables whose columns differ, each in
    // words. Empty when the file matches the schema.
    QStringList layoutProblems();

    // Views register themselves so that a rolled-back transaction can bring them back in step
    // with the file.
    void attach(View* v);
    void detach(View* v);
    void refreshAllViews();

    // Nested transactions through savepoints; used by Transaction only.
    void begin();
    void commit();
    void rollback();
    int transactionDepth() const { return m_depth; }

private:
    Store() = default;
    static std::unique_ptr<Store> connect(const QString& dir, bool readOnly = false);
    void checkAndUpgrade(bool upgrade = true);

    bool engineInTransaction();

    QSqlDatabase m_db;
    QString m_connection;
    QString m_dir;
    std::vector<View*> m_views;
    std::unordered_map<QString, QSqlQuery> m_prepared;
    int m_depth = 0;
    bool m_lost = false;
};

// The message for a failed statement of the database at path, told apart by the engine's code
// (disk full, read-only, busy, missing table, damaged file); the engine's text otherwise.
DbError storeError(const QSqlError& error, const QString& path);

// Many rows inserted into one table through the engine's own interface: binding through the
// toolkit builds a placeholder name for every value, which dominates a list of tens of thousands
// of rows. Rows go in statements of several rows each (one statement start, one cursor seek and
// one AUTOINCREMENT update per statement, not per row); finish() writes the last, partial one
// and must come before the transaction commits. Values: null, whole numbers, doubles and texts.
// Failures throw DbError as every statement of the store does. Use it inside a Transaction.
class BulkInsert {
public:
    BulkInsert(Store& store, const QString& table, const QStringList& columns);
    ~BulkInsert();
    BulkInsert(const BulkInsert&) = delete;
    BulkInsert& operator=(const BulkInsert&) = delete;

    // Adds one row, the values in the order of the columns.
    void add(const QVariantList& values);
    // Writes the rows still pending.
    void finish();

private:
    ::sqlite3_stmt* prepareRows(int rows);
    // Binds the pending rows into the statement (as many rows as it has) and runs it.
    void write(::sqlite3_stmt* stmt);

    Store& m_store;
    QString m_table;
    QStringList m_columns;
    ::sqlite3* m_db = nullptr;
    int m_perStatement = 1;
    ::sqlite3_stmt* m_full = nullptr;    // m_perStatement rows
    std::vector<QVariantList> m_pending; // rows added, not yet written
};

// A read run through the engine's own interface: each value comes as the engine holds it (null,
// whole number, double, text, bytes) without the toolkit's per-row record copies, which dominate
// reading a table of tens of thousands of rows. Binds: null, whole numbers, doubles and texts.
// Failures throw DbError as every statement of the store does.
class EngineQuery {
public:
    EngineQuery(Store& store, const QString& sql, const QVariantList& binds = {});
    ~EngineQuery();
    EngineQuery(const EngineQuery&) = delete;
    EngineQuery& operator=(const EngineQuery&) = delete;

    // Steps to the next row; false past the last one.
    bool next();
    // A value of the current row (0-based column): qlonglong, double, QString, QByteArray or
    // null.
    QVariant value(int column) const;
    // A number read in place, without a QVariant: null or a text that is not a number is no
    // value (as optionalNumber reads a QVariant).
    std::optional<double> number(int column) const;
    // A text read in place; null is an empty text, a number its usual text form.
    QString text(int column) const;

private:
    Store& m_store;
    QString m_sql;
    ::sqlite3* m_db = nullptr;
    ::sqlite3_stmt* m_stmt = nullptr;
};

// RAII guard: everything between construction and commit() happens whole or not at all.
class Transaction {
public:
    explicit Transaction(Store& s) : m_store(s) { m_store.begin(); }
    // The views the work edits: a rollback first cancels whichever of them is still editing, so
    // that no caller does it by hand.
    Transaction(Store& s, std::initializer_list<View*> views) : Transaction(s) { m_views = views; }
    ~Transaction() {
        if (!m_done) {
            cancelEditing(m_views);
            m_store.rollback();
        }
    }
    void commit() {
        m_store.commit();
        m_done = true;
    }
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

private:
    static void cancelEditing(const std::vector<View*>& views); // in view.cpp

    Store& m_store;
    std::vector<View*> m_views;
    bool m_done = false;
};

} // namespace ses
