#include "data/view.h"

#include "lib/numbers.h"

#include <QDate>
#include <QSqlError>
#include <QSqlQuery>
#include <QTime>
#include <cmath>

namespace ses {

namespace {

const QString kRowid = QStringLiteral("rowid");

QString q(const QString& id) {
    return QLatin1Char('"') + id + QLatin1Char('"');
}

// Brings a value read from SQLite, or written by the program, to the column's own type.
QVariant normalise(const ColumnDef& c, const QVariant& v) {
    if (!v.isValid() || v.isNull())
        return {};
    switch (c.type) {
    case ColType::AutoInc:
    case ColType::Integer:
        return QVariant(v.toInt());
    case ColType::Logical:
        return QVariant(v.toInt() != 0);
    case ColType::Number:
        return QVariant(v.toDouble());
    case ColType::Text:
    case ColType::Memo:
    case ColType::Date:
    case ColType::Time: {
        QString s = v.toString();
        return s.isEmpty() ? QVariant() : QVariant(s);
    }
    }
    return v;
}

int compareValues(const ColumnDef* c, const QVariant& a, const QVariant& b) {
    const bool an = a.isNull(), bn = b.isNull();
    if (an || bn)
        return an == bn ? 0 : (an ? -1 : 1);
    if (!c || c->type == ColType::Text || c->type == ColType::Memo || c->type == ColType::Date ||
        c->type == ColType::Time) {
        if (!c)
            return a.toLongLong() < b.toLongLong() ? -1 : (a.toLongLong() > b.toLongLong() ? 1 : 0);
        return QString::compare(a.toString(), b.toString(), Qt::CaseSensitive);
    }
    const double x = a.toDouble(), y = b.toDouble();
    return x < y ? -1 : (x > y ? 1 : 0);
}

DbError notEditing(const TableDef& t) {
    return DbError(
        DbError::Kind::NotEditing,
        QStringLiteral("Таблица \"%1\" не находится в режиме редактирования.").arg(t.name));
}

} // namespace

// ---------------------------------------------------------------- Field

const QString& Field::name() const {
    return def().name;
}
const ColumnDef& Field::def() const {
    return m_view->table().columns[m_index];
}
bool Field::isCalculated() const {
    return def().calculated;
}
bool Field::isNull() const {
    return m_view->currentValue(m_index).isNull();
}
QVariant Field::value() const {
    return m_view->currentValue(m_index);
}

QString Field::asString() const {
    const QVariant& v = m_view->currentValue(m_index);
    if (v.isNull())
        return {};
    switch (def().type) {
    case ColType::Number:
        return numberToText(v.toDouble());
    case ColType::Logical:
        return v.toBool() ? QStringLiteral("+") : QStringLiteral("-");
    case ColType::Date:
        return QDate::fromString(v.toString(), Qt::ISODate).toString(QStringLiteral("dd.MM.yyyy"));
    default:
        return v.toString();
    }
}

double Field::asFloat() const {
    const QVariant& v = m_view->currentValue(m_index);
    if (v.isNull())
        return 0;
    if (v.typeId() == QMetaType::QString) {
        const auto d = parseNumber(v.toString());
        return d ? *d : 0;
    }
    return v.toDouble();
}

int Field::asInteger() const {
    const QVariant& v = m_view->currentValue(m_index);
    if (v.isNull())
        return 0;
    if (v.typeId() == QMetaType::Double)
        return int(std::lround(v.toDouble()));
    return v.toInt();
}

bool Field::asBoolean() const {
    const QVariant& v = m_view->currentValue(m_index);
    return !v.isNull() && v.toBool();
}

QDateTime Field::asDateTime() const {
    const QVariant& v = m_view->currentValue(m_index);
    if (v.isNull())
        return {};
    const QString s = v.toString();
    if (def().type == ColType::Time)
        return QDateTime(QDate(1899, 12, 30), QTime::fromString(s, Qt::ISODate));
    if (def().type == ColType::Date)
        return QDateTime(QDate::fromString(s, Qt::ISODate), QTime(0, 0));
    return QDateTime::fromString(s, Qt::ISODate);
}

void Field::setValue(const QVariant& v) {
    const ColumnDef& c = def();
    QVariant& slot = m_view->bufferValue(m_index);
    if (!v.isValid() || v.isNull()) {
        slot = QVariant();
        return;
    }
    if (v.typeId() == QMetaType::QString) {
        setString(v.toString());
        return;
    }
    switch (c.type) {
    case ColType::Date:
        slot = v.toDate().isValid() ? QVariant(v.toDate().toString(Qt::ISODate)) : QVariant();
        return;
    case ColType::Time:
        slot = v.toTime().isValid() ? QVariant(v.toTime().toString(QStringLiteral("HH:mm:ss")))
                                    : QVariant();
        return;
    case ColType::Number: {
        const double d = v.toDouble();
        if (!std::isfinite(d))
            throw DbError(DbError::Kind::BadValue,
                          QStringLiteral("Недопустимое значение поля \"%1\".").arg(c.name));
        slot = d;
        return;
    }
    default:
        slot = normalise(c, v);
    }
}

void Field::setString(const QString& text) {
    const ColumnDef& c = def();
    QVariant& slot = m_view->bufferValue(m_index);
    const QString s = (c.type == ColType::Text || c.type == ColType::Memo) ? text : text.trimmed();
    if (s.isEmpty()) {
        slot = QVariant();
        return;
    }
    const auto bad = [&] {
        return DbError(
            DbError::Kind::BadValue,
            QStringLiteral("\"%1\" - недопустимое значение поля \"%2\".").arg(text, c.name));
    };
    switch (c.type) {
    case ColType::Text:
    case ColType::Memo:
        slot = s;
        return;
    case ColType::Number: {
        const auto d = parseNumber(s);
        if (!d)
            throw bad();
        slot = *d;
        return;
    }
    case ColType::AutoInc:
    case ColType::Integer: {
        bool ok = false;
        const int i = s.toInt(&ok);
        if (!ok)
            throw bad();
        slot = i;
        return;
    }
    case ColType::Logical: {
        const QString l = s.toLower();
        if (l == QLatin1String("+") || l == QLatin1String("1") || l == QLatin1String("true"))
            slot = true;
        else if (l == QLatin1String("-") || l == QLatin1String("0") || l == QLatin1String("false"))
            slot = false;
        else
            throw bad();
        return;
    }
    case ColType::Date: {
        QDate d = QDate::fromString(s, Qt::ISODate);
        if (!d.isValid())
            d = QDate::fromString(s, QStringLiteral("dd.MM.yyyy"));
        if (!d.isValid())
            throw bad();
        slot = d.toString(Qt::ISODate);
        return;
    }
    case ColType::Time: {
        QTime t = QTime::fromString(s, QStringLiteral("HH:mm:ss"));
        if (!t.isValid())
            t = QTime::fromString(s, QStringLiteral("H:mm"));
        if (!t.isValid())
            throw bad();
        slot = t.toString(QStringLiteral("HH:mm:ss"));
        return;
    }
    }
}

void Field::setFloat(double v) {
    setValue(QVariant(v));
}
void Field::setInteger(int v) {
    setValue(QVariant(v));
}
void Field::setBoolean(bool v) {
    setValue(QVariant(v));
}
void Field::clear() {
    setValue(QVariant());
}

// ---------------------------------------------------------------- View

View::View(Store& store, const QString& table, const QString& indexName, View* master)
    : m_store(&store), m_def(findTable(table)), m_index(indexName), m_master(master) {
    if (!m_def)
        throw DbError(DbError::Kind::General,
                      QStringLiteral("Неизвестная таблица \"%1\".").arg(table));
    if (!m_index.isEmpty() && m_index != QLatin1String("primary") && !m_def->index(m_index))
        throw DbError(
            DbError::Kind::General,
            QStringLiteral("Таблица \"%1\" не имеет индекса \"%2\".").arg(table, m_index));
    for (const QString& c : m_def->orderColumns(m_index))
        m_order.push_back(c == kRowid ? -1 : m_def->columnIndex(c));
    for (const auto& c : m_def->columns)
        m_hasCalc = m_hasCalc || c.calculated;
    if (m_master)
        m_master->m_details.push_back(this);
    m_store->attach(this);
    m_state = ViewState::Browse;
    load();
    setCurrent(m_rows.empty() ? -1 : 0);
}

View::~View() {
    for (View* d : m_details)
        d->m_master = nullptr;
    if (m_master)
        std::erase(m_master->m_details, this);
    if (m_store)
        m_store->detach(this);
}

QVariant View::masterKey() const {
    if (!m_master)
        return {};
    if (m_master->m_state == ViewState::Insert || m_master->m_cur < 0)
        return {};
    return m_master->currentKey();
}

QVariant View::currentKey() const {
    ensureLoaded();
    if (!m_def->hasKod() || m_cur < 0 || m_cur >= int(m_rows.size()))
        return {};
    return m_rows[m_cur].values[0];
}

template <class Query> View::Row View::readRow(Query& query) const {
    Row r;
    r.rowid = query.value(0).toLongLong();
    r.values.resize(m_def->columns.size());
    int k = 1;
    for (size_t i = 0; i < m_def->columns.size(); ++i) {
        const ColumnDef& c = m_def->columns[i];
        if (c.calculated)
            continue;
        r.values[i] = normalise(c, query.value(k++));
    }
    return r;
}

void View::calc(Row& r) {
    if (!m_hasCalc || !onCalcFields)
        return;
    Row* saved = m_calcRow;
    m_calcRow = &r;
    try {
        onCalcFields(*this);
    } catch (...) {
        m_calcRow = saved;
        throw;
    }
    m_calcRow = saved;
}

void View::load() {
    m_stale = false;
    m_rows.clear();
    m_loadedMasterKey = masterKey();
    if (!m_store)
        return;
    if (m_master && m_loadedMasterKey.isNull())
        return;
    QStringList cols;
    cols << kRowid;
    for (const QString& c : m_def->storedColumns())
        cols << q(c);
    QStringList order;
    for (int i : m_order)
        order << (i < 0 ? kRowid : q(m_def->columns[i].name));
    QString sql = QStringLiteral("SELECT %1 FROM %2").arg(cols.join(','), q(m_def->name));
    if (m_master)
        sql += QStringLiteral(" WHERE \"Kod0\" = ?");
    sql += QStringLiteral(" ORDER BY ") + order.join(',');
    EngineQuery query(*m_store, sql, m_master ? QVariantList{m_loadedMasterKey} : QVariantList{});
    while (query.next())
        m_rows.push_back(readRow(query));
    if (m_hasCalc && onCalcFields)
        for (Row& r : m_rows)
            calc(r);
}

Field View::field(int index) {
    if (index < 0 || index >= fieldCount())
        throw DbError(
            DbError::Kind::General,
            QStringLiteral("Таблица \"%1\": нет поля с номером %2.").arg(m_def->name).arg(index));
    return Field(this, index);
}

Field View::field(const QString& name) {
    const int i = m_def->columnIndex(name);
    if (i < 0)
        throw DbError(
            DbError::Kind::General,
            QStringLiteral("Таблица \"%1\": поле \"%2\" не найдено.").arg(m_def->name, name));
    return Field(this, i);
}

QVariant View::valueAt(int row, int column) const {
    ensureLoaded();
    if (row < 0 || row >= int(m_rows.size()) || column < 0 || column >= fieldCount())
        return {};
    return m_rows[row].values[column];
}

const QVariant& View::currentValue(int index) const {
    ensureLoaded();
    static const QVariant null;
    if (m_calcRow)
        return m_calcRow->values[index];
    if (isEditing())
        return m_buffer.values[index];
    if (m_cur < 0 || m_cur >= int(m_rows.size()))
        return null;
    return m_rows[m_cur].values[index];
}

QVariant& View::bufferValue(int index) {
    ensureLoaded();
    if (m_calcRow) {
        if (!m_def->columns[index].calculated)
            throw notEditing(*m_def);
        return m_calcRow->values[index];
    }
    if (!isEditing())
        throw notEditing(*m_def);
    return m_buffer.values[index];
}

bool View::runBefore(const std::function<void(View&)>& ev) {
    if (!ev)
        return true;
    try {
        ev(*this);
    } catch (const Abort&) {
        return false;
    }
    return true;
}

int View::addListener(Listener l) {
    m_listeners.emplace_back(m_nextListener, std::move(l));
    return m_nextListener++;
}

void View::removeListener(int id) {
    std::erase_if(m_listeners, [id](const auto& p) { return p.first == id; });
}

void View::emitChange(Change c) {
    const auto listeners = m_listeners; // a listener may remove itself
    for (const auto& [id, l] : listeners)
        l(*this, c);
}

void View::notifyDetails() {
    for (View* d : m_details)
        d->masterMoved();
}

void View::masterMoved() {
    if (masterKey() == m_loadedMasterKey && m_loadedMasterKey.isValid())
        return;
    if (isEditing()) {
        m_state = ViewState::Browse;
        m_buffer = Row();
    }
    load();
    emitChange(Change::Data);
    setCurrent(m_rows.empty() ? -1 : 0);
}

void View::setCurrent(int row) {
    m_cur = m_rows.empty() ? -1 : std::clamp(row, 0, int(m_rows.size()) - 1);
    m_bof = m_cur <= 0;
    m_eof = m_rows.empty();
    // Details compare the key they show with the new one and reload only when it differs.
    notifyDetails();
    if (afterScroll)
        afterScroll(*this);
    emitChange(Change::Moved);
}

bool View::scrollTo(int row) {
    if (isEditing() && !post())
        return false;
    if (m_rows.empty()) {
        m_eof = m_bof = true;
        return false;
    }
    row = std::clamp(row, 0, int(m_rows.size()) - 1);
    if (row != m_cur && !runBefore(beforeScroll))
        return false;
    setCurrent(row);
    return true;
}

bool View::first() {
    ensureLoaded();
    const bool r = scrollTo(0);
    m_bof = true;
    return r;
}

bool View::last() {
    ensureLoaded();
    const bool r = scrollTo(int(m_rows.size()) - 1);
    m_eof = m_rows.empty();
    return r;
}

bool View::next() {
    ensureLoaded();
    if (isEditing() && !post())
        return false;
    if (m_cur + 1 >= int(m_rows.size())) {
        m_eof = true;
        return false;
    }
    if (!scrollTo(m_cur + 1))
        return false;
    m_bof = false;
    return true;
}

bool View::prior() {
    ensureLoaded();
    if (isEditing() && !post())
        return false;
    if (m_cur <= 0) {
        m_bof = true;
        return false;
    }
    return scrollTo(m_cur - 1);
}

bool View::moveTo(int row) {
    ensureLoaded();
    return scrollTo(row);
}

Bookmark View::bookmark() const {
    ensureLoaded();
    if (m_cur < 0 || m_cur >= int(m_rows.size()))
        return -1;
    return m_rows[m_cur].rowid;
}

bool View::gotoBookmark(Bookmark b) {
    ensureLoaded();
    for (int i = 0; i < int(m_rows.size()); ++i)
        if (m_rows[i].rowid == b)
            return scrollTo(i);
    return false;
}

bool View::locate(const QString& column, const QVariant& value) {
    ensureLoaded();
    const int c = m_def->columnIndex(column);
    if (c < 0)
        throw DbError(
            DbError::Kind::General,
            QStringLiteral("Таблица \"%1\": поле \"%2\" не найдено.").arg(m_def->name, column));
    const ColumnDef& def = m_def->columns[c];
    QVariant v = value;
    if (value.typeId() == QMetaType::QString && def.type != ColType::Text &&
        def.type != ColType::Memo) {
        const auto d = parseNumber(value.toString());
        v = d ? QVariant(*d) : value;
    }
    v = normalise(def, v);
    for (int i = 0; i < int(m_rows.size()); ++i)
        if (compareValues(&def, m_rows[i].values[c], v) == 0 &&
            m_rows[i].values[c].isNull() == v.isNull())
            return scrollTo(i);
    return false;
}

void View::refresh() {
    m_stale = false;
    const Bookmark b = bookmark();
    const int old = m_cur;
    load();
    emitChange(Change::Data);
    int pos = old;
    for (int i = 0; i < int(m_rows.size()); ++i)
        if (m_rows[i].rowid == b) {
            pos = i;
            break;
        }
    setCurrent(pos);
    for (View* d : m_details)
        d->refresh();
}

void View::refreshLater() {
    if (!m_listeners.empty() || !m_details.empty() || isEditing()) {
        refresh();
        return;
    }
    m_stale = true;
}

bool View::append() {
    ensureLoaded();
    if (isEditing() && !post())
        return false;
    if (!runBefore(beforeInsert))
        return false;
    m_buffer = Row();
    m_buffer.values.resize(m_def->columns.size());
    if (m_master && m_def->columnIndex(QStringLiteral("Kod0")) >= 0)
        m_buffer.values[m_def->columnIndex(QStringLiteral("Kod0"))] = masterKey();
    m_state = ViewState::Insert;
    if (onNewRecord)
        onNewRecord(*this);
    // A detail of a row being inserted shows nothing until the row is saved.
    notifyDetails();
    if (afterInsert)
        afterInsert(*this);
    emitChange(Change::State);
    return true;
}

bool View::edit() {
    ensureLoaded();
    if (isEditing())
        return true;
    if (m_rows.empty())
        return append();
    if (!runBefore(beforeEdit))
        return false;
    m_buffer = m_rows[m_cur];
    m_state = ViewState::Edit;
    emitChange(Change::State);
    return true;
}

void View::checkWidths() const {
    for (size_t i = 0; i < m_def->columns.size(); ++i) {
        const ColumnDef& c = m_def->columns[i];
        if (c.type != ColType::Text || m_buffer.values[i].isNull())
            continue;
        const int len = int(m_buffer.values[i].toString().size());
        if (len > c.width)
            throw DbError(
                DbError::Kind::TextTooLong,
                QStringLiteral("Значение поля \"%1\" длиннее допустимого: %2 символов при "
                               "наибольшей длине %3.")
                    .arg(c.name)
                    .arg(len)
                    .arg(c.width));
    }
}

void View::checkRanges() const {
    for (size_t i = 0; i < m_def->columns.size(); ++i) {
        const ColumnDef& c = m_def->columns[i];
        if (!c.range || m_buffer.values[i].isNull())
            continue;
        const QString why = rangeRefusal(m_buffer.values[i].toDouble(), *c.range);
        if (!why.isEmpty())
            throw DbError(DbError::Kind::BadValue,
                          QStringLiteral("Поле \"%1\": %2").arg(c.name, why));
    }
}

void View::writeRow() {
    QStringList cols, marks;
    QVariantList binds;
    for (size_t i = 0; i < m_def->columns.size(); ++i) {
        const ColumnDef& c = m_def->columns[i];
        if (c.calculated)
            continue;
        QVariant v = m_buffer.values[i];
        if (c.type == ColType::AutoInc && (m_state == ViewState::Edit || v.isNull()))
            continue; // the store assigns the key and it never changes
        if (c.type == ColType::Logical && !v.isNull())
            v = v.toBool() ? 1 : 0;
        cols << q(c.name);
        binds << v;
    }
    QString sql;
    if (m_state == ViewState::Insert) {
        for (int i = 0; i < cols.size(); ++i)
            marks << QStringLiteral("?");
        sql = cols.isEmpty() ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(q(m_def->name))
                             : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                   .arg(q(m_def->name), cols.join(','), marks.join(','));
    } else {
        QStringList sets;
        for (const QString& c : cols)
            sets << c + QStringLiteral("=?");
        sql = QStringLiteral("UPDATE %1 SET %2 WHERE rowid=?").arg(q(m_def->name), sets.join(','));
        binds << m_buffer.rowid;
    }
    // Nothing is written in autocommit after the engine dropped the transaction around it.
    m_store->ensureTransactionAlive();
    QSqlQuery& query = m_store->prepared(sql);
    for (int i = 0; i < binds.size(); ++i)
        query.bindValue(i, binds[i]);
    if (!query.exec()) {
        const QString text = query.lastError().databaseText();
        if (text.contains(QLatin1String("UNIQUE constraint failed"))) {
            // Name the secondary index whose columns were duplicated, as the keyed store did.
            const QString list = text.section(':', 1).trimmed();
            QStringList dup;
            for (const QString& part : list.split(',', Qt::SkipEmptyParts))
                dup << part.trimmed().section('.', 1);
            for (const auto& ix : m_def->indexes)
                if (ix.unique && ix.secondary && ix.columns == dup)
                    throw DbError(DbError::Kind::KeyViolation,
                                  QStringLiteral("Key violation.\nIndex: ") + ix.name);
            throw DbError(DbError::Kind::KeyViolation, QStringLiteral("Key violation."));
        }
        m_store->fail(query, sql);
    }
    if (m_state == ViewState::Insert)
        m_buffer.rowid = query.lastInsertId().toLongLong();
    query.finish();
}

bool View::rowLess(const Row& a, const Row& b) const {
    for (int i : m_order) {
        int c;
        if (i < 0)
            c = a.rowid < b.rowid ? -1 : (a.rowid > b.rowid ? 1 : 0);
        else
            c = compareValues(&m_def->columns[i], a.values[i], b.values[i]);
        if (c != 0)
            return c < 0;
    }
    return false;
}

int View::insertPosition(const Row& r) const {
    auto it = std::upper_bound(m_rows.begin(), m_rows.end(), r,
                               [this](const Row& a, const Row& b) { return rowLess(a, b); });
    return int(it - m_rows.begin());
}

bool View::post() {
    if (!isEditing())
        return true;
    if (!runBefore(beforePost))
        return false;
    try {
        checkWidths();
        checkRanges();
        writeRow();
    } catch (const DbError& e) {
        if (onPostError && onPostError(*this, e) == ErrorAction::Abort)
            return false;
        throw;
    }
    // Read the row back so the view shows exactly what the file holds (the new key included).
    if (m_readBackSql.isEmpty()) {
        QStringList cols;
        cols << kRowid;
        for (const QString& c : m_def->storedColumns())
            cols << q(c);
        m_readBackSql =
            QStringLiteral("SELECT %1 FROM %2 WHERE rowid=?").arg(cols.join(','), q(m_def->name));
    }
    QSqlQuery& query = m_store->prepared(m_readBackSql);
    query.bindValue(0, m_buffer.rowid);
    if (!query.exec() || !query.next())
        m_store->fail(query, m_readBackSql);
    Row r = readRow(query);
    query.finish();
    calc(r);
    if (m_state == ViewState::Edit && m_cur >= 0)
        m_rows.erase(m_rows.begin() + m_cur);
    m_state = ViewState::Browse;
    m_buffer = Row();
    emitChange(Change::State);
    const bool belongs =
        !m_master || r.values[m_def->columnIndex(QStringLiteral("Kod0"))] == m_loadedMasterKey;
    int pos = m_cur;
    if (belongs) {
        pos = insertPosition(r);
        m_rows.insert(m_rows.begin() + pos, std::move(r));
    }
    emitChange(Change::Data);
    setCurrent(pos);
    if (afterPost)
        afterPost(*this);
    return true;
}

void View::cancel() {
    if (!isEditing())
        return;
    const bool wasInsert = m_state == ViewState::Insert;
    m_state = ViewState::Browse;
    m_buffer = Row();
    if (wasInsert)
        notifyDetails();
    if (afterCancel)
        afterCancel(*this);
    emitChange(Change::State);
}

bool View::remove() {
    ensureLoaded();
    if (m_state == ViewState::Insert) {
        cancel();
        return true;
    }
    if (m_state == ViewState::Edit)
        cancel();
    if (m_rows.empty())
        return false;
    const qint64 rowid = m_rows[m_cur].rowid;
    Transaction tr(*m_store);
    if (!runBefore(beforeDelete))
        return false;
    // A before-delete rule may have saved the row again (a cascade clearing figures); find it.
    int pos = -1;
    for (int i = 0; i < int(m_rows.size()); ++i)
        if (m_rows[i].rowid == rowid)
            pos = i;
    if (pos < 0)
        return false;
    m_store->exec(QStringLiteral("DELETE FROM %1 WHERE rowid=?").arg(q(m_def->name)), {rowid});
    tr.commit();
    m_rows.erase(m_rows.begin() + pos);
    emitChange(Change::Data);
    setCurrent(pos);
    if (afterDelete)
        afterDelete(*this);
    return true;
}

void Transaction::cancelEditing(const std::vector<View*>& views) {
    for (View* v : views)
        if (v->isEditing())
            v->cancel();
}

bool View::removeAll() {
    ensureLoaded();
    while (!isEmpty()) {
        first();
        if (!remove())
            return false;
    }
    return true;
}

} // namespace ses
