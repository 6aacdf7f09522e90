#include "storage/battery_ops.h"

#include "data/data_module.h"
#include "data/optional_number.h"
#include "lib/numbers.h"
#include "solar/controller_ops.h"
#include "storage/capacity_store.h"

#include <QSqlQuery>

namespace ses {

namespace {

const QString kOnMinimum = QStringLiteral("Iз.мин.");

} // namespace

std::vector<BatteryMaker> batteryMakers(TDataModule1& dm) {
    std::vector<BatteryMaker> out;
    QSqlQuery q = dm.store().select(
        QStringLiteral("SELECT Kod, Company FROM akb0 WHERE UseAKB <> 0 ORDER BY Kod"));
    while (q.next())
        out.push_back({q.value(0).toInt(), q.value(1).toString()});
    return out;
}

std::vector<BatteryType> batteryTypes(TDataModule1& dm, int makerKod) {
    std::vector<BatteryType> out;
    QSqlQuery q = dm.store().select(
        QStringLiteral("SELECT Kod, Tip FROM akb1 WHERE Kod0 = ? AND UseAKB <> 0 ORDER BY Kod"),
        {makerKod});
    while (q.next())
        out.push_back({q.value(0).toInt(), q.value(1).toString()});
    return out;
}

std::vector<BatteryModel> batteryModels(TDataModule1& dm, int typeKod) {
    std::vector<BatteryModel> out;
    QSqlQuery q = dm.store().select(
        QStringLiteral("SELECT Name, C, U, Izar_min, Izar_max, Irazr_max, L, S, H FROM akb2 "
                       "WHERE Kod0 = ? AND UseAKB <> 0 ORDER BY Kod"),
        {typeKod});
    while (q.next()) {
        const auto d = [&](int i) { return optionalNumber(q.value(i)).value_or(0); };
        out.push_back({q.value(0).toString(), d(1), d(2), d(3), d(4), d(5), d(6), d(7), d(8)});
    }
    return out;
}

std::vector<TempCoefRow> temperatureCoefficients(TDataModule1& dm, const QString& batteryType) {
    std::vector<TempCoefRow> rows;
    QSqlQuery k = dm.store().select(
        QStringLiteral("SELECT T, K FROM %1 WHERE T IS NOT NULL AND K IS NOT NULL ORDER BY T")
            .arg(usesLeadAcidTable(batteryType) ? QStringLiteral("Ktemp")
                                                : QStringLiteral("Ktemp1")));
    while (k.next())
        rows.push_back({k.value(0).toDouble(), k.value(1).toDouble()});
    return rows;
}

BatterySource readBatterySource(TDataModule1& dm) {
    BatterySource s;
    View& p = dm.tblProj1();
    if (p.isEmpty())
        return s;
    const auto f = [&p](const char* c) { return p[QString::fromLatin1(c)]; };
    AssemblyVariant& v = s.variant;
    v.uses = f("Uses").asFloat();
    v.cras = optionalNumber(f("Cras_AKB"));
    v.inom = optionalNumber(f("Inom"));
    v.imax = optionalNumber(f("Imax"));
    v.ipik = optionalNumber(f("Ipik"));
    v.krazrNom = f("Krazr_nom").asFloat();
    v.krazrMax = f("Krazr_max").asFloat();
    v.krazrPik = f("Krazr_pik").asFloat();
    v.kzarMin = f("Kzar_min").asFloat();
    v.kzarMax = f("Kzar_max").asFloat();
    v.minOnMinimum = f("Izar_min").asString() == kOnMinimum;
    v.maxOnMinimum = f("Izar_max").asString() == kOnMinimum;
    v.mppt = f("UseMPPT_Ctrl").asBoolean();
    s.storedCharge = optionalNumber(f("SIzar_AKB"));
    s.depth = optionalNumber(f("GlubRazryad_AKB"));
    s.loadMode = f("ParamNagr").asInteger();
    s.company = f("Company_AKB").asString();
    if (!s.company.isEmpty()) {
        s.tip = f("Tip_AKB").asString();
        s.name = f("Name_AKB").asString();
    }
    s.chargedType = f("Tip_AKB").asString();
    if (s.chargedType.isEmpty())
        s.chargedType = f("DefTipAKB_Ctrl").asString();

    View& m = dm.tblProj_Mas();
    const auto col = [&m](const char* c) { return m.table().columnIndex(QString::fromLatin1(c)); };
    const int name = col("NameMassive"), company = col("Company_Ctrl"), tip = col("Tip_Ctrl"),
              power = col("Pmas");
    QStringList controllerTypes;
    for (int r = 0; r < m.recordCount(); ++r) {
        s.arrays.push_back({m.valueAt(r, name).toString(), m.valueAt(r, company).toString(),
                            m.valueAt(r, tip).toString(),
                            optionalNumber(m.valueAt(r, power)).value_or(0)});
        controllerTypes << s.arrays.back().tip;
    }
    // The battery types the arrays' controllers have charge voltages for.
    QStringList types;
    QSqlQuery q = dm.store().select(QStringLiteral(
        "SELECT c1.Tip, c4.TipAKB FROM Controller1 c1 JOIN Controller2 c2 ON c2.Kod0 = c1.Kod "
        "JOIN Controller4 c4 ON c4.Kod0 = c2.Kod ORDER BY c1.Kod, c2.Kod, c4.Kod"));
    while (q.next())
        if (controllerTypes.contains(q.value(0).toString()))
            types << q.value(1).toString();
    s.recommendedTypes = recommendedTypesText(types);
    return s;
}

std::optional<double> chargeCurrentFor(TDataModule1& dm, const BatterySource& s,
                                       const QString& batteryType, QString* error) {
    if (!s.variant.mppt)
        return s.storedCharge;
    ControllerVariant v = readControllerVariant(dm);
    v.batteryType = batteryType;
    ControllerCatalog catalog(dm);
    std::vector<double> currents;
    for (const ArrayCharge& a : s.arrays) {
        const Amperes i = catalog.outputCurrent(v, a.power, a.company, a.tip);
        if (!i.ok()) {
            if (error)
                *error = QStringLiteral("Массив \"%1\": %2").arg(a.name, i.error);
            return std::nullopt;
        }
        currents.push_back(*i.value);
    }
    return mpptChargeCurrent(currents);
}

CapacityInputs dischargeSource(TDataModule1& dm) {
    View& p = dm.tblProj1();
    CapacityInputs in = capacityInputs(dm, p.currentKey().toInt());
    QSqlQuery q = dm.store().select(
        QStringLiteral("SELECT Kod, Kpd_Inv FROM proj_inv WHERE Kod0 = ?"), {p.currentKey()});
    QHash<int, double> kpd;
    while (q.next())
        kpd.insert(q.value(0).toInt(), optionalNumber(q.value(1)).value_or(0));
    for (CapacitySchedule& s : in.schedules)
        if (s.ac)
            s.kinv = kpd.value(s.loadKod, 0);
    return in;
}

BatteryStored storeBattery(TDataModule1& dm, const BatteryChoice& c) {
    BatteryStored out;
    View& p = dm.tblProj1();
    View& m = dm.tblProj_Mas();
    Transaction t(dm.store(), {&p, &m});
    const BatterySource before = readBatterySource(dm);
    out.typeChanged = before.chargedType != c.tip;
    if (!p.edit())
        throw DbError(DbError::Kind::General,
                      QStringLiteral("Вариант проекта не может быть изменен."));
    const auto put = [&p](const char* column, double x) {
        p[QString::fromLatin1(column)].setFloat(x);
    };
    const BatteryModel& b = c.model;
    const AssemblyFigures& f = c.figures;
    p[QStringLiteral("Company_AKB")].setString(c.company);
    p[QStringLiteral("Tip_AKB")].setString(c.tip);
    p[QStringLiteral("Name_AKB")].setString(b.name);
    p[QStringLiteral("Unom_AKB")].setInteger(wholeVolts(b.u));
    put("Cnom_AKB", b.c);
    put("Izar_min_AKB", b.izarMin);
    put("Izar_max_AKB", b.izarMax);
    put("Irazr_max_AKB", b.irazrMax);
    put("L_AKB", b.l);
    put("S_AKB", b.s);
    put("H_AKB", b.h);
    p[QStringLiteral("KolPosled_AKB")].setInteger(f.ns);
    p[QStringLiteral("KolVetv_AKB")].setInteger(f.np);
    p[QStringLiteral("Kol_AKB")].setInteger(f.kol);
    put("Cfakt_AKB", f.cf);
    put("SIzar_min_AKB", f.izmin);
    put("SIzar_max_AKB", f.izmax);
    put("SIrazr_max_AKB", f.irmax);
    put("SIzar_min_use_AKB", f.imin);
    put("SIzar_max_use_AKB", f.imax);
    if (!p.post())
        throw DbError(DbError::Kind::General,
                      QStringLiteral("Выбор аккумуляторной батареи не сохранен."));

    if (before.variant.mppt) {
        // The controllers' charge voltage depends on the battery type: their currents follow it.
        const ControllerVariant v = readControllerVariant(dm);
        ControllerCatalog catalog(dm);
        std::vector<double> currents;
        for (int r = 0; r < int(before.arrays.size()); ++r) {
            const ArrayCharge& a = before.arrays[r];
            const Amperes i = catalog.outputCurrent(v, a.power, a.company, a.tip);
            if (!i.ok())
                throw DbError(DbError::Kind::General,
                              QStringLiteral("Массив \"%1\": %2").arg(a.name, i.error));
            if (!m.moveTo(r) || !m.edit())
                throw DbError(DbError::Kind::General,
                              QStringLiteral("Массив солнечных панелей не может быть изменен."));
            m[QStringLiteral("Iakb_Ctrl")].setFloat(*i.value);
            if (!m.post())
                throw DbError(DbError::Kind::General,
                              QStringLiteral("Массив солнечных панелей не может быть изменен."));
            currents.push_back(*i.value);
        }
        const double total = mpptChargeCurrent(currents);
        if (!p.edit())
            throw DbError(DbError::Kind::General,
                          QStringLiteral("Вариант проекта не может быть изменен."));
        p[QStringLiteral("SIzar_AKB")].setFloat(total);
        if (!p.post())
            throw DbError(DbError::Kind::General,
                          QStringLiteral("Выбор аккумуляторной батареи не сохранен."));
        if (!atLeast(total, f.imin) || !notAbove(total, f.imax))
            out.outOfRange =
                QStringLiteral("Общий ток заряда АБ (суммарный ток на выходе контроллеров) - ") +
                numberToText(total) + QStringLiteral(" A - выходит за пределы интервала ") +
                QStringLiteral("допустимых токов заряда АБ - ") + numberToText(f.imin) +
                QStringLiteral(" ... ") + numberToText(f.imax) + QStringLiteral(" A).") +
                QStringLiteral("\n") +
                QStringLiteral("Выполните повторный выбор контроллеров или АБ, для которых ") +
                QStringLiteral("бы данное соотношение выполнялось.");
    }
    t.commit();
    return out;
}

std::optional<QString> capacityShortfall(TDataModule1& dm) {
    View& p = dm.tblProj1();
    const auto need = optionalNumber(p[QStringLiteral("Cras_AKB")]);
    const auto have = optionalNumber(p[QStringLiteral("Cfakt_AKB")]);
    if (!need || !have || notAbove(*need, *have))
        return std::nullopt;
    return QStringLiteral("Расчетная емкость АБ, пересчитанная для аккумуляторов типа \"%1\", - "
                          "%2 А*ч - больше емкости выбранной АБ - %3 А*ч. Выберите АБ заново.")
        .arg(p[QStringLiteral("Tip_AKB")].asString(), numberToText(*need), numberToText(*have));
}

} // namespace ses
