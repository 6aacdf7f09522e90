// Every reader of outside data takes a file exactly as it stands or refuses it whole: the message
// names the file, the line and the field, the exit status is not 0, and every table is as it was
// to the byte. One table of cases per reader, run through the data tool as a user runs it.

#include "fixture.h"
#include "tool_run.h"

#include "data/catalog_csv.h"
#include "data/csv.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStandardPaths>
#include <QThread>

#include <sys/stat.h>
#include <unistd.h>

using namespace ses;
using namespace ses::test;

namespace {

QStringList dump(const QString& dir) {
    return dumpTables(*Store::openReadOnly(dir));
}

struct Case {
    const char* what;
    QStringList args;              // %d stands for the data folder, %f for the case's file
    QByteArray file;               // written as %f when not empty
    std::vector<const char*> said; // every one in the error stream
};

class ReaderTest : public ::testing::Test {
protected:
    void SetUp() override {
        ensureApp();
        ASSERT_TRUE(m_tmp.isValid());
        initDataDirectory(data());
    }
    QString path(const QString& name) const { return m_tmp.path() + '/' + name; }
    QString data() const { return path(QStringLiteral("Data")); }

    // Runs each case and checks the refusal: a non-zero exit, the texts said, nothing changed.
    void expectRefused(const std::vector<Case>& cases, const QString& fileName) {
        const QStringList before = dump(data());
        for (const Case& c : cases) {
            const QString file = path(fileName);
            if (!c.file.isEmpty())
                write(file, c.file);
            QStringList args = c.args;
            for (QString& a : args)
                a.replace(QLatin1String("%d"), data()).replace(QLatin1String("%f"), file);
            const ToolResult r = tool(args);
            EXPECT_NE(r.code, 0) << c.what;
            EXPECT_NE(r.code, -1) << c.what << ": the tool died";
            for (const char* s : c.said)
                EXPECT_TRUE(r.err.contains(QString::fromUtf8(s)))
                    << c.what << ": " << r.err.toStdString() << " lacks " << s;
            EXPECT_EQ(dump(data()), before) << c.what;
        }
    }

    QTemporaryDir m_tmp;
};

const QByteArray kRegion0 = "Kod,Region,Fi\n1,Тест,55.75\n";
QByteArray regionMonths(const char* januaryP, const char* januaryT = "-7.8") {
    QByteArray s = "Kod,Kod0,MonthName,P,Tsred,B\n";
    const char* months[] = {"январь", "февраль", "март",     "апрель",  "май",    "июнь",
                            "июль",   "август",  "сентябрь", "октябрь", "ноябрь", "декабрь"};
    for (int m = 0; m < 12; ++m)
        s += QByteArray::number(m + 1) + ",1," + months[m] + "," +
             (m == 0 ? QByteArray(januaryP) : QByteArray("2.5")) + "," +
             (m == 0 ? QByteArray(januaryT) : QByteArray("5")) + ",\n";
    return s;
}

TEST_F(ReaderTest, TableImportRefusesWholeNamingFileLineAndField) {
    // A region whose E is typed, not derived from a horizontal source.
    write(path("typed.csv"), "Kod,Region,Fi\n500,Вручную,50\n");
    ASSERT_EQ(tool({"import", data(), "region0", path("typed.csv")}).code, 0);
    const QByteArray header = "Name,Pnom,Ip_In,ClearSinus,Rejim\n";
    const QByteArray regionHeader = "Region,Fi\n";
    const QByteArray monthHeader = "Kod0,MonthName,P,Tsred,B\n";
    expectRefused(
        {
            {"not UTF-8",
             {"import", "%d", "sEP", "%f"},
             header + "Лампа,10,1,0,ручной\n\xcb\xe0\xec\xef\xe0,10,1,0,x\n",
             {"in.csv", "Строка 3", "UTF-8"}},
            {"a decimal comma unquoted is a field too many",
             {"import", "%d", "sEP", "%f"},
             header + "Лампа,10,5,1,0,ручной\n",
             {"in.csv", "Строка 2", "6 полей, а в заголовке 5"}},
            {"negative power",
             {"import", "%d", "sEP", "%f"},
             header + "Лампа,10,1,0,ручной\nНасос,-750,3,0,ручной\n",
             {"\"in.csv\", строка 3", "\"Pnom\"", "меньше 0"}},
            {"a number with a stray sign",
             {"import", "%d", "sEP", "%f"},
             header + "Лампа,10-,1,0,ручной\n",
             {"\"in.csv\", строка 2", "\"Pnom\""}},
            {"latitude beyond the pole",
             {"import", "%d", "region0", "%f"},
             regionHeader + "Полюс,95\n",
             {"\"in.csv\", строка 2", "\"Fi\"", "от -90 до 90 град."}},
            {"radiation below zero",
             {"import", "%d", "region1", "%f"},
             monthHeader + "500,январь,-5,-10,\n",
             {"\"in.csv\", строка 2", "\"P\"", "от 0 до 12 кВт*ч/(м2*день)"}},
            {"radiation of another planet",
             {"import", "%d", "region1", "%f"},
             monthHeader + "500,январь,5000,-10,\n",
             {"\"in.csv\", строка 2", "\"P\"", "5000"}},
            {"temperature of a furnace",
             {"import", "%d", "region1", "%f"},
             monthHeader + "500,январь,1,600,\n",
             {"\"in.csv\", строка 2", "\"Tsred\"", "от -70 до 60 град."}},
            {"unknown column", {"import", "%d", "sEP", "%f"}, "Name,Watts\nЛампа,10\n", {"Watts"}},
            {"no such file", {"import", "%d", "sEP", "%d/nothing.csv"}, {}, {"не найден"}},
            {"a folder", {"import", "%d", "sEP", "%d"}, {}, {"каталог, а не файл"}},
            {"a device", {"import", "%d", "sEP", "/dev/zero"}, {}, {"устройство"}},
        },
        QStringLiteral("in.csv"));
}

TEST_F(ReaderTest, CatalogImportRefusesWholeWithTheTableImportsRule) {
    const QString folder = path(QStringLiteral("catalog"));
    ASSERT_EQ(tool({"export-catalog", data(), "TsRegForm", folder}).code, 0);
    const auto set = [&](const QByteArray& r0, const QByteArray& r1) {
        write(folder + "/region0.csv", r0);
        write(folder + "/region2.csv", "Kod,Kod0,MonthName,H,Kd,Source\n"); // E as typed
        write(folder + "/region1.csv", r1);
    };
    const QStringList replace{"import-catalog", data(), "TsRegForm", folder, "--replace"};
    const QStringList before = dump(data());
    const struct {
        const char* what;
        QByteArray r0, r1;
        std::vector<const char*> said;
    } cases[] = {
        {"not UTF-8",
         kRegion0,
         regionMonths("1.2").replace("февраль", "\xf4\xe5\xe2\xf0\xe0\xeb\xfc"),
         {"\"region1.csv\", строка 3", "UTF-8"}},
        {"radiation out of range",
         kRegion0,
         regionMonths("-5"),
         {"region1.csv, строка 2", "\"P\""}},
        {"temperature out of range",
         kRegion0,
         regionMonths("1.2", "99"),
         {"region1.csv, строка 2", "\"Tsred\""}},
        {"one key twice",
         kRegion0 + "1,Другой,50\n",
         regionMonths("1.2"),
         {"region0.csv, строка 3", "\"Kod\"", "уже был"}},
        {"a field too many",
         kRegion0,
         regionMonths("1,2"),
         {"\"region1.csv\", строка 2", "7 полей, а в заголовке 6"}},
    };
    for (const auto& c : cases) {
        set(c.r0, c.r1);
        const ToolResult r = tool(replace);
        EXPECT_EQ(r.code, 1) << c.what;
        for (const char* s : c.said)
            EXPECT_TRUE(r.err.contains(QString::fromUtf8(s)))
                << c.what << ": " << r.err.toStdString() << " lacks " << s;
        EXPECT_EQ(dump(data()), before) << c.what;
    }
    // The same files made whole are taken.
    set(kRegion0, regionMonths("1.2"));
    const ToolResult r = tool(replace);
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(Store::openReadOnly(data())->count("region1"), 12);
}

TEST_F(ReaderTest, WeatherFilesAreRefusedWholeAndNeverCrashTheTool) {
    QByteArray tmy = "time(UTC),T2m,RH,POA_G(h),Gb(n)\n";
    for (int h = 0; h < 24; ++h)
        tmy += QByteArray("20180101:") + (h < 10 ? "0" : "") + QByteArray::number(h) +
               "00,1.0,90,0,0\n";
    expectRefused(
        {
            {"G(h) only inside another column's name",
             {"import-climate", "%d", "%f", "--name", "x"},
             tmy,
             {"weather.csv", "строка 1", "\"G(h)\"", "POA_G(h)"}},
            {"a decimal comma in a monthly table",
             {"import-climate", "%d", "%f", "--name", "x"},
             "Latitude (decimal degrees):\t45\nyear\t\tmonth\t\tH(h)_m\t\tT2m\n"
             "2019\t\tJun\t\t150,5\t\t17\n",
             {"weather.csv", "строка 3", "поле \"H(h)_m\"", "\"150,5\" - не число"}},
            {"a device", {"import-climate", "%d", "/dev/zero", "--name", "x"}, {}, {"устройство"}},
            {"a folder", {"import-climate", "%d", "%d", "--name", "x"}, {}, {"каталог"}},
        },
        QStringLiteral("weather.csv"));
}

TEST_F(ReaderTest, CommandLinesAreTakenExactlyOrRefused) {
    const ToolResult demo = tool({"init", "--demo", path("Demo")});
    ASSERT_EQ(demo.code, 0) << demo.err.toStdString();
    expectRefused(
        {
            {"an option twice",
             {"recalc", "%d", "--variant", "1", "--variant", "2"},
             {},
             {"дважды"}},
            {"a variant that is no key", {"recalc", "%d", "--variant", "1x"}, {}, {"\"1x\""}},
            {"a variant of 0", {"test", "%d", "--variant", "0"}, {}, {"больше 0"}},
            {"an option as a value", {"recalc", "%d", "--variant", "--all"}, {}, {"не задано"}},
            {"an empty argument", {"export", "%d", "", "x.csv"}, {}, {"Пустой аргумент"}},
            {"a pick that is no number",
             {"station-region", "%d", "--lat", "55", "--pick", "2x"},
             {},
             {"\"2x\""}},
            {"a file as the data folder", {"check", "%f"}, "x", {"файл, а не каталог"}},
        },
        QStringLiteral("plain.txt"));
    // The program itself: one option, anything else refused before a window or a folder is made.
    const ToolResult r = tool({"--smoek"}, 0, QStringLiteral(MAIN_PROGRAM));
    EXPECT_EQ(r.code, 2);
    EXPECT_TRUE(r.err.contains("--smoek")) << r.err.toStdString();
}

TEST_F(ReaderTest, RecalcIsOneTransactionForEveryVariant) {
    const QString dir = path(QStringLiteral("Demo"));
    ASSERT_EQ(tool({"init", "--demo", dir}).code, 0);
    // Emptied figures that a run writes back in every variant; a file limit stops it part way.
    Store::open(dir)->exec(QStringLiteral("UPDATE project1 SET Pras_SP = NULL, Cras_AKB = NULL"));
    const QStringList emptied = dump(dir);
    bool refusedSeen = false;
    for (int limit : {1, 8, 24, 48, 96, 160}) {
        const ToolResult r = tool({"recalc", dir}, limit);
        if (r.code == 0)
            break;
        refusedSeen = true;
        EXPECT_TRUE(r.err.contains("ни один вариант не изменен")) << limit << r.err.toStdString();
        EXPECT_EQ(dump(dir), emptied) << limit;
    }
    EXPECT_TRUE(refusedSeen);
    const ToolResult whole = tool({"recalc", dir});
    EXPECT_EQ(whole.code, 0) << whole.err.toStdString();
    auto store = Store::openReadOnly(dir);
    QSqlQuery q =
        store->select(QStringLiteral("SELECT COUNT(*) FROM project1 WHERE Pras_SP IS NULL"));
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(0).toInt(), 0);
}

TEST_F(ReaderTest, InitRemovesOnlyTheBuildFoldersOfItsOwnKilledRuns) {
    const QString dir = path(QStringLiteral("Fresh"));
    ASSERT_TRUE(QDir().mkpath(dir + "/.new-mine"));
    write(dir + "/.new-mine/notes.txt", "the user's own");
    // A build killed while it runs leaves its marked folder.
    QProcess p;
    p.start(QStringLiteral(DATA_TOOL), {"init", "--demo", dir});
    ASSERT_TRUE(p.waitForStarted());
    QString left;
    for (int i = 0; i < 500 && left.isEmpty(); ++i) {
        for (const QFileInfo& f : QDir(dir).entryInfoList({".new-*"}, QDir::Dirs | QDir::Hidden))
            if (QFileInfo::exists(f.absoluteFilePath() + "/TovrelSES11.build"))
                left = f.absoluteFilePath();
        QThread::msleep(2);
    }
    p.kill();
    p.waitForFinished();
    ASSERT_FALSE(left.isEmpty());
    if (QFileInfo::exists(Store::databasePath(dir)))
        GTEST_SKIP() << "the build finished before it was killed";
    ASSERT_TRUE(QFileInfo::exists(left));
    ASSERT_EQ(tool({"init", dir}).code, 0);
    EXPECT_FALSE(QFileInfo::exists(left));
    EXPECT_TRUE(QFileInfo::exists(dir + "/.new-mine/notes.txt"));
}

TEST_F(ReaderTest, DamageAndLocksAreToldByTheirRealCause) {
    // Half the file cut off: the program's own database, damaged, not someone else's file.
    const QString cut = path(QStringLiteral("Cut"));
    ASSERT_EQ(tool({"init", cut, "--bare"}).code, 0);
    QFile f(Store::databasePath(cut));
    ASSERT_TRUE(f.resize(f.size() / 2));
    for (const QStringList& args : {QStringList{"check", cut}, QStringList{"recalc", cut}}) {
        const ToolResult r = tool(args);
        EXPECT_EQ(r.code, 1);
        EXPECT_TRUE(r.err.contains("поврежден")) << r.err.toStdString();
        EXPECT_FALSE(r.err.contains("не является базой данных программы")) << r.err.toStdString();
    }
    // The lock file cannot be written for want of room: a full disk, not a lack of rights.
    QProcess p;
    p.start(QStringLiteral("bash"), {"-c", QStringLiteral("ulimit -f 0; exec '%1' recalc '%2'")
                                               .arg(QStringLiteral(DATA_TOOL), data())});
    ASSERT_TRUE(p.waitForFinished(60000));
    const QString err = QString::fromUtf8(p.readAllStandardError());
    EXPECT_EQ(p.exitCode(), 1);
    EXPECT_TRUE(err.contains("файл блокировки") && err.contains("Освободите место"))
        << err.toStdString();
    EXPECT_FALSE(err.contains("нет прав")) << err.toStdString();
}

TEST_F(ReaderTest, ReadOnlyCommandsWorkInAFolderThatMayNotBeWritten) {
    if (::geteuid() != 0 || QStandardPaths::findExecutable(QStringLiteral("runuser")).isEmpty())
        GTEST_SKIP() << "needs root to run the tool as another user";
    // A copy owned by root that "nobody" may read but not write.
    const QString dir = QStringLiteral("/tmp/ses-readonly-%1").arg(::getpid());
    QDir(dir).removeRecursively();
    ASSERT_EQ(tool({"init", "--demo", dir}).code, 0);
    ASSERT_EQ(::chmod(QFile::encodeName(dir).constData(), 0755), 0);
    // The export goes to a folder of its own that anyone may write.
    const QString outDir = dir + "-out";
    ASSERT_TRUE(QDir().mkpath(outDir));
    ASSERT_EQ(::chmod(QFile::encodeName(outDir).constData(), 0777), 0);
    const QString out = outDir + "/kl.csv";
    const QStringList before = dump(dir);
    for (const QStringList& args : {QStringList{"check", dir}, QStringList{"test", dir},
                                    QStringList{"export", dir, "kl", out}}) {
        QStringList as{"-u", "nobody", "--", QStringLiteral(DATA_TOOL)};
        as += args;
        const ToolResult r = tool(as, 0, QStringLiteral("runuser"));
        EXPECT_EQ(r.code, 0) << args.join(' ').toStdString() << ": " << r.err.toStdString();
        EXPECT_FALSE(r.err.contains("не сохранены")) << r.err.toStdString();
    }
    EXPECT_EQ(dump(dir), before);
    EXPECT_TRUE(QFileInfo(out).size() > 0);
    QDir(dir).removeRecursively();
    QDir(outDir).removeRecursively();
}

} // namespace
