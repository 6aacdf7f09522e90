#include "data/store.h"

#include "data/view.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <algorithm>
#include <atomic>

namespace ses {

namespace {

// Marks the file as ours ("TSES"), so that a foreign SQLite file is never mistaken for a project
// database.
constexpr int kApplicationId = 0x54534553;

QString nextConnectionName()
{
    static std::atomic<int> n{0};
    return QStringLiteral("ses_store_%1").arg(++n);
}

} // namespace

QString Store::databasePath(const QString& dir)
{
    return QDir(dir).filePath(QString::fromLatin1(kDatabaseFileName));
}

Store::~Store()
{
    for (View* v : m_views)
        v->storeGone();
    m_views.clear();
    if (m_db.isOpen())
        m_db.close();
    m_db = QSqlDatabase();
    QSqlDatabase::removeDatabase(m_connection);
}

std::unique_ptr<Store> Store::connect(const QString& dir)
{
    std::unique_ptr<Store> s(new Store);
    s->m_dir = QDir(dir).absolutePath();
    s->m_connection = nextConnectionName();
    s->m_db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), s->m_connection);
    s->m_db.setDatabaseName(databasePath(dir));
    if (!s->m_db.open())
        throw DbError(DbError::Kind::General,
                      QStringLiteral("Не удалось открыть базу данных \"%1\": %2")
                          .arg(databasePath(dir), s->m_db.lastError().text()));
    return s;
}

std::unique_ptr<Store> Store::create(const QString& dir)
{
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

std::unique_ptr<Store> Store::open(const QString& dir)
{
    if (!QFileInfo(dir).isDir())
        throw DbError(DbError::Kind::General,
                      QStringLiteral("Каталог данных \"%1\" не найден.")
                          .arg(QDir::toNativeSeparators(dir)));
    if (!QFileInfo::exists(databasePath(dir)))
        throw DbError(DbError::Kind::General,
                      QStringLiteral("В каталоге \"%1\" нет базы данных программы (%2).")
                          .arg(QDir::toNativeSeparators(dir), QString::fromLatin1(kDatabaseFileName)));
    auto s = connect(dir);
    s->checkAndUpgrade();
    s->exec(QStringLiteral("PRAGMA journal_mode=WAL"));
    s->exec(QStringLiteral("PRAGMA synchronous=NORMAL"));
    return s;
}

void Store::checkAndUpgrade()
{
    const QString notOurs = QStringLiteral("Файл \"%1\" не является базой данных программы; "
                                           "он не будет изменен.")
                                .arg(QDir::toNativeSeparators(databasePath(m_dir)));
    QSqlQuery q(m_db);
    if (!q.exec(QStringLiteral("PRAGMA application_id")) || !q.next())
        throw DbError(DbError::Kind::General, notOurs);
    if (q.value(0).toInt() != kApplicationId)
        throw DbError(DbError::Kind::General, notOurs);
    if (!q.exec(QStringLiteral("PRAGMA user_version")) || !q.next())
        throw DbError(DbError::Kind::General, notOurs);
    const int version = q.value(0).toInt();
    if (version > kSchemaVersion)
        throw DbError(DbError::Kind::General,
                      QStringLiteral("База данных \"%1\" создана более новой версией программы "
                                     "(версия схемы %2, поддерживается %3). Обновите программу.")
                          .arg(QDir::toNativeSeparators(databasePath(m_dir)))
                          .arg(version)
                          .arg(kSchemaVersion));
    if (version < 1)
        throw DbError(DbError::Kind::General, notOurs);
    // Layout upgrades go here, one step per version, each in its own transaction:
    // for (int v = version; v < kSchemaVersion; ++v) { Transaction tr(*this); ...; tr.commit(); }
}

void Store::exec(const QString& sql, const QVariantList& binds)
{
    QSqlQuery q(m_db);
    if (!q.prepare(sql))
        throw DbError(DbError::Kind::General, q.lastError().text() + QStringLiteral(" [") + sql + ']');
    for (int i = 0; i < binds.size(); ++i)
        q.bindValue(i, binds[i]);
    if (!q.exec())
        throw DbError(DbError::Kind::General, q.lastError().text() + QStringLiteral(" [") + sql + ']');
}

QSqlQuery Store::select(const QString& sql, const QVariantList& binds)
{
    QSqlQuery q(m_db);
    q.setForwardOnly(true);
    if (!q.prepare(sql))
        throw DbError(DbError::Kind::General, q.lastError().text() + QStringLiteral(" [") + sql + ']');
    for (int i = 0; i < binds.size(); ++i)
        q.bindValue(i, binds[i]);
    if (!q.exec())
        throw DbError(DbError::Kind::General, q.lastError().text() + QStringLiteral(" [") + sql + ']');
    return q;
}

qint64 Store::count(const QString& table)
{
    QSqlQuery q(m_db);
    if (!q.exec(QStringLiteral("SELECT COUNT(*) FROM \"%1\"").arg(table)) || !q.next())
        throw DbError(DbError::Kind::General, q.lastError().text());
    return q.value(0).toLongLong();
}

void Store::attach(View* v)
{
    m_views.push_back(v);
}

void Store::detach(View* v)
{
    m_views.erase(std::remove(m_views.begin(), m_views.end(), v), m_views.end());
}

void Store::refreshAllViews()
{
    // Masters first: a detail reloads when its master moves, so a refresh in schema order keeps
    // every view consistent with the file.
    const auto views = m_views;
    for (View* v : views)
        if (!v->master())
            v->refresh();
}

void Store::begin()
{
    exec(QStringLiteral("SAVEPOINT sp%1").arg(m_depth));
    ++m_depth;
}

void Store::commit()
{
    --m_depth;
    exec(QStringLiteral("RELEASE sp%1").arg(m_depth));
}

void Store::rollback()
{
    --m_depth;
    try {
        exec(QStringLiteral("ROLLBACK TO sp%1").arg(m_depth));
        exec(QStringLiteral("RELEASE sp%1").arg(m_depth));
    } catch (const DbError&) {
        // The savepoint is gone only when SQLite already rolled the whole transaction back.
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

} // namespace ses
