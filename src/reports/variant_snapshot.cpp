#include "reports/variant_snapshot.h"

#include "data/data_module.h"
#include "lib/numbers.h"

#include <QSqlQuery>
#include <QSqlRecord>

#include <cmath>

namespace ses {

namespace {

SnapshotRow rowOf(const QSqlQuery& q) {
    SnapshotRow r;
    const QSqlRecord rec = q.record();
    for (int i = 0; i < rec.count(); ++i)
        r.set(rec.fieldName(i), q.value(i));
    return r;
}

std::vector<SnapshotRow> rowsOf(Store& store, const QString& table, const QVariant& master) {
    std::vector<SnapshotRow> rows;
    QSqlQuery q = store.select(
        QStringLiteral("SELECT * FROM %1 WHERE Kod0 = ? ORDER BY Kod").arg(table), {master});
    while (q.next())
        rows.push_back(rowOf(q));
    return rows;
}

// The battery types of a controller at the system voltage; nullopt when the maker, the type
// or the voltage is not in the catalog.
std::optional<QStringList> controllerBatteryTypes(Store& store, const QString& company,
                                                  const QString& tip, const QVariant& uses) {
    QSqlQuery c = store.select(
        QStringLiteral("SELECT c2.Kod FROM Controller0 c0 JOIN Controller1 c1 ON c1.Kod0 = c0.Kod "
                       "JOIN Controller2 c2 ON c2.Kod0 = c1.Kod WHERE c0.Company = ? AND "
                       "c1.Tip = ? AND c2.Uses = ? ORDER BY c0.Kod, c1.Kod, c2.Kod LIMIT 1"),
        {company, tip, uses});
    if (!c.next())
        return std::nullopt;
    QStringList types;
    QSqlQuery t = store.select(
        QStringLiteral("SELECT TipAKB FROM Controller4 WHERE Kod0 = ? ORDER BY Kod"), {c.value(0)});
    while (t.next())
        types << t.value(0).toString();
    return types;
}

// The inverter ratings of a breaker (AV) or fuse (Pr) at the system voltage.
std::optional<DevicePowerRating> deviceRating(Store& store, bool breaker, const QString& company,
                                              const QString& name, const QVariant& uses) {
    if (name.isEmpty())
        return std::nullopt;
    const QString t = breaker ? QStringLiteral("AV") : QStringLiteral("Pr");
    QSqlQuery q = store.select(
        QStringLiteral("SELECT t2.Pinv_nom, %1 FROM %2 t0 JOIN %3 t1 ON t1.Kod0 = t0.Kod "
                       "JOIN %4 t2 ON t2.Kod0 = t1.Kod WHERE t0.Company = ? AND t1.Name = ? AND "
                       "t2.Uses = ? ORDER BY t0.Kod, t1.Kod, t2.Kod LIMIT 1")
            .arg(breaker ? QStringLiteral("t2.Pinv_pik") : QStringLiteral("NULL"),
                 t + QLatin1Char('0'), t + QLatin1Char('1'), t + QLatin1Char('2')),
        {company, name, uses});
    if (!q.next())
        return std::nullopt;
    const auto opt = [](const QVariant& v) {
        return v.isNull() ? std::nullopt : std::optional<double>(v.toDouble());
    };
    return DevicePowerRating{opt(q.value(0)), opt(q.value(1))};
}

// The calculated columns the views add to the stored ones, computed as the data module does:
// an array's open-circuit voltage, KolPosled x Voc_SP ("0.##"), and an inverter's currents,
// power / input voltage ("0").
void addCalculated(VariantSnapshot& s) {
    const auto voc = s.variant.number("Voc_SP");
    for (SnapshotRow& a : s.arrays) {
        const auto posled = a.number("KolPosled");
        a.set(QStringLiteral("SumUxx"),
              posled && voc
                  ? QVariant(roundPattern(std::floor(*posled) * *voc, QStringLiteral("0.##")))
                  : QVariant());
    }
    for (SnapshotRow& l : s.loads) {
        const auto u = l.number("Uvh_Inv");
        for (const auto& [power, current] :
             {std::pair{"Pnom_Inv", "Inom_Inv"}, std::pair{"Pmax_Inv", "Imax_Inv"},
              std::pair{"Ppik_Inv", "Ipik_Inv"}}) {
            const auto p = l.number(power);
            l.set(QString::fromLatin1(current),
                  p && u && *u != 0 ? QVariant(roundPattern(*p / *u, QStringLiteral("0")))
                                    : QVariant());
        }
    }
}

} // namespace

VariantSnapshot variantSnapshot(TDataModule1& dm, qint64 kod, std::optional<qint64> selected) {
    VariantSnapshot s;
    Store& store = dm.store();
    QSqlQuery v = store.select(QStringLiteral("SELECT * FROM project1 WHERE Kod = ?"), {kod});
    if (!v.next())
        return s;
    s.exists = true;
    s.variant = rowOf(v);
    const QVariant key(kod);
    s.loads = rowsOf(store, QStringLiteral("proj_inv"), key);
    s.arrays = rowsOf(store, QStringLiteral("proj_mas"), key);
    for (SnapshotRow& g : rowsOf(store, QStringLiteral("proj_graf12_0"), key)) {
        const QVariant schedule = qint64(g.number("Kod").value_or(0));
        s.dc.push_back({std::move(g), rowsOf(store, QStringLiteral("proj_ep12_0"), schedule)});
    }

    addCalculated(s);

    s.selectedArray = s.arrays.empty() ? -1 : 0;
    for (int i = 0; selected && i < int(s.arrays.size()); ++i)
        if (qint64(s.arrays[i].number("Kod").value_or(-1)) == *selected)
            s.selectedArray = i;

    const SnapshotRow& p = s.variant;
    const QString panelCompany = p.text("Company_SP"), panelType = p.text("Tip_SP");
    if (!panelCompany.isEmpty() && !panelType.isEmpty()) {
        QSqlQuery q = store.select(
            QStringLiteral("SELECT s1.TK_Vos FROM SunPanel0 s0 JOIN SunPanel1 s1 ON s1.Kod0 = "
                           "s0.Kod WHERE s0.Company = ? AND s1.Tip = ? ORDER BY s0.Kod, s1.Kod "
                           "LIMIT 1"),
            {panelCompany, panelType});
        if (q.next()) {
            s.panelFound = true;
            if (!q.value(0).isNull())
                s.panelTkVos = q.value(0).toDouble();
        }
    }
    const QVariant uses = v.value(QStringLiteral("Uses"));
    for (const SnapshotRow& a : s.arrays)
        s.controllerBatteryTypes.push_back(
            a.isNull("Tip_Ctrl") || uses.isNull()
                ? std::nullopt
                : controllerBatteryTypes(store, a.text("Company_Ctrl"), a.text("Tip_Ctrl"), uses));
    for (const SnapshotRow& l : s.loads) {
        s.breakerRatings.push_back(
            deviceRating(store, true, l.text("Company_AV_Inv"), l.text("Tip_AV_Inv"), uses));
        s.fuseRatings.push_back(
            deviceRating(store, false, l.text("Company_Pr_Inv"), l.text("Tip_Pr_Inv"), uses));
    }
    return s;
}

VariantSnapshot currentVariantSnapshot(TDataModule1& dm) {
    View& variants = dm.tblProj1();
    if (variants.isEmpty())
        return {};
    View& arrays = dm.tblProj_Mas();
    std::optional<qint64> selected;
    if (!arrays.isEmpty())
        selected = arrays.currentKey().toLongLong();
    return variantSnapshot(dm, variants.currentKey().toLongLong(), selected);
}

} // namespace ses
