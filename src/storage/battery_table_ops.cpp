#include "storage/battery_table_ops.h"

#include "data/data_module.h"
#include "data/optional_number.h"
#include "solar/controller_ops.h"

#include <QSqlQuery>

#include <memory>

namespace ses {

std::vector<BatteryCatalogRow> batteryCatalogInUse(TDataModule1& dm) {
    std::vector<BatteryCatalogRow> out;
    EngineQuery q(dm.store(),
                  QStringLiteral("SELECT a0.Company, a1.Tip, a2.Name, a2.C, a2.U, a2.Izar_min, "
                                 "a2.Izar_max, a2.Irazr_max, "
                                 "a2.L, a2.S, a2.H FROM akb0 a0 JOIN akb1 a1 ON a1.Kod0 = a0.Kod "
                                 "JOIN akb2 a2 ON a2.Kod0 = a1.Kod "
                                 "WHERE a0.UseAKB <> 0 AND a1.UseAKB <> 0 AND a2.UseAKB <> 0 "
                                 "ORDER BY a0.Kod, a1.Kod, a2.Kod"));
    while (q.next()) {
        const auto d = [&](int i) { return q.number(i).value_or(0); };
        out.push_back(
            {q.text(0), q.text(1), {q.text(2), d(3), d(4), d(5), d(6), d(7), d(8), d(9), d(10)}});
    }
    return out;
}

ChargeForType chargeForTypes(TDataModule1& dm, const BatterySource& source) {
    if (!source.variant.mppt)
        return [stored = source.storedCharge](const QString&) { return stored; };
    // One catalog for the whole build: it keeps each controller's charge voltage per type.
    auto catalog = std::make_shared<ControllerCatalog>(dm);
    auto variant = std::make_shared<ControllerVariant>(readControllerVariant(dm));
    return
        [catalog, variant, arrays = source.arrays](const QString& type) -> std::optional<double> {
            variant->batteryType = type;
            std::vector<double> currents;
            for (const ArrayCharge& a : arrays) {
                const Amperes i = catalog->outputCurrent(*variant, a.power, a.company, a.tip);
                if (!i.ok())
                    return std::nullopt;
                currents.push_back(*i.value);
            }
            return mpptChargeCurrent(currents);
        };
}

void writeBatteryCandidates(TDataModule1& dm, const std::vector<BatteryCandidate>& rows) {
    Store& store = dm.store();
    {
        Transaction t(store);
        store.exec(QStringLiteral("DELETE FROM optim_akb"));
        BulkInsert insert(store, QStringLiteral("optim_akb"),
                          {"Company_AKB", "Tip_AKB", "Name_AKB", "Unom_AKB", "Cnom_AKB",
                           "KolPosled_AKB", "KolVetv_AKB", "Kol_AKB", "Cfakt_AKB", "Izar_Ctrl",
                           "Izar_min_AKB", "Izar_max_AKB", "Izar_min_use_AKB", "Izar_max_use_AKB",
                           "Irazr_max_AKB", "L", "S", "H"});
        for (const BatteryCandidate& c : rows) {
            const AssemblyFigures& f = c.figures;
            insert.add({c.company, c.tip, c.model.name, wholeVolts(c.model.u), c.model.c, f.ns,
                        f.np, f.kol, f.cf, f.charge ? QVariant(*f.charge) : QVariant(), f.izmin,
                        f.izmax, f.imin, f.imax, f.irmax, c.model.l, c.model.s, c.model.h});
        }
        insert.finish();
        t.commit();
    }
    dm.tbl(QStringLiteral("optim_akb")).refreshLater();
}

std::vector<BatteryCandidate> buildBatteryCandidates(TDataModule1& dm, const BatterySource& source,
                                                     bool matchCharge) {
    std::vector<BatteryCandidate> rows = batteryCandidates(batteryCatalogInUse(dm), source.variant,
                                                           matchCharge, chargeForTypes(dm, source));
    writeBatteryCandidates(dm, rows);
    return rows;
}

} // namespace ses
