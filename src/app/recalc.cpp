#include "app/recalc.h"

#include "load/rebuild.h"
#include "solar/sizing_store.h"
#include "storage/capacity_store.h"

namespace ses {

ChainResult runRecalcChain(TDataModule1& dm) {
    ChainResult r;
    View& v = dm.tblProj1();
    if (v.isEmpty())
        return r;
    const bool anyLoad =
        !dm.tblProj_Inv().isEmpty() || !dm.tbl(QStringLiteral("proj_graf12_0")).isEmpty();
    if (anyLoad) {
        const SolarSizing sizing = requiredSolarPower(dm);
        r.problems << sizing.problems;
        if (sizing.ok()) {
            r.pras = sizing.result.power;
            r.tilt = sizing.result.tilt;
        }
        const CapacityResult capacity =
            requiredCapacity(capacityInputs(dm, v.currentKey().toInt()));
        if (capacity.error)
            r.problems << *capacity.error;
        r.capacity = capacity.capacity;
    }
    Transaction tr(dm.store(), {&v});
    if (!v.edit())
        throw DbError(DbError::Kind::General,
                      QStringLiteral("Вариант расчета не может быть сохранен."));
    const auto put = [&v](const char* column, const std::optional<double>& value) {
        if (value)
            v[QString::fromLatin1(column)].setFloat(*value);
        else
            v[QString::fromLatin1(column)].clear();
    };
    put("Pras_SP", r.pras);
    put("B", r.tilt);
    put("Cras_AKB", r.capacity);
    if (!v.post())
        throw DbError(DbError::Kind::General,
                      QStringLiteral("Вариант расчета не может быть сохранен."));
    tr.commit();
    return r;
}

std::optional<ChainResult> runWithChain(TDataModule1& dm, ChainTrigger trigger,
                                        const std::function<bool()>& writes) {
    Transaction tr(dm.store());
    const bool changed = writes();
    const bool always =
        trigger == ChainTrigger::AcDispatcherClosed || trigger == ChainTrigger::DcDispatcherClosed;
    if (!changed && !always) {
        tr.commit();
        return std::nullopt;
    }
    if (trigger == ChainTrigger::VariantEdited && !rebuildMonthlyRows(dm))
        throw DbError(
            DbError::Kind::General,
            QStringLiteral("Помесячные параметры суточных графиков не пересчитаны: один из "
                           "графиков не может быть сохранен."));
    ChainResult r = runRecalcChain(dm);
    tr.commit();
    return r;
}

} // namespace ses
