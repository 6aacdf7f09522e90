#pragma once
// A variant with two panel arrays and a small controller catalog over a fresh store, shared by
// the controller tests of the store and of the windows.

#include "data/fixture.h"
#include "solar/controller_ops.h"

#include <QSqlQuery>

namespace ses::test {

// A 24 V MPPT variant of 12 V panels strung to 36 V, no battery chosen (GEL assumed), and a
// catalog of two makers: "Заряд" with MPPT-40 and MPPT-60 (GEL 28,6 V, AGM 29 V), "Другой" with
// MPPT-50 whose GEL voltage is missing.
class ControllerStoreTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        ASSERT_TRUE(add(tbl("SunPanel0"), {{"Company", "Солнце"}, {"UseSP", "1"}}));
        ASSERT_TRUE(add(tbl("SunPanel1"), {{"Tip", "СП-120"},
                                           {"P", "120"},
                                           {"Unom", "12"},
                                           {"Voc", "21,6"},
                                           {"Vmp", "17,2"},
                                           {"Isc", "7,5"},
                                           {"Imp", "7"},
                                           {"H", "1200"},
                                           {"S", "540"},
                                           {"Structure", "моно"},
                                           {"Kpd", "18"},
                                           {"TK_Pmax", "-0,4"},
                                           {"UseSP", "1"},
                                           {"TK_Vos", "-0,4"}}))
            << prompter.last().toStdString();
        maker("Заряд", {{"MPPT-40", 40, 1200, "28,6"}, {"MPPT-60", 60, 1800, "28,6"}});
        maker("Другой", {{"MPPT-50", 50, 1500, ""}});
        ASSERT_TRUE(add(tbl("project0"), {{"Name", "Дача"}}));
        ASSERT_TRUE(add(tbl("project1"), {{"VarName", "Основной"},
                                          {"Uses", "24"},
                                          {"UseMPPT_Ctrl", "1"},
                                          {"Umppt", "36"},
                                          {"Poteri_Ctrl", "10"},
                                          {"Uxx_zap_Ctrl", "10"},
                                          {"DefUzar_Ctrl", "14,2"},
                                          {"DefTipAKB_Ctrl", "GEL"},
                                          {"Tmin_SP", "-15"},
                                          {"Company_SP", "Солнце"},
                                          {"Tip_SP", "СП-120"},
                                          {"Unom_SP", "12"},
                                          {"Voc_SP", "21,6"},
                                          {"Vmp_SP", "17,2"}}))
            << prompter.last().toStdString();
        for (const char* name : {"М1", "М2"})
            ASSERT_TRUE(add(tbl("proj_mas"), {{"NameMassive", name},
                                              {"KolPosled", "3"},
                                              {"KolVetv", "3"},
                                              {"KolMas", "9"},
                                              {"Pmas", "1080"},
                                              {"Imas", "32"}}))
                << prompter.last().toStdString();
    }

    struct Type {
        const char* tip;
        int imax, psp;
        const char* gel; // Upodzar for GEL; empty: the row is there without a voltage
    };
    void maker(const char* company, std::initializer_list<Type> types) {
        ASSERT_TRUE(add(tbl("Controller0"), {{"Company", company}, {"UseCtrl", "1"}}));
        for (const Type& t : types) {
            ASSERT_TRUE(add(tbl("Controller1"), {{"Tip", t.tip},
                                                 {"Algoritm1", "MPPT"},
                                                 {"Imax_sp", QString::number(t.imax)},
                                                 {"Imax_nagr", "0"},
                                                 {"ProvSechMax", "16"},
                                                 {"UseCtrl", "1"}}));
            ASSERT_TRUE(add(tbl("Controller2"), {{"Uses", "24"},
                                                 {"Psp", QString::number(t.psp)},
                                                 {"Uxx_sp", "100"},
                                                 {"Umppt_min", "30"},
                                                 {"Umppt_max", "80"}}));
            ASSERT_TRUE(
                add(tbl("Controller4"), {{"TipAKB", "GEL"}, {"Upodzar", *t.gel ? t.gel : "1"}}));
            // The catalog's editor refuses an empty voltage; an older file may still hold one.
            if (!*t.gel) {
                ASSERT_TRUE(QSqlQuery(store->db())
                                .exec(QStringLiteral("UPDATE Controller4 SET Upodzar = NULL "
                                                     "WHERE Kod = %1")
                                          .arg(tbl("Controller4").currentKey().toInt())));
            }
            ASSERT_TRUE(add(tbl("Controller4"), {{"TipAKB", "AGM"}, {"Upodzar", "29"}}));
        }
    }

    // The window's way: the candidates of a row, the named one written into it.
    void choose(ControllerSource& s, int row, const char* tip, bool all = false) {
        ControllerCatalog catalog(*dm);
        const auto q = catalog.rowQuery(s, s.rows[row]);
        ASSERT_TRUE(q.query) << q.error.toStdString();
        for (const ControllerCandidate& c : catalog.query(*q.query))
            if (c.tip == QString::fromUtf8(tip)) {
                const auto r = applyChoice(s.rows, row, c, all, s.variant,
                                           catalog.chargeVoltage(c.company, c.tip, s.variant.uses,
                                                                 chargedBatteryType(s.variant)));
                ASSERT_TRUE(r.error.isEmpty()) << r.error.toStdString();
                return;
            }
        FAIL() << "not offered: " << tip;
    }

    void setCables(int row) {
        View& m = tbl("proj_mas");
        m.moveTo(row);
        ASSERT_TRUE(m.edit());
        m["Skab"].setFloat(6);
        m["Skab_akb"].setFloat(10);
        m["Company_AV_AKB"].setString("Автомат");
        m["Inom_Pr_AKB"].setFloat(50);
        m["Company_AV_mas"].setString("Автомат массива");
        ASSERT_TRUE(m.post());
    }
};

} // namespace ses::test
