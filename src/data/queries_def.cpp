// The fixed queries: historical text, parameters by occurrence, result columns, SQLite form.
// Numeric comparisons against catalog values are taken on both sides rounded to 6 decimals.
#include "data/queries.h"

namespace ses {

const std::vector<FixedQueryDef>& fixedQueries() {
    static const std::vector<FixedQueryDef> defs = {
        {QStringLiteral("qryInvertor1"),
         {QStringLiteral("select * "), QStringLiteral("from invert1.db"),
          QStringLiteral("where Kod0=:Kod and UseInv=true"),
          QStringLiteral("order by Pnom, Pmax, Ppik")},
         {{QStringLiteral("Kod"), ColType::Integer}},
         {QStringLiteral("Kod"), QStringLiteral("Kod0"), QStringLiteral("Name"),
          QStringLiteral("Pnom"), QStringLiteral("Pmax"), QStringLiteral("Ppik"),
          QStringLiteral("Uvuh"), QStringLiteral("Uvh"), QStringLiteral("Forma"),
          QStringLiteral("Kpd")},
         QStringLiteral("select Kod, Kod0, Name, Pnom, Pmax, Ppik, Uvuh, Uvh, Forma, Kpd from "
                        "Invert1 where Kod0=? and UseInv=1 order by Pnom, Pmax, Ppik")},
        {QStringLiteral("qryInv2"),
         {QStringLiteral("select i0.Company, i1.Name, i1.Pnom, i1.Pmax, i1.Ppik, i1.Uvh, i1.Uvuh,"),
          QStringLiteral("       i1.Forma, i1.Kpd"),
          QStringLiteral("from invert0.DB i0, invert1.db i1"),
          QStringLiteral("where i1.Kod0=i0.Kod and i0.UseInv=true and i1.UseInv=true and"),
          QStringLiteral("      i1.Uvh=:Uvh and i1.Uvuh=:Uvuh and"),
          QStringLiteral("      i1.Pnom>=:Pnom and i1.Pmax>=:Pmax and i1.Ppik>=:Ppik and"),
          QStringLiteral("      (i1.Forma=:Forma or i1.Forma=:Forma1)"),
          QStringLiteral("order by i1.Pnom, i1.Pmax, i1.Ppik")},
         {{QStringLiteral("Uvh"), ColType::Integer},
          {QStringLiteral("Uvuh"), ColType::Integer},
          {QStringLiteral("Pnom"), ColType::Number},
          {QStringLiteral("Pmax"), ColType::Number},
          {QStringLiteral("Ppik"), ColType::Number},
          {QStringLiteral("Forma"), ColType::Text},
          {QStringLiteral("Forma1"), ColType::Text}},
         {QStringLiteral("Company"), QStringLiteral("Name"), QStringLiteral("Pnom"),
          QStringLiteral("Pmax"), QStringLiteral("Ppik"), QStringLiteral("Uvh"),
          QStringLiteral("Uvuh"), QStringLiteral("Forma"), QStringLiteral("Kpd")},
         QStringLiteral("select i0.Company, i1.Name, i1.Pnom, i1.Pmax, i1.Ppik, i1.Uvh, i1.Uvuh, "
                        "i1.Forma, i1.Kpd from Invert0 i0, Invert1 i1 where i1.Kod0=i0.Kod and "
                        "i0.UseInv=1 and i1.UseInv=1 and i1.Uvh=? and i1.Uvuh=? and round(i1.Pnom, "
                        "6)>=? and round(i1.Pmax, 6)>=? and round(i1.Ppik, 6)>=? and (i1.Forma=? "
                        "or i1.Forma=?) order by i1.Pnom, i1.Pmax, i1.Ppik")},
        {QStringLiteral("qrySunPanel1"),
         {QStringLiteral("select * "), QStringLiteral("from SunPanel1.db"),
          QStringLiteral("where Kod0=:Kod and UseSP=true"), QStringLiteral("order by P, Unom")},
         {{QStringLiteral("Kod"), ColType::Integer}},
         {QStringLiteral("Kod"), QStringLiteral("Kod0"), QStringLiteral("Tip"),
          QStringLiteral("Structure"), QStringLiteral("P"), QStringLiteral("Unom"),
          QStringLiteral("H"), QStringLiteral("S"), QStringLiteral("Voc"), QStringLiteral("Isc"),
          QStringLiteral("Vmp"), QStringLiteral("Imp"), QStringLiteral("Kpd")},
         QStringLiteral("select Kod, Kod0, Tip, Structure, P, Unom, H, S, Voc, Isc, Vmp, Imp, Kpd "
                        "from SunPanel1 where Kod0=? and UseSP=1 order by P, Unom")},
        {QStringLiteral("qryAKB2"),
         {QStringLiteral("select Name, C, U, Izar_min, Izar_max, Irazr_max, L, S, H"),
          QStringLiteral("from akb2"), QStringLiteral("where Kod0=:Kod and UseAKB=true"),
          QStringLiteral("order by C")},
         {{QStringLiteral("Kod"), ColType::Integer}},
         {QStringLiteral("Name"), QStringLiteral("C"), QStringLiteral("U"),
          QStringLiteral("Izar_min"), QStringLiteral("Izar_max"), QStringLiteral("Irazr_max"),
          QStringLiteral("L"), QStringLiteral("S"), QStringLiteral("H")},
         QStringLiteral("select Name, C, U, Izar_min, Izar_max, Irazr_max, L, S, H from akb2 where "
                        "Kod0=? and UseAKB=1 order by C")},
        {QStringLiteral("qryController1"),
         {QStringLiteral("select c1.Tip, c2.Uses, c2.Psp, c1.Imax_sp, c1.ProvSechMax, "),
          QStringLiteral("       c0.Company, c2.Uxx_sp, c2.Umppt_min, c2.Umppt_max"),
          QStringLiteral(
              "from controller0.db c0, controller1.db c1, controller2 c2, controller4 c4"),
          QStringLiteral("where c0.Kod=c1.Kod0 and c1.Kod=c2.Kod0 and c2.Kod=c4.Kod0 and"),
          QStringLiteral("          c0.UseCtrl=true and c1.UseCtrl=true and"),
          QStringLiteral("          c1.Algoritm1=:Algoritm and "),
          QStringLiteral("          (c1.Algoritm1='PWM' and c2.Uxx_sp>=:Uxx_sp or"),
          QStringLiteral("           c1.Algoritm1='MPPT' and c2.Uxx_sp>=:Uxx_sp and"),
          QStringLiteral("           c2.Umppt_min<=:Umppt and c2.Umppt_max>=:Umppt) and"),
          QStringLiteral("          c2.Uses=:Uses and c2.Psp>=:Psp and c1.Imax_sp>:Izar_akb and"),
          QStringLiteral("          c4.TipAKB=:TipAKB"),
          QStringLiteral("order by c2.Psp, c1.Imax_sp, c2.Uxx_sp"), QStringLiteral("")},
         {{QStringLiteral("Algoritm"), ColType::Text},
          {QStringLiteral("Uxx_sp"), ColType::Number},
          {QStringLiteral("Uxx_sp"), ColType::Number},
          {QStringLiteral("Umppt"), ColType::Number},
          {QStringLiteral("Umppt"), ColType::Number},
          {QStringLiteral("Uses"), ColType::Integer},
          {QStringLiteral("Psp"), ColType::Number},
          {QStringLiteral("Izar_akb"), ColType::Number},
          {QStringLiteral("TipAKB"), ColType::Text}},
         {QStringLiteral("Tip"), QStringLiteral("Uses"), QStringLiteral("Psp"),
          QStringLiteral("Imax_sp"), QStringLiteral("ProvSechMax"), QStringLiteral("Company"),
          QStringLiteral("Uxx_sp"), QStringLiteral("Umppt_min"), QStringLiteral("Umppt_max")},
         QStringLiteral(
             "select c1.Tip, c2.Uses, c2.Psp, c1.Imax_sp, c1.ProvSechMax, c0.Company, c2.Uxx_sp, "
             "c2.Umppt_min, c2.Umppt_max from Controller0 c0, Controller1 c1, Controller2 c2, "
             "Controller4 c4 where c0.Kod=c1.Kod0 and c1.Kod=c2.Kod0 and c2.Kod=c4.Kod0 and "
             "c0.UseCtrl=1 and c1.UseCtrl=1 and c1.Algoritm1=? and (c1.Algoritm1='PWM' and "
             "round(c2.Uxx_sp, 6)>=? or c1.Algoritm1='MPPT' and round(c2.Uxx_sp, 6)>=? and "
             "round(c2.Umppt_min, 6)<=? and round(c2.Umppt_max, 6)>=?) and c2.Uses=? and "
             "round(c2.Psp, 6)>=? and round(c1.Imax_sp, 6)>? and c4.TipAKB=? order by c2.Psp, "
             "c1.Imax_sp, c2.Uxx_sp")},
        {QStringLiteral("qryKL"),
         {QStringLiteral("select Min(Sech) "), QStringLiteral("from kl.db"),
          QStringLiteral("where Ro<=:Ro and Idop>=:I")},
         {{QStringLiteral("Ro"), ColType::Number}, {QStringLiteral("I"), ColType::Number}},
         {QStringLiteral("MIN OF Sech")},
         QStringLiteral(
             "select MIN(Sech) AS \"MIN OF Sech\" from kl where Ro<=? and round(Idop, 6)>=?")},
        {QStringLiteral("qryKL_2_1zh"),
         {QStringLiteral("select Min(Sech) "), QStringLiteral("from kl.db"),
          QStringLiteral("where Ro<=:Ro and Idop_2_1zh>=:I")},
         {{QStringLiteral("Ro"), ColType::Number}, {QStringLiteral("I"), ColType::Number}},
         {QStringLiteral("MIN OF Sech")},
         QStringLiteral("select MIN(Sech) AS \"MIN OF Sech\" from kl where Ro<=? and "
                        "round(Idop_2_1zh, 6)>=?")},
        {QStringLiteral("qryKL_1_2zh"),
         {QStringLiteral("select Min(Sech) "), QStringLiteral("from kl.db"),
          QStringLiteral("where Ro<=:Ro and Idop_1_2zh>=:I")},
         {{QStringLiteral("Ro"), ColType::Number}, {QStringLiteral("I"), ColType::Number}},
         {QStringLiteral("MIN OF Sech")},
         QStringLiteral("select MIN(Sech) AS \"MIN OF Sech\" from kl where Ro<=? and "
                        "round(Idop_1_2zh, 6)>=?")},
        {QStringLiteral("qryKL_SP"),
         {QStringLiteral("select Min(Sech) "), QStringLiteral("from kl.db"),
          QStringLiteral("where Idop>=:I")},
         {{QStringLiteral("I"), ColType::Number}},
         {QStringLiteral("MIN OF Sech")},
         QStringLiteral("select MIN(Sech) AS \"MIN OF Sech\" from kl where round(Idop, 6)>=?")},
        {QStringLiteral("qryKab_inv"),
         {QStringLiteral("select k0.Pinv, k1.Sech, k1.Kol_vo "),
          QStringLiteral("from sKab_inv0.DB k0, sKab_inv1.DB k1"),
          QStringLiteral("where k1.Kod0=k0.Kod and k0.Pinv>=:P and k1.Uakb=:U"),
          QStringLiteral("Order by k0.Pinv")},
         {{QStringLiteral("P"), ColType::Integer}, {QStringLiteral("U"), ColType::Integer}},
         {QStringLiteral("Pinv"), QStringLiteral("Sech"), QStringLiteral("Kol_vo")},
         QStringLiteral("select k0.Pinv, k1.Sech, k1.Kol_vo from sKab_inv0 k0, sKab_inv1 k1 where "
                        "k1.Kod0=k0.Kod and k0.Pinv>=? and k1.Uakb=? Order by k0.Pinv")},
        {QStringLiteral("qryPerem"),
         {QStringLiteral("select Min(Sech) "), QStringLiteral("from perem.db"),
          QStringLiteral("where Idop>=:I")},
         {{QStringLiteral("I"), ColType::Number}},
         {QStringLiteral("MIN OF Sech")},
         QStringLiteral("select MIN(Sech) AS \"MIN OF Sech\" from perem where round(Idop, 6)>=?")},
        {QStringLiteral("qryMC"),
         {QStringLiteral("select Min(I) "), QStringLiteral("from mc.db"),
          QStringLiteral("where I>=:Iras")},
         {{QStringLiteral("Iras"), ColType::Number}},
         {QStringLiteral("MIN OF I")},
         QStringLiteral("select MIN(I) AS \"MIN OF I\" from mc where round(I, 6)>=?")},
        {QStringLiteral("qryMC_Y"),
         {QStringLiteral("select Min(I) "), QStringLiteral("from mc_y.db"),
          QStringLiteral("where I>=:Iras")},
         {{QStringLiteral("Iras"), ColType::Number}},
         {QStringLiteral("MIN OF I")},
         QStringLiteral("select MIN(I) AS \"MIN OF I\" from mc_y where round(I, 6)>=?")},
        {QStringLiteral("qryAV"),
         {QStringLiteral("select a0.Company, a1.Name, a1.Inom, a1.Unom, a1.Tip_krep, a1.Skab "),
          QStringLiteral("from av0.DB a0, av1.db a1"),
          QStringLiteral("where a1.Kod0=a0.Kod and a0.UseAV=true and a1.UseAV=true and"),
          QStringLiteral("           a1.Unom>=:Unom and a1.Inom>=:Inom and a1.Skab>=:Skab"),
          QStringLiteral("order by a1.Inom, a1.Unom")},
         {{QStringLiteral("Unom"), ColType::Integer},
          {QStringLiteral("Inom"), ColType::Number},
          {QStringLiteral("Skab"), ColType::Number}},
         {QStringLiteral("Company"), QStringLiteral("Name"), QStringLiteral("Inom"),
          QStringLiteral("Unom"), QStringLiteral("Tip_krep"), QStringLiteral("Skab")},
         QStringLiteral(
             "select a0.Company, a1.Name, a1.Inom, a1.Unom, a1.Tip_krep, a1.Skab from AV0 a0, AV1 "
             "a1 where a1.Kod0=a0.Kod and a0.UseAV=1 and a1.UseAV=1 and a1.Unom>=? and "
             "round(a1.Inom, 6)>=? and round(a1.Skab, 6)>=? order by a1.Inom, a1.Unom")},
        {QStringLiteral("qryAV_Inv"),
         {QStringLiteral("select a0.Company, a1.Name, a1.Inom, a1.Unom, a1.Tip_krep, a1.Skab,"),
          QStringLiteral("          a2.Pinv_nom, a2.Pinv_pik "),
          QStringLiteral("from av0.DB a0, av1.db a1, av2.DB a2"),
          QStringLiteral("where a1.Kod0=a0.Kod and a2.Kod0=a1.Kod and "),
          QStringLiteral("           a0.UseAV=true and a1.UseAV=true and"),
          QStringLiteral("           a2.Uses=:Uses and a2.Pinv_nom>=:Pinv_nom and "),
          QStringLiteral("           a2.Pinv_pik>=:Pinv_pik and a1.Skab>=:Skab"),
          QStringLiteral("order by a1.Inom, a1.Unom")},
         {{QStringLiteral("Uses"), ColType::Integer},
          {QStringLiteral("Pinv_nom"), ColType::Number},
          {QStringLiteral("Pinv_pik"), ColType::Number},
          {QStringLiteral("Skab"), ColType::Number}},
         {QStringLiteral("Company"), QStringLiteral("Name"), QStringLiteral("Inom"),
          QStringLiteral("Unom"), QStringLiteral("Tip_krep"), QStringLiteral("Skab"),
          QStringLiteral("Pinv_nom"), QStringLiteral("Pinv_pik")},
         QStringLiteral(
             "select a0.Company, a1.Name, a1.Inom, a1.Unom, a1.Tip_krep, a1.Skab, a2.Pinv_nom, "
             "a2.Pinv_pik from AV0 a0, AV1 a1, AV2 a2 where a1.Kod0=a0.Kod and a2.Kod0=a1.Kod and "
             "a0.UseAV=1 and a1.UseAV=1 and a2.Uses=? and round(a2.Pinv_nom, 6)>=? and "
             "round(a2.Pinv_pik, 6)>=? and round(a1.Skab, 6)>=? order by a1.Inom, a1.Unom")},
        {QStringLiteral("qryPr"),
         {QStringLiteral("select p0.Company, p1.Name, p1.NameDerzh, p1.Inom, p1.Unom,p1.Skab "),
          QStringLiteral("from pr0.DB p0, pr1.DB p1"),
          QStringLiteral("where p1.Kod0=p0.Kod and p0.UsePr=true and p1.UsePr=true and"),
          QStringLiteral("           p1.Unom>=:Unom and p1.Inom>=:Inom and p1.Skab>=:Skab"),
          QStringLiteral("order by p1.Inom, p1.Unom")},
         {{QStringLiteral("Unom"), ColType::Integer},
          {QStringLiteral("Inom"), ColType::Number},
          {QStringLiteral("Skab"), ColType::Number}},
         {QStringLiteral("Company"), QStringLiteral("Name"), QStringLiteral("NameDerzh"),
          QStringLiteral("Inom"), QStringLiteral("Unom"), QStringLiteral("Skab")},
         QStringLiteral(
             "select p0.Company, p1.Name, p1.NameDerzh, p1.Inom, p1.Unom,p1.Skab from Pr0 p0, Pr1 "
             "p1 where p1.Kod0=p0.Kod and p0.UsePr=1 and p1.UsePr=1 and p1.Unom>=? and "
             "round(p1.Inom, 6)>=? and round(p1.Skab, 6)>=? order by p1.Inom, p1.Unom")},
        {QStringLiteral("qryPr_Inv"),
         {QStringLiteral("select p0.Company, p1.Name, p1.NameDerzh, p1.Inom, p1.Unom, p1.Skab,"),
          QStringLiteral("          p2.Pinv_nom"),
          QStringLiteral("from pr0.DB p0, pr1.db p1, pr2.DB p2"),
          QStringLiteral("where p1.Kod0=p0.Kod and p2.Kod0=p1.Kod and"),
          QStringLiteral("           p0.UsePr=true and p1.UsePr=true and"),
          QStringLiteral("           p2.Uses=:Uses and p2.Pinv_nom>=:Pinv_nom and"),
          QStringLiteral("           p1.Skab>=:Skab"), QStringLiteral("order by p1.Inom, p1.Unom")},
         {{QStringLiteral("Uses"), ColType::Integer},
          {QStringLiteral("Pinv_nom"), ColType::Number},
          {QStringLiteral("Skab"), ColType::Number}},
         {QStringLiteral("Company"), QStringLiteral("Name"), QStringLiteral("NameDerzh"),
          QStringLiteral("Inom"), QStringLiteral("Unom"), QStringLiteral("Skab"),
          QStringLiteral("Pinv_nom")},
         QStringLiteral(
             "select p0.Company, p1.Name, p1.NameDerzh, p1.Inom, p1.Unom, p1.Skab, p2.Pinv_nom "
             "from Pr0 p0, Pr1 p1, Pr2 p2 where p1.Kod0=p0.Kod and p2.Kod0=p1.Kod and p0.UsePr=1 "
             "and p1.UsePr=1 and p2.Uses=? and round(p2.Pinv_nom, 6)>=? and round(p1.Skab, 6)>=? "
             "order by p1.Inom, p1.Unom")},
    };
    return defs;
}

} // namespace ses
