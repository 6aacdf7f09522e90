#include "data/catalogs.h"

namespace ses {

const std::vector<CatalogDef>& catalogDefs() {
    static const std::vector<CatalogDef> defs = {
        {QStringLiteral("TsInvForm"),
         {QStringLiteral("Invert0"), QStringLiteral("Invert1")},
         QStringLiteral("Invert1"),
         {}},
        {QStringLiteral("TsAKBForm"),
         {QStringLiteral("akb0"), QStringLiteral("akb1"), QStringLiteral("akb2")},
         QStringLiteral("akb2"),
         {}},
        {QStringLiteral("TsSunPanF"),
         {QStringLiteral("SunPanel0"), QStringLiteral("SunPanel1")},
         QStringLiteral("SunPanel1"),
         {}},
        {QStringLiteral("TsContFrm"),
         {QStringLiteral("Controller0"), QStringLiteral("Controller1"),
          QStringLiteral("Controller2"), QStringLiteral("Controller4")},
         QStringLiteral("Controller1"),
         {QStringLiteral("Controller2"), QStringLiteral("Controller4")}},
        {QStringLiteral("TsKabelFm"), {QStringLiteral("kl")}, {}, {}},
        {QStringLiteral("TsKabInvF"),
         {QStringLiteral("sKab_inv0"), QStringLiteral("sKab_inv1")},
         {},
         {}},
        {QStringLiteral("TsAVForm"),
         {QStringLiteral("AV0"), QStringLiteral("AV1"), QStringLiteral("AV2")},
         QStringLiteral("AV1"),
         {QStringLiteral("AV2")}},
        {QStringLiteral("TsPrForm"),
         {QStringLiteral("Pr0"), QStringLiteral("Pr1"), QStringLiteral("Pr2")},
         QStringLiteral("Pr1"),
         {QStringLiteral("Pr2")}},
        {QStringLiteral("TsPeremFm"), {QStringLiteral("perem")}, {}, {}},
        {QStringLiteral("TsMCForm"), {QStringLiteral("mc"), QStringLiteral("mc_y")}, {}, {}},
        {QStringLiteral("TsRegForm"),
         {QStringLiteral("region0"), QStringLiteral("region2"), QStringLiteral("region1")},
         {},
         {}},
        {QStringLiteral("TsKtempFm"), {QStringLiteral("Ktemp"), QStringLiteral("Ktemp1")}, {}, {}},
        {QStringLiteral("TsAKBZarF"),
         {QStringLiteral("akb_zaryad0"), QStringLiteral("akb_zaryad")},
         {},
         {}},
        {QStringLiteral("TsTempABF"),
         {QStringLiteral("sTempAB0"), QStringLiteral("sTempAB1")},
         {},
         {}},
        {QStringLiteral("TsInvZuForm"),
         {QStringLiteral("Inv_zu0"), QStringLiteral("Inv_zu1"), QStringLiteral("Inv_zu2")},
         {},
         {}},
        {QStringLiteral("TSprKForm"),
         {QStringLiteral("Kproiz"), QStringLiteral("Kproiz1"), QStringLiteral("Kproiz2")},
         {},
         {}},
        {QStringLiteral("TsSunDayF"),
         {QStringLiteral("sSun_day_def"), QStringLiteral("sSun_day")},
         {},
         {}},
        {QStringLiteral("TsEPForm"), {QStringLiteral("sEP")}, {}, {}},
        {QStringLiteral("TsEP12Frm"), {QStringLiteral("sEP12")}, {}, {}},
        {QStringLiteral("TsSutForm"),
         {QStringLiteral("sSut"), QStringLiteral("sSut0"), QStringLiteral("sSut1")},
         {},
         {}},
        {QStringLiteral("TsSutEPF"),
         {QStringLiteral("sSutEP"), QStringLiteral("sSutEP0"), QStringLiteral("sSutEP1"),
          QStringLiteral("sSutEP2")},
         {},
         {}},
        {QStringLiteral("TsSutEP12F"),
         {QStringLiteral("sSutEP12"), QStringLiteral("sSutEP12_0"), QStringLiteral("sSutEP12_1"),
          QStringLiteral("sSutEP12_2")},
         {},
         {}},
    };
    return defs;
}

const CatalogDef* findCatalog(const QString& className) {
    for (const CatalogDef& d : catalogDefs())
        if (d.className == className)
            return &d;
    return nullptr;
}

} // namespace ses
