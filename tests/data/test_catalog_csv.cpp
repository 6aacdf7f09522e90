// Catalogs to and from CSV: each catalog's round trip, and the refusals an import lists by file
// and line while changing nothing.

#include "fixture.h"

#include "data/catalog_csv.h"

#include <QDir>
#include <QFile>
#include <QProcess>

using namespace ses;
using namespace ses::test;

namespace {

class CatalogCsvTest : public DbTest {
protected:
    void SetUp() override {
        ensureApp();
        ASSERT_TRUE(m_tmp.isValid());
        initDataDirectory(dir(), InitContent::StarterCatalogs);
        reopen();
    }
    QString folder() const { return m_tmp.path() + QStringLiteral("/csv"); }
    // Every stored row of the catalog's tables, keys left out, detail rows by master, each in key
    // order.
    QStringList content(const CatalogDef& def) {
        QStringList rows;
        for (const QString& table : def.tables) {
            const TableDef& t = *findTable(table);
            QStringList columns;
            for (const QString& c : t.storedColumns())
                if (c != "Kod" && c != "Kod0")
                    columns << "\"" + c + "\"";
            QSqlQuery q = store->select(QStringLiteral("SELECT %1 FROM \"%2\" ORDER BY %3")
                                            .arg(columns.join(','), table,
                                                 !t.hasKod()     ? "rowid"
                                                 : t.hasMaster() ? "Kod0, Kod"
                                                                 : "Kod"));
            while (q.next()) {
                QStringList values;
                for (int c = 0; c < columns.size(); ++c)
                    values << q.value(c).toString();
                rows << table + ": " + values.join('|');
            }
        }
        return rows;
    }
    void write(const QString& table, const QString& text) {
        QDir().mkpath(folder());
        QFile f(folder() + "/" + table + ".csv");
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text.toUtf8());
    }
};

TEST_F(CatalogCsvTest, EveryCatalogComesBackAsItWasExported) {
    for (const CatalogDef& def : catalogDefs()) {
        SCOPED_TRACE(def.className.toStdString());
        const QStringList before = content(def);
        exportCatalog(*dm, def, folder());
        const auto report = importCatalog(*dm, def, folder(), ImportMode::Replace);
        EXPECT_TRUE(report.ok()) << report.refusals.join('\n').toStdString();
        EXPECT_EQ(content(def), before);
    }
}

TEST_F(CatalogCsvTest, AnAddGivesNewKeysAndKeepsDetailsUnderTheirMasters) {
    const CatalogDef& def = *findCatalog("TsKabInvF");
    write("sKab_inv0", "Kod,Pinv\n7,9000\n8,9500\n");
    write("sKab_inv1", "Kod,Kod0,Uakb,Sech,Kol_vo\n1,8,48,35,2\n2,7,24,50,2\n");
    const qint64 before = store->count("sKab_inv1");
    const auto report = importCatalog(*dm, def, folder(), ImportMode::Add);
    ASSERT_TRUE(report.ok()) << report.refusals.join('\n').toStdString();
    EXPECT_EQ(report.imported, 4);
    EXPECT_EQ(store->count("sKab_inv1"), before + 2);
    QSqlQuery q = store->select("SELECT k0.Pinv, k1.Uakb FROM sKab_inv1 k1 JOIN sKab_inv0 k0 ON "
                                "k1.Kod0 = k0.Kod WHERE k0.Pinv IN (9000, 9500) ORDER BY k0.Pinv");
    QStringList linked;
    while (q.next())
        linked << q.value(0).toString() + "/" + q.value(1).toString();
    EXPECT_EQ(linked, QStringList({"9000/24", "9500/48"}));
}

TEST_F(CatalogCsvTest, ARefusedLineIsNamedByFileAndLineAndNothingChanges) {
    const CatalogDef& def = *findCatalog("TsKabInvF");
    const QStringList before = content(def);
    const QString firstPower = [&] {
        QSqlQuery q = store->select("SELECT Pinv FROM sKab_inv0 ORDER BY Kod");
        q.next();
        return q.value(0).toString();
    }();
    // A power the catalog has already, a bad number and a row of a power the files lack.
    write("sKab_inv0", "Kod,Pinv\n1,9000\n2," + firstPower + "\n");
    write("sKab_inv1", "Kod,Kod0,Uakb,Sech,Kol_vo\n1,1,24,5x,1\n2,1,48,35,1\n3,9,24,50,2\n");
    const auto report = importCatalog(*dm, def, folder(), ImportMode::Add);
    ASSERT_EQ(report.refusals.size(), 3) << report.refusals.join('\n').toStdString();
    EXPECT_TRUE(report.refusals[0].startsWith("sKab_inv0.csv, строка 3: "));
    EXPECT_TRUE(report.refusals[1].startsWith("sKab_inv1.csv, строка 2: "));
    EXPECT_TRUE(report.refusals[1].contains("5x"));
    EXPECT_EQ(report.refusals[2], "sKab_inv1.csv, строка 4: нет записи с Kod = 9 в файле "
                                  "sKab_inv0.csv.");
    EXPECT_EQ(content(def), before);
    EXPECT_FALSE(tbl("sKab_inv0").isEditing());
}

TEST_F(CatalogCsvTest, ScheduleBookFiguresAreBuiltFromTheImportedRowsNotTakenFromTheFiles) {
    const CatalogDef& def = *findCatalog("TsSutEP12F");
    // Two schedules of two sections; the files' figures are wrong or missing. The second
    // schedule's periods overlap: it is imported without figures.
    write("sSutEP12", "Kod,Razdel\n5,Дом\n6,Баня\n");
    write("sSutEP12_0", "Kod,Kod0,Name,Unom,Wp_sut,Pnom30min,Pmax10min,Ppik\n"
                        "1,5,Свет,24,1,1,1,1\n2,6,Печь,24,,,,\n");
    write("sSutEP12_1", "Kod,Kod0,Name,Unom,Pnom,Ppik,Kol_vo,Rejim\n"
                        "3,1,Лампа,24,10,20,2,ручной\n4,2,Тэн,24,100,100,1,ручной\n");
    write("sSutEP12_2", "Kod,Kod0,T1,T2\n1,3,18,23\n2,4,8,12\n3,4,11,14\n");
    auto report = importCatalog(*dm, def, folder(), ImportMode::Replace);
    ASSERT_TRUE(report.ok()) << report.refusals.join('\n').toStdString();
    EXPECT_EQ(report.imported, 9);
    QSqlQuery q = store->select("SELECT Name, Wp_sut, Pnom30min, Pmax10min, Ppik FROM sSutEP12_0 "
                                "ORDER BY Kod");
    QStringList figures;
    while (q.next())
        figures << QStringList{q.value(0).toString(), q.value(1).toString(), q.value(2).toString(),
                               q.value(3).toString(), q.value(4).toString()}
                       .join('|');
    EXPECT_EQ(figures, QStringList({"Свет|100|20|20|40", "Печь||||"}));

    // A period of a consumer the files lack: refused by file and line, nothing changes.
    const QStringList before = content(def);
    write("sSutEP12_2", "Kod,Kod0,T1,T2\n1,3,18,23\n2,9,8,12\n");
    report = importCatalog(*dm, def, folder(), ImportMode::Add);
    ASSERT_EQ(report.refusals.size(), 1) << report.refusals.join('\n').toStdString();
    EXPECT_EQ(report.refusals[0],
              "sSutEP12_2.csv, строка 3: нет записи с Kod = 9 в файле sSutEP12_1.csv.");
    EXPECT_EQ(content(def), before);
}

TEST_F(CatalogCsvTest, AMissingFileRefusesTheWholeImport) {
    const CatalogDef& def = *findCatalog("TsMCForm");
    write("mc", "Kod,Tip,I\n1,MC-X,30\n");
    const auto report = importCatalog(*dm, def, folder(), ImportMode::Replace);
    ASSERT_EQ(report.refusals.size(), 1);
    EXPECT_TRUE(report.refusals[0].startsWith("mc_y.csv: файл не найден"));
    EXPECT_GT(store->count("mc_y"), 0);
}

} // namespace

namespace {

TEST_F(CatalogCsvTest, TheDataToolMovesACatalogByItsWindowClass) {
    const auto run = [](const QStringList& args) {
        QProcess p;
        p.start(QStringLiteral(DATA_TOOL), args);
        p.waitForFinished(60000);
        return std::pair{p.exitCode(), QString::fromUtf8(p.readAllStandardError())};
    };
    const QStringList before = content(*findCatalog("TsPrForm"));
    dm.reset();
    store.reset();
    EXPECT_EQ(run({"export-catalog", dir(), "TsPrForm", folder()}).first, 0);
    EXPECT_TRUE(QFile::exists(folder() + "/Pr2.csv"));
    EXPECT_EQ(run({"import-catalog", dir(), "TsPrForm", folder(), "--replace"}).first, 0);
    // An add meets the fuse types already there: refused by file and line, nothing written.
    const auto [code, err] = run({"import-catalog", dir(), "TsPrForm", folder()});
    EXPECT_EQ(code, 1);
    EXPECT_TRUE(err.contains("Pr0.csv, строка 2: ")) << err.toStdString();
    EXPECT_EQ(run({"export-catalog", dir(), "TsNoSuchForm", folder()}).first, 2);
    reopen();
    EXPECT_EQ(content(*findCatalog("TsPrForm")), before);
}

} // namespace
