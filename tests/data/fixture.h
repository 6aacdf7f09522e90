#pragma once
// A fresh database in a temporary directory for each test, with the data module over it.

#include "data/data_dir.h"
#include "data/data_module.h"

#include <QCoreApplication>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace ses::test {

// QSqlDatabase finds its driver plugins through the application object.
inline void ensureApp() {
    static int argc = 1;
    static char name[] = "test_data";
    static char* argv[] = {name, nullptr};
    static QCoreApplication* app =
        QCoreApplication::instance() ? nullptr : new QCoreApplication(argc, argv);
    (void)app;
}

// Every row of every table as text, in storage order: equal dumps are equal tables.
inline QStringList dumpTables(Store& store) {
    QStringList out;
    for (const TableDef& t : allTables()) {
        QSqlQuery q =
            store.select(QStringLiteral("SELECT * FROM \"%1\" ORDER BY rowid").arg(t.name));
        while (q.next()) {
            QStringList row{t.name};
            for (int c = 0; c < q.record().count(); ++c)
                row << (q.isNull(c) ? QStringLiteral("<null>") : q.value(c).toString());
            out << row.join(QLatin1Char('|'));
        }
    }
    return out;
}

class DbTest : public ::testing::Test {
protected:
    void SetUp() override {
        ensureApp();
        ASSERT_TRUE(m_tmp.isValid());
        initDataDirectory(dir(), InitContent::Bare);
        reopen();
    }
    void reopen() {
        dm.reset();
        store.reset();
        store = Store::open(dir());
        dm = std::make_unique<TDataModule1>(*store, prompter);
    }
    QString dir() const { return m_tmp.path() + QStringLiteral("/Data"); }
    View& tbl(const char* name) { return dm->tbl(QString::fromLatin1(name)); }

    // Appends and posts one row with the given column texts; returns post()'s answer.
    bool add(View& v, std::initializer_list<std::pair<const char*, QString>> values) {
        if (!v.append())
            return false;
        for (const auto& [c, text] : values)
            v[QString::fromLatin1(c)].setString(text);
        return v.post();
    }

    QTemporaryDir m_tmp;
    RecordingPrompter prompter;
    std::unique_ptr<Store> store;
    std::unique_ptr<TDataModule1> dm;
};

} // namespace ses::test
