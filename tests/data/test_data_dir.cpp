// The data tool and the directory operations behind it.

#include "fixture.h"

#include "data/csv.h"

#include <QCryptographicHash>
#include <QFileInfo>
#include <QProcess>

using namespace ses;
using namespace ses::test;

namespace {

struct ToolRun {
    int code;
    QString out, err;
};

ToolRun runTool(const QStringList& args) {
    QProcess p;
    p.start(QStringLiteral(DATA_TOOL), args);
    p.waitForFinished(60000);
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

QByteArray fileHash(const QString& path) {
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

void writeFile(const QString& path, const QByteArray& text) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(text);
}

TEST(DataTool, BareInitThenCheckListsEveryTableWithItsColumns) {
    ensureApp();
    QTemporaryDir tmp;
    const QString dir = tmp.path() + "/Data";
    ToolRun r = runTool({"init", dir, "--bare"});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    r = runTool({"check", dir});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    const QStringList lines = r.out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 76); // a line per table and the verdict
    EXPECT_TRUE(
        r.out.contains("project0 (project0.DB): 0 зап.; поля: Kod autoincrement, Name text(255), "
                       "ProjOwner text(50), ProjDate date, ProjTime time, ProjMemo memo\n"));
    EXPECT_TRUE(r.out.contains("sSun_day (sSun_day.DB): 12 зап."));
    EXPECT_TRUE(r.out.contains("proj_inv (proj_inv.DB): 0 зап.;"));
    EXPECT_TRUE(r.out.contains("Inom_Inv number (вычисляемое)"));
    EXPECT_TRUE(lines.last().startsWith("Проверка пройдена"));

    // A second init never overwrites.
    const QByteArray before = fileHash(Store::databasePath(dir));
    r = runTool({"init", dir});
    EXPECT_NE(r.code, 0);
    EXPECT_TRUE(r.err.contains("не будет перезаписана"));
    EXPECT_EQ(fileHash(Store::databasePath(dir)), before);
}

TEST(DataTool, BadArgumentsGetAMessageAndANonZeroExit) {
    ensureApp();
    QTemporaryDir tmp;
    const QString dir = tmp.path() + "/Data";
    ASSERT_EQ(runTool({"init", dir, "--bare"}).code, 0);
    writeFile(tmp.path() + "/bad.csv", "Sech,Idop\n\"16,100\n");
    QDir().mkpath(tmp.path() + "/junk");
    writeFile(tmp.path() + "/junk/" + kDatabaseFileName, "this is not a database");
    struct Case {
        QStringList args;
        const char* message;
    } cases[] = {
        {{"check", tmp.path() + "/none"}, "не найден"},
        {{"export", dir, "nosuch", tmp.path() + "/x.csv"}, "Неизвестная таблица \"nosuch\""},
        {{"import", dir, "perem", tmp.path() + "/bad.csv"}, "неверный формат CSV"},
        {{"import", dir, "perem", tmp.path() + "/missing.csv"}, "не найден"},
        {{"check", tmp.path() + "/junk"}, "не является базой данных программы"},
        {{"frobnicate"}, "Использование"},
    };
    for (const auto& c : cases) {
        const ToolRun r = runTool(c.args);
        EXPECT_NE(r.code, 0) << c.args.join(' ').toStdString();
        EXPECT_TRUE(r.err.contains(QString::fromUtf8(c.message))) << r.err.toStdString();
    }
    QFile junk(tmp.path() + "/junk/" + kDatabaseFileName);
    junk.open(QIODevice::ReadOnly);
    EXPECT_EQ(junk.readAll(), QByteArray("this is not a database"));
}

class ImportTest : public DbTest {
protected:
    void TearDown() override {
        dm.reset();
        store.reset();
    }
};

TEST_F(ImportTest, ExportImportRoundTripKeepsEveryValue) {
    ASSERT_TRUE(add(tbl("akb0"), {{"Company", "Запятая, \"кавычки\""}, {"UseAKB", "+"}}));
    ASSERT_TRUE(add(tbl("akb1"), {{"Tip", "GEL"}, {"UseAKB", "-"}}));
    ASSERT_TRUE(add(tbl("akb2"), {{"Name", "Г-100"},
                                  {"C", "100"},
                                  {"U", "12"},
                                  {"Izar_min", "2,5"},
                                  {"Izar_max", "30"},
                                  {"Irazr_max", "1000"},
                                  {"L", "330"},
                                  {"S", "171"},
                                  {"H", "220"},
                                  {"UseAKB", "+"}}));
    dm.reset();
    for (const char* t : {"akb0", "akb1", "akb2"})
        exportTable(dir(), t, m_tmp.path() + "/" + t + ".csv");
    QFile f(m_tmp.path() + "/akb2.csv");
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(f.readAll()),
              "Kod,Kod0,Name,C,U,Izar_min,Izar_max,Irazr_max,L,S,H,UseAKB\n"
              "1,1,Г-100,100,12,2.5,30,1000,330,171,220,1\n");

    QTemporaryDir other;
    initDataDirectory(other.path(), InitContent::Bare);
    for (const char* t : {"akb0", "akb1", "akb2"}) {
        const ImportReport r = importTable(other.path(), t, m_tmp.path() + "/" + t + ".csv");
        EXPECT_TRUE(r.ok()) << r.refusals.join('\n').toStdString();
        EXPECT_EQ(r.imported, 1);
    }
    exportTable(other.path(), "akb0", other.path() + "/back.csv");
    EXPECT_EQ(fileHash(other.path() + "/back.csv"), fileHash(m_tmp.path() + "/akb0.csv"));
}

TEST_F(ImportTest, ARefusedLineCancelsTheWholeImportAndNamesEveryLine) {
    dm.reset();
    store.reset();
    const QString path = m_tmp.path() + "/kl.csv";
    writeFile(path, "Sech,Idop,Idop_2_1zh,Idop_1_2zh,Ro\n"
                    "1.5,23,19,19,0.0121\n"
                    "2.5,30,,25,0.00741\n"
                    "\n"
                    "1.5,23,19,19,0.0121\n"
                    "4,abc,35,35,0.00463\n");
    const QByteArray before = fileHash(Store::databasePath(dir()));
    const ImportReport r = importTable(dir(), "kl", path);
    ASSERT_EQ(r.refusals.size(), 3) << r.refusals.join('\n').toStdString();
    EXPECT_EQ(r.refusals[0],
              "Файл \"kl.csv\", строка 3: Заполнение всех полей таблицы обязательно.");
    EXPECT_TRUE(r.refusals[1].startsWith(
        "Файл \"kl.csv\", строка 5: Нарушение первичного ключа по полю \"S, мм2\"."));
    EXPECT_EQ(r.refusals[2],
              "Файл \"kl.csv\", строка 6: \"abc\" - недопустимое значение поля \"Idop\".");
    EXPECT_EQ(r.imported, 0);
    auto s = Store::open(dir());
    EXPECT_EQ(s->count("kl"), 0);
}

TEST_F(ImportTest, DetailLinesNeedTheirMasterRow) {
    dm.reset();
    store.reset();
    const QString path = m_tmp.path() + "/region1.csv";
    writeFile(path, "Kod,Kod0,MonthName,P,Tsred,B\n1,7,январь,1.2,-10,\n");
    const ImportReport r = importTable(dir(), "region1", path);
    ASSERT_EQ(r.refusals.size(), 1);
    EXPECT_EQ(r.refusals[0],
              "Файл \"region1.csv\", строка 2: в таблице \"region0\" нет записи с Kod = 7.");
}

TEST(Csv, QuotingAndLineNumbers) {
    QString error;
    const auto t = parseCsv("a,b\r\n\"x, \"\"y\"\"\",\"две\nстроки\"\n3,\n", &error);
    ASSERT_TRUE(t) << error.toStdString();
    ASSERT_EQ(t->rows.size(), 2u);
    EXPECT_EQ(t->rows[0], QStringList({"x, \"y\"", "две\nстроки"}));
    EXPECT_EQ(t->lineNumbers, std::vector<int>({2, 4}));
    EXPECT_EQ(t->rows[1], QStringList({"3", ""}));
    EXPECT_EQ(csvLine(t->rows[0]), "\"x, \"\"y\"\"\",\"две\nстроки\"");
    for (const char* bad : {"a,b\n1\n", "a\n\"open\n", "a\nx\"y\n", ""})
        EXPECT_FALSE(parseCsv(QString::fromUtf8(bad), &error)) << bad;
}

} // namespace

namespace {

TEST(DataTool, DemoDirectoryIsSizedByRecalc) {
    ensureApp();
    QTemporaryDir tmp;
    const QString dir = tmp.path() + "/Data";
    ToolRun r = runTool({"init", "--demo", dir});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    r = runTool({"recalc", dir});
    ASSERT_EQ(r.code, 0) << r.out.toStdString() << r.err.toStdString();
    EXPECT_EQ(r.out.count("Pras_SP = "), 2);
    EXPECT_FALSE(r.out.contains("не рассчитано"));
    r = runTool({"recalc", dir, "--variant", "1"});
    EXPECT_EQ(r.out.count("Pras_SP = "), 1);
    r = runTool({"recalc", dir, "--variant", "99"});
    EXPECT_NE(r.code, 0);
    EXPECT_TRUE(r.err.contains("Вариант с кодом 99 не найден."));

    // A second init over it is refused and changes nothing; an option is never taken for a folder.
    const QByteArray before = [&] {
        QFile f(dir + "/TovrelSES11.sqlite");
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }();
    r = runTool({"init", "--demo", dir});
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.contains("уже есть база данных")) << r.err.toStdString();
    QFile after(dir + "/TovrelSES11.sqlite");
    ASSERT_TRUE(after.open(QIODevice::ReadOnly));
    EXPECT_EQ(after.readAll(), before);
    QProcess p;
    p.setWorkingDirectory(tmp.path());
    p.start(QStringLiteral(DATA_TOOL), {"init", "--demo"});
    ASSERT_TRUE(p.waitForFinished(30000));
    EXPECT_EQ(p.exitCode(), 2);
    EXPECT_FALSE(QFileInfo::exists(tmp.path() + "/--demo"));
}

} // namespace
