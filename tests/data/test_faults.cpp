// What the data layer keeps under faults: full disks, killed and concurrent processes, damaged or
// foreign files, bad input and bad arguments. Each case reproduces the fault on a small fixture.

#include "fixture.h"
#include "tool_run.h"

#include "data/csv.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QProcess>
#include <QSqlError>
#include <QSqlQuery>
#include <QThread>

using namespace ses;
using namespace ses::test;

namespace {

QByteArray digest(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly)
               ? QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256)
               : QByteArray();
}

qint64 rows(const QString& dir, const QString& table) {
    auto store = Store::openReadOnly(dir);
    return store->count(table);
}

// Many consumer rows for an import, enough to overflow a small file limit.
QByteArray consumerRows(int n) {
    QByteArray csv = "Name,Pnom,Ip_In,ClearSinus,Rejim\n";
    for (int i = 0; i < n; ++i)
        csv += "Потребитель номер " + QByteArray::number(i) +
               " с длинным наименованием,100,1.5,0,ручной\n";
    return csv;
}

class FaultTest : public ::testing::Test {
protected:
    void SetUp() override {
        ensureApp();
        ASSERT_TRUE(m_tmp.isValid());
    }
    QString path(const QString& name) const { return m_tmp.path() + '/' + name; }
    QString data() const { return path(QStringLiteral("Data")); }
    QString db() const { return Store::databasePath(data()); }
    QTemporaryDir m_tmp;
};

// ---------------------------------------------------------------- full disks

TEST_F(FaultTest, AFullDiskEndsTheImportAndKeepsNothingOfIt) {
    initDataDirectory(data());
    const qint64 before = rows(data(), QStringLiteral("sEP"));
    write(path("many.csv"), consumerRows(20000));
    // The write-ahead log may grow by little more than a page or two of rows.
    const ToolResult r = tool({"import", data(), "sEP", path("many.csv")}, 256);
    EXPECT_EQ(r.code, 1) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains("диск")) << r.err.toStdString();
    EXPECT_FALSE(r.err.contains("отклонено строк")) << "a full disk is no refused row";
    EXPECT_EQ(rows(data(), QStringLiteral("sEP")), before);
    EXPECT_EQ(tool({"check", data()}).code, 0);
}

TEST_F(FaultTest, NothingIsWrittenInAutocommitAfterTheEngineDroppedTheTransaction) {
    initDataDirectory(data(), InitContent::Bare);
    auto store = Store::open(data());
    RecordingPrompter prompter;
    TDataModule1 dm(*store, prompter);
    QSqlQuery q(store->db());
    ASSERT_TRUE(q.exec("PRAGMA page_count") && q.next());
    const qint64 pages = q.value(0).toLongLong();
    ASSERT_TRUE(q.exec(QStringLiteral("PRAGMA max_page_count = %1").arg(pages + 2)));
    View& v = dm.tbl(QStringLiteral("sEP"));
    int posted = 0, failures = 0;
    {
        Transaction tr(*store);
        // As an import that took a store error for a refused row would: it goes on posting. The
        // rows after the failure must not land in autocommit behind the transaction's back.
        for (int i = 0; i < 5000 && failures < 10; ++i) {
            try {
                ASSERT_TRUE(v.append());
                v[QStringLiteral("Name")].setString(
                    QStringLiteral("Потребитель %1 с длинным наименованием").arg(i));
                v[QStringLiteral("Pnom")].setString(QStringLiteral("100"));
                v[QStringLiteral("Ip_In")].setString(QStringLiteral("1"));
                v[QStringLiteral("ClearSinus")].setString(QStringLiteral("+"));
                v[QStringLiteral("Rejim")].setString(QStringLiteral("ручной"));
                ASSERT_TRUE(v.post()) << prompter.last().toStdString();
                ++posted;
            } catch (const DbError& e) {
                EXPECT_FALSE(e.isRowRefusal()) << e.message().toStdString();
                v.cancel();
                ++failures;
            }
        }
        EXPECT_EQ(failures, 10);
        EXPECT_THROW(tr.commit(), DbError);
    }
    EXPECT_GT(posted, 0);
    EXPECT_EQ(store->count(QStringLiteral("sEP")), 0);
    EXPECT_EQ(store->transactionDepth(), 0);
}

TEST_F(FaultTest, ExportNeverWritesOverTheDatabaseAndAFullDiskKeepsTheOldFile) {
    initDataDirectory(data());
    const QByteArray dbBefore = digest(db());
    for (const QString& target :
         {db(), db() + "-wal", data() + "/notes.txt", data() + "/TovrelSES11.lock"}) {
        const ToolResult r = tool({"export", data(), "kl", target});
        EXPECT_EQ(r.code, 1) << target.toStdString();
        EXPECT_TRUE(r.err.contains("Выгрузка отменена")) << r.err.toStdString();
    }
    // A link to the database from elsewhere is the database too.
    ASSERT_TRUE(QFile::link(db(), path("link.csv")));
    EXPECT_EQ(tool({"export", data(), "kl", path("link.csv")}).code, 1);
    EXPECT_EQ(digest(db()), dbBefore);

    write(path("many.csv"), consumerRows(2000));
    ASSERT_EQ(tool({"import", data(), "sEP", path("many.csv")}).code, 0);
    write(path("old.csv"), "old contents\n");
    const ToolResult full = tool({"export", data(), "sEP", path("old.csv")}, 64);
    EXPECT_EQ(full.code, 1);
    EXPECT_TRUE(full.err.contains("Не удалось записать файл")) << full.err.toStdString();
    QFile old(path("old.csv"));
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), "old contents\n");
    EXPECT_EQ(tool({"export", data(), "sEP", data() + "/sEP.csv"}).code, 0);
}

TEST_F(FaultTest, InitOnAFullDiskSaysSoAndLeavesNoDatabase) {
    for (const char* mode : {"--bare", "--demo"}) {
        const QString dir = path(QString::fromLatin1(mode).mid(2));
        const ToolResult r = tool({"init", mode, dir}, 64);
        EXPECT_EQ(r.code, 1) << mode << r.err.toStdString();
        EXPECT_FALSE(r.err.isEmpty());
        EXPECT_FALSE(QFileInfo::exists(Store::databasePath(dir))) << mode;
        // The next init over the same folder works.
        EXPECT_EQ(tool({"init", mode, dir}).code, 0) << mode;
    }
}

// ---------------------------------------------------------------- kills and two processes

TEST_F(FaultTest, TwoInitsOnOneFolderMakeOneDatabase) {
    for (int round = 0; round < 4; ++round) {
        const QString dir = path(QStringLiteral("race%1").arg(round));
        QProcess a, b;
        a.start(QStringLiteral(DATA_TOOL), {"init", dir});
        b.start(QStringLiteral(DATA_TOOL), {"init", dir});
        ASSERT_TRUE(a.waitForFinished(60000) && b.waitForFinished(60000));
        EXPECT_EQ((a.exitCode() == 0) + (b.exitCode() == 0), 1) << "round " << round;
        const QString loser = QString::fromUtf8(a.exitCode() == 0 ? b.readAllStandardError()
                                                                  : a.readAllStandardError());
        EXPECT_TRUE(loser.contains("уже есть база данных")) << loser.toStdString();
        EXPECT_EQ(tool({"check", dir}).code, 0) << "round " << round;
    }
}

TEST_F(FaultTest, AKilledInitLeavesEitherNothingOrAWholeDatabase) {
    // Kills spread over the run (about half a second for the demo); bounded, no timing asserted.
    for (int delayMs : {20, 80, 150, 250, 400}) {
        const QString dir = path(QStringLiteral("killed%1").arg(delayMs));
        QProcess p;
        p.start(QStringLiteral(DATA_TOOL), {"init", "--demo", dir});
        ASSERT_TRUE(p.waitForStarted());
        QThread::msleep(delayMs);
        p.kill();
        p.waitForFinished();
        if (QFileInfo::exists(Store::databasePath(dir))) {
            EXPECT_EQ(tool({"check", dir}).code, 0) << delayMs;
            const ToolResult r = tool({"recalc", dir});
            EXPECT_EQ(r.out.count("Pras_SP = "), 2) << delayMs << r.err.toStdString();
        } else {
            EXPECT_EQ(tool({"init", "--demo", dir}).code, 0) << delayMs;
        }
    }
}

TEST_F(FaultTest, AWriterIsToldWhichProcessHoldsTheData) {
    initDataDirectory(data());
    write(path("one.csv"), consumerRows(1));
    {
        DataDirLock held(data());
        for (const QStringList& args : {QStringList{"import", data(), "sEP", path("one.csv")},
                                        QStringList{"recalc", data()}}) {
            const ToolResult r = tool(args);
            EXPECT_EQ(r.code, 1);
            EXPECT_TRUE(r.err.contains(
                QStringLiteral("процесс %1").arg(QCoreApplication::applicationPid())))
                << r.err.toStdString();
        }
        // Reading needs no lock.
        EXPECT_EQ(tool({"check", data()}).code, 0);
    }
    EXPECT_EQ(tool({"import", data(), "sEP", path("one.csv")}).code, 0);
}

TEST_F(FaultTest, ABusyDatabaseIsWaitedForAndThenNamed) {
    initDataDirectory(data());
    auto other = Store::open(data());
    other->exec(QStringLiteral("BEGIN IMMEDIATE"));
    write(path("one.csv"), consumerRows(1));
    const ToolResult r = tool({"import", data(), "sEP", path("one.csv")});
    other->exec(QStringLiteral("ROLLBACK"));
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.contains("занята другим процессом")) << r.err.toStdString();
}

// ---------------------------------------------------------------- damaged and foreign files

TEST_F(FaultTest, CheckFindsDamageAndMissingRowsAndChangesNothing) {
    initDataDirectory(data());
    EXPECT_EQ(tool({"check", data()}).code, 0);
    {
        auto store = Store::open(data());
        store->exec(QStringLiteral("DELETE FROM sSun_day WHERE Kod = 12"));
        store->exec(QStringLiteral("INSERT INTO param DEFAULT VALUES"));
        store->exec(QStringLiteral("INSERT INTO param DEFAULT VALUES"));
    }
    const QByteArray before = digest(db());
    const ToolResult r = tool({"check", data()});
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.contains("sSun_day")) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains("param")) << r.err.toStdString();
    EXPECT_EQ(digest(db()), before);

    // Pages overwritten in the middle of the file.
    QFile f(db());
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    f.seek(f.size() / 2);
    f.write(QByteArray(8192, '\x5a'));
    f.close();
    const ToolResult damaged = tool({"check", data()});
    EXPECT_EQ(damaged.code, 1);
    EXPECT_TRUE(damaged.err.contains("поврежден")) << damaged.err.toStdString();
}

TEST_F(FaultTest, AForeignFileIsRefusedWithoutAChange) {
    QDir().mkpath(data());
    {
        QSqlDatabase foreign =
            QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("foreign"));
        foreign.setDatabaseName(db());
        ASSERT_TRUE(foreign.open());
        QSqlQuery(foreign).exec(QStringLiteral("CREATE TABLE notes (t TEXT)"));
        foreign.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("foreign"));
    const QByteArray before = digest(db());
    for (const QStringList& args : {QStringList{"check", data()}, QStringList{"recalc", data()},
                                    QStringList{"export", data(), "kl", path("kl.csv")}}) {
        const ToolResult r = tool(args);
        EXPECT_EQ(r.code, 1) << args.join(' ').toStdString();
        EXPECT_TRUE(r.err.contains("не является базой данных программы")) << r.err.toStdString();
    }
    EXPECT_EQ(digest(db()), before);
    EXPECT_FALSE(QFileInfo::exists(db() + "-wal"));
}

TEST_F(FaultTest, AMissingTableIsNamedByEveryEntryPoint) {
    initDataDirectory(data());
    {
        auto store = Store::open(data());
        store->exec(QStringLiteral("DROP TABLE kl"));
    }
    write(path("one.csv"), consumerRows(1));
    for (const QStringList& args :
         {QStringList{"recalc", data()}, QStringList{"import", data(), "sEP", path("one.csv")}}) {
        const ToolResult r = tool(args);
        EXPECT_EQ(r.code, 1);
        EXPECT_TRUE(r.err.contains("нет таблицы \"kl\"")) << r.err.toStdString();
    }
    const ToolResult check = tool({"check", data()});
    EXPECT_EQ(check.code, 1);
    EXPECT_TRUE(check.err.contains("kl")) << check.err.toStdString();
}

TEST(StoreErrors, AreToldApartByTheEnginesCode) {
    const struct {
        const char* code;
        const char* text;
        DbError::Kind kind;
        const char* words;
    } cases[] = {
        {"13", "database or disk is full", DbError::Kind::DiskFull, "Недостаточно места на диске"},
        {"8", "attempt to write a readonly database", DbError::Kind::ReadOnly, "только для чтения"},
        {"5", "database is locked", DbError::Kind::Busy, "занята другим процессом"},
        {"11", "database disk image is malformed", DbError::Kind::Damaged, "поврежден"},
        {"26", "file is not a database", DbError::Kind::Damaged, "поврежден"},
        {"1", "no such table: kl", DbError::Kind::MissingTable, "нет таблицы \"kl\""},
    };
    for (const auto& c : cases) {
        const DbError e =
            storeError(QSqlError(QString(), QString::fromLatin1(c.text), QSqlError::StatementError,
                                 QString::fromLatin1(c.code)),
                       QStringLiteral("/data/TovrelSES11.sqlite"));
        EXPECT_EQ(e.kind(), c.kind) << c.code;
        EXPECT_TRUE(e.message().contains(QString::fromUtf8(c.words))) << e.message().toStdString();
        EXPECT_TRUE(e.message().contains("/data/TovrelSES11.sqlite"));
        EXPECT_FALSE(e.isRowRefusal());
    }
}

// ---------------------------------------------------------------- import input

TEST_F(FaultTest, ImportInputIsCheckedBeforeAnythingIsStored) {
    initDataDirectory(data());
    const qint64 before = rows(data(), QStringLiteral("sEP"));
    // Windows-1251 text on line 3.
    write(path("cp1251.csv"),
          QByteArray("Name,Pnom,Ip_In,ClearSinus,Rejim\nЛампа,10,1,0,ручной\n") +
              QByteArray("\xcb\xe0\xec\xef\xe0,10,1,0,x\n"));
    ToolResult r = tool({"import", data(), "sEP", path("cp1251.csv")});
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.contains("Строка 3") && r.err.contains("UTF-8")) << r.err.toStdString();

    // A key that is there already is named.
    write(path("clash.csv"), "Kod,Name,Pnom,Ip_In,ClearSinus,Rejim\n1,Другой,10,1,0,ручной\n");
    r = tool({"import", data(), "sEP", path("clash.csv")});
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.contains("\"clash.csv\", строка 2") && r.err.contains("Kod = 1"))
        << r.err.toStdString();

    // Too large a file is refused before it is read (a sparse file costs no disk).
    QFile big(path("big.csv"));
    ASSERT_TRUE(big.open(QIODevice::WriteOnly));
    ASSERT_TRUE(big.resize(kMaxImportBytes + 1));
    big.close();
    r = tool({"import", data(), "sEP", path("big.csv")});
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.contains("слишком велик")) << r.err.toStdString();
    EXPECT_EQ(rows(data(), QStringLiteral("sEP")), before);
}

TEST_F(FaultTest, WhatTheImportAcceptsTheExportGivesBackExactly) {
    initDataDirectory(data(), InitContent::Bare);
    write(path("tricky.csv"), "Name,Pnom,Ip_In,ClearSinus,Rejim\n"
                              "\"Запятая, и \"\"кавычки\"\"\",0.30000000000000004,1,1,ручной\n"
                              "\"Две\nстроки\",123456789.125,0.000001,0,ручной\n"
                              "  пробелы по краям  ,1e0,2,0,автоматический\n");
    ToolResult r = tool({"import", data(), "sEP", path("tricky.csv")});
    // "1e0" is no number of this program: the line is refused, the rest reported with it.
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.contains("строка 5")) << r.err.toStdString();
    write(path("tricky.csv"), "Name,Pnom,Ip_In,ClearSinus,Rejim\n"
                              "\"Запятая, и \"\"кавычки\"\"\",0.30000000000000004,1,1,ручной\n"
                              "\"Две\nстроки\",123456789.125,0.000001,0,ручной\n"
                              "  пробелы по краям  ,100000000000000000000,2,0,автоматический\n");
    ASSERT_EQ(tool({"import", data(), "sEP", path("tricky.csv")}).code, 0);
    ASSERT_EQ(tool({"export", data(), "sEP", path("first.csv")}).code, 0);
    const QString again = path("Again");
    initDataDirectory(again, InitContent::Bare);
    ASSERT_EQ(tool({"import", again, "sEP", path("first.csv")}).code, 0);
    ASSERT_EQ(tool({"export", again, "sEP", path("second.csv")}).code, 0);
    EXPECT_EQ(digest(path("first.csv")), digest(path("second.csv")));
    QFile first(path("first.csv"));
    ASSERT_TRUE(first.open(QIODevice::ReadOnly));
    const QByteArray text = first.readAll();
    EXPECT_TRUE(text.contains("0.30000000000000004")) << text.toStdString();
    EXPECT_TRUE(text.contains("100000000000000000000")) << text.toStdString();
}

// ---------------------------------------------------------------- arguments

TEST_F(FaultTest, UnknownOptionsGetTheUsageAndCreateNothing) {
    const QStringList cases[] = {
        {"init", "--demo"},
        {"init", "--force", path("x")},
        {"init", "--bare", "--demo", path("x")},
        {"recalc", path("x"), "--variant"},
        {"recalc", path("x"), "--all"},
        {"check"},
        {"export", path("x"), "kl"},
        {"frobnicate", path("x")},
    };
    for (const QStringList& args : cases) {
        QProcess p;
        p.setWorkingDirectory(m_tmp.path());
        p.start(QStringLiteral(DATA_TOOL), args);
        ASSERT_TRUE(p.waitForFinished(30000));
        EXPECT_EQ(p.exitCode(), 2) << args.join(' ').toStdString();
        EXPECT_TRUE(QString::fromUtf8(p.readAllStandardError()).contains("Использование"))
            << args.join(' ').toStdString();
    }
    EXPECT_EQ(QDir(m_tmp.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
}

} // namespace
