#include "storage/protection_ops.h"

#include "data/data_module.h"
#include "data/optional_number.h"
#include "storage/cable_ops.h"
#include "storage/wiring.h"

#include <QSqlQuery>

#include <map>

namespace ses {

namespace {

QString suffixOf(Circuit c) {
    switch (c) {
    case Circuit::Assembly:
        return QStringLiteral("SP");
    case Circuit::ArrayController:
        return QStringLiteral("mas");
    case Circuit::BatteryInverter:
        return QStringLiteral("Inv");
    case Circuit::ControllerBattery:
    case Circuit::BatteryDc:
        break;
    }
    return QStringLiteral("AKB");
}

// The reserve-factor names of each circuit, in circuit order.
const char* const kMarginNames[kCircuitCount] = {"Vetv", "Mas", "AKB", "Inv", "AKB_Output"};

KindSettings settingsOf(View& p, DeviceKind k) {
    const QString tag = k == DeviceKind::Breaker ? QStringLiteral("AV") : QStringLiteral("Pr");
    KindSettings s;
    for (int c = 0; c < kCircuitCount; ++c) {
        const QString base = QStringLiteral("Kzap_%1_%2_").arg(tag, QLatin1String(kMarginNames[c]));
        const auto factor = [&p](const QString& name) {
            Field f = p[name];
            return f.isNull() ? 1.0 : f.asFloat();
        };
        s.margins[c] = {factor(base + QLatin1Char('I')), factor(base + QLatin1Char('U'))};
    }
    s.ctrlBattery = p[QStringLiteral("Par_%1_Ctrl_AKB").arg(tag)].asInteger();
    s.inverter = p[QStringLiteral("Par_%1_AKB_Inv").arg(tag)].asInteger();
    s.output = p[QStringLiteral("Par_%1_AKB_Output").arg(tag)].asInteger();
    return s;
}

[[noreturn]] void refused(const QString& what) {
    throw DbError(DbError::Kind::General, what + QStringLiteral(" не может быть изменен."));
}

QString recordName(Circuit c) {
    switch (c) {
    case Circuit::ArrayController:
    case Circuit::ControllerBattery:
        return QStringLiteral("Массив солнечных панелей");
    case Circuit::BatteryInverter:
        return QStringLiteral("Нагрузка переменного напряжения");
    case Circuit::Assembly:
    case Circuit::BatteryDc:
        break;
    }
    return QStringLiteral("Вариант проекта");
}

// Writes the current record's devices of the circuit: `device` for `kind` (or empties it when
// null), and with a device the other kind's emptied.
void writeCurrent(View& v, DeviceKind kind, Circuit circuit, const Candidate* device) {
    if (!v.edit())
        refused(recordName(circuit));
    const QStringList own = deviceFields(kind, circuit);
    if (device) {
        const bool fuse = kind == DeviceKind::Fuse;
        v[own[0]].setValue(device->company);
        v[own[1]].setValue(device->name);
        if (fuse)
            v[own[2]].setValue(device->extra.isEmpty() ? QVariant() : QVariant(device->extra));
        v[own[fuse ? 3 : 2]].setFloat(device->inom);
        v[own[fuse ? 4 : 3]].setFloat(device->unom);
        const DeviceKind other = fuse ? DeviceKind::Breaker : DeviceKind::Fuse;
        for (const QString& f : deviceFields(other, circuit))
            v[f].clear();
    } else {
        for (const QString& f : own)
            v[f].clear();
    }
    if (!v.post())
        refused(recordName(circuit));
}

bool onVariant(Circuit c) {
    return c == Circuit::Assembly || c == Circuit::BatteryDc;
}

} // namespace

namespace {

// The catalog rows of a kind, narrowed by `where` over the maker (t0) and the type (t1), with
// the inverter ratings at the voltages `ratingsWhere` keeps (none read when it is empty).
DeviceCatalog readDevices(TDataModule1& dm, DeviceKind kind, const QString& where,
                          const QVariantList& binds, const QString& ratingsWhere,
                          const QVariantList& ratingBinds) {
    const bool breaker = kind == DeviceKind::Breaker;
    const QString t = breaker ? QStringLiteral("AV") : QStringLiteral("Pr");
    const QString use = breaker ? QStringLiteral("UseAV") : QStringLiteral("UsePr");
    const QString extra = breaker ? QStringLiteral("Tip_krep") : QStringLiteral("NameDerzh");
    // Makers repeat on every row: read once, shared by their types.
    QHash<qlonglong, QString> companies;
    for (QSqlQuery m = dm.store().select(
             QStringLiteral("SELECT Kod, Company FROM %1").arg(t + QLatin1Char('0')));
         m.next();)
        companies.insert(m.value(0).toLongLong(), m.value(1).toString());
    const bool withRatings = !ratingsWhere.isEmpty();
    DeviceCatalog out;
    std::map<qlonglong, size_t> byKey;
    QSqlQuery q = dm.store().select(
        QStringLiteral("SELECT t1.Kod0, t1.Name, t1.%1, t1.Unom, t1.Inom, t1.Skab, "
                       "COALESCE(t0.%2, 0) <> 0 AND COALESCE(t1.%2, 0) <> 0%6 "
                       "FROM %3 t0 JOIN %4 t1 ON t1.Kod0 = t0.Kod %5 ORDER BY t1.Kod")
            .arg(extra, use, t + QLatin1Char('0'), t + QLatin1Char('1'),
                 where.isEmpty() ? QString() : QStringLiteral("WHERE ") + where,
                 withRatings ? QStringLiteral(", t1.Kod") : QString()),
        binds);
    while (q.next()) {
        if (withRatings)
            byKey[q.value(7).toLongLong()] = out.size();
        out.push_back({companies.value(q.value(0).toLongLong()),
                       q.value(1).toString(),
                       q.value(2).toString(),
                       q.value(3).toDouble(),
                       q.value(4).toDouble(),
                       q.value(5).toDouble(),
                       q.value(6).toBool(),
                       {}});
    }
    if (ratingsWhere.isEmpty() || out.empty())
        return out;
    QSqlQuery r =
        dm.store().select(QStringLiteral("SELECT Kod0, Uses, Pinv_nom, %1 FROM %2 WHERE %3")
                              .arg(breaker ? QStringLiteral("Pinv_pik") : QStringLiteral("NULL"),
                                   t + QLatin1Char('2'), ratingsWhere),
                          ratingBinds);
    while (r.next()) {
        const auto it = byKey.find(r.value(0).toLongLong());
        if (it != byKey.end())
            out[it->second].ratings.push_back(
                {r.value(1).toInt(), r.value(2).toDouble(), r.value(3).toDouble()});
    }
    return out;
}

// A bound just below a required rating, so that the store passes every row the exact test
// (after rounding to 6 decimals) may keep.
double looseBound(double required) {
    return required - 1e-6;
}

} // namespace

DeviceCatalog readDeviceCatalog(TDataModule1& dm, DeviceKind kind, bool ratings) {
    return readDevices(dm, kind, {}, {}, ratings ? QStringLiteral("Uses IS NOT NULL") : QString(),
                       {});
}

DeviceCatalog readCandidateDevices(TDataModule1& dm, DeviceKind kind, const Requirement& r) {
    if (!r.missing.isEmpty())
        return {};
    const bool breaker = kind == DeviceKind::Breaker;
    const QString use = breaker ? QStringLiteral("UseAV") : QStringLiteral("UsePr");
    QString where = QStringLiteral("COALESCE(t0.%1, 0) <> 0 AND COALESCE(t1.%1, 0) <> 0 AND "
                                   "COALESCE(t1.Skab, 0) >= ?")
                        .arg(use);
    QVariantList binds{looseBound(r.section)};
    if (!r.byPower) {
        where += QStringLiteral(" AND COALESCE(t1.Unom, 0) >= ? AND COALESCE(t1.Inom, 0) >= ?");
        binds << looseBound(r.voltage) << looseBound(r.current);
        return readDevices(dm, kind, where, binds, {}, {});
    }
    QString rating = QStringLiteral("Uses = ? AND COALESCE(Pinv_nom, 0) >= ?");
    QVariantList ratingBinds{r.uses, looseBound(r.pnom)};
    if (breaker && r.ppik) {
        rating += QStringLiteral(" AND COALESCE(Pinv_pik, 0) >= ?");
        ratingBinds << looseBound(*r.ppik);
    }
    where += QStringLiteral(" AND EXISTS (SELECT 1 FROM %1 t2 WHERE t2.Kod0 = t1.Kod AND %2)")
                 .arg(breaker ? QStringLiteral("AV2") : QStringLiteral("Pr2"), rating);
    // Every rating at the system voltage is read, as the whole catalog would show it.
    return readDevices(dm, kind, where, binds + ratingBinds, QStringLiteral("Uses = ?"), {r.uses});
}

ProtectionInputs readProtectionInputs(TDataModule1& dm) {
    ProtectionInputs in;
    in.wires = readWireTable(dm);
    in.minimumSection = minimumStringSection();
    View& p = dm.tblProj1();
    if (p.isEmpty())
        return in;
    const auto f = [&p](const char* c) { return p[QString::fromLatin1(c)]; };
    ProtectionVariant& v = in.variant;
    v.tipSp = f("Tip_SP").asString();
    v.pnomSp = optionalNumber(f("Pnom_SP"));
    v.impSp = optionalNumber(f("Imp_SP"));
    v.iscSp = optionalNumber(f("Isc_SP"));
    v.uses = optionalNumber(f("Uses"));
    v.tipAkb = f("Tip_AKB").asString();
    v.sizarMin = optionalNumber(f("SIzar_min_AKB"));
    v.sizarMax = optionalNumber(f("SIzar_max_AKB"));
    v.pnom = optionalNumber(f("Pnom30min"));
    v.pmax = optionalNumber(f("Pmax10min"));
    v.ppik = optionalNumber(f("Wp_pik"));
    v.inom = optionalNumber(f("Inom"));
    v.imax = optionalNumber(f("Imax"));
    v.ipik = optionalNumber(f("Ipik"));
    v.skabAkb = optionalNumber(f("Skab_akb"));
    v.hasDcSchedule = dm.tbl(QStringLiteral("proj_graf12_0")).recordCount() > 0;
    v.breaker = settingsOf(p, DeviceKind::Breaker);
    v.fuse = settingsOf(p, DeviceKind::Fuse);

    View& m = dm.tblProj_Mas();
    const auto mc = [&m](const char* c) { return m.table().columnIndex(QString::fromLatin1(c)); };
    const int name = mc("NameMassive"), tip = mc("Tip_Ctrl"), posled = mc("KolPosled"),
              vetv = mc("KolVetv"), uxx = mc("SumUxx"), imas = mc("Imas"), inom = mc("Inom_Ctrl"),
              iakb = mc("Iakb_Ctrl"), skab = mc("Skab"), skabAkb = mc("Skab_akb");
    for (int r = 0; r < m.recordCount(); ++r)
        in.arrays.push_back({m.valueAt(r, name).toString(), m.valueAt(r, tip).toString(),
                             optionalNumber(m.valueAt(r, posled)),
                             optionalNumber(m.valueAt(r, vetv)), optionalNumber(m.valueAt(r, uxx)),
                             optionalNumber(m.valueAt(r, imas)), optionalNumber(m.valueAt(r, inom)),
                             optionalNumber(m.valueAt(r, iakb)), optionalNumber(m.valueAt(r, skab)),
                             optionalNumber(m.valueAt(r, skabAkb))});

    View& l = dm.tblProj_Inv();
    const auto lc = [&l](const char* c) { return l.table().columnIndex(QString::fromLatin1(c)); };
    const int load = lc("Nagr_Name"), inv = lc("Name_Inv"), pnom = lc("Pnom_Inv"),
              pmax = lc("Pmax_Inv"), ppik = lc("Ppik_Inv"), inomInv = lc("Inom_Inv"),
              imax = lc("Imax_Inv"), ipik = lc("Ipik_Inv"), uvh = lc("Uvh_Inv"),
              skabInv = lc("Skab_inv");
    for (int r = 0; r < l.recordCount(); ++r)
        in.loads.push_back(
            {l.valueAt(r, load).toString(), l.valueAt(r, inv).toString(),
             optionalNumber(l.valueAt(r, pnom)), optionalNumber(l.valueAt(r, pmax)),
             optionalNumber(l.valueAt(r, ppik)), optionalNumber(l.valueAt(r, inomInv)),
             optionalNumber(l.valueAt(r, imax)), optionalNumber(l.valueAt(r, ipik)),
             optionalNumber(l.valueAt(r, uvh)), optionalNumber(l.valueAt(r, skabInv))});
    return in;
}

View& circuitView(TDataModule1& dm, Circuit circuit) {
    switch (circuit) {
    case Circuit::ArrayController:
    case Circuit::ControllerBattery:
        return dm.tblProj_Mas();
    case Circuit::BatteryInverter:
        return dm.tblProj_Inv();
    case Circuit::Assembly:
    case Circuit::BatteryDc:
        break;
    }
    return dm.tblProj1();
}

QStringList deviceFields(DeviceKind kind, Circuit circuit) {
    const QString s = suffixOf(circuit);
    if (kind == DeviceKind::Breaker)
        return {QStringLiteral("Company_AV_") + s, QStringLiteral("Tip_AV_") + s,
                QStringLiteral("Inom_AV_") + s, QStringLiteral("Unom_AV_") + s};
    return {QStringLiteral("Company_Pr_") + s, QStringLiteral("Tip_Pr_") + s,
            QStringLiteral("Tip_Pr_Derzh_") + s, QStringLiteral("Inom_Pr_") + s,
            QStringLiteral("Unom_Pr_") + s};
}

StoredDevice storedDevice(TDataModule1& dm, DeviceKind kind, Circuit circuit, int record) {
    View& v = circuitView(dm, circuit);
    const QStringList f = deviceFields(kind, circuit);
    const int row = onVariant(circuit) ? v.recNo() : record;
    if (row < 0 || row >= v.recordCount())
        return {};
    const auto at = [&](const QString& name) {
        return v.valueAt(row, v.table().columnIndex(name));
    };
    const bool fuse = kind == DeviceKind::Fuse;
    return {at(f[0]).toString(), at(f[1]).toString(), fuse ? at(f[2]).toString() : QString(),
            optionalNumber(at(f[fuse ? 3 : 2])), optionalNumber(at(f[fuse ? 4 : 3]))};
}

BulkTargets storeDeviceChoice(TDataModule1& dm, DeviceKind kind, Circuit circuit, int record,
                              const Candidate& device, bool bulk) {
    View& v = circuitView(dm, circuit);
    BulkTargets targets;
    if (onVariant(circuit)) {
        targets.records = {v.recNo()};
    } else if (bulk) {
        targets = bulkTargets(kind, circuit, readProtectionInputs(dm), record, device);
    } else {
        targets.records = {record};
    }
    const int current = v.recNo();
    {
        Transaction t(dm.store(), {&v});
        for (int r : targets.records) {
            if (!onVariant(circuit) && !v.moveTo(r))
                refused(recordName(circuit));
            writeCurrent(v, kind, circuit, &device);
        }
        t.commit();
    }
    if (current >= 0)
        v.moveTo(current);
    return targets;
}

void deleteDevices(TDataModule1& dm, DeviceKind kind, Circuit circuit, int record, bool all) {
    View& v = circuitView(dm, circuit);
    if (v.isEmpty())
        return;
    const int current = v.recNo();
    std::vector<int> rows;
    if (onVariant(circuit))
        rows = {current};
    else if (all)
        for (int r = 0; r < v.recordCount(); ++r)
            rows.push_back(r);
    else
        rows = {record};
    {
        Transaction t(dm.store(), {&v});
        for (int r : rows) {
            if (!onVariant(circuit) && !v.moveTo(r))
                refused(recordName(circuit));
            writeCurrent(v, kind, circuit, nullptr);
        }
        t.commit();
    }
    if (current >= 0)
        v.moveTo(current);
}

} // namespace ses
