// The starter catalogs: every row passes the rules, and a 24 V station finds its equipment.

#include "fixture.h"

#include "data/queries.h"

#include "lib/months.h"

#include <QSqlQuery>

using namespace ses;
using namespace ses::test;

namespace {

class StarterData : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ensureApp();
        s_tmp = new QTemporaryDir;
        // Throws, naming every refused line, when any rule refuses a starter row.
        initDataDirectory(s_tmp->path());
        s_store = Store::open(s_tmp->path()).release();
    }
    static void TearDownTestSuite() {
        delete s_store;
        delete s_tmp;
    }
    static QueryResult run(const char* name,
                           std::initializer_list<std::pair<const char*, QVariant>> params) {
        FixedQuery q(*s_store, name);
        for (const auto& [p, v] : params)
            q.setParam(p, v);
        return q.run();
    }
    static QTemporaryDir* s_tmp;
    static Store* s_store;
};
QTemporaryDir* StarterData::s_tmp = nullptr;
Store* StarterData::s_store = nullptr;

TEST_F(StarterData, PassesTheDirectoryCheckAndFillsEveryCatalog) {
    const CheckReport r = checkDataDirectory(s_tmp->path());
    EXPECT_TRUE(r.ok) << r.problems.join('\n').toStdString();
    for (const char* t :
         {"region0",    "SunPanel1", "akb2",      "Controller4", "Invert1", "AV2",
          "Pr2",        "kl",        "sKab_inv1", "perem",       "mc",      "mc_y",
          "akb_zaryad", "Ktemp",     "Ktemp1",    "Kproiz",      "Kproiz1", "Kproiz2",
          "sTempAB1",   "sEP",       "sEP12",     "sSut1",       "sSutEP2", "sSutEP12_2"})
        EXPECT_GT(s_store->count(t), 0) << t;
    for (const char* t : {"project0", "project1", "param", "ParVarDef"})
        EXPECT_EQ(s_store->count(t), 0) << t;
}

TEST_F(StarterData, EveryBookScheduleComesBuilt) {
    // The daily energy checked against the rows themselves: rated power times hours of each
    // consumer's periods, or power times hours of each interval.
    const struct {
        const char* schedules;
        const char* energy;
    } books[] = {
        {"sSutEP0", "SELECT SUM(e.SPnom * (p.T2 - p.T1)) FROM sSutEP1 e JOIN sSutEP2 p ON "
                    "p.Kod0 = e.Kod WHERE e.Kod0 = ?"},
        {"sSutEP12_0", "SELECT SUM(e.SPnom * (p.T2 - p.T1)) FROM sSutEP12_1 e JOIN sSutEP12_2 p "
                       "ON p.Kod0 = e.Kod WHERE e.Kod0 = ?"},
        {"sSut0", "SELECT SUM(P * (T2 - T1)) FROM sSut1 WHERE Kod0 = ?"},
    };
    for (const auto& b : books) {
        QSqlQuery q = s_store->select(
            QStringLiteral("SELECT * FROM %1").arg(QString::fromLatin1(b.schedules)));
        int n = 0;
        while (q.next()) {
            ++n;
            const QString name = q.value("Name").toString();
            for (const char* c : {"Wp_sut", "Pnom30min", "Pmax10min"})
                EXPECT_FALSE(q.value(c).isNull()) << b.schedules << " " << name.toStdString() << c;
            if (QString::fromLatin1(b.schedules) != QLatin1String("sSut0")) {
                EXPECT_GT(q.value("Ppik").toDouble(), 0) << name.toStdString();
                EXPECT_GE(q.value("Ppik").toDouble(), q.value("Pmax10min").toDouble())
                    << name.toStdString();
            }
            QSqlQuery e = s_store->select(QString::fromLatin1(b.energy), {q.value("Kod")});
            ASSERT_TRUE(e.next());
            EXPECT_NEAR(q.value("Wp_sut").toDouble(), e.value(0).toDouble(), 0.5)
                << name.toStdString();
        }
        EXPECT_GT(n, 0) << b.schedules;
    }
}

TEST_F(StarterData, A24VoltStationFindsCandidates) {
    EXPECT_FALSE(run("qryInv2", {{"Uvh", 24},
                                 {"Uvuh", 220},
                                 {"Pnom", 1000},
                                 {"Pmax", 1000},
                                 {"Ppik", 1000},
                                 {"Forma", "чистый синус"},
                                 {"Forma1", "модиф. синус"}})
                     .empty());
    for (const char* algorithm : {"MPPT", "PWM"}) {
        const QueryResult r = run("qryController1", {{"Algoritm", algorithm},
                                                     {"Uxx_sp", 44.6},
                                                     {"Umppt", 36},
                                                     {"Uses", 24},
                                                     {"Psp", 1600},
                                                     {"Izar_akb", 40},
                                                     {"TipAKB", "AGM"}});
        EXPECT_FALSE(r.empty()) << algorithm;
    }
    EXPECT_FALSE(run("qryAV", {{"Unom", 24}, {"Inom", 40}, {"Skab", 0}}).empty());
    EXPECT_FALSE(run("qryPr", {{"Unom", 24}, {"Inom", 40}, {"Skab", 0}}).empty());
    EXPECT_FALSE(
        run("qryAV_Inv", {{"Uses", 24}, {"Pinv_nom", 1000}, {"Pinv_pik", 2000}, {"Skab", 0}})
            .empty());
    EXPECT_FALSE(run("qryPr_Inv", {{"Uses", 24}, {"Pinv_nom", 1000}, {"Skab", 0}}).empty());
    // 30 A over 2 m at 24 V with a 2 % drop: resistance per metre of one core at most
    // 24 * 0,02 / 30 / 2 / 2 = 0,004 ohm/m.
    for (const char* q : {"qryKL", "qryKL_2_1zh", "qryKL_1_2zh"}) {
        const QueryResult r = run(q, {{"Ro", 0.004}, {"I", 30}});
        ASSERT_EQ(r.rows.size(), 1u);
        EXPECT_FALSE(r.rows[0][0].isNull()) << q;
        EXPECT_GE(r.rows[0][0].toDouble(), 4.4) << q;
    }
    EXPECT_FALSE(run("qryKab_inv", {{"P", 1000}, {"U", 24}}).empty());
    EXPECT_FALSE(run("qryPerem", {{"I", 100}}).rows[0][0].isNull());
}

TEST_F(StarterData, RegionsHaveTwelveMonthsInOrderWithTilts) {
    QSqlQuery q(s_store->db());
    q.exec("SELECT r.Region, COUNT(m.Kod), SUM(m.B IS NULL) FROM region0 r LEFT JOIN region1 m ON "
           "m.Kod0 = r.Kod "
           "GROUP BY r.Kod");
    int regions = 0;
    while (q.next()) {
        ++regions;
        EXPECT_EQ(q.value(1).toInt(), 12) << q.value(0).toString().toStdString();
        EXPECT_EQ(q.value(2).toInt(), 0) << q.value(0).toString().toStdString();
    }
    EXPECT_GE(regions, 80);
    EXPECT_LE(regions, 120);
    View months(*s_store, "region1", "Kod0");
    QStringList first;
    for (months.first(); !months.eof() && first.size() < 12; months.next())
        first << months["MonthName"].asString();
    EXPECT_EQ(first, monthNames());
}

// E of every starter month is the radiation on the plane of its tilt, derived from the month's
// horizontal source: north of 50 degrees a steep winter plane gets at least 1,6 times the
// horizontal, and the summer plane at its flat tilt about the horizontal value.
TEST_F(StarterData, RegionRadiationIsOnThePlaneOfTheMonthsTilt) {
    QSqlQuery q(s_store->db());
    ASSERT_TRUE(q.exec("SELECT r.Region, r.Fi, m.MonthName, m.P, s.H FROM region0 r "
                       "JOIN region1 m ON m.Kod0 = r.Kod "
                       "JOIN region2 s ON s.Kod0 = r.Kod AND s.MonthName = m.MonthName"));
    int months = 0, north = 0;
    while (q.next()) {
        ++months;
        const QString where = q.value(0).toString() + " " + q.value(2).toString();
        const double fi = q.value(1).toDouble(), e = q.value(3).toDouble(),
                     h = q.value(4).toDouble();
        const QString month = q.value(2).toString();
        if (fi <= 50)
            continue;
        if (month == "декабрь" || month == "январь") {
            ++north;
            EXPECT_GE(e, 1.6 * h) << where.toStdString() << ": " << e << " / " << h;
        }
        if (month == "июнь") {
            EXPECT_NEAR(e / h, 1, 0.15) << where.toStdString() << ": " << e << " / " << h;
        }
    }
    EXPECT_EQ(months, 12 * 117);
    EXPECT_GT(north, 100);
}

TEST_F(StarterData, LossByDeviationAngleRisesAndStaysBelow100) {
    View k(*s_store, "Kproiz2", "siUgol");
    double previousK = -1, previousAngle = -1;
    EXPECT_EQ(k["Ugol"].asFloat(), 0);
    EXPECT_EQ(k["K"].asFloat(), 0);
    for (k.first(); !k.eof(); k.next()) {
        EXPECT_GT(k["Ugol"].asFloat(), previousAngle);
        EXPECT_GE(k["K"].asFloat(), previousK) << k["Ugol"].asString().toStdString();
        EXPECT_LT(k["K"].asFloat(), 100);
        previousK = k["K"].asFloat();
        previousAngle = k["Ugol"].asFloat();
    }
    EXPECT_GE(previousAngle, 201);
}

TEST_F(StarterData, TemperatureCoefficientsAreOneAt25Degrees) {
    for (const char* t : {"Ktemp", "Ktemp1"}) {
        View k(*s_store, t);
        ASSERT_TRUE(k.locate("T", 25.0)) << t;
        EXPECT_EQ(k["K"].asFloat(), 1.0) << t;
    }
}

} // namespace

namespace {

// A maker switched off hides all its types, whatever their own flags say.
TEST(StarterDataFlags, AMakerSwitchedOffHidesAllItsTypes) {
    ensureApp();
    QTemporaryDir tmp;
    initDataDirectory(tmp.path());
    auto store = Store::open(tmp.path());
    struct Case {
        const char* query;
        std::vector<std::pair<const char*, QVariant>> params;
    } cases[] = {
        {"qryInv2",
         {{"Uvh", 24},
          {"Uvuh", 220},
          {"Pnom", 300},
          {"Pmax", 0},
          {"Ppik", 0},
          {"Forma", "чистый синус"},
          {"Forma1", "модиф. синус"}}},
        {"qryController1",
         {{"Algoritm", "PWM"},
          {"Uxx_sp", 30},
          {"Umppt", 30},
          {"Uses", 24},
          {"Psp", 100},
          {"Izar_akb", 1},
          {"TipAKB", "AGM"}}},
        {"qryAV", {{"Unom", 24}, {"Inom", 6}, {"Skab", 0}}},
        {"qryAV_Inv", {{"Uses", 24}, {"Pinv_nom", 100}, {"Pinv_pik", 100}, {"Skab", 0}}},
        {"qryPr", {{"Unom", 24}, {"Inom", 6}, {"Skab", 0}}},
        {"qryPr_Inv", {{"Uses", 24}, {"Pinv_nom", 100}, {"Skab", 0}}},
    };
    const auto rows = [&](const Case& c) {
        FixedQuery q(*store, c.query);
        for (const auto& [p, v] : c.params)
            q.setParam(p, v);
        return q.run().rows.size();
    };
    for (const auto& c : cases)
        ASSERT_GT(rows(c), 0u) << c.query;
    store->exec("UPDATE Invert0 SET UseInv = 0");
    store->exec("UPDATE Controller0 SET UseCtrl = 0");
    store->exec("UPDATE AV0 SET UseAV = 0");
    store->exec("UPDATE Pr0 SET UsePr = 0");
    for (const auto& c : cases)
        EXPECT_EQ(rows(c), 0u) << c.query;
}

} // namespace
