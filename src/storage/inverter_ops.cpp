#include "storage/inverter_ops.h"

#include "data/data_module.h"
#include "data/queries.h"
#include "lib/kinv.h"

#include <stdexcept>

namespace ses {

namespace {

std::optional<double> number(const QVariant& x) {
    return x.isNull() ? std::nullopt : std::optional<double>(x.toDouble());
}

std::optional<double> number(View& v, const QString& column) {
    const Field f = v[column];
    return f.isNull() ? std::nullopt : std::optional<double>(f.asFloat());
}

std::optional<int> integer(View& v, const QString& column) {
    const Field f = v[column];
    return f.isNull() ? std::nullopt : std::optional<int>(f.asInteger());
}

void setNumber(Field f, std::optional<double> x) {
    if (x)
        f.setFloat(*x);
    else
        f.clear();
}

void setInteger(Field f, std::optional<int> x) {
    if (x)
        f.setInteger(*x);
    else
        f.clear();
}

// The value of a column in a row of the view, without moving it.
struct RowReader {
    const View& v;
    int row;
    QVariant operator()(const char* column) const {
        return v.valueAt(row, v.table().columnIndex(QString::fromLatin1(column)));
    }
};

CatalogInverter catalogRow(const QueryResult& r, int row, const QString& company) {
    const auto at = [&](const char* c) { return r.value(row, QString::fromLatin1(c)); };
    CatalogInverter i;
    i.model.company = company.isNull() ? at("Company").toString() : company;
    i.model.name = at("Name").toString();
    i.model.pnom = number(at("Pnom"));
    i.model.pmax = number(at("Pmax"));
    i.model.ppik = number(at("Ppik"));
    i.model.forma = at("Forma").toString();
    i.model.kpd = number(at("Kpd"));
    i.uvh = number(at("Uvh"));
    i.uvuh = number(at("Uvuh"));
    return i;
}

} // namespace

InverterVariant readInverterVariant(TDataModule1& dm) {
    View& v = dm.tblProj1();
    InverterVariant r;
    if (v.isEmpty())
        return r;
    r.uses = integer(v, QStringLiteral("Uses"));
    r.uvuh = integer(v, QStringLiteral("Uvuh"));
    r.zapPnom = v[QStringLiteral("ZapPnom_Inv")].asFloat();
    r.zapPmax = v[QStringLiteral("ZapPmax_Inv")].asFloat();
    r.zapPpik = v[QStringLiteral("ZapPpik_Inv")].asFloat();
    r.usePeak = v[QStringLiteral("UsePpik_Inv")].asBoolean();
    r.useUserKpd = v[QStringLiteral("UseUserKpd_Inv")].asBoolean();
    r.userKpd = number(v, QStringLiteral("UserKpd_Inv"));
    return r;
}

std::vector<InverterLoad> readInverterLoads(TDataModule1& dm) {
    const View& loads = dm.tblProj_Inv();
    std::vector<InverterLoad> out;
    for (int row = 0; row < loads.recordCount(); ++row) {
        const RowReader at{loads, row};
        InverterLoad l;
        l.name = at("Nagr_Name").toString();
        l.pnom = number(at("Pnom30min"));
        l.pmax = number(at("Pmax10min"));
        l.ppik = number(at("Ppik"));
        l.clearSinus = at("ClearSinus").toBool();
        l.stored.company = at("Company_Inv").toString();
        l.stored.name = at("Name_Inv").toString();
        l.stored.pnom = number(at("Pnom_Inv"));
        l.stored.pmax = number(at("Pmax_Inv"));
        l.stored.ppik = number(at("Ppik_Inv"));
        l.stored.forma = at("Forma_Inv").toString();
        l.stored.kpd = number(at("Kpd_Inv"));
        out.push_back(std::move(l));
    }
    return out;
}

LoadWindows readLoadWindows(TDataModule1& dm) {
    View& p = dm.tblParam();
    LoadWindows w;
    if (p.isEmpty())
        return w;
    w.nomMinutes = integer(p, QStringLiteral("SutGr_Pnom_Time")).value_or(w.nomMinutes);
    w.maxMinutes = integer(p, QStringLiteral("SutGr_Pmax_Time")).value_or(w.maxMinutes);
    return w;
}

std::vector<CatalogMaker> readInverterCatalog(TDataModule1& dm) {
    const View& makers = dm.tbl(QStringLiteral("Invert0"));
    std::vector<CatalogMaker> out;
    for (int row = 0; row < makers.recordCount(); ++row) {
        const RowReader at{makers, row};
        if (!at("UseInv").toBool())
            continue;
        CatalogMaker m{at("Company").toString(), {}};
        FixedQuery q(dm.store(), QStringLiteral("qryInvertor1"));
        q.setParam(QStringLiteral("Kod"), at("Kod"));
        const QueryResult r = q.run();
        for (int i = 0; i < int(r.rows.size()); ++i)
            m.types.push_back(catalogRow(r, i, m.company));
        out.push_back(std::move(m));
    }
    return out;
}

std::vector<CatalogInverter> candidateTable(TDataModule1& dm, const InverterRequirement& req) {
    if (!req.uvh || !req.uvuh)
        return {};
    FixedQuery q(dm.store(), QStringLiteral("qryInv2"));
    q.setParam(QStringLiteral("Uvh"), *req.uvh);
    q.setParam(QStringLiteral("Uvuh"), *req.uvuh);
    q.setParam(QStringLiteral("Pnom"), req.pnom);
    q.setParam(QStringLiteral("Pmax"), req.pmax);
    q.setParam(QStringLiteral("Ppik"), req.usePeak ? req.ppik : 0.0);
    q.setParam(QStringLiteral("Forma"), req.pureSine ? kPureSine : kModifiedSine);
    q.setParam(QStringLiteral("Forma1"), kPureSine);
    const QueryResult r = q.run();
    std::vector<CatalogInverter> out;
    for (int i = 0; i < int(r.rows.size()); ++i)
        out.push_back(catalogRow(r, i, QString()));
    return out;
}

double acLoadKinv(TDataModule1& dm, int row) {
    const InverterVariant v = readInverterVariant(dm);
    const View& loads = dm.tblProj_Inv();
    return kinv(v.useUserKpd, v.userKpd, number(RowReader{loads, row}("Kpd_Inv")));
}

const QStringList& inverterCircuitColumns() {
    static const QStringList columns = {
        QStringLiteral("Skab_inv"),    QStringLiteral("Nkab_inv"),
        QStringLiteral("Ikab_inv"),    QStringLiteral("DUkab_inv"),
        QStringLiteral("DPkab_inv"),   QStringLiteral("Company_AV_Inv"),
        QStringLiteral("Tip_AV_Inv"),  QStringLiteral("Inom_AV_Inv"),
        QStringLiteral("Unom_AV_Inv"), QStringLiteral("Company_Pr_Inv"),
        QStringLiteral("Tip_Pr_Inv"),  QStringLiteral("Tip_Pr_Derzh_Inv"),
        QStringLiteral("Inom_Pr_Inv"), QStringLiteral("Unom_Pr_Inv")};
    return columns;
}

bool storeInverterChoice(TDataModule1& dm, const std::vector<InverterChoice>& choices) {
    View& loads = dm.tblProj_Inv();
    if (int(choices.size()) != loads.recordCount())
        throw std::invalid_argument("storeInverterChoice: one choice per AC load expected");
    Prompter& prompter = dm.prompter();
    for (const InverterChoice& c : choices) {
        if (!choiceComplete(c)) {
            prompter.error(kChooseEveryInverter);
            return false;
        }
        if (const auto refusal = efficiencyRefusal(c)) {
            prompter.error(*refusal);
            return false;
        }
    }
    const InverterVariant variant = readInverterVariant(dm);
    if (!choices.empty() && !(variant.uses > 0 && variant.uvuh > 0)) {
        prompter.error(QStringLiteral("Не заданы напряжение системы или выходное напряжение "
                                      "переменного тока варианта расчета. Задайте их в "
                                      "параметрах варианта расчета."));
        return false;
    }
    const std::vector<InverterLoad> before = readInverterLoads(dm);
    const int current = loads.recNo();
    Transaction tr(dm.store(), {&loads});
    try {
        for (int row = 0; row < int(choices.size()); ++row) {
            const InverterChoice& c = choices[row];
            if (!loads.moveTo(row) || !loads.edit())
                return false;
            const bool changed = inverterChanged(
                before[row].stored, integer(loads, QStringLiteral("Uvh_Inv")), c, variant.uses);
            loads[QStringLiteral("Company_Inv")].setString(c.company);
            loads[QStringLiteral("Name_Inv")].setString(c.name);
            setNumber(loads[QStringLiteral("Pnom_Inv")], c.pnom);
            setNumber(loads[QStringLiteral("Pmax_Inv")], c.pmax);
            setNumber(loads[QStringLiteral("Ppik_Inv")], c.ppik);
            setInteger(loads[QStringLiteral("Uvh_Inv")], variant.uses);
            setInteger(loads[QStringLiteral("Uvuh_Inv")], variant.uvuh);
            loads[QStringLiteral("Forma_Inv")].setString(c.forma);
            setNumber(loads[QStringLiteral("Kpd_Inv")], c.kpd);
            if (changed)
                for (const QString& column : inverterCircuitColumns())
                    loads[column].clear();
            if (!loads.post())
                return false;
        }
        tr.commit();
    } catch (const DbError& e) {
        prompter.error(e.message());
        return false;
    }
    if (current >= 0)
        loads.moveTo(current);
    return true;
}

} // namespace ses
