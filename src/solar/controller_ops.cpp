#include "solar/controller_ops.h"

#include "data/data_module.h"
#include "data/optional_number.h"
#include "data/queries.h"
#include "lib/numbers.h"

#include <QSqlQuery>

#include <cmath>

namespace ses {

namespace {

QVariant value(std::optional<double> x) {
    return x ? QVariant(*x) : QVariant();
}

// The cable results of an array, chosen again for a new controller.
const char* const kCableResults[] = {"Skab",     "Ikab",     "DUkab",     "DPkab",
                                     "Skab_akb", "Ikab_akb", "DUkab_akb", "DPkab_akb"};
// The breaker and the fuse between the controller and the battery, sized on its current.
const char* const kBatteryProtection[] = {"Company_AV_AKB",   "Tip_AV_AKB",     "Inom_AV_AKB",
                                          "Unom_AV_AKB",      "Company_Pr_AKB", "Tip_Pr_AKB",
                                          "Tip_Pr_Derzh_AKB", "Inom_Pr_AKB",    "Unom_Pr_AKB"};

ControllerArray arrayAt(View& v, int r) {
    const auto at = [&](const char* column) {
        return v.valueAt(r, v.table().columnIndex(QString::fromLatin1(column)));
    };
    ControllerArray a;
    a.name = at("NameMassive").toString();
    a.power = optionalNumber(at("Pmas")).value_or(0);
    a.current = optionalNumber(at("Imas")).value_or(0);
    a.series = int(std::lround(optionalNumber(at("KolPosled")).value_or(0)));
    ControllerFields& c = a.controller;
    c.company = at("Company_Ctrl").toString();
    c.tip = at("Tip_Ctrl").toString();
    c.unom = optionalNumber(at("Unom_Ctrl"));
    c.imax = optionalNumber(at("Inom_Ctrl"));
    c.umpptMin = optionalNumber(at("Umppt_min_Ctrl"));
    c.umpptMax = optionalNumber(at("Umppt_max_Ctrl"));
    c.uxx = optionalNumber(at("Uxx_Ctrl"));
    c.section = optionalNumber(at("Skab_Ctrl"));
    a.iakb = optionalNumber(at("Iakb_Ctrl"));
    const auto anyFilled = [&](const auto& columns) {
        for (const char* n : columns)
            if (!at(n).isNull() && !at(n).toString().isEmpty())
                return true;
        return false;
    };
    a.hasCableResults = anyFilled(kCableResults) || anyFilled(kBatteryProtection);
    return a;
}

} // namespace

ControllerVariant readControllerVariant(TDataModule1& dm) {
    View& p = dm.tblProj1();
    ControllerVariant v;
    v.mppt = p[QStringLiteral("UseMPPT_Ctrl")].asBoolean();
    v.umppt = p[QStringLiteral("Umppt")].asFloat();
    v.uses = p[QStringLiteral("Uses")].asFloat();
    v.losses = p[QStringLiteral("Poteri_Ctrl")].asFloat();
    v.margin = p[QStringLiteral("Uxx_zap_Ctrl")].asFloat();
    v.defaultChargeVoltage = p[QStringLiteral("DefUzar_Ctrl")].asFloat();
    v.batteryType = p[QStringLiteral("Tip_AKB")].asString();
    v.defaultBatteryType = p[QStringLiteral("DefTipAKB_Ctrl")].asString();
    v.panelCompany = p[QStringLiteral("Company_SP")].asString();
    v.panelType = p[QStringLiteral("Tip_SP")].asString();
    v.unomSp = optionalNumber(p[QStringLiteral("Unom_SP")]);
    v.vocSp = optionalNumber(p[QStringLiteral("Voc_SP")]);
    v.vmpSp = optionalNumber(p[QStringLiteral("Vmp_SP")]);
    v.tmin = p[QStringLiteral("Tmin_SP")].asFloat();
    return v;
}

std::optional<double> panelTkVos(TDataModule1& dm, const QString& company, const QString& tip) {
    if (tip.isEmpty())
        return std::nullopt;
    QSqlQuery q = dm.store().select(
        QStringLiteral("SELECT s1.TK_Vos FROM SunPanel1 s1 JOIN SunPanel0 s0 ON s0.Kod = s1.Kod0 "
                       "WHERE s0.Company = ? AND s1.Tip = ?"),
        {company, tip});
    if (!q.next())
        return std::nullopt;
    return optionalNumber(q.value(0));
}

ControllerSource readControllerSource(TDataModule1& dm) {
    ControllerSource s;
    s.variant = readControllerVariant(dm);
    s.kt = temperatureFactor(panelTkVos(dm, s.variant.panelCompany, s.variant.panelType),
                             s.variant.tmin);
    View& m = dm.tblProj_Mas();
    for (int r = 0; r < m.recordCount(); ++r)
        s.rows.push_back(arrayAt(m, r));
    return s;
}

const ChargeVoltageLookup& ControllerCatalog::chargeVoltage(const QString& company,
                                                            const QString& tip, double uses,
                                                            const QString& batteryType) {
    const QString key = company + QChar(0x1f) + tip + QChar(0x1f) + QString::number(uses) +
                        QChar(0x1f) + batteryType;
    const auto it = m_voltages.constFind(key);
    if (it != m_voltages.cend())
        return *it;
    ChargeVoltageLookup l{company, tip, false, std::nullopt};
    if (!company.isEmpty() && !tip.isEmpty()) {
        QSqlQuery q = m_dm.store().select(
            QStringLiteral("SELECT c4.Upodzar FROM Controller0 c0 "
                           "JOIN Controller1 c1 ON c1.Kod0 = c0.Kod "
                           "JOIN Controller2 c2 ON c2.Kod0 = c1.Kod "
                           "JOIN Controller4 c4 ON c4.Kod0 = c2.Kod "
                           "WHERE c0.Company = ? AND c1.Tip = ? AND c2.Uses = ? AND c4.TipAKB = ?"),
            {company, tip, uses, batteryType});
        if (q.next()) {
            l.found = true;
            l.upodzar = optionalNumber(q.value(0));
        }
    }
    return *m_voltages.insert(key, l);
}

Amperes ControllerCatalog::outputCurrent(const ControllerVariant& v, double power,
                                         const QString& company, const QString& tip) {
    return controllerOutputCurrent(v, power,
                                   chargeVoltage(company, tip, v.uses, chargedBatteryType(v)));
}

Amperes ControllerCatalog::rowCurrent(const ControllerVariant& v, const ControllerArray& a) {
    return rowChargeCurrent(
        v, a, chargeVoltage(a.controller.company, a.controller.tip, v.uses, chargedBatteryType(v)));
}

QueryOrRefusal ControllerCatalog::rowQuery(const ControllerSource& s, const ControllerArray& a) {
    const Amperes charge =
        s.variant.mppt ? outputCurrent(s.variant, a.power, a.controller.company, a.controller.tip)
                       : Amperes{a.current, {}};
    return controllerQuery(s.variant, s.kt, a, charge);
}

std::vector<ControllerCandidate> ControllerCatalog::query(const ControllerQuery& q) {
    FixedQuery fq(m_dm.store(), QStringLiteral("qryController1"));
    fq.setParam(QStringLiteral("Algoritm"), q.algorithm);
    fq.setParam(QStringLiteral("Uxx_sp"), q.uxx);
    fq.setParam(QStringLiteral("Umppt"), q.umppt);
    fq.setParam(QStringLiteral("Uses"), int(std::lround(q.uses)));
    fq.setParam(QStringLiteral("Psp"), q.power);
    fq.setParam(QStringLiteral("Izar_akb"), q.charge);
    fq.setParam(QStringLiteral("TipAKB"), q.batteryType);
    const QueryResult res = fq.run();
    std::vector<ControllerCandidate> out;
    for (int r = 0; r < int(res.rows.size()); ++r) {
        const auto num = [&](const char* c) {
            return optionalNumber(res.value(r, QString::fromLatin1(c)));
        };
        out.push_back({res.value(r, QStringLiteral("Tip")).toString(), num("Uses"), num("Psp"),
                       num("Imax_sp"), num("ProvSechMax"),
                       res.value(r, QStringLiteral("Company")).toString(), num("Uxx_sp"),
                       num("Umppt_min"), num("Umppt_max")});
    }
    return out;
}

void ControllerCatalog::refreshCurrents(ControllerSource& s) {
    for (ControllerArray& a : s.rows) {
        if (a.controller.tip.isEmpty())
            continue;
        if (const Amperes i = rowCurrent(s.variant, a); i.ok())
            a.iakb = i.value;
    }
}

std::optional<QString> storeControllers(TDataModule1& dm,
                                        const std::vector<ControllerArray>& rows) {
    const ControllerSource stored = readControllerSource(dm);
    if (stored.rows.size() != rows.size())
        return QStringLiteral("Массивы солнечных панелей варианта изменились. Откройте диалог "
                              "выбора контроллеров заряда заново.");
    ControllerCatalog catalog(dm);
    View& p = dm.tblProj1();
    View& m = dm.tblProj_Mas();
    Transaction t(dm.store(), {&p, &m});
    std::vector<double> currents;
    for (size_t i = 0; i < rows.size(); ++i) {
        ControllerArray chosen = rows[i];
        const Amperes current = catalog.rowCurrent(stored.variant, chosen);
        if (!current.ok())
            return QStringLiteral("Массив \"%1\": %2").arg(chosen.name, current.error);
        chosen.iakb = current.value;
        currents.push_back(*current.value);
        if (!m.moveTo(int(i)) || !m.edit())
            throw DbError(DbError::Kind::General,
                          QStringLiteral("Массив солнечных панелей не может быть изменен."));
        const ControllerFields& c = chosen.controller;
        m[QStringLiteral("Company_Ctrl")].setString(c.company);
        m[QStringLiteral("Tip_Ctrl")].setString(c.tip);
        m[QStringLiteral("Unom_Ctrl")].setValue(value(c.unom));
        m[QStringLiteral("Inom_Ctrl")].setValue(value(c.imax));
        m[QStringLiteral("Umppt_min_Ctrl")].setValue(value(c.umpptMin));
        m[QStringLiteral("Umppt_max_Ctrl")].setValue(value(c.umpptMax));
        m[QStringLiteral("Uxx_Ctrl")].setValue(value(c.uxx));
        m[QStringLiteral("Skab_Ctrl")].setValue(value(c.section));
        m[QStringLiteral("Iakb_Ctrl")].setFloat(*current.value);
        if (controllerChanged(stored.rows[i], chosen)) {
            for (const char* n : kCableResults)
                m[QString::fromLatin1(n)].clear();
            for (const char* n : kBatteryProtection)
                m[QString::fromLatin1(n)].clear();
        }
        m.post();
    }
    if (!p.edit())
        throw DbError(DbError::Kind::General,
                      QStringLiteral("Вариант проекта не может быть изменен."));
    p[QStringLiteral("SIzar_AKB")].setFloat(totalChargeCurrent(currents));
    p.post();
    t.commit();
    return std::nullopt;
}

} // namespace ses
