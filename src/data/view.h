#pragma once
// A view is an open cursor over one table: an index order, an optional master view and link
// (detail Kod0 = master Kod), a current row, a state and events. All rows of the view (for a
// detail: the rows of the master's current row) are held in memory while it is open.

#include "data/schema.h"
#include "data/store.h"

#include <QDateTime>
#include <QVariant>
#include <functional>
#include <vector>

namespace ses {

class View;

enum class ViewState { Inactive, Browse, Edit, Insert };

// Accessor for one column of a view's current row (or of its edit buffer while editing).
class Field {
public:
    Field(View* v, int index) : m_view(v), m_index(index) {}

    const QString& name() const;
    const ColumnDef& def() const;
    int index() const { return m_index; }
    bool isCalculated() const;

    bool isNull() const;
    QVariant value() const;
    QString asString() const; // number: shortest form with the decimal comma; null: ""
    double asFloat() const;   // null: 0
    int asInteger() const;    // null: 0
    bool asBoolean() const;   // null: false
    QDateTime asDateTime() const;

    void setValue(const QVariant& v); // null QVariant or empty text makes the column null
    void setString(const QString& s); // numbers parsed with the decimal comma
    void setFloat(double v);
    void setInteger(int v);
    void setBoolean(bool v);
    void clear();

private:
    View* m_view;
    int m_index;
};

using Bookmark = qint64; // the row's rowid; -1 for none

class View {
public:
    // Opens a view of table over store with an index name ("primary", "Kod0", "siRegion" ... or
    // empty for the natural order) and an optional master view.
    View(Store& store, const QString& table, const QString& indexName = QString(),
         View* master = nullptr);
    ~View();
    View(const View&) = delete;
    View& operator=(const View&) = delete;

    const TableDef& table() const { return *m_def; }
    const QString& name() const { return m_def->name; }
    Store& store() { return *m_store; }
    View* master() const { return m_master; }
    ViewState state() const { return m_state; }
    bool isEditing() const { return m_state == ViewState::Edit || m_state == ViewState::Insert; }

    // Columns.
    int fieldCount() const { return int(m_def->columns.size()); }
    Field field(int index);
    Field field(const QString& name); // throws DbError for an unknown column
    Field operator[](const QString& name) { return field(name); }
    QVariant valueAt(int row, int column) const; // for grids: any row without moving

    // Navigation. Each move runs before-scroll first; a before-scroll abort keeps the row.
    bool first();
    bool last();
    bool next(); // past the last row sets eof()
    bool prior();
    bool moveTo(int row);
    bool eof() const {
        ensureLoaded();
        return m_eof;
    }
    bool bof() const {
        ensureLoaded();
        return m_bof;
    }
    bool isEmpty() const {
        ensureLoaded();
        return m_rows.empty();
    }
    int recordCount() const {
        ensureLoaded();
        return int(m_rows.size());
    }
    int recNo() const { // 0-based; -1 when empty
        ensureLoaded();
        return m_cur;
    }

    Bookmark bookmark() const;
    bool gotoBookmark(Bookmark b);
    void freeBookmark(Bookmark) {}
    bool locate(const QString& column, const QVariant& value);
    void refresh();
    // After the table was rewritten behind the view: the rows are read again when the view is
    // next used, so a rewrite of a large table nobody looks at costs no read. A view that is
    // watched, edited or has details is refreshed at once.
    void refreshLater();

    // Editing. Each returns false when a before-event aborted it.
    bool append();
    bool edit();
    bool post(); // throws DbError unless a post-error handler takes the error
    void cancel();
    bool remove();
    // Deletes every row, each with its own rules and cascade; false when a rule refused one.
    bool removeAll();

    // The key of the current row (Kod), or a null QVariant.
    QVariant currentKey() const;

    // Events. A before-event cancels its operation by throwing Abort.
    std::function<void(View&)> beforeInsert, afterInsert, onNewRecord;
    std::function<void(View&)> beforeEdit, beforePost, afterPost, afterCancel;
    std::function<void(View&)> beforeDelete, afterDelete, beforeScroll, afterScroll;
    std::function<void(View&)> onCalcFields;
    enum class ErrorAction { Fail, Abort };
    std::function<ErrorAction(View&, const DbError&)> onPostError;

    // Observers (grids, windows) told after the view changes. Returns an id for removeListener.
    enum class Change { Moved, Data, State };
    using Listener = std::function<void(View&, Change)>;
    int addListener(Listener l);
    void removeListener(int id);

    // Internal: used by Field, the store and master views.
    QVariant& bufferValue(int index);
    const QVariant& currentValue(int index) const;
    void masterMoved();
    void storeGone() { m_store = nullptr; }

private:
    struct Row {
        qint64 rowid = -1;
        std::vector<QVariant> values;
    };
    void load();
    // One row of a query over the rowid and the stored columns (a toolkit or an engine query).
    template <class Query> Row readRow(Query& q) const;
    void calc(Row& r);
    bool runBefore(const std::function<void(View&)>& ev);
    bool scrollTo(int row);
    void setCurrent(int row);
    void notifyDetails();
    int insertPosition(const Row& r) const;
    bool rowLess(const Row& a, const Row& b) const;
    void checkWidths() const;
    void checkRanges() const; // the columns' physical ranges
    void writeRow();
    QVariant masterKey() const;
    void ensureLoaded() const {
        if (m_stale)
            const_cast<View*>(this)->refresh();
    }

    Store* m_store;
    bool m_stale = false;
    const TableDef* m_def;
    QString m_index;
    std::vector<int> m_order; // column positions of the order; -1 = rowid
    View* m_master;
    std::vector<View*> m_details;
    std::vector<Row> m_rows;
    Row m_buffer;
    int m_cur = -1;
    bool m_eof = true;
    bool m_bof = true;
    ViewState m_state = ViewState::Inactive;
    QVariant m_loadedMasterKey;
    QString m_readBackSql; // the post's read-back of the row written, made once
    bool m_hasCalc = false;
    std::vector<std::pair<int, Listener>> m_listeners;
    int m_nextListener = 1;
    void emitChange(Change c);
    Row* m_calcRow = nullptr; // the row being calculated, while onCalcFields runs
};

} // namespace ses
