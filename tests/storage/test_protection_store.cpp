// The protective devices over the store: the demo's circuits each hold the device its choice
// offers first, a device of one kind displaces the other, the bulk copy, deleting one and all,
// and every action written whole or not at all.

#include "../data/fixture.h"
#include "../lib/qt_print.h"

#include "app/demo.h"
#include "app/shell.h"
#include "storage/protection_ops.h"

#include <QSqlQuery>

using namespace ses;

namespace {

class ProtectionStoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::ensureApp();
        initDataDirectory(m_tmp.path());
        store = Store::open(m_tmp.path());
        dm = std::make_unique<TDataModule1>(*store, prompter);
        shell = std::make_unique<Shell>(*dm, prompter);
        buildDemoProject(*shell);
        dm->tblProj1().first();
    }

    // A column of the current variant's arrays, from the file itself.
    std::vector<QVariant> arrayColumn(const char* column) {
        std::vector<QVariant> out;
        QSqlQuery q(store->db());
        q.prepare(QStringLiteral("SELECT %1 FROM proj_mas WHERE Kod0 = ? ORDER BY Kod")
                      .arg(QLatin1String(column)));
        q.addBindValue(dm->tblProj1().currentKey());
        q.exec();
        while (q.next())
            out.push_back(q.value(0));
        return out;
    }

    Candidate firstOffered(DeviceKind kind, Circuit circuit, int record) {
        const auto c =
            candidatesFor(readDeviceCatalog(*dm, kind),
                          requirementOf(kind, circuit, readProtectionInputs(*dm), record));
        EXPECT_FALSE(c.empty());
        return c.empty() ? Candidate{} : c.front();
    }

    QTemporaryDir m_tmp;
    RecordingPrompter prompter;
    std::unique_ptr<Store> store;
    std::unique_ptr<TDataModule1> dm;
    std::unique_ptr<Shell> shell;
};

TEST_F(ProtectionStoreTest, EveryDemoCircuitHoldsOneFittingDevice) {
    for (View& v = dm->tblProj1(); !v.eof(); v.next()) {
        SCOPED_TRACE(v["VarName"].asString().toStdString());
        const ProtectionInputs in = readProtectionInputs(*dm);
        for (int c = 0; c < kCircuitCount; ++c) {
            const Circuit circuit = Circuit(c);
            const bool single = circuit == Circuit::Assembly || circuit == Circuit::BatteryDc;
            const int records = single ? 1 : circuitView(*dm, circuit).recordCount();
            ASSERT_GT(records, 0);
            for (int r = 0; r < records; ++r) {
                SCOPED_TRACE(c * 10 + r);
                const StoredDevice b = storedDevice(*dm, DeviceKind::Breaker, circuit, r);
                const StoredDevice f = storedDevice(*dm, DeviceKind::Fuse, circuit, r);
                // Exactly one of the two, complete, and among what the choice offers now.
                ASSERT_NE(b.complete(), f.complete());
                const DeviceKind kind = b.complete() ? DeviceKind::Breaker : DeviceKind::Fuse;
                const StoredDevice& d = b.complete() ? b : f;
                EXPECT_TRUE((b.complete() ? f : b).company.isEmpty());
                const auto offered = candidatesFor(readDeviceCatalog(*dm, kind),
                                                   requirementOf(kind, circuit, in, r));
                ASSERT_FALSE(offered.empty());
                EXPECT_EQ(offered[presentRow(offered, d)].name, d.name);
                if (kind == DeviceKind::Fuse) {
                    EXPECT_FALSE(d.holder.isEmpty());
                }
            }
        }
    }
}

// The dialogs read only the part of the catalog that may fit; what they offer must be what the
// whole catalog offers, also with the inverter-power option and at the rounding boundary.
TEST_F(ProtectionStoreTest, TheNarrowedReadOffersWhatTheWholeCatalogOffers) {
    const auto names = [](const std::vector<Candidate>& c) {
        QStringList out;
        for (const Candidate& x : c)
            out << x.company + QLatin1Char('/') + x.name + QLatin1Char('/') +
                       QString::number(x.pinvNom.value_or(-1)) + QLatin1Char('/') +
                       QString::number(x.pinvPik.value_or(-1));
        return out;
    };
    int compared = 0;
    for (const DeviceKind kind : {DeviceKind::Breaker, DeviceKind::Fuse}) {
        const DeviceCatalog whole = readDeviceCatalog(*dm, kind);
        ProtectionInputs in = readProtectionInputs(*dm);
        for (const int inverter : {0, 1, 3}) {
            (kind == DeviceKind::Breaker ? in.variant.breaker : in.variant.fuse).inverter =
                inverter;
            for (int c = 0; c < kCircuitCount; ++c) {
                Requirement r = requirementOf(kind, Circuit(c), in, 0);
                ASSERT_TRUE(r.missing.isEmpty()) << c;
                std::vector<Requirement> cases{r};
                if (!r.byPower && !whole.empty()) {
                    // Exactly a device's ratings, and a hair above them that rounds away.
                    const CatalogDevice& d = whole[whole.size() / 2];
                    Requirement edge = r;
                    edge.current = d.inom + 4e-7;
                    edge.voltage = d.unom;
                    edge.section = d.skab;
                    cases.push_back(edge);
                }
                for (const Requirement& q : cases) {
                    SCOPED_TRACE(QStringLiteral("%1 %2 %3")
                                     .arg(int(kind))
                                     .arg(inverter)
                                     .arg(c)
                                     .toStdString());
                    const auto expected = candidatesFor(whole, q);
                    EXPECT_EQ(names(candidatesFor(readCandidateDevices(*dm, kind, q), q)),
                              names(expected));
                    compared += !expected.empty();
                }
            }
        }
    }
    EXPECT_GT(compared, 20);
}

TEST_F(ProtectionStoreTest, AKindDisplacesTheOtherAndDeletesClearOneOrAll) {
    View& m = dm->tblProj_Mas();
    ASSERT_GE(m.recordCount(), 2);
    // The dacha protects its arrays by breakers; a fuse on the second array empties its breaker
    // in the same write and leaves the first alone.
    const Candidate fuse = firstOffered(DeviceKind::Fuse, Circuit::ArrayController, 1);
    storeDeviceChoice(*dm, DeviceKind::Fuse, Circuit::ArrayController, 1, fuse, false);
    EXPECT_EQ(arrayColumn("Tip_Pr_mas")[1].toString(), fuse.name);
    EXPECT_EQ(arrayColumn("Tip_Pr_Derzh_mas")[1].toString(), fuse.extra);
    EXPECT_TRUE(arrayColumn("Company_AV_mas")[1].isNull());
    EXPECT_TRUE(arrayColumn("Inom_AV_mas")[1].isNull());
    EXPECT_FALSE(arrayColumn("Company_AV_mas")[0].isNull());
    EXPECT_EQ(m.recNo(), 0) << "the grid stays where it was";

    deleteDevices(*dm, DeviceKind::Breaker, Circuit::ArrayController, 0, false);
    EXPECT_TRUE(arrayColumn("Tip_AV_mas")[0].isNull());
    EXPECT_FALSE(arrayColumn("Tip_Pr_mas")[1].isNull()) << "another kind is not deleted";
    deleteDevices(*dm, DeviceKind::Fuse, Circuit::ArrayController, 0, true);
    for (const QVariant& x : arrayColumn("Unom_Pr_mas"))
        EXPECT_TRUE(x.isNull());
    // The variant's own circuits.
    deleteDevices(*dm, DeviceKind::Breaker, Circuit::Assembly, 0, true);
    EXPECT_TRUE(dm->tblProj1()["Tip_AV_SP"].isNull());
    EXPECT_FALSE(dm->tblProj1()["Tip_Pr_AKB"].isNull());
}

TEST_F(ProtectionStoreTest, EachActionIsWrittenWholeOrNotAtAll) {
    View& m = dm->tblProj_Mas();
    ASSERT_GE(m.recordCount(), 2);
    // Give both arrays the same strings so that the bulk copy reaches the second one, whose
    // write then fails.
    store->exec("UPDATE proj_mas SET KolVetv = 2");
    m.refresh();
    const Candidate big = firstOffered(DeviceKind::Breaker, Circuit::ArrayController, 0);
    const std::vector<QVariant> before = arrayColumn("Tip_AV_mas");
    const QVariant secondKey = [&] {
        QSqlQuery q(store->db());
        q.prepare("SELECT Kod FROM proj_mas WHERE Kod0 = ? ORDER BY Kod LIMIT 1 OFFSET 1");
        q.addBindValue(dm->tblProj1().currentKey());
        q.exec();
        q.next();
        return q.value(0);
    }();
    store->exec(QStringLiteral("CREATE TRIGGER no_second BEFORE UPDATE ON proj_mas WHEN OLD.Kod "
                               "= %1 BEGIN SELECT RAISE(ABORT, 'диск полон'); END")
                    .arg(secondKey.toLongLong()));
    Candidate other = big;
    other.name = QStringLiteral("другой");
    EXPECT_THROW(
        storeDeviceChoice(*dm, DeviceKind::Breaker, Circuit::ArrayController, 0, other, true),
        DbError);
    EXPECT_EQ(arrayColumn("Tip_AV_mas"), before);
    EXPECT_FALSE(m.isEditing());
    EXPECT_THROW(deleteDevices(*dm, DeviceKind::Breaker, Circuit::ArrayController, 0, true),
                 DbError);
    EXPECT_EQ(arrayColumn("Tip_AV_mas"), before);
    m.first();
    EXPECT_EQ(m["Tip_AV_mas"].value(), before.front());

    store->exec("DROP TRIGGER no_second");
    const BulkTargets t =
        storeDeviceChoice(*dm, DeviceKind::Breaker, Circuit::ArrayController, 0, other, true);
    EXPECT_EQ(t.records.size(), 2u);
    for (const QVariant& x : arrayColumn("Tip_AV_mas"))
        EXPECT_EQ(x.toString(), "другой");
}

} // namespace
