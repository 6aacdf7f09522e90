#include "storage/cable_ops.h"

#include "data/data_module.h"
#include "data/optional_number.h"
#include "lib/entry.h"
#include "lib/numbers.h"

#include <QSqlQuery>

namespace ses {

namespace {

// The result columns of a circuit record.
struct ResultColumns {
    const char* section;
    const char* count; // null: the record has none
    const char* idop;
    const char* du;
    const char* dp;
};
constexpr ResultColumns kArrayColumns{"Skab", nullptr, "Ikab", "DUkab", "DPkab"};
constexpr ResultColumns kBatteryColumns{"Skab_akb", nullptr, "Ikab_akb", "DUkab_akb", "DPkab_akb"};
constexpr ResultColumns kInverterColumns{"Skab_inv", "Nkab_inv", "Ikab_inv", "DUkab_inv",
                                         "DPkab_inv"};

[[noreturn]] void refusedWrite(const QString& what) {
    throw DbError(DbError::Kind::General, what + QStringLiteral(" не может быть изменен."));
}

// Writes one outcome into the current row of `v`: a skipped record is left as it is.
void writeOutcome(View& v, const CableOutcome& o, const ResultColumns& c, const QString& what) {
    if (o.kind == CableOutcome::Kind::Skipped)
        return;
    if (!v.edit())
        refusedWrite(what);
    const auto put = [&v](const char* column, std::optional<double> x) {
        Field f = v[QString::fromLatin1(column)];
        if (x)
            f.setFloat(*x);
        else
            f.clear();
    };
    const bool keep = o.kind == CableOutcome::Kind::Stored;
    const CableResult& r = o.result;
    const auto value = [keep](double x) { return keep ? std::optional<double>(x) : std::nullopt; };
    put(c.section, value(r.section));
    if (c.count)
        put(c.count, value(r.count));
    put(c.idop, value(r.idop));
    put(c.du, value(r.du));
    put(c.dp, value(r.dp));
    if (!v.post())
        refusedWrite(what);
}

// Writes each record's outcome by position, then puts the view back on its row.
void writeRows(View& v, const std::vector<CableOutcome>& outcomes, const ResultColumns& c,
               const QString& what) {
    const int current = v.recNo();
    for (int r = 0; r < int(outcomes.size()) && r < v.recordCount(); ++r) {
        if (outcomes[r].kind == CableOutcome::Kind::Skipped)
            continue;
        if (!v.moveTo(r))
            refusedWrite(what);
        writeOutcome(v, outcomes[r], c, what);
    }
    if (current >= 0)
        v.moveTo(current);
}

} // namespace

WireTable readWireTable(TDataModule1& dm) {
    WireTable out;
    QSqlQuery q = dm.store().select(QStringLiteral(
        "SELECT Sech, Idop, Idop_2_1zh, Idop_1_2zh, Ro FROM kl WHERE Sech IS NOT NULL "
        "ORDER BY Sech"));
    while (q.next())
        out.push_back({q.value(0).toDouble(), optionalNumber(q.value(1)),
                       optionalNumber(q.value(2)), optionalNumber(q.value(3)),
                       optionalNumber(q.value(4))});
    return out;
}

std::vector<OptimalCableRow> readOptimalCables(TDataModule1& dm) {
    std::vector<OptimalCableRow> out;
    QSqlQuery q = dm.store().select(QStringLiteral(
        "SELECT k0.Pinv, k1.Uakb, k1.Sech, k1.Kol_vo FROM sKab_inv0 k0 JOIN sKab_inv1 k1 "
        "ON k1.Kod0 = k0.Kod WHERE k0.Pinv IS NOT NULL AND k1.Uakb IS NOT NULL "
        "ORDER BY k0.Pinv"));
    while (q.next()) {
        const auto count = optionalNumber(q.value(3));
        out.push_back({q.value(0).toDouble(), q.value(1).toInt(), optionalNumber(q.value(2)),
                       count ? std::optional<int>(int(*count)) : std::nullopt});
    }
    return out;
}

CableInputs readCableInputs(TDataModule1& dm) {
    CableInputs in;
    in.wires = readWireTable(dm);
    in.optimal = readOptimalCables(dm);
    View& p = dm.tblProj1();
    if (p.isEmpty())
        return in;
    const auto f = [&p](const char* c) { return p[QString::fromLatin1(c)]; };
    CableVariant& v = in.variant;
    v.uses = f("Uses").asInteger();
    v.mppt = f("UseMPPT_Ctrl").asBoolean();
    v.umppt = optionalNumber(f("Umppt"));
    v.duArrays = f("DU_KL_Mas_Ctrl").asFloat();
    v.duControllers = f("DU_KL_Ctrl_AKB").asFloat();
    v.duInverters = f("DU_KL_AKB_Inv").asFloat();
    v.duDc = f("DU_KL_AKB_Output").asFloat();
    v.table = f("Sel_Tbl_AKB_Inv").asInteger();
    v.byMaximum = f("Sel_KL_AKB_Inv").asInteger() == 1;
    v.sizarMax = optionalNumber(f("SIzar_max_AKB"));
    v.inom = optionalNumber(f("Inom"));
    v.length = optionalNumber(f("Lkab_akb"));
    v.method = f("Sposob_kab_akb").asString();

    View& m = dm.tblProj_Mas();
    const auto mc = [&m](const char* c) { return m.table().columnIndex(QString::fromLatin1(c)); };
    const int name = mc("NameMassive"), tip = mc("Tip_Ctrl"), imas = mc("Imas"),
              inom = mc("Inom_Ctrl"), skab = mc("Skab_Ctrl"), lkab = mc("Lkab"),
              lakb = mc("Lkab_akb"), spos = mc("Sposob_kab"), sakb = mc("Sposob_kab_akb");
    for (int r = 0; r < m.recordCount(); ++r)
        in.arrays.push_back({m.valueAt(r, name).toString(), m.valueAt(r, tip).toString(),
                             optionalNumber(m.valueAt(r, imas)), optionalNumber(m.valueAt(r, inom)),
                             optionalNumber(m.valueAt(r, skab)), optionalNumber(m.valueAt(r, lkab)),
                             optionalNumber(m.valueAt(r, lakb)), m.valueAt(r, spos).toString(),
                             m.valueAt(r, sakb).toString()});

    View& l = dm.tblProj_Inv();
    const auto lc = [&l](const char* c) { return l.table().columnIndex(QString::fromLatin1(c)); };
    const int load = lc("Nagr_Name"), pnom = lc("Pnom_Inv"), inomInv = lc("Inom_Inv"),
              imax = lc("Imax_Inv"), len = lc("Lkab_inv"), method = lc("Sposob_kab_inv");
    for (int r = 0; r < l.recordCount(); ++r)
        in.loads.push_back({l.valueAt(r, load).toString(), optionalNumber(l.valueAt(r, pnom)),
                            optionalNumber(l.valueAt(r, inomInv)),
                            optionalNumber(l.valueAt(r, imax)), optionalNumber(l.valueAt(r, len)),
                            l.valueAt(r, method).toString()});
    return in;
}

CableOptions& sessionCableOptions() {
    static CableOptions options;
    return options;
}

void storeCableRun(TDataModule1& dm, const CableRun& run) {
    View& p = dm.tblProj1();
    View& m = dm.tblProj_Mas();
    View& l = dm.tblProj_Inv();
    Transaction t(dm.store(), {&p, &m, &l});
    const QString array = QStringLiteral("Массив солнечных панелей");
    writeRows(m, run.arrays, kArrayColumns, array);
    writeRows(m, run.controllers, kBatteryColumns, array);
    writeRows(l, run.inverters, kInverterColumns,
              QStringLiteral("Нагрузка переменного напряжения"));
    if (!p.isEmpty())
        writeOutcome(p, run.dc, kBatteryColumns, QStringLiteral("Вариант проекта"));
    t.commit();
}

CableRun runCableChoice(TDataModule1& dm, const CableOptions& options) {
    const CableRun run = chooseCables(readCableInputs(dm), options);
    storeCableRun(dm, run);
    return run;
}

std::optional<QString> storeCableInput(View& v, const QString& field, const QString& text) {
    const QString t = text.trimmed();
    QVariant value;
    if (field.startsWith(QLatin1String("Sposob_kab"))) {
        if (!layingOf(t))
            return QStringLiteral("Выберите способ прокладки из списка: ") +
                   layingTexts().join(QStringLiteral(", ")) + QStringLiteral(".");
        value = t;
    } else {
        const QString quantity = QStringLiteral("длины кабеля");
        if (const auto error = checkNumber(t, quantity))
            return error;
        const double x = *parseNumber(t);
        if (x <= 0)
            return QStringLiteral("Значение длины кабеля должно быть больше 0.");
        value = x;
    }
    if (v.isEditing())
        v.cancel();
    if (v.isEmpty() || !v.edit())
        return QStringLiteral("Запись не может быть изменена.");
    try {
        v[field].setValue(value);
        if (!v.post()) {
            v.cancel();
            return QStringLiteral("Запись не может быть изменена.");
        }
    } catch (const DbError& e) {
        if (v.isEditing())
            v.cancel();
        return e.message();
    }
    return std::nullopt;
}

} // namespace ses
