#include "solar/panel_table_ops.h"

#include "data/data_module.h"
#include "solar/sizing_store.h"
#include "solar/solar_choice_ops.h"

#include <QSqlQuery>

#include <algorithm>

namespace ses {

std::vector<PanelCatalogRow> panelCatalogInUse(TDataModule1& dm) {
    std::vector<PanelCatalogRow> out;
    EngineQuery q(
        dm.store(),
        QStringLiteral(
            "SELECT s0.Company, s1.Tip, s1.Structure, s1.P, s1.Unom, s1.Isc, s1.Vmp, s1.Imp, s1.H, "
            "s1.S, s1.Kpd FROM SunPanel0 s0 JOIN SunPanel1 s1 ON s1.Kod0 = s0.Kod "
            "WHERE s0.UseSP <> 0 AND s1.UseSP <> 0 ORDER BY s0.Kod, s1.Kod"));
    QString company; // one shared string per maker: its types come together
    while (q.next()) {
        const auto d = [&](int i) { return q.number(i).value_or(0); };
        PanelCatalogRow r;
        const QString c = q.text(0);
        if (c != company)
            company = c;
        r.company = company;
        r.tip = q.text(1);
        r.structure = q.text(2);
        r.panel = {d(3), d(4), d(5), d(6), d(7), d(8), d(9)};
        r.kpd = d(10);
        out.push_back(std::move(r));
    }
    return out;
}

PanelTableSource readPanelTableSource(TDataModule1& dm) {
    PanelTableSource s;
    s.variant = readVariantChoice(dm);
    s.region = regionYear(dm, s.variant.region);
    s.loss = lossTable(dm);
    s.sizing = sizingSettings(dm);
    s.schedules = storedSchedules(dm, dm.tblProj1().currentKey().toInt());
    s.arrayPowers = controllerArrayPowers(dm, s.variant.system);
    std::sort(s.arrayPowers.begin(), s.arrayPowers.end());
    s.arrayPowers.erase(std::unique(s.arrayPowers.begin(), s.arrayPowers.end()),
                        s.arrayPowers.end());
    return s;
}

std::optional<PanelChargeRange> panelChargeRange(const VariantChoice& v, bool matchCharge) {
    if (!matchCharge)
        return std::nullopt;
    const auto w =
        batteryChargeWindow(v.sizarMin, v.sizarMax, v.izarMin, v.izarMax, v.kzarMin, v.kzarMax);
    if (!w)
        return std::nullopt;
    return PanelChargeRange{w->minimum, w->maximum};
}

void writePanelCandidates(TDataModule1& dm, const std::vector<PanelCandidate>& rows) {
    Store& store = dm.store();
    {
        Transaction t(store);
        store.exec(QStringLiteral("DELETE FROM optim_sp"));
        BulkInsert insert(store, QStringLiteral("optim_sp"),
                          {"Company",
                           "Tip",
                           "Structure",
                           "P",
                           "Unom",
                           "Isc",
                           "Imp",
                           "H",
                           "S",
                           "Kpd",
                           "KolPosled_SP",
                           "KolVetv_SP",
                           "Kol_SP",
                           "PTotal_SP",
                           "Inom_SP",
                           "Izar_akb",
                           "Massiv",
                           "N_Mas",
                           "KolVetv_SP_Mas",
                           "Kol_SP_Mas",
                           "PTotal_SP_Mas",
                           "Inom_SP_Mas",
                           "KolVetv_SP_Ost",
                           "Kol_SP_Ost",
                           "PTotal_SP_Ost",
                           "Inom_SP_Ost"});
        for (const PanelCandidate& c : rows) {
            const PanelType& p = c.row.panel;
            const ArraySplit& a = c.split;
            insert.add({c.row.company, c.row.tip,     c.row.structure,
                        p.power,       p.unom,        p.isc,
                        p.imp,         p.height,      p.width,
                        c.row.kpd,     c.ns,          c.np,
                        c.n,           c.ptot,        c.isb,
                        c.iab,         a.text,        a.n,
                        a.strings,     a.panels,      a.power,
                        a.current,     a.restStrings, a.restPanels,
                        a.restPower,   a.restCurrent});
        }
        insert.finish();
        t.commit();
    }
    dm.tbl(QStringLiteral("optim_sp")).refreshLater();
}

} // namespace ses
