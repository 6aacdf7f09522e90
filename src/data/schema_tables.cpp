// Generated once from the table listings; edit here, every other layer reads this.
#include "data/schema.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace ses {

namespace {

std::vector<TableDef> buildTables() {
    std::vector<TableDef> t;
    t.reserve(75);
    {
        TableDef d;
        d.name = QStringLiteral("project0");
        d.fileName = QStringLiteral("project0.DB");
        d.keyKind = KeyKind::AutoInc;
        d.defaultIndex = QStringLiteral("primary");
        d.columns = {
            {QStringLiteral("Kod"), ColType::AutoInc, 0, false},
            {QStringLiteral("Name"), ColType::Text, 255, false},
            {QStringLiteral("ProjOwner"), ColType::Text, 50, false},
            {QStringLiteral("ProjDate"), ColType::Date, 0, false},
            {QStringLiteral("ProjTime"), ColType::Time, 0, false},
            {QStringLiteral("ProjMemo"), ColType::Memo, 0, false},
        };
        d.cascade = {QStringLiteral("project1")};
        t.push_back(std::move(d));
    }
    {
        TableDef d;
        d.name = QStringLiteral("project1");
        d.fileName = QStringLiteral("project1.DB");
        d.keyKind = KeyKind::AutoInc;
        d.master = QStringLiteral("project0");
        d.defaultIndex = QStringLiteral("Kod0");
        d.columns = {
            {QStringLiteral("Kod"), ColType::AutoInc, 0, false},
            {QStringLiteral("Kod0"), ColType::Integer, 0, false},
            {QStringLiteral("VarName"), ColType::Text, 50, false},
            {QStringLiteral("ParamNagr"), ColType::Integer, 0, false},
            {QStringLiteral("Wp_sut_akb"), ColType::Number, 0, false},
            {QStringLiteral("Wp_sut_dark_akb"), ColType::Number, 0, false},
            {QStringLiteral("Period_sut_dark"), ColType::Text, 20, false},
            {QStringLiteral("Pnom30min"), ColType::Number, 0, false},
            {QStringLiteral("Pmax10min"), ColType::Number, 0, false},
            {QStringLiteral("Wp_pik"), ColType::Number, 0, false},
            {QStringLiteral("Inom"), ColType::Number, 0, false},
            {QStringLiteral("Imax"), ColType::Number, 0, false},
            {QStringLiteral("Ipik"), ColType::Number, 0, false},
            {QStringLiteral("ClearSinus"), ColType::Logical, 0, false},
            {QStringLiteral("Uses"), ColType::Integer, 0, false},
            {QStringLiteral("Uvuh"), ColType::Integer, 0, false},
            {QStringLiteral("Region"), ColType::Text, 30, false},
            {QStringLiteral("B"), ColType::Number, 0, false},
            {QStringLiteral("ZapPnom_Inv"), ColType::Number, 0, false},
            {QStringLiteral("ZapPmax_Inv"), ColType::Number, 0, false},
            {QStringLiteral("UsePpik_Inv"), ColType::Logical, 0, false},
            {QStringLiteral("ZapPpik_Inv"), ColType::Number, 0, false},
            {QStringLiteral("Poteri_AKB"), ColType::Number, 0, false},
            {QStringLiteral("GlubRazryad_AKB"), ColType::Number, 0, false},
            {QStringLiteral("Temp_AKB"), ColType::Number, 0, false},
            {QStringLiteral("Ktemp_AKB"), ColType::Number, 0, false},
            {QStringLiteral("Ksp_summer"), ColType::Number, 0, false},
            {QStringLiteral("Tmin_SP"), ColType::Number, 0, false},
            {QStringLiteral("Ksp_winter"), ColType::Number, 0, false},
            {QStringLiteral("UseMPPT_Ctrl"), ColType::Logical, 0, false},
            {QStringLiteral("Poteri_Ctrl"), ColType::Number, 0, false},
            {QStringLiteral("DefTipAKB_Ctrl"), ColType::Text, 50, false},
            {QStringLiteral("DefUzar_Ctrl"), ColType::Number, 0, false},
            {QStringLiteral("Cras_AKB"), ColType::Number, 0, false},
            {QStringLiteral("Company_AKB"), ColType::Text, 100, false},
            {QStringLiteral("Tip_AKB"), ColType::Text, 50, false},
            {QStringLiteral("Name_AKB"), ColType::Text, 30, false},
            {QStringLiteral("Unom_AKB"), ColType::Integer, 0, false},
            {QStringLiteral("Cnom_AKB"), ColType::Number, 0, false},
            {QStringLiteral("Izar_min_AKB"), ColType::Number, 0, false},
            {QStringLiteral("Izar_max_AKB"), ColType::Number, 0, false},
            {QStringLiteral("Irazr_max_AKB"), ColType::Number, 0, false},
            {QStringLiteral("L_AKB"), ColType::Number, 0, false},
            {QStringLiteral("S_AKB"), ColType::Number, 0, false},
            {QStringLiteral("H_AKB"), ColType::Number, 0, false},
            {QStringLiteral("KolPosled_AKB"), ColType::Integer, 0, false},
            {QStringLiteral("KolVetv_AKB"), ColType::Integer, 0, false},
            {QStringLiteral("Kol_AKB"), ColType::Integer, 0, false},
            {QStringLiteral("Cfakt_AKB"), ColType::Number, 0, false},
            {QStringLiteral("SIzar_min_AKB"), ColType::Number, 0, false},
            {QStringLiteral("SIzar_max_AKB"), ColType::Number, 0, false},
            {QStringLiteral("SIrazr_max_AKB"), ColType::Number, 0, false},
            {QStringLiteral("SIzar_min_use_AKB"), ColType::Number, 0, false},
            {QStringLiteral("SIzar_max_use_AKB"), ColType::Number, 0, false},
            {QStringLiteral("SIzar_AKB"), ColType::Number, 0, false},
            {QStringLiteral("Pras_SP"), ColType::Number, 0, false},
            {QStringLiteral("Company_SP"), ColType::Text, 100, false},
            {QStringLiteral("Tip_SP"), ColType::Text, 30, false},
            {QStringLiteral("Pnom_SP"), ColType::Number, 0, false},
            {QStringLiteral("Unom_SP"), ColType::Integer, 0, false},
            {QStringLiteral("Voc_SP"), ColType::Number, 0, false},
            {QStringLiteral("Isc_SP"), ColType::Number, 0, false},
            {QStringLiteral("Vmp_SP"), ColType::Number, 0, false},
            {QStringLiteral("Imp_SP"), ColType::Number, 0, false},
            {QStringLiteral("H_SP"), ColType::Number, 0, false},
            {QStringLiteral("S_SP"), ColType::Number, 0, false},
            {QStringLiteral("UchetKdifP_SP"), ColType::Logical, 0, false},
            {QStringLiteral("KdifP_SP"), ColType::Number, 0, false},
            {QStringLiteral("KolTotal_SP"), ColType::Integer, 0, false},
            {QStringLiteral("PTotal_SP"), ColType::Number, 0, false},
            {QStringLiteral("ITotal_SP"), ColType::Number, 0, false},
            {QStringLiteral("UseUserKpd_Inv"), ColType::Logical, 0, false},
            {QStringLiteral("UserKpd_Inv"), ColType::Number, 0, false},
            {QStringLiteral("DU_KL_Mas_Ctrl"), ColType::Number, 0, false},
            {QStringLiteral("DU_KL_Ctrl_AKB"), ColType::Number, 0, false},
            {QStringLiteral("DU_KL_AKB_Inv"), ColType::Number, 0, false},
            {QStringLiteral("Spos_KL_Mas_Ctrl"), ColType::Text, 50, false},
            {QStringLiteral("L_KL_Mas_Ctrl"), ColType::Number, 0, false},
            {QStringLiteral("Spos_KL_Ctrl_AKB"), ColType::Text, 50, false},
            {QStringLiteral("L_KL_Ctrl_AKB"), ColType::Number, 0, false},
            {QStringLiteral("Spos_KL_AKB_Inv"), ColType::Text, 50, false},
            {QStringLiteral("L_KL_AKB_Inv"), ColType::Number, 0, false},
            {QStringLiteral("Sel_KL_AKB_Inv"), ColType::Integer, 0, false},
            {QStringLiteral("Umppt"), ColType::Integer, 0, false},
            {QStringLiteral("Wp_dop_akb"), ColType::Number, 0, false},
            {QStringLiteral("Sel_Tbl_AKB_Inv"), ColType::Integer, 0, false},
            {QStringLiteral("Kzar_min"), ColType::Number, 0, false},
            {QStringLiteral("Izar_min"), ColType::Text, 20, false},
            {QStringLiteral("Kzar_max"), ColType::Number, 0, false},
            {QStringLiteral("Izar_max"), ColType::Text, 20, false},
            {QStringLiteral("Krazr_nom"), ColType::Number, 0, false},
            {QStringLiteral("Krazr_max"), ColType::Number, 0, false},
            {QStringLiteral("Krazr_pik"), ColType::Number, 0, false},
            {QStringLiteral("Company_AV_SP"), ColType::Text, 50, false},
            {QStringLiteral("Tip_AV_SP"), ColType::Text, 30, false},
            {QStringLiteral("Inom_AV_SP"), ColType::Number, 0, false},
            {QStringLiteral("Unom_AV_SP"), ColType::Integer, 0, false},
            {QStringLiteral("Kzap_AV_Vetv_I"), ColType::Number, 0, false},
            {QStringLiteral("Kzap_AV_Vetv_U"), ColType::Number, 0, false},
            {QStringLiteral("Kzap_AV_Inv_I"), ColType::Number, 0, false},
            {QStringLiteral("Kzap_AV_Inv_U"), ColType::Number, 0, false},
            {QStringLiteral("Kzap_AV_Mas_I"), ColType::Number, 0, false},
            {QStringLiteral("Kzap_AV_Mas_U"), ColType::Number, 0, false},
            {QStringLiteral("Kzap_AV_AKB_I"), ColType::Number, 0, false},
            {QStringLiteral("Kzap_AV_AKB_U"), ColType::Number, 0, false},
            {QStringLiteral("Par_AV_Ctrl_AKB"), ColType::Integer, 0, false},
            {QStringLiteral("Par_AV_AKB_Inv"), ColType::Integer, 0, false},
            {QStringLiteral("Company_Pr_SP"), ColType::Text, 50, false},
            {QStringLiteral("Tip_Pr_SP"), ColType::Text, 30, false},
            {QStringLiteral("Tip_Pr_Derzh_SP"), ColType::Text, 30, false},
            {QStringLiteral("Inom_Pr_SP"), ColType::Number, 0, false},
            {QStringLiteral("Unom_Pr_SP"), ColType::Integer, 0, false},
            {QStringLiteral("Kzap_Pr_Vetv_I"), ColType::Number, 0, false},
            {QStringLiteral("Kzap_Pr_Vetv_U"), ColType::Number, 0, false},
            {QStringLiteral("Kzap_Pr_Inv_I"), ColType::Number, 0, false},
            {QStringLiteral("Kzap_Pr_Inv_U"), ColType::Number, 0, false},
            {QStringLiteral("Kzap_Pr_Mas_I"), ColType::Number, 0, false},
            {QStringLiteral("Kzap_Pr_Mas_U"), ColType::Number, 0, false},
            {QStringLiteral("Kzap_Pr_AKB_I"), ColType::Number, 0, false},
            {QStringLiteral("Kzap_Pr_AKB_U"), ColType::Number, 0, false},
            {QStringLiteral("Par_Pr_Ctrl_AKB"), ColType::Integer, 0, false},
            {QStringLiteral("Par_Pr_AKB_Inv"), ColType::Integer, 0, false},
            {QStringLiteral("MaxKolSborNotProt"), ColType::Integer, 0, false},
            {QStringLiteral("Pom_AKB"), ColType::Text, 50, false},
            {QStringLiteral("SutCikl"), ColType::Logical, 0, false},
            {QStringLiteral("KolHourWithoutSun"), ColType::Number, 0, false},
            {QStringLiteral("Company_AV_AKB"), ColType::Text, 50, false},
            {QStringLiteral("Tip_AV_AKB"), ColType::Text, 30, false},
            {QStringLiteral("Inom_AV_AKB"), ColType::Number, 0, false},
            {QStringLiteral("Unom_AV_AKB"), ColType::Integer, 0, false},
            {QStringLiteral("Company_Pr_AKB"), ColType::Text, 50, false},
            {QStringLiteral("Tip_Pr_AKB"), ColType::Text, 30, false},
            {QStringLiteral("Tip_Pr_Derzh_AKB"), ColType::Text, 30, false},
            {QStringLiteral("Inom_Pr_AKB"), ColType::Number, 0, false},
            {QStringLiteral("Unom_Pr_AKB"), ColType::Integer, 0, false},
            {QStringLiteral("Lkab_akb"), ColType::Number, 0, false},
            {QStringLiteral("Sposob_kab_akb"), ColType::Text, 50, false},
            {QStringLiteral("Skab_akb"), ColType::Number, 0, false},
            {QStringLiteral("Nkab_akb"), ColType::Number, 0, false},
            {QStringLiteral("Ikab_akb"), ColType::Number, 0, false},
            {QStringLiteral("DUkab_akb"), ColType::Number, 0, false},
            {QStringLiteral("DPkab_akb"), ColType::Number, 0, false},
            {QStringLiteral("Spos_KL_AKB_Output"), ColType::Text, 50, false},
            {QStringLiteral("L_KL_AKB_Output"), ColType::Number, 0, false},
            {QStringLiteral("DU_KL_AKB_Output"), ColType::Number, 0, false},
            {QStringLiteral("Par_AV_AKB_Output"), ColType::Integer, 0, false},
            {QStringLiteral("Kzap_AV_AKB_Output_I"), ColType::Number, 0, false},
            {QStringLiteral("Kzap_AV_AKB_Output_U"), ColType::Number, 0, false},
            {QStringLiteral("Par_Pr_AKB_Output"), ColType::Integer, 0, false},
            {QStringLiteral("Kzap_Pr_AKB_Output_I"), ColType::Number, 0, false},
            {QStringLiteral("Kzap_Pr_AKB_Output_U"), ColType::Number, 0, false},
            {QStringLiteral("Uxx_zap_Ctrl"), ColType::Number, 0, false},
        };
        d.indexes = {
            {QStringLiteral("Kod0"), {QStringLiteral("Kod0")}, false, true},
        };
        d.cascade = {QStringLiteral("proj_mas"), QStringLiteral("proj_inv"),
                     QStringLiteral("proj_graf12_0"), QStringLiteral("proj_sunday")};
        t.push_back(std::move(d));
    }
    {
        TableDef d;
        d.name = QStringLiteral("proj_mas");
        d.fileName = QStringLiteral("proj_mas.DB");
        d.keyKind = KeyKind::AutoInc;
        d.master = QStringLiteral("project1");
        d.defaultIndex = QStringLiteral("Kod0");
        d.columns = {
            {QStringLiteral("Kod"), ColType::AutoInc, 0, false},
            {QStringLiteral("Kod0"), ColType::Integer, 0, false},
            {QStringLiteral("NameMassive"), ColType::Text, 30, false},
            {QStringLiteral("Bopt"), ColType::Integer, 0, false},
            {QStringLiteral("Ugol_Orient"), ColType::Number, 0, false},
            {QStringLiteral("Ugol_Nakl"), ColType::Number, 0, false},
            {QStringLiteral("Kproiz"), ColType::Number, 0, false},
            {QStringLiteral("KolPosled"), ColType::Integer, 0, false},
            {QStringLiteral("KolVetv"), ColType::Integer, 0, false},
            {QStringLiteral("KolMas"), ColType::Integer, 0, false},
            {QStringLiteral("Pmas"), ColType::Number, 0, false},
            {QStringLiteral("Imas"), ColType::Number, 0, false},
            {QStringLiteral("DPmas"), ColType::Number, 0, false},
            {QStringLiteral("TipScore"), ColType::Integer, 0, false},
            {QStringLiteral("ParamPriv"), ColType::Integer, 0, false},
            {QStringLiteral("Pzad"), ColType::Number, 0, false},
            {QStringLiteral("Izad"), ColType::Number, 0, false},
            {QStringLiteral("FormaPl"), ColType::Text, 20, false},
            {QStringLiteral("Lpl"), ColType::Number, 0, false},
            {QStringLiteral("Spl"), ColType::Number, 0, false},
            {QStringLiteral("Hpl"), ColType::Number, 0, false},
            {QStringLiteral("Company_Ctrl"), ColType::Text, 100, false},
            {QStringLiteral("Tip_Ctrl"), ColType::Text, 50, false},
            {QStringLiteral("Unom_Ctrl"), ColType::Integer, 0, false},
            {QStringLiteral("Umppt_min_Ctrl"), ColType::Integer, 0, false},
            {QStringLiteral("Umppt_max_Ctrl"), ColType::Integer, 0, false},
            {QStringLiteral("Uxx_Ctrl"), ColType::Integer, 0, false},
            {QStringLiteral("Inom_Ctrl"), ColType::Number, 0, false},
            {QStringLiteral("Iakb_Ctrl"), ColType::Number, 0, false},
            {QStringLiteral("Skab_Ctrl"), ColType::Number, 0, false},
            {QStringLiteral("Lkab"), ColType::Number, 0, false},
            {QStringLiteral("Sposob_kab"), ColType::Text, 50, false},
            {QStringLiteral("Skab"), ColType::Number, 0, false},
            {QStringLiteral("Ikab"), ColType::Number, 0, false},
            {QStringLiteral("DUkab"), ColType::Number, 0, false},
            {QStringLiteral("DPkab"), ColType::Number, 0, false},
            {QStringLiteral("Lkab_akb"), ColType::Number, 0, false},
            {QStringLiteral("Sposob_kab_akb"), ColType::Text, 50, false},
            {QStringLiteral("Skab_akb"), ColType::Number, 0, false},
            {QStringLiteral("Ikab_akb"), ColType::Number, 0, false},
            {QStringLiteral("DUkab_akb"), ColType::Number, 0, false},
            {QStringLiteral("DPkab_akb"), ColType::Number, 0, false},
            {QStringLiteral("Company_AV_mas"), ColType::Text, 50, false},
            {QStringLiteral("Tip_AV_mas"), ColType::Text, 30, false},
            {QStringLiteral("Inom_AV_mas"), ColType::Number, 0, false},
            {QStringLiteral("Unom_AV_mas"), ColType::Integer, 0, false},
            {QStringLiteral("Company_AV_AKB"), ColType::Text, 50, false},
            {QStringLiteral("Tip_AV_AKB"), ColType::Text, 30, false},
            {QStringLiteral("Inom_AV_AKB"), ColType::Number, 0, false},
            {QStringLiteral("Unom_AV_AKB"), ColType::Integer, 0, false},
            {QStringLiteral("SumUxx"), ColType::Number, 0, true},
            {QStringLiteral("Company_Pr_mas"), ColType::Text, 50, false},
            {QStringLiteral("Tip_Pr_mas"), ColType::Text, 30, false},
            {QStringLiteral("Tip_Pr_Derzh_mas"), ColType::Text, 30, false},
            {QStringLiteral("Inom_Pr_mas"), ColType::Number, 0, false},
            {QStringLiteral("Unom_Pr_mas"), ColType::Integer, 0, false},
            {QStringLiteral("Company_Pr_AKB"), ColType::Text, 50, false},
            {QStringLiteral("Tip_Pr_AKB"), ColType::Text, 30, false},
            {QStringLiteral("Tip_Pr_Derzh_AKB"), ColType::Text, 30, false},
            {QStringLiteral("Inom_Pr_AKB"), ColType::Number, 0, false},
            {QStringLiteral("Unom_Pr_AKB"), ColType::Integer, 0, false},
        };
        d.indexes = {
            {QStringLiteral("Kod0"), {QStringLiteral("Kod0")}, false, true},
        };
        t.push_back(std::move(d));
    }
    {
        TableDef d;
        d.name = QStringLiteral("proj_inv");
        d.fileName = QStringLiteral("proj_inv.DB");
        d.keyKind = KeyKind::AutoInc;
        d.master = QStringLiteral("project1");
        d.defaultIndex = QStringLiteral("Kod0");
        d.columns = {
            {QStringLiteral("Kod"), ColType::AutoInc, 0, false},
            {QStringLiteral("Kod0"), ColType::Integer, 0, false},
            {QStringLiteral("Nagr_Name"), ColType::Text, 100, false},
            {QStringLiteral("Pnom30min"), ColType::Number, 0, false},
            {QStringLiteral("Pmax10min"), ColType::Number, 0, false},
            {QStringLiteral("Ppik"), ColType::Number, 0, false},
            {QStringLiteral("ClearSinus"), ColType::Logical, 0, false},
            {QStringLiteral("Company_Inv"), ColType::Text, 100, false},
            {QStringLiteral("Name_Inv"), ColType::Text, 50, false},
            {QStringLiteral("Pnom_Inv"), ColType::Number, 0, false},
            {QStringLiteral("Pmax_Inv"), ColType::Number, 0, false},
            {QStringLiteral("Ppik_Inv"), ColType::Number, 0, false},
            {QStringLiteral("Uvuh_Inv"), ColType::Integer, 0, false},
            {QStringLiteral("Uvh_Inv"), ColType::Integer, 0, false},
            {QStringLiteral("Forma_Inv"), ColType::Text, 20, false},
            {QStringLiteral("Kpd_Inv"), ColType::Number, 0, false},
            {QStringLiteral("Lkab_inv"), ColType::Number, 0, false},
            {QStringLiteral("Sposob_kab_inv"), ColType::Text, 50, false},
            {QStringLiteral("Skab_inv"), ColType::Number, 0, false},
            {QStringLiteral("Nkab_inv"), ColType::Number, 0, false},
            {QStringLiteral("Ikab_inv"), ColType::Number, 0, false},
            {QStringLiteral("DUkab_inv"), ColType::Number, 0, false},
            {QStringLiteral("DPkab_inv"), ColType::Number, 0, false},
            {QStringLiteral("Company_AV_Inv"), ColType::Text, 50, false},
            {QStringLiteral("Tip_AV_Inv"), ColType::Text, 30, false},
            {QStringLiteral("Inom_AV_Inv"), ColType::Number, 0, false},
            {QStringLiteral("Unom_AV_Inv"), ColType::Integer, 0, false},
            {QStringLiteral("Company_Pr_Inv"), ColType::Text, 50, false},
            {QStringLiteral("Tip_Pr_Inv"), ColType::Text, 30, false},
            {QStringLiteral("Tip_Pr_Derzh_Inv"), ColType::Text, 30, false},
            {QStringLiteral("Inom_Pr_Inv"), ColType::Number, 0, false},
            {QStringLiteral("Unom_Pr_Inv"), ColType::Integer, 0, false},
            {QStringLiteral("Inom_Inv"), ColType::Number, 0, true},
            {QStringLiteral("Imax_Inv"), ColType::Number, 0, true},
            {QStringLiteral("Ipik_Inv"), ColType::Number, 0, true},
        };
        d.indexes = {
            {QStringLiteral("Kod0"), {QStringLiteral("Kod0")}, false, true},
        };
        d.cascade = {QStringLiteral("proj_graf0")};
        t.push_back(std::move(d));
    }
    {
        TableDef d;
        d.name = QStringLiteral("proj_graf0");
        d.fileName = QStringLiteral("proj_graf0.DB");
        d.keyKind = KeyKind::AutoInc;
        d.master = QStringLiteral("proj_inv");
        d.defaultIndex = QStringLiteral("Kod0");
        d.columns = {
            {QStringLiteral("Kod"), ColType::AutoInc, 0, false},
            {QStringLiteral("Kod0"), ColType::Integer, 0, false},
            {QStringLiteral("SutGrafName"), ColType::Text, 50, false},
            {QStringLiteral("MonthName1"), ColType::Text, 20, false},
            {QStringLiteral("MonthName2"), ColType::Text, 20, false},
            {QStringLiteral("Wp_sut"), ColType::Number, 0, false},
            {QStringLiteral("Pnom30min"), ColType::Number, 0, false},
            {QStringLiteral("Pmax10min"), ColType::Number, 0, false},
            {QStringLiteral("Wp_pik"), ColType::Number, 0, false},
            {QStringLiteral("Inom"), ColType::Number, 0, false},
            {QStringLiteral("Imax"), ColType::Number, 0, false},
            {QStringLiteral("Ipik"), ColType::Number, 0, false},
            {QStringLiteral("ClearSinus"), ColType::Logical, 0, false},
            {QStringLiteral("SutCikl"), ColType::Logical, 0, false},
            {QStringLiteral("KolHourWithoutSun"), ColType::Integer, 0, false},
        };
        d.indexes = {
            {QStringLiteral("Kod0"), {QStringLiteral("Kod0")}, false, true},
        };
        d.cascade = {QStringLiteral("proj_graf1"), QStringLiteral("proj_time"),
                     QStringLiteral("proj_ep0"), QStringLiteral("proj_gr_prm")};
        t.push_back(std::move(d));
    }
    {
        TableDef d;
        d.name = QStringLiteral("proj_graf12_0");
        d.fileName = QStringLiteral("proj_graf12_0.DB");
        d.keyKind = KeyKind::AutoInc;
        d.master = QStringLiteral("project1");
        d.defaultIndex = QStringLiteral("Kod0");
        d.columns = {
            {QStringLiteral("Kod"), ColType::AutoInc, 0, false},
            {QStringLiteral("Kod0"), ColType::Integer, 0, false},
            {QStringLiteral("SutGrafName"), ColType::Text, 50, false},
            {QStringLiteral("MonthName1"), ColType::Text, 20, false},
            {QStringLiteral("MonthName2"), ColType::Text, 20, false},
            {QStringLiteral("Wp_sut"), ColType::Number, 0, false},
            {QStringLiteral("Pnom30min"), ColType::Number, 0, false},
            {QStringLiteral("Pmax10min"), ColType::Number, 0, false},
            {QStringLiteral("Wp_pik"), ColType::Number, 0, false},
            {QStringLiteral("Inom"), ColType::Number, 0, false},
            {QStringLiteral("Imax"), ColType::Number, 0, false},
            {QStringLiteral("Ipik"), ColType::Number, 0, false},
            {QStringLiteral("SutCikl"), ColType::Logical, 0, false},
            {QStringLiteral("KolHourWithoutSun"), ColType::Integer, 0, false},
        };
        d.indexes = {
            {QStringLiteral("Kod0"), {QStringLiteral("Kod0")}, false, true},
        };
        d.cascade = {QStringLiteral("proj_graf12_1"), QStringLiteral("proj_time12"),
                     QStringLiteral("proj_gr12_prm"), QStringLiteral("proj_ep12_0")};
        t.push_back(std::move(d));
    }
    {
        TableDef d;
        d.name = QStringLiteral("proj_graf1");
        d.fileName = QStringLiteral("proj_graf1.DB");
        d.keyKind = KeyKind::AutoInc;
        d.master = QStringLiteral("proj_graf0");
        d.defaultIndex = QStringLiteral("Kod0");
        d.columns = {
            {QStringLiteral("Kod"), ColType::AutoInc, 0, false},
            {QStringLiteral("Kod0"), ColType::Integer, 0, false},
            {QStringLiteral("T1"), ColType::Number, 0, false},
            {QStringLiteral("T2"), ColType::Number, 0, false},
            {QStringLiteral("P"), ColType::Number, 0, false},
        };
        d.indexes = {
            {QStringLiteral("Kod0"), {QStringLiteral("Kod0")}, false, true},
        };
        t.push_back(std::move(d));
    }
    {
        TableDef d;
        d.name = QStringLiteral("proj_graf12_1");
        d.fileName = QStringLiteral("proj_graf12_1.DB");
        d.keyKind = KeyKind::AutoInc;
        d.master = QStringLiteral("proj_graf12_0");
        d.defaultIndex = QStringLiteral("Kod0");
        d.columns = {
            {QStringLiteral("Kod"), ColType::AutoInc, 0, false},
            {QStringLiteral("Kod0"), ColType::Integer, 0, false},
            {QStringLiteral("T1"), ColType::Number, 0, false},
            {QStringLiteral("T2"), ColType::Number, 0, false},
            {QStringLiteral("P"), ColType::Number, 0, false},
        };
        d.indexes = {
            {QStringLiteral("Kod0"), {QStringLiteral("Kod0")}, false, true},
        };
        t.push_back(std::move(d));
    }
    {
        TableDef d;
        d.name = QStringLiteral("proj_time");
        d.fileName = QStringLiteral("proj_time.db");
        d.keyKind = KeyKind::AutoInc;
        d.master = QStringLiteral("proj_graf0");
        d.defaultIndex = QStringLiteral("Kod0");
        d.columns = {
            {QStringLiteral("Kod"), ColType::AutoInc, 0, false},
            {QStringLiteral("Kod0"), ColType::Integer, 0, false},
            {QStringLiteral("T1"), ColType::Number, 0, false},
            {QStringLiteral("T2"), ColType::Number, 0, false},
        };
        d.indexes = {
            {QStringLiteral("Kod0"), {QStringLiteral("Kod0")}, false, true},
        };
        t.push_back(std::move(d));
    }
    {
        TableDef d;
        d.name = QStringLiteral("proj_time12");
        d.fileName = QStringLiteral("proj_time12.DB");
        d.keyKind = KeyKind::AutoInc;
        d.master = QStringLiteral("proj_graf12_0");
        d.defaultIndex = QStringLiteral("Kod0");
        d.columns = {
            {QStringLiteral("Kod"), ColType::AutoInc, 0, false},
            {QStringLiteral("Kod0"), ColType::Integer, 0, false},
            {QStringLiteral("T1"), ColType::Number, 0, false},
            {QStringLiteral("T2"), ColType::Number, 0, false},
        };
        d.indexes = {
            {QStringLiteral("Kod0"), {QStringLiteral("Kod0")}, false, true},
        };
        t.push_back(std::move(d));
    }
    {
        TableDef d;
        d.name = QStringLiteral("proj_ep0");
        d.fileName = QStringLiteral("proj_ep0.db");
        d.keyKind = KeyKind::AutoInc;
        d.master = QStringLiteral("proj_graf0");
        d.defaultIndex = QStringLiteral("Kod0");
        d.columns = {
            {QStringLiteral("Kod"), ColType::AutoInc, 0, false},
            {QStringLiteral("Kod0"), ColType::Integer, 0, false},
            {QStringLiteral("Name"), ColType::Text, 50, false},
            {QStringLiteral("Pnom"), ColType::Number, 0, false},
            {QStringLiteral("Ppik"), ColType::Number, 0, false},
            {QStringLiteral("Kol_vo"), ColType::Integer, 0, false},
            {QStringLiteral("SPnom"), ColType::Number, 0, false},
            {QStringLiteral("SPpik"), ColType::Number, 0, false},
            {QStringLiteral("ClearSinus"), ColType::Logical, 0, false},
            {QStringLiteral("Rejim"), ColType::Text, 20, false},
        };
        d.indexes = {
            {QStringLiteral("Kod0"), {QStringLiteral("Kod0")}, false, true},
        };
        d.cascade = {QStringLiteral("proj_ep1")};
        t.push_back(std::move(d));
    }
    {
        TableDef d;
        d.name = QStringLiteral("proj_ep12_0");
        d.fileName = QStringLiteral("proj_ep12_0.DB");
        d.keyKind = KeyKind::AutoInc;
        d.master = QStringLiteral("proj_graf12_0");
        d.defaultIndex = QStringLiteral("Kod0");
        d.columns = {
            {QStringLiteral("Kod"), ColType::AutoInc, 0, false},
            {QStringLiteral("Kod0"), ColType::Integer, 0, false},
            {QStringLiteral("Name"), ColType::Text, 50, false},
            {QStringLiteral("Unom"), ColType::Number, 0, false},
            {QStringLiteral("Pnom"), ColType::Number, 0, false},
            {QStringLiteral("Ppik"), ColType::Number, 0, false},
            {QStringLiteral("Kol_vo"), ColType::Integer, 0, false},
            {QStringLiteral("SPnom"), ColType::Number, 0, false},
            {QStringLiteral("SPpik"), ColType::Number, 0, false},
            {QStringLiteral("Rejim"), ColType::Text, 20, false},
        };
        d.indexes = {
            {QStringLiteral("Kod0"), {QStringLiteral("Kod0")}, false, true},
        };
        d.cascade = {QStringLiteral("proj_ep12_1")};
        t.push_back(std::move(d));
    }
    {
        TableDef d;
        d.name = QStringLiteral("proj_ep1");
        d.fileName = QStringLiteral("proj_ep1.db");
        d.keyKind = KeyKind::AutoInc;
        d.master = QStringLiteral("proj_ep0");
        d.defaultIndex = QStringLiteral("Kod0");
        d.columns = {
            {QStringLiteral("Kod"), ColType::AutoInc, 0, false},
            {QStringLiteral("Kod0"), ColType::Integer, 0, false},
            {QStringLiteral("T1"), ColType::Number, 0, false},
            {QStringLiteral("T2"), ColType::Number, 0, false},
        };
        d.indexes = {
            {QStringLiteral("Kod0"), {QStringLiteral("Kod0")}, false, true},
        };
        t.push_back(std::move(d));
    }
    {
        TableDef d;
        d.name = QStringLiteral("proj_ep12_1");
        d.fileName = QStringLiteral("proj_ep12_1.DB");
        d.keyKind = KeyKind::AutoInc;
        d.master = QStringLiteral("proj_ep12_0");
        d.defaultIndex = QStringLiteral("Kod0");
        d.columns = {
            {QStringLiteral("Kod"), ColType::AutoInc, 0, false},
            {QStringLiteral("Kod0"), ColType::Integer, 0, false},
            {QStringLiteral("T1"), ColType::Number, 0, false},
            {QStringLiteral("T2"), ColType::Number, 0, false},
        };
        d.indexes = {
            {QStringLiteral("Kod0"), {QStringLiteral("Kod0")}, false, true},
        };
        t.push_back(std::move(d));
    }
    {
        TableDef d;
        d.name = QStringLiteral("proj_gr_prm");
        d.fileName = QStringLiteral("proj_gr_prm.DB");
        d.keyKind = KeyKind::AutoInc;
        d.master = QStringLiteral("proj_graf0");
        d.defaultIndex = QStringLiteral("Kod0");
        d.columns = {
            {QStringLiteral("Kod"), ColType::AutoInc, 0, false},
            {QStringLiteral("Kod0"), ColType::Integer, 0, false},
            {QStringLiteral("MonthName"), ColType::Text, 20, false},
            {QStringLiteral("Period_dark"), ColType::Text, 50, false},
            {QStringLiteral("Tsut_dark"), ColType::Number, 0, false},
            {QStringLiteral("Wsut_dark"), ColType::Number, 0, false},
            {QStringLiteral("Tmax_dark"), ColType::Number, 0, false},
            {QStringLiteral("Wmax_dark"), ColType::Number, 0, false},
            {QStringLiteral("Takb"), ColType::Number, 0, false},
            {QStringLiteral("Ktemp_akb"), ColType::Number, 0, false},
            {QStringLiteral("Cakb"), ColType::Number, 0, false},
            {QStringLiteral("UrovRad"), ColType::Number, 0, false},
            {QStringLiteral("Tsred"), ColType::Number, 0, false},
            {QStringLiteral("Bopt"), ColType::Number, 0, false},
            {QStringLiteral("Ksp"), ColType::Number, 0, false},
            {QStringLiteral("Psb"), ColType::Number, 0, false},
        };
        d.indexes = {
            {QStringLiteral("Kod0"), {QStringLiteral("Kod0")}, false, true},
        };
        t.push_back(std::move(d));
    }
    {
        TableDef d;
        d.name = QStringLiteral("proj_gr12_prm");
        d.fileName = QStringLiteral("proj_gr12_prm.DB");
        d.keyKind = KeyKind::AutoInc;
        d.master = QStringLiteral("proj_graf12_0");
        d.defaultIndex = QStringLiteral("Kod0");
        d.columns = {
            {QStringLiteral("Kod"), ColType::AutoInc, 0, false},
            {QStringLiteral("Kod0"), ColType::Integer, 0, false},
            {QStringLiteral("MonthName"), ColType::Text, 20, false},
            {QStringLiteral("Period_dark"), ColType::Text, 50, false},
            {QStringLiteral("Tsut_dark"), ColType::Number, 0, false},
            {QStringLiteral("Wsut_dark"), ColType::Number, 0, false},
            {QStringLiteral("Tmax_dark"), ColType::Number, 0, false},
            {QStringLiteral("Wmax_dark"), ColType::Number, 0, false},
            {QStringLiteral("Takb"), ColType::Number, 0, false},
            {QStringLiteral("Ktemp_akb"), ColType::Number, 0, false},
            {QStringLiteral("Cakb"), ColType::Number, 0, false},
            {QStringLiteral("UrovRad"), ColType::Number, 0, false},
            {QStringLiteral("Tsred"), ColType::Number, 0, false},
            {QStringLiteral("Bopt"), ColType::Number, 0, false},
            {QStringLiteral("Ksp"), ColType::Number, 0, false},
            {QStringLiteral("Psb"), ColType::Number, 0, false},
        };
        d.indexes = {
            {QStringLiteral("Kod0"), {QStringLiteral("Kod0")}, false, true},
        };
        t.push_back(std::move(d));
    }
    {
        TableDef d;
        d.name = QStringLiteral("proj_sunday");
        d.fileName = QStringLiteral("proj_sunday.DB");
        d.keyKind = KeyKind::AutoInc;
        d.master = QStringLiteral("project1");
        d.defaultIndex = QStringLiteral("Kod0");
        d.columns = {
            {QStringLiteral("Kod"), ColType::AutoInc, 0, false},
            {QStringLiteral("Kod0"), ColType::Integer, 0, false},
            {QStringLiteral("MonthName"), ColType::Text, 20, false},
            {QStringLiteral("Voshod10"), ColType::Number, 0, false},
            {QStringLiteral("Zakat10"), ColType::Number, 0, false},
            {QStringLiteral("TempAB"), ColType::Number, 0, false},
        };
        d.indexes = {
            {QStringLiteral("Kod0"), {QStringLiteral("Kod0")}, false, true},
        };
        t.push_back(std::move(d));
    }
    {
        TableDef d;
        d.name = QStringLiteral("ParVarDef");
        d.fileName = QStringLiteral("ParVarDef.DB");
        d.keyKind = KeyKind::AutoInc;
        d.defaultIndex = QStringLiteral("primary");
        d.columns = {
            {QStringLiteral("Kod"), ColType::AutoInc, 0, false},
            {QStringLiteral("Uses"), ColType::Integer, 0, false},
            {QStringLiteral("Uvuh"), ColType::Integer, 0, false},
            {QStringLiteral("ParamNagr"), ColType::Integer, 0, false},
            {QStringLiteral("Region"), ColType::Text, 30, false},
            {QStringLiteral("ZapPnom_Inv"), ColType::Number, 0, false},
            {QStringLiteral("ZapPmax_Inv"), ColType::Number, 0, false},
            {QStringLiteral("UsePpik_Inv"), ColType::Logical, 0, false},
            {QStringLiteral("ZapPpik_Inv"), ColType::Number, 0, false},
            {QStringLiteral("Poteri_AKB"), ColType::Number, 0, false},
            {QStringLiteral("GlubRazryad_AKB"), ColType::Number, 0, false},
            {QStringLiteral("Kzar_min"), ColType::Number, 0, false},
            {QStringLiteral("Izar_min"), ColType::Text, 20, false},
            {QStringLiteral("Kzar_max"), ColType::Number, 0, false},
            {QStringLiteral("Izar_max"), ColType::Text, 20, false},
            {QStringLiteral("Krazr_pik"), ColType::Number, 0, false},
            {QStringLiteral("Krazr_nom"), ColType::Number, 0, false},
            {QStringLiteral("Krazr_max"), ColType::Number, 0, false},
            {QStringLiteral("UseMPPT_Ctrl"), ColType::Logical, 0, false},
            {QStringLiteral("Umppt"), ColType::Integer, 0, false},
            {QStringLiteral("Uxx_zap_Ctrl"), ColType::Number, 0, false},
            {QStringLiteral("DefTipAKB_Ctrl"), ColType::Text, 50, false},
            {QStringLiteral("DefUzar_Ctrl"), ColType::Number, 0, false},
            {QStringLiteral("SutCikl"), ColType::Logical, 0, false},
            {QStringLiteral("KolHourWithoutSun"), ColType::Number, 0, false},
            {QStringLiteral("Poteri_Ctrl"), ColType::Number, 0, false},
            {QStringLiteral("UchetKdifP_SP"), ColType::Logical, 0, false},
            {QStringLiteral("KdifP_SP"), ColType::Number, 0, false},
            {QStringLiteral("Tmin_SP"), ColType::Number, 0, false},
            {QStringLiteral("Ksp_summer"), ColType::Number, 0, false},
            {QStringLiteral("Ksp_winter"), ColType::Number, 0, false},
            {QStringLiteral("UseUserKpd_Inv"), ColType::Logical, 0, false},
            {QStringLiteral("UserKpd_Inv"), ColType::Number, 0, false},
            {QStringLiteral("DU_KL_Mas_Ctrl"), ColType::Number, 0, false},
            {QStringLiteral("DU_KL_Ctrl_AKB"), ColType::Number, 0, false},
            {QStringLiteral("DU_KL_AKB_Inv"), ColType::Number, 0, false},
            {QStringLiteral("Spos_KL_Mas_Ctrl"), ColType::Text, 50, false},
            {QStringLiteral("L_KL_Mas_Ctrl"), ColType::Number, 0, false},
            {QStringLiteral("Spos_KL_Ctrl_AKB"), ColType::Text, 50, false},
            {QStringLiteral("L_KL_Ctrl_AKB"), ColType::Number, 0, false},
            {QStringLiteral("Spos_KL_AKB_Inv"), ColType::Text, 50, false},
            {QStringLiteral("L_KL_AKB_Inv"), ColType::Number, 0, false},
            {QStringLiteral("Sel_Tbl_AKB_Inv"), ColType::Integer, 0, false},
            {QStringLiteral("Sel_KL_AKB_Inv"), ColType::Integer, 0, false},
            {QStringLiteral("Kzap_AV_Vetv_I"), ColType::Number, 0, false},
            {QStringLiteral("Kzap_AV_Vetv_U"), ColType::Number, 0, false},
            {QStringLiteral("Kzap_AV_Mas_I"), ColType::Number, 0, false},
            {QStringLiteral("Kzap_AV_Mas_U"), ColType::Number, 0, false},
            {QStringLiteral("Kzap_AV_AKB_I"), ColType::Number, 0, false},
            {QStringLiteral("Kzap_AV_AKB_U"), ColType::Number, 0, false},
            {QStringLiteral("Kzap_AV_Inv_I"), ColType::Number, 0, false},
            {QStringLiteral("Kzap_AV_Inv_U"), ColType::Number, 0, false},
            {QStringLiteral("Par_AV_Ctrl_AKB"), ColType::Integer, 0, false},
            {QStringLiteral("Par_AV_AKB_Inv"), ColType::Integer, 0, false},
            {QStringLiteral("Kzap_Pr_Vetv_I"), ColType::Number, 0, false},
            {QStringLiteral("Kzap_Pr_Vetv_U"), ColType::Number, 0, false},
            {QStringLiteral("Kzap_Pr_Mas_I"), ColType::Number, 0, false},
            {QStringLiteral("Kzap_Pr_Mas_U"), ColType::Number, 0, false},
            {QStringLiteral("Kzap_Pr_AKB_I"), ColType::Number, 0, false},
            {QStringLiteral("Kzap_Pr_AKB_U"), ColType::Number, 0, false},
            {QStringLiteral("Kzap_Pr_Inv_I"), ColType::Number, 0, false},
            {QStringLiteral("Kzap_Pr_Inv_U"), ColType::Number, 0, false},
            {QStringLiteral("Par_Pr_Ctrl_AKB"), ColType::Integer, 0, false},
            {QStringLiteral("Par_Pr_AKB_Inv"), ColType::Integer, 0, false},
            {QStringLiteral("MaxKolSborNotProt"), ColType::Integer, 0, false},
            {QStringLiteral("PomName"), ColType::Text, 50, false},
            {QStringLiteral("Spos_KL_AKB_Output"), ColType::Text, 50, false},
            {QStringLiteral("L_KL_AKB_Output"), ColType::Number, 0, false},
            {QStringLiteral("DU_KL_AKB_Output"), ColType::Number, 0, false},
            {QStringLiteral("Par_AV_AKB_Output"), ColType::Integer, 0, false},
            {QStringLiteral("Kzap_AV_AKB_Output_I"), ColType::Number, 0, false},
            {QStringLiteral("Kzap_AV_AKB_Output_U"), ColType::Number, 0, false},
            {QStringLiteral("Par_Pr_AKB_Output"), ColType::Integer, 0, false},
            {QStringLiteral("Kzap_Pr_AKB_Output_I"), ColType::Number, 0, false},
            {QStringLiteral("Kzap_Pr_AKB_Output_U"), ColType::Number, 0, false},
        };
        d.cascade = {QStringLiteral("ParVarDef1")};
        t.push_back(std::move(d));
    }
    {
        TableDef d;
        d.name = QStringLiteral("ParVarDef1");
        d.fileName = QStringLiteral("ParVarDef1.DB");
        d.keyKind = KeyKind::AutoInc;
        d.master = QStringLiteral("ParVarDef");
        d.defaultIndex = QStringLiteral("Kod0");
        d.columns = {
            {QStringLiteral("Kod"), ColType::AutoInc, 0, false},
            {QStringLiteral("Kod0"), ColType::Integer, 0, false},
            {QStringLiteral("MonthName"), ColType::Text, 20, false},
            {QStringLiteral("Voshod10"), ColType::Number, 0, false},
            {QStringLiteral("Zakat10"), ColType::Number, 0, false},
            {QStringLiteral("TempAB"), ColType::Number, 0, false},
        };
        d.indexes = {
            {QStringLiteral("Kod0"), {QStringLiteral("Kod0")}, false, true},
        };
        t.push_back(std::move(d));
    }
    {
        TableDef d;
        d.name = QStringLiteral("param");
        d.fileName = QStringLiteral("param.db");
        d.keyKind = KeyKind::None;
        d.defaultIndex = QStringLiteral("");
        d.columns = {
            {QStringLiteral("SutGr_Pnom_Time"), ColType::Integer, 0, false},
            {QStringLiteral("SutGr_Pmax_Time"), ColType::Integer, 0, false},
            {QStringLiteral("KproizTable"), ColType::Integer, 0, false},
            {QStringLiteral("Score_Isp"), ColType::Integer, 0, false},
            {QStringLiteral("OptimUgolRejim"), ColType::Integer, 0, false},
            {QStringLiteral("OptimUgolDay"), ColType::Integer, 0, false},
        };
        t.push_back(std::move(d));
    }
    {
        TableDef d;
        d.name = QStringLiteral("optim_akb");
        d.fileName = QStringLiteral("optim_akb.DB");
        d.keyKind = KeyKind::AutoInc;
        d.defaultIndex = QStringLiteral("siCfakt");
        d.columns = {
            {QStringLiteral("Kod"), ColType::AutoInc, 0, false},
            {QStringLiteral("Company_AKB"), ColType::Text, 100, false},
            {QStringLiteral("Tip_AKB"), ColType::Text, 50, false},
            {QStringLiteral("Name_AKB"), ColType::Text, 30, false},
            {QStringLiteral("Unom_AKB"), ColType::Integer, 0, false},
            {QStringLiteral("Cnom_AKB"), ColType::Number, 0, false},
            {QStringLiteral("KolPosled_AKB"), ColType::Integer, 0, false},
            {QStringLiteral("KolVetv_AKB"), ColType::Integer, 0, false},
            {QStringLiteral("Kol_AKB"), ColType::Integer, 0, false},
            {QStringLiteral("Cfakt_AKB"), ColType::Number, 0, false},
            {QStringLiteral("Izar_Ctrl"), ColType::Number, 0, false},
            {QStringLiteral("Izar_min_AKB"), ColType::Number, 0, false},
            {QStringLiteral("Izar_max_AKB"), ColType::Number, 0, false},
            {QStringLiteral("Izar_min_use_AKB"), ColType::Number, 0, false},
            {QStringLiteral("Izar_max_use_AKB"), ColType::Number, 0, false},
            {QStringLiteral("Irazr_max_AKB"), ColType::Number, 0, false},
            {QStringLiteral("L"), ColType::Number, 0, false},
            {QStringLiteral("S"), ColType::Number, 0, false},
            {QStringLiteral("H"), ColType::Number, 0, false},
        };
        d.indexes = {
            {QStringLiteral("siCfakt"), {QStringLiteral("Cfakt_AKB")}, false, true},
        };
        t.push_back(std::move(d));
    }
    {
        TableDef d;
        d.name = QStringLiteral("optim_sp");
        d.fileName = QStringLiteral("optim_sp.DB");
        d.keyKind = KeyKind::AutoInc;
        d.defaultIndex = QStringLiteral("siP_Kol");
        d.columns = {
            {QStringLiteral("Kod"), ColType::AutoInc, 0, false},
            {QStringLiteral("Company"), ColType::Text, 100, false},
            {QStringLiteral("Tip"), ColType::Text, 30, false},
            {QStringLiteral("Structure"), ColType::Text, 20, false},
            {QStringLiteral("P"), ColType::Number, 0, false},
            {QStringLiteral("Unom"), ColType::Number, 0, false},
            {QStringLiteral("Isc"), ColType::Number, 0, false},
            {QStringLiteral("Imp"), ColType::Number, 0, false},
            {QStringLiteral("H"), ColType::Number, 0, false},
            {QStringLiteral("S"), ColType::Number, 0, false},
            {QStringLiteral("Kpd"), ColType::Number, 0, false},
            {QStringLiteral("KolPosled_SP"), ColType::Integer, 0, false},
            {QStringLiteral("KolVetv_SP"), ColType::Integer, 0, false},
            {QStringLiteral("Kol_SP"), ColType::Integer, 0, false},
            {QStringLiteral("PTotal_SP"), ColType::Number, 0, false},
            {QStringLiteral("Inom_SP"), ColType::Number, 0, false},
            {QStringLiteral("Izar_akb"), ColType::Number, 0, false},
            {QStringLiteral("Massiv"), ColType::Text, 50, false},
            {QStringLiteral("N_Mas"), ColType::Integer, 0, false},
            {QStringLiteral("KolVetv_SP_Mas"), ColType::Integer, 0, false},
            {QStringLiteral("Kol_SP_Mas"), ColType::Integer, 0, false},
            {QStringLiteral("PTotal_SP_Mas"), ColType::Number, 0, false},
            {QStringLiteral("Inom_SP_Mas"), ColType::Number, 0, false},
            {QStringLiteral("KolVetv_SP_Ost"), ColType::Integer, 0, false},
            {QStringLiteral("Kol_SP_Ost"), ColType::Number, 0, false},
            {QStringLiteral("PTotal_SP_Ost"), ColType::Number, 0, false},
            {QStringLiteral("Inom_SP_Ost"), ColType::Number, 0, false},
        };
        d.indexes = {
            {QStringLiteral("siP_Kol"),
             {QStringLiteral("PTotal_SP"), QStringLiteral("Kol_SP")},
             false,
             true},
        };
        t.push_back(std::move(d));
    }
    {
        TableDef d;
        d.name = QStringLiteral("region0");
        d.fileName = QStringLiteral("region0.db");
        d.keyKind = KeyKind::AutoInc;
        d.defaultIndex = QStringLiteral("siRegion");
        d.columns = {
            {QStringLiteral("Kod"), ColType::AutoInc, 0, false},
            {QStringLiteral("Region"), ColType::Text, 30, false},
            {QStringLiteral("Fi"), ColType::Number, 0, false},
        };
        d.indexes = {
            {QStringLiteral("siRegion"), {QStringLiteral("Region")}, true, true},
        };
        d.cascade = {QStringLiteral("region2"), QStringLiteral("region1")};
        t.push_back(std::move(d));
    }
    {
        // Beside the specified tables: the measured quantity behind a region's E, the mean daily
        // global radiation on the horizontal (with the diffuse share where the source gives it),
        // from which region1.P is derived on the plane of the month's tilt. Before region1, so
        // that a month's source is there when an import writes the month.
        TableDef d;
        d.name = QStringLiteral("region2");
        d.fileName = QStringLiteral("region2.db");
        d.keyKind = KeyKind::AutoInc;
        d.master = QStringLiteral("region0");
        d.defaultIndex = QStringLiteral("Kod0");
        d.columns = {
            {QStringLiteral("Kod"), ColType::AutoInc, 0, false},
            {QStringLiteral("Kod0"), ColType::Integer, 0, false},
            {QStringLiteral("MonthName"), ColType::Text, 20, false},
            {QStringLiteral("H"), ColType::Number, 0, false},
            {QStringLiteral("Kd"), ColType::Number, 0, false},
            {QStringLiteral("Source"), ColType::Text, 100, false},
        };
        d.indexes = {
            {QStringLiteral("Kod0"), {QStringLiteral("Kod0")}, false, true},
            {QStringLiteral(""),
             {QStringLiteral("Kod0"), QStringLiteral("MonthName")},
             true,
             false},
        };
        t.push_back(std::move(d));
    }
    {
        TableDef d;
        d.name = QStringLiteral("region1");
        d.fileName = QStringLiteral("region1.db");
        d.keyKind = KeyKind::AutoInc;
        d.master = QStringLiteral("region0");
        d.defaultIndex = QStringLiteral("Kod0");
        d.columns = {
            {QStringLiteral("Kod"), ColType::AutoInc, 0, false},
            {QStringLiteral("Kod0"), ColType::Integer, 0, false},
            {QStringLiteral("MonthName"), ColType::Text, 20, false},
            {QStringLiteral("P"), ColType::Number, 0, false},
            {QStringLiteral("Tsred"), ColType::Number, 0, false},
            {QStringLiteral("B"), ColType::Number, 0, false},
        };
        d.indexes = {
            {QStringLiteral("Kod0"), {QStringLiteral("Kod0")}, false, true},
            {QStringLiteral(""),
             {QStringLiteral("Kod0"), QStringLiteral("MonthName")},
             true,
             false},
        };
        t.push_back(std::move(d));
    }
    {
        TableDef d;
        d.name = QStringLiteral("SunPanel0");
        d.fileName = QStringLiteral("SunPanel0.db");
        d.keyKind = KeyKind::AutoInc;
        d.defaultIndex = QStringLiteral("primary");
        d.columns = {
            {QStringLiteral("Kod"), ColType::AutoInc, 0, false},
            {QStringLiteral("Company"), ColType::Text, 100, false},
            {QStringLiteral("UseSP"), ColType::Logical, 0, false},
        };
        d.indexes = {
            {QStringLiteral(""), {QStringLiteral("Company")}, true, false},
        };
        d.cascade = {QStringLiteral("SunPanel1")};
        t.push_back(std::move(d));
    }
    {
        TableDef d;
        d.name = QStringLiteral("SunPanel1");
        d.fileName = QStringLiteral("SunPanel1.db");
        d.keyKind = KeyKind::AutoInc;
        d.master = QStringLiteral("SunPanel0");
        d.defaultIndex = QStringLiteral("Kod0");
        d.columns = {
            {QStringLiteral("Kod"), ColType::AutoInc, 0, false},
            {QStringLiteral("Kod0"), ColType::Integer, 0, false},
            {QStringLiteral("Tip"), ColType::Text, 30, false},
            {QStringLiteral("Structure"), ColType::Text, 20, false},
            {QStringLiteral("P"), ColType::Number, 0, false},
            {QStringLiteral("Unom"), ColType::Number, 0, false},
            {QStringLiteral("H"), ColType::Number, 0, false},
            {QStringLiteral("S"), ColType::Number, 0, false},
            {QStringLiteral("Voc"), ColType::Number, 0, false},
            {QStringLiteral("Isc"), ColType::Number, 0, false},
            {QStringLiteral("Vmp"), ColType::Number, 0, false},
            {QStringLiteral("Imp"), ColType::Number, 0, false},
            {QStringLiteral("Kpd"), ColType::Number, 0, false},
            {QStringLiteral("UseSP"), ColType::Logical, 0, false},
            {QStringLiteral("TK_Pmax"), ColType::Number, 0, false},
            {QStringLiteral("TK_Vos"), ColType::Number, 0, false},
        };
        d.indexes = {
            {QStringLiteral("Kod0"), {QStringLiteral("Kod0")}, false, true},
            {QStringLiteral(""), {QStringLiteral("Tip")}, true, false},
        };
        t.push_back(std::move(d));
    }
    {
        TableDef d;
        d.name = QStringLiteral("akb0");
        d.fileName = QStringLiteral("akb0.db");
        d.keyKind = KeyKind::AutoInc;
        d.defaultIndex = QStringLiteral("primary");
        d.columns = {
            {QStringLiteral("Kod"), ColType::AutoInc, 0, false},
            {QStringLiteral("Company"), ColType::Text, 100, false},
            {QStringLiteral("UseAKB"), ColType::Logical, 0, false},
        };
        d.indexes = {
            {QStringLiteral(""), {QStringLiteral("Company")}, true, false},
        };
        d.cascade = {QStringLiteral("akb1")};
        t.push_back(std::move(d));
    }
    {
        TableDef d;
        d.name = QStringLiteral("akb1");
        d.fileName = QStringLiteral("akb1.db");
        d.keyKind = KeyKind::AutoInc;
        d.master = QStringLiteral("akb0");
        d.defaultIndex = QStringLiteral("Kod0");
        d.columns = {
            {QStringLiteral("Kod"), ColType::AutoInc, 0, false},
            {QStringLiteral("Kod0"), ColType::Integer, 0, false},
            {QStringLiteral("Tip"), ColType::Text, 50, false},
            {QStringLiteral("UseAKB"), ColType::Logical, 0, false},
        };
        d.indexes = {
            {QStringLiteral("Kod0"), {QStringLiteral("Kod0")}, false, true},
            {QStringLiteral(""), {QStringLiteral("Kod0"), QStringLiteral("Tip")}, true, false},
        };
        d.cascade = {QStringLiteral("akb2")};
        t.push_back(std::move(d));
    }
    {
        TableDef d;
        d.name = QStringLiteral("akb2");
        d.fileName = QStringLiteral("akb2.db");
        d.keyKind = KeyKind::AutoInc;
        d.master = QStringLiteral("akb1");
        d.defaultIndex = QStringLiteral("Kod0");
        d.columns = {
            {QStringLiteral("Kod"), ColType::AutoInc, 0, false},
            {QStringLiteral("Kod0"), ColType::Integer, 0, false},
            {QStringLiteral("Name"), ColType::Text, 30, false},
            {QStringLiteral("C"), ColType::Number, 0, false},
            {QStringLiteral("U"), ColType::Number, 0, false},
            {QStringLiteral("Izar_min"), ColType::Number, 0, false},
            {QStringLiteral("Izar_max"), ColType::Number, 0, false},
            {QStringLiteral("Irazr_max"), ColType::Number, 0, false},
            {QStringLiteral("L"), ColType::Number, 0, false},
            {QStringLiteral("S"), ColType::Number, 0, false},
            {QStringLiteral("H"), ColType::Number, 0, false},
            {QStringLiteral("UseAKB"), ColType::Logical, 0, false},
        };
        d.indexes = {
            {QStringLiteral("Kod0"), {QStringLiteral("Kod0")}, false, true},
            {QStringLiteral(""), {QStringLiteral("Name")}, true, false},
        };
        t.push_back(std::move(d));
    }
    {
        TableDef d;
        d.name = QStringLiteral("Controller0");
        d.fileName = QStringLiteral("Controller0.db");
        d.keyKind = KeyKind::AutoInc;
        d.defaultIndex = QStringLiteral("primary");
        d.columns = {
            {QStringLiteral("Kod"), ColType::AutoInc, 0, false},
            {QStringLiteral("Company"), ColType::Text, 100, false},
            {QStringLiteral("UseCtrl"), ColType::Logical, 0, false},
        };
        d.indexes = {
            {QStringLiteral(""), {QStringLiteral("Company")}, true, false},
        };
        d.cascade = {QStringLiteral("Controller1")};
        t.push_back(std::move(d));
    }
    {
        TableDef d;
        d.name = QStringLiteral("Controller1");
        d.fileName = QStringLiteral("Controller1.db");
        d.keyKind = KeyKind::AutoInc;
        d.master = QStringLiteral("Controller0");
        d.defaultIndex = QStringLiteral("Kod0");
        d.columns = {
            {QStringLiteral("Kod"), ColType::AutoInc, 0, false},
            {QStringLiteral("Kod0"), ColType::Integer, 0, false},
            {QStringLiteral("Tip"), ColType::Text, 30, false},
            {QStringLiteral("Algoritm1"), ColType::Text, 20, false},
            {QStringLiteral("Imax_sp"), ColType::Integer, 0, false},
            {QStringLiteral("Imax_nagr"), ColType::Integer, 0, false},
            {QStringLiteral("ProvSechMax"), ColType::Number, 0, false},
            {QStringLiteral("UseCtrl"), ColType::Logical, 0, false},
        };
        d.indexes = {
            {QStringLiteral("Kod0"), {QStringLiteral("Kod0")}, false, true},
            {QStringLiteral(""), {QStringLiteral("Tip")}, true, false},
        };
        d.cascade = {QStringLiteral("Controller2")};
        t.push_back(std::move(d));
    }
    {
        TableDef d;
        d.name = QStringLiteral("Controller2");
        d.fileName = QStringLiteral("Controller2.db");
        d.keyKind = KeyKind::AutoInc;
        d.master = QStringLiteral("Controller1");
        d.defaultIndex = QStringLiteral("Kod0");
        d.columns = {
            {QStringLiteral("Kod"), ColType::AutoInc, 0, false},
            {QStringLiteral("Kod0"), ColType::Integer, 0, false},
            {QStringLiteral("Uses"), ColType::Integer, 0, false},
            {QStringLiteral("Psp"), ColType::Integer, 0, false},
            {QStringLiteral("Uxx_sp"), ColType::Integer, 0, false},
            {QStringLiteral("Umppt_min"), ColType::Number, 0, false},
            {QStringLiteral("Umppt_max"), ColType::Number, 0, false},
        };
        d.indexes = {
            {QStringLiteral("Kod0"), {QStringLiteral("Kod0")}, false, true},
            {QStringLiteral(""), {QStringLiteral("Kod0"), QStringLiteral("Uses")}, true, false},
        };
        d.cascade = {QStringLiteral("Controller4")};
        t.push_back(std::move(d));
    }
    {
        TableDef d;
        d.name = QStringLiteral("Controller4");
        d.fileName = QStringLiteral("Controller4.db");
        d.keyKind = KeyKind::AutoInc;
        d.master = QStringLiteral("Controller2");
        d.defaultIndex = QStringLiteral("Kod0");
        d.columns = {
            {QStringLiteral("Kod"), ColType::AutoInc, 0, false},
            {QStringLiteral("Kod0"), ColType::Integer, 0, false},
            {QStringLiteral("TipAKB"), ColType::Text, 30, false},
            {QStringLiteral("Upodzar"), ColType::Number, 0, false},
        };
        d.indexes = {
            {QStringLiteral("Kod0"), {QStringLiteral("Kod0")}, false, true},
            {QStringLiteral(""), {QStringLiteral("Kod0"), QStringLiteral("TipAKB")}, true, false},
        };
        t.push_back(std::move(d));
    }
    {
        TableDef d;
        d.name = QStringLiteral("Invert0");
        d.fileName = QStringLiteral("Invert0.db");
        d.keyKind = KeyKind::AutoInc;
        d.defaultIndex = QStringLiteral("primary");
        d.columns = {
            {QStringLiteral("Kod"), ColType::AutoInc, 0, false},
            {QStringLiteral("Company"), ColType::Text, 100, false},
            {QStringLiteral("UseInv"), ColType::Logical, 0, false},
        };
        d.indexes = {
            {QStringLiteral(""), {QStringLiteral("Company")}, true, false},
        };
        d.cascade = {QStringLiteral("Invert1")};
        t.push_back(std::move(d));
    }
    {
        TableDef d;
        d.name = QStringLiteral("Invert1");
        d.fileName = QStringLiteral("Invert1.db");
        d.keyKind = KeyKind::AutoInc;
        d.master = QStringLiteral("Invert0");
        d.defaultIndex = QStringLiteral("Kod0");
        d.columns = {
            {QStringLiteral("Kod"), ColType::AutoInc, 0, false},
            {QStringLiteral("Kod0"), ColType::Integer, 0, false},
            {QStringLiteral("Name"), ColType::Text, 50, false},
            {QStringLiteral("Pnom"), ColType::Number, 0, false},
            {QStringLiteral("Pmax"), ColType::Number, 0, false},
            {QStringLiteral("Ppik"), ColType::Number, 0, false},
            {QStringLiteral("Uvuh"), ColType::Number, 0, false},
            {QStringLiteral("Uvh"), ColType::Number, 0, false},
            {QStringLiteral("Forma"), ColType::Text, 20, false},
            {QStringLiteral("Kpd"), ColType::Number, 0, false},
            {QStringLiteral("UseInv"), ColType::Logical, 0, false},
        };
        d.indexes = {
            {QStringLiteral("Kod0"), {QStringLiteral("Kod0")}, false, true},
            {QStringLiteral(""), {QStringLiteral("Name")}, true, false},
        };
        t.push_back(std::move(d));
    }
    {
        TableDef d;
        d.name = QStringLiteral("Inv_zu0");
        d.fileName = QStringLiteral("Inv_zu0.db");
        d.keyKind = KeyKind::AutoInc;
        d.defaultIndex = QStringLiteral("primary");
        d.columns = {
            {QStringLiteral("Kod"), ColType::AutoInc, 0, false},
            {QStringLiteral("Company"), ColType::Text, 100, false},
        };
        d.cascade = {QStringLiteral("Inv_zu1")};
        t.push_back(std::move(d));
    }
    {
        TableDef d;
        d.name = QStringLiteral("Inv_zu1");
        d.fileName = QStringLiteral("Inv_zu1.DB");
        d.keyKind = KeyKind::AutoInc;
        d.master = QStringLiteral("Inv_zu0");
        d.defaultIndex = QStringLiteral("Kod0");
        d.columns = {
            {QStringLiteral("Kod"), ColType::AutoInc, 0, false},
            {QStringLiteral("Kod0"), ColType::Integer, 0, false},
            {QStringLiteral("Name"), ColType::Text, 50, false},
            {QStringLiteral("Pnom"), ColType::Number, 0, false},
            {QStringLiteral("Pmax"), ColType::Number, 0, false},
            {QStringLiteral("Ppik"), ColType::Number, 0, false},
            {QStringLiteral("Uvuh"), ColType::Number, 0, false},
            {QStringLiteral("Uvh"), ColType::Number, 0, false},
            {QStringLiteral("Forma"), ColType::Text, 20, false},
            {QStringLiteral("Kpd"), ColType::Number, 0, false},
            {QStringLiteral("Psp"), ColType::Integer, 0, false},
            {QStringLiteral("Usp"), ColType::Integer, 0, false},
            {QStringLiteral("Algoritm"), ColType::Text, 20, false},
            {QStringLiteral("Imax_zu"), ColType::Number, 0, false},
            {QStringLiteral("ProvSechMax"), ColType::Number, 0, false},
            {QStringLiteral("ParalWork"), ColType::Logical, 0, false},
            {QStringLiteral("ParalKol"), ColType::Integer, 0, false},
        };
        d.indexes = {
            {QStringLiteral("Kod0"), {QStringLiteral("Kod0")}, false, true},
        };
        d.cascade = {QStringLiteral("Inv_zu2")};
        t.push_back(std::move(d));
    }
    {
        TableDef d;
        d.name = QStringLiteral("Inv_zu2");
        d.fileName = QStringLiteral("Inv_zu2.DB");
        d.keyKind = KeyKind::AutoInc;
        d.master = QStringLiteral("Inv_zu1");
        d.defaultIndex = QStringLiteral("Kod0");
        d.columns = {
            {QStringLiteral("Kod"), ColType::AutoInc, 0, false},
            {QStringLiteral("Kod0"), ColType::Integer, 0, false},
            {QStringLiteral("TipAKB"), ColType::Text, 30, false},
        };
        d.indexes = {
            {QStringLiteral("Kod0"), {QStringLiteral("Kod0")}, false, true},
        };
        t.push_back(std::move(d));
    }
    {
        TableDef d;
        d.name = QStringLiteral("AV0");
        d.fileName = QStringLiteral("AV0.db");
        d.keyKind = KeyKind::AutoInc;
        d.defaultIndex = QStringLiteral("primary");
        d.columns = {
            {QStringLiteral("Kod"), ColType::AutoInc, 0, false},
            {QStringLiteral("Company"), ColType::Text, 100, false},
            {QStringLiteral("UseAV"), ColType::Logical, 0, false},
        };
        d.indexes = {
            {QStringLiteral(""), {QStringLiteral("Company")}, true, false},
        };
        d.cascade = {QStringLiteral("AV1")};
        t.push_back(std::move(d));
    }
    {
        TableDef d;
        d.name = QStringLiteral("AV1");
        d.fileName = QStringLiteral("AV1.DB");
        d.keyKind = KeyKind::AutoInc;
        d.master = QStringLiteral("AV0");
        d.defaultIndex = QStringLiteral("Kod0");
        d.columns = {
            {QStringLiteral("Kod"), ColType::AutoInc, 0, false},
            {QStringLiteral("Kod0"), ColType::Integer, 0, false},
            {QStringLiteral("Name"), ColType::Text, 50, false},
            {QStringLiteral("Unom"), ColType::Number, 0, false},
            {QStringLiteral("Inom"), ColType::Number, 0, false},
            {QStringLiteral("Tip_krep"), ColType::Text, 20, false},
            {QStringLiteral("Skab"), ColType::Number, 0, false},
            {QStringLiteral("UseAV"), ColType::Logical, 0, false},
        };
        d.indexes = {
            {QStringLiteral("Kod0"), {QStringLiteral("Kod0")}, false, true},
            {QStringLiteral(""), {QStringLiteral("Name")}, true, false},
        };
        d.cascade = {QStringLiteral("AV2")};
        t.push_back(std::move(d));
    }
    {
        TableDef d;
        d.name = QStringLiteral("AV2");
        d.fileName = QStringLiteral("AV2.DB");
        d.keyKind = KeyKind::AutoInc;
        d.master = QStringLiteral("AV1");
        d.defaultIndex = QStringLiteral("Kod0");
        d.columns = {
            {QStringLiteral("Kod"), ColType::AutoInc, 0, false},
            {QStringLiteral("Kod0"), ColType::Integer, 0, false},
            {QStringLiteral("Uses"), ColType::Integer, 0, false},
            {QStringLiteral("Pinv_nom"), ColType::Number, 0, false},
            {QStringLiteral("Pinv_pik"), ColType::Number, 0, false},
        };
        d.indexes = {
            {QStringLiteral("Kod0"), {QStringLiteral("Kod0")}, false, true},
            {QStringLiteral(""), {QStringLiteral("Kod0"), QStringLiteral("Uses")}, true, false},
        };
        t.push_back(std::move(d));
    }
    {
        TableDef d;
        d.name = QStringLiteral("Pr0");
        d.fileName = QStringLiteral("Pr0.DB");
        d.keyKind = KeyKind::AutoInc;
        d.defaultIndex = QStringLiteral("primary");
        d.columns = {
            {QStringLiteral("Kod"), ColType::AutoInc, 0, false},
            {QStringLiteral("Company"), ColType::Text, 100, false},
            {QStringLiteral("UsePr"), ColType::Logical, 0, false},
        };
        d.indexes = {
            {QStringLiteral(""), {QStringLiteral("Company")}, true, false},
        };
        d.cascade = {QStringLiteral("Pr1")};
        t.push_back(std::move(d));
    }
    {
        TableDef d;
        d.name = QStringLiteral("Pr1");
        d.fileName = QStringLiteral("Pr1.DB");
        d.keyKind = KeyKind::AutoInc;
        d.master = QStringLiteral("Pr0");
        d.defaultIndex = QStringLiteral("Kod0");
        d.columns = {
            {QStringLiteral("Kod"), ColType::AutoInc, 0, false},
            {QStringLiteral("Kod0"), ColType::Integer, 0, false},
            {QStringLiteral("Name"), ColType::Text, 50, false},
            {QStringLiteral("NameDerzh"), ColType::Text, 50, false},
            {QStringLiteral("Unom"), ColType::Number, 0, false},
            {QStringLiteral("Inom"), ColType::Number, 0, false},
            {QStringLiteral("Skab"), ColType::Number, 0, false},
            {QStringLiteral("UsePr"), ColType::Logical, 0, false},
        };
        d.indexes = {
            {QStringLiteral("Kod0"), {QStringLiteral("Kod0")}, false, true},
            {QStringLiteral(""), {QStringLiteral("Name")}, true, false},
        };
        d.cascade = {QStringLiteral("Pr2")};
        t.push_back(std::move(d));
    }
    {
        TableDef d;
        d.name = QStringLiteral("Pr2");
        d.fileName = QStringLiteral("Pr2.DB");
        d.keyKind = KeyKind::AutoInc;
        d.master = QStringLiteral("Pr1");
        d.defaultIndex = QStringLiteral("Kod0");
        d.columns = {
            {QStringLiteral("Kod"), ColType::AutoInc, 0, false},
            {QStringLiteral("Kod0"), ColType::Integer, 0, false},
            {QStringLiteral("Uses"), ColType::Integer, 0, false},
            {QStringLiteral("Pinv_nom"), ColType::Number, 0, false},
        };
        d.indexes = {
            {QStringLiteral("Kod0"), {QStringLiteral("Kod0")}, false, true},
            {QStringLiteral(""), {QStringLiteral("Kod0"), QStringLiteral("Uses")}, true, false},
        };
        t.push_back(std::move(d));
    }
    {
        TableDef d;
        d.name = QStringLiteral("kl");
        d.fileName = QStringLiteral("kl.db");
        d.keyKind = KeyKind::AutoInc;
        d.defaultIndex = QStringLiteral("primary");
        d.columns = {
            {QStringLiteral("Kod"), ColType::AutoInc, 0, false},
            {QStringLiteral("Sech"), ColType::Number, 0, false},
            {QStringLiteral("Idop"), ColType::Number, 0, false},
            {QStringLiteral("Idop_2_1zh"), ColType::Number, 0, false},
            {QStringLiteral("Idop_1_2zh"), ColType::Number, 0, false},
            {QStringLiteral("Ro"), ColType::Number, 0, false},
        };
        d.indexes = {
            {QStringLiteral(""), {QStringLiteral("Sech")}, true, false},
        };
        t.push_back(std::move(d));
    }
    {
        TableDef d;
        d.name = QStringLiteral("sKab_inv0");
        d.fileName = QStringLiteral("sKab_inv0.db");
        d.keyKind = KeyKind::AutoInc;
        d.defaultIndex = QStringLiteral("primary");
        d.columns = {
            {QStringLiteral("Kod"), ColType::AutoInc, 0, false},
            {QStringLiteral("Pinv"), ColType::Integer, 0, false},
        };
        d.indexes = {
            {QStringLiteral(""), {QStringLiteral("Pinv")}, true, false},
        };
        d.cascade = {QStringLiteral("sKab_inv1")};
        t.push_back(std::move(d));
    }
    {
        TableDef d;
        d.name = QStringLiteral("sKab_inv1");
        d.fileName = QStringLiteral("sKab_inv1.db");
        d.keyKind = KeyKind::AutoInc;
        d.master = QStringLiteral("sKab_inv0");
        d.defaultIndex = QStringLiteral("Kod0");
        d.columns = {
            {QStringLiteral("Kod"), ColType::AutoInc, 0, false},
            {QStringLiteral("Kod0"), ColType::Integer, 0, false},
            {QStringLiteral("Uakb"), ColType::Integer, 0, false},
            {QStringLiteral("Sech"), ColType::Number, 0, false},
            {QStringLiteral("Kol_vo"), ColType::Integer, 0, false},
        };
        d.indexes = {
            {QStringLiteral("Kod0"), {QStringLiteral("Kod0")}, false, true},
            {QStringLiteral(""), {QStringLiteral("Kod0"), QStringLiteral("Uakb")}, true, false},
        };
        t.push_back(std::move(d));
    }
    {
        TableDef d;
        d.name = QStringLiteral("perem");
        d.fileName = QStringLiteral("perem.DB");
        d.keyKind = KeyKind::AutoInc;
        d.defaultIndex = QStringLiteral("primary");
        d.columns = {
            {QStringLiteral("Kod"), ColType::AutoInc, 0, false},
            {QStringLiteral("Sech"), ColType::Number, 0, false},
            {QStringLiteral("Idop"), ColType::Number, 0, false},
        };
        d.indexes = {
            {QStringLiteral(""), {QStringLiteral("Sech")}, true, false},
        };
        t.push_back(std::move(d));
    }
    {
        TableDef d;
        d.name = QStringLiteral("mc");
        d.fileName = QStringLiteral("mc.DB");
        d.keyKind = KeyKind::AutoInc;
        d.defaultIndex = QStringLiteral("primary");
        d.columns = {
            {QStringLiteral("Kod"), ColType::AutoInc, 0, false},
            {QStringLiteral("Tip"), ColType::Text, 20, false},
            {QStringLiteral("I"), ColType::Number, 0, false},
        };
        d.indexes = {
            {QStringLiteral(""), {QStringLiteral("Tip")}, true, false},
        };
        t.push_back(std::move(d));
    }
    {
        TableDef d;
        d.name = QStringLiteral("mc_y");
        d.fileName = QStringLiteral("mc_y.DB");
        d.keyKind = KeyKind::AutoInc;
        d.defaultIndex = QStringLiteral("primary");
        d.columns = {
            {QStringLiteral("Kod"), ColType::AutoInc, 0, false},
            {QStringLiteral("Tip"), ColType::Text, 20, false},
            {QStringLiteral("I"), ColType::Number, 0, false},
        };
        d.indexes = {
            {QStringLiteral(""), {QStringLiteral("Tip")}, true, false},
        };
        t.push_back(std::move(d));
    }
    {
        TableDef d;
        d.name = QStringLiteral("akb_zaryad0");
        d.fileName = QStringLiteral("akb_zaryad0.db");
        d.keyKind = KeyKind::AutoInc;
        d.defaultIndex = QStringLiteral("primary");
        d.columns = {
            {QStringLiteral("Kod"), ColType::AutoInc, 0, false},
            {QStringLiteral("TipAKB"), ColType::Text, 30, false},
        };
        d.indexes = {
            {QStringLiteral(""), {QStringLiteral("TipAKB")}, true, false},
        };
        d.cascade = {QStringLiteral("akb_zaryad")};
        t.push_back(std::move(d));
    }
    {
        TableDef d;
        d.name = QStringLiteral("akb_zaryad");
        d.fileName = QStringLiteral("akb_zaryad.db");
        d.keyKind = KeyKind::AutoInc;
        d.master = QStringLiteral("akb_zaryad0");
        d.defaultIndex = QStringLiteral("Kod0");
        d.columns = {
            {QStringLiteral("Kod"), ColType::AutoInc, 0, false},
            {QStringLiteral("Kod0"), ColType::Integer, 0, false},
            {QStringLiteral("Zaryad"), ColType::Integer, 0, false},
            {QStringLiteral("U"), ColType::Number, 0, false},
        };
        d.indexes = {
            {QStringLiteral("Kod0"), {QStringLiteral("Kod0")}, false, true},
            {QStringLiteral(""), {QStringLiteral("Kod0"), QStringLiteral("Zaryad")}, true, false},
        };
        t.push_back(std::move(d));
    }
    {
        TableDef d;
        d.name = QStringLiteral("Ktemp");
        d.fileName = QStringLiteral("Ktemp.db");
        d.keyKind = KeyKind::None;
        d.defaultIndex = QStringLiteral("");
        d.columns = {
            {QStringLiteral("T"), ColType::Number, 0, false},
            {QStringLiteral("K"), ColType::Number, 0, false},
        };
        d.indexes = {
            {QStringLiteral(""), {QStringLiteral("T")}, true, false},
        };
        t.push_back(std::move(d));
    }
    {
        TableDef d;
        d.name = QStringLiteral("Ktemp1");
        d.fileName = QStringLiteral("Ktemp1.db");
        d.keyKind = KeyKind::None;
        d.defaultIndex = QStringLiteral("");
        d.columns = {
            {QStringLiteral("T"), ColType::Number, 0, false},
            {QStringLiteral("K"), ColType::Number, 0, false},
        };
        d.indexes = {
            {QStringLiteral(""), {QStringLiteral("T")}, true, false},
        };
        t.push_back(std::move(d));
    }
    {
        TableDef d;
        d.name = QStringLiteral("Kproiz");
        d.fileName = QStringLiteral("Kproiz.db");
        d.keyKind = KeyKind::AutoInc;
        d.defaultIndex = QStringLiteral("siOrient");
        d.columns = {
            {QStringLiteral("Kod"), ColType::AutoInc, 0, false},
            {QStringLiteral("Orient"), ColType::Text, 20, false},
            {QStringLiteral("UgolOrient"), ColType::Number, 0, false},
            {QStringLiteral("UgolNakl"), ColType::Number, 0, false},
            {QStringLiteral("K"), ColType::Number, 0, false},
        };
        d.indexes = {
            {QStringLiteral("siOrient"),
             {QStringLiteral("UgolOrient"), QStringLiteral("UgolNakl")},
             true,
             true},
        };
        t.push_back(std::move(d));
    }
    {
        TableDef d;
        d.name = QStringLiteral("Kproiz1");
        d.fileName = QStringLiteral("Kproiz1.db");
        d.keyKind = KeyKind::AutoInc;
        d.defaultIndex = QStringLiteral("siOrient");
        d.columns = {
            {QStringLiteral("Kod"), ColType::AutoInc, 0, false},
            {QStringLiteral("Orient"), ColType::Text, 20, false},
            {QStringLiteral("UgolOrient"), ColType::Number, 0, false},
            {QStringLiteral("UgolNakl"), ColType::Number, 0, false},
            {QStringLiteral("K"), ColType::Number, 0, false},
        };
        d.indexes = {
            {QStringLiteral("siOrient"),
             {QStringLiteral("UgolOrient"), QStringLiteral("UgolNakl")},
             true,
             true},
        };
        t.push_back(std::move(d));
    }
    {
        TableDef d;
        d.name = QStringLiteral("Kproiz2");
        d.fileName = QStringLiteral("Kproiz2.db");
        d.keyKind = KeyKind::AutoInc;
        d.defaultIndex = QStringLiteral("siUgol");
        d.columns = {
            {QStringLiteral("Kod"), ColType::AutoInc, 0, false},
            {QStringLiteral("Ugol"), ColType::Number, 0, false},
            {QStringLiteral("K"), ColType::Number, 0, false},
        };
        d.indexes = {
            {QStringLiteral("siUgol"), {QStringLiteral("Ugol")}, true, true},
        };
        t.push_back(std::move(d));
    }
    {
        TableDef d;
        d.name = QStringLiteral("sSun_day");
        d.fileName = QStringLiteral("sSun_day.DB");
        d.keyKind = KeyKind::PlainKod;
        d.defaultIndex = QStringLiteral("primary");
        d.columns = {
            {QStringLiteral("Kod"), ColType::Integer, 0, false},
            {QStringLiteral("MonthName"), ColType::Text, 20, false},
            {QStringLiteral("Voshod10"), ColType::Number, 0, false},
            {QStringLiteral("Zakat10"), ColType::Number, 0, false},
        };
        t.push_back(std::move(d));
    }
    {
        TableDef d;
        d.name = QStringLiteral("sSun_day_def");
        d.fileName = QStringLiteral("sSun_day_def.DB");
        d.keyKind = KeyKind::PlainKod;
        d.defaultIndex = QStringLiteral("primary");
        d.columns = {
            {QStringLiteral("Kod"), ColType::Integer, 0, false},
            {QStringLiteral("MonthName"), ColType::Text, 20, false},
            {QStringLiteral("Voshod10"), ColType::Number, 0, false},
            {QStringLiteral("Zakat10"), ColType::Number, 0, false},
        };
        t.push_back(std::move(d));
    }
    {
        TableDef d;
        d.name = QStringLiteral("sTempAB0");
        d.fileName = QStringLiteral("sTempAB0.DB");
        d.keyKind = KeyKind::AutoInc;
        d.defaultIndex = QStringLiteral("primary");
        d.columns = {
            {QStringLiteral("Kod"), ColType::AutoInc, 0, false},
            {QStringLiteral("PomName"), ColType::Text, 50, false},
        };
        d.cascade = {QStringLiteral("sTempAB1")};
        t.push_back(std::move(d));
    }
    {
        TableDef d;
        d.name = QStringLiteral("sTempAB1");
        d.fileName = QStringLiteral("sTempAB1.DB");
        d.keyKind = KeyKind::AutoInc;
        d.master = QStringLiteral("sTempAB0");
        d.defaultIndex = QStringLiteral("Kod0");
        d.columns = {
            {QStringLiteral("Kod"), ColType::AutoInc, 0, false},
            {QStringLiteral("Kod0"), ColType::Integer, 0, false},
            {QStringLiteral("MonthName"), ColType::Text, 20, false},
            {QStringLiteral("TempAB"), ColType::Number, 0, false},
        };
        d.indexes = {
            {QStringLiteral("Kod0"), {QStringLiteral("Kod0")}, false, true},
            {QStringLiteral(""),
             {QStringLiteral("Kod0"), QStringLiteral("MonthName")},
             true,
             false},
        };
        t.push_back(std::move(d));
    }
    {
        TableDef d;
        d.name = QStringLiteral("sEP");
        d.fileName = QStringLiteral("sEP.db");
        d.keyKind = KeyKind::AutoInc;
        d.defaultIndex = QStringLiteral("siNamePnom");
        d.columns = {
            {QStringLiteral("Kod"), ColType::AutoInc, 0, false},
            {QStringLiteral("Name"), ColType::Text, 50, false},
            {QStringLiteral("Pnom"), ColType::Number, 0, false},
            {QStringLiteral("Ip_In"), ColType::Number, 0, false},
            {QStringLiteral("ClearSinus"), ColType::Logical, 0, false},
            {QStringLiteral("Rejim"), ColType::Text, 20, false},
        };
        d.indexes = {
            {QStringLiteral("siNamePnom"),
             {QStringLiteral("Name"), QStringLiteral("Pnom"), QStringLiteral("Ip_In")},
             true,
             true},
        };
        t.push_back(std::move(d));
    }
    {
        TableDef d;
        d.name = QStringLiteral("sEP12");
        d.fileName = QStringLiteral("sEP12.DB");
        d.keyKind = KeyKind::AutoInc;
        d.defaultIndex = QStringLiteral("siNamePnom");
        d.columns = {
            {QStringLiteral("Kod"), ColType::AutoInc, 0, false},
            {QStringLiteral("Name"), ColType::Text, 50, false},
            {QStringLiteral("Pnom"), ColType::Number, 0, false},
            {QStringLiteral("Ip_In"), ColType::Number, 0, false},
            {QStringLiteral("Unom"), ColType::Integer, 0, false},
            {QStringLiteral("Rejim"), ColType::Text, 20, false},
        };
        d.indexes = {
            {QStringLiteral("siNamePnom"),
             {QStringLiteral("Name"), QStringLiteral("Pnom"), QStringLiteral("Ip_In")},
             true,
             true},
        };
        t.push_back(std::move(d));
    }
    {
        TableDef d;
        d.name = QStringLiteral("sSut");
        d.fileName = QStringLiteral("sSut.DB");
        d.keyKind = KeyKind::AutoInc;
        d.defaultIndex = QStringLiteral("primary");
        d.columns = {
            {QStringLiteral("Kod"), ColType::AutoInc, 0, false},
            {QStringLiteral("Razdel"), ColType::Text, 255, false},
        };
        d.cascade = {QStringLiteral("sSut0")};
        t.push_back(std::move(d));
    }
    {
        TableDef d;
        d.name = QStringLiteral("sSut0");
        d.fileName = QStringLiteral("sSut0.DB");
        d.keyKind = KeyKind::AutoInc;
        d.master = QStringLiteral("sSut");
        d.defaultIndex = QStringLiteral("Kod0");
        d.columns = {
            {QStringLiteral("Kod"), ColType::AutoInc, 0, false},
            {QStringLiteral("Kod0"), ColType::Integer, 0, false},
            {QStringLiteral("Name"), ColType::Text, 255, false},
            {QStringLiteral("Wp_sut"), ColType::Number, 0, false},
            {QStringLiteral("Pnom30min"), ColType::Number, 0, false},
            {QStringLiteral("Pmax10min"), ColType::Number, 0, false},
        };
        d.indexes = {
            {QStringLiteral("Kod0"), {QStringLiteral("Kod0")}, false, true},
        };
        d.cascade = {QStringLiteral("sSut1")};
        t.push_back(std::move(d));
    }
    {
        TableDef d;
        d.name = QStringLiteral("sSut1");
        d.fileName = QStringLiteral("sSut1.DB");
        d.keyKind = KeyKind::AutoInc;
        d.master = QStringLiteral("sSut0");
        d.defaultIndex = QStringLiteral("Kod0");
        d.columns = {
            {QStringLiteral("Kod"), ColType::AutoInc, 0, false},
            {QStringLiteral("Kod0"), ColType::Integer, 0, false},
            {QStringLiteral("T1"), ColType::Number, 0, false},
            {QStringLiteral("T2"), ColType::Number, 0, false},
            {QStringLiteral("P"), ColType::Number, 0, false},
        };
        d.indexes = {
            {QStringLiteral("Kod0"), {QStringLiteral("Kod0")}, false, true},
        };
        t.push_back(std::move(d));
    }
    {
        TableDef d;
        d.name = QStringLiteral("sSutEP");
        d.fileName = QStringLiteral("sSutEP.DB");
        d.keyKind = KeyKind::AutoInc;
        d.defaultIndex = QStringLiteral("primary");
        d.columns = {
            {QStringLiteral("Kod"), ColType::AutoInc, 0, false},
            {QStringLiteral("Razdel"), ColType::Text, 255, false},
        };
        d.cascade = {QStringLiteral("sSutEP0")};
        t.push_back(std::move(d));
    }
    {
        TableDef d;
        d.name = QStringLiteral("sSutEP0");
        d.fileName = QStringLiteral("sSutEP0.DB");
        d.keyKind = KeyKind::AutoInc;
        d.master = QStringLiteral("sSutEP");
        d.defaultIndex = QStringLiteral("Kod0");
        d.columns = {
            {QStringLiteral("Kod"), ColType::AutoInc, 0, false},
            {QStringLiteral("Kod0"), ColType::Integer, 0, false},
            {QStringLiteral("Name"), ColType::Text, 255, false},
            {QStringLiteral("Wp_sut"), ColType::Number, 0, false},
            {QStringLiteral("Pnom30min"), ColType::Number, 0, false},
            {QStringLiteral("Pmax10min"), ColType::Number, 0, false},
            {QStringLiteral("Ppik"), ColType::Number, 0, false},
            {QStringLiteral("ClearSinus"), ColType::Logical, 0, false},
        };
        d.indexes = {
            {QStringLiteral("Kod0"), {QStringLiteral("Kod0")}, false, true},
        };
        d.cascade = {QStringLiteral("sSutEP1")};
        t.push_back(std::move(d));
    }
    {
        TableDef d;
        d.name = QStringLiteral("sSutEP1");
        d.fileName = QStringLiteral("sSutEP1.DB");
        d.keyKind = KeyKind::AutoInc;
        d.master = QStringLiteral("sSutEP0");
        d.defaultIndex = QStringLiteral("Kod0");
        d.columns = {
            {QStringLiteral("Kod"), ColType::AutoInc, 0, false},
            {QStringLiteral("Kod0"), ColType::Integer, 0, false},
            {QStringLiteral("Name"), ColType::Text, 50, false},
            {QStringLiteral("Pnom"), ColType::Number, 0, false},
            {QStringLiteral("Ppik"), ColType::Number, 0, false},
            {QStringLiteral("Kol_vo"), ColType::Integer, 0, false},
            {QStringLiteral("SPnom"), ColType::Number, 0, false},
            {QStringLiteral("SPpik"), ColType::Number, 0, false},
            {QStringLiteral("ClearSinus"), ColType::Logical, 0, false},
            {QStringLiteral("Rejim"), ColType::Text, 20, false},
        };
        d.indexes = {
            {QStringLiteral("Kod0"), {QStringLiteral("Kod0")}, false, true},
        };
        d.cascade = {QStringLiteral("sSutEP2")};
        t.push_back(std::move(d));
    }
    {
        TableDef d;
        d.name = QStringLiteral("sSutEP2");
        d.fileName = QStringLiteral("sSutEP2.DB");
        d.keyKind = KeyKind::AutoInc;
        d.master = QStringLiteral("sSutEP1");
        d.defaultIndex = QStringLiteral("Kod0");
        d.columns = {
            {QStringLiteral("Kod"), ColType::AutoInc, 0, false},
            {QStringLiteral("Kod0"), ColType::Integer, 0, false},
            {QStringLiteral("T1"), ColType::Number, 0, false},
            {QStringLiteral("T2"), ColType::Number, 0, false},
        };
        d.indexes = {
            {QStringLiteral("Kod0"), {QStringLiteral("Kod0")}, false, true},
        };
        t.push_back(std::move(d));
    }
    {
        TableDef d;
        d.name = QStringLiteral("sSutEP12");
        d.fileName = QStringLiteral("sSutEP12.DB");
        d.keyKind = KeyKind::AutoInc;
        d.defaultIndex = QStringLiteral("primary");
        d.columns = {
            {QStringLiteral("Kod"), ColType::AutoInc, 0, false},
            {QStringLiteral("Razdel"), ColType::Text, 255, false},
        };
        d.cascade = {QStringLiteral("sSutEP12_0")};
        t.push_back(std::move(d));
    }
    {
        TableDef d;
        d.name = QStringLiteral("sSutEP12_0");
        d.fileName = QStringLiteral("sSutEP12_0.DB");
        d.keyKind = KeyKind::AutoInc;
        d.master = QStringLiteral("sSutEP12");
        d.defaultIndex = QStringLiteral("Kod0");
        d.columns = {
            {QStringLiteral("Kod"), ColType::AutoInc, 0, false},
            {QStringLiteral("Kod0"), ColType::Integer, 0, false},
            {QStringLiteral("Name"), ColType::Text, 255, false},
            {QStringLiteral("Unom"), ColType::Integer, 0, false},
            {QStringLiteral("Wp_sut"), ColType::Number, 0, false},
            {QStringLiteral("Pnom30min"), ColType::Number, 0, false},
            {QStringLiteral("Pmax10min"), ColType::Number, 0, false},
            {QStringLiteral("Ppik"), ColType::Number, 0, false},
        };
        d.indexes = {
            {QStringLiteral("Kod0"), {QStringLiteral("Kod0")}, false, true},
        };
        d.cascade = {QStringLiteral("sSutEP12_1")};
        t.push_back(std::move(d));
    }
    {
        TableDef d;
        d.name = QStringLiteral("sSutEP12_1");
        d.fileName = QStringLiteral("sSutEP12_1.DB");
        d.keyKind = KeyKind::AutoInc;
        d.master = QStringLiteral("sSutEP12_0");
        d.defaultIndex = QStringLiteral("Kod0");
        d.columns = {
            {QStringLiteral("Kod"), ColType::AutoInc, 0, false},
            {QStringLiteral("Kod0"), ColType::Integer, 0, false},
            {QStringLiteral("Name"), ColType::Text, 50, false},
            {QStringLiteral("Unom"), ColType::Integer, 0, false},
            {QStringLiteral("Pnom"), ColType::Number, 0, false},
            {QStringLiteral("Ppik"), ColType::Number, 0, false},
            {QStringLiteral("Kol_vo"), ColType::Integer, 0, false},
            {QStringLiteral("SPnom"), ColType::Number, 0, false},
            {QStringLiteral("SPpik"), ColType::Number, 0, false},
            {QStringLiteral("Rejim"), ColType::Text, 20, false},
        };
        d.indexes = {
            {QStringLiteral("Kod0"), {QStringLiteral("Kod0")}, false, true},
        };
        d.cascade = {QStringLiteral("sSutEP12_2")};
        t.push_back(std::move(d));
    }
    {
        TableDef d;
        d.name = QStringLiteral("sSutEP12_2");
        d.fileName = QStringLiteral("sSutEP12_2.DB");
        d.keyKind = KeyKind::AutoInc;
        d.master = QStringLiteral("sSutEP12_1");
        d.defaultIndex = QStringLiteral("Kod0");
        d.columns = {
            {QStringLiteral("Kod"), ColType::AutoInc, 0, false},
            {QStringLiteral("Kod0"), ColType::Integer, 0, false},
            {QStringLiteral("T1"), ColType::Number, 0, false},
            {QStringLiteral("T2"), ColType::Number, 0, false},
        };
        d.indexes = {
            {QStringLiteral("Kod0"), {QStringLiteral("Kod0")}, false, true},
        };
        t.push_back(std::move(d));
    }
    return t;
}

// The physical range of the columns whose figures have one, applied to every row written
// through a view: a window, a table or catalog import and a weather file obey the same rule.
void applyRanges(std::vector<TableDef>& tables) {
    struct Ranged {
        const char* table;
        std::initializer_list<const char*> columns;
        const PhysicalRange* range;
    };
    static const Ranged ranged[] = {
        {"region0", {"Fi"}, &kLatitudeRange},
        {"region1", {"P"}, &kDailyRadiationRange},
        {"region1", {"Tsred"}, &kAirTemperatureRange},
        {"region2", {"H"}, &kDailyRadiationRange},
        {"region2", {"Kd"}, &kFractionRange},
        {"sTempAB1", {"TempAB"}, &kAirTemperatureRange},
        {"proj_sunday", {"TempAB"}, &kAirTemperatureRange},
        {"ParVarDef1", {"TempAB"}, &kAirTemperatureRange},
        // Powers and energies of the catalogs, the books and the variants' loads.
        {"SunPanel1", {"P"}, &kNonNegativeRange},
        {"Invert1", {"Pnom", "Pmax", "Ppik"}, &kNonNegativeRange},
        {"Inv_zu1", {"Pnom", "Pmax", "Ppik", "Psp"}, &kNonNegativeRange},
        {"Controller2", {"Psp"}, &kNonNegativeRange},
        {"AV2", {"Pinv_nom", "Pinv_pik"}, &kNonNegativeRange},
        {"Pr2", {"Pinv_nom"}, &kNonNegativeRange},
        {"sKab_inv0", {"Pinv"}, &kNonNegativeRange},
        {"sEP", {"Pnom"}, &kNonNegativeRange},
        {"sEP12", {"Pnom"}, &kNonNegativeRange},
        {"sSut0", {"Wp_sut", "Pnom30min", "Pmax10min"}, &kNonNegativeRange},
        {"sSut1", {"P"}, &kNonNegativeRange},
        {"sSutEP0", {"Wp_sut", "Pnom30min", "Pmax10min", "Ppik"}, &kNonNegativeRange},
        {"sSutEP1", {"Pnom", "Ppik", "SPnom", "SPpik"}, &kNonNegativeRange},
        {"sSutEP12_0", {"Wp_sut", "Pnom30min", "Pmax10min", "Ppik"}, &kNonNegativeRange},
        {"sSutEP12_1", {"Pnom", "Ppik", "SPnom", "SPpik"}, &kNonNegativeRange},
        {"proj_graf0", {"Wp_sut", "Pnom30min", "Pmax10min", "Wp_pik"}, &kNonNegativeRange},
        {"proj_graf12_0", {"Wp_sut", "Pnom30min", "Pmax10min", "Wp_pik"}, &kNonNegativeRange},
        {"proj_graf1", {"P"}, &kNonNegativeRange},
        {"proj_graf12_1", {"P"}, &kNonNegativeRange},
        {"proj_ep0", {"Pnom", "Ppik", "SPnom", "SPpik"}, &kNonNegativeRange},
        {"proj_ep12_0", {"Pnom", "Ppik", "SPnom", "SPpik"}, &kNonNegativeRange},
        {"proj_inv",
         {"Pnom30min", "Pmax10min", "Ppik", "Pnom_Inv", "Pmax_Inv", "Ppik_Inv"},
         &kNonNegativeRange},
    };
    for (const Ranged& r : ranged) {
        const auto t = std::find_if(tables.begin(), tables.end(), [&](const TableDef& d) {
            return d.name == QLatin1String(r.table);
        });
        if (t == tables.end())
            throw std::logic_error(std::string("no table ") + r.table);
        for (const char* c : r.columns) {
            const int i = t->columnIndex(QLatin1String(c));
            if (i < 0)
                throw std::logic_error(std::string("no column ") + r.table + "." + c);
            t->columns[size_t(i)].range = r.range;
        }
    }
}

} // namespace

const std::vector<TableDef>& allTables() {
    static const std::vector<TableDef> tables = [] {
        std::vector<TableDef> t = buildTables();
        applyRanges(t);
        return t;
    }();
    return tables;
}

} // namespace ses
