#pragma once
// The table store: one SQLite file in the data directory holding every table of the schema.

#include "data/schema.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariant>
#include <memory>
#include <stdexcept>
#include <vector>

namespace ses {

class View;

// An error raised by the store. Messages for key violations and link errors are the store's own
// English texts ("Key violation." ...), which the data module rewrites for the user.
class DbError : public std::runtime_error {
public:
    enum class Kind { General, KeyViolation, TextTooLong, BadValue, NotEditing };
    DbError(Kind kind, const QString& message)
        : std::runtime_error(message.toStdString()), m_kind(kind), m_message(message)
    {
    }
    Kind kind() const { return m_kind; }
    const QString& message() const { return m_message; }

private:
    Kind m_kind;
    QString m_message;
};

// Thrown by a before-event to cancel its operation silently.
struct Abort {};

inline constexpr const char* kDatabaseFileName = "TovrelSES11.sqlite";

class Store {
public:
    ~Store();
    Store(const Store&) = delete;
    Store& operator=(const Store&) = delete;

    // Creates a new database with every table in dir (made when missing). Refuses to touch an
    // existing file. Throws DbError with a message in Russian.
    static std::unique_ptr<Store> create(const QString& dir);
    // Opens an existing database; an older layout is upgraded in place, a newer one or a file
    // that is not ours is refused. Throws DbError with a message in Russian.
    static std::unique_ptr<Store> open(const QString& dir);
    static QString databasePath(const QString& dir);

    QSqlDatabase& db() { return m_db; }
    const QString& dir() const { return m_dir; }

    // Runs one statement; throws DbError on failure.
    void exec(const QString& sql, const QVariantList& binds = {});
    qint64 count(const QString& table);
    // Runs one query with its bound values, ready to step through forward; throws DbError on
    // failure.
    QSqlQuery select(const QString& sql, const QVariantList& binds = {});

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
    static std::unique_ptr<Store> connect(const QString& dir);
    void checkAndUpgrade();

    QSqlDatabase m_db;
    QString m_connection;
    QString m_dir;
    std::vector<View*> m_views;
    int m_depth = 0;
};

// RAII guard: everything between construction and commit() happens whole or not at all.
class Transaction {
public:
    explicit Transaction(Store& s) : m_store(s) { m_store.begin(); }
    // The views the work edits: a rollback first cancels whichever of them is still editing, so
    // that no caller does it by hand.
    Transaction(Store& s, std::initializer_list<View*> views) : Transaction(s) { m_views = views; }
    ~Transaction()
    {
        if (!m_done) {
            cancelEditing(m_views);
            m_store.rollback();
        }
    }
    void commit()
    {
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
